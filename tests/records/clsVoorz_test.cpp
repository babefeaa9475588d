// The facility records: count, positioning, search by category and name,
// adding with the tree node, renaming, and deleting with the cost items;
// checked against the file.

#include "records/clsVoorz.h"

#include "site_fixture.h"
#include "support/scripted_dialogs_fixture.h"

#include "platform/core/error.h"

#include <gtest/gtest.h>

using records::clsVoorz;
using testsupport::SiteFixture;

namespace {

class VoorzTest : public testsupport::ScriptedDialogsTest {
protected:
    SiteFixture fx;

    QString nameInFile(qint32 id)
    {
        return fx.scalar(QStringLiteral("SELECT strObject FROM tblInrichting WHERE idrInrichting_ID=?"), {id})
            .toString();
    }
    void expectEmptyNameRefused()
    {
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Bewerking ongeldig"),
                            QStringLiteral("Ongeldige naam. Wijziging niet doorgevoerd."));
    }
};

// ---- listing and positioning ---------------------------------------------------

TEST_F(VoorzTest, FacilitiesByCategoryThenName)
{
    clsVoorz v(fx.context());
    EXPECT_EQ(v.AantalRecords(), 4);
    QStringList seen;
    for (int i = 0; i < 4; ++i, v.moveNext())
        seen << v.ObjectCat() + QLatin1Char('/') + v.VoorzieningNaam();
    EXPECT_EQ(seen, (QStringList{"Algemeen/Terrein en hekwerk", "Bovenafdichting/Bovenafdichting",
                                 "Grondwatermonitoringssysteem/Peilbuizen", "Overig/Bouwkeet 't Hoekje"}));
    EXPECT_EQ(v.AantalRecords(), 4);
    EXPECT_EQ(v.VoorzieningNaam(), QStringLiteral("Terrein en hekwerk")); // first again
}

TEST_F(VoorzTest, SiteWithoutFacilities)
{
    clsVoorz v(fx.context(nullptr, fx.otherSiteId));
    EXPECT_EQ(v.AantalRecords(), 0);
    EXPECT_EQ(v.ZoekIDvanVoorz(1, QStringLiteral("Terrein en hekwerk")), 0);
    v.ActiveerID(fx.facTerrein); // no box: the site has no facilities
    EXPECT_FALSE(v.verwijderVoorz());
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblInrichting")), 4);
}

TEST_F(VoorzTest, ActivateById)
{
    clsVoorz v(fx.context());
    v.ActiveerID(fx.facKeet);
    EXPECT_EQ(v.VoorzieningNaam(), QStringLiteral("Bouwkeet 't Hoekje"));
    EXPECT_EQ(v.bytObjectCat_ID(), 7);
    EXPECT_EQ(v.ObjectCat(), QStringLiteral("Overig"));
}

TEST_F(VoorzTest, UnknownIdLeavesNoCurrentFacility)
{
    clsVoorz v(fx.context());
    v.ActiveerID(fx.facBoven);
    script.expectMsgBox(ui::Icon::Critical, QString(),
                        QStringLiteral("EOF-fout in ActiveerID in clsVoorz (lngIDVoorz=9999)"));
    v.ActiveerID(9999);
    EXPECT_FALSE(v.hasCurrentRow());
    EXPECT_THROW(v.HernoemVoorzNaam(QStringLiteral("Verkeerd")), platform::Error);
    EXPECT_EQ(nameInFile(fx.facBoven), QStringLiteral("Bovenafdichting"));
}

TEST_F(VoorzTest, FacilityAddedByAnotherObjectIsFoundAfterARequery)
{
    clsVoorz screen(fx.context());
    clsVoorz other(fx.context());
    const QString key = other.VoegVoorzieningToe(5, QStringLiteral("Gasbronnen"));
    screen.ActiveerID(key.mid(3).toInt());
    EXPECT_EQ(screen.VoorzieningNaam(), QStringLiteral("Gasbronnen"));

    // Also when the object had no facilities at all.
    clsVoorz empty(fx.context(nullptr, fx.otherSiteId));
    clsVoorz adder(fx.context(nullptr, fx.otherSiteId));
    const QString first = adder.VoegVoorzieningToe(1, QStringLiteral("Terrein"));
    empty.ActiveerID(first.mid(3).toInt());
    EXPECT_EQ(empty.VoorzieningNaam(), QStringLiteral("Terrein"));
}

