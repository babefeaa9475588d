// Writing ADO's XML persistence format (see ado_xml.h), laid out as ADO
// lays it out: tabs, single quotes, CRLF line ends, no declaration, no line
// end after the closing </xml>.

#include "shell/ado_xml.h"
#include "shell/ado_xml_names.h"

#include "platform/core/error.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>

namespace adoxml {

namespace {

[[noreturn]] void weiger(const QString &why)
{
    throw platform::Error(kErrOngeldigBestand, why, QStringLiteral("adoxml::write"));
}

// The bytes of a file as they are written: room is made ahead, in steps
// that double, and filled through a pointer.
class Out {
public:
    // Room for n bytes at the end; the caller fills them (or gives back what
    // it did not use with setSize).
    char *room(qsizetype n)
    {
        if (m_size + n > m_buf.size())
            m_buf.resize(std::max(2 * m_buf.size(), m_size + n + 4096));
        char *p = m_buf.data() + m_size;
        m_size += n;
        return p;
    }
    void put(const char *s, qsizetype n) { std::memcpy(room(n), s, size_t(n)); }
    void put(const QByteArray &b) { put(b.constData(), b.size()); }
    void put(char c) { *room(1) = c; }
    template <qsizetype N> void put(const char (&s)[N]) { put(s, N - 1); }
    void tabs(int n) { std::memset(room(n), '\t', size_t(n)); }
    qsizetype size() const { return m_size; }
    void setSize(qsizetype n) { m_size = n; }
    const char *begin() const { return m_buf.constData(); }
    QByteArray take()
    {
        m_buf.truncate(m_size);
        m_size = 0;
        return std::move(m_buf);
    }

private:
    QByteArray m_buf;
    qsizetype m_size = 0;
};

// Appends `text` in UTF-8 with the characters ADO escapes as references;
// refuses a character that XML cannot carry.
void appendEscaped(Out &out, QStringView text, const QString &column)
{
    const qsizetype n = text.size();
    const char16_t *p = text.utf16();
    // Room for the worst case (a reference of six bytes, or three bytes of
    // UTF-8, per character), written through a pointer and cut back after.
    const qsizetype begin = out.size();
    char *q = out.room(6 * n);
    const auto put = [&q](const char *s, int len) {
        std::memcpy(q, s, size_t(len));
        q += len;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = p[i];
        if (u >= 0x80) {
            const bool pair = QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(p[i + 1]);
            if (u == 0xFFFE || u == 0xFFFF || (QChar::isSurrogate(u) && !pair)) {
                out.setSize(begin);
                weiger(QStringLiteral("De tekst van het veld '%1' bevat een teken (code %2) dat niet in een "
                                      "XML-bestand kan worden opgeslagen.")
                           .arg(column)
                           .arg(int(u)));
            }
            if (pair) {
                const char32_t c = QChar::surrogateToUcs4(u, p[++i]);
                *q++ = char(0xF0 | (c >> 18));
                *q++ = char(0x80 | ((c >> 12) & 0x3F));
                *q++ = char(0x80 | ((c >> 6) & 0x3F));
                *q++ = char(0x80 | (c & 0x3F));
            } else if (u < 0x800) {
                *q++ = char(0xC0 | (u >> 6));
                *q++ = char(0x80 | (u & 0x3F));
            } else {
                *q++ = char(0xE0 | (u >> 12));
                *q++ = char(0x80 | ((u >> 6) & 0x3F));
                *q++ = char(0x80 | (u & 0x3F));
            }
            continue;
        }
        switch (u) {
        case '"':
            put("&#x22;", 6);
            break;
        case '\'':
            put("&#x27;", 6);
            break;
        case '<':
            put("&#x3c;", 6);
            break;
        case '&':
            put("&#x26;", 6);
            break;
        case '>':
            put("&#x3e;", 6);
            break;
        case '\t':
            put("&#x9;", 5);
            break;
        case '\n':
            put("&#xa;", 5);
            break;
        case '\r':
            put("&#xd;", 5);
            break;
        default:
            if (u < 0x20) {
                out.setSize(begin);
                weiger(QStringLiteral("De tekst van het veld '%1' bevat een teken (code %2) dat niet in een "
                                      "XML-bestand kan worden opgeslagen.")
                           .arg(column)
                           .arg(int(u)));
            }
            *q++ = char(u);
        }
    }
    out.setSize(q - out.begin());
}

QString xmlName(const QString &name)
{
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.-]*$"));
    if (!valid.match(name).hasMatch())
        weiger(QStringLiteral("De naam '%1' kan niet als XML-naam worden geschreven.").arg(name));
    return name;
}

} // namespace

