#include "shell/shell_open.h"

#include "platform/os/open_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace modAPI_2_ShellExecute {

namespace {

QString uitkomst(int code, const QString &tekst = QString())
{
    return tekst.isEmpty() ? QString::number(code) : QString::number(code) + QStringLiteral(", ") + tekst;
}

} // namespace

// A program this system cannot start: a DOS or Windows program (its file
// begins with "MZ").
bool isVreemdProgramma(const QString &pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) && f.read(2) == QByteArrayLiteral("MZ");
}

QString ShellOpen(const QString &bestand, qint32 toonModus)
{
    Q_UNUSED(toonModus);
    const QUrl url = os::documentUrl(bestand);
    if (url.isEmpty()) {
        // Nothing to hand over: a local file that is not there.
        const QFileInfo info(bestand.trimmed());
        if (!bestand.trimmed().isEmpty() && !info.absoluteDir().exists())
            return uitkomst(3, QStringLiteral("Error: Path not found. Couldn't Execute!"));
        return uitkomst(2, QStringLiteral("Error: File not found.  Couldn't Execute!"));
    }
    if (url.isLocalFile()) {
        const QFileInfo info(url.toLocalFile());
        // The shell's "access denied".
        if (!info.isReadable())
            return uitkomst(5);
        if (info.isFile() && isVreemdProgramma(info.filePath()))
            return uitkomst(11, QStringLiteral("Error:  Bad File Format. Couldn't Execute!"));
    }
    // The desktop only says whether it could start the program that opens
    // it; when it could not, the system lacked what it takes to start one.
    // Whether that program then finds the file usable is its own affair.
    if (!os::openDocument(bestand))
        return uitkomst(0, QStringLiteral("Error: Out of Memory/Resources. Couldn't execute!"));
    return uitkomst(-1);
}

} // namespace modAPI_2_ShellExecute

namespace modAPI_1 {

qint32 SetTopMost(QWidget *window, bool bovenop)
{
    if (!window)
        return 0;
    const bool zichtbaar = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, bovenop);
    // Changing a window flag hides a top-level window; show it again.
    if (zichtbaar && !window->isVisible())
        window->show();
    return bovenop ? 1 : 0;
}

} // namespace modAPI_1
