// Writing the document model as an Office Open XML package, and saving it
// beside its target before it takes the target's place.

#include "platform/word/document.h"
#include "platform/word/protection.h"

#include "platform/core/error.h"
#include "platform/core/file_error_text.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QXmlStreamWriter>
#include <cmath>
#include <zip.h>

namespace word {

namespace {

const QString W = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString R = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

QString twips(float points) { return QString::number(std::lround(double(points) * 20.0)); }

class PartWriter {
public:
    PartWriter() : x(&bytes)
    {
        x.setAutoFormatting(false);
        x.writeStartDocument(QStringLiteral("1.0"), true);
    }
    QByteArray finish()
    {
        x.writeEndDocument();
        return bytes;
    }
    void root(const QString &name)
    {
        x.writeNamespace(W, QStringLiteral("w"));
        x.writeNamespace(R, QStringLiteral("r"));
        x.writeStartElement(W, name);
    }
    void val(const QString &name, const QString &value)
    {
        x.writeEmptyElement(W, name);
        x.writeAttribute(W, QStringLiteral("val"), value);
    }
    void flag(const QString &name, bool on)
    {
        x.writeEmptyElement(W, name);
        if (!on)
            x.writeAttribute(W, QStringLiteral("val"), QStringLiteral("0"));
    }

    void runProperties(const Font &f)
    {
        x.writeStartElement(W, QStringLiteral("rPr"));
        x.writeEmptyElement(W, QStringLiteral("rFonts"));
        for (const char *a : {"ascii", "hAnsi", "cs"})
            x.writeAttribute(W, QString::fromLatin1(a), f.Name);
        flag(QStringLiteral("b"), f.Bold);
        flag(QStringLiteral("bCs"), f.Bold);
        flag(QStringLiteral("i"), f.Italic);
        flag(QStringLiteral("iCs"), f.Italic);
        const QString half = QString::number(std::lround(double(f.Size) * 2.0));
        val(QStringLiteral("sz"), half);
        val(QStringLiteral("szCs"), half);
        val(QStringLiteral("u"), f.Underline ? QStringLiteral("single") : QStringLiteral("none"));
        x.writeEndElement();
    }

    void paragraphProperties(const ParagraphFormat &p, const PageSetup *endsSection, const Font *markFont,
                             const std::vector<QString> *sectionRefs)
    {
        x.writeStartElement(W, QStringLiteral("pPr"));
        if (p.KeepWithNext)
            x.writeEmptyElement(W, QStringLiteral("keepNext"));
        if (!p.TabStops.items().empty()) {
            x.writeStartElement(W, QStringLiteral("tabs"));
            for (const TabStop &t : p.TabStops.items()) {
                x.writeEmptyElement(W, QStringLiteral("tab"));
                x.writeAttribute(W, QStringLiteral("val"),
                                 t.Alignment == wdAlignTabRight    ? QStringLiteral("right")
                                 : t.Alignment == 1                ? QStringLiteral("center")
                                                                   : QStringLiteral("left"));
                if (t.Leader == 1)
                    x.writeAttribute(W, QStringLiteral("leader"), QStringLiteral("dot"));
                x.writeAttribute(W, QStringLiteral("pos"), twips(t.Position));
            }
            x.writeEndElement();
        }
        val(QStringLiteral("jc"), p.Alignment == wdAlignParagraphRight    ? QStringLiteral("right")
                                  : p.Alignment == wdAlignParagraphCenter ? QStringLiteral("center")
                                                                          : QStringLiteral("left"));
        if (markFont)
            runProperties(*markFont);
        if (endsSection)
            section(*endsSection, sectionRefs);
        x.writeEndElement();
    }

