#pragma once
// Reading a site export file (site_export.h) into the data file as a new
// site.
//
// The file is checked whole before anything is asked or written: it must be
// a readable recordset with one site row that has strStortNaam and the
// chapters rsTonnage and rsInr (with rsAct); every facility, cost item and
// forecast row must have its identifying columns; every value the data file
// takes must fit its column (range, width, type); a province, object
// category or rubric must be one the data file knows; a reference that the
// file holds must point to the row it is nested under. A file that fails is
// refused with platform::Error 321 and a Dutch text naming the fault.
//
// Fields are copied by name (without regard to case) into the columns of
// the current data file: a field the file lacks gets the default of
// pfunImportVeld, a field the data file lacks is ignored. The file's ids are
// never used: the site, its facilities, cost items and forecast get new
// ids, and the references follow the nesting of the file. The rows go in
// one transaction: all of them, or on a failure none.

#include "shell/ado_xml.h"

#include <QString>
#include <QVariant>

namespace modMain {

// Imports the site of `bestand` under a name that is free in the data file:
// the file's name when it is free and at most 50 characters long; else the
// user is asked for another one ("Importeren inrichting"). True when the
// site was added (`lngNieuwID` and `strNaam` set) or when the user gave up
// at the name question (nothing added, `lngNieuwID` 0). Failures are raised
// as platform::Error; nothing is written then.
bool ImporteerInrichting(const QString &bestand, qint32 &lngNieuwID, QString &strNaam);

// The value of field `veld` of `row` in the file, or, when the file lacks
// the field, its default: memStandaardExportDir "c:\", dtmAanvangNazorg
// 1 January of the row's intJaarNazorg (Null without one), sngAppKostenPerc
// 3, sngRapEvalPerHa 225, bytCombineer, bytTypeVervangingsToeslag and
// sngVervangingsToeslagPerc 0, silently; any other field 0, after the
// message "Het veld '<veld>' bestaat niet in de geïmporteerde dataset. ...".
QVariant pfunImportVeld(const adoxml::RowType &type, const adoxml::Row &row, const QString &veld);

} // namespace modMain
