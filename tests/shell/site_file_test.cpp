// Exporting a site to a file and importing it again: every column of the
// site, its facilities, cost items (own, checklist, phases) and forecast
// comes back under new ids; a name clash asks for a free name; broken or
// foreign files and failures halfway write nothing; an export never leaves
// a half-written file.

#include "shell_screen_test_env.h"

#include "shell/ado_xml.h"
#include "shell/current_site.h"
#include "shell/frmImExportXML.h"
#include "shell/frmOpenInr.h"
#include "shell/site_export.h"
#include "shell/site_import.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

using namespace shelltest;

namespace {

const QString kTitel = QStringLiteral("Importeren inrichting");
const QString kNaam = QStringLiteral("Stort 't Veld");

// Site 5 with every column filled, two facilities, an own cost item in two
// phases, a checklist item and a forecast; site 6 beside it. The checklist
// item of the second facility was entered between the two phases of the
// first facility's item, so the ids of the cost items go from one facility
// to the other and back.
const char *const kFixture = R"(
INSERT INTO tblStort VALUES (5, 'Stort ''t Veld', 'RIVM-0042', 90,
  'Dijkweg 1' || char(13, 10) || 'Achterveld' || char(9) || '<&> "q"', 1,
  'Verg BV', 'Postbus 1, Ede', 'J. Jansen', '0318-1', '0318-2', 'verg@x.nl',
  'Inv BV', 'Postbus 2, Ede', 'P. Pieters', '0318-3', '0318-4', 'inv@x.nl',
  5.06, 2.1, '2031-07-16 00:00:00', 2031, 2008, 1, 0, 2, 2010, 2040,
  34.44, 12345.5, 3.5, 2, 3500, 225.25, 9000, 1500.75, 10, 12, 250000,
  '/home/gebruiker/rapporten', 4);
INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, bytProv_REF) VALUES (6, 'De Kuil', 2, 0);
INSERT INTO tblInrichting VALUES (11, 5, 2, 'Bovenafdichting noord');
INSERT INTO tblInrichting VALUES (12, 5, 7, 'Bouwkeet ''t Hoekje');
INSERT INTO tblInrichting VALUES (13, 6, 1, 'Hek');
INSERT INTO tblAct VALUES (21, 5, 11, 5, 'Vervangen folie', 1, 2040, NULL, 1, 3, 2, NULL, 30, 0, NULL,
  2, NULL, NULL, 150000.5, NULL, NULL, NULL, 3, 10, 0, NULL, 0, 2, 12.5, '2024-03-01 10:20:30',
  'fase één', 'NP 4.2');
INSERT INTO tblAct VALUES (22, 5, 12, 4, 'Onderhoud hekwerk en poort', 2, NULL, 1, 0, NULL, 3, 2060, NULL,
  0, NULL, 1, 2.5, 40000, NULL, NULL, NULL, NULL, 2, 1, 1, 2, 1, 0, NULL, '2024-03-02 00:00:00', NULL, NULL);
INSERT INTO tblAct VALUES (23, 5, 11, 5, 'Vervangen folie', 2, NULL, 31, 0, NULL, 3, NULL, NULL, 1, 5,
  3, NULL, NULL, NULL, 12.75, 1000, 'm2', 1, NULL, 0, NULL, 0, 3, 7.5, NULL, NULL, NULL);
INSERT INTO tblAct VALUES (24, 6, 13, 1, 'Maaien', 2, NULL, 1, 0, NULL, 3, NULL, NULL, 0, NULL,
  2, NULL, NULL, 100, NULL, NULL, NULL, 2, 1, 0, NULL, 0, 0, NULL, NULL, NULL, NULL);
INSERT INTO tblTonnage VALUES (31, 5, 2020, 150);
INSERT INTO tblTonnage VALUES (32, 5, 2021, 175);
INSERT INTO tblTonnage VALUES (33, 6, 2021, 9);
)";

