#pragma once
// The program's settings in the per-user store: application "Kettrilon-QOR",
// the section of this program version (pfunRegSectie). Every value is text;
// a missing key, or a text that does not convert to the setting's type,
// gives the setting's default.

#include <QString>

namespace modMain {

inline constexpr const char *kInstellingenApp = "Kettrilon-QOR";

// Keys
inline constexpr const char *kSetDatabestand = "ConDATAfilenaam";
inline constexpr const char *kSetHuidigeStort = "HUIDIGSTORT_ID";
inline constexpr const char *kSetProxySetting = "bytProxySetting";
inline constexpr const char *kSetProxyNaam = "strProxyNaam";
inline constexpr const char *kSetProxyPoort = "intProxyPoort";
inline constexpr const char *kSetAutoUpdate = "vwAutoUpdateOnStart";
inline constexpr const char *kSetKleurVoorz = "vwKLEURVoorz";
inline constexpr const char *kSetKleurAct = "vwKLEURAct";
inline constexpr const char *kSetTreeSingleSel = "vwTreeSingleSel";
inline constexpr const char *kSetTreeLines = "vwTreeLines";
inline constexpr const char *kSetTreePlusMin = "vwTreePlusMin";
inline constexpr const char *kSetBTW = "BTW_PROCENTEN";
// The update server (scheme and host, "https://updates.example.nl"); the
// update folder and the help page lie below it. Set by an administrator.
inline constexpr const char *kSetUpdateServer = "strUpdateServer";

// The stored text of `key` in this version's section, or `defaultValue`.
QString LeesInstelling(const QString &key, const QString &defaultValue = QString());
// Stores `value` under `key`; raises platform::Error (75) when it cannot be written.
void BewaarInstelling(const QString &key, const QString &value);

// The default data file: dbQORdata_1.mdb in the program folder, or in the
// user's own data folder when the program is installed (file_locations.h).
QString pfunStandaardDatabestand();

// Reads every setting the start routine keeps in memory into the program
// state (data file, proxy, update check, tree colours and switches, VAT)
// and marks the settings as read.
void LeesInstellingen();

// Writes the VAT percentage, in the regional number form ("17,5"). Does
// nothing while the settings have not been read, so that a value the
// program never read is never stored.
void BewaarBTWPerc();

} // namespace modMain
