#include "records/clsTonnage.h"

#include "records/field_read.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

#include <limits>

namespace records {

namespace {
QString src(const char *operation)
{
    return QStringLiteral("clsTonnage.") + QLatin1String(operation);
}
} // namespace

clsTonnage::clsTonnage(const Context &ctx) : m_ctx(ctx)
{
    m_cn.Open(m_ctx.gstrConnData);
}

clsTonnage::~clsTonnage()
{
    // Releasing saves nothing: the forecast screen calls Move0 before it
    // lets go of the object.
    detach();
    rsTonnage.Close();
    m_cn.Close();
}

void clsTonnage::psubInitialiseer(qint32 lngStort_ID)
{
    detach();
    rsTonnage.Open(QStringLiteral("SELECT * FROM tblTonnage WHERE lngStort_REF=? ORDER BY intkaljaar"), m_cn,
                   db::LockType::Optimistic, {lngStort_ID});
    m_openSite = lngStort_ID;
    attach(&rsTonnage);
}

db::Recordset *clsTonnage::DataMember(const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    const qint32 id = vb::CLng(name);
    if (!rsTonnage.isOpen() || id != m_openSite)
        psubInitialiseer(id);
    return &rsTonnage;
}

bool clsTonnage::hasRows() const
{
    return rsTonnage.isOpen() && rsTonnage.RecordCount() > 0;
}

float clsTonnage::TonnageInJaar(qint16 jaar)
{
    try {
        // A forecast without rows has no tonnage for any year.
        if (!hasRows()) {
            if (!rsTonnage.isOpen())
                throw platform::Error(db::err::kObjectClosed, QStringLiteral("De recordset is gesloten."));
            return -9.0f;
        }
        rsTonnage.MoveFirst();
        rsTonnage.Find(QStringLiteral("intkaljaar=") + QString::number(jaar));
        notifyRowChanged();
        if (rsTonnage.EOF_())
            return -9.0f;
        return toSingle(requiredField(rsTonnage, QStringLiteral("lngTonnage"), src("TonnageInJaar")),
                        src("TonnageInJaar"));
    } catch (const platform::Error &e) {
        throw e.withSource(src("TonnageInJaar"));
    }
}

void clsTonnage::Move0()
{
    if (!rsTonnage.isOpen() || rsTonnage.BOF() || rsTonnage.EOF_())
        return;
    rsTonnage.Move(0);
}

bool clsTonnage::EOF_() const
{
    return rsTonnage.EOF_();
}
bool clsTonnage::BOF() const
{
    return rsTonnage.BOF();
}

qint32 clsTonnage::TotaalTonnage()
{
    try {
        // Judged by the rows, not by the cursor: a grid that stands before
        // its first row still has a total.
        if (!hasRows())
            return 0;
        db::Recordset clone = rsTonnage.Clone();
        qint64 sum = 0;
        for (clone.MoveFirst(); !clone.EOF_(); clone.MoveNext()) {
            const QVariant v = clone.Fields(QStringLiteral("lngTonnage")).Value();
            if (!isNullValue(v))
                sum += v.toLongLong();
            if (sum > std::numeric_limits<qint32>::max() || sum < std::numeric_limits<qint32>::min()) {
                ui::MsgBox(
                    QStringLiteral("Te hoge waarden voor tonnage ingevoerd. Het totaal kan niet berekend worden. "
                                   "Pas de invoer van het tonnage aan."),
                    ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Overflow-error"));
                return 0;
            }
        }
        return qint32(sum);
    } catch (...) {
        return 0;
    }
}

void clsTonnage::lngStort_REF(qint32 lng)
{
    if (rsTonnage.BOF())
        return;
    rsTonnage.Fields(QStringLiteral("lngStort_REF")).setValue(lng);
}

qint32 clsTonnage::AantalRecords() const
{
    if (!hasRows())
        return 0;
    db::Recordset clone = rsTonnage.Clone();
    clone.MoveLast();
    return clone.RecordCount();
}

QVariant clsTonnage::rapJaartalTonnage() const
{
    return fieldOr(rsTonnage, QStringLiteral("intKalJaar"), QStringLiteral("?"));
}

QVariant clsTonnage::rapAantalKton() const
{
    return fieldOr(rsTonnage, QStringLiteral("lngTonnage"), QStringLiteral("?"));
}

void clsTonnage::move_NEXT()
{
    rsTonnage.MoveNext();
    notifyRowChanged();
}

bool clsTonnage::pfunValideerIngevoerdeData()
{
    bool ok = true;
    if (!hasRows())
        return ok;
    // Write the row being entered.
    if (!rsTonnage.BOF() && !rsTonnage.EOF_())
        rsTonnage.Move(0);

    db::Recordset clone = rsTonnage.Clone();
    clone.setSort(QStringLiteral("intKaljaar"));
    clone.MoveFirst();
    const QVariant first = clone.Fields(QStringLiteral("intKalJaar")).Value();
    if (isNullValue(first))
        return false;
    qint64 prev = first.toLongLong() - 1;
    for (; !clone.EOF_(); clone.MoveNext()) {
        const qint64 year = clone.Fields(QStringLiteral("intKalJaar")).Value().toLongLong();
        if (year == prev)
            ok = false; // a year entered twice
        if (year > prev + 1)
            ok = false; // a gap
        prev = year;
    }
    return ok;
}

} // namespace records
