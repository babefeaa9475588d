// The cost-item table of the input-data report.

#include "reports/rap_kostenposten.h"

#include "reports/clsActRapInvoer.h"
#include "reports/niet_geselecteerd.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/ui/dialogs.h"

#include <limits>

namespace reports {

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Table rows are counted in 16 bits, as the table of Word is addressed;
// a site that needs more rows ends the part with an overflow.
int volgendeRij(int r, int erbij)
{
    if (r + erbij > std::numeric_limits<qint16>::max())
        throw platform::Error(vb::kErrOverflow, QStringLiteral("Overflow"), QStringLiteral("RapporteerKostenposten"));
    return r + erbij;
}

// Two empty rows above row r; the header text goes into the second.
void koprijen(word::Table &t, int r)
{
    t.InsertRows(r, 2);
}

void legendaRegel(word::Selection &sel, int klasse, const QString &tekst)
{
    typeSymbool(sel, klasse);
    sel.TypeText(QStringLiteral(" ") + tekst + CRLF);
}

} // namespace

void RapporteerKostenposten(word::Application &app, word::Document &doc, const WordReportContext &ctx,
                            Voortgang *voortgang, const bool &blnDeelVooraf, std::optional<QString> *checklistRefs)
{
    clsActRapInvoer mobjActRap(ctx);
    if (checklistRefs)
        *checklistRefs = checklistRefsVan(*mobjActRap.DataMember(QStringLiteral("rsRap")), ctx);
    mobjActRap.rapSorteerOp(QStringLiteral("ObjCat"));
    const qint32 aantal = mobjActRap.AantalRecords();
    if (aantal == 0) {
        ui::MsgBox(kGeenKostenposten);
        return;
    }
    if (aantal + 2 > std::numeric_limits<qint16>::max())
        throw platform::Error(vb::kErrOverflow, QStringLiteral("Overflow"), QStringLiteral("RapporteerKostenposten"));
    if (voortgang) {
        voortgang->setMinimum(1);
        voortgang->setMaximum(aantal + 1);
    }

    word::Selection &sel = app.Selection();
    if (blnDeelVooraf)
        sel.InsertBreak(word::wdSectionBreakNextPage);
    sel.EndKey(word::wdStory);

    sel.Font().Name = QStringLiteral("Arial");
    typeInvoerKop(sel, QStringLiteral(">>  Kostenposten"));
    zetPagina(sel, {word::wdOrientLandscape, 29.7f, 21.0f, 1.5f, 1.5f, 2.5f, 2.5f});

    word::Table &t = doc.Tables().Add(sel.Range(), aantal + 2, 8);
    const QStringList kop = {QString(),
                             QStringLiteral("post"),
                             QStringLiteral("start"),
                             QStringLiteral("eind"),
                             QStringLiteral("freq."),
                             QStringLiteral("kosten"),
                             QStringLiteral("verwijzing nazorgplan"),
                             QStringLiteral("opmerkingen")};
    for (int c = 1; c <= 8; ++c)
        t.Cell(1, c).Text = kop[c - 1];

    int r = 2;
    QString vorigeCat, vorigeVoorz;
    mobjActRap.rapRsActMoveFirst();
    for (qint32 i = 1; i <= aantal; ++i) {
        if (voortgang)
            voortgang->setValue(i);
        const QString cat = mobjActRap.rapObjectCat();
        const QString voorz = mobjActRap.rapVoorz();
        const bool nieuweCat = cat != vorigeCat || i == 1;
        if (nieuweCat) {
            koprijen(t, r);
            word::Cell &c = t.Cell(r + 1, 2);
            c.Text = cat.toUpper();
            c.Font.Bold = true;
            kwn(t, r, true);
            kwn(t, r + 1, true);
            kwn(t, r + 2, true);
            kwn(t, r - 1, false);
            r = volgendeRij(r, 2);
        }
        if (nieuweCat || voorz != vorigeVoorz) {
            koprijen(t, r);
            word::Cell &c = t.Cell(r + 1, 2);
            c.Text = voorz;
            c.Font.Underline = true;
            if (!nieuweCat)
                kwn(t, r - 1, false);
            kwn(t, r, true);
            kwn(t, r + 1, true);
            r = volgendeRij(r, 2);
        }
        kwn(t, r, true);
        zetSymbool(t.Cell(r, 1), mobjActRap.rapIsQor());
        const QStringList teksten = {mobjActRap.rapKostenpost(),   mobjActRap.rapTstart(),
                                     mobjActRap.rapTeind(),        mobjActRap.rapFreq(),
                                     mobjActRap.rapPrijsPerKeer(), mobjActRap.rapVerwijzingNazorgplan(),
                                     mobjActRap.rapOpmerkingen()};
        for (int c = 2; c <= 8; ++c)
            t.Cell(r, c).Text = teksten[c - 2];
        vorigeCat = cat;
        vorigeVoorz = voorz;
        r = volgendeRij(r, 1);
        if (i < aantal)
            mobjActRap.GaNaarVolgendeRecord();
    }

    // The table's layout; a row moves to the next page whole.
    t.SetHeightRule(word::wdRowHeightAuto);
    t.SetAllowBreakAcrossPages(false);
    // Wide enough for the longest regular content of each column: a start
    // as "2024 * + 75 #", a frequency as "1x per 25 jr", a category name in
    // bold capitals ("GRONDWATERMONITORINGSSYSTEEM").
    const float breedtes[] = {0.5f, 6.3f, 2.5f, 2.0f, 2.3f, 4.4f, 3.0f, 3.7f};
    for (int c = 1; c <= 8; ++c)
        t.SetColumnWidth(c, word::CentimetersToPoints(breedtes[c - 1]));
    for (word::Cell *c : t.ColumnCells(1))
        c->Font.Name = kSymboolKolomFont;
    word::Row &kopRij = t.Rows(1);
    kopRij.Borders(word::wdBorderBottom).setLineStyle(word::wdLineStyleSingle);
    kopRij.Borders(word::wdBorderTop).setLineStyle(word::wdLineStyleSingle);
    kopRij.HeadingFormat = true;
    kopRij.setBold(true);
    t.Rows(t.RowCount()).Borders(word::wdBorderBottom).setVisible(true);
    // The legend below the table stays with the table's end.
    kwn(t, t.RowCount(), true);

    // The legend.
    sel.EndKey(word::wdStory);
    sel.ParagraphFormat().KeepWithNext = true;
    sel.TypeParagraph();
    sel.ParagraphFormat().KeepWithNext = true;
    sel.TypeText(QStringLiteral("Verklaring:") + CRLF);
    legendaRegel(sel, 1, QStringLiteral(": QOR-checklistpost, invoer voldoet aan criteria;"));
    legendaRegel(sel, 2, QStringLiteral(": QOR-checklistpost, invoer voldoet niet aan criteria;"));
    legendaRegel(sel, 0, QStringLiteral(": door de gebruiker gedefinieerde kostenpost."));
    sel.ParagraphFormat().KeepWithNext = true;
    sel.TypeText(CRLF);
    sel.TypeText(QStringLiteral("De jaren start en eind zijn ingevoerd t.o.v. aanvang nazorg, waarbij jaar 1= jaar van "
                                "aanvang nazorg.")
                 + CRLF);
    sel.TypeText(QStringLiteral("Uitzonderingen:") + CRLF);
    sel.TypeText(QStringLiteral("* : betreft kalenderjaar;") + CRLF);
    sel.TypeText(QStringLiteral("# : betreft jaar na aanleg bovenafdichting, waarbij jaar 1= jaar waarin "
                                "bovenafdichting is aangelegd.")
                 + CRLF);
    sel.TypeText(CRLF);
    sel.ParagraphFormat().KeepWithNext = false;
    sel.EndKey(word::wdStory);
}

} // namespace reports
