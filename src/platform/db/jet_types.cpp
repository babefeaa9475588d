#include "jet_types.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <cfloat>
#include <cmath>
#include <sqlite3.h>

namespace db {

using platform::Error;

ColumnType columnTypeOf(const QString &declaredType, bool autoIncrement)
{
    if (autoIncrement)
        return {JetKind::AutoNumber, 0};
    QString t = declaredType.trimmed().toUpper();
    int width = 0;
    const int open = t.indexOf(QLatin1Char('('));
    if (open >= 0) {
        const int close = t.indexOf(QLatin1Char(')'), open);
        width = t.mid(open + 1, close - open - 1).section(QLatin1Char(','), 0, 0).trimmed().toInt();
        t = t.left(open);
    }
    t = t.simplified();
    static const QHash<QString, JetKind> kinds = {
        {"COUNTER", JetKind::AutoNumber}, {"AUTOINCREMENT", JetKind::AutoNumber},
        {"INTEGER", JetKind::Long},       {"INT", JetKind::Long},
        {"LONG", JetKind::Long},          {"INTEGER4", JetKind::Long},
        {"INT4", JetKind::Long},          {"SMALLINT", JetKind::Integer},
        {"SHORT", JetKind::Integer},      {"INTEGER2", JetKind::Integer},
        {"INT2", JetKind::Integer},       {"TINYINT", JetKind::Byte},
        {"BYTE", JetKind::Byte},          {"INTEGER1", JetKind::Byte},
        {"REAL", JetKind::Single},        {"SINGLE", JetKind::Single},
        {"FLOAT4", JetKind::Single},      {"IEEESINGLE", JetKind::Single},
        {"DOUBLE", JetKind::Double},      {"DOUBLE PRECISION", JetKind::Double},
        {"FLOAT", JetKind::Double},       {"FLOAT8", JetKind::Double},
        {"IEEEDOUBLE", JetKind::Double},  {"NUMBER", JetKind::Double},
        {"NUMERIC", JetKind::Double},     {"DECIMAL", JetKind::Double},
        {"CURRENCY", JetKind::Currency},  {"MONEY", JetKind::Currency},
        {"DATETIME", JetKind::Date},      {"DATE", JetKind::Date},
        {"TIME", JetKind::Date},          {"TIMESTAMP", JetKind::Date},
        {"VARCHAR", JetKind::Text},       {"CHAR", JetKind::Text},
        {"NVARCHAR", JetKind::Text},      {"NCHAR", JetKind::Text},
        {"CHARACTER", JetKind::Text},     {"CHARACTER VARYING", JetKind::Text},
        {"STRING", JetKind::Text},        {"ALPHANUMERIC", JetKind::Text},
        {"TEXT", JetKind::Text},          {"LONGTEXT", JetKind::Memo},
        {"MEMO", JetKind::Memo},          {"LONGCHAR", JetKind::Memo},
        {"NOTE", JetKind::Memo},          {"CLOB", JetKind::Memo},
        {"BIT", JetKind::YesNo},          {"YESNO", JetKind::YesNo},
        {"BOOLEAN", JetKind::YesNo},      {"LOGICAL", JetKind::YesNo},
        {"LOGICAL1", JetKind::YesNo},
    };
    const JetKind kind = kinds.value(t, JetKind::Unknown);
    if (kind == JetKind::Text) {
        // TEXT without a width is SQLite's unbounded text: treat it as Memo.
        if (width <= 0)
            return {t == QLatin1String("TEXT") ? JetKind::Memo : JetKind::Text, t == QLatin1String("TEXT") ? 0 : 255};
        return {JetKind::Text, width};
    }
    return {kind, 0};
}

QString declaredTypeFor(JetKind kind, int width)
{
    switch (kind) {
    case JetKind::AutoNumber:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case JetKind::Long:
        return QStringLiteral("INTEGER");
    case JetKind::Integer:
        return QStringLiteral("SMALLINT");
    case JetKind::Byte:
        return QStringLiteral("TINYINT");
    case JetKind::Single:
        return QStringLiteral("REAL");
    case JetKind::Double:
        return QStringLiteral("DOUBLE");
    case JetKind::Currency:
        return QStringLiteral("CURRENCY");
    case JetKind::Date:
        return QStringLiteral("DATETIME");
    case JetKind::Text:
        return QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(width > 0 ? width : 255);
    case JetKind::Memo:
        return QStringLiteral("LONGTEXT COLLATE NOCASE");
    case JetKind::YesNo:
        return QStringLiteral("BIT");
    case JetKind::Unknown:
        break;
    }
    return QString();
}

int definedSizeOf(const ColumnType &type)
{
    switch (type.kind) {
    case JetKind::Text:
        return type.width;
    case JetKind::Memo:
        return 536870910;
    case JetKind::AutoNumber:
    case JetKind::Long:
    case JetKind::Single:
        return 4;
    case JetKind::Integer:
    case JetKind::YesNo:
        return 2;
    case JetKind::Byte:
        return 1;
    case JetKind::Double:
    case JetKind::Currency:
    case JetKind::Date:
        return 8;
    case JetKind::Unknown:
        break;
    }
    return 0;
}

QString kindName(JetKind kind)
{
    switch (kind) {
    case JetKind::AutoNumber:
        return QStringLiteral("AutoNummering");
    case JetKind::Long:
        return QStringLiteral("Lange integer");
    case JetKind::Integer:
        return QStringLiteral("Integer");
    case JetKind::Byte:
        return QStringLiteral("Byte");
    case JetKind::Single:
        return QStringLiteral("Enkele precisie");
    case JetKind::Double:
        return QStringLiteral("Dubbele precisie");
    case JetKind::Currency:
        return QStringLiteral("Valuta");
    case JetKind::Date:
        return QStringLiteral("Datum/tijd");
    case JetKind::Text:
        return QStringLiteral("Tekst");
    case JetKind::Memo:
        return QStringLiteral("Memo");
    case JetKind::YesNo:
        return QStringLiteral("Ja/nee");
    case JetKind::Unknown:
        break;
    }
    return QStringLiteral("onbekend");
}

double roundHalfEven(double x)
{
    const double f = std::floor(x);
    const double diff = x - f;
    if (diff > 0.5)
        return f + 1.0;
    if (diff < 0.5)
        return f;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

// ---- dates ----------------------------------------------------------------

QString dateTimeText(const QDateTime &dt)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(), t.hour(), t.minute(),
                             t.second());
}

