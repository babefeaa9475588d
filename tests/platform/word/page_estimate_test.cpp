// The page estimate of tables: a heading row repeated on every page it runs
// onto, and a cell's text wrapped to whole lines.

#include "platform/word/document.h"

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

} // namespace
