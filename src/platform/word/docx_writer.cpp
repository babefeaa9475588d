// Writing the document model as an Office Open XML package, and saving it
// beside its target before it takes the target's place.

#include "platform/word/document.h"

#include "platform/os/replacing_file.h"
#include "platform/word/protection.h"
#include "platform/word/xml_writer.h"

#include "platform/core/error.h"
#include "platform/core/file_error_text.h"

#include <QFileInfo>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <future>
#include <zip.h>

namespace word {

namespace {

// The prefixes of the parts' namespaces, declared on every root.
const char *const kNamespaces = " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
                                " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

long twips(float points)
{
    return std::lround(double(points) * 20.0);
}
long halfPoints(float points)
{
    return std::lround(double(points) * 2.0);
}

// A paragraph whose last run is a line or page break: after it comes a
// line without text of its own, which LibreOffice sizes by the paragraph's
// style rather than by the run or the paragraph mark. Such a paragraph has
// a style of its own with the font of a new document (Font{}), so that the
// line keeps its height whatever the document's usual font.
bool endsInBreak(const Paragraph &p)
{
    return !p.runs.empty()
           && (p.runs.back().kind == Run::Kind::LineBreak || p.runs.back().kind == Run::Kind::PageBreak);
}

const char *const kBreakStyle = "AlineaMetEinde";

// What the styles say once for the whole document: the font that most of
// its text is in, the document's default, so that a run says only where it
// differs; and whether the style for paragraphs that end in a break is
// needed.
class DocumentFonts {
public:
    explicit DocumentFonts(std::initializer_list<const Story *> stories)
    {
        for (const Story *s : stories)
            count(*s);
    }
    // The font counted most often (the first of equals); Font{} when none.
    Font usual() const
    {
        const std::pair<Font, int> *best = nullptr;
        for (const auto &seen : m_seen)
            if (!best || seen.second > best->second)
                best = &seen;
        return best ? best->first : Font{};
    }
    bool breakStyle() const { return m_breakStyle; }

private:
    void count(const Font &f, int times = 1)
    {
        for (auto &[font, n] : m_seen)
            if (font == f) {
                n += times;
                return;
            }
        m_seen.push_back({f, times});
    }
    void count(const Story &story)
    {
        for (const Block &b : story.blocks) {
            if (b.paragraph) {
                const Paragraph &p = *b.paragraph;
                if (endsInBreak(p)) {
                    m_breakStyle = true;
                    continue; // said against the break style's font
                }
                // The mark says the font of the paragraph's last run.
                count(p.runs.empty() ? p.markFont : p.runs.back().font);
                for (const Run &r : p.runs)
                    count(r.font, r.kind == Run::Kind::Field ? 5 : 1);
            } else if (b.table) {
                for (const Row &row : b.table->rows())
                    for (const Cell &c : row.cells)
                        count(c.Font, c.Text.isEmpty() ? 1 : 2);
            }
        }
    }

    std::vector<std::pair<Font, int>> m_seen;
    bool m_breakStyle = false;
};

class PartWriter {
public:
    // `base`: the document's default font, which runs in it leave unsaid.
    explicit PartWriter(const Font &base) : m_usual(base), m_base(&m_usual) { x.declaration(); }
    MallocBytes finish()
    {
        x.finish();
        return x.release();
    }
    void root(const char *name)
    {
        x.start(name);
        x.raw(kNamespaces);
    }
    void val(const char *name, const char *value)
    {
        x.empty(name);
        x.attribute("w:val", value);
    }
    void val(const char *name, long value)
    {
        x.empty(name);
        x.number("w:val", value);
    }
    void flag(const char *name, bool on)
    {
        x.empty(name);
        if (!on)
            x.attribute("w:val", "0");
    }

    // The properties in which `f` differs from the font the run has without
    // them (the document's default, or in a paragraph that ends in a break
    // its style's); nothing when it differs in none.
    void runProperties(const Font &f) { runProperties(f, m_base, QString()); }
    // Every property of `f` (against no default), and the language.
    void defaultRunProperties(const Font &f, const QString &lang) { runProperties(f, nullptr, lang); }

