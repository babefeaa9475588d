#pragma once
// Binds controls to the fields of a record object's current row, in a
// fixed order: a line edit's text or a check box's state shows the field
// (through a picture such as "0.00"), and an edited control writes its value
// back as a pending edit of the row, which the record object stores when
// it commits.
//
// When the record object stands on another row (or re-reads it) every
// control is filled again in the order the bindings were added, so that a
// control filled earlier may set defaults in a later one through its change
// handler and the later one then shows the stored value. A control that
// code or the user changes afterwards is marked changed (VB's DataChanged)
// until it is written back or filled again.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace records {
class BoundRecord;
}

namespace screens {

class BindingCollection : public QObject {
    Q_OBJECT

public:
    explicit BindingCollection(QObject *parent = nullptr);
    ~BindingCollection() override;

    // Binds a QLineEdit (its text) or a QCheckBox (its value 0/1).
    void add(QWidget *control, const QString &field, const QString &format = QString());

    // The record object the controls show; nullptr unbinds.
    void setDataSource(records::BoundRecord *record);

    // Fills every control from the current row.
    void load();
    // Fills the controls bound to this field.
    void load(const QString &field);

    bool dataChanged(const QWidget *control) const;
    void setDataChanged(QWidget *control, bool changed);

    // Writes one changed control into the row. Raises the record's
    // platform::Error when the field refuses the value (its flag stays set).
    void writeBack(QWidget *control);
    // Writes every changed control; the first error reaches the caller after
    // the others have been written.
    void writeBackAll();

    // Whether the control is bound.
    bool isBound(const QWidget *control) const;

private:
    struct Binding {
        QPointer<QWidget> control;
        QString field;
        QString format;
        bool changed = false;
    };
    Binding *find(const QWidget *control);
    const Binding *find(const QWidget *control) const;
    void fill(Binding &b);
    void changedByEdit(QWidget *control);

    QList<Binding> m_bindings;
    records::BoundRecord *m_record = nullptr;
    int m_listener = 0;
    QWidget *m_filling = nullptr;
    bool m_writing = false;
};

} // namespace screens
