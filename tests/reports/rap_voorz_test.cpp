// The input-data report: its choices, the facilities list, the order of
// its parts and the driver that saves it.

#include "report_fixture.h"
#include "support/item_at.h"

#include "reports/rap_kostenposten.h"
#include "reports/rap_voorz.h"

#include "platform/core/error.h"
#include "platform/os/open_document.h"
#include "platform/ui/busy_cursor.h"

#include <QFile>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

using testsupport::itemAt;

const QString kTitel = QStringLiteral("Rapportage TAVIR: ingevoerde data");
const QString kGereed = QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?");
const QString kGereedTitel = QStringLiteral("Rapportage ingevoerde gegevens");
const QString kOpslaanTitel = QStringLiteral("Rapportage opslaan als ...");

QList<int> orientaties(const QJsonObject &d)
{
    QList<int> out;
    for (const auto &s : d[QStringLiteral("sections")].toArray())
        out << s.toObject()[QStringLiteral("orientation")].toInt();
    return out;
}

TEST(RapVoorzKeuzeTest, ReportCanBeMadeOnceAPartIsChosen)
{
    const struct {
        reports::RapVoorzKeuze keuze;
        bool ok;
    } gevallen[] = {
        {{0, 0, 0, 0}, false}, {{1, 0, 0, 0}, true}, {{0, 1, 0, 0}, true}, {{0, 0, 1, 0}, true},
        {{0, 0, 0, 1}, true},  {{0, 0, 0, 2}, true}, {{1, 1, 1, 1}, true},
    };
    for (const auto &g : gevallen)
        EXPECT_EQ(g.keuze.ZetOKButton(), g.ok)
            << g.keuze.chkAlg << g.keuze.chkVoorz << g.keuze.chkAct << g.keuze.chkRapUnselectedCLitems;
}

TEST(RapVoorzKeuzeTest, SaveQuestionProposesANameOfSiteAndDate)
{
    const ui::FileDialogRequest v = reports::RapVoorzOpslaanVraag(QStringLiteral("Noord"), QDate(2024, 3, 5));
    EXPECT_EQ(v.fileName, QStringLiteral("Rapp invoer Noord 05-03-2024.docx"));
    EXPECT_EQ(v.title, kOpslaanTitel);
    EXPECT_EQ(v.filter, QStringLiteral("Word bestanden (*.docx)|*.docx|"));
    EXPECT_EQ(v.filterIndex, 1);
    EXPECT_EQ(v.flags, 2054);
    EXPECT_TRUE(v.initialDir.isEmpty());
    // A site name with characters no file name may hold still proposes
    // one file in the chosen folder.
    EXPECT_EQ(reports::RapVoorzOpslaanVraag(QStringLiteral("Put A/B: \"oost\""), QDate(2026, 12, 8)).fileName,
              QStringLiteral("Rapp invoer Put A_B_ _oost_ 08-12-2026.docx"));
}

class RapVoorzTest : public reporttest::WordReportTest {
protected:
    QJsonObject schrijf(qint32 site, const reports::RapVoorzKeuze &keuze)
    {
        reports::SchrijfRapVoorz(app, doc, keuze, context(site), nullptr);
        return saveAndRead();
    }
};

TEST_F(RapVoorzTest, FacilitiesAloneGiveAPortraitListByCategory)
{
    const QJsonObject d = schrijf(fx.alfa, {0, 1, 0, 0});
    EXPECT_EQ(orientaties(d), QList<int>{0});
    EXPECT_EQ(itemAt(d[QStringLiteral("sections")].toArray(), 0).toObject()[QStringLiteral("left")].toDouble(), 2.5);
    const QStringList texts = wordtest::bodyTexts(d);
    ASSERT_GE(texts.size(), 3);
    EXPECT_EQ(texts.mid(0, 2), (QStringList{kTitel, QStringLiteral(">>  Voorzieningen")}));
    const qsizetype i = texts.indexOf(QStringLiteral("ALGEMEEN"));
    ASSERT_GT(i, 1);
    EXPECT_EQ(texts[i - 1], QString());
    EXPECT_EQ(texts.mid(i, 9), (QStringList{"ALGEMEEN", " Terrein", "", "BOVENAFDICHTING", " Bovenafdichting", "",
                                            "GRONDWATERMONITORINGSSYSTEEM", " Peilbuizen", ""}));
    EXPECT_TRUE(wordtest::tables(d).isEmpty());
    // Header and footer come with every report.
    const QJsonArray kop = wordtest::paragraphs(d[QStringLiteral("header")].toArray());
    EXPECT_EQ(itemAt(kop, 0).toObject()[QStringLiteral("text")].toString(), QStringLiteral("TAVIR 3.0"));
    EXPECT_EQ(d[QStringLiteral("protection")], QJsonValue());
}