    void runProperties(const Font &f, const Font *base, const QString &lang)
    {
        const bool name = !base || f.Name != base->Name;
        const bool bold = !base || f.Bold != base->Bold;
        const bool italic = !base || f.Italic != base->Italic;
        const long half = halfPoints(f.Size);
        const bool size = !base || half != halfPoints(base->Size);
        const bool underline = !base || f.Underline != base->Underline;
        if (!(name || bold || italic || size || underline || !lang.isEmpty()))
            return;
        x.start("w:rPr");
        if (name) {
            x.empty("w:rFonts");
            x.attribute("w:ascii", f.Name);
            x.attribute("w:hAnsi", f.Name);
            x.attribute("w:cs", f.Name);
        }
        if (bold) {
            flag("w:b", f.Bold);
            flag("w:bCs", f.Bold);
        }
        if (italic) {
            flag("w:i", f.Italic);
            flag("w:iCs", f.Italic);
        }
        if (size) {
            val("w:sz", half);
            val("w:szCs", half);
        }
        if (underline)
            val("w:u", f.Underline ? "single" : "none");
        if (!lang.isEmpty()) {
            x.empty("w:lang");
            x.attribute("w:val", lang);
            x.attribute("w:eastAsia", lang);
            x.attribute("w:bidi", lang);
        }
        x.end();
    }

    void paragraphProperties(const ParagraphFormat &p, const PageSetup *endsSection, const Font *markFont,
                             const std::vector<QString> *sectionRefs, bool breakStyle = false)
    {
        x.start("w:pPr");
        if (breakStyle)
            val("w:pStyle", kBreakStyle);
        if (p.KeepWithNext)
            x.empty("w:keepNext");
        if (!p.TabStops.items().empty()) {
            x.start("w:tabs");
            for (const TabStop &t : p.TabStops.items()) {
                x.empty("w:tab");
                x.attribute("w:val", t.Alignment == wdAlignTabRight ? "right" : t.Alignment == 1 ? "center" : "left");
                if (t.Leader == 1)
                    x.attribute("w:leader", "dot");
                x.number("w:pos", twips(t.Position));
            }
            x.end();
        }
        val("w:jc", p.Alignment == wdAlignParagraphRight    ? "right"
                    : p.Alignment == wdAlignParagraphCenter ? "center"
                                                            : "left");
        if (markFont)
            runProperties(*markFont);
        if (endsSection)
            section(*endsSection, sectionRefs);
        x.end();
    }

    void section(const PageSetup &s, const std::vector<QString> *refs)
    {
        x.start("w:sectPr");
        if (refs && refs->size() == 2) {
            x.empty("w:headerReference");
            x.attribute("w:type", "default");
            x.attribute("r:id", (*refs)[0]);
            x.empty("w:footerReference");
            x.attribute("w:type", "default");
            x.attribute("r:id", (*refs)[1]);
        }
        val("w:type", s.SectionStart == wdSectionNewPage ? "nextPage"
                      : s.SectionStart == 0              ? "continuous"
                                                         : "nextPage");
        x.empty("w:pgSz");
        x.number("w:w", twips(s.PageWidth));
        x.number("w:h", twips(s.PageHeight));
        if (s.Orientation == wdOrientLandscape)
            x.attribute("w:orient", "landscape");
        x.empty("w:pgMar");
        x.number("w:top", twips(s.TopMargin));
        x.number("w:right", twips(s.RightMargin));
        x.number("w:bottom", twips(s.BottomMargin));
        x.number("w:left", twips(s.LeftMargin));
        x.number("w:header", twips(s.HeaderDistance));
        x.number("w:footer", twips(s.FooterDistance));
        x.attribute("w:gutter", "0");
        val("w:vAlign", s.VerticalAlignment == 1   ? "center"
                        : s.VerticalAlignment == 3 ? "both"
                        : s.VerticalAlignment == 2 ? "bottom"
                                                   : "top");
        x.end();
    }

