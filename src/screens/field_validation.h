#pragma once
// The check a field makes before the focus leaves it (the Validate event
// with Cancel): when the user tabs or clicks from a field to another control
// of the same screen and the field's check fails, the check has shown its
// box and the focus goes back to the field. Focus taken by a box, a menu,
// another window or another screen checks nothing. While the focus is on
// its way back to a refused field no other field is checked, so one refusal
// shows one box. The screen's MDI frame passes the focus on (Tab past the
// last field) or gives it back (a click on a button that takes no focus);
// only the first is a move away.
//
// Commands that save or close run controleerFocus() first: the screens keep
// their buttons out of the focus chain and check the field that holds the
// focus themselves.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace screens {

class FieldValidation : public QObject {
    Q_OBJECT

public:
    // `screen`: the window whose controls the fields are.
    explicit FieldValidation(QWidget *screen);

    // `check` answers true to let the focus go.
    void add(QWidget *field, std::function<bool()> check);

    // Runs the check of the field that has the focus (true when it has
    // none or passes); on a refusal the focus stays there.
    bool controleerFocus();

private:
    bool run(QWidget *field);
    // True when the focus moving from `field` to `naar` checks the field.
    bool checktBijNaar(QWidget *field, QWidget *naar) const;
    void focusVerplaatst(QWidget *oud, QWidget *nieuw);

    QHash<QWidget *, std::function<bool()>> m_checks;
    QPointer<QWidget> m_terug; // the refused field the focus goes back to
    QPointer<QWidget> m_wacht; // a field whose focus went to the screen's frame
    bool m_bezig = false;
};

} // namespace screens
