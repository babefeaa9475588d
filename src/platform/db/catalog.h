#pragma once
// The schema of a database file: its tables and columns with their Jet
// kinds, and the changes the format upgrade needs (add, rename, drop and
// widen columns), plus compaction into a new file.

#include "platform/db/jet_types.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

namespace db {

class Connection;
class PhysicalDatabase;

struct ColumnInfo {
    QString name;
    QString declaredType; // as declared, e.g. "VARCHAR(20)"
    JetKind kind = JetKind::Unknown;
    int width = 0; // characters of a Text column, else 0
    bool notNull = false;
    QVariant defaultValue; // Null when the column has no default
    bool primaryKey = false;
};

// How much of a file SQLite's own check looks at (Catalog::passesCheck).
enum class FileCheck {
    // Every page of every table and index: the b-tree structure, every page
    // used exactly once (in a tree or on the free list), the format of every
    // record and the NOT NULL columns.
    Quick,
    // The above, and every row looked up in every index of its table (an
    // index entry too many, too few or wrong).
    Full,
};

struct ColumnSpec {
    QString name;
    JetKind kind = JetKind::Text;
    int width = 255; // Text only
    bool notNull = false;
    QVariant defaultValue; // Null: no default
};

class Catalog {
public:
    // Works through the connection's shared file handle.
    explicit Catalog(Connection &connection);

    QStringList tables() const; // user tables, by name
    bool hasTable(const QString &table) const;
    // Raises 3078 naming the file and every table of `tables` that it does
    // not hold (names compared without regard to case).
    void requireTables(const QStringList &tables) const;

    // Columns in table order; 3078 when the table does not exist.
    std::vector<ColumnInfo> columns(const QString &table) const;
    std::optional<ColumnInfo> column(const QString &table, const QString &name) const;
    bool hasColumn(const QString &table, const QString &name) const;

    // Text columns get COLLATE NOCASE. A NOT NULL column needs a default
    // (existing rows take it). 3191 when the column exists.
    void addColumn(const QString &table, const ColumnSpec &spec);
    void renameColumn(const QString &table, const QString &oldName, const QString &newName);
    // 3280 when a key or an index uses the column.
    void dropColumn(const QString &table, const QString &name);
    // Makes a Text column wider by rebuilding the table in one transaction;
    // rows, ids, the AutoNumber sequence, indexes and triggers are kept.
    // A width equal to the present one changes nothing; a smaller one is
    // refused (3219).
    void widenText(const QString &table, const QString &name, int width);
    // Rewrites what files of earlier versions declare COLLATE JETTEXT with
    // the collations every SQLite tool knows (docs/database-files.md), in
    // one transaction; rows, ids, indexes and triggers are kept. Returns
    // whether anything changed: false on a file that is already so.
    bool useStandardTextCollation();

    // Every table of the file, SQLite's own among them (the AutoNumber
    // sequence), with its number of rows, counted in the table itself rather
    // than in one of its indexes.
    QHash<QString, qint64> rowCounts() const;
    // Every table, index, view and trigger of the file by type and name, with
    // the SQL that made it.
    QHash<QString, QString> schemaObjects() const;
    // Whether SQLite's own check of the file finds nothing wrong. A page that
    // cannot be read at all raises its error.
    bool passesCheck(FileCheck how) const;
    // Reads the file whole: every row of every table to its last column and
    // every entry of every index, SQLite checking the cells of each page as
    // it reads it (cell_size_check). True when every table holds the number
    // of rows `rows` gives it (as rowCounts() of another file), no more
    // tables, and every index that is not partial one entry per row of its
    // table. A page or record that does not hold together raises its error.
    bool readsWhole(const QHash<QString, qint64> &rows) const;

private:
    std::shared_ptr<PhysicalDatabase> m_db;
    bool m_readOnly = false;
};

// Writes a compacted copy of sourceFile to targetFile (VACUUM INTO). The
// source is not changed. Refuses (3204) when targetFile exists; a failed
// copy is removed. The copy is not flushed to disk: a caller that keeps it
// flushes it.
void compactDatabase(const QString &sourceFile, const QString &targetFile);

} // namespace db
