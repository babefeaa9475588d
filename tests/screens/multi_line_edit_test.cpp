// The multi-line text box offscreen: whatever way text comes in (typed,
// over a selection, Enter, pasted with any kind of line break, set by the
// program), no character beyond its limit gets in, and the cursor stands
// after what did.

#include "screens/multi_line_edit.h"

#include "support/qstring_printer.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

using screens::MultiLineEdit;

enum class Way { Type, Enter, Paste, Set };

TEST(MultiLineEditTest, NothingGetsInBeyondTheLimitAndTheCursorFollowsWhatDid)
{
    const struct {
        const char *name;
        const char *before;
        int from, to; // the cursor's selection before
        Way way;
        const char *input;
        const char *after;
        int cursor;
    } rows[] = {
        {"typed into an empty box", "", 0, 0, Way::Type, "abcdefghijkl", "abcdefghij", 10},
        {"typed in the middle of a full box", "0123456789", 4, 4, Way::Type, "x", "0123456789", 4},
        {"typed over a selection", "0123456789", 4, 6, Way::Type, "xyz", "0123xy6789", 6},
        {"Enter in a full box", "0123456789", 10, 10, Way::Enter, "", "0123456789", 10},
        {"Enter with room for one", "012345678", 9, 9, Way::Enter, "", "012345678\n", 10},
        {"pasted at the end", "12345", 5, 5, Way::Paste, "abcdefghijkl", "12345abcde", 10},
        {"pasted in the middle", "12345", 2, 2, Way::Paste, "abcdefgh", "12abcde345", 7},
        {"pasted over a selection", "0123456789", 0, 10, Way::Paste, "abcdefghijkl", "abcdefghij", 10},
        {"pasted with Windows line breaks", "12345", 5, 5, Way::Paste, "ab\r\ncd\r\nef", "12345ab\ncd", 10},
        {"pasted into a full box", "0123456789", 3, 3, Way::Paste, "x", "0123456789", 3},
        {"set by the program", "", 0, 0, Way::Set, "0123456789abc", "0123456789", -1},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        MultiLineEdit box(QStringLiteral("txtTest"));
        box.setMaxLength(10);
        box.setPlainText(QString::fromUtf8(r.before));
        QTextCursor c = box.textCursor();
        c.setPosition(r.from);
        c.setPosition(r.to, QTextCursor::KeepAnchor);
        box.setTextCursor(c);
        const QString input = QString::fromUtf8(r.input);
        switch (r.way) {
        case Way::Type:
            QTest::keyClicks(&box, input);
            break;
        case Way::Enter:
            QTest::keyClick(&box, Qt::Key_Return);
            break;
        case Way::Paste:
            QApplication::clipboard()->setText(input);
            QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
            break;
        case Way::Set:
            box.setPlainText(input);
            break;
        }
        EXPECT_EQ(box.toPlainText(), QString::fromUtf8(r.after));
        if (r.cursor >= 0) {
            EXPECT_EQ(box.textCursor().position(), r.cursor);
        }
    }
}

TEST(MultiLineEditTest, ALowerLimitCutsWhatTheBoxHoldsAndTabLeavesTheBox)
{
    MultiLineEdit box(QStringLiteral("txtTest"));
    box.setPlainText(QStringLiteral("regel 1\nregel 2"));
    box.setMaxLength(9);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("regel 1\nr"));
    box.setMaxLength(20);
    QTest::keyClick(&box, Qt::Key_Tab);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("regel 1\nr"));
}

} // namespace