    void section(const PageSetup &s, const std::vector<QString> *refs)
    {
        x.writeStartElement(W, QStringLiteral("sectPr"));
        if (refs && refs->size() == 2) {
            x.writeEmptyElement(W, QStringLiteral("headerReference"));
            x.writeAttribute(W, QStringLiteral("type"), QStringLiteral("default"));
            x.writeAttribute(R, QStringLiteral("id"), (*refs)[0]);
            x.writeEmptyElement(W, QStringLiteral("footerReference"));
            x.writeAttribute(W, QStringLiteral("type"), QStringLiteral("default"));
            x.writeAttribute(R, QStringLiteral("id"), (*refs)[1]);
        }
        val(QStringLiteral("type"), s.SectionStart == wdSectionNewPage ? QStringLiteral("nextPage")
                                    : s.SectionStart == 0              ? QStringLiteral("continuous")
                                                                       : QStringLiteral("nextPage"));
        x.writeEmptyElement(W, QStringLiteral("pgSz"));
        x.writeAttribute(W, QStringLiteral("w"), twips(s.PageWidth));
        x.writeAttribute(W, QStringLiteral("h"), twips(s.PageHeight));
        if (s.Orientation == wdOrientLandscape)
            x.writeAttribute(W, QStringLiteral("orient"), QStringLiteral("landscape"));
        x.writeEmptyElement(W, QStringLiteral("pgMar"));
        x.writeAttribute(W, QStringLiteral("top"), twips(s.TopMargin));
        x.writeAttribute(W, QStringLiteral("right"), twips(s.RightMargin));
        x.writeAttribute(W, QStringLiteral("bottom"), twips(s.BottomMargin));
        x.writeAttribute(W, QStringLiteral("left"), twips(s.LeftMargin));
        x.writeAttribute(W, QStringLiteral("header"), twips(s.HeaderDistance));
        x.writeAttribute(W, QStringLiteral("footer"), twips(s.FooterDistance));
        x.writeAttribute(W, QStringLiteral("gutter"), QStringLiteral("0"));
        val(QStringLiteral("vAlign"), s.VerticalAlignment == 1   ? QStringLiteral("center")
                                      : s.VerticalAlignment == 3 ? QStringLiteral("both")
                                      : s.VerticalAlignment == 2 ? QStringLiteral("bottom")
                                                                 : QStringLiteral("top"));
        x.writeEndElement();
    }

    void textRun(const Font &f, const QString &text)
    {
        x.writeStartElement(W, QStringLiteral("r"));
        runProperties(f);
        x.writeStartElement(W, QStringLiteral("t"));
        x.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        x.writeCharacters(text);
        x.writeEndElement();
        x.writeEndElement();
    }

    void markRun(const Font &f, const QString &element, const QString &type = QString())
    {
        x.writeStartElement(W, QStringLiteral("r"));
        runProperties(f);
        x.writeEmptyElement(W, element);
        if (!type.isEmpty())
            x.writeAttribute(W, QStringLiteral("type"), type);
        x.writeEndElement();
    }

    void fieldChar(const Font &f, const QString &type)
    {
        x.writeStartElement(W, QStringLiteral("r"));
        runProperties(f);
        x.writeEmptyElement(W, QStringLiteral("fldChar"));
        x.writeAttribute(W, QStringLiteral("fldCharType"), type);
        if (type == QLatin1String("begin"))
            x.writeAttribute(W, QStringLiteral("dirty"), QStringLiteral("true"));
        x.writeEndElement();
    }

    void paragraph(const Paragraph &p, const PageSetup *endsSection, const std::vector<QString> *refs)
    {
        x.writeStartElement(W, QStringLiteral("p"));
        paragraphProperties(p.format, endsSection, p.runs.empty() ? nullptr : &p.runs.back().font, refs);
        for (const Run &r : p.runs) {
            switch (r.kind) {
            case Run::Kind::Text:
                textRun(r.font, r.text);
                break;
            case Run::Kind::Tab:
                markRun(r.font, QStringLiteral("tab"));
                break;
            case Run::Kind::LineBreak:
                markRun(r.font, QStringLiteral("br"));
                break;
            case Run::Kind::PageBreak:
                markRun(r.font, QStringLiteral("br"), QStringLiteral("page"));
                break;
            case Run::Kind::Field:
                fieldChar(r.font, QStringLiteral("begin"));
                x.writeStartElement(W, QStringLiteral("r"));
                runProperties(r.font);
                x.writeStartElement(W, QStringLiteral("instrText"));
                x.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
                x.writeCharacters(r.text);
                x.writeEndElement();
                x.writeEndElement();
                fieldChar(r.font, QStringLiteral("separate"));
                textRun(r.font, r.fieldResult);
                fieldChar(r.font, QStringLiteral("end"));
                break;
            }
        }
        x.writeEndElement();
    }

    void border(const QString &name, const Border &b)
    {
        x.writeEmptyElement(W, name);
        if (!b.Visible || b.LineStyle == wdLineStyleNone) {
            x.writeAttribute(W, QStringLiteral("val"), QStringLiteral("nil"));
            return;
        }
        x.writeAttribute(W, QStringLiteral("val"), QStringLiteral("single"));
        x.writeAttribute(W, QStringLiteral("sz"), QString::number(b.LineWidth));
        x.writeAttribute(W, QStringLiteral("space"), QStringLiteral("0"));
        x.writeAttribute(W, QStringLiteral("color"), QStringLiteral("000000"));
    }

