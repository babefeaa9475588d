// Coupling a data file: the name rule, a new file from the template, the
// format-version comparison with the upgrade, and a failed coupling that
// leaves the previous one in force.

#include "shell_test_env.h"

#include "shell/connection_strings.h"
#include "shell/coupling.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/connection.h"

#include <functional>

namespace {

using namespace shelltest;
using ui::Icon;

const QString kTitel = QStringLiteral("Koppeling databestand");

class Coupling : public ShellTest {
public:
    using ShellTest::expectUpgradeQuestion;
    using ShellTest::oldFormatFile;
    using ShellTest::script;
    using ShellTest::templateCopy;
    using ShellTest::tmp;

    void expectConfirmation(const QString &pad)
    {
        script.expectMsgBox(Icon::Information, kTitel,
                            QStringLiteral("Koppeling aan {") + pad + QStringLiteral("} is ingesteld. "));
    }
    void expectNameRefused()
    {
        script.expectMsgBox(Icon::Exclamation, QStringLiteral("Instellen bestandskoppeling"),
                            QStringLiteral("De bestandsnaam is ongeldig.\nDe bestandsnaam dient te bestaan uit "
                                           "'dbQORdata_' plus een door de gebruiker in te voeren tekst."));
    }
    void expectNewer()
    {
        script.expectMsgBox(Icon::Exclamation, kTitel,
                            QStringLiteral("Dit databestand is van een latere versie dan TAVIR. Koppeling kan niet "
                                           "worden gelegd."));
    }

    // The coupled state: data file, both connection strings, the setting.
    static QStringList state()
    {
        return {modMain::gstrDatabestand, modMain::gstrConnData, modMain::gstrConnShape,
                modMain::LeesInstelling(QLatin1String(modMain::kSetDatabestand), QStringLiteral("<missing>"))};
    }
    static QStringList coupledTo(const QString &pad)
    {
        return {pad, modMain::pfunConnStrData(pad), modMain::pfunConnStrShape(pad), pad};
    }

    // Couples `pad` silently as the previous coupling.
    QString previousCoupling()
    {
        const QString pad = templateCopy(QStringLiteral("dbQORdata_vorig.mdb"));
        modMain::KoppelDatabestand(pad, false, true);
        EXPECT_EQ(state(), coupledTo(pad));
        return pad;
    }

    // Couples, catching what it raises: the error number, or 0.
    static long couple(const QVariant &bestand, bool nieuw, bool stil)
    {
        try {
            modMain::KoppelDatabestand(bestand, nieuw, stil);
            return 0;
        } catch (const platform::Error &e) {
            return e.number();
        }
    }
};

TEST(ConnectionStrings, DataShapeAndChecklistStrings)
{
    EXPECT_EQ(modMain::pfunConnStrData(QStringLiteral("/d/dbQORdata_1.mdb")),
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/d/dbQORdata_1.mdb;Persist Security "
                             "Info=False;Jet OLEDB:Database Password=kravelmup4;"));
    EXPECT_EQ(
        modMain::pfunConnStrShape(QStringLiteral("/d/dbQORdata_1.mdb")),
        QStringLiteral("PROVIDER=MSDataShape;Data PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=/d/dbQORdata_1.mdb;"
                       "Persist Security Info=False;Jet OLEDB:Database Password=kravelmup4;"));
    EXPECT_EQ(modMain::pfunConnStrCL(QStringLiteral("/opt/tavir")),
              QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/tavir/dbQORCL.mdb;Persist Security "
                             "Info=False; Jet OLEDB:Database Password=kravelmup4;"));
}

TEST(ConnectionStrings, AnyPathReadsBackFromEveryString)
{
    const QString paths[] = {
        QStringLiteral("/d/dbQORdata_1.mdb"),
        QStringLiteral("/d/a;b/dbQORdata_1.mdb"),
        QStringLiteral("/d/\"q\";/dbQORdata_1.mdb"),
        QStringLiteral("/d/it's; ok/dbQORdata_1.mdb"),
        QStringLiteral(" /d/dbQORdata_1.mdb"),
        QStringLiteral("/d/dbQORdata_1.mdb "),
        QStringLiteral("/d/a=b;Mode=Read/dbQORdata_1.mdb"),
    };
    for (const QString &pad : paths) {
        SCOPED_TRACE(pad.toStdString());
        for (const QString &cs : {modMain::pfunConnStrData(pad), modMain::pfunConnStrShape(pad)}) {
            EXPECT_EQ(db::dataSourceOf(cs), pad) << cs.toStdString();
            EXPECT_FALSE(db::readOnlyModeOf(cs));
        }
        EXPECT_EQ(db::dataSourceOf(modMain::pfunConnStrCL(pad)), pad + QStringLiteral("/dbQORCL.mdb"));
    }
}

