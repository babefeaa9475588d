#include "platform/os/system_error.h"

#include "platform/core/file_error_text.h"

#include <cstring>

namespace os {

long systemErrorNumber(int errnum)
{
    return kSystemErrorBase + errnum;
}

bool isSystemErrorNumber(long number)
{
    return number > kSystemErrorBase && number <= kSystemErrorBase + kSystemErrorRange;
}

int errnoOf(long number)
{
    return isSystemErrorNumber(number) ? int(number - kSystemErrorBase) : 0;
}

namespace {

QString errnoText(int errnum)
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 32))
    // Null for an unknown value, where strerror would make up "Unknown error N".
    const char *text = strerrordesc_np(errnum);
    return text ? QString::fromUtf8(text) : QString();
#else
    char buffer[256] = {};
    if (strerror_r(errnum, buffer, sizeof buffer) != 0)
        return QString();
    const QString text = QString::fromLocal8Bit(buffer);
    return text.startsWith(QLatin1String("Unknown error")) ? QString() : text;
#endif
}

} // namespace

platform::Error systemError(int errnum, const QString &context, const QString &source)
{
    // The message is Dutch: the system's reason joins it in Dutch, or not
    // at all.
    const QString text = platform::dutchSystemErrorText(errnum);
    QString description;
    if (context.isEmpty())
        description = text.isEmpty() ? QStringLiteral("systeemfout %1").arg(errnum) : text;
    else
        description = text.isEmpty() ? context : context + QStringLiteral(": ") + text;
    return platform::Error(systemErrorNumber(errnum), description, source);
}

QString systemErrorText(long number)
{
    if (!isSystemErrorNumber(number))
        return QString();
    return errnoText(errnoOf(number));
}

} // namespace os
