#pragma once
// The check a control runs before the focus leaves it: when the check
// refuses, the focus goes back to the control. The screen can also run
// the check of the control that had the focus last (before it closes or
// saves).

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace screens {

class FocusCheck : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // `check` answers false to keep the focus in `control`.
    void watch(QWidget *control, std::function<bool()> check);

    // Runs the check of the watched control that has the focus (or had it
    // last); true when there is none.
    bool checkCurrent();

    QWidget *current() const { return m_current.data(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QObject *, std::function<bool()>> m_checks;
    QPointer<QWidget> m_current;
    // The refused control the focus is being sent back to; other controls
    // are not checked on the way.
    QPointer<QWidget> m_terugNaar;
    bool m_checking = false;
};

} // namespace screens
