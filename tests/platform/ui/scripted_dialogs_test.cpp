// The test-side dialog service: boxes matched in order, mismatches and
// unexpected boxes reported with details and answered safely.

#include "platform/ui/scripted_dialogs.h"
#include "support/scripted_dialogs_fixture.h"

#include <gtest/gtest.h>

using ui::Answer;
using ui::Buttons;
using ui::FileDialogMode;
using ui::Icon;
using ui::ScriptedDialogs;

namespace {

std::string text(const QStringList &lines)
{
    return lines.join('\n').toStdString();
}

ui::FileDialogRequest exportRequest()
{
    ui::FileDialogRequest r;
    r.title = "Exporteren...";
    r.filter = "XML bestanden (*.xml)|*.xml|";
    r.filterIndex = 1;
    r.flags = 0x806;
    r.fileName = "Stort A";
    return r;
}

} // namespace

TEST(ScriptedDialogs, AnswersMatchingBoxesInOrder)
{
    ScriptedDialogs script;
    ui::ScopedDialogs use(&script);
    script.expectMsgBox(Icon::Question, "Updaten programma", "Nu downloaden?", Buttons::YesNo).answer(Answer::Yes);
    script.expectInput("Naam voorziening:", "Nieuwe voorziening").answer("Put 3");
    script.expectFileDialog(FileDialogMode::Save, "Exporteren...")
        .withFilter("XML bestanden (*.xml)|*.xml|")
        .withFlags(0x806)
        .answer("/tmp/stort a.xml");
    script.expectColorDialog().answerColor(33023);

    EXPECT_EQ(ui::MsgBox("Nu downloaden?", Buttons::YesNo, Icon::Question, "Updaten programma"), Answer::Yes);
    bool cancelled = true;
    EXPECT_EQ(ui::InputBox("Naam voorziening:", "Nieuwe voorziening", QString(), &cancelled), "Put 3");
    EXPECT_FALSE(cancelled);
    const ui::FileDialogResult file = ui::ShowSave(exportRequest());
    EXPECT_FALSE(file.cancelled);
    EXPECT_EQ(file.fileName, "/tmp/stort a.xml");
    EXPECT_EQ(file.filterIndex, 1);
    const ui::ColorResult colour = ui::ShowColor();
    EXPECT_FALSE(colour.cancelled);
    EXPECT_EQ(colour.color, 33023);

    EXPECT_TRUE(script.verify()) << script.report().toStdString();
    ASSERT_EQ(script.shown().size(), 4u);
    EXPECT_EQ(script.shown()[0].kind, ScriptedDialogs::Kind::MsgBox);
    EXPECT_EQ(script.shown()[0].answer, "Yes");
    EXPECT_EQ(script.shown()[1].input.prompt, "Naam voorziening:");
    EXPECT_EQ(script.shown()[2].file.fileName, "Stort A");
    EXPECT_TRUE(script.shown()[3].expected);
}

TEST(ScriptedDialogs, EmptyTitleMatchesTheProgramTitle)
{
    ScriptedDialogs script;
    ui::ScopedDialogs use(&script);
    script.expectMsgBox(Icon::Information, "TAVIR", "Het programma is reeds geopend");
    script.expectInput("Naam:", QString()).answer("x");

    EXPECT_EQ(ui::MsgBox("Het programma is reeds geopend", Buttons::OK, Icon::Information), Answer::Ok);
    EXPECT_EQ(ui::InputBox("Naam:", "TAVIR"), "x");
    EXPECT_TRUE(script.verify()) << script.report().toStdString();
    EXPECT_EQ(script.shown()[0].msgBox.title, "TAVIR");
}

