#pragma once
// A client-side, static recordset in the manner of ADO: the rows of a SELECT
// are read into memory at Open; Clone shares them; edits are written to the
// file at once (Update, or a move away from the edited row), keyed by the
// row's id, writing only the fields that changed.

#include "platform/db/jet_types.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

namespace db {

class Connection;
class Cursor;

// ADO's LockTypeEnum numbers. ReadOnly refuses every edit; the other three
// allow edits on an updatable recordset and behave alike (immediate writes).
enum class LockType { Unspecified = -1, ReadOnly = 1, Pessimistic = 2, Optimistic = 3, BatchOptimistic = 4 };

// ADO's EditModeEnum numbers.
enum class EditMode { None = 0, InProgress = 1, Add = 2, Delete = 4 };

// One field of the current row; a small proxy that stays valid as long as
// its recordset is open (also when the recordset object is moved).
class Field {
public:
    QString Name() const;
    QVariant Value() const;           // 3021 without a current row
    void setValue(const QVariant &v); // checks Jet's rules, starts an edit
    Field &operator=(const QVariant &v)
    {
        setValue(v);
        return *this;
    }
    Field &operator=(const Field &other)
    {
        setValue(other.Value());
        return *this;
    }
    Field(const Field &) = default;
    operator QVariant() const { return Value(); }

    JetKind Type() const;
    int DefinedSize() const;
    QString table() const; // base table, empty for an expression
    bool isUpdatable() const;

    // ADO's client-cursor "Optimize" property: keeps a hash index on this
    // field so that Find with "=" on it does not scan.
    bool Optimize() const;
    void setOptimize(bool on);

private:
    friend class Recordset;
    Field(Cursor *cursor, int index) : m_cursor(cursor), m_index(index) {}
    Cursor *m_cursor;
    int m_index;
};

class Recordset {
public:
    Recordset();
    ~Recordset(); // drops a pending edit
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;
    Recordset(Recordset &&other) noexcept;
    Recordset &operator=(Recordset &&other) noexcept;

    // Reads the rows of `sql` (positional "?" parameters, always bound).
    // Updatable unless lockType is ReadOnly, the connection is read-only, or
    // the columns do not all come from one table whose rows can be keyed.
    void Open(const QString &sql, Connection &connection, LockType lockType = LockType::ReadOnly,
              const QVariantList &params = {});
    void Close(); // drops a pending edit (call Update first to keep it)
    bool isOpen() const;

    // EOF_ has a trailing underscore because <cstdio> defines EOF as a macro.
    bool BOF() const;
    bool EOF_() const;

    // Every move first saves a pending edit. MoveNext at EOF and
    // MovePrevious at BOF raise 3021; Move(n) counts from the current row.
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();
    void Move(int rows);

    int RecordCount() const; // rows this recordset shows (after its filter)

    void AddNew();       // a new row, current at once; its id is known after Update
    void Update();       // writes the pending edit; no-op without one
    void CancelUpdate(); // drops the pending edit; a cancelled AddNew removes the row
    void Delete();       // deletes the current row from the file at once
    db::EditMode EditMode() const;

    // A second cursor over the same rows with its own position (first row),
    // filter and sort. Unspecified keeps this recordset's lock type.
    Recordset Clone(LockType lockType = LockType::Unspecified) const;

    // Opaque; valid on this recordset and its clones until Requery.
    QVariant Bookmark() const;
    void setBookmark(const QVariant &bookmark); // 3159 when the row is not shown

    // One criterion "field op value" (op = <> < > <= >=; value a number,
    // 'text' with '' for a quote, #yyyy-mm-dd [hh:mm:ss]#, True, False or
    // Null). Starts at the current row after skipping skipRows; when nothing
    // matches the recordset stands at EOF (forward) or BOF (backward).
    void Find(const QString &criteria, int skipRows = 0, bool forward = true);

    // Clauses joined by AND; empty removes the filter. Positions on the first row.
    QString Filter() const;
    void setFilter(const QString &criteria);
    // "f1, f2 DESC": Nulls first ascending, text in Jet order, stable.
    QString Sort() const;
    void setSort(const QString &sortFields);

    // Reads the rows again from the file; the first row becomes current.
    // Clones made before keep the old rows.
    void Requery();

    Field Fields(const QString &name) const; // case-insensitive; 3265 when unknown
    Field Fields(QLatin1String name) const;
    Field Fields(int index) const; // 0-based; 3265 when out of range
    int FieldCount() const;
    // Where the current row's values of the fields numbered in `fields` are,
    // as Fields(i).Value() gives them, for a reader of many rows: valid until
    // the recordset moves or changes.
    void fieldValues(const std::vector<int> &fields, const QVariant **values) const;
    int fieldIndex(const QString &name) const; // -1 when unknown
    int fieldIndex(QLatin1String name) const;

    LockType lockType() const;
    bool isUpdatable() const;
    QString baseTable() const; // the single table the rows come from, else empty

    // Called after a field's value, as this recordset shows it, changed
    // through setValue or CancelUpdate. Returns an id for removal.
    int onFieldChanged(std::function<void(const QString &field)> callback);
    void removeFieldChangedListener(int id);

private:
    explicit Recordset(std::unique_ptr<Cursor> cursor);
    Cursor &cursor(const char *what) const;
    std::unique_ptr<Cursor> d;
};

} // namespace db
