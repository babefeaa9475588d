// The cover page with the general data of the site.

#include "reports/voorblad.h"

#include "reports/kop_voettekst.h"

#include "calc/clsDV.h"
#include "checklist/clsCL.h"
#include "records/clsStort.h"
#include "records/clsTonnage.h"

#include "platform/core/error.h"
#include "platform/text/format.h"

namespace reports {

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString kEuro = QStringLiteral("€ #,#0");

checklist::Context clContext(const WordReportContext &ctx)
{
    checklist::Context c;
    c.gstrConnCL = ctx.gstrConnCL;
    c.gsngJaarAanvangNazorg = ctx.gsngJaarAanvangNazorg;
    c.MeldFout = ctx.MeldFout;
    return c;
}

struct Regel {
    QString naam;
    QString waarde;
    bool groep = false;
};

// How roomy the cover is. The first layout is the usual one; a cover whose
// general data are so long that it would run onto a second page takes the
// next that keeps it on one: the general data a point smaller, then also
// without the blank lines between the groups and the blocks.
struct Opmaak {
    float grootte; // the general data's font size
    bool witregels;
};
constexpr Opmaak kOpmaken[] = {{9, true}, {8, true}, {8, false}, {7, false}};

// The cost of reporting and evaluation by the option the area gives.
QString rapEvalTekst(const records::clsStort &stort, const checklist::clsCL &cl, const calc::clsDV *dv)
{
    switch (cl.CalcOptieRapEval(stort.NazorgOpp())) {
    case 1:
        return vb::Format(stort.RapEvalMin(), kEuro) + QStringLiteral(" per jaar");
    case 2: {
        QString t = QStringLiteral("per jaar: ") + vb::Format(cl.sngRapEvalMin(), QStringLiteral("€ #,##0"))
                    + QStringLiteral(" + (nazorgoppervlak - 10) x ")
                    + vb::Format(stort.RapEvalPerHa(), QStringLiteral("€ #,##0"));
        if (dv)
            t += QStringLiteral(" = ") + vb::Format(dv->sngRapEvalKostenPerJaar, QStringLiteral("€ #,##0"));
        return t;
    }
    case 3:
        return vb::Format(stort.RapEvalMax(), kEuro) + QStringLiteral(" per jaar");
    default:
        return QStringLiteral("?");
    }
}

std::vector<Regel> algemeneGegevens(records::clsStort &stort, const calc::clsDV *dv, const WordReportContext &ctx)
{
    stort.GetInfoChecklist();
    checklist::clsCL cl(clContext(ctx));
    cl.initializeCL(qint32(stort.checklist_ID()));
    std::vector<Regel> r = {
        {QStringLiteral("Inrichting"), {}, true},
        {QStringLiteral("Naam"), ctx.gstrNaamStort},
        {QStringLiteral("RIVM-nummer"), stort.RivmNr()},
        {QStringLiteral("Provincie"), stort.ProvNaam()},
        {QStringLiteral("Vestigingsadres"), stort.locatie_adres()},
        {QStringLiteral("Type inrichting"),
         stort.ClInfo_StortType + QStringLiteral(", ") + stort.Bedrijfs_Objectgebonden()},
        {QStringLiteral("Checklistversie"), stort.ClInfo_Versie},
        {QStringLiteral("Vergunninghouder"), {}, true},
        {QStringLiteral("Vergunninghouder"), stort.VergHouderNaam()},
        {QStringLiteral("Postadres"), stort.VergHouderPostadres()},
        {QStringLiteral("Contactpersoon"), stort.VergHouderContactPers()},
        {QStringLiteral("Telefoon"), stort.VergHouderTelnr()},
        {QStringLiteral("Fax"), stort.VergHouderFaxnr()},
        {QStringLiteral("E-mail"), stort.VergHouderEmail()},
        {QStringLiteral("Invuller"), {}, true},
        {QStringLiteral("Ingevuld door"), stort.InvullerNaam()},
        {QStringLiteral("Postadres"), stort.InvullerPostadres()},
        {QStringLiteral("Contactpersoon"), stort.InvullerContactPers()},
        {QStringLiteral("Telefoon"), stort.InvullerTelnr()},
        {QStringLiteral("Fax"), stort.InvullerFaxnr()},
        {QStringLiteral("E-mail"), stort.InvullerEmail()},
        {QStringLiteral("Berekeningen"), {}, true},
        {QStringLiteral("Datum aanvang nazorg"), vb::CStr(stort.DatumAanvangNazorg().date())},
        {QStringLiteral("Jaar prijspeil"), vb::CStr(stort.JaarPrijsPeil())},
        {QStringLiteral("Rente"), vb::Format(stort.rente(), QStringLiteral("0.00%"))},
        {QStringLiteral("Inflatie"), vb::Format(stort.inflatie(), QStringLiteral("0.00%"))},
        {QStringLiteral("Percentage onvoorzien"), vb::CStr(stort.Onvoorzien()) + QStringLiteral(" %")},
    };
    if (!cl.GebruikGedifferentieerdeToeslagB())
        r.push_back({QStringLiteral("Percentage ontwerp/directie"),
                     vb::CStr(stort.OntwerpdirectieFixed()) + QStringLiteral(" %")});
    r.push_back({QStringLiteral("Apparaatskosten basisbedrag"),
                 vb::Format(stort.AppKostenBasis(), kEuro) + QStringLiteral(" per jaar")});
    r.push_back(
        {QStringLiteral("Apparaatskosten percentage"), vb::CStr(stort.AppKostenBasisPerc()) + QStringLiteral(" %")});
    r.push_back({QStringLiteral("Kosten rapportage/evaluatie"), rapEvalTekst(stort, cl, dv)});
    r.push_back({QStringLiteral("Nazorgoppervlak "), vb::CStr(stort.NazorgOpp()) + QStringLiteral(" ha")});
    r.push_back({QStringLiteral("Communicatiekosten"),
                 vb::Format(stort.CommunicatieKosten(), kEuro) + QStringLiteral(" per jaar")});
    r.push_back({QStringLiteral("Risicobedrag"),
                 vb::Format(stort.RisicoBedrag(), kEuro) + QStringLiteral(" (gekapitaliseerd)")});
    return r;
}

word::Table &tabel(word::Document &doc, word::Selection &sel, int rows, std::initializer_list<float> breedtes)
{
    word::Table &t = doc.Tables().Add(sel.Range(), rows, int(breedtes.size()));
    t.SetInsideLineStyle(word::wdLineStyleNone);
    t.SetOutsideLineStyle(word::wdLineStyleNone);
    int c = 1;
    for (float b : breedtes)
        t.SetColumnWidth(c++, word::CentimetersToPoints(b));
    t.SetAllowBreakAcrossPages(false);
    return t;
}

void samenvatting(word::Document &doc, word::Selection &sel, const calc::clsDV &dv, bool blnBTW,
                  const WordReportContext &ctx, const Opmaak &o)
{
    sel.EndKey(word::wdStory);
    sel.Font().Bold = true;
    sel.TypeText(QStringLiteral("Samenvatting berekening doelvermogen") + CRLF + (o.witregels ? CRLF : QString()));
    sel.Font().Bold = false;
    const bool gedifferentieerd = dv.GebruikGedifferentieerdeToeslagB();
    const QString wit = o.witregels ? CRLF : QString();
    std::vector<std::pair<QString, float>> r = {
        {QStringLiteral("Subtotaal jaarlijkse nazorgkosten"), dv.somA_exclOnvoorzien()},
        {QStringLiteral("Toeslag onvoorzien (") + vb::Format(dv.rapPercOnvoorz(), QStringLiteral("0.0%"))
             + QStringLiteral(")"),
         dv.toeslagA()},
        {QStringLiteral("Jaarlijkse nazorgkosten (A)"), dv.somA_inclOnvoorzien()},
        {wit + QStringLiteral("Subtotaal periodieke vervangingen"), dv.somB_exclDirectievoering()},
        gedifferentieerd
            ? std::pair{QStringLiteral("Som toeslagen ontwerp/directievoering/toezicht"),
                        dv.Toeslagen2008SomWaardeNCW()}
            : std::pair{QStringLiteral("Toeslag ontwerp/directie (")
                            + vb::Format(dv.rapPercDirectievoering2002(), QStringLiteral("0.0%")) + QStringLiteral(")"),
                        dv.toeslagB()},
        {QStringLiteral("Periodieke vervangingen (B)"), dv.somB_inclDirectievoering()},
        {wit + QStringLiteral("Toeslagen algemene nazorgkosten (C)"), dv.somC()},
        {wit + QStringLiteral("Totaal A+B+C"), dv.DoelvermogenZonderRisicoFonds()},
        {QStringLiteral("Toeslag risicofonds"), dv.sngRisicobedragKAP},
        {QStringLiteral("Doelvermogen"), dv.DoelvermogenMetRisicoFonds()},
    };
    if (blnBTW) {
        r.push_back({QStringLiteral("Omzetbelasting (") + vb::Format(ctx.gsngBTWPerc / 100.0f, QStringLiteral("0.0%"))
                         + QStringLiteral(")"),
                     dv.BTWbedrag()});
        r.push_back({QStringLiteral("Doelvermogen incl. BTW"), dv.DoelvermogenMetRisicofonds_InclBTW()});
    }
    word::Table &t = doc.Tables().Add(sel.Range(), int(r.size()), 2);
    t.SetColumnWidth(1, word::CentimetersToPoints(7));
    t.SetColumnWidth(2, word::CentimetersToPoints(4));
    for (int i = 1; i <= int(r.size()); ++i) {
        t.Cell(i, 1).Text = r[size_t(i - 1)].first;
        t.Cell(i, 2).Text = vb::Format(r[size_t(i - 1)].second, kEuro);
        t.Cell(i, 2).VerticalAlignment = word::wdCellAlignVerticalBottom;
        t.Cell(i, 2).ParagraphFormat.Alignment = word::wdAlignParagraphRight;
        t.Rows(i).setFontSize(8);
    }
    for (int i : {3, 6, 10, 12})
        if (i <= t.RowCount())
            t.Rows(i).Borders(word::wdBorderTop).setVisible(true);
    t.SetHeightRule(word::wdRowHeightAuto);
    t.SetAllowBreakAcrossPages(false);
    sel.EndKey(word::wdStory);
    sel.TypeText(o.witregels ? CRLF + CRLF : CRLF);
}

void handtekening(word::Document &doc, word::Selection &sel, const Opmaak &o)
{
    sel.EndKey(word::wdStory);
    if (o.witregels)
        sel.TypeText(CRLF);
    sel.EndKey(word::wdStory);
    word::Table &t = tabel(doc, sel, 1, {6, 3, 6});
    t.Rows(1).Height = word::CentimetersToPoints(2);
    t.Rows(1).HeightRule = word::wdRowHeightAtLeast;
    t.SetInsideLineStyle(word::wdLineStyleSingle, word::wdLineWidth075pt);
    t.SetOutsideLineStyle(word::wdLineStyleSingle, word::wdLineWidth075pt);
    t.Cell(1, 1).Text = QStringLiteral("Naam");
    t.Cell(1, 2).Text = QStringLiteral("Datum");
    t.Cell(1, 3).Text = QStringLiteral("Paraaf");
}

void prognose(word::Document &doc, word::Selection &sel, records::clsTonnage &ton, bool metTabel)
{
    // The note stands right under the signature block, so that both stay
    // on the cover page.
    sel.EndKey(word::wdStory);
    sel.ParagraphFormat().Alignment = word::wdAlignParagraphRight;
    sel.Font().Size = 8;
    sel.Font().Italic = true;
    sel.TypeText(QStringLiteral("Prognose afvalaanbod: z.o.z."));
    sel.Font().Size = 9;
    sel.Font().Italic = false;
    if (!metTabel)
        return;
    sel.InsertBreak(word::wdPageBreak);
    sel.EndKey(word::wdStory);
    sel.ParagraphFormat().Alignment = word::wdAlignParagraphLeft;
    sel.Font().Bold = true;
    sel.TypeText(QStringLiteral("Prognose afvalaanbod") + CRLF + CRLF);
    sel.Font().Bold = false;
    const int jaren = ton.AantalRecords();
    word::Table &t = tabel(doc, sel, jaren + 2, {2, 3});
    t.Cell(1, 1).Text = QStringLiteral("Jaar");
    t.Cell(1, 2).Text = QStringLiteral("aanbod (kton)");
    t.Rows(1).Borders(word::wdBorderBottom).setLineStyle(word::wdLineStyleSingle);
    int r = 1;
    for (; !ton.EOF_(); ton.move_NEXT()) {
        if (++r > jaren + 1)
            break;
        t.Cell(r, 1).Text = vb::CStr(ton.rapJaartalTonnage());
        t.Cell(r, 2).Text = vb::CStr(ton.rapAantalKton());
    }
    t.Rows(jaren + 1).Borders(word::wdBorderBottom).setLineStyle(word::wdLineStyleSingle);
    t.Cell(jaren + 2, 1).Text = QStringLiteral("totaal");
    t.Cell(jaren + 2, 2).Text = vb::CStr(ton.TotaalTonnage());
    sel.EndKey(word::wdStory);
}

// The cover in the layout given; the forecast's page only when asked.
void schrijfVoorblad(word::Document &doc, word::Application &app, qint32 modus, calc::clsDV *dv, bool blnBTW,
                     const WordReportContext &ctx, const Opmaak &o, bool metPrognose)
{
    word::Selection &sel = app.Selection();
    records::clsStort stort(ctx);
    stort.initializeStort(ctx.glngStortID);
    zetPagina(sel, kStaand);
    sel.Font().Name = QStringLiteral("Arial");

    if (modus == kModusInvoer) {
        typeInvoerKop(sel, QStringLiteral(">> Algemene gegevens"));
    } else {
        sel.Font().Size = 22;
        sel.TypeText(QStringLiteral("R a p p o r t a g e   T A V I R"));
        sel.Font().Size = 8;
    }

    sel.TypeText(CRLF + CRLF + QStringLiteral("Gegenereerd d.d. ") + rapDatumTijd(ctx.now()) + QStringLiteral("\t\t"));
    sel.TypeText(QStringLiteral("Afgedrukt d.d. "));
    sel.Fields().Add(sel.Range(), word::wdFieldEmpty, QStringLiteral("DATE  \\@ \"d-MMM-yyyy H:mm\" "), true);
    sel.TypeText(CRLF + QStringLiteral("Aantal pagina's: "));
    sel.Fields().Add(sel.Range(), word::wdFieldEmpty, QStringLiteral("NUMPAGES  \\* Arabic "), true);
    sel.TypeText(CRLF + QStringLiteral("Databestand: ") + ctx.gstrDatabestand + CRLF + CRLF);

    sel.Font().Size = o.grootte;
    sel.Font().Bold = false;
    const std::vector<Regel> regels = algemeneGegevens(stort, dv, ctx);
    // The first column holds "Apparaatskosten basisbedrag" on one line,
    // the second the rest of the page's width.
    word::Table &t = tabel(doc, sel, 34, {4.7f, 11.3f});
    for (int i = 1; i <= int(regels.size()) && i <= t.RowCount(); ++i) {
        const Regel &g = regels[size_t(i - 1)];
        if (g.groep) {
            t.Cell(i, 1).Font.Bold = true;
            t.Cell(i, 1).Text = (o.witregels ? CRLF : QString()) + g.naam;
        } else {
            t.Cell(i, 1).Text = g.naam;
            t.Cell(i, 2).Text = g.waarde;
        }
    }
    sel.EndKey(word::wdStory);
    sel.TypeText(o.witregels ? CRLF + CRLF : CRLF);

    if (dv)
        samenvatting(doc, sel, *dv, blnBTW, ctx, o);

    records::clsTonnage ton(ctx);
    ton.psubInitialiseer(ctx.glngStortID);
    const bool jaren = ton.AantalRecords() > 0;
    if (!jaren)
        sel.TypeText(QStringLiteral("Er is geen prognose van het afvalaanbod ingevoerd.") + CRLF
                     + (o.witregels ? CRLF : QString()));
    if (modus != kModusInvoer)
        handtekening(doc, sel, o);
    if (jaren)
        prognose(doc, sel, ton, metPrognose);
}

} // namespace

void InsertVoorbladAlgemeneGegevens(word::Document &doc, word::Application &app, qint32 modus, calc::clsDV *dv,
                                    bool blnBTW, const WordReportContext &ctx)
{
    try {
        // The roomiest layout whose cover stands on one page, tried in a
        // document of its own with the same page header and footer.
        const Opmaak *o = std::begin(kOpmaken);
        for (; o + 1 != std::end(kOpmaken); ++o) {
            word::Application proefApp;
            word::Document &proef = proefApp.Documents().Add();
            try {
                schrijfVoorblad(proef, proefApp, modus, dv, blnBTW, ctx, *o, false);
            } catch (const platform::Error &) {
                break; // the cover itself tells
            }
            psubInvoegenKopVoettekst(proef, ctx);
            if (proef.EstimatedPageCount() == 1)
                break;
        }
        schrijfVoorblad(doc, app, modus, dv, blnBTW, ctx, *o, true);
    } catch (const platform::Error &e) {
        meldFout(ctx, e, QStringLiteral("InsertVoorbladAlgemeneGegevens"));
    }
}

} // namespace reports
