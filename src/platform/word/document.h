#pragma once
// A small word-processor document model that writes Office Open XML
// (.docx), with the names of the Word object model where the report code
// reads better for it.
//
// The model covers what the report writers do: they type at the selection,
// which always stands at the end of a story (the main text, the page header
// or the page footer); they add tables there and then fill any cell; they
// break sections and set the page of the section that holds the selection.
//
//   Application app;
//   Document &doc = app.Documents().Add();
//   Selection &sel = app.Selection();
//   sel.Font().Name = "Arial"; sel.Font().Size = 15;
//   sel.TypeText("Titel"); sel.InsertBreak(wdLineBreak);
//   Table &t = doc.Tables().Add(sel.Range(), 3, 2);
//   t.Cell(1, 1).Text = "Naam";
//   doc.Protect(wdAllowOnlyFormFields, "geheim");
//   doc.SaveAs("/pad/rapport.docx");
//
// Lengths are points (72 to the inch), as Word's are. Rows, columns and
// cells are numbered from 1; Cell(r, c) is the c-th cell of row r, so after
// merging cells 1 and 2 of a row its last cell is number 8 of 9. An index
// outside the table raises platform::Error 5941, as Word does; a failed save
// raises 5356 and leaves any existing file as it was.
//
// Text typed or put into a cell: CR LF, CR or LF ends a paragraph, TAB is a
// tab. The font of the selection applies to what is typed after it is set;
// the paragraph format of the selection is that of the paragraph being
// typed, and a new paragraph starts with the format of the one before.

#include "platform/core/error_numbers.h"

#include <QDateTime>
#include <QString>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace word {

// InsertBreak types.
inline constexpr int wdSectionBreakNextPage = 2;
inline constexpr int wdLineBreak = 6;
inline constexpr int wdPageBreak = 7;
// EndKey unit.
inline constexpr int wdStory = 6;
// Paragraph alignment.
inline constexpr int wdAlignParagraphLeft = 0;
inline constexpr int wdAlignParagraphCenter = 1;
inline constexpr int wdAlignParagraphRight = 2;
// Tab stop alignment.
inline constexpr int wdAlignTabLeft = 0;
inline constexpr int wdAlignTabRight = 2;
// Cell vertical alignment.
inline constexpr int wdCellAlignVerticalTop = 0;
inline constexpr int wdCellAlignVerticalBottom = 3;
// Border items of a row.
inline constexpr int wdBorderTop = -1;
inline constexpr int wdBorderBottom = -3;
// Line styles and widths (eighths of a point).
inline constexpr int wdLineStyleNone = 0;
inline constexpr int wdLineStyleSingle = 1;
inline constexpr int wdLineWidth075pt = 6;
inline constexpr int wdLineWidth150pt = 12;
// Orientation.
inline constexpr int wdOrientPortrait = 0;
inline constexpr int wdOrientLandscape = 1;
// Section start and page vertical alignment.
inline constexpr int wdSectionNewPage = 2;
inline constexpr int wdAlignVerticalTop = 0;
// Protection types.
inline constexpr int wdAllowOnlyRevisions = 0;
inline constexpr int wdAllowOnlyComments = 1;
inline constexpr int wdAllowOnlyFormFields = 2;
inline constexpr int wdAllowOnlyReading = 3;
// Field type "empty": the code is the field.
inline constexpr int wdFieldEmpty = -1;
// Seek views.
inline constexpr int wdSeekMainDocument = 0;
inline constexpr int wdSeekCurrentPageHeader = 9;
inline constexpr int wdSeekCurrentPageFooter = 10;
// Row height rule.
inline constexpr int wdRowHeightAuto = 0;
inline constexpr int wdRowHeightAtLeast = 1;

inline float CentimetersToPoints(float cm)
{
    return cm * 72.0f / 2.54f;
}

// The language of every document's text and fields.
inline const QString kDocumentLanguage = QStringLiteral("nl-NL");

// Character formatting.
struct Font {
    QString Name = QStringLiteral("Times New Roman");
    float Size = 12;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const Font &) const = default;
};

struct TabStop {
    float Position = 0; // points from the left margin
    int Alignment = wdAlignTabLeft;
    int Leader = 0;
    bool operator==(const TabStop &) const = default;
};

class TabStops {
public:
    void ClearAll() { m_stops.clear(); }
    void Add(float position, int alignment = wdAlignTabLeft, int leader = 0);
    const std::vector<TabStop> &items() const { return m_stops; }
    bool operator==(const TabStops &) const = default;

private:
    std::vector<TabStop> m_stops;
};

