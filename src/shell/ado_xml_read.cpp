// Reading ADO's XML persistence format (see ado_xml.h).

#include "shell/ado_xml.h"
#include "shell/ado_xml_names.h"

#include "platform/core/error.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cfloat>
#include <cmath>

namespace adoxml {

namespace {

constexpr int kMaxDiepte = 8; // levels of the hierarchy

// Replaces the raw TAB, CR and LF inside attribute values by character
// references, so that the XML reader keeps them instead of turning them
// into blanks. Markup outside tags (comments, CDATA, processing
// instructions) is copied as it stands.
QByteArray beschermWitruimte(const QByteArray &in)
{
    QByteArray out;
    out.reserve(in.size() + in.size() / 16);
    const auto skipTo = [&](qsizetype &i, const char *end) {
        const qsizetype e = in.indexOf(end, i);
        const qsizetype stop = e < 0 ? in.size() : e + qsizetype(qstrlen(end));
        out.append(in.constData() + i, stop - i);
        i = stop;
    };
    qsizetype i = 0;
    while (i < in.size()) {
        const char c = in[i];
        if (c != '<') {
            out.append(c);
            ++i;
        } else if (in.mid(i, 4) == "<!--") {
            skipTo(i, "-->");
        } else if (in.mid(i, 9) == "<![CDATA[") {
            skipTo(i, "]]>");
        } else if (in.mid(i, 2) == "<?") {
            skipTo(i, "?>");
        } else {
            // A tag: copy up to its '>', guarding quoted values.
            char quote = 0;
            for (; i < in.size(); ++i) {
                const char t = in[i];
                if (quote) {
                    if (t == quote)
                        quote = 0;
                    if (t == '\t') {
                        out.append("&#9;");
                        continue;
                    }
                    if (t == '\n') {
                        out.append("&#10;");
                        continue;
                    }
                    if (t == '\r') {
                        out.append("&#13;");
                        continue;
                    }
                } else if (t == '\'' || t == '"') {
                    quote = t;
                } else if (t == '>') {
                    out.append(t);
                    ++i;
                    break;
                }
                out.append(t);
            }
        }
    }
    return out;
}

bool isWholeNumberType(const QString &t)
{
    static const QStringList types{"i1", "i2", "i4", "int", "i8", "ui1", "ui2", "ui4", "ui8"};
    return types.contains(t);
}

bool isRealType(const QString &t)
{
    static const QStringList types{"r4", "r8", "float", "number", "fixed.14.4"};
    return types.contains(t);
}

bool isDateType(const QString &t)
{
    return t == QLatin1String("dateTime") || t == QLatin1String("dateTime.tz") || t == QLatin1String("date")
           || t == QLatin1String("time");
}

bool isKnownType(const QString &t)
{
    static const QStringList others{"boolean", "string", "char", "bin.hex", "bin.base64", "uuid"};
    return isWholeNumberType(t) || isRealType(t) || isDateType(t) || others.contains(t);
}

// The range of a whole-number type.
std::pair<qint64, quint64> rangeOf(const QString &t)
{
    if (t == QLatin1String("i1"))
        return {-128, 127};
    if (t == QLatin1String("i2"))
        return {-32768, 32767};
    if (t == QLatin1String("i4") || t == QLatin1String("int"))
        return {-2147483648LL, 2147483647ULL};
    if (t == QLatin1String("i8"))
        return {std::numeric_limits<qint64>::min(), quint64(std::numeric_limits<qint64>::max())};
    if (t == QLatin1String("ui1"))
        return {0, 255};
    if (t == QLatin1String("ui2"))
        return {0, 65535};
    if (t == QLatin1String("ui4"))
        return {0, 4294967295ULL};
    return {0, std::numeric_limits<quint64>::max()};
}

QDateTime parseDate(const QString &type, const QString &text)
{
    if (type == QLatin1String("date"))
        return QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
    if (type == QLatin1String("time")) {
        // A time of day on Jet's day zero; no time at all is no value (a
        // QDateTime would take an invalid time for midnight).
        const QTime t = QTime::fromString(text, Qt::ISODateWithMs);
        return t.isValid() ? QDateTime(QDate(1899, 12, 30), t) : QDateTime();
    }
    QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (dt.isValid() && type == QLatin1String("dateTime"))
        dt = QDateTime(dt.date(), dt.time()); // as written, local time
    return dt;
}

// Empty when `text` fits the column's data type, else why not.
QString lexicalFault(const Column &c, const QString &text)
{
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    static const QRegularExpression real(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    static const QRegularExpression hex(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
    const QString &t = c.dtType;
    if (isWholeNumberType(t)) {
        if (!whole.match(text).hasMatch())
            return QStringLiteral("geen geheel getal");
        const auto [lo, hi] = rangeOf(t);
        bool ok = false;
        if (text.startsWith(QLatin1Char('-'))) {
            const qint64 v = text.toLongLong(&ok);
            if (!ok || v < lo)
                return QStringLiteral("buiten het bereik van het gegevenstype");
        } else {
            const quint64 v = text.toULongLong(&ok);
            if (!ok || v > hi)
                return QStringLiteral("buiten het bereik van het gegevenstype");
        }
    } else if (isRealType(t)) {
        bool ok = false;
        const double v = text.toDouble(&ok);
        if (!real.match(text).hasMatch() || !ok || !std::isfinite(v))
            return QStringLiteral("geen getal");
        if (t == QLatin1String("r4") && std::fabs(v) > double(FLT_MAX))
            return QStringLiteral("buiten het bereik van het gegevenstype");
    } else if (isDateType(t)) {
        if (!parseDate(t, text).isValid())
            return QStringLiteral("geen datum");
    } else if (t == QLatin1String("boolean")) {
        static const QStringList forms{"true", "false", "1", "0", "-1"};
        if (!forms.contains(text.toLower()))
            return QStringLiteral("geen waarde waar/onwaar");
    } else if (t == QLatin1String("bin.hex")) {
        if (!hex.match(text).hasMatch())
            return QStringLiteral("geen hexadecimale tekst");
    } else if (c.maxLength > 0 && !c.isLong && text.size() > c.maxLength) {
        return QStringLiteral("langer dan %1 tekens").arg(c.maxLength);
    }
    return QString();
}

bool isTrue(const QString &v)
{
    return v == QLatin1String("true") || v == QLatin1String("True");
}

class Parser {
public:
    explicit Parser(const QByteArray &bytes) : x(beschermWitruimte(bytes)) {}

    Rowset parse()
    {
        if (!volgendKind() || !x.namespaceUri().isEmpty() || x.name() != QLatin1String("xml"))
            fail(QStringLiteral("het bestand begint niet met het element <xml> van een opgeslagen recordset"));
        Rowset rs;
        if (!volgendKind() || !is(kNsSchema, "Schema"))
            fail(QStringLiteral("het schema (s:Schema) ontbreekt"));
        bool top = false;
        while (volgendKind()) {
            if (top || !is(kNsSchema, "ElementType") || attr("name") != QLatin1String("row"))
                fail(QStringLiteral("het schema moet precies één rijtype 'row' bevatten"));
            leesRijtype(rs.type, nullptr, 1);
            top = true;
        }
        if (!top)
            fail(QStringLiteral("het schema bevat geen rijtype 'row'"));
        if (!volgendKind() || !is(kNsRowset, "data"))
            fail(QStringLiteral("de gegevens (rs:data) ontbreken"));
        leesData(rs);
        if (volgendKind())
            fail(QStringLiteral("na de gegevens volgt nog een element <%1>").arg(x.qualifiedName()));
        // Nothing may follow the root element.
        while (!x.atEnd()) {
            x.readNext();
            if (x.tokenType() == QXmlStreamReader::StartElement
                || (x.tokenType() == QXmlStreamReader::Characters && !x.isWhitespace()))
                fail(QStringLiteral("na het einde van het document volgt nog inhoud"));
        }
        if (x.hasError())
            failXml();
        return rs;
    }

private:
    [[noreturn]] void fail(const QString &why) const
    {
        throw platform::Error(kErrOngeldigBestand,
                              QStringLiteral("Het bestand is geen geldige opgeslagen recordset: %1 (regel %2).")
                                  .arg(why)
                                  .arg(x.lineNumber()),
                              QStringLiteral("adoxml::read"));
    }

    [[noreturn]] void failXml() const
    {
        if (x.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            fail(QStringLiteral("het bestand is onvolledig"));
        fail(QStringLiteral("geen geldige XML: ") + x.errorString());
    }

    bool is(const char *ns, const char *local) const
    {
        return x.namespaceUri() == QLatin1String(ns) && x.name() == QLatin1String(local);
    }

    QString attr(const char *name, const char *ns = "") const
    {
        return x.attributes().value(QLatin1String(ns), QLatin1String(name)).toString();
    }
    bool hasAttr(const char *name, const char *ns = "") const
    {
        return x.attributes().hasAttribute(QLatin1String(ns), QLatin1String(name));
    }

    // Moves to the next child element of the current one: true at its
    // start, false at the end of the current element. White space,
    // comments and processing instructions are skipped; text, a document
    // type declaration or an entity reference is refused.
    bool volgendKind()
    {
        while (!x.atEnd()) {
            switch (x.readNext()) {
            case QXmlStreamReader::StartElement:
                return true;
            case QXmlStreamReader::EndElement:
                return false;
            case QXmlStreamReader::Characters:
                if (!x.isWhitespace())
                    fail(QStringLiteral("onverwachte tekst '%1'").arg(x.text().left(40)));
                break;
            case QXmlStreamReader::DTD:
                fail(QStringLiteral("een documenttypedeclaratie (DTD) is niet toegestaan"));
            case QXmlStreamReader::EntityReference:
                fail(QStringLiteral("een entiteitsverwijzing is niet toegestaan"));
            case QXmlStreamReader::Invalid:
                failXml();
            default:
                break;
            }
        }
        if (x.hasError())
            failXml();
        fail(QStringLiteral("het bestand is onvolledig"));
    }

    // Skips the rest of the current element, however deep it nests.
    void overslaan()
    {
        for (qint64 diepte = 1; diepte > 0;)
            diepte += volgendKind() ? 1 : -1;
    }

    void leesRijtype(RowType &type, const RowType *parent, int diepte)
    {
        if (diepte > kMaxDiepte)
            fail(QStringLiteral("de hiërarchie is dieper dan %1 niveaus").arg(kMaxDiepte));
        type.name = attr("name");
        if (type.name.isEmpty())
            fail(QStringLiteral("een rijtype zonder naam"));
        const QString relatie = attr("relation", kNsRowset);
        if (parent && relatie.isEmpty())
            fail(QStringLiteral("het hoofdstuk '%1' heeft geen relatie (rs:relation)").arg(type.name));
        while (volgendKind()) {
            if (is(kNsSchema, "AttributeType")) {
                leesKolom(type);
            } else if (is(kNsSchema, "ElementType")) {
                RowType chapter;
                leesRijtype(chapter, &type, diepte + 1);
                if (type.columnIndex(chapter.name) >= 0 || type.chapterIndex(chapter.name) >= 0)
                    fail(QStringLiteral("de naam '%1' komt twee keer voor").arg(chapter.name));
                type.chapters.push_back(std::move(chapter));
            } else if (is(kNsSchema, "extends")) {
                overslaan();
            } else {
                fail(QStringLiteral("onbekend element <%1> in het schema").arg(x.qualifiedName()));
            }
        }
        if (parent)
            type.relation = leesRelatie(relatie, *parent, type);
    }

    void leesKolom(RowType &type)
    {
        Column c;
        c.name = attr("name");
        if (c.name.isEmpty())
            fail(QStringLiteral("een kolom zonder naam"));
        if (type.columnIndex(c.name) >= 0)
            fail(QStringLiteral("de kolom '%1' komt twee keer voor").arg(c.name));
        bool ok = true;
        c.number = hasAttr("number", kNsRowset) ? attr("number", kNsRowset).toInt(&ok) : int(type.columns.size()) + 1;
        if (!ok || c.number < 1)
            fail(QStringLiteral("ongeldig kolomnummer bij kolom '%1'").arg(c.name));
        c.nullable = isTrue(attr("nullable", kNsRowset)) || isTrue(attr("maybenull", kNsRowset));
        c.keyColumn = isTrue(attr("keycolumn", kNsRowset));
        c.autoIncrement = isTrue(attr("autoincrement", kNsRowset));
        c.baseTable = attr("basetable", kNsRowset);
        c.baseColumn = attr("basecolumn", kNsRowset);
        c.dtType = attr("type", kNsDataType);
        while (volgendKind()) {
            if (!is(kNsSchema, "datatype"))
                fail(QStringLiteral("onbekend element <%1> bij kolom '%2'").arg(x.qualifiedName(), c.name));
            c.dtType = attr("type", kNsDataType);
            c.dbType = attr("dbtype", kNsRowset);
            if (hasAttr("maxLength", kNsDataType))
                c.maxLength = attr("maxLength", kNsDataType).toLongLong(&ok);
            if (!ok)
                fail(QStringLiteral("ongeldige maximale lengte bij kolom '%1'").arg(c.name));
            if (hasAttr("precision", kNsRowset))
                c.precision = attr("precision", kNsRowset).toInt();
            c.fixedLength = isTrue(attr("fixedlength", kNsRowset));
            c.isLong = isTrue(attr("long", kNsRowset));
            overslaan();
        }
        if (c.dtType.isEmpty())
            c.dtType = QStringLiteral("string");
        if (!isKnownType(c.dtType))
            fail(QStringLiteral("onbekend gegevenstype '%1' bij kolom '%2'").arg(c.dtType, c.name));
        type.columns.push_back(std::move(c));
    }

    std::vector<std::pair<int, int>> leesRelatie(QString hex, const RowType &parent, const RowType &child)
    {
        hex.remove(QRegularExpression(QStringLiteral("\\s")));
        static const QRegularExpression hexDigits(QStringLiteral("^[0-9A-Fa-f]*$"));
        const auto bad = [&] { fail(QStringLiteral("ongeldige relatie '%1' bij '%2'").arg(hex, child.name)); };
        if (hex.size() % 8 != 0 || !hexDigits.match(hex).hasMatch())
            bad();
        std::vector<int> numbers;
        for (qsizetype i = 0; i < hex.size(); i += 8) {
            const QByteArray le = QByteArray::fromHex(hex.mid(i, 8).toLatin1());
            const quint32 n = quint8(le[0]) | quint32(quint8(le[1])) << 8 | quint32(quint8(le[2])) << 16
                              | quint32(quint8(le[3])) << 24;
            if (n == 0)
                break;
            numbers.push_back(int(n));
        }
        if (numbers.empty() || numbers.size() % 2 != 0)
            bad();
        const auto hasNumber = [](const RowType &t, int n) {
            for (const Column &c : t.columns)
                if (c.number == n)
                    return true;
            return false;
        };
        std::vector<std::pair<int, int>> pairs;
        for (size_t i = 0; i < numbers.size(); i += 2) {
            if (!hasNumber(parent, numbers[i]) || !hasNumber(child, numbers[i + 1]))
                bad();
            pairs.emplace_back(numbers[i], numbers[i + 1]);
        }
        return pairs;
    }

    void leesData(Rowset &rs)
    {
        while (volgendKind()) {
            if (is(kNsRowsetSchema, "row")) {
                rs.rows.push_back(leesRij(rs.type));
            } else if (is(kNsRowset, "insert")) {
                while (volgendKind()) {
                    if (!is(kNsRowsetSchema, "row"))
                        fail(QStringLiteral("onverwacht element <%1> in rs:insert").arg(x.qualifiedName()));
                    rs.rows.push_back(leesRij(rs.type));
                }
            } else if (is(kNsRowset, "update")) {
                while (volgendKind()) {
                    if (is(kNsRowset, "original"))
                        overslaan();
                    else if (is(kNsRowsetSchema, "row"))
                        rs.rows.push_back(leesRij(rs.type));
                    else
                        fail(QStringLiteral("onverwacht element <%1> in rs:update").arg(x.qualifiedName()));
                }
            } else if (is(kNsRowset, "delete")) {
                overslaan();
            } else {
                fail(QStringLiteral("onverwacht element <%1> in de gegevens").arg(x.qualifiedName()));
            }
        }
    }

    Row leesRij(const RowType &type)
    {
        Row row;
        row.values.resize(type.columns.size());
        row.chapters.resize(type.chapters.size());
        for (const QXmlStreamAttribute &a : x.attributes()) {
            if (a.namespaceUri() == QLatin1String(kNsRowset))
                continue; // rs:duplicate and the like
            const int i = a.namespaceUri().isEmpty() ? type.columnIndex(a.name().toString()) : -1;
            if (i < 0)
                fail(QStringLiteral("onbekende kolom '%1' in een rij van '%2'").arg(a.qualifiedName(), type.name));
            const QString value = a.value().toString();
            const QString fout = lexicalFault(type.columns[size_t(i)], value);
            if (!fout.isEmpty())
                fail(QStringLiteral("de waarde '%1' van kolom '%2' is %3")
                         .arg(value.left(60), type.columns[size_t(i)].name, fout));
            row.values[size_t(i)] = value;
        }
        while (volgendKind()) {
            const int h = x.namespaceUri().isEmpty() ? type.chapterIndex(x.name().toString()) : -1;
            if (h < 0)
                fail(QStringLiteral("onverwacht element <%1> in een rij van '%2'").arg(x.qualifiedName(), type.name));
            row.chapters[size_t(h)].push_back(leesRij(type.chapters[size_t(h)]));
        }
        return row;
    }

    QXmlStreamReader x;
};

} // namespace

int RowType::columnIndex(const QString &n) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(n, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int RowType::chapterIndex(const QString &n) const
{
    for (size_t i = 0; i < chapters.size(); ++i)
        if (chapters[i].name.compare(n, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

Rowset read(const QByteArray &bytes)
{
    return Parser(bytes).parse();
}

QVariant typedValue(const Column &c, const std::optional<QString> &text)
{
    if (!text)
        return QVariant();
    const QString &t = c.dtType;
    if (isWholeNumberType(t))
        return t == QLatin1String("ui8") ? QVariant(text->toULongLong()) : QVariant(text->toLongLong());
    if (isRealType(t))
        return text->toDouble();
    if (isDateType(t))
        return parseDate(t, *text);
    if (t == QLatin1String("boolean")) {
        const QString v = text->toLower();
        return v == QLatin1String("true") || v == QLatin1String("1") || v == QLatin1String("-1");
    }
    return *text;
}

} // namespace adoxml
