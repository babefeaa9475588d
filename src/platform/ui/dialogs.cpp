#include "platform/ui/dialogs.h"

#include "platform/ui/file_filter.h"

#include "platform/core/error.h"

#include <QDebug>

namespace ui {

QString programTitle()
{
    return QStringLiteral("TAVIR");
}

QString shownTitle(const QString &title)
{
    return title.isEmpty() ? programTitle() : title;
}

QList<Answer> answersOf(Buttons buttons)
{
    switch (buttons) {
    case Buttons::OK:
        return {Answer::Ok};
    case Buttons::OKCancel:
        return {Answer::Ok, Answer::Cancel};
    case Buttons::AbortRetryIgnore:
        return {Answer::Abort, Answer::Retry, Answer::Ignore};
    case Buttons::YesNoCancel:
        return {Answer::Yes, Answer::No, Answer::Cancel};
    case Buttons::YesNo:
        return {Answer::Yes, Answer::No};
    case Buttons::RetryCancel:
        return {Answer::Retry, Answer::Cancel};
    }
    return {Answer::Ok};
}

Answer defaultAnswer(Buttons buttons, DefaultButton defaultButton)
{
    const QList<Answer> answers = answersOf(buttons);
    int index = 0;
    if (defaultButton == DefaultButton::Second)
        index = 1;
    else if (defaultButton == DefaultButton::Third)
        index = 2;
    // A default beyond the set falls back to its first button.
    return index < answers.size() ? answers.at(index) : answers.first();
}

Answer escapeAnswer(Buttons buttons)
{
    const QList<Answer> answers = answersOf(buttons);
    if (answers.contains(Answer::Cancel))
        return Answer::Cancel;
    if (answers.contains(Answer::No))
        return Answer::No;
    if (answers.contains(Answer::Abort))
        return Answer::Abort;
    return Answer::Ok;
}

QString toString(Buttons buttons)
{
    switch (buttons) {
    case Buttons::OK:
        return QStringLiteral("OK");
    case Buttons::OKCancel:
        return QStringLiteral("OKCancel");
    case Buttons::AbortRetryIgnore:
        return QStringLiteral("AbortRetryIgnore");
    case Buttons::YesNoCancel:
        return QStringLiteral("YesNoCancel");
    case Buttons::YesNo:
        return QStringLiteral("YesNo");
    case Buttons::RetryCancel:
        return QStringLiteral("RetryCancel");
    }
    return QStringLiteral("Buttons(%1)").arg(int(buttons));
}

QString toString(Icon icon)
{
    switch (icon) {
    case Icon::None:
        return QStringLiteral("None");
    case Icon::Critical:
        return QStringLiteral("Critical");
    case Icon::Question:
        return QStringLiteral("Question");
    case Icon::Exclamation:
        return QStringLiteral("Exclamation");
    case Icon::Information:
        return QStringLiteral("Information");
    }
    return QStringLiteral("Icon(%1)").arg(int(icon));
}

QString toString(DefaultButton defaultButton)
{
    switch (defaultButton) {
    case DefaultButton::First:
        return QStringLiteral("First");
    case DefaultButton::Second:
        return QStringLiteral("Second");
    case DefaultButton::Third:
        return QStringLiteral("Third");
    }
    return QStringLiteral("DefaultButton(%1)").arg(int(defaultButton));
}

QString toString(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QStringLiteral("Ok");
    case Answer::Cancel:
        return QStringLiteral("Cancel");
    case Answer::Abort:
        return QStringLiteral("Abort");
    case Answer::Retry:
        return QStringLiteral("Retry");
    case Answer::Ignore:
        return QStringLiteral("Ignore");
    case Answer::Yes:
        return QStringLiteral("Yes");
    case Answer::No:
        return QStringLiteral("No");
    }
    return QStringLiteral("Answer(%1)").arg(int(answer));
}

QString toString(FileDialogMode mode)
{
    return mode == FileDialogMode::Open ? QStringLiteral("open") : QStringLiteral("save");
}

Dialogs::~Dialogs() = default;

