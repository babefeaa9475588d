// The document model: typing at the selection, sections, tables.

#include "platform/word/document.h"

#include "platform/core/error.h"
#include "platform/text/date_text.h"

#include <QRegularExpression>
#include <algorithm>

namespace word {

namespace {

[[noreturn]] void noSuchMember(const char *what)
{
    throw platform::Error(kErrNoSuchMember, QStringLiteral("The requested member of the collection does not exist."),
                          QString::fromLatin1(what));
}

} // namespace

// ---- Formats ---------------------------------------------------------------

void TabStops::Add(float position, int alignment, int leader)
{
    auto at = std::find_if(m_stops.begin(), m_stops.end(), [&](const TabStop &t) { return t.Position >= position; });
    if (at != m_stops.end() && at->Position == position)
        *at = {position, alignment, leader};
    else
        m_stops.insert(at, {position, alignment, leader});
}

void Border::setVisible(bool visible)
{
    Visible = visible;
    if (visible && LineStyle == wdLineStyleNone)
        LineStyle = wdLineStyleSingle;
    if (!visible)
        LineStyle = wdLineStyleNone;
}

QString Paragraph::text() const
{
    QString t;
    for (const Run &r : runs) {
        switch (r.kind) {
        case Run::Kind::Text:
            t += r.text;
            break;
        case Run::Kind::Tab:
            t += QLatin1Char('\t');
            break;
        case Run::Kind::LineBreak:
        case Run::Kind::PageBreak:
            t += QLatin1Char('\n');
            break;
        case Run::Kind::Field:
            t += r.fieldResult;
            break;
        }
    }
    return t;
}

// ---- Stories and the selection --------------------------------------------

Paragraph &Story::current()
{
    if (blocks.empty() || !blocks.back().paragraph) {
        Paragraph p;
        p.markFont = font;
        blocks.push_back({std::move(p), nullptr});
    }
    return *blocks.back().paragraph;
}

void Story::newParagraph()
{
    Paragraph next;
    next.format = current().format;
    next.markFont = font;
    blocks.push_back({std::move(next), nullptr});
}

Selection::Selection(Document &doc) : m_doc(doc), m_story(&doc.m_main), m_fields(m_story) {}

PageSetup &Selection::PageSetup()
{
    return m_doc.m_sections.back();
}

void Selection::TypeText(const QString &text)
{
    QString pending;
    auto flush = [&] {
        if (!pending.isEmpty())
            m_story->current().runs.push_back({Run::Kind::Text, pending, m_story->font, {}});
        pending.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            flush();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            m_story->newParagraph();
        } else if (c == QLatin1Char('\t')) {
            flush();
            m_story->current().runs.push_back({Run::Kind::Tab, {}, m_story->font, {}});
        } else {
            pending += c;
        }
    }
    flush();
}

void Selection::TypeParagraph()
{
    m_story->newParagraph();
}

void Selection::InsertBreak(int type)
{
    switch (type) {
    case wdLineBreak:
        m_story->current().runs.push_back({Run::Kind::LineBreak, {}, m_story->font, {}});
        break;
    case wdPageBreak:
        // What follows a page break starts a paragraph of its own.
        m_story->current().runs.push_back({Run::Kind::PageBreak, {}, m_story->font, {}});
        m_story->newParagraph();
        break;
    case wdSectionBreakNextPage:
        if (m_story != &m_doc.m_main)
            throw platform::Error(kErrBadArgument, QStringLiteral("A section break belongs in the main text."),
                                  QStringLiteral("InsertBreak"));
        m_story->current().endsSection = int(m_doc.m_sections.size()) - 1;
        // The new section starts with the page of the one before.
        m_doc.m_sections.push_back(m_doc.m_sections.back());
        m_doc.m_sections.back().SectionStart = wdSectionNewPage;
        m_story->newParagraph();
        break;
    default:
        throw platform::Error(kErrBadArgument, QStringLiteral("Invalid procedure call or argument"),
                              QStringLiteral("InsertBreak"));
    }
}

