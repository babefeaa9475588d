#include "jet_collation.h"

#include <QString>
#include <sqlite3.h>

namespace db {

int compareJetText(const QString &a, const QString &b)
{
    // Case folding, not upper- or lower-casing: it is what Unicode defines
    // for caseless matching, and it is what Qt's case-insensitive compare uses.
    return QString::compare(a, b, Qt::CaseInsensitive);
}

namespace {
int collate(void *, int lenA, const void *a, int lenB, const void *b)
{
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), lenA);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), lenB);
    const int c = compareJetText(sa, sb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
} // namespace

int registerJetCollation(sqlite3 *handle)
{
    const int rc = sqlite3_create_collation(handle, kJetCollation, SQLITE_UTF8, nullptr, &collate);
    if (rc != SQLITE_OK)
        return rc;
    return sqlite3_create_collation(handle, kOldJetCollation, SQLITE_UTF8, nullptr, &collate);
}

} // namespace db
