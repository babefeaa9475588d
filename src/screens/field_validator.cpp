#include "screens/field_validator.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

namespace screens {

FieldValidator::FieldValidator(QObject *parent) : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this, &FieldValidator::focusChanged);
}

void FieldValidator::watch(QWidget *field, Check check, Left left)
{
    m_fields.insert(field, {std::move(check), std::move(left)});
    connect(field, &QObject::destroyed, this, [this, field] { m_fields.remove(field); });
}

QString FieldValidator::textOf(QWidget *field)
{
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        return edit->text();
    return QString();
}

QWidget *FieldValidator::refused() const
{
    if (m_refused && textOf(m_refused) == m_refusedText)
        return m_refused;
    return nullptr;
}

bool FieldValidator::run(QWidget *field)
{
    const Entry entry = m_fields.value(field);
    m_busy = true;
    const bool pass = !entry.check || entry.check(field);
    m_busy = false;
    if (!pass) {
        m_refused = field;
        m_refusedText = textOf(field);
        return false;
    }
    if (m_refused == field)
        m_refused = nullptr;
    if (entry.left)
        entry.left(field);
    return true;
}

void FieldValidator::focusChanged(QWidget *old, QWidget *now)
{
    if (m_busy || !old || !now || !m_fields.contains(old) || now == old)
        return;
    if (!old->isVisible() || !old->isEnabled()) {
        // A field hidden or disabled by the layout is not validated.
        if (m_fields.value(old).left)
            m_fields.value(old).left(old);
        return;
    }
    if (refused() == old || !run(old))
        putBack(old);
}

void FieldValidator::putBack(QWidget *field)
{
    // The field the focus went to never had it: it is not validated.
    m_busy = true;
    field->setFocus();
    m_busy = false;
}

bool FieldValidator::ok()
{
    if (m_busy)
        return false;
    QWidget *field = QApplication::focusWidget();
    if (!field || !m_fields.contains(field))
        return true;
    if (refused() == field)
        return false;
    return run(field);
}

} // namespace screens