// Everything goes straight into the file's bytes.
class Writer {
public:
    explicit Writer(const RowType &type)
    {
        bytes.put(QStringLiteral("<xml xmlns:s='%1'\r\n\txmlns:dt='%2'\r\n\txmlns:rs='%3'\r\n\txmlns:z='%4'>\r\n")
                      .arg(QLatin1String(kNsSchema), QLatin1String(kNsDataType), QLatin1String(kNsRowset),
                           QLatin1String(kNsRowsetSchema))
                      .toUtf8());
        bytes.put("<s:Schema id='RowsetSchema'>\r\n");
        schema(type, 1, QByteArray());
        bytes.put("</s:Schema>\r\n<rs:data>\r\n");
    }

    // The start tag of a row at nesting depth `level`, with an attribute for
    // every column whose value `value(i)` writes (it returns false for a
    // Null, which has none).
    template <class Value>
    void beginTag(const RowType &t, size_t values, const QByteArray &element, int level, Value &&value)
    {
        bytes.tabs(level);
        bytes.put('<');
        bytes.put(element);
        const std::vector<QByteArray> &namen = attribuutBegin(t);
        for (size_t i = 0; i < t.columns.size() && i < values; ++i) {
            const qsizetype terug = bytes.size();
            bytes.put(namen[i]);
            if (value(i))
                bytes.put('\'');
            else
                bytes.setSize(terug);
        }
    }
    void closeEmpty() { bytes.put("/>\r\n"); }
    void closeStart() { bytes.put(">\r\n"); }
    void endTag(const QByteArray &element, int level)
    {
        bytes.tabs(level);
        bytes.put("</");
        bytes.put(element);
        bytes.put(">\r\n");
    }

    // A row of a Rowset and its chapters' rows, nested one tab deeper.
    void rij(const RowType &t, const Row &row, const QByteArray &element, int level)
    {
        beginTag(t, row.values.size(), element, level, [&](size_t i) {
            if (!row.values[i])
                return false;
            appendEscaped(bytes, *row.values[i], t.columns[i].name);
            return true;
        });
        bool kinderen = false;
        for (size_t h = 0; h < t.chapters.size() && h < row.chapters.size(); ++h)
            kinderen = kinderen || !row.chapters[h].empty();
        if (!kinderen) {
            closeEmpty();
            return;
        }
        closeStart();
        for (size_t h = 0; h < t.chapters.size() && h < row.chapters.size(); ++h) {
            const QByteArray &naam = elementNaam(t.chapters[h]);
            for (const Row &kind : row.chapters[h])
                rij(t.chapters[h], kind, naam, level + 1);
        }
        endTag(element, level);
    }

    QByteArray finish()
    {
        bytes.put("</rs:data>\r\n</xml>");
        return bytes.take();
    }

    // The element of a chapter's rows.
    const QByteArray &elementNaam(const RowType &t)
    {
        QByteArray &naam = m_elementNaam[&t];
        if (naam.isEmpty())
            naam = t.name.toUtf8();
        return naam;
    }

    Out bytes; // the whole file

private:
    void schema(const RowType &t, int level, const QByteArray &relation)
    {
        const QByteArray naam = xmlName(t.name).toUtf8();
        bytes.tabs(level);
        bytes.put("<s:ElementType name='");
        bytes.put(naam);
        bytes.put("' content='eltOnly' rs:updatable='true'");
        if (!relation.isEmpty()) {
            bytes.put(" rs:ReshapeName='");
            bytes.put(naam);
            bytes.put("' rs:relation='");
            bytes.put(relation);
            bytes.put('\'');
        }
        bytes.put(">\r\n");
        for (const Column &c : t.columns)
            kolom(c, level + 1);
        for (const RowType &h : t.chapters)
            schema(h, level + 1, relatie(h));
        bytes.tabs(level + 1);
        bytes.put("<s:extends type='rs:rowbase'/>\r\n");
        bytes.tabs(level);
        bytes.put("</s:ElementType>\r\n");
    }

