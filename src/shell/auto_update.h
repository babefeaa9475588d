#pragma once
// The update check and the download of a newer program or checklist file.
//
// Three small text files in the update folder of the update server
// describe the current release: "updateinfo_isinonderhoud.txt" (the text
// "1" while the server is under maintenance), "updateinfo_prog.txt"
// (program version number, date, then pairs of file name and size) and
// "updateinfo_cl.txt" (sequence number, date, file name and size of the
// checklist file); fields are separated by commas. The check compares them
// with the program version number and the installed checklist file's
// sequence number.
//
// A new checklist file is downloaded beside the installed one as "_0_" +
// its name, must open as a checklist database, and then takes the
// installed file's place in one step: the installed file is never gone or
// half written. Only the checklist file itself can come that way. New
// program files are downloaded as "_0_" + their names and handed to the
// separate updater "runupd" in the program folder, which replaces them once
// this program has ended; the main window then closes. Where the updater
// is missing, that is reported and nothing is downloaded. A program update
// may name only plain file names for the program folder, never a data
// file (updater/update_names.h). The check judges the info files before
// anything is offered: one that names a file the program would not take
// is refused there, with its message, and offers nothing.
//
// The check ends at the first request that finds no server at all (no
// network, an unknown name, a refused connection, a proxy that fails, no
// complete answer in time): the caller then says once that there is no
// connection. Each request ends within the time-out as a whole, however
// the server lets its bytes come.
//
// Every request waits with the program's events running (see
// platform/net/http_get.h), with the update screen on view: its buttons
// are off meanwhile, but closing it, or the program, breaks the check or
// download off (BreekAf).

#include "platform/net/http_request.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace modAutoUpdate {

// Status of one file on the update server.
enum Status { kNietsNieuwer = 0, kNieuwer = 1, kMislukt = 9 };

struct UpdateUitkomst {
    bool inOnderhoud = false; // the server is in maintenance
    QString info;             // information text about the update
    int statusChecklist = kNietsNieuwer;
    int statusProgramma = kNietsNieuwer;
    // An info file offered what the program will not take; the check has
    // said so, and that file offers nothing (its status is 0).
    bool geweigerd = false;
    // The check was broken off (its screen or the program closed): nothing
    // is offered and nothing is to be said.
    bool afgebroken = false;
};

// File names on the update server and in the program folder.
inline constexpr const char *kInfoOnderhoud = "updateinfo_isinonderhoud.txt";
inline constexpr const char *kInfoProgramma = "updateinfo_prog.txt";
inline constexpr const char *kInfoChecklist = "updateinfo_cl.txt";
// The updater, beside the program.
inline constexpr const char *kUpdater = "runupd";
inline constexpr const char *kDownloadVoorvoegsel = "_0_";

// Program-wide values of the last check.
extern QString gstrUpdateURL;      // the update folder, with a trailing "/"
extern QStringList garrUpdateProg; // the fields of "updateinfo_prog.txt"
extern QStringList garrUpdateCL;   // the fields of "updateinfo_cl.txt"

// The update server's address (scheme and host: the setting
// strUpdateServer, else the built-in one), its program folder
// (+ "/tavir/program"), its update folder (+ "/updates/") and the online
// help page (program folder + "/index.asp?var=1").
QString pfunServerAdres();
QString pfunProgrammaMap();
QString pfunUpdateMap();
QString pfunHelpAdres();

// The request options from the program state: the proxy choice
// (gbytProxySetting, gstrProxyNaam, gintProxyPoort) and the time-out of
// 10 seconds for the whole request.
net::Options pfunNetOpties();

// The time a download of `grootte` bytes may take as a whole: the time-out
// and one second more for every 32 KiB, the pace of a slow connection. A
// program file of some megabytes still comes on a slow line; a server that
// sends a byte now and then cannot keep it going for ever.
int pfunDownloadTijdslimiet(qint32 grootte);

