#pragma once
// Writes XML straight into UTF-8 bytes, for the parts of a .docx: no
// device, no encoder, no namespace bookkeeping (the caller gives qualified
// names such as "w:p" and declares the prefixes on the root).
//
//   XmlWriter x;
//   x.start("w:p");
//   x.empty("w:jc"); x.attribute("w:val", "left");
//   x.start("w:t"); x.text(QStringLiteral("a < b")); x.end();
//   x.finish();   // x.bytes(): <w:p><w:jc w:val="left"/><w:t>a &lt; b</w:t></w:p>
//
// An element left without content is closed as an empty one ("<w:p/>").
// Text and attribute values are escaped (&, <, >, "; in attribute values
// also TAB, LF and CR as character references); a character that XML 1.0
// does not allow (a C0 control other than TAB, LF and CR, U+FFFE, U+FFFF,
// an unpaired surrogate) is left out, so that the part stays well-formed.
//
// Names and plain values are C strings that live as long as the writer
// (string literals); the calls are inline, so that their lengths are known
// where they are literals.

#include <QByteArray>
#include <QStringView>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace word {

// Bytes in a buffer from malloc(), let go with free() by whoever holds them.
struct MallocBytes {
    std::unique_ptr<char, void (*)(void *)> data{nullptr, std::free};
    size_t size = 0;
};

class XmlWriter {
public:
    XmlWriter() = default;
    XmlWriter(const XmlWriter &) = delete;
    XmlWriter &operator=(const XmlWriter &) = delete;

    // <?xml version="1.0" encoding="UTF-8" standalone="yes"?>
    void declaration() { raw("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"); }
    // An element that gets content or attributes next, until end().
    void start(const char *name)
    {
        const size_t n = std::strlen(name);
        closeTag();
        char *o = room(n + 1);
        *o++ = '<';
        std::memcpy(o, name, n);
        m_size += n + 1;
        m_open.push_back({name, n});
        m_pending = Pending::Start;
    }
    // An element without content; attributes may follow.
    void empty(const char *name)
    {
        const size_t n = std::strlen(name);
        closeTag();
        char *o = room(n + 1);
        *o++ = '<';
        std::memcpy(o, name, n);
        m_size += n + 1;
        m_pending = Pending::Empty;
    }
    // An attribute of the element just started: a value that needs no
    // escaping (ASCII names and numbers), a text, or a whole number.
    void attribute(const char *name, const char *plainValue)
    {
        const size_t n = std::strlen(name), v = std::strlen(plainValue);
        char *o = room(n + v + 4);
        *o++ = ' ';
        std::memcpy(o, name, n);
        o += n;
        *o++ = '=';
        *o++ = '"';
        std::memcpy(o, plainValue, v);
        o[v] = '"';
        m_size += n + v + 4;
    }
    void attribute(const char *name, QStringView value);
    void number(const char *name, long long value);
    void text(QStringView text)
    {
        closeTag();
        escaped(text, false);
    }
    // Closes the innermost element started.
    void end()
    {
        const Open e = m_open.back();
        m_open.pop_back();
        if (m_pending == Pending::Start) {
            m_pending = Pending::None;
            std::memcpy(room(2), "/>", 2);
            m_size += 2;
            return;
        }
        closeTag();
        char *o = room(e.size + 3);
        *o++ = '<';
        *o++ = '/';
        std::memcpy(o, e.name, e.size);
        o[e.size] = '>';
        m_size += e.size + 3;
    }
    // Closes every element still open.
    void finish()
    {
        while (!m_open.empty())
            end();
        closeTag();
    }
    // Bytes as they are, with no escaping.
    void raw(const char *bytes)
    {
        const size_t n = std::strlen(bytes);
        std::memcpy(room(n), bytes, n);
        m_size += n;
    }

    // What has been written.
    QByteArray bytes() const { return QByteArray(m_buffer.data.get(), qsizetype(m_size)); }
    // What has been written, handed over without a copy; the writer is
    // empty after it.
    MallocBytes release();

private:
    struct Open {
        const char *name;
        size_t size;
    };
    enum class Pending { None, Start, Empty };

    // Where `n` more bytes can go; the caller adds them to m_size.
    char *room(size_t n)
    {
        if (m_capacity - m_size < n)
            grow(n);
        return m_buffer.data.get() + m_size;
    }
    void grow(size_t n);
    void closeTag()
    {
        if (m_pending == Pending::None)
            return;
        if (m_pending == Pending::Start) {
            *room(1) = '>';
            m_size += 1;
        } else {
            std::memcpy(room(2), "/>", 2);
            m_size += 2;
        }
        m_pending = Pending::None;
    }
    void escaped(QStringView s, bool attribute);

    MallocBytes m_buffer; // m_capacity bytes, written up to m_size
    size_t m_capacity = 0;
    size_t m_size = 0;
    std::vector<Open> m_open;
    Pending m_pending = Pending::None;
};

} // namespace word
