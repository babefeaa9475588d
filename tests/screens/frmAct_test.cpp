// The facilities and cost-items screen, its checklist picker and its own
// cost-item dialog, offscreen on the small test site.

#include "act_screen_test_env.h"

#include "records/clsAct.h"
#include "screens/frmAct.h"
#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"
#include "screens/multi_line_edit.h"

#include "platform/ui/vb_color.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTextEdit>

#include <QTreeWidgetItemIterator>
#include <functional>

namespace {

using acttest::clickRow;
using acttest::control;
using acttest::retype;
using acttest::rowPoint;
using screens::frmAct;

QString k(const char *prefix, qint32 id)
{
    return QLatin1String(prefix) + QString::number(id);
}

class FrmActTest : public acttest::ActScreenTest {
protected:
    frmAct *open()
    {
        act = frmAct::load();
        tree = control<QTreeWidget>(act, QStringLiteral("TreeView1"));
        act->activateWindow();
        QApplication::setActiveWindow(act);
        return act;
    }

    QTreeWidgetItem *item(const QString &key)
    {
        auto *it = screens::SiteTreeWidget::item(act->boom().find(key));
        EXPECT_NE(it, nullptr) << key.toStdString();
        return it;
    }

    // Selects the node as a click does.
    void choose(const QString &key) { clickRow(tree, item(key)); }

    QLineEdit *edit(const char *name) { return control<QLineEdit>(act, QLatin1String(name)); }
    QString zin() { return control<QTextEdit>(act, QStringLiteral("txtZin"))->toPlainText(); }
    qint32 frameColour(int i)
    {
        return control<QGroupBox>(act, QStringLiteral("grpFrames_") + QString::number(i))
            ->property("foreColor")
            .toInt();
    }
    QVariant field(const char *column, qint32 id)
    {
        return site.scalar(QStringLiteral("SELECT %1 FROM tblAct WHERE idrAct_ID=?").arg(QLatin1String(column)), {id});
    }

    // The boxes that `run` shows; those the script expects get its answer,
    // the others their safe one.
    std::vector<ui::ScriptedDialogs::Box> boxesOf(const std::function<void()> &run)
    {
        const size_t before = script.shown().size();
        script.setMode(ui::ScriptedDialogs::Mode::Record);
        run();
        script.setMode(ui::ScriptedDialogs::Mode::Strict);
        return {script.shown().begin() + qsizetype(before), script.shown().end()};
    }

    void refuseUpdates()
    {
        site.execute(QStringLiteral("CREATE TRIGGER weiger BEFORE UPDATE ON tblAct BEGIN "
                                    "SELECT RAISE(ABORT, 'schijf vol'); END"));
    }

    frmAct *act = nullptr;
    QTreeWidget *tree = nullptr;
};

TEST_F(FrmActTest, OpensWithTheSiteTreeAndAnEmptyPanel)
{
    open();
    EXPECT_EQ(act->objectName(), QStringLiteral("frmAct"));
    EXPECT_EQ(act->windowTitle(), QStringLiteral(" Voorzieningen en kostenposten"));
    ASSERT_EQ(tree->topLevelItemCount(), 7);
    EXPECT_EQ(act->gekozenKey(), QStringLiteral("objcat1"));
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
    EXPECT_EQ(item(k("act", site.phase1))->text(0), QStringLiteral("Vervangen toegangsweg {1e fase}"));
    EXPECT_EQ(item(k("act", site.phase3))->text(0), QStringLiteral("{3e fase}"));
    EXPECT_EQ(act->boom().foreColor(act->boom().find(k("act", site.ownItem))), acttest::kKleurAct);
    EXPECT_EQ(act->boom().foreColor(act->boom().find(k("inr", site.facKeet))), acttest::kKleurVoorz);
    EXPECT_EQ(control<QLabel>(act, QStringLiteral("lblPost"))->text(), QStringLiteral("<geen selectie>"));
    EXPECT_FALSE(control<QGroupBox>(act, QStringLiteral("grpFrames_5"))->isVisible());
    EXPECT_EQ(act->strToelichtingPrijspeil(), QStringLiteral("NB: Alle kostenposten invoeren in prijspeil 2008"));
}

TEST_F(FrmActTest, ShowsACostItemWithItsOptionsSentenceAndInformation)
{
    open();
    choose(k("act", site.clItem10));
    EXPECT_TRUE(act->kostenpostGekozen());
    EXPECT_EQ(control<QLabel>(act, QStringLiteral("lblPost"))->text(), QStringLiteral("Controlemetingen grondwater"));
    EXPECT_EQ(control<QLabel>(act, QStringLiteral("lblRubriek"))->text(), QStringLiteral("Rubriek: Controlemetingen"));
    EXPECT_TRUE(control<QRadioButton>(act, QStringLiteral("optKosten_3"))->isChecked());
    EXPECT_EQ(edit("txtKostenPE")->text(), QStringLiteral("€ 375,00"));
    EXPECT_EQ(edit("txtAantal")->text(), QStringLiteral("12,0"));
    EXPECT_TRUE(control<QGroupBox>(act, QStringLiteral("grpFrames_3"))->isVisible());
    EXPECT_FALSE(edit("txtKostenTotaal")->isVisible());
    EXPECT_EQ(act->opties().isQOR, 1);
    EXPECT_EQ(control<QLabel>(act, QStringLiteral("imgQOR"))->toolTip(),
              QStringLiteral("Dit is een post uit de QOR-Checklist."));
    const QString info = control<QTextEdit>(act, QStringLiteral("txtInfoChecklist"))->toPlainText();
    EXPECT_TRUE(info.startsWith(QStringLiteral("Checklistitem-ID: 10\n\nPeriodiciteit: "))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Eindjaar:")));
    EXPECT_FALSE(zin().isEmpty());

    // A later phase shows the stored name with its label.
    choose(k("act", site.phase2));
    EXPECT_EQ(control<QLabel>(act, QStringLiteral("lblPost"))->text(),
              QStringLiteral("Vervangen toegangsweg {2e fase}"));
    EXPECT_EQ(control<QTextEdit>(act, QStringLiteral("txtInfoChecklist"))->toPlainText(),
              QStringLiteral("< dit is geen post uit de QOR-checklist >\n\nToeslag vervanging: Op deze vervangingspost "
                             "is een toeslag voor directievoering en toezicht van toepassing. Deze kan liggen tussen "
                             "5% voor een klein werk tot 6-6,5% voor een groot werk. Zie Checklistbijlage 2, "
                             "paragraaf 1.8, alinea 'Grote werken'.\n\n"));
    EXPECT_EQ(act->boom().foreColor(act->boom().find(k("act", site.phase2))), 0);

    // A facility empties the panel and hides every frame.
    choose(k("inr", site.facKeet));
    EXPECT_TRUE(act->voorzieningGekozen());
    EXPECT_EQ(control<QLabel>(act, QStringLiteral("lblPost"))->text(), QStringLiteral("<geen selectie>"));
    EXPECT_FALSE(control<QCheckBox>(act, QStringLiteral("chkCombineer"))->isVisible());
    EXPECT_TRUE(zin().isEmpty());
}

TEST_F(FrmActTest, AnEditedFieldIsSavedWhenAnotherNodeIsChosenAndTheSentenceFollows)
{
    open();
    choose(k("act", site.clItem2));
    const QString before = zin();
    retype(edit("txtKostenTotaal"), QStringLiteral("2000"));
    QTest::keyClick(edit("txtKostenTotaal"), Qt::Key_Tab);
    EXPECT_NE(zin(), before);
    EXPECT_TRUE(zin().contains(QStringLiteral("2.000"))) << zin().toStdString();
    EXPECT_EQ(field("sngKostenTotaal", site.clItem2).toDouble(), 1750.0);
    choose(k("act", site.ownItem));
    EXPECT_EQ(field("sngKostenTotaal", site.clItem2).toDouble(), 2000.0);

    // Above the checklist's maximum: orange and not conform, stored as 2.
    choose(k("act", site.clItem2));
    retype(edit("txtKostenTotaal"), QStringLiteral("9000"));
    QTest::keyClick(edit("txtKostenTotaal"), Qt::Key_Tab);
    EXPECT_EQ(frameColour(5), 33023);
    EXPECT_EQ(act->opties().isQOR, 2);
    act->unload();
    EXPECT_EQ(field("bytIsQOR", site.clItem2).toInt(), 2);
    EXPECT_EQ(field("sngKostenTotaal", site.clItem2).toDouble(), 9000.0);
}

TEST_F(FrmActTest, ARefusedValueKeepsTheFocusAndTheNode)
{
    open();
    choose(k("act", site.clItem2));
    QLineEdit *totaal = edit("txtKostenTotaal");
    retype(totaal, QStringLiteral("veel"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Geen of ongeldige invoer"),
                        QStringLiteral("U heeft geen of een ongeldige waarde ingevuld in het volgende invoervak: "
                                       "\r\n\t---> kosten\r\n\r\nKlik op OK en voer alsnog een geldige waarde in."));
    QTest::keyClick(totaal, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), totaal);
    // Clicking another node neither moves the focus nor the panel.
    choose(k("act", site.ownItem));
    EXPECT_EQ(QApplication::focusWidget(), totaal);
    EXPECT_EQ(act->gekozenKey(), k("act", site.clItem2));
    EXPECT_EQ(tree->currentItem(), item(k("act", site.clItem2)));
    // The highlight too stays on the item the panel shows.
    EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem *>({item(k("act", site.clItem2))}));
    QTest::mouseClick(control<QPushButton>(act, QStringLiteral("cmdClose")), Qt::LeftButton);
    EXPECT_TRUE(act->isLoaded());

    // Once corrected the box may be left; nothing wrong was stored.
    retype(totaal, QStringLiteral("1800"));
    choose(k("act", site.ownItem));
    EXPECT_EQ(act->gekozenKey(), k("act", site.ownItem));
    EXPECT_EQ(field("sngKostenTotaal", site.clItem2).toDouble(), 1800.0);
}

TEST_F(FrmActTest, NumberBoxesTakeNumbersOfTheirKindOnly)
{
    open();
    choose(k("act", site.clItem2));
    // Each text is refused with the box's own name, the focus stays, and the
    // row keeps its value: never read as another number.
    const struct {
        const char *box;
        const char *naam;
        const char *tekst;
    } refused[] = {
        {"txtKostenTotaal", "kosten", "4.5"},     {"txtKostenTotaal", "kosten", "12.50"},
        {"txtKostenTotaal", "kosten", "12x"},     {"txtfreqX", "periodiciteit", "2,5"},
        {"txtIntStartAct_2", "startjaar", "1,5"}, {"txtIntStartAct_2", "startjaar", "2.03"},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(std::string(c.box) + " " + c.tekst);
        QLineEdit *box = edit(c.box);
        ASSERT_TRUE(box->isVisible());
        retype(box, QString::fromUtf8(c.tekst));
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Geen of ongeldige invoer"),
                            QStringLiteral("U heeft geen of een ongeldige waarde ingevuld in het volgende invoervak: "
                                           "\r\n\t---> ")
                                + QLatin1String(c.naam)
                                + QStringLiteral("\r\n\r\nKlik op OK en voer alsnog een geldige waarde in."));
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), box);
        retype(box,
               box->objectName() == QLatin1String("txtKostenTotaal") ? QStringLiteral("12.500") : QStringLiteral("3"));
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), box);
    }
    // The amount shows in the box's own picture, and reads back as shown.
    EXPECT_EQ(edit("txtKostenTotaal")->text(), QStringLiteral("€ 12.500,00"));
    choose(k("act", site.ownItem));
    EXPECT_EQ(field("sngKostenTotaal", site.clItem2).toDouble(), 12500.0);
    EXPECT_EQ(field("intFreqX", site.clItem2).toInt(), 3);
}

