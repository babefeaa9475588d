// The update screen, the proxy dialog and the help browser, offscreen,
// against a local server: what each outcome of a check does to the screen,
// the automatic-check and proxy settings they store, and the browser's
// pages, caption and back/forward.

#include "shell_screen_test_env.h"
#include "update_test_env.h"

#include "shell/frmBrowser.h"
#include "shell/frmUpdateCheck.h"
#include "shell/frmUpdateProxy.h"

#include "screens/form.h"

#include "platform/os/open_document.h"
#include "platform/os/start_program.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

namespace {

using namespace shelltest;
using testsupport::LocalHttpServer;
using ui::Icon;

const QString &kUpdates = kUpdateMap;
const QString kWacht = QStringLiteral("Even geduld a.u.b. ...");

class UpdateScreens : public UpdateServerTest {
protected:
    shell::frmUpdateCheck *openUpdateScreen()
    {
        main->menuItem(QStringLiteral("check_updates"))->trigger();
        return screens::Form::loaded<shell::frmUpdateCheck>();
    }
};

// ---- The update screen ------------------------------------------------------------

TEST_F(UpdateScreens, ScreenShowsAndStoresTheAutomaticCheck)
{
    for (const bool start : {false, true}) {
        modMain::gblnAutoUpdateOnStart = start;
        shell::frmUpdateCheck *f = openUpdateScreen();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Controle op updates"));
        auto *chk = control<QCheckBox>(f, "chkUpdate");
        EXPECT_EQ(chk->isChecked(), start);
        EXPECT_FALSE(control<QProgressBar>(f, "ProgressBar1")->isVisibleTo(f));
        EXPECT_FALSE(control<QLabel>(f, "lblFileNaam")->isVisibleTo(f));
        EXPECT_EQ(f->frame()->pos(), QPoint(screens::Form::twips(500), screens::Form::twips(500)));
        clickBox(chk);
        // Closing by the button or by the window's close box saves alike.
        if (start)
            click(control<QPushButton>(f, "cmdClose"));
        else
            f->frame()->close();
        EXPECT_EQ(screens::Form::loaded<shell::frmUpdateCheck>(), nullptr);
        EXPECT_EQ(modMain::gblnAutoUpdateOnStart, !start);
        EXPECT_EQ(setting(modMain::kSetAutoUpdate), start ? QStringLiteral("False") : QStringLiteral("True"));
    }
}

TEST_F(UpdateScreens, EachOutcomeOfTheCheckHasItsMessageAndEffect)
{
    struct Case {
        const char *name;
        const char *onderhoud;
        const char *programma;
        const char *cl;
        std::function<void(ui::ScriptedDialogs &)> boxes;
        bool staysOpen;
    } cases[] = {
        {"nothing newer", "0", "30,d,tavir,1", "12,d,dbQORCL.mdb,1",
         [](ui::ScriptedDialogs &s) {
             s.expectMsgBox(
                 Icon::Information, QStringLiteral("Controle op updates"),
                 QStringLiteral("Op deze pc zijn de nieuwste versies van TAVIR en het checklistbestand reeds "
                                "geïnstalleerd."));
         },
         false},
        {"no answer", "0", nullptr, nullptr,
         [](ui::ScriptedDialogs &s) {
             s.expectMsgBox(Icon::Exclamation, QStringLiteral("Fout bij controle op updates"),
                            QStringLiteral("Er kan geen verbinding gelegd worden met het internet of de webserver is "
                                           "(tijdelijk) niet beschikbaar. Controleer uw internetverbinding of "
                                           "proxy-instellingen."));
         },
         true},
        {"maintenance", "1", "31,d,tavir,1", "12,d,dbQORCL.mdb,1",
         [](ui::ScriptedDialogs &s) {
             s.expectMsgBox(Icon::Exclamation, QStringLiteral("Update niet beschikbaar"),
                            QStringLiteral("Er is een update opgeleverd, maar door onderhoudsactiviteiten op de server "
                                           "is deze tijdelijk niet beschikbaar. Probeert u het later nog eens. Excuses "
                                           "voor het ongemak."));
         },
         false},
        {"declined", "0", "31,1-6-2027,tavir,1", "12,d,dbQORCL.mdb,1",
         [](ui::ScriptedDialogs &s) {
             s.expectMsgBox(Icon::Question, QStringLiteral("Updaten programma"),
                            QStringLiteral("Er is een update beschikbaar.\n\n- programmaversie: 3.1\n- datum: 1-6-2027"
                                           "\n\nNu downloaden?"),
                            ui::Buttons::YesNo)
                 .answer(ui::Answer::No);
         },
         false},
        // An update the program would not take is refused before any
        // question, and hides nothing else that is newer.
        {"hostile program file", "0", "31,d,tavir,1,../dbQORdata_1.mdb,1", "12,d,dbQORCL.mdb,1",
         [](ui::ScriptedDialogs &s) {
             s.expectMsgBox(Icon::Exclamation, QStringLiteral("Update mislukt..."),
                            QStringLiteral("Het updatebestand op de server noemt \"../dbQORdata_1.mdb\" als "
                                           "programmabestand. Een programma-update kan alleen bestanden met een "
                                           "gewone naam in de programmamap vervangen, en nooit een databestand; er "
                                           "is niets gedownload of gewijzigd. Raadpleeg uw applicatiebeheerder."));
         },
         true},
        {"hostile checklist beside a newer program", "0", "31,1-6-2027,tavir,1", "13,d,dbQORdata_1.mdb,1",
         [](ui::ScriptedDialogs &s) {
             s.expectMsgBox(Icon::Exclamation, QStringLiteral("Update mislukt..."),
                            QStringLiteral("Het updatebestand op de server noemt \"dbQORdata_1.mdb\" als nieuw "
                                           "checklistbestand. Alleen het checklistbestand dbQORCL.mdb kan worden "
                                           "vervangen; er is niets gedownload of gewijzigd. Raadpleeg uw "
                                           "applicatiebeheerder."));
             s.expectMsgBox(Icon::Question, QStringLiteral("Updaten programma"),
                            QStringLiteral("Er is een update beschikbaar.\n\n- programmaversie: 3.1\n- datum: 1-6-2027"
                                           "\n\nNu downloaden?"),
                            ui::Buttons::YesNo)
                 .answer(ui::Answer::No);
         },
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        serveInfo(c.onderhoud, c.programma, c.cl);
        shell::frmUpdateCheck *f = openUpdateScreen();
        ASSERT_NE(f, nullptr);
        c.boxes(script);
        f->cmdGet_Click();
        EXPECT_EQ(screens::Form::loaded<shell::frmUpdateCheck>() != nullptr, c.staysOpen);
        EXPECT_TRUE(script.remaining().isEmpty());
        if (auto *open = screens::Form::loaded<shell::frmUpdateCheck>())
            open->unload();
    }
}

TEST_F(UpdateScreens, AcceptedChecklistIsInstalledFromTheScreen)
{
    const QByteArray bytes = newerChecklist(13);
    server.set(kUpdates + QStringLiteral("dbQORCL.mdb"), bytes);
    serveInfo("0", "30,d,tavir,1", ("13,2-2-2027,dbQORCL.mdb," + QByteArray::number(bytes.size())).constData());

    shell::frmUpdateCheck *f = openUpdateScreen();
    ASSERT_NE(f, nullptr);
    script
        .expectMsgBox(Icon::Question, QStringLiteral("Updaten programma"),
                      QStringLiteral("Er is een update beschikbaar.\n\n- checklistbestandsversie: 13\n- datum: "
                                     "2-2-2027\n\n\nNu downloaden?"),
                      ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    script.expectMsgBox(Icon::Information, QStringLiteral("Actualisatie checklist"),
                        QStringLiteral("Het downloaden is gereed. Het nieuwe checklistbestand is geïnstalleerd."));
    // Through the button itself: the check runs from the event loop.
    click(control<QPushButton>(f, "cmdGet"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return script.remaining().isEmpty(); }, kRuimeTijdslimiet));

    ASSERT_EQ(screens::Form::loaded<shell::frmUpdateCheck>(), f) << "the screen stays";
    EXPECT_EQ(fileBytes(checklist()), bytes);
    EXPECT_EQ(modMain::gintCLVolgnr, 13);
    EXPECT_FALSE(control<QProgressBar>(f, "ProgressBar1")->isVisibleTo(f));
    EXPECT_FALSE(control<QLabel>(f, "lblFileNaam")->isVisibleTo(f));
    EXPECT_TRUE(control<QPushButton>(f, "cmdGet")->isEnabled());
}

TEST_F(UpdateScreens, AcceptedProgramUpdateClosesEveryWindowFromTheScreen)
{
    writeBytes(progDir + QLatin1Char('/') + QLatin1String(modAutoUpdate::kUpdater), "#!/bin/sh\n");
    QStringList started;
    const os::Starter previous = os::setStarter([&](const QString &program, const QStringList &) {
        started << program;
        return true;
    });
    server.set(kUpdates + QStringLiteral("tavir"), QByteArray(2000, 'p'));
    serveInfo("0", "31,1-6-2027,tavir,2000", "12,d,dbQORCL.mdb,1");
    shell::frmUpdateCheck *f = openUpdateScreen();
    ASSERT_NE(f, nullptr);
    script
        .expectMsgBox(Icon::Question, QStringLiteral("Updaten programma"),
                      QStringLiteral("Er is een update beschikbaar.\n\n- programmaversie: 3.1\n- datum: 1-6-2027"
                                     "\n\nNu downloaden?"),
                      ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    click(control<QPushButton>(f, "cmdGet"));
    const bool ended = QTest::qWaitFor([] { return shell::frmMDI_main::instance() == nullptr; }, kRuimeTijdslimiet);
    os::setStarter(previous);

    EXPECT_TRUE(ended);
    EXPECT_EQ(started, QStringList{progDir + QLatin1Char('/') + QLatin1String(modAutoUpdate::kUpdater)});
    EXPECT_TRUE(screens::Form::loadedForms().isEmpty());
    EXPECT_EQ(fileBytes(progDir + QStringLiteral("/_0_tavir")), QByteArray(2000, 'p'));
}

TEST_F(UpdateScreens, TricklingServerEndsTheCheckWithinTheTimeOutWithOneMessage)
{
    trickleInfo();
    shell::frmUpdateCheck *f = openUpdateScreen();
    ASSERT_NE(f, nullptr);
    script.expectMsgBox(Icon::Exclamation, QStringLiteral("Fout bij controle op updates"),
                        QStringLiteral("Er kan geen verbinding gelegd worden met het internet of de webserver is "
                                       "(tijdelijk) niet beschikbaar. Controleer uw internetverbinding of "
                                       "proxy-instellingen."));

    f->cmdGet_Click();

    EXPECT_TRUE(script.remaining().isEmpty());
    EXPECT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(server.requests(), QStringList{kUpdates + QLatin1String(modAutoUpdate::kInfoOnderhoud)})
        << "the check ends at the first request";
    EXPECT_EQ(screens::Form::loaded<shell::frmUpdateCheck>(), f) << "the user can change the proxy and try again";
    EXPECT_TRUE(control<QPushButton>(f, "cmdGet")->isEnabled());
}

TEST_F(UpdateScreens, ClosingTheScreenOrTheProgramBreaksTheCheckOrTheDownloadOff)
{
    // The server keeps every request waiting and the time-out is far away:
    // only breaking off ends them.
    writeBytes(progDir + QLatin1Char('/') + QLatin1String(modAutoUpdate::kUpdater), "#!/bin/sh\n");
    QStringList started;
    const os::Starter previous = os::setStarter([&](const QString &program, const QStringList &) {
        started << program;
        return true;
    });
    LocalHttpServer::Response hang;
    hang.mode = LocalHttpServer::Mode::Hang;
    const auto byButton = [](shell::frmUpdateCheck *f) { click(control<QPushButton>(f, "cmdClose")); };
    const auto byFrame = [](shell::frmUpdateCheck *f) { f->frame()->close(); };
    const auto byAfsluiten = [](shell::frmUpdateCheck *) {
        shell::frmMDI_main::instance()->menuItem(QStringLiteral("Afsluiten"))->trigger();
    };
    struct Case {
        const char *name;
        bool download; // else the check
        std::function<void(shell::frmUpdateCheck *)> close;
        bool programEnds;
    } cases[] = {
        {"check, Sluiten", false, byButton, false},     {"check, close box", false, byFrame, false},
        {"check, Afsluiten", false, byAfsluiten, true}, {"download, Sluiten", true, byButton, false},
        {"download, close box", true, byFrame, false},  {"download, Afsluiten", true, byAfsluiten, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (!shell::frmMDI_main::instance())
            main = shell::frmMDI_main::load();
        const QString waiting = kUpdates + QLatin1String(c.download ? "tavir" : modAutoUpdate::kInfoOnderhoud);
        serveInfo("0", "31,1-6-2027,tavir,2000", "12,d,dbQORCL.mdb,1");
        server.set(waiting, hang);
        if (c.download)
            script
                .expectMsgBox(Icon::Question, QStringLiteral("Updaten programma"),
                              QStringLiteral("Er is een update beschikbaar.\n\n- programmaversie: 3.1\n- datum: "
                                             "1-6-2027\n\nNu downloaden?"),
                              ui::Buttons::YesNo)
                .answer(ui::Answer::Yes);
        const size_t shownBefore = script.shown().size();
        const qsizetype askedBefore = server.requests().size();
        QPointer<shell::frmUpdateCheck> f = openUpdateScreen();
        ASSERT_NE(f, nullptr);
        bool getEnabled = true;
        bool closeEnabled = false;
        // Closes the screen once the server holds the request of this case.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (!server.requests().mid(askedBefore).contains(waiting))
                return;
            closer.stop();
            getEnabled = control<QPushButton>(f, "cmdGet")->isEnabled();
            closeEnabled = control<QPushButton>(f, "cmdClose")->isEnabled();
            c.close(f);
        });
        closer.start(20);

        f->cmdGet_Click();

        EXPECT_FALSE(getEnabled) << "no second check meanwhile";
        EXPECT_TRUE(closeEnabled);
        EXPECT_EQ(screens::Form::loaded<shell::frmUpdateCheck>(), nullptr);
        EXPECT_EQ(shell::frmMDI_main::instance() == nullptr, c.programEnds);
        EXPECT_EQ(script.shown().size() - shownBefore, c.download ? 1u : 0u) << "nothing is said";
        EXPECT_EQ(server.requests().last(), waiting) << "nothing is asked after it";
        EXPECT_TRUE(started.isEmpty());
        EXPECT_FALSE(QFile::exists(progDir + QStringLiteral("/_0_tavir")));
        server.remove(waiting);
    }
    os::setStarter(previous);
}

// ---- The proxy dialog ----------------------------------------------------------

TEST(ProxyEntries, NamedProxyNeedsANameAndAPort)
{
    struct Case {
        int index;
        const char *naam;
        const char *poort;
        const char *veld; // the field refused, or "" when stored
        quint8 type;
        qint32 opgeslagen;
    } cases[] = {
        {2, "proxy.local", "8080", "", 2, 8080},
        {2, " proxy.local ", " 3128 ", "", 2, 3128},
        {2, "", "8080", "txtProxyNaam", 0, 0},
        {2, "proxy.local", "", "txtProxyPoortNr", 0, 0},
        {2, "proxy.local", "80a", "txtProxyPoortNr", 0, 0},
        {2, "proxy.local", "0", "txtProxyPoortNr", 0, 0},
        {2, "proxy.local", "40000", "", 2, 40000},
        {2, "proxy.local", "65535", "", 2, 65535},
        {2, "proxy.local", "65536", "txtProxyPoortNr", 0, 0},
        {2, "proxy.local", "70000", "txtProxyPoortNr", 0, 0},
        {0, "", "abc", "", 0, 0}, // unused fields are not refused; no number is 0
        {1, "proxy.local", "8080", "", 1, 8080},
    };
    for (const Case &c : cases) {
        shell::ProxyKeuze keuze;
        QString veld;
        const QString melding =
            shell::pfunControleerProxy(c.index, QString::fromUtf8(c.naam), QString::fromUtf8(c.poort), keuze, &veld);
        EXPECT_EQ(veld, QLatin1String(c.veld)) << c.naam << ":" << c.poort;
        EXPECT_EQ(melding.isEmpty(), QLatin1String(c.veld).isEmpty()) << c.naam << ":" << c.poort;
        if (melding.isEmpty()) {
            EXPECT_EQ(keuze.type, c.type);
            EXPECT_EQ(keuze.poort, c.opgeslagen);
            EXPECT_EQ(keuze.naam, QString::fromUtf8(c.naam).trimmed());
        }
    }
}

TEST_F(UpdateScreens, ProxyDialogShowsAndStoresTheChoice)
{
    modMain::gbytProxySetting = 2;
    modMain::gstrProxyNaam = QStringLiteral("proxy.local");
    modMain::gintProxyPoort = 8080;
    shell::frmUpdateCheck *f = openUpdateScreen();
    click(control<QPushButton>(f, "cmdProxysettings"));
    auto *d = screens::Form::loaded<shell::frmUpdateProxy>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Geavanceerd"));
    EXPECT_TRUE(control<QRadioButton>(d, "optProxType_2")->isChecked());
    auto *kader = control<QWidget>(d, "picKader");
    EXPECT_TRUE(kader->isVisibleTo(d));
    EXPECT_EQ(control<QLineEdit>(d, "txtProxyNaam")->text(), QStringLiteral("proxy.local"));
    EXPECT_EQ(control<QLineEdit>(d, "txtProxyPoortNr")->text(), QStringLiteral("8080"));

    // A refused port keeps the dialog open and stores nothing.
    auto *poort = control<QLineEdit>(d, "txtProxyPoortNr");
    poort->clear();
    typeText(poort, QStringLiteral("70000"));
    script.expectMsgBox(Icon::Exclamation, QStringLiteral("Geavanceerd"),
                        QStringLiteral("Vul als poortnummer een heel getal van 1 tot en met 65535 in."));
    click(control<QPushButton>(d, "OKButton"));
    EXPECT_EQ(screens::Form::loaded<shell::frmUpdateProxy>(), d);
    EXPECT_EQ(setting(modMain::kSetProxyPoort), QStringLiteral("<missing>"));

    poort->clear();
    typeText(poort, QStringLiteral("3128"));
    clickBox(control<QRadioButton>(d, "optProxType_1"));
    EXPECT_FALSE(kader->isVisibleTo(d));
    click(control<QPushButton>(d, "OKButton"));
    EXPECT_EQ(screens::Form::loaded<shell::frmUpdateProxy>(), nullptr);
    EXPECT_EQ(modMain::gbytProxySetting, 1);
    EXPECT_EQ(modMain::gintProxyPoort, 3128);
    EXPECT_EQ(setting(modMain::kSetProxySetting), QStringLiteral("1"));
    EXPECT_EQ(setting(modMain::kSetProxyNaam), QStringLiteral("proxy.local"));
    EXPECT_EQ(setting(modMain::kSetProxyPoort), QStringLiteral("3128"));
    // The next request takes it.
    EXPECT_EQ(modAutoUpdate::pfunNetOpties().proxy.accessType, 1);
    EXPECT_EQ(modAutoUpdate::pfunNetOpties().proxy.port, 3128);

    // Cancel changes nothing.
    click(control<QPushButton>(f, "cmdProxysettings"));
    d = screens::Form::loaded<shell::frmUpdateProxy>();
    ASSERT_NE(d, nullptr);
    clickBox(control<QRadioButton>(d, "optProxType_0"));
    click(control<QPushButton>(d, "CancelButton"));
    EXPECT_EQ(modMain::gbytProxySetting, 1);
    EXPECT_EQ(setting(modMain::kSetProxySetting), QStringLiteral("1"));
}

// ---- The help browser -----------------------------------------------------------

TEST(BrowserHistory, BackForwardAndANewPageDropsWhatWasAhead)
{
    shell::BrowserGeschiedenis h;
    EXPECT_FALSE(h.kanTerug());
    EXPECT_TRUE(h.terug().isEmpty());
    h.bezoek(QUrl(QStringLiteral("http://s/a")));
    h.bezoek(QUrl(QStringLiteral("http://s/b")));
    h.bezoek(QUrl(QStringLiteral("http://s/c")));
    EXPECT_EQ(h.terug(), QUrl(QStringLiteral("http://s/b")));
    EXPECT_EQ(h.terug(), QUrl(QStringLiteral("http://s/a")));
    EXPECT_TRUE(h.terug().isEmpty());
    EXPECT_EQ(h.huidig(), QUrl(QStringLiteral("http://s/a")));
    EXPECT_EQ(h.vooruit(), QUrl(QStringLiteral("http://s/b")));
    h.bezoek(QUrl(QStringLiteral("http://s/d")));
    EXPECT_FALSE(h.kanVooruit());
    EXPECT_EQ(h.terug(), QUrl(QStringLiteral("http://s/b")));
    EXPECT_EQ(h.vooruit(), QUrl(QStringLiteral("http://s/d")));
}

class HelpBrowser : public UpdateScreens {
protected:
    void SetUp() override
    {
        UpdateScreens::SetUp();
        LocalHttpServer::Response index;
        index.contentType = "text/html; charset=utf-8";
        index.body = "<html><head><title>Handleiding TAVIR</title></head><body><h1>Handleiding</h1>"
                     "<a href=\"helpdesk.html\">Helpdesk</a> <a href=\"mailto:helpdesk@example.org\">mail</a>"
                     "</body></html>";
        server.set(QStringLiteral("/tavir/program/index.asp?var=1"), index);
        LocalHttpServer::Response helpdesk = index;
        helpdesk.body = "<html><head><title>Helpdesk</title></head><body>Bel ons.</body></html>";
        server.set(QStringLiteral("/tavir/program/helpdesk.html"), helpdesk);
    }

    static bool settle(shell::frmBrowser *b)
    {
        // The page is there and the timer has seen it.
        auto *timer = b->findChild<QTimer *>(QStringLiteral("timTimer"));
        return QTest::qWaitFor([b, timer] { return !b->isBezig() && !timer->isActive(); }, kRuimeTijdslimiet);
    }

    static void button(shell::frmBrowser *b, int index)
    {
        QAction *a = b->findChild<QAction *>(QStringLiteral("tbToolBar_%1").arg(index));
        ASSERT_NE(a, nullptr);
        a->trigger();
    }
};

TEST_F(HelpBrowser, EachOpeningIsANewWindowOnTheHelpPage)
{
    main->menuItem(QStringLiteral("online_support"))->trigger();
    main->menuItem(QStringLiteral("online_support"))->trigger();
    const QList<screens::Form *> forms = screens::Form::loadedForms();
    ASSERT_EQ(loadedFormNames(), QStringList({"frmBrowser", "frmBrowser"}));
    for (screens::Form *f : forms)
        EXPECT_EQ(f->windowTitle(), kWacht) << "busy until the page is there";
    for (screens::Form *f : forms) {
        auto *b = qobject_cast<shell::frmBrowser *>(f);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->StartingAddress, server.base() + QStringLiteral("/tavir/program/index.asp?var=1"));
        ASSERT_TRUE(settle(b));
        EXPECT_EQ(b->windowTitle(), QStringLiteral("Handleiding TAVIR"));
        EXPECT_TRUE(control<QTextBrowser>(b, "brwWebBrowser")->toPlainText().contains(QStringLiteral("Handleiding")));
        EXPECT_FALSE(control<QTimer>(b, "timTimer")->isActive());
    }
    EXPECT_EQ(server.requests(), QStringList({"/tavir/program/index.asp?var=1", "/tavir/program/index.asp?var=1"}));
}

TEST_F(HelpBrowser, LinksBackAndForward)
{
    shell::frmBrowser *b = shell::frmBrowser::open(modAutoUpdate::pfunHelpAdres());
    ASSERT_TRUE(settle(b));
    auto *view = control<QTextBrowser>(b, "brwWebBrowser");
    auto *tools = control<QWidget>(b, "tbToolBar");
    EXPECT_EQ(b->findChild<QAction *>(QStringLiteral("tbToolBar_1"))->toolTip(), QStringLiteral("Back"));
    EXPECT_EQ(b->findChild<QAction *>(QStringLiteral("tbToolBar_2"))->toolTip(), QStringLiteral("Forward"));
    ASSERT_NE(tools, nullptr);

    // "Back" with nothing behind does nothing.
    button(b, 1);
    ASSERT_TRUE(settle(b));
    EXPECT_EQ(b->windowTitle(), QStringLiteral("Handleiding TAVIR"));
    EXPECT_EQ(server.requests().size(), 1);

    emit view->anchorClicked(QUrl(QStringLiteral("helpdesk.html")));
    ASSERT_TRUE(settle(b));
    EXPECT_EQ(b->windowTitle(), QStringLiteral("Helpdesk"));
    EXPECT_EQ(b->huidigAdres(), server.url(QStringLiteral("/tavir/program/helpdesk.html")));

    button(b, 1);
    ASSERT_TRUE(settle(b));
    EXPECT_EQ(b->windowTitle(), QStringLiteral("Handleiding TAVIR"));
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("Handleiding")));

    button(b, 2);
    ASSERT_TRUE(settle(b));
    EXPECT_EQ(b->windowTitle(), QStringLiteral("Helpdesk"));
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("Bel ons.")));

    // A mail link goes to the desktop, the page stays.
    QStringList opened;
    const os::Opener previous = os::setOpener([&](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    emit view->anchorClicked(QUrl(QStringLiteral("mailto:helpdesk@example.org")));
    os::setOpener(previous);
    EXPECT_EQ(opened, QStringList{"mailto:helpdesk@example.org"});
    EXPECT_EQ(b->windowTitle(), QStringLiteral("Helpdesk"));
}

TEST_F(HelpBrowser, PicturesOfThePageComeThroughTheNetwork)
{
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(QColor(200, 30, 30));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(logo.save(&buffer, "PNG"));
    LocalHttpServer::Response plaatje;
    plaatje.contentType = "image/png";
    plaatje.body = png;
    server.set(QStringLiteral("/tavir/program/img/logo.png"), plaatje);
    server.set(QStringLiteral("/tavir/program/kapot.png"), QByteArray("geen plaatje"));
    LocalHttpServer::Response pagina;
    pagina.contentType = "text/html";
    pagina.body = "<html><head><title>Met plaatjes</title></head><body><p><img src=\"img/logo.png\"> TAVIR</p>"
                  "<p><img src=\"/tavir/program/img/logo.png\"><img src=\"kapot.png\"><img src=\"weg.png\"></p>"
                  "<a href=\"helpdesk.html\">Helpdesk</a></body></html>";
    server.set(QStringLiteral("/tavir/program/plaatjes.html"), pagina);

    shell::frmBrowser *b = shell::frmBrowser::open(server.base() + QStringLiteral("/tavir/program/plaatjes.html"));
    ASSERT_TRUE(settle(b));

    EXPECT_EQ(b->windowTitle(), QStringLiteral("Met plaatjes"));
    // Each picture once, the same one under two spellings too.
    EXPECT_EQ(server.requests(), QStringList({"/tavir/program/plaatjes.html", "/tavir/program/img/logo.png",
                                              "/tavir/program/kapot.png", "/tavir/program/weg.png"}));
    auto *view = control<QTextBrowser>(b, "brwWebBrowser");
    const QVariant shown =
        view->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("img/logo.png")));
    ASSERT_EQ(shown.typeId(), QMetaType::QImage);
    EXPECT_EQ(shown.value<QImage>().size(), QSize(40, 20));
    EXPECT_FALSE(view->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("kapot.png"))).isValid());

    // Away and back: the pictures are kept.
    emit view->anchorClicked(QUrl(QStringLiteral("helpdesk.html")));
    ASSERT_TRUE(settle(b));
    button(b, 1);
    ASSERT_TRUE(settle(b));
    EXPECT_EQ(b->windowTitle(), QStringLiteral("Met plaatjes"));
    EXPECT_EQ(server.requests().size(), 6);
    EXPECT_EQ(view->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("img/logo.png"))).typeId(),
              QMetaType::QImage);
}

TEST_F(HelpBrowser, PageThatCannotBeFetchedSaysWhy)
{
    shell::frmBrowser *b = shell::frmBrowser::open(server.base() + QStringLiteral("/tavir/program/weg.html"));
    ASSERT_TRUE(settle(b));
    EXPECT_EQ(b->windowTitle(), QStringLiteral("Pagina kan niet worden weergegeven"));
    EXPECT_TRUE(control<QTextBrowser>(b, "brwWebBrowser")->toPlainText().contains(QStringLiteral("foutcode 404")));
}

TEST_F(HelpBrowser, EmptyAddressOpensABlankWindow)
{
    shell::frmBrowser *b = shell::frmBrowser::open(QString());
    QTest::qWait(20);
    EXPECT_FALSE(b->isBezig());
    EXPECT_FALSE(control<QTimer>(b, "timTimer")->isActive());
    EXPECT_TRUE(control<QTextBrowser>(b, "brwWebBrowser")->toPlainText().isEmpty());
    EXPECT_TRUE(server.requests().isEmpty());
    // A very small window is no error.
    b->frame()->resize(4, 4);
    QTest::qWait(10);
    EXPECT_EQ(screens::Form::loaded<shell::frmBrowser>(), b);
}

} // namespace
