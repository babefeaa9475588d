#pragma once
// An item of a list that a test read back: the paragraphs or tables of a
// saved document, the rows of a query.
//
//   EXPECT_EQ(itemAt(wordtest::bodyTexts(d), 0), QStringLiteral("Titel"));
//   const QJsonObject t = lastItem(wordtest::tables(d)).toObject();
//
// When the list has no such item (a document that could not be read gives
// empty lists) the test fails at the caller's line, saying which item was
// asked of how many, and an empty item stands in: the test goes on and
// fails instead of crashing.

#include <QtGlobal>
#include <gtest/gtest.h>

namespace testsupport {

// Item i, from 0. The caller's file and line come from the compiler's
// builtins, which gcc and clang both have (clang 14 with this standard
// library has no std::source_location).
template <class List>
typename List::value_type itemAt(const List &list, qsizetype i, const char *file = __builtin_FILE(),
                                 int line = __builtin_LINE())
{
    const qsizetype size = qsizetype(list.size());
    if (i < 0 || i >= size) {
        ADD_FAILURE_AT(file, line) << "no item " << i << " in a list of " << size;
        return typename List::value_type();
    }
    return list[typename List::size_type(i)];
}

// The last item.
template <class List>
typename List::value_type lastItem(const List &list, const char *file = __builtin_FILE(), int line = __builtin_LINE())
{
    if (list.size() == 0) {
        ADD_FAILURE_AT(file, line) << "no last item in an empty list";
        return typename List::value_type();
    }
    return list[list.size() - 1];
}

} // namespace testsupport
