// XML straight into UTF-8 bytes.

#include "platform/word/xml_writer.h"

#include <algorithm>
#include <charconv>
#include <new>

namespace word {

void XmlWriter::grow(size_t n)
{
    // realloc() moves a large buffer by remapping its pages, not copying.
    const size_t capacity = std::max({2 * m_capacity, m_size + n, size_t(4096)});
    char *grown = static_cast<char *>(std::realloc(m_buffer.data.get(), capacity));
    if (!grown)
        throw std::bad_alloc();
    (void)m_buffer.data.release();
    m_buffer.data.reset(grown);
    m_capacity = capacity;
}

MallocBytes XmlWriter::release()
{
    MallocBytes out = std::move(m_buffer);
    out.size = m_size;
    m_buffer = MallocBytes();
    m_capacity = m_size = 0;
    return out;
}

void XmlWriter::attribute(const char *name, QStringView value)
{
    const size_t n = std::strlen(name);
    char *o = room(n + 3);
    *o++ = ' ';
    std::memcpy(o, name, n);
    o += n;
    *o++ = '=';
    *o = '"';
    m_size += n + 3;
    escaped(value, true);
    *room(1) = '"';
    m_size += 1;
}

void XmlWriter::number(const char *name, long long value)
{
    char digits[24];
    const auto r = std::to_chars(digits, digits + sizeof digits, value);
    const size_t n = std::strlen(name), v = size_t(r.ptr - digits);
    char *o = room(n + v + 4);
    *o++ = ' ';
    std::memcpy(o, name, n);
    o += n;
    *o++ = '=';
    *o++ = '"';
    std::memcpy(o, digits, v);
    o[v] = '"';
    m_size += n + v + 4;
}

void XmlWriter::escaped(QStringView s, bool attribute)
{
    const char16_t *p = s.utf16();
    const char16_t *const stop = p + s.size();
    // Each UTF-16 unit takes at most three bytes of UTF-8, an escape six.
    char *const begin = room(6 * size_t(s.size()));
    char *o = begin;
    auto put = [&o](const char *lit, size_t n) {
        std::memcpy(o, lit, n);
        o += n;
    };
    while (p < stop) {
        const char32_t c = *p++;
        if (c < 0x80) {
            switch (c) {
            case '<':
                put("&lt;", 4);
                break;
            case '>':
                put("&gt;", 4);
                break;
            case '&':
                put("&amp;", 5);
                break;
            case '"':
                put("&quot;", 6);
                break;
            case '\t':
                attribute ? put("&#9;", 4) : put("\t", 1);
                break;
            case '\n':
                attribute ? put("&#10;", 5) : put("\n", 1);
                break;
            case '\r':
                attribute ? put("&#13;", 5) : put("\r", 1);
                break;
            default:
                if (c >= 0x20)
                    *o++ = char(c);
            }
        } else if (c < 0x800) {
            *o++ = char(0xC0 | (c >> 6));
            *o++ = char(0x80 | (c & 0x3F));
        } else if (c >= 0xD800 && c < 0xDC00) {
            if (p == stop || *p < 0xDC00 || *p >= 0xE000)
                continue; // a high surrogate without its low one
            const char32_t u = 0x10000 + ((c - 0xD800) << 10) + (char32_t(*p++) - 0xDC00);
            *o++ = char(0xF0 | (u >> 18));
            *o++ = char(0x80 | ((u >> 12) & 0x3F));
            *o++ = char(0x80 | ((u >> 6) & 0x3F));
            *o++ = char(0x80 | (u & 0x3F));
        } else if ((c >= 0xDC00 && c < 0xE000) || c >= 0xFFFE) {
            continue; // a low surrogate alone, or not a character
        } else {
            *o++ = char(0xE0 | (c >> 12));
            *o++ = char(0x80 | ((c >> 6) & 0x3F));
            *o++ = char(0x80 | (c & 0x3F));
        }
    }
    m_size += size_t(o - begin);
}

} // namespace word
