#pragma once
// The sqlite3 shell (installed with the program's dependencies), for tests
// that a database file the program made or changed can be checked and
// queried by ordinary SQLite tools, without anything of the program.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testsupport {

// What `sqlite3 -batch <path> <sql>` prints, trimmed; on a failure its
// error output follows "sqlite3 failed: ".
inline QString sqliteShell(const QString &path, const QString &sql)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), path, sql});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("sqlite3 failed: ") + p.errorString() + QLatin1Char(' ')
               + QString::fromUtf8(p.readAllStandardError()).trimmed();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The indexes of the file that key a text column by a case-folding
// collation ("index.column"), which the program and another tool may order
// differently; none in any of our files.
inline QString caseFoldingIndexKeys(const QString &path)
{
    return sqliteShell(
        path, QStringLiteral("SELECT group_concat(i.name || '.' || x.name, ' ') FROM sqlite_schema AS i, "
                             "pragma_index_xinfo(i.name) AS x "
                             "WHERE i.type = 'index' AND x.key = 1 AND upper(x.coll) IN ('NOCASE', 'JETTEXT')"));
}

} // namespace testsupport
