#include "table_insert.h"

#include "catalog.h"
#include "connection.h"
#include "physical_database.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

#include <sqlite3.h>

namespace db {

using platform::Error;

namespace {

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

TableInsert::TableInsert(Connection &connection, const QString &table, const QStringList &columns)
    : m_db(connection.physical()), m_readOnly(connection.isReadOnly()), m_table(table)
{
    const Catalog catalog(connection);
    const std::vector<ColumnInfo> declared = catalog.columns(table);
    // Errors name the table as it is declared, as a recordset's do.
    for (const QString &t : catalog.tables())
        if (t.compare(table, Qt::CaseInsensitive) == 0)
            m_table = t;
    QStringList names, marks;
    for (const QString &name : columns) {
        const ColumnInfo *info = nullptr;
        for (const ColumnInfo &c : declared)
            if (c.name.compare(name, Qt::CaseInsensitive) == 0)
                info = &c;
        if (!info)
            throw Error(err::kItemNotFound,
                        QStringLiteral("Het veld '%1' bestaat niet in tabel '%2'.").arg(name, table));
        m_columns.emplace_back(info->name, ColumnType{info->kind, info->width});
        names << quoted(info->name);
        marks << QStringLiteral("?");
    }
    m_stmt =
        m_db->prepare(names.isEmpty() ? QLatin1String("INSERT INTO ") + quoted(table) + QLatin1String(" DEFAULT VALUES")
                                      : QLatin1String("INSERT INTO ") + quoted(table) + QLatin1String(" (")
                                            + names.join(QLatin1String(", ")) + QLatin1String(") VALUES (")
                                            + marks.join(QLatin1String(", ")) + QLatin1Char(')'));
}

TableInsert::~TableInsert()
{
    sqlite3_finalize(m_stmt);
}

qint64 TableInsert::insert(const QVariantList &values)
{
    if (m_readOnly)
        throw Error(err::kReadOnly, QStringLiteral("De recordset is alleen-lezen geopend; wijzigen is niet mogelijk."));
    if (values.size() != qsizetype(m_columns.size()))
        throw Error(err::kParameterCount,
                    QStringLiteral("De opdracht \"%1\" verwacht %2 parameter(s), er zijn er %3 gegeven.")
                        .arg(QString::fromUtf8(sqlite3_sql(m_stmt)))
                        .arg(m_columns.size())
                        .arg(values.size()));
    QVariantList checked;
    checked.reserve(values.size());
    for (size_t i = 0; i < m_columns.size(); ++i)
        checked << checkedValue(m_columns[i].second, values[qsizetype(i)], m_table, m_columns[i].first);
    sqlite3_reset(m_stmt);
    m_db->bindAll(m_stmt, checked);
    m_db->step(m_stmt);
    sqlite3_reset(m_stmt);
    return sqlite3_last_insert_rowid(m_db->handle());
}

} // namespace db
