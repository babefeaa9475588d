#pragma once
// What the tests of the facilities and cost-items screen share: the record
// tests' small site (facilities in several categories, an own item with
// three phases, a second own item, two checklist items), a session that
// serves it to the screens, and the scripted boxes.

#include "records/site_fixture.h"

#include "support/qstring_printer.h"
#include "support/scripted_dialogs_fixture.h"
#include "support/widget_driver.h"

#include "platform/core/error.h"
#include "screens/form.h"
#include "screens/session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace acttest {

using testsupport::clickBox;
using testsupport::clickRow;
using testsupport::control;
using testsupport::retype;
using testsupport::rowPoint;
using testsupport::typeText;

inline constexpr qint32 kKleurAct = 128;
inline constexpr qint32 kKleurVoorz = 16384;

// The facilities and cost-items screen on its own, on the record tests' site.
class ActScreenTest : public testsupport::ScriptedDialogsTest {
protected:
    void SetUp() override
    {
        ScriptedDialogsTest::SetUp();
        screens::Session s;
        s.context = [this] {
            calc::Context ctx;
            static_cast<records::Context &>(ctx) = site.context(nullptr, siteId);
            ctx.glngKleurAct = kKleurAct;
            ctx.glngKleurVoorz = kKleurVoorz;
            return ctx;
        };
        s.treeOptions = [] { return screens::TreeOptions{}; };
        s.meldFout = [this](const platform::Error &e) { reported << e.description(); };
        screens::installSession(std::move(s));
        siteId = site.siteId;
    }

    void TearDown() override
    {
        testsupport::unloadForms();
        screens::installSession({});
        ScriptedDialogsTest::TearDown();
    }

    testsupport::SiteFixture site;
    qint32 siteId = 0;
    QStringList reported;
};

} // namespace acttest
