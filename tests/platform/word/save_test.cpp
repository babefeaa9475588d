// Saving: a valid package, written beside the target and renamed into
// place; a failed save leaves the old file as it was and nothing behind.

#include "docx_reader.h"

#include "support/item_at.h"
#include "support/qstring_printer.h"

#include "platform/core/error.h"
#include "platform/word/document.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace {

using namespace word;
using testsupport::itemAt;

void fill(Document &doc, int rows)
{
    Selection &sel = doc.Selection();
    sel.TypeText(QStringLiteral("Rapportage"));
    Table &t = doc.Tables().Add(sel.Range(), rows, 3);
    for (int r = 1; r <= rows; ++r)
        t.Cell(r, 2).Text = QStringLiteral("regel %1 met wat tekst om het bestand groter te maken").arg(r);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(WordSave, APackageHoldsThePartsWordNeeds)
{
    Document doc;
    fill(doc, 2);
    const QByteArray bytes = doc.toDocx();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *src = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    zip_t *z = zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    ASSERT_NE(z, nullptr);
    for (const char *part : {"[Content_Types].xml", "_rels/.rels", "word/document.xml", "word/_rels/document.xml.rels",
                             "word/styles.xml", "word/settings.xml", "word/header1.xml", "word/footer1.xml"})
        EXPECT_GE(zip_name_locate(z, part, 0), 0) << part;
    zip_close(z);
    zip_error_fini(&error);
}

// One part of a package, as text.
QString part(const QByteArray &package, const char *name)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *src = zip_source_buffer_create(package.constData(), zip_uint64_t(package.size()), 0, &error);
    zip_t *z = zip_open_from_source(src, ZIP_RDONLY, &error);
    QByteArray out;
    if (z) {
        zip_stat_t st;
        if (zip_stat(z, name, 0, &st) == 0) {
            out.resize(qsizetype(st.size));
            zip_file_t *f = zip_fopen(z, name, 0);
            if (f) {
                zip_fread(f, out.data(), st.size);
                zip_fclose(f);
            }
        }
        zip_close(z);
    }
    zip_error_fini(&error);
    return QString::fromUtf8(out);
}

TEST(WordSave, FieldsAreSavedWithAResultInDutchAndNoneAsksToBeUpdated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rapport.docx"));
    Document doc;
    Selection &sel = doc.Selection();
    sel.TypeText(QStringLiteral("Aantal pagina's: "));
    sel.Fields().Add(sel.Range(), wdFieldEmpty, QStringLiteral("NUMPAGES  \\* Arabic "));
    sel.InsertBreak(wdSectionBreakNextPage);
    // 120 rows of one line of 12 points: 50 to a page.
    Table &t = doc.Tables().Add(sel.Range(), 120, 2);
    for (int r = 1; r <= 120; ++r)
        t.Cell(r, 1).Text = QString::number(r);
    sel.SeekView(wdSeekCurrentPageFooter);
    sel.TypeText(QStringLiteral("Afgedrukt d.d. "));
    sel.Fields().Add(sel.Range(), wdFieldEmpty, QStringLiteral("DATE  \\@ \"d-MMM-yyyy\" "));
    sel.TypeText(QStringLiteral(" pag. "));
    sel.Fields().Add(sel.Range(), wdFieldEmpty, QStringLiteral("PAGE  \\* Arabic "));
    sel.SeekView(wdSeekMainDocument);
    EXPECT_EQ(doc.EstimatedPageCount(), 4); // the first section's page, then three
    doc.SaveAs(path);

    const QJsonObject d = wordtest::readDocx(path);
    EXPECT_EQ(itemAt(wordtest::bodyTexts(d), 0), QStringLiteral("Aantal pagina's: 4"));
    const QString voet = itemAt(wordtest::paragraphs(d[QStringLiteral("footer")].toArray()), 0)
                             .toObject()[QStringLiteral("text")]
                             .toString();
    EXPECT_TRUE(voet.contains(QRegularExpression(
        QStringLiteral("^Afgedrukt d.d. \\d{1,2}-(jan|feb|mrt|apr|mei|jun|jul|aug|sep|okt|nov|dec)-\\d{4} pag. 1$"))))
        << voet.toStdString();
    // Nothing marks a field stale or asks for an update on opening, and the
    // text is Dutch.
    const QByteArray package = readAll(path);
    for (const char *naam : {"word/document.xml", "word/footer1.xml", "word/settings.xml"}) {
        EXPECT_FALSE(part(package, naam).contains(QStringLiteral("dirty"))) << naam;
        EXPECT_FALSE(part(package, naam).contains(QStringLiteral("updateFields"))) << naam;
    }
    EXPECT_TRUE(part(package, "word/styles.xml").contains(QStringLiteral("<w:lang w:val=\"nl-NL\"")));
}

