#include "physical_database.h"

#include "jet_collation.h"
#include "jet_types.h"
#include "platform/core/error_numbers.h"
#include "sql_error.h"
#include "write_guard.h"

#include <QFile>
#include <QFileInfo>
#include <mutex>
#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

namespace db {

using platform::Error;

namespace {

std::recursive_mutex registryMutex; // the destructor may run inside acquire()
QHash<QString, std::weak_ptr<PhysicalDatabase>> &registry()
{
    static QHash<QString, std::weak_ptr<PhysicalDatabase>> map;
    return map;
}

constexpr int kCacheLimit = 64;
constexpr int kLayoutLimit = 256;

// A statement that cannot change the schema: reads, row changes and
// transaction control other than a rollback. Anything else (DDL, PRAGMA,
// VACUUM, ATTACH, ROLLBACK, ...) may.
bool keepsSchema(sqlite3_stmt *stmt)
{
    if (!stmt)
        return true;
    const QByteArray text = QByteArray(sqlite3_sql(stmt)).trimmed().toUpper();
    for (const char *word :
         {"SELECT", "INSERT", "UPDATE", "DELETE", "REPLACE", "WITH", "BEGIN", "COMMIT", "END", "SAVEPOINT", "RELEASE"})
        if (text.startsWith(word))
            return true;
    return false;
}

void rolledBack(void *db)
{
    // Only a mark: the hook runs inside SQLite and may not use the handle.
    static_cast<PhysicalDatabase *>(db)->schemaChanged();
}

// Reads the 16-byte SQLite header without touching anything else.
bool hasSqliteHeader(const QString &path, bool &readable)
{
    QFile f(path);
    readable = f.open(QIODevice::ReadOnly);
    if (!readable)
        return false;
    const QByteArray head = f.read(16);
    return head == QByteArray("SQLite format 3\0", 16);
}

// Whether this process may write `path`, judged by its effective rights
// (what a write itself is judged by), not its real ones.
bool mayWrite(const QString &path)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

} // namespace

std::shared_ptr<PhysicalDatabase> PhysicalDatabase::acquire(const QString &path)
{
    const QFileInfo info(path);
    if (path.trimmed().isEmpty() || !info.exists())
        throw Error(err::kFileNotFound, QStringLiteral("Het databestand '%1' is niet gevonden.").arg(path));
    if (info.isDir())
        throw Error(err::kCannotOpen,
                    QStringLiteral("Het databestand '%1' kan niet worden geopend: het is een map.").arg(path));
    const QString canonical = info.canonicalFilePath();

    std::lock_guard<std::recursive_mutex> lock(registryMutex);
    if (auto existing = registry().value(canonical).lock())
        return existing;

    bool readable = false;
    if (!hasSqliteHeader(canonical, readable)) {
        if (!readable)
            throw Error(err::kCannotOpen,
                        QStringLiteral("Het databestand '%1' kan niet worden geopend (geen leesrechten).").arg(path));
        throw Error(err::kNotADatabase,
                    QStringLiteral("Het bestand '%1' is geen databestand of is beschadigd.").arg(path));
    }

    // Never create the file; where the file or its folder cannot be
    // written, open read-only so that writes fail cleanly (and a journal
    // that cannot be rolled back says so).
    bool readOnly = !mayWrite(canonical) || !mayWrite(info.absolutePath());
    sqlite3 *h = nullptr;
    // A handle is only ever used by one thread at a time (the program's
    // own), so SQLite need not lock it around every call: in a read that is
    // a lock and an unlock for every column of every row.
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_NOMUTEX;
    int rc = sqlite3_open_v2(canonical.toUtf8().constData(), &h, flags, nullptr);
    if (rc != SQLITE_OK) {
        const Error e = sqlError(h, rc, path);
        sqlite3_close_v2(h);
        throw Error(err::kCannotOpen,
                    QStringLiteral("Het databestand '%1' kan niet worden geopend (%2).").arg(path, e.description()));
    }
    if (!readOnly && sqlite3_db_readonly(h, "main") == 1)
        readOnly = true;
    registerJetCollation(h);
    sqlite3_busy_timeout(h, 2000);

    std::shared_ptr<PhysicalDatabase> db(new PhysicalDatabase(canonical, h, readOnly));
    // Probe: the header page and the schema must be readable.
    for (const char *probe : {"PRAGMA schema_version", "SELECT count(*) FROM sqlite_schema"}) {
        sqlite3_stmt *stmt = nullptr;
        rc = sqlite3_prepare_v2(h, probe, -1, &stmt, nullptr);
        if (rc == SQLITE_OK)
            rc = sqlite3_step(stmt);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_ROW) {
            const int primary = rc & 0xff;
            if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
                throw Error(err::kNotADatabase,
                            QStringLiteral("Het bestand '%1' is geen databestand of is beschadigd.").arg(path));
            throw sqlError(h, rc, path);
        }
    }
    registry().insert(canonical, db);
    return db;
}

