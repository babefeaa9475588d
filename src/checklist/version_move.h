#pragma once
// Moving the open site to a newer checklist version: the site's amounts go
// to the new version's price level (and the site's price-level year with
// them), the site refers to the new version,
// and every cost item with a checklist reference is tested against the new
// version's item, takes over its facility name, description, rubric and
// object category, and gets its checklist conformity anew.
//
// The whole move is one transaction on the data file: when any part of it
// fails, nothing of it is kept and the error reaches the caller.

#include "records/context.h"

#include <QString>

namespace checklist {

class clsCL;

// The factor that takes the site's amounts from its price-level year to
// that of `nieuw`: 1 for equal years.
float PrijspeilFactor(qint16 jaarStort, clsCL &nieuw);

// The question asked before the move.
QString BevestigingWijzigen(const QString &versieTekst, const QString &naamStort, float factor);

// Moves site ctx.glngStortID to version `nieuwCL_ID` with factor `f`.
// Boxes of the record layer about a failing save may show; the failure
// itself is raised as platform::Error after everything has been undone.
void VerplaatsNaarVersie(const records::Context &ctx, qint32 nieuwCL_ID, float f);

} // namespace checklist