TEST_F(FrmActTest, TextBoxesTakeNoMoreThanTheirColumnsOrTheirOwnLimit)
{
    open();
    choose(k("act", site.ownItem));
    // One row per bound text field: the column's width, or the box's own
    // smaller limit.
    const struct {
        const char *box;
        const char *column;
        int eigen; // 0: none of its own
    } rows[] = {
        {"txtEenheid", "strEenheid", 20}, {"txtActOpm", "strOpm", 100}, {"txtNazorgplanRef", "strNazorgplanRef", 50}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.box);
        const int breedte = site.textWidth(QStringLiteral("tblAct"), QLatin1String(r.column));
        ASSERT_GT(breedte, 0);
        QWidget *box = act->findChild<QWidget *>(QLatin1String(r.box));
        ASSERT_NE(box, nullptr);
        auto *regels = qobject_cast<screens::MultiLineEdit *>(box);
        const int max = regels ? regels->maxLength() : qobject_cast<QLineEdit *>(box)->maxLength();
        EXPECT_EQ(max, r.eigen ? std::min(r.eigen, breedte) : breedte);
    }
}

TEST_F(FrmActTest, TheRemarkTakesMoreThanOneLineAndIsStoredWithItsLineBreak)
{
    open();
    choose(k("act", site.ownItem));
    auto *opm = act->findChild<screens::MultiLineEdit *>(QStringLiteral("txtActOpm"));
    ASSERT_NE(opm, nullptr);
    opm->setFocus();
    opm->selectAll();
    QTest::keyClicks(opm, QStringLiteral("eerste regel"));
    QTest::keyClick(opm, Qt::Key_Return);
    QTest::keyClicks(opm, QStringLiteral("tweede regel"));
    QTest::keyClick(opm, Qt::Key_Tab); // Tab leaves the box, it types no tab
    choose(k("act", site.clItem2));
    EXPECT_EQ(field("strOpm", site.ownItem).toString(), QStringLiteral("eerste regel\ntweede regel"));
    choose(k("act", site.ownItem));
    EXPECT_EQ(opm->toPlainText(), QStringLiteral("eerste regel\ntweede regel"));
    EXPECT_TRUE(reported.isEmpty()) << reported.join('\n').toStdString();
}

TEST_F(FrmActTest, TheMarkingColoursTheFrameCaptionAloneAndDisabledOptionsLookDisabled)
{
    open();
    choose(k("act", site.clItem2));
    retype(edit("txtKostenTotaal"), QStringLiteral("9000"));
    QTest::keyClick(edit("txtKostenTotaal"), Qt::Key_Tab);
    auto *kosten = control<QGroupBox>(act, QStringLiteral("grpFrames_5"));
    EXPECT_EQ(kosten->palette().color(QPalette::Active, QPalette::WindowText), ui::fromVbColor(33023));
    // The options inside keep the style's colours, also when disabled.
    const QPalette standaard = QApplication::palette();
    for (const char *name : {"optKosten_1", "optKosten_2", "optKosten_3"}) {
        SCOPED_TRACE(name);
        const QPalette p = control<QRadioButton>(act, QLatin1String(name))->palette();
        EXPECT_EQ(p.color(QPalette::Active, QPalette::WindowText),
                  standaard.color(QPalette::Active, QPalette::WindowText));
        EXPECT_EQ(p.color(QPalette::Disabled, QPalette::WindowText),
                  standaard.color(QPalette::Disabled, QPalette::WindowText));
    }
    // A disabled frame's caption looks disabled too.
    auto *toeslag = control<QGroupBox>(act, QStringLiteral("grpFrames_0"));
    EXPECT_NE(toeslag->palette().color(QPalette::Disabled, QPalette::WindowText),
              toeslag->palette().color(QPalette::Active, QPalette::WindowText));
}

