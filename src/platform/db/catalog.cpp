#include "catalog.h"

#include "connection.h"
#include "physical_database.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "table_rebuild.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace db {

using platform::Error;

namespace {

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString text(sqlite3_stmt *stmt, int col)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, col));
    return p ? QString::fromUtf8(p) : QString();
}

// A column default as SQLite keeps it (SQL text) -> value.
QVariant defaultOf(sqlite3_stmt *stmt, int col)
{
    if (sqlite3_column_type(stmt, col) == SQLITE_NULL)
        return QVariant();
    QString s = text(stmt, col).trimmed();
    while (s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')')))
        s = s.mid(1, s.size() - 2).trimmed();
    if (s.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
        return QVariant();
    if (s.size() >= 2 && s.startsWith(QLatin1Char('\'')) && s.endsWith(QLatin1Char('\'')))
        return s.mid(1, s.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
    bool ok = false;
    const qlonglong n = s.toLongLong(&ok);
    if (ok)
        return n >= INT_MIN && n <= INT_MAX ? QVariant(int(n)) : QVariant(n);
    const double d = s.toDouble(&ok);
    if (ok)
        return d;
    return s; // an expression, e.g. CURRENT_TIMESTAMP
}

// A checked value as an SQL literal (DDL cannot take parameters).
QString literalOf(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    case QMetaType::Int:
        return QString::number(v.toInt());
    case QMetaType::Float:
        return QString::number(double(v.toFloat()), 'g', 17);
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 17);
    case QMetaType::QDateTime:
        return QLatin1Char('\'') + dateTimeText(v.toDateTime()) + QLatin1Char('\'');
    default:
        return QLatin1Char('\'') + v.toString().replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
    }
}

[[noreturn]] void invalid(const QString &what)
{
    throw Error(err::kInvalidArgument, what);
}

} // namespace

Catalog::Catalog(Connection &connection) : m_db(connection.physical()), m_readOnly(connection.isReadOnly()) {}

QStringList Catalog::tables() const
{
    QStringList out;
    OwnedStatement stmt(m_db->prepare(
        QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                       "ORDER BY name COLLATE NOCASE")));
    while (m_db->step(stmt.get()))
        out << text(stmt.get(), 0);
    return out;
}

