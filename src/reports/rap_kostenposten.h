#pragma once
// The cost-item table of the input-data report: a landscape section
// ">>  Kostenposten" with one table of every cost item of the open site,
// grouped by object category and facility (status symbol, cost item,
// start, end, frequency, cost per time, reference to the after-care plan,
// remark), followed by a legend.
//
// The selection stands at the end of the document. A part already in the
// document (blnDeelVooraf) makes this one start a new section on a new
// page. A site without cost items gets a notice and nothing is written.
// Errors of Word or of the data go to the caller; the document then stays
// as far as it was written.

#include "reports/word_report.h"

#include "platform/word/document.h"

#include <QString>
#include <optional>

namespace reports {

// The notice for a site without cost items.
inline const QString kGeenKostenposten = QStringLiteral("Er zijn geen 'voorzieningen en kostenposten' gedefinieerd.");

// The font of the symbol column, as the table sets it.
inline const QString kSymboolKolomFont = kSymboolFont;

// The table of the site's cost items. `checklistRefs`, when given, receives
// the checklist items in use from the rows read here (checklistRefsVan).
void RapporteerKostenposten(word::Application &app, word::Document &doc, const WordReportContext &ctx,
                            Voortgang *voortgang, const bool &blnDeelVooraf,
                            std::optional<QString> *checklistRefs = nullptr);

} // namespace reports
