#pragma once
// The check that the program runs once per user: a lock file named after
// the program in the user's runtime folder (or, without one, the temporary
// folder, with the user id in the name).
//
// The lock is the system's own lock on the open file (flock), not what the
// file says: the system releases it when its holder ends, however it ends,
// so a holder killed at any moment (even between making the file and
// writing into it) never keeps a later start out. The file holds the
// holder's process id for whoever looks, and stays when the lock is given
// up; removing it then could let two processes each lock a file of their
// own.

#include <QString>

namespace os {

class SingleInstance {
public:
    // `name` names the program; characters that cannot be in a file name
    // are replaced.
    explicit SingleInstance(const QString &name);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // Takes the lock at once, without waiting. False while another live
    // process (or another SingleInstance of this one) holds it, or when the
    // lock file cannot be opened.
    bool tryLock();
    // Gives the lock up; also done by the destructor.
    void release();
    bool isLocked() const { return m_fd >= 0; }

    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace os
