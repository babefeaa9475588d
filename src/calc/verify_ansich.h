#pragma once
// Completeness of the cost items of a site. The five checks per group of
// fields (start year, end year, cost, frequency, replacement surcharge) are
// those of the records layer, so that the cost-item records can check their
// current row without depending on the calculation; this header offers them
// together with the check over every stored item of a site, which the
// calculation runs before it calculates and the general-data screen runs on
// request.

#include "records/act_completeness.h"

#include <QString>
#include <QtGlobal>

namespace records {
struct Context;
}
namespace calc {
class Kostenposten;
}

namespace modVerifyAnSich {

// True when the site has cost items and every one that is not absorbed into
// a combination item is complete. Otherwise one exclamation box titled
// "Validatie invoer inrichting '<naam>'": for a site without cost items
// "Er zijn geen voorzieningen en kostenposten ingevoerd bij deze
// inrichting.", else the message that names the first incomplete item
// (facility --> cost item). Items are examined in the order of the site
// tree (object category, facility, cost item, entry order of its phases);
// the walk stops at the first incomplete one.
// Whether the differentiated replacement surcharges apply comes from the
// checklist version of the site examined (for the open site that is
// ctx.gintCL_ID; another site, as the province-wide levy checks them, has
// its own). Failures of the data files reach the caller.
bool VerifyInvoerInrichting(const records::Context &ctx, qint32 lngStort_ID, const QString &naam);
// The same for a caller that holds the site's checklist version already and
// passes whether it uses the differentiated replacement surcharges.
bool VerifyInvoerInrichting(const records::Context &ctx, qint32 lngStort_ID, const QString &naam,
                            bool blnGebruiktGediffToeslag);

// The same over the cost items read already, for a caller that goes on to
// calculate the same rows.
bool VerifyInvoerInrichting(const calc::Kostenposten &kostenposten, const QString &naam, bool blnGebruiktGediffToeslag);

// The text of the box for an incomplete item.
QString onvolledigeKostenpostTekst(const QString &strObject, const QString &strAct);

} // namespace modVerifyAnSich
