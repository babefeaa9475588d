#include "updater/replace_files.h"

#include "updater/update_names.h"

#include "platform/os/copy_file.h"
#include "platform/os/replacing_file.h"
#include "platform/os/system_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace updater {

namespace {

constexpr const char *kJournalHeader = "runupd 1";
constexpr const char *kForward = "forward";
constexpr const char *kBack = "back";
// Beside the journal: the journal for going back, written before the first
// change, and the file each of them is written to before it is renamed.
constexpr const char *kBackSuffix = ".back";
constexpr const char *kPartSuffix = ".part";

// A stop asked for by the step hook: everything ends where it is.
struct Stopped {};

// A failed system call, with its text.
struct Failure {
    QString text;
};

QByteArray enc(const QString &path)
{
    return QFile::encodeName(path);
}

[[noreturn]] void fail(int errnum, const QString &what)
{
    throw Failure{os::systemError(errnum, what).description()};
}

bool present(const QString &path)
{
    struct stat st {};
    return ::lstat(enc(path).constData(), &st) == 0;
}

// What stands at a path, without following a link: of the updater's own
// files (downloads, backups, journals) only a plain file is read, written or
// renamed.
enum class Found { Nothing, PlainFile, Other };

Found lookAt(const QString &path)
{
    struct stat st {};
    if (::lstat(enc(path).constData(), &st) != 0)
        return errno == ENOENT ? Found::Nothing : Found::Other;
    return S_ISREG(st.st_mode) ? Found::PlainFile : Found::Other;
}

[[noreturn]] void notPlain(const QString &path)
{
    throw Failure{QStringLiteral("%1 is geen gewoon bestand.").arg(path)};
}

// Writes all of `bytes`; false with errno set when that fails.
bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

struct Entry {
    QString name;
    bool existed = false;
};

struct Journal {
    bool back = false;
    QList<Entry> entries;
};

class Run {
public:
    Run(const QString &dir, const StepHook &hook, const WriteFault &writeFault)
        : m_dir(QDir::cleanPath(dir)), m_hook(hook), m_writeFault(writeFault)
    {
    }

    QString path(const QString &name) const { return m_dir + QLatin1Char('/') + name; }
    // The download, as it waits in the program folder.
    QString fresh(const QString &name) const { return path(QLatin1String(kNewPrefix) + name); }
    QString journalPath() const { return path(QLatin1String(kJournalName)); }
    QString backJournalPath() const { return journalPath() + QLatin1String(kBackSuffix); }
    QString partPath() const { return journalPath() + QLatin1String(kPartSuffix); }

    // The file that takes the new content: the one the program folder's
    // entry finally names. A program file that is a symbolic link (a chain
    // of them) stays a link, and the file behind it is replaced. Only the
    // program file is followed: the download, the staged download and the
    // backup are looked at as they stand.
    QString place(const QString &name) const
    {
        int error = 0;
        const QString target = os::finalTarget(path(name), &error);
        if (target.isEmpty())
            fail(error, path(name));
        return target;
    }
    // `prefix` + the name of the file at `name`'s place, beside it: there
    // the download is renamed onto it (a rename stays within one folder and
    // one file system), and there the file it replaces is kept.
    QString besidePlace(const char *prefix, const QString &name) const
    {
        const QFileInfo target(place(name));
        return target.path() + QLatin1Char('/') + QLatin1String(prefix) + target.fileName();
    }
    QString staged(const QString &name) const { return besidePlace(kNewPrefix, name); }
    QString backup(const QString &name) const { return besidePlace(kBackupPrefix, name); }
    // Whether the download must be moved beside its place first.
    bool stagedElsewhere(const QString &name) const { return staged(name) != fresh(name); }

    void step()
    {
        ++m_step;
        if (m_hook && !m_hook(m_step))
            throw Stopped{};
    }