// Every column of the rows of `sql`, one row a line, without the ids and
// references that an import renews.
QStringList dump(const QString &file, const QString &sql, const QVariantList &params)
{
    static const QStringList renewed{"idrStort_ID",   "idrInrichting_ID", "idrAct_ID",
                                     "idrTonnage_ID", "lngStort_REF",     "lngInrichting_REF"};
    db::Connection cn;
    cn.Open(file);
    db::Recordset rs;
    rs.Open(sql, cn, db::LockType::ReadOnly, params);
    QStringList rows;
    for (; !rs.EOF_(); rs.MoveNext()) {
        QStringList row;
        for (int i = 0; i < rs.FieldCount(); ++i) {
            const QString name = rs.Fields(i).Name();
            if (renewed.contains(name, Qt::CaseInsensitive))
                continue;
            const QVariant v = rs.Fields(i).Value();
            row << name + QLatin1Char('=') + (db::isNull(v) ? QStringLiteral("<null>") : v.toString());
        }
        rows << row.join(QLatin1Char('|'));
    }
    return rows;
}

// The site with everything under it, as the lines of dump(), plus the
// facility each cost item belongs to.
QStringList siteOf(const QString &file, qint32 id)
{
    QStringList all;
    all << dump(file, QStringLiteral("SELECT * FROM tblStort WHERE idrStort_ID=?"), {id});
    all << dump(file, QStringLiteral("SELECT * FROM tblTonnage WHERE lngStort_REF=? ORDER BY idrTonnage_ID"), {id});
    all << dump(file, QStringLiteral("SELECT * FROM tblInrichting WHERE lngStort_REF=? ORDER BY idrInrichting_ID"),
                {id});
    // By facility, and within one by id: the order of a facility's cost
    // items is kept, not the order between facilities.
    all << dump(file, QStringLiteral("SELECT * FROM tblAct WHERE lngStort_REF=? ORDER BY lngInrichting_REF, idrAct_ID"),
                {id});
    all << dump(file,
                QStringLiteral("SELECT i.strObject, a.strAct FROM tblAct a JOIN tblInrichting i "
                               "ON i.idrInrichting_ID = a.lngInrichting_REF AND i.lngStort_REF = a.lngStort_REF "
                               "WHERE a.lngStort_REF=? ORDER BY a.lngInrichting_REF, a.idrAct_ID"),
                {id});
    return all;
}

class SiteFileTest : public ShellScreenTest {
protected:
    void SetUp() override
    {
        ShellScreenTest::SetUp();
        runSql(dataFile, QLatin1String(kFixture));
        modMain::glngStortID = 5;
        exportFile = tmp.path() + QStringLiteral("/export.xml");
    }

    // Exports site 5 and returns the file's bytes.
    QByteArray exported()
    {
        modMain::ExporteerInrichting(exportFile);
        return fileBytes(exportFile);
    }

    // Makes a second, empty data file the current one.
    QString emptyDataFile()
    {
        const QString other = templateCopy(QStringLiteral("dbQORdata_2.mdb"));
        modMain::gstrConnData = modMain::pfunConnStrData(other);
        return other;
    }

    qint32 import(const QString &file, QString *name = nullptr)
    {
        qint32 id = -1;
        QString naam;
        EXPECT_TRUE(modMain::ImporteerInrichting(file, id, naam));
        if (name)
            *name = naam;
        return id;
    }

    QString rowCounts(const QString &file)
    {
        return scalar(file, QStringLiteral("SELECT (SELECT count(*) FROM tblStort) || '/' || (SELECT count(*) FROM "
                                           "tblInrichting) || '/' || (SELECT count(*) FROM tblAct) || '/' || "
                                           "(SELECT count(*) FROM tblTonnage)"));
    }

