// The waste-forecast grid: the check of a typed cell, rows added for the
// open site, the total, and the close that only its own button may do after
// the years form one series.

#include "input_screen_test_env.h"

#include "support/desktop_boxes.h"

#include "screens/frmTonnage.h"
#include "screens/frmTonnage_rules.h"

#include "platform/ui/dialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

using namespace screentest;

namespace {

const QString kGat =
    QStringLiteral("U heeft geen aaneengesloten reeks jaartallen opgegeven, een jaartal twee maal "
                   "ingevoerd, of een 'lege waarde' voor een jaartal ingevoerd.\r\nCorrigeer uw invoer.");
const QString kOKKnop = QStringLiteral("Gebruik in verband met de datavalidatie de OK-knop om het venster te sluiten");

class FrmTonnageTest : public InputScreenTest {
protected:
    screens::frmTonnage *open(bool forecastSite = true)
    {
        installSession(forecastSite ? site->otherSiteId : site->siteId);
        form = screens::frmTonnage::load();
        grid = control<QTableWidget>(form, "DataGrid1");
        return form;
    }

    // Types `text` into a cell and leaves it with `key`.
    void typeCell(int row, int column, const QString &text, Qt::Key key = Qt::Key_Tab)
    {
        // Tab opened the next cell: leave that one unchanged first.
        if (QLineEdit *open = openEditor())
            QTest::keyClick(open, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        grid->setCurrentCell(row, column);
        grid->editItem(grid->item(row, column));
        QLineEdit *editor = openEditor();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, key);
        QCoreApplication::processEvents();
    }

    QLineEdit *openEditor() const
    {
        for (QLineEdit *e : grid->viewport()->findChildren<QLineEdit *>())
            if (e->isVisibleTo(grid))
                return e;
        return nullptr;
    }

    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 0; r < grid->rowCount(); ++r)
            texts << grid->item(r, c)->text();
        return texts;
    }

    QString years()
    {
        QStringList list;
        db::Connection cn;
        cn.Open(site->dataFile);
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT intKalJaar, lngTonnage, lngStort_REF FROM tblTonnage ORDER BY idrTonnage_ID"),
                cn, db::LockType::ReadOnly);
        for (; !rs.EOF_(); rs.MoveNext())
            list << rs.Fields(0).Value().toString() + QLatin1Char('=') + rs.Fields(1).Value().toString()
                        + QLatin1Char('@') + rs.Fields(2).Value().toString();
        return list.join(QLatin1Char(' '));
    }

    QString total() const { return control<QLabel>(form, "lblTotaal")->text(); }

    screens::frmTonnage *form = nullptr;
    QTableWidget *grid = nullptr;
};

TEST_F(FrmTonnageTest, ShowsTheSitesYearsInOrderWithTheirTotalAndANewLine)
{
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Prognose afvalaanbod"));
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Kalenderjaar"));
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Aantal kiloton"));
    EXPECT_TRUE(grid->isColumnHidden(2));
    EXPECT_EQ(column(0), QStringList({"2010", "2011", "2012", ""}));
    EXPECT_EQ(column(1), QStringList({"100", "150", "200", ""}));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 450"));
    EXPECT_EQ(control<QPushButton>(form, "cmdOK")->text(), QStringLiteral("&Sluiten"));
}

