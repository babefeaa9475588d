// The program from the keyboard, screen by screen inside the main window:
// - every access key of a screen (Alt and the underlined letter) presses
//   the screen's own control and never opens a menu of the menu bar, which
//   has access keys of its own ("&Bestand", "&Invoer", "&Rapportage");
// - Enter presses the default button and Escape the cancel button of the
//   screens that act as dialogs.

#include "shell_screen_test_env.h"

#include "shell/frmBrowser.h"
#include "shell/frmConfig.h"
#include "shell/frmInrNieuwDialog.h"
#include "shell/frmOpenInr.h"
#include "shell/frmOpenInrConfirm.h"
#include "shell/frmSplash.h"
#include "shell/frmUpdateCheck.h"
#include "shell/frmUpdateProxy.h"

#include "screens/frmAct.h"
#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"
#include "screens/frmAlgNazKosten.h"
#include "screens/frmAlgemeen.h"
#include "screens/frmTonnage.h"
#include "screens/frmVersiebeheer.h"
#include "screens/layout_helpers.h"

#include "reports/frmDoelverm.h"
#include "reports/frmGevoelAna.h"
#include "reports/frmRapScherm.h"
#include "reports/frmRapVoorz.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

using namespace shelltest;

namespace {

// An access key of a shown control: Alt and `key` reaches `control` (for a
// tab bar, its tab `tab`).
struct AccessKey {
    int key = 0;
    QWidget *control = nullptr;
    int tab = -1;
    QString caption;
};

// Every access key that the shown, enabled controls of `form` carry in
// their captions: buttons, labels with a buddy, frames and tabs.
QList<AccessKey> accessKeys(screens::Form *form)
{
    QList<AccessKey> keys;
    const auto add = [&keys](const QString &caption, QWidget *control, int tab = -1) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
        if (!mnemonic.isEmpty())
            keys << AccessKey{mnemonic[0].key(), control, tab, caption};
    };
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (!w->isVisible() || !w->isEnabled() || w->window() != form->window())
            continue;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            add(b->text(), b);
        else if (auto *l = qobject_cast<QLabel *>(w); l && l->buddy())
            add(l->text(), l->buddy());
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            add(g->title(), g);
        else if (auto *t = qobject_cast<QTabBar *>(w))
            for (int i = 0; i < t->count(); ++i)
                add(t->tabText(i), t, i);
    }
    return keys;
}

class KeyboardTest : public ShellScreenTest {
protected:
    void SetUp() override
    {
        ShellScreenTest::SetUp();
        main->resize(1024, 768);
        main->show();
        QApplication::setActiveWindow(main);
        modMain::gblnInstellingenGelezen = true;
        // A landfill on the 2008 rules, not company-bound, with a facility.
        site = addSite(QStringLiteral("Stortplaats 't Veld"), 1, 3, 80);
        runSql(dataFile, QStringLiteral("UPDATE tblStort SET bytBedrijfsGebonden=0, sngNazorgOpp=5, bytRapEval=1, "
                                        "sngAlgRisicoBedrag=1000 WHERE idrStort_ID=%1")
                             .arg(site));
        facility = addFacility(site, 7, QStringLiteral("Keet"));
        modMain::OpenInrichting(site);
        if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
            notice->Timer1_Timer();
    }

