// Shared main of every test program: headless, C locale, and a private home
// and config folder, so that no test touches the user's own settings or files.
// The headless screen is one of 1024x768, the smallest the program is made
// for (Qt's offscreen platform, told so by a configuration file).

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

    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        const QString config = home.path() + "/offscreen-1024x768.json";
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return 2;
        file.write(R"({"synchronousWindowSystemEvents": false, "windowFrameMargins": true,
  "screens": [{"name": "1024x768", "x": 0, "y": 0, "width": 1024, "height": 768,
               "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        file.close();
        setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit().constData(), 1);
    }

    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