    void table(const Table &t)
    {
        x.writeStartElement(W, QStringLiteral("tbl"));
        x.writeStartElement(W, QStringLiteral("tblPr"));
        float total = 0;
        for (float w : t.widths())
            total += w;
        x.writeEmptyElement(W, QStringLiteral("tblW"));
        x.writeAttribute(W, QStringLiteral("w"), twips(total));
        x.writeAttribute(W, QStringLiteral("type"), QStringLiteral("dxa"));
        x.writeStartElement(W, QStringLiteral("tblBorders"));
        border(QStringLiteral("top"), t.OutsideTop);
        border(QStringLiteral("left"), t.OutsideLeft);
        border(QStringLiteral("bottom"), t.OutsideBottom);
        border(QStringLiteral("right"), t.OutsideRight);
        border(QStringLiteral("insideH"), t.InsideHorizontal);
        border(QStringLiteral("insideV"), t.InsideVertical);
        x.writeEndElement();
        x.writeEmptyElement(W, QStringLiteral("tblLayout"));
        x.writeAttribute(W, QStringLiteral("type"), QStringLiteral("fixed"));
        x.writeEndElement();
        x.writeStartElement(W, QStringLiteral("tblGrid"));
        for (float w : t.widths()) {
            x.writeEmptyElement(W, QStringLiteral("gridCol"));
            x.writeAttribute(W, QStringLiteral("w"), twips(w));
        }
        x.writeEndElement();
        for (const Row &row : t.rows()) {
            x.writeStartElement(W, QStringLiteral("tr"));
            x.writeStartElement(W, QStringLiteral("trPr"));
            if (row.HeightRule != wdRowHeightAuto && row.Height > 0) {
                x.writeEmptyElement(W, QStringLiteral("trHeight"));
                x.writeAttribute(W, QStringLiteral("val"), twips(row.Height));
                x.writeAttribute(W, QStringLiteral("hRule"),
                                 row.HeightRule == wdRowHeightAtLeast ? QStringLiteral("atLeast")
                                                                      : QStringLiteral("exact"));
            }
            if (row.HeadingFormat)
                x.writeEmptyElement(W, QStringLiteral("tblHeader"));
            x.writeEndElement();
            int grid = 0;
            for (const Cell &c : row.cells) {
                float w = 0;
                for (int k = 0; k < c.span && grid + k < int(t.widths().size()); ++k)
                    w += t.widths()[size_t(grid + k)];
                grid += c.span;
                x.writeStartElement(W, QStringLiteral("tc"));
                x.writeStartElement(W, QStringLiteral("tcPr"));
                x.writeEmptyElement(W, QStringLiteral("tcW"));
                x.writeAttribute(W, QStringLiteral("w"), twips(w));
                x.writeAttribute(W, QStringLiteral("type"), QStringLiteral("dxa"));
                if (c.span > 1)
                    val(QStringLiteral("gridSpan"), QString::number(c.span));
                if (row.top.Visible || row.bottom.Visible) {
                    x.writeStartElement(W, QStringLiteral("tcBorders"));
                    if (row.top.Visible)
                        border(QStringLiteral("top"), row.top);
                    if (row.bottom.Visible)
                        border(QStringLiteral("bottom"), row.bottom);
                    x.writeEndElement();
                }
                val(QStringLiteral("vAlign"), c.VerticalAlignment == wdCellAlignVerticalBottom ? QStringLiteral("bottom")
                                              : c.VerticalAlignment == 1 ? QStringLiteral("center")
                                                                         : QStringLiteral("top"));
                x.writeEndElement();
                const QStringList paras = c.Text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
                for (const QString &text : paras) {
                    x.writeStartElement(W, QStringLiteral("p"));
                    paragraphProperties(c.ParagraphFormat, nullptr, &c.Font, nullptr);
                    const QStringList pieces = text.split(QLatin1Char('\t'));
                    for (qsizetype k = 0; k < pieces.size(); ++k) {
                        if (k > 0)
                            markRun(c.Font, QStringLiteral("tab"));
                        if (!pieces[k].isEmpty())
                            textRun(c.Font, pieces[k]);
                    }
                    x.writeEndElement();
                }
                x.writeEndElement();
            }
            x.writeEndElement();
        }
        x.writeEndElement();
    }

    void blocks(const std::vector<Block> &list, const std::vector<PageSetup> *sections,
                const std::vector<QString> *refs)
    {
        for (const Block &b : list) {
            if (b.table) {
                table(*b.table);
            } else if (b.paragraph) {
                const int s = b.paragraph->endsSection;
                const PageSetup *ends = sections && s >= 0 && s < int(sections->size()) ? &(*sections)[size_t(s)]
                                                                                         : nullptr;
                paragraph(*b.paragraph, ends, s == 0 ? refs : nullptr);
            }
        }
    }

