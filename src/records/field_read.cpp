#include "records/field_read.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/jet_types.h"
#include "platform/db/recordset.h"
#include "platform/text/format.h"

namespace records {

bool isNullValue(const QVariant &value)
{
    return db::isNull(value);
}

QVariant requiredField(const db::Recordset &rs, const QString &field, const QString &source)
{
    try {
        const QVariant v = rs.Fields(field).Value();
        if (db::isNull(v))
            throw platform::Error(kErrInvalidUseOfNull,
                                  QStringLiteral("Ongeldig gebruik van Null: het veld '%1' is leeg.").arg(field),
                                  source);
        return v;
    } catch (const platform::Error &e) {
        throw e.withSource(source);
    }
}

QVariant fieldOr(const db::Recordset &rs, const QString &field, const QVariant &dflt)
{
    const QVariant v = rs.Fields(field).Value();
    return db::isNull(v) ? dflt : v;
}

namespace {
double number(const QVariant &value, const QString &source)
{
    try {
        if (value.typeId() == QMetaType::QString)
            return vb::CDbl(value.toString());
        if (value.typeId() == QMetaType::Bool)
            return value.toBool() ? -1.0 : 0.0;
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok)
            throw platform::Error(vb::kErrTypeMismatch, QStringLiteral("Type mismatch"));
        return d;
    } catch (const platform::Error &e) {
        throw e.withSource(source);
    }
}

template <typename F> auto converted(F f, const QString &source) -> decltype(f())
{
    try {
        return f();
    } catch (const platform::Error &e) {
        throw e.withSource(source);
    }
}
} // namespace

std::uint8_t toByte(const QVariant &value, const QString &source)
{
    const double d = number(value, source);
    return converted([d] { return vb::CByte(d); }, source);
}

qint16 toInt16(const QVariant &value, const QString &source)
{
    const double d = number(value, source);
    return converted([d] { return qint16(vb::CInt(d)); }, source);
}

qint32 toInt32(const QVariant &value, const QString &source)
{
    const double d = number(value, source);
    return converted([d] { return vb::CLng(d); }, source);
}

float toSingle(const QVariant &value, const QString &source)
{
    const double d = number(value, source);
    return float(d);
}

QString toText(const QVariant &value)
{
    return db::isNull(value) ? QString() : vb::CStr(value);
}

QString joinText(const QVariant &value)
{
    return toText(value);
}

} // namespace records
