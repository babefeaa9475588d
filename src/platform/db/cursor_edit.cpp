// Editing through a cursor: assignments are checked at once and kept as the
// pending edit of the current row; Update writes only the assigned fields
// (UPDATE ... WHERE rowid = ?) or inserts the new row and reads it back.

#include "cursor.h"

#include "physical_database.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

#include <QStringList>
#include <sqlite3.h>

namespace db {

using platform::Error;

namespace {

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (isNull(a) || isNull(b))
        return isNull(a) == isNull(b);
    return a.typeId() == b.typeId() && a == b;
}

} // namespace

QVariant Cursor::value(int field) const
{
    Row *row = requireCurrent();
    if (row == editRow) {
        const auto it = pending.find(field);
        if (it != pending.end())
            return it->second;
    }
    return row->values[size_t(field)];
}

void Cursor::values(const std::vector<int> &fields, const QVariant **out) const
{
    Row *row = requireCurrent();
    for (size_t k = 0; k < fields.size(); ++k) {
        const int field = fields[k];
        if (row == editRow) {
            const auto it = pending.find(field);
            if (it != pending.end()) {
                out[k] = &it->second;
                continue;
            }
        }
        out[k] = &row->values[size_t(field)];
    }
}

void Cursor::requireWritable() const
{
    if (readOnly)
        throw Error(err::kReadOnly, QStringLiteral("De recordset is alleen-lezen geopend; wijzigen is niet mogelijk."));
    if (!store->keyed)
        throw Error(err::kReadOnly,
                    QStringLiteral("De recordset kan niet worden bijgewerkt: %1.").arg(store->notKeyedReason));
}

void Cursor::setValue(int field, const QVariant &v)
{
    Row *row = requireCurrent();
    requireWritable();
    const FieldInfo &f = store->fields[size_t(field)];
    if (f.table.isEmpty())
        throw Error(err::kFieldNotUpdatable,
                    QStringLiteral("Het veld '%1' is berekend en kan niet worden gewijzigd.").arg(f.name));
    if (row->isNew && row != editRow)
        throw Error(err::kInvalidOperation,
                    QStringLiteral("Dit record wordt via een andere recordset toegevoegd en is nog niet opgeslagen."));
    const QVariant checked = checkedValue(f.type, v, f.table, f.column);
    const QVariant old = value(field);
    if (mode == EditMode::None) {
        mode = EditMode::InProgress;
        editRow = row;
    }
    pending[field] = checked;
    if (!sameValue(old, checked))
        notify(field);
}

void Cursor::savePending()
{
    if (mode != EditMode::None)
        update();
}

void Cursor::update()
{
    if (mode == EditMode::None)
        return;
    Row *row = editRow;
    if (mode == EditMode::Add)
        insertRow(row);
    else
        writeChanges(row);
    pending.clear();
    mode = EditMode::None;
    editRow = nullptr;
    beforeAdd = nullptr;
}

void Cursor::writeChanges(Row *row)
{
    // Only fields whose value differs from the row as read are written, so
    // that another recordset's change to the other fields survives.
    QStringList sets;
    QVariantList params;
    for (const auto &[field, value] : pending) {
        if (sameValue(row->values[size_t(field)], value))
            continue;
        sets << quoted(store->fields[size_t(field)].column) + QLatin1String(" = ?");
        params << value;
    }
    if (sets.isEmpty())
        return;
    params << row->rowid;
    const QString sql = QLatin1String("UPDATE ") + quoted(store->baseTable) + QLatin1String(" SET ")
                        + sets.join(QLatin1String(", ")) + QLatin1String(" WHERE _rowid_ = ?");
    PhysicalDatabase &db = *store->db;
    {
        StatementLease stmt(db, sql);
        db.bindAll(stmt.get(), params);
        db.step(stmt.get());
    }
    if (sqlite3_changes(db.handle()) == 0)
        throw Error(err::kRecordDeleted,
                    QStringLiteral("Het record is niet meer aanwezig in tabel '%1'; het is intussen verwijderd.")
                        .arg(store->baseTable));
    for (const auto &[field, value] : pending) {
        store->setValue(row, field, value);
        if (store->fields[size_t(field)].isKey)
            row->rowid = value.toLongLong();
    }
}

