#include "site_fixture.h"

#include "records/site_tree.h"
#include "support/test_paths.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace testsupport {

namespace {
QString checklistText(const QString &column, int item)
{
    db::Connection cn;
    cn.Open(checklistFile());
    db::Recordset rs;
    rs.Open(
        QStringLiteral("SELECT %1 FROM tblCLitem WHERE lngCLitem_ID=? AND intCL_REF=3 AND blnActief<>0").arg(column),
        cn, db::LockType::ReadOnly, {item});
    return rs.Fields(0).Value().toString();
}
} // namespace

SiteFixture::SiteFixture() : TemplateCopy(QStringLiteral("dbQORdata_test.mdb"))
{
    SiteBuilder file(dataFile);
    const Fields site{{"intStortType", 1},
                      {"bytProv_REF", 0},
                      {"sngRentePerc", 5.06},
                      {"sngInflPerc", 2},
                      {"dtmAanvangNazorg", QStringLiteral("2030-01-01 00:00:00")},
                      {"bytBedrijfsGebonden", 1},
                      {"bytObjectGebonden", 1},
                      {"intCL_REF", 3},
                      {"intJaarPrijsPeil", 2008}};
    siteId = file.site(merged(site, {{"strStortNaam", QStringLiteral("Stort 't Veld")}}));
    otherSiteId = file.site(merged(site, {{"strStortNaam", QStringLiteral("De Kuil")}}));

    facTerrein = file.facility(siteId, 1, QStringLiteral("Terrein en hekwerk"));
    facBoven = file.facility(siteId, 2, QStringLiteral("Bovenafdichting"));
    facPeil = file.facility(siteId, 3, QStringLiteral("Peilbuizen"));
    facKeet = file.facility(siteId, 7, QStringLiteral("Bouwkeet 't Hoekje"));

    // Own items from a relative start to a relative end, every 10 years.
    const auto own = [](const QString &naam, int rubriek, int start, int eind, double kosten, const QVariant &toeslag,
                        const QVariant &toeslagPerc, const QVariant &opm) {
        return testsupport::ownItem(naam, {{"bytRubriek_REF", rubriek},
                                           {"intStartRel", start},
                                           {"intStartAbs", QVariant()},
                                           {"bytOptieEind", 2},
                                           {"intEindRel", eind},
                                           {"sngKostenTotaal", kosten},
                                           {"bytOptieFreq", 3},
                                           {"intFreqX", 10},
                                           {"bytTypeVervangingsToeslag", toeslag},
                                           {"sngVervangingsToeslagPerc", toeslagPerc},
                                           {"strOpm", opm}});
    };
    const QString weg = QStringLiteral("Vervangen toegangsweg");
    phase1 = file.item(siteId, facTerrein, own(weg, 5, 1, 10, 20000.0, 2, 6.25, QStringLiteral("eerste fase")));
    phase2 = file.item(siteId, facTerrein, own(weg, 5, 11, 20, 15000.0, 2, 6.25, QStringLiteral("tweede fase")));
    phase3 = file.item(siteId, facTerrein, own(weg, 5, 21, 30, 10000.0, 2, 6.25, QStringLiteral("derde fase")));
    ownItem = file.item(siteId, facKeet,
                        own(QStringLiteral("Onderhoud bouwkeet"), 4, 1, 30, 500.0, 0, QVariant(), QVariant()));

    // Checklist items of version 3, named as the checklist names them.
    const auto fromChecklist = [](int item, int rubriek, const Fields &changes) {
        return testsupport::ownItem(
            checklistText(QStringLiteral("strOmschrijving"), item),
            merged({{"bytRubriek_REF", rubriek}, {"bytIsQOR", 1}, {"lngClitem_REF", item}}, changes));
    };
    clItem2 = file.item(siteId, facTerrein,
                        fromChecklist(2, 4,
                                      {{"bytOptieKosten", 2},
                                       {"sngKostenTotaal", 1750.0},
                                       {"sngKostenPE", QVariant()},
                                       {"strEenheid", QVariant()},
                                       {"sngAantal", QVariant()},
                                       {"bytOptieFreq", 3},
                                       {"intFreqX", 7}}));
    clItem10 = file.item(siteId, facPeil,
                         fromChecklist(10, 2,
                                       {{"bytOptieKosten", 3},
                                        {"sngKostenTotaal", QVariant()},
                                        {"sngKostenPE", 375.0},
                                        {"strEenheid", QStringLiteral("monster")},
                                        {"sngAantal", 12.0},
                                        {"bytOptieFreq", 2},
                                        {"intFreqX", 3}}));

    file.forecast(otherSiteId, 2011, 150);
    file.forecast(otherSiteId, 2010, 100);
    file.forecast(otherSiteId, 2012, 200);
}

