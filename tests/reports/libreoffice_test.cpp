// The reports of a spread of sites (render_sites.h) as LibreOffice lays
// them out: converted to PDF in one run and read back as text (pdftotext),
// page by page. They show the conformity marks, Dutch dates and the page
// numbers; no page holds only a legend, a heading, the closing block or
// one line; the cover stands on one page; no amount breaks over two lines;
// and the page count the reports store is LibreOffice's own, or one off.

#include "docx_reader.h"
#include "render_sites.h"
#include "report_fixture.h"
#include "report_render.h"

#include "support/qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <zip.h>

namespace {

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// One part of a saved package.
QByteArray part(const QString &docx, const char *name)
{
    QFile f(docx);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *src = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    zip_t *z = src ? zip_open_from_source(src, ZIP_RDONLY, &error) : nullptr;
    QByteArray out;
    if (z) {
        zip_stat_t st;
        zip_file_t *zf = zip_stat(z, name, 0, &st) == 0 ? zip_fopen(z, name, 0) : nullptr;
        if (zf) {
            out.resize(qsizetype(st.size));
            out.resize(qsizetype(qMax<zip_int64_t>(0, zip_fread(zf, out.data(), st.size))));
            zip_fclose(zf);
        }
        zip_close(z);
    } else if (src) {
        zip_source_free(src);
    }
    zip_error_fini(&error);
    return out;
}

// The stored results of the NUMPAGES fields of a part, as a reader that
// does not count pages itself shows them.
QList<int> storedPageCounts(const QByteArray &xml)
{
    static const QRegularExpression field(QStringLiteral("NUMPAGES[^<]*</w:instrText>.*?w:fldCharType=\"separate\"/></"
                                                         "w:r><w:r>(?:<w:rPr>.*?</w:rPr>)?<w:t[^>]*>(\\d+)<"));
    QList<int> counts;
    for (auto m = field.globalMatch(QString::fromUtf8(xml)); m.hasNext();)
        counts << m.next().captured(1).toInt();
    return counts;
}

// A page as a reader sees it: its lines of content, without the page
// header and footer and without the table heading row that repeats at
// its top.
struct Pagina {
    QStringList regels;
    bool tabel = false; // it holds a cost-item table
};

bool kopRegelVanTabel(const QString &regel)
{
    static const QStringList woorden = {
        QStringLiteral("post"),       QStringLiteral("aanleg"),     QStringLiteral("afd."),
        QStringLiteral("eerste"),     QStringLiteral("laatste"),    QStringLiteral("uitgave"),
        QStringLiteral("frequentie"), QStringLiteral("kosten"),     QStringLiteral("(prijspeil"),
        QStringLiteral("NCW"),        QStringLiteral("start"),      QStringLiteral("eind"),
        QStringLiteral("freq."),      QStringLiteral("verwijzing"), QStringLiteral("nazorgplan"),
        QStringLiteral("opmerkingen")};
    static const QRegularExpression jaar(QStringLiteral("^\\d{4}\\)$"));
    const QStringList ws = regel.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (ws.isEmpty())
        return false;
    for (const QString &w : ws)
        if (!woorden.contains(w) && !jaar.match(w).hasMatch())
            return false;
    return true;
}

std::vector<Pagina> paginas(const QString &text)
{
    std::vector<Pagina> out;
    QStringList pages = text.split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    for (const QString &page : pages) {
        Pagina p;
        for (QString regel : page.split(QLatin1Char('\n'))) {
            regel = regel.trimmed();
            if (regel.isEmpty() || regel.startsWith(QLatin1String("TAVIR "))
                || regel.startsWith(QLatin1String("Gegenereerd d.d."))
                || regel.startsWith(QLatin1String("Afgedrukt d.d.")))
                continue;
            if (kopRegelVanTabel(regel)) {
                p.tabel = true;
                continue;
            }
            p.regels << regel;
        }
        out.push_back(p);
    }
    return out;
}

struct Rapport {
    reporttest::RenderReport wat;
    QString docx, pdf, text;
    std::vector<Pagina> paginas;
    QStringList voorzieningen;
    bool prognose = false;
    QList<int> opgeslagen; // the stored page counts: the cover's, the footer's
};

class LibreOfficeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_map = std::make_unique<QTemporaryDir>();
        s_rapporten = std::make_unique<std::vector<Rapport>>();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            s_fout = QStringLiteral("pdftotext not found (scripts/install-deps installs poppler-utils)");
            return;
        }
        reporttest::RenderSites fx;
        QStringList docs;
        for (const reporttest::RenderReport &r : reporttest::renderReports(fx)) {
            Rapport rap;
            rap.wat = r;
            rap.docx = s_map->filePath(r.name + QStringLiteral(".docx"));
            QString fout;
            const bool ok = r.optRapSort == 0 ? reporttest::writeInputReport(fx, r.site, rap.docx, &fout)
                                              : reporttest::writeTargetFundReport(fx, r.site, r.optRapSort, rap.docx,
                                                                                  &fout, r.heffing);
            if (!ok) {
                s_fout += r.name + QStringLiteral(": ") + fout + QLatin1Char('\n');
                continue;
            }
            rap.voorzieningen = fx.voorzieningen(r.site);
            rap.prognose =
                fx.scalar(QStringLiteral("SELECT COUNT(*) FROM tblTonnage WHERE lngStort_REF = ?"), {r.site}).toInt()
                > 0;
            rap.opgeslagen = storedPageCounts(part(rap.docx, "word/document.xml"))
                             + storedPageCounts(part(rap.docx, "word/footer1.xml"));
            docs << rap.docx;
            s_rapporten->push_back(rap);
        }
        QString fout;
        const QStringList pdfs = reporttest::convertWithLibreOffice(docs, s_map->path(), QStringLiteral("pdf"), &fout);
        if (pdfs.size() != docs.size()) {
            s_fout += fout;
            return;
        }
        for (size_t i = 0; i < s_rapporten->size(); ++i) {
            Rapport &rap = (*s_rapporten)[i];
            rap.pdf = pdfs[qsizetype(i)];
            rap.text = pdfText(rap.pdf);
            rap.paginas = paginas(rap.text);
        }
    }
    static void TearDownTestSuite()
    {
        s_rapporten.reset();
        s_map.reset();
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_fout.isEmpty()) << s_fout.toStdString();
        ASSERT_FALSE(s_rapporten->empty());
        for (const Rapport &r : *s_rapporten)
            ASSERT_FALSE(r.paginas.empty()) << r.wat.name.toStdString() << ": no pages read";
    }
    static const Rapport &rapport(const QString &name)
    {
        for (const Rapport &r : *s_rapporten)
            if (r.wat.name == name)
                return r;
        static const Rapport geen;
        ADD_FAILURE() << "no report " << name.toStdString();
        return geen;
    }

    static inline std::unique_ptr<QTemporaryDir> s_map;
    static inline std::unique_ptr<std::vector<Rapport>> s_rapporten;
    static inline QString s_fout;
};

