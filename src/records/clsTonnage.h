#pragma once
// clsTonnage: the waste forecast of one site, the rows of tblTonnage (one
// per calendar year, kilotonnes), ordered by year.
//
// The forecast grid binds to it through DataMember (the site id as text)
// and edits the rows in place; the object adds the total, a walk with
// report values, and the check that the years form a series without gaps,
// repeats or empty years. Edits are written when the cursor leaves a row or
// at Move0; releasing the object writes nothing.
//
// Failures reach the caller as platform::Error, except in TotaalTonnage.

#include "records/bound_record.h"
#include "records/context.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QVariant>

namespace records {

class clsTonnage : public BoundRecord {
public:
    explicit clsTonnage(const Context &ctx);
    ~clsTonnage();

    // Opens the rows of the site, ordered by year, on the first year.
    void psubInitialiseer(qint32 lngStort_ID);

    // The tonnage of that year, or -9 when the site has no row for it. The
    // search leaves the cursor on the row found (or after the last row).
    float TonnageInJaar(qint16 jaar);

    // Writes the pending edit of the current row.
    void Move0();
    bool EOF_() const;
    bool BOF() const;

    // The sum of lngTonnage over the site's rows (an empty value counts 0);
    // 0 without rows. A sum beyond the 32-bit range gives the box
    // "Overflow-error" and 0.
    qint32 TotaalTonnage();

    // Puts the site id into the current row (pending), when it stands on one.
    void lngStort_REF(qint32 lng);

    qint32 AantalRecords() const;
    // intKalJaar / lngTonnage of the current row, or "?" when empty.
    QVariant rapJaartalTonnage() const;
    QVariant rapAantalKton() const;
    void move_NEXT();

    // True when the years are distinct, consecutive and none is empty; a
    // forecast without rows passes. Writes the pending edit first.
    bool pfunValideerIngevoerdeData();

    // The data source for binding: a non-empty name is the site id as text;
    // the rows of that site are opened (once) and handed out. The empty name
    // gives nothing.
    db::Recordset *DataMember(const QString &name);

private:
    bool hasRows() const;

    Context m_ctx;
    db::Connection m_cn;
    db::Recordset rsTonnage;
    qint32 m_openSite = 0;
};

} // namespace records
