// Writing ADO's XML persistence format (see ado_xml.h), laid out as ADO
// lays it out: tabs, single quotes, CRLF line ends, no declaration, no line
// end after the closing </xml>.

#include "shell/ado_xml.h"
#include "shell/ado_xml_names.h"

#include "platform/core/error.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>

namespace adoxml {

namespace {

[[noreturn]] void weiger(const QString &why)
{
    throw platform::Error(kErrOngeldigBestand, why, QStringLiteral("adoxml::write"));
}

QString escaped(const QString &text, const QString &column)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case '"': out += QLatin1String("&#x22;"); break;
        case '\'': out += QLatin1String("&#x27;"); break;
        case '<': out += QLatin1String("&#x3c;"); break;
        case '&': out += QLatin1String("&#x26;"); break;
        case '>': out += QLatin1String("&#x3e;"); break;
        case '\t': out += QLatin1String("&#x9;"); break;
        case '\n': out += QLatin1String("&#xa;"); break;
        case '\r': out += QLatin1String("&#xd;"); break;
        default: {
            const char16_t u = c.unicode();
            const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            if (u < 0x20 || u == 0xFFFE || u == 0xFFFF || (c.isSurrogate() && !pair))
                weiger(QStringLiteral("De tekst van het veld '%1' bevat een teken (code %2) dat niet in een "
                                      "XML-bestand kan worden opgeslagen.")
                           .arg(column)
                           .arg(int(u)));
            out += c;
            if (pair)
                out += text[++i];
        }
        }
    }
    return out;
}

QString xmlName(const QString &name)
{
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.-]*$"));
    if (!valid.match(name).hasMatch())
        weiger(QStringLiteral("De naam '%1' kan niet als XML-naam worden geschreven.").arg(name));
    return name;
}

