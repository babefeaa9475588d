#pragma once
// Validation of a field before the focus leaves it, as VB's Validate event
// with Cancel did: a field whose check refuses keeps the focus.
//
// The validator follows the application's focus. When the focus leaves a
// watched field, the field's check runs (it shows its own message); a
// refusal puts the focus back, a pass runs the field's "left" action (its
// lost-focus work). Commands that save or close ask ok() first: it checks
// the focused field the same way, and answers false without a second
// message while a refused field still holds the text it was refused with.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace screens {

class FieldValidator : public QObject {
    Q_OBJECT

public:
    using Check = std::function<bool(QWidget *field)>;
    using Left = std::function<void(QWidget *field)>;

    explicit FieldValidator(QObject *parent = nullptr);

    void watch(QWidget *field, Check check, Left left = {});

    // Checks the focused watched field; true when none is focused.
    bool ok();

    // The field refused last, while it keeps its refused text.
    QWidget *refused() const;

private:
    void focusChanged(QWidget *old, QWidget *now);
    bool run(QWidget *field);
    void putBack(QWidget *field);
    static QString textOf(QWidget *field);

    struct Entry {
        Check check;
        Left left;
    };
    QHash<QWidget *, Entry> m_fields;
    QPointer<QWidget> m_refused;
    QString m_refusedText;
    bool m_busy = false;
};

} // namespace screens
