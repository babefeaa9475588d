#pragma once
// The file dialog of a site export or import: asks for the XML file and
// runs the operation. The window of old was a hidden form that acted when
// it became active; here it is one call that runs the same sequence:
// choose the file (titles, flags and filter below), run the export or
// import, report, done.

#include <QString>
#include <functional>

namespace frmImExportXML {

// The operations the dialog runs. The export writes the open site to the
// file; the import reads a site from the file and answers whether it
// succeeded.
struct Bewerkingen {
    std::function<void(const QString &bestand)> exporteer;
    std::function<bool(const QString &bestand)> importeer;
};

// Installs the operations; until they are installed, an export or import
// fails with error 438 (reported as the dialog's other errors are).
void setBewerkingen(Bewerkingen bewerkingen);

// "export": title "Exporteren...", save dialog proposing the open site's
// name; "import": "Importeren...", open dialog, and on success the site
// list (when loaded) is refilled, on failure the box "Er is een fout
// opgetreden bij het importeren." titled "Fout bij import". Another tag:
// "Onbekende tag in frmImExportXML (<tag>)". A cancelled dialog does
// nothing; any other error shows a box with its number and, on the next
// line, its description (a refused import file says there what is wrong).
void Voeruit(const QString &tag);

// The filter and flags of the dialog.
inline constexpr const char *kFilter = "XML bestanden (*.xml)|*.xml|";
inline constexpr int kFlags = 0x806;

} // namespace frmImExportXML