TEST_F(FrmActTest, AFailingSaveOnClosingKeepsTheScreenOpenWithTheEdit)
{
    open();
    choose(k("act", site.clItem2));
    site.execute(QStringLiteral("CREATE TRIGGER weiger BEFORE UPDATE ON tblAct BEGIN "
                                "SELECT RAISE(ABORT, 'schijf vol'); END"));
    retype(edit("txtKostenTotaal"), QStringLiteral("2000"));
    QTest::keyClick(edit("txtKostenTotaal"), Qt::Key_Tab);
    // The record's own boxes say why; then the screen stays open.
    script.setMode(ui::ScriptedDialogs::Mode::Record);
    QTest::mouseClick(control<QPushButton>(act, QStringLiteral("cmdClose")), Qt::LeftButton);
    script.setMode(ui::ScriptedDialogs::Mode::Strict);
    ASSERT_FALSE(script.shown().empty());
    EXPECT_EQ(script.shown().back().msgBox.title, QStringLiteral("Opslaan mislukt"));
    EXPECT_TRUE(act->isLoaded());
    EXPECT_EQ(edit("txtKostenTotaal")->text(), QStringLiteral("€ 2.000,00"));
    EXPECT_EQ(field("sngKostenTotaal", site.clItem2).toDouble(), 1750.0);

    site.execute(QStringLiteral("DROP TRIGGER weiger"));
    QTest::mouseClick(control<QPushButton>(act, QStringLiteral("cmdClose")), Qt::LeftButton);
    EXPECT_FALSE(act->isLoaded());
    EXPECT_EQ(field("sngKostenTotaal", site.clItem2).toDouble(), 2000.0);
}

TEST_F(FrmActTest, AFailedStoreKeepsTheTreeTheHeadingAndThePanelOnTheRowThatIsStillCurrent)
{
    open();
    const QString shown = k("act", site.clItem2);
    choose(shown);
    auto *lblPost = control<QLabel>(act, QStringLiteral("lblPost"));
    const QString kop = lblPost->text();
    refuseUpdates();
    retype(edit("txtKostenTotaal"), QStringLiteral("2000"));
    QTest::keyClick(edit("txtKostenTotaal"), Qt::Key_Tab);

    // Every way of leaving the item: one box says why, and the tree, the
    // heading and the panel stay on the item whose row is still current.
    const struct {
        const char *what;
        std::function<void()> leave;
    } ways[] = {
        {"a click on another item's phase", [&] { choose(k("act", site.phase2)); }},
        {"a click on a facility", [&] { choose(k("inr", site.facKeet)); }},
        {"Enter on the tree",
         [&] {
             tree->setFocus();
             QTest::keyClick(tree, Qt::Key_Return);
         }},
        {"Bewerken", [&] { QTest::mouseClick(control<QPushButton>(act, "Command1"), Qt::LeftButton); }},
        {"collapsing the tree",
         [&] { QTest::mouseClick(control<QPushButton>(act, "cmdTreeCollapse"), Qt::LeftButton); }},
        {"deleting the item",
         [&] {
             script
                 .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen"),
                               QStringLiteral("Wilt u kostenpost '") + item(shown)->text(0)
                                   + QStringLiteral("' verwijderen?"),
                               ui::Buttons::YesNo)
                 .answer(ui::Answer::Yes);
             act->psubDeleteItem();
         }},
        {"adding a phase", [&] { act->psubAddFase(); }},
    };
    for (const auto &way : ways) {
        SCOPED_TRACE(way.what);
        int stored = 0;
        for (const auto &box : boxesOf(way.leave))
            if (box.msgBox.title == QStringLiteral("Fout bij opslaan")) {
                ++stored;
                EXPECT_TRUE(box.msgBox.text.contains(QStringLiteral("(schijf vol)"))) << box.msgBox.text.toStdString();
                EXPECT_EQ(box.msgBox.icon, ui::Icon::Exclamation);
            } else if (box.msgBox.title != QStringLiteral("Verwijderen")) {
                ADD_FAILURE() << "another box: " << box.describe().toStdString();
            }
        EXPECT_EQ(stored, 1);
        EXPECT_EQ(act->gekozenKey(), shown);
        EXPECT_EQ(tree->currentItem(), item(shown));
        EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem *>({item(shown)}));
        for (QTreeWidgetItem *up = item(shown)->parent(); up; up = up->parent())
            EXPECT_TRUE(up->isExpanded()) << up->text(0).toStdString();
        EXPECT_EQ(lblPost->text(), kop);
        EXPECT_EQ(edit("txtKostenTotaal")->text(), QStringLiteral("€ 2.000,00"));
        EXPECT_EQ(act->boom().find(QStringLiteral("actNEW")), 0u);
    }
    EXPECT_EQ(site.count(QStringLiteral("SELECT * FROM tblAct WHERE idrAct_ID=?"), {site.clItem2}), 1);

    // What is typed next goes into the row the heading names.
    retype(edit("txtKostenTotaal"), QStringLiteral("2500"));
    QTest::keyClick(edit("txtKostenTotaal"), Qt::Key_Tab);
    site.execute(QStringLiteral("DROP TRIGGER weiger"));
    choose(k("act", site.phase2));
    EXPECT_EQ(act->gekozenKey(), k("act", site.phase2));
    EXPECT_EQ(field("sngKostenTotaal", site.clItem2).toDouble(), 2500.0);
    EXPECT_EQ(field("sngKostenTotaal", site.phase2).toDouble(), 15000.0);
    EXPECT_EQ(edit("txtKostenTotaal")->text(), QStringLiteral("€ 15.000,00"));
}

TEST_F(FrmActTest, TheCostItemPanelIsTabbedThroughFrameByFrameInReadingOrder)
{
    open();
    choose(k("act", site.phase1));
    // The frames a reader meets: start, end and frequency above, then the
    // costs, the replacement surcharge and the unit, then the remark and
    // the reference.
    const QList<int> leesvolgorde = {1, 2, 4, 5, 0, 3, 6, 7};
    const auto frameVan = [&](QWidget *w) {
        for (; w && w != act; w = w->parentWidget())
            if (w->objectName().startsWith(QLatin1String("grpFrames_")))
                return w->objectName().mid(10).toInt();
        return -1;
    };
    edit("txtIntStartAct_1")->isVisible() ? edit("txtIntStartAct_1")->setFocus() : edit("txtIntStartAct_2")->setFocus();
    QApplication::processEvents();
    QList<int> bezocht;
    QStringList stops;
    for (int i = 0; i < 60 && frameVan(QApplication::focusWidget()) != 7; ++i) {
        QWidget *w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
        stops << w->objectName();
        const int f = frameVan(w);
        if (f >= 0 && (bezocht.isEmpty() || bezocht.last() != f))
            bezocht << f;
        QTest::keyClick(w, Qt::Key_Tab);
        QApplication::processEvents();
    }
    bezocht << frameVan(QApplication::focusWidget());
    QList<int> verwacht;
    for (int f : leesvolgorde)
        if (control<QGroupBox>(act, QStringLiteral("grpFrames_") + QString::number(f))->isVisible()
            && control<QGroupBox>(act, QStringLiteral("grpFrames_") + QString::number(f))->isEnabled())
            verwacht << f;
    EXPECT_EQ(bezocht, verwacht) << stops.join(QLatin1Char(' ')).toStdString();
}

