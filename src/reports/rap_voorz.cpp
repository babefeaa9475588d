// The input-data report: its choices, the facilities list and the driver.

#include "reports/rap_voorz.h"

#include "reports/kop_voettekst.h"
#include "reports/niet_geselecteerd.h"
#include "reports/rap_kostenposten.h"
#include "reports/voorblad.h"

#include "records/clsStort.h"
#include "records/clsVoorz.h"

#include "platform/core/error.h"
#include "platform/text/format.h"
#include "platform/ui/busy_cursor.h"

#include <utility>
#include <vector>

namespace reports {

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Asks for another name after a failed save (an empty answer gives up).
QString andereNaam(const QString &naam, const WordReportContext &ctx)
{
    ui::FileDialogRequest vraag = RapVoorzOpslaanVraag(ctx.gstrNaamStort, ctx.now().date());
    vraag.fileName = naam;
    const ui::FileDialogResult r = ui::ShowSave(vraag);
    return r.cancelled ? QString() : r.fileName;
}

} // namespace

bool RapVoorzKeuze::ZetOKButton() const
{
    return chkAlg != 0 || chkVoorz != 0 || chkAct != 0 || chkRapUnselectedCLitems != 0;
}

ui::FileDialogRequest RapVoorzOpslaanVraag(const QString &gstrNaamStort, const QDate &vandaag, const QString &map)
{
    ui::FileDialogRequest vraag;
    vraag.initialDir = map;
    vraag.title = QStringLiteral("Rapportage opslaan als ...");
    vraag.filter = QStringLiteral("Word bestanden (*.docx)|*.docx|");
    vraag.filterIndex = 1;
    vraag.flags = ui::FileFlag::OverwritePrompt | ui::FileFlag::HideReadOnly | ui::FileFlag::PathMustExist;
    vraag.defaultExt = QStringLiteral("docx");
    vraag.fileName = QStringLiteral("Rapp invoer ") + bestandsveilig(gstrNaamStort) + QStringLiteral(" ")
                     + vb::Format(vandaag, QStringLiteral("dd-mm-yyyy")) + QStringLiteral(".docx");
    return vraag;
}

void RapporteerVoorzieningen(word::Application &app, const WordReportContext &ctx, const bool &blnDeelVooraf)
{
    records::clsVoorz voorz(ctx);
    word::Selection &sel = app.Selection();
    if (blnDeelVooraf)
        sel.InsertBreak(word::wdSectionBreakNextPage);
    zetPagina(sel, kStaand);
    sel.Font().Name = QStringLiteral("Arial");
    typeInvoerKop(sel, QStringLiteral(">>  Voorzieningen"));
    sel.Font().Size = 10;
    sel.Font().Bold = false;

    // The facilities by category: each category's list keeps its heading
    // with its first two lines, and breaks over pages with at least two
    // lines on either side.
    std::vector<std::pair<QString, QStringList>> lijsten;
    const qint32 aantal = voorz.AantalRecords();
    for (qint32 i = 1; i <= aantal; ++i) {
        const QString cat = voorz.ObjectCat();
        if (lijsten.empty() || cat != lijsten.back().first)
            lijsten.push_back({cat, {}});
        lijsten.back().second << voorz.VoorzieningNaam();
        voorz.moveNext();
    }
    for (const auto &[cat, namen] : lijsten) {
        sel.ParagraphFormat().KeepWithNext = true;
        sel.TypeText(CRLF + cat.toUpper() + CRLF);
        for (qsizetype k = 0; k < namen.size(); ++k) {
            sel.ParagraphFormat().KeepWithNext = k < namen.size() - 1 && (k == 0 || k == namen.size() - 2);
            sel.TypeText(QStringLiteral(" ") + namen[k] + CRLF);
        }
    }
    sel.ParagraphFormat().KeepWithNext = false;
    sel.TypeText(CRLF + CRLF + CRLF);
    sel.EndKey(word::wdStory);
}

void SchrijfRapVoorz(word::Application &app, word::Document &doc, const RapVoorzKeuze &keuze,
                     const WordReportContext &ctx, Voortgang *voortgang)
{
    bool blnDeelVooraf = false;
    // The checklist items in use, from the cost items as the table read them.
    std::optional<QString> checklistRefs;
    if (keuze.chkAlg != 0) {
        InsertVoorbladAlgemeneGegevens(doc, app, kModusInvoer, nullptr, false, ctx);
        blnDeelVooraf = true;
    }
    if (keuze.chkVoorz != 0) {
        RapporteerVoorzieningen(app, ctx, blnDeelVooraf);
        blnDeelVooraf = true;
    }
    if (keuze.chkAct != 0) {
        if (voortgang)
            voortgang->setVisible(true);
        RapporteerKostenposten(app, doc, ctx, voortgang, blnDeelVooraf, &checklistRefs);
        blnDeelVooraf = true;
    }
    if (keuze.chkRapUnselectedCLitems != 0) {
        if (voortgang)
            voortgang->setVisible(false);
        InsertOverzichtNietGeselecteerdeCLitems(doc, app, blnDeelVooraf, kModusInvoer, ctx, checklistRefs);
    }
    psubInvoegenKopVoettekst(doc, ctx);
    doc.TableGridlines = false;
}

QString RapporteerRapVoorz(const RapVoorzKeuze &keuze, const WordReportContext &ctx, Voortgang *voortgang)
{
    try {
        // The dialog opens where the site's last report was saved; the
        // folder chosen here is not stored for the site.
        QString map;
        try {
            records::clsStort stort(ctx);
            stort.initializeStort(ctx.glngStortID);
            map = stort.StandaardExportDir();
        } catch (const platform::Error &) {
            // The site cannot be read: the writers will tell; the dialog
            // opens in the documents folder.
        }
        QString strBestandsnaam = ui::chosenFileOrRaise(
            ui::ShowSave(RapVoorzOpslaanVraag(ctx.gstrNaamStort, ctx.now().date(), rapportMap(map))));
        ui::setBusyCursor();
        {
            word::Application wdApp;
            word::Document &wdDoc = wdApp.Documents().Add();
            SchrijfRapVoorz(wdApp, wdDoc, keuze, ctx, voortgang);
            strBestandsnaam =
                bewaarOfAndereNaam(wdDoc, strBestandsnaam, [&](const QString &naam) { return andereNaam(naam, ctx); });
            wdApp.Quit();
        }
        if (voortgang) {
            voortgang->setVisible(false);
            voortgang->setValue(1);
        }
        ui::resetCursor();
        if (strBestandsnaam.isEmpty())
            return QString();
        if (ui::MsgBox(QStringLiteral("De rapportage is gereed.") + CRLF
                           + QStringLiteral("Wilt u nu het rapport openen?"),
                       ui::Buttons::YesNo, ui::Icon::Question, QStringLiteral("Rapportage ingevoerde gegevens"))
            == ui::Answer::Yes)
            openRapport(strBestandsnaam, QStringLiteral("Rapportage ingevoerde gegevens"));
        return strBestandsnaam;
    } catch (const platform::Error &e) {
        if (voortgang)
            voortgang->setVisible(false);
        ui::resetCursor();
        if (!ui::isCancelError(e))
            meldFout(ctx, e, QString());
        return QString();
    }
}

} // namespace reports
