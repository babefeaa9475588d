// The target-fund report on screen.

#include "reports/rap_dv_scherm.h"

#include "reports/rap_dv_blok_ab.h"
#include "reports/rapport_tekst.h"
#include "reports/word_report.h"

#include "platform/text/format.h"

#include <algorithm>

namespace reports {

namespace {

const QString kEuro = QStringLiteral("€ #,#0");
const QString CRLF = QStringLiteral("\r\n");
const QString TAB = QStringLiteral("\t");
constexpr qint32 kBlauw = 0xFF0000;

// The columns, in cm: each at least as wide as given here, and as wide as
// the widest text it holds, in bold, with a gap after it. The widest texts
// follow from the input's bounds: a top liner built in after-care year
// 1000, an outlay in a four-digit after-care year with the calendar year it
// was entered as, once in 1000 years, a seven-digit quantity at a price to
// the cent costing nine digits, an NCW of ten digits, a share of -100 %.
// The cost item's name and the cost text are cut to their columns.
constexpr double kKolomBreedte[RapDVScherm::kKolommen] = {0.5, 5.5, 1.8, 1.8, 1.8, 2.1, 5.7, 2.4, 1.4};
const char *const kBreedsteTekst[RapDVScherm::kKolommen] = {"",
                                                            "",
                                                            "naz.jr. 1000",
                                                            "1000 (2300)",
                                                            "1000 (2300)",
                                                            "1x per 1000 jr",
                                                            "1234567 x € 1234,56/m2 = € 999.999.999",
                                                            "€ 9.999.999.999",
                                                            "(-100,0%)"};
// Between a column's text and the next column.
constexpr double kWit = 0.15;

QString euro(float v)
{
    return vb::Format(v, kEuro);
}

} // namespace

RapDVScherm::RapDVScherm(calc::clsDV &dv, RapportTekst &rap) : m_dv(dv), m_rap(rap) {}

void RapDVScherm::zetKolommen()
{
    m_rap.SelBold(true);
    double positie = 0;
    for (int k = 0; k < kKolommen; ++k) {
        m_kolom[size_t(k)] = positie;
        const QString breedst = QString::fromUtf8(kBreedsteTekst[k]);
        positie += std::max(kKolomBreedte[k], breedst.isEmpty() ? 0.0 : m_rap.tekstBreedte(breedst) + kWit);
    }
    m_regelBreedte = positie;
    m_rap.SelBold(false);
}

QString RapDVScherm::kolomRegel(const QList<Cel> &cellen) const
{
    // A TAB moves to the first stop behind the text before it, so the
    // number of TABs to a column follows from where that text ends.
    QString uit;
    double x = 0;
    for (qsizetype i = 0; i < cellen.size(); ++i) {
        const Cel &c = cellen[i];
        const double begin = m_kolom[size_t(c.kolom)];
        if (i > 0 || c.kolom > 0) {
            int tabs = 0;
            for (int k = 1; k < kKolommen; ++k)
                if (m_kolom[size_t(k)] > x && m_kolom[size_t(k)] <= begin)
                    ++tabs;
            // A text that ran into this column (one that is not cut) puts
            // this one at the next stop.
            uit += QString(std::max(tabs, 1), QLatin1Char('\t'));
            x = std::max(x, begin);
        }
        QString tekst = c.tekst;
        if (c.inkorten && i + 1 < cellen.size()) {
            const double ruimte = m_kolom[size_t(cellen[i + 1].kolom)] - kWit - x;
            if (m_rap.tekstBreedte(tekst) > ruimte) {
                // The longest start that fits.
                qsizetype past = 0, te = tekst.size();
                while (te - past > 1) {
                    const qsizetype m = (past + te) / 2;
                    (m_rap.tekstBreedte(tekst.left(m)) <= ruimte ? past : te) = m;
                }
                tekst.truncate(past);
            }
        }
        uit += tekst;
        x += m_rap.tekstBreedte(tekst);
    }
    return uit;
}

void RapDVScherm::somRegel(const QString &label, float bedrag, bool vetgedrukt, int kolom)
{
    m_rap.SelBold(vetgedrukt);
    m_rap.SelText(
        kolomRegel({{kolom, label}, {kNCW, euro(bedrag), false}, {kAandeel, m_dv.rapPercVanDV(bedrag), false}}) + CRLF);
    if (vetgedrukt)
        m_rap.SelBold(false);
}

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

void RapDVScherm::groepsSubtotaal(std::uint8_t key, const QString &label, const QString &na)
{
    // The group's rows of rubric "Overig" stand apart, after block B.
    const QVariant totaal = m_dv.rapTotaalPerSorteerveldZonderOverig(key);
    m_rap.SelText(kolomRegel({{0, QStringLiteral("Subtotaal ") + label + QStringLiteral(": ")},
                              {kNCW, vb::Format(totaal, kEuro), false},
                              {kAandeel, m_dv.rapPercVanDV(totaal.toFloat()), false}})
                  + na);
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
    QList<Cel> cellen = {{1, regel.Kostenpost().left(35)}, {2, regel.KalJaarAanlegBA(), false},
                         {3, regel.Tstart(), false},       {4, regel.Teind(), false},
                         {5, regel.Freq(), false},         {6, regel.PrijsPerKeer().left(40)},
                         {kNCW, regel.NCWBedrag(), false}};
    // A row outside the target fund has no share of it.
    if (metAandeel)
        cellen.append({kAandeel, vb::Format(regel.FractieVanTotaalDV(), QStringLiteral("(0.0%)")), false});
    m_rap.SelText(kolomRegel(cellen) + CRLF);
}

void RapDVScherm::kopB()
{
    scheidingslijn();
    vet(QStringLiteral("B: Vervangingskosten") + CRLF);
}

void RapDVScherm::RapDVnaarScherm()
{
    // Eight tab stops, where the columns after the first begin, and room for
    // the lines.
    zetKolommen();
    m_rap.SelTabCount(kKolommen - 1);
    for (int k = 1; k < kKolommen; ++k)
        m_rap.SelTabs(qint16(k - 1), m_kolom[size_t(k)]);
    m_rap.ruimteVoorRegels(m_regelBreedte);

    // Column header, two lines.
    m_rap.SelBold(true);
    m_rap.SelColor(kBlauw);
    m_rap.SelText(
        kolomRegel({{0, QStringLiteral("post")},
                    {2, QStringLiteral("aanleg   ")},
                    {3, QStringLiteral("eerste  ")},
                    {4, QStringLiteral("laatste")},
                    {5, QStringLiteral("frequentie")},
                    {6, QStringLiteral("kosten (prijspeil ") + vb::CStr(m_dv.kaljaarPP) + QStringLiteral(")")},
                    {kNCW, QStringLiteral("NCW")},
                    {kAandeel, QString()}})
        + CRLF
        + kolomRegel({{0, QStringLiteral("       ")},
                      {2, QStringLiteral("afd.")},
                      {3, QStringLiteral("uitgave")},
                      {4, QStringLiteral("uitgave")},
                      {5, QStringLiteral("    ")},
                      {6, QStringLiteral("         ")},
                      {kNCW, QStringLiteral("   ")},
                      {kAandeel, QString()}})
        + CRLF);
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
        m_rap.SelBold(true);
        m_rap.SelText(kolomRegel({{0, kSubtotaalOverig + QStringLiteral(": ")},
                                  {kNCW, euro(m_dv.TotaalRubriek(kRubriekOverig)), false}})
                      + CRLF);
        m_rap.SelBold(false);
        m_rap.SelText(kBuitenDoelvermogen + CRLF + CRLF);
    }

