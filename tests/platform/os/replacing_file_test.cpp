// A file written beside its target and renamed over it, and the removal of
// what a writer killed midway left behind: only our own temporary files,
// never one being written, never a file of another name.

#include "platform/os/replacing_file.h"

#include "support/qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
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

// A target reached through symbolic links: the new content goes into the
// file at the end of the links, and every link stays as it was.
struct LinkCase {
    const char *name;
    // Makes the links in `root` and returns the path the writer is given;
    // `end` is the file it finally names, relative to `root`.
    QString (*make)(const QString &root);
    const char *end;
    bool endMissing = false; // the links lead to no file yet
};
void PrintTo(const LinkCase &c, std::ostream *os)
{
    *os << c.name;
}

void link(const QString &text, const QString &at)
{
    ASSERT_EQ(::symlink(QFile::encodeName(text).constData(), QFile::encodeName(at).constData()), 0)
        << text.toStdString();
}

// The text of the link at `path` ("" when it is none).
QString linkText(const QString &path)
{
    QByteArray text(4096, '\0');
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), text.data(), size_t(text.size()));
    text.truncate(n < 0 ? 0 : n);
    return QFile::decodeName(text);
}

class ReplacingFileThroughLinks : public ::testing::TestWithParam<LinkCase> {};

TEST_P(ReplacingFileThroughLinks, ReplacesTheFileTheLinksNameAndKeepsTheLinks)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char *folder : {"werk", "share", "tussen", "echt/sub"})
        ASSERT_TRUE(QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder)));
    const QString given = GetParam().make(root);
    const QString end = root + QLatin1Char('/') + QLatin1String(GetParam().end);
    if (!GetParam().endMissing)
        put(end, "oud");
    // Every link on the way, with its text.
    QMap<QString, QString> links;
    for (const char *folder : {"werk", "tussen", "echt/sub"})
        for (const QFileInfo &entry : QDir(root + QLatin1Char('/') + QLatin1String(folder))
                                          .entryInfoList(QDir::System | QDir::AllEntries | QDir::NoDotAndDotDot))
            if (entry.isSymLink())
                links.insert(entry.filePath(), linkText(entry.filePath()));
    ASSERT_FALSE(links.isEmpty());
    const QStringList besideTheLink = filesIn(QFileInfo(given).path());

    EXPECT_EQ(os::finalTarget(given), end);
    os::ReplacingFile f(given);
    ASSERT_TRUE(f.open() && f.write("nieuw") && f.commit()) << f.errorString().toStdString();

    EXPECT_EQ(bytesOf(end), QByteArray("nieuw"));
    EXPECT_EQ(bytesOf(given), QByteArray("nieuw"));
    for (auto it = links.cbegin(); it != links.cend(); ++it) {
        EXPECT_TRUE(QFileInfo(it.key()).isSymLink()) << it.key().toStdString();
        EXPECT_EQ(linkText(it.key()), it.value());
    }
    // Nothing is left beside the link or beside the file.
    EXPECT_EQ(filesIn(QFileInfo(given).path()), besideTheLink);
    for (const QString &entry : filesIn(QFileInfo(end).path()))
        EXPECT_FALSE(os::isTemporaryName(entry)) << entry.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplacingFileThroughLinks,
    ::testing::Values(
        LinkCase{"Absolute",
                 [](const QString &root) {
                     link(root + QStringLiteral("/share/net.docx"), root + QStringLiteral("/werk/rapport.docx"));
                     return root + QStringLiteral("/werk/rapport.docx");
                 },
                 "share/net.docx"},
        LinkCase{"Relative",
                 [](const QString &root) {
                     link(QStringLiteral("../share/net.docx"), root + QStringLiteral("/werk/rapport.docx"));
                     return root + QStringLiteral("/werk/rapport.docx");
                 },
                 "share/net.docx"},
        LinkCase{"Chain",
                 [](const QString &root) {
                     link(QStringLiteral("../tussen/stap.docx"), root + QStringLiteral("/werk/rapport.docx"));
                     link(QStringLiteral("../share/net.docx"), root + QStringLiteral("/tussen/stap.docx"));
                     return root + QStringLiteral("/werk/rapport.docx");
                 },
                 "share/net.docx"},
        // The link stands in a folder reached through a linked folder: its
        // ".." leads from where the folder really is.
        LinkCase{"RelativeInALinkedFolder",
                 [](const QString &root) {
                     link(QStringLiteral("../echt/sub"), root + QStringLiteral("/werk/map"));
                     link(QStringLiteral("../net.docx"), root + QStringLiteral("/echt/sub/rapport.docx"));
                     return root + QStringLiteral("/werk/map/rapport.docx");
                 },
                 "echt/net.docx"},
        // A link whose file is missing gets the file.
        LinkCase{"ToAMissingFile",
                 [](const QString &root) {
                     link(QStringLiteral("../share/nieuw.docx"), root + QStringLiteral("/werk/rapport.docx"));
                     return root + QStringLiteral("/werk/rapport.docx");
                 },
                 "share/nieuw.docx", true}),
    [](const ::testing::TestParamInfo<LinkCase> &info) { return std::string(info.param.name); });

TEST(ReplacingFile, ChainOfLinksWithoutEndIsRefusedAndLeftAlone)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.docx"));
    const QString b = dir.filePath(QStringLiteral("b.docx"));
    link(QStringLiteral("b.docx"), a);
    link(QStringLiteral("a.docx"), b);

    int error = 0;
    EXPECT_TRUE(os::finalTarget(a, &error).isEmpty());
    EXPECT_EQ(error, ELOOP);
    os::ReplacingFile f(a);
    EXPECT_FALSE(f.open());
    EXPECT_EQ(f.errorNumber(), ELOOP);
    EXPECT_EQ(linkText(a), QStringLiteral("b.docx"));
    EXPECT_EQ(linkText(b), QStringLiteral("a.docx"));
    EXPECT_EQ(filesIn(dir.path()), QStringList({"a.docx", "b.docx"}));
}
