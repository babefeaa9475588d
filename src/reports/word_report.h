#pragma once
// What the Word report writers share: the program state they read, the
// progress bar they move, and small steps every writer takes (the page of
// a section, the conformity symbol, keep-with-next on a table row).

#include "calc/calc_context.h"

#include "platform/word/document.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

namespace platform {
class Error;
}

namespace reports {

// The program state the writers read, filled by the report screens.
struct WordReportContext : calc::Context {
    // Path of the coupled data file, shown on the cover page.
    QString gstrDatabestand;
    // Program title and version for the page header.
    QString programTitle = QStringLiteral("TAVIR");
    int versionMajor = 0;
    int versionMinor = 0;
    // The moment the report is made ("Gegenereerd d.d."); the current time
    // when left invalid.
    QDateTime generated;
    QDateTime now() const { return generated.isValid() ? generated : QDateTime::currentDateTime(); }
};

// Mode of the writers both reports share (the cover page, the unused
// checklist items): the input-data report; any other value writes the
// target-fund report's version.
inline constexpr qint32 kModusInvoer = 1;

// The form's progress bar, as far as the writers move it.
class Voortgang {
public:
    virtual ~Voortgang() = default;
    virtual void setVisible(bool visible) = 0;
    virtual void setMinimum(int value) = 0;
    virtual void setMaximum(int value) = 0;
    virtual void setValue(int value) = 0;
};

// The conformity symbols: 0 the user's own item (a circle), 1 a checklist
// item within the criteria (a check mark), 2 outside them (a cross). They
// are ordinary Unicode characters (U+25CB, U+2714, U+2718), not the codes
// of a symbol font that a reader without that font shows as letters; the
// font named for them has the three on Windows, and where it is missing
// (Linux) the reader falls back to a font that has them (DejaVu Sans).
// The report window shows the same characters.
inline const QString kSymboolFont = QStringLiteral("Segoe UI Symbol");
// The character of a class; empty for a class outside 0 to 2.
QString conformiteitsSymbool(int klasse);
// Puts the symbol into a cell, in the symbol font.
void zetSymbool(word::Cell &cell, int klasse);
// Types the symbol at the selection in the symbol font, then goes back to
// `font`.
void typeSymbool(word::Selection &sel, int klasse, const QString &font = QStringLiteral("Arial"));

// The rubric "Overig": its cost items count in neither sum A nor sum B and
// so not in the target fund. Both target-fund reports list them apart,
// after block B, under this heading, with their own subtotal and this
// statement.
inline constexpr std::uint8_t kRubriekOverig = 6;
inline const QString kKopOverig = QStringLiteral("Overig (buiten het doelvermogen)");
inline const QString kSubtotaalOverig = QStringLiteral("Subtotaal overig");
inline const QString kBuitenDoelvermogen =
    QStringLiteral("Deze kosten maken geen deel uit van het doelvermogen: ze tellen niet mee in A, B of C.");

// Page set-up of the selection's section (lengths in centimetres); the
// section starts on a new page and its text at the top.
struct Pagina {
    int orientatie;
    float breedte, hoogte, boven, onder, links, rechts;
    float kop = 1.0f, voet = 0.7f;
};
void zetPagina(word::Selection &sel, const Pagina &p);
inline constexpr Pagina kStaand{word::wdOrientPortrait, 21.0f, 29.7f, 1.5f, 1.5f, 2.5f, 2.5f};

// The heading of a part of the input-data report: "Rapportage TAVIR:
// ingevoerde data" in 15 points, then `deel` (">> ...") in 8 points, each
// closing its paragraph, with an empty line after.
void typeInvoerKop(word::Selection &sel, const QString &deel);

// Keep-with-next of the paragraph of cell (row, 1).
void kwn(word::Table &t, int row, bool on);

// An amount in one piece: the blank between "€" and its figure becomes a
// non-breaking one, so that a reader never ends a line with the "€".
QString bedragBijeen(QString tekst);
// The same for the text of every cell of a table.
void houdBedragenBijeen(word::Table &t);

// Grows a table so that `row` exists with at least one row after it; the
// rows added are empty, laid out like the last row.
void reserveer(word::Table &t, int row);

// A text made fit to be part of a file name: every character that no file
// name may hold (\ / : * ? " < > | and control characters) becomes "_",
// so that a proposed name is one file in the chosen folder.
QString bestandsveilig(QString naam);

// Offers nothing itself: opens the saved report `bestand` in the program
// the desktop has for it. Where none opens it, a box (titled `titel`) says
// so and names the place where the report was saved.
void openRapport(const QString &bestand, const QString &titel);

// The folder a report's save dialog opens in: the site's last report
// folder when it exists here, otherwise the user's documents folder.
QString rapportMap(const QString &standaardExportDir);

// The date and time in report headers: " d-mmm-yyyy  hh:nn".
QString rapDatumTijd(const QDateTime &t);

// Reports a failure of a writer that handles its own errors through the
// central error reporter, with the writer's name as its source.
void meldFout(const WordReportContext &ctx, const platform::Error &e, const QString &bron);

// Saves `doc` as `naam`. A failed save is told, and `andereNaam` asks for
// another name (given the last one tried); an empty answer gives up. The
// document is still whole after a failed save, so it can go under another
// name. Answers the name it was saved under, or an empty text.
QString bewaarOfAndereNaam(word::Document &doc, QString naam,
                           const std::function<QString(const QString &)> &andereNaam);

} // namespace reports
