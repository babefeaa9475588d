#pragma once
// The program folder: where the executable, the template data file and the
// checklist file are.

#include <QString>

namespace os {

// The folder of the executable, or the folder set by setProgramDir. Without
// a trailing separator.
QString programDir();

// Overrides programDir() (tests); an empty text goes back to the
// executable's folder.
void setProgramDir(const QString &dir);

} // namespace os
