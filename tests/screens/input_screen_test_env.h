#pragma once
// What the tests of the input screens share: the small data file of the
// record tests, a session on its first site, the scripted boxes, and ways
// to find and drive widgets by their control names.

#include "records/site_fixture.h"
#include "support/qstring_printer.h"
#include "support/scripted_dialogs_fixture.h"
#include "support/widget_driver.h"

#include "screens/form.h"
#include "screens/session.h"

#include "platform/core/error.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace screentest {

using testsupport::click;
using testsupport::clickBox;
using testsupport::control;
using testsupport::loadedFormNames;
using testsupport::typeAndLeave;

// An input screen on its own, without the main window: the record tests'
// site and a session on it.
class InputScreenTest : public testsupport::ScriptedDialogsTest {
protected:
    void SetUp() override
    {
        ScriptedDialogsTest::SetUp();
        site = std::make_unique<testsupport::SiteFixture>();
        installSession();
    }

    void TearDown() override
    {
        // Whatever a test left loaded goes without asking.
        for (screens::Form *f : screens::Form::loadedForms())
            delete f;
        screens::installSession({});
        site.reset();
        ScriptedDialogsTest::TearDown();
    }

    // A session on `stortID` (the fixture's first site by default).
    void installSession(qint32 stortID = -1)
    {
        if (stortID >= 0)
            m_stortID = stortID;
        else if (m_stortID < 0)
            m_stortID = site->siteId;
        screens::Session s;
        s.context = [this] {
            calc::Context ctx;
            static_cast<records::Context &>(ctx) = site->context(nullptr, m_stortID);
            ctx.gintCL_ID = clID;
            ctx.gstrNaamStort = naam;
            ctx.MeldFout = [this](const platform::Error &e) { errors << e.description(); };
            return ctx;
        };
        s.leesHuidigeStort = [this] { ++rereads; };
        s.meldFout = [this](const platform::Error &e) { errors << e.description(); };
        screens::installSession(std::move(s));
    }

    std::unique_ptr<testsupport::SiteFixture> site;
    qint16 clID = testsupport::SiteFixture::kChecklistVersion;
    QString naam = QStringLiteral("Stort 't Veld");
    QStringList errors;
    int rereads = 0;

private:
    qint32 m_stortID = -1;
};

} // namespace screentest