void Selection::EndKey(int unit)
{
    if (unit != wdStory)
        throw platform::Error(kErrBadArgument, QStringLiteral("Invalid procedure call or argument"),
                              QStringLiteral("EndKey"));
    // The selection always stands at the end of its story.
    m_story->current();
}

void Selection::SeekView(int view)
{
    switch (view) {
    case wdSeekMainDocument:
        m_story = &m_doc.m_main;
        break;
    case wdSeekCurrentPageHeader:
        m_story = &m_doc.m_header;
        break;
    case wdSeekCurrentPageFooter:
        m_story = &m_doc.m_footer;
        break;
    default:
        throw platform::Error(kErrBadArgument, QStringLiteral("Invalid procedure call or argument"),
                              QStringLiteral("SeekView"));
    }
}

void Fields::Add(const Range &range, int type, const QString &code, bool)
{
    if (type != wdFieldEmpty)
        throw platform::Error(kErrBadArgument, QStringLiteral("Invalid procedure call or argument"),
                              QStringLiteral("Fields.Add"));
    Story *story = range.story ? range.story : m_story;
    story->current().runs.push_back({Run::Kind::Field, code, story->font, fieldResult(code, QDateTime())});
}

// ---- Tables ----------------------------------------------------------------

Table::Table(int rows, int columns, float width, const Font &font, const ParagraphFormat &format)
{
    if (rows < 1 || columns < 1 || columns > 63)
        throw platform::Error(kErrBadArgument, QStringLiteral("Invalid procedure call or argument"),
                              QStringLiteral("Tables.Add"));
    m_widths.assign(size_t(columns), width / float(columns));
    Row r;
    word::Cell c;
    c.Font = font;
    c.ParagraphFormat = format;
    r.cells.assign(size_t(columns), c);
    m_rows.assign(size_t(rows), r);
}

Row &Table::row(int r)
{
    if (r < 1 || r > RowCount())
        noSuchMember("Table.Rows");
    return m_rows[size_t(r - 1)];
}

Row &Table::Rows(int r)
{
    return row(r);
}

Cell &Table::Cell(int r, int c)
{
    Row &x = row(r);
    if (c < 1 || c > int(x.cells.size()))
        noSuchMember("Table.Cell");
    return x.cells[size_t(c - 1)];
}

void Table::SetColumnWidth(int column, float width)
{
    if (column < 1 || column > ColumnCount())
        noSuchMember("Table.Columns");
    m_widths[size_t(column - 1)] = width;
}

float Table::ColumnWidth(int column) const
{
    if (column < 1 || column > ColumnCount())
        noSuchMember("Table.Columns");
    return m_widths[size_t(column - 1)];
}

std::vector<Cell *> Table::ColumnCells(int column)
{
    if (column < 1 || column > ColumnCount())
        noSuchMember("Table.Columns");
    std::vector<word::Cell *> cells;
    for (Row &r : m_rows) {
        int grid = 1;
        for (word::Cell &c : r.cells) {
            if (grid <= column && column < grid + c.span) {
                cells.push_back(&c);
                break;
            }
            grid += c.span;
        }
    }
    return cells;
}

void Table::Merge(int r, int first, int last)
{
    Row &x = row(r);
    if (first < 1 || last > int(x.cells.size()) || first >= last)
        noSuchMember("Cell.Merge");
    word::Cell &into = x.cells[size_t(first - 1)];
    QStringList texts;
    for (int c = first; c <= last; ++c) {
        const word::Cell &from = x.cells[size_t(c - 1)];
        if (!from.Text.isEmpty())
            texts << from.Text;
        if (c > first)
            into.span += from.span;
    }
    into.Text = texts.join(QStringLiteral("\r"));
    x.cells.erase(x.cells.begin() + first, x.cells.begin() + last);
}

