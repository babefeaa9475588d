// The page count of a document, for the stored result of the NUMPAGES
// field: the document laid out by the rules a reader lays it out by, so
// that a reader that shows stored field results shows the count that
// Word and LibreOffice arrive at when they count the pages themselves.
//
// The rules, as LibreOffice applies them to what the writer writes (and
// Word alike, where it has the same fonts):
// - Text is Arial (or Times New Roman) with Arial's advance widths, lines
//   of 1.15 times the font size (the font's ascent, descent and line gap),
//   each line as high as its highest font, rounded to twips. A font the
//   reader does not have (the symbol font) is laid out as its stand-in,
//   DejaVu Sans: lines of 1.164 times the size. A line holds what fits
//   its width exactly; it breaks after a blank (not a non-breaking one) or
//   a hyphen between letters, and a word longer than the line where the
//   line ends. Tabs go to the paragraph's stops (a right one ends the text
//   after it there), or to the default stops every 1.25 cm.
// - An empty paragraph is as high as its mark's font; the line after a
//   line break that ends a paragraph as high as the paragraph style's font
//   (a page break that ends one leaves no line after it).
// - A table cell's text is its width less 0.19 cm on either side; a row is
//   as high as its highest cell plus its borders, at least its height when
//   it has one. A row that may not break across pages moves whole; one
//   that may breaks between the lines of its highest cell.
// - The page's text runs from the top margin, or from below the page
//   header where the header reaches further, to the bottom margin, or to
//   above the footer.
// - A paragraph breaks over pages with at least two lines on either side
//   (widow and orphan control). A paragraph or a table row that keeps with
//   the next moves to the next page together with it, and so does a whole
//   run of them: when the run (with the first line or row of what it keeps
//   with) does not fit on the rest of the page, it starts on a new page,
//   and breaks where it must only when it is longer than a page.
// - The table's heading rows repeat on every page it runs onto; a page
//   break starts a new page, as does every section that starts on one.

#include "platform/word/document.h"

#include <QStringView>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace word {

