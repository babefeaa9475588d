// The site list, the new-site dialog and the export/import file dialog,
// driven through their widgets.

#include "shell_screen_test_env.h"

#include "shell/current_site.h"
#include "shell/frmImExportXML.h"
#include "shell/frmInrNieuwDialog.h"
#include "shell/frmOpenInr.h"
#include "shell/frmOpenInrConfirm.h"

#include "screens/frmAlgemeen.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QRadioButton>

using namespace shelltest;

namespace {

const QString kNieuwTitel = QStringLiteral("Aanmaken nieuwe inrichting");

class SiteScreensTest : public ShellScreenTest {
protected:
    void TearDown() override
    {
        frmImExportXML::setBewerkingen({});
        ShellScreenTest::TearDown();
    }

    shell::frmOpenInr *openList()
    {
        trigger("open_inrichting");
        return screens::Form::loaded<shell::frmOpenInr>();
    }

    static QStringList selectedNames(QTreeWidget *list)
    {
        QStringList names;
        for (QTreeWidgetItem *row : list->selectedItems())
            names << row->text(0);
        return names;
    }

    shell::frmInrNieuwDialog *newSiteDialog(const QString &name, int kind)
    {
        trigger("Nieuwe_inrichting");
        auto *dialog = screens::Form::loaded<shell::frmInrNieuwDialog>();
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return nullptr;
        typeText(control<QLineEdit>(dialog, "Text1"), name);
        if (kind)
            clickBox(control<QRadioButton>(dialog, kind == 1 ? "optStortType_1" : "optStortType_2"));
        return dialog;
    }