void Table::InsertRows(int r, int count)
{
    const Row &like = row(r);
    Row fresh;
    fresh.HeightRule = like.HeightRule;
    fresh.Height = like.Height;
    fresh.AllowBreakAcrossPages = like.AllowBreakAcrossPages;
    for (const word::Cell &c : like.cells) {
        word::Cell e;
        e.Font = c.Font;
        e.ParagraphFormat = c.ParagraphFormat;
        e.VerticalAlignment = c.VerticalAlignment;
        e.span = c.span;
        fresh.cells.push_back(e);
    }
    m_rows.insert(m_rows.begin() + (r - 1), size_t(std::max(count, 0)), fresh);
}

void Table::DeleteRows(int first, int last)
{
    row(first);
    row(last);
    if (first > last)
        return;
    m_rows.erase(m_rows.begin() + (first - 1), m_rows.begin() + last);
}

void Table::SetHeightRule(int rule)
{
    for (Row &r : m_rows)
        r.HeightRule = rule;
}

void Table::SetAllowBreakAcrossPages(bool allow)
{
    for (Row &r : m_rows)
        r.AllowBreakAcrossPages = allow;
}

void Table::SetInsideLineStyle(int style, int width)
{
    for (Border *b : {&InsideHorizontal, &InsideVertical}) {
        b->setLineStyle(style);
        b->LineWidth = width;
    }
}

void Table::SetOutsideLineStyle(int style, int width)
{
    for (Border *b : {&OutsideTop, &OutsideBottom, &OutsideLeft, &OutsideRight}) {
        b->setLineStyle(style);
        b->LineWidth = width;
    }
}

void Row::setFontSize(float size)
{
    for (Cell &c : cells)
        c.Font.Size = size;
}

void Row::setBold(bool bold)
{
    for (Cell &c : cells)
        c.Font.Bold = bold;
}

void Row::setItalic(bool italic)
{
    for (Cell &c : cells)
        c.Font.Italic = italic;
}

void Row::setFontName(const QString &name)
{
    for (Cell &c : cells)
        c.Font.Name = name;
}

Border &Row::Borders(int item)
{
    if (item == wdBorderTop)
        return top;
    if (item == wdBorderBottom)
        return bottom;
    noSuchMember("Row.Borders");
}

Table &Tables::Add(const Range &range, int rows, int columns)
{
    Story *story = range.story ? range.story : &m_doc.m_main;
    const PageSetup &page = m_doc.m_sections.back();
    const Paragraph &at = story->current();
    auto table = std::make_shared<Table>(rows, columns, page.PageWidth - page.LeftMargin - page.RightMargin,
                                         story->font, at.format);
    // A paragraph with text stays before the table; the selection goes to
    // a paragraph after it.
    if (!at.empty() || at.endsSection >= 0)
        story->newParagraph();
    const ParagraphFormat format = story->current().format;
    story->blocks.back().paragraph.reset();
    story->blocks.back().table = table;
    Paragraph after;
    after.format = format;
    after.markFont = story->font;
    story->blocks.push_back({std::move(after), nullptr});
    m_doc.m_tableList.push_back(table);
    return *table;
}

Table &Tables::operator()(int index)
{
    if (index < 1 || index > Count())
        noSuchMember("Tables");
    return *m_doc.m_tableList[size_t(index - 1)];
}

int Tables::Count() const
{
    return int(m_doc.m_tableList.size());
}

// ---- Document and application ---------------------------------------------

Document::Document() : m_sections(1), m_selection(*this), m_tables(*this)
{
    m_main.current();
}