namespace {

// Advance widths of Arial (and of Liberation Sans, its metric twin that
// LibreOffice puts in its place) in 1/2048 em, for U+0020 to U+007E and
// U+00A0 to U+00FF; italic has the widths of upright.
constexpr std::uint16_t kArial[] = {
    569,  569,  727,  1139, 1139, 1821, 1366, 391,  682,  682,  797,  1196, 569,  682,  569,  569,  1139, 1139,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 569,  569,  1196, 1196, 1196, 1139, 2079, 1366, 1366, 1479,
    1479, 1366, 1251, 1593, 1479, 569,  1024, 1366, 1139, 1706, 1479, 1593, 1366, 1593, 1479, 1366, 1251, 1479,
    1366, 1933, 1366, 1366, 1251, 569,  569,  569,  961,  1139, 682,  1139, 1139, 1024, 1139, 1139, 569,  1139,
    1139, 455,  455,  1024, 455,  1706, 1139, 1139, 1139, 1139, 682,  1024, 569,  1139, 1024, 1479, 1024, 1024,
    1024, 684,  532,  684,  1196, 569,  682,  1139, 1139, 1139, 1139, 532,  1139, 682,  1509, 758,  1139, 1196,
    682,  1509, 1131, 819,  1124, 682,  682,  682,  1180, 1100, 682,  682,  682,  748,  1139, 1708, 1708, 1708,
    1251, 1366, 1366, 1366, 1366, 1366, 1366, 2048, 1479, 1366, 1366, 1366, 1366, 569,  569,  569,  569,  1479,
    1479, 1593, 1593, 1593, 1593, 1593, 1196, 1593, 1479, 1479, 1479, 1479, 1366, 1366, 1251, 1139, 1139, 1139,
    1139, 1139, 1139, 1821, 1024, 1139, 1139, 1139, 1139, 569,  569,  569,  569,  1139, 1139, 1139, 1139, 1139,
    1139, 1139, 1124, 1251, 1139, 1139, 1139, 1139, 1024, 1139, 1024,
};
constexpr std::uint16_t kArialBold[] = {
    569,  682,  971,  1139, 1139, 1821, 1479, 487,  682,  682,  797,  1196, 569,  682,  569,  569,  1139, 1139,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 682,  682,  1196, 1196, 1196, 1251, 1997, 1479, 1479, 1479,
    1479, 1366, 1251, 1593, 1479, 569,  1139, 1479, 1251, 1706, 1479, 1593, 1366, 1593, 1479, 1366, 1251, 1479,
    1366, 1933, 1366, 1366, 1251, 682,  569,  682,  1196, 1139, 682,  1139, 1251, 1139, 1251, 1139, 682,  1251,
    1251, 569,  569,  1139, 569,  1821, 1251, 1251, 1251, 1251, 797,  1139, 682,  1251, 1139, 1593, 1139, 1139,
    1024, 797,  573,  797,  1196, 569,  682,  1139, 1139, 1139, 1139, 573,  1139, 682,  1509, 758,  1139, 1196,
    682,  1509, 1131, 819,  1124, 682,  682,  682,  1180, 1139, 682,  682,  682,  748,  1139, 1708, 1708, 1708,
    1251, 1479, 1479, 1479, 1479, 1479, 1479, 2048, 1479, 1366, 1366, 1366, 1366, 569,  569,  569,  569,  1479,
    1479, 1593, 1593, 1593, 1593, 1593, 1196, 1593, 1479, 1479, 1479, 1479, 1366, 1366, 1251, 1139, 1139, 1139,
    1139, 1139, 1139, 1821, 1139, 1139, 1139, 1139, 1139, 569,  569,  569,  569,  1251, 1251, 1251, 1251, 1251,
    1251, 1251, 1124, 1251, 1251, 1251, 1251, 1251, 1139, 1251, 1139,
};
static_assert(std::size(kArial) == 95 + 96 && std::size(kArialBold) == 95 + 96);

constexpr double kEm = 2048;
// Line heights in em: Arial's ascent, descent and line gap (1854 + 434 +
// 67), the same for Times New Roman; DejaVu Sans's (1901 + 483).
constexpr double kArialLine = 2355 / kEm;
constexpr double kStandInLine = 2384 / kEm;
constexpr double kCellPadding = 2 * 108 / 20.0; // twips to points
constexpr double kDefaultTab = 709 / 20.0;

// The fonts laid out with their own metrics; any other is laid out as the
// reader's stand-in for a font it does not have.
bool ownMetrics(const Font &f)
{
    return f.Name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0
           || f.Name.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0;
}

// The advance of a character in points.
double advance(QChar ch, const Font &f)
{
    const char16_t c = ch.unicode();
    double em = 1139;
    if (!ownMetrics(f)) {
        // DejaVu Sans: the circle, the check mark and the cross; other
        // text a little wider than Arial.
        if (c == 0x25CB)
            return 1787 / kEm * f.Size;
        if (c == 0x2714 || c == 0x2718)
            return 1716 / kEm * f.Size;
    }
    const std::uint16_t *table = f.Bold ? kArialBold : kArial;
    if (c >= 0x20 && c <= 0x7E)
        em = table[c - 0x20];
    else if (c >= 0xA0 && c <= 0xFF)
        em = table[95 + c - 0xA0];
    else if (c == 0x2014 || c == 0x2026)
        em = 2048;
    else if (c == 0x2018 || c == 0x2019)
        em = f.Bold ? 569 : 455;
    if (!ownMetrics(f))
        em *= 1.14;
    return em / kEm * f.Size;
}

// A line's height in twips, as the reader rounds it.
int lineTwips(const Font &f)
{
    return int(std::lround(double(std::max(f.Size, 1.0f)) * 20 * (ownMetrics(f) ? kArialLine : kStandInLine)));
}

// One character, tab or break of a paragraph, in its font.
struct Glyph {
    enum class Kind { Char, Tab, LineBreak, PageBreak };
    Kind kind = Kind::Char;
    QChar ch;
    double width = 0;
    int height = 0; // twips
};

// A paragraph laid out: the height of each line in twips, and where a page
// break ends one of them.
struct Lines {
    std::vector<int> heights;
    std::vector<size_t> pageBreaksAfter; // line indexes after which a page break stands
};

bool breaksAfter(const std::vector<Glyph> &g, size_t i)
{
    if (g[i].kind != Glyph::Kind::Char)
        return false;
    if (g[i].ch == QLatin1Char(' '))
        return true;
    // A hyphen between letters.
    return g[i].ch == QLatin1Char('-') && i > 0 && i + 1 < g.size() && g[i - 1].ch.isLetter()
           && g[i + 1].kind == Glyph::Kind::Char && g[i + 1].ch.isLetter();
}

// The next tab stop after x: the paragraph's own, then the default stops.
TabStop nextTab(double x, const TabStops &stops)
{
    for (const TabStop &t : stops.items())
        if (double(t.Position) > x + 0.01)
            return t;
    const double k = std::floor(x / kDefaultTab + 1e-6) + 1;
    return {float(k * kDefaultTab), wdAlignTabLeft, 0};
}

// Where the text after the tab at g[i] starts, from x: at a left stop, or
// so that it ends at a right one (centres on a centred one).
double afterTab(const std::vector<Glyph> &g, size_t i, double x, const TabStops &stops, double width)
{
    const TabStop t = nextTab(x, stops);
    double w = 0;
    for (size_t k = i + 1; k < g.size() && g[k].kind == Glyph::Kind::Char; ++k)
        w += g[k].width;
    double at = double(t.Position);
    if (t.Alignment == wdAlignTabRight)
        at -= w;
    else if (t.Alignment == 1)
        at -= w / 2;
    return std::min(std::max(at, x), std::max(width, x));
}

// Breaks the glyphs into lines of `width` points. `emptyHeight`: the height
// of a line that holds nothing (the mark's font); `afterBreak`: the height
// of the line that follows a break at the paragraph's end.
Lines layOut(const std::vector<Glyph> &g, double width, const TabStops &stops, int emptyHeight, int afterBreak)
{
    Lines out;
    size_t i = 0;
    const size_t n = g.size();
    if (n == 0) {
        out.heights.push_back(emptyHeight);
        return out;
    }
    while (i < n) {
        double x = 0;
        int height = 0;
        size_t lastBreak = n; // the glyph after which this line may end
        size_t j = i;
        bool ended = false;
        for (; j < n; ++j) {
            const Glyph &c = g[j];
            if (c.kind == Glyph::Kind::LineBreak || c.kind == Glyph::Kind::PageBreak) {
                height = std::max(height, c.height);
                out.heights.push_back(height ? height : emptyHeight);
                if (c.kind == Glyph::Kind::PageBreak)
                    out.pageBreaksAfter.push_back(out.heights.size() - 1);
                ++j;
                ended = true;
                if (j == n && c.kind == Glyph::Kind::LineBreak) // the line after the break
                    out.heights.push_back(afterBreak);
                break;
            }
            if (c.kind == Glyph::Kind::Tab) {
                x = afterTab(g, j, x, stops, width);
                height = std::max(height, c.height);
                lastBreak = j;
                continue;
            }
            const bool blank = c.ch == QLatin1Char(' ');
            if (!blank && x + c.width > width + 1e-6 && j > i) {
                // The line is full: it ends after the last break, or here
                // when the word fills the whole line.
                const size_t end = lastBreak < n ? lastBreak + 1 : j;
                int h = 0;
                for (size_t k = i; k < end; ++k)
                    h = std::max(h, g[k].height);
                out.heights.push_back(h ? h : emptyHeight);
                j = end;
                ended = true;
                break;
            }
            x += c.width;
            height = std::max(height, c.height);
            if (breaksAfter(g, j))
                lastBreak = j;
        }
        if (!ended) {
            out.heights.push_back(height ? height : emptyHeight);
            j = n;
        }
        i = j;
    }
    return out;
}

void addText(std::vector<Glyph> &g, QStringView text, const Font &f)
{
    const int h = lineTwips(f);
    for (QChar c : text) {
        if (c == QLatin1Char('\t'))
            g.push_back({Glyph::Kind::Tab, c, 0, h});
        else
            g.push_back({Glyph::Kind::Char, c, advance(c, f), h});
    }
}

Lines paragraphLines(const Paragraph &p, double width)
{
    std::vector<Glyph> g;
    for (const Run &r : p.runs) {
        const int h = lineTwips(r.font);
        switch (r.kind) {
        case Run::Kind::Text:
            addText(g, r.text, r.font);
            break;
        case Run::Kind::Field:
            addText(g, r.fieldResult.isEmpty() ? QStringLiteral("00") : r.fieldResult, r.font);
            break;
        case Run::Kind::Tab:
            g.push_back({Glyph::Kind::Tab, QChar(), 0, h});
            break;
        case Run::Kind::LineBreak:
            g.push_back({Glyph::Kind::LineBreak, QChar(), 0, h});
            break;
        case Run::Kind::PageBreak:
            g.push_back({Glyph::Kind::PageBreak, QChar(), 0, h});
            break;
        }
    }
    // A paragraph that ends in a break has the style of a new document's
    // font (see the writer), which sizes the line after the break.
    return layOut(g, width, p.format.TabStops, lineTwips(p.markFont), lineTwips(Font{}));
}

// The lines of a cell's text in twips: every paragraph of it (CR LF, CR or
// LF ends one).
std::vector<int> cellLines(const Cell &c, double width)
{
    std::vector<int> lines;
    const QStringView text(c.Text);
    qsizetype from = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            continue;
        std::vector<Glyph> g;
        addText(g, text.mid(from, i - from), c.Font);
        const int line = lineTwips(c.Font);
        for (int l : layOut(g, width, c.ParagraphFormat.TabStops, line, line).heights)
            lines.push_back(l);
        if (i + 1 < text.size() && text[i] == QLatin1Char('\r') && text[i + 1] == QLatin1Char('\n'))
            ++i;
        from = i + 1;
    }
    return lines;
}

