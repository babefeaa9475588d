// The target-fund table in Word.

#include "reports/rap_dv_word.h"

#include "reports/rap_dv_blok_ab.h"

#include "platform/text/format.h"

#include <algorithm>

namespace reports {

namespace {

const QString kEuro = QStringLiteral("€ #,#0");
const QString CRLF = QStringLiteral("\r\n");

QString euro(float v)
{
    return vb::Format(v, kEuro);
}

// A summary row in 9 points: its text in cell 1 merged with cell 2, the
// amount in cell 8 and its share of the target fund in cell 9; a line
// above it when asked.
void somRij(const calc::clsDV &dv, word::Table &t, int r, const QString &tekst, float bedrag, bool lijnBoven)
{
    t.Cell(r, 1).Text = tekst;
    if (lijnBoven)
        t.Rows(r).Borders(word::wdBorderTop).setVisible(true);
    t.Cell(r, 8).Text = euro(bedrag);
    t.Cell(r, 9).Text = dv.rapPercVanDV(bedrag);
    t.Rows(r).setFontSize(9);
    t.Merge(r, 1, 2);
}

} // namespace

RapDVWord::RapDVWord(calc::clsDV &dv, word::Application &app, word::Document &doc, const WordReportContext &ctx,
                     Voortgang *voortgang)
    : m_dv(dv), m_app(app), m_doc(doc), m_ctx(ctx), m_voortgang(voortgang)
{
}

void RapDVWord::groepsSubtotaal(word::Table &t, int r, std::uint8_t key, const QString &label)
{
    t.Cell(r + 1, 2).Text = QStringLiteral("Subtotaal ") + label + CRLF;
    // The group's rows of rubric "Overig" stand apart, after block B.
    const QVariant totaal = m_dv.rapTotaalPerSorteerveldZonderOverig(key);
    const float dv = m_dv.DoelvermogenZonderRisicoFonds();
    t.Cell(r + 1, 8).Text = vb::Format(totaal, kEuro);
    t.Cell(r + 1, 9).Text = vb::Format(dv == 0.0f ? 0.0f : totaal.toFloat() / dv, QStringLiteral("(0.0%)"));
    t.Rows(r + 1).setBold(true);
    kwn(t, r, true);
    kwn(t, r + 1, false);
}

void RapDVWord::kopB(word::Table &t, int r)
{
    t.Merge(r, 1, 2);
    t.Rows(r).setFontSize(12);
    t.Cell(r, 1).Text = QStringLiteral("B: Vervangingskosten");
    kwn(t, r, true);
}

void RapDVWord::voortgang()
{
    ++m_rijenGeschreven;
    if (m_voortgang)
        m_voortgang->setValue(m_rijenGeschreven + 1);
}

void RapDVWord::voorzieningKop(word::Table &t, qint16 &r, const QString &voorz, bool nieuweGroep)
{
    t.Cell(r + 1, 2).Font.Underline = true;
    t.Cell(r + 1, 2).Text = voorz;
    if (!nieuweGroep)
        kwn(t, r - 1, false);
    kwn(t, r, true);
    kwn(t, r + 1, true);
    r += 2;
}

void RapDVWord::itemRij(word::Table &t, int r, const calc::DVRapportRegel &regel, bool metAandeel)
{
    // rapIsQOR also sets the four flags of this row.
    kwn(t, r, true);
    const std::uint8_t klasse = m_dv.rapIsQOR(regel);
    zetSymbool(t.Cell(r, 1), klasse);
    t.Cell(r, 2).Text = regel.Kostenpost();
    t.Cell(r, 3).Text = regel.KalJaarAanlegBA();
    t.Cell(r, 4).Text = regel.Tstart();
    t.Cell(r, 5).Text = regel.Teind();
    t.Cell(r, 6).Text = regel.Freq();
    t.Cell(r, 7).Text = regel.PrijsPerKeer();
    t.Cell(r, 8).Text = regel.NCWBedrag();
    if (metAandeel)
        t.Cell(r, 9).Text = vb::Format(regel.FractieVanTotaalDV(), QStringLiteral("(0.0%)"));
    if (klasse == 2) {
        t.Cell(r, 4).Font.Italic = m_dv.rapIsNietQOR_JaarStart;
        t.Cell(r, 5).Font.Italic = m_dv.rapIsNietQOR_JaarEind;
        t.Cell(r, 6).Font.Italic = m_dv.rapIsNietQOR_Freq;
        t.Cell(r, 7).Font.Italic = m_dv.rapIsNietQOR_Kosten;
    }
}

void RapDVWord::blokOverig(word::Table &t, qint16 &r)
{
    reserveer(t, r + 8);
    kwn(t, r - 1, false);
    t.Merge(r, 1, 2);
    t.Rows(r).setFontSize(12);
    t.Cell(r, 1).Text = kKopOverig;
    kwn(t, r, true);
    ++r;
    QString vorigeVoorz;
    bool eerste = true;
    const qint32 n = std::min(m_dv.lngAantalRecords, m_dv.rapAantalRijen());
    for (qint32 i = 0; i < n; ++i) {
        const calc::DVRapportRegel regel = m_dv.rapRegel(i);
        if (regel.Rubriek() == kRubriekOverig) {
            reserveer(t, r + 8);
            voortgang();
            const QString voorz = regel.Voorz();
            if (eerste || voorz != vorigeVoorz)
                voorzieningKop(t, r, voorz, eerste);
            // Not part of the target fund: no share of it.
            itemRij(t, r, regel, false);
            vorigeVoorz = voorz;
            eerste = false;
            ++r;
        }
    }
    reserveer(t, r + 8);
    kwn(t, r, true);
    t.Cell(r + 1, 2).Text = kSubtotaalOverig;
    t.Cell(r + 1, 8).Text = euro(m_dv.TotaalRubriek(kRubriekOverig));
    t.Rows(r + 1).setBold(true);
    kwn(t, r + 1, true);
    t.Cell(r + 2, 2).Font.Italic = true;
    t.Cell(r + 2, 2).Text = kBuitenDoelvermogen + CRLF;
    t.Merge(r + 2, 2, 9);
    kwn(t, r + 2, false);
    r += 3;
}

void RapDVWord::RapDVnaarWord(bool &blnDeelVooraf)
{
    word::Selection &sel = m_app.Selection();
    // 1. Progress.
    m_rijenGeschreven = 0;
    if (m_voortgang) {
        m_voortgang->setVisible(true);
        m_voortgang->setMinimum(1);
        m_voortgang->setMaximum(m_dv.lngAantalRecords + 1);
    }
    // 2. Section.
    if (blnDeelVooraf)
        sel.InsertBreak(word::wdSectionBreakNextPage);
    // 3. Title.
    sel.Font().Name = QStringLiteral("Arial");
    sel.Font().Size = 15;
    sel.TypeText(QStringLiteral("Rapportage doelvermogen"));
    sel.Font().Size = 8;
    sel.Font().Bold = false;
    sel.InsertBreak(word::wdLineBreak);
    sel.TypeText(QStringLiteral("Inrichting: ") + m_ctx.gstrNaamStort);
    sel.InsertBreak(word::wdLineBreak);
    // 4. Page.
    zetPagina(sel, {word::wdOrientLandscape, 29.7f, 21.0f, 1.4f, 1.4f, 2.4f, 2.4f});

    // 5. Table.
    word::Table &t = m_doc.Tables().Add(sel.Range(), m_dv.AantalDVtabelRegels(), 9);
    t.SetInsideLineStyle(word::wdLineStyleNone);
    t.SetOutsideLineStyle(word::wdLineStyleNone);
    // Within the page's 24.9 cm, wide enough for the headings ("uitgave"
    // in bold), the block labels over the first two columns ("C: Toeslagen
    // algemene nazorgkosten" in 12 points) and the longest regular content
    // of each column: "naz.jr. 12", "65 (2100)", "1x per 100 jr", the cost
    // of the largest items on one line ("1234567 x € 810,00/monster =
    // € 999.999.270", a quantity of seven digits at a price with cents and
    // a result of nine), "€ 999.999.999" and "(100,0%)" in 9 points. The
    // cost column keeps the width it was meant to have; the item's name
    // gives up what the other columns need.
    const float breedtes[] = {0.5f, 7.05f, 1.55f, 1.7f, 1.75f, 2.0f, 6.15f, 2.5f, 1.7f};
    for (int c = 1; c <= 9; ++c)
        t.SetColumnWidth(c, word::CentimetersToPoints(breedtes[c - 1]));
    const QString koppen[] = {QString(),
                              QStringLiteral("post"),
                              QStringLiteral("aanleg afd."),
                              QStringLiteral("eerste uitgave"),
                              QStringLiteral("laatste uitgave"),
                              QStringLiteral("frequentie"),
                              QStringLiteral("kosten (prijspeil ") + vb::CStr(m_dv.kaljaarPP) + QStringLiteral(")"),
                              QStringLiteral("NCW"),
                              QString()};
    for (int c = 1; c <= 9; ++c)
        t.Cell(1, c).Text = koppen[c - 1];

    // 6. Opening heading.
    reserveer(t, 12);
    if (!perRubriek()) {
        t.Merge(2, 1, 9);
        t.Rows(2).setFontSize(12);
        t.Cell(2, 1).Text = QStringLiteral("A: Jaarlijkse kosten & B: Vervangingskosten");
    } else {
        t.Merge(2, 1, 2);
        t.Rows(2).setFontSize(12);
        t.Cell(2, 1).Text = QStringLiteral("A: Jaarlijkse kosten");
    }
    qint16 r = 3;

    // 7. Rows. The rows of rubric 6 ("Overig") count in neither sum A nor
    // sum B: they are left out here and listed after block B.
    struct Uitvoer {
        RapDVWord &w;
        word::Table &t;
        qint16 &r;
        void rij()
        {
            reserveer(t, r + 8);
            w.voortgang();
        }
        void groepBegint() {}
        void groepsSubtotaal(std::uint8_t key, const QString &label)
        {
            w.groepsSubtotaal(t, r, key, label);
            r += 2;
        }
        void naarB()
        {
            w.RapSubtotaalA(r, t);
            reserveer(t, r + 8);
            w.kopB(t, r);
            ++r;
        }
        void groepsKop(const QString &label)
        {
            kwn(t, r - 1, false);
            kwn(t, r, true);
            t.Cell(r + 1, 2).Font.Bold = true;
            t.Cell(r + 1, 2).Text = label;
            kwn(t, r + 1, true);
            kwn(t, r + 2, true);
            r += 2;
        }
        void voorzieningKop(const QString &voorz, bool nieuweGroep) { w.voorzieningKop(t, r, voorz, nieuweGroep); }
        void item(const calc::DVRapportRegel &regel)
        {
            w.itemRij(t, r, regel, true);
            ++r;
        }
    } uit{*this, t, r};
    // One row for each item calculated.
    const BlokABStand s = loopBlokAB(m_dv, m_dv.lngAantalRecords, perRubriek(), uit);
    const bool overig = s.overig;

    // 8. After the last row.
    reserveer(t, r + 8);
    if (!perRubriek()) {
        kwn(t, r, true);
        if (!s.leeg)
            groepsSubtotaal(t, r, s.vorigeKey, s.vorigLabel);
        r += 3;
        RapSubtotaalA(r, t);
    } else if (!s.aGeschreven) {
        ++r;
        RapSubtotaalA(r, t);
        reserveer(t, r + 8);
        kopB(t, r);
    }

    // 9. The B block.
    ++r;
    RapSubtotaalB(r, t);

    // The rows of rubric 6, apart.
    if (overig)
        blokOverig(t, r);

    // 10. Block C.
    blokC(t, r);

    // 11. Finishing the table.
    t.SetHeightRule(word::wdRowHeightAuto);
    word::Row &kop = t.Rows(1);
    kop.Borders(word::wdBorderBottom).setLineStyle(word::wdLineStyleSingle);
    kop.Borders(word::wdBorderTop).setVisible(true);
    kop.Borders(word::wdBorderTop).LineWidth = word::wdLineWidth150pt;
    kop.HeadingFormat = true;
    kop.setBold(true);
    t.DeleteRows(r + 10, t.RowCount());
    word::Border &laatste = t.Rows(t.RowCount()).Borders(word::wdBorderBottom);
    laatste.setVisible(true);
    laatste.LineWidth = word::wdLineWidth150pt;
    // A row moves to the next page whole, and no amount breaks over two
    // lines.
    t.SetAllowBreakAcrossPages(false);
    houdBedragenBijeen(t);

    // 12. Legend.
    sel.EndKey(word::wdStory);
    sel.ParagraphFormat().KeepWithNext = true;
    sel.TypeParagraph();
    sel.TypeText(QStringLiteral("Verklaring:"));
    sel.ParagraphFormat().KeepWithNext = true;
    sel.TypeText(CRLF);
    const std::pair<int, QString> legenda[] = {
        {1, QStringLiteral(": QOR-checklistpost, invoer voldoet aan criteria;") + CRLF},
        {2,
         QStringLiteral(": QOR-checklistpost, invoer voldoet niet aan criteria (cursief weergeven kentallen);") + CRLF},
        {0, QStringLiteral(": door de gebruiker gedefinieerde kostenpost.")}};
    for (const auto &[klasse, tekst] : legenda) {
        typeSymbool(sel, klasse);
        sel.TypeText(QStringLiteral("\t") + tekst);
    }
    sel.ParagraphFormat().KeepWithNext = true;
    sel.TypeText(CRLF + CRLF);
    sel.TypeText(QStringLiteral("De kolom 'aanleg afd.' geeft het ingevoerde jaar van aanleg bovenafdichting in. ")
                 + CRLF);
    sel.TypeText(QStringLiteral("De jaren 'eerste uitgave' en 'laatste uitgave' zijn uitgedrukt in jaren na aanvang "
                                "nazorg, waarbij jaar 1= jaar van aanvang nazorg. ")
                 + QStringLiteral("Indien van toepassing, staat daarachter tussen haakjes het kalenderjaar dat "
                                  "ingevoerd is.")
                 + CRLF + CRLF);
    sel.ParagraphFormat().KeepWithNext = false;
    sel.EndKey(word::wdStory);
}

void RapDVWord::blokC(word::Table &t, int r)
{
    reserveer(t, r + 10);
    kwn(t, r - 1, false);
    t.Merge(r, 1, 2);
    t.Rows(r).setFontSize(12);
    t.Cell(r, 1).Text = QStringLiteral("C: Toeslagen algemene nazorgkosten") + CRLF;
    for (int k = r; k <= r + 9; ++k)
        kwn(t, k, true);

    auto jaarlijks = [&](int row, int klasse, const QString &tekst) {
        zetSymbool(t.Cell(row, 1), klasse);
        t.Cell(row, 2).Text = tekst;
        t.Cell(row, 4).Text = QStringLiteral("1");
        t.Cell(row, 5).Text = QStringLiteral("oo");
        t.Cell(row, 6).Text = QStringLiteral("1x per jr");
    };
    jaarlijks(r + 1, m_dv.rapIsQORRapEval(), QStringLiteral("Rapportage/evaluatie"));
    t.Cell(r + 1, 7).Text = m_dv.rapRapEvalKostenCalculatie;
    t.Cell(r + 1, 8).Text = euro(m_dv.sngRapEvalKostenKAP);
    t.Cell(r + 1, 9).Text = m_dv.rapPercVanDV(m_dv.sngRapEvalKostenKAP);

    jaarlijks(r + 2, m_dv.rapIsQORCommKosten(), QStringLiteral("Communicatie"));
    t.Cell(r + 2, 7).Text = euro(m_dv.sngCommunicatieKostenPerJaar);
    t.Cell(r + 2, 8).Text = euro(m_dv.sngCommunicatieKostenKAP);
    t.Cell(r + 2, 9).Text = m_dv.rapPercVanDV(m_dv.sngCommunicatieKostenKAP);

    zetSymbool(t.Cell(r + 3, 1), m_dv.rapIsQORAppKosten());
    t.Cell(r + 3, 2).Text = QStringLiteral("Apparaatskosten algemeen");
    t.Cell(r + 3, 4).Text = euro(m_dv.sngAppKostenBasisPerJaar) + QStringLiteral(" per jaar plus ")
                            + vb::CStr(float(m_dv.sngAppKostenBasisPerc * 100.0f)) + QStringLiteral(" % van (A+B)");
    t.Cell(r + 3, 8).Text = euro(m_dv.sngAppKostenTotaalKAP);
    t.Cell(r + 3, 9).Text = m_dv.rapPercVanDV(m_dv.sngAppKostenTotaalKAP);
    t.Merge(r + 3, 4, 7);

    t.Cell(r + 4, 2).Text = QStringLiteral("Toeslagen algemene nazorgkosten (C)") + CRLF;
    t.Rows(r + 4).Borders(word::wdBorderTop).setVisible(true);
    t.Cell(r + 4, 8).Text = euro(m_dv.somC());
    t.Cell(r + 4, 9).Text = m_dv.rapPercVanDV(m_dv.somC());
    t.Rows(r + 4).setFontSize(9);
    t.Merge(r + 4, 1, 2);

    // Block C breaks over pages only after its second row, and its last
    // row and total stay with the calculation of the target fund and the
    // legend after it, so that those never stand on a page of their own.
    kwn(t, r + 2, false);
    kwn(t, r + 5, true);

    t.Rows(r + 6).setFontSize(12);
    t.Cell(r + 6, 1).Text = QStringLiteral("Berekening doelvermogen") + CRLF;
    t.Merge(r + 6, 1, 2);
    kwn(t, r + 6, true);

    somRij(m_dv, t, r + 7, QStringLiteral("Totaal A+B+C (reguliere nazorgactiviteiten)"),
           m_dv.DoelvermogenZonderRisicoFonds(), false);
    kwn(t, r + 7, true);
    somRij(m_dv, t, r + 8, QStringLiteral("Risicobedrag"), m_dv.sngRisicobedragKAP, false);
    kwn(t, r + 8, true);
    t.Rows(r + 9).setFontSize(9);
    t.Rows(r + 9).Borders(word::wdBorderTop).setVisible(true);
    t.Cell(r + 9, 1).Text = QStringLiteral("DOELVERMOGEN");
    t.Cell(r + 9, 8).Text = euro(m_dv.DoelvermogenMetRisicoFonds());
    t.Merge(r + 9, 1, 2);
    // The legend below the table stays with the table's end.
    kwn(t, r + 9, true);
}

void RapDVWord::RapSubtotaalA(qint16 &intRij, word::Table &t)
{
    const int r = intRij;
    reserveer(t, r + 3);
    kwn(t, r - 1, false);
    somRij(m_dv, t, r, QStringLiteral("Subtotaal jaarlijkse nazorgkosten"), m_dv.somA_exclOnvoorzien(), false);
    kwn(t, r, true);

    zetSymbool(t.Cell(r + 1, 1), m_dv.rapIsQOROnvoorzien());
    t.Cell(r + 1, 2).Font.Size = 9;
    t.Cell(r + 1, 2).Text = QStringLiteral("Toeslag onvoorzien (")
                            + vb::Format(m_dv.rapPercOnvoorz(), QStringLiteral("0.0%")) + QStringLiteral(")");
    t.Cell(r + 1, 8).Font.Size = 9;
    t.Cell(r + 1, 8).Text = euro(m_dv.toeslagA());
    t.Cell(r + 1, 9).Font.Size = 9;
    t.Cell(r + 1, 9).Text = m_dv.rapPercVanDV(m_dv.toeslagA());
    kwn(t, r + 1, true);

    somRij(m_dv, t, r + 2, QStringLiteral("Jaarlijkse nazorgkosten (A)") + CRLF + CRLF, m_dv.somA_inclOnvoorzien(),
           true);
    kwn(t, r + 2, false);
    intRij = qint16(r + 3);
}

void RapDVWord::RapSubtotaalB(qint16 &intRij, word::Table &t)
{
    const int r = intRij;
    reserveer(t, r + 3);
    kwn(t, r - 1, false);
    somRij(m_dv, t, r, QStringLiteral("Subtotaal vervangingskosten"), m_dv.somB_exclDirectievoering(), false);

    int q = r;
    auto regel = [&](int row, int klasse, const QString &tekst, float size) {
        zetSymbool(t.Cell(row, 1), klasse);
        t.Cell(row, 2).Font.Size = size;
        t.Cell(row, 2).Text = tekst;
    };
    auto bedrag = [&](int row, int col, const QString &tekst, float size) {
        t.Cell(row, col).Font.Size = size;
        t.Cell(row, col).Text = tekst;
    };
    if (m_dv.GebruikGedifferentieerdeToeslagB()) {
        reserveer(t, r + 3);
        t.Cell(r + 2, 2).Font.Bold = true;
        t.Cell(r + 2, 2).Text = QStringLiteral("Toeslagen vervangingen");
        kwn(t, r + 2, true);
        q = r + 2;
        for (const calc::clsToeslag2008 &ts : m_dv.Toeslagen2008()) {
            ++q;
            reserveer(t, q + 2);
            regel(q, ts.IsQOR, ts.ToeslagTekst, 8);
            bedrag(q, 7, euro(ts.ToeslagWaarde), 8);
            bedrag(q, 8, euro(ts.ToeslagWaardeNCW), 8);
            bedrag(q, 9, m_dv.rapPercVanDV(ts.ToeslagWaardeNCW), 8);
            kwn(t, q, true);
        }
    } else {
        kwn(t, r, true);
        q = r + 1;
        regel(q, m_dv.rapIsQOROntwerpdirectieFixed(),
              QStringLiteral("Toeslag ontwerp/directie (")
                  + vb::Format(m_dv.rapPercDirectievoering2002(), QStringLiteral("0.0%")) + QStringLiteral(")"),
              9);
        bedrag(q, 8, euro(m_dv.toeslagB()), 9);
        bedrag(q, 9, m_dv.rapPercVanDV(m_dv.toeslagB()), 9);
        kwn(t, q, true);
    }
    const int p = q + 1;
    reserveer(t, p + 1);
    somRij(m_dv, t, p, QStringLiteral("Vervangingskosten (B)") + CRLF + CRLF, m_dv.somB_inclDirectievoering(), true);
    kwn(t, p, false);
    intRij = qint16(p + 1);
}

} // namespace reports
