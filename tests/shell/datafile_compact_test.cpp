// Compaction of the data file: into the file's path with "new" appended,
// then renamed over the file; a failure anywhere leaves the file as it was,
// and a copy left by an interrupted run is never thrown away while the data
// file itself is missing.

#include "shell_test_env.h"

#include "shell/datafile_compact.h"

#include "platform/db/catalog.h"
#include "platform/ui/busy_cursor.h"

#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace {

using namespace shelltest;
using ui::Icon;

const QString kSites = QStringLiteral("SELECT count(*) || ':' || group_concat(strStortNaam, ',') FROM tblStort");

class DataFileCompaction : public ShellTest {
public:
    using ShellTest::tmp;

    // A data file with a site and the free pages of many deleted ones.
    QString dataFileWithFreePages(const QString &dir)
    {
        const QString pad = dir + QStringLiteral("/dbQORdata_1.mdb");
        QFile::remove(pad);
        EXPECT_TRUE(QFile::copy(progDir + QStringLiteral("/db00.mdb"), pad));
        QFile::setPermissions(pad, QFile::ReadOwner | QFile::WriteOwner);
        runSql(pad, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                                   "INSERT INTO tblStort (strStortNaam, intStortType, memVestigingsadres) "
                                   "SELECT 'Stort ' || i, 1, printf('%.500c', 'x') FROM n;"
                                   "DELETE FROM tblStort WHERE idrStort_ID > 1;"));
        return pad;
    }
    QString dataFileWithFreePages() { return dataFileWithFreePages(folder()); }

    // The data file's own folder.
    QString folder() const
    {
        const QString dir = tmp.path() + QStringLiteral("/data");
        QDir().mkpath(dir);
        return dir;
    }

    static QStringList filesIn(const QString &dir)
    {
        return QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
};

TEST_F(DataFileCompaction, CopyIsNamedAfterTheFileWithNewAppended)
{
    EXPECT_EQ(modCompress::pfunCompactPad(QStringLiteral("/data/dbQORdata_1.mdb")),
              QStringLiteral("/data/dbQORdata_1.mdbnew"));
}

