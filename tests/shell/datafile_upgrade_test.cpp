// The format version of a data file and its upgrade: the columns later
// versions added with their values, the widened unit column, the version
// stamp, and the upgrade as one transaction.

#include "shell_test_env.h"

#include "shell/connection_strings.h"
#include "shell/datafile_upgrade.h"
#include "shell/datafile_version.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/catalog.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include "support/sqlite_shell.h"

#include <optional>

namespace {

using namespace shelltest;
using db::JetKind;
using ui::Icon;

class DataFileUpgrade : public ShellTest {
protected:
    static bool upgrade(const QString &pad) { return modCompress::UpgradeDatabestand(modMain::pfunConnStrData(pad)); }

    static std::optional<db::ColumnInfo> column(const QString &pad, const char *table, const char *name)
    {
        db::Connection cn;
        cn.Open(pad);
        return db::Catalog(cn).column(QLatin1String(table), QLatin1String(name));
    }
};

// One column the upgrade adds, with what every existing row holds after it
// (in id order; "<null>" for an empty value).
struct KolomGeval {
    const char *table;
    const char *column;
    JetKind kind;
    int width;
    bool notNull;
    const char *values; // as SQLite gives them, joined by "|"
};

const KolomGeval kKolommen[] = {
    {"tblStort", "sngAppKostenPerc", JetKind::Single, 0, false, "3.0|3.0"},
    {"tblStort", "sngRapEvalPerHa", JetKind::Currency, 0, false, "225|225"},
    {"tblStort", "sngOnvoorzien", JetKind::Single, 0, false, "10.0|10.0"},
    {"tblStort", "sngOntwerpdirectie", JetKind::Single, 0, false, "12.0|12.0"},
    {"tblStort", "memStandaardExportDir", JetKind::Memo, 0, false, "c:\\|c:\\"},
    {"tblStort", "dtmAanvangNazorg", JetKind::Date, 0, false, "2012-01-01 00:00:00|<null>"},
    {"tblStort", "sngRapEvalMin", JetKind::Currency, 0, false, "3500|3500"},
    {"tblStort", "sngRapEvalMax", JetKind::Currency, 0, false, "9000|9000"},
    {"tblStort", "bytRapEval", JetKind::Byte, 0, false, "0|0"},
    {"tblAct", "strEenheid", JetKind::Text, 50, false, "m2|meting per jaar|<null>"},
    {"tblAct", "bytCombineer", JetKind::Byte, 0, true, "0|0|0"},
    {"tblAct", "bytTypeVervangingsToeslag", JetKind::Byte, 0, true, "0|0|0"},
    {"tblAct", "sngVervangingsToeslagPerc", JetKind::Single, 0, false, "<null>|<null>|<null>"},
};

QString values(const QString &pad, const char *table, const char *column)
{
    const QString id =
        QLatin1String(table) == QLatin1String("tblStort") ? QStringLiteral("idrStort_ID") : QStringLiteral("idrAct_ID");
    return scalar(pad, QStringLiteral("SELECT group_concat(coalesce(CAST(%1 AS TEXT), '<null>'), '|') "
                                      "FROM (SELECT %1 FROM %2 ORDER BY %3)")
                           .arg(QLatin1String(column), QLatin1String(table), id));
}

TEST_F(DataFileUpgrade, OldestFormatGainsEveryColumnWithItsValuesAndTheStamp)
{
    const QString pad = oldFormatFile();
    EXPECT_EQ(modCompress::pfunVersieDatabestand(pad), 20);
    expectUpgradeNotice();

    EXPECT_TRUE(upgrade(pad));

    for (const KolomGeval &k : kKolommen) {
        SCOPED_TRACE(std::string(k.table) + "." + k.column);
        const auto info = column(pad, k.table, k.column);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->kind, k.kind);
        EXPECT_EQ(info->width, k.width);
        EXPECT_EQ(info->notNull, k.notNull);
        if (k.notNull) {
            EXPECT_EQ(info->defaultValue.toInt(), 0);
        }
        EXPECT_EQ(values(pad, k.table, k.column), QLatin1String(k.values));
    }
    EXPECT_EQ(versionRowOf(pad), QStringLiteral("30"));
    EXPECT_EQ(modCompress::pfunVersieDatabestand(pad), 30);
    EXPECT_FALSE(column(pad, "tblAct", "strEenheidOUD").has_value());

