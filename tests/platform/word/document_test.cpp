// The document model written as .docx and read back by python-docx.

#include "docx_reader.h"

#include "support/item_at.h"
#include "support/qstring_printer.h"

#include "platform/core/error.h"
#include "platform/word/document.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace word;
using testsupport::itemAt;
using testsupport::lastItem;

class DocumentTest : public ::testing::Test {
protected:
    QJsonObject saveAndRead()
    {
        const QString path = dir.filePath(QStringLiteral("doc.docx"));
        doc.SaveAs(path);
        return wordtest::readDocx(path);
    }
    QTemporaryDir dir;
    Application app;
    Document &doc = app.Documents().Add();
    Selection &sel = app.Selection();
};

TEST_F(DocumentTest, TypedTextKeepsItsFontsBreaksAndParagraphFormats)
{
    sel.Font().Name = QStringLiteral("Arial");
    sel.Font().Size = 15;
    sel.Font().Bold = true;
    sel.TypeText(QStringLiteral("Titel"));
    sel.Font().Size = 8;
    sel.Font().Bold = false;
    sel.InsertBreak(wdLineBreak);
    sel.TypeText(QStringLiteral("Inrichting: Alfa\r\n"));
    sel.ParagraphFormat().KeepWithNext = true;
    sel.ParagraphFormat().Alignment = wdAlignParagraphRight;
    sel.Font().Italic = true;
    sel.Font().Underline = true;
    sel.TypeText(QStringLiteral("a\tb"));
    sel.TypeParagraph();
    sel.TypeText(QStringLiteral("volgt"));
    sel.InsertBreak(wdPageBreak);

    const QJsonObject d = saveAndRead();
    const QJsonArray ps = wordtest::paragraphs(d[QStringLiteral("body")].toArray());
    ASSERT_EQ(ps.size(), 4); // the page break ends the third
    const QJsonObject title = ps[0].toObject();
    EXPECT_EQ(title[QStringLiteral("text")].toString(), QStringLiteral("Titel\nInrichting: Alfa"));
    EXPECT_EQ(title[QStringLiteral("line_breaks")].toInt(), 1);
    const QJsonArray runs = title[QStringLiteral("runs")].toArray();
    EXPECT_EQ(itemAt(runs, 0).toObject()[QStringLiteral("font")].toString(), QStringLiteral("Arial"));
    EXPECT_EQ(itemAt(runs, 0).toObject()[QStringLiteral("size")].toDouble(), 15.0);
    EXPECT_TRUE(itemAt(runs, 0).toObject()[QStringLiteral("bold")].toBool());
    EXPECT_EQ(lastItem(runs).toObject()[QStringLiteral("size")].toDouble(), 8.0);
    EXPECT_FALSE(lastItem(runs).toObject()[QStringLiteral("bold")].toBool());
    EXPECT_FALSE(title[QStringLiteral("keep_with_next")].toBool());

    const QJsonObject second = ps[1].toObject();
    EXPECT_EQ(second[QStringLiteral("text")].toString(), QStringLiteral("a\tb"));
    EXPECT_TRUE(second[QStringLiteral("keep_with_next")].toBool());
    EXPECT_EQ(second[QStringLiteral("alignment")].toInt(), 2);
    EXPECT_TRUE(itemAt(second[QStringLiteral("runs")].toArray(), 0).toObject()[QStringLiteral("italic")].toBool());
    EXPECT_TRUE(itemAt(second[QStringLiteral("runs")].toArray(), 0).toObject()[QStringLiteral("underline")].toBool());
    // A new paragraph starts with the format of the one before.
    EXPECT_TRUE(ps[2].toObject()[QStringLiteral("keep_with_next")].toBool());
    EXPECT_EQ(ps[2].toObject()[QStringLiteral("page_breaks")].toInt(), 1);
}