void Cursor::insertRow(Row *row)
{
    PhysicalDatabase &db = *store->db;
    QStringList columns, marks;
    QVariantList params;
    for (const auto &[field, value] : pending) {
        columns << quoted(store->fields[size_t(field)].column);
        marks << QStringLiteral("?");
        params << value;
    }
    const QString table = quoted(store->baseTable);
    const QString sql = columns.isEmpty() ? QLatin1String("INSERT INTO ") + table + QLatin1String(" DEFAULT VALUES")
                                          : QLatin1String("INSERT INTO ") + table + QLatin1String(" (")
                                                + columns.join(QLatin1String(", ")) + QLatin1String(") VALUES (")
                                                + marks.join(QLatin1String(", ")) + QLatin1Char(')');
    {
        StatementLease stmt(db, sql);
        db.bindAll(stmt.get(), params);
        db.step(stmt.get());
    }
    const qint64 rowid = sqlite3_last_insert_rowid(db.handle());

    // Read the row back: its AutoNumber id and the defaults of the fields
    // that were not assigned.
    std::vector<int> base;
    QStringList names;
    for (size_t i = 0; i < store->fields.size(); ++i) {
        const FieldInfo &f = store->fields[i];
        if (!f.table.isEmpty()) {
            base.push_back(int(i));
            names << quoted(f.column);
        }
    }
    row->rowid = rowid;
    row->isNew = false;
    StatementLease stmt(db, QLatin1String("SELECT ") + names.join(QLatin1String(", ")) + QLatin1String(" FROM ") + table
                                + QLatin1String(" WHERE _rowid_ = ?"));
    db.bindAll(stmt.get(), {rowid});
    if (db.step(stmt.get()))
        for (size_t k = 0; k < base.size(); ++k)
            store->setValue(row, base[k], readColumn(stmt.get(), int(k), store->fields[size_t(base[k])].type.kind));
}

void Cursor::cancelUpdate()
{
    if (mode == EditMode::None)
        return;
    Row *row = editRow;
    if (mode == EditMode::Add) {
        Row *back = beforeAdd;
        const int edge = beforeAddEdge;
        mode = EditMode::None;
        editRow = nullptr;
        pending.clear();
        beforeAdd = nullptr;
        store->remove(row);
        const int p = back ? positionOf(back) : -1;
        if (p >= 0)
            setPosition(p);
        else if (edge > 0)
            setPosition(int(view.size()));
        else
            setPosition(edge < 0 || view.empty() ? -1 : 0);
        return;
    }
    const std::map<int, QVariant> dropped = std::move(pending);
    pending.clear();
    mode = EditMode::None;
    editRow = nullptr;
    for (const auto &[field, value] : dropped)
        if (!sameValue(row->values[size_t(field)], value))
            notify(field);
}

void Cursor::addNew()
{
    savePending();
    requireWritable();
    beforeAdd = current();
    beforeAddEdge = beforeAdd ? 0 : (bof() ? -1 : (eof() ? 1 : 0));
    Row *row = store->addNew();
    setPosition(positionOf(row));
    mode = EditMode::Add;
    editRow = row;
}

void Cursor::deleteCurrent()
{
    Row *row = requireCurrent();
    requireWritable();
    if (mode == EditMode::Add && editRow == row) {
        mode = EditMode::None;
        editRow = nullptr;
        pending.clear();
        beforeAdd = nullptr;
        store->remove(row);
        return;
    }
    if (row->isNew)
        throw Error(err::kInvalidOperation,
                    QStringLiteral("Dit record wordt via een andere recordset toegevoegd en is nog niet opgeslagen."));
    PhysicalDatabase &db = *store->db;
    {
        StatementLease stmt(db, QLatin1String("DELETE FROM ") + quoted(store->baseTable)
                                    + QLatin1String(" WHERE _rowid_ = ?"));
        db.bindAll(stmt.get(), {row->rowid});
        db.step(stmt.get());
    }
    pending.clear();
    mode = EditMode::None;
    editRow = nullptr;
    store->remove(row);
}

void Cursor::notify(int field)
{
    const QString name = store->fields[size_t(field)].name;
    const auto copy = listeners;
    for (const auto &entry : copy)
        entry.second(name);
}

} // namespace db
