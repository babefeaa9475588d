// Writes the Word reports of the spread of sites (render_sites.h), and
// pictures of the report window for the demo site, into the folder named by
// TAVIR_RENDER_DIR (scripts/render-reports converts the reports with
// LibreOffice). Without that variable it does nothing.

#include "render_sites.h"
#include "report_render.h"

#include "reports/frmDoelverm.h"
#include "reports/frmRapScherm.h"

#include "screens/form.h"

#include "platform/ui/scripted_dialogs.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QPainter>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// The report window after a screen report, in a 1024 x 768 main window,
// and its whole text as one tall picture.
void pictureOfReportWindow(const reporttest::DemoSite &fx, qint32 site, int optRapSort, const QString &base)
{
    QMdiArea area;
    area.resize(1024, 768);
    area.show();
    screens::Form::setHost(&area);
    ui::ScriptedDialogs script(ui::ScriptedDialogs::Mode::Record);
    ui::ScopedDialogs use(&script);
    reports::DoelvermKeuzes k;
    k.optRapNaar = 1;
    k.chkRapDV = k.chkRapHef = true;
    k.optRapSort = optRapSort;
    QString btw;
    reports::DoelvermRapport rapport;
    rapport.laadRapScherm = reports::laadRapSchermDoelverm;
    rapport.maak(k, btw, reporttest::reportContext(fx, site));
    QApplication::processEvents();
    area.grab().save(base + QStringLiteral("-venster.png"));
    if (auto *f = screens::Form::loaded<reports::frmRapScherm>()) {
        auto *tekst = f->findChild<QTextEdit *>(QStringLiteral("txtRap"));
        QTextDocument *doc = tekst->document();
        const QSizeF size = doc->documentLayout()->documentSize();
        QImage beeld(size.toSize().expandedTo({1, 1}), QImage::Format_RGB32);
        beeld.fill(Qt::white);
        QPainter p(&beeld);
        doc->drawContents(&p);
        p.end();
        beeld.save(base + QStringLiteral("-tekst.png"));
        f->unload();
    }
    screens::Form::setHost(nullptr);
}

TEST(RenderDemo, WritesEveryReport)
{
    const QString dir = qEnvironmentVariable("TAVIR_RENDER_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "TAVIR_RENDER_DIR is not set";
    QDir().mkpath(dir);
    reporttest::RenderSites fx;
    QString fout;
    for (const reporttest::RenderReport &r : reporttest::renderReports(fx)) {
        const QString file = QDir(dir).filePath(r.name + QStringLiteral(".docx"));
        if (r.optRapSort == 0)
            EXPECT_TRUE(reporttest::writeInputReport(fx, r.site, file, &fout)) << fout.toStdString();
        else
            EXPECT_TRUE(reporttest::writeTargetFundReport(fx, r.site, r.optRapSort, file, &fout, r.heffing))
                << fout.toStdString();
    }
    const std::pair<int, const char *> sorteringen[] = {{1, "voorziening"}, {2, "rubriek"}, {3, "conformiteit"}};
    for (const auto &[optie, naam] : sorteringen)
        pictureOfReportWindow(fx, fx.demo, optie,
                              QDir(dir).filePath(QStringLiteral("rapportvenster-%1").arg(QLatin1String(naam))));
    pictureOfReportWindow(fx, fx.eigen, 3, QDir(dir).filePath(QStringLiteral("rapportvenster-eigen-posten")));
}

} // namespace
