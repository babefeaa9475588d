// A file's failure in Dutch, or left out: never the system's English text
// inside a Dutch message.

#include "platform/core/file_error_text.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(FileErrorText, AFailedOpenOrSaveReadsDutch)
{
    QTemporaryDir dir;
    const QString missing = dir.path() + QStringLiteral("/weg/rapport.docx");

    QFile read(missing);
    ASSERT_FALSE(read.open(QIODevice::ReadOnly));
    EXPECT_EQ(platform::dutchFileError(read), QStringLiteral("het bestand of de map bestaat niet"));

    QSaveFile save(missing);
    ASSERT_FALSE(save.open(QIODevice::WriteOnly));
    const QString reason = platform::dutchFileError(save);
    EXPECT_FALSE(reason.contains(QStringLiteral("No such"))) << reason.toStdString();

    QFile isDir(dir.path());
    ASSERT_FALSE(isDir.open(QIODevice::WriteOnly));
    EXPECT_FALSE(platform::dutchFileError(isDir).contains(QStringLiteral("directory")));
}

TEST(FileErrorText, NumbersWithoutADutchTextAreLeftOut)
{
    EXPECT_EQ(platform::dutchSystemErrorText(ENOSPC), QStringLiteral("de schijf is vol"));
    EXPECT_EQ(platform::dutchSystemErrorText(EACCES), QStringLiteral("geen toegang"));
    EXPECT_EQ(platform::dutchSystemErrorText(EHOSTDOWN), QString());
    EXPECT_EQ(platform::inParentheses(QString()), QString());
    EXPECT_EQ(platform::inParentheses(QStringLiteral("geen toegang")), QStringLiteral(" (geen toegang)"));
}

} // namespace
