#pragma once
// The check a field makes before the focus leaves it (the Validate event
// with Cancel), one mechanism for every screen.
//
// When the user tabs or clicks from a field to another control of the same
// screen, the field's check runs (it shows its own box); a refusal puts the
// focus back at once, a pass runs the field's "left" action (its lost-focus
// work). Focus taken by a box, a menu, another window or another screen
// checks nothing; the field is checked when a command asks for it or when
// the focus comes back to another control of the screen. While a
// refused field still holds the text it was refused with, leaving it again
// is refused without a second box. The screen's MDI frame passes the focus
// on (Tab past the last field) or gives it back (a click on a button that
// takes no focus); only the first is a move away. A field hidden or disabled
// by the layout is not checked.
//
// Commands that save or close check the focused field first:
// - controleerFocus() when the command's control took no focus (a button
//   out of the focus chain, a tab, the close box): the check runs now, and
//   a refused field shows its box again;
// - ok() when the command's control takes the focus (a button, the tree):
//   leaving the field has checked it already, so a field that still holds
//   its refused text answers false without a second box.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace screens {

class FieldValidation : public QObject {
    Q_OBJECT

public:
    // `check` answers true to let the focus go; `left` runs once it has.
    using Check = std::function<bool()>;
    using Left = std::function<void()>;

    // `screen`: the window whose controls the fields are (the parent).
    explicit FieldValidation(QWidget *screen);

    void add(QWidget *field, Check check, Left left = {});

    // Runs the check of the field that has the focus, or of the field the
    // focus left for another window or screen without a check (true when
    // there is none or it passes); on a refusal the focus goes to the field.
    bool controleerFocus();

    // Checks the focused field unless it still holds its refused text
    // (false without a box), or the field the focus left for another
    // window or screen as controleerFocus() does; true when there is none.
    bool ok();

    // The field refused last, while it keeps its refused text.
    QWidget *refused() const;

private:
    bool run(QWidget *field);
    void runLeft(QWidget *field);
    void putBack(QWidget *field);
    bool usable(const QWidget *field) const;
    // True when the focus moving from `field` to `naar` checks the field.
    bool checktBijNaar(QWidget *field, QWidget *naar) const;
    void focusVerplaatst(QWidget *oud, QWidget *nieuw);
    static QString textOf(const QWidget *field);

    struct Entry {
        Check check;
        Left left;
    };
    QHash<QWidget *, Entry> m_fields;
    QPointer<QWidget> m_refused;         // the field refused last
    QString m_refusedText;               // and the text it was refused with
    QPointer<QWidget> m_terug;           // the refused field the focus goes back to
    QPointer<QWidget> m_wacht;           // a field whose focus went to the screen's frame
    QPointer<QWidget> m_ongecontroleerd; // a field left for another window or screen
    QPointer<QWidget> m_focusVeld;       // the field that got the focus last
    bool m_focusZichtbaar = false;       // and whether it was in sight then
    bool m_bezig = false;
};

} // namespace screens
