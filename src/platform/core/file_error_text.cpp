#include "platform/core/file_error_text.h"

#include <QFileDevice>

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

struct Reason {
    int errnum;
    const char *dutch;
};

constexpr Reason kReasons[] = {
    {ENOENT, "het bestand of de map bestaat niet"},
    {EACCES, "geen toegang"},
    {EPERM, "niet toegestaan"},
    {EROFS, "het bestandssysteem is alleen-lezen"},
    {ENOSPC, "de schijf is vol"},
    {EDQUOT, "de schijfruimte van de gebruiker is op"},
    {EFBIG, "het bestand is te groot"},
    {EISDIR, "dit is een map"},
    {ENOTDIR, "een deel van het pad is geen map"},
    {EEXIST, "het bestand bestaat al"},
    {EBUSY, "het bestand is in gebruik"},
    {ETXTBSY, "het bestand is in gebruik"},
    {EMFILE, "te veel geopende bestanden"},
    {ENFILE, "te veel geopende bestanden"},
    {ENAMETOOLONG, "de bestandsnaam is te lang"},
    {EIO, "invoer-/uitvoerfout"},
    {EINVAL, "ongeldige bestandsnaam"},
    {ELOOP, "te veel symbolische koppelingen"},
    {EXDEV, "verplaatsen tussen bestandssystemen is niet mogelijk"},
};

// The system's English texts as Qt gives them: Qt has its own texts for a
// few numbers and takes the C library's for the others.
QString englishText(int errnum)
{
    switch (errnum) {
    case EACCES:
        return QStringLiteral("Permission denied");
    case EMFILE:
        return QStringLiteral("Too many open files");
    case ENOENT:
        return QStringLiteral("No such file or directory");
    case ENOSPC:
        return QStringLiteral("No space left on device");
    default:
        return QString::fromLocal8Bit(std::strerror(errnum));
    }
}

} // namespace

QString dutchSystemErrorText(int errnum)
{
    for (const Reason &r : kReasons)
        if (r.errnum == errnum)
            return QString::fromUtf8(r.dutch);
    return QString();
}

QString dutchFileError(const QFileDevice &file)
{
    const QString english = file.errorString();
    for (const Reason &r : kReasons)
        if (english.compare(englishText(r.errnum), Qt::CaseInsensitive) == 0
            || english.endsWith(QStringLiteral(": ") + englishText(r.errnum), Qt::CaseInsensitive))
            return QString::fromUtf8(r.dutch);
    return QString();
}

QString inParentheses(const QString &reason)
{
    return reason.isEmpty() ? QString() : QStringLiteral(" (") + reason + QLatin1Char(')');
}

} // namespace platform
