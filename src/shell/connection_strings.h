#pragma once
// Connection strings of the data file and the checklist file. Both files
// carry the same fixed database password in their strings; the SQLite data
// layer takes the file from "Data Source=" and applies no password.

#include <QString>

namespace modMain {

inline constexpr const char *kDatabaseWachtwoord = "kravelmup4";

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>;Persist Security Info=False;..."
QString pfunConnStrData(const QString &path);
// The same file through the hierarchical-data provider.
QString pfunConnStrShape(const QString &path);
// The checklist file dbQORCL.mdb in the given program folder.
QString pfunConnStrCL(const QString &programFolder);

// The file name of the checklist file and of the template.
inline constexpr const char *kChecklistBestand = "dbQORCL.mdb";
inline constexpr const char *kSjabloonBestand = "db00.mdb";

} // namespace modMain
