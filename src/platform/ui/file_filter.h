#pragma once
// File-type filters. The program writes them in the classic common-dialog
// form, "XML bestanden (*.xml)|*.xml|": description and pattern alternate,
// separated by '|', several patterns of one entry joined by ';'. Qt wants
// one "description (pattern pattern)" entry per type.

#include <QString>
#include <QStringList>

namespace ui {

struct FileFilter {
    QString description;
    QStringList patterns;
};

// Splits a filter into its entries. A trailing '|' and surrounding blanks are
// ignored; a description without a pattern after it is dropped.
QList<FileFilter> parseFileFilter(const QString &filter);

// The Qt name filters of `filter`, one per entry. An entry whose description
// already ends in its patterns in parentheses is kept as it is; otherwise the
// patterns are added in parentheses (Qt reads them from there).
QStringList toQtNameFilters(const QString &filter);

// The same joined by ";;", as QFileDialog's static functions take it.
QString toQtFilter(const QString &filter);

} // namespace ui