PhysicalDatabase::PhysicalDatabase(const QString &path, sqlite3 *handle, bool readOnly)
    : m_path(path), m_handle(handle), m_readOnly(readOnly)
{
    // A rollback may undo DDL, also one SQLite makes itself after a failure.
    sqlite3_rollback_hook(m_handle, rolledBack, this);
}

PhysicalDatabase::~PhysicalDatabase()
{
    m_guard.reset();
    clearStatementCache();
    sqlite3_close_v2(m_handle); // rolls back an open transaction
    std::lock_guard<std::recursive_mutex> lock(registryMutex);
    auto it = registry().find(m_path);
    if (it != registry().end() && it->expired())
        registry().erase(it);
}

void PhysicalDatabase::raise(int rc, const QString &sql) const
{
    throw sqlError(m_handle, rc, m_path, sql);
}

sqlite3_stmt *PhysicalDatabase::prepare(const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_handle, utf8.constData(), int(utf8.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        raise(rc, sql);
    }
    return stmt;
}

sqlite3_stmt *PhysicalDatabase::cachedStatement(const QString &sql)
{
    if (sqlite3_stmt *stmt = m_cache.value(sql)) {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        return stmt;
    }
    if (m_cache.size() >= kCacheLimit)
        clearStatementCache();
    sqlite3_stmt *stmt = prepare(sql);
    m_cache.insert(sql, stmt);
    return stmt;
}

void PhysicalDatabase::clearStatementCache()
{
    for (sqlite3_stmt *stmt : std::as_const(m_cache))
        sqlite3_finalize(stmt);
    m_cache.clear();
}

std::shared_ptr<const RecordLayout> PhysicalDatabase::cachedLayout(const QString &key)
{
    // When the version cannot be read (a locked or damaged file) nothing is
    // reused or kept; the open itself then meets and reports the failure.
    int version = 0;
    bool known = false;
    try {
        StatementLease stmt(*this, QStringLiteral("PRAGMA schema_version"));
        known = sqlite3_step(stmt.get()) == SQLITE_ROW;
        if (known)
            version = sqlite3_column_int(stmt.get(), 0);
    } catch (const Error &) {
    }
    if (!known || m_schemaChanged || version != m_layoutSchemaVersion) {
        m_layouts.clear();
        m_layoutSchemaVersion = version;
        m_schemaChanged = !known;
        return nullptr;
    }
    return m_layouts.value(key);
}

void PhysicalDatabase::keepLayout(const QString &key, std::shared_ptr<const RecordLayout> layout)
{
    if (m_schemaChanged)
        return; // described under a schema that may be gone already
    if (m_layouts.size() >= kLayoutLimit)
        m_layouts.clear();
    m_layouts.insert(key, std::move(layout));
}

void PhysicalDatabase::bindAll(sqlite3_stmt *stmt, const QVariantList &params, int first)
{
    const int n = sqlite3_bind_parameter_count(stmt);
    if (first + n > params.size())
        throw Error(err::kParameterCount,
                    QStringLiteral("De opdracht \"%1\" verwacht %2 parameter(s), er zijn er %3 gegeven.")
                        .arg(QString::fromUtf8(sqlite3_sql(stmt)))
                        .arg(n)
                        .arg(params.size() - first));
    for (int i = 0; i < n; ++i) {
        const int rc = bindValue(stmt, i + 1, params.at(first + i));
        if (rc != SQLITE_OK)
            raise(rc, QString::fromUtf8(sqlite3_sql(stmt)));
    }
}

bool PhysicalDatabase::step(sqlite3_stmt *stmt)
{
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const Error e = sqlError(m_handle, rc, m_path, QString::fromUtf8(sqlite3_sql(stmt)));
    sqlite3_reset(stmt);
    throw e;
}

void PhysicalDatabase::run(const QString &sql)
{
    OwnedStatement stmt(prepare(sql));
    const bool keeps = keepsSchema(stmt.get());
    try {
        while (step(stmt.get())) {
        }
    } catch (...) {
        if (!keeps)
            schemaChanged();
        throw;
    }
    if (!keeps)
        schemaChanged();
}

namespace {

// INSERT, UPDATE, DELETE or REPLACE (also behind a WITH clause): a statement
// that changes rows and may run inside a savepoint (VACUUM, BEGIN and the
// like may not).
bool changesRows(sqlite3_stmt *stmt)
{
    if (!stmt || sqlite3_stmt_readonly(stmt))
        return false;
    const QByteArray text = QByteArray(sqlite3_sql(stmt)).trimmed().toUpper();
    for (const char *word : {"INSERT", "UPDATE", "DELETE", "REPLACE", "WITH"})
        if (text.startsWith(word))
            return true;
    return false;
}

} // namespace