TEST_F(LibreOfficeTest, TheTargetFundReportShowsItsMarksDutchDatesAndPageNumbers)
{
    const Rapport &r = rapport(QStringLiteral("doelvermogen-rubriek"));
    const QString &text = r.text;
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

// A line that heads what follows it: a block, group or category heading,
// the legend's first line, or (in a cost-item table) a facility's name.
bool kop(const QString &regel, const Rapport &r, const Pagina &p)
{
    static const QStringList koppen = {QStringLiteral("A: Jaarlijkse kosten & B: Vervangingskosten"),
                                       QStringLiteral("A: Jaarlijkse kosten"),
                                       QStringLiteral("B: Vervangingskosten"),
                                       QStringLiteral("C: Toeslagen algemene nazorgkosten"),
                                       QStringLiteral("Overig (buiten het doelvermogen)"),
                                       QStringLiteral("Toeslagen vervangingen"),
                                       QStringLiteral("Berekening doelvermogen"),
                                       QStringLiteral("Samenvatting berekening doelvermogen"),
                                       QStringLiteral("Prognose afvalaanbod"),
                                       QStringLiteral("Verklaring:"),
                                       QStringLiteral("Uitzonderingen:")};
    static const QRegularExpression hoofdletters(QStringLiteral("^[A-Z][A-Z ,]{3,}$"));
    return koppen.contains(regel) || hoofdletters.match(regel).hasMatch()
           || (p.tabel && r.voorzieningen.contains(regel));
}

TEST_F(LibreOfficeTest, NoPageHoldsOnlyALegendAHeadingTheClosingBlockOrOneLine)
{
    for (const Rapport &r : *s_rapporten) {
        for (size_t i = 0; i < r.paginas.size(); ++i) {
            const Pagina &p = r.paginas[i];
            const std::string waar = r.wat.name.toStdString() + ", page " + std::to_string(i + 1);
            ASSERT_FALSE(p.regels.isEmpty()) << waar << ": an empty page";
            EXPECT_GE(p.regels.size(), 2) << waar << " holds one line: " << p.regels.front().toStdString();
            EXPECT_NE(p.regels.front(), QStringLiteral("Verklaring:")) << waar << " holds only the legend";
            EXPECT_FALSE(p.regels.front().startsWith(QLatin1String("Berekening doelvermogen")))
                << waar << " holds only the closing block";
            bool alleenKoppen = true;
            for (const QString &regel : p.regels)
                alleenKoppen = alleenKoppen && kop(regel, r, p);
            EXPECT_FALSE(alleenKoppen) << waar << " holds only headings";
            // A heading keeps with what follows it.
            if (i + 1 < r.paginas.size()) {
                EXPECT_FALSE(kop(p.regels.back(), r, p))
                    << waar << " ends with a heading: " << p.regels.back().toStdString();
            }
        }
    }
}

TEST_F(LibreOfficeTest, TheCoverStandsOnOnePage)
{
    for (const Rapport &r : *s_rapporten) {
        SCOPED_TRACE(r.wat.name.toStdString());
        const QString eerste = r.paginas.front().regels.join(QLatin1Char('\n'));
        // The general data's last row, and what the cover ends with.
        EXPECT_TRUE(
            eerste.contains(QRegularExpression(QStringLiteral("^Risicobedrag "), QRegularExpression::MultilineOption)));
        if (r.wat.optRapSort != 0) {
            EXPECT_TRUE(eerste.contains(QStringLiteral("Doelvermogen incl. BTW")));
            EXPECT_TRUE(eerste.contains(
                QRegularExpression(QStringLiteral("^Naam\\s+Datum\\s+Paraaf$"), QRegularExpression::MultilineOption)));
        }
        if (r.prognose)
            EXPECT_TRUE(eerste.endsWith(QLatin1String("Prognose afvalaanbod: z.o.z.")));
        else
            EXPECT_TRUE(eerste.contains(QStringLiteral("Er is geen prognose van het afvalaanbod ingevoerd.")));
        ASSERT_GE(r.paginas.size(), 2u);
        EXPECT_TRUE(r.paginas[1].regels.front().startsWith(r.prognose ? QLatin1String("Prognose afvalaanbod")
                                                                      : QLatin1String("Rapportage")))
            << "page 2 begins with " << r.paginas[1].regels.front().toStdString();
    }
}

TEST_F(LibreOfficeTest, NoAmountBreaksOverTwoLinesAndTheLargestCostsStayOnOne)
{
    // A "€" stands on the line of its figure.
    static const QRegularExpression los(QString::fromUtf8("€(?![ \u00a0]?-?\\d)"));
    for (const Rapport &r : *s_rapporten)
        for (const QString &regel : r.text.split(QLatin1Char('\n')))
            EXPECT_FALSE(los.match(regel).hasMatch()) << r.wat.name.toStdString() << ": " << regel.toStdString();

    // Every item's cost text, the largest ones too, on one line of its
    // own cell (blanks as the reader spaces them): in the target-fund
    // table's column 7, the input-data table's column 6.
    const std::pair<const char *, int> tabellen[] = {
        {"lang-doelvermogen", 7}, {"depot-doelvermogen", 7}, {"lang-invoer", 6}, {"depot-invoer", 6}};
    for (const auto &[naam, kolom] : tabellen) {
        const Rapport &r = rapport(QLatin1String(naam));
        QJsonObject t;
        for (const auto &tabel : wordtest::tables(wordtest::readDocx(r.docx)))
            if (wordtest::rowTexts(tabel.toObject()).value(0).startsWith(QLatin1String("|post|")))
                t = tabel.toObject();
        QString plat = r.text;
        plat.replace(QChar(0xA0), QLatin1Char(' '));
        int gezien = 0;
        for (QString k : reporttest::column(t, kolom).mid(1)) {
            k.replace(QChar(0xA0), QLatin1Char(' '));
            if (!k.contains(QRegularExpression(QStringLiteral("\\d"))))
                continue;
            ++gezien;
            QString patroon = QRegularExpression::escape(k.trimmed());
            patroon.replace(QStringLiteral("\\ "), QStringLiteral(" {1,3}"));
            EXPECT_TRUE(plat.contains(QRegularExpression(patroon))) << naam << ": " << k.toStdString();
        }
        EXPECT_GE(gezien, 3) << naam;
    }
}

TEST_F(LibreOfficeTest, TheStoredPageCountIsLibreOfficesOrOneOff)
{
    int anders = 0;
    for (const Rapport &r : *s_rapporten) {
        const int geteld = int(r.paginas.size());
        ASSERT_EQ(r.opgeslagen.size(), 2) << r.wat.name.toStdString() << ": the cover's and the footer's count";
        EXPECT_EQ(r.opgeslagen[0], r.opgeslagen[1]) << r.wat.name.toStdString();
        const int opgeslagen = r.opgeslagen[0];
        EXPECT_LE(std::abs(opgeslagen - geteld), 1)
            << r.wat.name.toStdString() << ": stored " << opgeslagen << ", LibreOffice " << geteld;
        if (opgeslagen != geteld)
            ++anders;
        std::printf("%-34s stored %3d  LibreOffice %3d\n", qPrintable(r.wat.name), opgeslagen, geteld);
    }
    std::printf("The stored page count differs from LibreOffice's in %d of %d reports (%.0f %%).\n", anders,
                int(s_rapporten->size()), 100.0 * anders / double(s_rapporten->size()));
}

} // namespace
