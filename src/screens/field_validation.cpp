#include "screens/field_validation.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTimer>
#include <QWidget>

namespace screens {

FieldValidation::FieldValidation(QObject *parent) : QObject(parent) {}

void FieldValidation::add(QWidget *field, std::function<bool()> check)
{
    m_checks.insert(field, std::move(check));
    field->installEventFilter(this);
}

bool FieldValidation::run(QWidget *field)
{
    const auto it = m_checks.constFind(field);
    if (it == m_checks.constEnd() || m_bezig)
        return true;
    m_bezig = true;
    const bool ok = it.value()();
    m_bezig = false;
    if (!ok) {
        m_terug = field;
        // The focus is moved back once the move away has finished.
        QTimer::singleShot(0, field, [this, field] {
            field->setFocus(Qt::OtherFocusReason);
            if (m_terug == field)
                m_terug.clear();
        });
    }
    return ok;
}

bool FieldValidation::controleerFocus()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? run(focus) : true;
}

bool FieldValidation::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && watched == m_terug.data()) {
        m_terug.clear();
    } else if (event->type() == QEvent::FocusOut) {
        auto *field = static_cast<QWidget *>(watched);
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const bool byUser = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (byUser && !m_terug && field->isEnabled() && field->isVisible())
            run(field);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace screens
