// The update check and download against a local update server: reading the
// info files, the outcome of a check, installing a newer checklist file
// (only a complete, valid one, never in part), handing a program update to
// the updater, and every failure on the way with its message.

#include "update_test_env.h"

#include "shell/file_locations.h"
#include "shell/frmUpdateCheck.h"
#include "shell/frmUpdateProxy.h"

#include "platform/os/start_program.h"
#include "platform/ui/busy_cursor.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMap>
#include <QTimer>

#include <vector>

namespace {

using namespace shelltest;
using testsupport::LocalHttpServer;
using ui::Icon;

const QString &kUpdates = kUpdateMap;

// Every file of the program folder with its bytes.
QMap<QString, QByteArray> folderBytes(const QString &dir)
{
    QMap<QString, QByteArray> bytes;
    for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden))
        bytes.insert(name, fileBytes(dir + QLatin1Char('/') + name));
    return bytes;
}

// ---- The rules of the check, without a server ------------------------------------

TEST(UpdateRules, InfoFileGivesItsStatusAndInformation)
{
    struct Case {
        const char *tekst;
        qint32 geinstalleerd;
        bool programma;
        int status;
        const char *info;
    } cases[] = {
        // program files: version, date, then name and size pairs
        {"31,12-03-2027,tavir,1500", 30, true, 1, "\n- programmaversie: 3.1\n- datum: 12-03-2027"},
        {" 32 , 1 april 2027 ,tavir,10,libx.so,20\r\n", 31, true, 1, "\n- programmaversie: 3.2\n- datum: 1 april 2027"},
        {"30,12-03-2027,tavir,1500", 30, true, 0, ""},
        {"29", 30, true, 0, ""},                                                 // older: the rest is not needed
        {"40,d,tavir,1500,", 30, true, 1, "\n- programmaversie: 4\n- datum: d"}, // a trailing comma is no field
        // checklist: sequence number, date, name, size; further fields ignored
        {"13,1-1-2027,dbQORCL.mdb,4096,x", 12, false, 1, "\n- checklistbestandsversie: 13\n- datum: 1-1-2027\n"},
        {"12,1-1-2027,dbQORCL.mdb,4096", 12, false, 0, ""},
        // not received
        {"", 30, true, 9, ""},
        {"<HTML><BODY>404</BODY></HTML>", 30, true, 9, ""},
        // garbage and incomplete releases
        {"drie,1-1-2027,tavir,10", 30, true, 9, ""},
        {"3.1,1-1-2027,tavir,10", 30, true, 9, ""},
        {"31", 30, true, 9, ""}, // newer without date or files
        {"31,1-1-2027", 30, true, 9, ""},
        {"31,1-1-2027,tavir", 30, true, 9, ""}, // a name without its size
        {"31,1-1-2027,tavir,10,libx.so", 30, true, 9, ""},
        {"31,1-1-2027,tavir,tien", 30, true, 9, ""},
        {"31,1-1-2027,tavir,-1", 30, true, 9, ""},
        // the names are judged when the update is carried out, with a message
        {"31,1-1-2027,../../bin/sh,10", 30, true, 1, "\n- programmaversie: 3.1\n- datum: 1-1-2027"},
        {"13,1-1-2027,..\\dbQORCL.mdb,10", 12, false, 1, "\n- checklistbestandsversie: 13\n- datum: 1-1-2027\n"},
        {"13,1-1-2027", 12, false, 9, ""},
    };
    for (const Case &c : cases) {
        QString info;
        QStringList velden;
        const int status =
            modAutoUpdate::pfunStatus(QString::fromUtf8(c.tekst), c.geinstalleerd, c.programma, info, velden);
        EXPECT_EQ(status, c.status) << c.tekst;
        EXPECT_EQ(info, QString::fromUtf8(c.info)) << c.tekst;
        EXPECT_EQ(velden.isEmpty(), status == 9) << c.tekst;
    }
}

TEST(UpdateRules, MaintenanceVersionTextAndProgress)
{
    for (const auto &[tekst, aan] : {std::pair{"", true},
                                     {"1", true},
                                     {"1\r\n", true},
                                     {"0", false},
                                     {"2", false},
                                     {"<HTML>Service Unavailable</HTML>", true},
                                     {"html", false}})
        EXPECT_EQ(modAutoUpdate::pfunInOnderhoud(QString::fromUtf8(tekst)), aan) << tekst;

    for (const auto &[nr, tekst] : {std::pair{31, "3.1"}, {30, "3"}, {32, "3.2"}, {315, "31.5"}, {40, "4"}})
        EXPECT_EQ(modAutoUpdate::pfunVersieTekst(nr), QLatin1String(tekst)) << nr;

    // The bar counts units of 1024 bytes, rounded half to even; 0 hides it.
    struct Voortgang {
        qint32 grootte;
        int maximum;
        qint64 ontvangen;
        int waarde;
    } voortgang[] = {{1500, 1, 1500, 1}, {500, 0, 500, 0},   {1536, 2, 1025, 2}, {2560, 2, 2560, 2},
                     {4096, 4, 1024, 1}, {4096, 4, 1025, 2}, {4096, 4, 0, 0}};
    for (const Voortgang &v : voortgang) {
        EXPECT_EQ(modAutoUpdate::pfunVoortgangMaximum(v.grootte), v.maximum) << v.grootte;
        EXPECT_EQ(modAutoUpdate::pfunVoortgangWaarde(v.ontvangen, v.grootte), v.waarde)
            << v.grootte << " " << v.ontvangen;
    }
}

