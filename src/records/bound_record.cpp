#include "records/bound_record.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

namespace records {

namespace {
[[noreturn]] void notOpen()
{
    throw platform::Error(db::err::kObjectClosed,
                          QStringLiteral("Het recordobject is nog niet op een inrichting geopend."));
}
} // namespace

BoundRecord::~BoundRecord() = default;

QVariant BoundRecord::value(const QString &fieldName) const
{
    if (!m_rs || !m_rs->isOpen())
        notOpen();
    return m_rs->Fields(fieldName).Value();
}

void BoundRecord::setValue(const QString &fieldName, const QVariant &value)
{
    if (!m_rs || !m_rs->isOpen())
        notOpen();
    m_rs->Fields(fieldName).setValue(value);
}

QStringList BoundRecord::fieldNames() const
{
    QStringList names;
    if (!m_rs || !m_rs->isOpen())
        return names;
    for (int i = 0; i < m_rs->FieldCount(); ++i)
        names << m_rs->Fields(i).Name();
    return names;
}

db::ColumnType BoundRecord::columnType(const QString &fieldName) const
{
    if (!m_rs || !m_rs->isOpen())
        notOpen();
    const db::Field f = m_rs->Fields(fieldName);
    db::ColumnType type;
    type.kind = f.Type();
    if (type.kind == db::JetKind::Text)
        type.width = f.DefinedSize();
    return type;
}

bool BoundRecord::hasCurrentRow() const
{
    if (!m_rs || !m_rs->isOpen() || m_rs->BOF() || m_rs->EOF_())
        return false;
    try {
        // A deleted row is neither BOF nor EOF, but has no values.
        if (m_rs->FieldCount() > 0)
            (void)m_rs->Fields(0).Value();
        return true;
    } catch (const platform::Error &) {
        return false;
    }
}

int BoundRecord::onChanged(std::function<void(const QString &)> callback)
{
    const int id = m_nextListener++;
    m_listeners.emplace_back(id, std::move(callback));
    return id;
}

void BoundRecord::removeOnChanged(int id)
{
    std::erase_if(m_listeners, [id](const auto &entry) { return entry.first == id; });
}

void BoundRecord::attach(db::Recordset *recordset)
{
    detach();
    m_rs = recordset;
    if (m_rs && m_rs->isOpen())
        m_rsListener = m_rs->onFieldChanged([this](const QString &field) { notify(field); });
    notifyRowChanged();
}

void BoundRecord::detach()
{
    if (m_rs && m_rs->isOpen() && m_rsListener)
        m_rs->removeFieldChangedListener(m_rsListener);
    m_rs = nullptr;
    m_rsListener = 0;
}

void BoundRecord::notifyRowChanged() const
{
    notify(QString());
}

void BoundRecord::notify(const QString &fieldName) const
{
    const auto copy = m_listeners;
    for (const auto &entry : copy)
        entry.second(fieldName);
}

} // namespace records
