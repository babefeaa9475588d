// The levy part of the report, on screen and in Word: the levy equalised
// over the province of the fixture's sites Gamma and Delta, and the own
// levy of the object-bound site Alfa.

#include "rapport_opname.h"
#include "report_fixture.h"
#include "support/item_at.h"

#include "reports/rap_heffing.h"

#include "calc/clsDV.h"
#include "calc/clsHeffing.h"

#include <gtest/gtest.h>

namespace {

using testsupport::itemAt;

class RapHeffingTest : public reporttest::WordReportTest {
protected:
    std::unique_ptr<calc::clsHeffing> heffing(qint32 site)
    {
        float dv = 0;
        if (site == fx.alfa) {
            calc::clsDV calc(fx.context(site));
            calc.initializeDV(site, -9, -9);
            EXPECT_TRUE(calc.BerekenAlles());
            dv = calc.DoelvermogenMetRisicoFonds();
        }
        auto h = std::make_unique<calc::clsHeffing>(fx.context(site));
        h->psubBerekenHeffingPerTon(dv);
        EXPECT_TRUE(h->ValidatieOK);
        return h;
    }
};

const QString kVerevening = QStringLiteral(
    "Het doelvermogen van alle niet-objectgebonden inrichtingen in deze provincie en het geprognotiseerde "
    "afvalaanbod van deze inrichtingen is gesommeerd. Op basis van verevening is de heffing uitgerekend. ");
const QString kVoetnoot =
    QStringLiteral(" *) Uitgedrukt in het prijspeil van het jaar waarin de heffing van toepassing is.");

TEST_F(RapHeffingTest, OnScreenTheEqualisedLevyYearByYear)
{
    reporttest::RapportOpname rap;
    reports::RapHeffingNaarScherm(*heffing(fx.gamma), rap);
    EXPECT_EQ(rap.tabs, QList<double>({3, 6, 9, 12, 15}));
    const QStringList r = rap.regels();
    ASSERT_GE(r.size(), 18);
    EXPECT_EQ(
        r.mid(0, 10),
        QStringList({"", "", "", "Rapportage heffingen:", "", kVerevening, "", "Betrokken inrichtingen: Gamma, Delta. ",
                     QString::fromUtf8("Gezamenlijk NCW, uitgedrukt in prijspeil 2002: € 1.382.384"), ""}));
    EXPECT_EQ(r[10], QStringLiteral("Jaar\tAantal kTon\tHeffing/ton *\tHeffing *\tControle NCW"));
    EXPECT_TRUE(r[11].startsWith(QStringLiteral("2010\t100\t€ ")));
    EXPECT_TRUE(r[12].startsWith(QStringLiteral("2011\t500\t€ ")));
    EXPECT_TRUE(r[13].startsWith(QStringLiteral("2012\t400\t€ ")));
    EXPECT_EQ(r[14], QString::fromUtf8("Totaal\t1000\t\t\t€ 1.382.384"));
    EXPECT_EQ(r.mid(15, 4), QStringList({"", "", kVoetnoot, ""}));
    EXPECT_TRUE(rap.vet.contains(QStringLiteral("Rapportage heffingen:\n")));
    EXPECT_TRUE(rap.vet.contains(kVoetnoot + QLatin1Char('\n')));
    EXPECT_FALSE(rap.vet.contains(QStringLiteral("\n"))); // the blank line under the title is not bold
}

TEST_F(RapHeffingTest, InWordTheOwnLevyOnAPageOfItsOwn)
{
    app.Selection().TypeText(QStringLiteral("voorblad"));
    bool deelVooraf = true;
    const auto h = heffing(fx.alfa);
    reports::RapHeffingNaarWord(*h, app, deelVooraf);
    const QJsonObject d = saveAndRead();

    const QJsonArray secties = d[QStringLiteral("sections")].toArray();
    ASSERT_EQ(secties.size(), 2);
    const QJsonObject s = secties[1].toObject();
    EXPECT_EQ(s[QStringLiteral("orientation")].toInt(), 0);
    EXPECT_EQ(s[QStringLiteral("left")].toDouble(), 1.5);
    EXPECT_EQ(s[QStringLiteral("right")].toDouble(), 2.5);
    EXPECT_EQ(s[QStringLiteral("top")].toDouble(), 1.5);

    const QStringList body = wordtest::bodyTexts(d);
    const qsizetype t = body.indexOf(QStringLiteral("Rapportage heffingen\n"));
    ASSERT_GE(t, 0) << body.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(body[t + 1], QStringLiteral("Aanvang nazorg: 16-7-2030"));
    EXPECT_TRUE(body[t + 2].startsWith(QStringLiteral("Doelvermogen: € ")));
    EXPECT_EQ(body[t + 4], QStringLiteral("jaar\taantal kTon\theffing/ton *\theffing *\tcontrole doelvermogen"));
    EXPECT_TRUE(body[t + 5].startsWith(QStringLiteral("2025\t100\t€ ")));
    EXPECT_TRUE(body[t + 7].startsWith(QStringLiteral("2027\t0\t€ ")));
    EXPECT_TRUE(body[t + 8].startsWith(QStringLiteral("Totaal \t250\t\t\t€ ")));
    EXPECT_EQ(body.mid(body.size() - 2), QStringList({kVoetnoot, QString()}));

    // Header and last year underlined, the other years not; tab stops at
    // 2.0, 5.7, 7.8 and 11.4 cm.
    const QJsonArray ps = wordtest::paragraphs(d[QStringLiteral("body")].toArray());
    const auto para = [&](qsizetype i) { return ps[int(i)].toObject(); };
    const auto onderstreept = [&](qsizetype i) {
        return itemAt(para(i)[QStringLiteral("runs")].toArray(), 0).toObject()[QStringLiteral("underline")].toBool();
    };
    qsizetype kop = -1;
    for (qsizetype i = 0; i < ps.size(); ++i)
        if (para(i)[QStringLiteral("text")].toString().startsWith(QStringLiteral("jaar\t")))
            kop = i;
    ASSERT_GE(kop, 0);
    EXPECT_TRUE(onderstreept(kop));
    EXPECT_FALSE(onderstreept(kop + 1));
    EXPECT_FALSE(onderstreept(kop + 2));
    EXPECT_TRUE(onderstreept(kop + 3));
    EXPECT_FALSE(onderstreept(kop + 4));
    EXPECT_EQ(para(kop)[QStringLiteral("tabs")].toArray().size(), 4);
    // The column heads keep with the first years, the last years with the
    // total and the total with the note under it.
    const auto houdt = [&](qsizetype i) { return para(i)[QStringLiteral("keep_with_next")].toBool(); };
    for (qsizetype i = kop; i <= kop + 5; ++i)
        EXPECT_TRUE(houdt(i)) << para(i)[QStringLiteral("text")].toString().toStdString();
    EXPECT_EQ(para(kop + 6)[QStringLiteral("text")].toString(), kVoetnoot);
    EXPECT_FALSE(houdt(kop + 6));
}

TEST_F(RapHeffingTest, TheOnlyPartStartsOnTheFirstPage)
{
    bool deelVooraf = false;
    reports::RapHeffingNaarWord(*heffing(fx.gamma), app, deelVooraf);
    const QJsonObject d = saveAndRead();
    EXPECT_EQ(d[QStringLiteral("sections")].toArray().size(), 1);
    const QStringList body = wordtest::bodyTexts(d);
    EXPECT_EQ(itemAt(body, 0), QStringLiteral("Rapportage heffingen\n"));
    EXPECT_TRUE(body.contains(QStringLiteral("jaar\taantal kTon\theffing/ton *\theffing *\tcontrole NCW")));
}

} // namespace