    // Opens the screen in the state `state` names ("frmConfig-tab2",
    // "frmAct-kostenpost", ...) and gives it the focus.
    screens::Form *open(const QString &state)
    {
        const QString screen = state.section(QLatin1Char('-'), 0, 0);
        const QString detail = state.section(QLatin1Char('-'), 1);
        screens::Form *form = nullptr;
        if (screen == QLatin1String("frmSplash")) {
            form = shell::frmSplash::loadAbout();
        } else if (screen == QLatin1String("frmOpenInr")) {
            trigger("open_inrichting");
            form = screens::Form::loaded<shell::frmOpenInr>();
        } else if (screen == QLatin1String("frmInrNieuwDialog")) {
            trigger("Nieuwe_inrichting");
            form = screens::Form::loaded<shell::frmInrNieuwDialog>();
            typeText(control<QLineEdit>(form, "Text1"), QStringLiteral("Zandput"));
            clickBox(control<QRadioButton>(form, "optStortType_1"));
            control<QLineEdit>(form, "Text1")->setFocus();
        } else if (screen == QLatin1String("frmConfig")) {
            trigger("Configuratie");
            form = screens::Form::loaded<shell::frmConfig>();
        } else if (screen == QLatin1String("frmUpdateCheck")) {
            trigger("check_updates");
            form = screens::Form::loaded<shell::frmUpdateCheck>();
        } else if (screen == QLatin1String("frmUpdateProxy")) {
            form = shell::frmUpdateProxy::load();
            if (!detail.isEmpty())
                clickBox(control<QRadioButton>(form, detail));
        } else if (screen == QLatin1String("frmBrowser")) {
            form = shell::frmBrowser::open(QString());
        } else if (screen == QLatin1String("frmAlgemeen")) {
            trigger("Algemeen");
            form = screens::Form::loaded<screens::frmAlgemeen>();
        } else if (screen == QLatin1String("frmTonnage")) {
            trigger("Algemeen");
            auto *alg = screens::Form::loaded<screens::frmAlgemeen>();
            control<QTabWidget>(alg, "SSTab1")->setCurrentIndex(3);
            click(control<QPushButton>(alg, "cmdAfvalprognose"));
            form = screens::Form::loaded<screens::frmTonnage>();
        } else if (screen == QLatin1String("frmVersiebeheer")) {
            form = screens::frmVersiebeheer::load();
            form->show();
        } else if (screen == QLatin1String("frmAlgNazKosten")) {
            trigger("AlgNazKosten");
            form = screens::Form::loaded<screens::frmAlgNazKosten>();
        } else if (screen == QLatin1String("frmDoelverm")) {
            trigger("Doelvermogen");
            form = screens::Form::loaded<reports::frmDoelverm>();
        } else if (screen == QLatin1String("frmGevoelAna")) {
            trigger("gev_ana");
            form = screens::Form::loaded<reports::frmGevoelAna>();
            if (!detail.isEmpty()) {
                clickBox(control<QRadioButton>(form, detail));
                control<QLineEdit>(form, "txtRente")->setText(QStringLiteral("5,00"));
                control<QLineEdit>(form, "txtInflatie")->setText(QStringLiteral("2,00"));
            }
        } else if (screen == QLatin1String("frmRapVoorz")) {
            trigger("rap_invoer");
            form = screens::Form::loaded<reports::frmRapVoorz>();
            clickBox(control<QCheckBox>(form, "chkAlg"));
        } else if (screen == QLatin1String("frmRapScherm")) {
            auto *rap = reports::frmRapScherm::load();
            rap->setZichtbaar(true);
            form = rap;
        } else if (screen == QLatin1String("frmAct")) {
            trigger("Act_en_KostPost");
            auto *act = screens::Form::loaded<screens::frmAct>();
            if (detail == QLatin1String("kostenpost")) {
                act->refresh(QStringLiteral("inr") + QString::number(facility));
                auto *dlg = screens::frmAct_AddCustomItem::openen(1);
                control<QLineEdit>(dlg, "txtNaam")->setText(QStringLiteral("Schilderwerk keet"));
                dlg->cdmOK_Click();
                act->BewaarNieuweAct();
                // The dialog is gone before the main window is active again.
                QApplication::processEvents(QEventLoop::AllEvents);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QApplication::setActiveWindow(main);
                act->TreeView1()->setFocus();
            }
            form = act;
        } else if (screen == QLatin1String("frmAct_AddCustomItem")) {
            trigger("Act_en_KostPost");
            screens::Form::loaded<screens::frmAct>()->refresh(QStringLiteral("inr") + QString::number(facility));
            form = screens::frmAct_AddCustomItem::openen(1);
            control<QLineEdit>(form, "txtNaam")->setText(QStringLiteral("Schilderwerk keet"));
        } else if (screen == QLatin1String("frmAct_AddCLitem")) {
            trigger("Act_en_KostPost");
            form = screens::frmAct_AddCLitem::load();
        }
        EXPECT_NE(form, nullptr) << state.toStdString();
        if (!form)
            return nullptr;
        if (detail.startsWith(QLatin1String("tab")))
            if (auto *tabs = form->findChild<QTabWidget *>(QStringLiteral("SSTab1")))
                tabs->setCurrentIndex(detail.mid(3).toInt() - 1);
        QApplication::setActiveWindow(form->window());
        QApplication::processEvents();
        // The focus in the screen, where the screen's own opening left it
        // or else on its first control.
        QWidget *focus = QApplication::focusWidget();
        if (!focus || !form->isAncestorOf(focus))
            if (QWidget *first = screens::firstTabStop(form))
                first->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        return form;
    }

