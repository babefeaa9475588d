// tavir-mkdb, the build-time tool that runs an SQL script into a database
// file: all or nothing, with Jet's text comparison available to the script.

#include "sqlite_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace datatest;

namespace {

struct ToolResult {
    int exitCode;
    QString errorOutput;
};

class MkdbTool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString writeScript(const QString &name, const QByteArray &sql)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(sql);
        return path;
    }

    ToolResult run(const QStringList &arguments)
    {
        QProcess p;
        p.start(QStringLiteral(TAVIR_MKDB), arguments);
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardError())};
    }

    // Only the given files are left in the folder: no temporary file or
    // journal stays behind.
    void expectFolderHolds(const QStringList &names)
    {
        QStringList actual = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QStringList expected = names;
        expected.sort();
        EXPECT_EQ(actual.join(u' ').toStdString(), expected.join(u' ').toStdString());
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(MkdbTool, BuildsTheFileWithTheCollationAndOneTransaction)
{
    const QString script = writeScript(QStringLiteral("ok.sql"), "-- a small file\n"
                                                                 "CREATE TABLE t (s VARCHAR(10) COLLATE NOCASE);\n"
                                                                 "INSERT INTO t VALUES ('Éénmalig');\n");
    const QString out = dir.filePath(QStringLiteral("out.mdb"));
    const ToolResult r = run({script, out});
    ASSERT_EQ(r.exitCode, 0) << r.errorOutput.toStdString();
    expectFolderHolds({QStringLiteral("ok.sql"), QStringLiteral("out.mdb")});

    SqliteFile file(out);
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM t WHERE s = ?", {QStringLiteral("ÉÉNMALIG")}).toInt(), 1);
    EXPECT_EQ(file.value("PRAGMA journal_mode").toString(), QStringLiteral("delete"));
    EXPECT_EQ(file.value("PRAGMA page_size").toInt(), 4096);
}

TEST_F(MkdbTool, ReportsAFailingStatementAndLeavesNoFile)
{
    struct Case {
        const char *name;
        QByteArray sql;
        int line;
        const char *message;
    };
    const Case cases[] = {
        {"syntax", "CREATE TABLE t (a INTEGER);\n\nINSERT INTO t VALUES (1;\n", 3, "syntax error"},
        {"constraint", "CREATE TABLE t (a INTEGER NOT NULL);\n-- comment\n/* block */\nINSERT INTO t VALUES (NULL);\n",
         4, "NOT NULL"},
        {"missing table", "INSERT INTO nowhere VALUES (1);", 1, "no such table"},
        {"own commit", "CREATE TABLE t (a INTEGER);\nCOMMIT;\n", 2, "transaction"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString script = writeScript(QStringLiteral("bad.sql"), c.sql);
        const QString out = dir.filePath(QStringLiteral("out.mdb"));
        const ToolResult r = run({script, out});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.errorOutput.contains(script + QStringLiteral(":%1:").arg(c.line))) << r.errorOutput.toStdString();
        EXPECT_TRUE(r.errorOutput.contains(QString::fromUtf8(c.message))) << r.errorOutput.toStdString();
        expectFolderHolds({QStringLiteral("bad.sql")});
    }
}

TEST_F(MkdbTool, LeavesAnExistingFileAloneWhenTheBuildFails)
{
    const QString out = dir.filePath(QStringLiteral("out.mdb"));
    const QString good =
        writeScript(QStringLiteral("good.sql"), "CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (7);");
    ASSERT_EQ(run({good, out}).exitCode, 0);
    const QString bad = writeScript(QStringLiteral("bad.sql"), "CREATE TABLE u (a INTEGER); INSERT INTO u VALUES (;");
    EXPECT_EQ(run({bad, out}).exitCode, 1);
    expectFolderHolds({QStringLiteral("bad.sql"), QStringLiteral("good.sql"), QStringLiteral("out.mdb")});

    SqliteFile file(out);
    EXPECT_EQ(file.value("SELECT a FROM t").toInt(), 7);
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM sqlite_master WHERE name = 'u'").toInt(), 0);
}

TEST_F(MkdbTool, ReplacesAnExistingFileWhenTheBuildSucceeds)
{
    const QString out = dir.filePath(QStringLiteral("out.mdb"));
    ASSERT_EQ(run({writeScript(QStringLiteral("a.sql"), "CREATE TABLE a (x INTEGER);"), out}).exitCode, 0);
    ASSERT_EQ(run({writeScript(QStringLiteral("b.sql"), "CREATE TABLE b (x INTEGER);"), out}).exitCode, 0);
    SqliteFile file(out);
    EXPECT_EQ(file.value("SELECT group_concat(name) FROM sqlite_master WHERE type = 'table'").toString(),
              QStringLiteral("b"));
}

TEST_F(MkdbTool, RefusesWrongUsageAndAMissingScript)
{
    EXPECT_EQ(run({}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("only-one-argument.sql")}).exitCode, 2);
    const ToolResult r = run({dir.filePath(QStringLiteral("missing.sql")), dir.filePath(QStringLiteral("out.mdb"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errorOutput.contains(QStringLiteral("missing.sql"))) << r.errorOutput.toStdString();
    expectFolderHolds({});
}
