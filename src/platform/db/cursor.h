#pragma once
// One cursor over a RowStore: the rows it shows (after its filter and
// sort), its position and its pending edit. A Recordset owns one; its clones
// own others over the same store.

#include "platform/db/criteria.h"
#include "platform/db/recordset.h"
#include "platform/db/row_store.h"

#include <QHash>
#include <map>

namespace db {

class Cursor {
public:
    Cursor(std::shared_ptr<RowStore> store, LockType lock, bool readOnly);
    ~Cursor();
    Cursor(const Cursor &) = delete;
    Cursor &operator=(const Cursor &) = delete;

    std::shared_ptr<RowStore> store;
    LockType lock;
    bool readOnly;

    // The rows shown. pos is -1 at BOF and view.size() at EOF. After a
    // Delete the cursor stands on the deleted row (onDeleted) until it
    // moves: pos is then the index of the row that followed it.
    std::vector<Row *> view;
    int pos = -1;
    bool onDeleted = false;

    QString filterText, sortText;
    std::vector<Criterion> filter;
    std::vector<SortKey> sort;

    // The pending edit: the row and the checked values assigned so far.
    EditMode mode = EditMode::None;
    Row *editRow = nullptr;
    std::map<int, QVariant> pending;
    Row *beforeAdd = nullptr; // current row before AddNew
    int beforeAddEdge = 0;    // -1 BOF, 1 EOF, 0 a row

    std::vector<std::pair<int, std::function<void(const QString &)>>> listeners;
    int nextListener = 1;

    // Notifications from the store.
    void rowAdded(Row *row);
    void rowRemoved(Row *row);

    bool bof() const { return !onDeleted && (view.empty() || pos < 0); }
    bool eof() const { return !onDeleted && (view.empty() || pos >= int(view.size())); }
    Row *current() const;
    Row *requireCurrent() const;          // 3021 / 3167
    int positionOf(const Row *row) const; // -1 when not shown
    void setPosition(int p);              // clears onDeleted
    void rebuildView();                   // filter and sort again; first row current

    FieldResolver resolver() const;
    int findField(QStringView name) const;    // -1 when unknown
    int requireField(QStringView name) const; // 3265
    void requireField(int index) const;

    // Editing (cursor_edit.cpp).
    QVariant value(int field) const;
    void values(const std::vector<int> &fields, const QVariant **out) const; // where value() of each is
    void setValue(int field, const QVariant &value);
    void savePending(); // Update when an edit is pending
    void update();
    void cancelUpdate();
    void addNew();
    void deleteCurrent();
    void requireWritable() const;
    void notify(int field);

private:
    void writeChanges(Row *row);
    void insertRow(Row *row);
    mutable QHash<const Row *, int> m_positions;
    mutable bool m_positionsValid = false;
};

} // namespace db
