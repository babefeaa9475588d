// Where the files are in the two layouts: the portable program folder keeps
// everything; an installed one (marked, or not writable) sends the default
// data file and a downloaded checklist file to the user's own data folder,
// and a first start there makes the data file and reaches the splash.

#include "shell_test_env.h"

#include "shell/connection_strings.h"
#include "shell/file_locations.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

using namespace shelltest;

class FileLocations : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        userDir = modMain::pfunGebruikersMap();
        QDir(userDir).removeRecursively();
    }
    void TearDown() override
    {
        QDir(userDir).removeRecursively();
        ShellTest::TearDown();
    }

    void markInstalled() { writeBytes(progDir + QLatin1Char('/') + modMain::kInstallatieMerkteken, "installed\n"); }

    // A downloaded checklist file in the user's folder with sequence number `volgnr`.
    QString userChecklist(int volgnr)
    {
        QDir().mkpath(userDir);
        const QString path = userDir + QStringLiteral("/dbQORCL.mdb");
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(progDir + QStringLiteral("/dbQORCL.mdb"), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        runSql(path, QStringLiteral("UPDATE tblSYS SET strSYSvalue='%1' WHERE strSYS_ID='versie'").arg(volgnr));
        return path;
    }

    // Every file under the program folder with its size and time.
    QStringList programFolderFiles() const
    {
        QStringList files;
        QDirIterator it(progDir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo fi(it.next());
            files << fi.filePath() + QLatin1Char(' ') + QString::number(fi.size()) + QLatin1Char(' ')
                         + QString::number(fi.lastModified().toMSecsSinceEpoch());
        }
        files.sort();
        return files;
    }

    QString userDir;
};

TEST_F(FileLocations, PortableFolderKeepsEverything)
{
    EXPECT_FALSE(modMain::pfunIsGeinstalleerd());
    EXPECT_EQ(modMain::pfunDataMap(), progDir);
    EXPECT_EQ(modMain::pfunStandaardDatabestand(), progDir + QStringLiteral("/dbQORdata_1.mdb"));
    EXPECT_EQ(modMain::pfunSjabloonBestand(), progDir + QStringLiteral("/db00.mdb"));
    // A checklist file in the user's folder (from an installed copy) is not
    // this program's.
    userChecklist(99);
    EXPECT_EQ(modMain::pfunChecklistBestand(), progDir + QStringLiteral("/dbQORCL.mdb"));
    EXPECT_EQ(modMain::pfunChecklistDownloadMap(), progDir);
    modMain::ZetChecklistVerbinding();
    EXPECT_EQ(modMain::gstrConnCL, modMain::pfunConnStrCL(progDir));

    modMain::MaakEersteDatabestand();
    EXPECT_FALSE(QFileInfo::exists(progDir + QStringLiteral("/dbQORdata_1.mdb")));
}

