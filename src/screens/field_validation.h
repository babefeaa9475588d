#pragma once
// The check a field makes before the focus leaves it (the Validate event
// with Cancel): when the user tabs or clicks away from a field whose check
// fails, the check has shown its box and the focus goes back to the field.
// Focus taken by a box or a menu runs no check. While the focus is on its way
// back to a refused field no other field is checked, so one refusal shows one
// box.
//
// Commands that save or close run controleerFocus() first: Qt moves the
// focus at the press of a button, so the screens keep their buttons out of
// the focus chain and check the field that holds the focus themselves.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace screens {

class FieldValidation : public QObject {
    Q_OBJECT

public:
    explicit FieldValidation(QObject *parent = nullptr);

    // `check` answers true to let the focus go.
    void add(QWidget *field, std::function<bool()> check);

    // Runs the check of the field that has the focus (true when it has
    // none or passes); on a refusal the focus stays there.
    bool controleerFocus();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool run(QWidget *field);

    QHash<QWidget *, std::function<bool()>> m_checks;
    QPointer<QWidget> m_terug; // the refused field the focus goes back to
    bool m_bezig = false;
};

} // namespace screens
