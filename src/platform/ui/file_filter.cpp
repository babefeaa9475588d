#include "platform/ui/file_filter.h"

#include <QFileInfo>

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

QStringList filterExtensions(const QString &filter, int filterIndex)
{
    const QList<FileFilter> entries = parseFileFilter(filter);
    if (entries.isEmpty())
        return {};
    const FileFilter &entry = entries.at(filterIndex >= 1 && filterIndex <= entries.size() ? filterIndex - 1 : 0);
    QStringList extensions;
    for (const QString &pattern : entry.patterns) {
        const qsizetype dot = pattern.lastIndexOf(QLatin1Char('.'));
        if (dot < 0)
            continue;
        const QString extension = pattern.mid(dot + 1);
        const bool wildcard = extension.contains(QLatin1Char('*')) || extension.contains(QLatin1Char('?'))
                              || extension.contains(QLatin1Char('['));
        if (!extension.isEmpty() && !wildcard && !extensions.contains(extension, Qt::CaseInsensitive))
            extensions << extension;
    }
    return extensions;
}

QString withFilterExtension(const QString &fileName, const QString &filter, int filterIndex, const QString &defaultExt)
{
    QStringList extensions = filterExtensions(filter, filterIndex);
    if (extensions.isEmpty() && !defaultExt.isEmpty())
        extensions << defaultExt;
    const QString name = QFileInfo(fileName).fileName();
    if (extensions.isEmpty() || name.isEmpty())
        return fileName;
    for (const QString &extension : extensions)
        if (name.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive) && name.size() > extension.size() + 1)
            return fileName;
    // A name that ends in a dot takes the extension after that dot.
    return fileName + (fileName.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".")) + extensions.first();
}

} // namespace ui
