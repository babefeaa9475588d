#pragma once
// Finding and pressing widgets of the program's screens by their control
// names, and the screens loaded at a moment.

#include "screens/form.h"

#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace testsupport {

// The child widget of `parent` named `name`; fails the test without one.
template <class W>
W *control(const QObject *parent, const char *name)
{
    W *w = parent ? parent->findChild<W *>(QLatin1String(name)) : nullptr;
    EXPECT_NE(w, nullptr) << "no control " << name;
    return w;
}

inline void click(QPushButton *button)
{
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

// The screen names of the loaded forms, in the order they were loaded.
inline QStringList loadedFormNames()
{
    QStringList names;
    for (screens::Form *f : screens::Form::loadedForms())
        names << f->objectName();
    return names;
}

} // namespace testsupport
