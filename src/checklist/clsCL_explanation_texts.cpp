// The checklist view's explanation texts: what the current item prescribes
// for start, end, frequency and costs, in Dutch sentences, and its footnotes.
//
// Numbers are written in three forms: a year as a plain whole number; a
// "plain number" as the default text of a Single (decimal comma, no
// grouping, at most 7 digits); an amount with the picture "#,##0.00".

#include "checklist/clsCL.h"

#include "checklist/entered_values.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/jet_types.h"
#include "platform/text/number_format.h"
#include "platform/text/number_text.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace checklist {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kOnderbouwen = QStringLiteral("onderbouwen o.b.v. nazorgplan");

QString plain(float value)
{
    return vb::CStr(value);
}

QString amount(float value)
{
    return vb::Format(value, QStringLiteral("#,##0.00"));
}

QString textOf(const QVariant &value)
{
    return db::isNull(value) ? QString() : value.toString();
}

// The code held in a column, or -1 when the column is empty.
int codeOf(const QVariant &value)
{
    return db::isNull(value) ? -1 : value.toInt();
}

// A text for a pair of bounds, by which of them are present. `range` gets
// the two bounds when they differ, `equal` the upper one when they are the
// same Single.
struct BoundTexts {
    std::function<QString(const QString &)> onlyUpper;
    std::function<QString(const QString &)> onlyLower;
    std::function<QString(const QString &)> equal;
    std::function<QString(const QString &, const QString &)> range;
};

QString boundsText(const QVariant &lowerValue, const QVariant &upperValue, QString (*write)(float),
                   const BoundTexts &texts)
{
    const std::optional<float> lower = boundOf(lowerValue);
    const std::optional<float> upper = boundOf(upperValue);
    if (!lower && upper)
        return texts.onlyUpper(write(*upper));
    if (lower && !upper)
        return texts.onlyLower(write(*lower));
    if (!lower && !upper)
        return kOnderbouwen;
    if (*lower == *upper)
        return texts.equal(write(*upper));
    return texts.range(write(*lower), write(*upper));
}

} // namespace

QString clsCL::GetVoetnootTekst(const char *column, const QString &label)
{
    const QVariant value = item(column);
    if (isEmptyValue(value))
        return QString();
    QString result = kCrLf + QStringLiteral("Opmerking bij ") + label + QStringLiteral(": ") + kCrLf;
    // Keys are split at every "," and not trimmed: a blank is part of a key.
    const QStringList keys = value.toString().split(QLatin1Char(','));
    if (keys.size() > 255)
        throw platform::Error(vb::kErrOverflow, QStringLiteral("Overflow"));
    for (const QString &key : keys) {
        bool found = false;
        if (rsVoetnoot.RecordCount() > 0) {
            rsVoetnoot.MoveFirst();
            QString quoted = key;
            quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
            rsVoetnoot.Find(QStringLiteral("strVoetnootItem='") + quoted + QLatin1Char('\''));
            found = !rsVoetnoot.EOF_();
        }
        if (found)
            result += QLatin1Char('~') + textOf(rsVoetnoot.Fields(QStringLiteral("memVoetnoot")).Value()) + kCrLf;
        else
            result += QStringLiteral("~#FOUT: Voetnoot ") + key
                      + QStringLiteral(" niet gevonden in checklistdatabase. Neem contact op met de helpdesk.");
    }
    return result;
}

QString clsCL::strVoetnotenToelichting()
{
    return GetVoetnootTekst("strVtNtStartJaar", QStringLiteral("startjaar"))
           + GetVoetnootTekst("strVtNtEindjaar", QStringLiteral("eindjaar"))
           + GetVoetnootTekst("strVtntPeriodMin", QStringLiteral("minimale periodiciteit"))
           + GetVoetnootTekst("strVtNtPeriodMax", QStringLiteral("maximale periodiciteit"))
           + GetVoetnootTekst("strVtNtPrijsPEmin", QStringLiteral("minimale eenheidsprijs"))
           + GetVoetnootTekst("strVtNtPrijsPEmax", QStringLiteral("maximale eenheidsprijs"));
}

QString clsCL::VoetNootFasering() const
{
    if (itemBool("blnVoetnoot1"))
        return QStringLiteral("Houd rekening met aanleg van bovenafdichting in meerdere fasen; invoer "
                              "geschiedt per fase (met afzonderlijke termijnen, eenheidsprijzen)");
    return QString();
}

