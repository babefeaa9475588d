#include "screens/form.h"

#include "platform/ui/window_placement.h"
#include "screens/access_keys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace screens {

namespace {

QPointer<QMdiArea> &hostArea()
{
    static QPointer<QMdiArea> area;
    return area;
}

QList<QPointer<Form>> &registry()
{
    static QList<QPointer<Form>> forms;
    return forms;
}

void forget(Form *form)
{
    registry().removeIf([form](const QPointer<Form> &f) { return f.isNull() || f.data() == form; });
}

} // namespace

Form::Form(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
}

Form::~Form()
{
    forget(this);
}

void Form::setHost(QMdiArea *host)
{
    hostArea() = host;
}

QMdiArea *Form::host()
{
    return hostArea().data();
}

QList<Form *> Form::loadedForms()
{
    QList<Form *> forms;
    for (const QPointer<Form> &f : registry())
        if (f && f->m_loaded)
            forms << f.data();
    return forms;
}

Form *Form::loadedForm(const QString &name)
{
    for (Form *f : loadedForms())
        if (f->objectName() == name)
            return f;
    return nullptr;
}

void Form::loadForm(bool child)
{
    if (m_loaded)
        return;
    m_loaded = true;
    registry() << QPointer<Form>(this);
    installAccessKeys();
    QMdiArea *area = host();
    // The layout sets the form's smallest size before the frame is fitted.
    if (layout())
        layout()->activate();
    if (child && area) {
        m_subWindow = area->addSubWindow(this);
        m_subWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_subWindow->setWindowTitle(windowTitle());
        m_subWindow->setWindowIcon(area->window()->windowIcon());
        if (m_fixedBorder)
            m_subWindow->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        // The frame fits the form: its own size when it set one, else its hint.
        // Never smaller than the layout allows.
        const bool sized = testAttribute(Qt::WA_Resized);
        const QSize own = size();
        m_subWindow->adjustSize();
        const QSize wanted = (sized ? own : m_subWindow->widget()->size()).expandedTo(minimumSize());
        if (wanted != m_subWindow->widget()->size())
            m_subWindow->resize(wanted + (m_subWindow->size() - m_subWindow->widget()->size()));
        m_subWindow->show();
        if (m_fixedBorder)
            fitFrame();
    } else {
        if (area && !parentWidget())
            setParent(area->window(), Qt::Window);
        if (m_fixedBorder)
            setWindowFlags((windowFlags() & ~(Qt::WindowMinMaxButtonsHint)) | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        show();
        if (m_fixedBorder)
            fitFrame();
    }
    // Where the area put a child window beside others, or the window
    // system a window of its own, it may reach outside.
    keepFrameInside();
    emit FormEvents::instance().formLoaded(this);
}

void Form::fitFrame()
{
    QLayout *l = layout();
    if (!l)
        return;
    // Every control and layout reckons its size anew, those on pages not
    // shown too: a box that opened while the form loaded lets the layouts
    // settle on the texts of that moment, and what a hidden page learns
    // later does not travel up by itself.
    for (QWidget *w : findChildren<QWidget *>())
        w->updateGeometry();
    for (QLayout *inner : findChildren<QLayout *>())
        inner->invalidate();
    l->invalidate();
    l->activate();
    QSize inner = l->totalSizeHint().expandedTo(l->totalMinimumSize());
    if (l->hasHeightForWidth())
        inner.setHeight(std::max(inner.height(), l->totalHeightForWidth(inner.width())));
    if (m_subWindow) {
        const QSize border = m_subWindow->size() - size();
        if (m_fixedBorder) {
            m_subWindow->setFixedSize(inner + border);
        } else {
            m_subWindow->resize((inner + border).expandedTo(m_subWindow->size()));
        }
    } else if (m_fixedBorder) {
        setFixedSize(inner);
    } else {
        resize(inner.expandedTo(size()));
    }
    if (m_loaded)
        keepFrameInside();
}

QWidget *Form::frame() const
{
    return m_subWindow ? static_cast<QWidget *>(m_subWindow.data()) : const_cast<Form *>(this);
}

void Form::moveFrame(int x, int y)
{
    QMdiArea *area = host();
    if (m_subWindow || !area)
        frame()->move(x, y);
    else
        move(area->viewport()->mapToGlobal(QPoint(x, y)));
    if (m_loaded)
        keepFrameInside();
}

void Form::keepFrameInside()
{
    QMdiArea *area = host();
    if (m_subWindow) {
        // An area not on screen yet has no size to keep to.
        if (!area || !area->isVisible())
            return;
        const QRect now = m_subWindow->geometry();
        const QRect inside = ui::keptInside(now, area->viewport()->rect());
        if (inside != now)
            m_subWindow->setGeometry(inside);
        return;
    }
    if (!isWindow())
        return;
    QRect room;
    if (QScreen *s = screen())
        room = s->availableGeometry();
    if (area && area->window()->isVisible()) {
        const QRect main = area->window()->geometry();
        room = room.isValid() ? room.intersected(main) : main;
    }
    if (room.isValid())
        ui::keepWindowInside(this, room);
}

bool Form::unload()
{
    if (!m_loaded)
        return true;
    // The frame's close asks the form (closeEvent below).
    if (m_subWindow)
        m_subWindow->close();
    else
        close();
    return !m_loaded;
}

void Form::setCancelButton(QPushButton *button)
{
    m_cancelButton = button;
}

void Form::keyPressEvent(QKeyEvent *event)
{
    // Escape that no control took presses the cancel button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_cancelButton
        && m_cancelButton->isVisible() && m_cancelButton->isEnabled()) {
        m_cancelButton->click();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // The button that has the focus is the one Enter presses, as in a
        // dialog; only where none has it, the default button.
        auto *focused = qobject_cast<QPushButton *>(QApplication::focusWidget());
        if (focused && isAncestorOf(focused) && focused->isEnabled() && focused->isVisible()) {
            focused->click();
            return;
        }
        for (QPushButton *b : findChildren<QPushButton *>()) {
            if (b->isDefault() && b->isVisible() && b->isEnabled() && b->window() == window()) {
                b->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

void Form::closeEvent(QCloseEvent *event)
{
    if (!m_loaded || m_unloading) {
        event->accept();
        return;
    }
    if (!QueryUnload()) {
        event->ignore();
        return;
    }
    m_unloading = true;
    Form_Unload();
    m_loaded = false;
    forget(this);
    emit unloaded();
    emit FormEvents::instance().formUnloaded(this);
    event->accept();
}

FormEvents &FormEvents::instance()
{
    static FormEvents events;
    return events;
}

} // namespace screens