    void expectCreated()
    {
        script.expectMsgBox(ui::Icon::Information, kNieuwTitel,
                            QStringLiteral("De nieuwe inrichting is aangemaakt. Vul in dit scherm de algemene "
                                           "gegevens in.\n"));
    }
};

TEST_F(SiteScreensTest, TheListShowsEverySiteInNameOrderWithItsColumns)
{
    addSite(QStringLiteral("Zandput"), 2, 12, 120);
    addSite(QStringLiteral("afvalberg"), 1, 3, 0);                     // no province chosen yet
    addSite(QStringLiteral("Mergelgroeve"), 1, 99, 60);                // a version the checklist file lacks
    const qint32 odd = addSite(QStringLiteral("Oude Stort"), 0, 4, 5); // no kind, unknown province code
    runSql(dataFile, QStringLiteral("UPDATE tblStort SET strRIVMnr = 'NH-12' WHERE strStortNaam = 'Zandput';"
                                    "UPDATE tblStort SET intStortType = NULL WHERE idrStort_ID = %1")
                         .arg(odd));

    shell::frmOpenInr *list = openList();
    ASSERT_NE(list, nullptr);
    auto *lst1 = control<QTreeWidget>(list, "lst1");
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Open inrichting"));
    QStringList headers;
    for (int i = 0; i < lst1->columnCount(); ++i)
        headers << lst1->headerItem()->text(i);
    EXPECT_EQ(headers, QStringList({"Naam", "RIVM-nr", "Inrichting", "Provincie", "Checklist"}));

    QStringList rows;
    for (int i = 0; i < lst1->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << lst1->topLevelItem(i)->text(c);
        rows << cells.join(QLatin1Char('|'));
    }
    EXPECT_EQ(rows, QStringList({"afvalberg||stortplaats|(geen)|2008", "Mergelgroeve||stortplaats|Limburg|?",
                                 "Oude Stort||?||2012", "Zandput|NH-12|baggerdepot|Zuid-Holland|2010"}));
    EXPECT_EQ(shell::frmOpenInr::idVan(lst1->topLevelItem(2)), odd);
    EXPECT_TRUE(control<QPushButton>(list, "cmdVerwijder")->isEnabled());
    EXPECT_TRUE(selectedNames(lst1).isEmpty());

    // A click on a column header sorts by that column.
    QHeaderView *header = lst1->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
    EXPECT_EQ(rowTexts(lst1), QStringList({"Oude Stort", "Zandput", "afvalberg", "Mergelgroeve"}));
}

TEST_F(SiteScreensTest, AnEmptyListDisablesDeletingAndOkOpensNothing)
{
    shell::frmOpenInr *list = openList();
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(control<QPushButton>(list, "cmdVerwijder")->isEnabled());
    click(control<QPushButton>(list, "OKButton"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(modMain::glngStortID, 0);
}

TEST_F(SiteScreensTest, OkOpensTheChosenSiteAndTheListRemembersIt)
{
    addSite(QStringLiteral("Alfa"));
    const qint32 beta = addSite(QStringLiteral("Beta"));
    shell::frmOpenInr *list = openList();
    clickRow(control<QTreeWidget>(list, "lst1"), QStringLiteral("Beta"));
    click(control<QPushButton>(list, "OKButton"));

    EXPECT_EQ(modMain::glngStortID, beta);
    EXPECT_EQ(main->panelText(1), QStringLiteral("Geopend: Beta (checklistversie 2012)"));
    EXPECT_EQ(loadedFormNames(), QStringList{"frmOpenInrConfirm"});
    screens::Form::loaded<shell::frmOpenInrConfirm>()->Timer1_Timer();

    // Next time the remembered site is selected; a double click opens a row.
    list = openList();
    auto *lst1 = control<QTreeWidget>(list, "lst1");
    EXPECT_EQ(selectedNames(lst1), QStringList{"Beta"});
    QTreeWidgetItem *alfa = lst1->findItems(QStringLiteral("Alfa"), Qt::MatchExactly).value(0);
    ASSERT_NE(alfa, nullptr);
    // A double click: the first press, then the second.
    QTest::mouseClick(lst1->viewport(), Qt::LeftButton, {}, rowPoint(lst1, alfa));
    QTest::mouseDClick(lst1->viewport(), Qt::LeftButton, {}, rowPoint(lst1, alfa));
    EXPECT_EQ(modMain::gstrNaamStort, QStringLiteral("Alfa"));
    EXPECT_EQ(screens::Form::loaded<shell::frmOpenInr>(), nullptr);
}

TEST_F(SiteScreensTest, AFailedOpenIsReportedAndLeavesTheListAndTheOpenSite)
{
    const qint32 id = addSite(QStringLiteral("Alfa"));
    const qint32 broken = addSite(QStringLiteral("Zonder soort"));
    runSql(dataFile, QStringLiteral("UPDATE tblStort SET intStortType = NULL WHERE idrStort_ID = %1").arg(broken));
    modMain::OpenInrichting(id);
    screens::Form::loaded<shell::frmOpenInrConfirm>()->Timer1_Timer();
    const QString panel = main->panelText(1);

    shell::frmOpenInr *list = openList();
    clickRow(control<QTreeWidget>(list, "lst1"), QStringLiteral("Zonder soort"));
    // The central error report's boxes.
    script.setMode(ui::ScriptedDialogs::Mode::Record);
    click(control<QPushButton>(list, "OKButton"));
    script.setMode(ui::ScriptedDialogs::Mode::Strict);

    ASSERT_FALSE(script.shown().empty());
    EXPECT_EQ(script.shown().front().msgBox.icon, ui::Icon::Critical);
    EXPECT_TRUE(script.shown().front().msgBox.title.startsWith(QStringLiteral("Fout ")));
    EXPECT_EQ(loadedFormNames(), QStringList{"frmOpenInr"});
    EXPECT_EQ(modMain::glngStortID, id);
    EXPECT_EQ(main->panelText(1), panel);
    EXPECT_EQ(setting("HUIDIGSTORT_ID"), QString::number(id));
}

TEST_F(SiteScreensTest, CancelClosesTheListAndKeepsTheOpenSite)
{
    const qint32 id = addSite(QStringLiteral("Alfa"));
    modMain::OpenInrichting(id);
    screens::Form::loaded<shell::frmOpenInrConfirm>()->Timer1_Timer();
    shell::frmOpenInr *list = openList();
    clickRow(control<QTreeWidget>(list, "lst1"), QStringLiteral("Alfa"));
    click(control<QPushButton>(list, "CancelButton"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(modMain::glngStortID, id);
}

TEST_F(SiteScreensTest, DeletingFromTheListRemovesTheSiteAndItsRemembranceSelectsNoOtherSite)
{
    addSite(QStringLiteral("Alfa"));
    const qint32 gone = addSite(QStringLiteral("Omega"));
    modMain::OpenInrichting(gone);
    screens::Form::loaded<shell::frmOpenInrConfirm>()->Timer1_Timer();
    shell::frmOpenInr *list = openList();
    auto *lst1 = control<QTreeWidget>(list, "lst1");
    ASSERT_EQ(selectedNames(lst1), QStringList{"Omega"});
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen inrichting"),
                      QStringLiteral("Weet u zeker dat u inrichting 'Omega' wilt verwijderen uit de database?"),
                      ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    click(control<QPushButton>(list, "cmdVerwijder"));

    EXPECT_EQ(rowTexts(lst1), QStringList{"Alfa"});
    EXPECT_EQ(modMain::glngStortID, 0);
    EXPECT_EQ(main->panelText(1), QStringLiteral("<geen inrichting geopend>"));

    // A site made after it never takes the deleted site's id.
    const qint32 next = modMain::pfunMaakStort(QStringLiteral("Nieuw"), 1);
    EXPECT_NE(next, gone);
    list->pFillList();
    EXPECT_EQ(rowTexts(lst1), QStringList({"Alfa", "Nieuw"}));
    EXPECT_TRUE(selectedNames(lst1).isEmpty());
}

TEST_F(SiteScreensTest, TheNewButtonSwapsTheListForTheNewSiteDialog)
{
    shell::frmOpenInr *list = openList();
    click(control<QPushButton>(list, "cmdNieuw"));
    EXPECT_EQ(loadedFormNames(), QStringList{"frmInrNieuwDialog"});
}

TEST_F(SiteScreensTest, ANewSiteGetsItsDefaultsOpensAndShowsItsGeneralData)
{
    const struct {
        int kind;
        int checklist;
    } cases[] = {{1, 4}, {2, 12}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        const QString name = QStringLiteral("Nieuwe stort 't %1").arg(c.kind);
        shell::frmInrNieuwDialog *dialog = newSiteDialog(name, c.kind);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), kNieuwTitel);
        expectCreated();
        click(control<QPushButton>(dialog, "Command1"));

        const qint32 id = scalar(dataFile, QStringLiteral("SELECT max(idrStort_ID) FROM tblStort")).toInt();
        EXPECT_EQ(
            scalar(dataFile, QStringLiteral("SELECT strStortNaam || '|' || intStortType || '|' || intCL_REF || '|' "
                                            "|| sngRentePerc || '|' || sngInflPerc || '|' || bytBedrijfsGebonden "
                                            "|| '|' || bytObjectGebonden || '|' || dtmAanvangNazorg || '|' || "
                                            "bytProv_REF FROM tblStort WHERE idrStort_ID = %1")
                                 .arg(id)),
            QStringLiteral("%1|%2|%3|5.05999994277954|2.0|1|1|2030-01-01 00:00:00|0")
                .arg(name)
                .arg(c.kind)
                .arg(c.checklist));
        EXPECT_EQ(modMain::glngStortID, id);
        EXPECT_EQ(modMain::gintCL_ID, c.checklist);
        EXPECT_EQ(setting("HUIDIGSTORT_ID"), QString::number(id));
        EXPECT_EQ(loadedFormNames(), QStringList({"frmOpenInrConfirm", "frmAlgemeen"}));
        unloadForms();
    }
    // Without a province yet, the new sites are listed.
    EXPECT_EQ(rowTexts(control<QTreeWidget>(openList(), "lst1")),
              QStringList({"Nieuwe stort 't 1", "Nieuwe stort 't 2"}));
}

TEST_F(SiteScreensTest, OkNeedsANameAndAKind)
{
    trigger("Nieuwe_inrichting");
    auto *dialog = screens::Form::loaded<shell::frmInrNieuwDialog>();
    ASSERT_NE(dialog, nullptr);
    auto *ok = control<QPushButton>(dialog, "Command1");
    auto *text = control<QLineEdit>(dialog, "Text1");
    EXPECT_FALSE(ok->isEnabled());
    clickBox(control<QRadioButton>(dialog, "optStortType_2"));
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(text, QStringLiteral("  "));
    EXPECT_FALSE(ok->isEnabled()); // blanks are no name
    QTest::keyClicks(text, QStringLiteral("a"));
    EXPECT_TRUE(ok->isEnabled());
    text->clear();
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(text->maxLength(), 50);
    EXPECT_EQ(dialog->gekozenSoort(), 2);
    click(control<QPushButton>(dialog, "cmdCancel"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM tblStort")), 0);
}

TEST_F(SiteScreensTest, ANameThatExistsIgnoringCaseIsRefusedAndTheDialogStays)
{
    addSite(QStringLiteral("Stort 't Veld"));
    addSite(QStringLiteral("Ölberg"));
    for (const char *name : {"STORT 'T VELD", "ölberg"}) {
        SCOPED_TRACE(name);
        shell::frmInrNieuwDialog *dialog = newSiteDialog(QString::fromUtf8(name), 1);
        ASSERT_NE(dialog, nullptr);
        script.expectMsgBox(ui::Icon::Exclamation, kNieuwTitel,
                            QStringLiteral("De naam ") + QString::fromUtf8(name)
                                + QStringLiteral(" komt reeds voor in uw databestand. Voer een andere naam in."));
        click(control<QPushButton>(dialog, "Command1"));
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM tblStort")), 2);
        EXPECT_EQ(loadedFormNames(), QStringList{"frmInrNieuwDialog"});
        EXPECT_EQ(control<QLineEdit>(dialog, "Text1")->text(), QString::fromUtf8(name));
        dialog->unload();
    }
}

TEST_F(SiteScreensTest, ImportFromTheListRefillsItOnSuccessAndReportsAFailure)
{
    addSite(QStringLiteral("Alfa"));
    shell::frmOpenInr *list = openList();
    auto *lst1 = control<QTreeWidget>(list, "lst1");
    const QString chosen = tmp.path() + QStringLiteral("/site.xml");
    bool result = true;
    QString read;
    frmImExportXML::setBewerkingen({{}, [&](const QString &file) {
                                        read = file;
                                        if (result)
                                            addSite(QStringLiteral("Geïmporteerd"));
                                        return result;
                                    }});

    // Cancelled: nothing happens.
    script.expectFileDialog(ui::FileDialogMode::Open, QStringLiteral("Importeren..."))
        .withFilter(QStringLiteral("XML bestanden (*.xml)|*.xml|"), 1)
        .withFlags(0x806)
        .cancel();
    click(control<QPushButton>(list, "cmdImport"));
    EXPECT_TRUE(read.isEmpty());

    script.expectFileDialog(ui::FileDialogMode::Open, QStringLiteral("Importeren...")).answer(chosen);
    click(control<QPushButton>(list, "cmdImport"));
    EXPECT_EQ(read, chosen);
    EXPECT_EQ(rowTexts(lst1), QStringList({"Alfa", "Geïmporteerd"}));

    result = false;
    script.expectFileDialog(ui::FileDialogMode::Open, QStringLiteral("Importeren...")).answer(chosen);
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout bij import"),
                        QStringLiteral("Er is een fout opgetreden bij het importeren."));
    click(control<QPushButton>(list, "cmdImport"));
    EXPECT_EQ(loadedFormNames(), QStringList{"frmOpenInr"});
}

TEST_F(SiteScreensTest, ExportProposesTheOpenSitesNameAndCancellingDoesNothing)
{
    modMain::OpenInrichting(addSite(QStringLiteral("Stort Oost")));
    screens::Form::loaded<shell::frmOpenInrConfirm>()->Timer1_Timer();
    QString written;
    frmImExportXML::setBewerkingen({[&](const QString &file) { written = file; }, {}});

    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Exporteren..."))
        .withFileName(QStringLiteral("Stort Oost"))
        .withFilter(QStringLiteral("XML bestanden (*.xml)|*.xml|"), 1)
        .withFlags(0x806)
        .cancel();
    trigger("exportInrichting");
    EXPECT_TRUE(written.isEmpty());

    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Exporteren...")).answer("/tmp/oost.xml");
    trigger("exportInrichting");
    EXPECT_EQ(written, QStringLiteral("/tmp/oost.xml"));

    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout bij export/import"),
                        QStringLiteral("Onbekende tag in frmImExportXML (iets)"));
    frmImExportXML::Voeruit(QStringLiteral("iets"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
}

// The file a user saves under the proposed name is one the import dialog
// lists: the site's name made fit for a file name, with the filter's
// extension added where the user typed none.
TEST_F(SiteScreensTest, TheExportedFileIsOneTheImportDialogShows)
{
    const struct {
        const char *site;
        const char *proposed;
        const char *typed; // nullptr: the proposed name accepted
        const char *written;
    } cases[] = {
        {"Stortplaats De Berkenheuvel", "Stortplaats De Berkenheuvel", nullptr, "Stortplaats De Berkenheuvel.xml"},
        {"Depot A/B: fase 2.0", "Depot A_B_ fase 2.0", nullptr, "Depot A_B_ fase 2.0.xml"},
        {"Stort Oost", "Stort Oost", "oost.XML", "oost.XML"},
        {"Stort West", "Stort West", "west.", "west.xml"},
    };
    QString written;
    frmImExportXML::setBewerkingen({[&](const QString &file) { written = file; }, {}});
    for (const auto &c : cases) {
        SCOPED_TRACE(c.site);
        modMain::OpenInrichting(addSite(QString::fromUtf8(c.site)));
        screens::Form::loaded<shell::frmOpenInrConfirm>()->Timer1_Timer();
        const QString typed = QString::fromUtf8(c.typed ? c.typed : c.proposed);
        script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Exporteren..."))
            .withFileName(QString::fromUtf8(c.proposed))
            .answer(tmp.path() + QLatin1Char('/') + typed);
        trigger("exportInrichting");
        EXPECT_EQ(written, tmp.path() + QLatin1Char('/') + QString::fromUtf8(c.written));
        EXPECT_TRUE(QDir::match(QStringLiteral("*.xml"), QFileInfo(written).fileName()));
    }
}

} // namespace
