#pragma once
// What a user sees of a screen: every visible control lies inside the
// window that shows it, every caption fits its control, a child window lies
// inside the main window's MDI area, and a window of its own, frame
// included, inside its bounds (the main window's client area, or the
// screen). The headless platform draws no real frame: a window's frame is
// taken as the window manager's frame the program places windows with
// (ui::frameRect, platform/ui/window_placement.h). Each fault names the control by its
// objectName (or, for an unnamed one, by its kind and text under the nearest
// named parent).

#include "platform/ui/window_placement.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>

namespace testsupport {

inline QString describe(const QWidget *w)
{
    if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
        return w->objectName();
    QString kind = QString::fromLatin1(w->metaObject()->className());
    if (auto *l = qobject_cast<const QLabel *>(w))
        kind += QStringLiteral(" '") + l->text() + QLatin1Char('\'');
    else if (auto *b = qobject_cast<const QAbstractButton *>(w))
        kind += QStringLiteral(" '") + b->text() + QLatin1Char('\'');
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (!p->objectName().isEmpty() && !p->objectName().startsWith(QLatin1String("qt_")))
            return p->objectName() + QLatin1Char('/') + kind;
    return kind;
}

namespace detail {

// The width the text of a button needs and the width its style gives it.
inline bool buttonTextFits(const QAbstractButton *b, int &need, int &room)
{
    const QString text = b->text();
    if (text.isEmpty())
        return true;
    const QFontMetrics fm = b->fontMetrics();
    need = fm.size(Qt::TextShowMnemonic, text).width();
    if (!b->icon().isNull())
        need += b->iconSize().width() + 4;
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = text;
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox *>(b))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton *>(b))
        element = QStyle::SE_RadioButtonContents;
    else if (!qobject_cast<const QPushButton *>(b))
        return true;
    room = b->style()->subElementRect(element, &opt, b).width();
    if (element == QStyle::SE_PushButtonContents)
        room -= 2 * b->style()->pixelMetric(QStyle::PM_ButtonMargin, &opt, b) / 2;
    return need <= room;
}

inline bool labelTextFits(const QLabel *l, QString &why)
{
    if (l->text().isEmpty() || !l->pixmap().isNull())
        return true;
    const QRect cr = l->contentsRect();
    const int margins = 2 * l->margin() + (l->indent() > 0 ? l->indent() : 0);
    if (l->wordWrap()) {
        const int needH = l->heightForWidth(l->width());
        if (needH > l->height()) {
            why = QStringLiteral("needs %1 px of height, has %2").arg(needH).arg(l->height());
            return false;
        }
        // A single word longer than the width is cut too.
        QTextDocument doc;
        if (Qt::mightBeRichText(l->text()) && l->textFormat() != Qt::PlainText)
            doc.setHtml(l->text());
        else
            doc.setPlainText(l->text());
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setTextWidth(cr.width() - margins);
        if (doc.idealWidth() > cr.width() - margins + 1) {
            why = QStringLiteral("a word needs %1 px, has %2").arg(doc.idealWidth()).arg(cr.width() - margins);
            return false;
        }
        return true;
    }
    const QSize need = l->sizeHint();
    if (need.width() > l->width() || need.height() > l->height()) {
        why = QStringLiteral("needs %1x%2 px, has %3x%4")
                  .arg(need.width())
                  .arg(need.height())
                  .arg(l->width())
                  .arg(l->height());
        return false;
    }
    return true;
}

} // namespace detail

