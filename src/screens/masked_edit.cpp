#include "screens/masked_edit.h"

#include <QCoreApplication>
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
    // Only the count of digits is limited here; whether the text is a
    // number of whole euros is the field check's to judge.
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^(?:\\D*\\d){0,%1}\\D*$").arg(digits)), this));
}

bool keypadDecimalAsComma(QLineEdit *edit, QEvent *event)
{
    if (!edit || event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (!(key->modifiers() & Qt::KeypadModifier) || key->text() != QLatin1String("."))
        return false;
    QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, key->modifiers() & ~Qt::KeypadModifier, QStringLiteral(","),
                    key->isAutoRepeat(), ushort(key->count()));
    QCoreApplication::sendEvent(edit, &comma);
    return true;
}

void MaskedEdit::keyPressEvent(QKeyEvent *event)
{
    if (!keypadDecimalAsComma(this, event))
        QLineEdit::keyPressEvent(event);
}

} // namespace screens
