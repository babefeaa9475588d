#pragma once
// What the screen tests share: a loaded main window, a coupled data file
// made from the template, the checklist file of a private program folder,
// and ways to find and drive widgets by their control names.

#include "shell_test_env.h"

#include "support/form_lookup.h"
#include "support/qstring_printer.h"

#include "shell/connection_strings.h"
#include "shell/current_site.h"
#include "shell/frmMDI_main.h"
#include "shell/menu_status.h"
#include "shell/program_state.h"

#include "screens/form.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace shelltest {

using testsupport::click;
using testsupport::control;
using testsupport::loadedFormNames;

// Types `text` into `widget` key by key (also letters outside ASCII).
inline void typeText(QWidget *widget, const QString &text)
{
    ASSERT_NE(widget, nullptr);
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Clicks an option or check box on its box.
inline void clickBox(QAbstractButton *button)
{
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// A point on the first cell of `row`.
inline QPoint rowPoint(const QTreeWidget *list, QTreeWidgetItem *row)
{
    const QRect r = list->visualItemRect(row);
    return QPoint(r.left() + 8, r.center().y());
}

// Clicks the row of `list` whose first column reads `text`.
inline void clickRow(QTreeWidget *list, const QString &text)
{
    ASSERT_NE(list, nullptr);
    const QList<QTreeWidgetItem *> rows = list->findItems(text, Qt::MatchExactly, 0);
    ASSERT_EQ(rows.size(), 1) << text.toStdString();
    list->scrollToItem(rows.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(list, rows.first()));
}

// The first column of every row.
inline QStringList rowTexts(const QTreeWidget *list, int column = 0)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

class ScreenTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        main = shell::frmMDI_main::load();
        dataFile = templateCopy();
        modMain::gstrDatabestand = dataFile;
        modMain::gstrConnData = modMain::pfunConnStrData(dataFile);
        modMain::gstrConnCL = modMain::pfunConnStrCL(progDir);
        modMain::gVersion = tavir::kProgramVersion;
        // The screens see the program state as the start routine lets them.
        modMain::InstallSchermSessie();
    }

    void TearDown() override
    {
        // Whatever a test left open goes without asking.
        for (screens::Form *f : screens::Form::loadedForms())
            f->unload();
        ShellTest::TearDown();
    }

    // Runs a menu item or tool-bar button of the main window.
    void trigger(const char *item)
    {
        QAction *a = main->menuItem(QLatin1String(item));
        ASSERT_NE(a, nullptr) << item;
        ASSERT_TRUE(a->isEnabled()) << item << " is disabled";
        a->trigger();
    }

    // Adds a site row straight into the data file; returns its id.
    qint32 addSite(const QString &name, int kind = 1, int clId = 4, int prov = 10)
    {
        runSql(dataFile, QStringLiteral("INSERT INTO tblStort (strStortNaam, intStortType, intCL_REF, bytProv_REF, "
                                        "dtmAanvangNazorg, sngRentePerc, sngInflPerc) VALUES ('%1', %2, %3, %4, "
                                        "'2030-01-01 00:00:00', 5, 2)")
                                  .arg(QString(name).replace(QLatin1Char('\''), QStringLiteral("''")))
                                  .arg(kind)
                                  .arg(clId)
                                  .arg(prov));
        return scalar(dataFile, QStringLiteral("SELECT max(idrStort_ID) FROM tblStort")).toInt();
    }

    qint64 count(const QString &sql) { return scalar(dataFile, sql).toLongLong(); }

    shell::frmMDI_main *main = nullptr;
    QString dataFile;
};

} // namespace shelltest
