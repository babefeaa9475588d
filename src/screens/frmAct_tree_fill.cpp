#include "screens/frmAct_tree_fill.h"

#include "records/act_checks.h"
#include "records/codes.h"
#include "records/site_tree.h"

#include "checklist/clsCL.h"
#include "platform/db/connection.h"
#include "platform/db/jet_collation.h"
#include "platform/db/recordset.h"

#include <QHash>
#include <functional>
#include <vector>

namespace screens {

namespace {
// A name no cost item bears, so that the first row of a facility starts an
// item of its own.
const QString kGeenNaam = QStringLiteral("!#^$^!!@*!|!");

bool gebruiktGediffToeslag(const records::Context &ctx)
{
    if (ctx.glngStortID == 0)
        return false;
    checklist::Context clCtx;
    clCtx.gstrConnCL = ctx.gstrConnCL;
    clCtx.gsngJaarAanvangNazorg = ctx.gsngJaarAanvangNazorg;
    clCtx.MeldFout = ctx.MeldFout;
    checklist::clsCL cl(clCtx);
    cl.initializeCL(ctx.gintCL_ID);
    return cl.GebruikGedifferentieerdeToeslagB();
}

// Every cost item of the site in one walk, with its completeness check,
// grouped by facility in the order of name and id.
struct Post {
    qint32 id;
    QString naam;
    QString tag;
    int rubriek;
    bool compleet;
};
using Posten = QHash<qint32, std::vector<Post>>;

Posten leesPosten(db::Recordset &rows, bool gediff)
{
    Posten posten;
    const int fId = rows.fieldIndex(QStringLiteral("idrAct_ID"));
    const int fInr = rows.fieldIndex(QStringLiteral("lngInrichting_REF"));
    const int fNaam = rows.fieldIndex(QStringLiteral("strAct"));
    const int fQOR = rows.fieldIndex(QStringLiteral("bytIsQOR"));
    const int fRubriek = rows.fieldIndex(QStringLiteral("bytRubriek_REF"));
    const records::ActColumns kolommen(rows);
    for (; !rows.EOF_(); rows.MoveNext()) {
        posten[rows.Fields(fInr).Value().toInt()].push_back(
            {rows.Fields(fId).Value().toInt(), rows.Fields(fNaam).Value().toString(),
             QString::number(rows.Fields(fQOR).Value().toInt()), rows.Fields(fRubriek).Value().toInt(),
             records::verifyAnSich(rows, kolommen, gediff)});
    }
    return posten;
}

// The categories, then the facilities with their items and phases.
void vul(records::SiteTree &tree, const records::Context &ctx, const std::function<Posten(db::Connection &cn)> &lees)
{
    using records::ZetNodeEigenschappen;
    db::Connection cn;
    cn.Open(ctx.gstrConnData);
    db::Recordset cat;
    cat.Open(QStringLiteral("SELECT bytObjectCat_ID FROM tblObjectCat ORDER BY bytObjectCat_ID"), cn);
    for (; !cat.EOF_(); cat.MoveNext()) {
        const int catId = cat.Fields(0).Value().toInt();
        ZetNodeEigenschappen(tree, tree.addChild(QString()), records::objectCatName(catId),
                             records::keyObjectCat(catId), QStringLiteral("?"), true, ctx.glngKleurVoorz,
                             records::kImageVoorziening, true);
    }
    if (ctx.glngStortID == 0)
        return;
    const Posten posten = lees(cn);

    db::Recordset inr;
    inr.Open(QStringLiteral("SELECT idrInrichting_ID, bytObjectCat_REF, strObject FROM tblInrichting"
                            " WHERE lngStort_REF=? ORDER BY strObject"),
             cn, db::LockType::ReadOnly, {ctx.glngStortID});
    for (; !inr.EOF_(); inr.MoveNext()) {
        const qint32 inrId = inr.Fields(0).Value().toInt();
        const QString inrKey = records::keyInrichting(inrId);
        ZetNodeEigenschappen(tree, tree.addChild(records::keyObjectCat(inr.Fields(1).Value().toInt())),
                             inr.Fields(2).Value().toString(), inrKey, QStringLiteral("?"), false, ctx.glngKleurVoorz,
                             records::kImageVoorziening, true);

        QString vorige = kGeenNaam;
        qint32 kopId = 0;
        int fase = 0;
        const auto gevonden = posten.constFind(inrId);
        if (gevonden == posten.constEnd())
            continue;
        for (const Post &p : *gevonden) {
            // A phase bears the item's name; names compare as the data
            // file compares them (case does not count), as the query sorts.
            if (db::compareJetText(p.naam, vorige) != 0) {
                fase = 1;
                vorige = p.naam;
                kopId = p.id;
                ZetNodeEigenschappen(tree, tree.addChild(inrKey), p.naam, records::keyAct(p.id), p.tag, false,
                                     p.compleet ? ctx.glngKleurAct : 255, p.rubriek, true);
            } else {
                if (fase == 1) {
                    const auto kop = tree.find(records::keyAct(kopId));
                    tree.setText(kop, vorige + QStringLiteral(" {1e fase}"));
                }
                ++fase;
                ZetNodeEigenschappen(tree, tree.addChild(records::keyAct(kopId)),
                                     QStringLiteral("{") + QString::number(fase) + QStringLiteral("e fase}"),
                                     records::keyAct(p.id), p.tag, false, p.compleet ? 0 : 255, records::kImageFase,
                                     true);
            }
        }
    }
}
} // namespace

void VulTreeviewAct(records::SiteTree &tree, const records::Context &ctx)
{
    const bool gediff = gebruiktGediffToeslag(ctx);
    vul(tree, ctx, [&](db::Connection &cn) {
        db::Recordset rows;
        // The node's fields and those the completeness check reads.
        rows.Open(QStringLiteral("SELECT idrAct_ID, lngInrichting_REF, strAct, bytIsQOR, bytRubriek_REF, bytCombineer,"
                                 " bytOptieStart, bytStartBA, intStartabs, intStartrel, intStartBA, bytOptieEind,"
                                 " bytEindBA, intEindabs, intEindrel, intEindBA, bytOptieKosten, sngPercInvest,"
                                 " sngKostenInvest, sngKostenTotaal, sngKostenPE, strEenheid, sngAantal, bytOptieFreq,"
                                 " intfreqX, bytTypeVervangingsToeslag, sngVervangingsToeslagPerc FROM tblAct"
                                 " WHERE lngStort_REF=? ORDER BY lngInrichting_REF, strAct, idrAct_ID"),
                  cn, db::LockType::ReadOnly, {ctx.glngStortID});
        return leesPosten(rows, gediff);
    });
}

void VulTreeviewAct(records::SiteTree &tree, const records::Context &ctx, const db::Recordset &rijen)
{
    const bool gediff = gebruiktGediffToeslag(ctx);
    vul(tree, ctx, [&](db::Connection &) {
        // A cursor of its own over the rows read, in the query's order.
        db::Recordset rows = rijen.Clone(db::LockType::ReadOnly);
        rows.setFilter(QString());
        rows.setSort(QStringLiteral("lngInrichting_REF, strAct, idrAct_ID"));
        return leesPosten(rows, gediff);
    });
}

} // namespace screens