    // The rows, their ids and the AutoNumber sequence are kept; the unit
    // takes 50 characters now.
    EXPECT_EQ(scalar(pad, QStringLiteral("SELECT group_concat(idrAct_ID || ':' || strAct, '|') FROM tblAct")),
              QStringLiteral("1:Maaien|2:Zettingsmeting|3:Inspectie"));
    runSql(pad, QStringLiteral("INSERT INTO tblAct (lngStort_REF, strAct, strEenheid) "
                               "VALUES (1, 'Nieuw', '12345678901234567890123456789012345678901234567890');"));
    EXPECT_EQ(scalar(pad, QStringLiteral("SELECT max(idrAct_ID) FROM tblAct")), QStringLiteral("4"));
}

TEST_F(DataFileUpgrade, CurrentFileIsNotTouchedAndNothingIsShown)
{
    const QString pad = oldFormatFile();
    expectUpgradeNotice();
    upgrade(pad);
    const QByteArray before = fileBytes(pad);

    EXPECT_FALSE(upgrade(pad));
    EXPECT_FALSE(upgrade(templateCopy()));

    EXPECT_EQ(fileBytes(pad), before);
}

TEST_F(DataFileUpgrade, OlderStampOnACompleteFileRewritesOnlyTheVersionRow)
{
    const QString pad = templateCopy();
    runSql(pad, QStringLiteral("UPDATE tblSYS SET strSYSvalue='20';"));
    const QString schema = schemaOf(pad);
    expectUpgradeNotice();

    EXPECT_TRUE(upgrade(pad));

    EXPECT_EQ(schemaOf(pad), schema);
    EXPECT_EQ(versionRowOf(pad), QStringLiteral("30"));
}

TEST_F(DataFileUpgrade, ColumnAddedWithoutFillStaysEmptyInExistingRows)
{
    const QString pad = templateCopy();
    runSql(pad, QStringLiteral("INSERT INTO tblAct (lngStort_REF, strAct) VALUES (1, 'Maaien');"
                               "ALTER TABLE tblAct DROP COLUMN sngVervangingsToeslagPerc;"
                               "UPDATE tblSYS SET strSYSvalue='29';"));
    expectUpgradeNotice();

    upgrade(pad);

    EXPECT_EQ(values(pad, "tblAct", "sngVervangingsToeslagPerc"), QStringLiteral("<null>"));
    EXPECT_EQ(column(pad, "tblAct", "sngVervangingsToeslagPerc")->kind, JetKind::Single);
}

TEST_F(DataFileUpgrade, FailedFillOfTheStartOfAfterCareIsReportedAndTheRestGoesOn)
{
    const QString pad = oldFormatFile();
    runSql(pad, QStringLiteral("ALTER TABLE tblStort DROP COLUMN intJaarNazorg;"));
    script.expectMsgBox(Icon::Exclamation, QStringLiteral("Aanmaken veld 'datum aanvang nazorg'"),
                        QStringLiteral("Fout bij automatisch invullen datum aanvang nazorg. Controleer de datums "
                                       "aanvang nazorg in alle stortplaatsen in deze dataset."));
    expectUpgradeNotice();

    upgrade(pad);

    EXPECT_EQ(values(pad, "tblStort", "dtmAanvangNazorg"), QStringLiteral("<null>|<null>"));
    EXPECT_EQ(values(pad, "tblStort", "sngRapEvalMax"), QStringLiteral("9000|9000"));
    EXPECT_EQ(values(pad, "tblAct", "bytCombineer"), QStringLiteral("0|0|0"));
    EXPECT_EQ(versionRowOf(pad), QStringLiteral("30"));
}

