#include "shell/start_routine.h"

#include "shell/app_settings.h"
#include "shell/auto_update.h"
#include "shell/checklist_version.h"
#include "shell/connection_strings.h"
#include "shell/coupling.h"
#include "shell/current_site.h"
#include "shell/datafile_compact.h"
#include "shell/datafile_version.h"
#include "shell/error_report.h"
#include "shell/file_locations.h"
#include "shell/frmMDI_main.h"
#include "shell/menu_status.h"
#include "shell/program_info.h"
#include "shell/program_state.h"

#include "updater/replace_files.h"

#include "platform/core/error.h"
#include "platform/os/program_dir.h"
#include "platform/os/replacing_file.h"
#include "platform/os/single_instance.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>

#include <cerrno>
#include <memory>
#include <sys/stat.h>

namespace modMain {

namespace {

std::unique_ptr<os::SingleInstance> &instanceLock()
{
    static std::unique_ptr<os::SingleInstance> lock;
    return lock;
}

bool eersteInstantie()
{
    auto &lock = instanceLock();
    if (lock && lock->isLocked())
        return false; // this process runs the program already
    lock = std::make_unique<os::SingleInstance>(QLatin1String(tavir::kProgramTitle));
    if (lock->tryLock())
        return true;
    lock.reset();
    return false;
}

enum class Opzoeken { Gevonden, NietGevonden, Mislukt };

// Looks the data file up by its name. Only a name the system cannot even
// look up (a NUL character, a part that is too long, a folder that may not
// be searched) fails; a name that is simply not there is not found.
Opzoeken zoekDatabestand(const QString &pad)
{
    if (pad.contains(QChar(u'\0')))
        return Opzoeken::Mislukt;
    if (pad.isEmpty())
        return Opzoeken::NietGevonden;
    struct stat st {};
    if (::stat(QFile::encodeName(pad).constData(), &st) != 0)
        return (errno == ENOENT || errno == ENOTDIR) ? Opzoeken::NietGevonden : Opzoeken::Mislukt;
    return S_ISREG(st.st_mode) ? Opzoeken::Gevonden : Opzoeken::NietGevonden;
}

// Reports an error of the start under the routine that raised it, or under
// the start routine when the error names none.
void meldStartFout(const platform::Error &e)
{
    MeldFout(e, e.source().isEmpty() ? QVariant(QStringLiteral("Main")) : QVariant());
}

// Ends the run: the main window goes (which saves the VAT percentage as it
// was read).
void beeindig()
{
    ui::resetCursor();
    shell::frmMDI_main::unload();
}

// While the start runs, the main window's commands wait (disabled): none
// may reach a data file that is not coupled yet, or open a screen beside
// the one the start ends in. Only closing the window is not kept waiting.
class StartBezig {
public:
    explicit StartBezig(shell::frmMDI_main *main) : m_main(main) { main->setStartBezig(true); }
    ~StartBezig()
    {
        if (m_main)
            m_main->setStartBezig(false);
    }
    StartBezig(const StartBezig &) = delete;
    StartBezig &operator=(const StartBezig &) = delete;

private:
    QPointer<shell::frmMDI_main> m_main;
};

// The update check at start. Returns false when the run ends here: the
// user closed the main window while the check waited for the server, or a
// program update was handed to the updater.
bool controleerUpdates(shell::frmMDI_main *main)
{
    // The check waits for the server with the program's events running, so
    // the user can close the window meanwhile. That ends the run at once:
    // every event loop of the program is ended, which breaks off the
    // waiting requests, and the start stops without a word.
    const QMetaObject::Connection afbreken =
        QObject::connect(main, &shell::frmMDI_main::gesloten, qApp, [] { QCoreApplication::exit(0); });
    const modAutoUpdate::UpdateUitkomst u = modAutoUpdate::ControleerUpdates();
    QObject::disconnect(afbreken);
    if (!shell::frmMDI_main::instance())
        return false;
    const bool nieuwer = u.statusChecklist == modAutoUpdate::kNieuwer || u.statusProgramma == modAutoUpdate::kNieuwer;
    const bool mislukt = u.statusChecklist == modAutoUpdate::kMislukt || u.statusProgramma == modAutoUpdate::kMislukt;
    if (!nieuwer) {
        if (mislukt)
            modAutoUpdate::MeldGeenVerbinding();
        return true;
    }
    if (u.inOnderhoud) {
        modAutoUpdate::MeldOnderhoud();
        return true;
    }
    if (!modAutoUpdate::VraagDownloaden(u.info))
        return true;
    modAutoUpdate::VoerUpdateUit(u.statusChecklist == modAutoUpdate::kNieuwer,
                                 u.statusProgramma == modAutoUpdate::kNieuwer);
    // A program update that was handed over has closed the main window. A
    // new checklist file alone is installed in place, and a failed update
    // has said so: the start goes on.
    return shell::frmMDI_main::instance() != nullptr;
}

// The compaction at start rewrites the file. A file the coupling will refuse
// (a later format, or no version row) is left exactly as it is; a file that
// cannot be read is handed to the compaction, which says what is wrong.
void compacteerAlsAanvaard(const QString &pad)
{
    using Staat = modCompress::VersieOpslag::Staat;
    const modCompress::VersieOpslag versie = modCompress::pfunLeesVersieStil(pad);
    if (versie.staat == Staat::GeenVersie || (versie.staat == Staat::Gelezen && versie.versie > pfunProgVersieNr()))
        return;
    modCompress::CompactDatabestand(pad);
}

void toonProgrammaversie(shell::frmMDI_main &main)
{
    main.setPanelText(2, QStringLiteral(" ") + QLatin1String(tavir::kProgramTitle)
                             + QStringLiteral(" programmaversie: ") + QString::number(gVersion.major)
                             + QStringLiteral(".") + QString::number(gVersion.minor) + QStringLiteral(" "));
}

void start()
{
    // Every setting is read before anything that may end the run, so that
    // closing the main window stores only values that were read.
    LeesInstellingen();

    // The window may be closed while the start waits on the update server:
    // it is used only while it is loaded.
    const QPointer<shell::frmMDI_main> main = shell::frmMDI_main::load();
    const StartBezig bezig(main);
    ui::setBusyCursor();

    ZetChecklistVerbinding();
    try {
        LeesVersieChecklist();
    } catch (const platform::Error &e) {
        // Without a readable checklist file no site can be worked on.
        meldStartFout(e);
        beeindig();
        return;
    }

    if (gblnAutoUpdateOnStart && !controleerUpdates(main)) {
        ui::resetCursor();
        return;
    }

    ZetMenuStatus(false);

    const QString pad = gstrDatabestand;
    // A data file that an interrupted compaction left only as its copy is
    // put back first.
    modCompress::HerstelOnderbrokenCompactie(pad);
    // An installed program's first start for this user makes its default
    // data file in the user's own data folder (never over one put back).
    MaakEersteDatabestand();
    switch (zoekDatabestand(pad)) {
    case Opzoeken::Mislukt:
        ui::resetCursor();
        ui::MsgBox(
            QStringLiteral("Datafile ") + pad
                + QStringLiteral(
                    " kan niet worden gevonden. TAVIR zal worden afgesloten. Start TAVIR vervolgens opnieuw op."),
            ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Controle databestand"));
        try {
            BewaarInstelling(QLatin1String(kSetDatabestand), QStringLiteral("?"));
        } catch (const platform::Error &e) {
            meldStartFout(e);
        }
        beeindig();
        return;
    case Opzoeken::Gevonden: {
        // A copy of the template that a run killed midway left beside the
        // data file goes (only such temporary files of ours).
        os::removeLeftoversBeside(pad);
        compacteerAlsAanvaard(pad);
        bool mislukt = false;
        try {
            KoppelDatabestand(pad, false, true);
        } catch (const platform::Error &e) {
            meldStartFout(e);
            mislukt = true;
        }
        if (gstrConnData.isEmpty()) {
            // A file refused by the user or by its version ends the run. A
            // damaged file, or one that is no database, would do so at every
            // start: the settings screen opens instead, as for a missing
            // file, and the file stays as it is.
            if (!mislukt && !modCompress::pfunIsBeschadigd(pad)) {
                beeindig();
                return;
            }
            ui::resetCursor();
            main->openSettingsScreen();
            break;
        }
        // Coupled: the commands on the data file come on.
        ZetMenuStatus(false);
        main->openSplash();
        break;
    }
    case Opzoeken::NietGevonden:
        ui::resetCursor();
        main->openSettingsScreen();
        ui::MsgBox(
            QStringLiteral("Het databestand ") + pad
                + QStringLiteral(" is niet gevonden. Wijzig de bestandslocatie of maak een nieuw databestand aan."),
            ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Koppeling aan databestand"));
        break;
    }
    if (shell::frmMDI_main *loaded = shell::frmMDI_main::instance())
        toonProgrammaversie(*loaded);
}

} // namespace

void Main(const tavir::ProgramVersion &version)
{
    gVersion = version;
    gblnRevisie999 = version.revision == 999;

    if (version.minor > 9) {
        ui::MsgBox(QStringLiteral("De applicatie heeft een ongeldig versienr. Neem contact op met de helpdesk."),
                   ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Check versienr"));
        return;
    }
    if (!eersteInstantie()) {
        ui::MsgBox(QStringLiteral("Het programma is reeds geopend"), ui::Buttons::OK, ui::Icon::Information,
                   QLatin1String(tavir::kProgramTitle));
        return;
    }
    // A program update that the updater could not finish (it was broken
    // off) is completed, or undone, before anything of the program is read.
    updater::recover(os::programDir());
    InstallSchermSessie();
    try {
        start();
    } catch (const platform::Error &e) {
        // Whatever else fails at start ends it in order, with the report.
        meldStartFout(e);
        beeindig();
    }
}

void releaseSingleInstance()
{
    instanceLock().reset();
}

} // namespace modMain
