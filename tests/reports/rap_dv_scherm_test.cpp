// The target-fund report on screen, on the calculation's fixture sites.

#include "demo_site.h"
#include "rapport_opname.h"
#include "support/item_at.h"
#include "support/qstring_printer.h"
#include "support/scripted_dialogs_fixture.h"

#include "reports/frmDoelverm_rules.h"
#include "reports/rap_dv_scherm.h"
#include "reports/word_report.h"

#include "calc/clsDV.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using testsupport::itemAt;

class RapDVSchermTest : public testsupport::ScriptedDialogsTest {
protected:
    reporttest::RapportOpname write(qint32 site, int sortering)
    {
        calc::clsDV dv(fx.context(site));
        dv.initializeDV(site, -9, -9);
        EXPECT_TRUE(dv.BerekenAlles());
        dv.rapOpenActRecordset();
        dv.rapSorteerVeldNaam(reports::sorteerVeld(sortering));
        reporttest::RapportOpname rap;
        reports::RapDVScherm schrijver(dv, rap);
        schrijver.optRapSort = sortering;
        schrijver.RapDVnaarScherm();
        return rap;
    }

    reporttest::DemoSite fx;
};

TEST_F(RapDVSchermTest, ByRubricOneLinePerItemWithTheBlocksAndTheTargetFund)
{
    const reporttest::RapportOpname rap = write(fx.alfa, 2);
    const QList<double> stops = {0.5, 6.0, 7.8, 9.6, 11.4, 13.5, 19.2, 21.6};
    ASSERT_EQ(rap.tabs.size(), 8);
    for (int k = 0; k < 8; ++k)
        EXPECT_NEAR(rap.tabs[k], stops[k], 1e-9) << k;
    EXPECT_EQ(rap.kleuren, QList<qint32>({0xFF0000, 0}));

    const QStringList r = rap.regels();
    // "post" stands at the left edge, and the TABs after it reach the
    // second column from where it ends.
    EXPECT_TRUE(
        QRegularExpression(
            QStringLiteral("^post\t+aanleg   \teerste  \tlaatste\tfrequentie\tkosten \\(prijspeil 2002\\)\tNCW\t$"))
            .match(itemAt(r, 0))
            .hasMatch())
        << itemAt(r, 0).toStdString();
    EXPECT_EQ(itemAt(r, 1), QStringLiteral("       \tafd.\tuitgave\tuitgave\t    \t         \t   \t"));
    EXPECT_EQ(itemAt(r, 2), QString(9, QLatin1Char('\t')));
    EXPECT_EQ(r.mid(3, 7), QStringList({"A: Jaarlijkse kosten", "", "", "INSTANDHOUDEN", "", "Terrein",
                                        QString::fromUtf8("\u25cb\tMaaien\t\t1\too\t2x per jr\t€ 1.000,00\t€ 121.413"
                                                          "\t(7,5%)")}));
    EXPECT_TRUE(r.contains(QString::fromUtf8("Subtotaal instandhouden: \t\t\t\t\t\t€ 121.413\t(7,5%)")));

    // The A block closes the annual costs before the replacement costs,
    // once; the rows of rubric 6 stand apart after block B.
    QStringList labels;
    for (const QString &regel : r)
        if (!regel.isEmpty() && !regel.startsWith(QLatin1Char('\t')))
            labels << regel.section(QLatin1Char('\t'), 0, 0);
    const QStringList volgorde = {"Subtotaal onderhoud: ",     "Subtotaal jaarlijkse nazorgkosten",
                                  QString::fromUtf8("\u2714"), "Jaarlijkse nazorgkosten (A)",
                                  "B: Vervangingskosten",      "Bovenafdichting"};
    const qsizetype s = labels.indexOf(QStringLiteral("Subtotaal onderhoud: "));
    ASSERT_GE(s, 0);
    EXPECT_EQ(labels.mid(s, volgorde.size()), volgorde);
    EXPECT_EQ(labels.count(QStringLiteral("Jaarlijkse nazorgkosten (A)")), 1);
    EXPECT_EQ(labels.count(QStringLiteral("B: Vervangingskosten")), 1);
    EXPECT_TRUE(labels.contains(QStringLiteral("Subtotaal overig: ")));
    EXPECT_FALSE(labels.contains(QStringLiteral("VERVANGING")));

    EXPECT_TRUE(r.filter(QStringLiteral("Toeslag onvoorzien"))
                    .value(0)
                    .startsWith(QString::fromUtf8("\u2714\tToeslag onvoorzien (10,0%)\t\t\t\t\t\t€ ")));
    EXPECT_TRUE(r.contains(QString::fromUtf8(
        "\u2714\tApparaatskosten algemeen\t\t\t€ 15.000 per jaar plus 3% van (A+B)\t€ 915.802\t(56,5%)")));
    EXPECT_TRUE(r.contains(QString::fromUtf8(
        "\u2714\tRapportage/evaluatie\t\t1\too\t1x per jr\t€ 3.500 + 10 x € 225 = € 5.750\t€ 349.063\t(21,5%)")));
    EXPECT_TRUE(r.contains(QString::fromUtf8("DOELVERMOGEN \t\t\t\t\t\t€ 1.670.408")));
    EXPECT_TRUE(rap.vet.contains(QString::fromUtf8("DOELVERMOGEN \t\t\t\t\t\t€ 1.670.408\n\n")));
    EXPECT_TRUE(rap.vet.contains(QStringLiteral("B: Vervangingskosten\n")));
    EXPECT_TRUE(rap.onderstreept.contains(QStringLiteral("Terrein\n")));

    const qsizetype v = r.indexOf(QStringLiteral("Verklaring:"));
    ASSERT_GE(v, 0);
    EXPECT_EQ(r.mid(v + 1, 6),
              QStringList({QString::fromUtf8("\u2714\t: QOR-checklistpost, invoer voldoet aan criteria;"),
                           QString::fromUtf8("\u2718\t: QOR-checklistpost, invoer voldoet niet aan criteria;"),
                           QString::fromUtf8("\u25cb\t: door de gebruiker gedefinieerde kostenpost."), "",
                           "De kolom 'aanleg afd.' geeft het ingevoerde jaar van aanleg bovenafdichting in.",
                           "De jaren 'eerste uitgave' en 'laatste uitgave' zijn uitgedrukt in jaren na aanvang "
                           "nazorg, waarbij jaar 1= jaar van aanvang nazorg."}));
    // Every conformity character went out in the symbol font.
    EXPECT_FALSE(rap.symbolen.isEmpty());
    for (const QChar c : rap.symbolen)
        EXPECT_TRUE(c == QChar(0x25CB) || c == QChar(0x2714) || c == QChar(0x2718)) << int(c.unicode());
}

