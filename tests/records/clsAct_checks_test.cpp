// The cost-item records on their current row: the sentence, completeness,
// the test against another checklist version and the scaling to another
// price level. The rules themselves are tested on their own (act_sentence,
// act_checks); here the records must hand them the current row, pending
// edits included, and leave the scaled amount as a pending edit.

#include "records/clsAct.h"

#include "checklist/clsCL.h"
#include "site_fixture.h"
#include "support/scripted_dialogs_fixture.h"
#include "support/test_paths.h"

#include "platform/db/jet_types.h"

#include <gtest/gtest.h>

using records::clsAct;
using testsupport::SiteFixture;

namespace {

using Values = std::vector<std::pair<const char *, QVariant>>;

class ActChecksOnRowTest : public testsupport::ScriptedDialogsTest {
protected:
    static QVariant col(const SiteFixture &site, qint32 id, const char *column)
    {
        return site.scalar(QStringLiteral("SELECT %1 FROM tblAct WHERE idrAct_ID=?").arg(QLatin1String(column)), {id});
    }

    static void edit(clsAct &act, const Values &values)
    {
        for (const auto &[field, value] : values)
            act.setValue(QLatin1String(field), value);
    }
};

// A stored item in the options it was stored with; the calendar start of
// another item counted from the start of after-care the object was made
// with; and a pending edit that the sentence reads.
TEST_F(ActChecksOnRowTest, SentenceOfTheCurrentItem)
{
    SiteFixture fx;
    fx.execute(QStringLiteral("UPDATE tblAct SET intStartAbs = 2031 WHERE idrAct_ID = ?"), {fx.ownItem});

    const QString metingen =
        QStringLiteral("Gedurende de gehele nazorgperiode vindt 3 x per jaar een uitgave aan 'Controlemetingen "
                       "grondwater' plaats. De kosten per keer bedragen 12 x € 375,00 = € 4.500,00. ");
    const auto bouwkeet = [](int nazorgjaar) {
        return QStringLiteral("Vanaf juli 2031 (nazorgjaar %1) t/m nazorgjaar 30 vindt iedere 10 jaar een uitgave "
                              "aan 'Onderhoud bouwkeet' plaats. De kosten per keer bedragen € 500. ")
            .arg(nazorgjaar);
    };
    const struct {
        const char *what;
        qint32 id;
        float aanvangNazorg; // 0: the context's default
        int start, eind, kosten, freq;
        QString expected;
    } cases[] = {
        {"stored options", fx.clItem10, 0, 2, 3, 3, 2, metingen},
        {"default start of after-care", fx.ownItem, 0, 1, 2, 2, 3, bouwkeet(2)},
        {"after-care from 1 January 2031", fx.ownItem, 2031.0f, 1, 2, 2, 3, bouwkeet(1)},
    };
    for (const auto &c : cases) {
        records::Context ctx = fx.context();
        if (c.aanvangNazorg != 0)
            ctx.gsngJaarAanvangNazorg = c.aanvangNazorg;
        clsAct act(ctx);
        ASSERT_TRUE(act.ActiveerID(c.id));
        EXPECT_EQ(act.BeschrijvingInZin(0, true, c.start, c.eind, std::uint8_t(c.kosten), c.freq, 0, 0).toStdString(),
                  c.expected.toStdString())
            << c.what;
    }

    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.clItem10));
    edit(act, {{"intFreqX", 4}, {"sngAantal", 2}});
    EXPECT_EQ(act.BeschrijvingInZin(0, true, 2, 3, 3, 2, 0, 0).toStdString(),
              "Gedurende de gehele nazorgperiode vindt 4 x per jaar een uitgave aan 'Controlemetingen grondwater' "
              "plaats. De kosten per keer bedragen 2 x € 375,00 = € 750,00. ")
        << "pending edit";
}

TEST_F(ActChecksOnRowTest, CompletenessOfTheCurrentItem)
{
    const struct {
        const char *what;
        qint32 SiteFixture::*item;
        Values edits;
        bool gediff;
        bool expected;
    } cases[] = {
        {"stored checklist item", &SiteFixture::clItem10, {}, true, true},
        {"replacement with a large-work surcharge", &SiteFixture::phase1, {}, true, true},
        {"replacement without a surcharge", &SiteFixture::phase1, {{"bytTypeVervangingsToeslag", 0}}, true, false},
        {"the same under the fixed surcharge", &SiteFixture::phase1, {{"bytTypeVervangingsToeslag", 0}}, false, true},
        {"interval cleared", &SiteFixture::ownItem, {{"intFreqX", QVariant()}}, true, false},
        {"absorbed into a combination item",
         &SiteFixture::ownItem,
         {{"intFreqX", QVariant()}, {"bytCombineer", 1}},
         true,
         true},
    };
    for (const auto &c : cases) {
        SiteFixture fx; // the release saves the edits: a file per case
        clsAct act(fx.context());
        ASSERT_TRUE(act.ActiveerID(fx.*c.item));
        edit(act, c.edits);
        EXPECT_EQ(act.verify_ansich(c.gediff), c.expected) << c.what;
    }
}