// ---- couplings that succeed -------------------------------------------------

TEST_F(Coupling, CurrentFileCouplesSilentlyWithoutAnyQuestion)
{
    const QString pad = templateCopy();
    modMain::KoppelDatabestand(pad, false, true);
    EXPECT_EQ(state(), coupledTo(pad));
}

TEST_F(Coupling, NotSilentConfirmsWithThePathAndSwitchesSiteCommandsOff)
{
    shell::frmMDI_main *main = shell::frmMDI_main::load();
    main->setSiteCommandsEnabled(true);
    const QString pad = templateCopy();
    expectConfirmation(pad);

    modMain::KoppelDatabestand(pad, false, false);

    EXPECT_EQ(state(), coupledTo(pad));
    EXPECT_FALSE(main->siteCommandsEnabled());
    EXPECT_EQ(main->panelText(1), QStringLiteral("<geen inrichting geopend>"));
}

TEST_F(Coupling, NewFileIsAFreshCopyOfTheTemplateAlsoOverAnExistingFile)
{
    const QString pad = tmp.path() + QStringLiteral("/dbQORdata_nieuw.mdb");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "new name" : "over an existing file");
        if (round == 1)
            runSql(pad, QStringLiteral("INSERT INTO tblStort (strStortNaam, intStortType) VALUES ('Oud', 1);"));
        expectConfirmation(pad);

        modMain::KoppelDatabestand(pad, true, false);

        EXPECT_EQ(state(), coupledTo(pad));
        EXPECT_EQ(scalar(pad, QStringLiteral("SELECT count(*) FROM tblStort")), QStringLiteral("0"));
        EXPECT_EQ(versionRowOf(pad), QStringLiteral("30"));
    }
}

TEST_F(Coupling, NewFileWithSemicolonsAndQuotesInItsPathIsCoupled)
{
    const QString dir = tmp.path() + QStringLiteral("/map;met \"tekens\"");
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString pad = dir + QStringLiteral("/dbQORdata_a;b.mdb");
    expectConfirmation(pad);

    modMain::KoppelDatabestand(pad, true, false);

    EXPECT_EQ(state(), coupledTo(pad));
    EXPECT_EQ(versionRowOf(pad), QStringLiteral("30"));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("dbQORdata_a;b.mdb")});
    db::Connection cn;
    cn.Open(modMain::gstrConnData);
    EXPECT_EQ(cn.filePath(), QFileInfo(pad).canonicalFilePath());
}

TEST_F(Coupling, NewFileFromAnOlderTemplateIsBroughtUpToDate)
{
    // An older template: the fixture in the program folder's place.
    QFile::remove(progDir + QStringLiteral("/db00.mdb"));
    makeDatabase(progDir + QStringLiteral("/db00.mdb"), oldFormatSql());
    const QString pad = tmp.path() + QStringLiteral("/dbQORdata_nieuw.mdb");
    expectUpgradeNotice();
    expectConfirmation(pad);

    modMain::KoppelDatabestand(pad, true, false);

    EXPECT_EQ(state(), coupledTo(pad));
    EXPECT_EQ(versionRowOf(pad), QStringLiteral("30"));
    EXPECT_EQ(scalar(pad, QStringLiteral("SELECT count(*) FROM pragma_table_info('tblAct') "
                                         "WHERE name='sngVervangingsToeslagPerc'")),
              QStringLiteral("1"));
}

TEST_F(Coupling, OldFormatFileIsUpgradedWhenTheUserAgrees)
{
    previousCoupling();
    const QString pad = oldFormatFile();
    expectUpgradeQuestion(pad, ui::Answer::Ok);
    expectUpgradeNotice();
    expectConfirmation(pad);

    modMain::KoppelDatabestand(pad, false, false);

    EXPECT_EQ(state(), coupledTo(pad));
    EXPECT_EQ(versionRowOf(pad), QStringLiteral("30"));
    EXPECT_EQ(scalar(pad, QStringLiteral("SELECT strEenheid FROM tblAct WHERE idrAct_ID=1")), QStringLiteral("m2"));

    // Coupled again: current now, no question.
    expectConfirmation(pad);
    modMain::KoppelDatabestand(pad, false, false);
}

// ---- couplings that fail leave the previous one ------------------------------

