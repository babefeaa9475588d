#pragma once
// Brings a data file up to the current format: adds every column that later
// program versions introduced and the file lacks, fills those columns in the
// existing rows, widens tblAct.strEenheid from 20 to 50 characters, and
// stamps tblSYS 'versie' with the program version number.
//
// The whole upgrade is one transaction: when any step fails, the file is
// left exactly as it was (the version row too), the error goes to the
// caller, and the next coupling upgrades it again. Only the filling of the
// start of after-care (from the old after-care year) may fail on its own:
// it is then reported, the new dates stay empty and the upgrade goes on.
// A current file is not changed and nothing is shown.

#include <QString>

namespace modCompress {

// Upgrades the coupled data file (gstrConnData).
void UpgradeDatabestand();

// Upgrades the file of `connectionString`. Returns true when the version
// row was rewritten (and the notice shown).
bool UpgradeDatabestand(const QString &connectionString);

} // namespace modCompress