// One part of a package, as written.
QByteArray partOf(const QByteArray &docx, const char *name)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *src = zip_source_buffer_create(docx.constData(), zip_uint64_t(docx.size()), 0, &error);
    zip_t *z = zip_open_from_source(src, ZIP_RDONLY, &error);
    QByteArray bytes;
    if (z) {
        zip_stat_t st;
        zip_file_t *f = zip_stat(z, name, 0, &st) == 0 ? zip_fopen(z, name, 0) : nullptr;
        if (f) {
            bytes.resize(qsizetype(st.size));
            bytes.resize(qsizetype(qMax<zip_int64_t>(0, zip_fread(f, bytes.data(), st.size))));
            zip_fclose(f);
        }
        zip_close(z);
    }
    zip_error_fini(&error);
    return bytes;
}

TEST(WordSave, AHeaderOrFooterWithNothingInItIsSavedWithAnEmptyParagraph)
{
    // A header or footer part without a paragraph is not valid Office Open
    // XML; most reports leave one of them empty.
    Document doc;
    doc.Selection().TypeText(QStringLiteral("tekst"));
    const QByteArray package = doc.toDocx();
    for (const char *naam : {"word/header1.xml", "word/footer1.xml"}) {
        SCOPED_TRACE(naam);
        QXmlStreamReader xml(partOf(package, naam));
        int paragraphs = 0;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.qualifiedName() == QLatin1String("w:p"))
                ++paragraphs;
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_EQ(paragraphs, 1);
    }
}

TEST(WordSave, CrLfCrOrLfInACellEndsAParagraphInTheFileAndInThePageEstimate)
{
    // 40 rows of one cell in 12 pt (lines of 13,8 pt) on 700 pt of page:
    // one paragraph a row fits one page, two take two pages (25 rows to
    // a page), three take three (16 to a page).
    struct Case {
        const char *text;
        const char *readBack; // paragraphs joined by LF
        int pages;
    };
    const Case cases[] = {
        {"ab", "ab", 1},     {"a\r\nb", "a\nb", 2},       {"a\rb", "a\nb", 2},
        {"a\nb", "a\nb", 2}, {"a\r\n\r\nb", "a\n\nb", 3}, {"a\n\rb", "a\n\nb", 3},
        {"\r\n", "\n", 2},   {"a\r\n", "a\n", 2},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        Document doc;
        Table &t = doc.Tables().Add(doc.Selection().Range(), 40, 1);
        for (int r = 1; r <= 40; ++r)
            t.Cell(r, 1).Text = QString::fromLatin1(c.text);
        EXPECT_EQ(doc.EstimatedPageCount(), c.pages);
        const QString path = dir.filePath(QStringLiteral("cellen.docx"));
        doc.SaveAs(path);
        EXPECT_EQ(wordtest::cellText(itemAt(wordtest::tables(wordtest::readDocx(path)), 0).toObject(), 40, 1),
                  QString::fromLatin1(c.readBack));
    }
}

