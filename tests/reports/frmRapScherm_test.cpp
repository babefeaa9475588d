// The report window: one window that keeps its text, writing at the
// insertion point with bold, tab stops in centimetres and paragraphs, the
// wrap width and the resize rule, and its close button.

#include "support/qstring_printer.h"
#include "support/widget_driver.h"

#include "report_render.h"

#include "reports/frmDoelverm.h"
#include "reports/frmRapScherm.h"

#include "platform/ui/scripted_dialogs.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QMdiArea>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <gtest/gtest.h>

using reports::frmRapScherm;

namespace {

class RapSchermTest : public ::testing::Test {
protected:
    void TearDown() override { testsupport::unloadForms(); }

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

TEST_F(RapSchermTest, CrLfCrOrLfEachEndAParagraphThatKeepsTheTabStops)
{
    const std::pair<const char *, const char *> gevallen[] = {
        {"a\r\nb", "a\nb"},   {"a\rb", "a\nb"},         {"a\nb", "a\nb"}, {"a\r\r\nb", "a\n\nb"},
        {"a\n\rb", "a\n\nb"}, {"\r\nab\r\n", "\nab\n"}, {"a\tb", "a\tb"}, {"", ""},
    };
    frmRapScherm *w = frmRapScherm::load();
    for (const auto &[invoer, tekst] : gevallen) {
        SCOPED_TRACE(invoer);
        w->setText(QString());
        w->SelTabCount(1);
        w->SelTabs(0, 4);
        w->SelText(QStringLiteral("["));
        w->SelText(QString::fromLatin1(invoer));
        w->SelText(QStringLiteral("]"));
        EXPECT_EQ(w->Text(), QStringLiteral("[") + QString::fromLatin1(tekst) + QStringLiteral("]"));
        for (QTextBlock b = txtRap(w)->document()->begin(); b.isValid(); b = b.next())
            EXPECT_EQ(b.blockFormat().tabPositions().size(), 1) << b.blockNumber();
    }
}

TEST_F(RapSchermTest, AParagraphStartedInFrontTakesTheTabStopsAsTheyStand)
{
    frmRapScherm *w = frmRapScherm::load();
    w->SelText(QStringLiteral("kop\r\n"));
    w->SelTabCount(1);
    w->SelTabs(0, 4);
    w->SelText(QStringLiteral("rij\r\n"));
    w->SelStart(0);
    w->SelText(QStringLiteral(">\r\n"));
    EXPECT_EQ(w->Text(), QStringLiteral(">\nkop\nrij\n"));
    const QTextDocument *doc = txtRap(w)->document();
    EXPECT_TRUE(doc->findBlockByNumber(0).blockFormat().tabPositions().isEmpty());
    for (int blok : {1, 2})
        EXPECT_NEAR(doc->findBlockByNumber(blok).blockFormat().tabPositions().value(0).position, w->px(4), 0.5) << blok;
}

TEST_F(RapSchermTest, TabStopsSetBeforeAnyTextHoldForTheFirstParagraphWrittenAfter)
{
    frmRapScherm *w = frmRapScherm::load();
    w->SelTabCount(1);
    w->SelTabs(0, 3);
    ASSERT_EQ(w->tabStops().size(), 1);
    w->SelBold(true);
    w->SelText(QStringLiteral("a\tb\r\nc"));
    const QTextDocument *doc = txtRap(w)->document();
    for (int blok : {0, 1}) {
        const QTextBlock b = doc->findBlockByNumber(blok);
        ASSERT_EQ(b.blockFormat().tabPositions().size(), 1) << blok;
        EXPECT_NEAR(b.blockFormat().tabPositions()[0].position, w->px(3), 0.5) << blok;
        EXPECT_EQ(b.begin().fragment().charFormat().fontWeight(), QFont::Bold) << blok;
    }
}

// Reports of many lines written into the emptied window, one after the
// other: the caret stands where the writer put it or, when it put it
// nowhere, where the writing ended; the window opens on the caret and then
// shows where the writer put it. The text wraps at twice the box's width.
TEST_F(RapSchermTest, ALongReportShowsWhereTheWriterLeftTheCaret)
{
    QMdiArea area;
    area.resize(1024, 768);
    area.show();
    screens::Form::setHost(&area);
    const QString regel = QStringLiteral("post\t%1\t€ 1.000\t(0,1%)\r\n");
    const QString breed = QStringLiteral("nazorg ").repeated(150);
    enum class Einde { Nergens, Begin, Eind };
    frmRapScherm *w = frmRapScherm::load();
    QTextEdit *box = txtRap(w);
    for (Einde einde : {Einde::Nergens, Einde::Begin, Einde::Eind}) {
        SCOPED_TRACE(int(einde));
        w->setText(QString());
        w->setFont(QStringLiteral("arial"), 8);
        w->SelTabCount(2);
        w->SelTabs(0, 2);
        w->SelTabs(1, 6);
        w->SelText(breed + QStringLiteral("\r\n"));
        // Paragraphs end in one character.
        int lengte = int(breed.size()) + 1;
        for (int i = 0; i < 2000; ++i) {
            w->SelText(regel.arg(i));
            lengte += int(regel.arg(i).size()) - 1;
        }
        if (einde == Einde::Begin)
            w->SelStart(0);
        else if (einde == Einde::Eind)
            w->SelStart(lengte);
        w->setZichtbaar(true);
        QApplication::processEvents();

        ASSERT_EQ(w->Text().size(), lengte);
        EXPECT_EQ(box->textCursor().position(), einde == Einde::Begin ? 0 : lengte);
        EXPECT_TRUE(box->viewport()->rect().contains(box->cursorRect()));
        EXPECT_EQ(box->verticalScrollBar()->value() == 0, einde == Einde::Begin);
        // The wide first paragraph wraps where its words fill twice the
        // box's width.
        const QTextLayout *eerste = box->document()->firstBlock().layout();
        ASSERT_GE(eerste->lineCount(), 2);
        EXPECT_GT(eerste->lineAt(0).naturalTextWidth(), 1.8 * box->width());
        EXPECT_LE(eerste->lineAt(0).naturalTextWidth(), 2 * box->width());
    }
    screens::Form::setHost(nullptr);
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

// The target-fund report in the window at 1024 x 768, with calendar-year
// rows ("6 (2035)", "71 (2100)") and the widest texts each column can hold:
// a top liner built in after-care year 1000, years from 1970 to 2300, once
// in 1000 years, a name and a cost text far too long, a seven-digit
// quantity at a price to the cent costing nine digits, an NCW of ten
// digits, and the longest group label. In every division each text after a
// TAB starts at a stop and every text ends before the next one begins: an
// item line's k-th text in column k, a sum's amount under NCW and its share
// under the share. The window opens wide enough to show the share column
// whole.
TEST_F(RapSchermTest, EveryLineKeepsItsColumnsWithCalendarYearsAndTheWidestTexts)
{
    QMdiArea area;
    area.resize(1024, 768);
    area.show();
    screens::Form::setHost(&area);
    reporttest::DemoSite fx;
    const qint32 putten = fx.facility(fx.demo, 6, QStringLiteral("Meetputten"));
    const struct {
        const char *naam;
        testsupport::Fields velden;
    } posten[] = {
        {"Kalenderjaren",
         {{"bytOptieStart", 1}, {"intStartAbs", 2035}, {"bytOptieEind", 1}, {"intEindAbs", 2100}, {"intFreqX", 12}}},
        {"Uitersten", {{"bytOptieStart", 1}, {"intStartAbs", 1970}, {"bytOptieEind", 1}, {"intEindAbs", 2300}}},
        {"Na de bovenafdichting",
         {{"intStartRel", 1000}, {"bytStartBA", 1}, {"intStartBA", 1000}, {"bytOptieFreq", 3}, {"intFreqX", 1000}}},
        {"Grootste bedrag",
         {{"bytOptieKosten", 3},
          {"sngAantal", 1234567.0},
          {"sngKostenPE", 567.89},
          {"strEenheid", QStringLiteral("m2")},
          {"bytOptieFreq", 1}}},
        {"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
         {{"bytOptieKosten", 3},
          {"sngAantal", 8888888.0},
          {"sngKostenPE", 0.01},
          {"strEenheid", QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW")}}},
    };
    for (const auto &p : posten)
        fx.item(fx.demo, putten, testsupport::ownItem(QString::fromUtf8(p.naam), p.velden));

    for (int sortering : {1, 2, 3}) {
        SCOPED_TRACE(sortering);
        ui::ScriptedDialogs script(ui::ScriptedDialogs::Mode::Record);
        ui::ScopedDialogs use(&script);
        reports::DoelvermKeuzes k;
        k.optRapNaar = 1;
        k.optRapSort = sortering;
        QString btw;
        reports::DoelvermRapport rapport;
        rapport.laadRapScherm = reports::laadRapSchermDoelverm;
        ASSERT_TRUE(rapport.maak(k, btw, reporttest::reportContext(fx, fx.demo)));
        frmRapScherm *w = screens::Form::loaded<frmRapScherm>();
        ASSERT_NE(w, nullptr);
        QApplication::processEvents();
        QTextEdit *box = txtRap(w);
        QTextDocument *doc = box->document();
        doc->documentLayout()->documentSize();

        const QString tekst = w->Text();
        for (const char *t :
             {"\t6 (2035)\t71 (2100)\t", "\t1 (1970)\t271 (2300)\t", "\tnaz.jr. 1000\t", "\t1x per 1000 jr\t"})
            EXPECT_TRUE(tekst.contains(QString::fromUtf8(t))) << t;
        // Nine digits of cost and ten of NCW.
        EXPECT_TRUE(tekst.contains(QRegularExpression(
            QString::fromUtf8("\t1234567 x € 567,89/m2 = € 701\\.\\d{3}\\.\\d{3}\t€ \\d(\\.\\d{3}){3}\t"))));
        EXPECT_EQ(sortering == 3, tekst.contains(QStringLiteral("Subtotaal checklistposten, niet conform criteria: ")));

        const QTextBlock eerste = doc->begin();
        const QList<QTextOption::Tab> stops = eerste.blockFormat().tabPositions();
        ASSERT_EQ(stops.size(), 8);
        // Where a text in the layout of block b starts and ends, in pixels
        // from the block's left edge.
        const auto x = [](const QTextBlock &b, int pos) { return b.layout()->lineForTextPosition(pos).cursorToX(pos); };
        const auto stop = [&](double px) {
            for (int i = 0; i < stops.size(); ++i)
                if (std::abs(stops[i].position - px) < 0.5)
                    return i;
            return -1;
        };
        const QRegularExpression bedrag(QString::fromUtf8("^€ [0-9.]+$"));
        const QRegularExpression aandeel(QStringLiteral("^\\(-?\\d+,\\d%\\)$"));
        const QString symbolen = QString::fromUtf8("\u25cb\u2714\u2718");
        int regels = 0, sommen = 0;
        double rechts = 0;
        for (QTextBlock b = eerste; b.isValid(); b = b.next()) {
            if (b.blockFormat().tabPositions() != stops || !b.text().contains(QLatin1Char('\t')))
                continue;
            ASSERT_GT(b.layout()->lineCount(), 0);
            const QString t = b.text();
            const QStringList delen = t.split(QLatin1Char('\t'));
            // A cost item's line, or one like it: a text or none in every column.
            const bool itemRegel = symbolen.contains(t.front()) && delen.size() >= 8;
            int pos = 0;
            double vorigEind = -1;
            for (qsizetype i = 0; i < delen.size(); pos += int(delen[i].size()) + 1, ++i) {
                const QString &deel = delen[i];
                if (deel.trimmed().isEmpty())
                    continue;
                const double begin = x(b, pos), eind = x(b, pos + int(deel.size()));
                EXPECT_LT(vorigEind, begin) << t.toStdString() << " [" << deel.toStdString() << "]";
                vorigEind = eind;
                rechts = std::max(rechts, eind);
                if (i == 0)
                    continue;
                const int kolom = stop(begin);
                const std::string waar = t.toStdString() + " [" + deel.toStdString() + "]";
                EXPECT_GE(kolom, 0) << waar;
                if (itemRegel) {
                    EXPECT_EQ(kolom, i - 1) << waar;
                }
                if (aandeel.match(deel).hasMatch()) {
                    EXPECT_EQ(kolom, 7) << waar;
                }
                if (bedrag.match(deel).hasMatch() && i + 2 >= delen.size()) {
                    EXPECT_EQ(kolom, 6) << waar;
                    ++sommen;
                }
            }
            ++regels;
        }
        EXPECT_GE(regels, 40);
        EXPECT_GE(sommen, 20);
        // All of it in sight: the frame within the main window's client
        // area, the box from the left edge to beyond the widest share.
        EXPECT_LE(w->frame()->geometry().right(), area.viewport()->width());
        EXPECT_EQ(box->horizontalScrollBar()->value(), 0);
        EXPECT_GE(box->viewport()->width(), doc->documentMargin() + rechts);
    }
    screens::Form::setHost(nullptr);
}

} // namespace
