#include "screens/act_tree_fill.h"

#include "records/clsAct.h"
#include "records/codes.h"
#include "records/site_tree.h"

#include "checklist/checklist_view.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

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
} // namespace

void VulTreeviewAct(records::SiteTree &tree, const records::Context &ctx)
{
    using records::ZetNodeEigenschappen;
    records::Context actCtx = ctx;
    actCtx.tree = nullptr; // the checks add no nodes
    const bool gediff = gebruiktGediffToeslag(ctx);

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

    records::clsAct act(actCtx);
    db::Recordset inr;
    inr.Open(QStringLiteral("SELECT idrInrichting_ID, bytObjectCat_REF, strObject FROM tblInrichting"
                            " WHERE lngStort_REF=? ORDER BY strObject"),
             cn, db::LockType::ReadOnly, {ctx.glngStortID});
    db::Recordset rows;
    rows.Open(QStringLiteral("SELECT idrAct_ID, lngInrichting_REF, strAct, bytIsQOR, bytRubriek_REF FROM tblAct"
                             " WHERE lngStort_REF=? ORDER BY lngInrichting_REF, strAct, idrAct_ID"),
              cn, db::LockType::ReadOnly, {ctx.glngStortID});
    for (; !inr.EOF_(); inr.MoveNext()) {
        const qint32 inrId = inr.Fields(0).Value().toInt();
        const QString inrKey = records::keyInrichting(inrId);
        ZetNodeEigenschappen(tree, tree.addChild(records::keyObjectCat(inr.Fields(1).Value().toInt())),
                             inr.Fields(2).Value().toString(), inrKey, QStringLiteral("?"), false,
                             ctx.glngKleurVoorz, records::kImageVoorziening, true);

        QString vorige = kGeenNaam;
        qint32 kopId = 0;
        int fase = 0;
        for (rows.MoveFirst(); !rows.EOF_(); rows.MoveNext()) {
            if (rows.Fields(1).Value().toInt() != inrId)
                continue;
            const qint32 id = rows.Fields(0).Value().toInt();
            const QString naam = rows.Fields(2).Value().toString();
            const QString tag = QString::number(rows.Fields(3).Value().toInt());
            const int rubriek = rows.Fields(4).Value().toInt();
            act.ActiveerID(id);
            const bool compleet = act.verify_ansich(gediff);
            if (naam != vorige) {
                fase = 1;
                vorige = naam;
                kopId = id;
                ZetNodeEigenschappen(tree, tree.addChild(inrKey), naam, records::keyAct(id), tag, false,
                                     compleet ? ctx.glngKleurAct : 255, rubriek, true);
            } else {
                if (fase == 1) {
                    const auto kop = tree.find(records::keyAct(kopId));
                    tree.setText(kop, naam + QStringLiteral(" {1e fase}"));
                }
                ++fase;
                ZetNodeEigenschappen(tree, tree.addChild(records::keyAct(kopId)),
                                     QStringLiteral("{") + QString::number(fase) + QStringLiteral("e fase}"),
                                     records::keyAct(id), tag, false, compleet ? 0 : 255, records::kImageFase,
                                     true);
            }
        }
    }
}

} // namespace screens
