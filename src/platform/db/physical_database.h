#pragma once
// One SQLite handle per database file, shared by every logical connection
// and recordset open on that file. Transactions live here, so a transaction
// begun through one connection spans all of them; nested levels are
// savepoints.

#include <QHash>
#include <QString>
#include <QVariantList>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class WriteGuard;
struct RecordLayout;

class PhysicalDatabase {
public:
    // The shared handle of the file (opened on first use). Throws 3024 for
    // a missing file, 3343 for a file that is not a SQLite database, 3051
    // when it cannot be opened. Never creates or changes the file.
    static std::shared_ptr<PhysicalDatabase> acquire(const QString &path);

    ~PhysicalDatabase();
    PhysicalDatabase(const PhysicalDatabase &) = delete;
    PhysicalDatabase &operator=(const PhysicalDatabase &) = delete;

    sqlite3 *handle() const { return m_handle; }
    const QString &path() const { return m_path; }
    bool isReadOnly() const { return m_readOnly; }

    // A prepared statement from a small cache, reset and unbound; the
    // caller resets it again after use (StatementLease does).
    sqlite3_stmt *cachedStatement(const QString &sql);
    void clearStatementCache();

    // Prepares one statement (not cached). Throws a translated error.
    sqlite3_stmt *prepare(const QString &sql);

    // Runs every statement of `sql`, binding params in order; returns the
    // number of rows inserted, changed or deleted. With allowWrite false a
    // statement that would write is refused (3027) before it runs. With
    // checkWrites every row an INSERT or UPDATE writes must keep Jet's rules
    // (WriteGuard); when one does not, the whole text is undone and its
    // error (3163, 3349, 3421) raised.
    qint64 execute(const QString &sql, const QVariantList &params = {}, bool allowWrite = true,
                   bool checkWrites = false);

    // Binds params to stmt; throws 3061 when the count does not fit.
    void bindAll(sqlite3_stmt *stmt, const QVariantList &params, int first = 0);

    // Steps stmt; returns true for a row, false when done; throws otherwise.
    bool step(sqlite3_stmt *stmt);

    int transactionDepth() const { return m_depth; }
    int beginTransaction(); // returns the new level (1 = outermost)
    void commitTransaction();
    void rollbackTransaction();

    // What a recordset open learns from the schema about one query (its
    // fields, their types and widths, the base table and its key), kept per
    // handle so that opening the same query again asks the schema nothing.
    // A layout is handed out only while the schema is as it was when the
    // layout was kept: every change through this handle (DDL, the catalog,
    // a rollback, which may undo DDL) drops them all, and so does a change
    // of the file's schema version (another process).
    std::shared_ptr<const RecordLayout> cachedLayout(const QString &key);
    void keepLayout(const QString &key, std::shared_ptr<const RecordLayout> layout);
    // The schema may have changed: drop the kept layouts.
    void schemaChanged() { m_schemaChanged = true; }

    // Throws the Dutch error for the handle's last failure (rc given).
    [[noreturn]] void raise(int rc, const QString &sql = QString()) const;

    // Runs a statement without parameters or rows (DDL, PRAGMA).
    void run(const QString &sql);

private:
    PhysicalDatabase(const QString &path, sqlite3 *handle, bool readOnly);
    qint64 executeAll(const QByteArray &utf8, const QString &sql, const QVariantList &params, bool allowWrite,
                      bool checkWrites);

    QString m_path;
    sqlite3 *m_handle = nullptr;
    bool m_readOnly = false;
    int m_depth = 0;
    QHash<QString, sqlite3_stmt *> m_cache;
    QHash<QString, std::shared_ptr<const RecordLayout>> m_layouts;
    int m_layoutSchemaVersion = 0; // the file's schema version the layouts were made under
    bool m_schemaChanged = false;
    std::unique_ptr<WriteGuard> m_guard; // made on the first checked write
};

// Resets a cached statement when it goes out of scope.
class StatementLease {
public:
    StatementLease(PhysicalDatabase &db, const QString &sql) : m_stmt(db.cachedStatement(sql)) {}
    ~StatementLease();
    StatementLease(const StatementLease &) = delete;
    StatementLease &operator=(const StatementLease &) = delete;
    sqlite3_stmt *get() const { return m_stmt; }

private:
    sqlite3_stmt *m_stmt;
};

// Finalizes an owned statement when it goes out of scope.
class OwnedStatement {
public:
    explicit OwnedStatement(sqlite3_stmt *stmt = nullptr) : m_stmt(stmt) {}
    ~OwnedStatement();
    OwnedStatement(const OwnedStatement &) = delete;
    OwnedStatement &operator=(const OwnedStatement &) = delete;
    sqlite3_stmt *get() const { return m_stmt; }

private:
    sqlite3_stmt *m_stmt;
};

} // namespace db
