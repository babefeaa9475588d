#include "row_store.h"

#include "criteria.h"
#include "cursor.h"
#include "physical_database.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

#include <QRegularExpression>
#include <algorithm>
#include <atomic>
#include <optional>
#include <sqlite3.h>

namespace db {

using platform::Error;

namespace {

std::atomic<quint64> nextSerial{1};

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// The table's INTEGER PRIMARY KEY column (the rowid under another name),
// case-folded; empty when it has none.
QString rowidAliasOf(PhysicalDatabase &db, const QString &table)
{
    OwnedStatement stmt(db.prepare(QStringLiteral("SELECT name, type FROM pragma_table_info(?) WHERE pk > 0")));
    db.bindAll(stmt.get(), {table});
    QString alias;
    int count = 0;
    while (db.step(stmt.get())) {
        ++count;
        const QString type = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), 1)));
        if (type.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
            alias = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), 0)));
    }
    if (count != 1)
        return QString();
    OwnedStatement schema(
        db.prepare(QStringLiteral("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE")));
    db.bindAll(schema.get(), {table});
    if (db.step(schema.get())) {
        const QString sql = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(schema.get(), 0)));
        if (sql.contains(QLatin1String("WITHOUT ROWID"), Qt::CaseInsensitive))
            return QString();
    }
    return alias.toCaseFolded();
}

std::vector<FieldInfo> describe(PhysicalDatabase &db, sqlite3_stmt *stmt, int offset)
{
    std::vector<FieldInfo> fields;
    QHash<QString, QString> aliases; // table -> rowid alias
    const int n = sqlite3_column_count(stmt);
    for (int c = offset; c < n; ++c) {
        FieldInfo f;
        f.name = QString::fromUtf8(sqlite3_column_name(stmt, c));
        const char *table = sqlite3_column_table_name(stmt, c);
        const char *origin = sqlite3_column_origin_name(stmt, c);
        if (table && origin) {
            f.table = QString::fromUtf8(table);
            f.column = QString::fromUtf8(origin);
            const char *decl = nullptr, *collation = nullptr;
            int notNull = 0, pk = 0, autoinc = 0;
            sqlite3_table_column_metadata(db.handle(), sqlite3_column_database_name(stmt, c), table, origin, &decl,
                                          &collation, &notNull, &pk, &autoinc);
            f.type = columnTypeOf(QString::fromUtf8(decl ? decl : ""), pk && autoinc);
            const QString key = f.table.toCaseFolded();
            if (!aliases.contains(key))
                aliases.insert(key, rowidAliasOf(db, f.table));
            f.isKey = pk && !aliases.value(key).isEmpty() && aliases.value(key) == f.column.toCaseFolded();
        } else {
            const char *decl = sqlite3_column_decltype(stmt, c);
            f.type = columnTypeOf(QString::fromUtf8(decl ? decl : ""));
        }
        fields.push_back(f);
    }
    return fields;
}