    // The import of `bytes` must be refused with `number` and a text that
    // holds `expected`, show no box and write nothing.
    void expectRefused(const QByteArray &bytes, const char *why, const QString &expected, long number = 321)
    {
        const QString file = tmp.path() + QStringLiteral("/kapot.xml");
        writeBytes(file, bytes);
        const QString before = rowCounts(dataFile);
        const size_t boxes = script.shown().size();
        try {
            qint32 id = 0;
            QString naam;
            modMain::ImporteerInrichting(file, id, naam);
            ADD_FAILURE() << why << ": imported";
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.number(), number) << why;
            EXPECT_TRUE(e.description().contains(expected)) << why << ": " << e.description().toStdString();
            EXPECT_EQ(e.source(), QStringLiteral("ImporteerInrichting")) << why;
        }
        EXPECT_EQ(rowCounts(dataFile), before) << why;
        EXPECT_EQ(script.shown().size(), boxes) << why;
    }

    QString exportFile;
};

TEST_F(SiteFileTest, ARoundTripKeepsEveryColumnOfTheSiteItsFacilitiesCostItemsAndForecast)
{
    const QByteArray bytes = exported();
    // The hierarchy and the column types as ADO gives them for Jet.
    EXPECT_TRUE(bytes.contains("<s:ElementType name='rsTonnage' content='eltOnly' rs:updatable='true' "
                               "rs:ReshapeName='rsTonnage' rs:relation='010000000200000000000000'>"));
    EXPECT_TRUE(bytes.contains("rs:relation='010000000300000000000000'"));
    EXPECT_TRUE(bytes.contains("<s:AttributeType name='sngRapEvalPerHa' rs:number='34' rs:nullable='true'"));
    EXPECT_TRUE(bytes.contains("<s:datatype dt:type='number' rs:dbtype='currency'"));
    EXPECT_TRUE(
        bytes.contains("memVestigingsadres='Dijkweg 1&#xd;&#xa;Achterveld&#x9;&#x3c;&#x26;&#x3e; &#x22;q&#x22;'"));
    EXPECT_TRUE(bytes.contains("sngRentePerc='5.06'"));
    EXPECT_FALSE(bytes.contains("De Kuil"));
    EXPECT_FALSE(bytes.contains("Maaien"));

    // Into an empty data file: the file's name is taken without a question.
    const QString other = emptyDataFile();
    QString naam;
    const qint32 id = import(exportFile, &naam);
    EXPECT_GT(id, 0);
    EXPECT_EQ(naam, kNaam);
    const QStringList original = siteOf(dataFile, 5);
    EXPECT_EQ(original.size(), 1 + 2 + 2 + 3 + 3);
    EXPECT_EQ(siteOf(other, id), original);
    // The cost items keep their order, so the phases keep their numbers.
    EXPECT_EQ(scalar(other, QStringLiteral("SELECT group_concat(intStartRel) FROM (SELECT intStartRel FROM tblAct "
                                           "WHERE strAct='Vervangen folie' ORDER BY idrAct_ID)")),
              QStringLiteral("31"));
}