Answer Dialogs::MsgBox(const QString &text, Buttons buttons, Icon icon, const QString &title,
                       DefaultButton defaultButton)
{
    return messageBox(MsgBoxRequest{text, buttons, icon, title, defaultButton});
}

QString Dialogs::InputBox(const QString &prompt, const QString &title, const QString &defaultText, bool *cancelled)
{
    InputResult result = inputBox(InputRequest{prompt, title, defaultText});
    if (cancelled)
        *cancelled = result.cancelled;
    return result.cancelled ? QString() : result.text;
}

FileDialogResult Dialogs::ShowOpen(const FileDialogRequest &request)
{
    return fileDialog(FileDialogMode::Open, request);
}

FileDialogResult Dialogs::ShowSave(const FileDialogRequest &request)
{
    // The file gets the extension of the filter it was saved under, so that
    // the same filter finds it again, whatever the dialog did with the name.
    FileDialogResult result = fileDialog(FileDialogMode::Save, request);
    if (!result.cancelled)
        result.fileName = withFilterExtension(result.fileName, request.filter, result.filterIndex, request.defaultExt);
    return result;
}

ColorResult Dialogs::ShowColor(long initialColor)
{
    return colorDialog(initialColor);
}

namespace {

// Answers every box without showing it, and says so in the log.
class UnattendedDialogs final : public Dialogs {
public:
    Answer messageBox(const MsgBoxRequest &request) override
    {
        const Answer answer = escapeAnswer(request.buttons);
        qWarning().noquote() << "ui: no dialog service installed; message box" << shownTitle(request.title) << ":"
                             << request.text << "answered" << toString(answer);
        return answer;
    }
    InputResult inputBox(const InputRequest &request) override
    {
        qWarning().noquote() << "ui: no dialog service installed; input box" << shownTitle(request.title) << ":"
                             << request.prompt << "cancelled";
        return InputResult{QString(), true};
    }
    FileDialogResult fileDialog(FileDialogMode mode, const FileDialogRequest &request) override
    {
        qWarning().noquote() << "ui: no dialog service installed;" << toString(mode) << "file dialog" << request.title
                             << "cancelled";
        FileDialogResult result;
        result.filterIndex = request.filterIndex;
        return result;
    }
    ColorResult colorDialog(long initialColor) override
    {
        qWarning().noquote() << "ui: no dialog service installed; colour dialog cancelled";
        return ColorResult{true, initialColor};
    }
};

UnattendedDialogs &unattended()
{
    static UnattendedDialogs instance;
    return instance;
}

Dialogs *g_current = nullptr;

} // namespace

Dialogs &dialogs()
{
    return g_current ? *g_current : unattended();
}

Dialogs *setDialogs(Dialogs *dialogs)
{
    Dialogs *previous = g_current;
    g_current = dialogs;
    return previous;
}

Answer MsgBox(const QString &text, Buttons buttons, Icon icon, const QString &title, DefaultButton defaultButton)
{
    return dialogs().MsgBox(text, buttons, icon, title, defaultButton);
}

QString InputBox(const QString &prompt, const QString &title, const QString &defaultText, bool *cancelled)
{
    return dialogs().InputBox(prompt, title, defaultText, cancelled);
}

FileDialogResult ShowOpen(const FileDialogRequest &request)
{
    return dialogs().ShowOpen(request);
}

FileDialogResult ShowSave(const FileDialogRequest &request)
{
    return dialogs().ShowSave(request);
}

ColorResult ShowColor(long initialColor)
{
    return dialogs().ShowColor(initialColor);
}

void raiseCancelError()
{
    throw platform::Error(kCancelError, QStringLiteral("Cancel was selected."));
}

bool isCancelError(const platform::Error &error)
{
    return error.number() == kCancelError;
}

QString chosenFileOrRaise(const FileDialogResult &result)
{
    if (result.cancelled)
        raiseCancelError();
    return result.fileName;
}

long chosenColorOrRaise(const ColorResult &result)
{
    if (result.cancelled)
        raiseCancelError();
    return result.color;
}

} // namespace ui
