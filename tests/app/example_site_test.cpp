// The example site of examples/: a new user starts the program on a fresh
// data file, imports the example from the site list, opens it and has its
// target fund on screen. The figures are those of the independent model
// (example_site_expected.py): every cost item's net present
// value, the target fund, and the levy of this object-bound site.

#include "shell/shell_screen_test_env.h"

#include "shell/current_site.h"
#include "shell/frmOpenInr.h"
#include "shell/frmOpenInrConfirm.h"

#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "checklist/clsCL.h"
#include "records/clsAct.h"
#include "reports/frmDoelverm.h"
#include "reports/frmRapScherm.h"

#include <QAction>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTreeWidget>

using namespace shelltest;

namespace {

const QString kSite = QStringLiteral("Stortplaats De Berkenheuvel");

QString exampleFile()
{
    return QStringLiteral(TAVIR_EXAMPLES_DIR "/stortplaats-de-berkenheuvel.xml");
}

// "€ 1.234.567" as a number.
double euros(const QString &text)
{
    QString digits = text;
    digits.remove(QRegularExpression(QStringLiteral("[^0-9,]")));
    digits.replace(QLatin1Char(','), QLatin1Char('.'));
    return digits.toDouble();
}

void expectSingle(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, std::abs(expected) * 2e-7 + 1e-6) << "expected " << expected;
}

class ExampleSite : public ShellTest {
protected:
    void TearDown() override
    {
        unloadForms();
        ShellTest::TearDown();
    }

    shell::frmMDI_main *main() const { return shell::frmMDI_main::instance(); }

    void trigger(const char *item)
    {
        triggerMenuItem(main(), item);
        QApplication::processEvents();
    }
};

TEST_F(ExampleSite, ImportedFromTheSiteListItsTargetFundIsOnScreen)
{
    templateCopy();
    modMain::Main();
    ASSERT_NE(main(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([] { return screens::Form::loaded<shell::frmOpenInr>() != nullptr; }, 5000));
    auto *list = screens::Form::loaded<shell::frmOpenInr>();
    auto *lst1 = control<QTreeWidget>(list, "lst1");

    script.expectFileDialog(ui::FileDialogMode::Open, QStringLiteral("Importeren...")).answer(exampleFile());
    click(control<QPushButton>(list, "cmdImport"));
    clickRow(lst1, kSite);
    QApplication::processEvents();
    click(control<QPushButton>(list, "OKButton"));
    ASSERT_EQ(modMain::gstrNaamStort, kSite);
    if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
        notice->Timer1_Timer();

    // Every checklist item keeps within its checklist item's bounds, as its
    // mark says; the own items are marked own.
    {
        records::clsAct act(modMain::pfunRecordsContext());
        checklist::clsCL cl(modMain::pfunChecklistContext());
        cl.initializeCL(modMain::gintCL_ID);
        int checklistItems = 0, ownItems = 0;
        for (; !act.EOF_(); act.moveNext()) {
            SCOPED_TRACE(act.strActHuidig().toStdString());
            if (act.Clitem_REF().isNull()) {
                ++ownItems;
                EXPECT_EQ(act.IsQOR(), 0);
                continue;
            }
            ++checklistItems;
            EXPECT_EQ(act.IsQOR(), 1);
            ASSERT_TRUE(cl.GaNaarItem(act.Clitem_REF().toInt()));
            EXPECT_EQ(act.ToetsAanNieuweCL(cl), 1);
        }
        EXPECT_EQ(checklistItems, 10);
        EXPECT_EQ(ownItems, 2);
    }

    // The calculation, item by item, against the model.
    calc::clsDV dv(modMain::pfunCalcContext());
    dv.initializeDV(modMain::glngStortID, -9.0f, -9.0f);
    ASSERT_TRUE(dv.VerifyBeforeBerekening2());
    ASSERT_TRUE(dv.BerekenAlles());
    const double ncw[] = {132392.140625,  27516.59375, 161547.578125,   15577.3525390625,
                          20035.65234375, 411886.6875, 17652.287109375, 55387.73828125,
                          529568.5625,    268430.125,  243559.3125,     97423.7265625};
    ASSERT_EQ(dv.items().size(), std::size(ncw));
    std::vector<double> got;
    for (const auto &r : dv.items())
        got.push_back(r.NCW);
    std::vector<double> sortedGot = got, sortedExpected(std::begin(ncw), std::end(ncw));
    std::sort(sortedGot.begin(), sortedGot.end());
    std::sort(sortedExpected.begin(), sortedExpected.end());
    for (size_t i = 0; i < sortedGot.size(); ++i)
        expectSingle(sortedGot[i], sortedExpected[i]);
    expectSingle(dv.DoelvermogenZonderRisicoFonds(), 4035008.0);
    expectSingle(dv.DoelvermogenMetRisicoFonds(), 4060008.0);

    // The levy per ton of this object-bound site, at its start of after-care.
    calc::clsHeffing heffing(modMain::pfunCalcContext());
    heffing.psubBerekenHeffingPerTon(dv.DoelvermogenMetRisicoFonds());
    ASSERT_TRUE(heffing.ValidatieOK);
    EXPECT_NEAR(heffing.HeffingPerTon_prijspeil_tRef, 8.358403676804649, 1e-6);
    EXPECT_EQ(heffing.rapAantalKtonTotaal(), 450);

    // And what the user sees: "Doelvermogen & heffing", on screen.
    trigger("Doelvermogen");
    auto *form = screens::Form::loaded<reports::frmDoelverm>();
    ASSERT_NE(form, nullptr);
    main()->activateWindow();
    QApplication::setActiveWindow(main());
    QApplication::processEvents();
    EXPECT_TRUE(control<QRadioButton>(form, "optRapNaar_1")->isChecked());
    click(control<QPushButton>(form, "OKButton"));
    auto *rap = screens::Form::loaded<reports::frmRapScherm>();
    ASSERT_NE(rap, nullptr);
    const QString text = rap->Text();
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("DOELVERMOGEN[ \t]*€ ([0-9.]+)")).match(text);
    ASSERT_TRUE(m.hasMatch()) << text.toStdString();
    EXPECT_NEAR(euros(m.captured(1)), 4060008.0, 1.0) << text.toStdString();
}

} // namespace
