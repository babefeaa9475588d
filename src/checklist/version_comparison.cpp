#include "checklist/version_comparison.h"

#include "checklist/clsCL.h"
#include "records/clsAct.h"
#include "records/clsStort.h"
#include "records/clsVoorz.h"
#include "records/codes.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/text/format.h"

#include <functional>

namespace checklist {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kBedrag = QStringLiteral("€ #,##0");
constexpr float kGeenMaximum = -999.0f;

QString tekstVan(const QVariant &v)
{
    return vb::CStr(v);
}

// Texts differ; an empty value compares as nothing, as a Null in a
// comparison makes it fail.
bool verschilt(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return false;
    return tekstVan(a) != tekstVan(b);
}

// The heading of an item: "\r\n" facility " : " description " (rubriek x)".
void schrijfKop(RapTekst &box, const clsCL &view)
{
    box.opsomming(false);
    box.grootte(8);
    box.voegToe(kCrLf + tekstVan(view.Voorziening()) + QStringLiteral(" : ") + tekstVan(view.OmschrijvingEx())
                + QStringLiteral(" (rubriek ") + view.Rubriek().toLower() + QStringLiteral(")") + kCrLf);
    box.grootte(7);
}

// An added or removed item: its heading and its four explanation texts.
void schrijfVolledigItem(RapTekst &box, const clsCL &view)
{
    box.grootte(8);
    schrijfKop(box, view);
    box.opsomming(true);
    box.grootte(7);
    box.voegToe(QStringLiteral("Startjaar : ") + view.strStartJaarToelichting() + kCrLf + QStringLiteral("Eindjaar : ")
                + view.strEindJaarToelichting() + kCrLf + QStringLiteral("Periodiciteit : ")
                + view.strFreqXtoelichting() + kCrLf + QStringLiteral("Kosten : ") + view.strKostenToelichting()
                + kCrLf);
    box.opsomming(false);
}

// One version value as the report shows it. A value with its own
// separation replaces the two blanks that otherwise go before a new value.
struct Waarde {
    QString tekst;
    bool eigenScheiding = false;
};

struct VersieRegel {
    const char *label;
    std::function<bool(const clsCL &, const clsCL &)> verschilt;
    std::function<Waarde(const clsCL &)> tekst;
};

Waarde paar(float a, float b)
{
    return {vb::Format(a, kBedrag) + QStringLiteral(" - ") + vb::Format(b, kBedrag)};
}

bool verschiltSingle(float a, float b)
{
    return a != b;
}

QList<VersieRegel> versieRegels()
{
    using V = const clsCL &;
    return {
        {"Jaar prijspeil: ", [](V o, V n) { return o.intJaarPrijspeil() != n.intJaarPrijspeil(); },
         [](V v) { return Waarde{QString::number(v.intJaarPrijspeil())}; }},
        {"Percentage onvoorzien: ", [](V o, V n) { return verschiltSingle(o.sngOnvoorzien(), n.sngOnvoorzien()); },
         [](V v) { return Waarde{vb::Format(v.sngOnvoorzien(), QStringLiteral("0.0%"))}; }},
        {"Percentage ontwerp/directie: ",
         [](V o, V n) { return verschiltSingle(o.sngOntwerpdirectieFixed(), n.sngOntwerpdirectieFixed()); },
         [](V v) {
             if (v.GebruikGedifferentieerdeToeslagB())
                 return Waarde{QStringLiteral(" Geen overall vast percentage van toepassing"), true};
             return Waarde{vb::Format(v.sngOntwerpdirectieFixed(), QStringLiteral("0.0%"))};
         }},
        {"Communicatiekosten: ",
         [](V o, V n) {
             return o.sngCommunicatieMIN() != n.sngCommunicatieMIN()
                    || o.sngCommunicatieMAX() != n.sngCommunicatieMAX();
         },
         [](V v) {
             if (v.sngCommunicatieMAX() == kGeenMaximum)
                 return Waarde{QStringLiteral("  ten minste ") + vb::Format(v.sngCommunicatieMIN(), kBedrag), true};
             return paar(v.sngCommunicatieMIN(), v.sngCommunicatieMAX());
         }},
        {"Rapportage- en evaluatiekosten: hectare-prijs: ",
         [](V o, V n) { return verschiltSingle(o.sngRapEvalPerHa(), n.sngRapEvalPerHa()); },
         [](V v) { return Waarde{vb::Format(v.sngRapEvalPerHa(), kBedrag)}; }},
        {"Rapportage- en evaluatiekosten: onder/bovengrens: ",
         [](V o, V n) { return o.sngRapEvalMin() != n.sngRapEvalMin() || o.sngRapEvalMax() != n.sngRapEvalMax(); },
         [](V v) { return paar(v.sngRapEvalMin(), v.sngRapEvalMax()); }},
        {"Algemene apparaatskosten: percentage van NCW (A+B): ",
         [](V o, V n) { return verschiltSingle(o.sngAppKostenPerc(), n.sngAppKostenPerc()); },
         [](V v) { return Waarde{vb::Format(v.sngAppKostenPerc(), QStringLiteral("0.00%"))}; }},
        {"Algemene apparaatskosten: onder/bovengrens: ",
         [](V o, V n) {
             return o.sngAppKostenBasisMIN() != n.sngAppKostenBasisMIN()
                    || o.sngAppKostenBasisMAX() != n.sngAppKostenBasisMAX();
         },
         [](V v) { return paar(v.sngAppKostenBasisMIN(), v.sngAppKostenBasisMAX()); }},
    };
}

void schrijfVersieWaarden(RapTekst &box, const clsCL &oud, const clsCL &nieuw)
{
    for (const VersieRegel &r : versieRegels()) {
        if (!r.verschilt(oud, nieuw))
            continue;
        box.voegToe(QString::fromUtf8(r.label));
        box.doorgehaald(true);
        box.voegToe(r.tekst(oud).tekst);
        box.doorgehaald(false);
        box.kleur(kRapBlauw);
        const Waarde n = r.tekst(nieuw);
        box.voegToe(n.eigenScheiding ? n.tekst : QStringLiteral("  ") + n.tekst);
        box.kleur(kRapZwart);
        box.voegToe(kCrLf);
    }
}

// The changes of one item that both versions have; the heading goes first,
// once, when there is a change.
void schrijfItemWijzigingen(RapTekst &box, const clsCL &oud, const clsCL &nieuw)
{
    bool kopGeschreven = false;
    auto regel = [&](const QString &label, const std::function<void()> &rest) {
        if (!kopGeschreven) {
            schrijfKop(box, oud);
            kopGeschreven = true;
        }
        box.opsomming(true);
        box.kleur(kRapZwart);
        box.voegToe(label);
        rest();
        box.kleur(kRapZwart);
        box.voegToe(kCrLf);
    };
    auto blauw = [&](const QString &tekst) {
        return [&box, tekst] {
            box.kleur(kRapBlauw);
            box.voegToe(tekst);
        };
    };
    auto oudNieuw = [&](const QString &o, const QString &n) {
        return [&box, o, n] {
            box.doorgehaald(true);
            box.voegToe(o);
            box.doorgehaald(false);
            box.kleur(kRapBlauw);
            box.voegToe(QStringLiteral("  ") + n);
        };
    };

    if (verschilt(oud.Voorziening(), nieuw.Voorziening()))
        regel(QStringLiteral("Naam voorziening is gewijzigd tot: "), blauw(tekstVan(nieuw.Voorziening())));
    if (verschilt(oud.Omschrijving(), nieuw.Omschrijving()))
        regel(QStringLiteral("Omschrijving kostenpost is gewijzigd tot: "), blauw(tekstVan(nieuw.OmschrijvingEx())));
    if (oud.bytRubriek_REF() != nieuw.bytRubriek_REF())
        regel(QStringLiteral("Rubriek is gewijzigd tot : "), blauw(nieuw.Rubriek()));
    if (oud.bytObjectCat_ID() != nieuw.bytObjectCat_ID())
        regel(QStringLiteral("Voorzieningencategorie is gewijzigd tot : "),
              blauw(records::objectCatName(nieuw.bytObjectCat_ID())));
    const struct {
        const char *label;
        QString (clsCL::*tekst)() const;
    } toelichtingen[] = {
        {"Startjaar: ", &clsCL::strStartJaarToelichting},
        {"Eindjaar: ", &clsCL::strEindJaarToelichting},
        {"Periodiciteit: ", &clsCL::strFreqXtoelichting},
        {"Kosten: ", &clsCL::strKostenToelichting},
    };
    for (const auto &t : toelichtingen) {
        const QString o = (oud.*t.tekst)();
        const QString n = (nieuw.*t.tekst)();
        if (o != n)
            regel(QString::fromUtf8(t.label), oudNieuw(o, n));
    }
    box.opsomming(false);
}

void schrijfItems(VersieVergelijking &v, clsCL &oud, clsCL &nieuw)
{
    for (oud.movefirst_rsCLitem(); !oud.EOF_rsCLitem(); oud.movenext_rsCLitem()) {
        if (nieuw.GaNaarItem(oud.lngCLitem_ID()))
            schrijfItemWijzigingen(v.txtRapGewijzigd, oud, nieuw);
        else
            schrijfVolledigItem(v.txtRapVerwijderd, oud);
    }
    for (nieuw.movefirst_rsCLitem(); !nieuw.EOF_rsCLitem(); nieuw.movenext_rsCLitem()) {
        if (!oud.GaNaarItem(nieuw.lngCLitem_ID()))
            schrijfVolledigItem(v.txtRapToegevoegd, nieuw);
    }
}

void schrijfPrijspeil(RapTekst &box, const records::clsStort &stort, clsCL &nieuw)
{
    const qint16 jaarStort = stort.JaarPrijsPeil();
    const qint16 jaarNieuw = nieuw.intJaarPrijspeil();
    if (jaarStort == jaarNieuw)
        return;
    const float f = nieuw.sngPrijsPeilCorr(jaarStort, jaarNieuw);
    const QString van = QString::number(jaarStort);
    const QString naar = QString::number(jaarNieuw);
    if (f != 1.0f) {
        box.voegToe(QStringLiteral("Alle ingevoerde kosten worden omgerekend van prijspeil ") + van
                    + QStringLiteral(" naar ") + naar + QStringLiteral(" (factor ") + vb::CStr(f)
                    + QStringLiteral("). ") + kCrLf);
        box.voegToe(kCrLf + QStringLiteral("Risicobedrag (prijspeilcorrectie): "));
        const float risico = stort.RisicoBedrag();
        box.doorgehaald(true);
        box.voegToe(vb::Format(risico, kBedrag));
        box.doorgehaald(false);
        box.kleur(kRapBlauw);
        box.voegToe(QStringLiteral("  ") + vb::Format(float(risico * f), kBedrag));
        box.kleur(kRapZwart);
        box.voegToe(kCrLf);
    } else {
        box.kleur(kRapBlauw);
        box.vet(true);
        box.voegToe(QStringLiteral("Let op: er wordt geen automatische prijspeilcorrectie gedaan van ") + van
                    + QStringLiteral(" naar ") + naar
                    + QStringLiteral(". U dient de door u ingevoerde prijzen na te lopen en zo nodig aan te passen. ")
                    + kCrLf + kCrLf);
        box.vet(false);
        box.kleur(kRapZwart);
        box.voegToe(kCrLf);
    }
    box.voegToe(kCrLf);
}

// The lines of what the move does to the current cost item, in the order
// the report gives them.
QStringList gevolgen(const records::clsAct &act, const records::clsVoorz &voorz, clsCL &nieuw)
{
    QStringList regels;
    if (!nieuw.GaNaarItem(act.Clitem_REF().toInt())) {
        regels << QStringLiteral("- wordt een gebruikergedefinieerde post.");
        return regels;
    }
    const QString nieuweVoorziening = tekstVan(nieuw.Voorziening());
    if (voorz.VoorzieningNaam() != nieuweVoorziening)
        regels << QStringLiteral("- naam voorziening wordt gewijzigd tot '") + nieuweVoorziening + QStringLiteral("'");
    const QString nieuweOmschrijving = tekstVan(nieuw.Omschrijving());
    if (act.strActHuidig() != nieuweOmschrijving)
        regels << QStringLiteral("- omschrijving kostenpost wordt gewijzigd tot '") + nieuweOmschrijving
                      + QStringLiteral("'");
    if (act.bytRubriek_REF() != nieuw.bytRubriek_REF())
        regels << QStringLiteral("- rubriek wordt '") + nieuw.Rubriek() + QStringLiteral("'");
    if (voorz.bytObjectCat_ID() != nieuw.bytObjectCat_ID())
        regels << QStringLiteral("- wordt ingedeeld onder '") + records::objectCatName(nieuw.bytObjectCat_ID())
                      + QStringLiteral("'");
    switch (act.IsQOR()) {
    case 0:
        regels << QStringLiteral("- was voorheen een checklistpost, is daarna door wijziging")
                      + QStringLiteral(" van checklistversie een gebruikergedefinieerde post geworden, en wordt nu "
                                       "weer een checklistpost.");
        break;
    case 1:
        if (act.ToetsAanNieuweCL(nieuw) == 2)
            regels << QStringLiteral("- voldoet niet langer aan de criteria uit de QOR-checklist.");
        break;
    case 2:
        if (act.ToetsAanNieuweCL(nieuw) == 1 && act.verify_ansich(nieuw.GebruikGedifferentieerdeToeslagB()))
            regels << QStringLiteral("- voldeed niet, maar voldoet nu wel aan de criteria uit de QOR-checklist.");
        break;
    default:
        break;
    }
    return regels;
}

void schrijfKostenposten(RapTekst &box, const records::Context &ctx, clsCL &nieuw)
{
    records::clsAct act(ctx);
    records::clsVoorz voorz(ctx);
    for (; !act.EOF_(); act.moveNext()) {
        if (act.Clitem_REF().isNull())
            continue;
        voorz.ActiveerID(act.Voorz_ID());
        const QString kop = voorz.VoorzieningNaam() + QStringLiteral(" : ") + act.strActHuidig()
                            + QStringLiteral(" (rubriek ") + act.Rubriek().toLower() + QStringLiteral(")") + kCrLf;
        const QStringList regels = gevolgen(act, voorz, nieuw);
        if (regels.isEmpty())
            continue;
        box.vet(true);
        box.voegToe(kop);
        box.vet(false);
        for (const QString &r : regels)
            box.voegToe(r + kCrLf);
        box.voegToe(kCrLf);
    }
}

void leegTekst(RapTekst &box, const char *tekst)
{
    if (box.isLeeg())
        box.voegToe(QString::fromUtf8(tekst));
}

} // namespace

