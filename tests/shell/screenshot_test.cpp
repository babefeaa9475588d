// A picture of the main window with the site list open, taken offscreen.
// It is written to $TAVIR_SCREENSHOT_DIR/main-window-site-list.png when
// that variable is set (scripts/screenshot sets it to docs/).

#include "shell_screen_test_env.h"

#include "shell/current_site.h"
#include "shell/frmOpenInr.h"
#include "shell/frmOpenInrConfirm.h"

#include <QImage>
#include <QMdiSubWindow>

using namespace shelltest;

namespace {

class ScreenshotTest : public ShellScreenTest {};

TEST_F(ScreenshotTest, MainWindowWithTheSiteList)
{
    main->resize(1000, 620);
    main->setPanelText(2, QStringLiteral(" TAVIR programmaversie: 3.0 "));
    main->setPanelText(3, QStringLiteral(" volgnr. bestand checklists: 12 "));
    addSite(QStringLiteral("Stortplaats De Kuil"), 1, 4, 40);
    addSite(QStringLiteral("Baggerdepot Hollandsch Diep"), 2, 12, 70);
    const qint32 open = addSite(QStringLiteral("Stortplaats 't Veld"), 1, 3, 80);
    addSite(QStringLiteral("Baggerdepot Zeehaven"), 2, 11, 110);
    runSql(dataFile, QStringLiteral("UPDATE tblStort SET strRIVMnr = 'NH-0' || idrStort_ID"));
    modMain::OpenInrichting(open);
    screens::Form::loaded<shell::frmOpenInrConfirm>()->Timer1_Timer();

    trigger("open_inrichting");
    auto *list = screens::Form::loaded<shell::frmOpenInr>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(control<QTreeWidget>(list, "lst1")->topLevelItemCount(), 4);
    QApplication::processEvents();

    const QImage image = main->grab().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), main->size() * main->devicePixelRatio());

    const QByteArray dir = qgetenv("TAVIR_SCREENSHOT_DIR");
    const QString target =
        (dir.isEmpty() ? tmp.path() : QString::fromLocal8Bit(dir)) + QStringLiteral("/main-window-site-list.png");
    EXPECT_TRUE(image.save(target)) << target.toStdString();
}

} // namespace