    void textRun(const Font &f, QStringView text)
    {
        x.start("w:r");
        runProperties(f);
        x.start("w:t");
        x.attribute("xml:space", "preserve");
        x.text(text);
        x.end();
        x.end();
    }

    void markRun(const Font &f, const char *element, const char *type = nullptr)
    {
        x.start("w:r");
        runProperties(f);
        x.empty(element);
        if (type)
            x.attribute("w:type", type);
        x.end();
    }

    void fieldChar(const Font &f, const char *type)
    {
        x.start("w:r");
        runProperties(f);
        x.empty("w:fldChar");
        // No field is marked dirty: a reader then keeps the stored result
        // until it updates fields itself, and Word does not ask to update
        // the fields of a protected report when it opens.
        x.attribute("w:fldCharType", type);
        x.end();
    }

    void paragraph(const Paragraph &p, const PageSetup *endsSection, const std::vector<QString> *refs)
    {
        x.start("w:p");
        const bool breakStyle = endsInBreak(p);
        m_base = breakStyle ? &m_breakFont : &m_usual;
        paragraphProperties(p.format, endsSection, p.runs.empty() ? &p.markFont : &p.runs.back().font, refs,
                            breakStyle);
        for (const Run &r : p.runs) {
            switch (r.kind) {
            case Run::Kind::Text:
                textRun(r.font, r.text);
                break;
            case Run::Kind::Tab:
                markRun(r.font, "w:tab");
                break;
            case Run::Kind::LineBreak:
                markRun(r.font, "w:br");
                break;
            case Run::Kind::PageBreak:
                markRun(r.font, "w:br", "page");
                break;
            case Run::Kind::Field:
                fieldChar(r.font, "begin");
                x.start("w:r");
                runProperties(r.font);
                x.start("w:instrText");
                x.attribute("xml:space", "preserve");
                x.text(r.text);
                x.end();
                x.end();
                fieldChar(r.font, "separate");
                textRun(r.font, r.fieldResult);
                fieldChar(r.font, "end");
                break;
            }
        }
        m_base = &m_usual;
        x.end();
    }

    void border(const char *name, const Border &b)
    {
        x.empty(name);
        if (!b.Visible || b.LineStyle == wdLineStyleNone) {
            x.attribute("w:val", "nil");
            return;
        }
        x.attribute("w:val", "single");
        x.number("w:sz", b.LineWidth);
        x.attribute("w:space", "0");
        x.attribute("w:color", "000000");
    }

    // One paragraph of a cell: its text with its tabs.
    void cellParagraph(const Cell &c, QStringView text)
    {
        x.start("w:p");
        paragraphProperties(c.ParagraphFormat, nullptr, &c.Font, nullptr);
        qsizetype from = 0;
        for (;;) {
            const qsizetype tab = text.indexOf(QLatin1Char('\t'), from);
            const QStringView piece = text.mid(from, (tab < 0 ? text.size() : tab) - from);
            if (!piece.isEmpty())
                textRun(c.Font, piece);
            if (tab < 0)
                break;
            markRun(c.Font, "w:tab");
            from = tab + 1;
        }
        x.end();
    }

    // A cell's text: CR LF, CR or LF ends a paragraph.
    void cellText(const Cell &c)
    {
        const QStringView text(c.Text);
        qsizetype from = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar ch = text[i];
            if (ch != QLatin1Char('\r') && ch != QLatin1Char('\n'))
                continue;
            cellParagraph(c, text.mid(from, i - from));
            if (ch == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            from = i + 1;
        }
        cellParagraph(c, text.mid(from));
    }

