#include "shell/shell_open.h"

#include "platform/os/open_document.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace modAPI_2_ShellExecute {

namespace {

QString uitkomst(int code, const QString &tekst = QString())
{
    return tekst.isEmpty() ? QString::number(code) : QString::number(code) + QStringLiteral(", ") + tekst;
}

} // namespace

QString ShellOpen(const QString &bestand, qint32 toonModus)
{
    Q_UNUSED(toonModus);
    if (os::documentUrl(bestand).isEmpty()) {
        // Nothing to hand over: a local file that is not there.
        const QFileInfo info(bestand.trimmed());
        if (!bestand.trimmed().isEmpty() && !info.absoluteDir().exists())
            return uitkomst(3, QStringLiteral("Error: Path not found. Couldn't Execute!"));
        return uitkomst(2, QStringLiteral("Error: File not found.  Couldn't Execute!"));
    }
    // The desktop opens it, or has no program for it (and its own choice of
    // program is left to the desktop).
    return os::openDocument(bestand) ? uitkomst(-1) : uitkomst(0);
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
