#pragma once
// A folder that cannot be written, for tests of read-only data files and
// report folders, and a step run as an ordinary user would run it.

#include <QFile>
#include <QString>

#include <functional>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

// The capabilities that let root read, write and change files whatever
// their permissions.
inline constexpr unsigned kPermissionOverrides =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

// A folder that cannot be written for the lifetime of the guard. The tests
// may run as root, which ignores permissions; the guard then also drops the
// capabilities that override them from this thread (and gives them back).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &dir) : m_dir(dir)
    {
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                       | QFile::ReadOther | QFile::ExeOther);
        if (::geteuid() == 0 && capget())
            m_dropped = capset(m_saved[0].effective & ~kPermissionOverrides);
    }
    ~ReadOnlyFolder()
    {
        if (m_dropped)
            capset(m_saved[0].effective);
        QFile::setPermissions(m_dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    // Whether writing into the folder really fails.
    bool effective() const
    {
        QFile probe(m_dir + QStringLiteral("/.probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            return false;
        }
        return true;
    }

private:
    bool capget()
    {
        m_header = {_LINUX_CAPABILITY_VERSION_3, 0};
        return syscall(SYS_capget, &m_header, m_saved) == 0;
    }
    bool capset(unsigned effective)
    {
        __user_cap_data_struct data[2] = {m_saved[0], m_saved[1]};
        data[0].effective = effective;
        __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
        return syscall(SYS_capset, &header, data) == 0;
    }

    QString m_dir;
    bool m_dropped = false;
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
};

// Runs `step` as an ordinary user would: on a thread of its own that, when
// the tests run as root, has given up the capabilities that override file
// permissions. They go from the thread's permitted set too, which is what
// access() checks for root; so a read-only file reads as not writable to
// every check (a file's permissions as Qt reports them included), not only
// to the writes themselves. The thread ends with the step, so nothing needs
// giving back. False when the capabilities could not be given up; the step
// has not run then.
inline bool runAsOrdinaryUser(const std::function<void()> &step)
{
    bool ran = false;
    std::thread thread([&] {
        if (::geteuid() == 0) {
            __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
            __user_cap_data_struct data[2]{};
            if (syscall(SYS_capget, &header, data) != 0)
                return;
            data[0].effective &= ~kPermissionOverrides;
            data[0].permitted &= ~kPermissionOverrides;
            if (syscall(SYS_capset, &header, data) != 0)
                return;
        }
        step();
        ran = true;
    });
    thread.join();
    return ran;
}

} // namespace testsupport