// The query with the base table's rowid as an extra first column, or empty
// when the text is not a plain single-table SELECT.
QString withHiddenRowid(const QString &sql, const QString &table, bool qualified)
{
    const QString t = sql.trimmed();
    if (!t.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive) || t.size() < 7 || !t.at(6).isSpace())
        return QString();
    static const QRegularExpression grouped(QStringLiteral("\\b(DISTINCT|UNION|INTERSECT|EXCEPT|GROUP\\s+BY)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (grouped.match(t).hasMatch())
        return QString();
    const QString rowid = qualified ? quoted(table) + QLatin1String("._rowid_") : QStringLiteral("_rowid_");
    return QLatin1String("SELECT ") + rowid + QLatin1String(", ") + t.mid(7);
}

// Asks the schema what `sql` shows: prepares it (the statement is left in
// stmt, ready to bind) and describes its fields, base table and key.
std::shared_ptr<RecordLayout> describeQuery(PhysicalDatabase &db, const QString &sql, bool wantKey,
                                            std::unique_ptr<OwnedStatement> &stmt)
{
    auto layout = std::make_shared<RecordLayout>();
    stmt = std::make_unique<OwnedStatement>(db.prepare(sql));
    if (!stmt->get() || sqlite3_column_count(stmt->get()) == 0 || !sqlite3_stmt_readonly(stmt->get()))
        throw Error(
            err::kInvalidArgument,
            QStringLiteral("Een recordset kan alleen op een SELECT-opdracht worden geopend, niet op \"%1\".").arg(sql));
    layout->runSql = sql;
    layout->fields = describe(db, stmt->get(), 0);

    // One base table for every column that has one?
    QString base;
    bool single = true;
    for (const FieldInfo &f : layout->fields) {
        if (f.table.isEmpty())
            continue;
        if (base.isEmpty())
            base = f.table;
        else if (base.compare(f.table, Qt::CaseInsensitive) != 0)
            single = false;
    }
    if (single)
        layout->baseTable = base;
    if (single)
        for (size_t i = 0; i < layout->fields.size(); ++i)
            if (layout->fields[i].isKey)
                layout->keyField = int(i);

    if (wantKey && !layout->baseTable.isEmpty() && layout->keyField < 0) {
        for (bool qualified : {false, true}) {
            const QString alt = withHiddenRowid(sql, layout->baseTable, qualified);
            if (alt.isEmpty())
                break;
            sqlite3_stmt *raw = nullptr;
            const QByteArray utf8 = alt.toUtf8();
            if (sqlite3_prepare_v2(db.handle(), utf8.constData(), int(utf8.size()), &raw, nullptr) != SQLITE_OK) {
                sqlite3_finalize(raw);
                continue;
            }
            auto candidate = std::make_unique<OwnedStatement>(raw);
            const char *t = sqlite3_column_table_name(raw, 0);
            if (sqlite3_column_count(raw) == int(layout->fields.size()) + 1 && t
                && layout->baseTable.compare(QString::fromUtf8(t), Qt::CaseInsensitive) == 0) {
                stmt = std::move(candidate);
                layout->runSql = alt;
                layout->offset = 1;
                break;
            }
        }
    }
    if (layout->baseTable.isEmpty())
        layout->notKeyedReason = single ? QStringLiteral("de velden komen niet uit een tabel")
                                        : QStringLiteral("de velden komen uit meer dan één tabel");
    else if (layout->keyField < 0 && layout->offset == 0)
        layout->notKeyedReason =
            QStringLiteral("de rijen van tabel '%1' zijn in deze opdracht niet te herkennen").arg(layout->baseTable);
    layout->keyed = wantKey && (layout->keyField >= 0 || layout->offset == 1);

    std::vector<std::pair<QString, int>> names;
    for (size_t i = 0; i < layout->fields.size(); ++i) {
        const FieldInfo &f = layout->fields[i];
        names.emplace_back(f.name, int(i));
        if (!f.table.isEmpty())
            names.emplace_back(f.table + QLatin1Char('.') + f.name, int(i));
    }
    layout->names = std::make_shared<const FieldNames>(names);
    return layout;
}

} // namespace

std::shared_ptr<RowStore> RowStore::load(std::shared_ptr<PhysicalDatabase> db, const QString &sql,
                                         const QVariantList &params, bool wantKey)
{
    const QString key = (wantKey ? QLatin1String("key\n") : QLatin1String("nokey\n")) + sql;
    for (int attempt = 0;; ++attempt) {
        // A known layout runs from the statement cache; a new one is
        // described from a freshly prepared statement, since a cached one
        // may still show the columns of an older schema.
        std::unique_ptr<OwnedStatement> owned;
        std::optional<StatementLease> lease;
        std::shared_ptr<const RecordLayout> layout = db->cachedLayout(key);
        if (layout) {
            lease.emplace(*db, layout->runSql);
        } else {
            layout = describeQuery(*db, sql, wantKey, owned);
            db->keepLayout(key, layout);
        }
        sqlite3_stmt *s = lease ? lease->get() : owned->get();
        sqlite3_stmt_status(s, SQLITE_STMTSTATUS_REPREPARE, 1);

        auto store = std::make_shared<RowStore>();
        store->db = db;
        store->sql = sql;
        store->params = params;
        store->fields = layout->fields;
        store->names = layout->names;
        store->baseTable = layout->baseTable;
        store->keyed = layout->keyed;
        store->notKeyedReason = layout->notKeyedReason;

        db->bindAll(s, params);
        if (sqlite3_bind_parameter_count(s) != params.size())
            throw Error(err::kParameterCount,
                        QStringLiteral("De opdracht \"%1\" verwacht %2 parameter(s), er zijn er %3 gegeven.")
                            .arg(sql)
                            .arg(sqlite3_bind_parameter_count(s))
                            .arg(params.size()));
        const size_t n = store->fields.size();
        const int offset = layout->offset;
        const int keyField = layout->keyField;
        std::vector<JetKind> kinds(n);
        for (size_t i = 0; i < n; ++i)
            kinds[i] = store->fields[i].type.kind;
        while (db->step(s)) {
            auto row = std::make_unique<Row>();
            row->values.resize(n);
            for (size_t i = 0; i < n; ++i)
                row->values[i] = readColumn(s, int(i) + offset, kinds[i]);
            if (offset == 1)
                row->rowid = sqlite3_column_int64(s, 0);
            else if (keyField >= 0)
                row->rowid = row->values[size_t(keyField)].toLongLong();
            store->push(std::move(row));
        }
        // SQLite prepares a statement again when it finds the schema changed
        // under it (another process): the layout may then be stale, so read
        // once more with a fresh one.
        if (attempt == 0 && sqlite3_stmt_status(s, SQLITE_STMTSTATUS_REPREPARE, 0) != 0) {
            db->schemaChanged();
            continue;
        }
        return store;
    }
}

