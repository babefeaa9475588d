#pragma once
// A small data file for the record tests, made from the template in a
// temporary folder: two landfill sites on checklist version 3, the first
// with facilities in several object categories, an own cost item with three
// phases, a second own item and two items taken from the shipped checklist
// file, and a waste forecast for the second.

#include "records/context.h"
#include "records/memory_site_tree.h"

#include "support/site_builder.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <utility>
#include <vector>

namespace testsupport {

class SiteFixture : public TemplateCopy {
public:
    // Builds the file; fails the running test (ADD_FAILURE) when it cannot.
    SiteFixture();

    qint32 siteId = 0;      // "Stort 't Veld": facilities, cost items
    qint32 otherSiteId = 0; // "De Kuil": a forecast, no facilities

    // Facilities of siteId.
    qint32 facTerrein = 0; // category 1 "Terrein en hekwerk" (checklist name)
    qint32 facBoven = 0;   // category 2 "Bovenafdichting"
    qint32 facPeil = 0;    // category 3 "Peilbuizen" (checklist name)
    qint32 facKeet = 0;    // category 7 "Bouwkeet 't Hoekje" (a quote)

    // Cost items of siteId.
    qint32 phase1 = 0, phase2 = 0, phase3 = 0; // "Vervangen toegangsweg", rubric 5, facTerrein
    qint32 ownItem = 0;                        // "Onderhoud bouwkeet", rubric 4, facKeet
    qint32 clItem2 = 0;                        // checklist item 2 "Onderhoud hekwerk en poort", facTerrein
    qint32 clItem10 = 0;                       // checklist item 10 "Controlemetingen grondwater", facPeil

    static constexpr qint16 kChecklistVersion = 3;

    // A context on siteId (or the site given), the shipped checklist file
    // and `tree` (may be null).
    records::Context context(records::SiteTree *tree = nullptr, qint32 site = -1) const;

    // Reads the file through a connection of its own.
    QVariant scalar(const QString &sql, const QVariantList &params = {}) const;
    qint64 count(const QString &sql, const QVariantList &params = {}) const;
    void execute(const QString &sql, const QVariantList &params = {}) const;
    // The width n of a Text(n) column as the file declares it; 0 for any
    // other column.
    int textWidth(const QString &table, const QString &column) const;

    // A tree as the cost-item screen builds it for siteId: the seven
    // categories, the facilities and the cost items (phases under the first).
    void fillTree(records::MemorySiteTree &tree) const;
};

// A read of a record's accessor, with the column it reads.
using ColumnRead = std::pair<const char *, std::function<void()>>;

// Each read must fail with error 94 ("Invalid use of Null") whose text names
// its column and whose source starts with sourcePrefix.
void expectInvalidUseOfNull(const std::vector<ColumnRead> &reads, const QString &sourcePrefix);

} // namespace testsupport
