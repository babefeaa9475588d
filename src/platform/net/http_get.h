#pragma once
// Requests that wait for their answer. While they wait, the program's
// events run (a local event loop), so that its windows stay responsive and
// a progress bar moves; callers keep their own commands from starting a
// second request meanwhile. The wait ends within the time-out, or sooner
// when the request is broken off (Options::cancellation).

#include "platform/net/http_request.h"

#include <QString>
#include <functional>

namespace net {

// Bytes received so far.
using Progress = std::function<void(qint64 received)>;

// GET of `url` into memory: the body in result.body.
Result get(const QUrl &url, const Options &options);

// GET of `url` into the file `target`. The response is written to a
// temporary file beside it, which takes the target's name only when the
// response is complete and, when `expectedSize` is 0 or more, exactly that
// many bytes long (else WrongSize), and only once every byte is flushed to
// disk (a full disk may refuse the data only then: a Write failure). On any
// failure the temporary file goes and the target is left as it was: never a
// half file under its name. Should the file on disk, read back after the
// rename, still not hold every byte sent, it is removed and the download
// fails.
Result download(const QUrl &url, const QString &target, const Options &options, qint64 expectedSize = -1,
                const Progress &progress = {});

// Tests: the flush to disk that a download calls (fsync when null), so that
// a disk refusing the flush can be played.
void setSyncToDiskForTests(int (*sync)(int fd));

// Text of a response body: UTF-8 when it is valid UTF-8, else Latin-1 (what
// a Windows server gives plain text files in).
QString textOf(const QByteArray &body);

} // namespace net
