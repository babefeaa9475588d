// The checklist version screen: the newer versions, the report of the
// selected one in its boxes, and the move that the user confirms or not.

#include "input_screen_test_env.h"

#include "screens/frmAlgemeen.h"
#include "screens/frmVersiebeheer.h"

#include "checklist/report_text.h"
#include "platform/ui/dialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QTreeWidget>

using namespace screentest;

namespace {

const QString kVraag = QStringLiteral(
    "Weet u zeker dat u checklistversie 2012 (4.0) van toepassing wilt verklaren op inrichting 'Stort 't Veld' ?\r\n"
    "Vanwege de prijspeilcorrectie zullen alle ingevoerde kosten (incl. risicobedrag) definitief worden "
    "aangepast.\r\n");

class FrmVersiebeheerTest : public InputScreenTest {
protected:
    screens::frmVersiebeheer *open()
    {
        form = screens::frmVersiebeheer::load();
        return form;
    }
    QString box(const char *name) const { return control<QTextEdit>(form, name)->toPlainText(); }
    QVariant stored(const char *column) const
    {
        return site->scalar(QStringLiteral("SELECT %1 FROM tblStort WHERE idrStort_ID=?").arg(QLatin1String(column)),
                            {site->siteId});
    }

    screens::frmVersiebeheer *form = nullptr;
};

TEST_F(FrmVersiebeheerTest, ListsTheNewerVersionAndShowsItsComparison)
{
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Actualiseren QOR-checklistversie"));
    EXPECT_TRUE(form->NieuwereChecklistBeschikbaar());
    auto *lijst = control<QTreeWidget>(form, "lst1");
    ASSERT_EQ(lijst->topLevelItemCount(), 1);
    EXPECT_EQ(lijst->topLevelItem(0)->text(0), QStringLiteral("2012 (4.0)"));
    EXPECT_EQ(lijst->headerItem()->text(0), QStringLiteral("versie"));
    auto *tabs = control<QTabWidget>(form, "SSTab1");
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Consequenties voor ingevoerde kostenposten"));
    EXPECT_EQ(control<QLabel>(form, "lblToegevoegd")->text(),
              QStringLiteral("Checklistposten die in checklistversie 2012 (4.0) zijn toegevoegd:"));
    EXPECT_TRUE(box("txtRapGewijzigd").contains(QStringLiteral("Jaar prijspeil: 2008  2012\n")));
    EXPECT_TRUE(box("txtRapVerwijderd").contains(QStringLiteral("Verwijderen tijdelijke voorzieningen (ID: 29)")));
    EXPECT_TRUE(box("txtRapToegevoegd").contains(QStringLiteral("Monitoring stortgasemissie (ID: 35)")));
    EXPECT_TRUE(box("txtRapAct").startsWith(QStringLiteral("Alle ingevoerde kosten worden omgerekend")));

    // A click builds the report anew.
    emit lijst->itemClicked(lijst->topLevelItem(0), 0);
    EXPECT_TRUE(box("txtRapGewijzigd").startsWith(QStringLiteral("Jaar prijspeil: 2008  2012")));
    click(control<QPushButton>(form, "cmdCancel"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
}

TEST_F(FrmVersiebeheerTest, RendersColoursStrikeThroughAndBullets)
{
    QTextEdit edit;
    checklist::RapTekst tekst(checklist::kRapRood, 50);
    tekst.voegToe(QStringLiteral("kop\r\n"));
    tekst.opsomming(true);
    tekst.doorgehaald(true);
    tekst.voegToe(QStringLiteral("oud"));
    tekst.doorgehaald(false);
    tekst.kleur(checklist::kRapBlauw);
    tekst.voegToe(QStringLiteral("  nieuw\r\n"));
    screens::frmVersiebeheer::toonRapport(&edit, tekst);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("kop\noud  nieuw\n"));
    QTextBlock kop = edit.document()->firstBlock();
    EXPECT_EQ(kop.textList(), nullptr);
    QTextBlock regel = kop.next();
    ASSERT_NE(regel.textList(), nullptr);
    const auto format = [&](int pos) {
        QTextCursor c(edit.document());
        c.setPosition(regel.position() + pos);
        return c.charFormat();
    };
    EXPECT_TRUE(format(1).fontStrikeOut());
    EXPECT_EQ(format(1).foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(format(6).fontStrikeOut());
    EXPECT_EQ(format(6).foreground().color(), QColor(0, 0, 255));
}

TEST_F(FrmVersiebeheerTest, NoEmptyBulletLineEndsAnItemGroup)
{
    open();
    for (const char *name : {"txtRapGewijzigd", "txtRapToegevoegd", "txtRapVerwijderd"}) {
        const QTextDocument *doc = control<QTextEdit>(form, name)->document();
        int bulleted = 0;
        for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) {
            if (!b.textList())
                continue;
            ++bulleted;
            EXPECT_FALSE(b.text().isEmpty())
                << name << ": an empty bullet line after \"" << b.previous().text().toStdString() << "\"";
        }
        EXPECT_GT(bulleted, 0) << name;
    }
}

TEST_F(FrmVersiebeheerTest, TheNewestVersionHasNothingNewer)
{
    site->execute(QStringLiteral("UPDATE tblStort SET intCL_REF=4, intJaarPrijsPeil=2012"));
    clID = 4;
    open();
    EXPECT_FALSE(form->NieuwereChecklistBeschikbaar());
    EXPECT_TRUE(box("txtRapAct").isEmpty());
}

TEST_F(FrmVersiebeheerTest, NoChangesNothingAndClosesTheScreen)
{
    open();
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Bevestiging wijzigen checklistkeuze"), kVraag,
                      ui::Buttons::YesNo)
        .answer(ui::Answer::No);
    click(control<QPushButton>(form, "cmdOK"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(stored("intCL_REF").toInt(), 3);
    EXPECT_EQ(rereads, 0);
}

TEST_F(FrmVersiebeheerTest, YesMovesTheSiteAndShowsItsGeneralDataAgain)
{
    screens::frmAlgemeen::load();
    open();
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Bevestiging wijzigen checklistkeuze"), kVraag,
                      ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    click(control<QPushButton>(form, "cmdOK"));
    EXPECT_EQ(stored("intCL_REF").toInt(), 4);
    EXPECT_EQ(stored("intJaarPrijsPeil").toInt(), 2012);
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAlgemeen"}));
    // Read again when the general data closed and after the move.
    EXPECT_EQ(rereads, 2);
    auto *algemeen = screens::Form::loaded<screens::frmAlgemeen>();
    EXPECT_EQ(control<QLabel>(algemeen, "lblChecklistHuidig")->text(), QStringLiteral("Checklistversie: 2012"));
    click(control<QPushButton>(algemeen, "cmdApply"));
    EXPECT_EQ(stored("intJaarPrijsPeil").toInt(), 2012);
}

} // namespace
