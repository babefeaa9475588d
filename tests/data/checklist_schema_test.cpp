// The checklist file dbQORCL.mdb as built into the program folder: its
// tables and columns, the fixed rows beside the versions, and its text
// comparison.

#include "schema_check.h"
#include "sqlite_file.h"
#include "support/sqlite_shell.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace datatest;

namespace {

const std::vector<ExpectedTable> &checklistTables()
{
    static const std::vector<ExpectedTable> tables = {
        {"tblCL",
         {
             {"intCL_ID", Jet::Integer, 0, true},
             {"strVersie", Jet::Text, 50, true},
             {"dtmCl", Jet::Date, 0, true},
             {"lngStortType_REF", Jet::Long, 0, true},
             {"strOpmerking", Jet::Text, 255, true},
             {"intJaarPrijspeil", Jet::Integer, 0, true},
             {"sngCommunicatieMIN", Jet::Single, 0, true},
             {"sngCommunicatieMAX", Jet::Single, 0, true},
             {"sngRapEvalMin", Jet::Single, 0, true},
             {"sngRapEvalPerHa", Jet::Single, 0, true},
             {"sngRapEvalMax", Jet::Single, 0, true},
             {"sngAppKostenBasisMIN", Jet::Single, 0, true},
             {"sngAppKostenBasisMAX", Jet::Single, 0, true},
             {"sngAppKostenPerc", Jet::Single, 0, true},
             {"sngOnvoorzien", Jet::Single, 0, true},
             {"sngOntwerpdirectie", Jet::Single, 0, true},
             {"sngVervangingstoeslagKleineWerken", Jet::Single, 0, true},
             {"sngVervangingstoeslagGroteWerkenMin", Jet::Single, 0, true},
             {"sngVervangingstoeslagGroteWerkenMax", Jet::Single, 0, true},
         }},
        {"tblCLitem",
         {
             {"lngCLitem_ID", Jet::Long, 0, true},
             {"intCL_REF", Jet::Integer, 0, true},
             {"blnActief", Jet::YesNo, 0, true, "0"},
             {"intSortNr", Jet::Integer},
             {"bytObjectCat_REF", Jet::Byte, 0, true},
             {"strVoorz", Jet::Text, 100},
             {"strOmschrijving", Jet::Text, 255},
             {"bytRubriek_REF", Jet::Byte, 0, true},
             {"bytStartBA", Jet::Byte, 0, true, "0"},
             {"intStartJaar", Jet::Integer},
             {"blnStartjaarEerderMag", Jet::YesNo, 0, true, "0"},
             {"bytOptieEind", Jet::Byte, 0, true},
             {"bytEindBA", Jet::Byte, 0, true, "0"},
             {"intEINDJAAR", Jet::Integer},
             {"bytOptieKosten", Jet::Byte, 0, true},
             {"sngPercInvestMIN", Jet::Single},
             {"sngPercInvestMAX", Jet::Single},
             {"sngKostenInvestMIN", Jet::Single},
             {"sngKostenInvestMAX", Jet::Single},
             {"sngKostenTotaalMIN", Jet::Single},
             {"sngKostenTotaalMAX", Jet::Single},
             {"sngPrijsPEmin", Jet::Single},
             {"sngPrijsPEmax", Jet::Single},
             {"sngAantalMIN", Jet::Single},
             {"sngAantalMAX", Jet::Single},
             {"strEenheid", Jet::Text, 50},
             {"bytOptieFreq", Jet::Byte, 0, true},
             {"sngFreqXMin", Jet::Single},
             {"sngFreqXMax", Jet::Single},
             {"bytTypeVervangingsToeslag", Jet::Byte, 0, true, "0"},
             {"blnCombinatieMogelijk", Jet::YesNo, 0, true, "0"},
             {"blnIsCombinatiePost", Jet::YesNo, 0, true, "0"},
             {"blnVoetnoot1", Jet::YesNo, 0, true, "0"},
             {"strToelichting", Jet::Text, 255},
             {"strRefDeelonderz", Jet::Text, 255},
             {"strVtNtStartjaar", Jet::Text, 1000},
             {"strVtNtEindjaar", Jet::Text, 1000},
             {"strVtntPeriodMin", Jet::Text, 1000},
             {"strVtNtPeriodMax", Jet::Text, 1000},
             {"strVtNtPrijsPEmin", Jet::Text, 1000},
             {"strVtNtPrijsPEmax", Jet::Text, 1000},
         }},
        {"tblVoetnoot",
         {
             {"intCL_REF", Jet::Integer, 0, true},
             {"strVoetnootItem", Jet::Text, 50, true},
             {"memVoetnoot", Jet::Memo},
         }},
        {"tblPPcorr",
         {
             {"intJaar", Jet::Integer, 0, true},
             {"sngPPcorr", Jet::Single, 0, true},
         }},
        {"tblStortType",
         {
             {"intStortType_ID", Jet::Integer, 0, true},
             {"strStortType", Jet::Text, 50, true},
         }},
        {"tblObjectCat",
         {
             {"bytObjectCat_ID", Jet::Byte, 0, true},
             {"strObjectCat", Jet::Text, 50},
         }},
        {"tblSYS",
         {
             {"strSYS_ID", Jet::Text, 50, true},
             {"strSYSvalue", Jet::Text, 255},
         }},
    };
    return tables;
}

class ChecklistFile : public ::testing::Test {
protected:
    SqliteFile file{testsupport::checklistFile()};
};

} // namespace

