#pragma once
// The names of the codes that the site tables hold: rubric of a cost item,
// object category of a facility, province of a site.

#include <QString>

namespace records {

// 1 "Instandhouden" .. 6 "Overig"; an empty text for any other code.
QString rubriekNaam(int rubriek);

// 1 "Algemeen" .. 7 "Overig"; an empty text for any other code.
QString objectCatName(int category);

// 0 "??", 10 "Drenthe" .. 120 "Zuid-Holland". Any other code shows the
// critical box "Onbekende provincie-id in pfunStrProv" titled "Fout" and
// gives an empty text.
QString provincieNaam(int code);

} // namespace records