    // Closes every screen; the forecast closes only through its own button.
    void closeAll()
    {
        if (auto *forecast = screens::Form::loaded<screens::frmTonnage>())
            forecast->cmdOK_Click();
        unloadForms();
    }

    qint32 site = 0;
    qint32 facility = 0;
};

// ---- Access keys ----------------------------------------------------------------

TEST_F(KeyboardTest, EveryAccessKeyOfAScreenReachesItsOwnControlAndNoMenu)
{
    const char *const states[] = {"frmSplash",
                                  "frmOpenInr",
                                  "frmInrNieuwDialog",
                                  "frmConfig-tab1",
                                  "frmConfig-tab2",
                                  "frmUpdateCheck",
                                  "frmUpdateProxy",
                                  "frmBrowser",
                                  "frmAlgemeen-tab1",
                                  "frmAlgemeen-tab4",
                                  "frmTonnage",
                                  "frmVersiebeheer",
                                  "frmAlgNazKosten-tab1",
                                  "frmAlgNazKosten-tab2",
                                  "frmDoelverm",
                                  "frmGevoelAna",
                                  "frmRapVoorz",
                                  "frmRapScherm",
                                  "frmAct",
                                  "frmAct-kostenpost",
                                  "frmAct_AddCustomItem",
                                  "frmAct_AddCLitem"};
    int keysTried = 0;
    for (const char *state : states) {
        SCOPED_TRACE(state);
        screens::Form *form = open(QLatin1String(state));
        ASSERT_NE(form, nullptr);
        const QList<AccessKey> keys = accessKeys(form);
        // No two controls of a screen share a key.
        QHash<int, QString> seen;
        for (const AccessKey &k : keys) {
            EXPECT_FALSE(seen.contains(k.key)) << "'" << k.caption.toStdString() << "' and '"
                                               << seen.value(k.key).toStdString() << "' share their access key";
            seen.insert(k.key, k.caption);
        }
        for (const AccessKey &k : keys) {
            SCOPED_TRACE(k.caption.toStdString());
            // What a button does is its screen's tests' matter: here only
            // that the key presses it.
            auto *button = qobject_cast<QAbstractButton *>(k.control);
            if (button)
                QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
            std::unique_ptr<QSignalSpy> clicked(button ? new QSignalSpy(button, &QAbstractButton::clicked) : nullptr);
            QWidget *focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            QTest::keyClick(focus, Qt::Key(k.key), Qt::AltModifier);
            QApplication::processEvents();
            QWidget *popup = QApplication::activePopupWidget();
            EXPECT_EQ(popup, nullptr) << "Alt+" << QKeySequence(k.key).toString().toStdString() << " opened menu "
                                      << (popup ? popup->objectName().toStdString() : "");
            EXPECT_EQ(main->menuBar()->activeAction(), nullptr);
            if (popup)
                popup->close();
            if (clicked)
                EXPECT_EQ(clicked->count(), 1) << "the key did not press the button";
            else if (auto *bar = qobject_cast<QTabBar *>(k.control))
                EXPECT_EQ(bar->currentIndex(), k.tab);
            else if (qobject_cast<QGroupBox *>(k.control))
                EXPECT_TRUE(k.control->isAncestorOf(QApplication::focusWidget()));
            else
                EXPECT_EQ(QApplication::focusWidget(), k.control);
            ++keysTried;
        }
        closeAll();
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }
    // Among them the four that a menu of the menu bar has too.
    EXPECT_GE(keysTried, 4);
}

