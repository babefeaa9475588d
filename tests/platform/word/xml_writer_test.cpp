// The XML of the .docx parts: well-formed whatever the text, escaped, in
// UTF-8.

#include "platform/word/xml_writer.h"

#include <QString>
#include <gtest/gtest.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using word::XmlWriter;

TEST(XmlWriter, ElementsCloseAsEmptyOnesWhenNothingWasWrittenInThem)
{
    XmlWriter x;
    x.declaration();
    x.start("w:p");
    x.start("w:pPr");
    x.end();
    x.empty("w:jc");
    x.attribute("w:val", "left");
    x.number("w:pos", -1234567890123LL);
    x.start("w:r");
    x.start("w:t");
    x.text(QString());
    x.text(QStringLiteral("x"));
    x.finish();
    EXPECT_EQ(x.bytes(), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                                    "<w:p><w:pPr/><w:jc w:val=\"left\" w:pos=\"-1234567890123\"/>"
                                    "<w:r><w:t>x</w:t></w:r></w:p>"));
}

TEST(XmlWriter, ALongPartKeepsEveryByteAsItGrows)
{
    // Many small texts and, halfway, one of 200 kB: more than twice the
    // buffer that the 46 kB before it needed, so the buffer has to grow by
    // what is asked, not only by doubling.
    XmlWriter x;
    QByteArray expected;
    x.start("w:body");
    expected += "<w:body>";
    const QString big(100000, QChar(0x00e9));
    for (int i = 0; i < 3000; ++i) {
        x.start("w:t");
        x.number("n", i);
        x.text(i == 1500 ? big : QStringLiteral("<%1>").arg(i));
        x.end();
        expected += "<w:t n=\"" + QByteArray::number(i) + "\">"
                    + (i == 1500 ? big.toUtf8() : "&lt;" + QByteArray::number(i) + "&gt;") + "</w:t>";
    }
    x.finish();
    expected += "</w:body>";
    EXPECT_EQ(x.bytes(), expected);
#ifdef __GLIBC__
    // And the buffer handed over is as large as what it holds.
    const word::MallocBytes out = x.release();
    EXPECT_GE(malloc_usable_size(out.data.get()), out.size);
#endif
}

TEST(XmlWriter, TextIsEscapedInUtf8AndWhatXmlCannotHoldIsLeftOut)
{
    struct Case {
        QString text;
        const char *asText;
        const char *asAttribute;
    };
    const Case cases[] = {
        {QStringLiteral("a<b>c&d\"e'f"), "a&lt;b&gt;c&amp;d&quot;e'f", "a&lt;b&gt;c&amp;d&quot;e'f"},
        {QStringLiteral("1\t2\n3\r4"), "1\t2\n3\r4", "1&#9;2&#10;3&#13;4"},
        // Two, three and four bytes (a pair of surrogates).
        {QString::fromUtf8("\u00e9\u20ac\u2714\U0001F600"), "\xC3\xA9\xE2\x82\xAC\xE2\x9C\x94\xF0\x9F\x98\x80",
         "\xC3\xA9\xE2\x82\xAC\xE2\x9C\x94\xF0\x9F\x98\x80"},
        // Controls other than TAB, LF and CR, and the non-characters.
        {QString::fromUtf16(u"a\u0001b\u000Bc\u001Fd\uFFFEe\uFFFFf"), "abcdef", "abcdef"},
        // Surrogates without their other half: a high one at the end, one
        // before a letter, a low one alone.
        {QString::fromUtf16(u"x\xD83D") + QString::fromUtf16(u"y\xD83Dz\xDE00!"), "xyz!", "xyz!"},
        {QString(), "", ""},
    };
    for (const Case &c : cases) {
        XmlWriter t;
        t.text(c.text);
        EXPECT_EQ(t.bytes(), QByteArray(c.asText));
        XmlWriter a;
        a.empty("e");
        a.attribute("v", c.text);
        a.finish();
        EXPECT_EQ(a.bytes(), "<e v=\"" + QByteArray(c.asAttribute) + "\"/>");
    }
}

} // namespace