TEST(ScriptedDialogs, MismatchIsReportedWithWhatCameAndWhatWasExpected)
{
    struct Case {
        const char *name;
        Icon icon;
        const char *title;
        const char *text;
        Buttons buttons;
        const char *field;
    };
    const Case cases[] = {
        {"text", Icon::Exclamation, "Verwijderen", "Inrichting verwijderen?", Buttons::YesNo, "text"},
        {"title", Icon::Exclamation, "Verwijder", "Weet u het zeker?", Buttons::YesNo, "title"},
        {"icon", Icon::Question, "Verwijderen", "Weet u het zeker?", Buttons::YesNo, "icon"},
        {"buttons", Icon::Exclamation, "Verwijderen", "Weet u het zeker?", Buttons::YesNoCancel, "buttons"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs script;
        script.expectMsgBox(Icon::Exclamation, "Verwijderen", "Weet u het zeker?", Buttons::YesNo).answer(Answer::Yes);

        const Answer answer = script.MsgBox(c.text, c.buttons, c.icon, c.title);

        // The safe answer, never the scripted Yes.
        EXPECT_EQ(answer, c.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
        ASSERT_EQ(script.failures().size(), 1);
        const QString f = script.failures().first();
        EXPECT_TRUE(f.contains(QStringLiteral("differs in %1").arg(c.field))) << f.toStdString();
        EXPECT_TRUE(f.contains(QStringLiteral("came message box: icon %1, title \"%2\", text \"%3\"")
                                   .arg(ui::toString(c.icon), c.title, c.text)))
            << f.toStdString();
        EXPECT_TRUE(f.contains("expected message box: icon Exclamation, title \"Verwijderen\", text \"Weet u het "
                               "zeker?\", buttons YesNo"))
            << f.toStdString();
        // The expectation stays for the box that should have come.
        EXPECT_EQ(script.remaining().size(), 1);
        EXPECT_FALSE(script.verify());
    }
}

TEST(ScriptedDialogs, LineBreaksAreVisibleInReports)
{
    ScriptedDialogs script;
    script.expectMsgBox(Icon::Critical, "Fout 3021", "Tekst\r\nBron: pFillList");
    script.MsgBox("Tekst\nBron: pFillList", Buttons::OK, Icon::Critical, "Fout 3021");
    ASSERT_EQ(script.failures().size(), 1);
    EXPECT_TRUE(script.failures().first().contains("\"Tekst\\nBron: pFillList\"")) << text(script.failures());
    EXPECT_TRUE(script.failures().first().contains("\"Tekst\\r\\nBron: pFillList\"")) << text(script.failures());
}

TEST(ScriptedDialogs, UnexpectedBoxesFailAndGetSafeAnswers)
{
    ScriptedDialogs script;
    EXPECT_EQ(script.MsgBox("Opslaan?", Buttons::YesNoCancel, Icon::Question, "Afsluiten"), Answer::Cancel);
    EXPECT_EQ(script.MsgBox("Doorgaan?", Buttons::YesNo, Icon::Question), Answer::No);
    EXPECT_EQ(script.MsgBox("Opnieuw?", Buttons::AbortRetryIgnore), Answer::Abort);
    bool cancelled = false;
    EXPECT_EQ(script.InputBox("Nieuwe naam:", "Naam wijzigen", "oud", &cancelled), QString());
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(script.ShowOpen(exportRequest()).cancelled);
    EXPECT_TRUE(script.ShowColor(128).cancelled);

    ASSERT_EQ(script.failures().size(), 6) << text(script.failures());
    EXPECT_TRUE(script.failures()[0].startsWith("box 1 was not expected (none left): came message box: icon "
                                                "Question, title \"Afsluiten\", text \"Opslaan?\", buttons "
                                                "YesNoCancel"))
        << text(script.failures());
    EXPECT_TRUE(script.failures()[1].contains("title \"TAVIR\"")) << text(script.failures());
    EXPECT_TRUE(script.failures()[3].contains("input box: prompt \"Nieuwe naam:\", title \"Naam wijzigen\", default "
                                              "text \"oud\""))
        << text(script.failures());
    EXPECT_TRUE(script.failures()[4].contains("file dialog: open, title \"Exporteren...\", filter \"XML bestanden "
                                              "(*.xml)|*.xml|\", filter index 1, flags 0x806, file name \"Stort A\""))
        << text(script.failures());
    EXPECT_TRUE(script.failures()[5].contains("colour dialog: initial colour 128")) << text(script.failures());
    EXPECT_EQ(script.shown().size(), 6u);
    EXPECT_FALSE(script.shown()[0].expected);
}

TEST(ScriptedDialogs, WrongKindIsAMismatch)
{
    ScriptedDialogs script;
    script.expectInput("Naam voorziening:", "Nieuwe voorziening").answer("Put");
    EXPECT_EQ(script.MsgBox("Naam voorziening:", Buttons::OKCancel, Icon::None, "Nieuwe voorziening"), Answer::Cancel);
    ASSERT_EQ(script.failures().size(), 1);
    EXPECT_TRUE(script.failures().first().contains("differs in kind")) << text(script.failures());
    // The input box still comes and gets its answer.
    EXPECT_EQ(script.InputBox("Naam voorziening:", "Nieuwe voorziening"), "Put");
    EXPECT_TRUE(script.remaining().isEmpty());
}

TEST(ScriptedDialogs, FileDialogFieldsMatchOnlyWhenAsked)
{
    ScriptedDialogs script;
    script.expectFileDialog(FileDialogMode::Save, "Exporteren...").answer("/a.xml");
    EXPECT_FALSE(script.ShowSave(exportRequest()).cancelled);

    script.expectFileDialog(FileDialogMode::Save, "Exporteren...")
        .withFlags(0x802)
        .withFileName("Stort B")
        .answer("/b");
    EXPECT_TRUE(script.ShowSave(exportRequest()).cancelled);
    ASSERT_EQ(script.failures().size(), 1);
    EXPECT_TRUE(script.failures().first().contains("differs in flags, file name")) << text(script.failures());

    script.clear();
    script.expectFileDialog(FileDialogMode::Open, "Exporteren...").answer("/a.xml");
    EXPECT_TRUE(script.ShowSave(exportRequest()).cancelled);
    EXPECT_TRUE(script.failures().first().contains("differs in open/save")) << text(script.failures());
}

// A save gives back the name with the extension of the filter in use,
// whatever the user typed: the service adds it, not the implementation.
TEST(ScriptedDialogs, ASaveEndsInTheFiltersExtension)
{
    ScriptedDialogs script;
    script.expectFileDialog(FileDialogMode::Save, "Exporteren...").answer("/m/Stort A");
    EXPECT_EQ(script.ShowSave(exportRequest()).fileName, "/m/Stort A.xml");
    script.expectFileDialog(FileDialogMode::Save, "Exporteren...").answer("/m/Stort A.xml");
    EXPECT_EQ(script.ShowSave(exportRequest()).fileName, "/m/Stort A.xml");
    // An open dialog gives the file as chosen.
    script.expectFileDialog(FileDialogMode::Open, "Exporteren...").answer("/m/Stort A");
    EXPECT_EQ(script.ShowOpen(exportRequest()).fileName, "/m/Stort A");
    script.expectFileDialog(FileDialogMode::Save, "Exporteren...").cancel();
    const ui::FileDialogResult cancelled = script.ShowSave(exportRequest());
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.fileName.isEmpty());
    EXPECT_TRUE(script.verify()) << script.report().toStdString();
}

TEST(ScriptedDialogs, RemainingExpectationsAreListed)
{
    ScriptedDialogs script;
    script.expectMsgBox(Icon::Information, "Export", "Klaar.").answer(Answer::Ok);
    script.expectFileDialog(FileDialogMode::Open, "Importeren...").cancel();
    script.MsgBox("Klaar.", Buttons::OK, Icon::Information, "Export");

    EXPECT_TRUE(script.failures().isEmpty());
    ASSERT_EQ(script.remaining().size(), 1);
    EXPECT_EQ(script.remaining().first(), "file dialog: open, title \"Importeren...\"");
    EXPECT_FALSE(script.verify());
    EXPECT_TRUE(script.report().contains("expected but never shown: file dialog: open"))
        << script.report().toStdString();
}

TEST(ScriptedDialogs, AnswerOutsideTheButtonSetIsAFailure)
{
    ScriptedDialogs script;
    script.expectMsgBox(Icon::Exclamation, "Let op", "Tekst", Buttons::OK).answer(Answer::Yes);
    EXPECT_EQ(script.MsgBox("Tekst", Buttons::OK, Icon::Exclamation, "Let op"), Answer::Ok);
    ASSERT_EQ(script.failures().size(), 1);
    EXPECT_TRUE(script.failures().first().contains("scripted answer Yes is not a button")) << text(script.failures());
    EXPECT_TRUE(script.remaining().isEmpty());
}

TEST(ScriptedDialogs, WithoutAnAnswerEnterIsPressed)
{
    ScriptedDialogs script;
    script.expectMsgBox(Icon::Question, "Verwijderen", "Zeker?", Buttons::YesNo)
        .withDefaultButton(ui::DefaultButton::Second);
    script.expectInput("Nieuwe naam:", "Naam wijzigen").withDefaultText("Put 1");
    script.expectColorDialog().withInitialColor(0);
    script.expectFileDialog(FileDialogMode::Open, "Koppelen aan bestaand databestand...");

    EXPECT_EQ(script.MsgBox("Zeker?", Buttons::YesNo, Icon::Question, "Verwijderen", ui::DefaultButton::Second),
              Answer::No);
    EXPECT_EQ(script.InputBox("Nieuwe naam:", "Naam wijzigen", "Put 1"), "Put 1");
    const ui::ColorResult colour = script.ShowColor(0);
    EXPECT_FALSE(colour.cancelled);
    EXPECT_EQ(colour.color, 0);
    ui::FileDialogRequest r;
    r.title = "Koppelen aan bestaand databestand...";
    EXPECT_TRUE(script.ShowOpen(r).cancelled);
    EXPECT_TRUE(script.verify()) << script.report().toStdString();
}

TEST(ScriptedDialogs, InputCancelAndEmptyOkAreTold)
{
    ScriptedDialogs script;
    script.expectInput("Naam:", "T").cancel();
    script.expectInput("Naam:", "T").answer("");
    bool cancelled = false;
    EXPECT_EQ(script.InputBox("Naam:", "T", "oud", &cancelled), QString());
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(script.InputBox("Naam:", "T", "oud", &cancelled), QString());
    EXPECT_FALSE(cancelled);
    EXPECT_TRUE(script.verify()) << script.report().toStdString();
}

TEST(ScriptedDialogs, RecordModeKeepsEveryBoxWithoutFailing)
{
    ScriptedDialogs script(ScriptedDialogs::Mode::Record);
    script.expectMsgBox(Icon::Question, "Vraag", "Doorgaan?", Buttons::YesNo).answer(Answer::Yes);

    EXPECT_EQ(script.MsgBox("Eerst dit", Buttons::OKCancel, Icon::Exclamation, "Let op"), Answer::Cancel);
    EXPECT_EQ(script.MsgBox("Doorgaan?", Buttons::YesNo, Icon::Question, "Vraag"), Answer::Yes);
    EXPECT_EQ(script.InputBox("Naam:"), QString());

    EXPECT_TRUE(script.failures().isEmpty()) << text(script.failures());
    EXPECT_TRUE(script.verify());
    ASSERT_EQ(script.shown().size(), 3u);
    EXPECT_EQ(script.shown()[0].msgBox.text, "Eerst dit");
    EXPECT_FALSE(script.shown()[0].expected);
    EXPECT_TRUE(script.shown()[1].expected);
    EXPECT_EQ(script.shown()[2].input.title, "TAVIR");
    EXPECT_EQ(script.shown()[2].answer, "Cancel");
}

class ScriptedDialogsFixture : public testsupport::ScriptedDialogsTest {};

TEST_F(ScriptedDialogsFixture, InstallsTheScript)
{
    EXPECT_EQ(&ui::dialogs(), &script);
    script.expectMsgBox(Icon::Information, "Export", "Klaar.");
    ui::MsgBox("Klaar.", Buttons::OK, Icon::Information, "Export");
}
