#pragma once
// A multi-line text box as the input screens use it: plain text only, Tab
// moves on to the next control (as in every other box of a screen) and
// Enter starts a new line, and it takes at most maxLength() characters, as
// a one-line box does. A line break counts as one character; the text
// (toPlainText()) holds it as "\n".
//
// The limit holds for every way text comes in: typed (also over a
// selection), pasted, dropped or composed by an input method. What does not
// fit is left out of what comes in: a key that would go past the limit
// types nothing, a pasted text is cut to the room left, and the cursor
// stands after what was inserted. A text the program sets is cut to the
// limit at its end.

#include <QPlainTextEdit>

namespace screens {

class MultiLineEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit MultiLineEdit(const QString &name, QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }
    // Cuts a longer text that the box holds already.
    void setMaxLength(int maxLength);

    // The height of the box for this many lines of text.
    void setVisibleLines(int lines);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    // Characters that may still come in where the cursor stands (its
    // selection is replaced).
    int room() const;
    void cutToLimit();

    int m_maxLength = 32767; // as a one-line box
};

} // namespace screens
