#include "field_names.h"

namespace db {

namespace {

// FNV-1a over UTF-16 units.
constexpr size_t kOffset = size_t(14695981039346656037ull);
constexpr size_t kPrime = size_t(1099511628211ull);

size_t mix(size_t h, char16_t c)
{
    return (h ^ size_t(c)) * kPrime;
}

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

bool isAscii(QStringView s)
{
    for (QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

FieldNames::FieldNames(const std::vector<std::pair<QString, int>> &names)
{
    size_t slotCount = 8;
    while (slotCount < names.size() * 2)
        slotCount *= 2;
    m_mask = slotCount - 1;
    m_slots.assign(slotCount, 0);
    m_entries.reserve(names.size());
    for (const auto &[name, index] : names) {
        const QString folded = name.toCaseFolded();
        if (findFolded(folded) >= 0)
            continue;
        size_t h = kOffset;
        for (QChar c : folded)
            h = mix(h, c.unicode());
        int slot = slotOf(h);
        while (m_slots[size_t(slot)] != 0)
            slot = int((size_t(slot) + 1) & m_mask);
        m_entries.push_back({folded, index});
        m_slots[size_t(slot)] = int(m_entries.size());
    }
}

int FieldNames::findFolded(QStringView folded) const
{
    size_t h = kOffset;
    for (QChar c : folded)
        h = mix(h, c.unicode());
    for (int slot = slotOf(h);; slot = int((size_t(slot) + 1) & m_mask)) {
        const int e = m_slots[size_t(slot)];
        if (e == 0)
            return -1;
        const Entry &entry = m_entries[size_t(e - 1)];
        if (entry.folded == folded)
            return entry.index;
    }
}

int FieldNames::find(QStringView name) const
{
    if (!isAscii(name))
        return findFolded(name.toString().toCaseFolded());
    // ASCII folds to its lower case: fold while hashing and comparing.
    size_t h = kOffset;
    for (QChar c : name)
        h = mix(h, asciiLower(c.unicode()));
    for (int slot = slotOf(h);; slot = int((size_t(slot) + 1) & m_mask)) {
        const int e = m_slots[size_t(slot)];
        if (e == 0)
            return -1;
        const Entry &entry = m_entries[size_t(e - 1)];
        if (entry.folded.size() != name.size())
            continue;
        const QChar *a = entry.folded.constData();
        qsizetype i = 0;
        while (i < name.size() && a[i].unicode() == asciiLower(name[i].unicode()))
            ++i;
        if (i == name.size())
            return entry.index;
    }
}

} // namespace db
