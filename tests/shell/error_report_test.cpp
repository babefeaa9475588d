#include "shell/error_report.h"

#include "platform/os/system_error.h"
#include "platform/ui/busy_cursor.h"
#include "support/scripted_dialogs_fixture.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

class ErrorReport : public testsupport::ScriptedDialogsTest {};

TEST_F(ErrorReport, NumberWithSourceShowsStandardTextAndSource)
{
    ui::setBusyCursor();
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout 3021"),
                        QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. Requested "
                                       "operation requires a current record.\nBron: pFillList"));
    modMain::MeldFout(3021, QStringLiteral("pFillList"));
    EXPECT_FALSE(ui::isBusyCursor()); // the pointer is back to normal before the box
}

TEST_F(ErrorReport, NullSourceIsNotSpecified)
{
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout 13"),
                        QStringLiteral("Type mismatch\nBron: niet gespecificeerd"));
    modMain::MeldFout(13, QVariant());
}

TEST_F(ErrorReport, UnknownNumberGetsTheRuntimeDefault)
{
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout 31999"),
                        QStringLiteral("Application-defined or object-defined error\nBron: X"));
    modMain::MeldFout(31999, QStringLiteral("X"));
}

TEST_F(ErrorReport, ErrorShowsItsOwnDescriptionAndSource)
{
    const platform::Error e(3024, QStringLiteral("Het databestand '/x' is niet gevonden."),
                            QStringLiteral("pfunVersieDatabestand"));
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout 3024"),
                        QStringLiteral("Het databestand '/x' is niet gevonden.\nBron: KoppelDatabestand"));
    modMain::MeldFout(e, QStringLiteral("KoppelDatabestand"));
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout 3024"),
                        QStringLiteral("Het databestand '/x' is niet gevonden.\nBron: pfunVersieDatabestand"));
    modMain::MeldFout(e);
}

TEST_F(ErrorReport, ErrorWithoutDescriptionUsesTheStandardText)
{
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout 6"), QStringLiteral("Overflow\nBron: Bereken"));
    modMain::MeldFout(platform::Error(6, QString()), QStringLiteral("Bereken"));
}

TEST_F(ErrorReport, SystemErrorAddsTheSystemTextBox)
{
    const platform::Error e = os::systemError(ENOENT, QStringLiteral("Kopiëren"));
    const QString systeem = os::systemErrorText(e.number());
    ASSERT_FALSE(systeem.isEmpty());
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout ") + QString::number(e.number()),
                        e.description() + QStringLiteral("\nBron: Kopieer"));
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("OLE-automation error specificatie"), systeem);
    modMain::MeldFout(e, QStringLiteral("Kopieer"));
}

TEST(SystemErrorText, KnownAndUnknownNumbers)
{
    EXPECT_EQ(modAPI_1::pfunSysteemFoutTekst(3021), QStringLiteral("Error not found."));
    EXPECT_EQ(modAPI_1::pfunSysteemFoutTekst(os::systemErrorNumber(ENOENT)),
              os::systemErrorText(os::systemErrorNumber(ENOENT)));
    EXPECT_NE(modAPI_1::pfunSysteemFoutTekst(os::systemErrorNumber(ENOENT)), QStringLiteral("Error not found."));
}

} // namespace
