// The checklist view: loading a version, its values, the cursor over its
// active items, combination items and the averages of item bounds.

#include "checklist_files.h"

#include "support/raised_error.h"

#include "platform/core/error_numbers.h"
#include "support/scripted_dialogs_fixture.h"

#include <QDate>
#include <cmath>

using checklist::clsCL;
using cltest::itemWhere;
using cltest::viewOn;

namespace {

class ChecklistViewTest : public testsupport::ScriptedDialogsTest {};

int activeCount(int version)
{
    db::Connection cn;
    cn.Open(cltest::shipped());
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) FROM tblCLitem WHERE blnActief<>0 AND intCL_REF=?"), cn,
            db::LockType::ReadOnly, {version});
    return rs.Fields(0).Value().toInt();
}

TEST_F(ChecklistViewTest, VersionValuesComeFromTheVersionRow)
{
    struct Case {
        int version;
        QString strVersie;
        QDate dtmCl;
        int jaar;
        float commMin, commMax, rapMin, rapPerHa, rapMax, appMin, appMax, appPerc, onvoorzien, ontwerp;
        bool gedifferentieerd;
    };
    const Case cases[] = {
        {1, "1.0", QDate(2003, 1, 15), 2002, 2500, 5000, 3500, 225, 9000, 12500, 17500, 0.03f, 0.10f, 0.12f, false},
        {3, "3.1", QDate(2008, 10, 1), 2008, 2500, -999, 3500, 225, 9000, 13000, 18000, 0.03f, 0.10f, -999, true},
        {4, "4.0", QDate(2012, 6, 1), 2012, 3000, 6000, 3500, 250, 9000, 14000, 19000, 0.035f, 0.10f, -999, true},
        {11, "1.0", QDate(2005, 5, 1), 2004, 1000, 2500, 3500, 225, 9000, 7500, 10000, 0.03f, 0.10f, 0.12f, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.version);
        auto cl = viewOn(c.version);
        EXPECT_TRUE(cl->checklistBestaat());
        EXPECT_EQ(cl->intCl_ID(), c.version);
        EXPECT_EQ(cl->strVersie(), c.strVersie);
        EXPECT_EQ(cl->dtmCl().date(), c.dtmCl);
        EXPECT_EQ(cl->intJaarPrijspeil(), c.jaar);
        EXPECT_EQ(cl->sngCommunicatieMIN(), c.commMin);
        EXPECT_EQ(cl->sngCommunicatieMAX(), c.commMax);
        EXPECT_EQ(cl->sngRapEvalMin(), c.rapMin);
        EXPECT_EQ(cl->sngRapEvalPerHa(), c.rapPerHa);
        EXPECT_EQ(cl->sngRapEvalMax(), c.rapMax);
        EXPECT_EQ(cl->sngAppKostenBasisMIN(), c.appMin);
        EXPECT_EQ(cl->sngAppKostenBasisMAX(), c.appMax);
        EXPECT_EQ(cl->sngAppKostenPerc(), c.appPerc);
        EXPECT_EQ(cl->sngOnvoorzien(), c.onvoorzien);
        EXPECT_EQ(cl->sngOntwerpdirectieFixed(), c.ontwerp);
        EXPECT_EQ(cl->sngVervangingstoeslagKleineWerken(), 5.0f);
        EXPECT_EQ(cl->sngVervangingstoeslagGroteWerkenMin(), 6.0f);
        EXPECT_EQ(cl->sngVervangingstoeslagGroteWerkenMax(), 6.5f);
        EXPECT_EQ(cl->GebruikGedifferentieerdeToeslagB(), c.gedifferentieerd);
    }
}

