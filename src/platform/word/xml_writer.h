#pragma once
// Writes XML straight into UTF-8 bytes, for the parts of a .docx: no
// device, no encoder, no namespace bookkeeping (the caller gives qualified
// names such as "w:p" and declares the prefixes on the root).
//
//   std::string out;
//   XmlWriter x(out);
//   x.start("w:p");
//   x.empty("w:jc"); x.attribute("w:val", "left");
//   x.start("w:t"); x.text(QStringLiteral("a < b")); x.end();
//   x.end();            // <w:p><w:jc w:val="left"/><w:t>a &lt; b</w:t></w:p>
//
// An element left without content is closed as an empty one ("<w:p/>").
// Text and attribute values are escaped (&, <, >, "; in attribute values
// also TAB, LF and CR as character references); a character that XML 1.0
// does not allow (a C0 control other than TAB, LF and CR, U+FFFE, U+FFFF,
// an unpaired surrogate) is left out, so that the part stays well-formed.

#include <QStringView>
#include <string>
#include <vector>

namespace word {

class XmlWriter {
public:
    explicit XmlWriter(std::string &out) : m_out(out) {}

    // <?xml version="1.0" encoding="UTF-8" standalone="yes"?>
    void declaration();
    // An element that gets content or attributes next, until end().
    void start(const char *name);
    // An element without content; attributes may follow.
    void empty(const char *name);
    // An attribute of the element just started: a value that needs no
    // escaping (ASCII names and numbers), a text, or a whole number.
    void attribute(const char *name, const char *plainValue);
    void attribute(const char *name, QStringView value);
    void number(const char *name, long long value);
    void text(QStringView text);
    // Closes the innermost element started.
    void end();
    // Closes every element still open.
    void finish();

private:
    void closeTag();
    void escaped(QStringView s, bool attribute);

    std::string &m_out;
    std::vector<const char *> m_open;
    enum class Pending { None, Start, Empty } m_pending = Pending::None;
};

} // namespace word