TEST_F(DocumentTest, PageSetUpAppliesToTheSectionOfTheSelection)
{
    PageSetup &first = sel.PageSetup();
    first.TopMargin = CentimetersToPoints(1.5f);
    first.LeftMargin = CentimetersToPoints(2.5f);
    sel.TypeText(QStringLiteral("voorblad"));
    sel.InsertBreak(wdSectionBreakNextPage);
    PageSetup &second = sel.PageSetup();
    second.Orientation = wdOrientLandscape;
    second.PageWidth = CentimetersToPoints(29.7f);
    second.PageHeight = CentimetersToPoints(21.0f);
    second.TopMargin = CentimetersToPoints(1.4f);
    second.HeaderDistance = CentimetersToPoints(1.0f);
    second.FooterDistance = CentimetersToPoints(0.7f);
    sel.TypeText(QStringLiteral("tabel"));

    const QJsonObject d = saveAndRead();
    const QJsonArray s = d[QStringLiteral("sections")].toArray();
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[0].toObject()[QStringLiteral("orientation")].toInt(), 0);
    EXPECT_EQ(s[0].toObject()[QStringLiteral("top")].toDouble(), 1.5);
    EXPECT_EQ(s[0].toObject()[QStringLiteral("left")].toDouble(), 2.5);
    EXPECT_EQ(s[1].toObject()[QStringLiteral("orientation")].toInt(), 1);
    EXPECT_EQ(s[1].toObject()[QStringLiteral("width")].toDouble(), 29.7);
    EXPECT_EQ(s[1].toObject()[QStringLiteral("height")].toDouble(), 21.0);
    EXPECT_EQ(s[1].toObject()[QStringLiteral("top")].toDouble(), 1.4);
    EXPECT_EQ(s[1].toObject()[QStringLiteral("left")].toDouble(), 2.5); // taken over from the first
    EXPECT_EQ(s[1].toObject()[QStringLiteral("header")].toDouble(), 1.0);
    EXPECT_EQ(s[1].toObject()[QStringLiteral("footer")].toDouble(), 0.7);
    EXPECT_EQ(s[1].toObject()[QStringLiteral("start")].toInt(), 2); // new page
    EXPECT_EQ(wordtest::bodyTexts(d), (QStringList{QStringLiteral("voorblad"), QStringLiteral("tabel")}));
}