struct WeigerGeval {
    const char *naam;
    std::function<QVariant(Coupling &)> prepare; // the file to couple
    bool nieuw;
    std::function<void(Coupling &, const QString &)> boxes;
    long error; // raised error number, 0 for none
};
void PrintTo(const WeigerGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class CouplingRefused : public Coupling, public ::testing::WithParamInterface<WeigerGeval> {};

TEST_P(CouplingRefused, PreviousCouplingStaysInForceAndTheFileAsItWas)
{
    const WeigerGeval &g = GetParam();
    const QString vorig = previousCoupling();
    const QStringList before = state();
    const QVariant bestand = g.prepare(*this);
    const QString pad = bestand.toString();
    const bool bestond = QFileInfo::exists(pad);
    const QString schema = bestond ? schemaOf(pad) : QString();
    const QString versie = bestond ? versionRowOf(pad) : QString();
    g.boxes(*this, pad);

    EXPECT_EQ(couple(bestand, g.nieuw, false), g.error);

    EXPECT_EQ(state(), before);
    EXPECT_EQ(QFileInfo::exists(pad), bestond);
    if (bestond) {
        EXPECT_EQ(schemaOf(pad), schema);
        EXPECT_EQ(versionRowOf(pad), versie);
    }
    EXPECT_EQ(versionRowOf(vorig), QStringLiteral("30"));
}

auto geenBox = [](Coupling &, const QString &) {};

// A copy of the template changed by `sql`.
std::function<QVariant(Coupling &)> templateMet(const char *sql)
{
    return [sql](Coupling &t) {
        const QString pad = t.templateCopy();
        runSql(pad, QString::fromLatin1(sql));
        return QVariant(pad);
    };
}

// The boxes for a data file without its version row.
auto beschadigd = [](Coupling &t, const QString &) {
    t.script.expectMsgBox(Icon::Critical, QStringLiteral("Beschadigd databestand"),
                          QStringLiteral("Fout in databestand. Sluit TAVIR af en neem contact op met de helpdesk"));
    t.expectNewer();
};
// The one box for a data file that lacks a table: it names the table and
// does not call the file one of a later program.
auto tabelWeg = [](Coupling &t, const QString &pad) {
    t.script.expectMsgBox(Icon::Critical, QStringLiteral("Beschadigd databestand"),
                          QStringLiteral("Het databestand '") + pad
                              + QStringLiteral("' is geen bestand van dit programma of is beschadigd: de tabel "
                                               "'tblAct' ontbreekt. Koppeling kan niet worden gelegd."));
};

INSTANTIATE_TEST_SUITE_P(
    Cases, CouplingRefused,
    ::testing::Values(
        WeigerGeval{"NameBreaksTheRule",
                    [](Coupling &t) { return QVariant(t.templateCopy(QStringLiteral("data.mdb"))); }, false,
                    [](Coupling &t, const QString &) { t.expectNameRefused(); }, 0},
        WeigerGeval{"NullName", [](Coupling &) { return QVariant(); }, false,
                    [](Coupling &t, const QString &) { t.expectNameRefused(); }, 0},
        WeigerGeval{"NewFileNameBreaksTheRule",
                    [](Coupling &t) { return QVariant(t.tmp.path() + QStringLiteral("/dbQORdata_.mdb")); }, true,
                    [](Coupling &t, const QString &) { t.expectNameRefused(); }, 0},
        WeigerGeval{"NewerFormat",
                    [](Coupling &t) {
                        const QString pad = t.templateCopy();
                        runSql(pad, QStringLiteral("UPDATE tblSYS SET strSYSvalue='31';"));
                        return QVariant(pad);
                    },
                    false, [](Coupling &t, const QString &) { t.expectNewer(); }, 0},
        WeigerGeval{"WithoutVersionRow", templateMet("DELETE FROM tblSYS;"), false, beschadigd, 0},
        WeigerGeval{"WithoutCostItemTable", templateMet("DROP TABLE tblAct;"), false, tabelWeg, 0},
        WeigerGeval{"NotADatabase",
                    [](Coupling &t) {
                        const QString pad = t.tmp.path() + QStringLiteral("/dbQORdata_kapot.mdb");
                        writeBytes(pad, QByteArray("geen database").repeated(100));
                        return QVariant(pad);
                    },
                    false, geenBox, db::err::kNotADatabase},
        WeigerGeval{"MissingFile",
                    [](Coupling &t) { return QVariant(t.tmp.path() + QStringLiteral("/dbQORdata_weg.mdb")); }, false,
                    geenBox, db::err::kFileNotFound},
        WeigerGeval{"UpgradeCancelled", [](Coupling &t) { return QVariant(t.oldFormatFile()); }, false,
                    [](Coupling &t, const QString &pad) {
                        t.expectUpgradeQuestion(pad, ui::Answer::Cancel);
                        t.script.expectMsgBox(Icon::Information, kTitel, QStringLiteral("Koppeling is geannuleerd."));
                    },
                    0},
        WeigerGeval{"UpgradeFails",
                    [](Coupling &t) {
                        const QString pad = t.oldFormatFile();
                        runSql(pad, QStringLiteral("CREATE TRIGGER weiger BEFORE UPDATE ON tblSYS "
                                                   "BEGIN SELECT RAISE(ABORT, 'geweigerd'); END;"));
                        return QVariant(pad);
                    },
                    false, [](Coupling &t, const QString &pad) { t.expectUpgradeQuestion(pad, ui::Answer::Ok); },
                    db::err::kDatabaseError}),
    [](const ::testing::TestParamInfo<WeigerGeval> &info) { return std::string(info.param.naam); });

TEST_F(Coupling, TemplateThatCannotBeCopiedIsReportedAndNothingChanges)
{
    const QStringList before = state();
    QFile::remove(progDir + QStringLiteral("/db00.mdb"));
    const QString pad = tmp.path() + QStringLiteral("/dbQORdata_nieuw.mdb");
    script.setMode(ui::ScriptedDialogs::Mode::Record);

    modMain::KoppelDatabestand(pad, true, false);

    EXPECT_EQ(state(), before);
    EXPECT_FALSE(QFileInfo::exists(pad));
    ASSERT_EQ(script.shown().size(), 1u);
    const auto &box = script.shown().front().msgBox;
    EXPECT_EQ(box.title, kTitel);
    EXPECT_EQ(box.icon, Icon::Exclamation);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Het databestand ") + pad
                                    + QStringLiteral(" kan niet worden aangemaakt uit het sjabloon ")))
        << box.text.toStdString();
}

