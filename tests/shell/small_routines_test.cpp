#include "shell/shell_open.h"
#include "shell/small_routines.h"

#include "platform/os/open_document.h"
#include "support/scripted_dialogs_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(NullToDefault, OnlyNullTakesTheDefault)
{
    EXPECT_EQ(modCompress::pfunNZ(QVariant(), QStringLiteral("?")), QVariant(QStringLiteral("?")));
    EXPECT_EQ(modCompress::pfunNZ(QVariant(QMetaType::fromType<QString>()), QStringLiteral("?")),
              QVariant(QStringLiteral("?")));
    // An empty text and 0 are values, and keep their own type.
    const QVariant leeg = modCompress::pfunNZ(QString(QLatin1String("")), QStringLiteral("?"));
    EXPECT_EQ(leeg.typeId(), QMetaType::QString);
    EXPECT_EQ(leeg.toString(), QString());
    const QVariant nul = modCompress::pfunNZ(0, 5);
    EXPECT_EQ(nul.typeId(), QMetaType::Int);
    EXPECT_EQ(nul.toInt(), 0);
    EXPECT_EQ(modCompress::pfunNZ(2.5f, 0).typeId(), QMetaType::Float);
}

TEST(DateText, TwoDigitDayAndMonthWholeYear)
{
    EXPECT_EQ(modMain::pfunDatumTekst(QDate(2026, 12, 8)), QStringLiteral("08-12-2026"));
    EXPECT_EQ(modMain::pfunDatumTekst(QDate(1999, 1, 31)), QStringLiteral("31-01-1999"));
    EXPECT_EQ(modMain::pfunDatumTekst(QDate(5, 3, 4)), QStringLiteral("04-03-05"));
    EXPECT_EQ(modMain::pfunDatumTekst(QDate()), QString());
}

TEST(CategoryNames, EveryCodeOfTheTable)
{
    const char *namen[] = {"Algemeen",
                           "Bovenafdichting",
                           "Grondwatermonitoringssysteem",
                           "Percolaatopvangsysteem",
                           "Stortgasonttrekking",
                           "Grondwaterbeheerssysteem",
                           "Overig"};
    for (int code = 1; code <= 7; ++code)
        EXPECT_EQ(modMain::pfunStrVoorz(quint8(code)), QString::fromUtf8(namen[code - 1]));
    EXPECT_EQ(modMain::pfunStrVoorz(0), QString());
    EXPECT_EQ(modMain::pfunStrVoorz(8), QString());
}

class ProvinceNames : public testsupport::ScriptedDialogsTest {};

TEST_F(ProvinceNames, EveryCodeOfTheTable)
{
    const char *namen[] = {"??",        "Drenthe", "Flevoland",     "Friesland",     "Gelderland",
                           "Groningen", "Limburg", "Noord-Brabant", "Noord-Holland", "Overijssel",
                           "Utrecht",   "Zeeland", "Zuid-Holland"};
    for (int i = 0; i <= 12; ++i)
        EXPECT_EQ(modMain::pfunStrProv(quint8(i * 10)), QString::fromUtf8(namen[i]));
}

TEST_F(ProvinceNames, UnknownCodeSaysSoAndGivesEmpty)
{
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout"),
                        QStringLiteral("Onbekende provincie-id in pfunStrProv"));
    EXPECT_EQ(modMain::pfunStrProv(15), QString());
}

class StopWatchTest : public testsupport::ScriptedDialogsTest {
protected:
    void TearDown() override
    {
        modMain::setStopWatchClock({});
        ScriptedDialogsTest::TearDown();
    }
    double now = 0;
};

TEST_F(StopWatchTest, ShowsSecondsSinceTheWholeSecondStart)
{
    modMain::setStopWatchClock([this] { return now; });
    now = 100.4;
    modMain::StopWatch(false); // starts at 100
    now = 105.75;
    script.expectMsgBox(ui::Icon::None, QString(), QStringLiteral("5,75 sec"));
    modMain::StopWatch(true);
}

TEST_F(StopWatchTest, RunAcrossMidnightIsNotNegative)
{
    modMain::setStopWatchClock([this] { return now; });
    now = 86399.0;
    modMain::StopWatch(false);
    now = 1.5;
    script.expectMsgBox(ui::Icon::None, QString(), QStringLiteral("2,5 sec"));
    modMain::StopWatch(true);
}

class ShellOpenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        os::setOpener([this](const QUrl &url) {
            opened << url;
            return accept;
        });
    }
    void TearDown() override { os::setOpener({}); }

    QList<QUrl> opened;
    bool accept = true;
    QTemporaryDir dir;
};

TEST_F(ShellOpenTest, OutcomeCodes)
{
    const QString file = dir.filePath(QStringLiteral("rapport.docx"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    EXPECT_EQ(modAPI_2_ShellExecute::ShellOpen(file, 1), QStringLiteral("-1"));
    EXPECT_EQ(modAPI_2_ShellExecute::ShellOpen(QStringLiteral("https://example.org/tavir"), 1), QStringLiteral("-1"));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0].toLocalFile(), file);

    EXPECT_EQ(modAPI_2_ShellExecute::ShellOpen(dir.filePath(QStringLiteral("weg.docx")), 1),
              QStringLiteral("2, Error: File not found.  Couldn't Execute!"));
    EXPECT_EQ(modAPI_2_ShellExecute::ShellOpen(dir.filePath(QStringLiteral("geen/map/weg.docx")), 1),
              QStringLiteral("3, Error: Path not found. Couldn't Execute!"));
    EXPECT_EQ(opened.size(), 2); // nothing was handed over for those

    // The desktop could not start a program for it.
    accept = false;
    EXPECT_EQ(modAPI_2_ShellExecute::ShellOpen(file, 1),
              QStringLiteral("0, Error: Out of Memory/Resources. Couldn't execute!"));
    EXPECT_EQ(modAPI_2_ShellExecute::ShellOpen(QStringLiteral("https://example.org/tavir"), 1),
              QStringLiteral("0, Error: Out of Memory/Resources. Couldn't execute!"));
    accept = true;
    opened.clear();

    // A Windows program is no program here; a file that cannot be read is
    // the shell's "access denied". Neither is handed over.
    const QString program = dir.filePath(QStringLiteral("setup.exe"));
    QFile exe(program);
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.write("MZ\x90\x00\x03");
    exe.close();
    EXPECT_EQ(modAPI_2_ShellExecute::ShellOpen(program, 1),
              QStringLiteral("11, Error:  Bad File Format. Couldn't Execute!"));
    const QString locked = dir.filePath(QStringLiteral("dicht.docx"));
    QFile closed(locked);
    ASSERT_TRUE(closed.open(QIODevice::WriteOnly));
    closed.close();
    closed.setPermissions(QFile::WriteOwner);
    if (!QFileInfo(locked).isReadable()) {
        EXPECT_EQ(modAPI_2_ShellExecute::ShellOpen(locked, 1), QStringLiteral("5"));
    }
    EXPECT_TRUE(opened.isEmpty());
}

TEST(SetTopMost, SwitchesTheStayOnTopHint)
{
    QWidget w;
    w.show();
    EXPECT_EQ(modAPI_1::SetTopMost(&w, true), 1);
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(modAPI_1::SetTopMost(&w, false), 0);
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(modAPI_1::SetTopMost(nullptr, true), 0);
}

} // namespace