// Checks the update server. The update screen is on view meanwhile (loaded
// for the check when it is not, and unloaded again afterwards); the caller
// shows the outcome (the update screen, or the start routine at start).
UpdateUitkomst ControleerUpdates();

// Breaks off the check or download that runs: its request ends at once,
// nothing more is fetched or installed, and nothing is said. The update
// screen calls it when it closes (also when the program closes) while a
// request runs. False when nothing ran.
bool BreekAf();

// Downloads and installs what is newer; a program update ends the run
// (the main window is unloaded once the updater has started). The caller
// learns the outcome from the messages shown and from whether the main
// window is still loaded.
void VoerUpdateUit(bool checklistNieuwer, bool programmaNieuwer);

// The text at `adres`, or an empty text when fetching it failed. A server
// that cannot be reached, or an error status of the server, gives the empty
// text silently; any other failure is reported through the central error
// reporter first.
QString pfunHaalTekst(const QString &adres);

// Downloads `naam` from the update folder into the program folder as "_0_"
// + naam; true when it came complete with exactly `grootte` bytes. Shows
// the file and its progress on the update screen while it is loaded.
bool pfunDownload(const QString &naam, qint32 grootte);

// The messages after a check, shared by the update screen and the start
// routine.
void MeldGeenVerbinding();
void MeldOnderhoud();
// "Er is een update beschikbaar." with the information text; true for Yes.
bool VraagDownloaden(const QString &info);

// ---- Rules of the check, without requests ------------------------------------

// A text that is empty or contains "HTML" was not received: it is what a
// failed request or a server's error page gives.
bool pfunOntvangen(const QString &tekst);

// Maintenance is on when the text was not received or is "1".
bool pfunInOnderhoud(const QString &tekst);

// One file of a release.
struct UpdateBestand {
    QString naam;
    qint32 grootte = 0;
};

// An info file read: its fields (trimmed; empty fields at the end dropped),
// the version and the date, the files it lists, and whether it is usable
// (received, a whole version number, and, where `metBestanden`, the date
// and at least one file with a plain name and a whole size of 0 or more).
struct UpdateInfo {
    bool bruikbaar = false;
    QStringList velden;
    qint32 versie = 0;
    QString datum;
    QList<UpdateBestand> bestanden;
};
UpdateInfo pfunLeesInfo(const QString &tekst, bool metBestanden);

// The status of one info file against the installed version, and the
// lines it adds to the information text.
int pfunStatus(const QString &tekst, qint32 geinstalleerd, bool isProgramma, QString &info, QStringList &velden);

// The first file name in the fields of a newer release (pfunStatus) that
// the program would not take: for the checklist any name but the checklist
// file's own, for the program one that updater::mayReplace refuses. None
// when the release is acceptable.
std::optional<QString> pfunGeweigerdeNaam(const QStringList &velden, bool isProgramma);

// A program version number as text: 31 gives "3.1", 30 gives "3".
QString pfunVersieTekst(qint32 versieNr);

// The progress bar of a download of `grootte` bytes: its maximum (the
// size in units of 1024 bytes, rounded half to even; 0 hides the bar) and
// its value after `ontvangen` bytes (the chunks of 1024 bytes so far, at
// most the maximum).
int pfunVoortgangMaximum(qint32 grootte);
int pfunVoortgangWaarde(qint64 ontvangen, qint32 grootte);

// True when `pad` opens as a checklist database: every table of the
// checklist file is there and readable, and its sequence number is a whole
// number.
bool pfunIsChecklistBestand(const QString &pad);

// ---- Tests ------------------------------------------------------------------------

// Tests install their own check and update; an empty function goes back
// to the real one.
void setControleerUpdates(std::function<UpdateUitkomst()> check);
void setVoerUpdateUit(std::function<void(bool, bool)> update);
// Another server address and time-out; an empty text and 0 go back to the
// program's own.
void setServerAdres(const QString &adres);
void setTijdslimiet(int milliseconden);

} // namespace modAutoUpdate