// ---- Against a local update server ---------------------------------------------

class AutoUpdate : public UpdateServerTest {
protected:
    void SetUp() override
    {
        UpdateServerTest::SetUp();
        installed = fileBytes(checklist());
        previousStarter = os::setStarter([this](const QString &program, const QStringList &arguments) {
            started << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
            return starterWorks;
        });
    }

    void TearDown() override
    {
        os::setStarter(previousStarter);
        UpdateServerTest::TearDown();
    }

    QString inProg(const QString &name) const { return progDir + QLatin1Char('/') + name; }

    // Offers `content` as the new checklist file, listed with `size` bytes.
    void offerChecklist(const QByteArray &content, qint64 size = -1)
    {
        server.set(kUpdates + QStringLiteral("dbQORCL.mdb"), content);
        const QByteArray info = "13,1-1-2027,dbQORCL.mdb," + QByteArray::number(size < 0 ? content.size() : size);
        serveInfo("0", "30,1-1-2026,tavir,10", info.constData());
    }

    modAutoUpdate::UpdateUitkomst check() { return modAutoUpdate::ControleerUpdates(); }

    // The central error reporter's box for a failed request.
    void expectRequestError(long number, const QString &text, const QString &file)
    {
        script.expectMsgBox(Icon::Critical, QStringLiteral("Fout %1").arg(number),
                            text + QStringLiteral("\nBron: ") + server.base() + kUpdates + file);
    }
    void expectChecklistFailed()
    {
        script.expectMsgBox(Icon::Exclamation, QStringLiteral("Update mislukt..."),
                            QStringLiteral("Downloaden van de checklist is mislukt. De update kon niet uitgevoerd "
                                           "worden. Raadpleeg uw applicatiebeheerder."));
    }
    void expectProgramFailed()
    {
        script.expectMsgBox(Icon::Exclamation, QStringLiteral("Update mislukt..."),
                            QStringLiteral("Downloaden is mislukt. De update kon niet uitgevoerd worden. Raadpleeg uw "
                                           "applicatiebeheerder."));
    }
    void expectInstalled()
    {
        script.expectMsgBox(Icon::Information, QStringLiteral("Actualisatie checklist"),
                            QStringLiteral("Het downloaden is gereed. Het nieuwe checklistbestand is geïnstalleerd."));
    }
    void expectWrongByteCount(const QString &name)
    {
        script.expectMsgBox(Icon::Exclamation, QStringLiteral("Downloaden ") + name,
                            QStringLiteral("Het aantal bytes dat gedownload is klopt niet. Mogelijk is het "
                                           "downloaden mislukt. Probeert u het later nog eens."));
    }

    // The installed checklist file and the state read from it are unchanged,
    // and no download is left beside it.
    void expectOldChecklistInUse()
    {
        EXPECT_EQ(fileBytes(checklist()), installed);
        EXPECT_EQ(modMain::gintCLVolgnr, 12);
        EXPECT_FALSE(QFile::exists(inProg(QStringLiteral("_0_dbQORCL.mdb"))));
    }

