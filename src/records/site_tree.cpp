#include "records/site_tree.h"

namespace records {

void ZetNodeEigenschappen(SiteTree &tree, SiteTree::Node node, const QString &text, const QString &key,
                          const QString &tag, bool bold, qint32 foreColor, int image, bool expanded)
{
    tree.setText(node, text);
    tree.setTag(node, tag);
    tree.setKey(node, key);
    tree.setBold(node, bold);
    tree.setForeColor(node, foreColor);
    tree.setImage(node, image);
    tree.setExpanded(node, expanded);
}

} // namespace records