checklist::Context checklistContext(const records::Context &ctx)
{
    checklist::Context cl;
    cl.gstrConnCL = ctx.gstrConnCL;
    cl.gsngJaarAanvangNazorg = ctx.gsngJaarAanvangNazorg;
    cl.MeldFout = ctx.MeldFout;
    return cl;
}

QList<NieuwereVersie> NieuwereVersies(const QString &gstrConnCL, qint32 stortType, qint32 clID)
{
    db::Connection cn;
    cn.Open(gstrConnCL);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM tblCL WHERE lngStortType_REF = ? AND intCL_ID > ? ORDER BY dtmCL DESC;"), cn,
            db::LockType::ReadOnly, {stortType, clID});
    QList<NieuwereVersie> versies;
    for (; !rs.EOF_(); rs.MoveNext()) {
        NieuwereVersie v;
        v.id = rs.Fields(QStringLiteral("intCL_ID")).Value().toInt();
        v.key = QStringLiteral("id") + QString::number(v.id);
        v.tekst = QString::number(rs.Fields(QStringLiteral("dtmCl")).Value().toDateTime().date().year())
                  + QStringLiteral(" (") + tekstVan(rs.Fields(QStringLiteral("strVersie")).Value())
                  + QStringLiteral(")");
        versies << v;
    }
    return versies;
}

