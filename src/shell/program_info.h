#pragma once
// The program version number, the settings section and the program-version
// gate that every command opening a working screen applies.

#include <QString>
#include <QtGlobal>

namespace modMain {

// Major and minor version written one after the other, read as one number:
// 3.1 gives 31, 3.9 gives 39.
qint32 pfunProgVersieNr();

// "TAVIR" + major + "_" + minor: each program version keeps its own settings
// (all but the update server's address, app_settings.h). Without arguments
// the section of this version, else that of version `major`.`minor`.
QString pfunRegSectie();
QString pfunRegSectie(int major, int minor);

// True when the program version number is not below the lowest version the
// installed checklist file needs; otherwise says so ("Verouderd
// programmabestand") and returns False.
bool pfunProgVersieActueel();

} // namespace modMain
