// The pre-update hook is part of the system SQLite library (Debian builds it
// with SQLITE_ENABLE_PREUPDATE_HOOK); its declarations need the same macro.
#ifndef SQLITE_ENABLE_PREUPDATE_HOOK
#define SQLITE_ENABLE_PREUPDATE_HOOK 1
#endif
#include <sqlite3.h>

#include "write_guard.h"

#include "physical_database.h"

#include "platform/core/error_numbers.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace db {

using platform::Error;

namespace {

QVariant variantOf(sqlite3_value *v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(v));
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_value_blob(v)), sqlite3_value_bytes(v));
    default:
        return QVariant();
    }
}

bool sameValue(sqlite3_value *a, sqlite3_value *b)
{
    const int t = sqlite3_value_type(a);
    if (t != sqlite3_value_type(b))
        return false;
    switch (t) {
    case SQLITE_NULL:
        return true;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(a) == sqlite3_value_int64(b);
    case SQLITE_FLOAT:
        return sqlite3_value_double(a) == sqlite3_value_double(b);
    default: {
        const int n = sqlite3_value_bytes(a);
        if (n != sqlite3_value_bytes(b))
            return false;
        const void *pa = t == SQLITE_TEXT ? static_cast<const void *>(sqlite3_value_text(a)) : sqlite3_value_blob(a);
        const void *pb = t == SQLITE_TEXT ? static_cast<const void *>(sqlite3_value_text(b)) : sqlite3_value_blob(b);
        return n == 0 || std::memcmp(pa, pb, size_t(n)) == 0;
    }
    }
}

QString columnText(sqlite3_stmt *stmt, int col)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, col));
    return p ? QString::fromUtf8(p) : QString();
}

} // namespace

WriteGuard::WriteGuard(PhysicalDatabase &db) : m_db(db)
{
    sqlite3_preupdate_hook(m_db.handle(), &WriteGuard::hook, this);
}

WriteGuard::~WriteGuard()
{
    sqlite3_preupdate_hook(m_db.handle(), nullptr, nullptr);
}

void WriteGuard::refresh()
{
    int version = 0;
    {
        OwnedStatement stmt(m_db.prepare(QStringLiteral("PRAGMA schema_version")));
        if (m_db.step(stmt.get()))
            version = sqlite3_column_int(stmt.get(), 0);
    }
    if (version == m_schemaVersion)
        return;
    m_tables.clear();
    m_tableNames.clear();
    OwnedStatement tables(m_db.prepare(QStringLiteral(
        "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'")));
    while (m_db.step(tables.get())) {
        const QString table = columnText(tables.get(), 0);
        const QByteArray tableUtf8 = table.toUtf8();
        std::vector<Column> columns;
        OwnedStatement info(m_db.prepare(QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)")));
        m_db.bindAll(info.get(), {table});
        while (m_db.step(info.get())) {
            Column c;
            c.name = columnText(info.get(), 0);
            const bool pk = sqlite3_column_int(info.get(), 2) != 0;
            int autoinc = 0;
            sqlite3_table_column_metadata(m_db.handle(), "main", tableUtf8.constData(), c.name.toUtf8().constData(),
                                          nullptr, nullptr, nullptr, nullptr, &autoinc);
            c.type = columnTypeOf(columnText(info.get(), 1), pk && autoinc);
            // An INTEGER PRIMARY KEY is the row id itself: the engine assigns it.
            c.skip =
                pk && columnText(info.get(), 1).trimmed().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
            columns.push_back(c);
        }
        m_tables.insert(table.toLower(), std::move(columns));
        m_tableNames.insert(table.toLower(), table);
    }
    m_schemaVersion = version;
}

void WriteGuard::arm()
{
    m_violation.reset();
    m_armed = true;
}

std::optional<Error> WriteGuard::disarm()
{
    m_armed = false;
    return std::exchange(m_violation, std::nullopt);
}

void WriteGuard::hook(void *self, sqlite3 *handle, int op, const char *dbName, const char *table, long long, long long)
{
    auto *guard = static_cast<WriteGuard *>(self);
    if (!guard->m_armed || guard->m_violation || op == SQLITE_DELETE || std::strcmp(dbName, "main") != 0)
        return;
    // Nothing may escape into SQLite's C frames.
    try {
        guard->check(handle, op, table);
    } catch (const Error &e) {
        guard->m_violation = e;
    } catch (...) {
        guard->m_violation =
            Error(err::kDatabaseError, QStringLiteral("Onverwachte fout bij het controleren van een waarde."));
    }
}

void WriteGuard::check(sqlite3 *handle, int op, const char *table)
{
    const QString key = QString::fromUtf8(table).toLower();
    const auto it = m_tables.constFind(key);
    if (it == m_tables.constEnd())
        return; // SQLite's own tables
    const std::vector<Column> &columns = *it;
    const int n = std::min(int(columns.size()), sqlite3_preupdate_count(handle));
    for (int i = 0; i < n; ++i) {
        const Column &c = columns[size_t(i)];
        if (c.skip || c.type.kind == JetKind::Unknown)
            continue;
        sqlite3_value *now = nullptr;
        if (sqlite3_preupdate_new(handle, i, &now) != SQLITE_OK || !now)
            continue;
        if (op == SQLITE_UPDATE) {
            sqlite3_value *before = nullptr;
            if (sqlite3_preupdate_old(handle, i, &before) == SQLITE_OK && before && sameValue(before, now))
                continue;
        }
        if (c.type.kind == JetKind::AutoNumber)
            continue;
        checkedValue(c.type, variantOf(now), m_tableNames.value(key), c.name); // throws on a broken rule
    }
}

} // namespace db