TEST_F(RapVoorzTest, TwoFacilitiesOfOneCategoryShareItsLine)
{
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Twee")}, {"intStortType", 1}, {"intCL_REF", 1}});
    fx.facility(site, 3, QStringLiteral("Put 2"));
    fx.facility(site, 3, QStringLiteral("Put 1"));
    const QStringList texts = wordtest::bodyTexts(schrijf(site, {0, 1, 0, 0}));
    const qsizetype i = texts.indexOf(QStringLiteral("GRONDWATERMONITORINGSSYSTEEM"));
    ASSERT_GT(i, 0);
    EXPECT_EQ(texts.mid(i + 1, 2), (QStringList{" Put 1", " Put 2"}));
    EXPECT_EQ(texts.count(QStringLiteral("GRONDWATERMONITORINGSSYSTEEM")), 1);
    EXPECT_FALSE(texts.contains(QStringLiteral("ALGEMEEN")));
}

TEST_F(RapVoorzTest, AListBreaksOverPagesWithTwoLinesOnEitherSide)
{
    // The blank line and the heading keep with the first facility, that
    // one with the second, the last but one with the last; the others and
    // the last are free to end a page.
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Vijf")}, {"intStortType", 1}, {"intCL_REF", 1}});
    for (int k = 1; k <= 5; ++k)
        fx.facility(site, 7, QStringLiteral("Diverse 0%1").arg(k));
    fx.facility(site, 3, QStringLiteral("Put"));
    const QJsonArray ps = wordtest::paragraphs(schrijf(site, {0, 1, 0, 0})[QStringLiteral("body")].toArray());
    QStringList houdt;
    for (const auto &p : ps) {
        const QJsonObject o = p.toObject();
        if (o[QStringLiteral("keep_with_next")].toBool())
            houdt << o[QStringLiteral("text")].toString();
    }
    EXPECT_EQ(houdt, (QStringList{"", "GRONDWATERMONITORINGSSYSTEEM", "", "OVERIG", " Diverse 01", " Diverse 04"}));
}

TEST_F(RapVoorzTest, ASiteWithoutFacilitiesGetsTheHeadingAlone)
{
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Kaal")}, {"intStortType", 1}, {"intCL_REF", 1}});
    const QStringList texts = wordtest::bodyTexts(schrijf(site, {0, 1, 0, 0}));
    EXPECT_EQ(texts.mid(0, 2), (QStringList{kTitel, QStringLiteral(">>  Voorzieningen")}));
    for (const QString &t : texts.mid(2))
        EXPECT_TRUE(t.trimmed().isEmpty()) << t.toStdString();
}

TEST_F(RapVoorzTest, EveryPartAfterTheFirstStartsANewSection)
{
    const QJsonObject d = schrijf(fx.alfa, {1, 1, 1, 1});
    // Cover page, facilities, cost items (landscape), unused items.
    EXPECT_EQ(orientaties(d), (QList<int>{0, 0, 1, 0}));
    const QStringList texts = wordtest::bodyTexts(d);
    EXPECT_EQ(texts.mid(0, 2), (QStringList{kTitel, QStringLiteral(">> Algemene gegevens")}));
    for (const QString &deel : {QStringLiteral(">>  Voorzieningen"), QStringLiteral(">>  Kostenposten"),
                                QStringLiteral(">> Overzicht niet geselecteerde checklistposten")})
        EXPECT_TRUE(texts.contains(deel)) << deel.toStdString();
    // No calculation on the cover page.
    EXPECT_FALSE(texts.contains(QStringLiteral("Samenvatting berekening doelvermogen")));
}

