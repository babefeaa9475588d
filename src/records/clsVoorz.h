#pragma once
// clsVoorz: the facilities of the open site, the rows of tblInrichting
// ordered by object category and name.
//
// The cost-item screen keeps one while it is open to position on, add,
// rename and delete facilities; the cost-item records make a short-lived
// one to find or create the facility of a checklist item. Every change it
// makes is saved at once; releasing it saves nothing. Facilities that
// another object added become visible after a requery, which ActiveerID and
// AantalRecords perform.
//
// Adding a facility also adds its node to the site tree (Context::tree).
// Failures reach the caller as platform::Error, except where noted.

#include "records/bound_record.h"
#include "records/context.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QVariant>
#include <cstdint>

namespace records {

class clsVoorz : public BoundRecord {
public:
    explicit clsVoorz(const Context &ctx);
    ~clsVoorz();

    // Reads the site's facilities again and counts them; the current row is
    // then the first facility.
    qint32 AantalRecords();

    // Makes the facility with that id current, reading the facilities again
    // when it is not among them. Not found: the critical box
    // "EOF-fout in ActiveerID in clsVoorz (lngIDVoorz=<id>)" and the object
    // stands after its last row, without a current facility.
    void ActiveerID(qint32 lngIDVoorz);

    // Deletes the current facility together with its cost items, in one
    // transaction; then the first remaining facility is current. False
    // (nothing deleted) without facilities, or after the box "Fout <n>"
    // when the deletion fails.
    bool verwijderVoorz();

    // Renames the current facility and saves it. An empty text or Null is
    // refused with "Ongeldige naam. Wijziging niet doorgevoerd." (False).
    bool HernoemVoorzNaam(const QVariant &strNieuweVoorzNaam);

    // The id of the first facility of that category whose whole name equals
    // strVoorz (case ignored), or 0. Moves the object to its first facility.
    qint32 ZoekIDvanVoorz(std::uint8_t bytObjectCat_REF, const QString &strVoorz);

    // Adds and saves a facility of the open site (no duplicate check), adds
    // its node under "objcat<category>" and returns its key "inr<id>". The
    // new facility is current. Whole or not at all: when the node cannot be
    // made, the row is removed again and the error reaches the caller.
    QString VoegVoorzieningToe(std::uint8_t bytObjectCat_ID, const QString &strVoorzNaam);

    // One row on, without a test for the end.
    void moveNext();

    std::uint8_t bytObjectCat_ID() const;
    QString ObjectCat() const;
    QString VoorzieningNaam() const;

    // The data source for binding: any non-empty data member name
    // ("Inrichting") gives the facilities' row set, the empty name nothing.
    db::Recordset *DataMember(const QString &name);

private:
    bool hasRows() const { return rsVoorz.RecordCount() > 0; }
    bool findId(qint32 id);

    Context m_ctx;
    qint32 m_lngStortID;
    db::Connection m_cn;
    db::Recordset rsVoorz;
};

} // namespace records
