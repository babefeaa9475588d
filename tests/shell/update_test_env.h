#pragma once
// What the tests of the update check share: a loaded main window, the
// checklist file of the private program folder read in (sequence number
// 12, program version 3.0), and a local update server that serves the
// info files and downloads, reached directly. Requests may take as long as
// a busy machine needs; only the tests of a server that does not answer,
// or answers a byte at a time, wait a short time for it.

#include "shell_test_env.h"

#include "support/local_http_server.h"
#include "support/widget_driver.h"

#include "shell/auto_update.h"
#include "shell/checklist_version.h"
#include "shell/connection_strings.h"

#include "screens/form.h"

namespace shelltest {

inline const QString kUpdateMap = QStringLiteral("/tavir/program/updates/");

class UpdateServerTest : public ShellTest {
protected:
    static constexpr int kRuimeTijdslimiet = 60000;
    static constexpr int kKorteTijdslimiet = 1000; // "binnen 1 seconde"

    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(server.isListening());
        main = shell::frmMDI_main::load();
        modMain::gVersion = tavir::kProgramVersion; // 3.0: program version number 30
        modMain::gstrConnCL = modMain::pfunConnStrCL(progDir);
        modMain::LeesVersieChecklist();
        ASSERT_EQ(modMain::gintCLVolgnr, 12);
        modMain::gbytProxySetting = 1; // direct: whatever proxy the machine names
        modAutoUpdate::setServerAdres(server.base());
        modAutoUpdate::setTijdslimiet(kRuimeTijdslimiet);
    }

    void TearDown() override
    {
        testsupport::unloadForms();
        modAutoUpdate::setTijdslimiet(0);
        modAutoUpdate::garrUpdateCL.clear();
        modAutoUpdate::garrUpdateProg.clear();
        modAutoUpdate::gstrUpdateURL.clear();
        ShellTest::TearDown();
    }

    // The three info files; a null text leaves that file unserved (404).
    void serveInfo(const char *onderhoud, const char *programma, const char *cl)
    {
        const std::pair<const char *, const char *> files[] = {{modAutoUpdate::kInfoOnderhoud, onderhoud},
                                                               {modAutoUpdate::kInfoProgramma, programma},
                                                               {modAutoUpdate::kInfoChecklist, cl}};
        for (const auto &[name, text] : files) {
            if (text)
                server.set(kUpdateMap + QLatin1String(name), QByteArray(text));
            else
                server.remove(kUpdateMap + QLatin1String(name));
        }
    }

    // Every info file keeps the request waiting for ever, and the request
    // waits a short time.
    void hangInfo()
    {
        modAutoUpdate::setTijdslimiet(kKorteTijdslimiet);
        testsupport::LocalHttpServer::Response hang;
        hang.mode = testsupport::LocalHttpServer::Mode::Hang;
        for (const char *name :
             {modAutoUpdate::kInfoOnderhoud, modAutoUpdate::kInfoProgramma, modAutoUpdate::kInfoChecklist})
            server.set(kUpdateMap + QLatin1String(name), hang);
    }

    // Every info file comes a byte every `intervalMs`, each a valid text that
    // would take far longer than the short time-out the requests get.
    void trickleInfo(int intervalMs = 200)
    {
        modAutoUpdate::setTijdslimiet(kKorteTijdslimiet);
        const std::pair<const char *, QByteArray> files[] = {{modAutoUpdate::kInfoOnderhoud, "0"},
                                                             {modAutoUpdate::kInfoProgramma, "30,d,tavir,1"},
                                                             {modAutoUpdate::kInfoChecklist, "12,d,dbQORCL.mdb,1"}};
        for (const auto &[name, text] : files) {
            testsupport::LocalHttpServer::Response drip;
            drip.mode = testsupport::LocalHttpServer::Mode::Trickle;
            drip.body = text.leftJustified(40, ' '); // 8 seconds at 200 ms a byte
            drip.intervalMs = intervalMs;
            server.set(kUpdateMap + QLatin1String(name), drip);
        }
    }

    QString checklist() const { return progDir + QStringLiteral("/dbQORCL.mdb"); }

    // A checklist file with sequence number `volgnr`, as the server offers it.
    QByteArray newerChecklist(int volgnr = 13)
    {
        const QString path = tmp.path() + QStringLiteral("/nieuw.mdb");
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(checklist(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        runSql(path, QStringLiteral("UPDATE tblSYS SET strSYSvalue='%1' WHERE strSYS_ID='versie'").arg(volgnr));
        return fileBytes(path);
    }

    testsupport::LocalHttpServer server;
    shell::frmMDI_main *main = nullptr;
};

} // namespace shelltest
