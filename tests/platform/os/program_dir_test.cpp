// The program folder: the executable's, unless a test sets another.

#include "platform/os/program_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

TEST(ProgramDir, IsTheExecutablesFolderUnlessSet)
{
    EXPECT_EQ(os::programDir(), QCoreApplication::applicationDirPath());
    EXPECT_TRUE(QDir(os::programDir()).exists(QFileInfo(QCoreApplication::applicationFilePath()).fileName()));

    os::setProgramDir("/opt/tavir/");
    EXPECT_EQ(os::programDir(), "/opt/tavir");
    os::setProgramDir(QString());
    EXPECT_EQ(os::programDir(), QCoreApplication::applicationDirPath());
}
