#pragma once
// The rows of a recordset, read into memory at Open and shared by the
// recordset and its clones (each a Cursor with its own view of them). All
// changes to the shared rows go through here, so that every cursor's view
// and the equality indexes follow.

#include "platform/db/field_names.h"
#include "platform/db/jet_types.h"

#include <QHash>
#include <QString>
#include <QVariantList>
#include <map>
#include <memory>
#include <vector>

namespace db {

class Cursor;
class PhysicalDatabase;

struct FieldInfo {
    QString name;
    ColumnType type;
    QString table;      // base table, empty for an expression
    QString column;     // base column name
    bool isKey = false; // the table's INTEGER PRIMARY KEY (its rowid)
};

// What the schema says about one query, found when it is first opened and
// kept per database handle (PhysicalDatabase::cachedLayout) until the schema
// may have changed.
struct RecordLayout {
    QString runSql; // the query as run: may select the rowid as a hidden first column
    int offset = 0; // 1 with that hidden column
    std::vector<FieldInfo> fields;
    std::shared_ptr<const FieldNames> names; // name and "table.name" -> index
    QString baseTable;                       // the one table all columns come from, else empty
    int keyField = -1;                       // the selected AutoNumber key of the base table
    bool keyed = false;                      // rows carry their rowid: updates possible
    QString notKeyedReason;
};

struct Row {
    std::vector<QVariant> values;
    qint64 rowid = 0;   // key of the row in the base table
    quint64 serial = 0; // identity for bookmarks, unique in the process
    bool isNew = false; // added, not yet written
};

class RowStore {
public:
    // Runs the query and reads every row. wantKey asks for a key of each
    // row when the columns all come from one table (for updates).
    static std::shared_ptr<RowStore> load(std::shared_ptr<PhysicalDatabase> db, const QString &sql,
                                          const QVariantList &params, bool wantKey);
    ~RowStore();

    std::shared_ptr<PhysicalDatabase> db;
    QString sql;
    QVariantList params;
    std::vector<FieldInfo> fields;
    std::shared_ptr<const FieldNames> names; // name (and "table.name") -> index, any case
    QString baseTable;                       // the one table all columns come from, else empty
    bool keyed = false;                      // rows carry their rowid: updates possible
    QString notKeyedReason;
    std::vector<std::unique_ptr<Row>> rows; // in the order the query gave them

    int indexOf(QStringView name) const { return names->find(name); } // -1 when unknown

    Row *rowBySerial(quint64 serial) const { return m_bySerial.value(serial); }
    Row *addNew();         // appended; every cursor's view shows it
    void remove(Row *row); // gone from every view, then freed
    void setValue(Row *row, int field, const QVariant &value);

    void attach(Cursor *cursor);
    void detach(Cursor *cursor);

    // Equality indexes ("Optimize"): field -> key -> rows.
    bool hasIndex(int field) const { return m_indexes.count(field) != 0; }
    void setIndexed(int field, bool on);
    std::vector<int> indexedFields() const;
    QList<Row *> indexLookup(int field, const QString &key) const;

private:
    Row *push(std::unique_ptr<Row> row);
    std::vector<Cursor *> m_cursors;
    QHash<quint64, Row *> m_bySerial;
    std::map<int, QMultiHash<QString, Row *>> m_indexes;
};

} // namespace db