// A site with neither a forecast nor facilities, with only one of them, or
// with both, comes back with what it has, a facility without cost items
// too.
TEST_F(SiteFileTest, EveryShapeOfASiteComesBackWithWhatItHas)
{
    // %1 is the site's id; its facilities are %1 * 10 + 1 and + 2.
    const char *const forecast = "INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES "
                                 "(%1, 2030, 10), (%1, 2031, 12);";
    const char *const facilities = "INSERT INTO tblInrichting VALUES (%1 * 10 + 1, %1, 1, 'Zonder posten'), "
                                   "(%1 * 10 + 2, %1, 2, 'Met een post');"
                                   "INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct) "
                                   "VALUES (%1, %1 * 10 + 2, 1, 'Maaien');";
    const struct {
        const char *why;
        QString sql;
        const char *counts; // sites/facilities/cost items/forecast years after the import
    } cases[] = {
        {"neither", QString(), "1/0/0/0"},
        {"forecast only", QLatin1String(forecast), "1/0/0/2"},
        {"facilities only", QLatin1String(facilities), "1/2/1/0"},
        {"both", QLatin1String(forecast) + QLatin1String(facilities), "1/2/1/2"},
    };
    const QString connData = modMain::gstrConnData;
    for (const auto &c : cases) {
        // Without a province code too: the imported site gets 0 ("none"),
        // so that the site list, which joins the provinces, shows it.
        const qint32 site = qint32(7 + (&c - cases));
        modMain::gstrConnData = connData;
        runSql(dataFile,
               QStringLiteral("INSERT INTO tblStort (idrStort_ID, strStortNaam) VALUES (%1, 'Leeg');").arg(site)
                   + QString(c.sql).replace(QLatin1String("%1"), QString::number(site)));
        modMain::glngStortID = site;
        const QByteArray bytes = exported();
        if (c.sql.isEmpty()) {
            EXPECT_TRUE(bytes.contains("<z:row idrStort_ID='7' strStortNaam='Leeg'/>")) << c.why;
        }
        const QString other = templateCopy(QStringLiteral("dbQORdata_%1.mdb").arg(site));
        modMain::gstrConnData = modMain::pfunConnStrData(other);
        qint32 id = 0;
        EXPECT_NO_THROW(id = import(exportFile)) << c.why;
        EXPECT_EQ(rowCounts(other), QLatin1String(c.counts)) << c.why;
        // Everything under the site as it was; the site row as it was but
        // for its province.
        EXPECT_EQ(siteOf(other, id).mid(1), siteOf(dataFile, site).mid(1)) << c.why;
        EXPECT_EQ(scalar(other, QStringLiteral("SELECT strStortNaam || '|' || bytProv_REF FROM tblStort")),
                  QStringLiteral("Leeg|0"))
            << c.why;
    }
}

TEST_F(SiteFileTest, WhatAKilledExportLeftGoesWithTheNextExport)
{
    const QString leftover = tmp.path() + QStringLiteral("/.oud.xml.tavir-Qq11Ww");
    writeBytes(leftover, QByteArray("<xml half"));
    const QString backup = tmp.path() + QStringLiteral("/export.xml.backup");
    writeBytes(backup, QByteArray("van de gebruiker"));

    EXPECT_FALSE(exported().isEmpty());

    EXPECT_FALSE(QFileInfo::exists(leftover));
    EXPECT_EQ(fileBytes(backup), QByteArray("van de gebruiker"));
}

// A name of blanks only is no name: the question says so, whether the name
// came from the file or was typed, and does not call it a name in use.
TEST_F(SiteFileTest, ANameOfBlanksOnlyIsAskedForAgainAsNoName)
{
    const QString geenNaam =
        QStringLiteral("De naam van de inrichting is leeg of bestaat alleen uit spaties.\nVoer een naam in.");
    for (const char *inBestand : {"   ", ""}) {
        SCOPED_TRACE(std::string("name in the file: '") + inBestand + "'");
        runSql(
            dataFile,
            QStringLiteral("UPDATE tblStort SET strStortNaam='%1' WHERE idrStort_ID=5").arg(QLatin1String(inBestand)));
        exported();
        script.expectInput(geenNaam, kTitel).withDefaultText(QLatin1String(inBestand)).answer("De Kuil");
        script
            .expectInput(
                QStringLiteral("De naam 'De Kuil' komt reeds voor in uw databestand.\nVoer een andere naam in."),
                kTitel)
            .withDefaultText(QStringLiteral("De Kuil"))
            .answer("  ");
        script.expectInput(geenNaam, kTitel).withDefaultText(QStringLiteral("  ")).answer("Stort Zuid");
        QString naam;
        EXPECT_GT(import(exportFile, &naam), 6);
        EXPECT_EQ(naam, QStringLiteral("Stort Zuid"));
        EXPECT_TRUE(script.verify()) << script.report().toStdString();
        script.clear();
        runSql(dataFile, QStringLiteral("DELETE FROM tblStort WHERE strStortNaam='Stort Zuid';"
                                        "UPDATE tblStort SET strStortNaam='Stort ''t Veld' WHERE idrStort_ID=5"));
    }
}