int borderTwips(const Border &b)
{
    return b.Visible && b.LineStyle != wdLineStyleNone ? int(std::lround(b.LineWidth / 8.0 * 20)) : 0;
}

// What the pages are filled with: a paragraph's lines, or a table row.
struct Unit {
    std::vector<int> lines; // twips
    bool paragraph = false;
    bool keepWithNext = false;
    bool pageBreakBefore = false;
    int section = -1;            // >= 0: the first unit of this section
    bool sectionNewPage = false; // ... which starts on a new page
    int table = -1;              // the table a row belongs to
    bool heading = false;        // a heading row, repeated on every page of its table
    int total() const
    {
        int t = 0;
        for (int l : lines)
            t += l;
        return t;
    }
};

struct Geometry {
    double width = 0; // points
    int height = 0;   // twips
};

int twips(float points)
{
    return int(std::lround(double(points) * 20));
}

class Pager {
public:
    explicit Pager(const Document &doc) : m_doc(doc) {}

    int run()
    {
        collect();
        place();
        return m_pages;
    }

private:
    const PageSetup &section(size_t s) const
    {
        static const PageSetup standard;
        const auto &all = m_doc.Sections();
        return s < all.size() ? all[s] : standard;
    }
    static double textWidth(const PageSetup &p) { return double(p.PageWidth - p.LeftMargin - p.RightMargin); }
    Geometry geometry(size_t s) const
    {
        const PageSetup &p = section(s);
        const int top = std::max(twips(p.TopMargin), twips(p.HeaderDistance) + storyTwips(m_doc.Header(), p));
        const int bottom = std::max(twips(p.BottomMargin), twips(p.FooterDistance) + storyTwips(m_doc.Footer(), p));
        return {textWidth(p), std::max(twips(p.PageHeight) - top - bottom, 720)};
    }
    // The height of the page header or footer on a page.
    static int storyTwips(const Story &s, const PageSetup &p)
    {
        int h = 0;
        bool any = false;
        for (const Block &b : s.blocks)
            if (b.paragraph) {
                any = true;
                for (int l : paragraphLines(*b.paragraph, textWidth(p)).heights)
                    h += l;
            }
        return any ? h : lineTwips(Font{});
    }