namespace {

bool digits(const char *p, int n, int &out)
{
    out = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
        out = out * 10 + (p[i] - '0');
    }
    return true;
}

// "yyyy-MM-dd", "yyyy-MM-dd hh:mm[:ss]" (also with 'T'), from UTF-8 bytes.
QDateTime parseDateTimeBytes(const char *p, int len)
{
    int y, mo, d, h = 0, mi = 0, s = 0;
    if (len < 10 || p[4] != '-' || p[7] != '-' || !digits(p, 4, y) || !digits(p + 5, 2, mo) || !digits(p + 8, 2, d))
        return QDateTime();
    if (len > 10) {
        if ((p[10] != ' ' && p[10] != 'T') || len < 16 || p[13] != ':' || !digits(p + 11, 2, h)
            || !digits(p + 14, 2, mi))
            return QDateTime();
        if (len > 16) {
            if (len < 19 || p[16] != ':' || !digits(p + 17, 2, s))
                return QDateTime();
            // fractions of a second are accepted and dropped
            if (len > 19 && p[19] != '.')
                return QDateTime();
        }
    }
    const QDate date(y, mo, d);
    const QTime time(h, mi, s);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    // Local time through Qt's own zone data: Qt::LocalTime goes through the C
    // library's mktime, which costs several microseconds a value (it checks
    // the zone file each time), too slow for reading thousands of rows. The
    // value compares and formats as the local time it is.
    static const QTimeZone zone = QTimeZone::systemTimeZone();
    return zone.isValid() ? QDateTime(date, time, zone) : QDateTime(date, time);
}

} // namespace

QDateTime parseDateTimeText(const QString &text)
{
    const QByteArray b = text.trimmed().toLatin1();
    return parseDateTimeBytes(b.constData(), b.size());
}

// ---- reading --------------------------------------------------------------

namespace {

QVariant naturalValue(sqlite3_stmt *stmt, int col, int type)
{
    switch (type) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(stmt, col);
        if (v >= INT_MIN && v <= INT_MAX)
            return QVariant(int(v));
        return QVariant(qlonglong(v));
    }
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, col));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, col)), sqlite3_column_bytes(stmt, col));
    default:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)),
                                 sqlite3_column_bytes(stmt, col));
    }
}

} // namespace