TEST_F(ChecklistViewTest, DifferentiatedSchemeOnlyForExactlyMinus999)
{
    const struct {
        float value;
        bool expected;
    } cases[] = {{-999.0f, true}, {-999.001f, false}, {-998.999f, false}, {0.12f, false}, {999.0f, false}};
    for (const auto &c : cases) {
        cltest::ChecklistCopy copy;
        copy.change(QStringLiteral("UPDATE tblCL SET sngOntwerpdirectie=? WHERE intCL_ID=1"), {c.value});
        auto cl = viewOn(copy.path(), 1);
        EXPECT_EQ(cl->GebruikGedifferentieerdeToeslagB(), c.expected) << c.value;
    }
}

TEST_F(ChecklistViewTest, VersionNotInTheFileCountsAsNotInstalled)
{
    script.expectMsgBox(ui::Icon::Exclamation, "Verificatie beschikbaarheid checklist",
                        "Deze inrichting is gerelateerd aan een nieuwere versie van de QOR-checklist.\r\n"
                        "Download eerst de benodigde update.");
    auto cl = viewOn(99);
    EXPECT_FALSE(cl->checklistBestaat());
    EXPECT_TRUE(cl->EOF_rsCLitem());
    EXPECT_NO_THROW(cl->movefirst_rsCLitem());
    EXPECT_FALSE(cl->GaNaarItem(1));
    EXPECT_EQ(cl->GetCombinatiePosten(), QString());
    EXPECT_EQ(testsupport::errorNumber([&] { cl->intJaarPrijspeil(); }), db::err::kNoCurrentRecord);
    EXPECT_EQ(testsupport::errorNumber([&] { cl->Omschrijving(); }), db::err::kNoCurrentRecord);
}

TEST_F(ChecklistViewTest, VersionWhoseItemsAreAllInactiveCountsAsNotInstalled)
{
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("UPDATE tblCLitem SET blnActief=0 WHERE intCL_REF=4"));
    script.expectMsgBox(ui::Icon::Exclamation, "Verificatie beschikbaarheid checklist",
                        "Deze inrichting is gerelateerd aan een nieuwere versie van de QOR-checklist.\r\n"
                        "Download eerst de benodigde update.");
    auto cl = viewOn(copy.path(), 4);
    EXPECT_FALSE(cl->checklistBestaat());
    // The version row itself is still there.
    EXPECT_EQ(cl->intJaarPrijspeil(), 2012);
}

TEST_F(ChecklistViewTest, WalkVisitsEveryActiveItemOnce)
{
    for (int version : {1, 3, 12}) {
        SCOPED_TRACE(version);
        auto cl = viewOn(version);
        QSet<qint32> seen;
        int count = 0;
        for (cl->movefirst_rsCLitem(); !cl->EOF_rsCLitem(); cl->movenext_rsCLitem()) {
            seen.insert(cl->lngCLitem_ID());
            ++count;
        }
        EXPECT_EQ(count, activeCount(version));
        EXPECT_EQ(seen.size(), count);
        EXPECT_EQ(testsupport::errorNumber([&] { cl->movenext_rsCLitem(); }), db::err::kNoCurrentRecord);
        EXPECT_EQ(testsupport::errorNumber([&] { cl->lngCLitem_ID(); }), db::err::kNoCurrentRecord);
        EXPECT_EQ(testsupport::errorNumber([&] { cl->strKostenToelichting(); }), db::err::kNoCurrentRecord);
    }
}

TEST_F(ChecklistViewTest, FirstItemIsCurrentAfterLoading)
{
    auto cl = viewOn(1);
    const qint32 first = cl->lngCLitem_ID();
    cl->movenext_rsCLitem();
    cl->movefirst_rsCLitem();
    EXPECT_EQ(cl->lngCLitem_ID(), first);
}

