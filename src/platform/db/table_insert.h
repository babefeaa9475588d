#pragma once
// Many new rows for one table through one prepared INSERT of a fixed list
// of columns, as an import adds them. Every value is checked and converted
// by Jet's write rules exactly as a recordset's field assignment does
// (checkedValue: rounded into an Integer, to a float for a Single, refused
// when it does not fit), so a row is stored as AddNew and Update would store
// it; NOT NULL, the table's constraints and its triggers are SQLite's, as on
// any write.

#include "platform/db/jet_types.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace db {

class Connection;
class PhysicalDatabase;

class TableInsert {
public:
    // The columns by name, without regard to case. 3078 when the table does
    // not exist, 3265 for a column it lacks.
    TableInsert(Connection &connection, const QString &table, const QStringList &columns);
    ~TableInsert();
    TableInsert(const TableInsert &) = delete;
    TableInsert &operator=(const TableInsert &) = delete;

    // Adds one row with `values` in the order of the columns and returns its
    // row id (the AutoNumber). A value that breaks a rule raises the error of
    // the field assignment (3163, 3349, 3421, 3164) and nothing is written;
    // a read-only connection is refused (3027) as a recordset refuses it.
    qint64 insert(const QVariantList &values);

private:
    std::shared_ptr<PhysicalDatabase> m_db;
    bool m_readOnly = false;
    QString m_table;
    std::vector<std::pair<QString, ColumnType>> m_columns; // as the table declares them
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace db
