// The target-fund report of the demo site as LibreOffice reads it: converted
// to PDF and read back as text (pdftotext), it shows the conformity marks,
// Dutch dates and the page numbers.

#include "report_render.h"

#include "support/qstring_printer.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(LibreOfficeTest, TheTargetFundReportShowsItsMarksDutchDatesAndPageNumbers)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        << "pdftotext not found (scripts/install-deps installs poppler-utils)";
    QTemporaryDir out;
    reporttest::DemoSite fx;
    const QString docx = out.filePath(QStringLiteral("rapport.docx"));
    QString fout;
    ASSERT_TRUE(reporttest::writeTargetFundReport(fx, fx.demo, 2, docx, &fout)) << fout.toStdString();
    const QString pdf = reporttest::convertWithLibreOffice(docx, out.path(), QStringLiteral("pdf"), &fout);
    ASSERT_FALSE(pdf.isEmpty()) << fout.toStdString();
    const QString text = pdfText(pdf);
    ASSERT_FALSE(text.isEmpty());
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);

    // The three marks, in the legend and in the symbol column; no letter
    // of a symbol font stands in for them anywhere.
    for (const char *regel : {"\u2714\\s*: QOR-checklistpost, invoer voldoet aan criteria;",
                              "\u2718\\s*: QOR-checklistpost, invoer voldoet niet aan criteria",
                              "\u25cb\\s*: door de gebruiker gedefinieerde kostenpost."})
        EXPECT_TRUE(text.contains(QRegularExpression(QString::fromUtf8(regel)))) << regel;
    for (const char *rij : {"^\\s*\u2714\\s+Maaien bermen en taluds", "^\\s*\u2718\\s+Controlemetingen grondwater",
                            "^\\s*\u25cb\\s+Onderhoud toegangsweg", "^\\s*\u2714\\s+Rapportage/evaluatie"})
        EXPECT_TRUE(text.contains(QRegularExpression(QString::fromUtf8(rij), QRegularExpression::MultilineOption)))
            << rij;
    for (const QChar c : {QChar(0xFC), QChar(0xFA), QChar(0xD6)})
        EXPECT_FALSE(text.contains(c)) << "a symbol-font letter: " << QString(c).toStdString();

    // Dutch dates: the moment of making, and the printing date that the
    // reader fills in, both with Dutch month names.
    EXPECT_TRUE(text.contains(QStringLiteral("Gegenereerd d.d. 10-dec-2026")));
    const QRegularExpression gedrukt(
        QStringLiteral("Afgedrukt d\\.d\\. \\d{1,2}-(jan|feb|mrt|apr|mei|jun|jul|aug|sep|okt|nov|dec)-\\d{4}"));
    EXPECT_EQ(text.count(gedrukt), pages.size() + 1) << "the cover and every footer";
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\d-(Mar|May|Oct|Dec)-\\d"))));

    // Page numbers: the count on the cover and "pag. k van n" on every page.
    const qsizetype n = pages.size();
    ASSERT_GT(n, 3);
    EXPECT_TRUE(text.contains(QStringLiteral("Aantal pagina's: %1").arg(n)));
    for (qsizetype k = 1; k <= n; ++k)
        EXPECT_TRUE(pages[k - 1].contains(QStringLiteral("pag. %1 van %2").arg(k).arg(n))) << "page " << k;
}

} // namespace