    QStringList programFolder() const { return QDir(progDir).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    void placeUpdater() { writeBytes(inProg(QLatin1String(modAutoUpdate::kUpdater)), "#!/bin/sh\n"); }

    QString expectedHandOver() const
    {
        return inProg(QLatin1String(modAutoUpdate::kUpdater)) + QLatin1Char(' ')
               + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral("|TAVIR");
    }

    QByteArray installed;
    QStringList started;
    bool starterWorks = true;
    os::Starter previousStarter;
};

TEST_F(AutoUpdate, NothingNewerOnTheServer)
{
    serveInfo("0", "30,1-1-2026,tavir,1500", "12,1-1-2026,dbQORCL.mdb,4096");
    const auto u = check();
    EXPECT_FALSE(u.inOnderhoud);
    EXPECT_EQ(u.statusChecklist, 0);
    EXPECT_EQ(u.statusProgramma, 0);
    EXPECT_TRUE(u.info.isEmpty());
    EXPECT_EQ(modAutoUpdate::gstrUpdateURL, server.base() + kUpdates);
    EXPECT_EQ(server.requests(), QStringList({kUpdates + "updateinfo_isinonderhoud.txt",
                                              kUpdates + "updateinfo_prog.txt", kUpdates + "updateinfo_cl.txt"}));
    EXPECT_EQ(modAutoUpdate::garrUpdateProg, QStringList({"30", "1-1-2026", "tavir", "1500"}));
    EXPECT_TRUE(screens::Form::loadedForms().isEmpty()) << "the screen loaded for the check has gone";
}

TEST_F(AutoUpdate, ChecklistThatAKilledRunDownloadedButNeverInstalledGoesWithTheNextCheck)
{
    const QString leftover = QFileInfo(checklist()).path() + QStringLiteral("/_0_dbQORCL.mdb");
    writeBytes(leftover, fileBytes(checklist()));
    serveInfo("0", "30,1-1-2026,tavir,1500", "12,1-1-2026,dbQORCL.mdb,4096");

    const auto u = check();

    EXPECT_EQ(u.statusChecklist, 0);
    EXPECT_FALSE(QFileInfo::exists(leftover));
    EXPECT_EQ(programFolder(), QStringList({"db00.mdb", "dbQORCL.mdb"}));
}

TEST_F(AutoUpdate, NewerChecklistAndProgramTogether)
{
    serveInfo("0", "32,d2,tavir,1500", "13,d1,dbQORCL.mdb,4096");
    const auto u = check();
    EXPECT_EQ(u.statusChecklist, 1);
    EXPECT_EQ(u.statusProgramma, 1);
    EXPECT_EQ(u.info,
              QStringLiteral("\n- checklistbestandsversie: 13\n- datum: d1\n\n- programmaversie: 3.2\n- datum: d2"));
}

TEST_F(AutoUpdate, MaintenanceAndFilesNotReceived)
{
    struct Case {
        const char *name;
        const char *onderhoud;
        const char *programma;
        const char *cl;
        bool inOnderhoud;
        int statusCL;
        int statusProg;
    } cases[] = {
        {"maintenance", "1", "30,d,tavir,1", "13,d,dbQORCL.mdb,5", true, 1, 0},
        {"maintenance file missing", nullptr, "30,d,tavir,1", "13,d,dbQORCL.mdb,5", true, 1, 0},
        {"empty maintenance file", "", "30,d,tavir,1", "13,d,dbQORCL.mdb,5", true, 1, 0},
        // an error page for the program does not hide the checklist
        {"program file missing", "0", nullptr, "13,d,dbQORCL.mdb,5", false, 1, 9},
        {"garbage", "0", "Welkom op onze server!", "dertien", false, 9, 9},
    };
    for (const Case &c : cases) {
        serveInfo(c.onderhoud, c.programma, c.cl);
        const auto u = check();
        EXPECT_EQ(u.inOnderhoud, c.inOnderhoud) << c.name;
        EXPECT_EQ(u.statusChecklist, c.statusCL) << c.name;
        EXPECT_EQ(u.statusProgramma, c.statusProg) << c.name;
    }
}

TEST_F(AutoUpdate, TimedOutCheckFailsWithoutMessagesOfItsOwn)
{
    // No answer, and an answer a byte at a time: the time-out is for the
    // whole request.
    for (const bool trickle : {false, true}) {
        SCOPED_TRACE(trickle ? "trickle" : "hang");
        if (trickle)
            trickleInfo();
        else
            hangInfo();
        const qsizetype asked = server.requests().size();
        const auto u = check();
        EXPECT_TRUE(u.inOnderhoud);
        EXPECT_EQ(u.statusChecklist, 9);
        EXPECT_EQ(u.statusProgramma, 9);
        EXPECT_FALSE(u.afgebroken);
        EXPECT_EQ(server.requests().size() - asked, 1);
        EXPECT_TRUE(script.shown().empty());
        EXPECT_FALSE(ui::isBusyCursor());
    }
}

TEST_F(AutoUpdate, CheckShowsTheUpdateScreenWhoseClosingBreaksItOff)
{
    // As at start: no update screen yet. The server keeps the first request
    // waiting, far beyond the time-out.
    hangInfo();
    modAutoUpdate::setTijdslimiet(kRuimeTijdslimiet);
    for (const bool program : {false, true}) {
        SCOPED_TRACE(program ? "the program closes" : "the screen closes");
        if (!shell::frmMDI_main::instance())
            main = shell::frmMDI_main::load();
        ASSERT_EQ(screens::Form::loaded<shell::frmUpdateCheck>(), nullptr);
        const qsizetype asked = server.requests().size();
        bool shown = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (server.requests().size() == asked)
                return;
            closer.stop();
            shell::frmUpdateCheck *f = screens::Form::loaded<shell::frmUpdateCheck>();
            shown = f && f->isVisible();
            if (program)
                shell::frmMDI_main::unload();
            else if (f)
                f->unload();
        });
        closer.start(20);

        const auto u = check();

        EXPECT_TRUE(shown);
        EXPECT_TRUE(u.afgebroken);
        EXPECT_EQ(u.statusChecklist, 0) << "nothing is offered";
        EXPECT_EQ(u.statusProgramma, 0);
        EXPECT_EQ(server.requests().size() - asked, 1);
        EXPECT_TRUE(script.shown().empty()) << "nothing is said";
        EXPECT_EQ(screens::Form::loaded<shell::frmUpdateCheck>(), nullptr);
        EXPECT_EQ(shell::frmMDI_main::instance() == nullptr, program);
        EXPECT_FALSE(ui::isBusyCursor());
        EXPECT_FALSE(modAutoUpdate::BreekAf()) << "nothing runs any more";
    }
}

TEST_F(AutoUpdate, ServerThatCannotBeReachedEndsTheCheckAtTheFirstRequest)
{
    // Nothing listens on a port just given up; a name under .invalid is
    // never found; a server that hangs gives no answer in time.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const QString dead = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
    probe.close();
    hangInfo();
    for (const QString &adres : {dead, QStringLiteral("http://updates.invalid"), server.base()}) {
        SCOPED_TRACE(adres.toStdString());
        modAutoUpdate::setServerAdres(adres);
        const qsizetype asked = server.requests().size();

        const auto u = check();

        EXPECT_TRUE(script.shown().empty()) << "the caller says it once";
        EXPECT_TRUE(u.inOnderhoud);
        EXPECT_EQ(u.statusChecklist, 9);
        EXPECT_EQ(u.statusProgramma, 9);
        EXPECT_LE(server.requests().size() - asked, 1);
        EXPECT_FALSE(ui::isBusyCursor());
    }
}