TEST_F(RapVoorzTest, CostItemsWithoutItemsStillCountAsAPart)
{
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Leeg")}, {"intStortType", 1}, {"intCL_REF", 1}});
    fx.facility(site, 1, QStringLiteral("Terrein"));
    script.expectMsgBox(ui::Icon::None, QString(), reports::kGeenKostenposten);
    const QJsonObject d = schrijf(site, {0, 0, 1, 1});
    EXPECT_EQ(orientaties(d), (QList<int>{0, 0}));
    EXPECT_EQ(wordtest::bodyTexts(d).indexOf(kTitel), 1); // after the empty first section
}

class RapVoorzDriverTest : public reporttest::WordReportTest {
protected:
    void SetUp() override
    {
        WordReportTest::SetUp();
        m_opener = os::setOpener([this](const QUrl &url) {
            geopend << url.toLocalFile();
            return opent;
        });
    }
    void TearDown() override
    {
        os::setOpener(m_opener);
        WordReportTest::TearDown();
    }
    QString rapporteer(const reports::RapVoorzKeuze &keuze = {0, 1, 1, 0})
    {
        return reports::RapporteerRapVoorz(keuze, context(fx.alfa), &voortgang);
    }
    struct Balk : reports::Voortgang {
        void setVisible(bool v) override { zichtbaar = v; }
        void setMinimum(int) override {}
        void setMaximum(int) override {}
        void setValue(int v) override { waarde = v; }
        bool zichtbaar = false;
        int waarde = 0;
    } voortgang;
    QStringList geopend;
    bool opent = true; // whether the desktop has a program that opens it

private:
    os::Opener m_opener;
};

TEST_F(RapVoorzDriverTest, SavesTheReportAndOffersToOpenIt)
{
    const QString pad = out.filePath(QStringLiteral("invoer.docx"));
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel)
        .withFileName(QStringLiteral("Rapp invoer Alfa 05-03-2024.docx"))
        .withFlags(2054)
        .answer(pad);
    script.expectMsgBox(ui::Icon::Question, kGereedTitel, kGereed, ui::Buttons::YesNo).answer(ui::Answer::Yes);
    EXPECT_EQ(rapporteer(), pad);
    EXPECT_EQ(geopend, QStringList{pad});
    EXPECT_FALSE(voortgang.zichtbaar);
    EXPECT_EQ(voortgang.waarde, 1);
    const QJsonObject d = wordtest::readDocx(pad);
    EXPECT_EQ(orientaties(d), (QList<int>{0, 1}));
    EXPECT_EQ(wordtest::tables(d).size(), 1);
}

TEST_F(RapVoorzDriverTest, TheDialogOpensInTheSitesReportFolderOrTheDocumentsFolder)
{
    // The template's folder "c:\" is no folder here: the documents folder.
    const QString documenten = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_FALSE(documenten.isEmpty());
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).withInitialDir(documenten).cancel();
    rapporteer();
    // Where the site's last report went, when that folder is there; the
    // folder chosen now is not stored for the site.
    fx.execute(QStringLiteral("UPDATE tblStort SET memStandaardExportDir=? WHERE idrStort_ID=?"),
               {out.path(), fx.alfa});
    const QString pad = out.filePath(QStringLiteral("sub/invoer.docx"));
    QDir(out.path()).mkdir(QStringLiteral("sub"));
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).withInitialDir(out.path()).answer(pad);
    script.expectMsgBox(ui::Icon::Question, kGereedTitel, kGereed, ui::Buttons::YesNo).answer(ui::Answer::No);
    EXPECT_EQ(rapporteer(), pad);
    EXPECT_EQ(fx.scalar(QStringLiteral("SELECT memStandaardExportDir FROM tblStort WHERE idrStort_ID=?"), {fx.alfa})
                  .toString(),
              out.path());
}

TEST_F(RapVoorzDriverTest, ANameTypedWithoutItsExtensionIsSavedAsAWordFile)
{
    const QString getypt = out.filePath(QStringLiteral("invoer Alfa"));
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).answer(getypt);
    script.expectMsgBox(ui::Icon::Question, kGereedTitel, kGereed, ui::Buttons::YesNo).answer(ui::Answer::No);
    EXPECT_EQ(rapporteer(), getypt + QStringLiteral(".docx"));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{QStringLiteral("invoer Alfa.docx")});
}