    void row(const Table &t, const Row &r, int table, bool heading)
    {
        Unit u;
        u.table = table;
        u.heading = heading;
        std::vector<int> tallest;
        int h = 0;
        int grid = 0;
        for (const Cell &c : r.cells) {
            double w = 0;
            for (int k = 0; k < c.span && grid + k < int(t.widths().size()); ++k)
                w += double(t.widths()[size_t(grid + k)]);
            grid += c.span;
            std::vector<int> lines = cellLines(c, w - kCellPadding);
            int ch = 0;
            for (int l : lines)
                ch += l;
            if (ch > h) {
                h = ch;
                tallest = std::move(lines);
            }
        }
        if (r.HeightRule != wdRowHeightAuto && r.Height > 0) {
            h = r.HeightRule == wdRowHeightAtLeast ? std::max(h, twips(r.Height)) : twips(r.Height);
            tallest.clear();
        }
        const int top = borderTwips(r.top), bottom = borderTwips(r.bottom);
        if (r.AllowBreakAcrossPages && tallest.size() > 1) {
            // A row that may break does so between the lines of its
            // tallest cell.
            u.lines = std::move(tallest);
            u.lines.front() += top;
            u.lines.back() += bottom;
            u.paragraph = true;
        } else {
            u.lines.push_back(h + top + bottom);
        }
        u.keepWithNext = !r.cells.empty() && r.cells.front().ParagraphFormat.KeepWithNext;
        push(std::move(u));
    }

