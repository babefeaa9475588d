#pragma once
// The list of the checklist items the site does not use, which both
// reports write.
//
// Types at the selection of `app`, which stands at the end of `doc`.

#include "reports/word_report.h"

#include "platform/word/document.h"

#include <QString>
#include <optional>

namespace db {
class Recordset;
}

namespace reports {

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

} // namespace reports
