#pragma once
// Scripted boxes that come as the desktop's own do: each is a window of its
// own that takes the focus and lets the program's events run while it is
// open, and gives the focus back to the window that had it when it goes.
// For what only shows with a real box: a layout done while the box is up,
// or the focus that a control loses to the box and that must come back
// where the user was.
//
//   testsupport::DesktopBoxes boxes;
//   ui::ScopedDialogs use(&boxes);
//   boxes.expectMsgBox(...);

#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace testsupport {

class DesktopBoxes : public ui::ScriptedDialogs {
public:
    ui::Answer messageBox(const ui::MsgBoxRequest &request) override
    {
        const QPointer<QWidget> was = QApplication::activeWindow();
        QDialog box;
        box.setWindowTitle(ui::shownTitle(request.title));
        auto *ok = new QPushButton(QStringLiteral("OK"), &box);
        QTimer::singleShot(0, &box, [&box, ok] {
            QApplication::setActiveWindow(&box);
            ok->setFocus();
            QTimer::singleShot(0, &box, &QDialog::accept);
        });
        box.exec();
        const ui::Answer answer = ScriptedDialogs::messageBox(request);
        // The desktop gives the window back its activation a moment after
        // the box is gone: after what the program does next, and after what
        // that puts off until its events run.
        QTimer::singleShot(0, qApp, [was] {
            QTimer::singleShot(0, qApp, [was] {
                if (was)
                    QApplication::setActiveWindow(was);
            });
        });
        return answer;
    }
};

} // namespace testsupport
