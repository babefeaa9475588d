#pragma once
// The reason a file could not be read or written, in Dutch, for messages
// that are Dutch: QFileDevice::errorString() gives the system's English text
// ("No such file or directory"). A reason without a Dutch text gives an
// empty text, so that the message leaves it out rather than mixing English
// into Dutch.

#include <QString>

class QFileDevice;

namespace platform {

// The Dutch text of the system error number `errnum`, or an empty text.
QString dutchSystemErrorText(int errnum);

// The Dutch reason of the last failure of `file`, or an empty text.
QString dutchFileError(const QFileDevice &file);

// " (reason)" for a reason that is not empty, else an empty text.
QString inParentheses(const QString &reason);

} // namespace platform
