// Second cursors, bookmarks, Find, Filter, Sort and Requery.

#include "recordset.h"

#include "cursor.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

namespace db {

using platform::Error;

Recordset Recordset::Clone(LockType lockType) const
{
    const Cursor &c = cursor("Clone");
    const LockType lock = lockType == LockType::Unspecified ? c.lock : lockType;
    const bool readOnly = c.readOnly || lock == LockType::ReadOnly;
    return Recordset(std::make_unique<Cursor>(c.store, lock, readOnly));
}

QVariant Recordset::Bookmark() const
{
    return QVariant::fromValue<qulonglong>(cursor("Bookmark").requireCurrent()->serial);
}

void Recordset::setBookmark(const QVariant &bookmark)
{
    Cursor &c = cursor("Bookmark");
    bool ok = false;
    const qulonglong serial = bookmark.toULongLong(&ok);
    Row *row = ok ? c.store->rowBySerial(serial) : nullptr;
    const int p = row ? c.positionOf(row) : -1;
    if (p < 0)
        throw Error(err::kInvalidBookmark,
                    QStringLiteral("De bladwijzer hoort niet bij een record van deze recordset."));
    c.savePending();
    c.setPosition(p);
}

void Recordset::Find(const QString &criteria, int skipRows, bool forward)
{
    Cursor &c = cursor("Find");
    const Criterion crit = parseCriteria(criteria, c.resolver(), false).front();
    c.savePending();
    const int size = int(c.view.size());
    int start;
    if (c.onDeleted)
        start = forward ? c.pos : c.pos - 1;
    else if (c.pos < 0 || size == 0)
        start = forward ? 0 : -1;
    else if (c.pos >= size)
        start = forward ? size : size - 1;
    else
        start = c.pos;
    start += forward ? skipRows : -skipRows;

    int found = -1;
    const bool indexed = c.store->hasIndex(crit.field) && crit.op == CompareOp::Eq
                         && crit.literal != Criterion::Literal::Null
                         && c.store->fields[size_t(crit.field)].type.kind != JetKind::Unknown;
    if (indexed) {
        for (const Row *row : c.store->indexLookup(crit.field, indexKey(crit))) {
            const int p = c.positionOf(row);
            if (p < 0)
                continue;
            if (forward ? (p >= start && (found < 0 || p < found)) : (p <= start && p > found))
                found = p;
        }
    } else if (forward) {
        for (int i = std::max(start, 0); i < size; ++i)
            if (matches(crit, c.view[size_t(i)]->values[size_t(crit.field)])) {
                found = i;
                break;
            }
    } else {
        for (int i = std::min(start, size - 1); i >= 0; --i)
            if (matches(crit, c.view[size_t(i)]->values[size_t(crit.field)])) {
                found = i;
                break;
            }
    }
    c.setPosition(found >= 0 ? found : (forward ? size : -1));
}

QString Recordset::Filter() const
{
    return cursor("Filter").filterText;
}
QString Recordset::Sort() const
{
    return cursor("Sort").sortText;
}

void Recordset::setFilter(const QString &criteria)
{
    Cursor &c = cursor("Filter");
    std::vector<Criterion> parsed;
    if (!criteria.trimmed().isEmpty())
        parsed = parseCriteria(criteria, c.resolver(), true);
    c.savePending();
    c.filter = std::move(parsed);
    c.filterText = c.filter.empty() ? QString() : criteria;
    c.rebuildView();
}

void Recordset::setSort(const QString &sortFields)
{
    Cursor &c = cursor("Sort");
    std::vector<SortKey> keys = parseSort(sortFields, c.resolver());
    c.savePending();
    c.sort = std::move(keys);
    c.sortText = c.sort.empty() ? QString() : sortFields;
    c.rebuildView();
}

void Recordset::Requery()
{
    Cursor &c = cursor("Requery");
    c.savePending();
    auto fresh = RowStore::load(c.store->db, c.store->sql, c.store->params, !c.readOnly);
    for (int field : c.store->indexedFields())
        if (field < int(fresh->fields.size()))
            fresh->setIndexed(field, true);
    // The new rows replace the old ones for this cursor only; clones made
    // before keep the old rows. The cursor object stays, so Field proxies
    // and listeners stay valid.
    c.store->detach(&c);
    c.store = std::move(fresh);
    c.store->attach(&c);
    c.beforeAdd = nullptr;
    try {
        c.filter = c.filterText.isEmpty() ? std::vector<Criterion>() : parseCriteria(c.filterText, c.resolver(), true);
        c.sort = c.sortText.isEmpty() ? std::vector<SortKey>() : parseSort(c.sortText, c.resolver());
    } catch (...) {
        c.filter.clear();
        c.filterText.clear();
        c.sort.clear();
        c.sortText.clear();
        c.rebuildView();
        throw;
    }
    c.rebuildView();
}

} // namespace db
