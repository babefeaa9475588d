#include "shell/file_locations.h"

#include "shell/app_settings.h"
#include "shell/connection_strings.h"
#include "shell/program_state.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/os/copy_file.h"
#include "platform/os/program_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace modMain {

namespace {

QString inMap(const QString &map, const char *naam)
{
    return map + QLatin1Char('/') + QLatin1String(naam);
}

// Whether this process may write into the folder, by its effective rights
// (a process that gave up its rights to override permissions counts as
// what it has become).
bool schrijfbaar(const QString &map)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(map).constData(), W_OK, AT_EACCESS) == 0;
}

// The sequence number of a checklist file ('versie' in tblSYS), or nothing
// when the file cannot be read or holds no whole number there.
std::optional<int> volgnummer(const QString &pad)
{
    if (!QFileInfo(pad).isFile())
        return std::nullopt;
    try {
        db::Connection cn;
        cn.Open(QStringLiteral("Data Source=") + db::connectionValue(pad) + QStringLiteral(";Mode=Read"),
                {QStringLiteral("tblSYS")});
        db::Recordset rs;
        rs.Open(QStringLiteral("Select * from tblSYS"), cn, db::LockType::ReadOnly);
        std::optional<int> nummer;
        while (!rs.EOF_()) {
            if (rs.Fields(QStringLiteral("strSYS_ID"))
                    .Value()
                    .toString()
                    .compare(QLatin1String("versie"), Qt::CaseInsensitive)
                == 0) {
                bool ok = false;
                const int n = rs.Fields(QStringLiteral("strSYSvalue")).Value().toString().trimmed().toInt(&ok);
                if (ok)
                    nummer = n;
            }
            rs.MoveNext();
        }
        return nummer;
    } catch (const platform::Error &) {
        return std::nullopt;
    }
}

} // namespace

bool pfunIsGeinstalleerd()
{
    const QString map = os::programDir();
    return QFileInfo::exists(inMap(map, kInstallatieMerkteken)) || !schrijfbaar(map);
}

QString pfunGebruikersMap()
{
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                           + QStringLiteral("/tavir"));
}

QString pfunDataMap()
{
    return pfunIsGeinstalleerd() ? pfunGebruikersMap() : os::programDir();
}

QString pfunSjabloonBestand()
{
    return inMap(os::programDir(), kSjabloonBestand);
}

QString pfunGeinstalleerdeChecklist()
{
    return inMap(os::programDir(), kChecklistBestand);
}

QString pfunChecklistBestand()
{
    const QString geinstalleerd = pfunGeinstalleerdeChecklist();
    if (!pfunIsGeinstalleerd())
        return geinstalleerd;
    const QString eigen = inMap(pfunGebruikersMap(), kChecklistBestand);
    const std::optional<int> eigenNr = volgnummer(eigen);
    if (!eigenNr)
        return geinstalleerd;
    const std::optional<int> geinstalleerdNr = volgnummer(geinstalleerd);
    // A newer checklist file that came with a newer installation wins over
    // an older download.
    if (geinstalleerdNr && *geinstalleerdNr > *eigenNr)
        return geinstalleerd;
    return eigen;
}

QString pfunChecklistMap()
{
    return QFileInfo(pfunChecklistBestand()).absolutePath();
}

QString pfunChecklistDownloadMap()
{
    if (!pfunIsGeinstalleerd())
        return os::programDir();
    const QString map = pfunGebruikersMap();
    QDir().mkpath(map);
    return map;
}

bool pfunKopieerSjabloon(const QString &pad, bool alleenAlsNieuw, QString *fout)
{
    const os::CopyResult kopie = os::copyFile(pfunSjabloonBestand(), pad, alleenAlsNieuw);
    if (!kopie) {
        if (fout)
            *fout = kopie.description;
        return false;
    }
    QFile::setPermissions(pad, QFile::permissions(pad) | QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

void MaakEersteDatabestand()
{
    if (!pfunIsGeinstalleerd() || !LeesInstelling(QLatin1String(kSetDatabestand)).isEmpty())
        return;
    const QString pad = pfunStandaardDatabestand();
    if (QFileInfo::exists(pad))
        return;
    QDir().mkpath(pfunGebruikersMap());
    pfunKopieerSjabloon(pad, true);
}

void ZetChecklistVerbinding()
{
    gstrConnCL = pfunConnStrCL(pfunChecklistMap());
}

} // namespace modMain