TEST_F(SiteFileTest, AClashingNameAsksForAFreeOneOfAtMostFiftyCharacters)
{
    exported();
    const QString lang51(51, QLatin1Char('x'));
    const QString lang50(50, QLatin1Char('y'));
    const QString before = scalar(dataFile, QStringLiteral("SELECT max(idrAct_ID) FROM tblAct"));
    script
        .expectInput(
            QStringLiteral("De naam 'Stort 't Veld' komt reeds voor in uw databestand.\nVoer een andere naam in."),
            kTitel)
        .withDefaultText(kNaam)
        .answer("STORT 'T VELD"); // the same name, in other case
    script
        .expectInput(
            QStringLiteral("De naam 'STORT 'T VELD' komt reeds voor in uw databestand.\nVoer een andere naam in."),
            kTitel)
        .withDefaultText(QStringLiteral("STORT 'T VELD"))
        .answer(lang51);
    script
        .expectInput(QStringLiteral("De lengte van de naam mag maximaal 50 tekens bedragen. U heeft 51 tekens "
                                    "ingevoerd.\nVoer een kortere naam in."),
                     kTitel)
        .withDefaultText(lang51)
        .answer(lang50);
    QString naam;
    const qint32 id = import(exportFile, &naam);
    EXPECT_EQ(naam, lang50);
    EXPECT_GT(id, 6);

    // A full copy under new ids, pointing to its own new rows.
    QStringList copy = siteOf(dataFile, id);
    QStringList original = siteOf(dataFile, 5);
    ASSERT_FALSE(copy.isEmpty());
    copy[0].replace(lang50, kNaam);
    EXPECT_EQ(copy, original);
    EXPECT_EQ(
        count(
            QStringLiteral("SELECT count(*) FROM tblAct WHERE lngStort_REF=%1 AND idrAct_ID > %2").arg(id).arg(before)),
        3);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM tblAct a JOIN tblInrichting i ON i.idrInrichting_ID = "
                                   "a.lngInrichting_REF WHERE a.lngStort_REF=%1 AND i.lngStort_REF=%1")
                        .arg(id)),
              3);
    // The current site stays as it was.
    EXPECT_EQ(modMain::glngStortID, 5);
}

TEST_F(SiteFileTest, ANameInTheFileLongerThanTheColumnIsAskedAgainNotRefusedByTheDatabase)
{
    const QString lang(60, QLatin1Char('n'));
    // As from a data file whose name column was wider.
    adoxml::Rowset rs = adoxml::read(exported());
    ASSERT_EQ(rs.rows.size(), 1u);
    const int naamKolom = rs.type.columnIndex(QStringLiteral("strStortNaam"));
    rs.type.columns[size_t(naamKolom)].maxLength = 255;
    rs.rows[0].values[size_t(naamKolom)] = lang;
    writeBytes(exportFile, adoxml::write(rs));
    const QString other = emptyDataFile();
    script
        .expectInput(QStringLiteral("De lengte van de naam mag maximaal 50 tekens bedragen. U heeft 60 tekens "
                                    "ingevoerd.\nVoer een kortere naam in."),
                     kTitel)
        .withDefaultText(lang)
        .answer("Korter");
    QString naam;
    EXPECT_GT(import(exportFile, &naam), 0);
    EXPECT_EQ(naam, QStringLiteral("Korter"));
    EXPECT_EQ(scalar(other, QStringLiteral("SELECT strStortNaam FROM tblStort")), QStringLiteral("Korter"));
}

TEST_F(SiteFileTest, GivingUpAtTheNameQuestionImportsNothing)
{
    exported();
    const QString before = rowCounts(dataFile);
    script
        .expectInput(
            QStringLiteral("De naam 'Stort 't Veld' komt reeds voor in uw databestand.\nVoer een andere naam in."),
            kTitel)
        .cancel();
    EXPECT_EQ(import(exportFile), 0);
    EXPECT_EQ(rowCounts(dataFile), before);
}

// Removes a column from a level of the rowset, as an older program would
// not have written it.
void dropColumn(adoxml::RowType &type, std::vector<adoxml::Row> &rows, const char *column)
{
    const int i = type.columnIndex(QLatin1String(column));
    ASSERT_GE(i, 0) << column;
    type.columns.erase(type.columns.begin() + i);
    for (adoxml::Row &row : rows)
        row.values.erase(row.values.begin() + i);
}