TEST_F(RapDVSchermTest, ByCategoryEveryGroupEndsWithItsSubtotalAndTheBlocksFollowTheLast)
{
    const QStringList r = write(fx.alfa, 1).regels();
    EXPECT_EQ(itemAt(r, 3), QStringLiteral("A: Jaarlijkse kosten & B: Vervangingskosten"));
    EXPECT_TRUE(r.contains(QString::fromUtf8("Subtotaal algemeen: \t\t\t\t\t\t€ 150.665\t(9,3%)")));
    qsizetype laatste = -1;
    for (qsizetype i = 0; i < r.size(); ++i)
        if (r[i].startsWith(QStringLiteral("Subtotaal grondwatermonitoringssysteem: ")))
            laatste = i;
    ASSERT_GE(laatste, 0);
    // Two empty lines, then the A block and the B block; no "B:" heading.
    EXPECT_EQ(r.mid(laatste + 1, 2), QStringList({"", ""}));
    EXPECT_TRUE(r[laatste + 3].startsWith(QStringLiteral("Subtotaal jaarlijkse nazorgkosten\t")));
    EXPECT_TRUE(r[laatste + 7].startsWith(QStringLiteral("Subtotaal vervangingskosten\t")));
    EXPECT_FALSE(r.contains(QStringLiteral("B: Vervangingskosten")));
}

// A surcharge's text runs on as far as the cost column, so that the
// surcharges of one item read apart; the amounts stand under the cost and
// the NCW.
TEST_F(RapDVSchermTest, DifferentiatedSurchargesAreListedWithTheirWholeTexts)
{
    const QStringList r = write(fx.beta, 2).regels();
    const qsizetype kop = r.indexOf(QStringLiteral("Toeslagen vervangingen:"));
    ASSERT_GE(kop, 0);
    EXPECT_EQ(r[kop + 3], QString::fromUtf8("\u2714\t'Drainageleidingen: Vervangen drainageleidingen' (groot werk, "
                                            "6,25%)\t\t\t€ 6.250\t€ 479.026\t(0,7%)"));
    EXPECT_EQ(r[kop + 4], QString::fromUtf8("\u2714\t'Terrein en hekwerk: Vervangen hekwerk' (klein werk, "
                                            "5,0%)\t\t\t\t€ 1.000\t€ 1.916\t(0,0%)"));
    EXPECT_TRUE(r[kop + 5].startsWith(QStringLiteral("Vervangingskosten (B)\t")));
    EXPECT_TRUE(r.filter(QStringLiteral("Toeslag ontwerp/directie")).isEmpty());
}

