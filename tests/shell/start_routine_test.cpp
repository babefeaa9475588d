// The start routine: version gate, single instance, settings with their
// defaults, the checklist file's version rows, the data file's look-up,
// compaction and coupling, and the screen the start ends in.

#include "shell_test_env.h"

#include "support/local_http_server.h"
#include "support/widget_driver.h"

#include "shell/auto_update.h"
#include "shell/connection_strings.h"
#include "shell/datafile_compact.h"
#include "shell/program_info.h"

#include "platform/db/connection.h"
#include "platform/os/single_instance.h"
#include "platform/ui/busy_cursor.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <functional>

namespace {

using namespace shelltest;
using ui::Icon;

const QString kApp = QLatin1String(modMain::kInstellingenApp);
const QString kSectie = QStringLiteral("TAVIR3_0");

class StartRoutine : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        shell::frmMDI_main::setSplashOpener([this](shell::frmMDI_main &) { ++splashOpened; });
        shell::frmMDI_main::setSettingsScreenOpener([this](shell::frmMDI_main &) { ++settingsOpened; });
    }

    void TearDown() override
    {
        modAutoUpdate::setControleerUpdates({});
        modAutoUpdate::setVoerUpdateUit({});
        ShellTest::TearDown();
    }

public:
    using ShellTest::oldFormatFile;
    using ShellTest::templateCopy;

    QString defaultDataFile() const { return progDir + QStringLiteral("/dbQORdata_1.mdb"); }

    static void store(const char *key, const QString &value)
    {
        settings::SaveSetting(kApp, kSectie, QLatin1String(key), value);
    }
    static QString stored(const char *key, const QString &section = kSectie)
    {
        return settings::GetSetting(kApp, section, QLatin1String(key), QStringLiteral("<missing>"));
    }

    void expectNotFound(const QString &pad)
    {
        script.expectMsgBox(Icon::Exclamation, QStringLiteral("Koppeling aan databestand"),
                            QStringLiteral("Het databestand ") + pad
                                + QStringLiteral(" is niet gevonden. Wijzig de bestandslocatie of maak een nieuw "
                                                 "databestand aan."));
    }

    QStringList shownTitles() const
    {
        QStringList titles;
        for (const auto &box : script.shown())
            titles << box.msgBox.title;
        return titles;
    }

    // The run goes on while the main window is loaded.
    static bool runGoesOn() { return shell::frmMDI_main::instance() != nullptr; }
    static QString panel(int index) { return shell::frmMDI_main::instance()->panelText(index); }

    // The commands of the main window a user can reach now: its enabled
    // menu items and tool-bar buttons, by name and key.
    static QStringList enabledCommands()
    {
        QStringList names;
        shell::frmMDI_main *main = shell::frmMDI_main::instance();
        for (QMenu *menu : main->menuBar()->findChildren<QMenu *>())
            for (QAction *a : menu->actions())
                if (!a->isSeparator() && !a->menu() && a->isVisible() && a->isEnabled())
                    names << a->objectName();
        for (QAction *a : main->findChild<QToolBar *>(QStringLiteral("tbToolBar"))->actions())
            if (!a->isSeparator() && a->isEnabled())
                names << a->data().toString();
        return names;
    }

    // A copy of the checklist file changed by `sql` takes its place.
    void changeChecklist(const QString &sql) { runSql(progDir + QStringLiteral("/dbQORCL.mdb"), sql); }

    int splashOpened = 0;
    int settingsOpened = 0;
};

// ---- version gate ---------------------------------------------------------

struct VersieGeval {
    tavir::ProgramVersion versie;
    bool start;
    qint32 nummer;
    const char *sectie;
    const char *panel2;
};
void PrintTo(const VersieGeval &g, std::ostream *os)
{
    *os << g.versie.major << "." << g.versie.minor << "." << g.versie.revision;
}

class StartVersion : public StartRoutine, public ::testing::WithParamInterface<VersieGeval> {};

TEST_P(StartVersion, MinorAboveNineStopsBeforeAnythingElse)
{
    const VersieGeval &g = GetParam();
    store(modMain::kSetBTW, QStringLiteral("17,5"));
    if (g.start)
        expectNotFound(defaultDataFile());
    else
        script.expectMsgBox(
            Icon::Critical, QStringLiteral("Check versienr"),
            QStringLiteral("De applicatie heeft een ongeldig versienr. Neem contact op met de helpdesk."));

    modMain::Main(g.versie);

    EXPECT_EQ(runGoesOn(), g.start);
    EXPECT_EQ(modMain::pfunProgVersieNr(), g.nummer);
    EXPECT_EQ(modMain::pfunRegSectie(), QLatin1String(g.sectie));
    EXPECT_EQ(modMain::gblnRevisie999, g.versie.revision == 999);
    if (g.start) {
        EXPECT_EQ(panel(2), QLatin1String(g.panel2));
        return;
    }
    // Refused: no lock taken, no setting read or written, no window.
    os::SingleInstance probe{QLatin1String(tavir::kProgramTitle)};
    EXPECT_TRUE(probe.tryLock());
    EXPECT_FALSE(modMain::gblnInstellingenGelezen);
    EXPECT_EQ(stored(modMain::kSetBTW), QStringLiteral("17,5"));
    EXPECT_EQ(stored(modMain::kSetBTW, QLatin1String(g.sectie)), QStringLiteral("<missing>"));
}

INSTANTIATE_TEST_SUITE_P(Cases, StartVersion,
                         ::testing::Values(VersieGeval{{3, 10, 0}, false, 310, "TAVIR3_10", ""},
                                           VersieGeval{{4, 12, 0}, false, 412, "TAVIR4_12", ""},
                                           VersieGeval{{3, 9, 0}, true, 39, "TAVIR3_9", " TAVIR programmaversie: 3.9 "},
                                           VersieGeval{
                                               {3, 0, 999}, true, 30, "TAVIR3_0", " TAVIR programmaversie: 3.0 "}));