TEST_F(FrmActTest, TheStartBoxOfAOnceOnlyItemHasItsOwnNameAndAnEmptyUnitIsRefused)
{
    open();
    choose(k("act", site.ownItem));
    acttest::clickBox(control<QRadioButton>(act, QStringLiteral("optFreq_1")));
    EXPECT_EQ(control<QGroupBox>(act, QStringLiteral("grpFrames_1"))->title(),
              QStringLiteral("Jaar eenmalige uitgave"));
    EXPECT_FALSE(control<QGroupBox>(act, QStringLiteral("grpFrames_2"))->isEnabled());
    EXPECT_EQ(act->opties().eind, 3);
    QLineEdit *start = edit("txtIntStartAct_2");
    retype(start, QString());
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Geen of ongeldige invoer"),
                        QStringLiteral("U heeft geen of een ongeldige waarde ingevuld in het volgende invoervak: "
                                       "\r\n\t---> jaar eenmalige uitgave\r\n\r\nKlik op OK en voer alsnog een "
                                       "geldige waarde in."));
    QTest::keyClick(start, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), start);
    retype(start, QStringLiteral("4"));
    QTest::keyClick(start, Qt::Key_Tab);

    // Per unit: the unit frame shows, and its box may not be left empty.
    acttest::clickBox(control<QRadioButton>(act, QStringLiteral("optKosten_3")));
    EXPECT_TRUE(control<QGroupBox>(act, QStringLiteral("grpFrames_3"))->isVisible());
    QLineEdit *eenheid = edit("txtEenheid");
    eenheid->setFocus();
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Eenheid niet ingevoerd"),
                        QStringLiteral("U dient een tekst in te voeren in het invoervak 'eenheid'."));
    QTest::keyClick(eenheid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), eenheid);
    acttest::typeText(eenheid, QStringLiteral("m2"));
    retype(edit("txtAantal"), QStringLiteral("2,5"));
    QTest::keyClick(edit("txtAantal"), Qt::Key_Tab);
    choose(k("inr", site.facKeet));
    EXPECT_EQ(field("bytOptieFreq", site.ownItem).toInt(), 1);
    EXPECT_EQ(field("bytOptieEind", site.ownItem).toInt(), 3);
    EXPECT_EQ(field("bytOptieKosten", site.ownItem).toInt(), 3);
    EXPECT_EQ(field("strEenheid", site.ownItem).toString(), QStringLiteral("m2"));
    EXPECT_EQ(field("intStartRel", site.ownItem).toInt(), 4);
    EXPECT_EQ(field("sngAantal", site.ownItem).toDouble(), 2.5);
}

TEST_F(FrmActTest, EveryWayOutAsksTheRefusedFieldFirstAndThenStoresTheRow)
{
    open();
    choose(k("act", site.clItem2));
    retype(edit("txtfreqX"), QStringLiteral("8"));
    QTest::keyClick(edit("txtfreqX"), Qt::Key_Tab);
    QLineEdit *totaal = edit("txtKostenTotaal");
    const QString geweigerd = QStringLiteral(
        "U heeft geen of een ongeldige waarde ingevuld in het volgende invoervak: \r\n\t---> kosten\r\n\r\nKlik op "
        "OK en voer alsnog een geldige waarde in.");
    // As "Sluiten" does, so does the close box, closing the program (which
    // unloads the screen) and the "-" button that leaves the item.
    const struct {
        const char *what;
        std::function<void()> way;
    } ways[] = {
        {"Sluiten", [&] { QTest::mouseClick(control<QPushButton>(act, "cmdClose"), Qt::LeftButton); }},
        {"the close box", [&] { act->frame()->close(); }},
        {"closing the program", [&] { act->unload(); }},
        {"collapsing the tree",
         [&] { QTest::mouseClick(control<QPushButton>(act, "cmdTreeCollapse"), Qt::LeftButton); }},
    };
    int n = 0;
    for (const auto &w : ways) {
        SCOPED_TRACE(w.what);
        // A text of its own each time: the same refused text again is
        // refused without a second box.
        retype(totaal, QStringLiteral("3.%1").arg(++n));
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Geen of ongeldige invoer"), geweigerd);
        w.way();
        EXPECT_TRUE(act->isLoaded());
        EXPECT_EQ(QApplication::focusWidget(), totaal);
        EXPECT_EQ(act->gekozenKey(), k("act", site.clItem2));
        EXPECT_TRUE(item(k("inr", site.facTerrein))->isExpanded());
    }
    EXPECT_EQ(field("sngKostenTotaal", site.clItem2).toDouble(), 1750.0);

    // Corrected, the screen closes and stores the row.
    retype(totaal, QStringLiteral("3100"));
    act->frame()->close();
    EXPECT_FALSE(act->isLoaded());
    EXPECT_EQ(field("intFreqX", site.clItem2).toInt(), 8);
    EXPECT_EQ(field("sngKostenTotaal", site.clItem2).toDouble(), 3100.0);
    EXPECT_TRUE(reported.isEmpty()) << reported.join('\n').toStdString();
}

TEST_F(FrmActTest, SurchargeOptionsWriteTheirDefaultsAndTheTopLinerCostsPerUnit)
{
    open();
    choose(k("act", site.phase1));
    EXPECT_TRUE(control<QGroupBox>(act, QStringLiteral("grpFrames_0"))->isEnabled());
    QLineEdit *perc = edit("txtVervangingsToeslagPerc");
    EXPECT_EQ(perc->text(), QStringLiteral("6,25"));
    acttest::clickBox(control<QRadioButton>(act, QStringLiteral("optVervangingsToeslag_3")));
    // In the box's picture, with its decimals, as the stored value shows.
    EXPECT_EQ(perc->text(), QStringLiteral("5,00"));
    acttest::clickBox(control<QRadioButton>(act, QStringLiteral("optVervangingsToeslag_2")));
    EXPECT_EQ(perc->text(), QStringLiteral("6,25"));

    // The top liner: cost per unit in m2, the other cost options closed.
    acttest::clickBox(control<QRadioButton>(act, QStringLiteral("optVervangingsToeslag_1")));
    EXPECT_FALSE(perc->isVisible());
    EXPECT_TRUE(control<QRadioButton>(act, QStringLiteral("optKosten_3"))->isChecked());
    EXPECT_TRUE(control<QGroupBox>(act, QStringLiteral("grpFrames_3"))->isVisible());
    EXPECT_EQ(edit("txtEenheid")->text(), QStringLiteral("m2"));
    EXPECT_FALSE(control<QRadioButton>(act, QStringLiteral("optKosten_1"))->isEnabled());
    EXPECT_FALSE(edit("txtEenheid")->isEnabled());
    // Incomplete until a price and a number of units are given.
    EXPECT_EQ(frameColour(5), 255);
    EXPECT_TRUE(control<QLabel>(act, QStringLiteral("imgFoutAnSich"))->isVisibleTo(act));
    EXPECT_EQ(zin(), QStringLiteral("Vul de kostenpost volledig in. Controleer de rood gemarkeerde kentallen."));
    EXPECT_EQ(act->boom().foreColor(act->boom().find(k("act", site.phase1))), 255);
    retype(edit("txtKostenPE"), QStringLiteral("30"));
    retype(edit("txtAantal"), QStringLiteral("1000"));
    QTest::keyClick(edit("txtAantal"), Qt::Key_Tab);
    EXPECT_EQ(frameColour(5), 0);
    EXPECT_EQ(act->boom().foreColor(act->boom().find(k("act", site.phase1))), acttest::kKleurAct);

    choose(k("inr", site.facTerrein));
    EXPECT_EQ(field("bytTypeVervangingsToeslag", site.phase1).toInt(), 1);
    EXPECT_EQ(field("bytOptieKosten", site.phase1).toInt(), 3);
    EXPECT_EQ(field("strEenheid", site.phase1).toString(), QStringLiteral("m2"));
    EXPECT_EQ(field("sngKostenPE", site.phase1).toDouble(), 30.0);
    // The other phases keep their own surcharge.
    EXPECT_EQ(field("bytTypeVervangingsToeslag", site.phase2).toInt(), 2);
}

TEST_F(FrmActTest, ACombinedItemShowsOnlyItsCheckBox)
{
    open();
    choose(k("act", site.clItem10));
    auto *chk = control<QCheckBox>(act, QStringLiteral("chkCombineer"));
    ASSERT_TRUE(chk->isEnabled());
    acttest::clickBox(chk);
    EXPECT_TRUE(chk->isChecked());
    EXPECT_EQ(act->opties().combineer, 1);
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(control<QGroupBox>(act, QStringLiteral("grpFrames_") + QString::number(i))->isVisibleTo(act)) << i;
    EXPECT_TRUE(chk->isVisibleTo(act));
    EXPECT_EQ(zin(), QStringLiteral("De kostenpost wordt ondergebracht in de daartoe bestemde combinatiekostenpost uit "
                                    "de QOR-checklist."));
    // An own item may not be combined.
    choose(k("act", site.ownItem));
    EXPECT_FALSE(chk->isEnabled());
    EXPECT_EQ(field("bytCombineer", site.clItem10).toInt(), 1);
    choose(k("act", site.clItem10));
    EXPECT_TRUE(chk->isChecked());
    EXPECT_FALSE(control<QGroupBox>(act, QStringLiteral("grpFrames_5"))->isVisibleTo(act));
}

