// XML straight into UTF-8 bytes.

#include "platform/word/xml_writer.h"

#include <charconv>

namespace word {

void XmlWriter::declaration()
{
    m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>";
}

void XmlWriter::closeTag()
{
    if (m_pending == Pending::Start)
        m_out += '>';
    else if (m_pending == Pending::Empty)
        m_out += "/>";
    m_pending = Pending::None;
}

void XmlWriter::start(const char *name)
{
    closeTag();
    m_out += '<';
    m_out += name;
    m_open.push_back(name);
    m_pending = Pending::Start;
}

void XmlWriter::empty(const char *name)
{
    closeTag();
    m_out += '<';
    m_out += name;
    m_pending = Pending::Empty;
}

void XmlWriter::attribute(const char *name, const char *plainValue)
{
    m_out += ' ';
    m_out += name;
    m_out += "=\"";
    m_out += plainValue;
    m_out += '"';
}

void XmlWriter::attribute(const char *name, QStringView value)
{
    m_out += ' ';
    m_out += name;
    m_out += "=\"";
    escaped(value, true);
    m_out += '"';
}

void XmlWriter::number(const char *name, long long value)
{
    char digits[24];
    const auto r = std::to_chars(digits, digits + sizeof digits, value);
    m_out += ' ';
    m_out += name;
    m_out += "=\"";
    m_out.append(digits, size_t(r.ptr - digits));
    m_out += '"';
}

void XmlWriter::text(QStringView text)
{
    closeTag();
    escaped(text, false);
}

void XmlWriter::end()
{
    const char *name = m_open.back();
    m_open.pop_back();
    if (m_pending == Pending::Start) {
        m_out += "/>";
        m_pending = Pending::None;
        return;
    }
    closeTag();
    m_out += "</";
    m_out += name;
    m_out += '>';
}

void XmlWriter::finish()
{
    while (!m_open.empty())
        end();
    closeTag();
}

void XmlWriter::escaped(QStringView s, bool attribute)
{
    const char16_t *p = s.utf16();
    const char16_t *const stop = p + s.size();
    // Each UTF-16 unit takes at most three bytes of UTF-8, an escape six.
    m_out.reserve(m_out.size() + 6 * size_t(s.size()));
    while (p < stop) {
        const char32_t c = *p++;
        if (c < 0x80) {
            switch (c) {
            case '<':
                m_out += "&lt;";
                break;
            case '>':
                m_out += "&gt;";
                break;
            case '&':
                m_out += "&amp;";
                break;
            case '"':
                m_out += "&quot;";
                break;
            case '\t':
                m_out += attribute ? "&#9;" : "\t";
                break;
            case '\n':
                m_out += attribute ? "&#10;" : "\n";
                break;
            case '\r':
                m_out += attribute ? "&#13;" : "\r";
                break;
            default:
                if (c >= 0x20)
                    m_out.push_back(char(c));
            }
        } else if (c < 0x800) {
            m_out.push_back(char(0xC0 | (c >> 6)));
            m_out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c >= 0xD800 && c < 0xDC00) {
            if (p == stop || *p < 0xDC00 || *p >= 0xE000)
                continue; // a high surrogate without its low one
            const char32_t u = 0x10000 + ((c - 0xD800) << 10) + (char32_t(*p++) - 0xDC00);
            m_out.push_back(char(0xF0 | (u >> 18)));
            m_out.push_back(char(0x80 | ((u >> 12) & 0x3F)));
            m_out.push_back(char(0x80 | ((u >> 6) & 0x3F)));
            m_out.push_back(char(0x80 | (u & 0x3F)));
        } else if ((c >= 0xDC00 && c < 0xE000) || c >= 0xFFFE) {
            continue; // a low surrogate alone, or not a character
        } else {
            m_out.push_back(char(0xE0 | (c >> 12)));
            m_out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            m_out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
}

} // namespace word
