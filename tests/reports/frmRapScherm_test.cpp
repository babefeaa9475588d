// The report window: one window that keeps its text, writing at the
// insertion point with bold, tab stops in centimetres and paragraphs, the
// wrap width and the resize rule, and its close button.

#include "support/qstring_printer.h"
#include "support/widget_driver.h"

#include "report_render.h"

#include "reports/frmDoelverm.h"
#include "reports/frmRapScherm.h"

#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
#include <QMdiArea>
#include <QRegularExpression>
#include <QTextLayout>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>

using reports::frmRapScherm;

namespace {

class RapSchermTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        testsupport::unloadForms();
    }

    static QTextEdit *txtRap(frmRapScherm *w) { return w->findChild<QTextEdit *>(QStringLiteral("txtRap")); }
};

TEST_F(RapSchermTest, LoadsOnceHiddenAndKeepsItsTextWhenLoadedAgain)
{
    frmRapScherm *w = frmRapScherm::load();
    EXPECT_EQ(w->objectName(), QStringLiteral("frmRapScherm"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Rapportage"));
    EXPECT_EQ(w->findChild<QPushButton *>(QStringLiteral("Command1"))->text(), QStringLiteral("&Sluiten"));
    ASSERT_NE(txtRap(w), nullptr);
    EXPECT_FALSE(txtRap(w)->isVisibleTo(w));

    w->SelText(QStringLiteral("eerste\r\n"));
    EXPECT_EQ(frmRapScherm::load(), w);
    w->SelText(QStringLiteral("tweede\r\n"));
    EXPECT_EQ(w->Text(), QStringLiteral("eerste\ntweede\n"));
    w->setZichtbaar(true);
    EXPECT_TRUE(txtRap(w)->isVisibleTo(w));

    w->setText(QString());
    EXPECT_EQ(w->Text(), QString());
}

TEST_F(RapSchermTest, FormattingAppliesToWhatFollowsAndTabStopsToTheParagraphsAfter)
{
    frmRapScherm *w = frmRapScherm::load();
    w->SelBold(true);
    w->SelText(QStringLiteral("Kop\r\n\r\n"));
    w->SelBold(false);
    w->SelTabCount(2);
    w->SelTabs(0, 2);
    w->SelTabs(1, 6);
    w->SelText(QStringLiteral("rente\tdoelvermogen\r\n1,50 %\t€ 1.000\r\n"));

    const QStringList regels = w->Text().split(QLatin1Char('\n'));
    EXPECT_EQ(regels.mid(0, 4), QStringList({"Kop", "", "rente\tdoelvermogen", "1,50 %\t€ 1.000"}));
    ASSERT_EQ(w->tabStops().size(), 2);
    EXPECT_NEAR(w->tabStops()[0], 2.0, 0.01);
    EXPECT_NEAR(w->tabStops()[1], 6.0, 0.01);

    const QTextDocument *doc = txtRap(w)->document();
    EXPECT_EQ(doc->findBlockByNumber(0).begin().fragment().charFormat().fontWeight(), QFont::Bold);
    const QTextBlock rij = doc->findBlockByNumber(3);
    EXPECT_EQ(rij.begin().fragment().charFormat().fontWeight(), QFont::Normal);
    EXPECT_EQ(rij.blockFormat().tabPositions().size(), 2);
    // The heading's paragraph has no tab stops.
    EXPECT_TRUE(doc->findBlockByNumber(0).blockFormat().tabPositions().isEmpty());

    // Back to the top: the next write goes in front.
    w->SelStart(0);
    w->SelText(QStringLiteral(">"));
    EXPECT_TRUE(w->Text().startsWith(QStringLiteral(">Kop")));
}

TEST_F(RapSchermTest, LinesWrapAtTwiceTheBoxWidthAndASmallWindowKeepsItsControls)
{
    frmRapScherm *w = frmRapScherm::load();
    QTextEdit *box = txtRap(w);
    EXPECT_EQ(box->lineWrapMode(), QTextEdit::FixedPixelWidth);
    EXPECT_EQ(box->lineWrapColumnOrWidth(), 2 * box->width());

    w->resize(600, 400);
    QApplication::processEvents();
    EXPECT_NEAR(box->width(), 600 - w->cm(0.5), 1.0);
    EXPECT_NEAR(box->height(), 400 - w->cm(1.0), 1.0);
    const QRect groot = box->geometry();
    const QRect knop = w->findChild<QPushButton *>(QStringLiteral("Command1"))->geometry();

    // Below 1 cm of height nothing moves, and nothing fails.
    w->resize(300, int(w->cm(0.8)));
    QApplication::processEvents();
    EXPECT_EQ(box->geometry(), groot);
    EXPECT_EQ(w->findChild<QPushButton *>(QStringLiteral("Command1"))->geometry(), knop);
}

TEST_F(RapSchermTest, AScaleOfItsOwnMakesTheClientAreaThatManyUnits)
{
    frmRapScherm *w = frmRapScherm::load();
    w->resize(800, 400);
    w->setScale(20, 10);
    w->SelTabCount(1);
    w->SelTabs(0, 5);
    EXPECT_NEAR(txtRap(w)->document()->firstBlock().blockFormat().tabPositions().value(0).position, 200.0, 0.5);
    EXPECT_NEAR(w->tabStops().value(0), 5.0, 0.01);
    // The resize rule in the same units: 0.5 of 20 across, 1.0 of 10 down.
    EXPECT_NEAR(txtRap(w)->width(), 780, 1.0);
    EXPECT_NEAR(txtRap(w)->height(), 360, 1.0);
}

TEST_F(RapSchermTest, TheCloseButtonUnloadsTheWindow)
{
    frmRapScherm *w = frmRapScherm::load();
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    EXPECT_TRUE(screens::Form::loadedForms().isEmpty());
}

// Where the text of `pos` in `block` starts, in pixels.
double xOf(const QTextBlock &block, int pos)
{
    const QTextLine line = block.layout()->lineForTextPosition(pos);
    return block.layout()->position().x() + line.cursorToX(pos);
}

TEST_F(RapSchermTest, TheShareColumnOfTheTargetFundReportStaysAlignedForAmountsOfMillions)
{
    QMdiArea area;
    area.resize(1024, 768);
    area.show();
    screens::Form::setHost(&area);
    reporttest::DemoSite fx;
    ui::ScriptedDialogs script(ui::ScriptedDialogs::Mode::Record);
    ui::ScopedDialogs use(&script);
    reports::DoelvermKeuzes k;
    k.optRapNaar = 1;
    k.optRapSort = 2;
    QString btw;
    reports::DoelvermRapport rapport;
    rapport.laadRapScherm = reports::laadRapSchermDoelverm;
    ASSERT_TRUE(rapport.maak(k, btw, reporttest::reportContext(fx, fx.demo)));
    frmRapScherm *w = screens::Form::loaded<frmRapScherm>();
    ASSERT_NE(w, nullptr);
    // Sums of this size, as the writer sets them, at the end of the text.
    w->SelStart(w->Text().size());
    for (bool vet : {false, true}) {
        w->SelBold(vet);
        w->SelText(QString::fromUtf8("Subtotaal jaarlijkse nazorgkosten\t\t\t\t\t\t€ 9.999.999\t(99,9%)\r\n"));
        w->SelText(QString::fromUtf8("Subtotaal vervangingskosten\t\t\t\t\t\t€ 999.999.999\t(100,0%)\r\n"));
    }
    w->SelStart(0); // the writer ends here, as the report does

    // Every line with a share: the amount and the share each start at one
    // place.
    const QRegularExpression deel(QString::fromUtf8("\t(€ [0-9.]+)\t(\\(\\d+,\\d%\\))$"));
    QSet<int> bedragX, deelX;
    int miljoenen = 0;
    for (QTextBlock b = txtRap(w)->document()->begin(); b.isValid(); b = b.next()) {
        const QRegularExpressionMatch m = deel.match(b.text());
        if (!m.hasMatch())
            continue;
        if (m.captured(1).size() >= 11) // € 1.000.000 and more
            ++miljoenen;
        bedragX.insert(qRound(xOf(b, int(m.capturedStart(1)))));
        deelX.insert(qRound(xOf(b, int(m.capturedStart(2)))));
    }
    EXPECT_GE(miljoenen, 8);
    EXPECT_EQ(bedragX.size(), 1) << bedragX.size() << " places of the amounts";
    EXPECT_EQ(deelX.size(), 1) << deelX.size() << " places of the shares";
    screens::Form::setHost(nullptr);
}

} // namespace
