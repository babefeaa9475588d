#include "reports/clsActRapInvoer.h"

#include "records/field_read.h"

#include "platform/db/jet_types.h"

namespace reports {

clsActRapInvoer::clsActRapInvoer(const records::Context &ctx)
{
    m_cn.Open(ctx.gstrConnData);
    rsRap.Open(QStringLiteral("SELECT tblAct.*, tblInrichting.bytObjectCat_REF, tblObjectCat.strObjectCat,"
                              " tblInrichting.strObject"
                              " FROM tblObjectCat INNER JOIN (tblInrichting INNER JOIN tblAct"
                              " ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF)"
                              " ON tblObjectCat.bytObjectCat_ID = tblInrichting.bytObjectCat_REF"
                              " WHERE tblInrichting.lngStort_REF=?"),
               m_cn, db::LockType::ReadOnly, {ctx.glngStortID});
}

qint32 clsActRapInvoer::AantalRecords()
{
    if (rsRap.RecordCount() == 0)
        return 0;
    rsRap.MoveFirst();
    return rsRap.RecordCount();
}

void clsActRapInvoer::rapSorteerOp(const QString &strRubriekOfObjCat)
{
    if (strRubriekOfObjCat == QLatin1String("ObjCat"))
        rsRap.setSort(QStringLiteral("bytObjectCat_REF ASC, strObject ASC, bytRubriek_REF ASC, strAct ASC"));
    else if (strRubriekOfObjCat == QLatin1String("Rubriek"))
        rsRap.setSort(QStringLiteral("bytRubriek_REF ASC , bytObjectCat_REF ASC, strObject ASC, strAct ASC"));
}

void clsActRapInvoer::rapRsActMoveFirst()
{
    rsRap.MoveFirst();
}

void clsActRapInvoer::GaNaarVolgendeRecord()
{
    rsRap.MoveNext();
}

db::Recordset *clsActRapInvoer::DataMember(const QString &name)
{
    return name.isEmpty() ? nullptr : &rsRap;
}

QVariant clsActRapInvoer::veld(const char *name) const
{
    return rsRap.Fields(QLatin1String(name)).Value();
}

int clsActRapInvoer::optie(const char *name) const
{
    const QVariant v = veld(name);
    return db::isNull(v) ? 0 : v.toInt();
}

bool clsActRapInvoer::gecombineerd() const
{
    return optie("bytCombineer") == 1;
}

QString clsActRapInvoer::n(const char *name) const
{
    const QVariant v = veld(name);
    return db::isNull(v) ? QStringLiteral("?") : records::toText(v);
}

QString clsActRapInvoer::raw(const char *name) const
{
    return records::toText(veld(name));
}

qint32 clsActRapInvoer::rapAct_ID() const
{
    return veld("idrAct_ID").toInt();
}
QString clsActRapInvoer::rapKostenpost() const
{
    return raw("strAct");
}
QString clsActRapInvoer::rapObjectCat() const
{
    return raw("strObjectCat");
}
QString clsActRapInvoer::rapVoorz() const
{
    return raw("strObject");
}
std::uint8_t clsActRapInvoer::rapIsQor() const
{
    return std::uint8_t(optie("bytIsQOR"));
}
qint32 clsActRapInvoer::rapChecklistItemREF() const
{
    return optie("lngClitem_REF");
}
QString clsActRapInvoer::rapVerwijzingNazorgplan() const
{
    return raw("strNazorgplanRef");
}
QString clsActRapInvoer::rapOpmerkingen() const
{
    return raw("strOpm");
}

QString clsActRapInvoer::rapTstart() const
{
    if (gecombineerd())
        return QStringLiteral("-");
    QString basis;
    switch (optie("bytOptieStart")) {
    case 1:
        basis = n("intStartAbs") + QStringLiteral(" *");
        break;
    case 2:
        basis = n("intStartRel");
        break;
    default:
        break;
    }
    if (optie("bytStartBA") == 1)
        return basis + QStringLiteral(" + ") + raw("intStartBA") + QStringLiteral(" #");
    return basis;
}

QString clsActRapInvoer::rapTeind() const
{
    if (gecombineerd())
        return QStringLiteral("-");
    if (optie("bytEindBA") == 1) {
        const int start = optie("bytOptieStart");
        return start == 1 || start == 2 ? QStringLiteral(" + ") + raw("intEindBA") + QStringLiteral(" #") : QString();
    }
    switch (optie("bytOptieEind")) {
    case 1:
        return n("intEindAbs") + QStringLiteral(" *");
    case 2:
        return n("intEindRel");
    case 3:
        return optie("bytOptieFreq") == 1 ? QStringLiteral("-") : QStringLiteral("oo");
    default:
        return QString();
    }
}

QString clsActRapInvoer::rapFreq() const
{
    if (gecombineerd())
        return QStringLiteral("-");
    switch (optie("bytOptieFreq")) {
    case 1:
        return QStringLiteral("eenm.");
    case 2:
        return n("intFreqX") + QStringLiteral("x per jr");
    case 3:
        return QStringLiteral("1x per ") + n("intFreqX") + QStringLiteral(" jr");
    default:
        return QString();
    }
}

QString clsActRapInvoer::rapPrijsPerKeer() const
{
    if (gecombineerd())
        return QStringLiteral("zie combinatiepost");
    switch (optie("bytOptieKosten")) {
    case 1:
        return n("sngPercInvest") + QStringLiteral(" % x €") + n("sngKostenInvest");
    case 2:
        return QStringLiteral(" €") + n("sngKostenTotaal");
    case 3:
        return n("sngAantal") + QStringLiteral(" x €") + n("sngKostenPE") + QStringLiteral("/") + n("strEenheid");
    default:
        return QString();
    }
}

} // namespace reports
