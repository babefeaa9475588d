#pragma once
// What the tests of screens in the main window share: a loaded main window, a coupled data file
// made from the template, the checklist file of a private program folder,
// and ways to find and drive widgets by their control names.

#include "shell_test_env.h"

#include "support/qstring_printer.h"
#include "support/site_builder.h"
#include "support/widget_driver.h"

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
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace shelltest {

using testsupport::click;
using testsupport::clickBox;
using testsupport::clickRow;
using testsupport::control;
using testsupport::loadedFormNames;
using testsupport::replaceText;
using testsupport::retype;
using testsupport::rowPoint;
using testsupport::rowTexts;
using testsupport::typeAndLeave;
using testsupport::typeText;
using testsupport::unloadForms;

// Runs a menu item or tool-bar button of `main`, which must be enabled.
inline void triggerMenuItem(shell::frmMDI_main *main, const char *item)
{
    ASSERT_NE(main, nullptr);
    QAction *a = main->menuItem(QLatin1String(item));
    ASSERT_NE(a, nullptr) << item;
    ASSERT_TRUE(a->isEnabled()) << item << " is disabled";
    a->trigger();
}

// Closes the active child window as Ctrl+F4 does: the close command of its
// window menu.
inline void ctrlF4(screens::Form *form)
{
    auto *frame = form ? qobject_cast<QMdiSubWindow *>(form->frame()) : nullptr;
    ASSERT_NE(frame, nullptr);
    for (QAction *a : frame->systemMenu()->actions())
        if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_F4)) {
            a->trigger();
            return;
        }
    FAIL() << "no Ctrl+F4 in the window menu";
}

// A screen test inside the shell: the main window loaded on a fresh data
// file, the screens' session as the start routine installs it.
class ShellScreenTest : public ShellTest {
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
        unloadForms();
        ShellTest::TearDown();
    }

    // Runs a menu item or tool-bar button of the main window.
    void trigger(const char *item) { triggerMenuItem(main, item); }

    // Adds a site row straight into the data file; returns its id.
    qint32 addSite(const QString &name, int kind = 1, int clId = 4, int prov = 10)
    {
        return testsupport::SiteBuilder(dataFile).site({{"strStortNaam", name},
                                                        {"intStortType", kind},
                                                        {"intCL_REF", clId},
                                                        {"bytProv_REF", prov},
                                                        {"dtmAanvangNazorg", QStringLiteral("2030-01-01 00:00:00")},
                                                        {"sngRentePerc", 5},
                                                        {"sngInflPerc", 2}});
    }

    // Adds a facility of `site` straight into the data file; returns its id.
    qint32 addFacility(qint32 site, int category, const QString &name)
    {
        return testsupport::SiteBuilder(dataFile).facility(site, category, name);
    }

    qint64 count(const QString &sql) { return scalar(dataFile, sql).toLongLong(); }

    shell::frmMDI_main *main = nullptr;
    QString dataFile;
};

} // namespace shelltest