    void table(const Table &t)
    {
        x.start("w:tbl");
        x.start("w:tblPr");
        float total = 0;
        for (float w : t.widths())
            total += w;
        x.empty("w:tblW");
        x.number("w:w", twips(total));
        x.attribute("w:type", "dxa");
        x.start("w:tblBorders");
        border("w:top", t.OutsideTop);
        border("w:left", t.OutsideLeft);
        border("w:bottom", t.OutsideBottom);
        border("w:right", t.OutsideRight);
        border("w:insideH", t.InsideHorizontal);
        border("w:insideV", t.InsideVertical);
        x.end();
        x.empty("w:tblLayout");
        x.attribute("w:type", "fixed");
        x.end();
        x.start("w:tblGrid");
        for (float w : t.widths()) {
            x.empty("w:gridCol");
            x.number("w:w", twips(w));
        }
        x.end();
        for (const Row &row : t.rows()) {
            x.start("w:tr");
            x.start("w:trPr");
            if (!row.AllowBreakAcrossPages)
                x.empty("w:cantSplit");
            if (row.HeightRule != wdRowHeightAuto && row.Height > 0) {
                x.empty("w:trHeight");
                x.number("w:val", twips(row.Height));
                x.attribute("w:hRule", row.HeightRule == wdRowHeightAtLeast ? "atLeast" : "exact");
            }
            if (row.HeadingFormat)
                x.empty("w:tblHeader");
            x.end();
            int grid = 0;
            for (const Cell &c : row.cells) {
                float w = 0;
                for (int k = 0; k < c.span && grid + k < int(t.widths().size()); ++k)
                    w += t.widths()[size_t(grid + k)];
                grid += c.span;
                x.start("w:tc");
                x.start("w:tcPr");
                x.empty("w:tcW");
                x.number("w:w", twips(w));
                x.attribute("w:type", "dxa");
                if (c.span > 1)
                    val("w:gridSpan", long(c.span));
                if (row.top.Visible || row.bottom.Visible) {
                    x.start("w:tcBorders");
                    if (row.top.Visible)
                        border("w:top", row.top);
                    if (row.bottom.Visible)
                        border("w:bottom", row.bottom);
                    x.end();
                }
                val("w:vAlign", c.VerticalAlignment == wdCellAlignVerticalBottom ? "bottom"
                                : c.VerticalAlignment == 1                       ? "center"
                                                                                 : "top");
                x.end();
                cellText(c);
                x.end();
            }
            x.end();
        }
        x.end();
    }

    void blocks(const std::vector<Block> &list, const std::vector<PageSetup> *sections,
                const std::vector<QString> *refs)
    {
        for (const Block &b : list) {
            if (b.table) {
                table(*b.table);
            } else if (b.paragraph) {
                const int s = b.paragraph->endsSection;
                const PageSetup *ends =
                    sections && s >= 0 && s < int(sections->size()) ? &(*sections)[size_t(s)] : nullptr;
                paragraph(*b.paragraph, ends, s == 0 ? refs : nullptr);
            }
        }
    }

