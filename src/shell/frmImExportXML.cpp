#include "shell/frmImExportXML.h"

#include "shell/frmOpenInr.h"
#include "shell/program_state.h"

#include "reports/word_report.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/ui/dialogs.h"

namespace frmImExportXML {

namespace {

Bewerkingen &bewerkingen()
{
    static Bewerkingen b;
    return b;
}

[[noreturn]] void nietBeschikbaar()
{
    throw platform::Error(kNietBeschikbaar, QStringLiteral("Deze bewerking is niet beschikbaar."),
                          QStringLiteral("frmImExportXML"));
}

ui::FileDialogRequest verzoek(const QString &titel)
{
    ui::FileDialogRequest r;
    r.title = titel;
    r.filter = QLatin1String(kFilter);
    r.filterIndex = 1;
    r.flags = kFlags;
    return r;
}

} // namespace

void setBewerkingen(Bewerkingen b)
{
    bewerkingen() = std::move(b);
}

void Voeruit(const QString &tag)
{
    try {
        if (tag == QLatin1String("export")) {
            ui::FileDialogRequest r = verzoek(QStringLiteral("Exporteren..."));
            // The site's name as a file name, as the reports propose it: a
            // "/" or ":" in it would name a folder or a drive.
            r.fileName = reports::bestandsveilig(modMain::gstrNaamStort);
            const QString bestand = ui::chosenFileOrRaise(ui::ShowSave(r));
            if (!bewerkingen().exporteer)
                nietBeschikbaar();
            bewerkingen().exporteer(bestand);
        } else if (tag == QLatin1String("import")) {
            const QString bestand = ui::chosenFileOrRaise(ui::ShowOpen(verzoek(QStringLiteral("Importeren..."))));
            if (!bewerkingen().importeer)
                nietBeschikbaar();
            if (bewerkingen().importeer(bestand)) {
                if (shell::frmOpenInr *lijst = screens::Form::loaded<shell::frmOpenInr>())
                    lijst->pFillList();
            } else {
                ui::MsgBox(QStringLiteral("Er is een fout opgetreden bij het importeren."), ui::Buttons::OK,
                           ui::Icon::Critical, QStringLiteral("Fout bij import"));
            }
        } else {
            ui::MsgBox(QStringLiteral("Onbekende tag in frmImExportXML (") + tag + QStringLiteral(")"), ui::Buttons::OK,
                       ui::Icon::Critical, QStringLiteral("Fout bij export/import"));
        }
    } catch (const platform::Error &e) {
        if (ui::isCancelError(e))
            return;
        // The number, and what went wrong when the error says so.
        ui::MsgBox(e.description().isEmpty() ? QString::number(e.number())
                                             : QString::number(e.number()) + QStringLiteral("\n") + e.description());
    }
}

} // namespace frmImExportXML