TEST_F(AutoUpdate, ServerAddressIsOneSettingAndTheHelpPageFollowsIt)
{
    modAutoUpdate::setServerAdres(QString());
    modMain::LeesInstellingen();
    EXPECT_EQ(modAutoUpdate::pfunServerAdres(), QStringLiteral("https://www.example.org"));
    EXPECT_EQ(modAutoUpdate::pfunHelpAdres(), QStringLiteral("https://www.example.org/tavir/program/index.asp?var=1"));

    // An administrator's own server, written with a trailing "/".
    modMain::BewaarInstelling(QLatin1String(modMain::kSetUpdateServer), server.base() + QStringLiteral("/ "));
    modMain::LeesInstellingen();
    modMain::gbytProxySetting = 1;
    EXPECT_EQ(modAutoUpdate::pfunUpdateMap(), server.base() + kUpdates);
    EXPECT_EQ(modAutoUpdate::pfunHelpAdres(), server.base() + QStringLiteral("/tavir/program/index.asp?var=1"));
    serveInfo("0", "30,d,tavir,1", "12,d,dbQORCL.mdb,5");
    const auto u = check();
    EXPECT_EQ(u.statusChecklist, 0);
    EXPECT_EQ(u.statusProgramma, 0);
    EXPECT_EQ(server.requests().size(), 3);
}

TEST_F(AutoUpdate, ServerAddressOutlivesAProgramUpdate)
{
    const QString app = QLatin1String(modMain::kInstellingenApp);
    const QStringList sections = {"TAVIR", "TAVIR3_0", "TAVIR3_1", "TAVIR3_2"};
    // The sections this test writes go again, also when it fails.
    struct Clean {
        const QString &app;
        const QStringList &sections;
        void operator()() const
        {
            for (const QString &section : sections)
                settings::DeleteSetting(app, section);
        }
        ~Clean() { (*this)(); }
    } clean{app, sections};
    struct Case {
        const char *name;
        std::vector<std::pair<const char *, const char *>> stored; // section, address
        tavir::ProgramVersion version;
        const char *expected;
    } cases[] = {
        {"made for 3.0, used by 3.1", {{"TAVIR3_0", "http://alt.example"}}, {3, 1, 0}, "http://alt.example"},
        {"the section without a version", {{"TAVIR", "http://alt.example"}}, {3, 1, 0}, "http://alt.example"},
        {"it wins over a version's own",
         {{"TAVIR", "http://alt.example"}, {"TAVIR3_1", "http://oud.example"}},
         {3, 1, 0},
         "http://alt.example"},
        {"this version's before earlier ones",
         {{"TAVIR3_1", "http://alt.example"}, {"TAVIR3_0", "http://oud.example"}},
         {3, 1, 0},
         "http://alt.example"},
        {"the newest earlier version's",
         {{"TAVIR3_0", "http://oud.example"}, {"TAVIR3_1", "http://alt.example"}},
         {3, 2, 0},
         "http://alt.example"},
        {"none", {}, {3, 1, 0}, "https://www.example.org"},
    };
    modAutoUpdate::setServerAdres(QString());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        clean();
        for (const auto &[section, address] : c.stored)
            settings::SaveSetting(app, QLatin1String(section), QLatin1String(modMain::kSetUpdateServer),
                                  QLatin1String(address));
        modMain::gVersion = c.version;

        modMain::LeesInstellingen();

        EXPECT_EQ(modAutoUpdate::pfunServerAdres(), QLatin1String(c.expected));
    }
}

