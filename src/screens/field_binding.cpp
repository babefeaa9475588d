#include "screens/field_binding.h"

#include "records/bound_record.h"

#include "platform/core/error.h"
#include "platform/db/jet_types.h"
#include "platform/text/format.h"

#include <QCheckBox>
#include <QLineEdit>

#include "multi_line_edit.h"

#include <optional>

namespace screens {

namespace {

// The kind of a field by its name's type prefix.
enum class Kind { Text, Date, Number };

Kind kindOf(const QString &field)
{
    if (field.startsWith(QLatin1String("str"), Qt::CaseInsensitive)
        || field.startsWith(QLatin1String("mem"), Qt::CaseInsensitive))
        return Kind::Text;
    if (field.startsWith(QLatin1String("dtm"), Qt::CaseInsensitive))
        return Kind::Date;
    return Kind::Number;
}

} // namespace

FieldBindings::FieldBindings(QObject *parent) : QObject(parent) {}

FieldBindings::FieldBindings(records::BoundRecord &record, QObject *parent) : QObject(parent)
{
    setDataSource(&record);
}

FieldBindings::~FieldBindings()
{
    setDataSource(nullptr);
}

void FieldBindings::add(QWidget *control, const QString &field, const QString &format)
{
    m_bindings.append({control, field, format, false});
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        connect(edit, &QLineEdit::textEdited, this, [this, control] { edited(control); });
    else if (auto *box = qobject_cast<QCheckBox *>(control))
        connect(box, &QCheckBox::clicked, this, [this, control] { edited(control); });
    else if (auto *lines = qobject_cast<MultiLineEdit *>(control))
        connect(lines, &QPlainTextEdit::textChanged, this, [this, control] { edited(control); });
    if (m_record) {
        applyColumn(m_bindings.last());
        fill(m_bindings.last());
    }
}

void FieldBindings::addValue(const QString &field, std::function<void(const QVariant &)> show,
                             std::function<QVariant()> value)
{
    Binding b;
    b.field = field;
    b.show = std::move(show);
    b.value = std::move(value);
    m_bindings.append(std::move(b));
    if (m_record) {
        applyColumn(m_bindings.last());
        fill(m_bindings.last());
    }
}

void FieldBindings::applyColumn(Binding &b)
{
    db::ColumnType type;
    try {
        type = m_record->columnType(b.field);
    } catch (const platform::Error &) {
        return; // an unknown field shows and writes nothing
    }
    b.whole = type.kind == db::JetKind::Byte || type.kind == db::JetKind::Integer || type.kind == db::JetKind::Long
              || type.kind == db::JetKind::AutoNumber;
    auto *edit = qobject_cast<QLineEdit *>(b.control.data());
    if (edit && type.kind == db::JetKind::Text && type.width > 0 && edit->maxLength() > type.width)
        edit->setMaxLength(type.width);
    auto *lines = qobject_cast<MultiLineEdit *>(b.control.data());
    if (lines && type.kind == db::JetKind::Text && type.width > 0 && lines->maxLength() > type.width)
        lines->setMaxLength(type.width);
}

void FieldBindings::setDataSource(records::BoundRecord *record)
{
    if (m_record && m_listener)
        m_record->removeOnChanged(m_listener);
    m_record = record;
    m_listener = 0;
    if (!m_record)
        return;
    m_listener = m_record->onChanged([this](const QString &field) { recordChanged(field); });
    for (Binding &b : m_bindings)
        applyColumn(b);
    load();
}

void FieldBindings::edited(QWidget *control)
{
    if (control == m_filling)
        return;
    if (Binding *b = find(control))
        b->changed = true;
}

void FieldBindings::recordChanged(const QString &field)
{
    for (int i = 0; i < m_bindings.size(); ++i) {
        Binding &b = m_bindings[i];
        if (field.isEmpty())
            fill(b);
        else if (!b.changed && b.field.compare(field, Qt::CaseInsensitive) == 0 && !beingFilled(b))
            fill(b); // a control the user is typing in keeps its text
    }
}

QString FieldBindings::displayText(const QWidget *control) const
{
    const Binding *b = find(control);
    if (!b || !m_record || !m_record->hasCurrentRow())
        return QString();
    QVariant v;
    try {
        v = m_record->value(b->field);
    } catch (const platform::Error &) {
        return QString();
    }
    return b->format.isEmpty() ? vb::CStr(v) : vb::Format(v, b->format);
}

QVariant FieldBindings::fieldValue(const QString &field) const
{
    if (m_record && m_record->hasCurrentRow()) {
        try {
            return m_record->value(field);
        } catch (const platform::Error &) {
        }
    }
    return QVariant();
}

bool FieldBindings::beingFilled(const Binding &b) const
{
    return b.show ? &b == m_fillingValue : b.control == m_filling;
}

void FieldBindings::fill(Binding &b)
{
    if (b.show) {
        const Binding *previous = m_fillingValue;
        m_fillingValue = &b;
        b.show(fieldValue(b.field));
        m_fillingValue = previous;
        b.changed = false;
        return;
    }
    if (!b.control)
        return;
    QWidget *previous = m_filling;
    m_filling = b.control;
    if (auto *edit = qobject_cast<QLineEdit *>(b.control.data())) {
        edit->setText(displayText(edit));
        edit->setModified(false);
    } else if (auto *lines = qobject_cast<MultiLineEdit *>(b.control.data())) {
        lines->setPlainText(displayText(lines));
    } else if (auto *box = qobject_cast<QCheckBox *>(b.control.data())) {
        const QVariant v = fieldValue(b.field);
        box->setChecked(!v.isNull() && v.toDouble() != 0);
    }
    m_filling = previous;
    b.changed = false;
}

void FieldBindings::load()
{
    for (int i = 0; i < m_bindings.size(); ++i)
        fill(m_bindings[i]);
}

void FieldBindings::load(const QString &field)
{
    for (int i = 0; i < m_bindings.size(); ++i)
        if (m_bindings[i].field.compare(field, Qt::CaseInsensitive) == 0)
            fill(m_bindings[i]);
}

void FieldBindings::refresh(QWidget *control)
{
    if (Binding *b = find(control))
        fill(*b);
}

FieldBindings::Binding *FieldBindings::find(const QWidget *control)
{
    for (Binding &b : m_bindings)
        if (!b.show && b.control == control)
            return &b;
    return nullptr;
}

FieldBindings::Binding *FieldBindings::findValue(const QString &field)
{
    for (Binding &b : m_bindings)
        if (b.show && b.field.compare(field, Qt::CaseInsensitive) == 0)
            return &b;
    return nullptr;
}

void FieldBindings::markChanged(const QString &field)
{
    // Filling clears the mark after `show`, so that a mark it sets off
    // does not count.
    if (Binding *b = findValue(field))
        b->changed = true;
}

void FieldBindings::writeValue(const QString &field)
{
    if (Binding *b = findValue(field))
        writeBinding(*b);
}

bool FieldBindings::isValueChanged(const QString &field) const
{
    const Binding *b = const_cast<FieldBindings *>(this)->findValue(field);
    return b && b->changed;
}

const FieldBindings::Binding *FieldBindings::find(const QWidget *control) const
{
    return const_cast<FieldBindings *>(this)->find(control);
}

bool FieldBindings::isBound(const QWidget *control) const
{
    return find(control) != nullptr;
}

QString FieldBindings::fieldOf(const QWidget *control) const
{
    const Binding *b = find(control);
    return b ? b->field : QString();
}

bool FieldBindings::isChanged(const QWidget *control) const
{
    const Binding *b = find(control);
    return b && b->changed;
}

void FieldBindings::setChanged(QWidget *control, bool changed)
{
    if (Binding *b = find(control))
        b->changed = changed;
}

void FieldBindings::setText(QLineEdit *edit, const QString &text)
{
    if (edit->text() == text)
        return;
    edit->setText(text);
    edited(edit);
}

void FieldBindings::setChecked(QCheckBox *box, bool checked)
{
    if (box->isChecked() == checked)
        return;
    box->setChecked(checked);
    edited(box);
}

std::optional<QVariant> FieldBindings::valueOf(const QWidget *control) const
{
    const Binding *b = find(control);
    if (!b || !b->control)
        return std::nullopt;
    if (auto *box = qobject_cast<const QCheckBox *>(control))
        return QVariant(box->isChecked() ? 1 : 0);
    QString text;
    if (auto *edit = qobject_cast<const QLineEdit *>(control))
        text = edit->text();
    else if (auto *lines = qobject_cast<const MultiLineEdit *>(control))
        text = lines->toPlainText();
    else
        return std::nullopt;
    if (text.trimmed().isEmpty())
        return QVariant();
    switch (kindOf(b->field)) {
    case Kind::Text:
        return QVariant(text);
    case Kind::Date:
        if (!vb::IsDate(text))
            return std::nullopt;
        return QVariant(vb::CDate(text));
    case Kind::Number:
        if (const auto n = vb::TypedNumber(text, b->whole ? vb::NumberKind::Whole : vb::NumberKind::Fraction))
            return QVariant(*n);
        return std::nullopt;
    }
    return std::nullopt;
}

bool FieldBindings::holdsNumber(const QWidget *control) const
{
    const std::optional<QVariant> v = valueOf(control);
    return v && !v->isNull();
}

void FieldBindings::write(QWidget *control)
{
    if (Binding *b = find(control))
        writeBinding(*b);
}

void FieldBindings::writeBinding(Binding &b)
{
    if (!b.changed || (!b.show && !b.control) || !m_record || !m_record->hasCurrentRow())
        return;
    const std::optional<QVariant> value = b.show ? std::optional<QVariant>(b.value()) : valueOf(b.control);
    if (!value)
        return;
    m_record->setValue(b.field, *value);
    b.changed = false;
    // The stored value in the binding's picture (the record may not tell).
    fill(b);
}

void FieldBindings::writeAll()
{
    std::optional<platform::Error> first;
    for (int i = 0; i < m_bindings.size(); ++i) {
        try {
            writeBinding(m_bindings[i]);
        } catch (const platform::Error &e) {
            if (!first)
                first = e;
        }
    }
    if (first)
        throw *first;
}

} // namespace screens