TEST_F(ChecklistFile, HasEveryTableAndColumn)
{
    expectSchema(file, checklistTables());
}

TEST_F(ChecklistFile, NamesBothSiteKinds)
{
    const std::vector<Row> rows = file.rows("SELECT intStortType_ID, strStortType FROM tblStortType ORDER BY 1");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0].toInt(), 1);
    EXPECT_EQ(rows[0][1].toString(), QStringLiteral("stortplaats"));
    EXPECT_EQ(rows[1][0].toInt(), 2);
    EXPECT_EQ(rows[1][1].toString(), QStringLiteral("baggerdepot"));
}

TEST_F(ChecklistFile, HasTheSameObjectCategoriesAsTheTemplate)
{
    SqliteFile templ(testsupport::templateFile());
    const char *sql = "SELECT bytObjectCat_ID, strObjectCat FROM tblObjectCat ORDER BY 1";
    const std::vector<Row> here = file.rows(sql);
    EXPECT_EQ(here.size(), 7u);
    EXPECT_EQ(here, templ.rows(sql));
}

TEST_F(ChecklistFile, CarriesItsSequenceNumberAndLowestProgramVersion)
{
    // Read as the start routine reads them: keys without regard to case, the
    // values whole numbers written as text.
    bool ok = false;
    const int sequence = file.value("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID = 'Versie'").toString().toInt(&ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(sequence, 12);
    const int lowest =
        file.value("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID = 'PROGVERMIN'").toString().toInt(&ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(lowest, 30);
    EXPECT_LE(lowest, 31) << "this program (3.1) must be allowed to use the file";
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblSYS").toInt(), 2);
}

TEST_F(ChecklistFile, ComparesTextWithoutRegardToCaseBeyondAscii)
{
    EXPECT_GT(file.value("SELECT COUNT(*) FROM tblCLitem WHERE strOmschrijving = ?",
                         {QStringLiteral("COÖRDINATIE NAZORGWERKZAAMHEDEN")})
                  .toInt(),
              0);
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblCLitem WHERE strOmschrijving = ?",
                         {QStringLiteral("Coordinatie nazorgwerkzaamheden")})
                  .toInt(),
              0);
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblStortType WHERE strStortType = 'STORTPLAATS'").toInt(), 1);
}

// The built files need nothing of the program: the sqlite3 shell checks
// them and compares their texts (by its own NOCASE, which folds A-Z only).
TEST(BuiltFilesInTheSqliteShell, PassTheIntegrityCheckAndAnswerQueriesOnText)
{
    for (const QString &file : {testsupport::checklistFile(), testsupport::templateFile()}) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_EQ(testsupport::sqliteShell(file, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        EXPECT_EQ(testsupport::sqliteShell(file, QStringLiteral("SELECT count(*) FROM sqlite_schema "
                                                                "WHERE sql LIKE '%JETTEXT%'")),
                  QStringLiteral("0"));
        EXPECT_EQ(testsupport::caseFoldingIndexKeys(file), QString());
    }
    EXPECT_EQ(testsupport::sqliteShell(
                  testsupport::checklistFile(),
                  QStringLiteral("SELECT count(*) FROM tblStortType WHERE strStortType = 'STORTPLAATS'")),
              QStringLiteral("1"));
    EXPECT_EQ(testsupport::sqliteShell(testsupport::templateFile(),
                                       QStringLiteral("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID = 'VERSIE'")),
              QStringLiteral("30"));
}