TEST_F(AutoUpdate, NamedProxyCarriesTheCheck)
{
    // The server only answers as the proxy: the update server's name does
    // not exist.
    modAutoUpdate::setServerAdres(QStringLiteral("http://updates.invalid"));
    // The stored port is a 16-bit number: the proxy listens below 32768.
    quint16 port = 20000 + quint16(QCoreApplication::applicationPid() % 10000);
    while (!server.listenOn(port) && port < 32767)
        ++port;
    ASSERT_LE(server.port(), 32767);
    modMain::gbytProxySetting = 2;
    modMain::gstrProxyNaam = QStringLiteral("127.0.0.1");
    modMain::gintProxyPoort = qint16(server.port());
    // The time limit set is the one the requests get.
    modAutoUpdate::setTijdslimiet(kKorteTijdslimiet);
    const net::Options o = modAutoUpdate::pfunNetOpties();
    modAutoUpdate::setTijdslimiet(kRuimeTijdslimiet);
    EXPECT_EQ(o.proxy.accessType, 2);
    EXPECT_EQ(o.proxy.host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(o.proxy.port, server.port());
    EXPECT_EQ(o.timeoutMs, 1000);

    serveInfo("0", "30,d,tavir,1", "12,d,dbQORCL.mdb,5");
    const auto u = check();
    EXPECT_EQ(u.statusProgramma, 0);
    EXPECT_EQ(u.statusChecklist, 0);
    EXPECT_EQ(server.requests().value(0),
              QStringLiteral("http://updates.invalid/tavir/program/updates/updateinfo_isinonderhoud.txt"));
}

// ---- The checklist file ---------------------------------------------------------

TEST_F(AutoUpdate, NewerChecklistIsDownloadedCheckedAndInstalled)
{
    const QByteArray nieuw = newerChecklist();
    offerChecklist(nieuw);
    const auto u = check();
    ASSERT_EQ(u.statusChecklist, 1);
    expectInstalled();

    modAutoUpdate::VoerUpdateUit(true, false);

    EXPECT_EQ(fileBytes(checklist()), nieuw);
    EXPECT_EQ(modMain::gintCLVolgnr, 13);
    EXPECT_EQ(main->panelText(3), QStringLiteral(" volgnr. bestand checklists: 13 "));
    EXPECT_EQ(programFolder(), QStringList({"db00.mdb", "dbQORCL.mdb"}));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_NE(shell::frmMDI_main::instance(), nullptr);
    // The screen loaded to show the download is gone again.
    EXPECT_EQ(screens::Form::loaded<shell::frmUpdateCheck>(), nullptr);
}

TEST_F(AutoUpdate, InstalledProgramGetsItsNewChecklistInTheUsersOwnFolder)
{
    writeBytes(inProg(QLatin1String(modMain::kInstallatieMerkteken)), "");
    const QMap<QString, QByteArray> before = folderBytes(progDir);
    const QByteArray nieuw = newerChecklist();
    offerChecklist(nieuw);
    ASSERT_EQ(check().statusChecklist, 1);
    expectInstalled();

    modAutoUpdate::VoerUpdateUit(true, false);

    const QString eigen = modMain::pfunGebruikersMap() + QStringLiteral("/dbQORCL.mdb");
    EXPECT_EQ(fileBytes(eigen), nieuw);
    EXPECT_EQ(folderBytes(progDir), before);
    EXPECT_EQ(modMain::gstrConnCL, modMain::pfunConnStrCL(modMain::pfunGebruikersMap()));
    EXPECT_EQ(modMain::gintCLVolgnr, 13);
    EXPECT_FALSE(QFile::exists(modMain::pfunGebruikersMap() + QStringLiteral("/_0_dbQORCL.mdb")));
    QFile::remove(eigen);
}

TEST_F(AutoUpdate, BrokenChecklistDownloadsNeverReplaceTheInstalledFile)
{
    const QByteArray nieuw = newerChecklist();
    struct Case {
        const char *name;
        std::function<void()> serve;
        std::function<void()> boxes;
    } cases[] = {
        {"truncated",
         [&] {
             offerChecklist(nieuw);
             LocalHttpServer::Response half;
             half.mode = LocalHttpServer::Mode::Truncate;
             half.body = nieuw;
             half.sendBytes = nieuw.size() / 2;
             server.set(kUpdates + QStringLiteral("dbQORCL.mdb"), half);
         },
         [&] {
             expectRequestError(12030,
                                QStringLiteral("De verbinding met de server 127.0.0.1 werd verbroken voordat "
                                               "alles was ontvangen."),
                                QStringLiteral("dbQORCL.mdb"));
         }},
        {"stalls midway",
         [&] {
             offerChecklist(nieuw);
             LocalHttpServer::Response stall;
             stall.mode = LocalHttpServer::Mode::StallMidway;
             stall.body = nieuw;
             stall.sendBytes = 1000;
             server.set(kUpdates + QStringLiteral("dbQORCL.mdb"), stall);
         },
         [&] {
             // The download, not the check before it, waits a short time:
             // the time-out and a second for every 32 KiB.
             modAutoUpdate::setTijdslimiet(kKorteTijdslimiet);
             const int seconden = (modAutoUpdate::pfunDownloadTijdslimiet(qint32(nieuw.size())) + 999) / 1000;
             EXPECT_EQ(seconden, 1 + nieuw.size() / (32 * 1024));
             expectRequestError(12002,
                                QStringLiteral("De server 127.0.0.1 gaf niet binnen %1 seconden een volledig "
                                               "antwoord (time-out).")
                                    .arg(seconden),
                                QStringLiteral("dbQORCL.mdb"));
         }},
        {"not on the server",
         [&] {
             offerChecklist(nieuw);
             server.remove(kUpdates + QStringLiteral("dbQORCL.mdb"));
         },
         [&] {
             expectRequestError(12152,
                                QStringLiteral("De server 127.0.0.1 antwoordde met foutcode 404 (Not Found) op "
                                               "de vraag naar /tavir/program/updates/dbQORCL.mdb."),
                                QStringLiteral("dbQORCL.mdb"));
         }},
        {"shorter than listed", [&] { offerChecklist(nieuw, nieuw.size() + 1); },
         [&] { expectWrongByteCount(QStringLiteral("dbQORCL.mdb")); }},
        {"longer than listed", [&] { offerChecklist(nieuw, nieuw.size() - 1); },
         [&] { expectWrongByteCount(QStringLiteral("dbQORCL.mdb")); }},
        {"not a database", [&] { offerChecklist(QByteArray(4096, 'x')); }, [] {}},
        {"a data file, not a checklist file", [&] { offerChecklist(fileBytes(inProg(QStringLiteral("db00.mdb")))); },
         [] {}},
        {"a damaged checklist file",
         [&] {
             QByteArray kapot = nieuw;
             for (qsizetype i = 4096; i < kapot.size(); ++i)
                 kapot[i] = char(0xA5);
             offerChecklist(kapot);
         },
         [] {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        modAutoUpdate::setTijdslimiet(kRuimeTijdslimiet);
        c.serve();
        ASSERT_EQ(check().statusChecklist, 1);
        c.boxes();
        expectChecklistFailed();

        modAutoUpdate::VoerUpdateUit(true, false);

        expectOldChecklistInUse();
        EXPECT_EQ(programFolder(), QStringList({"db00.mdb", "dbQORCL.mdb"}));
        EXPECT_TRUE(script.remaining().isEmpty()) << script.remaining().join('\n').toStdString();
    }
}

// Names an info file must not bring: a data file, the template, the
// program, a path out of the program folder, an empty name, characters a
// shell reads, a line break.
const char *const kHostileNames[] = {"dbQORdata_1.mdb", "DBQORDATA_1.MDB", "db00.mdb", "../x",
                                     "../dbQORCL.mdb",  "/tmp/x",          "",         "a;b",
                                     "dbQOR\nCL.mdb",   ".hidden"};

TEST_F(AutoUpdate, HostileChecklistInfoLeavesEveryFileAsItWas)
{
    const QByteArray nieuw = newerChecklist();
    // The user's data file, with a site, in the program folder.
    const QString data = inProg(QStringLiteral("dbQORdata_1.mdb"));
    ASSERT_TRUE(QFile::copy(inProg(QStringLiteral("db00.mdb")), data));
    QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner);
    runSql(data, QStringLiteral("INSERT INTO tblStort (strStortNaam, intStortType) VALUES ('De Kempen', 1);"));
    std::vector<QString> names;
    for (const char *n : kHostileNames)
        names.push_back(QString::fromUtf8(n));
    names.push_back(QStringLiteral("tavir"));
    names.push_back(QStringLiteral("runupd"));
    const QMap<QString, QByteArray> before = folderBytes(progDir);

    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        // The server offers a valid checklist file under that name.
        server.set(kUpdates + name, nieuw);
        const QByteArray info = "13,1-1-2027," + name.toUtf8() + "," + QByteArray::number(nieuw.size());
        serveInfo("0", "30,d,tavir,10", info.constData());
        const qsizetype asked = server.requests().size();
        QString shown = name;
        shown.replace(QLatin1Char('\n'), QLatin1Char('?'));
        const auto expectRefusal = [&] {
            script.expectMsgBox(
                Icon::Exclamation, QStringLiteral("Update mislukt..."),
                QStringLiteral("Het updatebestand op de server noemt \"") + shown
                    + QStringLiteral("\" als nieuw checklistbestand. Alleen het checklistbestand dbQORCL.mdb "
                                     "kan worden vervangen; er is niets gedownload of gewijzigd. Raadpleeg "
                                     "uw applicatiebeheerder."));
        };

        // The check refuses it: nothing is offered or kept for the update.
        modAutoUpdate::garrUpdateCL.clear();
        expectRefusal();
        const auto u = check();
        EXPECT_TRUE(script.remaining().isEmpty()) << script.remaining().join('\n').toStdString();
        EXPECT_EQ(u.statusChecklist, 0);
        EXPECT_TRUE(u.geweigerd);
        EXPECT_TRUE(u.info.isEmpty());
        EXPECT_TRUE(modAutoUpdate::garrUpdateCL.isEmpty());
        // So does the update, whatever gave it the fields.
        modAutoUpdate::garrUpdateCL = QString::fromUtf8(info).split(QLatin1Char(','));
        expectRefusal();
        modAutoUpdate::VoerUpdateUit(true, false);

        EXPECT_EQ(server.requests().size() - asked, 3) << "nothing but the info files is fetched";
        EXPECT_EQ(folderBytes(progDir), before);
        EXPECT_EQ(folderBytes(tmp.path()).keys(), QStringList{"nieuw.mdb"}) << "nothing beside the program folder";
        EXPECT_EQ(modMain::gintCLVolgnr, 12);
        EXPECT_TRUE(script.remaining().isEmpty()) << script.remaining().join('\n').toStdString();
    }
    EXPECT_EQ(scalar(data, QStringLiteral("SELECT strStortNaam FROM tblStort")), QStringLiteral("De Kempen"));
}

TEST_F(AutoUpdate, HostileProgramInfoIsRefusedBeforeAnythingIsFetched)
{
    placeUpdater();
    const QMap<QString, QByteArray> before = folderBytes(progDir);
    std::vector<QString> names;
    for (const char *n : kHostileNames)
        names.push_back(QString::fromUtf8(n));
    names.push_back(QStringLiteral("dbQORCL.mdb"));
    names.push_back(QStringLiteral("_0_tavir"));
    names.push_back(QStringLiteral("runupd.journal"));
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        server.set(kUpdates + QStringLiteral("tavir"), QByteArray(10, 'p'));
        server.set(kUpdates + name, QByteArray(10, 'x'));
        // A good file first: one bad name refuses the whole update.
        const QByteArray info = "31,d,tavir,10," + name.toUtf8() + ",10";
        serveInfo("0", info.constData(), "12,d,dbQORCL.mdb,5");
        const qsizetype asked = server.requests().size();
        QString shown = name;
        shown.replace(QLatin1Char('\n'), QLatin1Char('?'));
        const auto expectRefusal = [&] {
            script.expectMsgBox(Icon::Exclamation, QStringLiteral("Update mislukt..."),
                                QStringLiteral("Het updatebestand op de server noemt \"") + shown
                                    + QStringLiteral("\" als programmabestand. Een programma-update kan alleen "
                                                     "bestanden met een gewone naam in de programmamap vervangen, en "
                                                     "nooit een databestand; er is niets gedownload of gewijzigd. "
                                                     "Raadpleeg uw applicatiebeheerder."));
        };

        // The check refuses it: nothing is offered or kept for the update.
        modAutoUpdate::garrUpdateProg.clear();
        expectRefusal();
        const auto u = check();
        EXPECT_TRUE(script.remaining().isEmpty()) << script.remaining().join('\n').toStdString();
        EXPECT_EQ(u.statusProgramma, 0);
        EXPECT_TRUE(u.geweigerd);
        EXPECT_TRUE(u.info.isEmpty());
        EXPECT_TRUE(modAutoUpdate::garrUpdateProg.isEmpty());
        // So does the update, whatever gave it the fields.
        modAutoUpdate::garrUpdateProg = QString::fromUtf8(info).split(QLatin1Char(','));
        expectRefusal();
        modAutoUpdate::VoerUpdateUit(false, true);

        EXPECT_EQ(server.requests().size() - asked, 3) << "nothing but the info files is fetched";
        EXPECT_EQ(folderBytes(progDir), before);
        EXPECT_TRUE(started.isEmpty());
        EXPECT_NE(shell::frmMDI_main::instance(), nullptr);
        EXPECT_TRUE(script.remaining().isEmpty()) << script.remaining().join('\n').toStdString();
    }
}