TEST_F(ChecklistViewTest, GaNaarItemFindsOnlyActiveItemsOfTheVersion)
{
    // 33 is an inactive row in version 3; 32 exists only in version 1; 14
    // has an inactive row beside its active one in version 3.
    auto cl = viewOn(3);
    EXPECT_FALSE(cl->GaNaarItem(33));
    EXPECT_TRUE(cl->EOF_rsCLitem());
    EXPECT_FALSE(cl->GaNaarItem(32));
    EXPECT_FALSE(cl->GaNaarItem(123456));
    // Every search starts from the first item, also after a failed one.
    ASSERT_TRUE(cl->GaNaarItem(14));
    EXPECT_EQ(cl->lngCLitem_ID(), 14);
    EXPECT_EQ(cl->PrijsPEmin().toFloat(), 2.0f);
    EXPECT_EQ(cl->PrijsPEmax().toFloat(), 3.5f);
    ASSERT_TRUE(cl->GaNaarItem(1));
    ASSERT_TRUE(cl->GaNaarItem(1));
    EXPECT_EQ(cl->Voorziening().toString(), "Terrein en hekwerk");

    auto v1 = viewOn(1);
    EXPECT_TRUE(v1->GaNaarItem(33));
    EXPECT_TRUE(v1->GaNaarItem(32));
}

TEST_F(ChecklistViewTest, ItemValuesOfTheCurrentItem)
{
    auto cl = viewOn(1, itemWhere(1, "bytOptieKosten=3 AND sngAantalMIN=1 AND sngAantalMAX=4"));
    EXPECT_EQ(cl->Omschrijving().toString(), "Vervangen percolaatpompen");
    EXPECT_EQ(cl->Voorziening().toString(), "Percolaatpompen");
    EXPECT_EQ(cl->bytObjectCat_ID(), 4);
    EXPECT_EQ(cl->bytRubriek_REF(), 5);
    EXPECT_EQ(cl->Rubriek(), "Vervanging");
    EXPECT_EQ(cl->bytOptieKosten(), 3);
    EXPECT_EQ(cl->bytOptieFreq(), 3);
    EXPECT_EQ(cl->bytOptieEind(), 3);
    EXPECT_EQ(cl->bytStartBA(), 0);
    EXPECT_EQ(cl->bytEindBA(), 0);
    EXPECT_EQ(cl->bytOptieStartX(), 2);
    EXPECT_EQ(cl->Startjaar().toInt(), 10);
    EXPECT_TRUE(cl->Eindjaar().isNull());
    EXPECT_FALSE(cl->StartjaarEerderMag());
    EXPECT_EQ(cl->PrijsPEmin().toFloat(), 5000.0f);
    EXPECT_EQ(cl->PrijsPEmax().toFloat(), 8000.0f);
    EXPECT_EQ(cl->AantalMIN().toFloat(), 1.0f);
    EXPECT_EQ(cl->AantalMAX().toFloat(), 4.0f);
    EXPECT_EQ(cl->Eenheid().toString(), "stuk");
    EXPECT_EQ(cl->FreqXmin().toFloat(), 10.0f);
    EXPECT_EQ(cl->FreqXmax().toFloat(), 15.0f);
    EXPECT_TRUE(cl->KostenTotaalMIN().isNull());
    EXPECT_TRUE(cl->PercInvestMAX().isNull());
    EXPECT_EQ(cl->VtNtPrijsPEmin().toString(), "6");
    EXPECT_TRUE(cl->VtNtPrijsPEmax().isNull());
    EXPECT_EQ(cl->RefDeelonderz().toString(), "Deelonderzoek 4, par. 3.2");
    EXPECT_FALSE(cl->Toelichting().toString().isEmpty());
    EXPECT_FALSE(cl->blnCombinatieMogelijk());
    EXPECT_FALSE(cl->blnIsCombinatiePost());
    EXPECT_EQ(cl->bytTypeVervangingsToeslag(), 0);
    EXPECT_EQ(cl->VolledigeOmschrijving(), QString());

    auto v3 = viewOn(3, 18);
    EXPECT_EQ(v3->bytTypeVervangingsToeslag(), 3);
}