    static QByteArray relatie(const RowType &t)
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
        return bytes.toHex();
    }

    void getal(qint64 n)
    {
        char buf[24];
        bytes.put(buf, std::to_chars(buf, buf + sizeof buf, n).ptr - buf);
    }

    // An attribute whose value is escaped.
    void attribuut(const char *begin, const QString &waarde, const QString &kolom)
    {
        bytes.put(begin, qsizetype(std::strlen(begin)));
        appendEscaped(bytes, waarde, kolom);
        bytes.put('\'');
    }

    void kolom(const Column &c, int level)
    {
        bytes.tabs(level);
        bytes.put("<s:AttributeType name='");
        bytes.put(xmlName(c.name).toUtf8());
        bytes.put("' rs:number='");
        getal(c.number);
        bytes.put('\'');
        if (c.nullable)
            bytes.put(" rs:nullable='true'");
        bytes.put(" rs:writeunknown='true'");
        if (!c.baseTable.isEmpty())
            attribuut(" rs:basetable='", c.baseTable, c.name);
        if (!c.baseColumn.isEmpty())
            attribuut(" rs:basecolumn='", c.baseColumn, c.name);
        if (c.keyColumn)
            bytes.put(" rs:keycolumn='true'");
        if (c.autoIncrement)
            bytes.put(" rs:autoincrement='true'");
        bytes.put(">\r\n");
        bytes.tabs(level + 1);
        attribuut("<s:datatype dt:type='", c.dtType, c.name);
        if (!c.dbType.isEmpty())
            attribuut(" rs:dbtype='", c.dbType, c.name);
        if (c.maxLength >= 0) {
            bytes.put(" dt:maxLength='");
            getal(c.maxLength);
            bytes.put('\'');
        }
        if (c.precision >= 0) {
            bytes.put(" rs:precision='");
            getal(c.precision);
            bytes.put('\'');
        }
        if (c.isLong)
            bytes.put(" rs:long='true'");
        if (c.fixedLength)
            bytes.put(" rs:fixedlength='true'");
        if (c.nullable)
            bytes.put(" rs:maybenull='true'/>\r\n");
        else
            bytes.put(" rs:maybenull='false'/>\r\n");
        bytes.tabs(level);
        bytes.put("</s:AttributeType>\r\n");
    }

    // " name='" of every column of a row type, made once.
    const std::vector<QByteArray> &attribuutBegin(const RowType &t)
    {
        std::vector<QByteArray> &namen = m_attribuutBegin[&t];
        if (namen.empty())
            for (const Column &c : t.columns)
                namen.push_back(' ' + c.name.toUtf8() + "='");
        return namen;
    }

    std::map<const RowType *, std::vector<QByteArray>> m_attribuutBegin;
    std::map<const RowType *, QByteArray> m_elementNaam;
};

namespace {

// The number a QVariant holds, read straight from the types the data layer
// hands out, through QVariant's conversion for any other.
double asDouble(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
        return *static_cast<const double *>(v.constData());
    case QMetaType::Float:
        return double(*static_cast<const float *>(v.constData()));
    case QMetaType::Int:
        return double(*static_cast<const int *>(v.constData()));
    default:
        return v.toDouble();
    }
}

qlonglong asLongLong(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
        return *static_cast<const int *>(v.constData());
    case QMetaType::LongLong:
        return *static_cast<const qlonglong *>(v.constData());
    default:
        return v.toLongLong();
    }
}

// Room for the text of any value that is not a text.
using Buffer = std::array<char, 64>;

template <class T> int shortest(T v, Buffer &buf)
{
    return int(std::to_chars(buf.data(), buf.data() + buf.size(), v).ptr - buf.data());
}

int latin1(const QString &s, Buffer &buf)
{
    const qsizetype n = std::min<qsizetype>(s.size(), qsizetype(buf.size()));
    for (qsizetype i = 0; i < n; ++i)
        buf[size_t(i)] = char(s[i].unicode());
    return int(n);
}

