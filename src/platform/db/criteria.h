#pragma once
// The criteria of Find and Filter and the field list of Sort, parsed once
// and evaluated on in-memory values. Text compares as Jet does
// (compareJetText); anything not understood is an error (3001), never a
// silent no-match.

#include "platform/db/jet_types.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>
#include <utility>
#include <vector>

namespace db {

enum class CompareOp { Eq, Ne, Lt, Gt, Le, Ge };

struct Criterion {
    enum class Literal { Null, Number, Text, Date };
    int field = -1;
    QString fieldName;
    CompareOp op = CompareOp::Eq;
    Literal literal = Literal::Null;
    double number = 0;
    QString text;
    QDateTime date;
};

struct SortKey {
    int field = -1;
    bool descending = false;
};

// Resolves a field name to (index, kind); throws 3265 when unknown.
using FieldResolver = std::function<std::pair<int, JetKind>(const QString &name)>;

// "field op value" clauses; with allowAnd they may be joined by AND.
std::vector<Criterion> parseCriteria(const QString &text, const FieldResolver &resolve, bool allowAnd);
bool matches(const Criterion &c, const QVariant &value);
bool matchesAll(const std::vector<Criterion> &cs, const std::vector<QVariant> &row);

std::vector<SortKey> parseSort(const QString &text, const FieldResolver &resolve);
// Order of two values for Sort: Null first, numbers by value, dates by
// time, text in Jet's order.
int compareForSort(const QVariant &a, const QVariant &b);

// The key of a value in an equality index: equal keys for values that "="
// finds equal (numbers by value, text case-folded). Empty for Null.
QString indexKey(const QVariant &value);
QString indexKey(const Criterion &c);

} // namespace db
