#include "site_fixture.h"

#include "records/site_tree.h"
#include "support/test_paths.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace testsupport {

namespace {
qint32 insert(db::Connection &cn, const QString &sql, const QVariantList &params)
{
    cn.Execute(sql, params);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT last_insert_rowid() AS id"), cn);
    return rs.Fields(QStringLiteral("id")).Value().toInt();
}

QString checklistText(const QString &column, int item)
{
    db::Connection cn;
    cn.Open(checklistFile());
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT %1 FROM tblCLitem WHERE lngCLitem_ID=? AND intCL_REF=3 AND blnActief<>0").arg(column),
            cn, db::LockType::ReadOnly, {item});
    return rs.Fields(0).Value().toString();
}
} // namespace

SiteFixture::SiteFixture()
{
    dataFile = dir.filePath(QStringLiteral("dbQORdata_test.mdb"));
    if (!QFile::copy(templateFile(), dataFile)) {
        ADD_FAILURE() << "cannot copy the template " << templateFile().toStdString();
        return;
    }
    QFile::setPermissions(dataFile, QFile::ReadOwner | QFile::WriteOwner);

    db::Connection cn;
    cn.Open(dataFile);
    const QString site = QStringLiteral(
        "INSERT INTO tblStort (strStortNaam, intStortType, bytProv_REF, sngRentePerc, sngInflPerc, dtmAanvangNazorg,"
        " bytBedrijfsGebonden, bytObjectGebonden, intCL_REF, intJaarPrijsPeil)"
        " VALUES (?, 1, 0, 5.06, 2, '2030-01-01 00:00:00', 1, 1, 3, 2008)");
    siteId = insert(cn, site, {QStringLiteral("Stort 't Veld")});
    otherSiteId = insert(cn, site, {QStringLiteral("De Kuil")});

    const QString fac = QStringLiteral(
        "INSERT INTO tblInrichting (lngStort_REF, bytObjectCat_REF, strObject) VALUES (?, ?, ?)");
    facTerrein = insert(cn, fac, {siteId, 1, QStringLiteral("Terrein en hekwerk")});
    facBoven = insert(cn, fac, {siteId, 2, QStringLiteral("Bovenafdichting")});
    facPeil = insert(cn, fac, {siteId, 3, QStringLiteral("Peilbuizen")});
    facKeet = insert(cn, fac, {siteId, 7, QStringLiteral("Bouwkeet 't Hoekje")});

    const QString own = QStringLiteral(
        "INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct, bytOptieStart, intStartRel,"
        " intStartAbs, bytStartBA, bytOptieEind, intEindRel, bytEindBA, bytOptieKosten, sngKostenTotaal, bytOptieFreq,"
        " intFreqX, bytIsQOR, bytCombineer, bytTypeVervangingsToeslag, sngVervangingsToeslagPerc, strOpm)"
        " VALUES (?, ?, ?, ?, 2, ?, NULL, 0, 2, ?, 0, 2, ?, 3, 10, 0, 0, ?, ?, ?)");
    phase1 = insert(cn, own, {siteId, facTerrein, 5, QStringLiteral("Vervangen toegangsweg"), 1, 10, 20000.0, 2, 6.25,
                              QStringLiteral("eerste fase")});
    phase2 = insert(cn, own, {siteId, facTerrein, 5, QStringLiteral("Vervangen toegangsweg"), 11, 20, 15000.0, 2,
                              6.25, QStringLiteral("tweede fase")});
    phase3 = insert(cn, own, {siteId, facTerrein, 5, QStringLiteral("Vervangen toegangsweg"), 21, 30, 10000.0, 2,
                              6.25, QStringLiteral("derde fase")});
    ownItem = insert(cn, own, {siteId, facKeet, 4, QStringLiteral("Onderhoud bouwkeet"), 1, 30, 500.0, 0, QVariant(),
                               QVariant()});

    const QString cl = QStringLiteral(
        "INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct, bytOptieStart, intStartRel,"
        " bytStartBA, bytOptieEind, bytEindBA, bytOptieKosten, sngKostenTotaal, sngKostenPE, strEenheid, sngAantal,"
        " bytOptieFreq, intFreqX, bytIsQOR, lngClitem_REF, bytCombineer, bytTypeVervangingsToeslag)"
        " VALUES (?, ?, ?, ?, 2, 1, 0, 3, 0, ?, ?, ?, ?, ?, ?, ?, 1, ?, 0, 0)");
    clItem2 = insert(cn, cl, {siteId, facTerrein, 4, checklistText(QStringLiteral("strOmschrijving"), 2), 2, 1750.0,
                              QVariant(), QVariant(), QVariant(), 3, 7, 2});
    clItem10 = insert(cn, cl, {siteId, facPeil, 2, checklistText(QStringLiteral("strOmschrijving"), 10), 3, QVariant(),
                               375.0, QStringLiteral("monster"), 12.0, 2, 3, 10});

    const QString ton = QStringLiteral("INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES (?, ?, ?)");
    insert(cn, ton, {otherSiteId, 2011, 150});
    insert(cn, ton, {otherSiteId, 2010, 100});
    insert(cn, ton, {otherSiteId, 2012, 200});
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
    const QString sql = scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type='table' AND name=?"), {table})
                            .toString();
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
        const auto node = tree.addChild(records::keyObjectCat(inr.Fields(QStringLiteral("bytObjectCat_REF")).Value().toInt()));
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
