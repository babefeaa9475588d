#pragma once
// What the tests of the facilities and cost-items screen share: the record
// tests' small site (facilities in several categories, an own item with
// three phases, a second own item, two checklist items), a session that
// serves it to the screens, and the scripted boxes.

#include "records/site_fixture.h"

#include "support/qstring_printer.h"
#include "support/scripted_dialogs_fixture.h"

#include "platform/core/error.h"
#include "screens/form.h"
#include "screens/session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace acttest {

inline constexpr qint32 kKleurAct = 128;
inline constexpr qint32 kKleurVoorz = 16384;

class ActTest : public testsupport::ScriptedDialogsTest {
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
        for (screens::Form *f : screens::Form::loadedForms())
            f->unload();
        screens::installSession({});
        ScriptedDialogsTest::TearDown();
    }

    testsupport::SiteFixture site;
    qint32 siteId = 0;
    QStringList reported;
};

// The child widget of `parent` named `name`; fails the test without one.
template <class W>
W *control(const QObject *parent, const QString &name)
{
    W *w = parent ? parent->findChild<W *>(name) : nullptr;
    EXPECT_NE(w, nullptr) << "no control " << name.toStdString();
    return w;
}

// Types `text` into `widget` key by key.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace acttest
