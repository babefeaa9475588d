#pragma once
// Small layout tools the screens share, so that a screen reads at a
// 1024x768 main window and nothing moves when fields show and hide.

#include <QString>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QTabWidget;
class QWidget;

namespace screens {

// A new widget with its caption, under `parent`, named `name`: the name by
// which the screen's code and the tests find it.
template <class W> W *named(QWidget *parent, const char *name, const QString &caption = QString())
{
    auto *w = new W(caption, parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

// The widget keeps its place in its layout while hidden: showing and
// hiding it moves nothing else.
void keepPlaceWhenHidden(QWidget *widget);
template <class... W> void keepPlacesWhenHidden(W *...widgets)
{
    (keepPlaceWhenHidden(widgets), ...);
}

// Puts a number box on the dots of an option's or check box's caption
// ("groot werk      .....     %"), over the run of dots and the blanks
// around them; the button grows to the box's height. The box keeps its
// shown or hidden state. A caption without dots leaves the box where it is.
void placeOnDots(QAbstractButton *button, QLineEdit *box);

// Every tab of the tab widget shows its whole caption: no scroll buttons,
// no shortened captions; the widget is as wide as its tabs need.
void showAllTabs(QTabWidget *tabs);

// The first control of `container` that Tab reaches: shown, enabled and
// taking the focus by Tab; nullptr when it has none.
QWidget *firstTabStop(QWidget *container);

// Choosing a tab with a click puts the focus on the first control of the
// chosen tab, where Tab from the tab bar goes too, rather than on the
// control that had it when the tab was last shown. While the tab bar has
// the focus (the arrow keys move along the tabs) it keeps it.
void focusFirstControlOfChosenTab(QTabWidget *tabs);

// Puts a box on the run of blanks in a label's caption ("BTW:       %").
void placeOnBlanks(QLabel *label, QLineEdit *box);

// The widget is at least as wide as it would be with `text` as its caption
// (for captions that the screen changes while it is shown).
void reserveWidthFor(QAbstractButton *button, const QString &text);

// The box is at least as wide as it must be to show `text` whole (the
// widest value of its field, in its picture).
void reserveWidthForValue(QLineEdit *box, const QString &text);

} // namespace screens
