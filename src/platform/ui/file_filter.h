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

// The extensions, without their dot, that the patterns of entry
// `filterIndex` (1-based; out of range: the first) name: "*.xml" names
// "xml", "dbQORdata_*.mdb" names "mdb"; "*.*" and "*" name none.
QStringList filterExtensions(const QString &filter, int filterIndex);

// A saved file's name as the user will look for it again: a name that ends
// in none of the extensions of the filter in use gets the first of them
// ("Stortplaats De Berkenheuvel" with "*.xml" becomes "Stortplaats De
// Berkenheuvel.xml", and so does "Stort 2.0" become "Stort 2.0.xml"), so
// that the same filter shows it in the open dialog. Where the filter names
// no extension, `defaultExt` is the one, when given.
QString withFilterExtension(const QString &fileName, const QString &filter, int filterIndex,
                            const QString &defaultExt = QString());

} // namespace ui