TEST_F(SiteFileTest, AFileOfAnOlderFormatGetsTheDefaultsOfItsMissingFields)
{
    adoxml::Rowset rs = adoxml::read(exported());
    ASSERT_EQ(rs.rows.size(), 1u);
    ASSERT_EQ(rs.type.chapters.size(), 2u);
    ASSERT_EQ(rs.rows[0].chapters.size(), 2u);
    // The cost items of every facility lose bytCombineer.
    adoxml::RowType &actType = rs.type.chapters[1].chapters[0];
    const int combineer = actType.columnIndex(QStringLiteral("bytCombineer"));
    ASSERT_GE(combineer, 0);
    actType.columns.erase(actType.columns.begin() + combineer);
    for (adoxml::Row &f : rs.rows[0].chapters[1])
        for (adoxml::Row &act : f.chapters[0])
            act.values.erase(act.values.begin() + combineer);
    dropColumn(rs.type, rs.rows, "sngOnvoorzien");
    dropColumn(rs.type, rs.rows, "dtmAanvangNazorg");
    dropColumn(rs.type, rs.rows, "memStandaardExportDir");
    // A field the data file does not have is passed over.
    adoxml::Column extra = rs.type.columns[1];
    extra.name = QStringLiteral("strNieuwVeld");
    extra.number = 99;
    rs.type.columns.push_back(extra);
    rs.rows[0].values.push_back(QStringLiteral("genegeerd"));
    writeBytes(exportFile, adoxml::write(rs));

    const QString other = emptyDataFile();
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Ontbrekend veld in importbestand"),
                        QString::fromUtf8("Het veld 'sngOnvoorzien' bestaat niet in de geïmporteerde dataset. Er zal "
                                          "een waarde 0 worden ingevuld in dit veld."));
    const qint32 id = import(exportFile);
    ASSERT_GT(id, 0);
    EXPECT_EQ(scalar(other, QStringLiteral("SELECT sngOnvoorzien || '|' || dtmAanvangNazorg || '|' || "
                                           "memStandaardExportDir FROM tblStort")),
              QStringLiteral("0.0|2031-01-01 00:00:00|c:\\"));
    EXPECT_EQ(scalar(other, QStringLiteral("SELECT group_concat(bytCombineer) FROM tblAct")), QStringLiteral("0,0,0"));
}

TEST_F(SiteFileTest, AFileOfAnOlderFormatGetsTheDefaultRatesNotZero)
{
    adoxml::Rowset rs = adoxml::read(exported());
    dropColumn(rs.type, rs.rows, "sngAppKostenPerc");
    dropColumn(rs.type, rs.rows, "sngRapEvalPerHa");
    writeBytes(exportFile, adoxml::write(rs));
    const QString other = emptyDataFile();
    ASSERT_GT(import(exportFile), 0);
    EXPECT_EQ(scalar(other, QStringLiteral("SELECT sngAppKostenPerc || '|' || sngRapEvalPerHa FROM tblStort")),
              QStringLiteral("3.0|225"));
}

