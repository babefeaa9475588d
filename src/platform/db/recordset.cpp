#include "recordset.h"

#include "connection.h"
#include "cursor.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

namespace db {

using platform::Error;

// ---- Field ------------------------------------------------------------------

QString Field::Name() const
{
    return m_cursor->store->fields[size_t(m_index)].name;
}
QVariant Field::Value() const
{
    return m_cursor->value(m_index);
}
void Field::setValue(const QVariant &v)
{
    m_cursor->setValue(m_index, v);
}
JetKind Field::Type() const
{
    return m_cursor->store->fields[size_t(m_index)].type.kind;
}
int Field::DefinedSize() const
{
    return definedSizeOf(m_cursor->store->fields[size_t(m_index)].type);
}
QString Field::table() const
{
    return m_cursor->store->fields[size_t(m_index)].table;
}
bool Field::Optimize() const
{
    return m_cursor->store->hasIndex(m_index);
}
void Field::setOptimize(bool on)
{
    m_cursor->store->setIndexed(m_index, on);
}

bool Field::isUpdatable() const
{
    const FieldInfo &f = m_cursor->store->fields[size_t(m_index)];
    return !m_cursor->readOnly && m_cursor->store->keyed && !f.table.isEmpty() && f.type.kind != JetKind::AutoNumber;
}

// ---- Recordset: life --------------------------------------------------------

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset &&other) noexcept = default;
Recordset &Recordset::operator=(Recordset &&other) noexcept = default;
Recordset::Recordset(std::unique_ptr<Cursor> cursor) : d(std::move(cursor)) {}

Cursor &Recordset::cursor(const char *what) const
{
    if (!d)
        throw Error(err::kObjectClosed, QStringLiteral("De recordset is gesloten (%1).").arg(QLatin1String(what)));
    return *d;
}

void Recordset::Open(const QString &sql, Connection &connection, LockType lockType, const QVariantList &params)
{
    Close();
    if (lockType == LockType::Unspecified)
        lockType = LockType::ReadOnly;
    const bool readOnly = lockType == LockType::ReadOnly || connection.isReadOnly();
    auto store = RowStore::load(connection.physical(), sql, params, !readOnly);
    d = std::make_unique<Cursor>(std::move(store), lockType, readOnly);
}

void Recordset::Close()
{
    d.reset(); // a pending AddNew row goes with its cursor
}

bool Recordset::isOpen() const
{
    return static_cast<bool>(d);
}
bool Recordset::BOF() const
{
    return cursor("BOF").bof();
}
bool Recordset::EOF_() const
{
    return cursor("EOF").eof();
}
int Recordset::RecordCount() const
{
    return int(cursor("RecordCount").view.size());
}
LockType Recordset::lockType() const
{
    return cursor("LockType").lock;
}
db::EditMode Recordset::EditMode() const
{
    return cursor("EditMode").mode;
}
QString Recordset::baseTable() const
{
    return cursor("baseTable").store->baseTable;
}

bool Recordset::isUpdatable() const
{
    const Cursor &c = cursor("isUpdatable");
    return !c.readOnly && c.store->keyed;
}

// ---- moves ------------------------------------------------------------------

namespace {
[[noreturn]] void noCurrentRecord(const char *what)
{
    throw Error(err::kNoCurrentRecord,
                QStringLiteral("Er is geen huidig record: de recordset staat voor het eerste of na het laatste "
                               "record (%1).")
                    .arg(QLatin1String(what)));
}
} // namespace

void Recordset::MoveFirst()
{
    Cursor &c = cursor("MoveFirst");
    c.savePending();
    c.setPosition(c.view.empty() ? -1 : 0);
}

void Recordset::MoveLast()
{
    Cursor &c = cursor("MoveLast");
    c.savePending();
    c.setPosition(int(c.view.size()) - 1);
}

void Recordset::MoveNext()
{
    Cursor &c = cursor("MoveNext");
    if (c.eof())
        noCurrentRecord("MoveNext");
    c.savePending();
    c.setPosition(c.onDeleted ? c.pos : c.pos + 1);
}

void Recordset::MovePrevious()
{
    Cursor &c = cursor("MovePrevious");
    if (c.bof())
        noCurrentRecord("MovePrevious");
    c.savePending();
    c.setPosition(c.pos - 1);
}

void Recordset::Move(int rows)
{
    Cursor &c = cursor("Move");
    const int size = int(c.view.size());
    if ((c.eof() && rows >= 0) || (c.bof() && rows <= 0))
        noCurrentRecord("Move");
    c.savePending(); // Move(0) saves the pending edit and stays
    if (rows == 0)
        return;
    int target;
    if (c.onDeleted)
        target = rows > 0 ? c.pos + rows - 1 : c.pos + rows;
    else
        target = c.pos + rows; // from BOF (-1) or EOF (size) too
    c.setPosition(target < 0 ? -1 : (target >= size ? size : target));
}

// ---- editing ----------------------------------------------------------------

void Recordset::AddNew()
{
    cursor("AddNew").addNew();
}
void Recordset::Update()
{
    cursor("Update").update();
}
void Recordset::CancelUpdate()
{
    cursor("CancelUpdate").cancelUpdate();
}
void Recordset::Delete()
{
    cursor("Delete").deleteCurrent();
}

// ---- fields -----------------------------------------------------------------

Field Recordset::Fields(const QString &name) const
{
    Cursor &c = cursor("Fields");
    return Field(&c, c.requireField(name));
}

Field Recordset::Fields(QLatin1String name) const
{
    Cursor &c = cursor("Fields");
    return Field(&c, c.requireField(WideName(name).view()));
}

Field Recordset::Fields(int index) const
{
    Cursor &c = cursor("Fields");
    c.requireField(index);
    return Field(&c, index);
}

void Recordset::fieldValues(const std::vector<int> &fields, const QVariant **values) const
{
    const Cursor &c = cursor("Fields");
    const size_t n = c.store->fields.size();
    for (const int f : fields)
        if (size_t(f) >= n)
            c.requireField(f);
    c.values(fields, values);
}

int Recordset::FieldCount() const
{
    return int(cursor("FieldCount").store->fields.size());
}
int Recordset::fieldIndex(const QString &name) const
{
    return cursor("fieldIndex").findField(name);
}
int Recordset::fieldIndex(QLatin1String name) const
{
    return cursor("fieldIndex").findField(WideName(name).view());
}

int Recordset::onFieldChanged(std::function<void(const QString &field)> callback)
{
    Cursor &c = cursor("onFieldChanged");
    const int id = c.nextListener++;
    c.listeners.emplace_back(id, std::move(callback));
    return id;
}

void Recordset::removeFieldChangedListener(int id)
{
    if (!d)
        return;
    auto &l = d->listeners;
    l.erase(std::remove_if(l.begin(), l.end(), [id](const auto &e) { return e.first == id; }), l.end());
}

} // namespace db
