// clsDV: the net present value of every cost item, the totals and the
// capitalised general costs.

#include "calc/clsDV.h"

#include "calc/dv_values.h"
#include "calc/verify_ansich.h"

#include "records/field_read.h"

#include "platform/core/error.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

#include <bit>
#include <cmath>
#include <limits>

namespace calc {

namespace {

const QString kNvt = QStringLiteral("nvt");

bool isEmpty(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

float wholeYear(double x)
{
    return float(std::floor(x));
}

bool geldigTarief(float tarief)
{
    return std::isfinite(tarief) && 1.0f + tarief > 0.0f;
}

// Exponents remembered: the half and whole years from -kMachtBereik to
// kMachtBereik, two slots a year.
constexpr int kMachtBereik = 1100;

} // namespace

void clsDV::zelfdeGrondtal() const
{
    if (m_machten.empty() || m_machtGrondtal != mdblKortingsfactor) {
        m_machten.assign(size_t(4 * kMachtBereik + 1), std::numeric_limits<double>::quiet_NaN());
        m_reeksen.clear();
        m_machtGrondtal = mdblKortingsfactor;
    }
}

double clsDV::macht(double exponent) const
{
    const double d = mdblKortingsfactor;
    const double twee = exponent * 2.0;
    if (!(twee >= -2.0 * kMachtBereik && twee <= 2.0 * kMachtBereik))
        return std::pow(d, exponent);
    const int slot = int(twee);
    if (double(slot) != twee)
        return std::pow(d, exponent);
    zelfdeGrondtal();
    double &m = m_machten[size_t(slot + 2 * kMachtBereik)];
    if (std::isnan(m))
        m = std::pow(d, exponent);
    return m;
}

float clsDV::BerekenNCWfactor(std::uint8_t bytOptieFreq, qint16 intFreqX, float &tStart, float tEnd,
                              QVariant &jaarEerste, QVariant &jaarLaatste) const
{
    const double d = mdblKortingsfactor;
    float factor = 0;
    switch (bytOptieFreq) {
    case 1:
        jaarLaatste = QStringLiteral("-");
        if (tStart < 0.5f) {
            jaarEerste = kNvt;
        } else {
            jaarEerste = wholeYear(double(tStart) + 0.5);
            factor = checkedSingle(macht(double(tStart) - 0.5));
        }
        break;
    case 2: {
        while (tStart < 0.5f)
            tStart = tStart + 1.0f;
        if (tEnd < tStart) {
            jaarEerste = kNvt;
            jaarLaatste = kNvt;
            break;
        }
        jaarEerste = wholeYear(double(tStart) + 0.5);
        jaarLaatste = wholeYear(double(tEnd) + 0.5);
        const float span = tEnd - tStart + 1.0f;
        const int n = vb::CInt(std::floor(double(span)));
        if (d == 1.0)
            factor = float(n);
        else
            factor = checkedSingle(macht(double(tStart) - 0.5) * (1.0 - macht(double(n))) / (1.0 - d));
        break;
    }
    case 3: {
        // An interval of 0 or less has been reported by the caller; it has
        // no outlays (and must not walk).
        if (tEnd < 0.5f || intFreqX <= 0) {
            jaarEerste = kNvt;
            jaarLaatste = kNvt;
            break;
        }
        // The walk depends on nothing else: one with the same years and
        // interval, at the same ratio, gives the same figures.
        const bool nieuw = isEmpty(jaarEerste);
        const auto sleutel =
            std::make_tuple(std::bit_cast<std::uint32_t>(tStart), std::bit_cast<std::uint32_t>(tEnd), intFreqX);
        if (nieuw) {
            zelfdeGrondtal();
            const auto it = m_reeksen.find(sleutel);
            if (it != m_reeksen.end()) {
                jaarEerste = it->second.jaarEerste;
                jaarLaatste = it->second.jaarLaatste;
                factor = it->second.factor;
                break;
            }
        }
        const float step = float(intFreqX);
        bool eersteGezet = !nieuw;
        bool gelopen = false;
        float laatsteT = 0;
        for (float t = tStart; t <= tEnd; t = t + step) {
            if (t > 0.0f) {
                if (!eersteGezet) {
                    jaarEerste = wholeYear(double(t));
                    eersteGezet = true;
                }
                factor = checkedSingle(double(factor) + macht(double(t) - 0.5));
            }
            laatsteT = t;
            gelopen = true;
        }
        const float laatste = gelopen ? wholeYear(double(laatsteT)) : 0.0f; // no pass: counts as below 1
        if (laatste < 1.0f) {
            jaarEerste = kNvt;
            jaarLaatste = kNvt;
        } else {
            jaarLaatste = laatste;
        }
        if (nieuw)
            m_reeksen.emplace(sleutel, Reeks{factor, jaarEerste, jaarLaatste});
        break;
    }
    default:
        break;
    }
    return factor;
}

clsDV::PostResultaat clsDV::berekenPost(const Kostenpost &row, const QString &strAct) const
{
    PostResultaat r;
    ItemResult &item = r.item;
    item.Act_ID = row.value(Veld::idrAct_ID).toInt();
    if (row.byte(Veld::bytCombineer) == 1) {
        item.NCW = 0;
        return r;
    }
    // The facility's name is only needed for a message or a surcharge.
    const auto strObject = [&row] { return row.text(Veld::strObject); };

    // Years.
    float &tStart = r.jaarEerste;
    float &tEnd = r.jaarLaatste;
    switch (row.byte(Veld::bytOptieStart)) {
    case 1:
        tStart = checkedSingle(float(row.int16(Veld::intStartabs)) - kaljaarAN + 1.0f);
        break;
    case 2:
        tStart = float(row.int16(Veld::intStartrel));
        break;
    default:
        raiseOnbekendeCode(QStringLiteral("optie voor het startjaar"), row.value(Veld::bytOptieStart), strObject(),
                           strAct);
    }
    if (row.byte(Veld::bytEindBA) == 1) {
        tEnd = tStart + float(row.int16(Veld::intEindBA)) - 1.0f;
    } else {
        switch (row.byte(Veld::bytOptieEind)) {
        case 1:
            tEnd = float(row.int16(Veld::intEindabs)) - kaljaarAN + 1.0f;
            break;
        case 2:
            tEnd = float(row.int16(Veld::intEindrel));
            break;
        case 3:
            tEnd = 1000.0f;
            break;
        default:
            raiseOnbekendeCode(QStringLiteral("optie voor het eindjaar"), row.value(Veld::bytOptieEind), strObject(),
                               strAct);
        }
    }
    if (row.byte(Veld::bytStartBA) == 1)
        tStart = tStart + float(row.int16(Veld::intStartBA)) - 1.0f;

    // Cost per occurrence.
    float kostenPerKeer = 0;
    switch (row.byte(Veld::bytOptieKosten)) {
    case 1:
        kostenPerKeer = checkedSingle(row.single(Veld::sngPercInvest) / 100.0f * row.single(Veld::sngKostenInvest));
        break;
    case 2:
        kostenPerKeer = row.single(Veld::sngKostenTotaal);
        break;
    case 3:
        kostenPerKeer = checkedSingle(row.single(Veld::sngAantal) * row.single(Veld::sngKostenPE));
        break;
    default:
        raiseOnbekendeCode(QStringLiteral("optie voor de kosten"), row.value(Veld::bytOptieKosten), strObject(),
                           strAct);
    }

    // Frequency.
    const std::uint8_t freq = row.byte(Veld::bytOptieFreq);
    qint16 freqX = 0;
    switch (freq) {
    case 1:
        break;
    case 2:
    case 3: {
        if (row.isNull(Veld::intfreqX))
            throw platform::Error(kErrInvalidUseOfNull, QStringLiteral("Invalid use of Null"),
                                  QStringLiteral("BerekenAlles"));
        freqX = row.int16(Veld::intfreqX);
        if (freqX <= 0) {
            ui::MsgBox(QStringLiteral("Ongeldige frequentie (namelijk: ") + vb::CStr(freqX)
                           + QStringLiteral(") aangetroffen bij kostenpost '") + strAct + QStringLiteral("'. "),
                       ui::Buttons::OK, ui::Icon::Critical,
                       QStringLiteral("Berekening doelvermogen inrichting '") + mstrNaamStort + QStringLiteral("'"));
            r.melding = true;
        }
        break;
    }
    default:
        raiseOnbekendeCode(QStringLiteral("optie voor de frequentie"), row.value(Veld::bytOptieFreq), strObject(),
                           strAct);
    }

    // Present value.
    float f = BerekenNCWfactor(freq, freqX, tStart, tEnd, item.JaarEerste, item.JaarLaatste);
    if (freq == 2)
        f = freqX > 0 ? checkedSingle(f * float(freqX)) : 0.0f;
    const float X = checkedSingle(f * msngPrijsfactor);
    item.NCWfactorX = X;
    item.NCW = checkedSingle(kostenPerKeer * X);

    if (m_gediff) {
        const qint32 type = row.byte(Veld::bytTypeVervangingsToeslag);
        if (type != 0) {
            AppendToeslagen(r.toeslagen, strObject(), strAct, type, kostenPerKeer, row.value(Veld::sngAantal), X,
                            row.value(Veld::sngVervangingsToeslagPerc), row.byte(Veld::bytRubriek_REF), cl());
            for (const clsToeslag2008 &t : r.toeslagen)
                checkedSingle(t.ToeslagWaardeNCW);
        }
    }

    // Where it counts.
    const int rubriek = row.byte(Veld::bytRubriek_REF);
    const int cat = row.byte(Veld::bytObjectCat_REF);
    const int isQOR = row.byte(Veld::bytIsQOR);
    if (rubriek < 1 || rubriek > 6)
        raiseOnbekendeCode(QStringLiteral("rubriek"), row.value(Veld::bytRubriek_REF), strObject(), strAct);
    if (cat < 1 || cat > 7)
        raiseOnbekendeCode(QStringLiteral("objectcategorie"), row.value(Veld::bytObjectCat_REF), strObject(), strAct);
    if (isQOR > 2)
        raiseOnbekendeCode(QStringLiteral("conformiteit"), row.value(Veld::bytIsQOR), strObject(), strAct);
    r.telt = true;
    r.rubriek = std::uint8_t(rubriek);
    r.objectCat = std::uint8_t(cat);
    r.isQOR = std::uint8_t(isQOR);
    return r;
}

void clsDV::telOp(const PostResultaat &r)
{
    const float ncw = r.item.NCW;
    const size_t rubriek = r.rubriek - 1u, cat = r.objectCat - 1u, isQOR = r.isQOR;
    msngTotaalRubriek[rubriek] = checkedSingle(msngTotaalRubriek[rubriek] + ncw);
    msngTotaalObjectCat[cat] = checkedSingle(msngTotaalObjectCat[cat] + ncw);
    msngTotaalIsQOR[isQOR] = checkedSingle(msngTotaalIsQOR[isQOR] + ncw);
    if (r.rubriek != 6) {
        msngTotaalObjectCatZonderOverig[cat] = msngTotaalObjectCatZonderOverig[cat] + ncw;
        msngTotaalIsQORZonderOverig[isQOR] = msngTotaalIsQORZonderOverig[isQOR] + ncw;
    }
    mcolToeslagen2008.insert(mcolToeslagen2008.end(), r.toeslagen.begin(), r.toeslagen.end());
    NazJaarEersteUitgave = r.jaarEerste;
    NazJaarLaatsteUitgave = r.jaarLaatste;
}

void clsDV::zetRapEvalKosten(bool &ok)
{
    const QString euro = QStringLiteral("€ #,##0");
    switch (bytOptieRapEval) {
    case 0:
        sngRapEvalKostenPerJaar = 0;
        rapRapEvalKostenCalculatie = QStringLiteral("?");
        ui::MsgBox(QStringLiteral("De kosten voor rapportage/evaluatie zijn niet correct ingesteld. Controleer uw "
                                  "invoer via menu 'Invoer' -> 'Toeslagen nazorgfase', tabblad 'Algemene "
                                  "nazorgkosten'."),
                   ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Algemene toeslag rapportage/evaluatie"));
        ok = false;
        break;
    case 1:
        sngRapEvalKostenPerJaar = sngRapEvalMin;
        rapRapEvalKostenCalculatie = vb::Format(sngRapEvalKostenPerJaar, euro);
        break;
    case 2: {
        const float clMin = cl().sngRapEvalMin();
        const float ha = sngNazorgOpp - 10.0f;
        sngRapEvalKostenPerJaar = checkedSingle(clMin + ha * sngRapEvalPerHa);
        rapRapEvalKostenCalculatie = vb::Format(clMin, euro) + QStringLiteral(" + ") + vb::CStr(ha)
                                     + QStringLiteral(" x ") + vb::Format(sngRapEvalPerHa, euro) + QStringLiteral(" = ")
                                     + vb::Format(sngRapEvalKostenPerJaar, euro);
        break;
    }
    case 3:
        sngRapEvalKostenPerJaar = sngRapEvalMax;
        rapRapEvalKostenCalculatie = vb::Format(sngRapEvalKostenPerJaar, euro);
        break;
    default:
        break;
    }
}

void clsDV::kapitaliseer()
{
    // Once a year from year 1 to year 1000, computed afresh for each product.
    const auto F = [this] {
        float tStart = 1.0f;
        QVariant eerste, laatste;
        return BerekenNCWfactor(2, 0, tStart, 1000.0f, eerste, laatste);
    };
    sngRapEvalKostenKAP = checkedSingle(F() * sngRapEvalKostenPerJaar * msngPrijsfactor);
    sngCommunicatieKostenKAP = checkedSingle(F() * sngCommunicatieKostenPerJaar * msngPrijsfactor);
    sngAppKostenBasisKAP = checkedSingle(F() * sngAppKostenBasisPerJaar * msngPrijsfactor);
    sngAppKostenTotaalKAP = checkedSingle(AppKostenVariabelKAP() + sngAppKostenBasisKAP);
}

bool clsDV::BerekenAlles()
{
    bool ok = true;
    msngTotaalRubriek.fill(0);
    msngTotaalObjectCat.fill(0);
    msngTotaalIsQOR.fill(0);
    msngTotaalObjectCatZonderOverig.fill(0);
    msngTotaalIsQORZonderOverig.fill(0);
    m_items.clear();
    m_itemIndex.clear();
    lngAantalRecords = 0;
    // The surcharge records belong to one run: a second run on the same
    // binding must not count them twice.
    mcolToeslagen2008.clear();
    sngRapEvalKostenKAP = sngCommunicatieKostenKAP = sngAppKostenBasisKAP = sngAppKostenTotaalKAP = 0;

    const QString titelAfgebroken =
        QStringLiteral("Doelvermogenberekening inrichting '") + mstrNaamStort + QStringLiteral("' afgebroken");

    // The rows that VerifyBeforeBerekening2 has just checked, else read
    // below; either way once per run, and never kept for another. The
    // report view may be made of those of a run that went through
    // (rijenBerekening).
    struct Sluit {
        Kostenposten &posten;
        ~Sluit() { posten.close(); }
    } sluit{m_kostenposten};
    m_rijenBerekend.Close();
    QString huidigePost;
    try {
        cl(); // bound to a site
        // A rate of -100 % or less, or one that is no finite number, leaves
        // no discount ratio or price factor.
        if (!geldigTarief(msngRente) || !geldigTarief(msngInflatie)) {
            ui::MsgBox(QStringLiteral("Ongeldige rente (") + vb::Format(msngRente, QStringLiteral("0.00%"))
                           + QStringLiteral(") en/of inflatie (") + vb::Format(msngInflatie, QStringLiteral("0.00%"))
                           + QStringLiteral("): bij -100% of lager kan de contante waarde niet berekend worden.")
                           + QStringLiteral("\r\n") + QStringLiteral("Pas rente- en/of inflatiepercentages aan."),
                       ui::Buttons::OK, ui::Icon::Exclamation, titelAfgebroken);
            return false;
        }

        mdblKortingsfactor = (1.0 + double(msngInflatie)) / (1.0 + double(msngRente));
        msngPrijsfactor = checkedSingle(std::pow(double(1.0f + msngInflatie), double(kaljaarAN - float(kaljaarPP))));

        m_gediff = cl().GebruikGedifferentieerdeToeslagB();
        if (!m_kostenposten.isOpen())
            m_kostenposten.open(mconData, mlngStort_ID);
        lngAantalRecords = m_kostenposten.size();
        m_items.resize(size_t(lngAantalRecords));
        for (qint32 i = 0; i < lngAantalRecords; ++i) {
            const Kostenpost &post = m_kostenposten[i];
            huidigePost = post.text(Veld::strAct); // for the message of an error
            PostResultaat r = berekenPost(post, huidigePost);
            if (r.melding)
                ok = false;
            if (r.telt)
                telOp(r);
            m_items[size_t(i)] = std::move(r.item);
        }
        m_rijenBerekend = m_kostenposten.recordset().Clone();
        m_kostenposten.close();
        huidigePost = QStringLiteral("algemene kosten");
        zetRapEvalKosten(ok);
        kapitaliseer();
    } catch (const platform::Error &e) {
        if (e.number() == kErrOverflow) {
            ui::MsgBox(QStringLiteral("Overloop bij berekening van de contante waarde voor kostenpost '") + huidigePost
                           + QStringLiteral("'. ") + QStringLiteral("\r\n")
                           + QStringLiteral("Pas rente- en/of inflatiepercentages aan of controleer de gegevens van "
                                            "deze post"),
                       ui::Buttons::OK, ui::Icon::Exclamation, titelAfgebroken);
        } else {
            ui::MsgBox(e.description(), ui::Buttons::OK, ui::Icon::Critical,
                       QStringLiteral("Fout bij berekening: ") + QString::number(e.number()) + QStringLiteral(" '")
                           + mstrNaamStort + QStringLiteral("'"));
        }
        return false;
    }
    return ok;
}

} // namespace calc
