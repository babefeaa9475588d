// The check before the focus leaves a field, on two small screens in one
// MDI area, offscreen: a refusal keeps the focus, a refused text is refused
// again without a second check, focus taken by another screen checks
// nothing until a command asks, and a command whose button took the focus
// gets its answer without a second check.

#include "screens/field_validation.h"
#include "screens/form.h"

#include "support/widget_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

class Scherm : public screens::Form {
public:
    explicit Scherm(const QString &name) : Form(name)
    {
        auto *layout = new QVBoxLayout(this);
        for (QLineEdit **e : {&veld, &ander}) {
            *e = new QLineEdit(this);
            layout->addWidget(*e);
        }
        veld->setObjectName(QStringLiteral("veld"));
        ander->setObjectName(QStringLiteral("ander"));
        knop = new QPushButton(QStringLiteral("Opslaan"), this);
        layout->addWidget(knop);
        loadForm();
    }

    QLineEdit *veld = nullptr;
    QLineEdit *ander = nullptr;
    QPushButton *knop = nullptr;
};

class FieldValidationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        main.setCentralWidget(area);
        screens::Form::setHost(area);
        main.resize(800, 600);
        main.show();
        QApplication::setActiveWindow(&main);
        a = new Scherm(QStringLiteral("frmA"));
        b = new Scherm(QStringLiteral("frmB"));
        validatie = new screens::FieldValidation(a);
        // The field takes no text "x"; the other field anything.
        validatie->add(
            a->veld,
            [this] {
                ++checks;
                return a->veld->text() != QLatin1String("x");
            },
            [this] { ++left; });
        validatie->add(a->ander, [this] {
            ++checksAnder;
            return true;
        });
        focus(a->veld);
    }

    void TearDown() override
    {
        delete a;
        delete b;
        screens::Form::setHost(nullptr);
    }

    void focus(QWidget *w)
    {
        for (QWidget *p = w; p; p = p->parentWidget())
            if (auto *f = qobject_cast<screens::Form *>(p))
                area->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(f->frame()));
        w->setFocus();
        QApplication::processEvents();
    }

    void typ(const QString &text) { testsupport::replaceText(a->veld, text); }

    QMainWindow main;
    QMdiArea *area = new QMdiArea;
    Scherm *a = nullptr;
    Scherm *b = nullptr;
    screens::FieldValidation *validatie = nullptr;
    int checks = 0, checksAnder = 0, left = 0;
};

TEST_F(FieldValidationTest, ARefusalKeepsTheFocusAndARefusedTextIsNotCheckedTwice)
{
    typ(QStringLiteral("x"));
    QTest::keyClick(a->veld, Qt::Key_Tab);
    EXPECT_TRUE(a->veld->hasFocus());
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(validatie->refused(), a->veld);

    // Leaving again with the same text: refused without a second check.
    QTest::mouseClick(a->ander, Qt::LeftButton);
    EXPECT_TRUE(a->veld->hasFocus());
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(checksAnder, 0);
    // A command after such a leave answers without a check; a command that
    // took no focus checks again.
    EXPECT_FALSE(validatie->ok());
    EXPECT_EQ(checks, 1);
    EXPECT_FALSE(validatie->controleerFocus());
    EXPECT_EQ(checks, 2);

    // Another text is checked; a pass lets the focus go and runs the
    // field's lost-focus work.
    typ(QStringLiteral("y"));
    EXPECT_EQ(validatie->refused(), nullptr);
    QTest::keyClick(a->veld, Qt::Key_Tab);
    EXPECT_TRUE(a->ander->hasFocus());
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(left, 1);
}

TEST_F(FieldValidationTest, AButtonThatTakesTheFocusGetsTheAnswerOfTheLeaveItself)
{
    int answers = 0;
    bool answer = true;
    QObject::connect(a->knop, &QPushButton::clicked, a, [&] {
        ++answers;
        answer = validatie->ok();
    });
    typ(QStringLiteral("x"));
    QTest::mouseClick(a->knop, Qt::LeftButton);
    EXPECT_EQ(answers, 1);
    EXPECT_FALSE(answer);
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(a->veld->hasFocus());

    typ(QStringLiteral("y"));
    QTest::mouseClick(a->knop, Qt::LeftButton);
    EXPECT_TRUE(answer);
    EXPECT_EQ(checks, 2);
}

TEST_F(FieldValidationTest, AnotherScreenChecksNothingUntilACommandAsks)
{
    typ(QStringLiteral("x"));
    focus(b->veld);
    EXPECT_TRUE(b->veld->hasFocus());
    EXPECT_EQ(checks, 0);

    // Closing the first screen checks the field the focus left, and sends
    // the focus back to it when it refuses.
    EXPECT_FALSE(validatie->controleerFocus());
    EXPECT_EQ(checks, 1);
    QApplication::processEvents();
    EXPECT_TRUE(a->veld->hasFocus());

    typ(QStringLiteral("y"));
    focus(b->veld);
    EXPECT_TRUE(validatie->controleerFocus());
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(left, 1);

    // Back from the other screen on another control: the field is left then.
    focus(a->veld);
    typ(QStringLiteral("x"));
    focus(b->veld);
    focus(a->ander);
    EXPECT_EQ(checks, 3);
    EXPECT_TRUE(a->veld->hasFocus());
    // A command whose control took the focus asks too.
    typ(QStringLiteral("z"));
    focus(b->veld);
    EXPECT_TRUE(validatie->ok());
    EXPECT_EQ(checks, 4);
}

TEST_F(FieldValidationTest, AFieldHiddenWhileItHasTheFocusIsNotChecked)
{
    typ(QStringLiteral("x"));
    a->veld->hide();
    QApplication::processEvents();
    EXPECT_EQ(checks, 0);
    EXPECT_EQ(left, 1);
    EXPECT_TRUE(validatie->ok());
}

} // namespace