TEST_F(FrmTonnageTest, ANewLineBecomesARowOfTheOpenSiteAndTheTotalFollows)
{
    open();
    const QString site2 = QString::number(site->otherSiteId);
    typeCell(3, 0, QStringLiteral("2013"));
    typeCell(3, 1, QStringLiteral("50"));
    EXPECT_EQ(column(0), QStringList({"2010", "2011", "2012", "2013", ""}));
    EXPECT_EQ(grid->item(3, 2)->text(), site2);
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 500"));
    EXPECT_TRUE(years().endsWith(QStringLiteral("2013=50@") + site2)) << years().toStdString();

    // A changed tonnage is written; the total follows.
    typeCell(0, 1, QStringLiteral("120"));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 520"));
    click(control<QPushButton>(form, "cmdOK"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(site->scalar(QStringLiteral("SELECT lngTonnage FROM tblTonnage WHERE intKalJaar=2010")).toInt(), 120);
}

TEST_F(FrmTonnageTest, ARefusedCellKeepsItsOldValueAndNothingReachesTheFile)
{
    open();
    const QString before = years();
    script.expectMsgBox(ui::Icon::None, QString(), QStringLiteral("Jaartal 1850 wordt niet geaccepteerd."));
    typeCell(1, 0, QStringLiteral("1850"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Onvolledige invoer"),
                        QStringLiteral("Invoer is niet volledig"));
    typeCell(0, 0, QString(), Qt::Key_Tab);
    script.expectMsgBox(ui::Icon::None, QString(), QStringLiteral("-5 wordt niet geaccepteerd."));
    typeCell(2, 1, QStringLiteral("-5"));
    EXPECT_EQ(column(0), QStringList({"2010", "2011", "2012", ""}));
    EXPECT_EQ(column(1), QStringList({"100", "150", "200", ""}));
    EXPECT_EQ(years(), before);
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentColumn(), 1);
}

TEST_F(FrmTonnageTest, TheRefusedCellKeepsTheKeyboardForItsNewValue)
{
    // With a box that takes the focus while it is up, as the desktop's do.
    testsupport::DesktopBoxes boxes;
    ui::ScopedDialogs use(&boxes);
    open();
    QApplication::setActiveWindow(form);
    boxes.expectMsgBox(ui::Icon::None, QString(), QStringLiteral("12,5 wordt niet geaccepteerd."));
    typeCell(1, 1, QStringLiteral("12,5"));
    QApplication::processEvents();
    EXPECT_TRUE(boxes.verify()) << boxes.report().toStdString();
    // The grid keeps the focus on that cell, not "Sluiten".
    EXPECT_NE(QApplication::focusWidget(), control<QPushButton>(form, "cmdOK"));
    ASSERT_TRUE(QApplication::focusWidget() == grid || grid->isAncestorOf(QApplication::focusWidget()))
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none");
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), 1);
    // Digits typed now are the cell's new value.
    for (const char *digit : {"1", "7", "5"})
        QTest::keyClicks(QApplication::focusWidget(), QLatin1String(digit));
    ASSERT_NE(openEditor(), nullptr);
    QTest::keyClick(openEditor(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("175"));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 475"));
}

TEST_F(FrmTonnageTest, EnterMovesOnAsTab)
{
    open();
    typeCell(0, 0, QStringLiteral("2010"), Qt::Key_Return);
    typeCell(1, 0, QStringLiteral("2011"), Qt::Key_Return);
    // An unchanged cell is not written, and the cursor still moves on.
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), 1);
}

TEST_F(FrmTonnageTest, ClosesOnlyThroughItsButtonOnceTheYearsFormOneSeries)
{
    open();
    // The close box is refused with a notice.
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Sluiten formulier"), kOKKnop);
    EXPECT_FALSE(form->unload());
    EXPECT_EQ(loadedFormNames(), QStringList({"frmTonnage"}));

    // A gap: 2010, 2011, 2012, 2014.
    typeCell(3, 0, QStringLiteral("2014"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Controle invoer"), kGat);
    click(control<QPushButton>(form, "cmdOK"));
    EXPECT_EQ(loadedFormNames(), QStringList({"frmTonnage"}));

    // A repeated year.
    typeCell(3, 0, QStringLiteral("2012"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Controle invoer"), kGat);
    click(control<QPushButton>(form, "cmdOK"));
    EXPECT_EQ(loadedFormNames(), QStringList({"frmTonnage"}));

    typeCell(3, 0, QStringLiteral("2013"));
    // A new row with only its tonnage has an empty year.
    typeCell(4, 1, QStringLiteral("10"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Controle invoer"), kGat);
    click(control<QPushButton>(form, "cmdOK"));
    typeCell(4, 0, QStringLiteral("2014"));
    click(control<QPushButton>(form, "cmdOK"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
}

TEST_F(FrmTonnageTest, AnEmptyForecastClosesAtOnce)
{
    open(false);
    EXPECT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 0"));
    click(control<QPushButton>(form, "cmdOK"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
}

} // namespace