// yyyy-MM-ddThh:mm:ss; a year before 1 or after 9999 as Qt writes it.
int dateTimeText(const QDateTime &dt, Buffer &buf)
{
    const QDate d = dt.date();
    const int year = d.year();
    if (!dt.isValid() || year < 1 || year > 9999)
        return latin1(dt.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")), buf);
    const QTime t = dt.time();
    const auto two = [&buf](int at, int n) {
        buf[size_t(at)] = char('0' + n / 10);
        buf[size_t(at) + 1] = char('0' + n % 10);
    };
    two(0, year / 100);
    two(2, year % 100);
    buf[4] = '-';
    two(5, d.month());
    buf[7] = '-';
    two(8, d.day());
    buf[10] = 'T';
    two(11, t.hour());
    buf[13] = ':';
    two(14, t.minute());
    buf[16] = ':';
    two(17, t.second());
    return 19;
}

// The text of a value (not Null) of a data type whose values are numbers,
// dates or truth values, in `buf`: its length. -1 for a data type whose
// values are texts (v.toString()).
int scalarText(const Column &c, const QVariant &v, Buffer &buf)
{
    const QString &t = c.dtType;
    const auto eindig = [&](double d) {
        if (!std::isfinite(d))
            weiger(QStringLiteral("Het veld '%1' bevat geen eindig getal.").arg(c.name));
        return d;
    };
    // The data types told apart by their first letter first.
    switch (t.isEmpty() ? u'\0' : t.front().unicode()) {
    case u'r':
        if (t == QLatin1String("r4"))
            return shortest(float(eindig(asDouble(v))), buf);
        if (t == QLatin1String("r8"))
            return shortest(eindig(asDouble(v)), buf);
        break;
    case u'f':
        if (t == QLatin1String("float"))
            return shortest(eindig(asDouble(v)), buf);
        break;
    case u'n':
        if (t == QLatin1String("number")) {
            QString s = QString::number(eindig(asDouble(v)), 'f', 4);
            while (s.endsWith(QLatin1Char('0')))
                s.chop(1);
            if (s.endsWith(QLatin1Char('.')))
                s.chop(1);
            return latin1(s == QLatin1String("-0") ? QStringLiteral("0") : s, buf);
        }
        break;
    case u'd':
        if (t == QLatin1String("dateTime"))
            return dateTimeText(v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime(),
                                buf);
        break;
    case u'b':
        if (t == QLatin1String("boolean"))
            return latin1(v.toBool() ? QStringLiteral("True") : QStringLiteral("False"), buf);
        break;
    case u'u':
        if (t.startsWith(QLatin1String("ui"))) {
            // An unsigned 8-byte value is beyond a signed one's range.
            if (v.typeId() == QMetaType::ULongLong || v.typeId() == QMetaType::ULong || v.typeId() == QMetaType::UInt)
                return shortest(v.toULongLong(), buf);
            return shortest(asLongLong(v), buf);
        }
        break;
    case u'i':
        return shortest(asLongLong(v), buf);
    default:
        break;
    }
    return -1;
}

// The value's text as write() writes the text valueText() gives.
void appendValue(Out &out, const Column &c, const QVariant &v)
{
    Buffer buf;
    const int n = scalarText(c, v, buf);
    if (n >= 0)
        out.put(buf.data(), n);
    else if (v.typeId() == QMetaType::QString)
        appendEscaped(out, *static_cast<const QString *>(v.constData()), c.name);
    else
        appendEscaped(out, v.toString(), c.name);
}

} // namespace

QByteArray write(const Rowset &rowset)
{
    Writer w(rowset.type);
    const QByteArray row = QByteArrayLiteral("z:row");
    for (const Row &r : rowset.rows)
        w.rij(rowset.type, r, row, 1);
    return w.finish();
}

std::optional<QString> valueText(const Column &c, const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    Buffer buf;
    const int n = scalarText(c, v, buf);
    return n >= 0 ? QString::fromLatin1(buf.data(), n) : v.toString();
}

struct RowWriter::Open {
    const QByteArray *element;
    int level;
};

RowWriter::RowWriter(const RowType &type) : m_writer(std::make_unique<Writer>(type)) {}

RowWriter::~RowWriter() = default;

void RowWriter::beginRow(const RowType &type, const QVariant *const *values, bool chapterRowsFollow)
{
    static const QByteArray top = QByteArrayLiteral("z:row");
    const QByteArray &element = m_open.empty() ? top : m_writer->elementNaam(type);
    const int level = int(m_open.size()) + 1;
    m_writer->beginTag(type, type.columns.size(), element, level, [&](size_t i) {
        const QVariant &v = *values[i];
        if (!v.isValid() || v.isNull())
            return false;
        appendValue(m_writer->bytes, type.columns[i], v);
        return true;
    });
    if (!chapterRowsFollow) {
        m_writer->closeEmpty();
        return;
    }
    m_writer->closeStart();
    m_open.push_back({&element, level});
}

void RowWriter::endRow()
{
    const Open o = m_open.back();
    m_open.pop_back();
    m_writer->endTag(*o.element, o.level);
}

QByteArray RowWriter::finish()
{
    return m_writer->finish();
}

} // namespace adoxml
