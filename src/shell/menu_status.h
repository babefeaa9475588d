#pragma once
// Switching the site-dependent commands of the main window together with
// status panel 1.

namespace modMain {

// On: the commands are enabled and panel 1 shows "Geopend: <site>
// (checklistversie <year>)"; off: disabled, "<geen inrichting geopend>".
void ZetMenuStatus(bool aan);

} // namespace modMain
