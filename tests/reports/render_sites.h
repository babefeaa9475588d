#pragma once
// A spread of sites for the reports as a reader lays them out, beside the
// demo site and the site of own items only:
//
//  Lang   every text of the general data filled to its column's width (an
//         address of 255 characters), cost items with names, references
//         and remarks of their full width and the largest realistic costs
//         (seven-digit quantities, prices to the cent, nine-digit
//         results); a waste forecast.
//  Depot  a company-bound dredge depot with the same long general data
//         and no waste forecast.
//  Groot  343 cost items under 49 facilities in every category, rubric
//         and conformity class, with a waste forecast; its list of
//         facilities runs onto a second page.
//  Gamma  the calculation's site that shares its levy with Delta.
//
// and the reports a render writes of them: the target-fund report in each
// division for the demo site, in one for the others, and the input-data
// report of each.

#include "demo_site.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace reporttest {

class RenderSites : public DemoSite {
public:
    RenderSites();

    qint32 lang = 0;
    qint32 depot = 0;
    qint32 groot = 0;

    // The names of a site's facilities.
    QStringList voorzieningen(qint32 site);
};

// One report of the spread: the file's base name, the site, and the
// division of the target-fund report (1 facility category, 2 rubric,
// 3 conformity), or 0 for the input-data report; whether it has the levy
// (a company-bound site has none).
struct RenderReport {
    QString name;
    qint32 site = 0;
    int optRapSort = 0;
    bool heffing = true;
};
std::vector<RenderReport> renderReports(const RenderSites &sites);

// `words` repeated and cut to `width` characters, ending in a letter.
QString filled(const QString &words, int width);

} // namespace reporttest
