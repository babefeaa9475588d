#include "calc/clsToeslag2008.h"

#include "checklist/clsCL.h"
#include "records/field_read.h"

#include "platform/core/error.h"
#include "platform/text/format.h"

namespace calc {

namespace {

float singleOrZero(const QVariant &v)
{
    return records::isNullValue(v) ? 0.0f : records::toSingle(v, QStringLiteral("AppendToeslagen"));
}

clsToeslag2008 record(float NCWfactorX, float waarde, const QString &tekst, std::uint8_t isQOR)
{
    clsToeslag2008 t;
    t.ToeslagWaardeNCWfactor = NCWfactorX;
    t.ToeslagWaarde = waarde;
    t.ToeslagWaardeNCW = NCWfactorX * waarde;
    t.ToeslagTekst = tekst;
    t.IsQOR = isQOR;
    return t;
}

} // namespace

float OntwerpBedragBovenafdichting(float area)
{
    struct Step {
        float below;
        float amount;
    };
    static const Step steps[] = {{150000, 110000}, {200000, 120000}, {250000, 130000}, {300000, 135000},
                                 {350000, 140000}, {400000, 145000}, {450000, 150000}, {500000, 155000}};
    for (const Step &s : steps)
        if (area < s.below)
            return s.amount;
    return 160000;
}

float PercDirectieBovenafdichting(float area)
{
    if (area < 200000)
        return 6.5f;
    if (area < 300000)
        return 6.3f;
    if (area < 400000)
        return 6.2f;
    return 6.0f;
}

void AppendToeslagen(ToeslagenLijst &col, const QString &strObject, const QString &strAct, qint32 type, float kosten,
                     const QVariant &aantal, float NCWfactorX, const QVariant &perc, std::uint8_t bytRubriek,
                     const checklist::clsCL &cl)
{
    const QString kop = QStringLiteral("'") + strObject + QStringLiteral(": ") + strAct + QStringLiteral("'");
    switch (type) {
    case 0:
        return;
    case 1: {
        const float area = singleOrZero(aantal);
        const QString opp = vb::Format(area, QStringLiteral("#,#")) + QStringLiteral(" m2");
        col.push_back(record(NCWfactorX, OntwerpBedragBovenafdichting(area),
                             kop + QStringLiteral(" (bovenafd. (ontwerp), ") + opp + QStringLiteral(")"), 1));
        const float p = PercDirectieBovenafdichting(area);
        col.push_back(record(NCWfactorX, p / 100.0f * kosten,
                             kop + QStringLiteral(" (bovenafd. (directievoering/toezicht), ") + opp
                                 + QStringLiteral("; ") + vb::Format(p, QStringLiteral("0.0")) + QStringLiteral("%)"),
                             1));
        return;
    }
    case 2:
    case 3: {
        const float p = singleOrZero(perc);
        const QString soort = type == 2 ? QStringLiteral(" (groot werk, ") : QStringLiteral(" (klein werk, ");
        const bool conform = cl.VerifyCL_VervangingsToeslag(bytRubriek, std::uint8_t(type), perc);
        col.push_back(record(NCWfactorX, p / 100.0f * kosten,
                             kop + soort + vb::Format(p, QStringLiteral("0.0#")) + QStringLiteral("%)"),
                             conform ? 1 : 2));
        return;
    }
    default:
        throw platform::Error(kErrOnbekendeToeslag,
                              QStringLiteral("Onbekende soort vervangingstoeslag (") + QString::number(type)
                                  + QStringLiteral(") bij kostenpost ") + kop + QStringLiteral("."),
                              QStringLiteral("Onbekende conditie in AppendToeslagen"));
    }
}

} // namespace calc
