#pragma once
// Field name -> index, without regard to case, for one row layout. Built
// once when the layout is described and shared by every recordset, clone
// and requery that shows rows of that layout; a lookup of an ASCII name
// allocates nothing.

#include <QLatin1String>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>
#include <utility>
#include <vector>

namespace db {

class FieldNames {
public:
    // (name, index) pairs; the first of two names that fold alike wins.
    explicit FieldNames(const std::vector<std::pair<QString, int>> &names);

    int find(QStringView name) const; // -1 when unknown

private:
    struct Entry {
        QString folded;
        int index;
    };
    int findFolded(QStringView folded) const;
    int slotOf(size_t hash) const { return int(hash & m_mask); }

    std::vector<Entry> m_entries;
    std::vector<int> m_slots; // entry + 1, 0 for an empty slot
    size_t m_mask = 0;
};

// A Latin-1 name widened to UTF-16 on the stack, for lookups by name.
class WideName {
public:
    explicit WideName(QLatin1String name) : m_units(name.size())
    {
        for (qsizetype i = 0; i < name.size(); ++i)
            m_units[i] = char16_t(uchar(name.data()[i]));
    }
    QStringView view() const { return QStringView(m_units.constData(), m_units.size()); }

private:
    QVarLengthArray<char16_t, 64> m_units;
};

} // namespace db
