#pragma once
// A hold on a file that every process can see, on this machine and on any
// other that shares the file system: a lock on one byte of the file, shared
// by any number of holders or taken solely by one. The system releases it
// when the process ends, however it ends (also when it is killed); on a
// network file system the server does so when the client's process ends.
//
// The lock is an open-file-description lock (fcntl F_OFD_SETLK) on the
// byte at kHoldByte, 512 bytes above 1 GiB:
//  - Not a classic POSIX lock (F_SETLK): the process keeps those per file,
//    not per descriptor, and closing any descriptor of the file drops them
//    all. SQLite opens and closes its own descriptors of a database file
//    as connections come and go, and would so drop the hold unseen.
//  - Not flock(): on NFS that becomes a lock on the whole file, which would
//    stand in the way of SQLite's own locks in other processes.
//  - SQLite's own locks (all POSIX locks) are on the 512 bytes from 1 GiB
//    (its "pending byte", the reserved byte and the shared range); the
//    hold's byte is the first after them. With pages of 1 KiB or more it
//    lies on the page SQLite never uses, so no read or write of the
//    database ever touches it, also where a server enforces byte locks.
//    Locks of the two kinds on different bytes never meet.
// The file is never changed by the hold; a lock beyond the file's end is
// allowed.
//
// Closing the hold's descriptor, like closing any other descriptor of the
// file, drops the process's POSIX locks on it, SQLite's among them: a hold
// is released only while no transaction of this process is open on the
// file.

#include <QString>

#include <sys/types.h>

namespace os {

class FileHold {
public:
    enum class Outcome {
        Held,  // the hold is taken
        InUse, // another holder keeps the file (for a sole hold: any other)
        Failed // the file cannot be opened, or its file system keeps no locks
    };

    static constexpr off_t kHoldByte = 0x40000200;

    FileHold() = default;
    ~FileHold(); // releases the hold
    FileHold(const FileHold &) = delete;
    FileHold &operator=(const FileHold &) = delete;

    // A hold shared with every other shared holder of the file `path`
    // names. Waits while another process holds it solely (a compaction,
    // which takes seconds), then holds the file that `path` names by then.
    Outcome share(const QString &path);
    // The file `path` names, held by this hold alone, without waiting:
    // InUse while any other hold on it is kept, in this process or another.
    Outcome takeSole(const QString &path);
    void release();

    bool isHeld() const { return m_fd >= 0; }
    // Whether `path` still names the held file, and not one put in its place.
    bool holds(const QString &path) const;
    int errorNumber() const { return m_errno; } // errno of the last failure

private:
    Outcome take(const QString &path, bool sole);

    int m_fd = -1;
    int m_errno = 0;
};

} // namespace os
