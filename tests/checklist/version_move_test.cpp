// Moving a site to a newer checklist version, checked in the data file
// afterwards: amounts at the new price level, the new version reference,
// names, rubric and category of the new items, conformity anew; and a
// failure midway that leaves the site as it was.

#include "checklist/clsCL.h"
#include "checklist/version_comparison.h"
#include "checklist/version_move.h"

#include "records/site_fixture.h"
#include "support/qstring_printer.h"
#include "support/scripted_dialogs_fixture.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <gtest/gtest.h>

namespace {

const float kFactor34 = 1.074953f;

class VersionMoveTest : public testsupport::ScriptedDialogsTest {
protected:
    void SetUp() override
    {
        ScriptedDialogsTest::SetUp();
        site.execute(QStringLiteral("UPDATE tblStort SET sngAlgRisicoBedrag=1000, sngAlgCommunicatieKosten=2500, "
                                    "sngAlgAppKostenBasis=15000, sngRapEvalMin=3500, sngRapEvalPerHa=225, "
                                    "sngRapEvalMax=9000 WHERE idrStort_ID=?"),
                     {site.siteId});
    }

    float factor(int nieuw = 4)
    {
        checklist::clsCL cl(checklist::checklistContext(site.context()));
        cl.initializeCL(nieuw);
        return checklist::PrijspeilFactor(2008, cl);
    }

    QVariant act(qint32 id, const char *column) const
    {
        return site.scalar(QStringLiteral("SELECT %1 FROM tblAct WHERE idrAct_ID=?").arg(QLatin1String(column)), {id});
    }
    QVariant stort(const char *column) const
    {
        return site.scalar(QStringLiteral("SELECT %1 FROM tblStort WHERE idrStort_ID=?").arg(QLatin1String(column)),
                           {site.siteId});
    }

    // Every row of the site's tables, as text.
    QString dump() const
    {
        QString all;
        db::Connection cn;
        cn.Open(site.dataFile);
        for (const char *table : {"tblStort", "tblInrichting", "tblAct"}) {
            db::Recordset rs;
            rs.Open(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)), cn,
                    db::LockType::ReadOnly);
            for (; !rs.EOF_(); rs.MoveNext())
                for (int i = 0; i < rs.FieldCount(); ++i)
                    all += rs.Fields(i).Value().toString() + QLatin1Char('|');
            all += QLatin1Char('\n');
        }
        return all;
    }

    testsupport::SiteFixture site;
};

TEST_F(VersionMoveTest, FactorAndQuestionFollowThePriceLevels)
{
    EXPECT_FLOAT_EQ(factor(4), kFactor34);
    EXPECT_EQ(factor(3), 1.0f);
    EXPECT_EQ(checklist::BevestigingWijzigen(QStringLiteral("2012 (4.0)"), QStringLiteral("Stort 't Veld"), kFactor34),
              QStringLiteral("Weet u zeker dat u checklistversie 2012 (4.0) van toepassing wilt verklaren op "
                             "inrichting 'Stort 't Veld' ?\r\nVanwege de prijspeilcorrectie zullen alle ingevoerde "
                             "kosten (incl. risicobedrag) definitief worden aangepast.\r\n"));
    EXPECT_EQ(checklist::BevestigingWijzigen(QStringLiteral("2008 (3.1)"), QStringLiteral("X"), 1.0f),
              QStringLiteral("Weet u zeker dat u checklistversie 2008 (3.1) van toepassing wilt verklaren op "
                             "inrichting 'X' ?\r\n"));
}

