#pragma once
// The comparison of the open site's checklist version with a newer version
// of the same site kind: the newer versions there are, and the report of
// what differs (items added and removed, version values and items changed)
// and of what a move to the newer version will do to the site's cost items.
//
// Building the report reads the checklist file and the data file and
// writes nothing. Failures of either file reach the caller as
// platform::Error.

#include "checklist/context.h"
#include "checklist/report_text.h"
#include "records/context.h"

#include <QList>
#include <QString>

namespace checklist {

// One version newer than the site's: its id, the list key ("id" and the
// id) and the text shown ("2012 (4.0)": the year of its date, its name).
struct NieuwereVersie {
    qint32 id = 0;
    QString key;
    QString tekst;
};

// The versions of site kind `stortType` with an id above `clID`, the newest
// date first.
QList<NieuwereVersie> NieuwereVersies(const QString &gstrConnCL, qint32 stortType, qint32 clID);

// The version id in a list key: the characters from the third on, as a
// 32-bit number.
qint32 versieIdUitKey(const QString &key);

// The report of a comparison.
struct VersieVergelijking {
    QString lblToegevoegd;
    QString lblVerwijderd;
    QString lblGewijzigd;
    RapTekst txtRapVerwijderd{kRapRood, 50};
    RapTekst txtRapGewijzigd{kRapZwart, 50};
    RapTekst txtRapToegevoegd{kRapBlauw, 0};
    RapTekst txtRapAct{kRapBlauw, 50};
};

// Compares the site's version (ctx.gintCL_ID) with version `nieuwCL_ID`,
// shown as `versieTekst`, for the site ctx.glngStortID.
VersieVergelijking VergelijkChecklists(const records::Context &ctx, qint32 nieuwCL_ID, const QString &versieTekst);

// The checklist share of a record context.
checklist::Context checklistContext(const records::Context &ctx);

} // namespace checklist
