#include "platform/ui/scripted_dialogs.h"

namespace ui {

namespace {

// A text in quotes, with line breaks and tabs made visible.
QString quoted(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    t.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    t.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString colorText(long color)
{
    return QString::number(color);
}

} // namespace

QString toString(ScriptedDialogs::Kind kind)
{
    switch (kind) {
    case ScriptedDialogs::Kind::MsgBox:
        return QStringLiteral("message box");
    case ScriptedDialogs::Kind::Input:
        return QStringLiteral("input box");
    case ScriptedDialogs::Kind::FileDialog:
        return QStringLiteral("file dialog");
    case ScriptedDialogs::Kind::Color:
        return QStringLiteral("colour dialog");
    }
    return QStringLiteral("box");
}

// ---- Expectation ----------------------------------------------------------

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::answer(Answer answer)
{
    msgAnswer = answer;
    return *this;
}

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::answer(const QString &text)
{
    textAnswer = text;
    cancelled = false;
    return *this;
}

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::answerColor(long value)
{
    color = value;
    cancelled = false;
    return *this;
}

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::cancel()
{
    cancelled = true;
    textAnswer.reset();
    color.reset();
    return *this;
}

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::withDefaultButton(DefaultButton value)
{
    defaultButton = value;
    return *this;
}

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::withDefaultText(const QString &value)
{
    defaultText = value;
    return *this;
}

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::withFilter(const QString &value, int index)
{
    filter = value;
    filterIndex = index;
    return *this;
}

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::withFlags(int value)
{
    flags = value;
    return *this;
}

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::withFileName(const QString &value)
{
    fileName = value;
    return *this;
}

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::withInitialDir(const QString &value)
{
    initialDir = value;
    return *this;
}

ScriptedDialogs::Expectation &ScriptedDialogs::Expectation::withInitialColor(long value)
{
    initialColor = value;
    return *this;
}

QString ScriptedDialogs::Expectation::describe() const
{
    QStringList parts;
    switch (kind) {
    case Kind::MsgBox:
        parts << QStringLiteral("icon %1").arg(toString(icon)) << QStringLiteral("title %1").arg(quoted(title))
              << QStringLiteral("text %1").arg(quoted(text)) << QStringLiteral("buttons %1").arg(toString(buttons));
        if (defaultButton)
            parts << QStringLiteral("default button %1").arg(toString(*defaultButton));
        break;
    case Kind::Input:
        parts << QStringLiteral("prompt %1").arg(quoted(text)) << QStringLiteral("title %1").arg(quoted(title));
        if (defaultText)
            parts << QStringLiteral("default text %1").arg(quoted(*defaultText));
        break;
    case Kind::FileDialog:
        parts << toString(mode) << QStringLiteral("title %1").arg(quoted(title));
        if (filter)
            parts << QStringLiteral("filter %1").arg(quoted(*filter));
        if (filterIndex)
            parts << QStringLiteral("filter index %1").arg(*filterIndex);
        if (flags)
            parts << QStringLiteral("flags 0x%1").arg(*flags, 0, 16);
        if (fileName)
            parts << QStringLiteral("file name %1").arg(quoted(*fileName));
        if (initialDir)
            parts << QStringLiteral("initial folder %1").arg(quoted(*initialDir));
        break;
    case Kind::Color:
        if (initialColor)
            parts << QStringLiteral("initial colour %1").arg(colorText(*initialColor));
        break;
    }
    return toString(kind) + (parts.isEmpty() ? QString() : QStringLiteral(": ") + parts.join(QStringLiteral(", ")));
}

// ---- Box ------------------------------------------------------------------

QString ScriptedDialogs::Box::describe() const
{
    QStringList parts;
    switch (kind) {
    case Kind::MsgBox:
        parts << QStringLiteral("icon %1").arg(toString(msgBox.icon))
              << QStringLiteral("title %1").arg(quoted(msgBox.title))
              << QStringLiteral("text %1").arg(quoted(msgBox.text))
              << QStringLiteral("buttons %1").arg(toString(msgBox.buttons))
              << QStringLiteral("default button %1").arg(toString(msgBox.defaultButton));
        break;
    case Kind::Input:
        parts << QStringLiteral("prompt %1").arg(quoted(input.prompt))
              << QStringLiteral("title %1").arg(quoted(input.title))
              << QStringLiteral("default text %1").arg(quoted(input.defaultText));
        break;
    case Kind::FileDialog:
        parts << toString(mode) << QStringLiteral("title %1").arg(quoted(file.title))
              << QStringLiteral("filter %1").arg(quoted(file.filter))
              << QStringLiteral("filter index %1").arg(file.filterIndex)
              << QStringLiteral("flags 0x%1").arg(file.flags, 0, 16)
              << QStringLiteral("file name %1").arg(quoted(file.fileName))
              << QStringLiteral("initial folder %1").arg(quoted(file.initialDir));
        break;
    case Kind::Color:
        parts << QStringLiteral("initial colour %1").arg(colorText(initialColor));
        break;
    }
    return toString(kind) + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

// ---- ScriptedDialogs ------------------------------------------------------

namespace {

using Expectation = ScriptedDialogs::Expectation;
using Box = ScriptedDialogs::Box;

} // namespace

ScriptedDialogs::ScriptedDialogs(Mode mode) : m_mode(mode) {}

ScriptedDialogs::Expectation &ScriptedDialogs::add(Kind kind)
{
    m_expected.emplace_back();
    m_expected.back().kind = kind;
    return m_expected.back();
}

ScriptedDialogs::Expectation &ScriptedDialogs::expectMsgBox(Icon icon, const QString &title, const QString &text,
                                                            Buttons buttons)
{
    Expectation &e = add(Kind::MsgBox);
    e.icon = icon;
    e.title = shownTitle(title);
    e.text = text;
    e.buttons = buttons;
    return e;
}

ScriptedDialogs::Expectation &ScriptedDialogs::expectInput(const QString &prompt, const QString &title)
{
    Expectation &e = add(Kind::Input);
    e.text = prompt;
    e.title = shownTitle(title);
    return e;
}

ScriptedDialogs::Expectation &ScriptedDialogs::expectFileDialog(FileDialogMode mode, const QString &title)
{
    Expectation &e = add(Kind::FileDialog);
    e.mode = mode;
    e.title = title;
    return e;
}

ScriptedDialogs::Expectation &ScriptedDialogs::expectColorDialog()
{
    return add(Kind::Color);
}

QStringList ScriptedDialogs::remaining() const
{
    QStringList result;
    for (const Expectation &e : m_expected)
        result << e.describe();
    return result;
}

bool ScriptedDialogs::verify() const
{
    return m_failures.isEmpty() && m_expected.empty();
}

QString ScriptedDialogs::report() const
{
    QStringList lines = m_failures;
    for (const QString &r : remaining())
        lines << QStringLiteral("expected but never shown: ") + r;
    return lines.join(QLatin1Char('\n'));
}

void ScriptedDialogs::clear()
{
    m_expected.clear();
    m_shown.clear();
    m_failures.clear();
}

void ScriptedDialogs::fail(const QString &message)
{
    m_failures << message;
}

const ScriptedDialogs::Expectation *ScriptedDialogs::match(const Box &box)
{
    const int number = int(m_shown.size()) + 1;
    if (m_expected.empty()) {
        if (m_mode == Mode::Strict)
            fail(QStringLiteral("box %1 was not expected (none left): came %2").arg(number).arg(box.describe()));
        return nullptr;
    }
    const Expectation &e = m_expected.front();
    QStringList diff;
    if (e.kind != box.kind) {
        diff << QStringLiteral("kind");
    } else {
        switch (box.kind) {
        case Kind::MsgBox:
            if (e.icon != box.msgBox.icon)
                diff << QStringLiteral("icon");
            if (e.title != box.msgBox.title)
                diff << QStringLiteral("title");
            if (e.text != box.msgBox.text)
                diff << QStringLiteral("text");
            if (e.buttons != box.msgBox.buttons)
                diff << QStringLiteral("buttons");
            if (e.defaultButton && *e.defaultButton != box.msgBox.defaultButton)
                diff << QStringLiteral("default button");
            break;
        case Kind::Input:
            if (e.text != box.input.prompt)
                diff << QStringLiteral("prompt");
            if (e.title != box.input.title)
                diff << QStringLiteral("title");
            if (e.defaultText && *e.defaultText != box.input.defaultText)
                diff << QStringLiteral("default text");
            break;
        case Kind::FileDialog:
            if (e.mode != box.mode)
                diff << QStringLiteral("open/save");
            if (e.title != box.file.title)
                diff << QStringLiteral("title");
            if (e.filter && *e.filter != box.file.filter)
                diff << QStringLiteral("filter");
            if (e.filterIndex && *e.filterIndex != box.file.filterIndex)
                diff << QStringLiteral("filter index");
            if (e.flags && *e.flags != box.file.flags)
                diff << QStringLiteral("flags");
            if (e.fileName && *e.fileName != box.file.fileName)
                diff << QStringLiteral("file name");
            if (e.initialDir && *e.initialDir != box.file.initialDir)
                diff << QStringLiteral("initial folder");
            break;
        case Kind::Color:
            if (e.initialColor && *e.initialColor != box.initialColor)
                diff << QStringLiteral("initial colour");
            break;
        }
    }
    if (diff.isEmpty())
        return &e;
    if (m_mode == Mode::Strict)
        fail(QStringLiteral("box %1 does not match the script (differs in %2): came %3; expected %4")
                 .arg(number)
                 .arg(diff.join(QStringLiteral(", ")), box.describe(), e.describe()));
    return nullptr;
}

Answer ScriptedDialogs::messageBox(const MsgBoxRequest &request)
{
    Box box;
    box.kind = Kind::MsgBox;
    box.msgBox = request;
    box.msgBox.title = shownTitle(request.title);

    Answer answer = escapeAnswer(request.buttons);
    if (const Expectation *e = match(box)) {
        const Answer wanted = e->msgAnswer ? *e->msgAnswer : defaultAnswer(request.buttons, request.defaultButton);
        if (answersOf(request.buttons).contains(wanted)) {
            answer = wanted;
            box.expected = true;
        } else {
            fail(QStringLiteral("box %1: the scripted answer %2 is not a button of %3")
                     .arg(int(m_shown.size()) + 1)
                     .arg(toString(wanted), box.describe()));
        }
        m_expected.pop_front();
    }
    box.answer = toString(answer);
    m_shown.push_back(box);
    return answer;
}

InputResult ScriptedDialogs::inputBox(const InputRequest &request)
{
    Box box;
    box.kind = Kind::Input;
    box.input = request;
    box.input.title = shownTitle(request.title);

    InputResult result{QString(), true};
    if (const Expectation *e = match(box)) {
        if (!e->cancelled)
            result = InputResult{e->textAnswer ? *e->textAnswer : request.defaultText, false};
        box.expected = true;
        m_expected.pop_front();
    }
    box.answer = result.cancelled ? QStringLiteral("Cancel") : quoted(result.text);
    m_shown.push_back(box);
    return result;
}

FileDialogResult ScriptedDialogs::fileDialog(FileDialogMode mode, const FileDialogRequest &request)
{
    Box box;
    box.kind = Kind::FileDialog;
    box.mode = mode;
    box.file = request;

    FileDialogResult result;
    result.filterIndex = request.filterIndex;
    if (const Expectation *e = match(box)) {
        if (!e->cancelled && e->textAnswer) {
            result.cancelled = false;
            result.fileName = *e->textAnswer;
        }
        box.expected = true;
        m_expected.pop_front();
    }
    box.answer = result.cancelled ? QStringLiteral("Cancel") : quoted(result.fileName);
    m_shown.push_back(box);
    return result;
}

ColorResult ScriptedDialogs::colorDialog(long initialColor)
{
    Box box;
    box.kind = Kind::Color;
    box.initialColor = initialColor;

    ColorResult result{true, initialColor};
    if (const Expectation *e = match(box)) {
        if (!e->cancelled)
            result = ColorResult{false, e->color ? *e->color : initialColor};
        box.expected = true;
        m_expected.pop_front();
    }
    box.answer = result.cancelled ? QStringLiteral("Cancel") : colorText(result.color);
    m_shown.push_back(box);
    return result;
}

} // namespace ui
