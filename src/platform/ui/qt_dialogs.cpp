#include "platform/ui/qt_dialogs.h"

#include "platform/ui/file_filter.h"
#include "platform/ui/vb_color.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QSpacerItem>

namespace ui {

namespace {

QString plainLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A short text makes a narrow box, and the window manager cuts the title
// in its title bar, which Qt does not draw and so does not measure. A box
// keeps the width of its title in the title bar's font, bold as most window
// managers set it, with room for the window's icon, its close button and
// the borders.
int titleBarWidth(const QString &title)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + 120;
}

} // namespace

QMessageBox::StandardButton standardButton(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Abort:
        return QMessageBox::Abort;
    case Answer::Retry:
        return QMessageBox::Retry;
    case Answer::Ignore:
        return QMessageBox::Ignore;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

Answer answerOf(QMessageBox::StandardButton button, Answer closed)
{
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Abort:
        return Answer::Abort;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Ignore:
        return Answer::Ignore;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return closed;
    }
}

void configureMessageBox(QMessageBox &box, const MsgBoxRequest &request)
{
    box.setWindowTitle(shownTitle(request.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(plainLines(request.text));
    box.setIcon(qtIcon(request.icon));
    QMessageBox::StandardButtons buttons;
    for (Answer answer : answersOf(request.buttons))
        buttons |= standardButton(answer);
    box.setStandardButtons(buttons);
    box.setDefaultButton(standardButton(defaultAnswer(request.buttons, request.defaultButton)));
    box.setEscapeButton(standardButton(escapeAnswer(request.buttons)));
    // The box sizes itself from its layout.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titleBarWidth(box.windowTitle()), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void configureInputDialog(QInputDialog &dialog, const InputRequest &request)
{
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(shownTitle(request.title));
    dialog.setLabelText(plainLines(request.prompt));
    dialog.setTextValue(request.defaultText);
    // The dialog is laid out when it shows, as wide as its prompt at least.
    if (auto *label = dialog.findChild<QLabel *>())
        label->setMinimumWidth(titleBarWidth(dialog.windowTitle()));
}

void configureFileDialog(QFileDialog &dialog, FileDialogMode mode, const FileDialogRequest &request)
{
    const bool save = mode == FileDialogMode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && (request.flags & FileFlag::FileMustExist) ? QFileDialog::ExistingFile
                                                                          : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.flags & FileFlag::OverwritePrompt));
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);

    const QStringList filters = toQtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index =
            request.filterIndex >= 1 && request.filterIndex <= filters.size() ? request.filterIndex - 1 : 0;
        dialog.selectNameFilter(filters.at(index));
    }
    // A name typed without a dot gets the filter's extension from the dialog
    // itself, which then asks about overwriting the file of that name.
    const QStringList extensions = filterExtensions(request.filter, request.filterIndex);
    dialog.setDefaultSuffix(extensions.isEmpty() ? request.defaultExt : extensions.constFirst());

    const QFileInfo proposed(request.fileName);
    if (!request.initialDir.isEmpty())
        dialog.setDirectory(request.initialDir);
    else if (!request.fileName.isEmpty() && proposed.isAbsolute())
        dialog.setDirectory(proposed.absolutePath());
    if (!request.fileName.isEmpty())
        dialog.selectFile(proposed.isAbsolute() ? request.fileName : proposed.fileName());
}

bool fileChoiceAcceptable(const QString &fileName, int flags)
{
    const QFileInfo info(fileName);
    if ((flags & FileFlag::PathMustExist) && !info.absoluteDir().exists())
        return false;
    if ((flags & FileFlag::FileMustExist) && !info.exists())
        return false;
    return true;
}

QtDialogs::QtDialogs(QWidget *parent) : m_parent(parent) {}

void QtDialogs::setParentWidget(QWidget *parent)
{
    m_parent = parent;
}

QWidget *QtDialogs::parentWidget() const
{
    return m_parent ? m_parent.data() : QApplication::activeWindow();
}

Answer QtDialogs::messageBox(const MsgBoxRequest &request)
{
    QMessageBox box(parentWidget());
    configureMessageBox(box, request);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    return answerOf(clicked, escapeAnswer(request.buttons));
}

InputResult QtDialogs::inputBox(const InputRequest &request)
{
    QInputDialog dialog(parentWidget());
    configureInputDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return InputResult{QString(), true};
    return InputResult{dialog.textValue(), false};
}

FileDialogResult QtDialogs::fileDialog(FileDialogMode mode, const FileDialogRequest &request)
{
    FileDialogRequest current = request;
    for (;;) {
        QFileDialog dialog(parentWidget());
        configureFileDialog(dialog, mode, current);
        FileDialogResult result;
        result.filterIndex = request.filterIndex;
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return result;
        QString chosen = QDir::cleanPath(dialog.selectedFiles().constFirst());
        const int filterIndex = int(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
        if (mode == FileDialogMode::Save) {
            // A name with a dot of its own ("Stort 2.0") gets the extension
            // only now: the question about overwriting is asked for the
            // file that will be written.
            const QString named = withFilterExtension(
                chosen, current.filter, filterIndex > 0 ? filterIndex : current.filterIndex, current.defaultExt);
            if (named != chosen && (current.flags & FileFlag::OverwritePrompt) && QFileInfo::exists(named)
                && QMessageBox::warning(
                       parentWidget(), dialog.windowTitle(),
                       QStringLiteral("%1 bestaat al.\nWilt u het vervangen?").arg(QDir::toNativeSeparators(named)),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                       != QMessageBox::Yes) {
                current.initialDir = QFileInfo(named).absolutePath();
                current.fileName = QFileInfo(named).fileName();
                if (filterIndex > 0)
                    current.filterIndex = filterIndex;
                continue;
            }
            chosen = named;
        }
        if (fileChoiceAcceptable(chosen, current.flags)) {
            result.cancelled = false;
            result.fileName = QDir::toNativeSeparators(chosen);
            result.filterIndex = filterIndex > 0 ? filterIndex : request.filterIndex;
            return result;
        }
        QMessageBox::warning(parentWidget(), dialog.windowTitle(),
                             QStringLiteral("%1\nHet pad of bestand bestaat niet. Controleer of de juiste "
                                            "naam is opgegeven.")
                                 .arg(QDir::toNativeSeparators(chosen)));
        // Ask again, where the user left off.
        QString folder = QFileInfo(chosen).absolutePath();
        while (!QDir(folder).exists() && QFileInfo(folder).absolutePath() != folder)
            folder = QFileInfo(folder).absolutePath();
        current.initialDir = folder;
        current.fileName = QFileInfo(chosen).fileName();
        if (filterIndex > 0)
            current.filterIndex = filterIndex;
    }
}

ColorResult QtDialogs::colorDialog(long initialColor)
{
    QColorDialog dialog(parentWidget());
    const QColor initial = fromVbColor(initialColor);
    dialog.setCurrentColor(initial.isValid() ? initial : QColor(Qt::black));
    if (dialog.exec() != QDialog::Accepted)
        return ColorResult{true, initialColor};
    return ColorResult{false, toVbColor(dialog.selectedColor())};
}

} // namespace ui
