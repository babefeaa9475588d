#include "screens/frmAct_marking.h"

#include "checklist/clsCL.h"
#include "records/act_completeness.h"

namespace screens::act {

QVariant waarde(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

std::uint8_t codeByte(std::optional<int> code)
{
    return std::uint8_t(code.value_or(0));
}

Markering VerifyEnMarkeer(const ActInvoer &in, const ActRij &rij, checklist::clsCL &cl, bool laterPhase,
                          qint32 kleurAct)
{
    using namespace modVerifyAnSich;
    Markering m;
    bool toetsCL = false;
    if (rij.isQOR != 0) {
        const bool gevonden = !rij.clitemRef.isNull() && cl.GaNaarItem(rij.clitemRef.toInt());
        if (gevonden && in.combineer)
            m.gecombineerd = 1;
        else if (gevonden)
            toetsCL = true;
        else
            m.conform = false;
    }

    if (!m.gecombineerd) {
        const auto groep = [&](int frame, bool compleet, const std::function<bool()> &clToets, bool altijdToetsen) {
            if (compleet) {
                m.frameKleur[frame] = kZwart;
                if ((toetsCL || altijdToetsen) && !clToets()) {
                    m.frameKleur[frame] = kOranje;
                    m.conform = false;
                }
            } else {
                m.frameKleur[frame] = kRood;
                m.compleet = false;
                m.conform = false;
            }
        };
        const std::uint8_t optStart = codeByte(in.optieStart), startBA = in.startBA ? 1 : 0;
        groep(
            1, VerifyJaarStart(optStart, startBA, waarde(in.startAbs), waarde(in.startRel), waarde(in.startBAJaar)),
            [&] {
                return cl.VerifyCL_JaarStart(optStart, startBA, waarde(in.startAbs), waarde(in.startRel),
                                             waarde(in.startBAJaar));
            },
            false);
        if (in.optieFreq.value_or(0) != 1) {
            const std::uint8_t optEind = codeByte(in.optieEind), eindBA = in.eindBA ? 1 : 0;
            groep(
                2, VerifyJaarEind(optEind, eindBA, waarde(in.eindAbs), waarde(in.eindRel), waarde(in.eindBAJaar)),
                [&] {
                    return cl.VerifyCL_JaarEind(optEind, eindBA, waarde(in.eindAbs), waarde(in.eindRel),
                                                waarde(in.eindBAJaar));
                },
                false);
        }
        const std::uint8_t optFreq = codeByte(in.optieFreq);
        groep(
            4, VerifyFreq(optFreq, waarde(in.freqX)), [&] { return cl.VerifyCL_Freq(optFreq, waarde(in.freqX)); },
            false);
        const std::uint8_t optKosten = codeByte(in.optieKosten);
        groep(
            5,
            VerifyKosten(optKosten, waarde(in.kostenPerc), waarde(in.kostenInvest), waarde(in.kostenTotaal),
                         waarde(in.kostenPE), waarde(in.eenheid), waarde(in.aantal)),
            [&] {
                return cl.VerifyCL_Kosten(optKosten, waarde(in.kostenPerc), waarde(in.kostenInvest),
                                          waarde(in.kostenTotaal), waarde(in.kostenPE), waarde(in.eenheid),
                                          waarde(in.aantal));
            },
            false);
        groep(
            0,
            VerifyVervangingsToeslag(cl.GebruikGedifferentieerdeToeslagB(), rij.rubriek,
                                     in.optieToeslag ? QVariant(*in.optieToeslag) : QVariant(), waarde(in.toeslagPerc)),
            [&] {
                return cl.VerifyCL_VervangingsToeslag(rij.rubriek, codeByte(in.optieToeslag), waarde(in.toeslagPerc));
            },
            true);
    }

    m.nodeKleur = m.compleet ? (laterPhase ? kZwart : kleurAct) : kRood;
    if (rij.isQOR != 0)
        m.isQOR = m.conform ? 1 : 2;
    return m;
}

} // namespace screens::act