    // The entries of the folder of `file` reach the disk: a rename is kept
    // after a crash.
    static void syncFolderOf(const QString &file)
    {
        const int fd = ::open(enc(QFileInfo(file).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }

    void rename(const QString &from, const QString &to)
    {
        if (::rename(enc(from).constData(), enc(to).constData()) != 0)
            fail(errno, to);
        syncFolderOf(to);
        if (QFileInfo(from).path() != QFileInfo(to).path())
            syncFolderOf(from);
        step();
    }

    // Moves the download `from` in the program folder to `to` beside its
    // place; to another file system as a complete copy, after which the
    // download goes. Broken off, it is done again: the copy takes its
    // target's place only when complete. Both are plain files or missing.
    void move(const QString &from, const QString &to)
    {
        if (::rename(enc(from).constData(), enc(to).constData()) == 0) {
            syncFolderOf(to);
            syncFolderOf(from);
            step();
            return;
        }
        if (errno != EXDEV)
            fail(errno, to);
        // The copy takes room on the disk.
        if (const int err = writeFault())
            fail(err, to);
        const os::CopyResult copy = os::copyFile(from, to, false);
        if (!copy)
            throw Failure{copy.description};
        step();
        remove(from);
    }

    void remove(const QString &file)
    {
        if (::unlink(enc(file).constData()) != 0 && errno != ENOENT)
            fail(errno, file);
        step();
    }

    // Removes `file` when it is a plain file; a link or a folder of that
    // name is left alone.
    void removePlain(const QString &file)
    {
        if (lookAt(file) == Found::PlainFile)
            remove(file);
    }

    // The error number an injected fault gives the next write (0: none).
    int writeFault()
    {
        ++m_writes;
        return m_writeFault ? m_writeFault(m_writes) : 0;
    }

    // Writes the journal `j` as `target`: to a file of its own beside it,
    // flushed, then renamed into place, so that `target` is always whole.
    void writeJournal(const QString &target, const Journal &j)
    {
        QByteArray text = QByteArray(kJournalHeader) + '\n' + (j.back ? kBack : kForward) + '\n';
        for (const Entry &e : j.entries)
            text += (e.existed ? "1 " : "0 ") + e.name.toUtf8() + '\n';
        const QString part = partPath();
        // What a run broken off while writing left goes; a link or a folder
        // of the name is not ours to write into, nor to rename over.
        switch (lookAt(part)) {
        case Found::PlainFile:
            remove(part);
            break;
        case Found::Other:
            notPlain(part);
        case Found::Nothing:
            break;
        }
        if (lookAt(target) == Found::Other)
            notPlain(target);
        int err = 0;
        {
            const Descriptor file{
                ::open(enc(part).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644)};
            if (file.fd < 0)
                fail(errno, part);
            err = writeFault();
            if (err == 0 && !(writeAll(file.fd, text) && ::fsync(file.fd) == 0))
                err = errno != 0 ? errno : EIO;
        }
        if (err == 0 && ::rename(enc(part).constData(), enc(target).constData()) != 0)
            err = errno;
        if (err != 0) {
            ::unlink(enc(part).constData());
            fail(err, part);
        }
        syncFolderOf(target);
        step();
    }

    // The journal, or false when there is none (or it cannot be read as one).
    bool readJournal(Journal &j, QString &why) const
    {
        switch (lookAt(journalPath())) {
        case Found::Nothing:
            return false;
        case Found::Other:
            why = QStringLiteral("Het logboek %1 is geen gewoon bestand.").arg(journalPath());
            return false;
        case Found::PlainFile:
            break;
        }
        const int fd = ::open(enc(journalPath()).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        struct stat st {};
        if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            why = os::systemError(fd < 0 ? errno : EINVAL, journalPath()).description();
            if (fd >= 0)
                ::close(fd);
            return false;
        }
        QFile f;
        if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            why = f.errorString();
            return false;
        }
        const QList<QByteArray> lines = f.readAll().split('\n');
        if (lines.size() < 2 || lines.at(0) != kJournalHeader || (lines.at(1) != kForward && lines.at(1) != kBack)) {
            why = QStringLiteral("Het logboek %1 is onleesbaar.").arg(journalPath());
            return false;
        }
        j.back = lines.at(1) == kBack;
        for (qsizetype i = 2; i < lines.size(); ++i) {
            const QByteArray &line = lines.at(i);
            if (line.isEmpty())
                continue;
            Entry e;
            e.existed = line.startsWith("1 ");
            e.name = QString::fromUtf8(line.mid(2));
            if (!line.startsWith("1 ") && !line.startsWith("0 "))
                e.name.clear();
            if (!mayReplace(e.name)) {
                why = QStringLiteral("Het logboek %1 is onleesbaar.").arg(journalPath());
                return false;
            }
            j.entries << e;
        }
        return true;
    }

    // The new file gets the permissions of the file it replaces; a new
    // program (an executable or a script) may be run. The staged download
    // is opened without following a link, and only a plain file is changed.
    void takeMode(const Entry &e)
    {
        const QString download = staged(e.name);
        const Descriptor file{::open(enc(download).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK)};
        if (file.fd < 0) {
            if (errno == ELOOP)
                notPlain(download);
            fail(errno, download);
        }
        struct stat own {};
        if (::fstat(file.fd, &own) != 0 || !S_ISREG(own.st_mode))
            notPlain(download);
        struct stat st {};
        mode_t mode = 0644;
        if (e.existed && ::stat(enc(place(e.name)).constData(), &st) == 0) {
            mode = st.st_mode & 07777;
        } else {
            char head[4] = {};
            const ssize_t n = ::read(file.fd, head, sizeof head);
            static const char elf[4] = {'\x7f', 'E', 'L', 'F'};
            if ((n == 4 && std::memcmp(head, elf, 4) == 0) || (n >= 2 && head[0] == '#' && head[1] == '!'))
                mode = 0755;
        }
        if (::fchmod(file.fd, mode) != 0)
            fail(errno, download);
    }

    void keepBackup(const Entry &e)
    {
        if (!e.existed)
            return;
        switch (lookAt(backup(e.name))) {
        case Found::PlainFile:
            return; // kept by a run that was broken off
        case Found::Other:
            notPlain(backup(e.name));
        case Found::Nothing:
            break;
        }
        // A backup takes room on the disk: a link in the folder, or a copy.
        if (const int err = writeFault())
            fail(err, backup(e.name));
        if (::link(enc(place(e.name)).constData(), enc(backup(e.name)).constData()) == 0) {
            syncFolderOf(backup(e.name));
            step();
            return;
        }
        const int linkErr = errno;
        if (linkErr == ENOENT)
            fail(linkErr, place(e.name));
        // A file system without hard links: a complete copy, renamed into place.
        const os::CopyResult copy = os::copyFile(place(e.name), backup(e.name), true);
        if (!copy)
            throw Failure{copy.description};
        step();
    }

    // A download whose place is behind a link goes beside that place
    // first, unless it is there already.
    void stage(const Entry &e)
    {
        switch (lookAt(fresh(e.name))) {
        case Found::Nothing:
            return; // moved, or in place already
        case Found::Other:
            notPlain(fresh(e.name));
        case Found::PlainFile:
            break;
        }
        if (lookAt(staged(e.name)) == Found::Other)
            notPlain(staged(e.name));
        move(fresh(e.name), staged(e.name));
    }

    void forward(Journal &j)
    {
        try {
            for (const Entry &e : j.entries) {
                if (stagedElsewhere(e.name))
                    stage(e);
                switch (lookAt(staged(e.name))) {
                case Found::Nothing:
                    continue; // in place already
                case Found::Other:
                    notPlain(staged(e.name));
                case Found::PlainFile:
                    break;
                }
                keepBackup(e);
                takeMode(e);
                rename(staged(e.name), place(e.name));
            }
        } catch (const Failure &f) {
            m_error = f.text;
            if (turnBack(j))
                back(j);
            return;
        }
        // Every file is in place: from here on the run only goes forward.
        removePlain(backJournalPath());
        for (const Entry &e : j.entries)
            removePlain(backup(e.name));
        remove(journalPath());
        m_kind = Outcome::Kind::Replaced;
    }

    // The journal says "back" before anything is undone: the journal for
    // going back, written before the first change, takes its place in one
    // rename, which needs no room on the disk. When even that fails nothing
    // is undone, and the journal still says forward: the next run goes on
    // forward, and turns back if it fails again.
    bool turnBack(Journal &j)
    {
        try {
            if (lookAt(backJournalPath()) != Found::PlainFile)
                throw Failure{QStringLiteral("Het logboek %1 ontbreekt.").arg(backJournalPath())};
            rename(backJournalPath(), journalPath());
        } catch (const Failure &f) {
            m_error += QStringLiteral("\n") + f.text
                       + QStringLiteral("\nEr is niets teruggezet; de volgende start gaat verder met de update.");
            m_kind = Outcome::Kind::Failed;
            return false;
        }
        j.back = true;
        return true;
    }

    void back(const Journal &j)
    {
        try {
            for (qsizetype i = j.entries.size() - 1; i >= 0; --i) {
                const Entry &e = j.entries.at(i);
                if (lookAt(fresh(e.name)) != Found::Nothing || lookAt(staged(e.name)) != Found::Nothing) {
                    // Not placed: the original is still there.
                    removePlain(backup(e.name));
                    continue;
                }
                switch (lookAt(backup(e.name))) {
                case Found::PlainFile:
                    rename(backup(e.name), place(e.name));
                    break;
                case Found::Other:
                    notPlain(backup(e.name));
                case Found::Nothing:
                    if (!e.existed && lookAt(place(e.name)) == Found::PlainFile)
                        remove(place(e.name));
                    break;
                }
            }
            // The downloads go with the update they came for, also those
            // moved beside a linked file: none of them is ever placed later
            // without the others, and going back needs no room on the disk.
            for (const Entry &e : j.entries) {
                removePlain(fresh(e.name));
                if (stagedElsewhere(e.name))
                    removePlain(staged(e.name));
            }
            removePlain(backJournalPath());
            remove(journalPath());
            m_kind = Outcome::Kind::RolledBack;
        } catch (const Failure &f) {
            m_error += (m_error.isEmpty() ? QString() : QStringLiteral("\n")) + f.text;
            m_kind = Outcome::Kind::Failed;
        }
    }

    Outcome outcome(const Journal &j) const
    {
        Outcome o;
        o.kind = m_kind;
        o.error = m_error;
        for (const Entry &e : j.entries)
            o.names << e.name;
        return o;
    }

    Outcome recover()
    {
        m_kind = Outcome::Kind::Failed;
        m_error.clear();
        Journal j;
        QString why;
        if (!readJournal(j, why)) {
            Outcome o;
            if (!why.isEmpty()) {
                o.kind = Outcome::Kind::Failed;
                o.error = why;
                return o;
            }
            // No run under way: what one broken off before its journal was
            // in place left beside it is of no use.
            removePlain(backJournalPath());
            removePlain(partPath());
            return o;
        }
        // A copy of a backup broken off midway is of no use.
        for (const Entry &e : j.entries)
            ::unlink(enc(backup(e.name) + QStringLiteral(".part")).constData());
        if (j.back)
            back(j);
        else
            forward(j);
        return outcome(j);
    }

    Outcome replace(const QStringList &names)
    {
        m_kind = Outcome::Kind::Failed;
        m_error.clear();
        Journal j;
        QStringList places;
        const QString folder = QFileInfo(m_dir).canonicalFilePath();
        for (const QString &n : names) {
            const QString p = place(n);
            // Two names of one file: which content it should get is unclear.
            if (places.contains(p))
                throw Failure{
                    QStringLiteral("%1 en %2 zijn hetzelfde bestand (%3)").arg(names.at(places.indexOf(p)), n, p)};
            // A link to a file of the program folder that no update may
            // replace (a data file, a file of the updater's own) would put
            // the program there.
            const QFileInfo target(p);
            if (QFileInfo(target.path()).canonicalFilePath() == folder && !mayReplace(target.fileName()))
                throw Failure{QStringLiteral("%1 leidt naar %2, dat een update niet mag vervangen.").arg(n, p)};
            places << p;
            j.entries << Entry{n, present(p)};
        }
        try {
            // The way back first, so that it is there before anything
            // changes; then the journal, which starts the run.
            Journal way = j;
            way.back = true;
            writeJournal(backJournalPath(), way);
            writeJournal(journalPath(), j);
        } catch (const Failure &f) {
            // Nothing has changed; the downloads wait, all of them.
            try {
                removePlain(backJournalPath());
            } catch (const Failure &) {
                // Removed by the next run.
            }
            Outcome o;
            o.kind = Outcome::Kind::Failed;
            o.error = f.text;
            o.names = names;
            return o;
        }
        forward(j);
        return outcome(j);
    }

private:
    QString m_dir;
    StepHook m_hook;
    WriteFault m_writeFault;
    int m_step = 0;
    int m_writes = 0;
    Outcome::Kind m_kind = Outcome::Kind::Failed;
    QString m_error;
};

Outcome stopped()
{
    Outcome o;
    o.kind = Outcome::Kind::Failed;
    o.error = QStringLiteral("afgebroken");
    return o;
}

} // namespace

QStringList waitingDownloads(const QString &dir)
{
    QStringList names;
    const QString prefix = QLatin1String(kNewPrefix);
    for (const QFileInfo &info :
         QDir(dir).entryInfoList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden, QDir::Name)) {
        const QString name = info.fileName().mid(prefix.size());
        if (!info.isSymLink() && mayReplace(name))
            names << name;
    }
    return names;
}

// Runs `body` on a run in `dir`; a stop or a failure on the way becomes the
// outcome.
template <class Body> Outcome guarded(const QString &dir, const StepHook &hook, const WriteFault &writeFault, Body body)
{
    try {
        Run run(dir, hook, writeFault);
        return body(run);
    } catch (const Stopped &) {
        return stopped();
    } catch (const Failure &f) {
        Outcome o;
        o.kind = Outcome::Kind::Failed;
        o.error = f.text;
        return o;
    }
}

Outcome recover(const QString &dir, const StepHook &hook, const WriteFault &writeFault)
{
    return guarded(dir, hook, writeFault, [](Run &run) { return run.recover(); });
}

Outcome replaceAll(const QString &dir, const StepHook &hook, const WriteFault &writeFault)
{
    return guarded(dir, hook, writeFault, [&dir](Run &run) {
        Outcome earlier = run.recover();
        if (earlier.kind == Outcome::Kind::Failed)
            return earlier; // an unfinished run that cannot be finished: touch nothing more
        const QStringList names = waitingDownloads(dir);
        if (names.isEmpty())
            return earlier;
        return run.replace(names);
    });
}

} // namespace updater