    // Block C.
    scheidingslijn();
    vet(QStringLiteral("C: Toeslagen algemene nazorgkosten") + CRLF + CRLF);
    // A yearly cost: its name, once a year for ever from year 1, the cost per
    // year, its capitalised amount and share.
    const auto jaarlijks = [this](const QString &naam, const QString &kosten, float kap) {
        return kolomRegel({{1, naam},
                           {3, QStringLiteral("1"), false},
                           {4, QStringLiteral("oo"), false},
                           {5, QStringLiteral("1x per jr"), false},
                           {6, kosten, false},
                           {kNCW, euro(kap), false},
                           {kAandeel, m_dv.rapPercVanDV(kap), false}})
               + CRLF;
    };
    symbool(m_dv.rapIsQORRapEval());
    m_rap.SelText(
        jaarlijks(QStringLiteral("Rapportage/evaluatie"), m_dv.rapRapEvalKostenCalculatie, m_dv.sngRapEvalKostenKAP));
    symbool(m_dv.rapIsQORCommKosten());
    m_rap.SelText(jaarlijks(QStringLiteral("Communicatie"), euro(m_dv.sngCommunicatieKostenPerJaar),
                            m_dv.sngCommunicatieKostenKAP));
    symbool(m_dv.rapIsQORAppKosten());
    m_rap.SelText(
        kolomRegel({{1, QStringLiteral("Apparaatskosten algemeen")},
                    {4,
                     euro(m_dv.sngAppKostenBasisPerJaar) + QStringLiteral(" per jaar plus ")
                         + vb::CStr(float(m_dv.sngAppKostenBasisPerc * 100.0f)) + QStringLiteral("% van (A+B)"),
                     false},
                    {kNCW, euro(m_dv.sngAppKostenTotaalKAP), false},
                    {kAandeel, m_dv.rapPercVanDV(m_dv.sngAppKostenTotaalKAP), false}})
        + CRLF);
    somRegel(QStringLiteral("Toeslagen algemene nazorgkosten (C):"), m_dv.somC(), true);
    scheidingslijn();
    m_rap.SelText(CRLF);

