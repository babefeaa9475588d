#pragma once
// The dialog service with real Qt dialogs: QMessageBox, QInputDialog,
// QFileDialog and QColorDialog, application-modal over the active window.
// Button texts are Qt's standard ones (translated when a Qt translation is
// installed).

#include "platform/ui/dialogs.h"

#include <QMessageBox>
#include <QPointer>

class QFileDialog;
class QInputDialog;
class QWidget;

namespace ui {

class QtDialogs : public Dialogs {
public:
    // `parent` owns the boxes; without one the active window does.
    explicit QtDialogs(QWidget *parent = nullptr);

    void setParentWidget(QWidget *parent);

    Answer messageBox(const MsgBoxRequest &request) override;
    InputResult inputBox(const InputRequest &request) override;
    FileDialogResult fileDialog(FileDialogMode mode, const FileDialogRequest &request) override;
    ColorResult colorDialog(long initialColor) override;

private:
    QWidget *parentWidget() const;

    QPointer<QWidget> m_parent;
};

// The steps of the dialogs above, apart from showing them.

// Title, text (plain, line breaks "\r\n" as "\n"), icon, buttons and default.
void configureMessageBox(QMessageBox &box, const MsgBoxRequest &request);
QMessageBox::StandardButton standardButton(Answer answer);
// The answer of a clicked standard button; NoButton (closed) gives `closed`.
Answer answerOf(QMessageBox::StandardButton button, Answer closed);

void configureInputDialog(QInputDialog &dialog, const InputRequest &request);

// Mode, title, filters, selected filter, folder, proposed name, default
// extension and the flags that Qt knows: OverwritePrompt (else no question
// before replacing), FileMustExist (open dialog: only existing files).
void configureFileDialog(QFileDialog &dialog, FileDialogMode mode, const FileDialogRequest &request);

// Whether the chosen name satisfies PathMustExist (its folder exists) and
// FileMustExist (the file exists); Qt's own dialog leaves the first unchecked.
bool fileChoiceAcceptable(const QString &fileName, int flags);

} // namespace ui