QVariant readColumn(sqlite3_stmt *stmt, int col, JetKind kind)
{
    const int type = sqlite3_column_type(stmt, col);
    if (type == SQLITE_NULL)
        return QVariant();
    const bool numeric = type == SQLITE_INTEGER || type == SQLITE_FLOAT;
    switch (kind) {
    case JetKind::AutoNumber:
    case JetKind::Long:
    case JetKind::Integer:
    case JetKind::Byte:
        if (type == SQLITE_INTEGER)
            return naturalValue(stmt, col, type);
        if (type == SQLITE_FLOAT) {
            // A whole number as Jet rounds it; one beyond a Long (or not
            // finite) is handed back as stored below.
            const double whole = roundHalfEven(sqlite3_column_double(stmt, col));
            if (whole >= double(INT_MIN) && whole <= double(INT_MAX))
                return QVariant(int(whole));
        }
        break;
    case JetKind::Single:
        if (numeric)
            return QVariant(float(sqlite3_column_double(stmt, col)));
        break;
    case JetKind::Double:
    case JetKind::Currency:
        if (numeric)
            return QVariant(sqlite3_column_double(stmt, col));
        break;
    case JetKind::Date:
        if (type == SQLITE_TEXT) {
            const QDateTime dt = parseDateTimeBytes(reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)),
                                                    sqlite3_column_bytes(stmt, col));
            if (dt.isValid())
                return dt;
        }
        break;
    case JetKind::Text:
    case JetKind::Memo:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)),
                                 sqlite3_column_bytes(stmt, col));
    case JetKind::YesNo:
        if (numeric)
            return QVariant(sqlite3_column_double(stmt, col) != 0.0);
        break;
    case JetKind::Unknown:
        break;
    }
    // A value that does not fit its declared type is handed back as stored.
    return naturalValue(stmt, col, type);
}

// ---- writing --------------------------------------------------------------

