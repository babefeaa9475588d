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
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace updater {

namespace {

constexpr const char *kJournalHeader = "runupd 1";
constexpr const char *kForward = "forward";
constexpr const char *kBack = "back";

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
    Run(const QString &dir, const StepHook &hook) : m_dir(QDir::cleanPath(dir)), m_hook(hook) {}

    QString path(const QString &name) const { return m_dir + QLatin1Char('/') + name; }
    // The download, as it waits in the program folder.
    QString fresh(const QString &name) const { return path(QLatin1String(kNewPrefix) + name); }
    QString journalPath() const { return path(QLatin1String(kJournalName)); }

    // The file that takes the new content: the one the program folder's
    // entry finally names. A program file that is a symbolic link (a chain
    // of them) stays a link, and the file behind it is replaced.
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
        const int fd = ::open(enc(QFileInfo(file).path()).constData(), O_RDONLY | O_DIRECTORY);
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

    // Moves a download between the program folder and the folder of its
    // place; to another file system as a complete copy, after which the
    // download goes. Broken off, it is done again: the copy takes its
    // target's place only when complete.
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

    void writeJournal(const Journal &j)
    {
        QByteArray text = QByteArray(kJournalHeader) + '\n' + (j.back ? kBack : kForward) + '\n';
        for (const Entry &e : j.entries)
            text += (e.existed ? "1 " : "0 ") + e.name.toUtf8() + '\n';
        const QString part = journalPath() + QStringLiteral(".part");
        const int fd = ::open(enc(part).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            fail(errno, part);
        const bool written = ::write(fd, text.constData(), size_t(text.size())) == text.size() && ::fsync(fd) == 0;
        const int writeErr = errno;
        ::close(fd);
        if (!written) {
            ::unlink(enc(part).constData());
            fail(writeErr, part);
        }
        rename(part, journalPath());
    }

    // The journal, or false when there is none (or it cannot be read as one).
    bool readJournal(Journal &j, QString &why) const
    {
        QFile f(journalPath());
        if (!f.exists())
            return false;
        if (!f.open(QIODevice::ReadOnly)) {
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
    // program (an executable or a script) may be run.
    void takeMode(const Entry &e)
    {
        struct stat st {};
        mode_t mode = 0644;
        if (e.existed && ::stat(enc(place(e.name)).constData(), &st) == 0) {
            mode = st.st_mode & 07777;
        } else {
            QFile f(staged(e.name));
            if (f.open(QIODevice::ReadOnly)) {
                const QByteArray head = f.read(4);
                if (head
                        == QByteArray("\x7f"
                                      "ELF",
                                      4)
                    || head.startsWith("#!"))
                    mode = 0755;
            }
        }
        if (::chmod(enc(staged(e.name)).constData(), mode) != 0)
            fail(errno, staged(e.name));
    }

    void keepBackup(const Entry &e)
    {
        if (!e.existed || present(backup(e.name)))
            return;
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

    void forward(Journal &j)
    {
        try {
            for (const Entry &e : j.entries) {
                if (stagedElsewhere(e.name) && present(fresh(e.name)))
                    move(fresh(e.name), staged(e.name));
                if (!present(staged(e.name)))
                    continue; // in place already
                keepBackup(e);
                takeMode(e);
                rename(staged(e.name), place(e.name));
            }
        } catch (const Failure &f) {
            m_error = f.text;
            j.back = true;
            try {
                writeJournal(j);
            } catch (const Failure &) {
                // The journal still says forward: a later run may then
                // complete the replacement instead; either way is whole.
            }
            back(j);
            return;
        }
        for (const Entry &e : j.entries)
            remove(backup(e.name));
        remove(journalPath());
        m_kind = Outcome::Kind::Replaced;
    }

    void back(const Journal &j)
    {
        try {
            for (qsizetype i = j.entries.size() - 1; i >= 0; --i) {
                const Entry &e = j.entries.at(i);
                if (present(fresh(e.name)) || present(staged(e.name))) {
                    // Not placed: the original is still there, and the
                    // download waits in the program folder again.
                    remove(backup(e.name));
                    if (stagedElsewhere(e.name) && present(staged(e.name))) {
                        if (present(fresh(e.name)))
                            remove(staged(e.name));
                        else
                            move(staged(e.name), fresh(e.name));
                    }
                } else if (present(backup(e.name))) {
                    rename(backup(e.name), place(e.name));
                } else if (!e.existed && present(place(e.name))) {
                    remove(place(e.name));
                }
            }
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
            }
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
        for (const QString &n : names) {
            const QString p = place(n);
            // Two names of one file: which content it should get is unclear.
            if (places.contains(p))
                throw Failure{
                    QStringLiteral("%1 en %2 zijn hetzelfde bestand (%3)").arg(names.at(places.indexOf(p)), n, p)};
            places << p;
            j.entries << Entry{n, present(p)};
        }
        try {
            writeJournal(j);
        } catch (const Failure &f) {
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
    int m_step = 0;
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
template <class Body> Outcome guarded(const QString &dir, const StepHook &hook, Body body)
{
    try {
        Run run(dir, hook);
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

Outcome recover(const QString &dir, const StepHook &hook)
{
    return guarded(dir, hook, [](Run &run) { return run.recover(); });
}

Outcome replaceAll(const QString &dir, const StepHook &hook)
{
    return guarded(dir, hook, [&dir](Run &run) {
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
