// The dialog service's shared rules: which answer a button set gives, the
// unattended service in use before one is installed, installing, and the
// cancel error.

#include "platform/core/error.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

using ui::Answer;
using ui::Buttons;
using ui::DefaultButton;

TEST(Dialogs, AnswersOfButtonSets)
{
    struct Case {
        Buttons buttons;
        QList<Answer> answers;
        Answer escape;
    };
    const Case cases[] = {
        {Buttons::OK, {Answer::Ok}, Answer::Ok},
        {Buttons::OKCancel, {Answer::Ok, Answer::Cancel}, Answer::Cancel},
        {Buttons::AbortRetryIgnore, {Answer::Abort, Answer::Retry, Answer::Ignore}, Answer::Abort},
        {Buttons::YesNoCancel, {Answer::Yes, Answer::No, Answer::Cancel}, Answer::Cancel},
        {Buttons::YesNo, {Answer::Yes, Answer::No}, Answer::No},
        {Buttons::RetryCancel, {Answer::Retry, Answer::Cancel}, Answer::Cancel},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(ui::toString(c.buttons).toStdString());
        EXPECT_EQ(ui::answersOf(c.buttons), c.answers);
        EXPECT_EQ(ui::escapeAnswer(c.buttons), c.escape);
        EXPECT_EQ(ui::defaultAnswer(c.buttons, DefaultButton::First), c.answers.first());
    }
    EXPECT_EQ(ui::defaultAnswer(Buttons::YesNoCancel, DefaultButton::Third), Answer::Cancel);
    EXPECT_EQ(ui::defaultAnswer(Buttons::YesNo, DefaultButton::Second), Answer::No);
    // A default beyond the set is its first button.
    EXPECT_EQ(ui::defaultAnswer(Buttons::YesNo, DefaultButton::Third), Answer::Yes);
}

TEST(Dialogs, WithoutAServiceBoxesAreAnsweredUnattended)
{
    ui::ScopedDialogs none(nullptr);
    EXPECT_EQ(ui::MsgBox("Opslaan?", Buttons::YesNoCancel, ui::Icon::Question), Answer::Cancel);
    EXPECT_EQ(ui::MsgBox("Doorgaan?", Buttons::YesNo), Answer::No);
    EXPECT_EQ(ui::MsgBox("Klaar."), Answer::Ok);
    bool cancelled = false;
    EXPECT_EQ(ui::InputBox("Naam:", QString(), "oud", &cancelled), QString());
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(ui::ShowOpen({}).cancelled);
    EXPECT_TRUE(ui::ShowSave({}).cancelled);
    EXPECT_TRUE(ui::ShowColor(255).cancelled);
}

TEST(Dialogs, ScopedInstallRestoresThePrevious)
{
    ui::ScriptedDialogs outer(ui::ScriptedDialogs::Mode::Record);
    ui::ScriptedDialogs inner(ui::ScriptedDialogs::Mode::Record);
    {
        ui::ScopedDialogs a(&outer);
        {
            ui::ScopedDialogs b(&inner);
            EXPECT_EQ(&ui::dialogs(), &inner);
            ui::MsgBox("binnen");
        }
        EXPECT_EQ(&ui::dialogs(), &outer);
        ui::MsgBox("buiten");
    }
    EXPECT_NE(&ui::dialogs(), &outer);
    ASSERT_EQ(inner.shown().size(), 1u);
    EXPECT_EQ(inner.shown()[0].msgBox.text, "binnen");
    ASSERT_EQ(outer.shown().size(), 1u);
    EXPECT_EQ(outer.shown()[0].msgBox.text, "buiten");
}

TEST(Dialogs, CancelledDialogRaisesTheCancelError)
{
    ui::FileDialogResult cancelled;
    try {
        ui::chosenFileOrRaise(cancelled);
        FAIL() << "no error raised";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 32755);
        EXPECT_EQ(e.description(), "Cancel was selected.");
        EXPECT_TRUE(ui::isCancelError(e));
    }
    EXPECT_THROW(ui::chosenColorOrRaise(ui::ColorResult{}), platform::Error);
    EXPECT_FALSE(ui::isCancelError(platform::Error(3021, "x")));

    ui::FileDialogResult chosen;
    chosen.cancelled = false;
    chosen.fileName = "/data/dbQORdata_2.mdb";
    EXPECT_EQ(ui::chosenFileOrRaise(chosen), "/data/dbQORdata_2.mdb");
    EXPECT_EQ(ui::chosenColorOrRaise(ui::ColorResult{false, 128}), 128);
}