records::Context SiteFixture::context(records::SiteTree *tree, qint32 site) const
{
    records::Context ctx;
    ctx.gstrConnData = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + dataFile;
    ctx.gstrConnCL = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + checklistFile()
                     + QStringLiteral(";Mode=Read");
    ctx.glngStortID = site < 0 ? siteId : site;
    ctx.gintCL_ID = kChecklistVersion;
    ctx.glngKleurVoorz = 16384;
    ctx.glngKleurAct = 128;
    ctx.tree = tree;
    return ctx;
}

QVariant SiteFixture::scalar(const QString &sql, const QVariantList &params) const
{
    db::Connection cn;
    cn.Open(dataFile);
    db::Recordset rs;
    rs.Open(sql, cn, db::LockType::ReadOnly, params);
    if (rs.EOF_())
        return QStringLiteral("<no row>");
    return rs.Fields(0).Value();
}

int SiteFixture::textWidth(const QString &table, const QString &column) const
{
    const QString sql =
        scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type='table' AND name=?"), {table}).toString();
    const QRegularExpression re(QStringLiteral("\\b%1\\s+VARCHAR\\((\\d+)\\)").arg(column),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(sql);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

qint64 SiteFixture::count(const QString &sql, const QVariantList &params) const
{
    return scalar(QStringLiteral("SELECT COUNT(*) FROM (") + sql + QStringLiteral(")"), params).toLongLong();
}

void SiteFixture::execute(const QString &sql, const QVariantList &params) const
{
    db::Connection cn;
    cn.Open(dataFile);
    cn.Execute(sql, params);
}

void SiteFixture::fillTree(records::MemorySiteTree &tree) const
{
    using records::ZetNodeEigenschappen;
    tree.addCategoryNodes();
    db::Connection cn;
    cn.Open(dataFile);
    db::Recordset inr;
    inr.Open(QStringLiteral("SELECT * FROM tblInrichting WHERE lngStort_REF=? ORDER BY strObject"), cn,
             db::LockType::ReadOnly, {siteId});
    for (; !inr.EOF_(); inr.MoveNext()) {
        const int id = inr.Fields(QStringLiteral("idrInrichting_ID")).Value().toInt();
        const auto node =
            tree.addChild(records::keyObjectCat(inr.Fields(QStringLiteral("bytObjectCat_REF")).Value().toInt()));
        ZetNodeEigenschappen(tree, node, inr.Fields(QStringLiteral("strObject")).Value().toString(),
                             records::keyInrichting(id), QStringLiteral("?"), false, 16384, records::kImageVoorziening,
                             true);
        db::Recordset act;
        act.Open(QStringLiteral("SELECT * FROM tblAct WHERE lngInrichting_REF=? ORDER BY strAct, idrAct_ID"), cn,
                 db::LockType::ReadOnly, {id});
        QString previous = QStringLiteral("!#^$^!!@*!|!");
        int head = 0, phase = 0;
        for (; !act.EOF_(); act.MoveNext()) {
            const QString name = act.Fields(QStringLiteral("strAct")).Value().toString();
            const int actId = act.Fields(QStringLiteral("idrAct_ID")).Value().toInt();
            const QString tag = act.Fields(QStringLiteral("bytIsQOR")).Value().toString();
            if (name != previous) {
                previous = name;
                head = actId;
                phase = 1;
                const auto n = tree.addChild(records::keyInrichting(id));
                ZetNodeEigenschappen(tree, n, name, records::keyAct(actId), tag, false, 128,
                                     act.Fields(QStringLiteral("bytRubriek_REF")).Value().toInt(), true);
            } else {
                if (phase == 1) {
                    const auto h = tree.find(records::keyAct(head));
                    tree.setText(h, name + QStringLiteral(" {1e fase}"));
                }
                ++phase;
                const auto n = tree.addChild(records::keyAct(head));
                ZetNodeEigenschappen(tree, n, QStringLiteral("{") + QString::number(phase) + QStringLiteral("e fase}"),
                                     records::keyAct(actId), tag, false, 0, records::kImageFase, true);
            }
        }
    }
}

void expectInvalidUseOfNull(const std::vector<ColumnRead> &reads, const QString &sourcePrefix)
{
    for (const auto &[column, read] : reads) {
        try {
            read();
            ADD_FAILURE() << column << ": no error";
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.number(), 94) << column;
            EXPECT_TRUE(e.description().contains(QLatin1String(column))) << e.description().toStdString();
            EXPECT_TRUE(e.source().startsWith(sourcePrefix)) << e.source().toStdString();
        }
    }
}

} // namespace testsupport
