#pragma once
// Binds the input controls of a screen to the fields of a record object's
// current row by name, as the screens' binding collections do; one
// mechanism for every screen.
//
// A line edit shows its field's value through the binding's picture ("0.00";
// no picture: the value's default text), a check box shows a non-zero value
// as checked. A control the user types in (or clicks) carries a changed
// mark, and so does one the screen changes through setText()/setChecked();
// only a marked control is written back, as a pending edit of the row that
// the record object stores when it commits, and then shows the stored value
// in its picture. Text fields ("str", "mem") take the text, date fields
// ("dtm") a date, all others a number read by the one reading rule of typed
// numbers (vb::TypedNumber; a Byte, Integer or Long column takes whole
// numbers only); an empty text is Null. A text that is no number (no date,
// no whole number) is not written and keeps its mark: the screen's field
// check refuses it and clears the mark, so that a refused text never
// reaches the record. A line edit bound to a Text(n) column takes at most
// n characters (or fewer, where the screen limits it further).
//
// The controls follow the record: when it stands on another row or re-reads
// it every control is filled again, in the order the bindings were added
// (a control filled earlier may set defaults in a later one through its
// change handler; the later one then shows the stored value), and a value
// the program puts into one field through the record shows at once, except
// in a control the user is typing in. Filling clears the marks.
//
// A value the screen keeps in its own model instead of in a control (the
// code behind a group of option buttons) is bound the same way, by its
// field: it is filled in its place among the controls, follows the record
// unless it is marked, and is written only when the screen has marked it.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace records {
class BoundRecord;
}

namespace screens {

class FieldBindings : public QObject {
    Q_OBJECT

public:
    explicit FieldBindings(QObject *parent = nullptr);
    // Bound to `record` at once.
    explicit FieldBindings(records::BoundRecord &record, QObject *parent = nullptr);
    // The record must outlive the binding, or be unbound first.
    ~FieldBindings() override;

    // Binds a QLineEdit (its text, shown with the picture `format`) or a
    // QCheckBox (its value 0/1), and shows the field's value.
    void add(QWidget *control, const QString &field, const QString &format = QString());

    // The record object the controls show; nullptr unbinds (the controls
    // keep their texts).
    void setDataSource(records::BoundRecord *record);

    // Fills every control from the current row.
    void load();
    // Fills the controls bound to this field.
    void load(const QString &field);
    // Fills one control again (its mark is cleared).
    void refresh(QWidget *control);

    // The text the binding shows for the field's current value.
    QString displayText(const QWidget *control) const;

    bool isChanged(const QWidget *control) const;
    void setChanged(QWidget *control, bool changed = true);

    // The screen changes a bound control as the user would: the control is
    // marked changed when its value differs.
    void setText(QLineEdit *edit, const QString &text);
    void setChecked(QCheckBox *box, bool checked);

    // The value the control's text gives its field (Null for an empty
    // text); no value when the field cannot take the text.
    std::optional<QVariant> valueOf(const QWidget *control) const;
    // True when the control holds a value its number field takes: not
    // empty, and a number of the field's kind.
    bool holdsNumber(const QWidget *control) const;

    // Writes the control when it is marked and clears the mark. Raises the
    // record's platform::Error when the field refuses the value; the
    // control then keeps its mark, so that the edit is neither lost nor
    // stored until it is corrected.
    void write(QWidget *control);
    // Writes every marked control; the first error reaches the caller after
    // the others have been written.
    void writeAll();

    QString fieldOf(const QWidget *control) const;
    bool isBound(const QWidget *control) const;

    // ---- Values kept by the screen ----------------------------------------

    // Binds a value of the screen's model to `field`: filling hands `show`
    // the field's value (Null without one), writing stores what `value`
    // gives.
    void addValue(const QString &field, std::function<void(const QVariant &)> show, std::function<QVariant()> value);
    // The screen changed the value bound to `field` as the user would: it
    // is written back. A mark made while the value is being filled (by
    // what `show` sets off) does not count.
    void markChanged(const QString &field);
    bool isValueChanged(const QString &field) const;
    // Writes the value bound to `field` when it is marked and clears the
    // mark, as write() does for a control.
    void writeValue(const QString &field);

private:
    struct Binding {
        QPointer<QWidget> control;
        QString field;
        QString format;
        bool changed = false;
        bool whole = false; // a number field of whole numbers
        // A value kept by the screen has these instead of a control.
        std::function<void(const QVariant &)> show{};
        std::function<QVariant()> value{};
    };
    void applyColumn(Binding &b);
    Binding *find(const QWidget *control);
    const Binding *find(const QWidget *control) const;
    Binding *findValue(const QString &field);
    QVariant fieldValue(const QString &field) const;
    void fill(Binding &b);
    bool beingFilled(const Binding &b) const;
    void writeBinding(Binding &b);
    void recordChanged(const QString &field);
    void edited(QWidget *control);

    QList<Binding> m_bindings;
    records::BoundRecord *m_record = nullptr;
    int m_listener = 0;
    QWidget *m_filling = nullptr;
    const Binding *m_fillingValue = nullptr; // while its `show` runs
};

} // namespace screens
