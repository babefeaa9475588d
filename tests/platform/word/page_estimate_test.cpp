// The page estimate: the document laid out by the rules a reader lays it
// out by (LibreOffice, and Word where it has the same fonts), so that the
// stored page count is the reader's own. Each case below is one that
// LibreOffice lays out the way the expected count says.

#include "platform/word/document.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace word;

TEST(WordPageEstimate, ATableCountsItsRepeatedHeadingRowAndWholeWrappedLines)
{
    // A table of one column in 12 pt on an A4 page, and the empty paragraph
    // after it: lines of 13,8 pt on 700 pt of page, so 50 lines to a page,
    // and some 67 characters to a line of the cell.
    struct Case {
        const char *what;
        int rows;
        bool heading;
        int characters; // in each cell
        int pages;
    };
    const Case cases[] = {
        // 50 rows, then 49 and the paragraph.
        {"99 rows of a line", 99, false, 1, 2},
        // The second page holds the heading row and rows 51 to 99; the
        // paragraph goes to a third.
        {"99 rows of a line under a heading row", 99, true, 1, 3},
        // 100 characters take a line and a half: two lines a row, 25 rows
        // to a page.
        {"40 rows of a wrapped text", 40, false, 100, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Document doc;
        Table &t = doc.Tables().Add(doc.Selection().Range(), c.rows, 1);
        t.Rows(1).HeadingFormat = c.heading;
        for (int r = 1; r <= c.rows; ++r)
            t.Cell(r, 1).Text = QString(c.characters, QLatin1Char('x'));
        EXPECT_EQ(doc.EstimatedPageCount(), c.pages);
    }
}

// The reports' portrait page: A4 with margins of 1,5 cm (the target-fund
// table's landscape one: 1,4 cm), the header at 1 cm and the footer at
// 0,7 cm from the edge.
void portrait(Selection &sel, bool landscape = false)
{
    PageSetup &p = sel.PageSetup();
    p.Orientation = landscape ? wdOrientLandscape : wdOrientPortrait;
    p.PageWidth = CentimetersToPoints(landscape ? 29.7f : 21.0f);
    p.PageHeight = CentimetersToPoints(landscape ? 21.0f : 29.7f);
    p.TopMargin = p.BottomMargin = CentimetersToPoints(landscape ? 1.4f : 1.5f);
    p.LeftMargin = p.RightMargin = CentimetersToPoints(2.5f);
    p.HeaderDistance = CentimetersToPoints(1.0f);
    p.FooterDistance = CentimetersToPoints(0.7f);
    sel.Font().Name = QStringLiteral("Arial");
    sel.Font().Size = 8;
}

// The reports' page header and footer: two lines of 7 pt each, the footer's
// second with a right tab at 15 cm and the page number after it.
void headerAndFooter(Document &doc)
{
    Selection &sel = doc.Selection();
    sel.SeekView(wdSeekCurrentPageHeader);
    sel.Font().Name = QStringLiteral("Arial");
    sel.Font().Size = 7;
    sel.TypeText(QStringLiteral("TAVIR 3.0\r\n"));
    sel.SeekView(wdSeekCurrentPageFooter);
    sel.Font().Name = QStringLiteral("Arial");
    sel.Font().Size = 7;
    sel.ParagraphFormat().TabStops.Add(CentimetersToPoints(15), wdAlignTabRight);
    sel.TypeText(
        QStringLiteral("Gegenereerd d.d.  10-dec-2026  14:05\r\nAfgedrukt d.d. 11-dec-2026 15:37\tpag. 1 van 9"));
    sel.SeekView(wdSeekMainDocument);
}

void lines(Selection &sel, int n, const QString &text = QStringLiteral("regel"))
{
    for (int i = 0; i < n; ++i)
        sel.TypeText(text + QStringLiteral("\r\n"));
}

// A paragraph of Arial 8 that takes `n` lines of the portrait page.
QString paragraphOf(int n)
{
    // "xxxxx " is 22,2 pt wide at 8 pt: 20 to a line of 16 cm.
    return QString(QStringLiteral("xxxxx ")).repeated(20 * n - 1) + QStringLiteral("xxxxx");
}

TEST(WordPageEstimate, PagesFollowTheReadersLayoutRules)
{
    // Lines of Arial 8 pt are 9,2 pt high; the portrait page under the
    // two-line header holds 82 of them (755 pt from 44,45 pt down to the
    // bottom margin), the landscape one 55.
    struct Case {
        const char *what;
        std::function<void(Document &, Selection &)> write;
        int pages;
    };
    const Case cases[] = {
        {"82 lines fill the page under the header",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             lines(s, 81); // and the paragraph the selection stands in
         },
         1},
        {"the 83rd line goes to a second page",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             lines(s, 82);
         },
         2},
        {"the landscape page holds 55",
         [](Document &d, Selection &s) {
             portrait(s, true);
             headerAndFooter(d);
             lines(s, 54);
         },
         1},
        {"a header of three lines takes a line from the page: 82 lines on two",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             s.SeekView(wdSeekCurrentPageHeader);
             s.TypeText(QStringLiteral("\r\n"));
             s.SeekView(wdSeekMainDocument);
             lines(s, 81);
         },
         2},
        {"the footer's right tab keeps its line whole, so it takes no room from the page",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             lines(s, 81);
             s.SeekView(wdSeekCurrentPageFooter);
             s.TypeText(QStringLiteral(" en nog wat tekst"));
             s.SeekView(wdSeekMainDocument);
         },
         1},
        {"a symbol font the reader replaces has higher lines: 81 to a page",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             s.Font().Name = QStringLiteral("Segoe UI Symbol");
             lines(s, 81, QString(QChar(0x2714)));
         },
         2},
        {"words wrap whole, 20 to a line: 83 lines of them, which broken anywhere would fit on one page",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             s.TypeText(paragraphOf(83));
         },
         2},
        {"a paragraph keeps two lines at the foot of a page: 81 lines, then 12 all on the next",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             lines(s, 81);
             s.TypeText(paragraphOf(12) + QStringLiteral("\r\n"));
             lines(s, 70); // 12 + 70 + the last paragraph: 83 lines
         },
         3},
        {"and two at the top of the next: 79 lines, 4 of which 2 go over",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             lines(s, 79);
             s.TypeText(paragraphOf(4) + QStringLiteral("\r\n"));
             lines(s, 80); // 2 + 80 + the last paragraph: 83 lines
         },
         3},
        {"rows that keep with the next start a new page together",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             // Rows 71 to 86 keep together: the second page begins with
             // row 71 and holds 82 rows, the third the last 8.
             Table &t = d.Tables().Add(s.Range(), 159, 2);
             for (int r = 1; r <= 159; ++r) {
                 t.Cell(r, 1).Text = QString::number(r);
                 t.Cell(r, 1).ParagraphFormat.KeepWithNext = r >= 71 && r <= 85;
             }
         },
         3},
        {"a run longer than a page starts on a new page and breaks where it must",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             Table &t = d.Tables().Add(s.Range(), 160, 2);
             for (int r = 1; r <= 160; ++r) {
                 t.Cell(r, 1).Text = QString::number(r);
                 t.Cell(r, 1).ParagraphFormat.KeepWithNext = r >= 11;
             }
         },
         3},
        {"a row that may not break moves to the next page whole",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             lines(s, 80);
             // Four lines in a cell, two of which would fit.
             Table &t = d.Tables().Add(s.Range(), 1, 1);
             t.Cell(1, 1).Text = QStringLiteral("a\r\nb\r\nc\r\nd");
             t.SetAllowBreakAcrossPages(false);
             lines(s, 79); // 4 + 79 + the last paragraph: 84 lines
         },
         3},
        {"a row's borders add to its height",
         [](Document &d, Selection &s) {
             portrait(s);
             headerAndFooter(d);
             Table &t = d.Tables().Add(s.Range(), 81, 1);
             for (int r = 1; r <= 81; ++r)
                 t.Cell(r, 1).Text = QString::number(r);
             // 1,5 pt above the first row, 0,75 below the last: the
             // paragraph after the table no longer fits.
             t.Rows(1).Borders(wdBorderTop).setVisible(true);
             t.Rows(1).Borders(wdBorderTop).LineWidth = wdLineWidth150pt;
             t.Rows(81).Borders(wdBorderBottom).setVisible(true);
         },
         2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Document doc;
        c.write(doc, doc.Selection());
        EXPECT_EQ(doc.EstimatedPageCount(), c.pages);
    }
}

} // namespace
