#pragma once
// Helpers of the target-fund calculation: reading a cost-item row with the
// calculation's rules for empty fields, the checklist checks of one row,
// and the overflow guard of single-precision results.

#include "platform/core/error_numbers.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace checklist {
class clsCL;
}
namespace db {
class Recordset;
}

namespace calc {

// The current row of a recordset over tblAct, or a row copied from one
// (its values in the recordset's column order).
class ActRow {
public:
    explicit ActRow(const db::Recordset &rs) : m_rs(rs) {}
    ActRow(const db::Recordset &rs, const std::vector<QVariant> &copy) : m_rs(rs), m_copy(&copy) {}
    QVariant value(const char *field) const;
    bool isNull(const char *field) const;
    // Null as 0.
    std::uint8_t byte(const char *field) const { return asByte(value(field), field); }
    float single(const char *field) const { return asSingle(value(field), field); }
    qint16 int16(const char *field) const { return asInt16(value(field), field); }
    // The same conversions of a value already read from `field`.
    static std::uint8_t asByte(const QVariant &v, const char *field);
    static float asSingle(const QVariant &v, const char *field);
    static qint16 asInt16(const QVariant &v, const char *field);
    // Null as the empty text, as the checks take it.
    QVariant orEmpty(const char *field) const;
    QString text(const char *field) const;

private:
    const db::Recordset &m_rs;
    const std::vector<QVariant> *m_copy = nullptr;
};

// The four checks of a row against the checklist's current item.
struct ChecklistFlags {
    bool jaarStart = true;
    bool jaarEind = true;
    bool kosten = true;
    bool freq = true;
    bool all() const { return jaarStart && jaarEind && kosten && freq; }
};
ChecklistFlags checklistChecks(const checklist::clsCL &cl, const ActRow &row);
inline bool conformChecklist(const checklist::clsCL &cl, const ActRow &row)
{
    return checklistChecks(cl, row).all();
}

// The loaded checklist view; error 91 when none is loaded yet (an object
// used before it was bound or before its report view was opened).
checklist::clsCL &loaded(const std::unique_ptr<checklist::clsCL> &view);

// The value, or error 6 "Overflow" when it is not a finite single.
float checkedSingle(double value);
float checkedSingle(float value);

// The error for a code the calculation does not know, naming the item.
[[noreturn]] void raiseOnbekendeCode(const QString &wat, const QVariant &code, const QString &strObject,
                                     const QString &strAct);

} // namespace calc
