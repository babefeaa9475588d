#include "screens/act_binding.h"

#include "records/bound_record.h"

#include "platform/core/error.h"
#include "platform/text/format.h"

#include <QCheckBox>
#include <QLineEdit>

namespace screens {

namespace {
// Text fields by their names' type prefix; every other bound field holds a
// number.
bool isTextField(const QString &field)
{
    return field.startsWith(QLatin1String("str"), Qt::CaseInsensitive)
           || field.startsWith(QLatin1String("mem"), Qt::CaseInsensitive);
}
} // namespace

BindingCollection::BindingCollection(QObject *parent) : QObject(parent) {}

BindingCollection::~BindingCollection()
{
    setDataSource(nullptr);
}

void BindingCollection::add(QWidget *control, const QString &field, const QString &format)
{
    m_bindings.append({control, field, format, false});
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        connect(edit, &QLineEdit::textChanged, this, [this, control] { changedByEdit(control); });
    else if (auto *box = qobject_cast<QCheckBox *>(control))
        connect(box, &QCheckBox::stateChanged, this, [this, control] { changedByEdit(control); });
}

void BindingCollection::setDataSource(records::BoundRecord *record)
{
    if (m_record && m_listener)
        m_record->removeOnChanged(m_listener);
    m_record = record;
    m_listener = 0;
    if (!m_record)
        return;
    m_listener = m_record->onChanged([this](const QString &field) {
        if (m_writing)
            return;
        if (field.isEmpty())
            load();
        else
            load(field);
    });
    load();
}

void BindingCollection::changedByEdit(QWidget *control)
{
    if (control == m_filling)
        return;
    if (Binding *b = find(control))
        b->changed = true;
}

void BindingCollection::fill(Binding &b)
{
    if (!b.control)
        return;
    QVariant v;
    if (m_record && m_record->hasCurrentRow()) {
        try {
            v = m_record->value(b.field);
        } catch (const platform::Error &) {
            v = QVariant();
        }
    }
    QWidget *previous = m_filling;
    m_filling = b.control;
    if (auto *edit = qobject_cast<QLineEdit *>(b.control.data())) {
        edit->setText(b.format.isEmpty() ? vb::CStr(v) : vb::Format(v, b.format));
        edit->setModified(false);
    } else if (auto *box = qobject_cast<QCheckBox *>(b.control.data())) {
        box->setChecked(!v.isNull() && v.toInt() != 0);
    }
    m_filling = previous;
    b.changed = false;
}

void BindingCollection::load()
{
    for (int i = 0; i < m_bindings.size(); ++i)
        fill(m_bindings[i]);
}

void BindingCollection::load(const QString &field)
{
    for (int i = 0; i < m_bindings.size(); ++i)
        if (m_bindings[i].field.compare(field, Qt::CaseInsensitive) == 0)
            fill(m_bindings[i]);
}

BindingCollection::Binding *BindingCollection::find(const QWidget *control)
{
    for (auto &b : m_bindings)
        if (b.control == control)
            return &b;
    return nullptr;
}

const BindingCollection::Binding *BindingCollection::find(const QWidget *control) const
{
    for (const auto &b : m_bindings)
        if (b.control == control)
            return &b;
    return nullptr;
}

bool BindingCollection::isBound(const QWidget *control) const { return find(control) != nullptr; }

bool BindingCollection::dataChanged(const QWidget *control) const
{
    const Binding *b = find(control);
    return b && b->changed;
}

void BindingCollection::setDataChanged(QWidget *control, bool changed)
{
    if (Binding *b = find(control))
        b->changed = changed;
}

void BindingCollection::writeBack(QWidget *control)
{
    Binding *b = find(control);
    if (!b || !b->changed || !b->control || !m_record || !m_record->hasCurrentRow())
        return;
    QVariant v;
    if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        const QString text = edit->text();
        if (text.trimmed().isEmpty())
            v = QVariant();
        else if (isTextField(b->field))
            v = text;
        else if (vb::IsNumeric(text))
            v = vb::CDbl(text);
        else
            v = text; // the field refuses it with its own error
    } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
        v = box->isChecked() ? 1 : 0;
    }
    m_writing = true;
    try {
        m_record->setValue(b->field, v);
    } catch (...) {
        m_writing = false;
        throw;
    }
    m_writing = false;
    b->changed = false;
}

void BindingCollection::writeBackAll()
{
    std::optional<platform::Error> first;
    for (int i = 0; i < m_bindings.size(); ++i) {
        try {
            writeBack(m_bindings[i].control);
        } catch (const platform::Error &e) {
            if (!first)
                first = e;
        }
    }
    if (first)
        throw *first;
}

} // namespace screens
