#pragma once
// The cover page that both reports open with: the site's general data
// (and, for the target-fund report, a summary of the calculation and a
// signature block) and its waste forecast.
//
// Types at the selection of `app`, which stands at the end of `doc`.

#include "reports/word_report.h"

#include "platform/word/document.h"

namespace calc {
class clsDV;
}

namespace reports {

// The cover page. Always the first part of a document. With a calculation
// object the summary of the target fund follows the general data (with
// the VAT rows when blnBTW); the target-fund report adds a signature
// block. A failure is reported (source "InsertVoorbladAlgemeneGegevens")
// and ends the writer; the caller goes on.
void InsertVoorbladAlgemeneGegevens(word::Document &doc, word::Application &app, qint32 modus, calc::clsDV *dv,
                                    bool blnBTW, const WordReportContext &ctx);

} // namespace reports
