#include "screens/focus_check.h"

#include <QFocusEvent>
#include <QTimer>
#include <QWidget>

namespace screens {

void FocusCheck::watch(QWidget *control, std::function<bool()> check)
{
    m_checks.insert(control, std::move(check));
    control->installEventFilter(this);
}

bool FocusCheck::checkCurrent()
{
    if (!m_current)
        return true;
    const auto it = m_checks.constFind(m_current.data());
    return it == m_checks.constEnd() || it.value()();
}

bool FocusCheck::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        m_current = qobject_cast<QWidget *>(watched);
        if (m_terugNaar == watched)
            m_terugNaar.clear();
    } else if (event->type() == QEvent::FocusOut && !m_checking && (!m_terugNaar || m_terugNaar == watched)) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // A box or menu that takes the focus for a moment is no leaving.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            m_checking = true;
            const bool ok = m_checks.value(watched)();
            m_checking = false;
            if (!ok) {
                QPointer<QWidget> control = qobject_cast<QWidget *>(watched);
                m_current = control;
                m_terugNaar = control;
                QTimer::singleShot(0, control, [control] {
                    if (control)
                        control->setFocus(Qt::OtherFocusReason);
                });
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace screens