// ---- The program ----------------------------------------------------------------

TEST_F(AutoUpdate, NewerProgramIsDownloadedAndHandedToTheUpdater)
{
    placeUpdater();
    server.set(kUpdates + QStringLiteral("tavir"), QByteArray(1500, 'p'));
    server.set(kUpdates + QStringLiteral("libtavir.so"), QByteArray(513, 'l'));
    serveInfo("0", "31,1-6-2027,tavir,1500,libtavir.so,513", "12,d,dbQORCL.mdb,5");
    ASSERT_EQ(check().statusProgramma, 1);

    modAutoUpdate::VoerUpdateUit(false, true);

    EXPECT_EQ(started, QStringList{expectedHandOver()});
    EXPECT_EQ(shell::frmMDI_main::instance(), nullptr) << "the run ends";
    EXPECT_EQ(fileBytes(inProg(QStringLiteral("_0_tavir"))), QByteArray(1500, 'p'));
    EXPECT_EQ(fileBytes(inProg(QStringLiteral("_0_libtavir.so"))), QByteArray(513, 'l'));
    EXPECT_EQ(fileBytes(checklist()), installed);
}

TEST_F(AutoUpdate, ProgramFileIsTakenOnlyAtExactlyItsListedSize)
{
    // The server has 1501 bytes; the info file lists a size around that.
    const QByteArray programma(1501, 'p');
    const struct {
        const char *what;
        qint64 listed;
        bool taken;
    } cases[] = {
        {"shorter than listed", 1502, false},
        {"as listed", 1501, true},
        {"longer than listed", 1500, false},
    };
    placeUpdater();
    server.set(kUpdates + QStringLiteral("tavir"), programma);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (!shell::frmMDI_main::instance())
            shell::frmMDI_main::load();
        started.clear();
        QFile::remove(inProg(QStringLiteral("_0_tavir")));
        serveInfo("0", ("31,d,tavir," + QByteArray::number(c.listed)).constData(), "12,d,dbQORCL.mdb,5");
        ASSERT_EQ(check().statusProgramma, 1);
        if (!c.taken) {
            expectWrongByteCount(QStringLiteral("tavir"));
            expectProgramFailed();
        }

        modAutoUpdate::VoerUpdateUit(false, true);

        EXPECT_TRUE(script.remaining().isEmpty()) << script.remaining().join('\n').toStdString();
        if (c.taken) {
            EXPECT_EQ(started, QStringList{expectedHandOver()});
            EXPECT_EQ(fileBytes(inProg(QStringLiteral("_0_tavir"))), programma);
        } else {
            EXPECT_TRUE(started.isEmpty());
            EXPECT_NE(shell::frmMDI_main::instance(), nullptr) << "the program runs on";
            // Nothing waits for the updater to put in place.
            EXPECT_FALSE(QFile::exists(inProg(QStringLiteral("_0_tavir"))));
        }
    }
}