// Whatever step fails, the file is as it was and the next coupling
// upgrades it again.
struct FaalGeval {
    const char *naam;
    const char *breek;   // makes a step fail
    const char *herstel; // takes the cause away again
};
void PrintTo(const FaalGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class DataFileUpgradeFails : public DataFileUpgrade, public ::testing::WithParamInterface<FaalGeval> {};

TEST_P(DataFileUpgradeFails, FileStaysAsItWasAndTheNextUpgradeSucceeds)
{
    const QString pad = oldFormatFile();
    runSql(pad, QString::fromUtf8(GetParam().breek));
    const QString schema = schemaOf(pad);
    const QString eenheden = values(pad, "tblAct", "strEenheid");

    try {
        upgrade(pad);
        ADD_FAILURE() << "the upgrade did not fail";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.source(), QStringLiteral("UpgradeDatabestand"));
    }

    EXPECT_EQ(schemaOf(pad), schema);
    EXPECT_EQ(versionRowOf(pad), QStringLiteral("20"));
    EXPECT_EQ(values(pad, "tblAct", "strEenheid"), eenheden);
    EXPECT_EQ(column(pad, "tblAct", "strEenheid")->width, 20);

    runSql(pad, QString::fromUtf8(GetParam().herstel));
    expectUpgradeNotice();
    EXPECT_TRUE(upgrade(pad));
    EXPECT_EQ(versionRowOf(pad), QStringLiteral("30"));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DataFileUpgradeFails,
    ::testing::Values(
        // the last step: every column is in place when the stamp fails
        FaalGeval{"Stamp", "CREATE TRIGGER weiger BEFORE UPDATE ON tblSYS BEGIN SELECT RAISE(ABORT, 'geweigerd'); END;",
                  "DROP TRIGGER weiger;"},
        // a fill in the middle of tblStort's columns
        FaalGeval{"FillOfTheMinimum",
                  "CREATE TRIGGER weiger BEFORE UPDATE OF sngRapEvalMin ON tblStort "
                  "BEGIN SELECT RAISE(ABORT, 'geweigerd'); END;",
                  "DROP TRIGGER weiger;"}),
    [](const ::testing::TestParamInfo<FaalGeval> &info) { return std::string(info.param.naam); });

// ---- the file in other SQLite tools -------------------------------------------

// Names whose order differs between Jet's case folding and the ASCII-only
// NOCASE of other tools ("öa" < "Öb" < "ÖC" here, the other way round there).
const char *const kNamen = "INSERT INTO tblStort (strStortNaam, intStortType) VALUES ('öa', 1), ('Öb', 1), ('ÖC', 1);";

QString inProgramOrder(const QString &pad)
{
    db::Connection cn;
    cn.Open(pad);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT strStortNaam FROM tblStort WHERE strStortNaam >= ? ORDER BY strStortNaam"), cn,
            db::LockType::ReadOnly, {QStringLiteral("ÖA")});
    QStringList namen;
    for (; !rs.EOF_(); rs.MoveNext())
        namen << rs.Fields(0).Value().toString();
    return namen.join(QLatin1Char(','));
}

