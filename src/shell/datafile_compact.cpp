#include "shell/datafile_compact.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/catalog.h"
#include "platform/db/connection.h"
#include "platform/db/physical_database.h"
#include "platform/os/file_hold.h"
#include "platform/os/replacing_file.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <future>
#include <memory>
#include <unistd.h>

namespace modCompress {

namespace {

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

// Puts `van` in the place of the file `naar` finally names: a data file
// reached through a link stays a link, with the new file behind it.
bool vervang(const QString &van, const QString &naar)
{
    const QString doel = os::finalTarget(naar);
    if (doel.isEmpty())
        return false;
    // rename() replaces the target in one step.
    if (::rename(QFile::encodeName(van).constData(), QFile::encodeName(doel).constData()) != 0)
        return false;
    syncMap(doel);
    return true;
}

void meldSchrijffout(const QString &bestand)
{
    ui::resetCursor();
    ui::MsgBox(
        QStringLiteral("Er zijn onvoldoende schrijfrechten voor databestand \"") + bestand
            + QStringLiteral("\". Verplaats dit databestand naar een andere locatie, bij voorkeur op het netwerk."),
        ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Schrijffout"));
}

void meldInGebruik(const QString &bestand)
{
    ui::resetCursor();
    ui::MsgBox(QStringLiteral("Het databestand \"") + bestand
                   + QStringLiteral("\" is ook geopend in een ander exemplaar van TAVIR (van u of van een andere "
                                    "gebruiker) en wordt daarom nu niet gecomprimeerd. Dat gebeurt bij een volgende "
                                    "start waarbij niemand anders met het bestand werkt."),
               ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Comprimeren databestand"));
}

// The data file itself cannot be read whole (a damaged page): a failed
// compaction is then no matter of rights, and is not reported as one. A
// file that cannot be looked at for another reason (locked, unreadable) is
// not called damaged.
bool beschadigd(const QString &bestand)
{
    try {
        db::Connection cn;
        cn.Open(bestand);
        return !db::Catalog(cn).passesCheck(db::FileCheck::Full);
    } catch (const platform::Error &e) {
        return e.number() == db::err::kNotADatabase;
    }
}

void meldMislukt(const QString &bestand)
{
    if (!beschadigd(bestand)) {
        meldSchrijffout(bestand);
        return;
    }
    ui::resetCursor();
    ui::MsgBox(QStringLiteral("Databestand \"") + bestand
                   + QStringLiteral("\" is beschadigd: het kan niet volledig worden gelezen en is daarom niet "
                                    "gecomprimeerd. Sluit TAVIR af en neem contact op met de helpdesk."),
               ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Beschadigd databestand"));
}

// A compacted copy is good when it holds the same tables, indexes and
// triggers, made by the same SQL, and, read whole, the same number of rows
// in every table, with every index holding an entry for each row of its
// table. Reading it whole takes every page of every table and index, with
// SQLite checking each page's cells as it reads it, and every row's record
// to its last column: a page that is missing, cut off or damaged, a row that
// cannot be read, a row or an index entry too few all fail it. It leaves out
// what SQLite's own integrity check adds (each row looked up in each index,
// the free list, no page used twice), which guards against damage that a
// file gathers in use; a copy that has just been written whole from the
// data file has no such past, and that check took more than twice as long
// as copying the file.
bool kopieKlopt(const QString &bestand, const QString &kopie)
{
    db::Connection origineel, compact;
    origineel.Open(bestand);
    compact.Open(kopie);
    const db::Catalog van(origineel), naar(compact);
    return van.schemaObjects() == naar.schemaObjects() && naar.readsWhole(van.rowCounts());
}

} // namespace

QString pfunCompactPad(const QString &bestand)
{
    const QString doel = os::finalTarget(bestand);
    return (doel.isEmpty() ? bestand : doel) + QStringLiteral("new");
}

bool pfunIsVolledigDatabestand(const QString &pad)
{
    // tblSYS alone does not tell: the checklist file has one too. The site
    // tables are the data file's own.
    static const QStringList tabellen = {QStringLiteral("tblSYS"), QStringLiteral("tblStort"),
                                         QStringLiteral("tblInrichting"), QStringLiteral("tblAct"),
                                         QStringLiteral("tblTonnage")};
    try {
        db::Connection cn;
        cn.Open(pad);
        const db::Catalog catalog(cn);
        for (const QString &tabel : tabellen)
            if (!catalog.hasTable(tabel))
                return false;
        return catalog.passesCheck(db::FileCheck::Full);
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
    // The data file's handle is kept for the copy and its check, up to the
    // replacement: no handle may outlive the file it was opened on.
    std::shared_ptr<db::PhysicalDatabase> handvat;
    try {
        // Not a database at all: nothing to compact; the coupling says so.
        // A file that opens but fails further on (a damaged page) is a
        // failed compaction like any other.
        handvat = db::PhysicalDatabase::acquire(bestand);
    } catch (const platform::Error &e) {
        if (e.number() == db::err::kNotADatabase || e.number() == db::err::kFileNotFound)
            return;
    }
    // Sole access: the file is replaced, and a handle that another instance
    // has open on it would then point at a removed file. Every instance
    // holds the file it has coupled (coupling.h); such a file is left as it
    // is. The hold also stands for the write access the compaction needs.
    os::FileHold alleen;
    const os::FileHold::Outcome toegang = alleen.takeSole(bestand);
    if (toegang != os::FileHold::Outcome::Held) {
        handvat.reset();
        if (toegang == os::FileHold::Outcome::InUse)
            meldInGebruik(bestand);
        else
            meldSchrijffout(bestand);
        return;
    }
    // A box waits for the user: the sole hold goes first, so that another
    // instance's start waits for no box of this one.
    const auto mislukt = [&] {
        handvat.reset();
        alleen.release();
        QFile::remove(kopie);
        meldMislukt(bestand);
    };
    try {
        // The original is there, so a copy left by an earlier run is rubbish.
        if (QFileInfo::exists(kopie) && !QFile::remove(kopie)) {
            mislukt();
            return;
        }
        kopieer(bestand, kopie);
        QFile::setPermissions(kopie, QFile::permissions(bestand));
        bool goed = false;
        {
            // The copy goes to disk while it is checked; it replaces the
            // data file only when both are done and good.
            std::future<bool> opSchijf = std::async(std::launch::async, [kopie] { return syncBestand(kopie); });
            goed = kopieKlopt(bestand, kopie);
            goed = opSchijf.get() && goed;
        }
        handvat.reset();
        goed = goed && vervang(kopie, bestand);
        if (!goed)
            mislukt();
    } catch (const platform::Error &) {
        mislukt();
    }
}

} // namespace modCompress
