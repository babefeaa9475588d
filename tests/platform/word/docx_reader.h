#pragma once
// Reads a saved .docx back through python-docx (tests/platform/word/
// read_docx.py) and gives its content as JSON, with a few shortcuts.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace wordtest {

// The whole content; a failure of the reader fails the test.
QJsonObject readDocx(const QString &path);

// The body's blocks of one kind, in order.
QJsonArray paragraphs(const QJsonArray &blocks);
QJsonArray tables(const QJsonObject &doc);
// The texts of the body's paragraphs outside tables, in order.
QStringList bodyTexts(const QJsonObject &doc);
// A cell of a table read back (row and cell numbered from 1).
QJsonObject cell(const QJsonObject &table, int row, int column);
QString cellText(const QJsonObject &table, int row, int column);
// Every row's cell texts joined by "|".
QStringList rowTexts(const QJsonObject &table);

} // namespace wordtest
