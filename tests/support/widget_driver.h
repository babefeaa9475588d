#pragma once
// Driving the program's screens as a user does: finding widgets by their
// control names, typing into fields, clicking buttons, option and check
// boxes and list rows, and the screens loaded at a moment.

#include "screens/form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace testsupport {

// The child widget of `parent` named `name`; fails the test without one.
template <class W> W *control(const QObject *parent, const QString &name)
{
    W *w = parent ? parent->findChild<W *>(name) : nullptr;
    EXPECT_NE(w, nullptr) << "no control " << name.toStdString();
    return w;
}

template <class W> W *control(const QObject *parent, const char *name)
{
    return control<W>(parent, QString::fromLatin1(name));
}

// Clicks a command button, which must be enabled.
inline void click(QPushButton *button)
{
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks an option or check box on its box.
inline void clickBox(QAbstractButton *button)
{
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Types `text` into `widget` key by key (also letters outside ASCII).
inline void typeText(QWidget *widget, const QString &text)
{
    ASSERT_NE(widget, nullptr);
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Selects what `field` holds and types `text` over it; an empty text
// deletes it.
inline void replaceText(QLineEdit *field, const QString &text)
{
    ASSERT_NE(field, nullptr);
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        typeText(field, text);
}

// Gives `field` the focus and replaces its text.
inline void retype(QLineEdit *field, const QString &text)
{
    ASSERT_NE(field, nullptr);
    field->setFocus();
    QApplication::processEvents();
    replaceText(field, text);
}

// Retypes a field (or the text of an editable list box) and leaves it by Tab.
inline void typeAndLeave(QWidget *widget, const QString &text)
{
    ASSERT_NE(widget, nullptr);
    auto *combo = qobject_cast<QComboBox *>(widget);
    retype(combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(widget), text);
    QTest::keyClick(widget, Qt::Key_Tab);
    QApplication::processEvents();
}

// A point on the first cell of `row`.
inline QPoint rowPoint(const QTreeWidget *list, QTreeWidgetItem *row)
{
    const QRect r = list->visualItemRect(row);
    return QPoint(r.left() + 8, r.center().y());
}

// Clicks `row` of `list`, scrolled into view first.
inline void clickRow(QTreeWidget *list, QTreeWidgetItem *row)
{
    ASSERT_NE(list, nullptr);
    ASSERT_NE(row, nullptr);
    list->scrollToItem(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(list, row));
}

// Clicks the row of `list` whose first column reads `text`.
inline void clickRow(QTreeWidget *list, const QString &text)
{
    ASSERT_NE(list, nullptr);
    const QList<QTreeWidgetItem *> rows = list->findItems(text, Qt::MatchExactly, 0);
    ASSERT_EQ(rows.size(), 1) << text.toStdString();
    clickRow(list, rows.first());
}

// The texts of `column` of every top-level row.
inline QStringList rowTexts(const QTreeWidget *list, int column = 0)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

// The screen names of the loaded forms, in the order they were loaded.
inline QStringList loadedFormNames()
{
    QStringList names;
    for (screens::Form *f : screens::Form::loadedForms())
        names << f->objectName();
    return names;
}

// Unloads every loaded screen, as a test leaves them.
inline void unloadForms()
{
    for (screens::Form *f : screens::Form::loadedForms())
        f->unload();
}

} // namespace testsupport