template <class T>
QString shortest(T v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

class Writer {
public:
    QByteArray run(const Rowset &rs)
    {
        o += QStringLiteral("<xml xmlns:s='%1'\r\n\txmlns:dt='%2'\r\n\txmlns:rs='%3'\r\n\txmlns:z='%4'>\r\n")
                 .arg(QLatin1String(kNsSchema), QLatin1String(kNsDataType), QLatin1String(kNsRowset),
                      QLatin1String(kNsRowsetSchema));
        o += QLatin1String("<s:Schema id='RowsetSchema'>\r\n");
        schema(rs.type, 1, QString());
        o += QLatin1String("</s:Schema>\r\n<rs:data>\r\n");
        for (const Row &row : rs.rows)
            rij(rs.type, row, QStringLiteral("z:row"), 1);
        o += QLatin1String("</rs:data>\r\n</xml>");
        return o.toUtf8();
    }

private:
    static QString tabs(int n) { return QString(n, QLatin1Char('\t')); }

    void schema(const RowType &t, int level, const QString &relation)
    {
        o += tabs(level) + QStringLiteral("<s:ElementType name='%1' content='eltOnly' rs:updatable='true'")
                               .arg(xmlName(t.name));
        if (!relation.isEmpty())
            o += QStringLiteral(" rs:ReshapeName='%1' rs:relation='%2'").arg(t.name, relation);
        o += QLatin1String(">\r\n");
        for (const Column &c : t.columns)
            kolom(c, level + 1);
        for (const RowType &h : t.chapters)
            schema(h, level + 1, relatie(h));
        o += tabs(level + 1) + QLatin1String("<s:extends type='rs:rowbase'/>\r\n");
        o += tabs(level) + QLatin1String("</s:ElementType>\r\n");
    }

    static QString relatie(const RowType &t)
    {
        QByteArray bytes;
        const auto put = [&](quint32 n) {
            for (int i = 0; i < 4; ++i)
                bytes.append(char((n >> (8 * i)) & 0xFF));
        };
        for (const auto &[parent, child] : t.relation) {
            put(quint32(parent));
            put(quint32(child));
        }
        put(0);
        return QString::fromLatin1(bytes.toHex());
    }

    void kolom(const Column &c, int level)
    {
        o += tabs(level) + QStringLiteral("<s:AttributeType name='%1' rs:number='%2'").arg(xmlName(c.name)).arg(c.number);
        if (c.nullable)
            o += QLatin1String(" rs:nullable='true'");
        o += QLatin1String(" rs:writeunknown='true'");
        if (!c.baseTable.isEmpty())
            o += QStringLiteral(" rs:basetable='%1'").arg(escaped(c.baseTable, c.name));
        if (!c.baseColumn.isEmpty())
            o += QStringLiteral(" rs:basecolumn='%1'").arg(escaped(c.baseColumn, c.name));
        if (c.keyColumn)
            o += QLatin1String(" rs:keycolumn='true'");
        if (c.autoIncrement)
            o += QLatin1String(" rs:autoincrement='true'");
        o += QLatin1String(">\r\n") + tabs(level + 1)
           + QStringLiteral("<s:datatype dt:type='%1'").arg(escaped(c.dtType, c.name));
        if (!c.dbType.isEmpty())
            o += QStringLiteral(" rs:dbtype='%1'").arg(escaped(c.dbType, c.name));
        if (c.maxLength >= 0)
            o += QStringLiteral(" dt:maxLength='%1'").arg(c.maxLength);
        if (c.precision >= 0)
            o += QStringLiteral(" rs:precision='%1'").arg(c.precision);
        if (c.isLong)
            o += QLatin1String(" rs:long='true'");
        if (c.fixedLength)
            o += QLatin1String(" rs:fixedlength='true'");
        o += QStringLiteral(" rs:maybenull='%1'/>\r\n").arg(c.nullable ? QLatin1String("true") : QLatin1String("false"));
        o += tabs(level) + QLatin1String("</s:AttributeType>\r\n");
    }

    void rij(const RowType &t, const Row &row, const QString &element, int level)
    {
        o += tabs(level) + QLatin1Char('<') + element;
        for (size_t i = 0; i < t.columns.size() && i < row.values.size(); ++i)
            if (row.values[i])
                o += QLatin1Char(' ') + t.columns[i].name + QLatin1String("='")
                   + escaped(*row.values[i], t.columns[i].name) + QLatin1Char('\'');
        bool kinderen = false;
        for (size_t h = 0; h < t.chapters.size() && h < row.chapters.size(); ++h)
            kinderen = kinderen || !row.chapters[h].empty();
        if (!kinderen) {
            o += QLatin1String("/>\r\n");
            return;
        }
        o += QLatin1String(">\r\n");
        for (size_t h = 0; h < t.chapters.size() && h < row.chapters.size(); ++h)
            for (const Row &kind : row.chapters[h])
                rij(t.chapters[h], kind, t.chapters[h].name, level + 1);
        o += tabs(level) + QLatin1String("</") + element + QLatin1String(">\r\n");
    }

    QString o;
};

} // namespace

QByteArray write(const Rowset &rowset)
{
    return Writer().run(rowset);
}

std::optional<QString> valueText(const Column &c, const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    const QString &t = c.dtType;
    const auto eindig = [&](double d) {
        if (!std::isfinite(d))
            weiger(QStringLiteral("Het veld '%1' bevat geen eindig getal.").arg(c.name));
        return d;
    };
    if (t == QLatin1String("r4"))
        return shortest(float(eindig(v.toDouble())));
    if (t == QLatin1String("r8") || t == QLatin1String("float"))
        return shortest(eindig(v.toDouble()));
    if (t == QLatin1String("number")) {
        QString s = QString::number(eindig(v.toDouble()), 'f', 4);
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
        return s == QLatin1String("-0") ? QStringLiteral("0") : s;
    }
    if (t == QLatin1String("dateTime")) {
        const QDateTime dt = v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime();
        return dt.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss"));
    }
    if (t == QLatin1String("boolean"))
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (t.startsWith(QLatin1String("ui"))) {
        // An unsigned 8-byte value is beyond a signed one's range.
        if (v.typeId() == QMetaType::ULongLong || v.typeId() == QMetaType::ULong || v.typeId() == QMetaType::UInt)
            return QString::number(v.toULongLong());
        return QString::number(v.toLongLong());
    }
    if (t.startsWith(QLatin1String("i")))
        return QString::number(v.toLongLong());
    return v.toString();
}

} // namespace adoxml
