#include "sqlite_file.h"

#include "platform/db/jet_collation.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace datatest {

SqliteFile::SqliteFile(const QString &path, Mode mode)
{
    const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK
        || db::registerJetCollation(db) != SQLITE_OK) {
        m_error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close(db);
        return;
    }
    m_db = db;
}

SqliteFile::~SqliteFile()
{
    sqlite3_close(m_db);
}

namespace {
void bind(sqlite3_stmt *stmt, int index, const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        sqlite3_bind_null(stmt, index);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
        sqlite3_bind_int64(stmt, index, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt, index, v.toDouble());
        break;
    default: {
        const QByteArray text = v.toString().toUtf8();
        sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
}

QVariant column(sqlite3_stmt *stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)),
                                          sqlite3_column_bytes(stmt, i)));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QVariant(
            QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, i)), sqlite3_column_bytes(stmt, i)));
    }
}
} // namespace

namespace {
template <typename OnRow>
void run(sqlite3 *db, const QString &openError, const char *sql, std::initializer_list<QVariant> params, OnRow onRow)
{
    if (!db) {
        ADD_FAILURE() << "database not open: " << openError.toStdString();
        return;
    }
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db);
        return;
    }
    int index = 1;
    for (const QVariant &p : params)
        bind(stmt, index++, p);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        onRow(stmt);
    if (rc != SQLITE_DONE)
        ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db);
    sqlite3_finalize(stmt);
}
} // namespace

std::vector<Row> SqliteFile::rows(const char *sql, std::initializer_list<QVariant> params) const
{
    std::vector<Row> result;
    run(m_db, m_error, sql, params, [&result](sqlite3_stmt *stmt) {
        Row row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i)
            row.push_back(column(stmt, i));
        result.push_back(std::move(row));
    });
    return result;
}

std::vector<QVariantMap> SqliteFile::records(const char *sql, std::initializer_list<QVariant> params) const
{
    std::vector<QVariantMap> result;
    run(m_db, m_error, sql, params, [&result](sqlite3_stmt *stmt) {
        QVariantMap record;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i)
            record.insert(QString::fromUtf8(sqlite3_column_name(stmt, i)), column(stmt, i));
        result.push_back(std::move(record));
    });
    return result;
}

QVariant SqliteFile::value(const char *sql, std::initializer_list<QVariant> params) const
{
    const std::vector<Row> r = rows(sql, params);
    return r.empty() || r.front().empty() ? QVariant() : r.front().front();
}

bool SqliteFile::tryExec(const char *sql, QString *error) const
{
    char *message = nullptr;
    const bool ok = m_db && sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK;
    if (!ok && error)
        *error = message ? QString::fromUtf8(message) : m_error;
    sqlite3_free(message);
    return ok;
}

} // namespace datatest