namespace {

QString where(const QString &table, const QString &field)
{
    return QStringLiteral("het veld '%1' van tabel '%2'").arg(field, table);
}

[[noreturn]] void conversionError(const ColumnType &type, const QVariant &value, const QString &table,
                                  const QString &field)
{
    QString shown;
    if (value.typeId() == QMetaType::QString)
        shown = QStringLiteral("'%1' ").arg(value.toString().left(50));
    throw Error(err::kTypeConversion, QStringLiteral("De waarde %1kan niet worden omgezet naar het type %2 van %3.")
                                          .arg(shown, kindName(type.kind), where(table, field)));
}

bool isIntegral(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

// A number from a value: integral types, floating types, bool (-1/0), and
// text only in the invariant form (optional sign, digits, "." as decimal
// point, optional exponent). Returns false when it does not convert.
bool numberOf(const QVariant &v, double &out)
{
    const int t = v.typeId();
    if (t == QMetaType::Bool) {
        out = v.toBool() ? -1.0 : 0.0;
        return true;
    }
    if (t == QMetaType::ULongLong || t == QMetaType::ULong) {
        out = double(v.toULongLong());
        return true;
    }
    if (isIntegral(t)) {
        out = double(v.toLongLong());
        return true;
    }
    if (t == QMetaType::Double || t == QMetaType::Float) {
        out = v.toDouble();
        return std::isfinite(out);
    }
    if (t == QMetaType::QString) {
        static const QRegularExpression invariant(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?$"));
        const QString s = v.toString().trimmed();
        if (!invariant.match(s).hasMatch())
            return false;
        bool ok = false;
        out = s.toDouble(&ok);
        return ok && std::isfinite(out);
    }
    return false;
}

[[noreturn]] void overflow(const ColumnType &type, const QString &range, const QString &table, const QString &field)
{
    throw Error(
        err::kNumericOverflow,
        QStringLiteral("De waarde past niet in %1 (%2: %3).").arg(where(table, field), kindName(type.kind), range));
}

QVariant checkedWhole(const ColumnType &type, const QVariant &value, const QString &table, const QString &field)
{
    double d = 0;
    if (!numberOf(value, d))
        conversionError(type, value, table, field);
    d = roundHalfEven(d);
    double lo = INT_MIN, hi = INT_MAX;
    QString range = QStringLiteral("-2147483648 tot en met 2147483647");
    if (type.kind == JetKind::Integer) {
        lo = -32768, hi = 32767;
        range = QStringLiteral("-32768 tot en met 32767");
    } else if (type.kind == JetKind::Byte) {
        lo = 0, hi = 255;
        range = QStringLiteral("0 tot en met 255");
    }
    if (d < lo || d > hi)
        overflow(type, range, table, field);
    return QVariant(int(d));
}

} // namespace

QVariant checkedValue(const ColumnType &type, const QVariant &value, const QString &table, const QString &field)
{
    if (isNull(value))
        return QVariant();
    const int t = value.typeId();
    switch (type.kind) {
    case JetKind::AutoNumber:
        throw Error(err::kFieldNotUpdatable,
                    QStringLiteral("Het veld '%1' van tabel '%2' is een AutoNummering en kan niet "
                                   "worden gewijzigd.")
                        .arg(field, table));
    case JetKind::Long:
    case JetKind::Integer:
    case JetKind::Byte:
        return checkedWhole(type, value, table, field);
    case JetKind::Single:
    case JetKind::Double:
    case JetKind::Currency: {
        double d = 0;
        if (!numberOf(value, d))
            conversionError(type, value, table, field);
        if (type.kind == JetKind::Single) {
            if (std::fabs(d) > FLT_MAX)
                overflow(type, QStringLiteral("tot 3,402823E+38"), table, field);
            return QVariant(float(d));
        }
        if (type.kind == JetKind::Currency) {
            if (std::fabs(d) > 922337203685477.0)
                overflow(type, QStringLiteral("tot 922337203685477"), table, field);
            return QVariant(roundHalfEven(d * 10000.0) / 10000.0);
        }
        return QVariant(d);
    }
    case JetKind::Date: {
        QDateTime dt;
        if (t == QMetaType::QDateTime)
            dt = value.toDateTime();
        else if (t == QMetaType::QDate)
            dt = QDateTime(value.toDate(), QTime(0, 0));
        else if (t == QMetaType::QString)
            dt = parseDateTimeText(value.toString());
        if (!dt.isValid())
            conversionError(type, value, table, field);
        return dt;
    }
    case JetKind::Text:
    case JetKind::Memo: {
        QString s;
        if (t == QMetaType::QString || t == QMetaType::QChar)
            s = value.toString();
        else if (isIntegral(t))
            s = value.toString();
        else
            conversionError(type, value, table, field);
        if (type.kind == JetKind::Text && s.size() > type.width)
            throw Error(err::kFieldTooSmall, QStringLiteral("De waarde is te lang voor %1 (maximaal %2 tekens).")
                                                 .arg(where(table, field))
                                                 .arg(type.width));
        return s;
    }
    case JetKind::YesNo: {
        if (t == QMetaType::QString)
            conversionError(type, value, table, field);
        double d = 0;
        if (!numberOf(value, d))
            conversionError(type, value, table, field);
        return QVariant(d != 0.0);
    }
    case JetKind::Unknown:
        break;
    }
    return value;
}

int bindValue(sqlite3_stmt *stmt, int index, const QVariant &value)
{
    if (isNull(value))
        return sqlite3_bind_null(stmt, index);
    const int t = value.typeId();
    switch (t) {
    case QMetaType::Bool:
        return sqlite3_bind_int(stmt, index, value.toBool() ? -1 : 0);
    case QMetaType::Double:
        return sqlite3_bind_double(stmt, index, value.toDouble());
    case QMetaType::Float:
        return sqlite3_bind_double(stmt, index, double(value.toFloat()));
    case QMetaType::QByteArray: {
        const QByteArray b = value.toByteArray();
        return sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (!dt.isValid())
            return sqlite3_bind_null(stmt, index);
        const QByteArray b = dateTimeText(dt).toLatin1();
        return sqlite3_bind_text(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::QDate: {
        if (!value.toDate().isValid())
            return sqlite3_bind_null(stmt, index);
        const QByteArray b = dateTimeText(QDateTime(value.toDate(), QTime(0, 0))).toLatin1();
        return sqlite3_bind_text(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        if (value.toULongLong() > quint64(LLONG_MAX))
            return sqlite3_bind_double(stmt, index, double(value.toULongLong()));
        return sqlite3_bind_int64(stmt, index, qint64(value.toULongLong()));
    default:
        break;
    }
    if (isIntegral(t))
        return sqlite3_bind_int64(stmt, index, value.toLongLong());
    const QByteArray b = value.toString().toUtf8();
    return sqlite3_bind_text(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
}

} // namespace db