    // The target fund.
    somRegel(QStringLiteral("Totaal A+B+C (reguliere nazorgactiviteiten)"), m_dv.DoelvermogenZonderRisicoFonds());
    m_rap.SelText(CRLF);
    somRegel(QStringLiteral("Risicobedrag"), m_dv.sngRisicobedragKAP);
    m_rap.SelText(CRLF);
    m_rap.SelBold(true);
    m_rap.SelText(
        kolomRegel({{0, QStringLiteral("DOELVERMOGEN ")}, {kNCW, euro(m_dv.DoelvermogenMetRisicoFonds()), false}})
        + CRLF + CRLF);
    m_rap.SelBold(false);

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
    somRegel(QStringLiteral("Subtotaal jaarlijkse nazorgkosten"), m_dv.somA_exclOnvoorzien());
    symbool(m_dv.rapIsQOROnvoorzien());
    somRegel(QStringLiteral("Toeslag onvoorzien (") + vb::Format(m_dv.rapPercOnvoorz(), QStringLiteral("0.0%"))
                 + QStringLiteral(")"),
             m_dv.toeslagA(), false, 1);
    somRegel(QStringLiteral("Jaarlijkse nazorgkosten (A)"), m_dv.somA_inclOnvoorzien(), true);
    m_rap.SelText(CRLF);
}

void RapDVScherm::RapSubtotaalB()
{
    somRegel(QStringLiteral("Subtotaal vervangingskosten"), m_dv.somB_exclDirectievoering());
    if (m_dv.GebruikGedifferentieerdeToeslagB()) {
        m_rap.SelText(CRLF + QStringLiteral("Toeslagen vervangingen:") + CRLF);
        for (const calc::clsToeslag2008 &t : m_dv.Toeslagen2008()) {
            symbool(t.IsQOR);
            // The text as far as the cost column (it tells the surcharges of
            // one item apart), the undiscounted surcharge under the cost, its
            // NCW under NCW.
            m_rap.SelText(kolomRegel({{1, t.ToeslagTekst},
                                      {6, euro(t.ToeslagWaarde), false},
                                      {kNCW, euro(t.ToeslagWaardeNCW), false},
                                      {kAandeel, m_dv.rapPercVanDV(t.ToeslagWaardeNCW), false}})
                          + CRLF);
        }
    } else {
        symbool(m_dv.rapIsQOROntwerpdirectieFixed());
        somRegel(QStringLiteral("Toeslag ontwerp/directie (")
                     + vb::Format(m_dv.rapPercDirectievoering2002(), QStringLiteral("0.0%")) + QStringLiteral(")"),
                 m_dv.toeslagB(), false, 1);
    }
    somRegel(QStringLiteral("Vervangingskosten (B)"), m_dv.somB_inclDirectievoering(), true);
    m_rap.SelText(CRLF);
}

} // namespace reports
