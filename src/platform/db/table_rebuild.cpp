#include "table_rebuild.h"

#include "jet_collation.h"
#include "physical_database.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <sqlite3.h>

namespace db {

using platform::Error;

namespace {

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// Index just past a quoted identifier or literal starting at i.
int skipQuoted(const QString &s, int i)
{
    const QChar open = s.at(i);
    const QChar close = open == QLatin1Char('[') ? QLatin1Char(']') : open;
    for (int j = i + 1; j < s.size(); ++j) {
        if (s.at(j) == close) {
            if (close != QLatin1Char(']') && j + 1 < s.size() && s.at(j + 1) == close) {
                ++j;
                continue;
            }
            return j + 1;
        }
    }
    return int(s.size());
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char('`') || c == QLatin1Char('[');
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Index of the first "(" of `sql` outside quotes, or its size.
int firstOpenParen(const QString &sql)
{
    int i = 0;
    while (i < sql.size() && sql.at(i) != QLatin1Char('(')) {
        if (isQuote(sql.at(i)))
            i = skipQuoted(sql, i);
        else
            ++i;
    }
    return i;
}

// Items of the column list: [start, end) ranges split at top-level commas.
QList<std::pair<int, int>> columnItems(const QString &sql, int &bodyStart)
{
    QList<std::pair<int, int>> items;
    int i = firstOpenParen(sql);
    bodyStart = i + 1;
    int depth = 0, start = bodyStart;
    for (i = bodyStart; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (isQuote(c)) {
            i = skipQuoted(sql, i) - 1;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            if (depth == 0) {
                items.append({start, i});
                break;
            }
            --depth;
        } else if (c == QLatin1Char(',') && depth == 0) {
            items.append({start, i});
            start = i + 1;
        }
    }
    return items;
}

QString unquote(const QString &name)
{
    if (name.size() >= 2 && isQuote(name.at(0)))
        return name.mid(1, name.size() - 2);
    return name;
}

} // namespace

QString withColumnType(const QString &createSql, const QString &column, const QString &newType)
{
    static const QSet<QString> tableConstraints = {"CONSTRAINT", "PRIMARY", "UNIQUE", "CHECK", "FOREIGN"};
    static const QSet<QString> columnConstraints = {"CONSTRAINT", "PRIMARY",   "NOT",     "NULL",
                                                    "UNIQUE",     "CHECK",     "DEFAULT", "COLLATE",
                                                    "REFERENCES", "GENERATED", "AS"};
    int bodyStart = 0;
    for (const auto &[start, end] : columnItems(createSql, bodyStart)) {
        int i = start;
        while (i < end && createSql.at(i).isSpace())
            ++i;
        int nameEnd = i;
        if (i < end && isQuote(createSql.at(i)))
            nameEnd = skipQuoted(createSql, i);
        else
            while (nameEnd < end && isWordChar(createSql.at(nameEnd)))
                ++nameEnd;
        const QString name = createSql.mid(i, nameEnd - i);
        if (tableConstraints.contains(name.toUpper()) || unquote(name).compare(column, Qt::CaseInsensitive) != 0)
            continue;
        // The type: words and a parenthesised size, up to the first constraint.
        int typeStart = nameEnd;
        while (typeStart < end && createSql.at(typeStart).isSpace())
            ++typeStart;
        int typeEnd = typeStart, j = typeStart;
        while (j < end) {
            while (j < end && createSql.at(j).isSpace())
                ++j;
            if (j >= end)
                break;
            if (createSql.at(j) == QLatin1Char('(')) {
                j = int(createSql.indexOf(QLatin1Char(')'), j)) + 1;
                if (j <= 0)
                    j = end;
                typeEnd = j;
                continue;
            }
            int w = j;
            while (w < end && isWordChar(createSql.at(w)))
                ++w;
            if (w == j || columnConstraints.contains(createSql.mid(j, w - j).toUpper()))
                break;
            typeEnd = j = w;
        }
        QString out = createSql;
        const QString replacement = typeEnd > typeStart ? newType : QLatin1Char(' ') + newType;
        out.replace(typeStart, typeEnd - typeStart, replacement);
        return out;
    }
    throw Error(err::kItemNotFound, QStringLiteral("Het veld '%1' komt niet voor in de tabeldefinitie.").arg(column));
}

namespace {

QString text(sqlite3_stmt *stmt, int col)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)));
}