RowStore::~RowStore() = default;

Row *RowStore::push(std::unique_ptr<Row> row)
{
    row->serial = nextSerial.fetch_add(1);
    Row *r = row.get();
    m_bySerial.insert(r->serial, r);
    for (auto &[field, index] : m_indexes) {
        const QString key = indexKey(r->values[size_t(field)]);
        if (!key.isEmpty())
            index.insert(key, r);
    }
    rows.push_back(std::move(row));
    return r;
}

Row *RowStore::addNew()
{
    auto row = std::make_unique<Row>();
    row->values.resize(fields.size());
    row->isNew = true;
    Row *r = push(std::move(row));
    const std::vector<Cursor *> cursors = m_cursors;
    for (Cursor *c : cursors)
        c->rowAdded(r);
    return r;
}

void RowStore::remove(Row *row)
{
    const std::vector<Cursor *> cursors = m_cursors;
    for (Cursor *c : cursors)
        c->rowRemoved(row);
    for (auto &[field, index] : m_indexes) {
        const QString key = indexKey(row->values[size_t(field)]);
        if (!key.isEmpty())
            index.remove(key, row);
    }
    m_bySerial.remove(row->serial);
    auto it = std::find_if(rows.begin(), rows.end(), [row](const auto &p) { return p.get() == row; });
    if (it != rows.end())
        rows.erase(it);
}

void RowStore::setValue(Row *row, int field, const QVariant &value)
{
    auto it = m_indexes.find(field);
    if (it != m_indexes.end()) {
        const QString oldKey = indexKey(row->values[size_t(field)]);
        if (!oldKey.isEmpty())
            it->second.remove(oldKey, row);
        const QString newKey = indexKey(value);
        if (!newKey.isEmpty())
            it->second.insert(newKey, row);
    }
    row->values[size_t(field)] = value;
}

void RowStore::attach(Cursor *cursor)
{
    m_cursors.push_back(cursor);
}

void RowStore::detach(Cursor *cursor)
{
    m_cursors.erase(std::remove(m_cursors.begin(), m_cursors.end(), cursor), m_cursors.end());
}

void RowStore::setIndexed(int field, bool on)
{
    if (!on) {
        m_indexes.erase(field);
        return;
    }
    if (m_indexes.count(field))
        return;
    QMultiHash<QString, Row *> &index = m_indexes[field];
    index.reserve(qsizetype(rows.size()));
    for (const auto &row : rows) {
        const QString key = indexKey(row->values[size_t(field)]);
        if (!key.isEmpty())
            index.insert(key, row.get());
    }
}

std::vector<int> RowStore::indexedFields() const
{
    std::vector<int> out;
    for (const auto &entry : m_indexes)
        out.push_back(entry.first);
    return out;
}

QList<Row *> RowStore::indexLookup(int field, const QString &key) const
{
    auto it = m_indexes.find(field);
    return it == m_indexes.end() ? QList<Row *>() : it->second.values(key);
}

} // namespace db
