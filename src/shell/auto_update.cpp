#include "shell/auto_update.h"

#include "shell/checklist_version.h"
#include "shell/connection_strings.h"
#include "shell/error_report.h"
#include "shell/file_locations.h"
#include "shell/frmMDI_main.h"
#include "shell/frmUpdateCheck.h"
#include "shell/program_info.h"
#include "shell/program_state.h"

#include "updater/update_names.h"

#include "screens/form.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/net/http_get.h"
#include "platform/os/program_dir.h"
#include "platform/os/replacing_file.h"
#include "platform/os/start_program.h"
#include "platform/os/system_error.h"
#include "platform/text/conversions.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <limits>

namespace modAutoUpdate {

QString gstrUpdateURL;
QStringList garrUpdateProg;
QStringList garrUpdateCL;

namespace {

// The update server (scheme and host) when the setting names none. Only
// the folders below it are fixed.
constexpr const char *kStandaardServer = "https://www.example.org";
constexpr int kStandaardTijdslimiet = 10000;
// An info file is a line of text; anything longer is no info file.
constexpr qint64 kMaxInfoBytes = 64 * 1024;
// The pace of a slow connection, for the time a download may take.
constexpr qint64 kTraagBytesPerSeconde = 32 * 1024;

QString &serverAdres()
{
    static QString adres;
    return adres;
}

int &tijdslimiet()
{
    static int ms = 0;
    return ms;
}

std::function<UpdateUitkomst()> &installedCheck()
{
    static std::function<UpdateUitkomst()> check;
    return check;
}

std::function<void(bool, bool)> &installedUpdate()
{
    static std::function<void(bool, bool)> update;
    return update;
}

QString map()
{
    return os::programDir();
}

// The update screen, while it is loaded.
shell::frmUpdateCheck *scherm()
{
    return screens::Form::loaded<shell::frmUpdateCheck>();
}

// Keeps the update screen's buttons off while a request runs.
class Bezig {
public:
    Bezig() : m_scherm(scherm())
    {
        if (m_scherm)
            m_scherm->setBezig(true);
    }
    ~Bezig()
    {
        if (m_scherm)
            m_scherm->setBezig(false);
    }
    Bezig(const Bezig &) = delete;
    Bezig &operator=(const Bezig &) = delete;

private:
    QPointer<shell::frmUpdateCheck> m_scherm;
};

// The check or update that runs, for BreekAf.
QPointer<net::Cancellation> &lopend()
{
    static QPointer<net::Cancellation> afbreking;
    return afbreking;
}

// A check or update that can be broken off while it lives.
class Afbreekbaar {
public:
    Afbreekbaar() : m_vorige(lopend()) { lopend() = &m_afbreking; }
    ~Afbreekbaar() { lopend() = m_vorige; }
    Afbreekbaar(const Afbreekbaar &) = delete;
    Afbreekbaar &operator=(const Afbreekbaar &) = delete;