struct ParagraphFormat {
    int Alignment = wdAlignParagraphLeft;
    bool KeepWithNext = false;
    word::TabStops TabStops;
    bool operator==(const ParagraphFormat &) const = default;
};

struct PageSetup {
    int Orientation = wdOrientPortrait;
    float PageWidth = CentimetersToPoints(21.0f);
    float PageHeight = CentimetersToPoints(29.7f);
    float TopMargin = CentimetersToPoints(2.5f);
    float BottomMargin = CentimetersToPoints(2.5f);
    float LeftMargin = CentimetersToPoints(3.17f);
    float RightMargin = CentimetersToPoints(3.17f);
    float HeaderDistance = CentimetersToPoints(1.25f);
    float FooterDistance = CentimetersToPoints(1.25f);
    int SectionStart = wdSectionNewPage;
    int VerticalAlignment = wdAlignVerticalTop;
};

// A piece of a paragraph.
struct Run {
    enum class Kind { Text, Tab, LineBreak, PageBreak, Field };
    Kind kind = Kind::Text;
    QString text; // the text, or the field code
    word::Font font;
    QString fieldResult; // a field's shown result
};

struct Paragraph {
    word::ParagraphFormat format;
    std::vector<Run> runs;
    // The section that this paragraph closes (index), or -1.
    int endsSection = -1;
    // The font of the paragraph mark: that of the selection when the
    // paragraph began. It gives an empty paragraph its height.
    word::Font markFont;
    bool empty() const { return runs.empty(); }
    QString text() const; // tabs as TAB, breaks as LF, fields by result
};

struct Border {
    bool Visible = false;
    int LineStyle = wdLineStyleNone;
    int LineWidth = wdLineWidth075pt;
    void setLineStyle(int style)
    {
        LineStyle = style;
        Visible = style != wdLineStyleNone;
    }
    void setVisible(bool visible);
};

// One cell: its text, one character format and one paragraph format for
// the whole cell. Setting Text replaces the cell's text and keeps the
// formats, as replacing a cell range's text does.
struct Cell {
    QString Text;
    word::Font Font;
    word::ParagraphFormat ParagraphFormat;
    int VerticalAlignment = wdCellAlignVerticalTop;
    int span = 1; // grid columns covered
};

class Table;

class Row {
public:
    std::vector<Cell> cells;
    Border top, bottom;
    bool HeadingFormat = false;
    // False: the row moves to the next page whole rather than break there.
    bool AllowBreakAcrossPages = true;
    float Height = 0;
    int HeightRule = wdRowHeightAuto;

    // The row's range: every cell.
    void setFontSize(float size);
    void setBold(bool bold);
    void setItalic(bool italic);
    void setFontName(const QString &name);
    Border &Borders(int item);
};

class Table {
public:
    Table(int rows, int columns, float width, const Font &font, const ParagraphFormat &format);

    word::Cell &Cell(int row, int column);
    word::Row &Rows(int row);
    int RowCount() const { return int(m_rows.size()); }
    int ColumnCount() const { return int(m_widths.size()); }

    // Columns(i).Width.
    void SetColumnWidth(int column, float width);
    float ColumnWidth(int column) const;
    // The cells of grid column `column` in every row (Columns(i).Select).
    std::vector<word::Cell *> ColumnCells(int column);

    // Merges cells first..last of a row into the first; the texts of the
    // cells that hold text are joined as paragraphs.
    void Merge(int row, int first, int last);
    // Inserts `count` empty rows above `row`, laid out like it.
    void InsertRows(int row, int count);
    // Deletes rows first..last.
    void DeleteRows(int first, int last);
    // Cells.HeightRule of every row.
    void SetHeightRule(int rule);
    // Rows.AllowBreakAcrossPages of every row.
    void SetAllowBreakAcrossPages(bool allow);

    Border InsideHorizontal, InsideVertical, OutsideTop, OutsideBottom, OutsideLeft, OutsideRight;
    void SetInsideLineStyle(int style, int width = wdLineWidth075pt);
    void SetOutsideLineStyle(int style, int width = wdLineWidth075pt);

    const std::vector<Row> &rows() const { return m_rows; }
    const std::vector<float> &widths() const { return m_widths; }

private:
    Row &row(int r);
    std::vector<Row> m_rows;
    std::vector<float> m_widths;
};

// A story's blocks: paragraphs and tables, in order.
struct Block {
    std::optional<Paragraph> paragraph;
    std::shared_ptr<Table> table;
};