TEST_F(FrmActTest, ACodeTheProgramPutsIntoTheRowShowsAtOnceAndIsStored)
{
    open();
    choose(k("act", site.ownItem));
    ASSERT_EQ(act->opties().freq, 3);
    // The row's code shows as a click on its option would show it.
    act->insAct()->setValue(QStringLiteral("bytOptieFreq"), 1);
    EXPECT_EQ(act->opties().freq, 1);
    EXPECT_TRUE(control<QRadioButton>(act, QStringLiteral("optFreq_1"))->isChecked());
    EXPECT_EQ(control<QGroupBox>(act, QStringLiteral("grpFrames_1"))->title(),
              QStringLiteral("Jaar eenmalige uitgave"));
    EXPECT_EQ(act->opties().eind, 3);
    act->insAct()->setValue(QStringLiteral("bytOptieKosten"), 3);
    EXPECT_TRUE(control<QRadioButton>(act, QStringLiteral("optKosten_3"))->isChecked());
    EXPECT_TRUE(edit("txtKostenPE")->isVisible());
    // The codes shown before do not overwrite them.
    choose(k("inr", site.facKeet));
    EXPECT_EQ(field("bytOptieFreq", site.ownItem).toInt(), 1);
    EXPECT_EQ(field("bytOptieEind", site.ownItem).toInt(), 3);
    EXPECT_EQ(field("bytOptieKosten", site.ownItem).toInt(), 3);
}

TEST_F(FrmActTest, TheKeypadDecimalKeyTypesACommaAndAUnitStaysText)
{
    site.execute(QStringLiteral("UPDATE tblAct SET strEenheid='100' WHERE idrAct_ID=?"), {site.ownItem});
    open();
    choose(k("act", site.ownItem));
    EXPECT_EQ(edit("txtEenheid")->text(), QStringLiteral("100"));
    QLineEdit *totaal = edit("txtKostenTotaal");
    retype(totaal, QStringLiteral("12"));
    QTest::keyClick(totaal, Qt::Key_Period, Qt::KeypadModifier);
    acttest::typeText(totaal, QStringLiteral("5"));
    EXPECT_EQ(totaal->text(), QStringLiteral("12,5"));
    QTest::keyClick(totaal, Qt::Key_Period);
    EXPECT_EQ(totaal->text(), QStringLiteral("12,5."));
    retype(totaal, QStringLiteral("12,5"));
}

TEST_F(FrmActTest, AddsAFacilityAndAPhase)
{
    open();
    choose(QStringLiteral("objcat4"));
    script.expectInput(QStringLiteral("Naam voorziening:"), QStringLiteral("Nieuwe voorziening"))
        .answer(QString(150, QLatin1Char('x')));
    act->psubAddVoorz();
    ASSERT_TRUE(act->voorzieningGekozen());
    const QString facKey = act->gekozenKey();
    EXPECT_EQ(item(facKey)->parent(), item(QStringLiteral("objcat4")));
    EXPECT_EQ(item(facKey)->text(0), QString(100, QLatin1Char('x')));
    EXPECT_EQ(
        site.count(QStringLiteral("SELECT * FROM tblInrichting WHERE strObject=?"), {QString(100, QLatin1Char('x'))}),
        1);

    // An empty answer adds nothing.
    choose(QStringLiteral("objcat4"));
    script.expectInput(QStringLiteral("Naam voorziening:"), QStringLiteral("Nieuwe voorziening")).cancel();
    act->psubAddVoorz();
    EXPECT_EQ(item(QStringLiteral("objcat4"))->childCount(), 1);

    choose(k("act", site.ownItem));
    act->psubAddFase();
    EXPECT_EQ(act->gekozenKey(), QStringLiteral("actNEW"));
    EXPECT_EQ(item(k("act", site.ownItem))->text(0), QStringLiteral("Onderhoud bouwkeet {1e fase}"));
    EXPECT_EQ(item(QStringLiteral("actNEW"))->text(0), QStringLiteral("{2e fase}"));
    EXPECT_EQ(control<QLabel>(act, QStringLiteral("lblPost"))->text(), QStringLiteral("Onderhoud bouwkeet {2e fase}"));
    // Choosing another node saves the phase and keys its node.
    choose(k("inr", site.facKeet));
    const qint32 newId = site.scalar(QStringLiteral("SELECT max(idrAct_ID) FROM tblAct")).toInt();
    EXPECT_EQ(act->boom().find(QStringLiteral("actNEW")), 0u);
    EXPECT_NE(act->boom().find(k("act", newId)), 0u);
    EXPECT_EQ(field("strAct", newId).toString(), QStringLiteral("Onderhoud bouwkeet"));
}

TEST_F(FrmActTest, RenamesAFacilityRefusingBraces)
{
    open();
    choose(k("inr", site.facKeet));
    script.expectInput(QStringLiteral("Nieuwe naam:"), QStringLiteral("Naam wijzigen"))
        .withDefaultText(QStringLiteral("Bouwkeet 't Hoekje"))
        .answer("Keet {oud}");
    script
        .expectInput(QStringLiteral("Ongeldige tekens { of } gebruikt.\r\nVoer een nieuwe naam in: "),
                     QStringLiteral("Hernoemen"))
        .answer("Keet");
    act->psubHernoemActNaamOfRubriek();
    EXPECT_EQ(item(k("inr", site.facKeet))->text(0), QStringLiteral("Keet"));
    EXPECT_EQ(
        site.scalar(QStringLiteral("SELECT strObject FROM tblInrichting WHERE idrInrichting_ID=?"), {site.facKeet}),
        QStringLiteral("Keet"));

    // As the add box, the rename takes no more than the column holds.
    script.expectInput(QStringLiteral("Nieuwe naam:"), QStringLiteral("Naam wijzigen"))
        .answer(QString(150, QLatin1Char('k')));
    act->psubHernoemActNaamOfRubriek();
    const int breedte = site.textWidth(QStringLiteral("tblInrichting"), QStringLiteral("strObject"));
    ASSERT_GT(breedte, 0);
    EXPECT_EQ(item(k("inr", site.facKeet))->text(0), QString(breedte, QLatin1Char('k')));
    EXPECT_EQ(
        site.scalar(QStringLiteral("SELECT strObject FROM tblInrichting WHERE idrInrichting_ID=?"), {site.facKeet}),
        QString(breedte, QLatin1Char('k')));
    EXPECT_TRUE(reported.isEmpty()) << reported.join('\n').toStdString();

    // F2 on a checklist item is refused.
    choose(k("act", site.clItem10));
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Naam wijzigen niet toegestaan"),
                        QStringLiteral("U kunt deze naam niet wijzigen."));
    QTest::keyClick(tree, Qt::Key_F2);
}

