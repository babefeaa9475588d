#pragma once
// The Word writers that both reports share: the cover page with the site's
// general data (and, for the target-fund report, a summary of the
// calculation and a signature block) and its waste forecast; the list of
// the checklist items the site does not use; the page header and footer.
//
// All type at the selection of `app`, which stands at the end of `doc`.

#include "reports/word_report.h"

#include "platform/word/document.h"

#include <QString>
#include <optional>

namespace db {
class Recordset;
}

namespace calc {
class clsDV;
}

namespace reports {

// Mode of the shared writers: the input-data report; any other value
// writes the target-fund report's version.
inline constexpr qint32 kModusInvoer = 1;

// The cover page. Always the first part of a document. With a calculation
// object the summary of the target fund follows the general data (with
// the VAT rows when blnBTW); the target-fund report adds a signature
// block. A failure is reported (source "InsertVoorbladAlgemeneGegevens")
// and ends the writer; the caller goes on.
void InsertVoorbladAlgemeneGegevens(word::Document &doc, word::Application &app, qint32 modus, calc::clsDV *dv,
                                    bool blnBTW, const WordReportContext &ctx);

// The active items of the site's checklist version that none of its cost
// items uses, grouped by rubric. Errors go to the caller. `checklistRefs`
// are the items in use as checklistRefsVan gives them from rows the report
// has read already; without them the cost items are read here.
void InsertOverzichtNietGeselecteerdeCLitems(word::Document &doc, word::Application &app, bool &blnDeelVooraf,
                                             qint32 modus, const WordReportContext &ctx,
                                             const std::optional<QString> &checklistRefs = std::nullopt);

// The checklist items in use (as clsAct::strAlleChecklistRefs lists them)
// from `rijen`, cost items of any site with at least bytIsQOR,
// lngClitem_REF and tblAct's lngStort_REF: those of the open site count.
// Nothing when they are not all its cost items.
std::optional<QString> checklistRefsVan(const db::Recordset &rijen, const WordReportContext &ctx);

// Page header (program and version) and footer (generated, printed, page
// of pages) of the whole document. A failure is reported (source
// "psubInvoegenKopVoettekst").
void psubInvoegenKopVoettekst(word::Document &doc, const WordReportContext &ctx);

} // namespace reports
