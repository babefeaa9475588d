// The template data file db00.mdb as built into the program folder: the
// tables of the newest data-file format, its lookup rows, its format version,
// and the behaviour of its columns that the program relies on.

#include "schema_check.h"
#include "sqlite_file.h"
#include "support/test_paths.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace datatest;

namespace {

const std::vector<ExpectedTable> &templateTables()
{
    static const std::vector<ExpectedTable> tables = {
        {"tblStort",
         {
             {"idrStort_ID", Jet::AutoNumber},      {"strStortNaam", Jet::Text, 50},
             {"strRIVMnr", Jet::Text, 50},          {"bytProv_REF", Jet::Byte},
             {"memVestigingsadres", Jet::Memo},     {"intStortType", Jet::Integer},
             {"strVergNaam", Jet::Text, 100},       {"strVergPostAdres", Jet::Text, 255},
             {"strVergContPers", Jet::Text, 100},   {"strVergTel", Jet::Text, 50},
             {"strVergFax", Jet::Text, 50},         {"strVergEmail", Jet::Text, 100},
             {"strInvNaam", Jet::Text, 100},        {"strInvPostAdres", Jet::Text, 255},
             {"strInvContPers", Jet::Text, 100},    {"strInvTel", Jet::Text, 50},
             {"strInvFax", Jet::Text, 50},          {"strInvEmail", Jet::Text, 100},
             {"sngRentePerc", Jet::Single},         {"sngInflPerc", Jet::Single},
             {"dtmAanvangNazorg", Jet::Date},       {"intJaarNazorg", Jet::Integer},
             {"intJaarPrijsPeil", Jet::Integer},    {"bytBedrijfsGebonden", Jet::Byte},
             {"bytObjectGebonden", Jet::Byte},      {"bytheffing", Jet::Byte},
             {"intStartjaarHeffing", Jet::Integer}, {"intEindjaarHeffing", Jet::Integer},
             {"sngNazorgOpp", Jet::Single},         {"sngAlgAppKostenBasis", Jet::Single},
             {"sngAppKostenPerc", Jet::Single},     {"bytRapEval", Jet::Byte},
             {"sngRapEvalMin", Jet::Currency},      {"sngRapEvalPerHa", Jet::Currency},
             {"sngRapEvalMax", Jet::Currency},      {"sngAlgCommunicatieKosten", Jet::Single},
             {"sngOnvoorzien", Jet::Single},        {"sngOntwerpdirectie", Jet::Single},
             {"sngAlgRisicoBedrag", Jet::Single},   {"memStandaardExportDir", Jet::Memo},
             {"intCL_REF", Jet::Integer},
         }},
        {"tblInrichting",
         {
             {"idrInrichting_ID", Jet::AutoNumber},
             {"lngStort_REF", Jet::Long},
             {"bytObjectCat_REF", Jet::Byte},
             {"strObject", Jet::Text, 100},
         }},
        // idrAct_ID first: a further phase copies every later column by position.
        {"tblAct",
         {
             {"idrAct_ID", Jet::AutoNumber},
             {"lngStort_REF", Jet::Long},
             {"lngInrichting_REF", Jet::Long},
             {"bytRubriek_REF", Jet::Byte},
             {"strAct", Jet::Text, 255},
             {"bytOptieStart", Jet::Byte},
             {"intStartAbs", Jet::Integer},
             {"intStartRel", Jet::Integer},
             {"bytStartBA", Jet::Byte},
             {"intStartBA", Jet::Integer},
             {"bytOptieEind", Jet::Byte},
             {"intEindAbs", Jet::Integer},
             {"intEindRel", Jet::Integer},
             {"bytEindBA", Jet::Byte},
             {"intEindBA", Jet::Integer},
             {"bytOptieKosten", Jet::Byte},
             {"sngPercInvest", Jet::Single},
             {"sngKostenInvest", Jet::Single},
             {"sngKostenTotaal", Jet::Single},
             {"sngKostenPE", Jet::Single},
             {"sngAantal", Jet::Single},
             {"strEenheid", Jet::Text, 50},
             {"bytOptieFreq", Jet::Byte},
             {"intFreqX", Jet::Integer},
             {"bytIsQOR", Jet::Byte},
             {"lngClitem_REF", Jet::Long},
             {"bytCombineer", Jet::Byte, 0, true, "0"},
             {"bytTypeVervangingsToeslag", Jet::Byte, 0, true, "0"},
             {"sngVervangingsToeslagPerc", Jet::Single},
             {"dtmMut", Jet::Date},
             {"strOpm", Jet::Text, 255},
             {"strNazorgplanRef", Jet::Text, 255},
         }},
        {"tblTonnage",
         {
             {"idrTonnage_ID", Jet::AutoNumber},
             {"lngStort_REF", Jet::Long},
             {"intKalJaar", Jet::Integer},
             {"lngTonnage", Jet::Long},
         }},
        {"tblProv",
         {
             {"bytProv_ID", Jet::Byte, 0, true},
             {"strProvNaam", Jet::Text, 50},
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

class TemplateFile : public ::testing::Test {
protected:
    SqliteFile file{testsupport::templateFile()};
};

// A writable copy of the template in a temporary folder, as a new data file is.
class TemplateCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("dbQORdata_test.mdb"));
        ASSERT_TRUE(QFile::copy(testsupport::templateFile(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        copy = std::make_unique<SqliteFile>(path, SqliteFile::Mode::ReadWrite);
        ASSERT_TRUE(copy->isOpen()) << copy->error().toStdString();
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<SqliteFile> copy;
};

} // namespace

TEST_F(TemplateFile, HasEveryTableAndColumnOfTheNewestFormat)
{
    expectSchema(file, templateTables());
}

TEST_F(TemplateFile, HoldsNoSiteData)
{
    for (const char *table : {"tblStort", "tblInrichting", "tblAct", "tblTonnage"}) {
        const QString sql = QStringLiteral("SELECT COUNT(*) FROM %1").arg(QString::fromUtf8(table));
        EXPECT_EQ(file.value(sql.toUtf8().constData()).toInt(), 0) << table;
    }
}

TEST_F(TemplateFile, ListsTheTwelveProvincesAndNone)
{
    const std::vector<std::pair<int, QString>> expected = {
        {0, QStringLiteral("(geen)")},         {10, QStringLiteral("Drenthe")},
        {20, QStringLiteral("Flevoland")},     {30, QStringLiteral("Friesland")},
        {40, QStringLiteral("Gelderland")},    {50, QStringLiteral("Groningen")},
        {60, QStringLiteral("Limburg")},       {70, QStringLiteral("Noord-Brabant")},
        {80, QStringLiteral("Noord-Holland")}, {90, QStringLiteral("Overijssel")},
        {100, QStringLiteral("Utrecht")},      {110, QStringLiteral("Zeeland")},
        {120, QStringLiteral("Zuid-Holland")},
    };
    const std::vector<Row> rows = file.rows("SELECT bytProv_ID, strProvNaam FROM tblProv ORDER BY bytProv_ID");
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0].toInt(), expected[i].first);
        EXPECT_EQ(rows[i][1].toString(), expected[i].second);
    }
    // The codes follow the alphabetical order of the names.
    const std::vector<Row> byName =
        file.rows("SELECT bytProv_ID FROM tblProv WHERE bytProv_ID > 0 ORDER BY strProvNaam");
    for (size_t i = 0; i < byName.size(); ++i) {
        EXPECT_EQ(byName[i][0].toInt(), int(i + 1) * 10);
    }
}

TEST_F(TemplateFile, ListsTheSevenObjectCategories)
{
    const QStringList expected = {"Algemeen",
                                  "Bovenafdichting",
                                  "Grondwatermonitoringssysteem",
                                  "Percolaatopvangsysteem",
                                  "Stortgasonttrekking",
                                  "Grondwaterbeheerssysteem",
                                  "Overig"};
    const std::vector<Row> rows = file.rows("SELECT bytObjectCat_ID, strObjectCat FROM tblObjectCat ORDER BY 1");
    ASSERT_EQ(rows.size(), size_t(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(rows[i][0].toInt(), i + 1);
        EXPECT_EQ(rows[i][1].toString(), expected[i]);
    }
}

TEST_F(TemplateFile, CarriesTheFormatVersionOfThisProgram)
{
    const std::vector<Row> rows = file.rows("SELECT strSYS_ID, strSYSvalue FROM tblSYS");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0].toString(), QStringLiteral("versie"));
    EXPECT_EQ(rows[0][1].toString(), QStringLiteral("30")); // program version 3.0
}

TEST_F(TemplateCopy, ComparesTextWithoutRegardToCaseBeyondAscii)
{
    copy->rows("INSERT INTO tblStort (strStortNaam, intStortType) VALUES (?, 1)", {QStringLiteral("Östor Zuidwest")});
    EXPECT_EQ(
        copy->value("SELECT COUNT(*) FROM tblStort WHERE strStortNaam = ?", {QStringLiteral("ÖSTOR ZUIDWEST")}).toInt(),
        1);
    EXPECT_EQ(
        copy->value("SELECT COUNT(*) FROM tblStort WHERE strStortNaam = ?", {QStringLiteral("östor zuidwest")}).toInt(),
        1);
    EXPECT_EQ(
        copy->value("SELECT COUNT(*) FROM tblStort WHERE strStortNaam = ?", {QStringLiteral("Ostor Zuidwest")}).toInt(),
        0)
        << "a letter with a diaeresis is not the plain letter";
    // Format-version key, as the upgrade reads it.
    EXPECT_EQ(copy->value("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID = 'VERSIE'").toString(),
              QStringLiteral("30"));
}

TEST_F(TemplateCopy, NeverReusesAnAutoNumber)
{
    copy->rows("INSERT INTO tblStort (strStortNaam) VALUES ('a')");
    const qlonglong first = copy->value("SELECT MAX(idrStort_ID) FROM tblStort").toLongLong();
    copy->rows("DELETE FROM tblStort");
    copy->rows("INSERT INTO tblStort (strStortNaam) VALUES ('b')");
    EXPECT_GT(copy->value("SELECT MAX(idrStort_ID) FROM tblStort").toLongLong(), first);
}

TEST_F(TemplateCopy, GivesANewCostItemNoCombinationAndNoSurchargeType)
{
    copy->rows("INSERT INTO tblAct (lngStort_REF, strAct) VALUES (1, 'Maaien')");
    const std::vector<Row> rows =
        copy->rows("SELECT bytCombineer, bytTypeVervangingsToeslag, sngVervangingsToeslagPerc FROM tblAct");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0].toInt(), 0);
    EXPECT_EQ(rows[0][1].toInt(), 0);
    EXPECT_FALSE(rows[0][2].isValid());
    QString error;
    EXPECT_FALSE(copy->tryExec("UPDATE tblAct SET bytCombineer = NULL", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("NOT NULL"))) << error.toStdString();
}
