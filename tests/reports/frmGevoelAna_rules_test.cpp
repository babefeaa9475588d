// The sensitivity analysis without a window: the rows' rates and their
// guards, the slider's range, the checks before an analysis, and the rows'
// figures on a fixture site, each the same as a calculation of its own.

#include "support/qstring_printer.h"
#include "support/scripted_dialogs_fixture.h"

#include "calc/calc_fixture.h"

#include "reports/frmGevoelAna_rules.h"
#include "reports/rapport_tekst.h"

#include "calc/clsDV.h"

#include "platform/text/format.h"

#include <gtest/gtest.h>

using namespace reports;

namespace {

// Records what a writer does, formatting as markers in the text.
class Opname : public RapportTekst {
public:
    QString tekst;
    void SelText(const QString &t) override { tekst += t; }
    void SelBold(bool on) override { tekst += on ? QStringLiteral("<b>") : QStringLiteral("</b>"); }
    void SelUnderline(bool) override {}
    void SelColor(qint32) override {}
    void SelFontName(const QString &) override {}
    void SelTabCount(qint16 n) override { tekst += QStringLiteral("[tabs %1]").arg(n); }
    void SelTabs(qint16 i, double cm) override { tekst += QStringLiteral("[tab %1=%2]").arg(i).arg(cm); }
    void SelStart(qint32) override {}
    QString Text() const override { return tekst; }
    void setText(const QString &t) override { tekst = t; }
    void setFont(const QString &, double) override {}
    void setZichtbaar(bool) override {}
    double tekstBreedte(const QString &) const override { return 0; }
    void ruimteVoorRegels(double) override {}
};

TEST(Gevoeligheid, RowsRunFromTheSelectionsStartToItsEndInEqualSteps)
{
    const struct {
        int start, lengte, rijen;
        std::vector<double> x;
    } cases[] = {
        {3, 5, 5, {0.015, 0.02125, 0.0275, 0.03375, 0.04}},
        {3, 5, 2, {0.015, 0.04}},
        {2, 14, 3, {0.01, 0.045, 0.08}},
        {8,
         4,
         10,
         {0.04, 0.04222222, 0.04444444, 0.04666667, 0.04888889, 0.05111111, 0.05333333, 0.05555556, 0.05777778, 0.06}},
    };
    for (const auto &c : cases) {
        const std::vector<float> x = rijTarieven(c.start, c.lengte, c.rijen);
        ASSERT_EQ(x.size(), c.x.size()) << c.start << "/" << c.lengte << "/" << c.rijen;
        for (size_t i = 0; i < x.size(); ++i)
            EXPECT_FLOAT_EQ(x[i], float(c.x[i])) << i;
    }
}

TEST(Gevoeligheid, NoRowsForAZeroOrNegativeStepOrAnAbsurdNumberOfRows)
{
    const struct {
        int start, lengte, rijen;
    } cases[] = {{3, 0, 5}, {3, -2, 5}, {3, 5, 1}, {3, 5, 0}, {3, 5, -4}, {3, 5, 11}, {3, 5, 1000000}};
    for (const auto &c : cases)
        EXPECT_TRUE(rijTarieven(c.start, c.lengte, c.rijen).empty()) << c.lengte << "/" << c.rijen;
}

TEST(Gevoeligheid, TheSliderRangeFollowsShiftWithTheMouse)
{
    SchuifSelectie s;
    // A SHIFT-click released without moving leaves a length of 0.
    s.muisNeer(6, true);
    EXPECT_TRUE(s.zichtbaar);
    s.muisOp(6, true);
    EXPECT_EQ(s.start, 6);
    EXPECT_EQ(s.lengte, 0);
    // Dragged to the right with SHIFT held.
    s.muisNeer(6, true);
    s.muisOp(11, true);
    EXPECT_EQ(s.lengte, 5);
    // Dragged to the left: the length is kept.
    s.muisNeer(9, true);
    s.muisOp(4, true);
    EXPECT_EQ(s.start, 9);
    EXPECT_EQ(s.lengte, 0);
    s = SchuifSelectie{3, 5, true};
    // Without SHIFT: no new range, the old one is hidden and kept.
    s.muisNeer(12, false);
    s.muisOp(12, false);
    EXPECT_FALSE(s.zichtbaar);
    EXPECT_EQ(s.start, 3);
    EXPECT_EQ(s.lengte, 5);
}

TEST(Gevoeligheid, ChecksBeforeAnAnalysis)
{
    GevoeligheidInvoer in;
    EXPECT_FALSE(controleer(in).has_value());
    in.selectie.lengte = 0;
    auto m = controleer(in);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->icon, ui::Icon::Information);
    EXPECT_EQ(m->tekst,
              QStringLiteral("Stel eerst een range in met de selectieschuif d.m.v. de muis en de SHIFT-toets."));
    in.varieer = Varieer::Inflatie;
    EXPECT_TRUE(controleer(in).has_value());

