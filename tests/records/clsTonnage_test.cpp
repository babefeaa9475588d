// The waste forecast: tonnage by year, total, the walk for reports, the
// series check, and saving through the binding; checked against the file.

#include "records/clsTonnage.h"

#include "site_fixture.h"
#include "support/scripted_dialogs_fixture.h"

#include "platform/core/error.h"

#include <gtest/gtest.h>

using records::clsTonnage;
using testsupport::SiteFixture;

namespace {

class TonnageTest : public testsupport::ScriptedDialogsTest {
protected:
    SiteFixture fx;

    // Replaces the forecast of the first site by these years and tonnages.
    void forecast(const QList<QPair<QVariant, QVariant>> &rows)
    {
        fx.execute(QStringLiteral("DELETE FROM tblTonnage WHERE lngStort_REF=?"), {fx.siteId});
        for (const auto &[year, kton] : rows)
            fx.execute(QStringLiteral("INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES (?, ?, ?)"),
                       {fx.siteId, year, kton});
    }
    qint64 rowsInFile(qint32 site)
    {
        return fx.count(QStringLiteral("SELECT * FROM tblTonnage WHERE lngStort_REF=?"), {site});
    }
};

TEST_F(TonnageTest, ForecastByYear)
{
    clsTonnage t(fx.context());
    t.psubInitialiseer(fx.otherSiteId);
    EXPECT_EQ(t.AantalRecords(), 3);
    EXPECT_EQ(t.TotaalTonnage(), 450);
    EXPECT_EQ(t.TonnageInJaar(2011), 150.0f);
    EXPECT_EQ(t.rapJaartalTonnage().toInt(), 2011);
    EXPECT_EQ(t.TonnageInJaar(2020), -9.0f);
    EXPECT_TRUE(t.EOF_());
    EXPECT_TRUE(t.pfunValideerIngevoerdeData());
}

TEST_F(TonnageTest, WalkForReportsInYearOrder)
{
    clsTonnage t(fx.context());
    t.psubInitialiseer(fx.otherSiteId);
    QStringList seen;
    for (int i = 0; i < t.AantalRecords() && !t.EOF_(); ++i, t.move_NEXT())
        seen << t.rapJaartalTonnage().toString() + QLatin1Char(':') + t.rapAantalKton().toString();
    EXPECT_EQ(seen, (QStringList{"2010:100", "2011:150", "2012:200"}));
    EXPECT_TRUE(t.EOF_());
}

TEST_F(TonnageTest, EmptyForecast)
{
    clsTonnage t(fx.context());
    t.psubInitialiseer(fx.siteId);
    EXPECT_TRUE(t.BOF());
    EXPECT_EQ(t.AantalRecords(), 0);
    EXPECT_EQ(t.TotaalTonnage(), 0);
    EXPECT_EQ(t.TonnageInJaar(2010), -9.0f);
    EXPECT_TRUE(t.pfunValideerIngevoerdeData());
    t.Move0();
}

TEST_F(TonnageTest, SeriesCheck)
{
    struct Case {
        const char *what;
        QList<QVariant> years;
        bool ok;
    };
    const std::vector<Case> cases = {
        {"entered out of order", {2012, 2010, 2011}, true},
        {"a gap", {2010, 2012}, false},
        {"a repeat", {2010, 2010, 2011}, false},
        {"an empty year", {QVariant(), 2011}, false},
        {"an empty year among others", {2010, QVariant(), 2011}, false},
        {"one year", {2015}, true},
    };
    for (const Case &c : cases) {
        QList<QPair<QVariant, QVariant>> rows;
        for (const QVariant &y : c.years)
            rows << qMakePair(y, QVariant(10));
        forecast(rows);
        clsTonnage t(fx.context());
        t.psubInitialiseer(fx.siteId);
        EXPECT_EQ(t.pfunValideerIngevoerdeData(), c.ok) << c.what;
    }
}

TEST_F(TonnageTest, EmptyTonnageCountsZeroAndReadsQuestionMark)
{
    forecast({{2010, QVariant()}, {2011, 40}});
    clsTonnage t(fx.context());
    t.psubInitialiseer(fx.siteId);
    EXPECT_EQ(t.TotaalTonnage(), 40);
    EXPECT_EQ(t.rapAantalKton().toString(), QStringLiteral("?"));
    try {
        t.TonnageInJaar(2010);
        ADD_FAILURE() << "Null tonnage read as a number";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 94);
        EXPECT_TRUE(e.description().contains(QLatin1String("lngTonnage")));
    }
}

