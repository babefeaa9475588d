#include "records/clsVoorz.h"

#include "records/codes.h"
#include "records/field_read.h"
#include "records/site_tree.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/ui/dialogs.h"

namespace records {

namespace {
QString src(const char *operation)
{
    return QStringLiteral("clsVoorz.") + QLatin1String(operation);
}

void refuseEmptyName()
{
    ui::MsgBox(QStringLiteral("Ongeldige naam. Wijziging niet doorgevoerd."), ui::Buttons::OK, ui::Icon::Exclamation,
               QStringLiteral("Bewerking ongeldig"));
}
} // namespace

clsVoorz::clsVoorz(const Context &ctx) : m_ctx(ctx), m_lngStortID(ctx.glngStortID)
{
    m_cn.Open(m_ctx.gstrConnData);
    rsVoorz.Open(
        QStringLiteral("SELECT * FROM tblInrichting WHERE lngStort_REF=? ORDER BY bytObjectCat_REF, strObject"), m_cn,
        db::LockType::Optimistic, {m_lngStortID});
    attach(&rsVoorz);
}

clsVoorz::~clsVoorz()
{
    detach();
    rsVoorz.Close();
    m_cn.Close();
}

db::Recordset *clsVoorz::DataMember(const QString &name)
{
    return name.isEmpty() ? nullptr : &rsVoorz;
}

qint32 clsVoorz::AantalRecords()
{
    rsVoorz.Requery();
    notifyRowChanged();
    if (!hasRows())
        return 0;
    db::Recordset clone = rsVoorz.Clone();
    clone.MoveLast();
    return clone.RecordCount();
}

bool clsVoorz::findId(qint32 id)
{
    if (!hasRows())
        return false;
    rsVoorz.MoveFirst();
    rsVoorz.Find(QStringLiteral("idrInrichting_ID=") + QString::number(id));
    return !rsVoorz.EOF_();
}

void clsVoorz::ActiveerID(qint32 lngIDVoorz)
{
    // Without facilities of its own the object still looks again: another
    // object may have added the site's first facility.
    bool found = findId(lngIDVoorz);
    if (!found) {
        rsVoorz.Requery();
        found = findId(lngIDVoorz);
    }
    notifyRowChanged();
    if (found || !hasRows())
        return;
    ui::MsgBox(QStringLiteral("EOF-fout in ActiveerID in clsVoorz (lngIDVoorz=") + QString::number(lngIDVoorz)
                   + QStringLiteral(")"),
               ui::Buttons::OK, ui::Icon::Critical);
}

bool clsVoorz::verwijderVoorz()
{
    if (!hasRows() || rsVoorz.BOF())
        return false;
    bool inTransaction = false;
    try {
        const qint32 id = toInt32(requiredField(rsVoorz, QStringLiteral("idrInrichting_ID"), src("verwijderVoorz")),
                                  src("verwijderVoorz"));
        m_cn.BeginTrans();
        inTransaction = true;
        m_cn.Execute(QStringLiteral("DELETE FROM tblAct WHERE lngInrichting_REF=? AND lngStort_REF=?"),
                     {id, m_lngStortID});
        rsVoorz.Delete();
        m_cn.CommitTrans();
        inTransaction = false;
        rsVoorz.Requery();
        notifyRowChanged();
        return true;
    } catch (const platform::Error &e) {
        try {
            if (inTransaction) {
                m_cn.RollbackTrans();
                // The row set may already have let the row go.
                rsVoorz.Requery();
                notifyRowChanged();
            }
        } catch (...) {
        }
        ui::MsgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical,
                   QStringLiteral("Fout ") + QString::number(e.number()));
        return false;
    }
}

bool clsVoorz::HernoemVoorzNaam(const QVariant &strNieuweVoorzNaam)
{
    if (isNullValue(strNieuweVoorzNaam) || strNieuweVoorzNaam.toString().isEmpty()) {
        refuseEmptyName();
        return false;
    }
    try {
        rsVoorz.Fields(QStringLiteral("strObject")).setValue(strNieuweVoorzNaam.toString());
    } catch (const platform::Error &e) {
        throw e.withSource(src("HernoemVoorzNaam"));
    }
    try {
        rsVoorz.Update();
    } catch (const platform::Error &e) {
        // A refused save leaves no edit behind that a later move would write.
        rsVoorz.CancelUpdate();
        throw e.withSource(src("HernoemVoorzNaam"));
    }
    return true;
}

qint32 clsVoorz::ZoekIDvanVoorz(std::uint8_t bytObjectCat_REF, const QString &strVoorz)
{
    if (!hasRows())
        return 0;
    rsVoorz.MoveFirst();
    notifyRowChanged();
    db::Recordset clone = rsVoorz.Clone();
    clone.setFilter(QStringLiteral("bytObjectCat_REF=") + QString::number(bytObjectCat_REF));
    if (clone.RecordCount() == 0)
        return 0;
    clone.Find(QStringLiteral("strObject='") + QString(strVoorz).replace(QLatin1Char('\''), QLatin1String("''"))
               + QLatin1Char('\''));
    if (clone.EOF_())
        return 0;
    return toInt32(clone.Fields(QStringLiteral("idrInrichting_ID")).Value(), src("ZoekIDvanVoorz"));
}

QString clsVoorz::VoegVoorzieningToe(std::uint8_t bytObjectCat_ID, const QString &strVoorzNaam)
{
    const QString source = src("VoegVoorzieningToe");
    try {
        rsVoorz.AddNew();
        try {
            rsVoorz.Fields(QStringLiteral("lngStort_REF")).setValue(m_lngStortID);
            rsVoorz.Fields(QStringLiteral("bytObjectCat_REF")).setValue(bytObjectCat_ID);
            rsVoorz.Fields(QStringLiteral("strObject")).setValue(strVoorzNaam);
            rsVoorz.Update();
        } catch (...) {
            rsVoorz.CancelUpdate();
            notifyRowChanged();
            throw;
        }
        notifyRowChanged();
        const qint32 id = toInt32(rsVoorz.Fields(QStringLiteral("idrInrichting_ID")).Value(), source);
        const QString key = keyInrichting(id);
        if (SiteTree *tree = m_ctx.tree) {
            SiteTree::Node node = 0;
            try {
                node = tree->addChild(keyObjectCat(bytObjectCat_ID));
                ZetNodeEigenschappen(*tree, node, strVoorzNaam, key, QStringLiteral("?"), false, m_ctx.glngKleurVoorz,
                                     kImageVoorziening, true);
            } catch (...) {
                try {
                    if (node)
                        tree->remove(node);
                    rsVoorz.Delete();
                    rsVoorz.Requery();
                } catch (...) {
                }
                notifyRowChanged();
                throw;
            }
            tree->redraw();
        }
        return key;
    } catch (const platform::Error &e) {
        throw e.withSource(source);
    }
}

void clsVoorz::moveNext()
{
    rsVoorz.MoveNext();
    notifyRowChanged();
}

std::uint8_t clsVoorz::bytObjectCat_ID() const
{
    return toByte(requiredField(rsVoorz, QStringLiteral("bytObjectCat_REF"), src("bytObjectCat_ID")),
                  src("bytObjectCat_ID"));
}

QString clsVoorz::ObjectCat() const
{
    const QString name = objectCatName(bytObjectCat_ID());
    return name.isEmpty() ? QStringLiteral("?") : name;
}

QString clsVoorz::VoorzieningNaam() const
{
    return toText(requiredField(rsVoorz, QStringLiteral("strObject"), src("VoorzieningNaam")));
}

} // namespace records