namespace {

// The result of a field that needs the page count: PAGE and NUMPAGES (and
// SECTIONPAGES) with or without switches; empty for other fields.
QString pageFieldResult(const QString &code, int pages)
{
    static const QRegularExpression page(QStringLiteral("^\\s*(PAGE|NUMPAGES|SECTIONPAGES)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = page.match(code);
    if (!m.hasMatch())
        return QString();
    return m.captured(1).compare(QLatin1String("PAGE"), Qt::CaseInsensitive) == 0 ? QStringLiteral("1")
                                                                                  : QString::number(pages);
}

} // namespace

void Document::UpdateFields(const QDateTime &now)
{
    const int pages = EstimatedPageCount();
    for (Story *s : {&m_main, &m_header, &m_footer})
        for (Block &b : s->blocks)
            if (b.paragraph)
                for (Run &r : b.paragraph->runs)
                    if (r.kind == Run::Kind::Field) {
                        r.fieldResult = fieldResult(r.text, now);
                        if (r.fieldResult.isEmpty())
                            r.fieldResult = pageFieldResult(r.text, pages);
                    }
}

void Document::GiveFieldsAResult(const QDateTime &now)
{
    int pages = -1;
    for (Story *s : {&m_main, &m_header, &m_footer})
        for (Block &b : s->blocks)
            if (b.paragraph)
                for (Run &r : b.paragraph->runs)
                    if (r.kind == Run::Kind::Field && r.fieldResult.isEmpty()) {
                        r.fieldResult = fieldResult(r.text, now);
                        if (r.fieldResult.isEmpty()) {
                            if (pages < 0)
                                pages = EstimatedPageCount();
                            r.fieldResult = pageFieldResult(r.text, pages);
                        }
                    }
}

void Document::Protect(int type, const QString &password)
{
    if (type < wdAllowOnlyRevisions || type > wdAllowOnlyReading)
        throw platform::Error(kErrBadArgument, QStringLiteral("Invalid procedure call or argument"),
                              QStringLiteral("Protect"));
    m_protection = {type, password};
}

Application::Application() : m_docs(*this) {}
Application::~Application() = default;

Document &Application::DocumentList::Add()
{
    m_app.m_documents.push_back(std::make_unique<Document>());
    return *m_app.m_documents.back();
}

Document &Application::ActiveDocument()
{
    if (m_documents.empty())
        noSuchMember("ActiveDocument");
    return *m_documents.back();
}

Selection &Application::Selection()
{
    return ActiveDocument().Selection();
}

// ---- Field results ---------------------------------------------------------

namespace {

// A Word date picture (d, dd, M, MM, MMM, MMMM, yy, yyyy, H, HH, h, hh, m,
// mm, s, ss; text in single quotes) written with the Dutch names.
QString wordDatePicture(const QString &picture, const QDateTime &t)
{
    QString out;
    const QDate d = t.date();
    const QTime tm = t.time();
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture.at(i);
        qsizetype n = 1;
        while (i + n < picture.size() && picture.at(i + n) == c)
            ++n;
        switch (c.unicode()) {
        case 'd':
            out += n == 1 ? QString::number(d.day()) : two(d.day());
            break;
        case 'M':
            if (n == 1)
                out += QString::number(d.month());
            else if (n == 2)
                out += two(d.month());
            else if (n == 3)
                out += vb::shortMonthName(d.month());
            else
                out += vb::longMonthName(d.month());
            break;
        case 'y':
            out += n <= 2 ? two(d.year() % 100) : QString::number(d.year());
            break;
        case 'H':
            out += n == 1 ? QString::number(tm.hour()) : two(tm.hour());
            break;
        case 'h': {
            const int h12 = tm.hour() % 12 == 0 ? 12 : tm.hour() % 12;
            out += n == 1 ? QString::number(h12) : two(h12);
            break;
        }
        case 'm':
            out += n == 1 ? QString::number(tm.minute()) : two(tm.minute());
            break;
        case 's':
            out += n == 1 ? QString::number(tm.second()) : two(tm.second());
            break;
        case '\'': {
            const qsizetype end = picture.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? picture.size() : end;
            out += picture.mid(i + 1, stop - i - 1);
            n = stop + 1 - i;
            break;
        }
        default:
            out += QString(n, c);
        }
        i += n;
    }
    return out;
}

} // namespace

QString fieldResult(const QString &code, const QDateTime &now)
{
    static const QRegularExpression date(QStringLiteral("^\\s*(DATE|TIME)\\b.*\\\\@\\s*\"([^\"]*)\""),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = date.match(code);
    if (m.hasMatch() && now.isValid())
        return wordDatePicture(m.captured(2), now);
    return QString();
}

} // namespace word