    bool afgebroken() const { return m_afbreking.isCancelled(); }

private:
    net::Cancellation m_afbreking;
    QPointer<net::Cancellation> m_vorige;
};

// The request options of the check or update that runs.
net::Options opties()
{
    net::Options o = pfunNetOpties();
    o.cancellation = lopend();
    return o;
}

bool alsGeheelGetal(const QString &tekst, qint32 &getal)
{
    bool ok = false;
    const qint32 n = tekst.toInt(&ok);
    if (ok)
        getal = n;
    return ok;
}

// A name as it may stand in a message: control characters (a line break in
// a name from the server) shown as "?".
QString toonNaam(const QString &naam)
{
    QString t = naam;
    for (QChar &c : t)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char('?');
    return t;
}

// Where a downloaded checklist file is installed: the program folder, or
// the user's own data folder of an installed program.
QString checklistDoel()
{
    return modMain::pfunChecklistDownloadMap() + QLatin1Char('/') + QLatin1String(modMain::kChecklistBestand);
}

// The file the installed checklist file's path finally names: a checklist
// file reached through a link is replaced behind the link, which stays.
QString installatiePad(const QString &doel)
{
    const QString pad = os::finalTarget(doel);
    return pad.isEmpty() ? doel : pad;
}

// The download of `doel`: "_0_" + its name, beside the file it replaces.
QString downloadPad(const QString &doel)
{
    const QFileInfo f(installatiePad(doel));
    return f.path() + QLatin1Char('/') + QLatin1String(kDownloadVoorvoegsel) + f.fileName();
}

enum class Bestanden { Geen, Eerste, Alle };

UpdateInfo leesInfo(const QString &tekst, Bestanden bestanden)
{
    UpdateInfo info;
    if (!pfunOntvangen(tekst))
        return info;
    for (const QString &veld : tekst.split(QLatin1Char(',')))
        info.velden << veld.trimmed();
    while (!info.velden.isEmpty() && info.velden.last().isEmpty())
        info.velden.removeLast();
    if (info.velden.isEmpty() || !alsGeheelGetal(info.velden.at(0), info.versie))
        return info;
    if (info.velden.size() > 1)
        info.datum = info.velden.at(1);
    if (bestanden == Bestanden::Geen) {
        info.bruikbaar = true;
        return info;
    }
    if (info.velden.size() < 4)
        return info;
    const qsizetype eind = bestanden == Bestanden::Eerste ? 4 : info.velden.size();
    if ((eind - 2) % 2 != 0)
        return info; // a name without its size
    for (qsizetype i = 2; i < eind; i += 2) {
        UpdateBestand b;
        b.naam = info.velden.at(i);
        if (!alsGeheelGetal(info.velden.at(i + 1), b.grootte) || b.grootte < 0)
            return info;
        info.bestanden << b;
    }
    info.bruikbaar = true;
    return info;
}

void meldVerzoekFout(const net::Result &r, const QString &adres)
{
    modMain::MeldFout(r.error(adres));
}

// The checklist file downloaded beside `doel` as "_0_" + its name takes
// the installed file's place in one step, once it has shown to be a
// checklist database. A file that is not is removed and the installed one
// stays.
bool installeerChecklist(const QString &doel)
{
    const QString nieuw = downloadPad(doel);
    if (!pfunIsChecklistBestand(nieuw)) {
        QFile::remove(nieuw);
        return false;
    }
    if (std::rename(QFile::encodeName(nieuw).constData(), QFile::encodeName(installatiePad(doel)).constData()) != 0) {
        modMain::MeldFout(os::systemError(errno, doel, QStringLiteral("modAutoUpdate.VoerUpdateUit")));
        return false;
    }
    return true;
}

void meldChecklistMislukt()
{
    ui::MsgBox(QStringLiteral("Downloaden van de checklist is mislukt. De update kon niet uitgevoerd worden. "
                              "Raadpleeg uw applicatiebeheerder."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Update mislukt..."));
}

qint64 schrijfDownload(const QString &doelpad, const QString &naam, qint32 grootte);
bool download(const QString &naam, qint32 grootte, const QString &doelpad);

// The messages for an info file that names a file the program will not
// take (pfunGeweigerdeNaam).
void meldGeweigerd(const QString &naam, bool isProgramma)
{
    const QString wat =
        isProgramma ? QStringLiteral("\" als programmabestand. Een programma-update kan alleen bestanden met een "
                                     "gewone naam in de programmamap vervangen, en nooit een databestand")
                    : QStringLiteral("\" als nieuw checklistbestand. Alleen het checklistbestand ")
                          + QLatin1String(modMain::kChecklistBestand) + QStringLiteral(" kan worden vervangen");
    ui::MsgBox(QStringLiteral("Het updatebestand op de server noemt \"") + toonNaam(naam) + wat
                   + QStringLiteral("; er is niets gedownload of gewijzigd. Raadpleeg uw applicatiebeheerder."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Update mislukt..."));
}

// The check has judged the names already; the update judges them again
// before anything is fetched, whatever put them in garrUpdateCL or
// garrUpdateProg.
bool aanvaard(const QStringList &velden, bool isProgramma)
{
    const std::optional<QString> naam = pfunGeweigerdeNaam(velden, isProgramma);
    if (naam)
        meldGeweigerd(*naam, isProgramma);
    return !naam;
}

} // namespace

void MeldGeenVerbinding()
{
    ui::MsgBox(QStringLiteral("Er kan geen verbinding gelegd worden met het internet of de webserver is (tijdelijk) "
                              "niet beschikbaar. Controleer uw internetverbinding of proxy-instellingen."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Fout bij controle op updates"));
}

void MeldOnderhoud()
{
    ui::MsgBox(QStringLiteral("Er is een update opgeleverd, maar door onderhoudsactiviteiten op de server is deze "
                              "tijdelijk niet beschikbaar. Probeert u het later nog eens. Excuses voor het ongemak."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Update niet beschikbaar"));
}

bool VraagDownloaden(const QString &info)
{
    return ui::MsgBox(QStringLiteral("Er is een update beschikbaar.\n") + info + QStringLiteral("\n\nNu downloaden?"),
                      ui::Buttons::YesNo, ui::Icon::Question, QStringLiteral("Updaten programma"))
           == ui::Answer::Yes;
}

QString pfunServerAdres()
{
    QString adres = !serverAdres().isEmpty() ? serverAdres() : modMain::gstrUpdateServer.trimmed();
    while (adres.endsWith(QLatin1Char('/')))
        adres.chop(1);
    return adres.isEmpty() ? QLatin1String(kStandaardServer) : adres;
}

QString pfunProgrammaMap()
{
    return pfunServerAdres() + QStringLiteral("/tavir/program");
}

QString pfunUpdateMap()
{
    return pfunProgrammaMap() + QStringLiteral("/updates/");
}

QString pfunHelpAdres()
{
    return pfunProgrammaMap() + QStringLiteral("/index.asp?var=1");
}

net::Options pfunNetOpties()
{
    net::Options o;
    o.proxy.accessType = modMain::gbytProxySetting;
    o.proxy.host = modMain::gstrProxyNaam;
    o.proxy.port = modMain::gintProxyPoort;
    o.timeoutMs = tijdslimiet() > 0 ? tijdslimiet() : kStandaardTijdslimiet;
    return o;
}

int pfunDownloadTijdslimiet(qint32 grootte)
{
    const qint64 ms = qint64(pfunNetOpties().timeoutMs) + std::max<qint64>(grootte, 0) / kTraagBytesPerSeconde * 1000;
    return int(std::min<qint64>(ms, std::numeric_limits<int>::max()));
}

bool pfunOntvangen(const QString &tekst)
{
    return !tekst.isEmpty() && !tekst.contains(QLatin1String("HTML"));
}

bool pfunInOnderhoud(const QString &tekst)
{
    return !pfunOntvangen(tekst) || tekst.trimmed() == QLatin1String("1");
}

UpdateInfo pfunLeesInfo(const QString &tekst, bool metBestanden)
{
    return leesInfo(tekst, metBestanden ? Bestanden::Alle : Bestanden::Geen);
}

QString pfunVersieTekst(qint32 versieNr)
{
    // The number divided by 10, with a point: 31 is 3.1, 30 is 3.
    const qint32 heel = versieNr / 10;
    const qint32 tiende = std::abs(versieNr % 10);
    QString tekst = (versieNr < 0 && heel == 0) ? QStringLiteral("-0") : QString::number(heel);
    if (tiende != 0)
        tekst += QLatin1Char('.') + QString::number(tiende);
    return tekst;
}

int pfunStatus(const QString &tekst, qint32 geinstalleerd, bool isProgramma, QString &info, QStringList &velden)
{
    const UpdateInfo kop = leesInfo(tekst, Bestanden::Geen);
    if (!kop.bruikbaar)
        return kMislukt;
    if (kop.versie <= geinstalleerd) {
        velden = kop.velden;
        return kNietsNieuwer;
    }
    // A newer release must name its date and its files.
    const UpdateInfo nieuw = leesInfo(tekst, isProgramma ? Bestanden::Alle : Bestanden::Eerste);
    if (!nieuw.bruikbaar || nieuw.velden.size() < 2)
        return kMislukt;
    velden = nieuw.velden;
    if (isProgramma)
        info += QStringLiteral("\n- programmaversie: ") + pfunVersieTekst(nieuw.versie) + QStringLiteral("\n- datum: ")
                + nieuw.datum;
    else
        info += QStringLiteral("\n- checklistbestandsversie: ") + QString::number(nieuw.versie)
                + QStringLiteral("\n- datum: ") + nieuw.datum + QStringLiteral("\n");
    return kNieuwer;
}

std::optional<QString> pfunGeweigerdeNaam(const QStringList &velden, bool isProgramma)
{
    if (!isProgramma) {
        const QString naam = velden.value(2);
        if (naam.compare(QLatin1String(modMain::kChecklistBestand), Qt::CaseInsensitive) != 0)
            return naam;
        return std::nullopt;
    }
    for (qsizetype i = 2; i + 1 < velden.size(); i += 2)
        if (!updater::mayReplace(velden.at(i)))
            return velden.at(i);
    return std::nullopt;
}

int pfunVoortgangMaximum(qint32 grootte)
{
    // Rounded half to even, as whole-number conversion does.
    return int(std::nearbyint(double(grootte) / 1024.0));
}

int pfunVoortgangWaarde(qint64 ontvangen, qint32 grootte)
{
    const qint64 blokken = (ontvangen + 1023) / 1024;
    return int(std::min<qint64>(blokken, pfunVoortgangMaximum(grootte)));
}

bool pfunIsChecklistBestand(const QString &pad)
{
    static const QStringList tabellen = {QStringLiteral("tblSYS"),      QStringLiteral("tblCL"),
                                         QStringLiteral("tblCLitem"),   QStringLiteral("tblVoetnoot"),
                                         QStringLiteral("tblPPcorr"),   QStringLiteral("tblStortType"),
                                         QStringLiteral("tblObjectCat")};
    try {
        db::Connection cn;
        cn.Open(QStringLiteral("Data Source=") + db::connectionValue(pad) + QStringLiteral(";Mode=Read"), tabellen);
        // Every row of every table must read: a damaged file fails here.
        for (const QString &tabel : tabellen) {
            db::Recordset rs;
            rs.Open(QStringLiteral("SELECT * FROM ") + tabel, cn, db::LockType::ReadOnly);
            rs.Close();
        }
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID='versie'"), cn, db::LockType::ReadOnly);
        bool volgnr = false;
        if (!rs.EOF_()) {
            vb::CInt(rs.Fields(QStringLiteral("strSYSvalue")).Value().toString()); // raises for no 16-bit number
            volgnr = true;
        }
        rs.Close();
        cn.Close();
        return volgnr;
    } catch (const platform::Error &) {
        return false;
    }
}

namespace {

// A failure that says the server cannot be reached at all (no network, an
// unknown name, nothing listening, a proxy that fails, no answer in time):
// the requests after it would fail the same way.
bool geenVerbinding(net::Failure f)
{
    switch (f) {
    case net::Failure::TimedOut:
    case net::Failure::InvalidAddress:
    case net::Failure::HostNotFound:
    case net::Failure::CannotConnect:
    case net::Failure::Proxy:
    case net::Failure::Network:
        return true;
    default:
        return false;
    }
}

// The text at `adres`; `onbereikbaar` tells whether the request found no
// server at all (nothing is reported then: the caller says so once).
QString haalTekst(const QString &adres, bool *onbereikbaar)
{
    Bezig bezig;
    net::Options o = opties();
    o.maxBytes = kMaxInfoBytes;
    const net::Result r = net::get(QUrl(adres), o);
    *onbereikbaar = !r.ok() && geenVerbinding(r.failure);
    if (r.ok())
        return net::textOf(r.body);
    // An error page of the server counts as not received, and so does a
    // server that cannot be reached; the check says so. A request broken
    // off says nothing. Anything else is reported here.
    if (!*onbereikbaar && r.failure != net::Failure::HttpStatus && r.failure != net::Failure::Cancelled)
        meldVerzoekFout(r, adres);
    return QString();
}

} // namespace

namespace {

// A program update is put in place in the program folder. An installed
// program's folder belongs to the system (and one the user cannot write is
// no better): nothing is fetched that could not be put in place.
bool programmaMapBeschrijfbaar()
{
    if (!modMain::pfunIsGeinstalleerd() && QFileInfo(map()).isWritable())
        return true;
    ui::MsgBox(QStringLiteral("De programmamap ") + map()
                   + QStringLiteral(" kan niet door u worden gewijzigd: de nieuwe programmaversie kan hier niet worden "
                                    "geplaatst. Er is niets gedownload. Vraag uw applicatiebeheerder de nieuwe versie "
                                    "te installeren."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Update mislukt..."));
    return false;
}

} // namespace

QString pfunHaalTekst(const QString &adres)
{
    bool onbereikbaar = false;
    return haalTekst(adres, &onbereikbaar);
}

UpdateUitkomst ControleerUpdates()
{
    if (const auto &check = installedCheck())
        return check();
    // A checklist file that a run killed between its download and its
    // installation left behind is of no use; the check starts without it.
    QFile::remove(downloadPad(checklistDoel()));

    UpdateUitkomst u;
    const qint32 progVersie = modMain::pfunProgVersieNr();
    gstrUpdateURL = pfunUpdateMap();
    // The check shows on the update screen, so that closing it (or the
    // program) can break the check off. At start it is loaded for the check.
    QPointer<shell::frmUpdateCheck> eigenScherm;
    if (!scherm() && shell::frmMDI_main::instance())
        eigenScherm = shell::frmUpdateCheck::load();
    ui::setBusyCursor();
    // The first request that finds no server ends the check: the others
    // count as not received.
    QString teksten[3];
    bool afgebroken = false;
    {
        Afbreekbaar afbreekbaar;
        const char *namen[3] = {kInfoOnderhoud, kInfoProgramma, kInfoChecklist};
        for (int i = 0; i < 3 && !afbreekbaar.afgebroken(); ++i) {
            bool onbereikbaar = false;
            teksten[i] = haalTekst(gstrUpdateURL + QLatin1String(namen[i]), &onbereikbaar);
            if (onbereikbaar)
                break;
        }
        afgebroken = afbreekbaar.afgebroken();
    }
    ui::resetCursor();
    if (eigenScherm)
        eigenScherm->unload();
    if (afgebroken) {
        u.afgebroken = true;
        return u;
    }
    const QString &onderhoud = teksten[0];
    const QString &programma = teksten[1];
    const QString &checklist = teksten[2];

    u.inOnderhoud = pfunInOnderhoud(onderhoud);

    // A newer release is offered only when the program would take what it
    // names; one that is refused says so here and offers nothing.
    const auto beoordeel = [&u](const QString &tekst, qint32 geinstalleerd, bool isProgramma, QStringList &bewaard) {
        QString info;
        QStringList velden;
        int status = pfunStatus(tekst, geinstalleerd, isProgramma, info, velden);
        if (status == kNieuwer) {
            if (const std::optional<QString> naam = pfunGeweigerdeNaam(velden, isProgramma)) {
                meldGeweigerd(*naam, isProgramma);
                u.geweigerd = true;
                return int(kNietsNieuwer);
            }
            u.info += info;
        }
        if (status != kMislukt)
            bewaard = velden;
        return status;
    };
    u.statusChecklist = beoordeel(checklist, modMain::gintCLVolgnr, false, garrUpdateCL);
    u.statusProgramma = beoordeel(programma, progVersie, true, garrUpdateProg);
    return u;
}

bool BreekAf()
{
    if (!lopend())
        return false;
    lopend()->cancel();
    return true;
}

bool pfunDownload(const QString &naam, qint32 grootte)
{
    return download(naam, grootte, map() + QLatin1Char('/') + QLatin1String(kDownloadVoorvoegsel) + naam);
}

namespace {

// Downloads `naam` from the update folder into `doel`.
bool download(const QString &naam, qint32 grootte, const QString &doel)
{
    if (shell::frmUpdateCheck *s = scherm())
        s->toonDownload(naam, pfunVoortgangMaximum(grootte));
    const qint64 bytes = schrijfDownload(doel, naam, grootte);
    if (bytes == grootte)
        return true;
    if (bytes >= 0)
        ui::MsgBox(QStringLiteral("Het aantal bytes dat gedownload is klopt niet. Mogelijk is het downloaden mislukt. "
                                  "Probeert u het later nog eens."),
                   ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Downloaden ") + naam);
    return false;
}

// Writes the response for `naam` to `doelpad`; returns the bytes received,
// or -1 when the request failed (reported here) or was broken off.
qint64 schrijfDownload(const QString &doelpad, const QString &naam, qint32 grootte)
{
    if (QFileInfo::exists(doelpad) && !QFile::remove(doelpad)) {
        ui::MsgBox(
            QStringLiteral("Could not update program. Please make sure that the ") + doelpad
                + QStringLiteral(" file is not running.\n\nNOTE: On Windows 2000 machines, focus must be removed "
                                 "from the file before update can be completed successfully (i.e.: in Windows "
                                 "Explorer, etc.)"),
            ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Error updating program..."));
        return 0;
    }
    Bezig bezig;
    const QString adres = gstrUpdateURL + naam;
    QPointer<shell::frmUpdateCheck> s = scherm();
    net::Options o = opties();
    o.timeoutMs = pfunDownloadTijdslimiet(grootte);
    const net::Result r = net::download(QUrl(adres), doelpad, o, grootte, [&s, grootte](qint64 ontvangen) {
        if (s)
            s->zetVoortgang(pfunVoortgangWaarde(ontvangen, grootte));
    });
    if (r.ok() || r.failure == net::Failure::WrongSize)
        return r.bytes;
    if (r.failure != net::Failure::Cancelled)
        meldVerzoekFout(r, adres);
    return -1;
}

} // namespace

void VoerUpdateUit(bool checklistNieuwer, bool programmaNieuwer)
{
    if (const auto &update = installedUpdate()) {
        update(checklistNieuwer, programmaNieuwer);
        return;
    }
    if (!checklistNieuwer && !programmaNieuwer)
        return;

    const QString updater = map() + QLatin1Char('/') + QLatin1String(kUpdater);
    // Only the program update needs the updater; a checklist file is
    // installed here.
    if (programmaNieuwer && !QFileInfo(updater).isFile()) {
        ui::MsgBox(QStringLiteral("Update-programma is niet gevonden."), ui::Buttons::OK, ui::Icon::Critical,
                   QStringLiteral("Actualisatie afgebroken"));
        return;
    }
    if (1 + screens::Form::loadedForms().size() > 2) {
        ui::MsgBox(QStringLiteral("Sluit eerst alle openstaande formulieren"), ui::Buttons::OK, ui::Icon::Information,
                   QStringLiteral("Updaten"));
        return;
    }

    // The updater's argument, while the main window is there.
    shell::frmMDI_main *main = shell::frmMDI_main::instance();
    const QString argument = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QLatin1Char('|')
                             + (main ? main->windowTitle() : QLatin1String(tavir::kProgramTitle));

    // The download shows on the update screen; at start it is loaded for it
    // and closed again afterwards. Closing it breaks the update off.
    QPointer<shell::frmUpdateCheck> eigenScherm;
    if (!scherm() && main)
        eigenScherm = shell::frmUpdateCheck::load();
    Afbreekbaar afbreekbaar;
    const auto sluitEigenScherm = [&eigenScherm] {
        if (eigenScherm)
            eigenScherm->unload();
    };

    if (checklistNieuwer) {
        bool gelukt = false;
        bool geweigerd = false;
        if (garrUpdateCL.size() >= 4) {
            const QString naam = garrUpdateCL.at(2);
            const QString doel = checklistDoel();
            qint32 grootte = 0;
            geweigerd = !aanvaard(garrUpdateCL, false);
            gelukt = !geweigerd && alsGeheelGetal(garrUpdateCL.at(3), grootte)
                     && download(naam, grootte, downloadPad(doel)) && !afbreekbaar.afgebroken()
                     && installeerChecklist(doel);
        }
        if (afbreekbaar.afgebroken()) {
            // The half download has gone; nothing is installed or said.
            sluitEigenScherm();
            return;
        }
        if (geweigerd) {
            // said so
        } else if (!gelukt) {
            meldChecklistMislukt();
        } else {
            try {
                modMain::ZetChecklistVerbinding();
                modMain::LeesVersieChecklist();
            } catch (const platform::Error &e) {
                modMain::MeldFout(e);
            }
            if (!programmaNieuwer) {
                if (shell::frmUpdateCheck *s = scherm())
                    s->verbergVoortgang();
                ui::MsgBox(QStringLiteral("Het downloaden is gereed. Het nieuwe checklistbestand is geïnstalleerd."),
                           ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Actualisatie checklist"));
            }
        }
    }

    if (programmaNieuwer && aanvaard(garrUpdateProg, true) && programmaMapBeschrijfbaar()) {
        // Every file, also after one has failed; none once the update is
        // broken off.
        bool alles = garrUpdateProg.size() >= 4;
        for (qsizetype i = 2; i + 1 < garrUpdateProg.size() && !afbreekbaar.afgebroken(); i += 2) {
            qint32 grootte = 0;
            const QString naam = garrUpdateProg.at(i);
            if (!alsGeheelGetal(garrUpdateProg.at(i + 1), grootte) || !pfunDownload(naam, grootte))
                alles = false;
        }
        if (afbreekbaar.afgebroken()) {
            sluitEigenScherm();
            return;
        }
        if (!alles) {
            ui::MsgBox(QStringLiteral("Downloaden is mislukt. De update kon niet uitgevoerd worden. Raadpleeg uw "
                                      "applicatiebeheerder."),
                       ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Update mislukt..."));
        } else if (!os::startProgram(updater, {argument})) {
            ui::MsgBox(QStringLiteral("Het update-programma ") + updater
                           + QStringLiteral(" kan niet worden gestart. De update kon niet uitgevoerd worden."),
                       ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Actualisatie afgebroken"));
        } else {
            // The updater waits for this program to end: every window goes.
            shell::frmMDI_main::unload();
            return;
        }
    }

    sluitEigenScherm();
}

void setControleerUpdates(std::function<UpdateUitkomst()> check)
{
    installedCheck() = std::move(check);
}

void setVoerUpdateUit(std::function<void(bool, bool)> update)
{
    installedUpdate() = std::move(update);
}

void setServerAdres(const QString &adres)
{
    serverAdres() = adres;
}

void setTijdslimiet(int milliseconden)
{
    tijdslimiet() = milliseconden;
}

} // namespace modAutoUpdate
