#pragma once
// What every record class offers to the binding of screen controls: the
// fields of its current row by name (names compared without regard to case),
// writable as a pending edit, and a notification when a field's value as the
// object shows it changes or when the object stands on another row.
//
// A binding layer needs nothing more: it reads value(), writes setValue(),
// and refreshes its controls from onChanged(): a field name for one field,
// an empty name for "every field" (the current row changed or was re-read).

#include "platform/db/recordset.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

namespace records {

class BoundRecord {
public:
    BoundRecord(const BoundRecord &) = delete;
    BoundRecord &operator=(const BoundRecord &) = delete;

    // The current row's value of a field (a pending edit included). Raises
    // platform::Error 3021 without a current row, 3265 for an unknown field.
    QVariant value(const QString &fieldName) const;

    // Puts a value into the current row as a pending edit, checked against
    // the column (width, range, type; the error names the field).
    void setValue(const QString &fieldName, const QVariant &value);

    // The names of the fields, in the order of the table.
    QStringList fieldNames() const;

    // The column a field comes from: its kind and, for Text, its width.
    // Raises platform::Error 3265 for an unknown field.
    db::ColumnType columnType(const QString &fieldName) const;

    // True when the object stands on a row (not before the first, not after
    // the last, not on a deleted one).
    bool hasCurrentRow() const;

    int onChanged(std::function<void(const QString &fieldName)> callback);
    void removeOnChanged(int id);

protected:
    BoundRecord() = default;
    ~BoundRecord();

    // The recordset the fields come from; attach after it has been opened.
    void attach(db::Recordset *recordset);
    void detach();
    db::Recordset *bound() const { return m_rs; }

    // Tells the listeners that every field may show another value.
    void notifyRowChanged() const;

private:
    void notify(const QString &fieldName) const;

    db::Recordset *m_rs = nullptr;
    int m_rsListener = 0;
    std::vector<std::pair<int, std::function<void(const QString &)>>> m_listeners;
    int m_nextListener = 1;
};

} // namespace records