    QByteArray bytes;
    QXmlStreamWriter x;
};

QByteArray storyPart(const QString &root, const Story &story)
{
    PartWriter p;
    p.root(root);
    p.blocks(story.blocks, nullptr, nullptr);
    if (story.blocks.empty())
        p.paragraph(Paragraph{}, nullptr, nullptr);
    p.x.writeEndElement();
    return p.finish();
}

QByteArray documentPart(const Document &doc, const std::vector<PageSetup> &sections)
{
    const std::vector<QString> refs = {QStringLiteral("rIdHeader1"), QStringLiteral("rIdFooter1")};
    PartWriter p;
    p.root(QStringLiteral("document"));
    p.x.writeStartElement(W, QStringLiteral("body"));
    p.blocks(const_cast<Document &>(doc).MainStory().blocks, &sections, &refs);
    p.section(sections.back(), sections.size() == 1 ? &refs : nullptr);
    p.x.writeEndElement();
    p.x.writeEndElement();
    return p.finish();
}

QByteArray settingsPart(const Document &doc)
{
    PartWriter p;
    p.root(QStringLiteral("settings"));
    const Protection &prot = doc.protection();
    if (prot.type >= 0) {
        static const char *const edits[] = {"trackedChanges", "comments", "forms", "readOnly"};
        p.x.writeEmptyElement(W, QStringLiteral("documentProtection"));
        p.x.writeAttribute(W, QStringLiteral("edit"), QString::fromLatin1(edits[prot.type]));
        p.x.writeAttribute(W, QStringLiteral("enforcement"), QStringLiteral("1"));
        if (!prot.password.isEmpty()) {
            const QByteArray salt = protectionSalt();
            p.x.writeAttribute(W, QStringLiteral("cryptProviderType"), QStringLiteral("rsaFull"));
            p.x.writeAttribute(W, QStringLiteral("cryptAlgorithmClass"), QStringLiteral("hash"));
            p.x.writeAttribute(W, QStringLiteral("cryptAlgorithmType"), QStringLiteral("typeAny"));
            p.x.writeAttribute(W, QStringLiteral("cryptAlgorithmSid"), QStringLiteral("4"));
            p.x.writeAttribute(W, QStringLiteral("cryptSpinCount"), QString::number(kProtectionSpinCount));
            p.x.writeAttribute(W, QStringLiteral("hash"),
                               QString::fromLatin1(protectionHash(prot.password, salt).toBase64()));
            p.x.writeAttribute(W, QStringLiteral("salt"), QString::fromLatin1(salt.toBase64()));
        }
    }
    p.val(QStringLiteral("defaultTabStop"), QStringLiteral("709"));
    p.x.writeEndElement();
    return p.finish();
}

QByteArray stylesPart()
{
    PartWriter p;
    p.root(QStringLiteral("styles"));
    p.x.writeStartElement(W, QStringLiteral("docDefaults"));
    p.x.writeStartElement(W, QStringLiteral("rPrDefault"));
    p.runProperties(Font{});
    p.x.writeEndElement();
    p.x.writeStartElement(W, QStringLiteral("pPrDefault"));
    p.x.writeStartElement(W, QStringLiteral("pPr"));
    p.x.writeEmptyElement(W, QStringLiteral("spacing"));
    p.x.writeAttribute(W, QStringLiteral("after"), QStringLiteral("0"));
    p.x.writeAttribute(W, QStringLiteral("line"), QStringLiteral("240"));
    p.x.writeAttribute(W, QStringLiteral("lineRule"), QStringLiteral("auto"));
    p.x.writeEndElement();
    p.x.writeEndElement();
    p.x.writeEndElement();
    p.x.writeStartElement(W, QStringLiteral("style"));
    p.x.writeAttribute(W, QStringLiteral("type"), QStringLiteral("paragraph"));
    p.x.writeAttribute(W, QStringLiteral("default"), QStringLiteral("1"));
    p.x.writeAttribute(W, QStringLiteral("styleId"), QStringLiteral("Normal"));
    p.val(QStringLiteral("name"), QStringLiteral("Normal"));
    p.x.writeEndElement();
    p.x.writeEndElement();
    return p.finish();
}

QByteArray contentTypes()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/word/document.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
        "<Override PartName=\"/word/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
        "<Override PartName=\"/word/settings.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
        "<Override PartName=\"/word/header1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml\"/>"
        "<Override PartName=\"/word/footer1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml\"/>"
        "</Types>");
}

