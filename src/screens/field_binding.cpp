#include "screens/field_binding.h"

#include "records/bound_record.h"

#include "platform/db/jet_types.h"
#include "platform/text/format.h"

#include <QLineEdit>

namespace screens {

namespace {

QString defaultText(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Char:
        return vb::CStr(v.toLongLong());
    case QMetaType::Float:
        return vb::CStr(v.toFloat());
    case QMetaType::Double:
        return vb::CStr(v.toDouble());
    default:
        return v.toString();
    }
}

} // namespace

FieldBindings::FieldBindings(records::BoundRecord &record, QObject *parent) : QObject(parent), m_record(record)
{
    m_listener = m_record.onChanged([this](const QString &field) { recordChanged(field); });
}

FieldBindings::~FieldBindings()
{
    m_record.removeOnChanged(m_listener);
}

void FieldBindings::add(QLineEdit *edit, const QString &field, const QString &format)
{
    m_bindings.append(Binding{edit, field, format, false});
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { setChanged(edit, true); });
    show(m_bindings.last());
}

FieldBindings::Binding *FieldBindings::find(QLineEdit *edit)
{
    for (Binding &b : m_bindings)
        if (b.edit == edit)
            return &b;
    return nullptr;
}

const FieldBindings::Binding *FieldBindings::find(QLineEdit *edit) const
{
    return const_cast<FieldBindings *>(this)->find(edit);
}

QString FieldBindings::displayText(QLineEdit *edit) const
{
    const Binding *b = find(edit);
    if (!b || !m_record.hasCurrentRow())
        return QString();
    const QVariant v = m_record.value(b->field);
    if (db::isNull(v))
        return QString();
    if (b->format.isEmpty())
        return defaultText(v);
    // Money and rates of the site row are single-precision columns.
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float ? vb::Format(v.toFloat(), b->format)
                                                                              : vb::Format(v.toLongLong(), b->format);
}

void FieldBindings::show(Binding &b)
{
    m_showing = true;
    b.edit->setText(displayText(b.edit));
    m_showing = false;
    b.changed = false;
}

void FieldBindings::refresh(QLineEdit *edit)
{
    if (Binding *b = find(edit))
        show(*b);
}

bool FieldBindings::isChanged(QLineEdit *edit) const
{
    const Binding *b = find(edit);
    return b && b->changed;
}

void FieldBindings::setChanged(QLineEdit *edit, bool changed)
{
    if (Binding *b = find(edit))
        b->changed = changed;
}

QString FieldBindings::fieldOf(QLineEdit *edit) const
{
    const Binding *b = find(edit);
    return b ? b->field : QString();
}

void FieldBindings::write(QLineEdit *edit)
{
    Binding *b = find(edit);
    if (!b || !b->changed)
        return;
    const QString text = b->edit->text().trimmed();
    if (text.isEmpty()) {
        b->changed = false;
        m_record.setValue(b->field, QVariant());
    } else if (vb::IsNumeric(text)) {
        b->changed = false;
        m_record.setValue(b->field, vb::CDbl(text));
    } else {
        return;
    }
    show(*b);
}

void FieldBindings::writeAll()
{
    for (Binding &b : m_bindings)
        write(b.edit);
}

void FieldBindings::recordChanged(const QString &field)
{
    if (m_showing)
        return;
    for (Binding &b : m_bindings) {
        // A box the user is typing in keeps its text.
        if (b.changed)
            continue;
        if (field.isEmpty() || field.compare(b.field, Qt::CaseInsensitive) == 0)
            show(b);
    }
}

} // namespace screens
