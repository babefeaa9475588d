#pragma once
// A test fixture that answers the program's boxes from a script: SetUp
// installs `script`, TearDown checks that no box went wrong and that every
// expected box came, then puts back the dialog service found.
//
//   class MyScreenTest : public testsupport::ScriptedDialogsTest {};
//   TEST_F(MyScreenTest, RefusesEmptyName) {
//       script.expectMsgBox(ui::Icon::Exclamation, "Naam", "Vul een naam in.").answer(ui::Answer::Ok);
//       ...
//   }

#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace testsupport {

class ScriptedDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { m_previous = ui::setDialogs(&script); }

    void TearDown() override
    {
        EXPECT_TRUE(script.failures().isEmpty()) << "boxes that did not match the script:\n"
                                                 << script.failures().join('\n').toStdString();
        EXPECT_TRUE(script.remaining().isEmpty()) << "expected boxes that never came:\n"
                                                  << script.remaining().join('\n').toStdString();
        ui::setDialogs(m_previous);
    }

    ui::ScriptedDialogs script;

private:
    ui::Dialogs *m_previous = nullptr;
};

} // namespace testsupport
