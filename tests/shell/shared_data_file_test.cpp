// One data file, two running instances of the program (two users of a
// shared file, or a second login of one user). Every instance holds the file
// while it has it coupled; a start that finds it held leaves the compaction
// out, says so, and goes on, and the other instance's work is saved. Once no
// other instance holds it, also after one was killed, the start compacts it.
// The other instance is a process of its own (other_instance.cpp).

#include "shell_test_env.h"

#include "shell/connection_strings.h"
#include "shell/datafile_compact.h"

#include <QProcess>

#include <sys/stat.h>

namespace {

using namespace shelltest;

// The other instance, running on `dataFile` until it is ended or killed.
class OtherInstance {
public:
    explicit OtherInstance(const QString &dataFile)
    {
        m_process.setProgram(QStringLiteral(TAVIR_OTHER_INSTANCE));
        m_process.setArguments({dataFile});
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
    }
    ~OtherInstance() { kill(); }
    OtherInstance(const OtherInstance &) = delete;
    OtherInstance &operator=(const OtherInstance &) = delete;

    // Its next line; empty when it ended without one.
    QString nextLine()
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(kWait))
                return QString();
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    QString tell(const QString &line)
    {
        m_process.write(line.toUtf8() + '\n');
        return nextLine();
    }
    // Ends as the program does when it is closed.
    bool end()
    {
        m_process.closeWriteChannel();
        return m_process.waitForFinished(kWait) && m_process.exitStatus() == QProcess::NormalExit
               && m_process.exitCode() == 0;
    }
    void kill()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill(); // SIGKILL: nothing of the program runs any more
        m_process.waitForFinished(kWait);
    }

private:
    static constexpr int kWait = 60000; // ample, on a busy machine too
    QProcess m_process;
};

ino_t inodeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

const QString kSites = QStringLiteral("SELECT group_concat(strStortNaam, ',') FROM tblStort");

class SharedDataFile : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        shell::frmMDI_main::setSplashOpener([this](shell::frmMDI_main &) { ++splashOpened; });
        // A shared file with a site and the free pages of many deleted ones.
        ASSERT_TRUE(QDir().mkpath(tmp.path() + QStringLiteral("/share")));
        pad = tmp.path() + QStringLiteral("/share/dbQORdata_1.mdb");
        ASSERT_TRUE(QFile::copy(progDir + QStringLiteral("/db00.mdb"), pad));
        QFile::setPermissions(pad, QFile::ReadOwner | QFile::WriteOwner);
        runSql(pad, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500) "
                                   "INSERT INTO tblStort (strStortNaam, intStortType, memVestigingsadres) "
                                   "SELECT 'Stort ' || i, 1, printf('%.500c', 'x') FROM n;"
                                   "DELETE FROM tblStort WHERE idrStort_ID > 1;"
                                   "UPDATE tblStort SET strStortNaam = 'De Kempen';"));
        settings::SaveSetting(QLatin1String(modMain::kInstellingenApp), QStringLiteral("TAVIR3_0"),
                              QLatin1String(modMain::kSetDatabestand), pad);
    }

    void expectInUse()
    {
        script.expectMsgBox(ui::Icon::Information, QStringLiteral("Comprimeren databestand"),
                            QStringLiteral("Het databestand \"") + pad
                                + QStringLiteral("\" is ook geopend in een ander exemplaar van TAVIR (van u of van "
                                                 "een andere gebruiker) en wordt daarom nu niet gecomprimeerd. Dat "
                                                 "gebeurt bij een volgende start waarbij niemand anders met het "
                                                 "bestand werkt."));
    }

    // The start went on to the splash with the shared file coupled.
    void expectStartedOnTheFile()
    {
        ASSERT_NE(shell::frmMDI_main::instance(), nullptr);
        EXPECT_EQ(splashOpened, 1);
        EXPECT_EQ(modMain::gstrConnData, modMain::pfunConnStrData(pad));
    }

    QString pad;
    int splashOpened = 0;
};

TEST_F(SharedDataFile, StartWhileAnotherInstanceWorksLeavesTheFileUncompactedAndTheOtherSaves)
{
    OtherInstance other(pad);
    ASSERT_EQ(other.nextLine(), QStringLiteral("gekoppeld"));
    const ino_t inode = inodeOf(pad);
    const QByteArray before = fileBytes(pad);
    expectInUse();

    modMain::Main();

    expectStartedOnTheFile();
    EXPECT_EQ(inodeOf(pad), inode) << "the file is the one the other instance has open";
    EXPECT_TRUE(fileBytes(pad) == before) << "not a byte changed";
    EXPECT_FALSE(QFileInfo::exists(modCompress::pfunCompactPad(pad)));
    // The other instance's edit, made after this start, reaches the file.
    EXPECT_EQ(other.tell(QStringLiteral("bewerk De Berkenheuvel")), QStringLiteral("bewaard"));
    EXPECT_TRUE(other.end());
    EXPECT_EQ(scalar(pad, kSites), QStringLiteral("De Berkenheuvel"));
}

struct Einde {
    const char *naam;
    bool killed;
};
void PrintTo(const Einde &e, std::ostream *os)
{
    *os << e.naam;
}

class SharedDataFileAfterTheOther : public SharedDataFile, public ::testing::WithParamInterface<Einde> {};

TEST_P(SharedDataFileAfterTheOther, StartCompactsTheFileAgain)
{
    {
        OtherInstance other(pad);
        ASSERT_EQ(other.nextLine(), QStringLiteral("gekoppeld"));
        if (GetParam().killed)
            other.kill();
        else
            EXPECT_TRUE(other.end());
    }
    const ino_t inode = inodeOf(pad);
    const qint64 size = QFileInfo(pad).size();

    modMain::Main();

    expectStartedOnTheFile();
    EXPECT_TRUE(script.shown().empty());
    EXPECT_NE(inodeOf(pad), inode) << "the compacted copy took the file's place";
    EXPECT_LT(QFileInfo(pad).size(), size / 2);
    EXPECT_EQ(scalar(pad, kSites), QStringLiteral("De Kempen"));
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedDataFileAfterTheOther,
                         ::testing::Values(Einde{"Ended", false}, Einde{"Killed", true}),
                         [](const ::testing::TestParamInfo<Einde> &info) { return std::string(info.param.naam); });

} // namespace