TEST_F(ChecklistViewTest, RubricNames)
{
    const struct {
        const char *where;
        const char *name;
    } cases[] = {
        {"bytRubriek_REF=1", "Instandhouden"}, {"bytRubriek_REF=2", "Controlemetingen"},
        {"bytRubriek_REF=3", "Inspecties"},    {"bytRubriek_REF=4", "Onderhoud"},
        {"bytRubriek_REF=5", "Vervanging"},    {"bytRubriek_REF=6", "Overig"},
    };
    for (const auto &c : cases) {
        auto cl = viewOn(1, itemWhere(1, c.where));
        EXPECT_EQ(cl->Rubriek(), c.name) << c.where;
    }
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("UPDATE tblCLitem SET bytRubriek_REF=9 WHERE intCL_REF=1 AND lngCLitem_ID=1"));
    auto cl = viewOn(copy.path(), 1, 1);
    EXPECT_EQ(testsupport::errorNumber([&] { cl->Rubriek(); }), 94);
}

TEST_F(ChecklistViewTest, OmschrijvingExAddsTheId)
{
    auto cl = viewOn(1, 17);
    EXPECT_EQ(cl->OmschrijvingEx().toString(), "Onderhoud percolaatpompen (ID: 17)");

    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("UPDATE tblCLitem SET strOmschrijving=NULL WHERE intCL_REF=1 AND lngCLitem_ID=17"));
    auto empty = viewOn(copy.path(), 1, 17);
    EXPECT_EQ(empty->OmschrijvingEx().toString(), " (ID: 17)");
}

TEST_F(ChecklistViewTest, CombinationItemsInItemOrder)
{
    auto v3 = viewOn(3);
    EXPECT_EQ(v3->GetCombinatiePosten(), "30,31");
    EXPECT_TRUE(v3->EOF_rsCLitem());
    EXPECT_EQ(viewOn(12)->GetCombinatiePosten(), "210");
    EXPECT_EQ(viewOn(1)->GetCombinatiePosten(), QString());

    // The order is the row order of the file, not the order of the ids:
    // item 12 moved behind item 40.
    cltest::ChecklistCopy copy;
    copy.change(
        QStringLiteral("CREATE TEMP TABLE t AS SELECT * FROM tblCLitem WHERE intCL_REF=1 AND lngCLitem_ID=12;"
                       "DELETE FROM tblCLitem WHERE intCL_REF=1 AND lngCLitem_ID=12;"
                       "INSERT INTO tblCLitem SELECT * FROM t;"
                       "UPDATE tblCLitem SET blnIsCombinatiePost=-1 WHERE intCL_REF=1 AND lngCLitem_ID IN (12, 40);"));
    auto cl = viewOn(copy.path(), 1);
    EXPECT_EQ(cl->GetCombinatiePosten(), "40,12");
    // The cursor must be placed again after the walk.
    EXPECT_TRUE(cl->EOF_rsCLitem());
    EXPECT_TRUE(cl->GaNaarItem(40));
    EXPECT_TRUE(cl->blnIsCombinatiePost());
}

