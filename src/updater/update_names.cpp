#include "updater/update_names.h"

#include <QRegularExpression>

namespace updater {

bool isPlainName(const QString &name)
{
    // Anchored at both ends of the whole text: "$" alone would also match
    // before a line feed at the end.
    static const QRegularExpression plain(
        QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z0-9_+\\-][A-Za-z0-9._+\\-]{0,99}")));
    return plain.match(name).hasMatch() && !name.startsWith(QLatin1String(kNewPrefix))
           && !name.startsWith(QLatin1String(kBackupPrefix));
}

bool isProtectedName(const QString &name)
{
    return name.startsWith(QLatin1String("dbQORdata_"), Qt::CaseInsensitive)
           || name.compare(QLatin1String("db00.mdb"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("dbQORCL.mdb"), Qt::CaseInsensitive) == 0
           || name.startsWith(QLatin1String(kJournalName), Qt::CaseInsensitive);
}

bool mayReplace(const QString &name)
{
    return isPlainName(name) && !isProtectedName(name);
}

} // namespace updater
