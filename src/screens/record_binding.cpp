#include "screens/record_binding.h"

#include "platform/text/format.h"

#include <QCheckBox>
#include <QLineEdit>

namespace screens {

RecordBinding::RecordBinding(records::BoundRecord &record, QObject *parent) : QObject(parent), m_record(record) {}

void RecordBinding::bind(QLineEdit *control, const QString &veld, Soort soort, const QString &formaat)
{
    m_bindings.append(Binding{control, veld, soort, formaat});
    connect(control, &QLineEdit::textEdited, this, [this, control] { markeer(control); });
    toon(m_bindings.last());
}

void RecordBinding::bind(QCheckBox *control, const QString &veld)
{
    m_bindings.append(Binding{control, veld, Soort::Getal, {}});
    connect(control, &QCheckBox::clicked, this, [this, control] {
        markeer(control);
        schrijf(control);
    });
    toon(m_bindings.last());
}

RecordBinding::Binding *RecordBinding::zoek(const QWidget *control)
{
    for (Binding &b : m_bindings)
        if (b.control == control)
            return &b;
    return nullptr;
}

const RecordBinding::Binding *RecordBinding::zoek(const QWidget *control) const
{
    return const_cast<RecordBinding *>(this)->zoek(control);
}

void RecordBinding::toon(const Binding &b)
{
    const QVariant v = m_record.hasCurrentRow() ? m_record.value(b.veld) : QVariant();
    if (auto *check = qobject_cast<QCheckBox *>(b.control)) {
        check->setChecked(!v.isNull() && v.toDouble() != 0);
        return;
    }
    auto *edit = static_cast<QLineEdit *>(b.control);
    if (v.isNull())
        edit->setText(QString());
    else if (b.soort == Soort::Getal && !b.formaat.isEmpty())
        edit->setText(vb::Format(v.toFloat(), b.formaat));
    else if (b.soort == Soort::Datum)
        edit->setText(vb::CStr(v.toDateTime()));
    else
        edit->setText(vb::CStr(v));
}

void RecordBinding::lees()
{
    for (Binding &b : m_bindings) {
        toon(b);
        b.gewijzigd = false;
    }
}

bool RecordBinding::isGewijzigd(const QWidget *control) const
{
    const Binding *b = zoek(control);
    return b && b->gewijzigd;
}

void RecordBinding::markeer(const QWidget *control, bool gewijzigd)
{
    if (Binding *b = zoek(control))
        b->gewijzigd = gewijzigd;
}

void RecordBinding::schrijf(const QWidget *control)
{
    Binding *b = zoek(control);
    if (!b || !b->gewijzigd)
        return;
    b->gewijzigd = false;
    QVariant waarde;
    if (auto *check = qobject_cast<QCheckBox *>(b->control)) {
        waarde = check->isChecked() ? 1 : 0;
    } else {
        const QString tekst = static_cast<QLineEdit *>(b->control)->text();
        if (!tekst.isEmpty()) {
            switch (b->soort) {
            case Soort::Tekst:
                waarde = tekst;
                break;
            case Soort::Getal:
                waarde = vb::CDbl(tekst);
                break;
            case Soort::Datum:
                waarde = vb::CDate(tekst);
                break;
            }
        }
    }
    m_record.setValue(b->veld, waarde);
}

void RecordBinding::schrijfAlles()
{
    for (const Binding &b : std::as_const(m_bindings))
        schrijf(b.control);
}

} // namespace screens