    in.varieer = Varieer::Alternatief;
    in.rente = QStringLiteral("4,00");
    m = controleer(in);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->icon, ui::Icon::Exclamation);
    EXPECT_EQ(m->tekst, QStringLiteral("Voer waarden voor inflatie en rente in."));
    in.inflatie = QStringLiteral("2,00");
    EXPECT_FALSE(controleer(in).has_value());
}

TEST(Gevoeligheid, AlternativeRatesFromOneToEightPerCent)
{
    const QString fout = QStringLiteral("Ongeldige waarde voor rente ingevoerd (voer waarde in tussen 1 en 8).");
    const struct {
        const char *text;
        bool ok;
    } cases[] = {{"1", true},     {"8", true}, {"8,00", true}, {"4,5", true}, {"8,01", false},
                 {"0,99", false}, {"", false}, {"abc", false}, {"-3", false}};
    for (const auto &c : cases)
        EXPECT_EQ(tariefFout(QString::fromUtf8(c.text), true), c.ok ? QString() : fout) << c.text;
    EXPECT_EQ(tariefFout(QString(), false),
              QStringLiteral("Ongeldige waarde voor inflatie ingevoerd (voer waarde in tussen 1 en 8)."));
}

TEST(Gevoeligheid, TheShareAboveTheBase)
{
    EXPECT_EQ(percHoger(1000, 1000), QStringLiteral("0,0 %"));
    EXPECT_EQ(percHoger(1100, 1000), QStringLiteral("10,0 %"));
    EXPECT_EQ(percHoger(950, 1000), QStringLiteral("-5,0 %"));
    // A site whose target fund is 0 has no share to show.
    EXPECT_EQ(percHoger(500, 0), QStringLiteral("nvt"));
}

class GevoeligheidSiteTest : public testsupport::ScriptedDialogsTest {
protected:
    float doelvermogen(qint32 site, float rente, float inflatie)
    {
        calc::clsDV dv(fx.context(site));
        dv.initializeDV(site, rente, inflatie);
        dv.BerekenAlles();
        return dv.DoelvermogenZonderRisicoFonds();
    }

    calctest::CalcFixture fx;
};

TEST_F(GevoeligheidSiteTest, EachRowIsTheTargetFundAtItsRateWithTheSitesOtherRate)
{
    GevoeligheidInvoer in; // interest, 1,5 % to 4 %, five rows
    const std::optional<GevoeligheidUitkomst> u = berekenGevoeligheid(fx.context(fx.alfa), in);
    ASSERT_TRUE(u.has_value());
    EXPECT_FLOAT_EQ(u->rente, 0.05f);
    EXPECT_FLOAT_EQ(u->inflatie, 0.02f);
    EXPECT_EQ(u->basis, doelvermogen(fx.alfa, -9, -9));
    EXPECT_GT(u->basis, 0.0f);
    const std::vector<float> x = rijTarieven(3, 5, 5);
    ASSERT_EQ(u->regels.size(), x.size());
    for (size_t i = 0; i < x.size(); ++i) {
        EXPECT_EQ(u->regels[i].rente, x[i]);
        EXPECT_EQ(u->regels[i].inflatie, 0.02f);
        EXPECT_EQ(u->regels[i].doelvermogen, doelvermogen(fx.alfa, x[i], -9)) << i;
    }
    // A lower interest rate needs a larger fund.
    EXPECT_GT(u->regels.front().doelvermogen, u->regels.back().doelvermogen);

    Opname rap;
    schrijfGevoeligheid(*u, rap);
    QStringList regels = rap.tekst.split(QStringLiteral("\r\n"));
    EXPECT_EQ(regels.mid(0, 6),
              QStringList({"<b>Rapportage gevoeligheidsanalyse", "",
                           "</b>Uitgangssituatie: totaal A+B+C "
                           "(reguliere nazorgactiviteiten) bij rente van 5,00 % en inflatie van 2,00 %: "
                               + vb::Format(u->basis, QStringLiteral("€ #,#0")),
                           "", "[tabs 2][tab 0=2][tab 1=6]rente\tdoelvermogen\t% hoger dan uitgangssituatie", ""}));
    QStringList rentes;
    for (int i = 6; i < 11; ++i)
        rentes << regels[i].section(QLatin1Char('\t'), 0, 0);
    EXPECT_EQ(rentes, QStringList({"1,50 %", "2,13 %", "2,75 %", "3,38 %", "4,00 %"}));
    EXPECT_EQ(regels[6].section(QLatin1Char('\t'), 1), vb::Format(u->regels[0].doelvermogen, QStringLiteral("€ #,#0"))
                                                           + QLatin1Char('\t')
                                                           + percHoger(u->regels[0].doelvermogen, u->basis));
}