bool Catalog::hasTable(const QString &table) const
{
    for (const QString &t : tables())
        if (t.compare(table, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void Catalog::requireTables(const QStringList &tables) const
{
    const QStringList present = this->tables();
    QStringList missing;
    for (const QString &t : tables)
        if (!present.contains(t, Qt::CaseInsensitive))
            missing << QLatin1Char('\'') + t + QLatin1Char('\'');
    if (missing.isEmpty())
        return;
    throw Error(err::kTableNotFound,
                QStringLiteral("Het databestand '%1' is geen bestand van dit programma of is beschadigd: %2 %3 "
                               "ontbreekt.")
                    .arg(m_db->path(), missing.size() == 1 ? QStringLiteral("de tabel") : QStringLiteral("de tabellen"),
                         missing.join(QStringLiteral(", "))));
}

std::vector<ColumnInfo> Catalog::columns(const QString &table) const
{
    if (!hasTable(table))
        throw Error(err::kTableNotFound,
                    QStringLiteral("De tabel '%1' bestaat niet in het databestand '%2'.").arg(table, m_db->path()));
    std::vector<ColumnInfo> out;
    OwnedStatement stmt(
        m_db->prepare(QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?)")));
    m_db->bindAll(stmt.get(), {table});
    const QByteArray tableUtf8 = table.toUtf8();
    while (m_db->step(stmt.get())) {
        ColumnInfo c;
        c.name = text(stmt.get(), 0);
        c.declaredType = text(stmt.get(), 1);
        c.notNull = sqlite3_column_int(stmt.get(), 2) != 0;
        c.defaultValue = defaultOf(stmt.get(), 3);
        c.primaryKey = sqlite3_column_int(stmt.get(), 4) != 0;
        // Only a key column can be an AutoNumber.
        int autoinc = 0;
        if (c.primaryKey)
            sqlite3_table_column_metadata(m_db->handle(), "main", tableUtf8.constData(), c.name.toUtf8().constData(),
                                          nullptr, nullptr, nullptr, nullptr, &autoinc);
        const ColumnType type = columnTypeOf(c.declaredType, c.primaryKey && autoinc);
        c.kind = type.kind;
        c.width = type.width;
        out.push_back(c);
    }
    return out;
}

std::optional<ColumnInfo> Catalog::column(const QString &table, const QString &name) const
{
    for (const ColumnInfo &c : columns(table))
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return std::nullopt;
}

bool Catalog::hasColumn(const QString &table, const QString &name) const
{
    return column(table, name).has_value();
}

namespace {
void requireWritable(bool readOnly, const QString &path)
{
    if (readOnly)
        throw Error(err::kReadOnly,
                    QStringLiteral("Het databestand '%1' is alleen-lezen; de tabel is niet gewijzigd.").arg(path));
}
} // namespace

void Catalog::addColumn(const QString &table, const ColumnSpec &spec)
{
    requireWritable(m_readOnly, m_db->path());
    if (hasColumn(table, spec.name)) // also: 3078 for a missing table
        throw Error(err::kDuplicateField,
                    QStringLiteral("Het veld '%1' bestaat al in tabel '%2'.").arg(spec.name, table));
    if (spec.name.trimmed().isEmpty())
        invalid(QStringLiteral("Een nieuw veld van tabel '%1' heeft een naam nodig.").arg(table));
    if (spec.kind == JetKind::AutoNumber || spec.kind == JetKind::Unknown)
        invalid(QStringLiteral("Het veld '%1' kan niet als %2 aan tabel '%3' worden toegevoegd.")
                    .arg(spec.name, kindName(spec.kind), table));
    if (spec.kind == JetKind::Text && (spec.width < 1 || spec.width > 255))
        invalid(QStringLiteral("De breedte van tekstveld '%1' moet 1 tot en met 255 tekens zijn.").arg(spec.name));
    const QVariant def = checkedValue({spec.kind, spec.width}, spec.defaultValue, table, spec.name);
    if (spec.notNull && isNull(def))
        invalid(QStringLiteral("Het verplichte veld '%1' van tabel '%2' heeft een standaardwaarde nodig voor de "
                               "bestaande rijen.")
                    .arg(spec.name, table));
    QString sql = QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                      .arg(quoted(table), quoted(spec.name), declaredTypeFor(spec.kind, spec.width));
    if (spec.notNull)
        sql += QLatin1String(" NOT NULL");
    if (!isNull(def))
        sql += QLatin1String(" DEFAULT ") + literalOf(def);
    m_db->clearStatementCache();
    m_db->run(sql);
}

void Catalog::renameColumn(const QString &table, const QString &oldName, const QString &newName)
{
    requireWritable(m_readOnly, m_db->path());
    if (!hasColumn(table, oldName))
        throw Error(err::kItemNotFound,
                    QStringLiteral("Het veld '%1' bestaat niet in tabel '%2'.").arg(oldName, table));
    if (oldName.compare(newName, Qt::CaseInsensitive) != 0 && hasColumn(table, newName))
        throw Error(err::kDuplicateField,
                    QStringLiteral("Het veld '%1' bestaat al in tabel '%2'.").arg(newName, table));
    m_db->clearStatementCache();
    m_db->run(
        QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3").arg(quoted(table), quoted(oldName), quoted(newName)));
}

void Catalog::dropColumn(const QString &table, const QString &name)
{
    requireWritable(m_readOnly, m_db->path());
    const auto info = column(table, name);
    if (!info)
        throw Error(err::kItemNotFound, QStringLiteral("Het veld '%1' bestaat niet in tabel '%2'.").arg(name, table));
    QString index;
    if (info->primaryKey) {
        index = QStringLiteral("de primaire sleutel");
    } else {
        OwnedStatement stmt(m_db->prepare(
            QStringLiteral("SELECT il.name FROM pragma_index_list(?) AS il, pragma_index_info(il.name) AS ii "
                           "WHERE ii.name = ? COLLATE NOCASE")));
        m_db->bindAll(stmt.get(), {table, name});
        if (m_db->step(stmt.get()))
            index = QStringLiteral("de index '%1'").arg(text(stmt.get(), 0));
    }
    if (!index.isEmpty())
        throw Error(err::kFieldInIndex,
                    QStringLiteral("Het veld '%1' van tabel '%2' kan niet worden verwijderd: %3 gebruikt het.")
                        .arg(name, table, index));
    m_db->clearStatementCache();
    m_db->run(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(quoted(table), quoted(name)));
}

void Catalog::widenText(const QString &table, const QString &name, int width)
{
    requireWritable(m_readOnly, m_db->path());
    const auto info = column(table, name);
    if (!info)
        throw Error(err::kItemNotFound, QStringLiteral("Het veld '%1' bestaat niet in tabel '%2'.").arg(name, table));
    if (info->kind != JetKind::Text)
        invalid(QStringLiteral("Het veld '%1' van tabel '%2' is geen tekstveld.").arg(name, table));
    if (width < 1 || width > 255)
        invalid(QStringLiteral("De breedte van tekstveld '%1' moet 1 tot en met 255 tekens zijn.").arg(name));
    if (width == info->width)
        return;
    if (width < info->width)
        throw Error(err::kInvalidOperation,
                    QStringLiteral("Het tekstveld '%1' van tabel '%2' kan niet smaller worden gemaakt (%3 naar %4 "
                                   "tekens).")
                        .arg(name, table)
                        .arg(info->width)
                        .arg(width));
    rebuildWithColumnType(*m_db, table, info->name, QStringLiteral("VARCHAR(%1)").arg(width));
}

bool Catalog::useStandardTextCollation()
{
    requireWritable(m_readOnly, m_db->path());
    return db::useStandardTextCollation(*m_db);
}

QHash<QString, qint64> Catalog::rowCounts() const
{
    QStringList names;
    {
        OwnedStatement stmt(m_db->prepare(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table'")));
        while (m_db->step(stmt.get()))
            names << text(stmt.get(), 0);
    }
    QHash<QString, qint64> rows;
    for (const QString &name : names) {
        // Without NOT INDEXED SQLite counts the entries of the smallest index.
        OwnedStatement stmt(m_db->prepare(QStringLiteral("SELECT count(*) FROM %1 NOT INDEXED").arg(quoted(name))));
        rows.insert(name, m_db->step(stmt.get()) ? sqlite3_column_int64(stmt.get(), 0) : -1);
    }
    return rows;
}

QHash<QString, QString> Catalog::schemaObjects() const
{
    QHash<QString, QString> out;
    OwnedStatement stmt(m_db->prepare(QStringLiteral("SELECT type || ' ' || name, sql FROM sqlite_schema")));
    while (m_db->step(stmt.get()))
        out.insert(text(stmt.get(), 0), text(stmt.get(), 1));
    return out;
}

bool Catalog::passesCheck(FileCheck how) const
{
    OwnedStatement stmt(m_db->prepare(how == FileCheck::Quick ? QStringLiteral("PRAGMA quick_check")
                                                              : QStringLiteral("PRAGMA integrity_check")));
    bool good = true;
    while (m_db->step(stmt.get()))
        good = good && text(stmt.get(), 0) == QLatin1String("ok");
    return good;
}

bool Catalog::readsWhole(const QHash<QString, qint64> &rows) const
{
    const auto setting = [&] {
        OwnedStatement stmt(m_db->prepare(QStringLiteral("PRAGMA cell_size_check")));
        return m_db->step(stmt.get()) && sqlite3_column_int(stmt.get(), 0) != 0;
    };
    const bool was = setting();
    m_db->run(QStringLiteral("PRAGMA cell_size_check=ON"));
    struct Restore {
        PhysicalDatabase &db;
        bool was;
        ~Restore()
        {
            try {
                db.run(was ? QStringLiteral("PRAGMA cell_size_check=ON")
                           : QStringLiteral("PRAGMA cell_size_check=OFF"));
            } catch (const Error &) {
            }
        }
    } restore{*m_db, was};

    struct Object {
        QString name, table;
        bool partial = false;
    };
    std::vector<Object> tables, indexes;
    {
        OwnedStatement stmt(
            m_db->prepare(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND rootpage > 0")));
        while (m_db->step(stmt.get()))
            tables.push_back({text(stmt.get(), 0), QString(), false});
    }
    for (const Object &t : tables) {
        OwnedStatement stmt(m_db->prepare(QStringLiteral("SELECT name, partial FROM pragma_index_list(?)")));
        m_db->bindAll(stmt.get(), {t.name});
        while (m_db->step(stmt.get()))
            indexes.push_back({text(stmt.get(), 0), t.name, sqlite3_column_int(stmt.get(), 1) != 0});
    }
    QHash<QString, qint64> counted;
    for (const Object &t : tables) {
        QString last;
        {
            OwnedStatement stmt(m_db->prepare(QStringLiteral("SELECT name FROM pragma_table_info(?)")));
            m_db->bindAll(stmt.get(), {t.name});
            while (m_db->step(stmt.get()))
                last = text(stmt.get(), 0);
        }
        OwnedStatement stmt(m_db->prepare(
            QStringLiteral("SELECT count(*), count(%1) FROM %2 NOT INDEXED").arg(quoted(last), quoted(t.name))));
        counted.insert(t.name, m_db->step(stmt.get()) ? sqlite3_column_int64(stmt.get(), 0) : -1);
    }
    if (counted != rows)
        return false;
    for (const Object &i : indexes) {
        // Naming no column, the scan reads the index alone, entry by entry.
        OwnedStatement stmt(m_db->prepare(
            QStringLiteral("SELECT count(1) FROM %1 INDEXED BY %2").arg(quoted(i.table), quoted(i.name))));
        const qint64 entries = m_db->step(stmt.get()) ? sqlite3_column_int64(stmt.get(), 0) : -1;
        if (!i.partial && entries != counted.value(i.table, -1))
            return false;
    }
    return true;
}

void compactDatabase(const QString &sourceFile, const QString &targetFile)
{
    if (QFileInfo::exists(targetFile))
        throw Error(err::kTargetExists,
                    QStringLiteral("Het bestand '%1' bestaat al; de compacte kopie wordt er niet overheen geschreven.")
                        .arg(targetFile));
    auto db = PhysicalDatabase::acquire(sourceFile);
    // VACUUM INTO writes the copy as carefully as the source is written:
    // with the source's synchronous=FULL it waits for the disk more than
    // once, and for the folder too. The copy is not in use until the caller
    // has checked it, so it is written without waiting; the caller flushes
    // what it keeps once.
    int synchronous = 2;
    {
        OwnedStatement stmt(db->prepare(QStringLiteral("PRAGMA synchronous")));
        if (db->step(stmt.get()))
            synchronous = sqlite3_column_int(stmt.get(), 0);
    }
    db->run(QStringLiteral("PRAGMA synchronous=OFF"));
    try {
        db->execute(QStringLiteral("VACUUM INTO ?"), {targetFile});
    } catch (...) {
        db->run(QStringLiteral("PRAGMA synchronous=%1").arg(synchronous));
        QFile::remove(targetFile);
        throw;
    }
    db->run(QStringLiteral("PRAGMA synchronous=%1").arg(synchronous));
}

} // namespace db