QString clsCL::strStartJaarToelichting() const
{
    const int ba = codeOf(item("bytStartBA"));
    const QVariant year = Startjaar();
    if (ba != 0 && ba != 1)
        return QString();
    if (db::isNull(year))
        return ba == 0 ? QStringLiteral("invoeren in nazorgjaar of kalenderjaar")
                       : QStringLiteral("invoeren in jaren na aanleg bovenafdichting");
    QString text =
        vb::CStr(year.toInt())
        + (ba == 0 ? QStringLiteral("e jaar na aanvang nazorg") : QStringLiteral("e jaar na aanleg bovenafdichting"));
    if (StartjaarEerderMag())
        text += QStringLiteral(" of eerder");
    return text;
}

QString clsCL::strEindJaarToelichting() const
{
    if (codeOf(item("bytOptieEind")) == 3)
        return QStringLiteral("eeuwigdurend");
    const int ba = codeOf(item("bytEindBA"));
    const QVariant year = Eindjaar();
    if (ba != 0 && ba != 1)
        return QString();
    if (db::isNull(year))
        return ba == 0 ? QStringLiteral("invoeren in nazorgjaar of kalenderjaar")
                       : QStringLiteral("invoeren in jaren na aanleg bovenafdichting");
    return vb::CStr(year.toInt())
           + (ba == 0 ? QStringLiteral("e jaar na aanvang nazorg")
                      : QStringLiteral("e jaar na aanleg bovenafdichting"));
}

QString clsCL::strFreqXtoelichting() const
{
    switch (codeOf(item("bytOptieFreq"))) {
    case 1:
        return QStringLiteral("eenmalige uitgave");
    case 2:
        return boundsText(
            FreqXmin(), FreqXmax(), plain,
            {[](const QString &u) { return QStringLiteral("maximaal ") + u + QStringLiteral(" x per jaar"); },
             [](const QString &l) { return QStringLiteral("minimaal ") + l + QStringLiteral(" x per jaar"); },
             [](const QString &l) { return l + QStringLiteral(" x per jaar"); },
             [](const QString &l, const QString &u) {
                 return l + QStringLiteral(" - ") + u + QStringLiteral(" x per jaar");
             }});
    case 3: {
        // With equal bounds the text names the lower one; they are the same.
        return boundsText(
            FreqXmin(), FreqXmax(), plain,
            {[](const QString &u) { return QStringLiteral("één keer per ") + u + QStringLiteral(" jaar of vaker"); },
             [](const QString &l) {
                 return QStringLiteral("niet vaker dan één keer per ") + l + QStringLiteral(" jaar");
             },
             [](const QString &l) { return QStringLiteral("één keer per ") + l + QStringLiteral(" jaar"); },
             [](const QString &l, const QString &u) {
                 return QStringLiteral("één keer per ") + l + QStringLiteral(" à ") + u + QStringLiteral(" jaar");
             }});
    }
    default:
        return QString();
    }
}

QString clsCL::strKostenToelichting() const
{
    switch (codeOf(item("bytOptieKosten"))) {
    case 1: {
        const QString f = QStringLiteral(" % van investering ") + textOf(Voorziening()).toLower();
        return boundsText(PercInvestMIN(), PercInvestMAX(), plain,
                          {[&](const QString &u) { return QStringLiteral("maximaal ") + u + f; },
                           [&](const QString &l) { return QStringLiteral("minimaal ") + l + f; },
                           [&](const QString &u) { return u + f; },
                           [&](const QString &l, const QString &u) { return l + QStringLiteral(" - ") + u + f; }});
    }
    case 2:
        return boundsText(KostenTotaalMIN(), KostenTotaalMAX(), amount,
                          {[](const QString &u) { return QStringLiteral("maximaal € ") + u; },
                           [](const QString &l) { return QStringLiteral("minimaal € ") + l; },
                           [](const QString &u) { return QStringLiteral("€ ") + u; },
                           [](const QString &l, const QString &u) {
                               return QStringLiteral("€ ") + l + QStringLiteral(" - ") + QStringLiteral("€ ") + u;
                           }});
    case 3: {
        const QString e = QStringLiteral(" per ") + textOf(Eenheid());
        return boundsText(PrijsPEmin(), PrijsPEmax(), amount,
                          {[&](const QString &u) { return QStringLiteral("maximaal € ") + u + e; },
                           [&](const QString &l) { return QStringLiteral("minimaal € ") + l + e; },
                           [&](const QString &u) { return QStringLiteral("€ ") + u + e; },
                           [&](const QString &l, const QString &u) {
                               return QStringLiteral("€ ") + l + QStringLiteral(" - € ") + u + e;
                           }});
    }
    default:
        return QString();
    }
}

QString clsCL::strKostenToelichtingEx() const
{
    return strKostenToelichting() + kCrLf + lblToelichtingPrijspeil();
}

} // namespace checklist