TEST_F(GevoeligheidSiteTest, InflationRowsAndARowAtTheSitesOwnRateShowNoChange)
{
    GevoeligheidInvoer in;
    in.varieer = Varieer::Inflatie;
    in.selectie = SchuifSelectie{2, 2, false}; // 1 % to 2 %
    in.rijen = 3;
    const std::optional<GevoeligheidUitkomst> u = berekenGevoeligheid(fx.context(fx.alfa), in);
    ASSERT_TRUE(u.has_value());
    ASSERT_EQ(u->regels.size(), 3u);
    EXPECT_EQ(u->regels[2].inflatie, 0.02f);
    EXPECT_EQ(u->regels[2].rente, 0.05f);
    EXPECT_EQ(u->regels[2].doelvermogen, u->basis);
    EXPECT_EQ(u->regels[0].doelvermogen, doelvermogen(fx.alfa, -9, 0.01f));

    Opname rap;
    schrijfGevoeligheid(*u, rap);
    EXPECT_TRUE(rap.tekst.contains(QStringLiteral("inflatie\tdoelvermogen\t% hoger dan uitgangssituatie")));
    EXPECT_TRUE(rap.tekst.contains(QStringLiteral("2,00 %\t") + vb::Format(u->basis, QStringLiteral("€ #,#0"))
                                   + QStringLiteral("\t0,0 %\r\n")));
}

TEST_F(GevoeligheidSiteTest, OnePairOfAlternativeRates)
{
    GevoeligheidInvoer in;
    in.varieer = Varieer::Alternatief;
    in.rente = QStringLiteral("8,00");
    in.inflatie = QStringLiteral("1");
    const std::optional<GevoeligheidUitkomst> u = berekenGevoeligheid(fx.context(fx.alfa), in);
    ASSERT_TRUE(u.has_value());
    ASSERT_EQ(u->regels.size(), 1u);
    const float d = doelvermogen(fx.alfa, 0.08f, 0.01f);
    EXPECT_EQ(u->regels[0].doelvermogen, d);

    Opname rap;
    schrijfGevoeligheid(*u, rap);
    EXPECT_TRUE(rap.tekst.endsWith(QStringLiteral("[tabs 1][tab 0=8]Bij rente van 8,00 % en inflatie van 1,00 %: "
                                                  "\r\n\r\ndoelvermogen\t% hoger dan uitgangssituatie\r\n")
                                   + vb::Format(d, QStringLiteral("€ #,#0")) + QLatin1Char('\t')
                                   + percHoger(d, u->basis) + QStringLiteral("\r\n")));
}

TEST_F(GevoeligheidSiteTest, ASiteThatFailsTheInputCheckGivesNoAnalysis)
{
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Proef")},
                                 {"intStortType", 1},
                                 {"sngRentePerc", 4.0},
                                 {"sngInflPerc", 2.0},
                                 {"dtmAanvangNazorg", QStringLiteral("2030-01-01 00:00:00")},
                                 {"intJaarPrijsPeil", 2008},
                                 {"sngNazorgOpp", 0.0},
                                 {"bytRapEval", 1},
                                 {"intCL_REF", 3}});
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Invoer onvolledig bij Proef"),
                        QStringLiteral("Er is geen (geldig) nazorgoppervlak ingevoerd in het scherm 'Toeslagen "
                                       "nazorgfase'."));
    EXPECT_FALSE(berekenGevoeligheid(fx.context(site), GevoeligheidInvoer{}).has_value());

    // Rows that cannot be made: nothing is computed, no box.
    GevoeligheidInvoer leeg;
    leeg.rijen = 1;
    EXPECT_FALSE(berekenGevoeligheid(fx.context(fx.alfa), leeg).has_value());
}

} // namespace
