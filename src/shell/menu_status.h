#pragma once
// Switching the site-dependent commands of the main window together with
// status panel 1.

namespace modMain {

// On: the commands are enabled and panel 1 shows "Geopend: <site>
// (checklistversie <year>)"; off: disabled, "<geen inrichting geopend>".
// The commands that work on the data file (new, open, import) follow the
// coupling either way: enabled once a data file is coupled.
void ZetMenuStatus(bool aan);

} // namespace modMain