TEST_F(RapVoorzDriverTest, WithoutAProgramToOpenItTheUserLearnsWhereTheReportIs)
{
    opent = false;
    const QString pad = out.filePath(QStringLiteral("invoer.docx"));
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).answer(pad);
    script.expectMsgBox(ui::Icon::Question, kGereedTitel, kGereed, ui::Buttons::YesNo).answer(ui::Answer::Yes);
    script.expectMsgBox(ui::Icon::Exclamation, kGereedTitel,
                        QStringLiteral("Het rapport kan niet worden geopend: er is op deze computer geen programma "
                                       "gevonden dat Word-documenten (.docx) opent.\r\n\r\nHet rapport is "
                                       "opgeslagen als:\r\n")
                            + pad);
    EXPECT_EQ(rapporteer(), pad);
    EXPECT_EQ(geopend, QStringList{pad});
    EXPECT_TRUE(QFile::exists(pad));
}

TEST_F(RapVoorzDriverTest, NoLeavesTheFileUnopened)
{
    const QString pad = out.filePath(QStringLiteral("invoer.docx"));
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).answer(pad);
    script.expectMsgBox(ui::Icon::Question, kGereedTitel, kGereed, ui::Buttons::YesNo).answer(ui::Answer::No);
    EXPECT_EQ(rapporteer(), pad);
    EXPECT_TRUE(QFile::exists(pad));
    EXPECT_TRUE(geopend.isEmpty());
}

TEST_F(RapVoorzDriverTest, CancelWritesNothingAndSaysNothing)
{
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).cancel();
    EXPECT_EQ(rapporteer(), QString());
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(voortgang.zichtbaar);
}

TEST_F(RapVoorzDriverTest, AFailedSaveAsksForAnotherName)
{
    const QString fout = out.filePath(QStringLiteral("ontbreekt/invoer.docx"));
    const QString goed = out.filePath(QStringLiteral("elders.docx"));
    script.setMode(ui::ScriptedDialogs::Mode::Record);
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).answer(fout);
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).withFileName(fout).answer(goed);
    script.expectMsgBox(ui::Icon::Question, kGereedTitel, kGereed, ui::Buttons::YesNo).answer(ui::Answer::No);
    EXPECT_EQ(rapporteer(), goed);
    ASSERT_EQ(script.shown().size(), 4u);
    const ui::MsgBoxRequest &box = script.shown()[1].msgBox;
    EXPECT_EQ(box.title, QStringLiteral("Fout bij opslaan"));
    EXPECT_EQ(box.icon, ui::Icon::Exclamation);
    EXPECT_TRUE(box.text.endsWith(QStringLiteral("\r\n\r\nSla het document op onder een andere naam.")));
    EXPECT_TRUE(QFile::exists(goed));
    EXPECT_FALSE(QFile::exists(fout));
}

TEST_F(RapVoorzDriverTest, GivingUpAfterAFailedSaveWritesNothing)
{
    const QString fout = out.filePath(QStringLiteral("ontbreekt/invoer.docx"));
    script.setMode(ui::ScriptedDialogs::Mode::Record);
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).answer(fout);
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).cancel();
    EXPECT_EQ(rapporteer(), QString());
    EXPECT_EQ(script.shown().size(), 3u); // no question to open
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(voortgang.zichtbaar);
}

TEST_F(RapVoorzDriverTest, AnErrorWhileWritingIsReportedAndNothingSaved)
{
    reports::WordReportContext ctx = context(fx.alfa);
    QStringList gemeld;
    ctx.MeldFout = [&gemeld](const platform::Error &e) { gemeld << QString::number(e.number()) + "|" + e.source(); };
    ctx.gstrConnData = out.filePath(QStringLiteral("weg.mdb"));
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).answer(out.filePath(QStringLiteral("x.docx")));
    EXPECT_EQ(reports::RapporteerRapVoorz({0, 0, 1, 0}, ctx, &voortgang), QString());
    EXPECT_EQ(gemeld, QStringList{QStringLiteral("3024|")});
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(voortgang.zichtbaar);
    EXPECT_FALSE(ui::isBusyCursor());
}

} // namespace
