#pragma once
// The format version of a data file: tblSYS row 'versie', the program
// version number of the program that last brought the file up to date.

#include <QString>
#include <QtGlobal>

#include <limits>

namespace modCompress {

// Returned for a file without a usable version row: higher than any program
// version number, so the coupling refuses the file.
inline constexpr qint32 kVersieOnbekend = 1000;

// Returned for a file that lacks one of the data file's tables, after a box
// that names it: no version at all, the coupling refuses the file.
inline constexpr qint32 kTabelOntbreekt = std::numeric_limits<qint32>::min();

// The format version of the data file at `bestand` (a full path). A file
// without the row or with a value that is not a whole number is damaged:
// "Beschadigd databestand" is shown and the result is 1000. A file without
// one of the data file's tables gets a "Beschadigd databestand" box that
// names the table, and kTabelOntbreekt. A file that cannot be opened raises
// platform::Error.
qint32 pfunVersieDatabestand(const QString &bestand);

// True when the file at `bestand` is damaged or no data file at all: it
// cannot be opened as a database, lacks one of the data file's tables, or
// has no usable version row. Shows nothing and changes nothing.
bool pfunIsBeschadigd(const QString &bestand);

// What a look at a data file's version row found, without any message.
struct VersieOpslag {
    enum class Staat {
        Gelezen,    // the row holds a whole number: `versie`
        GeenVersie, // the file opens, but lacks the row, a usable value or one of its tables
        Onleesbaar, // the file cannot be opened or read (no database, damaged, gone)
    };
    Staat staat = Staat::Onleesbaar;
    qint32 versie = 0;
};
VersieOpslag pfunLeesVersieStil(const QString &bestand);

// The whole number in a version text (digits, optionally signed, blanks
// around allowed); false for anything else.
bool pfunLeesVersieTekst(const QString &text, qint32 *versie);

} // namespace modCompress