QByteArray packageRels()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
        "Target=\"word/document.xml\"/>"
        "</Relationships>");
}

QByteArray documentRels()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rIdStyles\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
        "<Relationship Id=\"rIdSettings\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" "
        "Target=\"settings.xml\"/>"
        "<Relationship Id=\"rIdHeader1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/header\" Target=\"header1.xml\"/>"
        "<Relationship Id=\"rIdFooter1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer\" Target=\"footer1.xml\"/>"
        "</Relationships>");
}

[[noreturn]] void saveError(const QString &fileName, const QString &reason)
{
    throw platform::Error(kErrSaveFailed,
                          QStringLiteral("Het document kan niet worden opgeslagen als \"") + fileName
                              + QStringLiteral("\"") + platform::inParentheses(reason) + QStringLiteral("."),
                          QStringLiteral("SaveAs"));
}

// A zip archive built in memory.
class ZipBuffer {
public:
    ZipBuffer()
    {
        zip_error_t error;
        zip_error_init(&error);
        m_source = zip_source_buffer_create(nullptr, 0, 0, &error);
        if (m_source)
            m_zip = zip_open_from_source(m_source, ZIP_TRUNCATE, &error);
        zip_error_fini(&error);
        if (!m_zip)
            throw platform::Error(kErrSaveFailed, QStringLiteral("Het documentpakket kan niet worden gemaakt."),
                                  QStringLiteral("SaveAs"));
        zip_source_keep(m_source);
    }
    ~ZipBuffer()
    {
        if (m_zip)
            zip_discard(m_zip);
        if (m_source)
            zip_source_free(m_source);
    }
    ZipBuffer(const ZipBuffer &) = delete;
    ZipBuffer &operator=(const ZipBuffer &) = delete;

    void add(const char *name, const QByteArray &data)
    {
        m_parts.push_back(data);
        const QByteArray &kept = m_parts.back();
        zip_source_t *s = zip_source_buffer(m_zip, kept.constData(), zip_uint64_t(kept.size()), 0);
        if (!s || zip_file_add(m_zip, name, s, ZIP_FL_ENC_UTF_8) < 0) {
            if (s)
                zip_source_free(s);
            fail();
        }
    }

    QByteArray finish()
    {
        if (zip_close(m_zip) < 0)
            fail();
        m_zip = nullptr;
        QByteArray out;
        zip_stat_t st;
        if (zip_source_stat(m_source, &st) < 0 || zip_source_open(m_source) < 0)
            fail();
        out.resize(qsizetype(st.size));
        const zip_int64_t n = zip_source_read(m_source, out.data(), st.size);
        zip_source_close(m_source);
        if (n < 0 || zip_uint64_t(n) != st.size)
            fail();
        return out;
    }

private:
    [[noreturn]] void fail()
    {
        throw platform::Error(kErrSaveFailed, QStringLiteral("Het documentpakket kan niet worden gemaakt."),
                              QStringLiteral("SaveAs"));
    }
    zip_source_t *m_source = nullptr;
    zip_t *m_zip = nullptr;
    std::deque<QByteArray> m_parts;
};

} // namespace

QByteArray Document::toDocx() const
{
    ZipBuffer zip;
    zip.add("[Content_Types].xml", contentTypes());
    zip.add("_rels/.rels", packageRels());
    zip.add("word/_rels/document.xml.rels", documentRels());
    zip.add("word/document.xml", documentPart(*this, m_sections));
    zip.add("word/styles.xml", stylesPart());
    zip.add("word/settings.xml", settingsPart(*this));
    zip.add("word/header1.xml", storyPart(QStringLiteral("hdr"), m_header));
    zip.add("word/footer1.xml", storyPart(QStringLiteral("ftr"), m_footer));
    return zip.finish();
}

void Document::SaveAs(const QString &fileName)
{
    const QByteArray package = toDocx();
    if (QFileInfo(fileName).isDir())
        saveError(fileName, QStringLiteral("dit is een map"));
    // Unbuffered, so that a short write (a full disk, a size limit) shows
    // in the count that write returns rather than in a flush that may pass.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        saveError(fileName, platform::dutchFileError(file));
    if (file.write(package) != package.size()) {
        const QString reason = file.error() == QFileDevice::NoError ? QStringLiteral("schrijven onvolledig")
                                                                    : platform::dutchFileError(file);
        file.cancelWriting();
        saveError(fileName, reason);
    }
    if (!file.commit())
        saveError(fileName, platform::dutchFileError(file));
}

} // namespace word