QStringList strings(PhysicalDatabase &db, const QString &sql, const QVariantList &params)
{
    QStringList out;
    OwnedStatement stmt(db.prepare(sql));
    db.bindAll(stmt.get(), params);
    while (db.step(stmt.get()))
        out << text(stmt.get(), 0);
    return out;
}

} // namespace

namespace {

// The name of `table` as the schema spells it; 3078 when there is none.
QString tableName(PhysicalDatabase &db, const QString &table)
{
    const QStringList found = strings(
        db, QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE"), {table});
    if (found.isEmpty())
        throw Error(err::kTableNotFound,
                    QStringLiteral("De tabel '%1' bestaat niet in het databestand '%2'.").arg(table, db.path()));
    return found.first();
}

QString createSqlOf(PhysicalDatabase &db, const QString &name)
{
    return strings(db, QStringLiteral("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?"), {name})
        .first();
}

// Index of the ")" that closes the first "(" of `sql` (outside quotes), or -1.
int closingParen(const QString &sql, int *open = nullptr)
{
    int i = firstOpenParen(sql);
    if (open)
        *open = i;
    int depth = 0;
    for (; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (isQuote(c)) {
            i = skipQuoted(sql, i) - 1;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')') && --depth == 0) {
            return i;
        }
    }
    return -1;
}

// Copies every row of `name` into a table made from `newSql` (the same
// columns), which then takes the old one's place with its indexes,
// triggers and AutoNumber sequence; all in one transaction.
void rebuild(PhysicalDatabase &db, const QString &name, const QString &newSql)
{
    const QStringList extras =
        strings(db,
                QStringLiteral("SELECT sql FROM sqlite_schema WHERE tbl_name = ? AND type IN ('index', 'trigger') "
                               "AND sql IS NOT NULL ORDER BY type"),
                {name});
    QStringList columns;
    for (const QString &c : strings(db, QStringLiteral("SELECT name FROM pragma_table_info(?)"), {name}))
        columns << quoted(c);
    const bool hasSequenceTable =
        !strings(db, QStringLiteral("SELECT name FROM sqlite_schema WHERE name = 'sqlite_sequence'"), {}).isEmpty();
    const QStringList seq = hasSequenceTable
                                ? strings(db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"), {name})
                                : QStringList();

    const QString temp = name + QLatin1String("_tavir_rebuild");
    int paren = 0;
    while (paren < newSql.size() && newSql.at(paren) != QLatin1Char('(')) {
        if (isQuote(newSql.at(paren)))
            paren = skipQuoted(newSql, paren);
        else
            ++paren;
    }
    const QString list = columns.join(QLatin1String(", "));

    db.clearStatementCache();
    db.beginTransaction();
    try {
        const QString count = QStringLiteral("SELECT count(*) FROM %1");
        const QString before = strings(db, count.arg(quoted(name)), {}).first();
        db.run(QLatin1String("CREATE TABLE ") + quoted(temp) + QLatin1Char(' ') + newSql.mid(paren));
        db.run(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3").arg(quoted(temp), list, quoted(name)));
        db.run(QLatin1String("DROP TABLE ") + quoted(name));
        // Views and triggers are restored from their own text; the rename
        // must not try to rewrite them.
        db.run(QStringLiteral("PRAGMA legacy_alter_table = ON"));
        db.run(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quoted(temp), quoted(name)));
        db.run(QStringLiteral("PRAGMA legacy_alter_table = OFF"));
        for (const QString &sql : extras)
            db.run(sql);
        if (!seq.isEmpty()) {
            db.execute(QStringLiteral("DELETE FROM sqlite_sequence WHERE name IN (?, ?)"), {name, temp});
            db.execute(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"),
                       {name, seq.first().toLongLong()});
        }
        if (strings(db, count.arg(quoted(name)), {}).first() != before)
            throw Error(
                err::kDatabaseError,
                QStringLiteral("Het ombouwen van tabel '%1' is afgebroken: het aantal rijen klopt niet.").arg(name));
        db.commitTransaction();
    } catch (...) {
        sqlite3_exec(db.handle(), "PRAGMA legacy_alter_table = OFF", nullptr, nullptr, nullptr);
        try {
            db.rollbackTransaction();
        } catch (...) {
        }
        throw;
    }
}

bool isCaseFolding(const QString &collation)
{
    return collation.compare(QLatin1String(kJetCollation), Qt::CaseInsensitive) == 0
           || collation.compare(QLatin1String(kOldJetCollation), Qt::CaseInsensitive) == 0;
}

// The CREATE INDEX text of `index` with BINARY for every key column that a
// case-folding collation orders; empty when there is none (or the index
// keys an expression, which is left as it is).
QString binaryIndexSql(PhysicalDatabase &db, const QString &index, const QString &table, const QString &sql)
{
    OwnedStatement stmt(db.prepare(QStringLiteral("SELECT cid, name, desc, coll FROM pragma_index_xinfo(?) "
                                                  "WHERE key = 1 ORDER BY seqno")));
    db.bindAll(stmt.get(), {index});
    QStringList keys;
    bool folding = false;
    while (db.step(stmt.get())) {
        if (sqlite3_column_int(stmt.get(), 0) < 0)
            return QString();
        const QString coll = text(stmt.get(), 3);
        QString key = quoted(text(stmt.get(), 1));
        if (isCaseFolding(coll)) {
            folding = true;
            key += QLatin1String(" COLLATE BINARY");
        } else if (coll.compare(QLatin1String("BINARY"), Qt::CaseInsensitive) != 0) {
            key += QLatin1String(" COLLATE ") + coll;
        }
        if (sqlite3_column_int(stmt.get(), 2) != 0)
            key += QLatin1String(" DESC");
        keys << key;
    }
    const int close = closingParen(sql);
    if (!folding || close < 0)
        return QString();
    const bool unique = sql.simplified().startsWith(QLatin1String("CREATE UNIQUE"), Qt::CaseInsensitive);
    const QString rest = sql.mid(close + 1).trimmed(); // a partial index's WHERE
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)%5")
        .arg(unique ? QStringLiteral("UNIQUE ") : QString(), quoted(index), quoted(table),
             keys.join(QLatin1String(", ")), rest.isEmpty() ? QString() : QLatin1Char(' ') + rest);
}

} // namespace