TEST_F(DocumentTest, TablesKeepCellsMergesBordersAndWidths)
{
    sel.Font().Name = QStringLiteral("Arial");
    sel.Font().Size = 8;
    sel.TypeText(QStringLiteral("boven"));
    Table &t = doc.Tables().Add(sel.Range(), 6, 9);
    t.SetInsideLineStyle(wdLineStyleNone);
    t.SetOutsideLineStyle(wdLineStyleNone);
    const float widths[] = {0.5f, 8.2f, 1.3f, 1.5f, 1.4f, 2.0f, 6.0f, 2.5f, 1.7f};
    for (int c = 1; c <= 9; ++c)
        t.SetColumnWidth(c, CentimetersToPoints(widths[c - 1]));
    t.Cell(1, 2).Text = QStringLiteral("post");
    t.Merge(2, 1, 9);
    t.Rows(2).setFontSize(12);
    t.Cell(2, 1).Text = QStringLiteral("A: Jaarlijkse kosten");
    t.Cell(3, 1).Text = QStringLiteral("Subtotaal");
    t.Cell(3, 8).Text = QStringLiteral("€ 1.000");
    t.Cell(3, 9).Text = QStringLiteral("(10,0%)");
    t.Merge(3, 1, 2);
    // After the merge the row has eight cells: the last is the share.
    EXPECT_EQ(t.Cell(3, 8).Text, QStringLiteral("(10,0%)"));
    t.Rows(3).Borders(wdBorderTop).setVisible(true);
    t.Rows(3).setBold(true);
    t.Rows(3).AllowBreakAcrossPages = false;
    t.Cell(4, 4).Font.Italic = true;
    t.Cell(4, 4).Text = QStringLiteral("2031 (2031)");
    t.Cell(4, 2).Font.Underline = true;
    t.Cell(4, 2).Text = QStringLiteral("Terrein\r\ntweede regel");
    t.Cell(4, 8).VerticalAlignment = wdCellAlignVerticalBottom;
    t.Cell(4, 8).ParagraphFormat.Alignment = wdAlignParagraphRight;
    t.Cell(4, 8).ParagraphFormat.KeepWithNext = true;
    t.Cell(4, 8).Text = QStringLiteral("€ 5");
    t.Rows(1).HeadingFormat = true;
    t.Rows(1).Borders(wdBorderBottom).setLineStyle(wdLineStyleSingle);
    t.Rows(1).Borders(wdBorderTop).setVisible(true);
    t.Rows(1).Borders(wdBorderTop).LineWidth = wdLineWidth150pt;
    t.InsertRows(4, 2);
    EXPECT_EQ(t.RowCount(), 8);
    t.DeleteRows(7, 8);
    EXPECT_EQ(t.RowCount(), 6);
    t.Rows(6).Borders(wdBorderBottom).setVisible(true);
    t.Rows(6).Borders(wdBorderBottom).LineWidth = wdLineWidth150pt;
    sel.EndKey(wdStory);
    sel.TypeText(QStringLiteral("onder"));

    const QJsonObject d = saveAndRead();
    EXPECT_EQ(wordtest::bodyTexts(d), (QStringList{QStringLiteral("boven"), QStringLiteral("onder")}));
    const QJsonArray ts = wordtest::tables(d);
    ASSERT_EQ(ts.size(), 1);
    const QJsonObject tb = ts[0].toObject();
    EXPECT_EQ(tb[QStringLiteral("rows")].toArray().size(), 6);
    EXPECT_EQ(itemAt(tb[QStringLiteral("grid")].toArray(), 1).toDouble(), 8.2);
    EXPECT_EQ(tb[QStringLiteral("borders")].toObject()[QStringLiteral("insideH")], QJsonValue());
    EXPECT_EQ(wordtest::cellText(tb, 1, 2), QStringLiteral("post"));
    EXPECT_TRUE(itemAt(tb[QStringLiteral("rows")].toArray(), 0).toObject()[QStringLiteral("heading")].toBool());
    EXPECT_EQ(wordtest::cell(tb, 1, 1)[QStringLiteral("top")].toInt(), 12);
    EXPECT_EQ(wordtest::cell(tb, 1, 1)[QStringLiteral("bottom")].toInt(), 6);
    const QJsonObject merged = wordtest::cell(tb, 2, 1);
    EXPECT_EQ(merged[QStringLiteral("span")].toInt(), 9);
    EXPECT_EQ(merged[QStringLiteral("text")].toString(), QStringLiteral("A: Jaarlijkse kosten"));
    EXPECT_EQ(merged[QStringLiteral("size")].toDouble(), 12.0);
    EXPECT_EQ(merged[QStringLiteral("width")].toDouble(), 25.1);
    EXPECT_EQ(itemAt(wordtest::rowTexts(tb), 2), QStringLiteral("Subtotaal||||||€ 1.000|(10,0%)"));
    EXPECT_EQ(wordtest::cell(tb, 3, 1)[QStringLiteral("span")].toInt(), 2);
    EXPECT_TRUE(wordtest::cell(tb, 3, 7)[QStringLiteral("bold")].toBool());
    EXPECT_EQ(wordtest::cell(tb, 3, 7)[QStringLiteral("top")].toInt(), 6);
    // Row 3 moves to the next page whole; the others may break there.
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(itemAt(tb[QStringLiteral("rows")].toArray(), r).toObject()[QStringLiteral("cant_split")].toBool(),
                  r == 2)
            << r;
    // Paragraphs break over pages with at least two lines on either side.
    EXPECT_TRUE(d[QStringLiteral("widow_control")].toBool());
    // Rows 4 and 5 are the inserted ones.
    EXPECT_EQ(itemAt(wordtest::rowTexts(tb), 3), QStringLiteral("||||||||"));
    EXPECT_EQ(itemAt(wordtest::rowTexts(tb), 4), QStringLiteral("||||||||"));
    const QJsonObject item = wordtest::cell(tb, 6, 4);
    EXPECT_TRUE(item[QStringLiteral("italic")].toBool());
    EXPECT_EQ(item[QStringLiteral("font")].toString(), QStringLiteral("Arial"));
    EXPECT_EQ(item[QStringLiteral("size")].toDouble(), 8.0);
    EXPECT_EQ(wordtest::cellText(tb, 6, 2), QStringLiteral("Terrein\ntweede regel"));
    EXPECT_TRUE(wordtest::cell(tb, 6, 2)[QStringLiteral("underline")].toBool());
    EXPECT_EQ(wordtest::cell(tb, 6, 8)[QStringLiteral("valign")].toString(), QStringLiteral("bottom"));
    EXPECT_EQ(wordtest::cell(tb, 6, 8)[QStringLiteral("alignment")].toInt(), 2);
    EXPECT_TRUE(wordtest::cell(tb, 6, 8)[QStringLiteral("keep_with_next")].toBool());
    EXPECT_EQ(wordtest::cell(tb, 6, 1)[QStringLiteral("bottom")].toInt(), 12);
}

TEST_F(DocumentTest, ATabInACellIsKept)
{
    // An imported name can carry a tab.
    Table &t = doc.Tables().Add(sel.Range(), 1, 2);
    t.Cell(1, 1).Text = QStringLiteral("Stort\tWest");
    t.Cell(1, 2).Text = QStringLiteral("\teen\r\ntwee\t");
    const QJsonObject tb = itemAt(wordtest::tables(saveAndRead()), 0).toObject();
    EXPECT_EQ(wordtest::cellText(tb, 1, 1), QStringLiteral("Stort\tWest"));
    EXPECT_EQ(wordtest::cellText(tb, 1, 2), QStringLiteral("\teen\ntwee\t"));
}