TEST_F(SiteFileTest, AFractionalAfterCareYearIsRoundedOneWayForYearAndStartDate)
{
    const QByteArray bytes = exported();
    const struct {
        const char *jaar;
        bool withDateColumn; // an empty start date in the file, or no such column
        const char *expected;
    } cases[] = {
        {"2030.5", false, "2030|2030-01-01 00:00:00"}, {"2031.5", false, "2032|2032-01-01 00:00:00"},
        {"2030.5", true, "2030|2030-01-01 00:00:00"},  {"2031.5", true, "2032|2032-01-01 00:00:00"},
        {"2031.4", true, "2031|2031-01-01 00:00:00"},
    };
    for (const auto &c : cases) {
        adoxml::Rowset rs = adoxml::read(bytes);
        ASSERT_EQ(rs.rows.size(), 1u);
        const int jaar = rs.type.columnIndex(QStringLiteral("intJaarNazorg"));
        ASSERT_GE(jaar, 0);
        rs.type.columns[size_t(jaar)].dtType = QStringLiteral("r8");
        rs.rows[0].values[size_t(jaar)] = QString::fromLatin1(c.jaar);
        if (c.withDateColumn)
            rs.rows[0].values[size_t(rs.type.columnIndex(QStringLiteral("dtmAanvangNazorg")))] = std::nullopt;
        else
            dropColumn(rs.type, rs.rows, "dtmAanvangNazorg");
        writeBytes(exportFile, adoxml::write(rs));
        const QString other = templateCopy(QStringLiteral("dbQORdata_%1.mdb").arg(&c - cases));
        modMain::gstrConnData = modMain::pfunConnStrData(other);
        ASSERT_GT(import(exportFile), 0) << c.jaar;
        EXPECT_EQ(scalar(other, QStringLiteral("SELECT intJaarNazorg || '|' || dtmAanvangNazorg FROM tblStort")),
                  QLatin1String(c.expected))
            << c.jaar << (c.withDateColumn ? " with an empty date" : " without a date column");
    }
}

TEST_F(SiteFileTest, BrokenOrHostileFilesAreRefusedAndNothingIsWritten)
{
    const QByteArray good = exported();
    const auto replaced = [&](const char *from, const char *to) {
        EXPECT_TRUE(good.contains(from)) << from;
        return QByteArray(good).replace(from, to);
    };
    const QByteArray longName = "strObject='" + QByteArray(101, 'o') + "'";
    const struct {
        const char *why;
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {"wrong root", "<html><body/></html>", "begint niet met het element <xml>"},
        {"truncated", good.left(good.size() * 2 / 3), "onvolledig"},
        {"external entity", "<!DOCTYPE xml [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>" + good, "(DTD)"},
        {"no site name", QByteArray(good).replace("strStortNaam", "strNaam"), "de kolom strStortNaam ontbreekt"},
        {"no forecast chapter", QByteArray(good).replace("rsTonnage", "rsTon"), "het deel rsTonnage ontbreekt"},
        {"missing facility name", QByteArray(good).replace("strObject", "strObj"),
         "de kolom strObject van tblInrichting ontbreekt"},
        {"rubric out of range", replaced("bytRubriek_REF='4'", "bytRubriek_REF='7'"), "De rubriek '7' is onbekend"},
        {"byte overflow", replaced("bytRubriek_REF='4'", "bytRubriek_REF='300'"), "buiten het bereik"},
        {"integer overflow", replaced("intKalJaar='2020'", "intKalJaar='40000'"), "intKalJaar"},
        {"text too long", replaced("strObject='Bovenafdichting noord'", longName.constData()), "strObject"},
        {"unknown province", replaced("bytProv_REF='90'", "bytProv_REF='35'"), "De provinciecode '35' is onbekend"},
        {"unknown category", replaced("bytObjectCat_REF='7'", "bytObjectCat_REF='9'"),
         "De objectcategorie '9' is onbekend"},
        {"foreign reference", replaced("lngInrichting_REF='12'", "lngInrichting_REF='13'"), "lngInrichting_REF = 13"},
        {"empty required field", replaced("bytCombineer='1'", "bytCombineer=''"), "bytCombineer"},
        {"two sites", replaced("</rs:data>", "\t<z:row strStortNaam='Tweede'/>\r\n</rs:data>"),
         QString::fromUtf8("2 inrichtingen in plaats van één")},
    };
    for (const auto &c : cases)
        expectRefused(c.bytes, c.why, c.expected);
    expectRefused(QByteArray(), "empty file", QStringLiteral("onvolledig"));
}

