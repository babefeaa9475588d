#pragma once
// Binds text boxes to the fields of a record object, as the screens' binding
// collections do: each box shows its field's value through the binding's
// display format, a box the user has typed in carries a changed mark, and
// only a marked box writes its text back (a number, or Null for an empty
// text) as a pending edit of the record. A refused entry clears the mark so
// that its text never reaches the record. The boxes follow the record: a
// value the program writes through the record's own setters shows at once.

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QLineEdit;

namespace records {
class BoundRecord;
}

namespace screens {

class FieldBindings : public QObject {
    Q_OBJECT

public:
    explicit FieldBindings(records::BoundRecord &record, QObject *parent = nullptr);
    ~FieldBindings() override;

    // Binds `edit` to `field`, shown with the picture `format` (an empty
    // picture: the value's default text), and shows the value.
    void add(QLineEdit *edit, const QString &field, const QString &format = QString());

    // The text the binding shows for the field's current value.
    QString displayText(QLineEdit *edit) const;
    // Shows the field's current value again (the mark is cleared).
    void refresh(QLineEdit *edit);

    bool isChanged(QLineEdit *edit) const;
    void setChanged(QLineEdit *edit, bool changed);

    // Writes the box's text when it is marked, clears the mark and shows
    // the stored value in the display format. platform::Error when the
    // record refuses the value; a text that is not a number is not written.
    void write(QLineEdit *edit);
    // Writes every marked box.
    void writeAll();

    QString fieldOf(QLineEdit *edit) const;

private:
    struct Binding {
        QLineEdit *edit = nullptr;
        QString field;
        QString format;
        bool changed = false;
    };
    Binding *find(QLineEdit *edit);
    const Binding *find(QLineEdit *edit) const;
    void show(Binding &b);
    void recordChanged(const QString &field);

    records::BoundRecord &m_record;
    int m_listener = 0;
    QList<Binding> m_bindings;
    bool m_showing = false;
};

} // namespace screens
