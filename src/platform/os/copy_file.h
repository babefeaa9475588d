#pragma once
// Copying a file so that the target is never half written: the copy goes to
// a temporary file beside the target, is flushed to disk, and is then
// renamed over the target in one step (os::ReplacingFile). Until that step
// the target is untouched; on any failure the temporary file is removed, and
// what a copy killed midway left is removed by the next copy into the
// folder.

#include "platform/core/error.h"

#include <QString>

namespace os {

struct CopyResult {
    bool ok = false;
    long number = 0;     // a system error number (see system_error.h); 0 when ok
    QString description; // Dutch, with the system's text; empty when ok

    explicit operator bool() const { return ok; }
    // The failure as an error to raise.
    platform::Error error(const QString &source = QString()) const;
};

// Copies `source` to `target`, with the source's permissions. With
// `failIfExists` an existing target is left alone and the copy fails (also
// when the target appears while copying).
CopyResult copyFile(const QString &source, const QString &target, bool failIfExists);

} // namespace os