TEST_F(RapDVSchermTest, OverigStandsApartAfterBlockBInEveryDivision)
{
    for (int sortering : {1, 2, 3}) {
        SCOPED_TRACE(sortering);
        const QStringList r = write(fx.alfa, sortering).regels();
        qsizetype b = -1;
        for (qsizetype i = 0; i < r.size() && b < 0; ++i)
            if (r[i].startsWith(QStringLiteral("Vervangingskosten (B)\t")))
                b = i;
        const qsizetype o = r.indexOf(reports::kKopOverig);
        const qsizetype c = r.indexOf(QStringLiteral("C: Toeslagen algemene nazorgkosten"));
        ASSERT_GE(b, 0);
        EXPECT_EQ(r.mid(b + 1, 2), QStringList({"", QString(9, QLatin1Char('\t'))}));
        ASSERT_EQ(o, b + 3);
        EXPECT_EQ(r.mid(o + 1, 2), QStringList({"", "Peilbuizen"}));
        EXPECT_TRUE(r[o + 3].startsWith(QString::fromUtf8("\u25cb\tOpruimen\t")));
        EXPECT_TRUE(r[o + 3].endsWith(QString::fromUtf8("\t€ 8.184")))
            << r[o + 3].toStdString(); // no share of the fund
        EXPECT_EQ(r[o + 5], QString::fromUtf8("Subtotaal overig: \t\t\t\t\t\t€ 8.184"));
        EXPECT_EQ(r[o + 6], reports::kBuitenDoelvermogen);
        EXPECT_GT(c, o + 6);
        EXPECT_EQ(r.filter(QStringLiteral("Opruimen")).size(), 1);
        EXPECT_EQ(r.filter(QRegularExpression(QStringLiteral("^Subtotaal vervangingskosten"))).size(), 1);
        EXPECT_TRUE(r.filter(QRegularExpression(QStringLiteral("^Subtotaal vervanging: "))).isEmpty());
        EXPECT_FALSE(r.contains(QStringLiteral("OVERIG")));
        EXPECT_TRUE(r.contains(QString::fromUtf8("DOELVERMOGEN \t\t\t\t\t\t€ 1.670.408")));
    }
}

// An amount is rounded once, from its value: the NCW of the only item of a
// group, 100011.49, whose seven-digit text 100011,5 would round up, prints
// as the group's subtotal does.
TEST_F(RapDVSchermTest, AOneItemGroupsSubtotalReadsAsItsItem)
{
    fx.execute(QStringLiteral("UPDATE tblAct SET sngKostenTotaal=1391 WHERE strAct='Maaien' AND "
                              "lngInrichting_REF IN (SELECT idrInrichting_ID FROM tblInrichting WHERE lngStort_REF=?)"),
               {fx.eigen});
    const QStringList r = write(fx.eigen, 2).regels();
    const QStringList item = r.filter(QStringLiteral("\tMaaien\t"));
    const QStringList subtotaal = r.filter(QRegularExpression(QStringLiteral("^Subtotaal instandhouden: ")));
    ASSERT_EQ(item.size(), 1);
    ASSERT_EQ(subtotaal.size(), 1);
    EXPECT_EQ(item[0].section(QLatin1Char('\t'), -2, -2), QString::fromUtf8("€ 100.011"));
    EXPECT_EQ(subtotaal[0].section(QLatin1Char('\t'), -2, -2), QString::fromUtf8("€ 100.011"));
}

TEST_F(RapDVSchermTest, OwnItemsOnlyByConformityHaveTheirHeading)
{
    const QStringList r = write(fx.eigen, 3).regels();
    const qsizetype kop = r.indexOf(QStringLiteral("DOOR GEBRUIKER GEDEFINIEERD"));
    ASSERT_GE(kop, 0);
    EXPECT_EQ(r.mid(kop - 2, 2), QStringList({"A: Jaarlijkse kosten & B: Vervangingskosten", ""}));
    EXPECT_EQ(r.mid(kop + 1, 2), QStringList({"", "Terrein"}));
    EXPECT_EQ(r.filter(QRegularExpression(QStringLiteral("^Subtotaal door gebruiker gedefinieerd: "))).size(), 1);
}

} // namespace
