#include "reports/frmGevoelAna_rules.h"

#include "reports/rapport_tekst.h"

#include "calc/clsDV.h"
#include "records/clsStort.h"

#include "platform/text/format.h"

namespace reports {

namespace {
const QString kCRLF = QStringLiteral("\r\n");
const float kEigen = -9.0f;

QString perc(float fractie)
{
    return vb::Format(fractie, QStringLiteral("0.00 %"));
}

QString bedrag(float v)
{
    return vb::Format(v, QStringLiteral("€ #,#0"));
}
} // namespace

void SchuifSelectie::muisNeer(int waarde, bool alleenShift)
{
    if (!alleenShift)
        return;
    zichtbaar = true;
    start = waarde;
    lengte = 0;
}

void SchuifSelectie::muisOp(int waarde, bool alleenShift)
{
    if (!alleenShift) {
        zichtbaar = false;
        return;
    }
    if (waarde - start >= 0)
        lengte = waarde - start;
}

std::vector<float> rijTarieven(int start, int lengte, int rijen)
{
    std::vector<float> x;
    if (rijen < kMinRijen || rijen > kMaxRijen || lengte <= 0)
        return x;
    const double stap = (double(lengte) / 200.0) / double(rijen - 1);
    for (int i = 0; i < rijen; ++i)
        x.push_back(float(double(start) / 200.0 + i * stap));
    return x;
}

QString titel()
{
    return QStringLiteral("Gevoeligheidsanalyse");
}

std::optional<Melding> controleer(const GevoeligheidInvoer &invoer)
{
    if (invoer.varieer != Varieer::Alternatief && invoer.selectie.lengte == 0)
        return Melding{QStringLiteral("Stel eerst een range in met de selectieschuif d.m.v. de muis en de "
                                      "SHIFT-toets."),
                       ui::Icon::Information};
    if (invoer.varieer == Varieer::Alternatief
        && (invoer.inflatie.trimmed().isEmpty() || invoer.rente.trimmed().isEmpty()))
        return Melding{QStringLiteral("Voer waarden voor inflatie en rente in."), ui::Icon::Exclamation};
    return std::nullopt;
}

QString tariefFout(const QString &text, bool rente)
{
    if (const std::optional<double> v = vb::TypedNumber(text); v && *v >= 1 && *v <= 8)
        return QString();
    return QStringLiteral("Ongeldige waarde voor ") + (rente ? QStringLiteral("rente") : QStringLiteral("inflatie"))
           + QStringLiteral(" ingevoerd (voer waarde in tussen 1 en 8).");
}

std::optional<GevoeligheidUitkomst> berekenGevoeligheid(const calc::Context &ctx, const GevoeligheidInvoer &invoer)
{
    std::vector<float> tarieven;
    float r = 0, f = 0;
    if (invoer.varieer == Varieer::Alternatief) {
        r = vb::CSng(invoer.rente) / 100.0f;
        f = vb::CSng(invoer.inflatie) / 100.0f;
    } else {
        tarieven = rijTarieven(invoer.selectie.start, invoer.selectie.lengte, invoer.rijen);
        if (tarieven.empty())
            return std::nullopt;
    }

    GevoeligheidUitkomst u;
    u.varieer = invoer.varieer;
    {
        records::clsStort stort(ctx);
        stort.initializeStort(ctx.glngStortID);
        u.rente = stort.rente();
        u.inflatie = stort.inflatie();
    }

    calc::clsDV dv(ctx);
    dv.initializeDV(ctx.glngStortID, kEigen, kEigen);
    if (!dv.VerifyBeforeBerekening2())
        return std::nullopt;
    dv.BerekenAlles();
    u.basis = dv.DoelvermogenZonderRisicoFonds();

    const auto rij = [&](float rente, float inflatie) {
        dv.initializeDV(ctx.glngStortID, rente, inflatie);
        dv.BerekenAlles();
        u.regels.push_back({rente == kEigen ? u.rente : rente, inflatie == kEigen ? u.inflatie : inflatie,
                            dv.DoelvermogenZonderRisicoFonds()});
    };
    if (invoer.varieer == Varieer::Alternatief)
        rij(r, f);
    for (float x : tarieven)
        invoer.varieer == Varieer::Rente ? rij(x, kEigen) : rij(kEigen, x);
    return u;
}

QString percHoger(float doelvermogen, float basis)
{
    // Without a base amount there is no share to show.
    if (basis == 0.0f)
        return QStringLiteral("nvt");
    return vb::Format((doelvermogen - basis) / basis, QStringLiteral("0.0 %"));
}

void schrijfGevoeligheid(const GevoeligheidUitkomst &u, RapportTekst &rap)
{
    rap.SelBold(true);
    rap.SelText(QStringLiteral("Rapportage gevoeligheidsanalyse") + kCRLF + kCRLF);
    rap.SelBold(false);
    rap.SelText(QStringLiteral("Uitgangssituatie: totaal A+B+C (reguliere nazorgactiviteiten) bij rente van ")
                + perc(u.rente) + QStringLiteral(" en inflatie van ") + perc(u.inflatie) + QStringLiteral(": ")
                + bedrag(u.basis) + kCRLF + kCRLF);

    if (u.varieer == Varieer::Alternatief) {
        rap.SelTabCount(1);
        rap.SelTabs(0, 8);
        for (const GevoeligheidRegel &r : u.regels) {
            rap.SelText(QStringLiteral("Bij rente van ") + perc(r.rente) + QStringLiteral(" en inflatie van ")
                        + perc(r.inflatie) + QStringLiteral(": ") + kCRLF + kCRLF);
            rap.SelText(QStringLiteral("doelvermogen\t% hoger dan uitgangssituatie") + kCRLF);
            rap.SelText(bedrag(r.doelvermogen) + QLatin1Char('\t') + percHoger(r.doelvermogen, u.basis) + kCRLF);
        }
        return;
    }

    const bool rente = u.varieer == Varieer::Rente;
    rap.SelTabCount(2);
    rap.SelTabs(0, 2);
    rap.SelTabs(1, 6);
    rap.SelText((rente ? QStringLiteral("rente") : QStringLiteral("inflatie"))
                + QStringLiteral("\tdoelvermogen\t% hoger dan uitgangssituatie") + kCRLF + kCRLF);
    for (const GevoeligheidRegel &r : u.regels)
        rap.SelText(perc(rente ? r.rente : r.inflatie) + QLatin1Char('\t') + bedrag(r.doelvermogen) + QLatin1Char('\t')
                    + percHoger(r.doelvermogen, u.basis) + kCRLF);
}

} // namespace reports