TEST_F(FrmActTest, DeletesItemsPhasesAndFacilitiesAfterConfirmation)
{
    open();
    QSignalSpy deleted(act, &frmAct::eCLPostDeleted);

    // The second of three phases: the others are renumbered.
    choose(k("act", site.phase2));
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen"),
                      QStringLiteral("Wilt u kostenpost '{2e fase}' verwijderen?"), ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_EQ(site.count(QStringLiteral("SELECT * FROM tblAct WHERE idrAct_ID=?"), {site.phase2}), 0);
    QTreeWidgetItem *head = item(k("act", site.phase1));
    ASSERT_EQ(head->childCount(), 1);
    EXPECT_EQ(head->child(0)->text(0), QStringLiteral("{2e fase}"));
    EXPECT_EQ(deleted.count(), 1);

    // No keeps the item and still tells the picker.
    choose(k("act", site.phase1));
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen"),
                      QStringLiteral("Wilt u kostenpost 'Vervangen toegangsweg {1e fase}' en alle onderliggende "
                                     "deelfases verwijderen?"),
                      ui::Buttons::YesNo)
        .answer(ui::Answer::No);
    act->psubDeleteItem();
    EXPECT_EQ(deleted.count(), 2);
    EXPECT_EQ(site.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct='Vervangen toegangsweg'")), 2);

    // A facility with items is refused without the event.
    choose(k("inr", site.facTerrein));
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("verwijderen"),
                        QStringLiteral("U dient eerst kostenposten van deze voorziening te verwijderen."));
    act->psubDeleteItem();
    EXPECT_EQ(deleted.count(), 2);

    // The item with its phase goes whole.
    choose(k("act", site.phase1));
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen"),
                      QStringLiteral("Wilt u kostenpost 'Vervangen toegangsweg {1e fase}' en alle onderliggende "
                                     "deelfases verwijderen?"),
                      ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    act->psubDeleteItem();
    EXPECT_EQ(site.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct='Vervangen toegangsweg'")), 0);
    EXPECT_EQ(act->boom().find(k("act", site.phase1)), 0u);
    EXPECT_EQ(act->boom().find(k("act", site.phase3)), 0u);
    EXPECT_EQ(act->gekozenKey(), k("inr", site.facTerrein));

    // A category cannot be deleted; an empty facility can.
    choose(QStringLiteral("objcat2"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Verwijdering niet toegestaan"),
                        QStringLiteral("U kunt dit item niet verwijderen."));
    act->psubDeleteItem();
    choose(k("inr", site.facBoven));
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen"),
                      QStringLiteral("Wilt u deze voorziening verwijderen?"), ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    act->psubDeleteItem();
    EXPECT_EQ(act->boom().find(k("inr", site.facBoven)), 0u);
    EXPECT_EQ(site.count(QStringLiteral("SELECT * FROM tblInrichting WHERE idrInrichting_ID=?"), {site.facBoven}), 0);
}

TEST_F(FrmActTest, AnUnsavedNewItemIsSavedBeforeItIsDeleted)
{
    open();
    choose(k("act", site.ownItem));
    act->psubAddFase();
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen"),
                      QStringLiteral("Wilt u kostenpost '{2e fase}' verwijderen?"), ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    act->psubDeleteItem();
    EXPECT_EQ(site.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct='Onderhoud bouwkeet'")), 1);
    EXPECT_EQ(item(k("act", site.ownItem))->text(0), QStringLiteral("Onderhoud bouwkeet"));
    EXPECT_EQ(act->boom().find(QStringLiteral("actNEW")), 0u);
}

TEST_F(FrmActTest, PopupRulesFollowTheSelectedNode)
{
    open();
    choose(QStringLiteral("objcat3"));
    screens::act::PopupMenu m = act->ZetPopupMenu();
    EXPECT_TRUE(m.addVoorz.enabled);
    EXPECT_FALSE(m.verwijder.enabled);
    choose(k("inr", site.facPeil));
    m = act->ZetPopupMenu();
    EXPECT_TRUE(m.addAct.enabled);
    EXPECT_FALSE(m.naamWijzigen.enabled); // holds a checklist item
    choose(k("act", site.phase3));
    m = act->ZetPopupMenu();
    EXPECT_FALSE(m.addFase.enabled);
    EXPECT_FALSE(m.naamWijzigen.enabled);
}

TEST_F(FrmActTest, DraggingAChecklistItemAddsItToItsFacility)
{
    open();
    auto *picker = screens::frmAct_AddCLitem::load();
    QTreeWidget *tvw1 = picker->tvw1();
    ASSERT_GT(tvw1->topLevelItemCount(), 0);
    QTreeWidgetItem *used = picker->node(QStringLiteral("act10"));
    ASSERT_NE(used, nullptr);
    EXPECT_EQ(screens::SiteTreeWidget::foreColorOf(used), 12632256);
    picker->tvw1_MouseDown(used);
    EXPECT_EQ(screens::gnodDrag(), nullptr);

    QTreeWidgetItem *maaien = picker->node(QStringLiteral("act1"));
    ASSERT_NE(maaien, nullptr);
    EXPECT_EQ(screens::SiteTreeWidget::tagOf(maaien), QStringLiteral("new"));
    picker->tvw1_MouseDown(maaien);
    ASSERT_EQ(screens::gnodDrag(), maaien);
    act->TreeView1_DragDrop();
    EXPECT_EQ(screens::gnodDrag(), nullptr);
    EXPECT_EQ(act->gekozenKey(), QStringLiteral("actNEW"));
    EXPECT_EQ(item(QStringLiteral("actNEW"))->parent(), item(k("inr", site.facTerrein)));
    EXPECT_EQ(screens::SiteTreeWidget::tagOf(maaien), QStringLiteral("old"));
    EXPECT_EQ(screens::SiteTreeWidget::foreColorOf(maaien), 12632256);

    // A combination item carries its mark; a category cannot be dropped.
    EXPECT_TRUE(picker->node(QStringLiteral("act30"))->text(0).endsWith(QStringLiteral(" *")));
    screens::setGnodDrag(tvw1->topLevelItem(0));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Selectie QOR-checklistitem"),
                        QStringLiteral("Selecteer een kostenpost"));
    act->TreeView1_DragDrop();

    // Deleting it makes it draggable again; the picker follows the screen.
    choose(QStringLiteral("actNEW"));
    ASSERT_NE(act->gekozenKey(), QStringLiteral("actNEW"));
    EXPECT_EQ(tvw1->currentItem(), picker->node(QStringLiteral("act1")));
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen"),
                      QStringLiteral("Wilt u kostenpost 'Maaien bermen en taluds' verwijderen?"), ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    act->psubDeleteItem();
    EXPECT_EQ(screens::SiteTreeWidget::tagOf(picker->node(QStringLiteral("act1"))), QStringLiteral("new"));
    choose(k("act", site.ownItem));
    EXPECT_EQ(tvw1->currentItem(), nullptr);

    // A facility of the checklist is selected in the picker by name; one
    // the checklist does not know clears the selection.
    choose(k("inr", site.facTerrein));
    ASSERT_NE(tvw1->currentItem(), nullptr);
    EXPECT_EQ(tvw1->currentItem()->text(0), QStringLiteral("Terrein en hekwerk"));
    choose(k("inr", site.facKeet));
    EXPECT_EQ(tvw1->currentItem(), nullptr);

    act->unload();
    EXPECT_EQ(screens::Form::loaded<screens::frmAct_AddCLitem>(), nullptr);
}

TEST_F(FrmActTest, ADropOnTheTreeAndAPressInThePickerGoThroughTheirEvents)
{
    open();
    auto *picker = screens::frmAct_AddCLitem::load();
    QTreeWidget *tvw1 = picker->tvw1();
    QTreeWidgetItem *maaien = picker->node(QStringLiteral("act1"));
    ASSERT_NE(maaien, nullptr);
    tvw1->scrollToItem(maaien);
    const QPoint onMaaien = rowPoint(tvw1, maaien);
    QTest::mousePress(tvw1->viewport(), Qt::LeftButton, {}, onMaaien);
    QTest::mouseRelease(tvw1->viewport(), Qt::LeftButton, {}, onMaaien);
    ASSERT_EQ(screens::gnodDrag(), maaien);
    EXPECT_EQ(tvw1->currentItem(), maaien);

    QMimeData mime;
    mime.setData(QStringLiteral("application/x-tavir-checklistpost"), "act1");
    const QPoint at = tree->visualItemRect(item(QStringLiteral("objcat5"))).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &drop);
    // The drop position does not matter: the item goes to its own facility.
    EXPECT_EQ(item(QStringLiteral("actNEW"))->parent(), item(k("inr", site.facTerrein)));
    EXPECT_EQ(screens::gnodDrag(), nullptr);
}