TEST_F(TonnageTest, TotalBeyondThe32BitRangeIsReported)
{
    forecast({{2010, 2147483647}, {2011, 1}});
    clsTonnage t(fx.context());
    t.psubInitialiseer(fx.siteId);
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Overflow-error"),
                        QStringLiteral("Te hoge waarden voor tonnage ingevoerd. Het totaal kan niet berekend worden. "
                                       "Pas de invoer van het tonnage aan."));
    EXPECT_EQ(t.TotaalTonnage(), 0);
}

TEST_F(TonnageTest, TotalAndCountDoNotDependOnTheCursor)
{
    clsTonnage t(fx.context());
    db::Recordset *rs = t.DataMember(QString::number(fx.otherSiteId));
    ASSERT_NE(rs, nullptr);
    rs->MoveFirst();
    rs->MovePrevious();
    ASSERT_TRUE(t.BOF());
    EXPECT_EQ(t.TotaalTonnage(), 450);
    EXPECT_EQ(t.AantalRecords(), 3);
    EXPECT_TRUE(t.BOF());
}

TEST_F(TonnageTest, GridEditsAreSavedByMove0AndByTheSeriesCheck)
{
    clsTonnage t(fx.context());
    EXPECT_EQ(t.DataMember(QString()), nullptr);
    db::Recordset *rs = t.DataMember(QString::number(fx.otherSiteId));
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(t.DataMember(QString::number(fx.otherSiteId)), rs); // opened once

    rs->AddNew();
    t.lngStort_REF(fx.otherSiteId);
    t.setValue(QStringLiteral("intkaljaar"), 2013);
    t.setValue(QStringLiteral("lngTonnage"), 250);
    EXPECT_TRUE(t.pfunValideerIngevoerdeData());
    EXPECT_EQ(rowsInFile(fx.otherSiteId), 4);

    rs->MoveFirst();
    t.setValue(QStringLiteral("lngTonnage"), 111);
    t.Move0();
    EXPECT_EQ(fx.scalar(QStringLiteral("SELECT lngTonnage FROM tblTonnage WHERE lngStort_REF=? AND intKalJaar=2010"),
                        {fx.otherSiteId})
                  .toInt(),
              111);
    EXPECT_EQ(t.TotaalTonnage(), 111 + 150 + 200 + 250);
}

TEST_F(TonnageTest, ReleaseSavesNothing)
{
    {
        clsTonnage t(fx.context());
        t.psubInitialiseer(fx.otherSiteId);
        t.setValue(QStringLiteral("lngTonnage"), 999);
    }
    EXPECT_EQ(fx.scalar(QStringLiteral("SELECT lngTonnage FROM tblTonnage WHERE lngStort_REF=? AND intKalJaar=2010"),
                        {fx.otherSiteId})
                  .toInt(),
              100);
}

TEST_F(TonnageTest, OutOfRangeTonnageIsRefusedNamingTheField)
{
    clsTonnage t(fx.context());
    t.psubInitialiseer(fx.otherSiteId);
    try {
        t.setValue(QStringLiteral("lngTonnage"), 3000000000.0);
        ADD_FAILURE() << "value beyond the Long range accepted";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 3349);
        EXPECT_TRUE(e.description().contains(QLatin1String("lngTonnage")));
    }
    t.Move0();
    EXPECT_EQ(t.TotaalTonnage(), 450);
}

} // namespace