TEST_F(ChecklistViewTest, AveragesOfBounds)
{
    auto avg = [](const QVariant &v) { return v.isNull() ? std::nanf("") : v.toFloat(); };
    // Frequency: both, only upper, only lower.
    EXPECT_EQ(avg(viewOn(1, itemWhere(1, "sngFreqXMin=2 AND sngFreqXMax=4"))->freqXGEM()), 3.0f);
    EXPECT_EQ(avg(viewOn(1, itemWhere(1, "sngFreqXMin IS NULL AND sngFreqXMax=1"))->freqXGEM()), 1.0f);
    EXPECT_EQ(avg(viewOn(1, itemWhere(1, "sngFreqXMin=2 AND sngFreqXMax IS NULL"))->freqXGEM()), 2.0f);
    EXPECT_TRUE(viewOn(1, itemWhere(1, "sngFreqXMin IS NULL AND sngFreqXMax IS NULL"))->freqXGEM().isNull());
    {
        cltest::ChecklistCopy copy;
        copy.change(QStringLiteral(
            "UPDATE tblCLitem SET sngFreqXMin=0, sngFreqXMax=4 WHERE intCL_REF=1 AND lngCLitem_ID=10;"
            "UPDATE tblCLitem SET sngFreqXMin=0, sngFreqXMax=NULL WHERE intCL_REF=1 AND lngCLitem_ID=2;"
            "UPDATE tblCLitem SET sngFreqXMin=NULL, sngFreqXMax=4 WHERE intCL_REF=1 AND lngCLitem_ID=6;"));
        EXPECT_TRUE(viewOn(copy.path(), 1, 10)->freqXGEM().isNull());
        EXPECT_TRUE(viewOn(copy.path(), 1, 2)->freqXGEM().isNull());
        EXPECT_EQ(avg(viewOn(copy.path(), 1, 6)->freqXGEM()), 4.0f);
    }
    // Number of units, unit price, investment, total.
    auto pumps = viewOn(1, itemWhere(1, "sngAantalMIN=1 AND sngAantalMAX=4"));
    EXPECT_EQ(avg(pumps->AantalGEM()), 2.5f);
    EXPECT_EQ(avg(pumps->PrijsPEgem()), 6500.0f);
    EXPECT_EQ(avg(viewOn(1, itemWhere(1, "sngAantalMIN=1 AND sngAantalMAX IS NULL"))->AantalGEM()), 1.0f);
    EXPECT_EQ(avg(viewOn(1, itemWhere(1, "sngPrijsPEmin IS NULL AND sngPrijsPEmax=40"))->PrijsPEgem()), 40.0f);
    EXPECT_EQ(avg(viewOn(1, itemWhere(1, "sngPrijsPEmin=1.5 AND sngPrijsPEmax=3"))->PrijsPEgem()), 2.25f);
    auto total = viewOn(1, itemWhere(1, "sngKostenTotaalMIN=1000 AND sngKostenTotaalMAX=2500"));
    EXPECT_EQ(avg(total->KostenTotaalGEM()), 1750.0f);
    EXPECT_EQ(total->InvPercGEM(), 0.0f);
    EXPECT_TRUE(total->InvKostenGEM().isNull());
    EXPECT_TRUE(total->AantalGEM().isNull());
    EXPECT_TRUE(total->PrijsPEgem().isNull());
    EXPECT_EQ(avg(viewOn(1, itemWhere(1, "sngKostenTotaalMIN=1500 AND sngKostenTotaalMAX IS NULL"))->KostenTotaalGEM()),
              1500.0f);
    auto perc = viewOn(1, itemWhere(1, "sngPercInvestMIN IS NULL AND sngPercInvestMAX=3"));
    EXPECT_EQ(perc->InvPercGEM(), 3.0f);
    EXPECT_EQ(avg(perc->InvKostenGEM()), 10000.0f);
    EXPECT_EQ(viewOn(1, itemWhere(1, "sngPercInvestMIN=1 AND sngPercInvestMAX=2"))->InvPercGEM(), 1.5f);
    auto depot = viewOn(11, itemWhere(11, "sngKostenInvestMIN=50000 AND sngKostenInvestMAX=250000"));
    EXPECT_EQ(depot->InvPercGEM(), 1.0f);
    EXPECT_EQ(avg(depot->InvKostenGEM()), 150000.0f);
}

TEST_F(ChecklistViewTest, DataMemberHandsOutTheItems)
{
    auto cl = viewOn(1);
    db::Recordset *rs = cl->DataMember("tblCLItem");
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->RecordCount(), activeCount(1));
    EXPECT_EQ(cl->DataMember("anything"), rs);
    EXPECT_EQ(cl->DataMember(QString()), nullptr);
}

TEST_F(ChecklistViewTest, MissingFileRaisesToTheCreator)
{
    QTemporaryDir dir;
    EXPECT_EQ(testsupport::errorNumber([&] { clsCL cl(dir.filePath("geen.mdb")); }), db::err::kFileNotFound);
}

} // namespace
