#pragma once
// Fills the cost-item screen's site tree from the data file, or from the
// cost-item rows the screen's record object has read already: every object
// category, the open site's facilities by name, their cost items by name and
// id, and the later phases of an item under its first phase.
//
// A cost item is a run of tblAct rows of one facility with the same strAct
// (as the data file compares text: case does not count); its first row is
// the item's node, with " {1e fase}" after the name when further rows
// follow, and every further row a child node "{2e fase}", "{3e fase}", ... Each row is checked for completeness:
// an incomplete row is red (255); a complete first phase has the cost-item
// colour, a complete later phase is black.

#include "records/context.h"

namespace db {
class Recordset;
}
namespace records {
class SiteTree;
}

namespace screens {

// Adds the nodes to `tree`, which the caller has emptied. Errors of the
// data file reach the caller.
void VulTreeviewAct(records::SiteTree &tree, const records::Context &ctx);
// The same from the site's cost-item rows that `rijen` has read already
// (every column of tblAct, as clsAct reads them), so that the rows are not
// read a second time; the recordset's own position stays where it is.
void VulTreeviewAct(records::SiteTree &tree, const records::Context &ctx, const db::Recordset &rijen);

} // namespace screens
