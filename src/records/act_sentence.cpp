#include "records/act_sentence.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/text/conversions.h"
#include "platform/text/number_format.h"
#include "platform/text/number_parse.h"
#include "platform/text/number_text.h"
#include "platform/text/variant_text.h"

#include <QMetaType>
#include <cmath>
#include <limits>
#include <optional>

namespace records {

namespace {

const QString kSource = QStringLiteral("clsAct.BeschrijvingInZin");

platform::Error invalidUseOfNull()
{
    return platform::Error(vb::kErrInvalidUseOfNull, QStringLiteral("Invalid use of Null"), kSource);
}

platform::Error overflow()
{
    return platform::Error(vb::kErrOverflow, QStringLiteral("Overflow"), kSource);
}

bool isNull(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

// A field as a Single; nullopt for Null (or a text that is no number).
std::optional<float> single(const QVariant &v)
{
    if (isNull(v))
        return std::nullopt;
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString();
        if (!vb::IsNumeric(text))
            return std::nullopt;
        return vb::CSng(text);
    }
    return v.toFloat();
}

// A year or count that the sentence calculates with: a 16-bit whole number.
qint16 whole(const QVariant &v)
{
    if (isNull(v))
        throw invalidUseOfNull();
    if (v.typeId() == QMetaType::QString)
        return static_cast<qint16>(vb::CInt(v.toString()));
    return static_cast<qint16>(vb::CInt(v.toDouble()));
}

qint16 checked16(int value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw overflow();
    return static_cast<qint16>(value);
}

// A value joined into a text: its default text; Null joins as nothing.
QString joined(const QVariant &v)
{
    return vb::CStr(v);
}

// A whole number held in a Single (Int(x) of a Single), as text.
QString wholeText(float value)
{
    return vb::CStr(static_cast<float>(std::floor(value)));
}

// Format of a value that may be Null: a Null formats as nothing.
QString formatted(std::optional<float> value, const QString &picture)
{
    return value ? vb::Format(*value, picture) : QString();
}

// The offset (years from the start of after-care) of the first outlay at or
// after the start, for an outlay at offset t before it.
float eersteUitgaveInNazorg(float t, qint32 bytOptieFreq, float interval)
{
    switch (bytOptieFreq) {
    case 2:
        while (t < 0)
            t = t + 1.0f;
        return t;
    case 3:
        // The caller makes sure the interval is at least one year.
        while (t < 0)
            t = t + interval;
        return t;
    default:
        return 0;
    }
}

const QString kNaAanleg = QStringLiteral("e jr na aanleg bovenafd");
const QString kNietOpgenomen =
    QStringLiteral("Uitgaven voor datum aanvang nazorg worden niet opgenomen in de doelvermogenberekening. ");

} // namespace

float pfunJaarNaAanvangNazorg(qint16 jaar, float sngJaarAanvangNazorg)
{
    const float midden = static_cast<float>(jaar) + 0.5f;
    return midden - sngJaarAanvangNazorg;
}

qint16 pfunNazorgjaar(qint16 jaar, float sngJaarAanvangNazorg)
{
    const float j = pfunJaarNaAanvangNazorg(jaar, sngJaarAanvangNazorg) + 1.0f;
    return checked16(static_cast<int>(std::floor(j)));
}

ActSentenceRow actSentenceRow(const std::function<QVariant(const QString &)> &field)
{
    ActSentenceRow row;
    row.intStartabs = field(QStringLiteral("intStartabs"));
    row.intStartrel = field(QStringLiteral("intStartrel"));
    row.intStartBA = field(QStringLiteral("intStartBA"));
    row.intEindabs = field(QStringLiteral("intEindabs"));
    row.intEindrel = field(QStringLiteral("intEindrel"));
    row.intEindBA = field(QStringLiteral("intEindBA"));
    row.intfreqX = field(QStringLiteral("intfreqX"));
    row.strAct = field(QStringLiteral("strAct"));
    row.sngPercInvest = field(QStringLiteral("sngPercInvest"));
    row.sngKostenInvest = field(QStringLiteral("sngKostenInvest"));
    row.sngKostenTotaal = field(QStringLiteral("sngKostenTotaal"));
    row.sngKostenPE = field(QStringLiteral("sngKostenPE"));
    row.sngAantal = field(QStringLiteral("sngAantal"));
    return row;
}

QString BeschrijvingInZin(const ActSentenceRow &row, float sngJaarAanvangNazorg, qint32 bytCombineer,
                          bool blnVerifyAnSichOK, qint32 bytTypeJaarStart, qint32 bytTypeJaarEind,
                          std::uint8_t bytOptieKosten, qint32 bytOptieFreq, qint32 bytStartBA, qint32 bytEindBA)
{
    if (bytCombineer == 1)
        return QStringLiteral(
            "De kostenpost wordt ondergebracht in de daartoe bestemde combinatiekostenpost uit de QOR-checklist.");
    const QString vulIn = QStringLiteral("Vul de kostenpost volledig in. Controleer de rood gemarkeerde kentallen.");
    if (!blnVerifyAnSichOK)
        return vulIn;

    const float A = sngJaarAanvangNazorg;
    const std::optional<float> freqX = single(row.intfreqX);
    // Stepping back to the start of after-care by an interval below one
    // year would never end (or never move): such an item is not complete.
    if (bytOptieFreq == 3 && !(freqX && *freqX >= 1.0f))
        return vulIn;

    // A once-only item has no end.
    const qint32 eindOptie = bytOptieFreq == 1 ? 3 : bytTypeJaarEind;
    const qint32 eindBA = bytOptieFreq == 1 ? 0 : bytEindBA;

    QString startTekst, voorStartTekst, restTekst, aanloop, eindTekst, freqTekst, kostenTekst;
    // The first outlay in after-care terms. A calendar start at or after the
    // start of after-care leaves the first-year value at 0 (an end before
    // after-care is then reported as over before it begins); its own
    // after-care year tells whether the item ends before its first outlay
    // and how many outlays fit before its end.
    float eersteJaar = 0;
    std::optional<float> kalenderNazorgjaar;
    float laatsteJaar = 0;
    bool startVoor = false;
    bool eindVoor = false;

    // Start.
    auto vroegeStart = [&](float d) {
        startVoor = true;
        const float t = eersteUitgaveInNazorg(d, bytOptieFreq, freqX.value_or(0));
        eersteJaar = t;
        startTekst = QStringLiteral("juli ") + wholeText(A + t) + QStringLiteral(" (valt in nazorgjaar ")
                     + wholeText(t + 1.0f) + QStringLiteral(")");
    };
    auto jarenVoor = [&](float d) { return vb::CStr(vb::Round(static_cast<double>(-d), 3)); };

    if (bytStartBA == 0) {
        if (bytTypeJaarStart == 1) {
            const qint16 y = whole(row.intStartabs);
            const float d = pfunJaarNaAanvangNazorg(y, A);
            if (d >= 0) {
                const qint16 n = pfunNazorgjaar(y, A);
                startTekst = QStringLiteral("juli ") + vb::CStr(y) + QStringLiteral(" (nazorgjaar ") + vb::CStr(n)
                             + QStringLiteral(")");
                kalenderNazorgjaar = n;
            } else {
                vroegeStart(d);
                voorStartTekst = QStringLiteral("De eerste uitgave in juli ") + vb::CStr(y) + QStringLiteral(" ligt ")
                                 + jarenVoor(d) + QStringLiteral(" jr voor de datum aanvang nazorg. ") + kNietOpgenomen;
            }
        } else if (bytTypeJaarStart == 2) {
            eersteJaar = whole(row.intStartrel);
            startTekst = QStringLiteral("nazorgjaar ") + vb::CStr(eersteJaar);
        }
    } else if (bytStartBA == 1) {
        if (bytTypeJaarStart == 1) {
            const qint16 aanleg = whole(row.intStartabs);
            const qint16 y = checked16(aanleg + whole(row.intStartBA) - 1);
            const float d = pfunJaarNaAanvangNazorg(y, A);
            if (d >= 0) {
                const qint16 n = pfunNazorgjaar(y, A);
                startTekst = joined(row.intStartBA) + kNaAanleg + QStringLiteral(" (valt in ") + vb::CStr(y)
                             + QStringLiteral(" = nazorgjaar ") + vb::CStr(n) + QStringLiteral(")");
                kalenderNazorgjaar = n;
            } else {
                vroegeStart(d);
                voorStartTekst = QStringLiteral("De bovenafdichting wordt aangelegd in ") + vb::CStr(aanleg)
                                 + QStringLiteral(". De eerste uitgave in juli ") + vb::CStr(y)
                                 + QStringLiteral(" ligt ") + jarenVoor(d)
                                 + QStringLiteral(" jaar voor de datum aanvang nazorg. ") + kNietOpgenomen;
            }
        } else if (bytTypeJaarStart == 2) {
            eersteJaar = checked16(whole(row.intStartrel) + whole(row.intStartBA) - 1);
            startTekst = joined(row.intStartBA) + kNaAanleg + QStringLiteral(" (valt in nazorgjaar ")
                         + vb::CStr(eersteJaar) + QStringLiteral(")");
        }
    }

    const float eersteNazorgjaar = kalenderNazorgjaar.value_or(eersteJaar);

    // End.
    if (eindBA == 0) {
        if (eindOptie == 1) {
            const qint16 z = whole(row.intEindabs);
            const qint16 n = pfunNazorgjaar(z, A);
            laatsteJaar = n;
            if (pfunJaarNaAanvangNazorg(z, A) >= 0)
                eindTekst = QStringLiteral(" t/m ") + vb::CStr(z) + QStringLiteral(" (nazorgjaar ") + vb::CStr(n)
                            + QStringLiteral(") vindt ");
            else
                eindVoor = true;
        } else if (eindOptie == 2) {
            laatsteJaar = whole(row.intEindrel);
            eindTekst = QStringLiteral(" t/m nazorgjaar ") + vb::CStr(laatsteJaar) + QStringLiteral(" vindt ");
        } else if (eindOptie == 3) {
            laatsteJaar = 10000;
            eindTekst = bytOptieFreq == 1 ? QString() : QStringLiteral(" vindt ");
        }
    } else if (eindBA == 1) {
        if (bytTypeJaarStart == 1) {
            const qint16 z = checked16(whole(row.intStartabs) + whole(row.intEindBA) - 1);
            const qint16 n = pfunNazorgjaar(z, A);
            laatsteJaar = n;
            if (pfunJaarNaAanvangNazorg(z, A) >= 0) {
                if (startVoor) {
                    restTekst = QStringLiteral("Vanaf aanvang nazorg resteert derhalve nog een periode van ")
                                + vb::CStr(laatsteJaar)
                                + QStringLiteral(" jaar waarin deze kostenpost van toepassing is. ");
                    eindTekst = QStringLiteral(" t/m nazorgjaar ") + vb::CStr(laatsteJaar) + QStringLiteral(" (= ")
                                + joined(row.intEindBA) + kNaAanleg + QStringLiteral(", valt in ") + vb::CStr(z)
                                + QStringLiteral(") vindt ");
                } else {
                    eindTekst = QStringLiteral(" t/m ") + joined(row.intEindBA) + kNaAanleg
                                + QStringLiteral(" (valt in ") + vb::CStr(z) + QStringLiteral(" = nazorgjaar ")
                                + vb::CStr(laatsteJaar) + QStringLiteral(") vindt ");
                }
            } else {
                eindVoor = true;
            }
        } else if (bytTypeJaarStart == 2) {
            laatsteJaar = checked16(whole(row.intStartrel) + whole(row.intEindBA) - 1);
            eindTekst = QStringLiteral(" t/m ") + joined(row.intEindBA) + kNaAanleg
                        + QStringLiteral(" (valt in nazorgjaar ") + vb::CStr(laatsteJaar) + QStringLiteral(") vindt ");
        }
    }

    // Frequency.
    const QString naam = joined(row.strAct);
    const QString uitgave = QStringLiteral("een uitgave aan '") + naam + QStringLiteral("' plaats. ");
    const bool eenKeer = freqX && *freqX == 1.0f;
    switch (bytOptieFreq) {
    case 1:
        aanloop = QStringLiteral("In ");
        freqTekst = QStringLiteral(" vindt eenmalig ") + uitgave;
        break;
    case 2:
        aanloop = QStringLiteral("Vanaf ");
        freqTekst = eenKeer ? QStringLiteral("jaarlijks ") + uitgave
                            : joined(row.intfreqX) + QStringLiteral(" x per jaar ") + uitgave;
        break;
    case 3:
        aanloop = QStringLiteral("Vanaf ");
        freqTekst = eenKeer ? QStringLiteral("ieder jaar ") + uitgave
                            : QStringLiteral("iedere ") + joined(row.intfreqX) + QStringLiteral(" jaar ") + uitgave;
        break;
    default:
        break;
    }

    // From the first year of after-care on.
    if (bytOptieFreq != 1 && bytStartBA == 0 && bytTypeJaarStart == 2 && eersteJaar == 1.0f) {
        if (bytTypeJaarEind == 3 && eindBA == 0) {
            startTekst = QStringLiteral("Gedurende de gehele nazorgperiode vindt ");
            eindTekst.clear();
        } else {
            startTekst = QStringLiteral("Vanaf aanvang nazorg ");
        }
        aanloop.clear();
    }

    // Cost of one outlay.
    const QString perKeer = QStringLiteral("De kosten per keer bedragen ");
    switch (bytOptieKosten) {
    case 1: {
        const std::optional<float> perc = single(row.sngPercInvest);
        const std::optional<float> invest = single(row.sngKostenInvest);
        std::optional<float> kosten;
        if (perc && invest)
            kosten = (*perc / 100.0f) * *invest;
        kostenTekst = perKeer + joined(row.sngPercInvest) + QStringLiteral("% van de investeringskosten à ")
                      + formatted(invest, QStringLiteral("€ #,##0")) + QStringLiteral(" = ")
                      + formatted(kosten, QStringLiteral("€ 0")) + QStringLiteral(". ");
        break;
    }
    case 2:
        kostenTekst =
            perKeer + formatted(single(row.sngKostenTotaal), QStringLiteral("€ #,##0")) + QStringLiteral(". ");
        break;
    case 3: {
        const std::optional<float> aantal = single(row.sngAantal);
        const std::optional<float> pe = single(row.sngKostenPE);
        std::optional<float> kosten;
        if (aantal && pe)
            kosten = *aantal * *pe;
        kostenTekst = perKeer + joined(row.sngAantal) + QStringLiteral(" x ") + formatted(pe, QStringLiteral("€ 0.00"))
                      + QStringLiteral(" = ") + formatted(kosten, QStringLiteral("€ #,##0.00")) + QStringLiteral(". ");
        break;
    }
    default:
        break;
    }

    // Closing.
    if (bytOptieFreq == 1 && startVoor)
        return QStringLiteral("Het jaar waarin deze eenmalige uitgave van toepassing is, valt vóór aanvang nazorg.");
    if (laatsteJaar < eersteJaar || (!eindVoor && laatsteJaar < eersteNazorgjaar))
        return QStringLiteral("Deze kostenpost is niet van toepassing in de nazorgfase.");
    if (eindVoor)
        return QStringLiteral(
            "De periode waarin deze kostenpost van toepassing is, is al afgelopen voordat de nazorg begint.");
    if (bytOptieFreq == 3 && freqX && eersteNazorgjaar + *freqX > laatsteJaar) {
        QString start = startTekst;
        start.replace(QStringLiteral("Vanaf aanvang nazorg"), QStringLiteral("nazorgjaar 1"));
        return voorStartTekst + restTekst
               + QStringLiteral("Slechts eenmalig (als gevolg van de looptijd van de kostenpost in relatie tot de "
                                "aanvang van de nazorgfase) vindt in ")
               + start + QStringLiteral(" ") + uitgave + kostenTekst;
    }

    QString zin = startVoor ? voorStartTekst + restTekst : QString();
    zin += aanloop + startTekst + eindTekst + freqTekst + kostenTekst;
    // One pass over non-overlapping pairs, from the left.
    zin.replace(QStringLiteral("  "), QStringLiteral(" "));
    return zin;
}

} // namespace records
