// The page header and footer of both reports.

#include "reports/kop_voettekst.h"

#include "platform/core/error.h"

namespace reports {

namespace {

const QString CRLF = QStringLiteral("\r\n");

} // namespace

void psubInvoegenKopVoettekst(word::Document &doc, const WordReportContext &ctx)
{
    try {
        word::Selection &sel = doc.Selection();
        sel.SeekView(word::wdSeekCurrentPageHeader);
        sel.Font().Name = QStringLiteral("Arial");
        sel.Font().Size = 7;
        sel.Font().Italic = true;
        sel.TypeText(ctx.programTitle + QStringLiteral(" ") + QString::number(ctx.versionMajor) + QStringLiteral(".")
                     + QString::number(ctx.versionMinor) + CRLF);

        sel.SeekView(word::wdSeekCurrentPageFooter);
        sel.Font().Name = QStringLiteral("Arial");
        sel.Font().Size = 7;
        sel.ParagraphFormat().TabStops.ClearAll();
        sel.ParagraphFormat().TabStops.Add(word::CentimetersToPoints(15), word::wdAlignTabRight, 0);
        sel.TypeText(QStringLiteral("Gegenereerd d.d. ") + rapDatumTijd(ctx.now()) + CRLF);
        sel.TypeText(QStringLiteral("Afgedrukt d.d. "));
        sel.Fields().Add(sel.Range(), word::wdFieldEmpty, QStringLiteral("DATE  \\@ \"d-MMM-yyyy  HH:mm\" "), true);
        sel.TypeText(QStringLiteral("\tpag. "));
        sel.Fields().Add(sel.Range(), word::wdFieldEmpty, QStringLiteral("PAGE  \\* Arabic "), true);
        sel.TypeText(QStringLiteral(" van "));
        sel.Fields().Add(sel.Range(), word::wdFieldEmpty, QStringLiteral("NUMPAGES  \\* Arabic "), true);

        sel.SeekView(word::wdSeekMainDocument);
    } catch (const platform::Error &e) {
        meldFout(ctx, e, QStringLiteral("psubInvoegenKopVoettekst"));
    }
}

} // namespace reports
