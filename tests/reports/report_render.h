#pragma once
// Writes the Word reports of a site through the report screens' own
// drivers, the save dialog answered with the file given and the closing
// question with "Nee"; converts a report with LibreOffice.

#include "demo_site.h"

#include "reports/doelverm_rapport.h"
#include "reports/rap_voorz.h"

#include <QString>
#include <QStringList>

namespace reporttest {

reports::WordReportContext reportContext(const calctest::CalcFixture &fx, qint32 site);

// The whole target-fund report (cover with VAT, table, unused checklist
// items, and the levy unless `heffing` is false) in the division given.
// False when it went wrong; `fouten` then tells why.
bool writeTargetFundReport(const calctest::CalcFixture &fx, qint32 site, int optRapSort, const QString &file,
                           QString *fouten = nullptr, bool heffing = true);
// The whole input-data report.
bool writeInputReport(const calctest::CalcFixture &fx, qint32 site, const QString &file, QString *fouten = nullptr);

// LibreOffice (soffice, headless, with a profile in a temporary folder)
// converts `file` into `format` ("pdf") in `outDir`; the converted file, or
// an empty text with the reason in `fout`. Generous time-out; one retry,
// for a first start that sets up its profile.
QString convertWithLibreOffice(const QString &file, const QString &outDir, const QString &format,
                               QString *fout = nullptr);
// The same for several files in one run of LibreOffice: the converted
// files in the order given, or none.
QStringList convertWithLibreOffice(const QStringList &files, const QString &outDir, const QString &format,
                                   QString *fout = nullptr);

} // namespace reporttest
