#pragma once
// The page header and footer of both reports.

#include "reports/word_report.h"

#include "platform/word/document.h"

namespace reports {

// Page header (program and version) and footer (generated, printed, page
// of pages) of the whole document. A failure is reported (source
// "psubInvoegenKopVoettekst").
void psubInvoegenKopVoettekst(word::Document &doc, const WordReportContext &ctx);

} // namespace reports
