#include "shell/app_settings.h"

#include "shell/file_locations.h"
#include "shell/program_info.h"
#include "shell/program_state.h"

#include "platform/settings/setting_readers.h"
#include "platform/settings/settings_store.h"
#include "platform/text/number_text.h"

#include <algorithm>

namespace modMain {

QString LeesInstelling(const QString &key, const QString &defaultValue)
{
    return settings::GetSetting(QLatin1String(kInstellingenApp), pfunRegSectie(), key, defaultValue);
}

void BewaarInstelling(const QString &key, const QString &value)
{
    settings::SaveSetting(QLatin1String(kInstellingenApp), pfunRegSectie(), key, value);
}

QString LeesAlgemeneInstelling(const QString &key, const QString &defaultValue)
{
    const QString app = QLatin1String(kInstellingenApp);
    const QString algemeen = settings::GetSetting(app, QLatin1String(kAlgemeneSectie), key);
    if (!algemeen.isEmpty())
        return algemeen;
    // This version and the earlier ones, newest first: 3.1, 3.0, 2.9, ...
    // down to 1.0. A minor number is 0 to 9.
    for (int major = gVersion.major; major >= 1; --major) {
        for (int minor = major == gVersion.major ? std::min(gVersion.minor, 9) : 9; minor >= 0; --minor) {
            const QString waarde = settings::GetSetting(app, pfunRegSectie(major, minor), key);
            if (!waarde.isEmpty())
                return waarde;
        }
    }
    return defaultValue;
}

QString pfunStandaardDatabestand()
{
    return pfunDataMap() + QStringLiteral("/dbQORdata_1.mdb");
}

namespace {

QString lees(const char *key)
{
    return LeesInstelling(QLatin1String(key));
}

// A colour number is 0x00BBGGRR; anything outside that range is no colour.
qint32 leesKleur(const char *key, qint32 defaultValue)
{
    const qint32 kleur = settings::toLong(lees(key), defaultValue);
    return (kleur < 0 || kleur > 0xFFFFFF) ? defaultValue : kleur;
}

// The VAT percentage takes what its field on the report screen takes: 0 to
// 30. Anything else (a negative or absurd percentage) is no VAT setting.
float leesBTWPerc(float defaultValue)
{
    const float perc = settings::toFloat(lees(kSetBTW), defaultValue);
    return (perc >= 0.0f && perc <= 30.0f) ? perc : defaultValue;
}

} // namespace

void LeesInstellingen()
{
    gstrDatabestand = LeesInstelling(QLatin1String(kSetDatabestand));
    if (gstrDatabestand.isEmpty())
        gstrDatabestand = pfunStandaardDatabestand(); // an empty name names no file

    gbytProxySetting = settings::toByte(lees(kSetProxySetting), 0);
    if (gbytProxySetting > 2)
        gbytProxySetting = 0; // only 0, 1 and 2 mean something
    gstrProxyNaam = lees(kSetProxyNaam);
    {
        // A TCP port; the old 16-bit reading refused ports above 32767.
        const qint32 poort = settings::toLong(lees(kSetProxyPoort), 0);
        gintProxyPoort = poort >= 0 && poort <= 65535 ? poort : 0;
    }
    gblnAutoUpdateOnStart = settings::toBool(lees(kSetAutoUpdate), false);
    gstrUpdateServer = LeesAlgemeneInstelling(QLatin1String(kSetUpdateServer)).trimmed();

    glngKleurVoorz = leesKleur(kSetKleurVoorz, 16384);
    glngKleurAct = leesKleur(kSetKleurAct, 128);
    gblnTreeSingleSel = settings::toBool(lees(kSetTreeSingleSel), false);
    gblnTreeLines = settings::toBool(lees(kSetTreeLines), true);
    gblnTreePlusMin = settings::toBool(lees(kSetTreePlusMin), false);
    gsngBTWPerc = leesBTWPerc(19.0f);

    gblnInstellingenGelezen = true;
}

void BewaarBTWPerc()
{
    if (!gblnInstellingenGelezen)
        return;
    BewaarInstelling(QLatin1String(kSetBTW), vb::CStr(gsngBTWPerc));
}

} // namespace modMain
