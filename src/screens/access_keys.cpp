#include "screens/access_keys.h"

#include "screens/form.h"
#include "screens/layout_helpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QTabBar>

namespace screens {

namespace {

// Alt with `key` is the access key of `text` ("&Sluiten": Alt+S).
bool isAccessKey(const QString &text, int key)
{
    const QKeySequence mnemonic = QKeySequence::mnemonic(text);
    return !mnemonic.isEmpty() && mnemonic[0] == QKeyCombination(Qt::AltModifier, Qt::Key(key));
}

bool usable(const QWidget *w, const Form *form)
{
    return w->isVisible() && w->isEnabled() && w->window() == form->window();
}

// The screen that `w` is part of.
Form *formOf(QWidget *w)
{
    for (; w; w = w->parentWidget())
        if (auto *form = qobject_cast<Form *>(w))
            return form;
    return nullptr;
}

void activate(QWidget *control, int tab)
{
    if (auto *bar = qobject_cast<QTabBar *>(control)) {
        bar->setCurrentIndex(tab);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        if (button->isCheckable() && (button->focusPolicy() & Qt::ClickFocus))
            button->setFocus(Qt::ShortcutFocusReason);
        button->click();
    } else {
        control->setFocus(Qt::ShortcutFocusReason);
    }
}

// Alt and one key, the keypad aside.
bool isAltKey(const QKeyEvent *key)
{
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier && key->key() != Qt::Key_Alt;
}

// The control of `form` that Alt with `key` reaches, or nullptr; for a tab
// bar, `tab` is set to the tab's index.
QWidget *accessKeyControl(const Form *form, int key, int *tab)
{
    if (!form)
        return nullptr;
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (!usable(w, form))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (isAccessKey(button->text(), key))
                return button;
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            QWidget *buddy = label->buddy();
            if (buddy && usable(buddy, form) && isAccessKey(label->text(), key))
                return buddy;
        } else if (auto *frame = qobject_cast<QGroupBox *>(w)) {
            if (isAccessKey(frame->title(), key))
                if (QWidget *first = firstTabStop(frame))
                    return first;
        } else if (auto *bar = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < bar->count(); ++i) {
                if (bar->isTabEnabled(i) && bar->isTabVisible(i) && isAccessKey(bar->tabText(i), key)) {
                    if (tab)
                        *tab = i;
                    return bar;
                }
            }
        }
    }
    return nullptr;
}

class AccessKeys : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        // Only as the key reaches the control that has the focus, before
        // it goes on to the control's parents.
        if (!isAltKey(key) || watched != QApplication::focusWidget())
            return false;
        const Form *form = formOf(static_cast<QWidget *>(watched));
        int tab = -1;
        QWidget *control = form ? accessKeyControl(form, key->key(), &tab) : nullptr;
        if (!control)
            return false;
        // The screen takes the key: no shortcut (and no menu) sees it, and
        // the key press comes here next.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            activate(control, tab);
        return true;
    }
};

} // namespace

void installAccessKeys()
{
    static AccessKeys *keys = nullptr;
    if (keys || !qApp)
        return;
    keys = new AccessKeys(qApp);
    qApp->installEventFilter(keys);
}

} // namespace screens
