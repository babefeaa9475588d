#include "cursor.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

#include <algorithm>

namespace db {

using platform::Error;

Cursor::Cursor(std::shared_ptr<RowStore> s, LockType l, bool ro) : store(std::move(s)), lock(l), readOnly(ro)
{
    store->attach(this);
    rebuildView();
}

Cursor::~Cursor()
{
    if (mode == EditMode::Add && editRow) {
        Row *row = editRow;
        editRow = nullptr;
        mode = EditMode::None;
        store->remove(row); // an unsaved new row does not outlive its cursor
    }
    store->detach(this);
}

void Cursor::rowAdded(Row *row)
{
    const bool atEof = !onDeleted && pos >= int(view.size());
    view.push_back(row);
    if (m_positionsValid)
        m_positions.insert(row, int(view.size()) - 1);
    if (atEof)
        pos = int(view.size());
}

void Cursor::rowRemoved(Row *row)
{
    if (editRow == row) {
        editRow = nullptr;
        pending.clear();
        mode = EditMode::None;
    }
    if (beforeAdd == row)
        beforeAdd = nullptr;
    const auto it = std::find(view.begin(), view.end(), row);
    if (it == view.end())
        return;
    const int i = int(it - view.begin());
    view.erase(it);
    m_positionsValid = false;
    if (!onDeleted && pos == i)
        onDeleted = true; // stands on the deleted row until it moves
    else if (pos > i)
        --pos;
}

Row *Cursor::current() const
{
    if (onDeleted || pos < 0 || pos >= int(view.size()))
        return nullptr;
    return view[size_t(pos)];
}

Row *Cursor::requireCurrent() const
{
    if (Row *row = current())
        return row;
    if (onDeleted)
        throw Error(err::kRecordDeleted, QStringLiteral("Het huidige record is verwijderd."));
    throw Error(err::kNoCurrentRecord, QStringLiteral("Er is geen huidig record."));
}

int Cursor::positionOf(const Row *row) const
{
    if (!m_positionsValid) {
        m_positions.clear();
        m_positions.reserve(qsizetype(view.size()));
        for (size_t i = 0; i < view.size(); ++i)
            m_positions.insert(view[i], int(i));
        m_positionsValid = true;
    }
    return m_positions.value(row, -1);
}

void Cursor::setPosition(int p)
{
    pos = std::clamp(p, -1, int(view.size()));
    onDeleted = false;
}

void Cursor::rebuildView()
{
    view.clear();
    view.reserve(store->rows.size());
    for (const auto &row : store->rows)
        if (filter.empty() || matchesAll(filter, row->values))
            view.push_back(row.get());
    if (!sort.empty()) {
        std::stable_sort(view.begin(), view.end(), [this](const Row *a, const Row *b) {
            for (const SortKey &k : sort) {
                int c = compareForSort(a->values[size_t(k.field)], b->values[size_t(k.field)]);
                if (k.descending)
                    c = -c;
                if (c != 0)
                    return c < 0;
            }
            return false;
        });
    }
    m_positionsValid = false;
    setPosition(view.empty() ? -1 : 0);
}

int Cursor::requireField(QStringView name) const
{
    const int index = findField(name);
    if (index < 0)
        throw Error(err::kItemNotFound, QStringLiteral("Het veld '%1' komt niet voor in de recordset.").arg(name));
    return index;
}

int Cursor::findField(QStringView name) const
{
    int index = store->indexOf(name);
    if (index < 0) {
        // "table.field" for a field of that table
        const int dot = int(name.lastIndexOf(QLatin1Char('.')));
        if (dot > 0) {
            index = store->indexOf(name.mid(dot + 1));
            if (index >= 0 && store->fields[size_t(index)].table.compare(name.left(dot), Qt::CaseInsensitive) != 0)
                index = -1;
        }
    }
    return index;
}

void Cursor::requireField(int index) const
{
    if (index < 0 || index >= int(store->fields.size()))
        throw Error(err::kItemNotFound, QStringLiteral("Veld nummer %1 bestaat niet; de recordset heeft %2 velden.")
                                            .arg(index)
                                            .arg(store->fields.size()));
}

FieldResolver Cursor::resolver() const
{
    return [this](const QString &name) {
        const int index = requireField(name);
        return std::make_pair(index, store->fields[size_t(index)].type.kind);
    };
}

} // namespace db
