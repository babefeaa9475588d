#pragma once
// Binds input controls of a screen to the fields of a record object, as a
// binding collection does: every control shows its field when the binding
// reads the record; a control the user changed carries a changed mark, and
// writing puts the text of a marked control into its field as a pending
// edit of the record (an empty text as Null; numbers and dates read under
// the program's Dutch rules). A check box is written at once on a click.
//
// Writing raises platform::Error when a text does not fit its field.

#include "records/bound_record.h"

#include <QList>
#include <QObject>
#include <QString>

class QCheckBox;
class QLineEdit;
class QWidget;

namespace screens {

class RecordBinding : public QObject {
    Q_OBJECT

public:
    enum class Soort { Tekst, Getal, Datum };

    explicit RecordBinding(records::BoundRecord &record, QObject *parent = nullptr);

    // `formaat`: the display format of a number ("0.00").
    void bind(QLineEdit *control, const QString &veld, Soort soort = Soort::Tekst, const QString &formaat = {});
    void bind(QCheckBox *control, const QString &veld);

    // Every control shows its field again; the marks are cleared.
    void lees();

    bool isGewijzigd(const QWidget *control) const;
    void markeer(const QWidget *control, bool gewijzigd = true);
    // Writes the control when it is marked, and clears its mark.
    void schrijf(const QWidget *control);
    void schrijfAlles();

private:
    struct Binding {
        QWidget *control;
        QString veld;
        Soort soort;
        QString formaat;
        bool gewijzigd = false;
    };
    Binding *zoek(const QWidget *control);
    const Binding *zoek(const QWidget *control) const;
    void toon(const Binding &b);

    records::BoundRecord &m_record;
    QList<Binding> m_bindings;
};

} // namespace screens
