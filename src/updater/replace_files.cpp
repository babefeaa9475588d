#include "updater/replace_files.h"

#include "updater/update_names.h"

#include "platform/os/copy_file.h"
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
    QString fresh(const QString &name) const { return path(QLatin1String(kNewPrefix) + name); }
    QString backup(const QString &name) const { return path(QLatin1String(kBackupPrefix) + name); }
    QString journalPath() const { return path(QLatin1String(kJournalName)); }

    void step()
    {
        ++m_step;
        if (m_hook && !m_hook(m_step))
            throw Stopped{};
    }

    // The folder's entries reach the disk: a rename is kept after a crash.
    void syncDir() const
    {
        const int fd = ::open(enc(m_dir).constData(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }

    void rename(const QString &from, const QString &to)
    {
        if (::rename(enc(from).constData(), enc(to).constData()) != 0)
            fail(errno, to);
        syncDir();
        step();
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
        if (e.existed && ::stat(enc(path(e.name)).constData(), &st) == 0) {
            mode = st.st_mode & 07777;
        } else {
            QFile f(fresh(e.name));
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
        if (::chmod(enc(fresh(e.name)).constData(), mode) != 0)
            fail(errno, fresh(e.name));
    }

    void keepBackup(const Entry &e)
    {
        if (!e.existed || present(backup(e.name)))
            return;
        if (::link(enc(path(e.name)).constData(), enc(backup(e.name)).constData()) == 0) {
            syncDir();
            step();
            return;
        }
        const int linkErr = errno;
        if (linkErr == ENOENT)
            fail(linkErr, path(e.name));
        // A file system without hard links: a complete copy, renamed into place.
        const os::CopyResult copy = os::copyFile(path(e.name), backup(e.name), true);
        if (!copy)
            throw Failure{copy.description};
        step();
    }

    void forward(Journal &j)
    {
        try {
            for (const Entry &e : j.entries) {
                if (!present(fresh(e.name)))
                    continue; // in place already
                keepBackup(e);
                takeMode(e);
                rename(fresh(e.name), path(e.name));
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
                if (present(fresh(e.name))) {
                    // Not placed: the original is still there.
                    remove(backup(e.name));
                } else if (present(backup(e.name))) {
                    rename(backup(e.name), path(e.name));
                } else if (!e.existed && present(path(e.name))) {
                    remove(path(e.name));
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
        for (const QString &n : names)
            j.entries << Entry{n, present(path(n))};
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
