#include "screens/field_validation.h"

#include "screens/form.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace screens {

FieldValidation::FieldValidation(QWidget *screen) : QObject(screen)
{
    connect(qApp, &QApplication::focusChanged, this, &FieldValidation::focusVerplaatst);
}

void FieldValidation::add(QWidget *field, Check check, Left left)
{
    m_fields.insert(field, {std::move(check), std::move(left)});
    connect(field, &QObject::destroyed, this, [this, field] { m_fields.remove(field); });
}

QString FieldValidation::textOf(const QWidget *field)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(field))
        return edit->text();
    if (auto *lines = qobject_cast<const QPlainTextEdit *>(field))
        return lines->toPlainText();
    if (auto *combo = qobject_cast<const QComboBox *>(field))
        return combo->currentText();
    return QString();
}

QWidget *FieldValidation::refused() const
{
    if (m_refused && textOf(m_refused) == m_refusedText)
        return m_refused;
    return nullptr;
}

bool FieldValidation::usable(const QWidget *field) const
{
    if (!field || !m_fields.contains(const_cast<QWidget *>(field)) || !field->isEnabled())
        return false;
    // Hidden by the layout while it had the focus; a field that had the
    // focus out of sight (a page not shown) is checked all the same.
    return field->isVisible() || (field == m_focusVeld.data() && !m_focusZichtbaar);
}

bool FieldValidation::run(QWidget *field)
{
    const auto it = m_fields.constFind(field);
    if (it == m_fields.constEnd())
        return true;
    const Entry entry = it.value();
    if (m_ongecontroleerd == field)
        m_ongecontroleerd.clear();
    m_bezig = true;
    const bool pass = !entry.check || entry.check();
    m_bezig = false;
    if (!pass) {
        m_refused = field;
        m_refusedText = textOf(field);
        return false;
    }
    if (m_refused == field)
        m_refused.clear();
    if (entry.left)
        entry.left();
    return true;
}

void FieldValidation::runLeft(QWidget *field)
{
    const Entry entry = m_fields.value(field);
    if (entry.left)
        entry.left();
}

void FieldValidation::putBack(QWidget *field)
{
    // The control the focus went to never had it: it is not checked.
    m_terug = field;
    field->setFocus(Qt::OtherFocusReason);
    m_terug.clear();
}

bool FieldValidation::controleerFocus()
{
    if (m_bezig)
        return false;
    QWidget *field = QApplication::focusWidget();
    if (!m_fields.contains(field))
        field = m_ongecontroleerd;
    if (!usable(field))
        return true;
    if (run(field))
        return true;
    if (QApplication::focusWidget() != field)
        putBack(field);
    return false;
}

bool FieldValidation::ok()
{
    if (m_bezig)
        return false;
    QWidget *field = QApplication::focusWidget();
    if (!m_fields.contains(field) && m_ongecontroleerd)
        return controleerFocus();
    if (!usable(field))
        return true;
    if (refused() == field)
        return false;
    return run(field);
}

bool FieldValidation::checktBijNaar(QWidget *field, QWidget *naar) const
{
    // A box, a menu or another window, another screen, or the screen's own
    // frame (a click on a button that takes no focus) do not check the field.
    auto *scherm = qobject_cast<QWidget *>(parent());
    if (!naar || naar == field || !scherm || naar->window() != field->window() || naar->isAncestorOf(scherm))
        return false;
    for (QWidget *w = naar; w; w = w->parentWidget())
        if (auto *form = qobject_cast<Form *>(w))
            return form == scherm;
    return true;
}

void FieldValidation::focusVerplaatst(QWidget *oud, QWidget *nieuw)
{
    if (m_bezig || (nieuw && nieuw == m_terug.data()))
        return;
    if (nieuw && nieuw == m_ongecontroleerd.data())
        m_ongecontroleerd.clear();
    if (nieuw && m_fields.contains(nieuw)) {
        m_focusVeld = nieuw;
        m_focusZichtbaar = nieuw->isVisible();
    }
    auto *scherm = qobject_cast<QWidget *>(parent());
    QPointer<QWidget> veld;
    if (oud && m_fields.contains(oud)) {
        veld = oud;
        m_wacht.clear();
    } else if (m_wacht) {
        // Passed on by the screen's frame: Tab past the last field goes
        // through it, a click on a button that takes no focus comes back.
        veld = m_wacht;
        m_wacht.clear();
    } else if (m_ongecontroleerd && checktBijNaar(m_ongecontroleerd, nieuw)) {
        // Back from another window or screen on another control of this
        // screen: the field is left now.
        veld = m_ongecontroleerd;
        m_ongecontroleerd.clear();
    }
    if (!veld || m_terug || nieuw == veld.data())
        return;
    if (!usable(veld)) {
        runLeft(veld);
        return;
    }
    if (nieuw && scherm && nieuw->isAncestorOf(scherm)) {
        // The frame may have passed the focus on already (this signal comes
        // after the nested one); else it will.
        QWidget *nu = QApplication::focusWidget();
        if (!nu || nu == nieuw || nu->isAncestorOf(scherm)) {
            m_wacht = veld;
            return;
        }
        nieuw = nu;
        if (nieuw == veld.data())
            return;
    }
    if (!checktBijNaar(veld, nieuw)) {
        m_ongecontroleerd = veld;
        return;
    }
    if (refused() == veld.data() || !run(veld))
        putBack(veld);
}

} // namespace screens
