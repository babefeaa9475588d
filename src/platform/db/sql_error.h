#pragma once
// Turns a SQLite failure into the layer's Dutch platform::Error with a
// Jet-like number (db::err, error_numbers.h), naming the table or field
// where SQLite does.

#include "platform/core/error.h"

#include <QString>

struct sqlite3;

namespace db {

platform::Error sqlError(sqlite3 *handle, int rc, const QString &file, const QString &sql = QString());

} // namespace db