TEST_F(FrmActTest, AOnceOnlyChecklistItemExplainsItsSingleYear)
{
    site.execute(QStringLiteral("INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct,"
                                " bytOptieStart, intStartRel, bytStartBA, bytOptieEind, bytEindBA, bytOptieKosten,"
                                " sngKostenTotaal, bytOptieFreq, bytIsQOR, lngClitem_REF, bytCombineer,"
                                " bytTypeVervangingsToeslag) VALUES (?, ?, 6, 'Verwijderen tijdelijke voorzieningen',"
                                " 2, 1, 0, 3, 0, 2, 5000, 1, 1, 29, 0, 0)"),
                 {site.siteId, site.facKeet});
    const qint32 id = site.scalar(QStringLiteral("SELECT max(idrAct_ID) FROM tblAct")).toInt();
    open();
    choose(k("act", id));
    const QString info = control<QTextEdit>(act, QStringLiteral("txtInfoChecklist"))->toPlainText();
    EXPECT_TRUE(info.contains(QStringLiteral("Jaar eenmalige uitgave:\n "))) << info.toStdString();
    EXPECT_FALSE(info.contains(QStringLiteral("Eindjaar:")));
    EXPECT_EQ(control<QGroupBox>(act, QStringLiteral("grpFrames_1"))->title(),
              QStringLiteral("Jaar eenmalige uitgave"));
    EXPECT_FALSE(control<QGroupBox>(act, QStringLiteral("grpFrames_2"))->isEnabled());

    // The count box stands on the dots of the frequency chosen.
    choose(k("act", site.phase1));
    QLineEdit *freqX = edit("txtfreqX");
    EXPECT_EQ(freqX->parentWidget(), control<QRadioButton>(act, QStringLiteral("optFreq_3")));
    EXPECT_TRUE(freqX->isVisibleTo(act));
}

TEST_F(FrmActTest, TheEndCountsFromTheTopLinerOnlyAfterTheStartDoes)
{
    open();
    choose(k("act", site.ownItem));
    auto *startBA = control<QCheckBox>(act, QStringLiteral("chkStartBA"));
    auto *eindBA = control<QCheckBox>(act, QStringLiteral("chkEindBA"));
    EXPECT_FALSE(eindBA->isEnabled());
    acttest::clickBox(startBA);
    EXPECT_TRUE(edit("txtStartBA")->isVisibleTo(act));
    EXPECT_EQ(control<QRadioButton>(act, QStringLiteral("optStart_2"))->text(),
              QStringLiteral("nazorgjaar aanleg bovenafd."));
    ASSERT_TRUE(eindBA->isEnabled());
    acttest::clickBox(eindBA);
    EXPECT_TRUE(edit("txtEindBA")->isVisibleTo(act));
    EXPECT_FALSE(control<QRadioButton>(act, QStringLiteral("optEind_1"))->isVisibleTo(act));
    // Unticking the start clears the end's flag as well.
    acttest::clickBox(startBA);
    EXPECT_FALSE(eindBA->isChecked());
    EXPECT_FALSE(eindBA->isEnabled());
    EXPECT_TRUE(control<QRadioButton>(act, QStringLiteral("optEind_1"))->isVisibleTo(act));
}

TEST_F(FrmActTest, AnItemGoneFromTheChecklistIsMarkedAndExplained)
{
    site.execute(QStringLiteral("UPDATE tblAct SET lngClitem_REF=999 WHERE idrAct_ID=?"), {site.clItem2});
    open();
    choose(k("act", site.clItem2));
    EXPECT_EQ(control<QTextEdit>(act, QStringLiteral("txtInfoChecklist"))->toPlainText(),
              QStringLiteral("Checklistpost 999 is niet (meer) aanwezig onder nr 999 in de checklist.Dit is het gevolg "
                             "van tussentijds onderhoud van de checklist tijdens de looptijd van het project. Deze "
                             "melding komt niet voor in de eindversie.\nVerwijder dit item."));
    EXPECT_EQ(act->opties().isQOR, 2);
    EXPECT_EQ(control<QLabel>(act, QStringLiteral("imgQOR"))->toolTip(),
              QStringLiteral("Dit is een QOR-checklistpost, maar de ingevoerde gegevens voldoen niet aan de criteria. "
                             "Zie oranje markering."));
    choose(k("inr", site.facTerrein));
    EXPECT_EQ(field("bytIsQOR", site.clItem2).toInt(), 2);
}

TEST_F(FrmActTest, CollapsingEverythingShowsTheFirstNode)
{
    open();
    choose(k("act", site.ownItem));
    QTest::mouseClick(control<QPushButton>(act, QStringLiteral("cmdTreeCollapse")), Qt::LeftButton);
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        EXPECT_FALSE(tree->topLevelItem(i)->isExpanded());
    EXPECT_EQ(act->gekozenKey(), QStringLiteral("objcat1"));
    QTest::mouseClick(control<QPushButton>(act, QStringLiteral("cmdTreeExpand")), Qt::LeftButton);
    EXPECT_TRUE(item(k("act", site.phase1))->isExpanded());
}

TEST_F(FrmActTest, AClickOnAPartlyVisibleRowKeepsTheHighlightOnTheNodeTheClickShows)
{
    open();
    // A short window: the tree shows a few rows and the last one in part.
    act->resize(act->width(), 400);
    QApplication::processEvents();
    const int onder = tree->viewport()->height();
    QTreeWidgetItem *half = nullptr;
    for (QTreeWidgetItemIterator it(tree); *it && !half; ++it) {
        const QRect r = tree->visualItemRect(*it);
        if (r.top() < onder && r.bottom() >= onder)
            half = *it;
    }
    ASSERT_NE(half, nullptr);
    // The press, a hand that moves a little, the release.
    const QPoint at(rowPoint(tree, half).x(), tree->visualItemRect(half).top() + 2);
    QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, at);
    QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(1, 1)),
                     QPointF(tree->viewport()->mapToGlobal(at + QPoint(1, 1))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &move);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at + QPoint(1, 1));
    QApplication::processEvents();
    EXPECT_EQ(act->gekozenKey(), screens::SiteTreeWidget::keyOf(half));
    EXPECT_EQ(tree->currentItem(), half);
    EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem *>({half}));
    // And then it is in view whole.
    EXPECT_TRUE(tree->viewport()->rect().contains(tree->visualItemRect(half)));
}

