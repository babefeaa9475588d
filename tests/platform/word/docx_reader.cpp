#include "docx_reader.h"

#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

namespace wordtest {

QJsonObject readDocx(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral(TAVIR_DOCX_PYTHON), {QStringLiteral(TAVIR_DOCX_READER), path});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "python-docx cannot read " << path.toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

QJsonArray paragraphs(const QJsonArray &blocks)
{
    QJsonArray out;
    for (const auto &b : blocks)
        if (b.toObject().value(QStringLiteral("type")).toString() == QLatin1String("p"))
            out.append(b);
    return out;
}

QJsonArray tables(const QJsonObject &doc)
{
    QJsonArray out;
    for (const auto &b : doc.value(QStringLiteral("body")).toArray())
        if (b.toObject().value(QStringLiteral("type")).toString() == QLatin1String("table"))
            out.append(b);
    return out;
}

QStringList bodyTexts(const QJsonObject &doc)
{
    QStringList out;
    for (const auto &p : paragraphs(doc.value(QStringLiteral("body")).toArray()))
        out << p.toObject().value(QStringLiteral("text")).toString();
    return out;
}

QJsonObject cell(const QJsonObject &table, int row, int column)
{
    const QJsonArray rows = table.value(QStringLiteral("rows")).toArray();
    if (row < 1 || row > rows.size()) {
        ADD_FAILURE() << "no row " << row;
        return {};
    }
    const QJsonArray cells = rows.at(row - 1).toObject().value(QStringLiteral("cells")).toArray();
    if (column < 1 || column > cells.size()) {
        ADD_FAILURE() << "no cell " << row << "," << column;
        return {};
    }
    return cells.at(column - 1).toObject();
}

QString cellText(const QJsonObject &table, int row, int column)
{
    return cell(table, row, column).value(QStringLiteral("text")).toString();
}

QStringList rowTexts(const QJsonObject &table)
{
    QStringList out;
    for (const auto &r : table.value(QStringLiteral("rows")).toArray()) {
        QStringList cells;
        for (const auto &c : r.toObject().value(QStringLiteral("cells")).toArray())
            cells << c.toObject().value(QStringLiteral("text")).toString();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

} // namespace wordtest
