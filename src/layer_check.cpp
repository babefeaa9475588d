// Every library below the layer line, linked with Qt Core alone: built
// with every build, never run. Every object file of each of them is linked
// in (src/CMakeLists.txt), so a widget or GUI call anywhere below the line
// leaves an undefined symbol here and fails the build.

#include "calc/clsDV.h"
#include "reports/doelverm_rapport.h"

int main()
{
    // One entry point of each, kept by the volatile stores: the program is
    // about them even where the linker would take only what is used.
    bool (calc::clsDV::*volatile bereken)() = &calc::clsDV::BerekenAlles;
    bool (reports::DoelvermRapport::*volatile maak)(const reports::DoelvermKeuzes &, QString &,
                                                    const reports::WordReportContext &) =
        &reports::DoelvermRapport::maak;
    return bereken && maak ? 0 : 1;
}