struct Story {
    std::vector<Block> blocks;
    word::Font font; // the font for what is typed next
    Paragraph &current();
    void newParagraph();
};

class Document;

// Where something is inserted: the selection's insertion point.
struct Range {
    Story *story = nullptr;
};

class Fields {
public:
    explicit Fields(Story *&story) : m_story(story) {}
    // Adds a field at the range: type wdFieldEmpty takes the code as is.
    void Add(const Range &range, int type, const QString &code, bool preserveFormatting = true);

private:
    Story *&m_story;
};

class Selection {
public:
    explicit Selection(Document &doc);

    word::Font &Font() { return m_story->font; }
    word::ParagraphFormat &ParagraphFormat() { return m_story->current().format; }
    word::PageSetup &PageSetup();
    word::Range Range() { return {m_story}; }
    word::Fields &Fields() { return m_fields; }

    void TypeText(const QString &text);
    void TypeParagraph();
    void InsertBreak(int type);
    // The end of the story (wdStory).
    void EndKey(int unit = wdStory);
    void SeekView(int view);

private:
    friend class Document;
    Document &m_doc;
    Story *m_story;
    word::Fields m_fields;
};

class Tables {
public:
    explicit Tables(Document &doc) : m_doc(doc) {}
    word::Table &Add(const Range &range, int rows, int columns);
    word::Table &operator()(int index);
    int Count() const;

private:
    Document &m_doc;
};

struct Protection {
    int type = -1; // -1: none
    QString password;
};

class Document {
public:
    Document();
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;

    word::Selection &Selection() { return m_selection; }
    word::Tables &Tables() { return m_tables; }
    Story &MainStory() { return m_main; }
    Story &Header() { return m_header; }
    Story &Footer() { return m_footer; }
    const Story &MainStory() const { return m_main; }
    const Story &Header() const { return m_header; }
    const Story &Footer() const { return m_footer; }
    std::vector<PageSetup> &Sections() { return m_sections; }
    const std::vector<PageSetup> &Sections() const { return m_sections; }

    // Gives every field its current result: the date fields the time of
    // the call, PAGE 1 and NUMPAGES the page count. Readers that
    // lay the document out (Word, LibreOffice) recompute the page fields;
    // one that does not shows these results. No field is marked to be
    // updated when the document opens.
    void UpdateFields(const QDateTime &now = QDateTime::currentDateTime());
    // Gives a result to every field that has none yet, as UpdateFields
    // would; SaveAs does this, so that no field is saved empty.
    void GiveFieldsAResult(const QDateTime &now = QDateTime::currentDateTime());
    // The number of pages the document will have: the document laid out
    // by the rules a reader lays it out by (page_estimate.cpp), so that it
    // is the count LibreOffice (and Word, with the same fonts) arrives at.
    // At least 1.
    int EstimatedPageCount() const;
    void Protect(int type, const QString &password);
    const Protection &protection() const { return m_protection; }

    // Saves as Office Open XML, whatever the file's extension. The document
    // is written to a temporary file in the target folder and renamed into
    // place, so the target holds either its old content or the whole new
    // document. Failure: platform::Error kErrSaveFailed.
    void SaveAs(const QString &fileName);
    // The package as bytes.
    QByteArray toDocx() const;

    bool TableGridlines = true;

private:
    friend class Selection;
    friend class word::Tables;
    Story m_main, m_header, m_footer;
    std::vector<PageSetup> m_sections;
    word::Selection m_selection;
    word::Tables m_tables;
    std::vector<std::shared_ptr<Table>> m_tableList;
    Protection m_protection;
};

class Application {
public:
    Application();
    ~Application();
    class DocumentList {
    public:
        explicit DocumentList(Application &app) : m_app(app) {}
        Document &Add();
        int Count() const { return int(m_app.m_documents.size()); }

    private:
        Application &m_app;
    };
    DocumentList &Documents() { return m_docs; }
    // The selection of the active (last added) document; error 5941 when
    // there is none.
    word::Selection &Selection();
    Document &ActiveDocument();
    static float CentimetersToPoints(float cm) { return word::CentimetersToPoints(cm); }
    void Quit() { m_documents.clear(); }
    bool Visible = false;

private:
    std::vector<std::unique_ptr<Document>> m_documents;
    DocumentList m_docs;
};

// The text of a field whose result is known without a layout (DATE with a
// \@ picture); an empty text for others.
QString fieldResult(const QString &code, const QDateTime &now);

} // namespace word
