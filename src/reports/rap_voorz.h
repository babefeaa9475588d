#pragma once
// The input-data report: what the user entered for the open site, as a
// Word document. Its parts, each only when chosen, in this order: the
// cover page with the general data, the list of facilities, the table of
// cost items and the checklist items the site does not use; then the page
// header and footer. The document is not protected.
//
// The report screen holds the check boxes and the progress bar; the rules
// and the writing are here, so that they run without a window.

#include "reports/word_report.h"

#include "platform/ui/dialogs.h"
#include "platform/word/document.h"

#include <QDate>

namespace reports {

// The parts the user chose, as the values of their check boxes: 0 not
// ticked, 1 ticked, 2 greyed (which counts as ticked).
struct RapVoorzKeuze {
    int chkAlg = 0;
    int chkVoorz = 0;
    int chkAct = 0;
    int chkRapUnselectedCLitems = 0;

    // The report can be made: at least one part is chosen.
    bool ZetOKButton() const;
};

// The question of the save dialog, with the proposed name "Rapp invoer "
// + the site's name + " " + the date as dd-mm-yyyy. The files are Office
// Open XML documents: the filter and the proposed name carry ".docx".
// The dialog opens in `map` (see rapportMap).
ui::FileDialogRequest RapVoorzOpslaanVraag(const QString &gstrNaamStort, const QDate &vandaag,
                                           const QString &map = QString());

// The facilities of the open site by category, in a portrait section of
// their own (a new page when a part precedes).
void RapporteerVoorzieningen(word::Application &app, const WordReportContext &ctx, const bool &blnDeelVooraf);

// Writes the chosen parts and the page header and footer into `doc`. The
// progress bar shows while the cost items are written. Errors go to the
// caller; the document then holds what was written.
void SchrijfRapVoorz(word::Application &app, word::Document &doc, const RapVoorzKeuze &keuze,
                     const WordReportContext &ctx, Voortgang *voortgang);

// The whole report, as the screen's "Rapporteer" makes it: asks for the
// file (cancel ends silently), writes the document, saves it (a failed
// save is told and the name asked again), and offers to open it. Every
// error is reported here; nothing reaches the caller. Returns the saved
// file, or an empty text when none was saved.
QString RapporteerRapVoorz(const RapVoorzKeuze &keuze, const WordReportContext &ctx, Voortgang *voortgang);

} // namespace reports
