// A file written beside its target and renamed over it, and the removal of
// what a writer killed midway left behind: only our own temporary files,
// never one being written, never a file of another name.

#include "platform/os/replacing_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot,
                               QDir::Name);
}

// A child process starts writing `target` and is killed before it is done.
QString killedWhileWriting(const QString &target)
{
    int pipeFd[2];
    EXPECT_EQ(::pipe(pipeFd), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        os::ReplacingFile f(target);
        f.open();
        f.write(QByteArray("half"));
        const QByteArray name = f.temporaryPath().toUtf8() + '\n';
        (void)!::write(pipeFd[1], name.constData(), size_t(name.size()));
        ::_exit(0); // no commit, no destructor: what a kill leaves
    }
    ::close(pipeFd[1]);
    char buffer[4096] = {};
    const ssize_t n = ::read(pipeFd[0], buffer, sizeof buffer - 1);
    ::close(pipeFd[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return QString::fromUtf8(buffer, int(n > 0 ? n - 1 : 0));
}

} // namespace

TEST(ReplacingFile, TakesTheTargetsPlaceOnlyWhenCommitted)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("rapport.docx"));
    put(target, "oud");
    {
        os::ReplacingFile f(target);
        ASSERT_TRUE(f.open());
        EXPECT_TRUE(os::isTemporaryName(QFileInfo(f.temporaryPath()).fileName())) << f.temporaryPath().toStdString();
        EXPECT_TRUE(f.temporaryPath().startsWith(dir.filePath(QStringLiteral(".rapport.docx.tavir-"))));
        ASSERT_TRUE(f.write("nieuw"));
        EXPECT_EQ(bytesOf(target), QByteArray("oud"));
    } // not committed: the target stays, the temporary file goes
    EXPECT_EQ(filesIn(dir.path()), QStringList{"rapport.docx"});
    EXPECT_EQ(bytesOf(target), QByteArray("oud"));

    os::ReplacingFile f(target);
    ASSERT_TRUE(f.open() && f.write("nieuw") && f.commit());
    EXPECT_EQ(bytesOf(target), QByteArray("nieuw"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{"rapport.docx"});

    os::ReplacingFile again(target);
    ASSERT_TRUE(again.open() && again.write("derde"));
    EXPECT_FALSE(again.commit(std::nullopt, true)) << "no replacing asked for";
    EXPECT_EQ(again.errorNumber(), EEXIST);
    EXPECT_EQ(bytesOf(target), QByteArray("nieuw"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{"rapport.docx"});
}

TEST(ReplacingFile, LeftoversOfAKilledWriterGoOtherFilesAndLiveWritersStay)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("export.xml"));
    const QString killed = killedWhileWriting(target);
    ASSERT_TRUE(QFileInfo::exists(killed)) << killed.toStdString();

    os::ReplacingFile live(dir.filePath(QStringLiteral("rapport.docx")));
    ASSERT_TRUE(live.open() && live.write("bezig"));
    // Names that are not ours, or not files.
    const QStringList others = {"export.xml",
                                "export.xml.backup",
                                ".export.xml.abc123",
                                "export.xml.tavir-abc123",
                                ".export.xml.tavir-abc12",
                                ".export.xml.tavir-abc1234"};
    for (const QString &name : others)
        put(dir.filePath(name), "van de gebruiker");
    ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral(".map.tavir-abcdef"))));
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("export.xml")), dir.filePath(QStringLiteral(".link.tavir-abcdef"))));

    EXPECT_EQ(os::removeLeftovers(dir.path()), 1);

    EXPECT_FALSE(QFileInfo::exists(killed));
    EXPECT_TRUE(QFileInfo::exists(live.temporaryPath()));
    for (const QString &name : others)
        EXPECT_EQ(bytesOf(dir.filePath(name)), QByteArray("van de gebruiker")) << name.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral(".map.tavir-abcdef"))).isDir());
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral(".link.tavir-abcdef"))).isSymLink());
    EXPECT_TRUE(live.commit());
    EXPECT_EQ(bytesOf(dir.filePath(QStringLiteral("rapport.docx"))), QByteArray("bezig"));
}
