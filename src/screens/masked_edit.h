#pragma once
// A text box for numbers as the input screens use it (the masked edit box):
// the numeric keypad's decimal key types the decimal comma, and a box with
// a digit limit takes at most that many digits (the mask "€ #####" of the
// yearly amounts). Nothing else typed is dropped: a text that is no number
// of the field's kind ("12,5" for whole euros, "4x") reaches the field's
// check and is refused with its message, never read as another number.

#include <QLineEdit>

class QEvent;

namespace screens {

// The numeric keypad's decimal key gives "." whatever the keyboard layout;
// the program's numbers take the comma. True when `event` is that key
// pressed in `edit`: the comma has then been typed instead (through the
// box's validator). Every number box of the screens goes through it.
bool keypadDecimalAsComma(QLineEdit *edit, QEvent *event);

class MaskedEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit MaskedEdit(const QString &name, QWidget *parent = nullptr);

    // At most `digits` digits, and a number of whole units; 0 lifts both.
    void setMaxDigits(int digits);
    int maxDigits() const { return m_maxDigits; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_maxDigits = 0;
};

} // namespace screens