qint64 PhysicalDatabase::execute(const QString &sql, const QVariantList &params, bool allowWrite, bool checkWrites)
{
    const QByteArray utf8 = sql.toUtf8();
    // Several statements in one text run as one unit.
    const char *tail = nullptr;
    int count = 0;
    bool guarded = false;
    {
        sqlite3_stmt *first = nullptr;
        const int rc = sqlite3_prepare_v2(m_handle, utf8.constData(), int(utf8.size()), &first, &tail);
        OwnedStatement guard(first);
        if (rc != SQLITE_OK)
            raise(rc, sql);
        count = first ? sqlite3_bind_parameter_count(first) : 0;
        guarded = checkWrites && changesRows(first);
    }
    const QByteArray rest = QByteArray(tail).trimmed();
    const bool several = !rest.isEmpty() && rest != ";";
    if (!several && count != params.size())
        throw Error(err::kParameterCount,
                    QStringLiteral("De opdracht \"%1\" verwacht %2 parameter(s), er zijn er %3 gegeven.")
                        .arg(sql)
                        .arg(count)
                        .arg(params.size()));
    if (!several && !guarded)
        return executeAll(utf8, sql, params, allowWrite, false);
    // A checked write is undone as a whole when a row breaks a rule.
    run(QStringLiteral("SAVEPOINT tavir_execute"));
    try {
        const qint64 n = executeAll(utf8, sql, params, allowWrite, checkWrites);
        run(QStringLiteral("RELEASE tavir_execute"));
        return n;
    } catch (...) {
        sqlite3_exec(m_handle, "ROLLBACK TO tavir_execute; RELEASE tavir_execute", nullptr, nullptr, nullptr);
        schemaChanged();
        throw;
    }
}

qint64 PhysicalDatabase::executeAll(const QByteArray &utf8, const QString &sql, const QVariantList &params,
                                    bool allowWrite, bool checkWrites)
{
    const qint64 before = sqlite3_total_changes64(m_handle);
    const char *p = utf8.constData();
    const char *end = p + utf8.size();
    int used = 0;
    while (p < end) {
        sqlite3_stmt *raw = nullptr;
        const char *tail = nullptr;
        const int rc = sqlite3_prepare_v2(m_handle, p, int(end - p), &raw, &tail);
        OwnedStatement stmt(raw);
        if (rc != SQLITE_OK)
            raise(rc, sql);
        p = tail;
        if (!raw)
            continue; // blanks or a comment
        if (!allowWrite && !sqlite3_stmt_readonly(raw))
            throw Error(err::kReadOnly,
                        QStringLiteral("De verbinding met het databestand '%1' is alleen-lezen geopend; de "
                                       "wijziging is niet uitgevoerd.")
                            .arg(m_path));
        bindAll(raw, params, used);
        used += sqlite3_bind_parameter_count(raw);
        const bool guarded = checkWrites && changesRows(raw);
        const bool keeps = keepsSchema(raw);
        if (guarded) {
            if (!m_guard)
                m_guard = std::make_unique<WriteGuard>(*this);
            m_guard->refresh(); // an earlier statement of the text may have changed the schema
            m_guard->arm();
        }
        try {
            while (step(raw)) {
            }
        } catch (...) {
            if (guarded)
                m_guard->disarm();
            if (!keeps)
                schemaChanged();
            throw;
        }
        if (!keeps)
            schemaChanged();
        if (guarded) {
            if (auto broken = m_guard->disarm())
                throw *broken;
        }
    }
    if (used != params.size())
        throw Error(err::kParameterCount,
                    QStringLiteral("De opdracht \"%1\" verwacht %2 parameter(s), er zijn er %3 gegeven.")
                        .arg(sql)
                        .arg(used)
                        .arg(params.size()));
    return sqlite3_total_changes64(m_handle) - before;
}

// ---- transactions ---------------------------------------------------------

int PhysicalDatabase::beginTransaction()
{
    if (m_depth > 0 && sqlite3_get_autocommit(m_handle))
        m_depth = 0; // SQLite rolled the transaction back itself after an error
    run(m_depth == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT tavir_%1").arg(m_depth));
    return ++m_depth;
}

void PhysicalDatabase::commitTransaction()
{
    if (m_depth > 0 && sqlite3_get_autocommit(m_handle)) {
        m_depth = 0;
        throw Error(err::kNoTransaction,
                    QStringLiteral("De transactie is al teruggedraaid na een fout; er is niets vastgelegd."));
    }
    if (m_depth == 0)
        throw Error(err::kNoTransaction, QStringLiteral("Er is geen transactie gestart."));
    run(m_depth == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE tavir_%1").arg(m_depth - 1));
    --m_depth;
}

void PhysicalDatabase::rollbackTransaction()
{
    if (m_depth > 0 && sqlite3_get_autocommit(m_handle)) {
        m_depth = 0;
        return;
    }
    if (m_depth == 0)
        throw Error(err::kNoTransaction, QStringLiteral("Er is geen transactie gestart."));
    if (m_depth == 1)
        run(QStringLiteral("ROLLBACK"));
    else {
        const QString name = QStringLiteral("tavir_%1").arg(m_depth - 1);
        run(QStringLiteral("ROLLBACK TO ") + name);
        run(QStringLiteral("RELEASE ") + name);
    }
    --m_depth;
}

StatementLease::~StatementLease()
{
    if (m_stmt)
        sqlite3_reset(m_stmt);
}

OwnedStatement::~OwnedStatement()
{
    sqlite3_finalize(m_stmt);
}

} // namespace db
