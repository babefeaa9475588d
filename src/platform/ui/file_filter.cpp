#include "platform/ui/file_filter.h"

namespace ui {

QList<FileFilter> parseFileFilter(const QString &filter)
{
    QList<FileFilter> entries;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter entry;
        entry.description = parts.at(i).trimmed();
        for (const QString &pattern : parts.at(i + 1).split(QLatin1Char(';'))) {
            const QString p = pattern.trimmed();
            if (!p.isEmpty())
                entry.patterns << p;
        }
        if (entry.patterns.isEmpty())
            continue;
        if (entry.description.isEmpty())
            entry.description = entry.patterns.join(QLatin1Char(';'));
        entries << entry;
    }
    return entries;
}

QStringList toQtNameFilters(const QString &filter)
{
    QStringList result;
    for (const FileFilter &entry : parseFileFilter(filter)) {
        const QString spaced = entry.patterns.join(QLatin1Char(' '));
        const QString joined = entry.patterns.join(QLatin1Char(';'));
        const QString &d = entry.description;
        if (d.endsWith(QLatin1Char('(') + spaced + QLatin1Char(')')))
            result << d;
        else if (d.endsWith(QLatin1Char('(') + joined + QLatin1Char(')')))
            result << d.left(d.size() - joined.size() - 2) + QLatin1Char('(') + spaced + QLatin1Char(')');
        else
            result << d + QStringLiteral(" (") + spaced + QLatin1Char(')');
    }
    return result;
}

QString toQtFilter(const QString &filter)
{
    return toQtNameFilters(filter).join(QStringLiteral(";;"));
}

} // namespace ui
