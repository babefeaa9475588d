#pragma once
// The list of the checklist items the site does not use, which both
// reports write.
//
// Types at the selection of `app`, which stands at the end of `doc`.

#include "reports/word_report.h"

#include "platform/word/document.h"

namespace reports {

// The active items of the site's checklist version that none of its cost
// items uses, grouped by rubric. Errors go to the caller.
void InsertOverzichtNietGeselecteerdeCLitems(word::Document &doc, word::Application &app, bool &blnDeelVooraf,
                                             qint32 modus, const WordReportContext &ctx);

} // namespace reports