TEST_F(DataFileUpgrade, FileTheProgramMadeIsCheckedAndQueriedByTheSqliteShell)
{
    const QString pad = templateCopy();
    {
        db::Connection cn;
        cn.Open(modMain::pfunConnStrData(pad));
        cn.Execute(QString::fromUtf8(kNamen));
    }
    EXPECT_EQ(testsupport::sqliteShell(pad, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    EXPECT_EQ(testsupport::sqliteShell(pad, QStringLiteral("SELECT count(*) FROM tblStort WHERE strStortNaam = 'ÖC'")),
              QStringLiteral("1"));
    EXPECT_EQ(inProgramOrder(pad), QStringLiteral("öa,Öb,ÖC"));
}

TEST_F(DataFileUpgrade, OlderFileIsRewrittenForOtherToolsInTheSameUpgrade)
{
    const QString pad = oldFormatFile();
    runSql(pad, QString::fromUtf8(kNamen));
    EXPECT_TRUE(testsupport::sqliteShell(pad, QStringLiteral("SELECT count(*) FROM tblStort WHERE strStortNaam = 'x'"))
                    .startsWith(QStringLiteral("sqlite3 failed")));
    const QString sites = scalar(pad, QStringLiteral("SELECT group_concat(idrStort_ID || ':' || strStortNaam) FROM "
                                                     "(SELECT * FROM tblStort ORDER BY idrStort_ID)"));
    expectUpgradeNotice();

    EXPECT_TRUE(upgrade(pad));

    EXPECT_EQ(testsupport::sqliteShell(pad, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    EXPECT_EQ(
        testsupport::sqliteShell(pad, QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE sql LIKE '%JETTEXT%'")),
        QStringLiteral("0"));
    EXPECT_EQ(testsupport::caseFoldingIndexKeys(pad), QString());
    EXPECT_EQ(testsupport::sqliteShell(pad, QStringLiteral("SELECT count(*) FROM tblAct WHERE strAct = 'maaien'")),
              QStringLiteral("1"));
    EXPECT_EQ(scalar(pad, QStringLiteral("SELECT group_concat(idrStort_ID || ':' || strStortNaam) FROM (SELECT * FROM "
                                         "tblStort ORDER BY idrStort_ID)")),
              sites);
    EXPECT_EQ(inProgramOrder(pad), QStringLiteral("öa,Öb,ÖC"));
    // Current now: a second upgrade changes nothing.
    const QByteArray bytes = fileBytes(pad);
    EXPECT_FALSE(upgrade(pad));
    EXPECT_TRUE(fileBytes(pad) == bytes);
}

TEST_F(DataFileUpgrade, ReadOnlyFileIsRefusedUnchanged)
{
    const QString pad = oldFormatFile();
    const QByteArray before = fileBytes(pad);
    QFile::setPermissions(pad, QFile::ReadOwner | QFile::ReadGroup);
    ReadOnlyFolder readOnly(tmp.path());
    if (!readOnly.effective())
        GTEST_SKIP() << "this process can write into a read-only folder";

    EXPECT_THROW(upgrade(pad), platform::Error);

    EXPECT_EQ(fileBytes(pad), before);
}

// ---- reading the format version ---------------------------------------------

struct VersieGeval {
    const char *naam;
    const char *sql;
    qint32 versie;
};
void PrintTo(const VersieGeval &g, std::ostream *os)
{
    *os << g.naam;
}

class DataFileVersion : public ShellTest, public ::testing::WithParamInterface<VersieGeval> {};

TEST_P(DataFileVersion, RowMissingOrNotAWholeNumberIsADamagedFile)
{
    const QString pad = templateCopy();
    runSql(pad, QString::fromUtf8(GetParam().sql));
    if (GetParam().versie == modCompress::kVersieOnbekend)
        script.expectMsgBox(Icon::Critical, QStringLiteral("Beschadigd databestand"),
                            QStringLiteral("Fout in databestand. Sluit TAVIR af en neem contact op met de helpdesk"));
    if (GetParam().versie == modCompress::kTabelOntbreekt)
        script.expectMsgBox(Icon::Critical, QStringLiteral("Beschadigd databestand"),
                            QStringLiteral("Het databestand '") + pad
                                + QStringLiteral("' is geen bestand van dit programma of is beschadigd: de tabel "
                                                 "'tblSYS' ontbreekt. Koppeling kan niet worden gelegd."));

    EXPECT_EQ(modCompress::pfunVersieDatabestand(pad), GetParam().versie);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataFileVersion,
    ::testing::Values(VersieGeval{"Current", "", 30},
                      VersieGeval{"KeyInOtherCase", "UPDATE tblSYS SET strSYS_ID='VERSIE', strSYSvalue=' 25 ';", 25},
                      VersieGeval{"NoRow", "DELETE FROM tblSYS;", 1000},
                      VersieGeval{"NoTable", "DROP TABLE tblSYS;", modCompress::kTabelOntbreekt},
                      VersieGeval{"Empty", "UPDATE tblSYS SET strSYSvalue=NULL;", 1000},
                      VersieGeval{"Fraction", "UPDATE tblSYS SET strSYSvalue='3.1';", 1000},
                      VersieGeval{"Text", "UPDATE tblSYS SET strSYSvalue='dertig';", 1000}),
    [](const ::testing::TestParamInfo<VersieGeval> &info) { return std::string(info.param.naam); });

TEST_F(DataFileUpgrade, VersionOfAFileThatIsNoDatabaseGoesToTheCaller)
{
    const QString pad = tmp.path() + QStringLiteral("/dbQORdata_x.mdb");
    writeBytes(pad, QByteArray("geen database").repeated(100));
    try {
        modCompress::pfunVersieDatabestand(pad);
        ADD_FAILURE() << "no error";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), db::err::kNotADatabase);
        EXPECT_EQ(e.source(), QStringLiteral("pfunVersieDatabestand"));
    }
}

} // namespace