TEST_F(DataFileCompaction, FileIsReplacedByItsCompactedCopyWithTheSameContent)
{
    const QString pad = dataFileWithFreePages();
    QFile::setPermissions(pad, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QFile::Permissions permissions = QFile::permissions(pad);
    const qint64 before = QFileInfo(pad).size();

    modCompress::CompactDatabestand(pad);

    EXPECT_LT(QFileInfo(pad).size(), before / 4);
    EXPECT_EQ(scalar(pad, kSites), QStringLiteral("1:Stort 1"));
    EXPECT_EQ(scalar(pad, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    // The AutoNumber goes on where it was: ids are never reused.
    EXPECT_EQ(scalar(pad, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name='tblStort'")),
              QStringLiteral("2000"));
    EXPECT_EQ(QFile::permissions(pad), permissions);
    EXPECT_EQ(filesIn(folder()), QStringList{QStringLiteral("dbQORdata_1.mdb")});
    EXPECT_FALSE(ui::isBusyCursor());
}

TEST_F(DataFileCompaction, CopyLeftByAnEarlierRunIsRubbishWhileTheFileIsThere)
{
    const QString pad = dataFileWithFreePages();
    writeBytes(modCompress::pfunCompactPad(pad), QByteArray("half geschreven"));

    modCompress::CompactDatabestand(pad);

    EXPECT_EQ(scalar(pad, kSites), QStringLiteral("1:Stort 1"));
    EXPECT_EQ(filesIn(folder()), QStringList{QStringLiteral("dbQORdata_1.mdb")});
}

TEST_F(DataFileCompaction, AnOlderCompleteCopyNeverReplacesTheLiveFile)
{
    const QString pad = dataFileWithFreePages();
    const QString kopie = modCompress::pfunCompactPad(pad);
    ASSERT_TRUE(QFile::copy(pad, kopie));
    ASSERT_TRUE(modCompress::pfunIsVolledigDatabestand(kopie));
    // The user went on working after the copy was made.
    runSql(pad, QStringLiteral("INSERT INTO tblStort (strStortNaam, intStortType) VALUES ('Nieuw', 1);"));

    const QString names = QStringLiteral(
        "SELECT group_concat(strStortNaam, ',') FROM (SELECT strStortNaam FROM tblStort ORDER BY idrStort_ID)");
    EXPECT_FALSE(modCompress::HerstelOnderbrokenCompactie(pad));
    EXPECT_EQ(scalar(pad, names), QStringLiteral("Stort 1,Nieuw"));
    modCompress::CompactDatabestand(pad);
    EXPECT_EQ(scalar(pad, names), QStringLiteral("Stort 1,Nieuw"));
    EXPECT_EQ(filesIn(folder()), QStringList{QStringLiteral("dbQORdata_1.mdb")});
}

// The data file is missing and only the copy is there: a complete data
// file is put back; a cut-off one, or a complete database that is not a
// data file, is left alone.
enum class Kopie { Complete, Truncated, OtherDatabase, ChecklistFile };
struct KopieGeval {
    const char *naam;
    Kopie kopie;
};
void PrintTo(const KopieGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class CompactionLeftOnlyTheCopy : public DataFileCompaction, public ::testing::WithParamInterface<KopieGeval> {};

TEST_P(CompactionLeftOnlyTheCopy, OnlyACompleteDataFileIsPutBack)
{
    const QString pad = dataFileWithFreePages();
    const QString kopie = modCompress::pfunCompactPad(pad);
    ASSERT_TRUE(QFile::rename(pad, kopie));
    switch (GetParam().kopie) {
    case Kopie::Complete:
        break;
    case Kopie::Truncated: {
        const QByteArray bytes = fileBytes(kopie);
        writeBytes(kopie, bytes.left(bytes.size() / 3));
        break;
    }
    case Kopie::OtherDatabase:
        QFile::remove(kopie);
        makeDatabase(kopie, QStringLiteral("CREATE TABLE t (x INTEGER); INSERT INTO t VALUES (1);"));
        break;
    case Kopie::ChecklistFile:
        // It has a tblSYS with a 'versie' row, as a data file has.
        QFile::remove(kopie);
        ASSERT_TRUE(QFile::copy(progDir + QStringLiteral("/dbQORCL.mdb"), kopie));
        ASSERT_EQ(scalar(kopie, QStringLiteral("SELECT count(*) FROM tblSYS WHERE strSYS_ID='versie'")),
                  QStringLiteral("1"));
        break;
    }
    const QByteArray copyBytes = fileBytes(kopie);

    modCompress::CompactDatabestand(pad);

    if (GetParam().kopie == Kopie::Complete) {
        EXPECT_EQ(scalar(pad, kSites), QStringLiteral("1:Stort 1"));
        EXPECT_EQ(filesIn(folder()), QStringList{QStringLiteral("dbQORdata_1.mdb")});
    } else {
        EXPECT_FALSE(modCompress::pfunIsVolledigDatabestand(kopie));
        EXPECT_FALSE(QFileInfo::exists(pad));
        EXPECT_EQ(fileBytes(kopie), copyBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CompactionLeftOnlyTheCopy,
                         ::testing::Values(KopieGeval{"Complete", Kopie::Complete},
                                           KopieGeval{"Truncated", Kopie::Truncated},
                                           KopieGeval{"OtherDatabase", Kopie::OtherDatabase},
                                           KopieGeval{"ChecklistFile", Kopie::ChecklistFile}),
                         [](const ::testing::TestParamInfo<KopieGeval> &info) { return std::string(info.param.naam); });

// A compacted copy that does not hold what the data file holds is refused:
// the data file stays as it was and the copy is removed.
struct SlechteKopie {
    const char *naam;
    const char *sql;                                   // what goes wrong in the copy
    void (*beschadig)(const QString &kopie) = nullptr; // and in its bytes
};
void PrintTo(const SlechteKopie &g, std::ostream *os)
{
    *os << g.naam;
}

// The first bytes of the first row of tblStort become rubbish: the row
// cannot be read, though its page still counts one row.
void beschadigEersteRij(const QString &kopie)
{
    const int paginaGrootte = scalar(kopie, QStringLiteral("PRAGMA page_size")).toInt();
    const int wortel =
        scalar(kopie, QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name='tblStort'")).toInt();
    QByteArray bytes = fileBytes(kopie);
    const qsizetype pagina = qsizetype(wortel - 1) * paginaGrootte;
    ASSERT_EQ(bytes[pagina], '\x0d') << "a leaf of a table";
    ASSERT_EQ(bytes[pagina + 4], '\x01') << "with one row";
    const auto rij = qsizetype((uchar(bytes[pagina + 8]) << 8) | uchar(bytes[pagina + 9]));
    bytes.replace(pagina + rij, 9, QByteArray(9, '\xff'));
    writeBytes(kopie, bytes);
}

// The one entry of the index on the site names is said to begin two bytes
// before the end of its page.
void beschadigIndexpagina(const QString &kopie)
{
    const int paginaGrootte = scalar(kopie, QStringLiteral("PRAGMA page_size")).toInt();
    const int wortel =
        scalar(kopie, QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name='idxStortNaam'")).toInt();
    QByteArray bytes = fileBytes(kopie);
    const qsizetype pagina = qsizetype(wortel - 1) * paginaGrootte;
    ASSERT_EQ(bytes[pagina], '\x0a') << "a leaf of an index";
    ASSERT_EQ(bytes[pagina + 4], '\x01') << "with one entry";
    const int buiten = paginaGrootte - 2;
    bytes[pagina + 8] = char(buiten >> 8);
    bytes[pagina + 9] = char(buiten & 0xff);
    writeBytes(kopie, bytes);
}

class CompactionOfABadCopy : public DataFileCompaction, public ::testing::WithParamInterface<SlechteKopie> {};

TEST_P(CompactionOfABadCopy, IsRefusedAndTheFileKept)
{
    const QString pad = dataFileWithFreePages();
    const QByteArray before = fileBytes(pad);
    expectSchrijffout(pad);

    modCompress::CompactDatabestand(pad, [g = GetParam()](const QString &bestand, const QString &kopie) {
        db::compactDatabase(bestand, kopie);
        runSql(kopie, QString::fromUtf8(g.sql));
        if (g.beschadig)
            g.beschadig(kopie);
    });

    EXPECT_EQ(fileBytes(pad), before);
    EXPECT_EQ(filesIn(folder()), QStringList{QStringLiteral("dbQORdata_1.mdb")});
    EXPECT_FALSE(ui::isBusyCursor());
}

INSTANTIATE_TEST_SUITE_P(Cases, CompactionOfABadCopy,
                         ::testing::Values(SlechteKopie{"RowMissing", "DELETE FROM tblProv WHERE bytProv_ID=70"},
                                           SlechteKopie{"TableMissing", "DROP TABLE tblTonnage"},
                                           SlechteKopie{"IndexMissing", "DROP INDEX idxActStort"},
                                           SlechteKopie{"RowUnreadable", "", &beschadigEersteRij},
                                           SlechteKopie{"IndexPageDamaged", "", &beschadigIndexpagina}),
                         [](const ::testing::TestParamInfo<SlechteKopie> &info) {
                             return std::string(info.param.naam);
                         });

// Whatever stops the compaction, the file stays as it was and no copy is left.
struct SchrijfGeval {
    const char *naam;
    bool readOnlyFolder;
    bool readOnlyFile;
    bool copyNameTaken; // a folder stands where the copy must go
};
void PrintTo(const SchrijfGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class CompactionCannotWrite : public DataFileCompaction, public ::testing::WithParamInterface<SchrijfGeval> {};

TEST_P(CompactionCannotWrite, ReportsSchrijffoutAndLosesNothing)
{
    const SchrijfGeval &g = GetParam();
    const QString dir = folder();
    const QString pad = dataFileWithFreePages(dir);
    if (g.copyNameTaken) {
        ASSERT_TRUE(QDir().mkpath(modCompress::pfunCompactPad(pad) + QStringLiteral("/iets")));
    }
    if (g.readOnlyFile)
        QFile::setPermissions(pad, QFile::ReadOwner);
    const QByteArray before = fileBytes(pad);
    const QStringList files = filesIn(dir);
    std::optional<ReadOnlyFolder> readOnly;
    if (g.readOnlyFolder || g.readOnlyFile) {
        // The guard also keeps a process running as root from writing.
        const QString guarded = g.readOnlyFolder ? dir : tmp.path() + QStringLiteral("/leeg");
        QDir().mkpath(guarded);
        readOnly.emplace(guarded);
        if (!readOnly->effective() || QFile(pad).open(QIODevice::ReadWrite) != g.readOnlyFolder)
            GTEST_SKIP() << "this process can write what is read-only";
    }
    expectSchrijffout(pad);

    modCompress::CompactDatabestand(pad);

    readOnly.reset();
    EXPECT_EQ(fileBytes(pad), before);
    EXPECT_EQ(filesIn(dir), files);
    EXPECT_FALSE(ui::isBusyCursor());
}

INSTANTIATE_TEST_SUITE_P(Cases, CompactionCannotWrite,
                         ::testing::Values(SchrijfGeval{"ReadOnlyFolder", true, false, false},
                                           SchrijfGeval{"ReadOnlyFile", false, true, false},
                                           SchrijfGeval{"CopyNameTaken", false, false, true}),
                         [](const ::testing::TestParamInfo<SchrijfGeval> &info) {
                             return std::string(info.param.naam);
                         });

// The disk fills up while the copy is written: the process may write only
// a few pages.
TEST_F(DataFileCompaction, FullDiskWhileCopyingLeavesTheFileAsItWas)
{
    const QString pad = dataFileWithFreePages();
    runSql(pad, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
                               "INSERT INTO tblStort (strStortNaam, intStortType, memVestigingsadres) "
                               "SELECT 'Blijft ' || i, 1, printf('%.500c', 'y') FROM n;"));
    const QByteArray before = fileBytes(pad);
    expectSchrijffout(pad);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    modCompress::CompactDatabestand(pad);

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(fileBytes(pad), before);
    EXPECT_EQ(filesIn(folder()), QStringList{QStringLiteral("dbQORdata_1.mdb")});
}

TEST_F(DataFileCompaction, FileThatIsNoDatabaseOrIsMissingIsLeftToTheCoupling)
{
    const QString pad = folder() + QStringLiteral("/dbQORdata_1.mdb");
    modCompress::CompactDatabestand(pad);
    EXPECT_TRUE(filesIn(folder()).isEmpty());

    const QByteArray garbage = QByteArray("geen database").repeated(100);
    writeBytes(pad, garbage);
    modCompress::CompactDatabestand(pad);
    EXPECT_EQ(fileBytes(pad), garbage);
    EXPECT_EQ(filesIn(folder()), QStringList{QStringLiteral("dbQORdata_1.mdb")});
}

} // namespace
