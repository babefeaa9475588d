#include "calc/dv_values.h"

#include "checklist/clsCL.h"
#include "records/field_read.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/recordset.h"

#include <cfloat>
#include <cmath>

namespace calc {

QVariant ActRow::value(const char *field) const
{
    if (m_copy) {
        const int column = m_rs.fieldIndex(QLatin1String(field));
        if (column >= 0)
            return (*m_copy)[size_t(column)];
    }
    return m_rs.Fields(QString::fromLatin1(field)).Value(); // also the error for an unknown field
}

bool ActRow::isNull(const char *field) const
{
    return records::isNullValue(value(field));
}

namespace {

// A whole number as the data layer delivers it; false for any other type.
bool wholeNumber(const QVariant &v, qint64 &n)
{
    switch (v.typeId()) {
    case QMetaType::Int:
        n = qvariant_cast<int>(v);
        return true;
    case QMetaType::LongLong:
        n = qvariant_cast<qlonglong>(v);
        return true;
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UChar:
        n = v.toLongLong();
        return true;
    default:
        return false;
    }
}

} // namespace

// Whole numbers in range and single or double numbers, as the data file
// holds them, are taken as they are; any other value goes through the
// record layer's conversion, which names the field when it fails.
std::uint8_t ActRow::asByte(const QVariant &v, const char *field)
{
    qint64 n = 0;
    if (wholeNumber(v, n) && n >= 0 && n <= 255)
        return std::uint8_t(n);
    if (records::isNullValue(v))
        return 0;
    return records::toByte(v, QString::fromLatin1(field));
}

float ActRow::asSingle(const QVariant &v, const char *field)
{
    if (v.typeId() == QMetaType::Float)
        return qvariant_cast<float>(v);
    if (v.typeId() == QMetaType::Double)
        return float(qvariant_cast<double>(v));
    if (records::isNullValue(v))
        return 0.0f;
    return records::toSingle(v, QString::fromLatin1(field));
}

qint16 ActRow::asInt16(const QVariant &v, const char *field)
{
    qint64 n = 0;
    if (wholeNumber(v, n) && n >= -32768 && n <= 32767)
        return qint16(n);
    if (records::isNullValue(v))
        return 0;
    return records::toInt16(v, QString::fromLatin1(field));
}

QVariant ActRow::orEmpty(const char *field) const
{
    const QVariant v = value(field);
    return records::isNullValue(v) ? QVariant(QString()) : v;
}

QString ActRow::text(const char *field) const
{
    return records::toText(value(field));
}

ChecklistFlags checklistChecks(const checklist::clsCL &cl, const ActRow &row)
{
    ChecklistFlags f;
    f.jaarStart = cl.VerifyCL_JaarStart(row.byte("bytOptieStart"), row.byte("bytStartBA"), row.orEmpty("intStartabs"),
                                        row.orEmpty("intStartrel"), row.orEmpty("intStartBA"));
    f.jaarEind = cl.VerifyCL_JaarEind(row.byte("bytOptieEind"), row.byte("bytEindBA"), row.orEmpty("intEindabs"),
                                      row.orEmpty("intEindrel"), row.orEmpty("intEindBA"));
    f.kosten = cl.VerifyCL_Kosten(row.byte("bytOptieKosten"), row.orEmpty("sngPercInvest"),
                                  row.orEmpty("sngKostenInvest"), row.orEmpty("sngKostenTotaal"),
                                  row.orEmpty("sngKostenPE"), row.orEmpty("strEenheid"), row.orEmpty("sngAantal"));
    f.freq = cl.VerifyCL_Freq(row.byte("bytOptieFreq"), row.orEmpty("intfreqX"));
    return f;
}

checklist::clsCL &loaded(const std::unique_ptr<checklist::clsCL> &view)
{
    if (!view)
        throw platform::Error(vb::kErrObjectNotSet, QStringLiteral("Object variable or With block variable not set"),
                              QStringLiteral("clsDV"));
    return *view;
}

float checkedSingle(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > double(FLT_MAX))
        throw platform::Error(kErrOverflow, QStringLiteral("Overflow"));
    return float(value);
}

float checkedSingle(float value)
{
    if (!std::isfinite(value))
        throw platform::Error(kErrOverflow, QStringLiteral("Overflow"));
    return value;
}

void raiseOnbekendeCode(const QString &wat, const QVariant &code, const QString &strObject, const QString &strAct)
{
    const QString waarde = records::isNullValue(code) ? QStringLiteral("leeg") : records::toText(code);
    throw platform::Error(kErrOnbekendeCode,
                          QStringLiteral("Onbekende ") + wat + QStringLiteral(" (") + waarde
                              + QStringLiteral(") bij kostenpost '") + strObject + QStringLiteral(": ") + strAct
                              + QStringLiteral("'. De berekening is afgebroken."),
                          QStringLiteral("BerekenAlles"));
}

} // namespace calc
