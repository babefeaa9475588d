#pragma once
// clsActRapInvoer: the cost items of the open site as the input-data
// report lists them, read-only. Every item under a facility of the site
// whose object category is known, joined to its facility's name and its
// category's name, with one text per column of the report's table. Nothing
// is calculated: each text is a formatted copy of what was entered.
//
// The object opens its own connection to the data file and reads the rows
// once, when it is made; it sees what is committed at that moment.
// Failures of the data layer reach the caller as platform::Error.

#include "records/context.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QString>
#include <cstdint>

namespace reports {

class clsActRapInvoer {
public:
    explicit clsActRapInvoer(const records::Context &ctx);
    clsActRapInvoer(const clsActRapInvoer &) = delete;
    clsActRapInvoer &operator=(const clsActRapInvoer &) = delete;

    // The number of rows; the first row is current afterwards.
    qint32 AantalRecords();

    // "ObjCat": category, facility, rubric, cost item; "Rubriek": rubric,
    // category, facility, cost item; any other text leaves the order.
    void rapSorteerOp(const QString &strRubriekOfObjCat);
    void rapRsActMoveFirst();
    void GaNaarVolgendeRecord();

    // The data source for binding: the rows for any non-empty member
    // name, nothing for the empty one.
    db::Recordset *DataMember(const QString &name);

    qint32 rapAct_ID() const;
    QString rapKostenpost() const;
    QString rapObjectCat() const;
    QString rapVoorz() const;
    std::uint8_t rapIsQor() const;
    // The checklist item the cost item was taken from; 0 for an own item.
    qint32 rapChecklistItemREF() const;
    QString rapVerwijzingNazorgplan() const;
    QString rapOpmerkingen() const;

    // Start and end year: " *" after a calendar year, " + " n " #" for
    // years after the construction of the top liner, "oo" for ever; "-"
    // for an item absorbed in a combination item.
    QString rapTstart() const;
    QString rapTeind() const;
    // "eenm.", "<n>x per jr" or "1x per <n> jr".
    QString rapFreq() const;
    // The cost per time as entered, by its cost option.
    QString rapPrijsPerKeer() const;

private:
    QVariant veld(const char *name) const;
    int optie(const char *name) const;
    bool gecombineerd() const;
    // The field's text, "?" when it is empty.
    QString n(const char *name) const;
    // The field's text, nothing when it is empty.
    QString raw(const char *name) const;

    db::Connection m_cn;
    db::Recordset rsRap;
};

} // namespace reports