TEST_F(VersionMoveTest, AmountsGoToTheNewPriceLevelAndTheSiteToTheNewVersion)
{
    checklist::VerplaatsNaarVersie(site.context(), 4, kFactor34);
    EXPECT_EQ(stort("intCL_REF").toInt(), 4);
    EXPECT_EQ(stort("intJaarPrijsPeil").toInt(), 2012);
    EXPECT_FLOAT_EQ(stort("sngAlgRisicoBedrag").toFloat(), 1000.0f * kFactor34);
    EXPECT_FLOAT_EQ(stort("sngAlgCommunicatieKosten").toFloat(), 2500.0f * kFactor34);
    EXPECT_FLOAT_EQ(stort("sngAlgAppKostenBasis").toFloat(), 15000.0f * kFactor34);
    EXPECT_FLOAT_EQ(stort("sngRapEvalPerHa").toFloat(), 225.0f * kFactor34);
    // The reporting minimum and maximum keep their values.
    EXPECT_EQ(stort("sngRapEvalMin").toFloat(), 3500.0f);
    EXPECT_EQ(stort("sngRapEvalMax").toFloat(), 9000.0f);
    // Every phase of an own item and every checklist item, once each.
    const struct {
        qint32 id;
        const char *column;
        float before;
    } amounts[] = {{site.phase1, "sngKostenTotaal", 20000}, {site.phase2, "sngKostenTotaal", 15000},
                   {site.phase3, "sngKostenTotaal", 10000}, {site.ownItem, "sngKostenTotaal", 500},
                   {site.clItem2, "sngKostenTotaal", 1750}, {site.clItem10, "sngKostenPE", 375}};
    for (const auto &a : amounts)
        EXPECT_FLOAT_EQ(act(a.id, a.column).toFloat(), a.before * kFactor34) << a.id;
    // Own items stay own items.
    EXPECT_EQ(act(site.ownItem, "bytIsQOR").toInt(), 0);
    EXPECT_TRUE(act(site.ownItem, "lngClitem_REF").isNull());
}

TEST_F(VersionMoveTest, CostItemsTakeTheNewItemsNamesRubricCategoryAndConformity)
{
    site.execute(QStringLiteral("UPDATE tblInrichting SET strObject='Hekwerk' WHERE idrInrichting_ID=?"),
                 {site.facTerrein});
    site.execute(QStringLiteral("UPDATE tblAct SET strAct='Hekwerk bijhouden', bytRubriek_REF=6 WHERE idrAct_ID=?"),
                 {site.clItem2});
    site.execute(QStringLiteral("UPDATE tblAct SET sngKostenPE=9999 WHERE idrAct_ID=?"), {site.clItem10});
    // Item 27 (category 7 -> 1 in version 4) in two phases, once user-defined.
    const QString ins = QStringLiteral(
        "INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct, bytOptieStart, intStartRel, "
        "bytStartBA, bytOptieEind, bytEindBA, bytOptieKosten, sngKostenTotaal, bytOptieFreq, intFreqX, bytIsQOR, "
        "lngClitem_REF, bytCombineer, bytTypeVervangingsToeslag) VALUES (?, ?, 6, 'Nazorgplan', 2, 1, 0, 3, 0, 2, "
        "5000, 3, 5, 0, ?, 0, 0)");
    site.execute(ins, {site.siteId, site.facKeet, 27});
    site.execute(ins, {site.siteId, site.facKeet, 27});
    const qint32 plan2 = site.scalar(QStringLiteral("SELECT max(idrAct_ID) FROM tblAct")).toInt();
    // Item 29 is gone from version 4.
    site.execute(ins, {site.siteId, site.facBoven, 29});
    site.execute(QStringLiteral("UPDATE tblAct SET bytIsQOR=1 WHERE lngClitem_REF=29"));
    const qint32 gone = site.scalar(QStringLiteral("SELECT max(idrAct_ID) FROM tblAct")).toInt();

    checklist::VerplaatsNaarVersie(site.context(), 4, kFactor34);

    EXPECT_EQ(
        site.scalar(QStringLiteral("SELECT strObject FROM tblInrichting WHERE idrInrichting_ID=?"), {site.facTerrein})
            .toString(),
        QStringLiteral("Terrein en hekwerk"));
    EXPECT_EQ(act(site.clItem2, "strAct").toString(), QStringLiteral("Onderhoud hekwerk en poort"));
    EXPECT_EQ(act(site.clItem2, "bytRubriek_REF").toInt(), 4);
    EXPECT_EQ(act(site.clItem2, "bytIsQOR").toInt(), 1);
    EXPECT_EQ(act(site.clItem10, "bytIsQOR").toInt(), 2);

    // Both phases of item 27: description, rubric, re-tested from 0; the
    // facility takes the item's name and category.
    for (const qint32 id : {plan2 - 1, plan2}) {
        EXPECT_EQ(act(id, "strAct").toString(), QStringLiteral("Actualiseren nazorgplan")) << id;
        EXPECT_EQ(act(id, "bytRubriek_REF").toInt(), 6) << id;
        EXPECT_NE(act(id, "bytIsQOR").toInt(), 0) << id;
    }
    EXPECT_EQ(site.scalar(QStringLiteral("SELECT strObject || '/' || bytObjectCat_REF FROM tblInrichting WHERE "
                                         "idrInrichting_ID=?"),
                          {site.facKeet})
                  .toString(),
              QStringLiteral("Nazorgorganisatie/1"));

    // Gone from the new version: user-defined, reference kept.
    EXPECT_EQ(act(gone, "bytIsQOR").toInt(), 0);
    EXPECT_EQ(act(gone, "lngClitem_REF").toInt(), 29);
}