TEST_F(VoorzTest, EmptyColumnsNameTheFieldWhenRead)
{
    fx.execute(
        QStringLiteral("UPDATE tblInrichting SET bytObjectCat_REF=NULL, strObject=NULL WHERE idrInrichting_ID=?"),
        {fx.facBoven});
    clsVoorz v(fx.context());
    EXPECT_EQ(v.ZoekIDvanVoorz(3, QStringLiteral("Peilbuizen")), fx.facPeil); // an empty row is no match
    v.ActiveerID(fx.facBoven);
    testsupport::expectInvalidUseOfNull({{"bytObjectCat_REF", [&] { v.bytObjectCat_ID(); }},
                                         {"bytObjectCat_REF", [&] { v.ObjectCat(); }},
                                         {"strObject", [&] { v.VoorzieningNaam(); }}},
                                        QStringLiteral("clsVoorz."));
}

// ---- search --------------------------------------------------------------------

TEST_F(VoorzTest, SearchByCategoryAndName)
{
    fx.execute(QStringLiteral(
                   "INSERT INTO tblInrichting (lngStort_REF, bytObjectCat_REF, strObject) VALUES (?, 6, 'Peilbuizen')"),
               {fx.siteId});
    clsVoorz v(fx.context());
    v.ActiveerID(fx.facKeet);
    EXPECT_EQ(v.ZoekIDvanVoorz(3, QStringLiteral("Peilbuizen")), fx.facPeil);
    EXPECT_EQ(v.VoorzieningNaam(), QStringLiteral("Terrein en hekwerk")); // moved to the first facility
    EXPECT_NE(v.ZoekIDvanVoorz(6, QStringLiteral("Peilbuizen")), fx.facPeil);
    EXPECT_EQ(v.ZoekIDvanVoorz(7, QStringLiteral("Bouwkeet 't Hoekje")), fx.facKeet);
    EXPECT_EQ(v.ZoekIDvanVoorz(7, QStringLiteral("BOUWKEET 'T HOEKJE")), fx.facKeet);
    EXPECT_EQ(v.ZoekIDvanVoorz(7, QStringLiteral("Bouwkeet")), 0);
    EXPECT_EQ(v.ZoekIDvanVoorz(2, QStringLiteral("Peilbuizen")), 0);
    EXPECT_EQ(v.ZoekIDvanVoorz(7, QStringLiteral("x' OR strObject<>'")), 0);
}

// ---- adding --------------------------------------------------------------------

TEST_F(VoorzTest, AddSavesTheRowAndAddsTheNode)
{
    records::MemorySiteTree tree;
    fx.fillTree(tree);
    records::Context ctx = fx.context(&tree);
    ctx.glngKleurVoorz = 32768;
    clsVoorz v(ctx);
    const int redraws = tree.redrawCount();
    const QString key = v.VoegVoorzieningToe(4, QStringLiteral("Pompput {oost}"));
    const qint32 id = key.mid(3).toInt();
    EXPECT_EQ(key, QStringLiteral("inr") + QString::number(id));
    EXPECT_EQ(v.VoorzieningNaam(), QStringLiteral("Pompput {oost}")); // the new facility is current
    EXPECT_EQ(
        fx.scalar(QStringLiteral("SELECT lngStort_REF FROM tblInrichting WHERE idrInrichting_ID=?"), {id}).toInt(),
        fx.siteId);
    EXPECT_EQ(
        fx.scalar(QStringLiteral("SELECT bytObjectCat_REF FROM tblInrichting WHERE idrInrichting_ID=?"), {id}).toInt(),
        4);
    EXPECT_EQ(nameInFile(id), QStringLiteral("Pompput {oost}"));

    const auto *node = tree.itemByKey(key);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(tree.key(node->parent), QStringLiteral("objcat4"));
    EXPECT_EQ(tree.childKeys(QStringLiteral("objcat4")).last(), key);
    EXPECT_EQ(node->text, QStringLiteral("Pompput {oost}"));
    EXPECT_EQ(node->tag, QStringLiteral("?"));
    EXPECT_FALSE(node->bold);
    EXPECT_EQ(node->foreColor, 32768);
    EXPECT_EQ(node->image, 7);
    EXPECT_TRUE(node->expanded);
    EXPECT_EQ(tree.redrawCount(), redraws + 1);
}

TEST_F(VoorzTest, AddIsWholeOrNotAtAll)
{
    records::MemorySiteTree tree; // no category nodes: the node cannot be made
    clsVoorz v(fx.context(&tree));
    EXPECT_THROW(v.VoegVoorzieningToe(4, QStringLiteral("Pompput")), platform::Error);
    EXPECT_EQ(tree.nodeCount(), 0);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblInrichting WHERE strObject='Pompput'")), 0);
    EXPECT_EQ(v.AantalRecords(), 4);

    // A name longer than the column: refused naming the field, nothing left pending.
    try {
        v.VoegVoorzieningToe(4, QString(101, QLatin1Char('p')));
        ADD_FAILURE() << "101 characters accepted";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 3163);
        EXPECT_TRUE(e.description().contains(QLatin1String("strObject")));
    }
    EXPECT_EQ(v.AantalRecords(), 4);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblInrichting")), 4);
}