    void paragraph(const Paragraph &p, double width)
    {
        const Lines lines = paragraphLines(p, width);
        // A page break inside a paragraph: what follows it starts a new
        // page, as a paragraph of its own.
        size_t from = 0;
        for (size_t k = 0; k <= lines.pageBreaksAfter.size(); ++k) {
            const size_t to = k < lines.pageBreaksAfter.size() ? lines.pageBreaksAfter[k] + 1 : lines.heights.size();
            if (to > from) {
                Unit u;
                u.paragraph = true;
                u.lines.assign(lines.heights.begin() + qsizetype(from), lines.heights.begin() + qsizetype(to));
                u.keepWithNext = p.format.KeepWithNext;
                push(std::move(u));
            }
            if (k < lines.pageBreaksAfter.size())
                m_breakPending = true;
            from = to;
        }
    }

    void push(Unit u)
    {
        if (m_sectionPending >= 0) {
            u.section = m_sectionPending;
            u.sectionNewPage = section(size_t(m_sectionPending)).SectionStart != 0;
            m_sectionPending = -1;
        }
        u.pageBreakBefore = m_breakPending;
        m_breakPending = false;
        m_units.push_back(std::move(u));
    }

    void collect()
    {
        size_t s = 0;
        int table = 0;
        for (const Block &b : m_doc.MainStory().blocks) {
            if (b.table) {
                bool heading = true;
                for (const Row &r : b.table->rows()) {
                    heading = heading && r.HeadingFormat;
                    row(*b.table, r, table, heading);
                }
                ++table;
            } else if (b.paragraph) {
                paragraph(*b.paragraph, textWidth(section(s)));
                if (b.paragraph->endsSection >= 0) {
                    s = size_t(b.paragraph->endsSection) + 1;
                    m_sectionPending = int(s);
                }
            }
        }
    }

