#include "screens/multi_line_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace screens {

namespace {

// The first `n` characters of `text`, one fewer where the n-th would split
// a surrogate pair.
QString leftOf(const QString &text, int n)
{
    if (n <= 0)
        return QString();
    if (n >= text.size())
        return text;
    if (text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

} // namespace

MultiLineEdit::MultiLineEdit(const QString &name, QWidget *parent) : QPlainTextEdit(parent)
{
    setObjectName(name);
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(this, &QPlainTextEdit::textChanged, this, &MultiLineEdit::cutToLimit);
}

void MultiLineEdit::setMaxLength(int maxLength)
{
    m_maxLength = std::max(0, maxLength);
    cutToLimit();
}

void MultiLineEdit::setVisibleLines(int lines)
{
    const int tekst = lines * fontMetrics().lineSpacing();
    const int marge = int(std::ceil(2 * document()->documentMargin()));
    setFixedHeight(tekst + marge + 2 * frameWidth());
}

int MultiLineEdit::room() const
{
    const QTextCursor c = textCursor();
    const int selected = c.selectionEnd() - c.selectionStart();
    return m_maxLength - (document()->characterCount() - 1 - selected);
}

void MultiLineEdit::cutToLimit()
{
    // Positions in a plain document count every character and every line
    // break once, as the text does.
    const QString text = toPlainText();
    if (text.size() <= m_maxLength)
        return;
    const int keep = leftOf(text, m_maxLength).size();
    QTextCursor c(document());
    c.setPosition(keep);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

void MultiLineEdit::keyPressEvent(QKeyEvent *event)
{
    // Tab moves the focus on, also where no control takes it: it never
    // lands in the text.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    // Keys that type: Enter (a new line) and printable text. Commands
    // (paste, undo, cursor keys) pass.
    int typed = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        typed = 1;
    else if (!event->text().isEmpty() && event->text().at(0).isPrint())
        typed = int(event->text().size());
    if (typed > 0 && typed > room()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MultiLineEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    // A line break of any kind becomes one.
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text = leftOf(text, room());
    if (text.isEmpty())
        return;
    QMimeData past;
    past.setText(text);
    QPlainTextEdit::insertFromMimeData(&past);
}

void MultiLineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    const int allowed = room() + event->replacementLength();
    if (commit.size() <= allowed) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent past(event->preeditString(), event->attributes());
    past.setCommitString(leftOf(commit, allowed), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&past);
}

} // namespace screens
