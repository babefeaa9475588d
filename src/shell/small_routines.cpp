#include "shell/small_routines.h"

#include "shell/program_state.h"

#include "platform/text/conversions.h"
#include "platform/text/number_text.h"
#include "platform/ui/dialogs.h"

#include <QTime>

namespace modCompress {

bool pfunIsNull(const QVariant &value)
{
    return !value.isValid() || value.isNull();
}

QVariant pfunNZ(const QVariant &value, const QVariant &defaultValue)
{
    return pfunIsNull(value) ? defaultValue : value;
}

} // namespace modCompress

namespace modMain {

QString pfunStrVoorz(quint8 code)
{
    switch (code) {
    case 1:
        return QStringLiteral("Algemeen");
    case 2:
        return QStringLiteral("Bovenafdichting");
    case 3:
        return QStringLiteral("Grondwatermonitoringssysteem");
    case 4:
        return QStringLiteral("Percolaatopvangsysteem");
    case 5:
        return QStringLiteral("Stortgasonttrekking");
    case 6:
        return QStringLiteral("Grondwaterbeheerssysteem");
    case 7:
        return QStringLiteral("Overig");
    default:
        return QString();
    }
}

QString pfunStrProv(quint8 code)
{
    switch (code) {
    case 0:
        return QStringLiteral("??");
    case 10:
        return QStringLiteral("Drenthe");
    case 20:
        return QStringLiteral("Flevoland");
    case 30:
        return QStringLiteral("Friesland");
    case 40:
        return QStringLiteral("Gelderland");
    case 50:
        return QStringLiteral("Groningen");
    case 60:
        return QStringLiteral("Limburg");
    case 70:
        return QStringLiteral("Noord-Brabant");
    case 80:
        return QStringLiteral("Noord-Holland");
    case 90:
        return QStringLiteral("Overijssel");
    case 100:
        return QStringLiteral("Utrecht");
    case 110:
        return QStringLiteral("Zeeland");
    case 120:
        return QStringLiteral("Zuid-Holland");
    default:
        ui::MsgBox(QStringLiteral("Onbekende provincie-id in pfunStrProv"), ui::Buttons::OK, ui::Icon::Critical,
                   QStringLiteral("Fout"));
        return QString();
    }
}

QString pfunDatumTekst(const QDate &date)
{
    if (!date.isValid())
        return QString();
    const QChar nul(u'0');
    return QStringLiteral("%1-%2-%3")
        .arg(date.day(), 2, 10, nul)
        .arg(date.month(), 2, 10, nul)
        .arg(date.year(), 2, 10, nul);
}

namespace {

std::function<double()> &stopWatchClock()
{
    static std::function<double()> clock;
    return clock;
}

double secondsSinceMidnight()
{
    const auto &clock = stopWatchClock();
    if (clock)
        return clock();
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

constexpr double kSecondsPerDay = 86400.0;

} // namespace

void setStopWatchClock(std::function<double()> clock)
{
    stopWatchClock() = std::move(clock);
}

void StopWatch(bool toonTijd)
{
    if (!toonTijd) {
        mlngStopWatchStart = vb::CLng(secondsSinceMidnight());
        return;
    }
    double elapsed = secondsSinceMidnight() - mlngStopWatchStart;
    // The clock starts again at midnight; a run across it is not negative.
    if (elapsed < 0)
        elapsed += kSecondsPerDay;
    ui::MsgBox(vb::CStr(static_cast<float>(elapsed)) + QStringLiteral(" sec"), ui::Buttons::OK, ui::Icon::None,
               QString());
}

} // namespace modMain