qint32 versieIdUitKey(const QString &key)
{
    return vb::CLng(key.mid(2));
}

VersieVergelijking VergelijkChecklists(const records::Context &ctx, qint32 nieuwCL_ID, const QString &versieTekst)
{
    VersieVergelijking v;
    const QString voor = QStringLiteral("Checklistposten die in checklistversie ") + versieTekst;
    v.lblGewijzigd = voor + QStringLiteral(" zijn gewijzigd:");
    v.lblToegevoegd = voor + QStringLiteral(" zijn toegevoegd:");
    v.lblVerwijderd = voor + QStringLiteral(" niet meer voorkomen:");

    const checklist::Context clCtx = checklistContext(ctx);
    clsCL nieuw(clCtx);
    nieuw.initializeCL(nieuwCL_ID);
    clsCL oud(clCtx);
    oud.initializeCL(ctx.gintCL_ID);

    schrijfVersieWaarden(v.txtRapGewijzigd, oud, nieuw);
    schrijfItems(v, oud, nieuw);
    {
        records::clsStort stort(ctx);
        stort.initializeStort(ctx.glngStortID);
        schrijfPrijspeil(v.txtRapAct, stort, nieuw);
    }
    schrijfKostenposten(v.txtRapAct, ctx, nieuw);

    leegTekst(v.txtRapAct, "<er hoeven geen aanpassingen worden doorgevoerd>");
    leegTekst(v.txtRapGewijzigd, "<er zijn geen posten gewijzigd in de checklist>");
    leegTekst(v.txtRapToegevoegd, "<er zijn geen posten toegevoegd in de checklist>");
    leegTekst(v.txtRapVerwijderd, "<er zijn geen posten verwijderd uit de checklist>");
    return v;
}

} // namespace checklist