TEST_F(AutoUpdate, ProgramUpdateWithoutTheUpdaterDownloadsNothing)
{
    serveInfo("0", "31,d,tavir,10", "13,d,dbQORCL.mdb,10");
    const auto u = check();
    ASSERT_EQ(u.statusProgramma, 1);
    const int asked = int(server.requests().size());
    script.expectMsgBox(Icon::Critical, QStringLiteral("Actualisatie afgebroken"),
                        QStringLiteral("Update-programma is niet gevonden."));

    modAutoUpdate::VoerUpdateUit(true, true);

    EXPECT_EQ(server.requests().size(), asked);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_NE(shell::frmMDI_main::instance(), nullptr);
    expectOldChecklistInUse();
}

TEST_F(AutoUpdate, FailedProgramFileStopsTheHandOverButNotTheOtherFiles)
{
    placeUpdater();
    const QByteArray nieuw = newerChecklist();
    server.set(kUpdates + QStringLiteral("dbQORCL.mdb"), nieuw);
    server.set(kUpdates + QStringLiteral("libtavir.so"), QByteArray(20, 'l'));
    serveInfo("0", "31,d,tavir,10,libtavir.so,20",
              ("13,d,dbQORCL.mdb," + QByteArray::number(nieuw.size())).constData());
    const auto u = check();
    ASSERT_EQ(u.statusChecklist, 1);
    ASSERT_EQ(u.statusProgramma, 1);
    // The checklist is installed without its message; the missing program
    // file is reported, then the failure.
    expectRequestError(12152,
                       QStringLiteral("De server 127.0.0.1 antwoordde met foutcode 404 (Not Found) op de vraag "
                                      "naar /tavir/program/updates/tavir."),
                       QStringLiteral("tavir"));
    expectProgramFailed();

    modAutoUpdate::VoerUpdateUit(true, true);

    EXPECT_EQ(fileBytes(checklist()), nieuw);
    EXPECT_EQ(modMain::gintCLVolgnr, 13);
    EXPECT_TRUE(server.requests().contains(kUpdates + QStringLiteral("libtavir.so"))) << "every file is tried";
    EXPECT_EQ(fileBytes(inProg(QStringLiteral("_0_libtavir.so"))), QByteArray(20, 'l'));
    EXPECT_FALSE(QFile::exists(inProg(QStringLiteral("_0_tavir"))));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_NE(shell::frmMDI_main::instance(), nullptr);
}

