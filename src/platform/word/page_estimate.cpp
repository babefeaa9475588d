// An estimate of a document's page count, for the stored result of the
// NUMPAGES field. Word and LibreOffice count the pages themselves when they
// lay the document out; the estimate is what a reader shows that does not.

#include "platform/word/document.h"

#include <QStringView>
#include <algorithm>
#include <cmath>

namespace word {

namespace {

// Lines of 1.15 times the font size, characters of half the font size on
// average (Arial's average is a little less), cells padded by 0.19 cm on
// either side.
constexpr double kLineFactor = 1.15;
constexpr double kCharFactor = 0.5;
constexpr double kCellPadding = 2 * 0.19 * 72.0 / 2.54;
constexpr double kTabWidth = 709.0 / 20.0; // the default tab stop

// Lines that `chars` characters of `size` points take in `width` points.
int lines(double chars, float size, double width)
{
    if (width <= 1)
        return 1;
    return std::max(1, int(std::ceil(chars * kCharFactor * size / width)));
}

double lineHeight(float size)
{
    return kLineFactor * std::max(size, 1.0f);
}

class Pager {
public:
    explicit Pager(const std::vector<PageSetup> &sections) : m_sections(sections) {}

    int pages() const { return m_pages; }

    void paragraph(const Paragraph &p, const Font &storyFont)
    {
        const double width = textWidth();
        double chars = 0;
        float size = p.runs.empty() ? storyFont.Size : 0;
        auto endLine = [&] {
            add(lines(chars, size, width) * lineHeight(size));
            chars = 0;
        };
        for (const Run &r : p.runs) {
            size = std::max(size, r.font.Size);
            switch (r.kind) {
            case Run::Kind::Text:
                chars += double(r.text.size());
                break;
            case Run::Kind::Field:
                chars += double(std::max<qsizetype>(r.fieldResult.size(), 2));
                break;
            case Run::Kind::Tab:
                chars += kTabWidth / (kCharFactor * std::max(r.font.Size, 1.0f));
                break;
            case Run::Kind::LineBreak:
                endLine();
                break;
            case Run::Kind::PageBreak:
                endLine();
                newPage();
                chars = 0;
                break;
            }
        }
        endLine();
        if (p.endsSection >= 0)
            nextSection(p.endsSection + 1);
    }

    void table(const Table &t)
    {
        double heading = 0;
        for (const Row &row : t.rows()) {
            double h = 0;
            int grid = 0;
            for (const Cell &c : row.cells) {
                double w = 0;
                for (int k = 0; k < c.span && grid + k < int(t.widths().size()); ++k)
                    w += double(t.widths()[size_t(grid + k)]);
                grid += c.span;
                double ch = 0;
                // Every paragraph of the cell (CR LF, CR or LF ends one).
                const QStringView text(c.Text);
                qsizetype from = 0;
                for (qsizetype i = 0; i <= text.size(); ++i) {
                    if (i < text.size() && text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
                        continue;
                    ch += lines(double(i - from), c.Font.Size, w - kCellPadding) * lineHeight(c.Font.Size);
                    if (i + 1 < text.size() && text[i] == QLatin1Char('\r') && text[i + 1] == QLatin1Char('\n'))
                        ++i;
                    from = i + 1;
                }
                h = std::max(h, ch);
            }
            if (row.HeightRule != wdRowHeightAuto && row.Height > 0)
                h = row.HeightRule == wdRowHeightAtLeast ? std::max(h, double(row.Height)) : double(row.Height);
            if (row.HeadingFormat && &row == &t.rows().front())
                heading = h;
            if (m_used > 0 && m_used + h > pageHeight()) {
                newPage();
                add(heading);
            }
            add(h);
        }
    }

private:
    const PageSetup &page() const
    {
        static const PageSetup standard;
        return m_section < m_sections.size() ? m_sections[m_section] : standard;
    }
    double pageHeight() const
    {
        const PageSetup &p = page();
        return std::max(double(p.PageHeight - p.TopMargin - p.BottomMargin), 36.0);
    }
    double textWidth() const
    {
        const PageSetup &p = page();
        return double(p.PageWidth - p.LeftMargin - p.RightMargin);
    }
    void add(double height)
    {
        if (m_used > 0 && m_used + height > pageHeight()) {
            newPage();
        }
        m_used += height;
    }
    void newPage()
    {
        ++m_pages;
        m_used = 0;
    }
    void nextSection(int index)
    {
        m_section = size_t(index);
        if (page().SectionStart != 0)
            newPage();
    }

    const std::vector<PageSetup> &m_sections;
    size_t m_section = 0;
    int m_pages = 1;
    double m_used = 0;
};

} // namespace

int Document::EstimatedPageCount() const
{
    Pager pager(m_sections);
    for (const Block &b : m_main.blocks) {
        if (b.table)
            pager.table(*b.table);
        else if (b.paragraph)
            pager.paragraph(*b.paragraph, m_main.font);
    }
    return pager.pages();
}

} // namespace word