    // The height that a run of units keeping together needs on one page:
    // the whole of each that keeps with the next, and the start of the one
    // it keeps with (two lines of a paragraph, or a row).
    int runTwips(size_t i) const
    {
        int h = 0;
        for (size_t k = i; k < m_units.size(); ++k) {
            const Unit &u = m_units[k];
            if (k > i && (u.pageBreakBefore || u.sectionNewPage))
                break;
            if (u.keepWithNext) {
                h += u.total();
                continue;
            }
            h += u.paragraph && u.lines.size() >= 4 ? u.lines[0] + u.lines[1] : u.total();
            break;
        }
        return h;
    }

    void newPage()
    {
        ++m_pages;
        m_used = 0;
        m_repeated = -1;
    }

    int headingTwips(int table) const
    {
        int h = 0;
        for (const Unit &u : m_units)
            if (u.table == table && u.heading)
                h += u.total();
        return h;
    }

    void placeParagraph(const Unit &u)
    {
        const int avail = m_geometry.height;
        size_t k = 0;
        const size_t n = u.lines.size();
        while (k < n) {
            size_t fit = 0;
            int h = 0;
            while (k + fit < n && m_used + h + u.lines[k + fit] <= avail)
                h += u.lines[k + fit++];
            if (k + fit == n) {
                m_used += h;
                return;
            }
            // It breaks over the page: at least two lines on either side,
            // or the paragraph goes to the next page whole.
            const size_t rest = n - k - fit;
            if (rest < 2)
                fit = fit > 2 - rest ? fit - (2 - rest) : 0;
            if (fit < 2 && m_used > 0)
                fit = 0;
            if (fit == 0 && m_used == 0)
                fit = 1; // a line higher than the page
            for (size_t f = 0; f < fit; ++f)
                m_used += u.lines[k + f];
            k += fit;
            newPage();
            repeatHeading(u);
        }
    }

    // A table that runs onto a new page starts it with its heading rows.
    void repeatHeading(const Unit &u)
    {
        if (u.table < 0 || u.heading || m_used != 0 || m_repeated == u.table)
            return;
        m_repeated = u.table;
        m_used += headingTwips(u.table);
    }

    void place()
    {
        m_geometry = geometry(0);
        for (size_t i = 0; i < m_units.size(); ++i) {
            const Unit &u = m_units[i];
            if (u.section >= 0) {
                m_geometry = geometry(size_t(u.section));
                if (u.sectionNewPage)
                    newPage();
            }
            if (u.pageBreakBefore && m_used > 0)
                newPage();
            const int avail = m_geometry.height;
            const bool startsRun =
                u.keepWithNext && (i == 0 || !m_units[i - 1].keepWithNext || u.pageBreakBefore || u.sectionNewPage);
            if (startsRun && m_used > 0 && m_used + runTwips(i) > avail)
                newPage();
            if (u.table >= 0 && m_used == 0)
                repeatHeading(u);
            if (u.paragraph) {
                placeParagraph(u);
                continue;
            }
            const int h = u.total();
            if (m_used > 0 && m_used + h > avail) {
                newPage();
                repeatHeading(u);
            }
            m_used += h;
        }
    }

    const Document &m_doc;
    std::vector<Unit> m_units;
    int m_sectionPending = -1;
    bool m_breakPending = false;
    Geometry m_geometry;
    int m_pages = 1;
    int m_used = 0;
    int m_repeated = -1;
};

} // namespace

int Document::EstimatedPageCount() const
{
    return Pager(*this).run();
}

} // namespace word
