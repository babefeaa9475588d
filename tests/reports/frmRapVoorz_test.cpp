// The input-data report screen, offscreen: its buttons follow the ticked
// parts, and "Rapporteer" writes the report through the save dialog.

#include "report_fixture.h"

#include "support/item_at.h"
#include "support/widget_driver.h"

#include "reports/frmRapVoorz.h"
#include "screens/session.h"

#include "platform/os/open_document.h"

#include <QCheckBox>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using testsupport::itemAt;

const QString kOpslaanTitel = QStringLiteral("Rapportage opslaan als ...");

class FrmRapVoorzTest : public reporttest::WordReportTest {
protected:
    void SetUp() override
    {
        WordReportTest::SetUp();
        screens::Session s;
        s.context = [this] { return fx.context(fx.alfa); };
        s.programVersion = [] { return tavir::ProgramVersion{3, 0, 0}; };
        screens::installSession(std::move(s));
        m_opener = os::setOpener([](const QUrl &) {
            ADD_FAILURE() << "a test opened a file";
            return false;
        });
        form = reports::frmRapVoorz::load();
    }
    void TearDown() override
    {
        if (screens::Form::loaded<reports::frmRapVoorz>())
            form->unload();
        screens::installSession({});
        os::setOpener(m_opener);
        WordReportTest::TearDown();
    }
    template <class W> W *control(const char *name) { return testsupport::control<W>(form, name); }
    void tick(const char *name) { testsupport::clickBox(control<QCheckBox>(name)); }
    void rapporteer()
    {
        QPushButton *ok = control<QPushButton>("OKButton");
        ASSERT_TRUE(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    reports::frmRapVoorz *form = nullptr;

private:
    os::Opener m_opener;
};

TEST_F(FrmRapVoorzTest, StartsWithNothingTickedAndReportDisabled)
{
    EXPECT_EQ(form->objectName(), QStringLiteral("frmRapVoorz"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Rapportage ingevoerde data"));
    const struct {
        const char *name;
        const char *caption;
    } boxes[] = {{"chkAlg", "algemene gegevens"},
                 {"chkVoorz", "voorzieningen"},
                 {"chkAct", "kostenposten"},
                 {"chkRapUnselectedCLitems", "overzicht niet geselecteerde checklistposten"}};
    for (const auto &b : boxes) {
        QCheckBox *box = control<QCheckBox>(b.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QString::fromUtf8(b.caption));
        EXPECT_FALSE(box->isChecked());
    }
    EXPECT_EQ(control<QPushButton>("OKButton")->text(), QStringLiteral("&Rapporteer"));
    EXPECT_EQ(control<QPushButton>("CancelButton")->text(), QStringLiteral("&Sluiten"));
    EXPECT_FALSE(control<QPushButton>("OKButton")->isEnabled());
    EXPECT_FALSE(control<QProgressBar>("ProgressBar1")->isVisible());

    // Any box enables the report; unticking the last disables it again.
    for (const auto &b : boxes) {
        tick(b.name);
        EXPECT_TRUE(control<QPushButton>("OKButton")->isEnabled()) << b.name;
        tick(b.name);
        EXPECT_FALSE(control<QPushButton>("OKButton")->isEnabled()) << b.name;
    }
}

TEST_F(FrmRapVoorzTest, WritesTheReportAndStaysOpenWithItsChoices)
{
    tick("chkVoorz");
    tick("chkAct");
    const QString pad = out.filePath(QStringLiteral("invoer Alfa.docx"));
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel)
        .withFilter(QStringLiteral("Word bestanden (*.docx)|*.docx|"))
        .answer(pad);
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Rapportage ingevoerde gegevens"),
                      QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?"), ui::Buttons::YesNo)
        .answer(ui::Answer::No);
    rapporteer();

    ASSERT_TRUE(QFile::exists(pad));
    const QJsonObject d = wordtest::readDocx(pad);
    EXPECT_EQ(d[QStringLiteral("sections")].toArray().size(), 2);
    const QStringList texts = wordtest::bodyTexts(d);
    EXPECT_TRUE(texts.contains(QStringLiteral(">>  Voorzieningen")));
    EXPECT_TRUE(texts.contains(QStringLiteral(">>  Kostenposten")));
    EXPECT_EQ(itemAt(wordtest::paragraphs(d[QStringLiteral("header")].toArray()), 0).toObject()[QStringLiteral("text")],
              QStringLiteral("TAVIR 3.0"));

    EXPECT_TRUE(screens::Form::loaded<reports::frmRapVoorz>());
    EXPECT_TRUE(control<QCheckBox>("chkVoorz")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("chkAct")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("chkAlg")->isChecked());
    EXPECT_FALSE(control<QProgressBar>("ProgressBar1")->isVisible());
    EXPECT_EQ(control<QProgressBar>("ProgressBar1")->value(), 1);
}

TEST_F(FrmRapVoorzTest, CancelledSaveWritesNothing)
{
    tick("chkAlg");
    script.expectFileDialog(ui::FileDialogMode::Save, kOpslaanTitel).cancel();
    rapporteer();
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(screens::Form::loaded<reports::frmRapVoorz>());
}

TEST_F(FrmRapVoorzTest, CloseButtonUnloadsTheScreen)
{
    QTest::mouseClick(control<QPushButton>("CancelButton"), Qt::LeftButton);
    EXPECT_EQ(screens::Form::loaded<reports::frmRapVoorz>(), nullptr);
}

} // namespace