    XmlWriter x;

private:
    const Font m_usual;
    const Font m_breakFont{};
    // What the runs being written are said against: the usual font, or in a
    // paragraph that ends in a break the font of its style.
    const Font *m_base;
};

MallocBytes storyPart(const char *root, const Story &story, const Font &base)
{
    PartWriter p(base);
    p.root(root);
    p.blocks(story.blocks, nullptr, nullptr);
    if (story.blocks.empty())
        p.paragraph(Paragraph{}, nullptr, nullptr);
    return p.finish();
}

MallocBytes documentPart(const Document &doc, const std::vector<PageSetup> &sections, const Font &base)
{
    const std::vector<QString> refs = {QStringLiteral("rIdHeader1"), QStringLiteral("rIdFooter1")};
    PartWriter p(base);
    p.root("w:document");
    p.x.start("w:body");
    p.blocks(doc.MainStory().blocks, &sections, &refs);
    p.section(sections.back(), sections.size() == 1 ? &refs : nullptr);
    return p.finish();
}

MallocBytes settingsPart(const Protection &prot)
{
    PartWriter p{Font{}};
    p.root("w:settings");
    if (prot.type >= 0) {
        static const char *const edits[] = {"trackedChanges", "comments", "forms", "readOnly"};
        p.x.empty("w:documentProtection");
        p.x.attribute("w:edit", edits[prot.type]);
        p.x.attribute("w:enforcement", "1");
        if (!prot.password.isEmpty()) {
            const QByteArray salt = protectionSalt();
            p.x.attribute("w:cryptProviderType", "rsaFull");
            p.x.attribute("w:cryptAlgorithmClass", "hash");
            p.x.attribute("w:cryptAlgorithmType", "typeAny");
            p.x.attribute("w:cryptAlgorithmSid", "4");
            p.x.number("w:cryptSpinCount", kProtectionSpinCount);
            p.x.attribute("w:hash", protectionHash(prot.password, salt).toBase64().constData());
            p.x.attribute("w:salt", salt.toBase64().constData());
        }
    }
    p.val("w:defaultTabStop", "709");
    return p.finish();
}

MallocBytes stylesPart(const DocumentFonts &fonts)
{
    const Font base = fonts.usual();
    PartWriter p(base);
    p.root("w:styles");
    p.x.start("w:docDefaults");
    p.x.start("w:rPrDefault");
    // The document's usual font, and its language, Dutch: readers spell
    // dates (the DATE fields) and check spelling the Dutch way.
    p.defaultRunProperties(base, kDocumentLanguage);
    p.x.end();
    p.x.start("w:pPrDefault");
    p.x.start("w:pPr");
    // Widow and orphan control: a paragraph breaks over pages with at
    // least two lines on either side (Word's own default; without it in
    // the file, Word would leave single lines).
    p.x.empty("w:widowControl");
    p.x.empty("w:spacing");
    p.x.attribute("w:after", "0");
    p.x.attribute("w:line", "240");
    p.x.attribute("w:lineRule", "auto");
    p.x.end();
    p.x.end();
    p.x.end();
    p.x.start("w:style");
    p.x.attribute("w:type", "paragraph");
    p.x.attribute("w:default", "1");
    p.x.attribute("w:styleId", "Normal");
    p.val("w:name", "Normal");
    p.x.end();
    if (fonts.breakStyle()) {
        p.x.start("w:style");
        p.x.attribute("w:type", "paragraph");
        p.x.attribute("w:styleId", kBreakStyle);
        p.val("w:name", "Alinea met regel- of pagina-einde");
        p.val("w:basedOn", "Normal");
        p.defaultRunProperties(Font{}, QString());
        p.x.end();
    }
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

constexpr zip_uint32_t kDeflateLevel = 6;

// A zip archive built in memory: a new one, or a copy of `existing` to add
// to (its parts are then copied as they are, not compressed again).
class ZipBuffer {
public:
    explicit ZipBuffer(const QByteArray &existing = QByteArray())
    {
        // The source owns its bytes: it lets them go when it is written.
        MallocBytes bytes;
        if (!existing.isEmpty()) {
            bytes.data.reset(static_cast<char *>(std::malloc(size_t(existing.size()))));
            if (!bytes.data)
                fail();
            std::memcpy(bytes.data.get(), existing.constData(), size_t(existing.size()));
            bytes.size = size_t(existing.size());
        }
        zip_error_t error;
        zip_error_init(&error);
        m_source.reset(zip_source_buffer_create(bytes.data.get(), zip_uint64_t(bytes.size), 1, &error));
        if (m_source) {
            (void)bytes.data.release();
            m_zip.reset(zip_open_from_source(m_source.get(), bytes.size ? 0 : ZIP_TRUNCATE, &error));
        }
        zip_error_fini(&error);
        if (!m_zip)
            fail();
        // The archive lets its source go when it is closed; this keeps it
        // for reading the archive back.
        zip_source_keep(m_source.get());
    }
    ZipBuffer(const ZipBuffer &) = delete;
    ZipBuffer &operator=(const ZipBuffer &) = delete;

    void add(const char *name, const QByteArray &data)
    {
        m_parts.push_back(data);
        const QByteArray &kept = m_parts.back();
        add(name, zip_source_buffer(m_zip.get(), kept.constData(), zip_uint64_t(kept.size()), 0));
    }
    // A part written by a PartWriter: the archive takes its buffer over.
    void add(const char *name, MallocBytes part)
    {
        zip_source_t *s = zip_source_buffer(m_zip.get(), part.data.get(), zip_uint64_t(part.size), 1);
        if (s)
            (void)part.data.release();
        add(name, s);
    }

    QByteArray finish()
    {
        // A failed close leaves the archive open, to be discarded.
        if (zip_close(m_zip.get()) < 0)
            fail();
        (void)m_zip.release();
        QByteArray out;
        zip_stat_t st;
        if (zip_source_stat(m_source.get(), &st) < 0 || zip_source_open(m_source.get()) < 0)
            fail();
        out.resize(qsizetype(st.size));
        const zip_int64_t n = zip_source_read(m_source.get(), out.data(), st.size);
        zip_source_close(m_source.get());
        if (n < 0 || zip_uint64_t(n) != st.size)
            fail();
        return out;
    }

private:
    void add(const char *name, zip_source_t *s)
    {
        const zip_int64_t index = s ? zip_file_add(m_zip.get(), name, s, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (s)
                zip_source_free(s);
            fail();
        }
        // Deflate's usual level, as most zip tools write: libzip's own
        // choice, the strongest, takes several times as long for a few
        // per cent of a file that is small either way.
        if (zip_set_file_compression(m_zip.get(), zip_uint64_t(index), ZIP_CM_DEFLATE, kDeflateLevel) < 0)
            fail();
    }
    [[noreturn]] void fail()
    {
        throw platform::Error(kErrSaveFailed, QStringLiteral("Het documentpakket kan niet worden gemaakt."),
                              QStringLiteral("SaveAs"));
    }
    struct FreeSource {
        void operator()(zip_source_t *s) const { zip_source_free(s); }
    };
    struct DiscardZip {
        void operator()(zip_t *z) const { zip_discard(z); }
    };
    // Declared in this order, the archive goes before its source.
    std::unique_ptr<zip_source_t, FreeSource> m_source;
    std::unique_ptr<zip_t, DiscardZip> m_zip;
    std::deque<QByteArray> m_parts;
};

} // namespace

QByteArray Document::toDocx() const
{
    // The password hash takes a while by design: it is worked out while the
    // other parts are written and compressed (on a thread of its own, or
    // when it is needed where no thread can be had), and its part joins
    // them last.
    const bool hashed = !m_protection.password.isEmpty();
    std::future<MallocBytes> settings;
    if (hashed)
        settings = std::async(std::launch::async | std::launch::deferred, settingsPart, m_protection);
    const DocumentFonts fonts{&m_main, &m_header, &m_footer};
    const Font base = fonts.usual();
    ZipBuffer zip;
    zip.add("[Content_Types].xml", contentTypes());
    zip.add("_rels/.rels", packageRels());
    zip.add("word/_rels/document.xml.rels", documentRels());
    zip.add("word/document.xml", documentPart(*this, m_sections, base));
    zip.add("word/styles.xml", stylesPart(fonts));
    zip.add("word/header1.xml", storyPart("w:hdr", m_header, base));
    zip.add("word/footer1.xml", storyPart("w:ftr", m_footer, base));
    if (!hashed) {
        zip.add("word/settings.xml", settingsPart(m_protection));
        return zip.finish();
    }
    ZipBuffer joined(zip.finish());
    joined.add("word/settings.xml", settings.get());
    return joined.finish();
}

void Document::SaveAs(const QString &fileName)
{
    GiveFieldsAResult();
    const QByteArray package = toDocx();
    if (QFileInfo(fileName).isDir())
        saveError(fileName, QStringLiteral("dit is een map"));
    // Written beside the target and renamed over it when complete; what a
    // save killed midway left in the folder goes first.
    os::removeLeftoversBeside(fileName);
    os::ReplacingFile file(fileName);
    if (!file.open() || !file.write(package) || !file.commit())
        saveError(fileName, file.errorString());
}

} // namespace word
