// The target-fund report on screen.

#include "reports/rap_dv_scherm.h"

#include "reports/rap_dv_blok_ab.h"
#include "reports/rapport_tekst.h"
#include "reports/word_report.h"

#include "platform/text/format.h"

#include <QStringBuilder>
#include <algorithm>

namespace reports {

namespace {

const QString kEuro = QStringLiteral("€ #,#0");
const QString CRLF = QStringLiteral("\r\n");
const QString TAB = QStringLiteral("\t");
// Between a label at the left edge and its amount: the amount lands in the
// NCW column when the label ends before the second stop.
const QString ZesTabs = QStringLiteral("\t\t\t\t\t\t");
constexpr qint32 kBlauw = 0xFF0000;

QString euro(float v)
{
    return vb::Format(v, kEuro);
}

} // namespace

RapDVScherm::RapDVScherm(calc::clsDV &dv, RapportTekst &rap) : m_dv(dv), m_rap(rap) {}

void RapDVScherm::symbool(int klasse)
{
    m_rap.SelFontName(kSymboolFont);
    m_rap.SelText(conformiteitsSymbool(klasse));
    m_rap.SelFontName(QStringLiteral("arial"));
}

void RapDVScherm::scheidingslijn()
{
    m_rap.SelUnderline(true);
    m_rap.SelText(QString(9, QLatin1Char('\t')) + CRLF);
    m_rap.SelUnderline(false);
}

void RapDVScherm::vet(const QString &tekst)
{
    m_rap.SelBold(true);
    m_rap.SelText(tekst);
    m_rap.SelBold(false);
}

QString RapDVScherm::somRegel(const QString &label, float bedrag) const
{
    return label + ZesTabs + euro(bedrag) + TAB + m_dv.rapPercVanDV(bedrag) + CRLF;
}

void RapDVScherm::groepsSubtotaal(std::uint8_t key, const QString &label, const QString &na)
{
    // The group's rows of rubric "Overig" stand apart, after block B.
    const QVariant totaal = m_dv.rapTotaalPerSorteerveldZonderOverig(key);
    m_rap.SelText(QStringLiteral("Subtotaal ") + label + QStringLiteral(": ") + ZesTabs + vb::Format(totaal, kEuro)
                  + TAB + m_dv.rapPercVanDV(totaal.toFloat()) + na);
}

void RapDVScherm::voorzieningKop(const QString &voorz)
{
    m_rap.SelText(CRLF);
    m_rap.SelUnderline(true);
    m_rap.SelText(voorz + CRLF);
    m_rap.SelUnderline(false);
}

void RapDVScherm::itemRegel(const calc::DVRapportRegel &regel, bool metAandeel)
{
    symbool(m_dv.rapIsQOR(regel));
    // Put together in one piece of memory.
    QString tekst = TAB % regel.Kostenpost().left(35) % TAB % regel.KalJaarAanlegBA() % TAB % regel.Tstart() % TAB
                    % regel.Teind() % TAB % regel.Freq() % TAB % regel.PrijsPerKeer().left(40) % TAB
                    % regel.NCWBedrag();
    // A row outside the target fund has no share of it.
    if (metAandeel)
        tekst += TAB % vb::Format(regel.FractieVanTotaalDV(), QStringLiteral("(0.0%)"));
    tekst += CRLF;
    m_rap.SelText(tekst);
}

void RapDVScherm::kopB()
{
    scheidingslijn();
    vet(QStringLiteral("B: Vervangingskosten") + CRLF);
}

void RapDVScherm::RapDVnaarScherm()
{
    // Eight tab stops, each the one before plus its step. The cost-item
    // column holds the first 35 characters of a name, and the share column
    // stands far enough behind the NCW column for an amount up to
    // € 999.999.999 in bold.
    const double stappen[] = {5.5, 1.2, 1.2, 1.2, 1.8, 4.7, 2.5};
    m_rap.SelTabCount(8);
    double positie = 0.5;
    m_rap.SelTabs(0, positie);
    for (qint16 k = 1; k <= 7; ++k) {
        positie += stappen[k - 1];
        m_rap.SelTabs(k, positie);
    }

    // Column header, two lines.
    m_rap.SelBold(true);
    m_rap.SelColor(kBlauw);
    m_rap.SelText(QStringLiteral("post\taanleg   \teerste  \tlaatste\tfrequentie\tkosten (prijspeil ")
                  + vb::CStr(m_dv.kaljaarPP) + QStringLiteral(")\tNCW\t") + CRLF
                  + QStringLiteral("       \tafd.\tuitgave\tuitgave\t    \t         \t   \t") + CRLF);
    m_rap.SelBold(false);
    m_rap.SelColor(0);

    scheidingslijn();
    if (!perRubriek())
        vet(QStringLiteral("A: Jaarlijkse kosten & B: Vervangingskosten") + CRLF);
    else
        vet(QStringLiteral("A: Jaarlijkse kosten") + CRLF + CRLF);

    // The view's rows, one for each item calculated and never past its end;
    // the rows of rubric 6 are listed after block B.
    struct Uitvoer {
        RapDVScherm &w;
        void rij() {}
        void groepBegint() { w.m_rap.SelText(CRLF); }
        void groepsSubtotaal(std::uint8_t key, const QString &label) { w.groepsSubtotaal(key, label, CRLF + CRLF); }
        void naarB()
        {
            w.RapSubtotaalA();
            w.kopB();
        }
        void groepsKop(const QString &label) { w.m_rap.SelText(label + CRLF); }
        void voorzieningKop(const QString &voorz, bool) { w.voorzieningKop(voorz); }
        void item(const calc::DVRapportRegel &regel) { w.itemRegel(regel, true); }
    } uit{*this};
    const qint32 n = std::min(m_dv.lngAantalRecords, m_dv.rapAantalRijen());
    const BlokABStand s = loopBlokAB(m_dv, n, perRubriek(), uit);
    const bool overig = s.overig;

    m_rap.SelText(CRLF);
    if (!perRubriek()) {
        if (!s.leeg)
            groepsSubtotaal(s.vorigeKey, s.vorigLabel, CRLF + CRLF + CRLF);
        RapSubtotaalA();
    } else if (!s.aGeschreven) {
        RapSubtotaalA();
        kopB();
        m_rap.SelText(CRLF);
    }

    RapSubtotaalB();

    if (overig) {
        // The rows of rubric 6, apart, from the first row again.
        scheidingslijn();
        vet(kKopOverig + CRLF);
        QString vorige;
        bool eersteOverig = true;
        for (qint32 i = 0; i < n; ++i) {
            const calc::DVRapportRegel regel = m_dv.rapRegel(i);
            if (regel.Rubriek() == kRubriekOverig) {
                const QString voorz = regel.Voorz();
                if (eersteOverig || voorz != vorige)
                    voorzieningKop(voorz);
                itemRegel(regel, false);
                vorige = voorz;
                eersteOverig = false;
            }
        }
        m_rap.SelText(CRLF);
        vet(kSubtotaalOverig + QStringLiteral(": ") + ZesTabs + euro(m_dv.TotaalRubriek(kRubriekOverig)) + CRLF);
        m_rap.SelText(kBuitenDoelvermogen + CRLF + CRLF);
    }

    // Block C.
    scheidingslijn();
    vet(QStringLiteral("C: Toeslagen algemene nazorgkosten") + CRLF + CRLF);
    const QString jaarlijks =
        TAB + TAB + QStringLiteral("1") + TAB + QStringLiteral("oo") + TAB + QStringLiteral("1x per jr") + TAB;
    symbool(m_dv.rapIsQORRapEval());
    m_rap.SelText(TAB + QStringLiteral("Rapportage/evaluatie") + jaarlijks + m_dv.rapRapEvalKostenCalculatie + TAB
                  + euro(m_dv.sngRapEvalKostenKAP) + TAB + m_dv.rapPercVanDV(m_dv.sngRapEvalKostenKAP) + CRLF);
    symbool(m_dv.rapIsQORCommKosten());
    m_rap.SelText(TAB + QStringLiteral("Communicatie") + jaarlijks + euro(m_dv.sngCommunicatieKostenPerJaar) + TAB
                  + euro(m_dv.sngCommunicatieKostenKAP) + TAB + m_dv.rapPercVanDV(m_dv.sngCommunicatieKostenKAP)
                  + CRLF);
    symbool(m_dv.rapIsQORAppKosten());
    m_rap.SelText(TAB + QStringLiteral("Apparaatskosten algemeen") + TAB + TAB + TAB
                  + euro(m_dv.sngAppKostenBasisPerJaar) + QStringLiteral(" per jaar plus ")
                  + vb::CStr(float(m_dv.sngAppKostenBasisPerc * 100.0f)) + QStringLiteral("% van (A+B)") + TAB
                  + euro(m_dv.sngAppKostenTotaalKAP) + TAB + m_dv.rapPercVanDV(m_dv.sngAppKostenTotaalKAP) + CRLF);
    vet(somRegel(QStringLiteral("Toeslagen algemene nazorgkosten (C):"), m_dv.somC()));
    scheidingslijn();
    m_rap.SelText(CRLF);

    // The target fund.
    m_rap.SelText(
        somRegel(QStringLiteral("Totaal A+B+C (reguliere nazorgactiviteiten)"), m_dv.DoelvermogenZonderRisicoFonds())
        + CRLF);
    m_rap.SelText(somRegel(QStringLiteral("Risicobedrag"), m_dv.sngRisicobedragKAP) + CRLF);
    vet(QStringLiteral("DOELVERMOGEN ") + ZesTabs + euro(m_dv.DoelvermogenMetRisicoFonds()) + CRLF + CRLF);

    // Legend and explanation.
    m_rap.SelText(CRLF + CRLF + QStringLiteral("Verklaring:") + CRLF);
    const std::pair<int, QString> legenda[] = {
        {1, QStringLiteral(": QOR-checklistpost, invoer voldoet aan criteria;") + CRLF},
        {2, QStringLiteral(": QOR-checklistpost, invoer voldoet niet aan criteria;") + CRLF},
        {0, QStringLiteral(": door de gebruiker gedefinieerde kostenpost.") + CRLF + CRLF}};
    for (const auto &[klasse, tekst] : legenda) {
        m_rap.SelFontName(kSymboolFont);
        m_rap.SelText(conformiteitsSymbool(klasse));
        m_rap.SelFontName(QStringLiteral("Arial"));
        m_rap.SelText(TAB + tekst);
    }
    m_rap.SelText(QStringLiteral("De kolom 'aanleg afd.' geeft het ingevoerde jaar van aanleg bovenafdichting in.")
                  + CRLF);
    m_rap.SelText(QStringLiteral("De jaren 'eerste uitgave' en 'laatste uitgave' zijn uitgedrukt in jaren na aanvang "
                                 "nazorg, waarbij jaar 1= jaar van aanvang nazorg.")
                  + CRLF);
    m_rap.SelText(QStringLiteral("Indien van toepassing, staat daarachter tussen haakjes het kalenderjaar dat "
                                 "ingevoerd is.")
                  + CRLF + CRLF);
}

void RapDVScherm::RapSubtotaalA()
{
    m_rap.SelText(somRegel(QStringLiteral("Subtotaal jaarlijkse nazorgkosten"), m_dv.somA_exclOnvoorzien()));
    symbool(m_dv.rapIsQOROnvoorzien());
    m_rap.SelText(TAB
                  + somRegel(QStringLiteral("Toeslag onvoorzien (")
                                 + vb::Format(m_dv.rapPercOnvoorz(), QStringLiteral("0.0%")) + QStringLiteral(")"),
                             m_dv.toeslagA()));
    vet(somRegel(QStringLiteral("Jaarlijkse nazorgkosten (A)"), m_dv.somA_inclOnvoorzien()));
    m_rap.SelText(CRLF);
}

void RapDVScherm::RapSubtotaalB()
{
    m_rap.SelText(somRegel(QStringLiteral("Subtotaal vervangingskosten"), m_dv.somB_exclDirectievoering()));
    if (m_dv.GebruikGedifferentieerdeToeslagB()) {
        m_rap.SelText(CRLF + QStringLiteral("Toeslagen vervangingen:") + CRLF);
        for (const calc::clsToeslag2008 &t : m_dv.Toeslagen2008()) {
            symbool(t.IsQOR);
            m_rap.SelText(TAB + t.ToeslagTekst.left(35) + QStringLiteral("\t\t\t\t\t") + euro(t.ToeslagWaarde) + TAB
                          + euro(t.ToeslagWaardeNCW) + TAB + m_dv.rapPercVanDV(t.ToeslagWaardeNCW) + CRLF);
        }
    } else {
        symbool(m_dv.rapIsQOROntwerpdirectieFixed());
        m_rap.SelText(TAB
                      + somRegel(QStringLiteral("Toeslag ontwerp/directie (")
                                     + vb::Format(m_dv.rapPercDirectievoering2002(), QStringLiteral("0.0%"))
                                     + QStringLiteral(")"),
                                 m_dv.toeslagB()));
    }
    vet(somRegel(QStringLiteral("Vervangingskosten (B)"), m_dv.somB_inclDirectievoering()));
    m_rap.SelText(CRLF);
}

} // namespace reports
