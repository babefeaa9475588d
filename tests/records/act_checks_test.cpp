// Checks of one cost item: complete as such, kept within its checklist item
// of a given version, and carried to another price level. The checklist is
// the one the build ships; the items live in a data file made from the
// template.

#include "records/act_checks.h"

#include "checklist/clsCL.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "site_fixture.h"
#include "support/scripted_dialogs_fixture.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>

namespace {

using Fields = std::map<QString, QVariant>;

records::ActFieldReader reader(const Fields &fields)
{
    return [&fields](const QString &name) {
        for (const auto &[k, v] : fields)
            if (k.compare(name, Qt::CaseInsensitive) == 0)
                return v;
        return QVariant();
    };
}

// A complete checklist item 10 of landfill version 1 ("Controlemetingen
// grondwater": after-care year 1, for ever, 250 - 450 per sample, 2 - 4
// times a year).
Fields peilbuisMetingen(float prijs)
{
    return {{"bytRubriek_REF", 2},     {"bytOptieStart", 2},
            {"intStartRel", 1},        {"bytStartBA", 0},
            {"bytOptieEind", 3},       {"bytEindBA", 0},
            {"bytOptieKosten", 3},     {"sngKostenPE", prijs},
            {"strEenheid", "monster"}, {"sngAantal", 4.0f},
            {"bytOptieFreq", 2},       {"intFreqX", 2},
            {"bytCombineer", 0},       {"bytTypeVervangingsToeslag", 0},
            {"lngClitem_REF", 10},     {"bytIsQOR", 1}};
}

Fields with(Fields f, const Fields &changes)
{
    for (const auto &[k, v] : changes)
        f[k] = v;
    return f;
}

class ActChecksTest : public testsupport::ScriptedDialogsTest {};

// ---- complete as such --------------------------------------------------------

TEST_F(ActChecksTest, CombinedItemIsCompleteWithoutAnyValue)
{
    const Fields f{{"bytCombineer", 1}};
    EXPECT_TRUE(records::verifyAnSich(reader(f), true));
}

TEST_F(ActChecksTest, CompleteItemPasses)
{
    const Fields f = peilbuisMetingen(300);
    EXPECT_TRUE(records::verifyAnSich(reader(f), true));
}

// A bad start year and an unknown surcharge type: only the start check
// runs, so no box about the surcharge comes.
TEST_F(ActChecksTest, StopsAtTheFirstIncompleteGroup)
{
    const Fields f =
        with(peilbuisMetingen(300), {{"intStartRel", 0}, {"bytRubriek_REF", 5}, {"bytTypeVervangingsToeslag", 4}});
    EXPECT_FALSE(records::verifyAnSich(reader(f), true));
}

TEST_F(ActChecksTest, MissingValuesAndCodes)
{
    const struct {
        const char *what;
        Fields changes;
        bool expected;
    } cases[] = {
        {"missing start year", {{"intStartRel", QVariant()}}, false},
        {"missing top-liner flags count as 0", {{"bytStartBA", QVariant()}, {"bytEindBA", QVariant()}}, true},
        {"missing start option", {{"bytOptieStart", QVariant()}}, false},
        {"missing end option", {{"bytOptieEind", QVariant()}}, false},
        {"missing end option with the end counted from the top liner",
         {{"bytOptieEind", QVariant()}, {"bytEindBA", 1}, {"intEindBA", 30}},
         true},
        {"missing cost option", {{"bytOptieKosten", QVariant()}}, false},
        {"missing frequency option", {{"bytOptieFreq", QVariant()}}, false},
        {"missing rubric", {{"bytRubriek_REF", QVariant()}}, false},
        {"missing unit", {{"strEenheid", QVariant()}}, false},
        {"replacement without surcharge, differentiated scheme", {{"bytRubriek_REF", 5}}, false},
    };
    for (const auto &c : cases) {
        const Fields f = with(peilbuisMetingen(300), c.changes);
        EXPECT_EQ(records::verifyAnSich(reader(f), true), c.expected) << c.what;
    }
    const Fields vervanging = with(peilbuisMetingen(300), {{"bytRubriek_REF", 5}});
    EXPECT_TRUE(records::verifyAnSich(reader(vervanging), false)) << "fixed scheme";
}

// A code held as another kind of number or as a text reads as the byte it
// rounds to (half to even); outside 0..255 or not a number it is no code.
TEST_F(ActChecksTest, CodesHeldAsOtherValues)
{
    const struct {
        QVariant optieStart;
        bool expected; // option 2 is complete, 1 (no calendar year) and others are not
    } cases[] = {
        {2, true},
        {qlonglong(2), true},
        {2.0, true},
        {2.0f, true},
        {1.5, true},
        {2.5, true},
        {2.6, false},
        {QStringLiteral("2"), true},
        {QStringLiteral("2,4"), true},
        {QStringLiteral("twee"), false},
        {258, false},
        {-254, false},
        {true, false},
        {false, false},
    };
    for (const auto &c : cases) {
        const Fields f = with(peilbuisMetingen(300), {{"bytOptieStart", c.optieStart}});
        EXPECT_EQ(records::verifyAnSich(reader(f), true), c.expected)
            << c.optieStart.typeName() << " " << c.optieStart.toString().toStdString();
    }
}

// ---- against a checklist version ---------------------------------------------

class ToetsAanNieuweCLTest : public ActChecksTest {
protected:
    std::uint8_t toets(const Fields &f, qint32 versie)
    {
        checklist::clsCL cl(testsupport::checklistFile());
        cl.initializeCL(versie);
        EXPECT_TRUE(cl.GaNaarItem(10));
        return records::toetsAanNieuweCL(reader(f), cl);
    }
};

// Version 2 raised the unit price of item 10 from 250 - 450 to 275 - 475.
TEST_F(ToetsAanNieuweCLTest, PriceWithinOneVersionAndOutsideTheNext)
{
    EXPECT_EQ(toets(peilbuisMetingen(260), 1), 1);
    EXPECT_EQ(toets(peilbuisMetingen(260), 2), 2);
    EXPECT_EQ(toets(peilbuisMetingen(300), 2), 1);
    EXPECT_EQ(toets(peilbuisMetingen(460), 2), 1);
    EXPECT_EQ(toets(peilbuisMetingen(460), 1), 2);
}

TEST_F(ToetsAanNieuweCLTest, EachCheckCanMakeItDeviate)
{
    const struct {
        const char *what;
        Fields changes;
    } cases[] = {
        {"start year", {{"intStartRel", 2}}},
        {"end", {{"bytOptieEind", 2}, {"intEindRel", 30}}},
        {"unit", {{"strEenheid", "liter"}}},
        {"frequency", {{"intFreqX", 5}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(toets(with(peilbuisMetingen(300), c.changes), 1), 2) << c.what;
}

// The frequency check still runs after the start check failed: its box
// about an interval of 0 years comes.
TEST_F(ToetsAanNieuweCLTest, RunsAllFourChecks)
{
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout in QOR-checklist"),
                        QStringLiteral("Er zit een fout in de QOR-checklist, validatie kon niet uitgevoerd worden"));
    EXPECT_EQ(toets(with(peilbuisMetingen(300), {{"intStartRel", 2}, {"bytOptieFreq", 3}, {"intFreqX", 0}}), 1), 2);
}

TEST_F(ToetsAanNieuweCLTest, UnreadableOptionCodeReachesTheCaller)
{
    const struct {
        const char *field;
        QVariant value;
        long error;
    } cases[] = {
        {"bytOptieKosten", QVariant(), 94},
        {"bytStartBA", QVariant(), 94},
        {"bytOptieFreq", QStringLiteral("twee"), 13},
        {"bytOptieStart", 300, 6},
    };
    for (const auto &c : cases) {
        try {
            toets(with(peilbuisMetingen(300), {{c.field, c.value}}), 1);
            ADD_FAILURE() << c.field << ": no error raised";
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.number(), c.error) << c.field;
        }
    }
}

// ---- price level ---------------------------------------------------------------

// The amounts are written to a data file and read back, so that what is
// checked is what a Single column holds.
class KostenVermenigvuldigdMetTest : public ActChecksTest {
protected:
    void SetUp() override
    {
        ActChecksTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("dbQORdata_test.mdb"));
        ASSERT_TRUE(QFile::copy(testsupport::templateFile(), file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        con.Open(file);
    }

    // An item of the given cost option with an amount in every amount field.
    qint32 item(const QVariant &optie, const QVariant &invest = 12345.6f, const QVariant &totaal = 1000.5f,
                const QVariant &pe = 37.25f)
    {
        con.Execute(QStringLiteral("INSERT INTO tblAct (lngStort_REF, strAct, bytOptieKosten, sngPercInvest,"
                                   " sngKostenInvest, sngKostenTotaal, sngKostenPE, sngAantal)"
                                   " VALUES (1, 'Post', ?, 2.5, ?, ?, ?, 40)"),
                    {optie, invest, totaal, pe});
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT max(idrAct_ID) AS id FROM tblAct"), con);
        return rs.Fields(QStringLiteral("id")).Value().toInt();
    }

    // Scales the item and stores the result; returns the row as stored.
    Fields scale(qint32 id, float factor)
    {
        {
            db::Recordset rs;
            rs.Open(QStringLiteral("SELECT * FROM tblAct WHERE idrAct_ID=?"), con, db::LockType::Optimistic, {id});
            const auto scaled = records::kostenVermenigvuldigdMet(
                [&rs](const QString &name) { return rs.Fields(name).Value(); }, factor);
            if (scaled) {
                rs.Fields(scaled->field).setValue(scaled->value);
                rs.Update();
            }
        }
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM tblAct WHERE idrAct_ID=?"), con, db::LockType::ReadOnly, {id});
        Fields row;
        for (int i = 0; i < rs.FieldCount(); ++i)
            row[rs.Fields(i).Name()] = rs.Fields(i).Value();
        return row;
    }

    QTemporaryDir dir;
    db::Connection con;
};

TEST_F(KostenVermenigvuldigdMetTest, OnlyTheAmountOfTheChosenOptionChanges)
{
    checklist::clsCL cl(testsupport::checklistFile());
    cl.initializeCL(1);
    // From price level 2002 to 2006: 2,1 %, 1,2 %, 1,7 % and 1,1 %.
    const float factor = cl.sngPrijsPeilCorr(2002, 2006);
    ASSERT_GT(factor, 1.05f);
    ASSERT_LT(factor, 1.07f);

    const struct {
        int optie;
        const char *field;
    } cases[] = {{1, "sngKostenInvest"}, {2, "sngKostenTotaal"}, {3, "sngKostenPE"}};
    const Fields original{{"sngKostenInvest", 12345.6f}, {"sngKostenTotaal", 1000.5f}, {"sngKostenPE", 37.25f}};
    for (const auto &c : cases) {
        const Fields row = scale(item(c.optie), factor);
        for (const auto &[name, value] : original) {
            const float expected = name == QLatin1String(c.field) ? value.toFloat() * factor : value.toFloat();
            EXPECT_EQ(row.at(name).toFloat(), expected) << "option " << c.optie << ", " << name.toStdString();
        }
        EXPECT_EQ(row.at("sngPercInvest").toFloat(), 2.5f) << "the percentage stays";
        EXPECT_EQ(row.at("sngAantal").toFloat(), 40.0f) << "the number of units stays";
    }
}

TEST_F(KostenVermenigvuldigdMetTest, MissingAmountUnknownOptionAndFactorOne)
{
    Fields row = scale(item(2, 12345.6f, QVariant()), 1.1f);
    EXPECT_TRUE(row.at("sngKostenTotaal").isNull()) << "a missing amount stays missing";
    EXPECT_EQ(row.at("sngKostenInvest").toFloat(), 12345.6f);

    for (const QVariant &optie : {QVariant(0), QVariant(4), QVariant()}) {
        row = scale(item(optie), 1.1f);
        EXPECT_EQ(row.at("sngKostenInvest").toFloat(), 12345.6f);
        EXPECT_EQ(row.at("sngKostenTotaal").toFloat(), 1000.5f);
        EXPECT_EQ(row.at("sngKostenPE").toFloat(), 37.25f);
    }

    row = scale(item(3), 1.0f);
    EXPECT_EQ(row.at("sngKostenPE").toFloat(), 37.25f);
}

// ---- moving a site to a newer version -------------------------------------------

// The fixture site (version 3, price level 2008) moved to version 4 (price
// level 2012), as the version screen walks its cost items: every amount is
// scaled, every checklist item tested against the new version. The
// hedge-maintenance total of 2400 lies within 1000 - 2500 before the move
// and above it after; the groundwater samples stay within 275 - 475.
TEST_F(ActChecksTest, MovingTheFixtureSiteToTheNextVersion)
{
    testsupport::SiteFixture site;
    site.execute(QStringLiteral("UPDATE tblAct SET sngKostenTotaal = 2400 WHERE idrAct_ID = ?"), {site.clItem2});

    checklist::clsCL nieuw(testsupport::checklistFile());
    nieuw.initializeCL(4);
    ASSERT_EQ(nieuw.intJaarPrijspeil(), 2012);
    // 2009 to 2012: 1,2 %, 1,3 %, 2,3 % and 2,5 %.
    const float factor = nieuw.sngPrijsPeilCorr(2008, 2012);
    EXPECT_NEAR(factor, 1.012 * 1.013 * 1.023 * 1.025, 1e-6);

    const std::map<qint32, float> voor{{site.phase1, 20000.0f},
                                       {site.phase2, 15000.0f},
                                       {site.phase3, 10000.0f},
                                       {site.ownItem, 500.0f},
                                       {site.clItem2, 2400.0f}};
    std::map<qint32, std::uint8_t> toets;
    std::map<qint32, bool> volledig;
    {
        db::Connection con;
        con.Open(site.dataFile);
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM tblAct WHERE lngStort_REF=? ORDER BY idrAct_ID"), con,
                db::LockType::Optimistic, {site.siteId});
        const records::ActFieldReader field = [&rs](const QString &name) { return rs.Fields(name).Value(); };
        for (; !rs.EOF_(); rs.MoveNext()) {
            const qint32 id = rs.Fields(QStringLiteral("idrAct_ID")).Value().toInt();
            if (const auto scaled = records::kostenVermenigvuldigdMet(field, factor)) {
                rs.Fields(scaled->field).setValue(scaled->value);
                rs.Update();
            }
            const QVariant ref = field(QStringLiteral("lngClitem_REF"));
            if (ref.isNull())
                continue;
            ASSERT_TRUE(nieuw.GaNaarItem(ref.toInt()));
            toets[id] = records::toetsAanNieuweCL(field, nieuw);
            volledig[id] = records::verifyAnSich(field, nieuw.GebruikGedifferentieerdeToeslagB());
        }
    }

    for (const auto &[id, bedrag] : voor)
        EXPECT_EQ(site.scalar(QStringLiteral("SELECT sngKostenTotaal FROM tblAct WHERE idrAct_ID=?"), {id}).toFloat(),
                  bedrag * factor)
            << "item " << id;
    EXPECT_EQ(
        site.scalar(QStringLiteral("SELECT sngKostenPE FROM tblAct WHERE idrAct_ID=?"), {site.clItem10}).toFloat(),
        375.0f * factor);
    EXPECT_EQ(site.scalar(QStringLiteral("SELECT sngAantal FROM tblAct WHERE idrAct_ID=?"), {site.clItem10}).toFloat(),
              12.0f);

    const std::map<qint32, std::uint8_t> verwacht{{site.clItem2, 2}, {site.clItem10, 1}};
    EXPECT_EQ(toets, verwacht);
    EXPECT_TRUE(volledig.at(site.clItem2));
    EXPECT_TRUE(volledig.at(site.clItem10));
}

} // namespace
