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

float clsDV::BerekenNCWfactor(std::uint8_t bytOptieFreq, float &tStart, float tEnd, QVariant &jaarEerste,
                              QVariant &jaarLaatste) const
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
        if (tEnd < 0.5f || mintFreqX <= 0) {
            jaarEerste = kNvt;
            jaarLaatste = kNvt;
            break;
        }
        // The walk depends on nothing else: one with the same years and
        // interval, at the same ratio, gives the same figures.
        const bool nieuw = isEmpty(jaarEerste);
        const auto sleutel = std::make_tuple(std::bit_cast<std::uint32_t>(tStart),
                                             std::bit_cast<std::uint32_t>(tEnd), mintFreqX);
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
        const float step = float(mintFreqX);
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

void clsDV::berekenPost(const db::Recordset &rs, ColumnCache &columns, ItemResult &item, QString &strAct, bool &ok)
{
    const ActRow row(rs, &columns);
    strAct = row.text("strAct");
    item.Act_ID = row.value("idrAct_ID").toInt();
    if (row.byte("bytCombineer") == 1) {
        item.NCW = 0;
        return;
    }
    // The facility's name is only needed for a message or a surcharge.
    const auto strObject = [&row] { return row.text("strObject"); };

    // Years.
    const QVariant optStart = row.value("bytOptieStart");
    switch (ActRow::asByte(optStart, "bytOptieStart")) {
    case 1:
        NazJaarEersteUitgave = checkedSingle(float(row.int16("intStartabs")) - kaljaarAN + 1.0f);
        break;
    case 2:
        NazJaarEersteUitgave = float(row.int16("intStartrel"));
        break;
    default:
        raiseOnbekendeCode(QStringLiteral("optie voor het startjaar"), optStart, strObject(), strAct);
    }
    if (row.byte("bytEindBA") == 1) {
        NazJaarLaatsteUitgave = NazJaarEersteUitgave + float(row.int16("intEindBA")) - 1.0f;
    } else {
        const QVariant optEind = row.value("bytOptieEind");
        switch (ActRow::asByte(optEind, "bytOptieEind")) {
        case 1:
            NazJaarLaatsteUitgave = float(row.int16("intEindabs")) - kaljaarAN + 1.0f;
            break;
        case 2:
            NazJaarLaatsteUitgave = float(row.int16("intEindrel"));
            break;
        case 3:
            NazJaarLaatsteUitgave = 1000.0f;
            break;
        default:
            raiseOnbekendeCode(QStringLiteral("optie voor het eindjaar"), optEind, strObject(), strAct);
        }
    }
    if (row.byte("bytStartBA") == 1)
        NazJaarEersteUitgave = NazJaarEersteUitgave + float(row.int16("intStartBA")) - 1.0f;

    // Cost per occurrence.
    const QVariant optKosten = row.value("bytOptieKosten");
    switch (ActRow::asByte(optKosten, "bytOptieKosten")) {
    case 1:
        msngKostenPerKeer = checkedSingle(row.single("sngPercInvest") / 100.0f * row.single("sngKostenInvest"));
        break;
    case 2:
        msngKostenPerKeer = row.single("sngKostenTotaal");
        break;
    case 3:
        msngKostenPerKeer = checkedSingle(row.single("sngAantal") * row.single("sngKostenPE"));
        break;
    default:
        raiseOnbekendeCode(QStringLiteral("optie voor de kosten"), optKosten, strObject(), strAct);
    }

    // Frequency.
    const QVariant optFreq = row.value("bytOptieFreq");
    const std::uint8_t freq = ActRow::asByte(optFreq, "bytOptieFreq");
    switch (freq) {
    case 1:
        mintFreqX = 0;
        break;
    case 2:
    case 3: {
        const QVariant freqX = row.value("intfreqX");
        if (records::isNullValue(freqX))
            throw platform::Error(kErrInvalidUseOfNull, QStringLiteral("Invalid use of Null"),
                                  QStringLiteral("BerekenAlles"));
        mintFreqX = ActRow::asInt16(freqX, "intfreqX");
        if (mintFreqX <= 0) {
            ui::MsgBox(QStringLiteral("Ongeldige frequentie (namelijk: ") + vb::CStr(mintFreqX)
                           + QStringLiteral(") aangetroffen bij kostenpost '") + strAct + QStringLiteral("'. "),
                       ui::Buttons::OK, ui::Icon::Critical,
                       QStringLiteral("Berekening doelvermogen inrichting '") + mstrNaamStort + QStringLiteral("'"));
            ok = false;
        }
        break;
    }
    default:
        raiseOnbekendeCode(QStringLiteral("optie voor de frequentie"), optFreq, strObject(), strAct);
    }

    // Present value.
    float f = BerekenNCWfactor(freq, NazJaarEersteUitgave, NazJaarLaatsteUitgave, item.JaarEerste, item.JaarLaatste);
    if (freq == 2)
        f = mintFreqX > 0 ? checkedSingle(f * float(mintFreqX)) : 0.0f;
    const float X = checkedSingle(f * msngPrijsfactor);
    item.NCWfactorX = X;
    item.NCW = checkedSingle(msngKostenPerKeer * X);

    if (m_gediff) {
        const qint32 type = row.byte("bytTypeVervangingsToeslag");
        if (type != 0) {
            const size_t voor = mcolToeslagen2008.size();
            AppendToeslagen(mcolToeslagen2008, strObject(), strAct, type, msngKostenPerKeer, row.value("sngAantal"), X,
                            row.value("sngVervangingsToeslagPerc"), row.byte("bytRubriek_REF"), cl());
            for (size_t k = voor; k < mcolToeslagen2008.size(); ++k)
                checkedSingle(mcolToeslagen2008[k].ToeslagWaardeNCW);
        }
    }

    // Totals.
    const QVariant vRubriek = row.value("bytRubriek_REF");
    const QVariant vCat = row.value("bytObjectCat_REF");
    const QVariant vIsQOR = row.value("bytIsQOR");
    const int rubriek = ActRow::asByte(vRubriek, "bytRubriek_REF");
    const int cat = ActRow::asByte(vCat, "bytObjectCat_REF");
    const int isQOR = ActRow::asByte(vIsQOR, "bytIsQOR");
    if (rubriek < 1 || rubriek > 6)
        raiseOnbekendeCode(QStringLiteral("rubriek"), vRubriek, strObject(), strAct);
    if (cat < 1 || cat > 7)
        raiseOnbekendeCode(QStringLiteral("objectcategorie"), vCat, strObject(), strAct);
    if (isQOR > 2)
        raiseOnbekendeCode(QStringLiteral("conformiteit"), vIsQOR, strObject(), strAct);
    msngTotaalRubriek[rubriek - 1] = checkedSingle(msngTotaalRubriek[rubriek - 1] + item.NCW);
    msngTotaalObjectCat[cat - 1] = checkedSingle(msngTotaalObjectCat[cat - 1] + item.NCW);
    msngTotaalIsQOR[isQOR] = checkedSingle(msngTotaalIsQOR[isQOR] + item.NCW);
    if (rubriek != 6) {
        msngTotaalObjectCatZonderOverig[cat - 1] = msngTotaalObjectCatZonderOverig[cat - 1] + item.NCW;
        msngTotaalIsQORZonderOverig[isQOR] = msngTotaalIsQORZonderOverig[isQOR] + item.NCW;
    }
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
                                     + QStringLiteral(" x ") + vb::Format(sngRapEvalPerHa, euro)
                                     + QStringLiteral(" = ") + vb::Format(sngRapEvalKostenPerJaar, euro);
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
        return BerekenNCWfactor(2, tStart, 1000.0f, eerste, laatste);
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
    // below; either way once per run, and never kept for another.
    db::Recordset rs = std::move(m_kostenposten);
    QString huidigePost;
    try {
        cl(); // bound to a site
        // A rate of -100 % or less leaves no discount ratio or price factor.
        if (!(1.0f + msngRente > 0.0f) || !(1.0f + msngInflatie > 0.0f)) {
            ui::MsgBox(QStringLiteral("Ongeldige rente (") + vb::Format(msngRente, QStringLiteral("0.00%"))
                           + QStringLiteral(") en/of inflatie (") + vb::Format(msngInflatie, QStringLiteral("0.00%"))
                           + QStringLiteral("): bij -100% of lager kan de contante waarde niet berekend worden.")
                           + QStringLiteral("\r\n") + QStringLiteral("Pas rente- en/of inflatiepercentages aan."),
                       ui::Buttons::OK, ui::Icon::Exclamation, titelAfgebroken);
            return false;
        }

        mdblKortingsfactor = (1.0 + double(msngInflatie)) / (1.0 + double(msngRente));
        msngPrijsfactor =
            checkedSingle(std::pow(double(1.0f + msngInflatie), double(kaljaarAN - float(kaljaarPP))));

        m_gediff = cl().GebruikGedifferentieerdeToeslagB();
        if (!rs.isOpen())
            modVerifyAnSich::openKostenposten(rs, mconData, mlngStort_ID);
        lngAantalRecords = rs.RecordCount();
        m_items.resize(size_t(lngAantalRecords));
        ColumnCache columns;
        for (qint32 i = 0; i < lngAantalRecords; ++i, rs.MoveNext()) {
            berekenPost(rs, columns, m_items[size_t(i)], huidigePost, ok);
        }
        rs.Close();
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
