#include "reports/word_report.h"

#include "records/context.h"

#include "platform/core/error.h"
#include "platform/os/open_document.h"
#include "platform/text/date_text.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace reports {

QString conformiteitsSymbool(int klasse)
{
    switch (klasse) {
    case 0:
        return QString(QChar(0x25CB)); // white circle
    case 1:
        return QString(QChar(0x2714)); // heavy check mark
    case 2:
        return QString(QChar(0x2718)); // heavy ballot x
    default:
        return QString();
    }
}

void zetSymbool(word::Cell &cell, int klasse)
{
    cell.Font.Name = kSymboolFont;
    cell.Text = conformiteitsSymbool(klasse);
}

void typeSymbool(word::Selection &sel, int klasse, const QString &font)
{
    sel.Font().Name = kSymboolFont;
    sel.TypeText(conformiteitsSymbool(klasse));
    sel.Font().Name = font;
}

void zetPagina(word::Selection &sel, const Pagina &p)
{
    word::PageSetup &ps = sel.PageSetup();
    ps.Orientation = p.orientatie;
    ps.TopMargin = word::CentimetersToPoints(p.boven);
    ps.BottomMargin = word::CentimetersToPoints(p.onder);
    ps.LeftMargin = word::CentimetersToPoints(p.links);
    ps.RightMargin = word::CentimetersToPoints(p.rechts);
    ps.HeaderDistance = word::CentimetersToPoints(p.kop);
    ps.FooterDistance = word::CentimetersToPoints(p.voet);
    ps.PageWidth = word::CentimetersToPoints(p.breedte);
    ps.PageHeight = word::CentimetersToPoints(p.hoogte);
    ps.SectionStart = word::wdSectionNewPage;
    ps.VerticalAlignment = word::wdAlignVerticalTop;
}

void typeInvoerKop(word::Selection &sel, const QString &deel)
{
    sel.Font().Size = 15;
    sel.TypeText(QStringLiteral("Rapportage TAVIR: ingevoerde data\r\n"));
    sel.Font().Size = 8;
    sel.Font().Bold = false;
    sel.TypeText(deel + QStringLiteral("\r\n\r\n"));
}

void kwn(word::Table &t, int row, bool on)
{
    t.Cell(row, 1).ParagraphFormat.KeepWithNext = on;
}

QString bedragBijeen(QString tekst)
{
    return tekst.replace(QStringLiteral("€ "), QStringLiteral("€\u00A0"));
}

void houdBedragenBijeen(word::Table &t)
{
    for (int r = 1; r <= t.RowCount(); ++r)
        for (word::Cell &c : t.Rows(r).cells)
            c.Text = bedragBijeen(c.Text);
}

void reserveer(word::Table &t, int row)
{
    if (t.RowCount() < row + 1)
        t.InsertRows(t.RowCount(), row + 1 - t.RowCount());
}

QString bestandsveilig(QString naam)
{
    for (QChar &c : naam)
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 32)
            c = QLatin1Char('_');
    return naam;
}

void openRapport(const QString &bestand, const QString &titel)
{
    if (os::openDocument(bestand))
        return;
    ui::MsgBox(QStringLiteral("Het rapport kan niet worden geopend: er is op deze computer geen programma gevonden "
                              "dat Word-documenten (.docx) opent.\r\n\r\nHet rapport is opgeslagen als:\r\n")
                   + QDir::toNativeSeparators(QFileInfo(bestand).absoluteFilePath()),
               ui::Buttons::OK, ui::Icon::Exclamation, titel);
}

QString rapportMap(const QString &standaardExportDir)
{
    if (!standaardExportDir.trimmed().isEmpty() && QFileInfo(standaardExportDir).isDir())
        return standaardExportDir;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString rapDatumTijd(const QDateTime &t)
{
    return vb::Format(t, QStringLiteral(" d-mmm-yyyy  hh:nn"));
}

void meldFout(const WordReportContext &ctx, const platform::Error &e, const QString &bron)
{
    records::reportReleaseError(ctx, platform::Error(e.number(), e.description(), bron));
}

QString bewaarOfAndereNaam(word::Document &doc, QString naam, const std::function<QString(const QString &)> &andereNaam)
{
    for (;;) {
        try {
            doc.SaveAs(naam);
            return naam;
        } catch (const platform::Error &e) {
            if (e.number() != word::kErrSaveFailed)
                throw;
            ui::resetCursor();
            ui::MsgBox(e.description() + QStringLiteral("\r\n\r\nSla het document op onder een andere naam."),
                       ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Fout bij opslaan"));
            naam = andereNaam(naam);
            if (naam.isEmpty())
                return QString();
            ui::setBusyCursor();
        }
    }
}

} // namespace reports
