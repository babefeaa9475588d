#include "screens/masked_edit.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace screens {

MaskedEdit::MaskedEdit(const QString &name, QWidget *parent) : QLineEdit(parent)
{
    setObjectName(name);
}

void MaskedEdit::setMaxDigits(int digits)
{
    m_maxDigits = digits;
    if (digits <= 0) {
        setValidator(nullptr);
        return;
    }
    // A euro sign and blanks around the digits; dots only where Format
    // groups the thousands, so that a displayed amount can be edited.
    const QString digitsOnly = QStringLiteral("(?=(?:\\D*\\d){0,%1}\\D*$)").arg(digits);
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^%1\\s*(€\\s*)?[0-9.]*\\s*$").arg(digitsOnly)), this));
}

void MaskedEdit::keyPressEvent(QKeyEvent *event)
{
    // The keypad's decimal key gives "." whatever the keyboard layout; the
    // program's numbers take the comma.
    if ((event->modifiers() & Qt::KeypadModifier) && event->text() == QLatin1String(".")) {
        QKeyEvent comma(event->type(), Qt::Key_Comma, event->modifiers() & ~Qt::KeypadModifier, QStringLiteral(","),
                        event->isAutoRepeat(), ushort(event->count()));
        QLineEdit::keyPressEvent(&comma);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace screens
