#pragma once
// The name rule of a data file: the file name (the part after the last "/",
// or after a "\" so that a name stored in Windows form still counts the
// same) starts with "dbQORdata_", compared without regard to case, and is
// longer than that prefix plus 4 characters.

#include <QString>
#include <QVariant>

namespace modMain {

inline constexpr const char *kDatabestandPrefix = "dbQORdata_";

// The part of `path` after the last "/" or "\" (the whole text without one).
QString pfunBestandsnaam(const QString &path);

// The rule alone, without a message.
bool pfunVoldoetAanNaamregel(const QString &path);

// The rule; a refused name (also a Null one) shows why and gives False.
bool pfunBestandsnaamGeldig(const QVariant &bestand);

} // namespace modMain
