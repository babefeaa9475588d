#pragma once
// A file that takes the place of its target in one step, so that the target
// is never half written: the bytes go to a temporary file beside the target,
// are flushed to disk, and the temporary file is then renamed over the
// target. Until then the target is untouched.
//
// The target is the file the path finally names (finalTarget): a path that
// is a symbolic link, or a chain of them, keeps its links, and the new
// content takes the place of the file at the end of the chain. A rename onto
// the link itself would put a plain file in the link's place, and every
// later change would go into that copy instead of the file it named (a
// shared file on a network drive, say).
//
// The temporary file is hidden and named after its target: "." + the
// target's name + ".tavir-" + six random letters or digits. Its writer holds
// an exclusive lock (flock) on it until the rename, so that a temporary file
// whose writer was killed can be told from one being written now: the next
// write into the same folder removes the first kind (removeLeftovers), and
// never a file of any other name.

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

namespace os {

class ReplacingFile {
public:
    explicit ReplacingFile(const QString &target);
    ~ReplacingFile(); // removes the temporary file unless it was committed
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    // Creates the temporary file. False on failure (see errorNumber).
    bool open();
    // Appends `bytes`; false when not all of them could be written.
    bool write(const QByteArray &bytes);
    // Flushes the file to disk, gives it `permissions` (by default those of
    // the target it replaces, else the usual ones for a new file) and
    // renames it over the target; with `noReplace` only when no target
    // exists (EEXIST otherwise). False on failure; the target is then as it
    // was and the temporary file is gone.
    bool commit(std::optional<QFileDevice::Permissions> permissions = std::nullopt, bool noReplace = false);

    int errorNumber() const { return m_errno; } // errno of the failure
    QString errorString() const;                // its Dutch text, or an empty one
    QString temporaryPath() const { return m_temp; }

private:
    bool fail(int errnum);
    void discard();

    QString m_target;
    QString m_temp;
    int m_fd = -1;
    int m_errno = 0;
};

// The file that `path` finally names: a symbolic link is followed, through a
// chain of links, to the path at its end, whether a file stands there or not
// (a link whose file is missing gets it). A relative link is read from the
// folder the link stands in, as the system reads it. A path that is no link
// comes back as it is (absolute). Empty, with *error set to ELOOP, for a
// chain that does not end.
QString finalTarget(const QString &path, int *error = nullptr);

// Whether `fileName` (without folder) is named as our temporary files are.
bool isTemporaryName(const QString &fileName);

// Removes from `folder` every temporary file of ours whose writer is gone
// (killed before it renamed the file); returns how many. A temporary file
// that is being written, and every file of another name, stay.
int removeLeftovers(const QString &folder);

// The same beside the file that `target` finally names, where a
// ReplacingFile of `target` writes its temporary file.
int removeLeftoversBeside(const QString &target);

} // namespace os
