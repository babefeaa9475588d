#pragma once
// The levy part of the target-fund report: year by year the levy per ton
// that builds up the target fund, with the control column that shows the
// build-up, on screen (tab-separated text in the report window) or in
// Word. Both read a levy object that has been computed and whose
// ValidatieOK is True. Errors go to the caller.

#include "platform/word/document.h"

namespace calc {
class clsHeffing;
}

namespace reports {

class RapportTekst;

// Writes at the report window's insertion point.
void RapHeffingNaarScherm(const calc::clsHeffing &heffing, RapportTekst &rap);

// Types at the selection; a part already in the document (blnDeelVooraf)
// makes the levy start a new section on a new page.
void RapHeffingNaarWord(const calc::clsHeffing &heffing, word::Application &app, bool &blnDeelVooraf);

} // namespace reports
