#pragma once
// The calculation's fixture sites and the demo sites, a Word document to
// write into, and the saved document read back by python-docx.

#include "demo_site.h"
#include "docx_reader.h"
#include "support/qstring_printer.h"
#include "support/scripted_dialogs_fixture.h"

#include "reports/word_report.h"

#include "platform/word/document.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

namespace reporttest {

class WordReportTest : public testsupport::ScriptedDialogsTest {
protected:
    reports::WordReportContext context(qint32 site)
    {
        reports::WordReportContext ctx;
        static_cast<calc::Context &>(ctx) = fx.context(site);
        ctx.gstrDatabestand = fx.dataFile;
        ctx.versionMajor = 3;
        ctx.versionMinor = 0;
        ctx.generated = QDateTime(QDate(2024, 3, 5), QTime(9, 7));
        return ctx;
    }
    QJsonObject saveAndRead()
    {
        const QString path = out.filePath(QStringLiteral("rapport.doc"));
        doc.SaveAs(path);
        return wordtest::readDocx(path);
    }

    DemoSite fx;
    QTemporaryDir out;
    word::Application app;
    word::Document &doc = app.Documents().Add();
};

// Column `column` of every row, "" where the row has fewer cells.
inline QStringList column(const QJsonObject &table, int column)
{
    QStringList out;
    for (const auto &r : table.value(QStringLiteral("rows")).toArray()) {
        const QJsonArray cells = r.toObject().value(QStringLiteral("cells")).toArray();
        out << (column <= cells.size() ? cells.at(column - 1).toObject().value(QStringLiteral("text")).toString()
                                       : QString());
    }
    return out;
}

} // namespace reporttest
