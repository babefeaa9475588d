#include "shell/datafile_compact.h"

#include "platform/core/error.h"
#include "platform/db/catalog.h"
#include "platform/db/errors.h"
#include "platform/db/physical_database.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace modCompress {

namespace {

QString tekst(sqlite3_stmt *stmt, int col)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt, col));
    return p ? QString::fromUtf8(p) : QString();
}

bool integriteitGoed(db::PhysicalDatabase &db)
{
    db::OwnedStatement stmt(db.prepare(QStringLiteral("PRAGMA integrity_check")));
    bool goed = true;
    while (db.step(stmt.get()))
        goed = goed && tekst(stmt.get(), 0) == QLatin1String("ok");
    return goed;
}

// Every table of the file with its number of rows.
QHash<QString, qint64> tabellen(db::PhysicalDatabase &db)
{
    QStringList namen;
    {
        db::OwnedStatement stmt(db.prepare(QStringLiteral(
            "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name")));
        while (db.step(stmt.get()))
            namen << tekst(stmt.get(), 0);
    }
    QHash<QString, qint64> rijen;
    for (const QString &naam : namen) {
        QString quoted = naam;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        db::OwnedStatement stmt(db.prepare(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(quoted)));
        rijen.insert(naam, db.step(stmt.get()) ? sqlite3_column_int64(stmt.get(), 0) : -1);
    }
    return rijen;
}

bool syncBestand(const QString &pad, int flags = O_RDONLY)
{
    const int fd = ::open(QFile::encodeName(pad).constData(), flags);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL; // some folders cannot be synced
    ::close(fd);
    return ok;
}

bool syncMap(const QString &bestand)
{
    return syncBestand(QFileInfo(bestand).absolutePath(), O_RDONLY | O_DIRECTORY);
}

bool vervang(const QString &van, const QString &naar)
{
    // rename() replaces the target in one step.
    if (::rename(QFile::encodeName(van).constData(), QFile::encodeName(naar).constData()) != 0)
        return false;
    syncMap(naar);
    return true;
}

bool schrijfbaar(const QString &bestand)
{
    const int fd = ::open(QFile::encodeName(bestand).constData(), O_WRONLY);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

void meldSchrijffout(const QString &bestand)
{
    ui::resetCursor();
    ui::MsgBox(QStringLiteral("Er zijn onvoldoende schrijfrechten voor databestand \"") + bestand
                   + QStringLiteral("\". Verplaats dit databestand naar een andere locatie, bij voorkeur op het netwerk."),
               ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Schrijffout"));
}

// A compacted copy is good when it passes its integrity check and holds the
// same tables with the same rows as the original.
bool kopieKlopt(const QString &bestand, const QString &kopie)
{
    auto origineel = db::PhysicalDatabase::acquire(bestand);
    auto compact = db::PhysicalDatabase::acquire(kopie);
    return integriteitGoed(*compact) && tabellen(*origineel) == tabellen(*compact);
}

} // namespace

QString pfunCompactPad(const QString &bestand)
{
    return bestand + QStringLiteral("new");
}

bool pfunIsVolledigDatabestand(const QString &pad)
{
    try {
        auto db = db::PhysicalDatabase::acquire(pad);
        return integriteitGoed(*db) && tabellen(*db).contains(QStringLiteral("tblSYS"));
    } catch (const platform::Error &) {
        return false;
    }
}

bool HerstelOnderbrokenCompactie(const QString &bestand)
{
    const QString kopie = pfunCompactPad(bestand);
    if (bestand.isEmpty() || QFileInfo::exists(bestand) || !QFileInfo(kopie).isFile())
        return false;
    if (!pfunIsVolledigDatabestand(kopie))
        return false;
    return vervang(kopie, bestand);
}

void CompactDatabestand(const QString &bestand)
{
    CompactDatabestand(bestand, &db::compactDatabase);
}

void CompactDatabestand(const QString &bestand, const KopieerStap &kopieer)
{
    ui::BusyCursor busy;
    HerstelOnderbrokenCompactie(bestand);
    if (!QFileInfo(bestand).isFile())
        return;

    const QString kopie = pfunCompactPad(bestand);
    try {
        // Not a database at all: nothing to compact; the coupling says so.
        // A file that opens but fails further on (a damaged page) is a
        // failed compaction like any other.
        db::PhysicalDatabase::acquire(bestand);
    } catch (const platform::Error &e) {
        if (e.number() == db::err::kNotADatabase || e.number() == db::err::kFileNotFound)
            return;
    }
    try {
        if (!schrijfbaar(bestand)) {
            meldSchrijffout(bestand);
            return;
        }
        // The original is there, so a copy left by an earlier run is rubbish.
        if (QFileInfo::exists(kopie) && !QFile::remove(kopie)) {
            meldSchrijffout(bestand);
            return;
        }
        kopieer(bestand, kopie);
        bool goed = kopieKlopt(bestand, kopie);
        if (goed) {
            QFile::setPermissions(kopie, QFile::permissions(bestand));
            goed = syncBestand(kopie) && vervang(kopie, bestand);
        }
        if (!goed) {
            QFile::remove(kopie);
            meldSchrijffout(bestand);
        }
    } catch (const platform::Error &) {
        QFile::remove(kopie);
        meldSchrijffout(bestand);
    }
}

} // namespace modCompress