TEST_F(FileLocations, MarkedFolderUsesTheUsersDataFolder)
{
    markInstalled();
    EXPECT_TRUE(modMain::pfunIsGeinstalleerd());
    EXPECT_TRUE(userDir.startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
    EXPECT_TRUE(userDir.endsWith(QStringLiteral("/tavir")));
    EXPECT_EQ(modMain::pfunDataMap(), userDir);
    EXPECT_EQ(modMain::pfunStandaardDatabestand(), userDir + QStringLiteral("/dbQORdata_1.mdb"));
    // The template and, until one is downloaded, the checklist file stay
    // the installed ones.
    EXPECT_EQ(modMain::pfunSjabloonBestand(), progDir + QStringLiteral("/db00.mdb"));
    EXPECT_EQ(modMain::pfunChecklistBestand(), progDir + QStringLiteral("/dbQORCL.mdb"));
    EXPECT_FALSE(QFileInfo::exists(userDir));
    EXPECT_EQ(modMain::pfunChecklistDownloadMap(), userDir);
    EXPECT_TRUE(QFileInfo(userDir).isDir()); // made for the download
}

TEST_F(FileLocations, FolderThatCannotBeWrittenCountsAsInstalled)
{
    ReadOnlyFolder readOnly(progDir);
    if (!readOnly.effective())
        GTEST_SKIP() << "the folder stays writable for this user";
    EXPECT_TRUE(modMain::pfunIsGeinstalleerd());
    EXPECT_EQ(modMain::pfunDataMap(), userDir);
}

struct ChecklistGeval {
    const char *naam;
    int eigenVolgnr;      // sequence number of the downloaded copy; 0: none, -1: a damaged copy
    bool installedBroken; // the installed file cannot be read
    bool eigenGekozen;    // the downloaded copy is read
};
void PrintTo(const ChecklistGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class ChecklistChoice : public FileLocations, public ::testing::WithParamInterface<ChecklistGeval> {};

TEST_P(ChecklistChoice, DownloadedCopyIsPreferredUnlessOlderOrUnreadable)
{
    const ChecklistGeval &g = GetParam();
    markInstalled();
    if (g.eigenVolgnr > 0)
        userChecklist(g.eigenVolgnr);
    if (g.eigenVolgnr < 0) {
        QDir().mkpath(userDir);
        writeBytes(userDir + QStringLiteral("/dbQORCL.mdb"), "no database");
    }
    if (g.installedBroken)
        writeBytes(progDir + QStringLiteral("/dbQORCL.mdb"), "no database either");

    const QString chosen = g.eigenGekozen ? userDir : progDir;
    EXPECT_EQ(modMain::pfunChecklistBestand(), chosen + QStringLiteral("/dbQORCL.mdb"));
    modMain::ZetChecklistVerbinding();
    EXPECT_EQ(modMain::gstrConnCL, modMain::pfunConnStrCL(chosen));
}

// The shipped file has sequence number 12.
INSTANTIATE_TEST_SUITE_P(
    Cases, ChecklistChoice,
    ::testing::Values(ChecklistGeval{"none", 0, false, false}, ChecklistGeval{"newer", 13, false, true},
                      ChecklistGeval{"same", 12, false, true}, ChecklistGeval{"older", 11, false, false},
                      ChecklistGeval{"damaged", -1, false, false}, ChecklistGeval{"installedBroken", 11, true, true}));

// The sequence number of a downloaded copy is read whatever its folder's
// name holds: a ";" ends an item of a connection string, and a quote may
// open a quoted value.
TEST_F(FileLocations, DownloadedCopyIsReadInAFolderWhoseNameHoldsASemicolonOrQuotes)
{
    markInstalled();
    // The user's data folder is under the home folder; the real one comes
    // back whatever happens.
    struct Thuis {
        QString &userDir;
        const QByteArray home = qgetenv("HOME");
        ~Thuis()
        {
            qputenv("HOME", home);
            userDir = modMain::pfunGebruikersMap();
        }
    } thuis{userDir};
    for (const char *naam : {"thuis;1", "thuis 'a' \"b\"", "thuis \"c\";'d"}) {
        const QString home = tmp.path() + QLatin1Char('/') + QString::fromUtf8(naam);
        ASSERT_TRUE(QDir().mkpath(home));
        qputenv("HOME", QFile::encodeName(home));
        userDir = modMain::pfunGebruikersMap();
        ASSERT_TRUE(userDir.startsWith(home + QLatin1Char('/'))) << userDir.toStdString();
        userChecklist(13);
        EXPECT_EQ(modMain::pfunChecklistBestand(), userDir + QStringLiteral("/dbQORCL.mdb")) << naam;
    }
}

TEST_F(FileLocations, FirstDataFileIsMadeOnceAndWritableFromAReadOnlyTemplate)
{
    markInstalled();
    QFile::setPermissions(progDir + QStringLiteral("/db00.mdb"),
                          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString data = userDir + QStringLiteral("/dbQORdata_1.mdb");

    // As an ordinary user: to root every file reads as writable, so a copy
    // of the template would come out writable whatever the program does.
    ASSERT_TRUE(testsupport::runAsOrdinaryUser([] { modMain::MaakEersteDatabestand(); }));
    ASSERT_TRUE(QFileInfo::exists(data));
    EXPECT_EQ(fileBytes(data), fileBytes(progDir + QStringLiteral("/db00.mdb")));
    // The file's own permissions, which bind every user but root.
    EXPECT_TRUE(QFileInfo(data).permissions() & QFile::WriteOwner);

    // An existing file is never replaced.
    writeBytes(data, "the user's own");
    modMain::MaakEersteDatabestand();
    EXPECT_EQ(fileBytes(data), QByteArray("the user's own"));

    // A data file that an interrupted compaction left only as its copy is
    // put back at start, not replaced by a new one.
    QFile::remove(data);
    writeBytes(data + QStringLiteral("new"), fileBytes(progDir + QStringLiteral("/db00.mdb")));
    runSql(data + QStringLiteral("new"), QStringLiteral("INSERT INTO tblStort (strStortNaam) VALUES ('Bewaard')"));
    int splash = 0;
    shell::frmMDI_main::setSplashOpener([&](shell::frmMDI_main &) { ++splash; });
    modMain::Main();
    EXPECT_EQ(splash, 1);
    EXPECT_EQ(scalar(data, QStringLiteral("SELECT strStortNaam FROM tblStort")), QStringLiteral("Bewaard"));
    shell::frmMDI_main::unload();
    modMain::releaseSingleInstance();
    modMain::resetProgramState();

    // Once a data file is coupled, a missing one is the start's to report.
    QFile::remove(data);
    modMain::BewaarInstelling(QLatin1String(modMain::kSetDatabestand), data);
    modMain::MaakEersteDatabestand();
    EXPECT_FALSE(QFileInfo::exists(data));
}

TEST_F(FileLocations, InstalledFirstStartCouplesANewFileInTheUsersFolder)
{
    markInstalled();
    int splash = 0;
    shell::frmMDI_main::setSplashOpener([&](shell::frmMDI_main &) { ++splash; });
    const QStringList before = programFolderFiles();

    modMain::Main();

    ASSERT_NE(shell::frmMDI_main::instance(), nullptr);
    const QString data = userDir + QStringLiteral("/dbQORdata_1.mdb");
    EXPECT_EQ(splash, 1);
    EXPECT_EQ(modMain::gstrDatabestand, data);
    EXPECT_EQ(modMain::gstrConnData, modMain::pfunConnStrData(data));
    EXPECT_EQ(setting(modMain::kSetDatabestand), data);
    EXPECT_EQ(versionRowOf(data), QStringLiteral("30"));
    EXPECT_EQ(modMain::gstrConnCL, modMain::pfunConnStrCL(progDir));
    // Compaction worked beside the data file; nothing went into the program folder.
    EXPECT_EQ(programFolderFiles(), before);
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("new")));
}

} // namespace
