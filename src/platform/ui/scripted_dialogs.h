#pragma once
// A dialog service for tests: a script of the boxes expected, in order, with
// the answer each gives.
//
//   ui::ScriptedDialogs script;
//   ui::ScopedDialogs use(&script);
//   script.expectMsgBox(ui::Icon::Exclamation, "Titel", "Tekst", ui::Buttons::YesNo)
//       .answer(ui::Answer::Yes);
//   script.expectInput("Naam voorziening:", "Nieuwe voorziening").answer("Put 3");
//   script.expectFileDialog(ui::FileDialogMode::Save, "Exporteren...").answer("/tmp/a.xml");
//   ... run the code ...
//   EXPECT_TRUE(script.verify()) << script.report();
//
// A message box matches on icon, title, text and button set; an input box on
// prompt and title; a file dialog on open/save and title; a colour dialog on
// its kind alone. The with...() calls add further fields to match. Titles
// are compared as shown: an empty title matches "TAVIR".
//
// A box that does not match the next expectation (or comes when none is
// left) is a failure: it is recorded with what came and what was expected,
// the expectation stays in place, and the box gets a safe answer (its escape
// answer, an empty cancelled input, a cancelled dialog). In Record mode such
// a box is answered the same way without a failure; expectations still
// answer the boxes that match them.
//
// Every box, expected or not, is kept in shown().

#include "platform/ui/dialogs.h"

#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace ui {

class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { MsgBox, Input, FileDialog, Color };
    enum class Mode { Strict, Record };

    class Expectation {
    public:
        // Message box: the answer (one of its buttons). Without one the box
        // is answered with its default button, as Enter would.
        Expectation &answer(Answer answer);
        // Input box: the text typed and OK. Without one: OK on the default text.
        // File dialog: the chosen full path. Without one: cancelled.
        Expectation &answer(const QString &text);
        Expectation &answer(const char *text) { return answer(QString::fromUtf8(text)); }
        // Colour dialog: the colour chosen. Without one: OK on the initial colour.
        Expectation &answerColor(long color);
        // Input box, file or colour dialog: Cancel.
        Expectation &cancel();

        // Further fields to match.
        Expectation &withDefaultButton(DefaultButton defaultButton);
        Expectation &withDefaultText(const QString &defaultText);
        Expectation &withFilter(const QString &filter, int filterIndex = 1);
        Expectation &withFlags(int flags);
        Expectation &withFileName(const QString &fileName);
        Expectation &withInitialDir(const QString &initialDir);
        Expectation &withInitialColor(long color);

        QString describe() const;

    private:
        friend class ScriptedDialogs;

        Kind kind = Kind::MsgBox;
        // message box
        Icon icon = Icon::None;
        Buttons buttons = Buttons::OK;
        QString title;
        QString text; // message text or input prompt
        std::optional<DefaultButton> defaultButton;
        std::optional<Answer> msgAnswer;
        // input box
        std::optional<QString> defaultText;
        // file dialog
        FileDialogMode mode = FileDialogMode::Open;
        std::optional<QString> filter;
        std::optional<int> filterIndex;
        std::optional<int> flags;
        std::optional<QString> fileName;
        std::optional<QString> initialDir;
        // colour dialog
        std::optional<long> initialColor;
        std::optional<long> color;
        // input text or chosen path
        std::optional<QString> textAnswer;
        bool cancelled = false;
    };

    // A box as it came.
    struct Box {
        Kind kind = Kind::MsgBox;
        MsgBoxRequest msgBox; // title as shown
        InputRequest input;   // title as shown
        FileDialogMode mode = FileDialogMode::Open;
        FileDialogRequest file;
        long initialColor = 0;
        bool expected = false; // answered by an expectation
        QString answer;        // the answer given, as text

        QString describe() const;
    };

    explicit ScriptedDialogs(Mode mode = Mode::Strict);

    void setMode(Mode mode) { m_mode = mode; }
    Mode mode() const { return m_mode; }

    // The returned reference is for the chained calls of the same statement;
    // it becomes invalid once the box has come.
    Expectation &expectMsgBox(Icon icon, const QString &title, const QString &text, Buttons buttons = Buttons::OK);
    Expectation &expectInput(const QString &prompt, const QString &title = QString());
    Expectation &expectFileDialog(FileDialogMode mode, const QString &title);
    Expectation &expectColorDialog();

    const std::vector<Box> &shown() const { return m_shown; }
    QStringList failures() const { return m_failures; }
    QStringList remaining() const;
    // No failures and nothing remaining.
    bool verify() const;
    // The failures and the remaining expectations, one a line.
    QString report() const;
    // Forgets the script, the failures and the boxes shown.
    void clear();

    Answer messageBox(const MsgBoxRequest &request) override;
    InputResult inputBox(const InputRequest &request) override;
    FileDialogResult fileDialog(FileDialogMode mode, const FileDialogRequest &request) override;
    ColorResult colorDialog(long initialColor) override;

private:
    Expectation &add(Kind kind);
    // The next expectation when `box` matches it (consumed by the caller),
    // else nullptr after recording the failure (unless in Record mode).
    const Expectation *match(const Box &box);
    void fail(const QString &message);

    Mode m_mode;
    std::deque<Expectation> m_expected;
    std::vector<Box> m_shown;
    QStringList m_failures;
};

QString toString(ScriptedDialogs::Kind kind);

} // namespace ui
