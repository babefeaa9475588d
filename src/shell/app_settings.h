#pragma once
// The program's settings in the per-user store: application "Kettrilon-QOR",
// the section of this program version (pfunRegSectie). Every value is text;
// a missing key, or a text that does not convert to the setting's type,
// gives the setting's default.
//
// One setting holds for every program version: the update server's
// address, in the section "TAVIR", which carries no version. It belongs to
// the place the program is used in, not to a version, and a program update
// must still find the server it came from: an address kept per version
// would be gone with the first update. Nothing needs copying, so an
// administrator who changes it later reaches every version at once.

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
// update folder and the help page lie below it. Set by an administrator
// (or a user) in the section kAlgemeneSectie.
inline constexpr const char *kSetUpdateServer = "strUpdateServer";

// The section of the settings that hold for every program version.
inline constexpr const char *kAlgemeneSectie = "TAVIR";

// The stored text of `key` in this version's section, or `defaultValue`.
QString LeesInstelling(const QString &key, const QString &defaultValue = QString());
// Stores `value` under `key`; raises platform::Error (75) when it cannot be written.
void BewaarInstelling(const QString &key, const QString &value);

// The stored text of a setting that holds for every program version: from
// the section kAlgemeneSectie; where that has none, from the section of
// this version or else of the newest earlier version that has one (where
// an address was written before it had a section of its own), else
// `defaultValue`.
QString LeesAlgemeneInstelling(const QString &key, const QString &defaultValue = QString());

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