TEST_F(VersionMoveTest, AFailureMidwayLeavesTheSiteAsItWas)
{
    // The last cost item of the walk cannot be saved.
    site.execute(QStringLiteral("CREATE TRIGGER weiger BEFORE UPDATE ON tblAct WHEN OLD.idrAct_ID = %1 "
                                "BEGIN SELECT RAISE(ABORT, 'schijf vol'); END")
                     .arg(site.clItem10));
    const QString before = dump();
    script.setMode(ui::ScriptedDialogs::Mode::Record);
    try {
        checklist::VerplaatsNaarVersie(site.context(), 4, kFactor34);
        ADD_FAILURE() << "the move reported success";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.description(),
                  QStringLiteral("Een kostenpost kon niet worden opgeslagen. De inrichting is niet gewijzigd."));
    }
    EXPECT_EQ(dump(), before);
    ASSERT_FALSE(script.shown().empty());
    EXPECT_EQ(script.shown().front().msgBox.text,
              QStringLiteral("Er is een fout opgetreden bij het opslaan van het record."));
    // The file is free for the next change.
    site.execute(QStringLiteral("DROP TRIGGER weiger"));
    checklist::VerplaatsNaarVersie(site.context(), 4, kFactor34);
    EXPECT_EQ(stort("intCL_REF").toInt(), 4);
}

TEST_F(VersionMoveTest, AnEmptyRiskAmountIsWrittenAsZero)
{
    site.execute(QStringLiteral("UPDATE tblStort SET sngAlgRisicoBedrag=NULL, sngAlgCommunicatieKosten=NULL"));
    checklist::VerplaatsNaarVersie(site.context(), 4, kFactor34);
    const QVariant risico = stort("sngAlgRisicoBedrag");
    EXPECT_FALSE(risico.isNull());
    EXPECT_EQ(risico.toFloat(), 0.0f);
    // General costs not entered yet stay for the user to enter.
    EXPECT_TRUE(stort("sngAlgCommunicatieKosten").isNull());
    EXPECT_FLOAT_EQ(stort("sngAlgAppKostenBasis").toFloat(), 15000.0f * kFactor34);
}

TEST_F(VersionMoveTest, EqualPriceLevelsKeepTheAmounts)
{
    site.execute(QStringLiteral("UPDATE tblStort SET intCL_REF=2, intJaarPrijsPeil=2008"));
    records::Context ctx = site.context();
    ctx.gintCL_ID = 2;
    checklist::VerplaatsNaarVersie(ctx, 3, 1.0f);
    EXPECT_EQ(stort("intCL_REF").toInt(), 3);
    EXPECT_EQ(stort("sngAlgRisicoBedrag").toFloat(), 1000.0f);
    EXPECT_EQ(act(site.clItem2, "sngKostenTotaal").toFloat(), 1750.0f);
}

} // namespace
