#include "screens/field_validation.h"

#include "screens/form.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace screens {

FieldValidation::FieldValidation(QWidget *screen) : QObject(screen)
{
    connect(qApp, &QApplication::focusChanged, this, &FieldValidation::focusVerplaatst);
}

void FieldValidation::add(QWidget *field, std::function<bool()> check)
{
    m_checks.insert(field, std::move(check));
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
    if (nieuw && nieuw == m_terug.data()) {
        m_terug.clear();
        return;
    }
    auto *scherm = qobject_cast<QWidget *>(parent());
    QPointer<QWidget> veld;
    if (oud && m_checks.contains(oud)) {
        veld = oud;
        m_wacht.clear();
    } else if (m_wacht) {
        // Passed on by the screen's frame: Tab past the last field goes
        // through it, a click on a button that takes no focus comes back.
        veld = m_wacht;
        m_wacht.clear();
    }
    if (!veld || m_terug || !veld->isEnabled() || !veld->isVisible())
        return;
    if (nieuw && scherm && nieuw->isAncestorOf(scherm)) {
        // The frame may have passed the focus on already (this signal comes
        // after the nested one); else it will.
        QWidget *nu = QApplication::focusWidget();
        if (!nu || nu == nieuw || nu->isAncestorOf(scherm)) {
            m_wacht = veld;
            return;
        }
        nieuw = nu;
    }
    if (checktBijNaar(veld, nieuw))
        run(veld);
}

} // namespace screens
