// The levy part of the report.

#include "reports/rap_heffing.h"

#include "reports/rapport_tekst.h"
#include "reports/word_report.h"

#include "calc/clsHeffing.h"

#include "platform/text/format.h"

namespace reports {

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString TAB = QStringLiteral("\t");

QString euro(double v)
{
    return vb::Format(v, QStringLiteral("€ #,#0"));
}

// The site's own levy, or the one equalised over the province.
bool eigen(const calc::clsHeffing &h)
{
    return h.bytObjectGebonden == 1;
}

QString inrichtingBlok(const calc::clsHeffing &h)
{
    if (eigen(h))
        return QStringLiteral("Aanvang nazorg: ") + vb::CStr(h.DatumAanvangNazorg().date()) + CRLF
               + QStringLiteral("Doelvermogen: ") + euro(h.sngDV) + CRLF;
    return QStringLiteral("Het doelvermogen van alle niet-objectgebonden inrichtingen in deze provincie en het "
                          "geprognotiseerde afvalaanbod van deze inrichtingen is gesommeerd. Op basis van verevening "
                          "is de heffing uitgerekend. ")
           + CRLF + CRLF + QStringLiteral("Betrokken inrichtingen:") + h.rapStortNamen + QStringLiteral(". ") + CRLF
           + QStringLiteral("Gezamenlijk NCW, uitgedrukt in prijspeil ") + vb::CStr(h.sngTref) + QStringLiteral(": ")
           + euro(h.DVref) + CRLF;
}

QString kop(const calc::clsHeffing &h, const QStringList &kolommen, const QString &controle)
{
    return kolommen.join(TAB) + TAB + controle + (eigen(h) ? QStringLiteral("doelvermogen") : QStringLiteral("NCW"))
           + CRLF;
}

QString jaarRegel(const calc::clsHeffing &h, qint16 i)
{
    return vb::CStr(h.rapJaar(i)) + TAB + vb::CStr(h.rapAantalKtonPerJaar(i)) + TAB
           + vb::Format(h.rapHeffingPerTonInJaar(i), QStringLiteral("€ #,##0.00")) + TAB + euro(h.rapHeffingInJaar(i))
           + TAB + euro(h.rapControleDV(i)) + CRLF;
}

QString voetnoot()
{
    return QStringLiteral(" *) Uitgedrukt in het prijspeil van het jaar waarin de heffing van toepassing is.") + CRLF;
}

} // namespace

void RapHeffingNaarScherm(const calc::clsHeffing &h, RapportTekst &rap)
{
    rap.SelTabCount(5);
    for (qint16 k = 0; k < 5; ++k)
        rap.SelTabs(k, 3.0 * (k + 1));
    rap.SelText(CRLF + CRLF + CRLF);
    rap.SelBold(true);
    rap.SelText(QStringLiteral("Rapportage heffingen:") + CRLF);
    rap.SelBold(false);
    rap.SelText(CRLF);
    rap.SelText(inrichtingBlok(h) + CRLF);
    rap.SelText(kop(h,
                    {QStringLiteral("Jaar"), QStringLiteral("Aantal kTon"), QStringLiteral("Heffing/ton *"),
                     QStringLiteral("Heffing *")},
                    QStringLiteral("Controle ")));
    for (qint16 i = 1; i <= h.intAantaljaren; ++i)
        rap.SelText(jaarRegel(h, i));
    rap.SelBold(true);
    rap.SelText(QStringLiteral("Totaal") + TAB + vb::CStr(h.rapAantalKtonTotaal()) + TAB + TAB + TAB);
    rap.SelText(euro(h.rapControleDVsom()) + CRLF);
    rap.SelText(CRLF + CRLF);
    rap.SelText(voetnoot());
}

void RapHeffingNaarWord(const calc::clsHeffing &h, word::Application &app, bool &blnDeelVooraf)
{
    word::Selection &sel = app.Selection();
    if (blnDeelVooraf)
        sel.InsertBreak(word::wdSectionBreakNextPage);
    sel.Font().Name = QStringLiteral("Arial");
    sel.Font().Size = 15;
    sel.TypeText(QStringLiteral("Rapportage heffingen"));
    sel.Font().Size = 10;
    sel.Font().Bold = false;
    sel.InsertBreak(word::wdLineBreak);
    zetPagina(sel, {word::wdOrientPortrait, 21.0f, 29.7f, 1.5f, 1.5f, 1.5f, 2.5f});

    sel.TypeText(CRLF);
    sel.Font().Size = 9;
    sel.TypeText(inrichtingBlok(h) + CRLF);

    sel.Font().Size = 8;
    word::TabStops &tabs = sel.ParagraphFormat().TabStops;
    tabs.ClearAll();
    for (float cm : {2.0f, 5.7f, 7.8f, 11.4f})
        tabs.Add(word::CentimetersToPoints(cm), word::wdAlignTabLeft);
    // The column heads keep with the first two years, the last two years
    // with the total and the note below it.
    sel.ParagraphFormat().KeepWithNext = true;
    sel.Font().Underline = true;
    sel.TypeText(kop(h,
                     {QStringLiteral("jaar"), QStringLiteral("aantal kTon"), QStringLiteral("heffing/ton *"),
                      QStringLiteral("heffing *")},
                     QStringLiteral("controle ")));
    sel.Font().Underline = false;
    for (qint16 i = 1; i <= h.intAantaljaren; ++i) {
        sel.ParagraphFormat().KeepWithNext = i == 1 || i >= h.intAantaljaren - 1;
        // The last year's line is underlined.
        sel.Font().Underline = i == h.intAantaljaren;
        sel.TypeText(jaarRegel(h, i));
    }
    sel.ParagraphFormat().KeepWithNext = true;
    sel.Font().Underline = false;
    sel.Font().Bold = true;
    sel.TypeText(QStringLiteral("Totaal ") + TAB + vb::CStr(h.rapAantalKtonTotaal()) + TAB + TAB + TAB
                 + euro(h.rapControleDVsom()));
    sel.Font().Bold = false;
    sel.TypeText(CRLF + CRLF);
    sel.ParagraphFormat().KeepWithNext = false;
    sel.TypeText(voetnoot());
}

} // namespace reports
