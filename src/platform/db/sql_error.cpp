#include "sql_error.h"

#include "platform/core/error_numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

namespace db {

using platform::Error;

namespace {

QString stripSchema(QString name)
{
    if (name.startsWith(QLatin1String("main.")))
        name.remove(0, 5);
    return name;
}

// "T.c" or "T.a, T.b" -> ("T", "c") / ("T", "a, b")
void tableAndFields(const QString &list, QString &table, QString &fields)
{
    QStringList names;
    for (const QString &item : list.split(QLatin1Char(','))) {
        const QString t = item.trimmed();
        const int dot = t.indexOf(QLatin1Char('.'));
        if (dot > 0 && table.isEmpty())
            table = t.left(dot);
        names << (dot > 0 ? t.mid(dot + 1) : t);
    }
    fields = names.join(QLatin1String(", "));
}

} // namespace

Error sqlError(sqlite3 *handle, int rc, const QString &file, const QString &sql)
{
    const QString msg = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
    const int primary = rc & 0xff;
    const QString inFile = QStringLiteral("het databestand '%1'").arg(file);

    switch (primary) {
    case SQLITE_CONSTRAINT: {
        static const QRegularExpression re(QStringLiteral("constraint failed: (.*)$"));
        const auto m = re.match(msg);
        QString table, fields;
        if (m.hasMatch())
            tableAndFields(m.captured(1), table, fields);
        if (rc == SQLITE_CONSTRAINT_NOTNULL)
            return Error(err::kNullNotAllowed,
                         QStringLiteral("Het veld '%1' van tabel '%2' moet een waarde hebben.").arg(fields, table));
        if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
            return Error(err::kDuplicateKey,
                         QStringLiteral("De waarde van het veld '%1' van tabel '%2' komt al voor; dubbele "
                                        "waarden zijn niet toegestaan.")
                             .arg(fields, table));
        return Error(err::kDatabaseError,
                     QStringLiteral("De wijziging voldoet niet aan een regel van %1 (%2).").arg(inFile, msg));
    }
    case SQLITE_READONLY:
        if (rc == SQLITE_READONLY_ROLLBACK || rc == SQLITE_READONLY_RECOVERY) {
            // A change broken off (a crash) left its journal; undoing it
            // needs a folder and a file that can be written.
            const QFileInfo info(file);
            const bool mapSchrijfbaar =
                ::faccessat(AT_FDCWD, QFile::encodeName(info.absolutePath()).constData(), W_OK, AT_EACCESS) == 0;
            const QString waarom =
                mapSchrijfbaar
                    ? QStringLiteral("het bestand alleen-lezen is")
                    : QStringLiteral("de map '%1' alleen-lezen is").arg(QDir::toNativeSeparators(info.absolutePath()));
            return Error(err::kReadOnly,
                         QStringLiteral("Het databestand '%1' bevat een onderbroken wijziging, die niet kan worden "
                                        "teruggedraaid omdat %2.")
                             .arg(file, waarom));
        }
        return Error(
            err::kReadOnly,
            QStringLiteral("Het databestand '%1' is alleen-lezen; de wijziging is niet opgeslagen.").arg(file));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Error(err::kLocked,
                     QStringLiteral("Het databestand '%1' is vergrendeld door een ander proces.").arg(file));
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return Error(err::kNotADatabase,
                     QStringLiteral("Het bestand '%1' is geen databestand of is beschadigd.").arg(file));
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
    case SQLITE_PERM:
    case SQLITE_FULL:
        return Error(err::kCannotOpen,
                     QStringLiteral("Het databestand '%1' kan niet worden gelezen of geschreven (%2).").arg(file, msg));
    default:
        break;
    }

    static const QRegularExpression noTable(QStringLiteral("^no such table: (.+)$"));
    static const QRegularExpression noColumn(QStringLiteral("^no such column: (.+)$"));
    static const QRegularExpression noNamedColumn(QStringLiteral("^table (\\S+) has no column named (.+)$"));
    static const QRegularExpression dupColumn(QStringLiteral("^duplicate column name: (.+)$"));
    if (auto m = noTable.match(msg); m.hasMatch())
        return Error(err::kTableNotFound,
                     QStringLiteral("De tabel '%1' bestaat niet in %2.").arg(stripSchema(m.captured(1)), inFile));
    if (auto m = noColumn.match(msg); m.hasMatch())
        return Error(err::kUnknownColumn,
                     QStringLiteral("Het veld '%1' bestaat niet (in de opdracht \"%2\").").arg(m.captured(1), sql));
    if (auto m = noNamedColumn.match(msg); m.hasMatch())
        return Error(
            err::kUnknownColumn,
            QStringLiteral("Het veld '%1' bestaat niet in tabel '%2'.").arg(m.captured(2), stripSchema(m.captured(1))));
    if (auto m = dupColumn.match(msg); m.hasMatch())
        return Error(err::kDuplicateField, QStringLiteral("Het veld '%1' bestaat al.").arg(m.captured(1)));
    if (msg.contains(QLatin1String("syntax error")) || msg.contains(QLatin1String("incomplete input"))
        || msg.startsWith(QLatin1String("unrecognized token")))
        return Error(err::kSyntaxError, QStringLiteral("Syntaxfout in de opdracht \"%1\" (%2).").arg(sql, msg));
    return Error(err::kDatabaseError, QStringLiteral("Fout in %1: %2.").arg(inFile, msg));
}

} // namespace db
