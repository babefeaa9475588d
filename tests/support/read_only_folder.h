#pragma once
// A folder that cannot be written, for tests of read-only data files and
// report folders.

#include <QFile>
#include <QString>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testsupport {

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
            m_dropped = capset(m_saved[0].effective & ~kOverrides);
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
    static constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

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

} // namespace testsupport