TEST_F(Coupling, OldFileInAReadOnlyFolderIsRefusedAsItWas)
{
    const QString vorig = previousCoupling();
    const QStringList before = state();
    const QString dir = tmp.path() + QStringLiteral("/alleenlezen");
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString pad = makeDatabase(dir + QStringLiteral("/dbQORdata_oud.mdb"), oldFormatSql());
    const QByteArray bytes = fileBytes(pad);
    ReadOnlyFolder readOnly(dir);
    if (!readOnly.effective())
        GTEST_SKIP() << "this process can write into a read-only folder";
    expectUpgradeQuestion(pad, ui::Answer::Ok);

    EXPECT_NE(couple(pad, false, false), 0);

    EXPECT_EQ(state(), before);
    EXPECT_EQ(fileBytes(pad), bytes);
}

// A crash in the middle of a change leaves its journal beside the file; here
// the folder has become read-only since, so the change cannot be undone.
TEST_F(Coupling, JournalOfACrashInANowReadOnlyFolderIsNamedAsSuch)
{
    previousCoupling();
    const QStringList before = state();
    const QString dir = tmp.path() + QStringLiteral("/alleenlezen");
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString pad = dir + QStringLiteral("/dbQORdata_1.mdb");
    ASSERT_TRUE(QFile::copy(progDir + QStringLiteral("/db00.mdb"), pad));
    QFile::setPermissions(pad, QFile::ReadOwner | QFile::WriteOwner);
    runSql(pad, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                               "INSERT INTO tblStort (strStortNaam, intStortType, memVestigingsadres) "
                               "SELECT 'Stort ' || i, 1, printf('%.500c', 'x') FROM n;"));
    crashInTheMiddleOfAChange(pad, "UPDATE tblStort SET memVestigingsadres = 'y' || memVestigingsadres;");
    ASSERT_TRUE(QFileInfo::exists(pad + QStringLiteral("-journal")));
    ReadOnlyFolder readOnly(dir);
    if (!readOnly.effective())
        GTEST_SKIP() << "this process can write into a read-only folder";

    QString melding;
    try {
        modMain::KoppelDatabestand(pad, false, false);
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), db::err::kReadOnly);
        melding = e.description();
    }

    EXPECT_EQ(melding, QStringLiteral("Het databestand '") + pad
                           + QStringLiteral("' bevat een onderbroken wijziging, die niet kan worden teruggedraaid "
                                            "omdat de map '")
                           + dir + QStringLiteral("' alleen-lezen is."));
    EXPECT_EQ(state(), before);
}

} // namespace