TEST_F(KeyboardTest, AnAccessKeyThatNoControlOfTheScreenHasOpensItsMenu)
{
    // The site list has no control with B: Alt+B opens "Bestand".
    screens::Form *list = open(QStringLiteral("frmOpenInr"));
    ASSERT_NE(list, nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
    QApplication::processEvents();
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("Bestand"));
    menu->close();
    // And Alt+I, the list's "&Importeer...", not the menu "&Invoer".
    auto *import = control<QPushButton>(list, "cmdImport");
    QObject::disconnect(import, &QAbstractButton::clicked, nullptr, nullptr);
    QSignalSpy clicked(import, &QAbstractButton::clicked);
    list->findChild<QTreeWidget *>(QStringLiteral("lst1"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(clicked.count(), 1);
}

// ---- Enter and Escape ---------------------------------------------------------------

struct DialogKeys {
    const char *state;
    const char *field;         // the control that has the focus
    const char *defaultButton; // what Enter presses; nullptr: none
    const char *cancelButton;  // what Escape presses: it closes the screen
};

const DialogKeys kDialogs[] = {
    {"frmOpenInr", "lst1", "OKButton", "CancelButton"},
    {"frmInrNieuwDialog", "Text1", "Command1", "cmdCancel"},
    {"frmConfig", "txtDataLocatie", "OKButton", "OKButton"},
    {"frmDoelverm", "txtBTWperc", "OKButton", "CancelButton"},
    {"frmGevoelAna-opt1_1", "txtRente", "OKButton", "CancelButton"},
    {"frmRapVoorz", "chkAlg", "OKButton", "CancelButton"},
    {"frmRapScherm", "txtRap", nullptr, "Command1"},
    {"frmAct_AddCustomItem", "txtNaam", "cdmOK", "cmdCancel"},
    {"frmAct_AddCLitem", "tvw1", "cmdClose", "cmdClose"},
    {"frmUpdateCheck", "chkUpdate", nullptr, "cmdClose"},
    {"frmUpdateProxy", "optProxType_0", "OKButton", "CancelButton"},
    {"frmVersiebeheer", "lst1", nullptr, "cmdCancel"},
    {"frmSplash", "cmdClose", nullptr, "cmdClose"},
};

TEST_F(KeyboardTest, EnterPressesTheDefaultButtonOfEveryDialog)
{
    for (const DialogKeys &d : kDialogs) {
        if (!d.defaultButton)
            continue;
        SCOPED_TRACE(d.state);
        screens::Form *form = open(QLatin1String(d.state));
        ASSERT_NE(form, nullptr);
        auto *button = control<QPushButton>(form, d.defaultButton);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled());
        // What the button does is its screen's tests' matter.
        QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        auto *field = control<QWidget>(form, d.field);
        field->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(clicked.count(), 1);
        // The Enter key of the numeric keypad too.
        QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(clicked.count(), 2);
        closeAll();
    }
}

TEST_F(KeyboardTest, EscapePressesTheCancelButtonOfEveryDialogAndClosesIt)
{
    for (const DialogKeys &d : kDialogs) {
        SCOPED_TRACE(d.state);
        screens::Form *opened = open(QLatin1String(d.state));
        ASSERT_NE(opened, nullptr);
        QPointer<screens::Form> form = opened;
        QSignalSpy clicked(control<QPushButton>(form, d.cancelButton), &QAbstractButton::clicked);
        auto *field = control<QWidget>(form, d.field);
        field->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClick(field, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_EQ(clicked.count(), 1);
        EXPECT_TRUE(!form || !form->isLoaded()) << "still open";
        closeAll();
    }
}

} // namespace