// The faults of one shown screen. `frame` is the window the user sees (an
// MDI sub-window or a top-level window); `area` the MDI area of the main
// window, or nullptr for a window of its own, which must then fit `bounds`.
inline QStringList layoutFaults(QWidget *frame, const QMdiArea *area, const QRect &bounds = QRect())
{
    QStringList faults;
    const QString title = describe(frame);
    if (area) {
        const QRect room = area->viewport()->rect();
        const QRect g = frame->geometry();
        if (g.width() > room.width() || g.height() > room.height())
            faults << QStringLiteral("%1: window %2x%3 larger than the MDI area %4x%5")
                          .arg(title)
                          .arg(g.width())
                          .arg(g.height())
                          .arg(room.width())
                          .arg(room.height());
        else if (!room.contains(g))
            faults << QStringLiteral("%1: window at (%2,%3) %4x%5 reaches outside the MDI area %6x%7")
                          .arg(title)
                          .arg(g.x())
                          .arg(g.y())
                          .arg(g.width())
                          .arg(g.height())
                          .arg(room.width())
                          .arg(room.height());
    } else if (bounds.isValid()) {
        const QRect g = ui::frameRect(frame);
        if (g.width() > bounds.width() || g.height() > bounds.height())
            faults << QStringLiteral("%1: window %2x%3 larger than %4x%5")
                          .arg(title)
                          .arg(g.width())
                          .arg(g.height())
                          .arg(bounds.width())
                          .arg(bounds.height());
        else if (!bounds.contains(g))
            faults << QStringLiteral("%1: window at (%2,%3) %4x%5 with its frame reaches outside (%6,%7) %8x%9")
                          .arg(title)
                          .arg(g.x())
                          .arg(g.y())
                          .arg(g.width())
                          .arg(g.height())
                          .arg(bounds.x())
                          .arg(bounds.y())
                          .arg(bounds.width())
                          .arg(bounds.height());
    }

    const QList<QWidget *> all = frame->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (!w->isVisible() || w->isWindow() || w->window() != frame->window())
            continue;
        QWidget *parent = w->parentWidget();
        // A scrolled area's content may be larger than its viewport: it is
        // reached by scrolling.
        const bool scrolled = parent && parent->objectName() == QLatin1String("qt_scrollarea_viewport")
                              && qobject_cast<QScrollArea *>(parent->parentWidget());
        // Tabs outside a tab bar are a fault of the tab bar (below).
        if (parent && !scrolled && !qobject_cast<QTabBar *>(parent)) {
            const QRect inParent = w->geometry();
            if (!parent->rect().contains(inParent) && inParent.width() > 0 && inParent.height() > 0)
                faults << QStringLiteral("%1: at (%2,%3) %4x%5 reaches outside %6 (%7x%8)")
                              .arg(describe(w))
                              .arg(inParent.x())
                              .arg(inParent.y())
                              .arg(inParent.width())
                              .arg(inParent.height())
                              .arg(describe(parent))
                              .arg(parent->width())
                              .arg(parent->height());
        }
        if (auto *l = qobject_cast<QLabel *>(w)) {
            QString why;
            if (!detail::labelTextFits(l, why))
                faults << QStringLiteral("%1: text does not fit: %2").arg(describe(w), why);
        } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            int need = 0, room = 0;
            if (!detail::buttonTextFits(b, need, room))
                faults << QStringLiteral("%1: caption needs %2 px, has %3").arg(describe(w)).arg(need).arg(room);
        } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
            if (!g->title().isEmpty()) {
                QStyleOptionGroupBox opt;
                opt.initFrom(g);
                opt.text = g->title();
                opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
                const int need = g->fontMetrics().size(Qt::TextShowMnemonic, g->title()).width() + 16;
                if (need > g->width())
                    faults
                        << QStringLiteral("%1: title needs %2 px, has %3").arg(describe(w)).arg(need).arg(g->width());
            }
        } else if (auto *t = qobject_cast<QTabBar *>(w)) {
            // A tab bar that scrolls or shortens its tabs hides captions.
            if (t->sizeHint().width() > t->width())
                faults << QStringLiteral("%1: tabs need %2 px, have %3")
                              .arg(describe(w))
                              .arg(t->sizeHint().width())
                              .arg(t->width());
            for (int i = 0; i < t->count(); ++i)
                if (!t->rect().contains(t->tabRect(i)))
                    faults << QStringLiteral("%1: tab '%2' outside the tab bar").arg(describe(w), t->tabText(i));
        }
    }
    return faults;
}

// The room a line edit has for its text: its contents, less its text
// margins and the 2 pixels Qt keeps free on either side.
inline int lineEditTextRoom(const QLineEdit *e)
{
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.rect = e->rect();
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    const QRect contents = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e);
    return contents.width() - e->textMargins().left() - e->textMargins().right() - 2 * 2;
}

// Whether `e` shows `text` whole, neither cut nor scrolled.
inline bool showsWhole(const QLineEdit *e, const QString &text)
{
    return e->fontMetrics().horizontalAdvance(text) <= lineEditTextRoom(e);
}

// The width a window needs for its whole title in the title bar that a
// window manager draws around it: the title in the title bar's font, bold,
// and some 100 pixels for the window's icon, its close button and borders.
inline int titleBarNeed(const QWidget *window)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window->windowTitle()) + 100;
}

} // namespace testsupport