void rebuildWithColumnType(PhysicalDatabase &db, const QString &table, const QString &column, const QString &newType)
{
    const QString name = tableName(db, table);
    rebuild(db, name, withColumnType(createSqlOf(db, name), column, newType));
}

bool useStandardTextCollation(PhysicalDatabase &db)
{
    static const QRegularExpression oldCollation(
        QStringLiteral("\\bCOLLATE\\s+(?:JETTEXT|\"JETTEXT\"|'JETTEXT'|`JETTEXT`|\\[JETTEXT\\])(?![\\w])"),
        QRegularExpression::CaseInsensitiveOption);
    bool changed = false;
    db.clearStatementCache();
    db.beginTransaction();
    try {
        const QStringList tables =
            strings(db,
                    QStringLiteral(
                        "SELECT name FROM sqlite_schema WHERE type = 'table' AND sql LIKE '%JETTEXT%' ORDER BY name"),
                    {});
        for (const QString &name : tables) {
            const QString createSql = createSqlOf(db, name);
            QString newSql = createSql;
            newSql.replace(oldCollation, QStringLiteral("COLLATE NOCASE"));
            if (newSql == createSql)
                continue;
            rebuild(db, name, newSql);
            changed = true;
        }
        QList<QStringList> indexes;
        {
            OwnedStatement stmt(db.prepare(QStringLiteral("SELECT name, tbl_name, sql FROM sqlite_schema "
                                                          "WHERE type = 'index' AND sql IS NOT NULL ORDER BY name")));
            while (db.step(stmt.get()))
                indexes.append({text(stmt.get(), 0), text(stmt.get(), 1), text(stmt.get(), 2)});
        }
        for (const QStringList &index : indexes) {
            const QString sql = binaryIndexSql(db, index[0], index[1], index[2]);
            if (sql.isEmpty())
                continue;
            db.run(QLatin1String("DROP INDEX ") + quoted(index[0]));
            db.run(sql);
            changed = true;
        }
        db.commitTransaction();
    } catch (...) {
        try {
            db.rollbackTransaction();
        } catch (...) {
        }
        throw;
    }
    return changed;
}

} // namespace db
