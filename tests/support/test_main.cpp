// Shared main of every test program: headless, C locale, and a private home
// and config folder, so that no test touches the user's own settings or files.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);

    setenv("LC_ALL", "C", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::setlocale(LC_ALL, "C");

    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    setenv("HOME", home.path().toLocal8Bit().constData(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit().constData(), 1);
    setenv("XDG_RUNTIME_DIR", (home.path() + "/run").toLocal8Bit().constData(), 1);
    QDir().mkpath(home.path() + "/config");
    QDir().mkpath(home.path() + "/run");
    // Qt accepts a runtime folder only when it is private (0700); the
    // single-instance lock of each test program lives there.
    QFile::setPermissions(home.path() + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QStandardPaths::setTestModeEnabled(true);

    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