// ---- renaming ------------------------------------------------------------------

TEST_F(VoorzTest, RenameSavesAtOnce)
{
    clsVoorz v(fx.context());
    v.ActiveerID(fx.facBoven);
    EXPECT_TRUE(v.HernoemVoorzNaam(QStringLiteral("Afdeklaag 'noord'")));
    EXPECT_EQ(nameInFile(fx.facBoven), QStringLiteral("Afdeklaag 'noord'"));
    EXPECT_TRUE(v.HernoemVoorzNaam(QStringLiteral(" ")));
    EXPECT_EQ(nameInFile(fx.facBoven), QStringLiteral(" "));
}

TEST_F(VoorzTest, RenameRefusesAnEmptyName)
{
    clsVoorz v(fx.context());
    v.ActiveerID(fx.facBoven);
    for (const QVariant &name : {QVariant(QString()), QVariant()}) {
        expectEmptyNameRefused();
        EXPECT_FALSE(v.HernoemVoorzNaam(name));
    }
    EXPECT_EQ(nameInFile(fx.facBoven), QStringLiteral("Bovenafdichting"));
}

TEST_F(VoorzTest, RenameTooLongNamesTheFieldAndLeavesNothingPending)
{
    clsVoorz v(fx.context());
    v.ActiveerID(fx.facBoven);
    try {
        v.HernoemVoorzNaam(QString(101, QLatin1Char('b')));
        ADD_FAILURE() << "101 characters accepted";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 3163);
        EXPECT_TRUE(e.description().contains(QLatin1String("strObject")));
    }
    v.moveNext();
    EXPECT_EQ(nameInFile(fx.facBoven), QStringLiteral("Bovenafdichting"));
}

// ---- deleting ------------------------------------------------------------------

TEST_F(VoorzTest, DeleteRemovesTheFacilityWithItsCostItems)
{
    clsVoorz v(fx.context());
    v.ActiveerID(fx.facTerrein);
    ASSERT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct WHERE lngInrichting_REF=?"), {fx.facTerrein}), 4);
    EXPECT_TRUE(v.verwijderVoorz());
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblInrichting WHERE idrInrichting_ID=?"), {fx.facTerrein}), 0);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct WHERE lngInrichting_REF=?"), {fx.facTerrein}), 0);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct")), 2); // the other facilities' items stay
    EXPECT_EQ(v.VoorzieningNaam(), QStringLiteral("Bovenafdichting"));
    EXPECT_EQ(v.AantalRecords(), 3);
}

TEST_F(VoorzTest, DeleteTakesOnlyTheItemsOfThatFacilityOfThatSite)
{
    // Site 100 holds facility 200; site 200 holds facility 100. Ids of one
    // kind must never be taken for the other.
    fx.execute(QStringLiteral(
        "INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF) VALUES (100, 'Honderd', 1, 3), "
        "(200, 'Tweehonderd', 1, 3)"));
    fx.execute(QStringLiteral("INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) "
                              "VALUES (200, 100, 1, 'Weg'), (100, 200, 1, 'Poort')"));
    fx.execute(QStringLiteral("INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct) "
                              "VALUES (100, 200, 4, 'Onderhoud weg'), (200, 100, 4, 'Onderhoud poort')"));
    clsVoorz v(fx.context(nullptr, 100));
    v.ActiveerID(200);
    ASSERT_EQ(v.VoorzieningNaam(), QStringLiteral("Weg"));
    EXPECT_TRUE(v.verwijderVoorz());
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct='Onderhoud weg'")), 0);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct='Onderhoud poort'")), 1);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblInrichting WHERE idrInrichting_ID=100")), 1);
}

TEST_F(VoorzTest, FailedDeleteChangesNothing)
{
    fx.execute(QStringLiteral(
        "CREATE TRIGGER blockInr BEFORE DELETE ON tblInrichting BEGIN SELECT RAISE(ABORT, 'geblokkeerd'); END"));
    clsVoorz v(fx.context());
    v.ActiveerID(fx.facTerrein);
    script.setMode(ui::ScriptedDialogs::Mode::Record);
    EXPECT_FALSE(v.verwijderVoorz());
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].msgBox.icon, ui::Icon::Critical);
    EXPECT_TRUE(script.shown()[0].msgBox.title.startsWith(QLatin1String("Fout ")))
        << script.shown()[0].msgBox.title.toStdString();
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct WHERE lngInrichting_REF=?"), {fx.facTerrein}), 4);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblInrichting")), 4);
    EXPECT_EQ(v.AantalRecords(), 4);
}

} // namespace