TEST_F(DocumentTest, CellsOutsideTheTableRaiseTheCollectionError)
{
    Table &t = doc.Tables().Add(sel.Range(), 2, 3);
    t.Merge(1, 1, 2);
    const std::vector<std::pair<int, int>> outside = {{0, 1}, {3, 1}, {1, 3}, {2, 4}, {1, 0}};
    for (const auto &[r, c] : outside) {
        try {
            t.Cell(r, c);
            ADD_FAILURE() << "cell " << r << "," << c;
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.number(), kErrNoSuchMember);
        }
    }
    EXPECT_THROW(t.Merge(2, 2, 4), platform::Error);
    EXPECT_THROW(doc.Tables()(2), platform::Error);
}

TEST_F(DocumentTest, HeaderAndFooterHoldTheirTextAndFields)
{
    sel.TypeText(QStringLiteral("tekst"));
    sel.InsertBreak(wdSectionBreakNextPage);
    sel.TypeText(QStringLiteral("tweede"));
    sel.Fields().Add(sel.Range(), wdFieldEmpty, QStringLiteral("NUMPAGES  \\* Arabic "));
    sel.SeekView(wdSeekCurrentPageHeader);
    sel.Font().Name = QStringLiteral("Arial");
    sel.Font().Size = 7;
    sel.Font().Italic = true;
    sel.TypeText(QStringLiteral("TAVIR 3.0\r\n"));
    sel.SeekView(wdSeekCurrentPageFooter);
    sel.Font().Size = 7;
    sel.ParagraphFormat().TabStops.ClearAll();
    sel.ParagraphFormat().TabStops.Add(CentimetersToPoints(15), wdAlignTabRight, 0);
    sel.TypeText(QStringLiteral("Afgedrukt d.d. "));
    sel.Fields().Add(sel.Range(), wdFieldEmpty, QStringLiteral("DATE  \\@ \"d-MMM-yyyy  HH:mm\" "));
    sel.TypeText(QStringLiteral("\tpag. "));
    sel.Fields().Add(sel.Range(), wdFieldEmpty, QStringLiteral("PAGE  \\* Arabic "));
    sel.SeekView(wdSeekMainDocument);
    sel.TypeText(QStringLiteral(" einde"));
    doc.UpdateFields(QDateTime(QDate(2024, 3, 5), QTime(9, 7)));

    const QJsonObject d = saveAndRead();
    const QJsonArray header = wordtest::paragraphs(d[QStringLiteral("header")].toArray());
    ASSERT_FALSE(header.isEmpty());
    EXPECT_EQ(header[0].toObject()[QStringLiteral("text")].toString(), QStringLiteral("TAVIR 3.0"));
    EXPECT_TRUE(itemAt(header[0].toObject()[QStringLiteral("runs")].toArray(), 0)
                    .toObject()[QStringLiteral("italic")]
                    .toBool());
    const QJsonObject footer = itemAt(wordtest::paragraphs(d[QStringLiteral("footer")].toArray()), 0).toObject();
    EXPECT_EQ(footer[QStringLiteral("text")].toString(), QStringLiteral("Afgedrukt d.d. 5-mrt-2024  09:07\tpag. 1"));
    EXPECT_EQ(footer[QStringLiteral("fields")].toArray(),
              (QJsonArray{QStringLiteral("DATE  \\@ \"d-MMM-yyyy  HH:mm\" "), QStringLiteral("PAGE  \\* Arabic ")}));
    const QJsonArray tabs = footer[QStringLiteral("tabs")].toArray();
    ASSERT_EQ(tabs.size(), 1);
    EXPECT_EQ(tabs[0].toObject()[QStringLiteral("pos")].toDouble(), 15.0);
    EXPECT_EQ(tabs[0].toObject()[QStringLiteral("align")].toInt(), 2);
    // Both sections show the same header and footer.
    EXPECT_EQ(d[QStringLiteral("sections")].toArray().size(), 2);
    // The page count is an estimate: two sections, each on a page of its own.
    EXPECT_EQ(wordtest::bodyTexts(d), (QStringList{QStringLiteral("tekst"), QStringLiteral("tweede2 einde")}));
    EXPECT_EQ(d[QStringLiteral("protection")], QJsonValue());
}

TEST(WordFieldResult, DatePicturesAreWrittenWithDutchMonthNames)
{
    const QDateTime t(QDate(2026, 12, 1), QTime(14, 5));
    EXPECT_EQ(fieldResult(QStringLiteral("DATE  \\@ \"d-MMM-yyyy H:mm\" "), t), QStringLiteral("1-dec-2026 14:05"));
    EXPECT_EQ(fieldResult(QStringLiteral("DATE \\@ \"dd MMMM yy 'om' h:mm\""), t),
              QStringLiteral("01 december 26 om 2:05"));
    EXPECT_EQ(fieldResult(QStringLiteral("PAGE  \\* Arabic "), t), QString());
}

} // namespace
