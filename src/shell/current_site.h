#pragma once
// The open site: the current-site values of the program state, opening a
// site, deleting one with everything under it, and the newest checklist
// version a new site starts with.
//
// States: no site open (glngStortID 0, the site commands off), a site open
// with its commands on, and a site open with its commands off (its
// checklist version is not in the installed checklist file).

#include "calc/calc_context.h"
#include "checklist/context.h"
#include "records/context.h"

#include <QString>
#include <QtGlobal>

namespace modMain {

// What the record classes and checklist views need of the program state.
records::Context pfunRecordsContext();
checklist::Context pfunChecklistContext();
// ... and the calculation: the records' share plus the site's name and the
// VAT percentage.
calc::Context pfunCalcContext();

// Gives the screens their view of the program state.
void InstallSchermSessie();

// Refills the current-site values from the row of glngStortID: kind,
// checklist id, start of after-care, name and checklist version (the year
// of its date; "?" when the installed checklist file has no such version).
// The values are read first and set together: on a failure (raised as
// platform::Error) they stay as they were.
void LeesHuidigeStort();

// Opens the site `lngStortID`: makes it the current site, remembers it in
// HUIDIGSTORT_ID, switches the site commands on when its checklist version
// is installed (off otherwise) and shows the notice "Geopend: <name>".
// A failure is raised as platform::Error and leaves the previous current
// site, the setting, the status bar and the commands as they were.
void OpenInrichting(qint32 lngStortID);

// Asks "Weet u zeker dat u inrichting '<naam>' wilt verwijderen uit de
// database?" and on Yes deletes the site's cost items, facilities, waste
// forecast and row in one transaction: all go, or (on a failure, raised
// as platform::Error) none. Deleting the open site leaves no site open.
// True when deleted, false when declined.
bool VerwijderInrichting(qint32 stortID, const QString &naam);

// The id of the checklist version of kind `stortType` with the latest
// date. Raises platform::Error 3021 when the checklist file holds none.
qint16 pfunLaatsteChecklist(qint16 stortType);

} // namespace modMain
