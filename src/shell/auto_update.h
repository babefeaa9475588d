#pragma once
// The update check at start. The check itself and the download are not here
// yet: ControleerUpdates reports that nothing newer was found.

#include <QString>
#include <functional>

namespace modAutoUpdate {

// Status of one file on the update server.
enum Status { kNietsNieuwer = 0, kNieuwer = 1, kMislukt = 9 };

struct UpdateUitkomst {
    bool inOnderhoud = false; // the server is in maintenance
    QString info;             // information text about the update
    int statusChecklist = kNietsNieuwer;
    int statusProgramma = kNietsNieuwer;
};

UpdateUitkomst ControleerUpdates();

// Downloads and installs what is newer. A program update ends the run.
void VoerUpdateUit(bool checklistNieuwer, bool programmaNieuwer);

// Tests install their own check; an empty function goes back to the real one.
void setControleerUpdates(std::function<UpdateUitkomst()> check);

} // namespace modAutoUpdate