TEST_F(SiteFileTest, AFailureHalfwayLeavesNoHalfImportedSite)
{
    exported();
    const QString other = emptyDataFile();
    runSql(other, QStringLiteral("CREATE TRIGGER weiger BEFORE INSERT ON tblAct WHEN NEW.strAct = 'Onderhoud hekwerk "
                                 "en poort' BEGIN SELECT RAISE(ABORT, 'geweigerd'); END;"));
    qint32 id = 0;
    QString naam;
    EXPECT_THROW(modMain::ImporteerInrichting(exportFile, id, naam), platform::Error);
    EXPECT_EQ(rowCounts(other), QStringLiteral("0/0/0/0"));
}

TEST_F(SiteFileTest, AdosOwnFilesAreReadButRefusedAsNoSite)
{
    for (const char *name : {"orders_lines_shape.xml", "orders_lines_product_shape.xml", "text_escapes.xml"}) {
        QFile f(QStringLiteral(TAVIR_ADO_XML_SAMPLES) + QLatin1Char('/') + QLatin1String(name));
        if (!f.open(QIODevice::ReadOnly))
            GTEST_SKIP() << "sample " << name << " not found in " TAVIR_ADO_XML_SAMPLES;
        expectRefused(f.readAll(), name,
                      QStringLiteral("het is geen exportbestand van een inrichting (de kolom strStortNaam ontbreekt)"));
    }
}

TEST_F(SiteFileTest, AnExportReplacesAnOldFileOnlyWhenComplete)
{
    writeBytes(exportFile, "oud");
    const QByteArray bytes = exported();
    EXPECT_TRUE(bytes.startsWith("<xml "));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"export.xml"});

    // A folder that cannot be written: refused, the old file stays.
    const QString folder = tmp.path() + QStringLiteral("/alleenlezen");
    ASSERT_TRUE(QDir().mkpath(folder));
    writeBytes(folder + QStringLiteral("/site.xml"), "oud");
    ReadOnlyFolder guard(folder);
    if (!guard.effective())
        GTEST_SKIP() << "this process can write into a read-only folder";
    try {
        modMain::ExporteerInrichting(folder + QStringLiteral("/site.xml"));
        ADD_FAILURE() << "exported";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 75);
        EXPECT_TRUE(e.description().contains(QStringLiteral("kan niet worden geschreven")));
    }
    EXPECT_EQ(fileBytes(folder + QStringLiteral("/site.xml")), QByteArray("oud"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"site.xml"});
}

TEST_F(SiteFileTest, TheMainWindowsDialogsRunTheRealExportAndImport)
{
    modMain::OpenInrichting(5);
    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Exporteren...")).answer(exportFile);
    trigger("exportInrichting");
    EXPECT_TRUE(fileBytes(exportFile).contains("strStortNaam='Stort &#x27;t Veld'"));

    shell::frmOpenInr *list = screens::Form::loaded<shell::frmOpenInr>();
    if (!list) {
        trigger("open_inrichting");
        list = screens::Form::loaded<shell::frmOpenInr>();
    }
    ASSERT_NE(list, nullptr);
    script.expectFileDialog(ui::FileDialogMode::Open, QStringLiteral("Importeren...")).answer(exportFile);
    script
        .expectInput(
            QStringLiteral("De naam 'Stort 't Veld' komt reeds voor in uw databestand.\nVoer een andere naam in."),
            kTitel)
        .answer("Kopie");
    click(control<QPushButton>(list, "cmdImport"));
    EXPECT_TRUE(rowTexts(control<QTreeWidget>(list, "lst1")).contains(QStringLiteral("Kopie")));

    // A refused file: the box says why.
    const QString broken = tmp.path() + QStringLiteral("/kapot.xml");
    writeBytes(broken, "<html/>");
    script.expectFileDialog(ui::FileDialogMode::Open, QStringLiteral("Importeren...")).answer(broken);
    script.expectMsgBox(
        ui::Icon::None, QString(),
        QStringLiteral("321\nHet bestand '") + broken
            + QString::fromUtf8("' kan niet worden geïmporteerd: Het bestand is geen geldige opgeslagen "
                                "recordset: het bestand begint niet met het element <xml> van een "
                                "opgeslagen recordset (regel 1)."));
    click(control<QPushButton>(list, "cmdImport"));
}

} // namespace
