#pragma once
// Jet's write rules for statements run through Connection::Execute. The
// recordset checks (and converts) every value it is given before it writes;
// an INSERT or UPDATE statement writes values that SQLite would store
// whatever they are. The guard watches each row such a statement inserts or
// changes (SQLite's pre-update hook) and records the first value that breaks
// the column's rules: a number outside a Byte/Integer/Long/Single/Currency
// range, a text longer than its Text(n) column, a value that is no number
// in a numeric column. The statement runs inside a savepoint, so the caller
// rolls it back and raises the recorded error: nothing is written.
//
// The guard only refuses; it cannot change a value on its way in (a
// floating value into an Integer column is kept as SQLite stores it, where
// a recordset would round it). Columns of changed rows whose value stays
// the same are not checked, so a row holding an old out-of-rule value can
// still be changed in its other columns.

#include "platform/core/error.h"
#include "platform/db/jet_types.h"

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

struct sqlite3;

namespace db {

class PhysicalDatabase;

class WriteGuard {
public:
    explicit WriteGuard(PhysicalDatabase &db);
    ~WriteGuard();
    WriteGuard(const WriteGuard &) = delete;
    WriteGuard &operator=(const WriteGuard &) = delete;

    // Reads the column types of every table again when the schema changed
    // since the last call. Runs statements, so it must be called before a
    // guarded statement is stepped, never from inside the hook.
    void refresh();

    // Between arm() and disarm() every inserted or changed row is checked.
    void arm();
    // Stops checking; returns the first broken rule seen since arm().
    std::optional<platform::Error> disarm();

private:
    struct Column {
        QString name;
        ColumnType type;
        bool skip = false; // the row key: assigned by the engine
    };

    static void hook(void *self, sqlite3 *handle, int op, const char *dbName, const char *table, long long oldKey,
                     long long newKey);
    void check(sqlite3 *handle, int op, const char *table);

    PhysicalDatabase &m_db;
    QHash<QString, std::vector<Column>> m_tables; // by lower-case table name
    QHash<QString, QString> m_tableNames;         // lower-case -> as declared
    int m_schemaVersion = -1;
    bool m_armed = false;
    std::optional<platform::Error> m_violation;
};

} // namespace db
