#pragma once
// The dialog service. Every message box, input box, file dialog and colour
// dialog of the program goes through ui::dialogs(): the program installs the
// Qt implementation (QtDialogs) at start, tests install a script
// (ScriptedDialogs) that checks every box and gives the answer.
//
// The enums carry the numbers of the classic MsgBox constants, so that a
// button set or answer read from old code keeps its meaning.

#include "platform/core/error_numbers.h"

#include <QList>
#include <QString>

namespace platform {
class Error;
}

namespace ui {

// The title of a message box or input box that names none of its own.
QString programTitle();

// The title as shown: the program title when `title` is empty.
QString shownTitle(const QString &title);

enum class Buttons {
    OK = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
};

enum class Icon {
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
};

// Which button Enter presses: the first, second or third of the set.
enum class DefaultButton {
    First = 0,
    Second = 256,
    Third = 512,
};

enum class Answer {
    Ok = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7,
};

// The answers of a button set, in the order the buttons are shown.
QList<Answer> answersOf(Buttons buttons);

// The answer of the set's default button (what Enter gives).
Answer defaultAnswer(Buttons buttons, DefaultButton defaultButton);

// The answer a box gives when it is closed without a choice (Escape or the
// window's close box): Cancel where the set has it, else No, else Abort for
// Abort/Retry/Ignore, and Ok for a box with OK alone. Also the safe answer
// that a test script gives to a box it did not expect.
Answer escapeAnswer(Buttons buttons);

QString toString(Buttons buttons);
QString toString(Icon icon);
QString toString(DefaultButton defaultButton);
QString toString(Answer answer);

struct MsgBoxRequest {
    QString text;
    Buttons buttons = Buttons::OK;
    Icon icon = Icon::None;
    QString title; // empty: the program title
    DefaultButton defaultButton = DefaultButton::First;
};

struct InputRequest {
    QString prompt;
    QString title; // empty: the program title
    QString defaultText;
};

// Cancel gives an empty text, as does OK on an empty field; `cancelled`
// tells them apart.
struct InputResult {
    QString text;
    bool cancelled = false;
};

// The flags of the classic common file dialog, as an int.
namespace FileFlag {
inline constexpr int ReadOnly = 0x1;
inline constexpr int OverwritePrompt = 0x2;
inline constexpr int HideReadOnly = 0x4;
inline constexpr int NoChangeDir = 0x8;
inline constexpr int PathMustExist = 0x800;
inline constexpr int FileMustExist = 0x1000;
inline constexpr int CreatePrompt = 0x2000;
} // namespace FileFlag

enum class FileDialogMode { Open, Save };

QString toString(FileDialogMode mode);

struct FileDialogRequest {
    QString title;       // empty: the dialog's own title
    QString filter;      // "desc|pattern|desc2|pattern2|", patterns joined by ';'
    int filterIndex = 1; // 1-based; out of range means the first
    QString initialDir;  // empty: the current folder
    QString fileName;    // proposed name (or full path)
    int flags = 0;       // FileFlag values
    QString defaultExt;  // a save's extension where the filter names none (withFilterExtension)
};

struct FileDialogResult {
    bool cancelled = true;
    QString fileName;    // full path of the chosen file
    int filterIndex = 1; // the filter in use when the dialog closed, 1-based
};

struct ColorResult {
    bool cancelled = true;
    long color = 0; // colour number 0x00BBGGRR
};

class Dialogs {
public:
    virtual ~Dialogs();

    Answer MsgBox(const QString &text, Buttons buttons = Buttons::OK, Icon icon = Icon::None,
                  const QString &title = QString(), DefaultButton defaultButton = DefaultButton::First);

    // Returns the typed text, or an empty text on Cancel; `cancelled`, when
    // given, tells whether Cancel was chosen.
    QString InputBox(const QString &prompt, const QString &title = QString(), const QString &defaultText = QString(),
                     bool *cancelled = nullptr);

    FileDialogResult ShowOpen(const FileDialogRequest &request);
    // The chosen name always ends in an extension of the filter in use: one
    // the user did not type is added (ui::withFilterExtension, file_filter.h),
    // whichever implementation asked.
    FileDialogResult ShowSave(const FileDialogRequest &request);

    // `initialColor` is the colour the dialog starts from.
    ColorResult ShowColor(long initialColor = 0);

    // What an implementation provides.
    virtual Answer messageBox(const MsgBoxRequest &request) = 0;
    virtual InputResult inputBox(const InputRequest &request) = 0;
    virtual FileDialogResult fileDialog(FileDialogMode mode, const FileDialogRequest &request) = 0;
    virtual ColorResult colorDialog(long initialColor) = 0;
};

// The implementation in use. Until one is installed, every box is answered
// unattended with its escape answer (and an empty text, a cancelled file or
// colour dialog) and logged as a warning: a box never blocks a program or a
// test that forgot to install a dialog service.
Dialogs &dialogs();

// Installs `dialogs` (not owned; nullptr goes back to the unattended one)
// and returns the one installed before.
Dialogs *setDialogs(Dialogs *dialogs);

// Installs a dialog service for the lifetime of the guard.
class ScopedDialogs {
public:
    explicit ScopedDialogs(Dialogs *dialogs) : m_previous(setDialogs(dialogs)) {}
    ~ScopedDialogs() { setDialogs(m_previous); }
    ScopedDialogs(const ScopedDialogs &) = delete;
    ScopedDialogs &operator=(const ScopedDialogs &) = delete;

private:
    Dialogs *m_previous;
};

// Shortcuts to the installed implementation.
Answer MsgBox(const QString &text, Buttons buttons = Buttons::OK, Icon icon = Icon::None,
              const QString &title = QString(), DefaultButton defaultButton = DefaultButton::First);
QString InputBox(const QString &prompt, const QString &title = QString(), const QString &defaultText = QString(),
                 bool *cancelled = nullptr);
FileDialogResult ShowOpen(const FileDialogRequest &request);
FileDialogResult ShowSave(const FileDialogRequest &request);
ColorResult ShowColor(long initialColor = 0);

// A cancelled common dialog raises kCancelError (error_numbers.h), for
// callers that treat Cancel as an error and trap it by number.
[[noreturn]] void raiseCancelError();
bool isCancelError(const platform::Error &error);

// The chosen file or colour; raises the cancel error when the dialog was
// cancelled.
QString chosenFileOrRaise(const FileDialogResult &result);
long chosenColorOrRaise(const ColorResult &result);

} // namespace ui