TEST(WordSave, LengthsAreRoundedToTheNearestUnit)
{
    // 10,49 pt is 209,8 twips and 10,75 pt is 21,5 half-points: cut off
    // they would be 209 and 21. The 10,75 pt text is not the document's
    // usual font, so its run says its size.
    Document doc;
    Selection &sel = doc.Selection();
    sel.PageSetup().TopMargin = 10.49f;
    sel.Font().Size = 10.75f;
    sel.ParagraphFormat().TabStops.Add(10.49f);
    sel.TypeText(QStringLiteral("a"));
    sel.Font().Size = 12;
    sel.TypeText(QStringLiteral("\tb"));
    Table &t = doc.Tables().Add(sel.Range(), 1, 2);
    t.SetColumnWidth(1, 10.49f);
    const QByteArray xml = partOf(doc.toDocx(), "word/document.xml");
    ASSERT_FALSE(xml.isEmpty());
    EXPECT_TRUE(xml.contains("w:top=\"210\"")) << "page margin";
    EXPECT_TRUE(xml.contains("w:sz w:val=\"22\"")) << "font size";
    EXPECT_TRUE(xml.contains("w:pos=\"210\"")) << "tab stop";
    EXPECT_TRUE(xml.contains("w:gridCol w:w=\"210\"")) << "column width";
    EXPECT_FALSE(xml.contains("=\"209\""));
    EXPECT_FALSE(xml.contains("w:val=\"21\""));
}

TEST(WordSave, TheUsualFontIsSaidOnceAndEveryRunReadsBackInItsOwn)
{
    Document doc;
    Selection &sel = doc.Selection();
    sel.Font().Name = QStringLiteral("Arial");
    sel.Font().Size = 8;
    for (int k = 1; k <= 20; ++k)
        sel.TypeText(QStringLiteral("regel %1\r\n").arg(k));
    {
        // All in one font: the runs say nothing of it, the styles all.
        const QByteArray package = doc.toDocx();
        const QByteArray body = partOf(package, "word/document.xml");
        EXPECT_FALSE(body.contains("w:rPr")) << body.constData();
        const QByteArray styles = partOf(package, "word/styles.xml");
        EXPECT_TRUE(styles.contains("<w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\" w:cs=\"Arial\"/>"));
        EXPECT_TRUE(styles.contains("<w:sz w:val=\"16\"/>"));
    }
    // A line break at the end of a paragraph, in the usual font; a run in
    // the font of a new document, one in bold, a cell in italic.
    sel.TypeText(QStringLiteral("kop"));
    sel.InsertBreak(wdLineBreak);
    sel.TypeParagraph();
    sel.Font() = Font{};
    sel.TypeText(QStringLiteral("times"));
    sel.Font().Name = QStringLiteral("Arial");
    sel.Font().Size = 8;
    sel.Font().Bold = true;
    sel.TypeText(QStringLiteral("vet"));
    sel.Font().Bold = false;
    Table &t = doc.Tables().Add(sel.Range(), 1, 1);
    t.Cell(1, 1).Font.Italic = true;
    t.Cell(1, 1).Text = QStringLiteral("cel");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fonts.docx"));
    doc.SaveAs(path);

    const QJsonObject d = wordtest::readDocx(path);
    struct Expected {
        const char *text, *font;
        double size;
        bool bold;
    };
    const Expected runs[] = {{"regel 20", "Arial", 8, false},
                             {"kop", "Arial", 8, false},
                             {"times", "Times New Roman", 12, false},
                             {"vet", "Arial", 8, true}};
    QJsonArray all;
    for (const auto &p : wordtest::paragraphs(d[QStringLiteral("body")].toArray()))
        for (const auto &r : p.toObject()[QStringLiteral("runs")].toArray())
            all.append(r);
    for (const Expected &e : runs) {
        SCOPED_TRACE(e.text);
        const auto at = std::find_if(all.begin(), all.end(), [&](const QJsonValue &r) {
            return r.toObject()[QStringLiteral("text")].toString() == QLatin1String(e.text);
        });
        ASSERT_NE(at, all.end());
        const QJsonObject r = at->toObject();
        EXPECT_EQ(r[QStringLiteral("font")].toString(), QLatin1String(e.font));
        EXPECT_EQ(r[QStringLiteral("size")].toDouble(), e.size);
        EXPECT_EQ(r[QStringLiteral("bold")].toBool(), e.bold);
        EXPECT_FALSE(r[QStringLiteral("italic")].toBool());
    }
    const QJsonObject cel = wordtest::cell(itemAt(wordtest::tables(d), 0).toObject(), 1, 1);
    EXPECT_EQ(cel[QStringLiteral("font")].toString(), QStringLiteral("Arial"));
    EXPECT_EQ(cel[QStringLiteral("size")].toDouble(), 8.0);
    EXPECT_TRUE(cel[QStringLiteral("italic")].toBool());
}

