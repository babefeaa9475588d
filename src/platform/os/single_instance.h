#pragma once
// The check that the program runs once per user: a lock file named after
// the program in the user's runtime folder (or, without one, the temporary
// folder, with the user id in the name). The lock of a process that has
// died is stale and is taken over.

#include <QString>
#include <memory>

class QLockFile;

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
    // process (or another SingleInstance of this one) holds it.
    bool tryLock();
    // Gives the lock up; also done by the destructor.
    void release();
    bool isLocked() const;

    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace os