TEST_F(FrmActTest, AddsAndRenamesAnOwnItemThroughTheDialog)
{
    open();
    choose(k("inr", site.facBoven));
    auto *dlg = screens::frmAct_AddCustomItem::openen(1);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Kostenpost toevoegen"));
    QLineEdit *naam = control<QLineEdit>(dlg, QStringLiteral("txtNaam"));
    QTreeWidget *rubrieken = control<QTreeWidget>(dlg, QStringLiteral("ListView1"));
    auto *ok = control<QPushButton>(dlg, QStringLiteral("cdmOK"));

    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Ontbrekende gegevens"),
                        QStringLiteral("Voer een naam in van de kostenpost."));
    QTest::mouseClick(ok, Qt::LeftButton);
    naam->setText(QStringLiteral("Herstel {x}"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Ongeldige naam"),
                        QStringLiteral("Ongeldige tekens { of } gebruikt.\r\nVoer een andere naam in."));
    QTest::mouseClick(ok, Qt::LeftButton);
    naam->setText(QStringLiteral("Herstel taluds"));
    rubrieken->setCurrentItem(rubrieken->topLevelItem(3));
    // Enter in the name presses OK, the dialog's default button.
    naam->setFocus();
    QTest::keyClick(naam, Qt::Key_Return);
    EXPECT_FALSE(dlg->isLoaded());
    EXPECT_EQ(act->gekozenKey(), QStringLiteral("actNEW"));
    EXPECT_EQ(item(QStringLiteral("actNEW"))->text(0), QStringLiteral("Herstel taluds"));
    EXPECT_EQ(act->boom().image(act->boom().find(QStringLiteral("actNEW"))), 4);

    // The same name again under the same facility is refused.
    choose(k("inr", site.facBoven));
    dlg = screens::frmAct_AddCustomItem::openen(1);
    control<QLineEdit>(dlg, QStringLiteral("txtNaam"))->setText(QStringLiteral("Herstel taluds"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Naam kostenpost instellen"),
                        QStringLiteral("Een kostenpost met deze naam bestaat al bij deze voorziening.\r\nVoer een "
                                       "andere naam in."));
    // Enter in the rubric list too.
    rubrieken = control<QTreeWidget>(dlg, QStringLiteral("ListView1"));
    rubrieken->setFocus();
    QTest::keyClick(rubrieken, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(dlg->isLoaded());
    QTest::mouseClick(control<QPushButton>(dlg, QStringLiteral("cmdCancel")), Qt::LeftButton);

    // Rename an item with phases: the dialog shows the bare name, the head
    // keeps its label and the rubric moves.
    choose(k("act", site.phase1));
    act->psubHernoemActNaamOfRubriek();
    dlg = screens::Form::loaded<screens::frmAct_AddCustomItem>();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Naam/rubriek wijzigen"));
    naam = control<QLineEdit>(dlg, QStringLiteral("txtNaam"));
    EXPECT_EQ(naam->text(), QStringLiteral("Vervangen toegangsweg"));
    naam->setText(QStringLiteral("Nieuwe toegangsweg"));
    rubrieken = control<QTreeWidget>(dlg, QStringLiteral("ListView1"));
    rubrieken->setCurrentItem(rubrieken->topLevelItem(3));
    QTest::mouseClick(control<QPushButton>(dlg, QStringLiteral("cdmOK")), Qt::LeftButton);
    EXPECT_EQ(item(k("act", site.phase1))->text(0), QStringLiteral("Nieuwe toegangsweg {1e fase}"));
    EXPECT_EQ(item(k("act", site.phase2))->text(0), QStringLiteral("{2e fase}"));
    EXPECT_EQ(act->boom().image(act->boom().find(k("act", site.phase1))), 4);
    EXPECT_EQ(site.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct='Nieuwe toegangsweg' AND bytRubriek_REF=4")),
              3);
    EXPECT_EQ(control<QLabel>(act, QStringLiteral("lblRubriek"))->text(), QStringLiteral("Rubriek: Onderhoud"));
}

TEST_F(FrmActTest, ARenameToTheNameOfAnotherItemIsRefusedWhateverTheRubric)
{
    // "Pomp" stands beside the own item "Onderhoud bouwkeet" (rubric 4).
    site.execute(QStringLiteral("INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct,"
                                " bytOptieStart, intStartRel, bytStartBA, bytOptieEind, bytEindBA, bytOptieKosten,"
                                " sngKostenTotaal, bytOptieFreq, bytIsQOR, bytCombineer, bytTypeVervangingsToeslag)"
                                " VALUES (?, ?, 4, 'Pomp', 2, 1, 0, 3, 0, 2, 100, 1, 0, 0, 0)"),
                 {site.siteId, site.facKeet});
    open();
    const struct {
        const char *naam;
        int rubriek; // 1..5
        bool geweigerd;
    } cases[] = {
        {"Pomp", 2, true},                // another rubric: the two would merge all the same
        {"Pomp", 4, true},                // the same rubric
        {"POMP", 1, true},                // another case is the same name
        {"ONDERHOUD bouwkeet", 2, false}, // its own name, in other capitals, to another rubric
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.naam) + " rubric " + std::to_string(c.rubriek));
        choose(k("act", site.ownItem));
        act->psubHernoemActNaamOfRubriek();
        auto *dlg = screens::Form::loaded<screens::frmAct_AddCustomItem>();
        ASSERT_NE(dlg, nullptr);
        control<QLineEdit>(dlg, QStringLiteral("txtNaam"))->setText(QString::fromUtf8(c.naam));
        auto *rubrieken = control<QTreeWidget>(dlg, QStringLiteral("ListView1"));
        rubrieken->setCurrentItem(rubrieken->topLevelItem(c.rubriek - 1));
        if (c.geweigerd)
            script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Naam kostenpost instellen"),
                                QStringLiteral("Een kostenpost met deze naam bestaat al bij deze voorziening.\r\n"
                                               "Voer een andere naam in."));
        QTest::mouseClick(control<QPushButton>(dlg, QStringLiteral("cdmOK")), Qt::LeftButton);
        EXPECT_EQ(dlg->isLoaded(), c.geweigerd);
        if (c.geweigerd) {
            QTest::mouseClick(control<QPushButton>(dlg, QStringLiteral("cmdCancel")), Qt::LeftButton);
            EXPECT_EQ(field("strAct", site.ownItem).toString(), QStringLiteral("Onderhoud bouwkeet"));
            EXPECT_EQ(field("bytRubriek_REF", site.ownItem).toInt(), 4);
        } else {
            EXPECT_EQ(field("strAct", site.ownItem).toString(), QString::fromUtf8(c.naam));
            EXPECT_EQ(field("bytRubriek_REF", site.ownItem).toInt(), c.rubriek);
        }
    }
    EXPECT_EQ(site.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct='Pomp'")), 1);
}

TEST_F(FrmActTest, NamesThatDifferOnlyInCaseAreThePhasesOfOneItem)
{
    for (const char *naam : {"Pomp", "pomp", "POMP"})
        site.execute(
            QStringLiteral("INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct,"
                           " bytOptieStart, intStartRel, bytStartBA, bytOptieEind, bytEindBA,"
                           " bytOptieKosten, sngKostenTotaal, bytOptieFreq, bytIsQOR, bytCombineer,"
                           " bytTypeVervangingsToeslag) VALUES (?, ?, 4, ?, 2, 1, 0, 3, 0, 2, 100, 1, 0, 0, 0)"),
            {site.siteId, site.facKeet, QString::fromLatin1(naam)});
    const qint32 eerste = site.scalar(QStringLiteral("SELECT min(idrAct_ID) FROM tblAct WHERE strAct='pomp'")).toInt();
    open();
    QTreeWidgetItem *kop = item(k("act", eerste));
    EXPECT_EQ(kop->text(0), QStringLiteral("Pomp {1e fase}"));
    ASSERT_EQ(kop->childCount(), 2);
    EXPECT_EQ(kop->child(0)->text(0), QStringLiteral("{2e fase}"));
    EXPECT_EQ(kop->child(1)->text(0), QStringLiteral("{3e fase}"));
    // The item goes whole, with every phase.
    choose(k("act", eerste));
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen"),
                      QStringLiteral("Wilt u kostenpost 'Pomp {1e fase}' en alle onderliggende deelfases verwijderen?"),
                      ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    act->psubDeleteItem();
    EXPECT_EQ(site.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct='pomp'")), 0);
    EXPECT_EQ(act->boom().find(k("act", eerste)), 0u);
}

TEST_F(FrmActTest, RenamingAnItemOfRubricOverigKeepsItsRubric)
{
    site.execute(QStringLiteral("UPDATE tblAct SET bytRubriek_REF=6 WHERE idrAct_ID=?"), {site.ownItem});
    open();
    choose(k("act", site.ownItem));
    QTest::keyClick(tree, Qt::Key_F2);
    auto *dlg = screens::Form::loaded<screens::frmAct_AddCustomItem>();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(control<QTreeWidget>(dlg, QStringLiteral("ListView1"))->selectedItems().isEmpty());
    control<QLineEdit>(dlg, QStringLiteral("txtNaam"))->setText(QStringLiteral("Onderhoud keet"));
    QTest::mouseClick(control<QPushButton>(dlg, QStringLiteral("cdmOK")), Qt::LeftButton);
    EXPECT_EQ(field("strAct", site.ownItem).toString(), QStringLiteral("Onderhoud keet"));
    EXPECT_EQ(field("bytRubriek_REF", site.ownItem).toInt(), 6);
    EXPECT_EQ(item(k("act", site.ownItem))->text(0), QStringLiteral("Onderhoud keet"));
}

} // namespace
