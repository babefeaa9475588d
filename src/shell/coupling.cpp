#include "shell/coupling.h"

#include "shell/app_settings.h"
#include "shell/connection_strings.h"
#include "shell/datafile_name.h"
#include "shell/datafile_upgrade.h"
#include "shell/datafile_version.h"
#include "shell/file_locations.h"
#include "shell/menu_status.h"
#include "shell/program_info.h"
#include "shell/program_state.h"

#include "platform/os/file_hold.h"
#include "platform/ui/dialogs.h"

#include <memory>

namespace modMain {

namespace {

const QString kTitel = QStringLiteral("Koppeling databestand");

// The hold on the coupled data file, kept until another file is coupled or
// the program ends (see coupling.h).
std::unique_ptr<os::FileHold> &houvast()
{
    static std::unique_ptr<os::FileHold> hold;
    return hold;
}

// A shared hold on the file at `pad`, taken before anything reads it: a
// compaction of another instance is waited for. Null when the file system
// keeps no locks (or the file cannot be opened: reading it fails anyway);
// the coupling then goes on without one.
std::unique_ptr<os::FileHold> houdVast(const QString &pad)
{
    auto hold = std::make_unique<os::FileHold>();
    if (hold->share(pad) != os::FileHold::Outcome::Held)
        return nullptr;
    return hold;
}

bool maakUitSjabloon(const QString &pad)
{
    QString fout;
    if (pfunKopieerSjabloon(pad, false, &fout))
        return true;
    ui::MsgBox(QStringLiteral("Het databestand ") + pad
                   + QStringLiteral(" kan niet worden aangemaakt uit het sjabloon ") + pfunSjabloonBestand()
                   + QStringLiteral(".\n") + fout,
               ui::Buttons::OK, ui::Icon::Exclamation, kTitel);
    return false;
}

// Compares the file's format version with the program's; true when the
// coupling may go on.
bool versieAanvaard(const QString &pad)
{
    const qint32 versie = modCompress::pfunVersieDatabestand(pad);
    if (versie == modCompress::kTabelOntbreekt)
        return false; // damaged, and said so
    const qint32 programma = pfunProgVersieNr();
    if (versie < programma) {
        const ui::Answer antwoord = ui::MsgBox(
            QStringLiteral("Databestand '") + pad
                + QStringLiteral("' staat in het format van een vorige versie van TAVIR.")
                + QStringLiteral("\n\nHet bestand zal nu worden omgezet voor gebruik met de huidige versie van TAVIR.")
                + QStringLiteral("\n\nLET OP: Na omzetting kan het databestand niet meer worden gebruikt met de vorige "
                                 "versie van TAVIR."),
            ui::Buttons::OKCancel, ui::Icon::Exclamation, QStringLiteral("Upgraden databestand"));
        if (antwoord != ui::Answer::Ok) {
            ui::MsgBox(QStringLiteral("Koppeling is geannuleerd."), ui::Buttons::OK, ui::Icon::Information, kTitel);
            return false;
        }
        return true;
    }
    if (versie > programma) {
        ui::MsgBox(
            QStringLiteral("Dit databestand is van een latere versie dan TAVIR. Koppeling kan niet worden gelegd."),
            ui::Buttons::OK, ui::Icon::Exclamation, kTitel);
        return false;
    }
    return true;
}

} // namespace

void KoppelDatabestand(const QVariant &bestand, bool nieuw, bool stil)
{
    if (!pfunBestandsnaamGeldig(bestand))
        return;
    const QString pad = bestand.toString();

    if (nieuw && !maakUitSjabloon(pad))
        return;
    // The file this instance holds already (coupled again) keeps its hold.
    const bool alGehouden = houvast() && houvast()->holds(pad);
    std::unique_ptr<os::FileHold> hold = alGehouden ? nullptr : houdVast(pad);
    if (!nieuw && !versieAanvaard(pad))
        return;

    // A new file from an older template, or an older file the user agreed
    // to convert, is brought up to date before anything points at it.
    const QString connData = pfunConnStrData(pad);
    modCompress::UpgradeDatabestand(connData);

    BewaarInstelling(QLatin1String(kSetDatabestand), pad);
    gstrDatabestand = pad;
    gstrConnData = connData;
    gstrConnShape = pfunConnStrShape(pad);
    if (!alGehouden)
        houvast() = std::move(hold);

    if (!stil) {
        ui::MsgBox(QStringLiteral("Koppeling aan {") + pad + QStringLiteral("} is ingesteld. "), ui::Buttons::OK,
                   ui::Icon::Information, kTitel);
        ZetMenuStatus(false);
    }
}

void LaatDatabestandLos()
{
    houvast().reset();
}

} // namespace modMain