TEST(WordSave, SavingReplacesAnOlderFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Rapportage Alfa.doc"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("oud rapport");
    }
    Document doc;
    fill(doc, 3);
    doc.SaveAs(path);
    const QJsonObject d = wordtest::readDocx(path);
    EXPECT_EQ(itemAt(wordtest::bodyTexts(d), 0), QStringLiteral("Rapportage"));
    EXPECT_EQ(wordtest::rowTexts(itemAt(wordtest::tables(d), 0).toObject()).size(), 3);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Rapportage Alfa.doc")});
}

TEST(WordSave, TextWithCharactersXmlCannotHoldStillGivesAReadableDocument)
{
    // A remark pasted from elsewhere may hold a control character; it is
    // left out, and the markup characters come back as typed.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rapport.docx"));
    Document doc;
    Selection &sel = doc.Selection();
    sel.TypeText(QString::fromUtf16(u"Opmerking: <a> & \"b\"\x000B \u2714"));
    Table &t = doc.Tables().Add(sel.Range(), 1, 1);
    t.Cell(1, 1).Text = QString::fromUtf16(u"kosten\x0001 < 5 & > 2");
    doc.SaveAs(path);
    const QJsonObject d = wordtest::readDocx(path);
    EXPECT_EQ(itemAt(wordtest::bodyTexts(d), 0), QString::fromUtf16(u"Opmerking: <a> & \"b\" \u2714"));
    EXPECT_EQ(wordtest::cellText(itemAt(wordtest::tables(d), 0).toObject(), 1, 1), QStringLiteral("kosten < 5 & > 2"));
}

// Limits the size of files this process writes, so that a write fails
// midway (as on a full disk).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = m_old;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};

TEST(WordSave, AFailedSaveLeavesTheOldFileAndNothingElse)
{
    enum class Fault { MissingFolder, TargetIsFolder, WriteFailsMidway };
    for (Fault fault : {Fault::MissingFolder, Fault::TargetIsFolder, Fault::WriteFailsMidway}) {
        SCOPED_TRACE(int(fault));
        QTemporaryDir dir;
        QString target = dir.filePath(QStringLiteral("rapport.doc"));
        {
            QFile old(target);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("oud rapport");
        }
        Document doc;
        fill(doc, 400);
        try {
            switch (fault) {
            case Fault::MissingFolder:
                doc.SaveAs(dir.filePath(QStringLiteral("weg/rapport.doc")));
                break;
            case Fault::TargetIsFolder:
                ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("map.doc")));
                doc.SaveAs(dir.filePath(QStringLiteral("map.doc")));
                break;
            case Fault::WriteFailsMidway: {
                FileSizeLimit limit(256);
                doc.SaveAs(target);
                break;
            }
            }
            ADD_FAILURE() << "the save did not fail";
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.number(), kErrSaveFailed);
            EXPECT_FALSE(e.description().isEmpty());
        }
        EXPECT_EQ(readAll(target), QByteArray("oud rapport"));
        QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
        left.removeAll(QStringLiteral("map.doc"));
        EXPECT_EQ(left, QStringList{QStringLiteral("rapport.doc")});
        EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("map.doc"))).isEmpty() || fault != Fault::TargetIsFolder);
    }
}

} // namespace
