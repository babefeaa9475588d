#pragma once
// ADO's XML persistence format for a (hierarchical) recordset, read and
// written by our own code.
//
// The file is an element <xml> that declares four namespaces (s: the
// schema, dt: the data types, rs: the rowset, z: "#RowsetSchema"), then
// <s:Schema id='RowsetSchema'> with one <s:ElementType name='row'>: one
// <s:AttributeType> per column (name, rs:number, an <s:datatype> with
// dt:type, dt:maxLength, ...) and, for every chapter column of a
// hierarchical recordset, a nested <s:ElementType> named after the chapter
// whose rs:relation ties parent and child columns. Then <rs:data> holds the
// rows: <z:row> elements whose attributes are the column values (an absent
// attribute is Null, '' an empty text) and whose child elements, named after
// a chapter, are that chapter's rows. Values are in the invariant form ('.'
// for the decimal point, dates yyyy-mm-ddThh:mm:ss).
//
// Relation: the hex text of little-endian 32-bit column numbers (1-based),
// parent then child, pair after pair, closed by a 0: parent column 1 to
// child column 2 is "010000000200000000000000". ADO breaks long lines, also
// inside this value, so white space in it is skipped.
//
// Escaping: ADO writes " ' < & > as &#x22; &#x27; &#x3c; &#x26; &#x3e; and
// writes TAB, CR and LF raw inside attribute values. A conforming XML
// reader turns such raw characters into blanks; this reader keeps them as
// they stand, and this writer writes them as character references (&#x9;
// &#xd; &#xa;), so that no reader loses a line break of a text.
//
// Pending changes of a batch recordset (rs:insert, rs:update with
// rs:original, rs:delete) are read as the rows the recordset shows: the
// inserted rows and the new values of changed rows; deleted rows and the
// original values are skipped.

#include "platform/core/error_numbers.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace adoxml {

struct Column {
    QString name;          // the attribute name in the rows
    QString dtType;        // dt:type: "int", "i2", "ui1", "r4", "number", "dateTime", "string", ...
    QString dbType;        // rs:dbtype ("currency", "variantdate", ...), empty when absent
    int number = 0;        // rs:number, 1-based
    qint64 maxLength = -1; // dt:maxLength, -1 when absent
    int precision = -1;
    bool fixedLength = false;
    bool isLong = false;        // rs:long (a memo)
    bool nullable = false;      // rs:nullable
    bool autoIncrement = false; // rs:autoincrement
    bool keyColumn = false;     // rs:keycolumn
    QString baseTable;          // rs:basetable, rs:basecolumn
    QString baseColumn;
};

// The columns and chapters of one level of the hierarchy.
struct RowType {
    QString name; // element name: "row" at the top, else the chapter's name
    std::vector<Column> columns;
    std::vector<std::pair<int, int>> relation; // (parent, child) column numbers; empty at the top
    std::vector<RowType> chapters;

    int columnIndex(const QString &name) const;  // case-insensitive; -1 when absent
    int chapterIndex(const QString &name) const; // case-insensitive; -1 when absent
};

struct Row {
    std::vector<std::optional<QString>> values; // per column; nullopt is Null
    std::vector<std::vector<Row>> chapters;     // per chapter of the row type
};

struct Rowset {
    RowType type;
    std::vector<Row> rows;
};

// Reads a persisted recordset. A file that is not well-formed, is cut off,
// has a document type declaration, another root or namespaces, a row with
// an attribute that is not a column, a value that does not fit its column's
// data type, or a relation naming a column that does not exist is refused
// with platform::Error kErrOngeldigBestand and a Dutch description.
Rowset read(const QByteArray &bytes);

// The value of a row's column as text in the file converted by the
// column's data type: a whole number as qlonglong, r4/r8/number as double,
// a date as QDateTime (local), boolean as bool, anything else as QString;
// Null as a null QVariant. The text has passed read()'s checks.
QVariant typedValue(const Column &column, const std::optional<QString> &text);

// Writes the rowset as ADO does (CRLF line ends, tabs, single quotes, no
// declaration). A text value holding a character that XML cannot carry (a
// control character other than TAB, CR, LF) is refused with
// platform::Error kErrOngeldigBestand naming the column.
QByteArray write(const Rowset &rowset);

class Writer;

// Writes a file row after row, for rows read one after another rather than
// held in a Rowset: the bytes are those write() gives for the same rows with
// the values valueText() gives, and the same values are refused.
class RowWriter {
public:
    explicit RowWriter(const RowType &type); // the head and the schema
    ~RowWriter();
    RowWriter(const RowWriter &) = delete;
    RowWriter &operator=(const RowWriter &) = delete;

    // A row of `type` (the top type, or a chapter of the row begun last and
    // not yet ended) with one value per column. A row whose chapters hold
    // rows, which follow, is ended by endRow(); one without is ended at once.
    void beginRow(const RowType &type, const QVariant *const *values, bool chapterRowsFollow);
    void endRow();
    // The whole file.
    QByteArray finish();

private:
    struct Open;
    std::unique_ptr<Writer> m_writer;
    std::vector<Open> m_open;
};

// The text of a value in the file for a column of the given data type:
// whole numbers as digits, r4 as the shortest text that reads back as the
// same single, r8 as the same double, number with at most four decimals,
// dates as yyyy-mm-ddThh:mm:ss, boolean True/False. Null gives nullopt.
std::optional<QString> valueText(const Column &column, const QVariant &value);

} // namespace adoxml