// The fixture site is on version 3; version 4 keeps the hedge maintenance
// within 1000 - 2500 and the groundwater samples within 275 - 475.
TEST_F(ActChecksOnRowTest, CurrentItemAgainstTheNextChecklistVersion)
{
    checklist::clsCL nieuw(testsupport::checklistFile());
    nieuw.initializeCL(SiteFixture::kChecklistVersion + 1);

    const struct {
        const char *what;
        qint32 SiteFixture::*item;
        Values edits;
        std::uint8_t expected;
    } cases[] = {
        {"stored total", &SiteFixture::clItem2, {}, 1},
        {"stored price per sample", &SiteFixture::clItem10, {}, 1},
        {"pending total above the bound", &SiteFixture::clItem2, {{"sngKostenTotaal", 2600}}, 2},
        {"pending price below the bound", &SiteFixture::clItem10, {{"sngKostenPE", 260}}, 2},
    };
    for (const auto &c : cases) {
        SiteFixture fx;
        clsAct act(fx.context());
        ASSERT_TRUE(act.ActiveerID(fx.*c.item));
        edit(act, c.edits);
        ASSERT_TRUE(nieuw.GaNaarItem(act.Clitem_REF().toInt())) << c.what;
        EXPECT_EQ(act.ToetsAanNieuweCL(nieuw), c.expected) << c.what;
        EXPECT_EQ(act.idrAct_ID(), fx.*c.item) << c.what;
    }
}

// The amount of the chosen option is multiplied and left pending on the
// current row: nothing in the file until the save, the row stays current,
// dtmMut and the other amounts stay as they were.
TEST_F(ActChecksOnRowTest, ScalingLeavesAPendingEdit)
{
    const struct {
        const char *what;
        qint32 SiteFixture::*item;
        const char *setup; // SQL on the item before the object is made
        const char *field;
        QVariant before, after;
        Values unchanged;
    } cases[] = {
        {"total",
         &SiteFixture::phase1,
         nullptr,
         "sngKostenTotaal",
         20000.0,
         25000.0,
         {{"sngKostenInvest", QVariant()}, {"sngVervangingsToeslagPerc", 6.25}}},
        {"price per unit", &SiteFixture::clItem10, nullptr, "sngKostenPE", 375.0, 468.75, {{"sngAantal", 12.0}}},
        {"investment",
         &SiteFixture::ownItem,
         "UPDATE tblAct SET bytOptieKosten = 1, sngPercInvest = 2.5, sngKostenInvest = 8000 WHERE idrAct_ID = ?",
         "sngKostenInvest",
         8000.0,
         10000.0,
         {{"sngPercInvest", 2.5}, {"sngKostenTotaal", 500.0}}},
        {"missing amount",
         &SiteFixture::clItem2,
         "UPDATE tblAct SET bytOptieKosten = 3 WHERE idrAct_ID = ?",
         "sngKostenPE",
         QVariant(),
         QVariant(),
         {{"sngKostenTotaal", 1750.0}}},
    };
    for (const auto &c : cases) {
        SiteFixture fx;
        const qint32 id = fx.*c.item;
        if (c.setup)
            fx.execute(QLatin1String(c.setup), {id});
        fx.execute(QStringLiteral("UPDATE tblAct SET dtmMut = '2020-05-04 03:02:01' WHERE idrAct_ID = ?"), {id});
        const QVariant mut = col(fx, id, "dtmMut");
        ASSERT_FALSE(db::isNull(mut));

        clsAct act(fx.context());
        ASSERT_TRUE(act.ActiveerID(id));
        act.psubVermenigvuldigKostenMet(1.25f);

        EXPECT_EQ(act.idrAct_ID(), id) << c.what;
        const auto expectValue = [&](const QVariant &actual, const QVariant &expected, const std::string &where) {
            if (db::isNull(expected))
                EXPECT_TRUE(db::isNull(actual)) << c.what << ", " << where;
            else
                EXPECT_EQ(actual.toFloat(), expected.toFloat()) << c.what << ", " << where;
        };
        expectValue(act.value(QLatin1String(c.field)), c.after, "pending");
        expectValue(col(fx, id, c.field), c.before, "in the file before the save");

        ASSERT_TRUE(act.UpdateNu());
        expectValue(col(fx, id, c.field), c.after, "in the file after the save");
        for (const auto &[field, value] : c.unchanged)
            expectValue(col(fx, id, field), value, field);
        EXPECT_EQ(col(fx, id, "dtmMut").toString().toStdString(), mut.toString().toStdString()) << c.what;
    }
}

} // namespace