TEST_F(AutoUpdate, ProgramUpdateOfAnInstalledProgramFetchesNothing)
{
    placeUpdater();
    writeBytes(inProg(QLatin1String(modMain::kInstallatieMerkteken)), "");
    const QMap<QString, QByteArray> before = folderBytes(progDir);
    // Read-only as well, where this process heeds that.
    ReadOnlyFolder readOnly(progDir);
    server.set(kUpdates + QStringLiteral("tavir"), QByteArray(10, 'p'));
    serveInfo("0", "31,d,tavir,10", "12,d,dbQORCL.mdb,5");
    ASSERT_EQ(check().statusProgramma, 1);
    const qsizetype asked = server.requests().size();
    script.expectMsgBox(Icon::Exclamation, QStringLiteral("Update mislukt..."),
                        QStringLiteral("De programmamap ") + progDir
                            + QStringLiteral(" kan niet door u worden gewijzigd: de nieuwe programmaversie kan hier "
                                             "niet worden geplaatst. Er is niets gedownload. Vraag uw "
                                             "applicatiebeheerder de nieuwe versie te installeren."));

    modAutoUpdate::VoerUpdateUit(false, true);

    EXPECT_EQ(server.requests().size(), asked);
    EXPECT_EQ(folderBytes(progDir), before);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_NE(shell::frmMDI_main::instance(), nullptr);
}

TEST_F(AutoUpdate, UpdaterThatCannotStartIsReportedAndTheProgramRunsOn)
{
    placeUpdater();
    starterWorks = false;
    server.set(kUpdates + QStringLiteral("tavir"), QByteArray(10, 'p'));
    serveInfo("0", "31,d,tavir,10", "12,d,dbQORCL.mdb,5");
    ASSERT_EQ(check().statusProgramma, 1);
    script.expectMsgBox(Icon::Critical, QStringLiteral("Actualisatie afgebroken"),
                        QStringLiteral("Het update-programma ") + inProg(QLatin1String(modAutoUpdate::kUpdater))
                            + QStringLiteral(" kan niet worden gestart. De update kon niet uitgevoerd worden."));

    modAutoUpdate::VoerUpdateUit(false, true);

    EXPECT_EQ(started, QStringList{expectedHandOver()});
    EXPECT_NE(shell::frmMDI_main::instance(), nullptr);
}

TEST_F(AutoUpdate, OtherOpenWindowsStopTheUpdate)
{
    placeUpdater();
    serveInfo("0", "31,d,tavir,10", "13,d,dbQORCL.mdb,10");
    ASSERT_EQ(check().statusProgramma, 1);
    const int asked = int(server.requests().size());
    shell::frmUpdateCheck::load();
    shell::frmUpdateProxy::load();
    script.expectMsgBox(Icon::Information, QStringLiteral("Updaten"),
                        QStringLiteral("Sluit eerst alle openstaande formulieren"));

    modAutoUpdate::VoerUpdateUit(true, true);

    EXPECT_EQ(server.requests().size(), asked);
    expectOldChecklistInUse();
    for (screens::Form *f : screens::Form::loadedForms())
        f->unload();
}

TEST_F(AutoUpdate, DownloadThatCannotReplaceAnEarlierOneFails)
{
    // Something left from an earlier try under the download's name that
    // cannot be removed (a folder with content).
    placeUpdater();
    server.set(kUpdates + QStringLiteral("tavir"), QByteArray(10, 'p'));
    serveInfo("0", "31,d,tavir,10", "12,d,dbQORCL.mdb,5");
    ASSERT_EQ(check().statusProgramma, 1);
    const QString oud = inProg(QStringLiteral("_0_tavir"));
    ASSERT_TRUE(QDir().mkpath(oud + QStringLiteral("/inhoud")));
    script.expectMsgBox(Icon::Exclamation, QStringLiteral("Error updating program..."),
                        QStringLiteral("Could not update program. Please make sure that the ") + oud
                            + QStringLiteral(" file is not running.\n\nNOTE: On Windows 2000 machines, focus must be "
                                             "removed from the file before update can be completed successfully (i.e.: "
                                             "in Windows Explorer, etc.)"));
    expectWrongByteCount(QStringLiteral("tavir"));
    expectProgramFailed();

    modAutoUpdate::VoerUpdateUit(false, true);

    EXPECT_TRUE(QFileInfo(oud + QStringLiteral("/inhoud")).isDir());
    EXPECT_EQ(fileBytes(checklist()), installed);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_NE(shell::frmMDI_main::instance(), nullptr);
}

} // namespace