TEST_F(StartRoutine, SecondInstanceIsRefusedAndLeavesTheFirstAlone)
{
    os::SingleInstance first{QLatin1String(tavir::kProgramTitle)};
    ASSERT_TRUE(first.tryLock());
    script.expectMsgBox(Icon::Information, QStringLiteral("TAVIR"), QStringLiteral("Het programma is reeds geopend"));

    modMain::Main();

    EXPECT_FALSE(runGoesOn());
    EXPECT_TRUE(first.isLocked());
    EXPECT_FALSE(modMain::gblnInstellingenGelezen);
    EXPECT_EQ(stored(modMain::kSetBTW), QStringLiteral("<missing>"));
}

TEST_F(StartRoutine, LockFileLeftEmptyByAKillDoesNotBlockTheStart)
{
    // An earlier run killed between making its lock file and writing it.
    const QString lockFile = os::SingleInstance{QLatin1String(tavir::kProgramTitle)}.lockFilePath();
    ASSERT_TRUE(QFile(lockFile).open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(QFileInfo(lockFile).size(), 0);
    expectNotFound(defaultDataFile());

    modMain::Main();

    EXPECT_TRUE(runGoesOn());
    os::SingleInstance second{QLatin1String(tavir::kProgramTitle)};
    EXPECT_FALSE(second.tryLock()) << "this run holds the lock";
}

// ---- settings -------------------------------------------------------------

TEST_F(StartRoutine, WithoutSettingsUsesTheDefaultsAndOpensTheSettingsScreen)
{
    expectNotFound(defaultDataFile());

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_EQ(modMain::gstrDatabestand, defaultDataFile());
    EXPECT_EQ(modMain::glngKleurVoorz, 16384);
    EXPECT_EQ(modMain::glngKleurAct, 128);
    EXPECT_FALSE(modMain::gblnTreeSingleSel);
    EXPECT_TRUE(modMain::gblnTreeLines);
    EXPECT_FALSE(modMain::gblnTreePlusMin);
    EXPECT_EQ(modMain::gsngBTWPerc, 19.0f);
    EXPECT_EQ(modMain::gbytProxySetting, 0);
    EXPECT_EQ(modMain::gstrProxyNaam, QString());
    EXPECT_EQ(modMain::gintProxyPoort, 0);
    EXPECT_FALSE(modMain::gblnAutoUpdateOnStart);

    EXPECT_EQ(modMain::gstrConnCL, modMain::pfunConnStrCL(progDir));
    EXPECT_TRUE(modMain::gstrConnData.isEmpty());
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(splashOpened, 0);
    EXPECT_FALSE(ui::isBusyCursor());
    EXPECT_EQ(panel(1), QStringLiteral("<geen inrichting geopend>"));
    EXPECT_EQ(panel(2), QStringLiteral(" TAVIR programmaversie: 3.0 "));
    EXPECT_EQ(panel(3), QStringLiteral(" volgnr. bestand checklists: 12 "));
    EXPECT_EQ(modMain::gintProgVerMin, 30);
    EXPECT_TRUE(modMain::pfunProgVersieActueel()); // equal to the program's: passes
    // Nothing was stored at start: the data file's name stays unset.
    EXPECT_EQ(stored(modMain::kSetDatabestand), QStringLiteral("<missing>"));
}

struct InstellingGeval {
    const char *key;
    const char *stored;
    std::function<QString()> read; // the program state as text
    const char *expected;
};

template <typename T> QString txt(T v)
{
    if constexpr (std::is_same_v<T, bool>)
        return v ? QStringLiteral("True") : QStringLiteral("False");
    else
        return QString::number(qint64(v));
}

const std::vector<InstellingGeval> &instellingGevallen()
{
    using namespace modMain;
    static const std::vector<InstellingGeval> cases = {
        // garbage falls back to the default
        {kSetProxySetting, "abc", [] { return txt(gbytProxySetting); }, "0"},
        {kSetProxyPoort, "99999", [] { return txt(gintProxyPoort); }, "0"},
        {kSetAutoUpdate, "misschien", [] { return txt(gblnAutoUpdateOnStart); }, "False"},
        {kSetKleurVoorz, "groen", [] { return txt(glngKleurVoorz); }, "16384"},
        {kSetKleurAct, "-5", [] { return txt(glngKleurAct); }, "128"},
        {kSetTreeSingleSel, "ja", [] { return txt(gblnTreeSingleSel); }, "False"},
        {kSetTreeLines, "2x", [] { return txt(gblnTreeLines); }, "True"},
        {kSetTreePlusMin, "", [] { return txt(gblnTreePlusMin); }, "False"},
        {kSetBTW, "negentien", [] { return QString::number(gsngBTWPerc); }, "19"},
        // a VAT percentage outside what its field takes (0 to 30)
        {kSetBTW, "-1", [] { return QString::number(gsngBTWPerc); }, "19"},
        {kSetBTW, "1E+23", [] { return QString::number(gsngBTWPerc); }, "19"},
        {kSetBTW, "30,5", [] { return QString::number(gsngBTWPerc); }, "19"},
        {kSetBTW, "30", [] { return QString::number(gsngBTWPerc); }, "30"},
        {kSetBTW, "0", [] { return QString::number(gsngBTWPerc); }, "0"},
        // the forms the program itself has written
        {kSetProxyNaam, "proxy.provincie.nl", [] { return gstrProxyNaam; }, "proxy.provincie.nl"},
        {kSetProxySetting, "2", [] { return txt(gbytProxySetting); }, "2"},
        {kSetProxyPoort, "8080", [] { return txt(gintProxyPoort); }, "8080"},
        {kSetProxyPoort, "65535", [] { return txt(gintProxyPoort); }, "65535"},
        {kSetAutoUpdate, "False", [] { return txt(gblnAutoUpdateOnStart); }, "False"},
        {kSetKleurVoorz, "255", [] { return txt(glngKleurVoorz); }, "255"},
        {kSetTreeSingleSel, "-1", [] { return txt(gblnTreeSingleSel); }, "True"},
        {kSetTreeLines, "False", [] { return txt(gblnTreeLines); }, "False"},
        {kSetTreePlusMin, "True", [] { return txt(gblnTreePlusMin); }, "True"},
        {kSetBTW, "17,5", [] { return QString::number(gsngBTWPerc); }, "17.5"},
    };
    return cases;
}

TEST_F(StartRoutine, EverySettingIsReadAndGarbageGivesTheDefault)
{
    for (const InstellingGeval &g : instellingGevallen()) {
        SCOPED_TRACE(std::string(g.key) + "=" + g.stored);
        store(g.key, QString::fromUtf8(g.stored));
        expectNotFound(defaultDataFile());

        modMain::Main();

        EXPECT_EQ(g.read(), QString::fromUtf8(g.expected));
        shell::frmMDI_main::unload();
        modMain::releaseSingleInstance();
        modMain::resetProgramState();
        clearSettings();
    }
}

TEST_F(StartRoutine, VatPercentageOutOfRangeIsStoredBackAsTheDefault)
{
    for (const char *waarde : {"-1", "1E+23"}) {
        SCOPED_TRACE(waarde);
        store(modMain::kSetBTW, QString::fromLatin1(waarde));
        expectNotFound(defaultDataFile());

        modMain::Main();
        shell::frmMDI_main::unload(); // "Afsluiten" stores the percentage

        EXPECT_EQ(stored(modMain::kSetBTW), QStringLiteral("19"));
        modMain::releaseSingleInstance();
        modMain::resetProgramState();
        clearSettings();
    }
}

TEST_F(StartRoutine, EmptyDataFileNameMeansTheDefaultFile)
{
    store(modMain::kSetDatabestand, QString());
    const QString pad = templateCopy();

    modMain::Main();

    EXPECT_EQ(modMain::gstrDatabestand, pad);
    EXPECT_EQ(modMain::gstrConnData, modMain::pfunConnStrData(pad));
}

// Whatever ends the start, the VAT percentage (or any setting) is never
// stored as a value that was not read.
struct EindGeval {
    const char *naam;
    std::function<tavir::ProgramVersion(StartRoutine &)> prepare;
};
void PrintTo(const EindGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class StartEnds : public StartRoutine, public ::testing::WithParamInterface<EindGeval> {
public:
    // Only what the test body prepares; every box is recorded.
    QString badName() const
    {
        return progDir + QStringLiteral("/dbQORdata_") + QString(300, QLatin1Char('a')) + QStringLiteral(".mdb");
    }
    QString garbageFile(const QString &name)
    {
        const QString pad = progDir + QStringLiteral("/") + name;
        writeBytes(pad, QByteArray("Dit is geen database.\n").repeated(20));
        return pad;
    }
    std::unique_ptr<os::SingleInstance> otherInstance;
};

TEST_P(StartEnds, NoSettingIsSavedThatWasNotRead)
{
    script.setMode(ui::ScriptedDialogs::Mode::Record);
    store(modMain::kSetBTW, QStringLiteral("17,5"));
    const tavir::ProgramVersion versie = GetParam().prepare(*this);

    modMain::Main(versie);
    EXPECT_FALSE(runGoesOn()) << shownTitles().join(QStringLiteral(" | ")).toStdString();
    otherInstance.reset();

    EXPECT_EQ(stored(modMain::kSetBTW), QStringLiteral("17,5"));
    EXPECT_EQ(splashOpened + settingsOpened, 0);
    EXPECT_TRUE(modMain::gstrConnData.isEmpty());
    EXPECT_FALSE(shownTitles().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, StartEnds,
    ::testing::Values(EindGeval{"MinorTen",
                                [](StartRoutine &) {
                                    return tavir::ProgramVersion{3, 10, 0};
                                }},
                      EindGeval{"SecondInstance",
                                [](StartRoutine &t) {
                                    auto &s = static_cast<StartEnds &>(t);
                                    s.otherInstance =
                                        std::make_unique<os::SingleInstance>(QLatin1String(tavir::kProgramTitle));
                                    s.otherInstance->tryLock();
                                    return tavir::kProgramVersion;
                                }},
                      EindGeval{"UnreadableChecklistFile",
                                [](StartRoutine &t) {
                                    static_cast<StartEnds &>(t).garbageFile(QStringLiteral("dbQORCL.mdb"));
                                    return tavir::kProgramVersion;
                                }},
                      EindGeval{"NameThatCannotBeLookedUp",
                                [](StartRoutine &t) {
                                    StartRoutine::store(modMain::kSetDatabestand,
                                                        static_cast<StartEnds &>(t).badName());
                                    return tavir::kProgramVersion;
                                }},
                      EindGeval{"UpgradeCancelled",
                                [](StartRoutine &t) {
                                    StartRoutine::store(modMain::kSetDatabestand,
                                                        t.oldFormatFile(QStringLiteral("dbQORdata_oud.mdb")));
                                    return tavir::kProgramVersion;
                                }}),
    [](const ::testing::TestParamInfo<EindGeval> &info) { return std::string(info.param.naam); });

// ---- the checklist file's version rows --------------------------------------

struct ChecklistGeval {
    const char *naam;
    const char *sql; // change to the checklist file; nullptr: not a database
    bool goesOn;
    const char *panel3;
};
void PrintTo(const ChecklistGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class StartChecklist : public StartRoutine, public ::testing::WithParamInterface<ChecklistGeval> {};

TEST_P(StartChecklist, UnreadableFileEndsTheStartWithAReport)
{
    const ChecklistGeval &g = GetParam();
    const QString checklist = progDir + QStringLiteral("/dbQORCL.mdb");
    if (g.sql)
        changeChecklist(QString::fromUtf8(g.sql));
    else
        writeBytes(checklist, QByteArray(4096, 'x'));
    script.setMode(ui::ScriptedDialogs::Mode::Record);

    modMain::Main();

    ASSERT_FALSE(script.shown().empty());
    if (g.goesOn) {
        ASSERT_TRUE(runGoesOn());
        EXPECT_EQ(panel(3), QLatin1String(g.panel3));
        EXPECT_EQ(modMain::gintProgVerMin, 0);
        EXPECT_TRUE(modMain::pfunProgVersieActueel()); // the gate always passes
        EXPECT_EQ(shownTitles(), QStringList{QStringLiteral("Koppeling aan databestand")});
        return;
    }
    EXPECT_FALSE(runGoesOn());
    const auto &box = script.shown().front();
    EXPECT_TRUE(box.msgBox.title.startsWith(QStringLiteral("Fout "))) << box.describe().toStdString();
    EXPECT_EQ(box.msgBox.icon, Icon::Critical);
    EXPECT_TRUE(box.msgBox.text.endsWith(QStringLiteral("\nBron: LeesVersieChecklist")))
        << box.describe().toStdString();
    EXPECT_FALSE(ui::isBusyCursor());
    EXPECT_EQ(settingsOpened + splashOpened, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartChecklist,
    ::testing::Values(ChecklistGeval{"NotADatabase", nullptr, false, ""},
                      ChecklistGeval{"WithoutTblSYS", "DROP TABLE tblSYS;", false, ""},
                      ChecklistGeval{"WithoutItemTable", "DROP TABLE tblCLitem;", false, ""},
                      ChecklistGeval{"VersionRowNotANumber",
                                     "UPDATE tblSYS SET strSYSvalue='twaalf' WHERE strSYS_ID='versie';", false, ""},
                      ChecklistGeval{"WithoutTblSYSRows", "DELETE FROM tblSYS;", true,
                                     " volgnr. bestand checklists: 0 "},
                      ChecklistGeval{"KeysInOtherCase",
                                     "UPDATE tblSYS SET strSYS_ID=upper(strSYS_ID), strSYSvalue='7' "
                                     "WHERE strSYS_ID='versie'; DELETE FROM tblSYS WHERE strSYS_ID='progvermin';",
                                     true, " volgnr. bestand checklists: 7 "}),
    [](const ::testing::TestParamInfo<ChecklistGeval> &info) { return std::string(info.param.naam); });

TEST_F(StartRoutine, ChecklistNeedingANewerProgramStillStartsButTheGateRefuses)
{
    changeChecklist(QStringLiteral("UPDATE tblSYS SET strSYSvalue='31' WHERE strSYS_ID='progvermin';"));
    templateCopy();

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_EQ(splashOpened, 1);
    script.expectMsgBox(Icon::Exclamation, QStringLiteral("Verouderd programmabestand"),
                        QStringLiteral("Om met het geïnstalleerde QOR-checklistbestand te kunnen werken dient u eerst "
                                       "de meest recente versie van TAVIR te downloaden."));
    EXPECT_FALSE(modMain::pfunProgVersieActueel());
}

// ---- the data file ----------------------------------------------------------

TEST_F(StartRoutine, CurrentDataFileIsCompactedCoupledSilentlyAndTheSplashFollows)
{
    const QString pad = templateCopy();
    runSql(pad, QStringLiteral("INSERT INTO tblStort (strStortNaam, intStortType) VALUES ('De Kempen', 1);"));

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_TRUE(script.shown().empty());
    EXPECT_EQ(splashOpened, 1);
    EXPECT_EQ(settingsOpened, 0);
    EXPECT_EQ(modMain::gstrDatabestand, pad);
    EXPECT_EQ(modMain::gstrConnData, modMain::pfunConnStrData(pad));
    EXPECT_EQ(modMain::gstrConnShape, modMain::pfunConnStrShape(pad));
    EXPECT_EQ(stored(modMain::kSetDatabestand), pad);
    EXPECT_FALSE(QFileInfo::exists(modCompress::pfunCompactPad(pad)));
    EXPECT_EQ(scalar(pad, QStringLiteral("SELECT strStortNaam FROM tblStort")), QStringLiteral("De Kempen"));
    EXPECT_EQ(panel(2), QStringLiteral(" TAVIR programmaversie: 3.0 "));
    EXPECT_TRUE(ui::isBusyCursor()) << "the splash puts the pointer back";
    // Closing the program stores the VAT percentage as it was read.
    shell::frmMDI_main::unload();
    EXPECT_EQ(stored(modMain::kSetBTW), QStringLiteral("19"));
}

struct DatafileGeval {
    const char *naam;
    std::function<QString(StartRoutine &)> prepare; // returns the stored data-file path
    QStringList titles;
};
void PrintTo(const DatafileGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class StartDataFile : public StartRoutine, public ::testing::WithParamInterface<DatafileGeval> {};

TEST_P(StartDataFile, RefusedDataFileEndsTheRunAndStaysAsItWas)
{
    const DatafileGeval &g = GetParam();
    const QString pad = g.prepare(*this);
    store(modMain::kSetDatabestand, pad);
    const QString schema = schemaOf(pad);
    const QString versie = versionRowOf(pad);
    script.setMode(ui::ScriptedDialogs::Mode::Record); // a question is cancelled

    modMain::Main();

    EXPECT_FALSE(runGoesOn());
    QStringList titles = shownTitles();
    if (!titles.isEmpty() && titles.front().startsWith(QStringLiteral("Fout ")))
        titles.front() = QStringLiteral("Fout");
    EXPECT_EQ(titles, g.titles);
    EXPECT_EQ(schemaOf(pad), schema);
    EXPECT_EQ(versionRowOf(pad), versie);
    EXPECT_FALSE(QFileInfo::exists(modCompress::pfunCompactPad(pad)));
    EXPECT_EQ(stored(modMain::kSetDatabestand), pad);
    EXPECT_EQ(splashOpened + settingsOpened, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartDataFile,
    ::testing::Values(DatafileGeval{"NameBreaksTheRule",
                                    [](StartRoutine &t) { return t.templateCopy(QStringLiteral("data.mdb")); },
                                    {QStringLiteral("Instellen bestandskoppeling")}},
                      DatafileGeval{"NewerFormat",
                                    [](StartRoutine &t) {
                                        const QString pad = t.templateCopy();
                                        runSql(pad, QStringLiteral("UPDATE tblSYS SET strSYSvalue='31';"));
                                        return pad;
                                    },
                                    {QStringLiteral("Koppeling databestand")}},
                      DatafileGeval{
                          "OlderFormatUpgradeCancelled",
                          [](StartRoutine &t) { return t.oldFormatFile(QStringLiteral("dbQORdata_oud.mdb")); },
                          {QStringLiteral("Upgraden databestand"), QStringLiteral("Koppeling databestand")}}),
    [](const ::testing::TestParamInfo<DatafileGeval> &info) { return std::string(info.param.naam); });

class StartDamagedFile : public StartRoutine, public ::testing::WithParamInterface<DatafileGeval> {};

// A damaged file, or one that is no database, would stop every start: after
// the report the settings screen opens, as for a missing file, so that the
// user can couple or make another file. The file itself is not touched.
TEST_P(StartDamagedFile, OpensTheSettingsScreenAndLeavesTheFileAsItWas)
{
    const DatafileGeval &g = GetParam();
    const QString pad = g.prepare(*this);
    store(modMain::kSetDatabestand, pad);
    const QByteArray before = fileBytes(pad);
    const QString schema = schemaOf(pad);
    const QString versie = versionRowOf(pad);
    const QString sites = scalar(pad, QStringLiteral("SELECT group_concat(strStortNaam) FROM tblStort"));
    script.setMode(ui::ScriptedDialogs::Mode::Record);

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    QStringList titles = shownTitles();
    if (!titles.isEmpty() && titles.front().startsWith(QStringLiteral("Fout ")))
        titles.front() = QStringLiteral("Fout");
    EXPECT_EQ(titles, g.titles);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(splashOpened, 0);
    EXPECT_TRUE(modMain::gstrConnData.isEmpty());
    EXPECT_FALSE(ui::isBusyCursor());
    // What it holds stays; a file that is no database stays byte for byte.
    EXPECT_EQ(schemaOf(pad), schema);
    EXPECT_EQ(versionRowOf(pad), versie);
    EXPECT_EQ(scalar(pad, QStringLiteral("SELECT group_concat(strStortNaam) FROM tblStort")), sites);
    if (schema.startsWith(QLatin1Char('<'))) {
        EXPECT_EQ(fileBytes(pad), before);
    }
    EXPECT_EQ(QDir(QFileInfo(pad).path()).entryList({QStringLiteral("dbQORdata_*")}, QDir::Files),
              QStringList{QFileInfo(pad).fileName()});
    EXPECT_EQ(stored(modMain::kSetDatabestand), pad);
    EXPECT_EQ(panel(2), QStringLiteral(" TAVIR programmaversie: 3.0 "));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartDamagedFile,
    ::testing::Values(DatafileGeval{"NotADatabase",
                                    [](StartRoutine &t) {
                                        const QString pad = t.templateCopy();
                                        writeBytes(pad, QByteArray("geen database").repeated(100));
                                        return pad;
                                    },
                                    {QStringLiteral("Fout")}},
                      DatafileGeval{"DatabaseHalfOverwritten",
                                    [](StartRoutine &t) {
                                        const QString pad = t.templateCopy();
                                        QByteArray bytes = fileBytes(pad);
                                        for (qsizetype i = 100; i < bytes.size(); ++i)
                                            bytes[i] = char(0xA5);
                                        writeBytes(pad, bytes);
                                        return pad;
                                    },
                                    {QStringLiteral("Fout")}},
                      DatafileGeval{
                          "WithoutVersionRow",
                          [](StartRoutine &t) {
                              const QString pad = t.templateCopy();
                              runSql(pad, QStringLiteral("DELETE FROM tblSYS; INSERT INTO tblStort (strStortNaam, "
                                                         "intStortType) VALUES ('De Kempen', 1);"));
                              return pad;
                          },
                          {QStringLiteral("Beschadigd databestand"), QStringLiteral("Koppeling databestand")}},
                      // Only the damage is told: the file is not called one of a later program.
                      DatafileGeval{"WithoutATable",
                                    [](StartRoutine &t) {
                                        const QString pad = t.templateCopy();
                                        runSql(pad, QStringLiteral("DROP TABLE tblAct;"));
                                        return pad;
                                    },
                                    {QStringLiteral("Beschadigd databestand")}}),
    [](const ::testing::TestParamInfo<DatafileGeval> &info) { return std::string(info.param.naam); });

// The coupling refuses these files; the compaction before it must not have
// rewritten them (it would, for one, drop free pages and change the bytes).
TEST_F(StartRoutine, FileRefusedAsNewerOrDamagedIsNotRewrittenFirst)
{
    const struct {
        const char *sql;
        const char *laatsteBox;
    } gevallen[] = {
        {"UPDATE tblSYS SET strSYSvalue='31';", "Koppeling databestand"},
        {"DELETE FROM tblSYS;", "Koppeling databestand"},
        {"DROP TABLE tblAct;", "Beschadigd databestand"},
    };
    for (const auto &[sql, laatsteBox] : gevallen) {
        SCOPED_TRACE(sql);
        const QString pad = templateCopy();
        runSql(pad, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                                   "INSERT INTO tblStort (strStortNaam, intStortType, memVestigingsadres) "
                                   "SELECT 'Stort ' || i, 1, printf('%.500c', 'x') FROM n;"
                                   "DELETE FROM tblStort WHERE idrStort_ID > 1;")
                        + QString::fromLatin1(sql));
        const QByteArray before = fileBytes(pad);
        script.setMode(ui::ScriptedDialogs::Mode::Record);

        modMain::Main();

        EXPECT_EQ(shownTitles().last(), QLatin1String(laatsteBox));
        EXPECT_EQ(splashOpened, 0);
        EXPECT_TRUE(fileBytes(pad) == before) << "the refused file was rewritten";
        if (runGoesOn())
            shell::frmMDI_main::unload();
        modMain::releaseSingleInstance();
        modMain::resetProgramState();
        script.clear();
    }
}

// A file that opens but is damaged inside: the compaction fails on it, says
// that the file is damaged (not that it may not be written), and leaves the
// file alone.
TEST_F(StartRoutine, DamagedDataFileIsReportedByTheCompactionAndLeftAsItIs)
{
    const QString pad = templateCopy();
    runSql(pad, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                               "INSERT INTO tblStort (strStortNaam, intStortType, memVestigingsadres) "
                               "SELECT 'Stort ' || i, 1, printf('%.500c', 'x') FROM n;"));
    const int paginaGrootte = scalar(pad, QStringLiteral("PRAGMA page_size")).toInt();
    const int wortel = scalar(pad, QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name='tblStort'")).toInt();
    QByteArray bytes = fileBytes(pad);
    bytes.replace(qsizetype(wortel - 1) * paginaGrootte, paginaGrootte, QByteArray(paginaGrootte, '\xff'));
    writeBytes(pad, bytes);
    script.setMode(ui::ScriptedDialogs::Mode::Record); // what follows the coupling is not this test's

    modMain::Main();

    ASSERT_FALSE(script.shown().empty());
    const auto &box = script.shown().front().msgBox;
    EXPECT_EQ(box.title, QStringLiteral("Beschadigd databestand"));
    EXPECT_EQ(box.icon, Icon::Critical);
    EXPECT_EQ(box.text, QStringLiteral("Databestand \"") + pad
                            + QStringLiteral("\" is beschadigd: het kan niet volledig worden gelezen en is daarom "
                                             "niet gecomprimeerd. Sluit TAVIR af en neem contact op met de helpdesk."));
    EXPECT_TRUE(fileBytes(pad) == bytes);
    EXPECT_FALSE(QFileInfo::exists(modCompress::pfunCompactPad(pad)));
}

TEST_F(StartRoutine, WhatAKilledCopyLeftBesideTheDataFileGoesAtStart)
{
    const QString pad = templateCopy();
    const QString leftover = progDir + QStringLiteral("/.dbQORdata_2.mdb.tavir-Zz00Yy");
    writeBytes(leftover, fileBytes(pad).left(4096));
    const QString eigen = progDir + QStringLiteral("/.dbQORdata_2.mdb.Zz00Yy");
    writeBytes(eigen, QByteArray("van de gebruiker"));

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_EQ(splashOpened, 1);
    EXPECT_FALSE(QFileInfo::exists(leftover));
    EXPECT_TRUE(QFileInfo::exists(eigen));
}

// Any path a user can give works, also one with ";" or quotes in it.
TEST_F(StartRoutine, DataFileInAFolderWithSemicolonAndQuotesStarts)
{
    const QString dir = tmp.path() + QStringLiteral("/a;b \"c\" 'd'");
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString pad = dir + QStringLiteral("/dbQORdata_x;y.mdb");
    ASSERT_TRUE(QFile::copy(progDir + QStringLiteral("/db00.mdb"), pad));
    QFile::setPermissions(pad, QFile::ReadOwner | QFile::WriteOwner);
    store(modMain::kSetDatabestand, pad);

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_TRUE(script.shown().empty());
    EXPECT_EQ(splashOpened, 1);
    EXPECT_EQ(modMain::gstrConnData, modMain::pfunConnStrData(pad));
    EXPECT_EQ(db::dataSourceOf(modMain::gstrConnData), pad);
}

TEST_F(StartRoutine, OlderDataFileIsUpgradedAtStartWhenTheUserAgrees)
{
    const QString pad = oldFormatFile(QStringLiteral("dbQORdata_oud.mdb"));
    store(modMain::kSetDatabestand, pad);
    expectUpgradeQuestion(pad, ui::Answer::Ok);
    expectUpgradeNotice();

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_EQ(splashOpened, 1);
    EXPECT_EQ(modMain::gstrConnData, modMain::pfunConnStrData(pad));
    EXPECT_EQ(versionRowOf(pad), QStringLiteral("30"));
}

TEST_F(StartRoutine, NameThatCannotBeLookedUpIsStoredAsQuestionMarkAndLookedUpAgain)
{
    const QString pad =
        progDir + QStringLiteral("/dbQORdata_") + QString(300, QLatin1Char('a')) + QStringLiteral(".mdb");
    store(modMain::kSetDatabestand, pad);
    script.expectMsgBox(Icon::Critical, QStringLiteral("Controle databestand"),
                        QStringLiteral("Datafile ") + pad
                            + QStringLiteral(" kan niet worden gevonden. TAVIR zal worden afgesloten. Start TAVIR "
                                             "vervolgens opnieuw op."));

    modMain::Main();

    EXPECT_FALSE(runGoesOn());
    EXPECT_EQ(stored(modMain::kSetDatabestand), QStringLiteral("?"));
    EXPECT_FALSE(ui::isBusyCursor());

    // The next start looks "?" up once more: not there.
    modMain::releaseSingleInstance();
    modMain::resetProgramState();
    expectNotFound(QStringLiteral("?"));
    modMain::Main();
    EXPECT_TRUE(runGoesOn());
    EXPECT_EQ(settingsOpened, 1);
}

TEST_F(StartRoutine, CopyLeftByAnInterruptedCompactionIsPutBack)
{
    const QString pad = templateCopy();
    ASSERT_TRUE(QFile::rename(pad, modCompress::pfunCompactPad(pad)));

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_TRUE(script.shown().empty());
    EXPECT_TRUE(QFileInfo::exists(pad));
    EXPECT_FALSE(QFileInfo::exists(modCompress::pfunCompactPad(pad)));
    EXPECT_EQ(splashOpened, 1);
    EXPECT_EQ(modMain::gstrConnData, modMain::pfunConnStrData(pad));
}

TEST_F(StartRoutine, ProgramUpdateThatTheUpdaterLeftHalfDoneIsCompletedFirst)
{
    // The updater was killed after placing one of two files.
    templateCopy();
    writeBytes(progDir + QStringLiteral("/tavir"), "nieuw programma");
    writeBytes(progDir + QStringLiteral("/_1_tavir"), "oud programma");
    writeBytes(progDir + QStringLiteral("/runupd"), "oude updater");
    writeBytes(progDir + QStringLiteral("/_0_runupd"), "nieuwe updater");
    writeBytes(progDir + QStringLiteral("/runupd.journal"), "runupd 1\nforward\n1 tavir\n1 runupd\n");

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_EQ(splashOpened, 1);
    EXPECT_EQ(fileBytes(progDir + QStringLiteral("/tavir")), "nieuw programma");
    EXPECT_EQ(fileBytes(progDir + QStringLiteral("/runupd")), "nieuwe updater");
    for (const char *weg : {"_1_tavir", "_0_runupd", "runupd.journal"})
        EXPECT_FALSE(QFile::exists(progDir + QLatin1Char('/') + QLatin1String(weg))) << weg;
}

TEST_F(StartRoutine, ReadOnlyFolderReportsTheWriteFailureAndStartsWithTheFileAsItIs)
{
    const QString dir = tmp.path() + QStringLiteral("/alleenlezen");
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString pad = dir + QStringLiteral("/dbQORdata_1.mdb");
    ASSERT_TRUE(QFile::copy(progDir + QStringLiteral("/db00.mdb"), pad));
    QFile::setPermissions(pad, QFile::ReadOwner | QFile::WriteOwner);
    store(modMain::kSetDatabestand, pad);
    const QByteArray before = fileBytes(pad);
    ReadOnlyFolder readOnly(dir);
    if (!readOnly.effective())
        GTEST_SKIP() << "this process can write into a read-only folder";
    expectSchrijffout(pad);

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_EQ(splashOpened, 1);
    EXPECT_EQ(fileBytes(pad), before);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("dbQORdata_1.mdb")});
}

TEST_F(StartRoutine, OfflineCheckAtStartShowsOneMessageAndTheStartGoesOn)
{
    // Nothing listens at the update server's address.
    store(modMain::kSetAutoUpdate, QStringLiteral("True"));
    store(modMain::kSetProxySetting, QStringLiteral("1"));
    templateCopy();
    script.expectMsgBox(Icon::Exclamation, QStringLiteral("Fout bij controle op updates"),
                        QStringLiteral("Er kan geen verbinding gelegd worden met het internet of de webserver is "
                                       "(tijdelijk) niet beschikbaar. Controleer uw internetverbinding of "
                                       "proxy-instellingen."));

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_EQ(shownTitles(), QStringList{QStringLiteral("Fout bij controle op updates")});
    EXPECT_EQ(splashOpened, 1);
}

// ---- the update check at start ------------------------------------------------

struct UpdateGeval {
    const char *naam;
    modAutoUpdate::UpdateUitkomst uitkomst;
    std::function<void(ui::ScriptedDialogs &)> boxes;
    bool coupled;
    bool handedOver = true; // an accepted program update reaches the updater
};
void PrintTo(const UpdateGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class StartUpdate : public StartRoutine, public ::testing::WithParamInterface<UpdateGeval> {};

TEST_P(StartUpdate, OutcomeOfTheCheckDecidesWhetherTheStartGoesOn)
{
    const UpdateGeval &g = GetParam();
    store(modMain::kSetAutoUpdate, QStringLiteral("True"));
    const QString pad = templateCopy();
    modAutoUpdate::setControleerUpdates([&g] { return g.uitkomst; });
    // The update hands a program update over by closing the main window.
    QList<std::pair<bool, bool>> updates;
    modAutoUpdate::setVoerUpdateUit([&](bool checklist, bool programma) {
        updates << std::make_pair(checklist, programma);
        if (programma && g.handedOver)
            shell::frmMDI_main::unload();
    });
    g.boxes(script);

    modMain::Main();

    EXPECT_EQ(runGoesOn(), g.coupled);
    EXPECT_EQ(modMain::gstrConnData.isEmpty(), !g.coupled);
    EXPECT_EQ(splashOpened, g.coupled ? 1 : 0);
    const bool accepted = !script.shown().empty() && script.shown().back().answer == QStringLiteral("Yes");
    if (accepted)
        EXPECT_EQ(updates,
                  (QList<std::pair<bool, bool>>{{g.uitkomst.statusChecklist == 1, g.uitkomst.statusProgramma == 1}}));
    else
        EXPECT_TRUE(updates.isEmpty());
}

modAutoUpdate::UpdateUitkomst uitkomst(int checklist, int programma, bool onderhoud = false)
{
    modAutoUpdate::UpdateUitkomst u;
    u.statusChecklist = checklist;
    u.statusProgramma = programma;
    u.inOnderhoud = onderhoud;
    u.info = QStringLiteral("- programmaversie: 3.1");
    return u;
}

void vraagDownload(ui::ScriptedDialogs &s, ui::Answer antwoord)
{
    s.expectMsgBox(Icon::Question, QStringLiteral("Updaten programma"),
                   QStringLiteral("Er is een update beschikbaar.\n- programmaversie: 3.1\n\nNu downloaden?"),
                   ui::Buttons::YesNo)
        .answer(antwoord);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartUpdate,
    ::testing::Values(UpdateGeval{"NothingNewer", uitkomst(0, 0), [](ui::ScriptedDialogs &) {}, true},
                      UpdateGeval{"CheckFailed", uitkomst(9, 0),
                                  [](ui::ScriptedDialogs &s) {
                                      s.expectMsgBox(
                                          Icon::Exclamation, QStringLiteral("Fout bij controle op updates"),
                                          QStringLiteral("Er kan geen verbinding gelegd worden met het internet of de "
                                                         "webserver is (tijdelijk) niet beschikbaar. Controleer uw "
                                                         "internetverbinding of proxy-instellingen."));
                                  },
                                  true},
                      UpdateGeval{"Maintenance", uitkomst(1, 9, true),
                                  [](ui::ScriptedDialogs &s) {
                                      s.expectMsgBox(
                                          Icon::Exclamation, QStringLiteral("Update niet beschikbaar"),
                                          QStringLiteral(
                                              "Er is een update opgeleverd, maar door onderhoudsactiviteiten op "
                                              "de server is deze tijdelijk niet beschikbaar. Probeert u het "
                                              "later nog eens. Excuses voor het ongemak."));
                                  },
                                  true},
                      UpdateGeval{"DeclinedDownload", uitkomst(0, 1),
                                  [](ui::ScriptedDialogs &s) { vraagDownload(s, ui::Answer::No); }, true},
                      UpdateGeval{"ChecklistDownloaded", uitkomst(1, 0),
                                  [](ui::ScriptedDialogs &s) { vraagDownload(s, ui::Answer::Yes); }, true},
                      UpdateGeval{"ProgramDownloadEndsTheStart", uitkomst(0, 1),
                                  [](ui::ScriptedDialogs &s) { vraagDownload(s, ui::Answer::Yes); }, false},
                      UpdateGeval{"FailedProgramUpdateLetsTheStartGoOn", uitkomst(1, 1),
                                  [](ui::ScriptedDialogs &s) { vraagDownload(s, ui::Answer::Yes); }, true, false}),
    [](const ::testing::TestParamInfo<UpdateGeval> &info) { return std::string(info.param.naam); });

} // namespace

namespace {

// ---- the main window while the start runs ---------------------------------------

// The commands of a started program with no site open.
const QStringList kZonderInrichting = {"Nieuwe_inrichting",
                                       "open_inrichting",
                                       "Afsluiten",
                                       "check_updates",
                                       "Configuratie",
                                       "online_support",
                                       "Info",
                                       "New",
                                       "Open"};
// The same before a data file is coupled: nothing that reaches one.
const QStringList kZonderDatabestand = {"Afsluiten", "check_updates", "Configuratie", "online_support", "Info"};

struct CommandoGeval {
    const char *naam;
    bool databestand; // the stored data file is there
    QStringList commands;
};
void PrintTo(const CommandoGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class StartCommands : public StartRoutine, public ::testing::WithParamInterface<CommandoGeval> {};

TEST_P(StartCommands, AfterTheStartOnlyTheCommandsThatHaveTheirDataFileAreOn)
{
    const CommandoGeval &g = GetParam();
    if (g.databestand)
        templateCopy();
    else
        expectNotFound(defaultDataFile());

    modMain::Main();

    ASSERT_TRUE(runGoesOn());
    EXPECT_EQ(enabledCommands(), g.commands);
    if (g.databestand)
        return;
    // Without a data file "Open inrichting" does nothing, even when it is run:
    // no site list, no error.
    shell::frmMDI_main::instance()->menuItem(QStringLiteral("open_inrichting"))->trigger();
    EXPECT_TRUE(testsupport::loadedFormNames().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, StartCommands,
                         ::testing::Values(CommandoGeval{"Coupled", true, kZonderInrichting},
                                           CommandoGeval{"NoDataFile", false, kZonderDatabestand}),
                         [](const ::testing::TestParamInfo<CommandoGeval> &info) {
                             return std::string(info.param.naam);
                         });

// A start whose update check waits on a server that takes the request and
// never answers, nor gives up by its time-out while the test runs. `user`
// acts as soon as the server has the request, while the check waits.
class StartWaitingCheck : public StartRoutine {
protected:
    void SetUp() override
    {
        StartRoutine::SetUp();
        ASSERT_TRUE(server.isListening());
        testsupport::LocalHttpServer::Response hang;
        hang.mode = testsupport::LocalHttpServer::Mode::Hang;
        for (const char *name :
             {modAutoUpdate::kInfoOnderhoud, modAutoUpdate::kInfoProgramma, modAutoUpdate::kInfoChecklist})
            server.set(QStringLiteral("/tavir/program/updates/") + QLatin1String(name), hang);
        modAutoUpdate::setServerAdres(server.base());
        modAutoUpdate::setTijdslimiet(kGeenTijdslimiet);
        store(modMain::kSetAutoUpdate, QStringLiteral("True"));
        store(modMain::kSetProxySetting, QStringLiteral("1"));
    }

    void TearDown() override
    {
        modAutoUpdate::setTijdslimiet(0);
        StartRoutine::TearDown();
        // Closing the window ended every event loop of the program; the
        // next test in this process gets them back.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }

    void startWhile(const std::function<void()> &user)
    {
        QTimer watch;
        watch.setInterval(1);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (server.requests().isEmpty())
                return;
            watch.stop();
            waited = true;
            user();
        });
        watch.start();
        // Only a start that was not broken off waits this long: the test
        // then fails instead of hanging.
        QTimer giveUp;
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, [this] {
            gaveUp = true;
            QCoreApplication::exit(0);
        });
        giveUp.start(kOpgeven);

        modMain::Main();

        EXPECT_TRUE(waited) << "the check did not wait for the server";
        EXPECT_FALSE(gaveUp) << "the check was not broken off";
    }

    static constexpr int kGeenTijdslimiet = 600000;
    static constexpr int kOpgeven = 60000;
    testsupport::LocalHttpServer server;
    bool waited = false;
    bool gaveUp = false;
};

TEST_F(StartWaitingCheck, EveryCommandButClosingWaitsAndNoneReachesTheDataFile)
{
    templateCopy();
    QStringList whileWaiting, forms;
    startWhile([&] {
        whileWaiting = enabledCommands();
        // What a click would do: nothing opens, nothing is asked.
        for (const char *item : {"open_inrichting", "Nieuwe_inrichting", "Configuratie", "check_updates"})
            shell::frmMDI_main::instance()->menuItem(QLatin1String(item))->trigger();
        forms = testsupport::loadedFormNames();
        shell::frmMDI_main::instance()->close();
    });
    EXPECT_EQ(whileWaiting, QStringList{"Afsluiten"});
    // Only the check's own screen is open.
    EXPECT_EQ(forms, QStringList{"frmUpdateCheck"});
}

TEST_F(StartWaitingCheck, ClosingTheWindowEndsTheStartThereWithoutAWord)
{
    const QString pad = templateCopy();
    const QByteArray before = fileBytes(pad);
    store(modMain::kSetBTW, QStringLiteral("21"));

    startWhile([] { shell::frmMDI_main::instance()->close(); });

    // The run has ended (main() then returns 0): no window, no box, and the
    // data file neither compacted nor coupled.
    EXPECT_FALSE(runGoesOn());
    EXPECT_TRUE(script.shown().empty());
    EXPECT_TRUE(modMain::gstrConnData.isEmpty());
    EXPECT_EQ(fileBytes(pad), before);
    EXPECT_EQ(splashOpened, 0);
    EXPECT_EQ(settingsOpened, 0);
    EXPECT_FALSE(ui::isBusyCursor());
    // The window closed as at any close: the VAT percentage as it was read.
    EXPECT_EQ(stored(modMain::kSetBTW), QStringLiteral("21"));
}

TEST_F(StartWaitingCheck, AfsluitenDoesTheSame)
{
    templateCopy();
    startWhile([] { shell::frmMDI_main::instance()->menuItem(QStringLiteral("Afsluiten"))->trigger(); });
    EXPECT_FALSE(runGoesOn());
    EXPECT_TRUE(script.shown().empty());
    EXPECT_TRUE(modMain::gstrConnData.isEmpty());
}

} // namespace
