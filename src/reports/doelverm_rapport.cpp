// The target-fund and levy report.

#include "reports/doelverm_rapport.h"

#include "reports/kop_voettekst.h"
#include "reports/niet_geselecteerd.h"
#include "reports/rap_dv_scherm.h"
#include "reports/rap_dv_word.h"
#include "reports/rap_heffing.h"
#include "reports/rapport_tekst.h"
#include "reports/voorblad.h"

#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "records/clsStort.h"
#include "records/context.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QFileInfo>

namespace reports {

namespace {

constexpr float kEigenTarief = -9.0f;
const QString kFilter = QStringLiteral("Word bestanden (*.docx)|*.docx|");

} // namespace

DoelvermRapport::DoelvermRapport(Voortgang *voortgang) : m_voortgang(voortgang) {}

DoelvermRapport::~DoelvermRapport() = default;

void DoelvermRapport::verbergVoortgang()
{
    if (m_voortgang) {
        m_voortgang->setVisible(false);
        m_voortgang->setValue(1);
    }
}

bool DoelvermRapport::maak(const DoelvermKeuzes &keuzes, QString &btwTekst, const WordReportContext &ctx)
{
    try {
        if (btwTekst.trimmed() == QStringLiteral("0"))
            btwTekst.clear();
        const bool blnBTW = !btwTekst.trimmed().isEmpty();

        mobjHeffing.reset();
        mobjDV = std::make_unique<calc::clsDV>(ctx);
        mobjDV->initializeDV(ctx.glngStortID, kEigenTarief, kEigenTarief);
        bool verder = mobjDV->VerifyBeforeBerekening2();
        if (verder && !mobjDV->BerekenAlles()) {
            ui::MsgBox(QStringLiteral("Uw ingevoerde gegevens bevatten fouten. Er wordt geen rapportage opgesteld."),
                       ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Rapportage"));
            verder = false;
        }
        if (verder) {
            if (keuzes.alleenWord()) {
                QString map;
                const QString bestand = kiesBestand(ctx, map);
                if (bestand.isEmpty())
                    return false; // cancelled: nothing is written, the screen stays
                naarWord(keuzes, blnBTW, ctx, bestand);
            } else {
                naarScherm(keuzes, ctx);
            }
        }
        ui::resetCursor();
        mobjDV.reset();
        mobjHeffing.reset();
        return true;
    } catch (const platform::Error &e) {
        ui::resetCursor();
        verbergVoortgang();
        // A save dialog cancelled ends the report silently.
        if (!ui::isCancelError(e))
            records::reportReleaseError(ctx, e.withSource(QStringLiteral("export word")));
        return false;
    }
}

namespace {

// Computes the levy of the open site; true when it may be reported.
bool berekenHeffing(std::unique_ptr<calc::clsHeffing> &heffing, const calc::clsDV &dv, const calc::Context &ctx)
{
    heffing = std::make_unique<calc::clsHeffing>(ctx);
    heffing->psubBerekenHeffingPerTon(dv.DoelvermogenMetRisicoFonds(), dv);
    return heffing->ValidatieOK;
}

// The site's rows are those the calculation has just read.
void openRapportView(calc::clsDV &dv, int optRapSort)
{
    dv.rapOpenActRecordsetVanBerekening();
    const QString veld = sorteerVeld(optRapSort);
    if (!veld.isEmpty())
        dv.rapSorteerVeldNaam(veld);
}

} // namespace

void DoelvermRapport::naarScherm(const DoelvermKeuzes &keuzes, const WordReportContext &ctx)
{
    RapportTekst *rap = laadRapScherm();
    rap->setText(QString());
    rap->setFont(QStringLiteral("arial"), 8);
    if (keuzes.chkRapDV) {
        openRapportView(*mobjDV, keuzes.optRapSort);
        RapDVScherm schrijver(*mobjDV, *rap);
        schrijver.optRapSort = keuzes.optRapSort;
        schrijver.RapDVnaarScherm();
    }
    if (keuzes.chkRapHef && berekenHeffing(mobjHeffing, *mobjDV, ctx))
        RapHeffingNaarScherm(*mobjHeffing, *rap);
    rap->SelStart(0);
    rap->setZichtbaar(true);
}

QString DoelvermRapport::kiesBestand(const WordReportContext &ctx, QString &map, bool onthoud)
{
    records::clsStort stort(ctx);
    stort.initializeStort(ctx.glngStortID);
    ui::FileDialogRequest vraag;
    vraag.title = QStringLiteral("Rapportage opslaan als ...");
    vraag.filter = kFilter;
    vraag.filterIndex = 1;
    vraag.flags = ui::FileFlag::OverwritePrompt | ui::FileFlag::HideReadOnly | ui::FileFlag::PathMustExist;
    vraag.initialDir = rapportMap(stort.StandaardExportDir());
    vraag.fileName = voorgesteldeNaam(ctx.gstrNaamStort, ctx.now().date());
    vraag.defaultExt = QStringLiteral("docx");
    const ui::FileDialogResult keuze = ui::ShowSave(vraag);
    if (keuze.cancelled || keuze.fileName.isEmpty())
        return QString();
    // The folder is the site's report folder from now on. Remembering it is
    // a convenience, not part of the report, which only reads: a data file
    // that cannot be written (read-only) keeps its old folder without a word,
    // any other failure to write it is reported once, and the report goes on
    // either way. The edit is dropped, so the release does not try again.
    map = QFileInfo(keuze.fileName).absolutePath() + QLatin1Char('/');
    if (!onthoud)
        return keuze.fileName;
    try {
        stort.StandaardExportDir(map);
        stort.Move0();
    } catch (const platform::Error &e) {
        stort.CancelUpdate();
        if (e.number() != db::err::kReadOnly)
            records::reportReleaseError(ctx, e);
    }
    return keuze.fileName;
}

void DoelvermRapport::naarWord(const DoelvermKeuzes &keuzes, bool blnBTW, const WordReportContext &ctx,
                               const QString &bestand)
{
    ui::setBusyCursor();
    word::Application app;
    word::Document &doc = app.Documents().Add();
    bool blnDeelVooraf = false;
    if (keuzes.chkVoorblad) {
        InsertVoorbladAlgemeneGegevens(doc, app, 0, mobjDV.get(), blnBTW, ctx);
        blnDeelVooraf = true;
    }
    if (keuzes.chkRapDV) {
        openRapportView(*mobjDV, keuzes.optRapSort);
        RapDVWord schrijver(*mobjDV, app, doc, ctx, m_voortgang);
        schrijver.optRapSort = keuzes.optRapSort;
        schrijver.RapDVnaarWord(blnDeelVooraf);
        blnDeelVooraf = true;
    }
    if (keuzes.chkRapUnselectedCLitems) {
        InsertOverzichtNietGeselecteerdeCLitems(doc, app, blnDeelVooraf, 0, ctx,
                                                checklistRefsVan(mobjDV->rijenBerekening(), ctx));
        blnDeelVooraf = true;
    }
    if (keuzes.chkRapHef && berekenHeffing(mobjHeffing, *mobjDV, ctx))
        RapHeffingNaarWord(*mobjHeffing, app, blnDeelVooraf);

    psubInvoegenKopVoettekst(doc, ctx);
    doc.TableGridlines = false;
    // Fields show the moment of making and the estimated page count now;
    // the readers count the pages themselves, and Word updates the dates
    // when the report is printed. Nothing asks the reader to update fields
    // when the protected report opens.
    doc.UpdateFields(ctx.now());
    doc.Protect(word::wdAllowOnlyFormFields, kRapportWachtwoord);
    bewaar(doc, bestand, ctx);
}

void DoelvermRapport::bewaar(word::Document &doc, const QString &bestand, const WordReportContext &ctx)
{
    // Saving under another name, as Word's own Save As does: the site's
    // report folder stays as chosen for this report.
    const QString naam = bewaarOfAndereNaam(doc, bestand, [&](const QString &) {
        QString map;
        return kiesBestand(ctx, map, false);
    });
    if (naam.isEmpty())
        ui::raiseCancelError();
    verbergVoortgang();
    ui::resetCursor();
    if (ui::MsgBox(QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?"), ui::Buttons::YesNo,
                   ui::Icon::Question, QStringLiteral("Rapportage doelvermogen & heffing"))
        == ui::Answer::Yes)
        openRapport(naam, QStringLiteral("Rapportage doelvermogen & heffing"));
}

} // namespace reports
