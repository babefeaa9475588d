// The per-user settings store: text values by application, section and key,
// keys without regard to case, in a file inside the test's own home.

#include "platform/core/error.h"
#include "platform/settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

using settings::DeleteSetting;
using settings::GetSetting;
using settings::SaveSetting;

namespace {

const QString kApp = QStringLiteral("Kettrilon-QOR");
const QString kSection = QStringLiteral("TAVIR3_1");

// Every test starts from an empty store.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(settings::settingsFile(kApp)); }
    void TearDown() override { QFile::remove(settings::settingsFile(kApp)); }

    // The keys of the section as they are in the file.
    static QStringList storedKeys(const QString &section)
    {
        QSettings raw(settings::settingsFile(kApp), QSettings::IniFormat);
        raw.beginGroup(section);
        return raw.childKeys();
    }
};

} // namespace

TEST_F(SettingsStoreTest, ValuesComeBackAsTheyWereSaved)
{
    const QString values[] = {
        "C:\\Program Files\\TAVIR\\dbQORdata_1.mdb",
        "/home/gebruiker/dbQORdata_1.mdb",
        "16384",
        "17,5",
        "a, b, c",
        "  voor en na  ",
        "@Variant(0)",
        "key=value; # geen commentaar",
        "Provincie Fryslân — ë",
        "regel 1\nregel 2",
        "",
    };
    int i = 0;
    for (const QString &v : values)
        SaveSetting(kApp, kSection, QStringLiteral("key%1").arg(i++), v);
    i = 0;
    for (const QString &v : values) {
        SCOPED_TRACE(v.toStdString());
        EXPECT_EQ(GetSetting(kApp, kSection, QStringLiteral("key%1").arg(i++), "?"), v);
    }
}

TEST_F(SettingsStoreTest, MissingKeysGiveTheDefault)
{
    EXPECT_EQ(GetSetting(kApp, kSection, "ConDATAfilenaam", "/prog/dbQORdata_1.mdb"), "/prog/dbQORdata_1.mdb");
    EXPECT_TRUE(GetSetting(kApp, kSection, "HUIDIGSTORT_ID").isNull());
    SaveSetting(kApp, kSection, "BTW_PROCENTEN", "21");
    EXPECT_EQ(GetSetting(kApp, kSection, "vwKLEURAct", "128"), "128");
    EXPECT_EQ(GetSetting(kApp, "TAVIR3_0", "BTW_PROCENTEN", "19"), "19");
    EXPECT_EQ(GetSetting("Ander-Programma", kSection, "BTW_PROCENTEN", "19"), "19");
}

TEST_F(SettingsStoreTest, KeysAndSectionsIgnoreCase)
{
    SaveSetting(kApp, kSection, "vwTreeLines", "1");
    EXPECT_EQ(GetSetting(kApp, kSection, "VWTREELINES"), "1");
    EXPECT_EQ(GetSetting(kApp, "tavir3_1", "vwtreelines"), "1");

    // Saving under another spelling replaces the value, under the stored name.
    SaveSetting(kApp, "Tavir3_1", "VwTreeLines", "0");
    EXPECT_EQ(GetSetting(kApp, kSection, "vwTreeLines"), "0");
    EXPECT_EQ(storedKeys(kSection), QStringList{"vwTreeLines"});
}

TEST_F(SettingsStoreTest, KeysWrittenInTwoSpellingsByHand)
{
    // A file edited by hand may hold both; the exact spelling wins, and a
    // save leaves one.
    {
        QSettings raw(settings::settingsFile(kApp), QSettings::IniFormat);
        raw.setValue(kSection + "/BTW_PROCENTEN", "19");
        raw.setValue(kSection + "/btw_procenten", "21");
    }
    EXPECT_EQ(GetSetting(kApp, kSection, "btw_procenten"), "21");
    EXPECT_EQ(GetSetting(kApp, kSection, "BTW_PROCENTEN"), "19");
    SaveSetting(kApp, kSection, "Btw_Procenten", "9");
    EXPECT_EQ(storedKeys(kSection).size(), 1);
    EXPECT_EQ(GetSetting(kApp, kSection, "BTW_PROCENTEN"), "9");
}

TEST_F(SettingsStoreTest, DeleteKeyOrSection)
{
    SaveSetting(kApp, kSection, "strProxyNaam", "proxy.example.nl");
    SaveSetting(kApp, kSection, "intProxyPoort", "8080");
    SaveSetting(kApp, "TAVIR3_0", "intProxyPoort", "3128");

    DeleteSetting(kApp, kSection, "STRPROXYNAAM");
    EXPECT_EQ(GetSetting(kApp, kSection, "strProxyNaam", "weg"), "weg");
    EXPECT_EQ(GetSetting(kApp, kSection, "intProxyPoort"), "8080");

    DeleteSetting(kApp, kSection);
    EXPECT_EQ(GetSetting(kApp, kSection, "intProxyPoort", "0"), "0");
    EXPECT_EQ(GetSetting(kApp, "TAVIR3_0", "intProxyPoort"), "3128");

    // Deleting what is not there does nothing.
    EXPECT_NO_THROW(DeleteSetting(kApp, kSection, "bestaatNiet"));
    EXPECT_NO_THROW(DeleteSetting(kApp, "GeenSectie"));
}

TEST_F(SettingsStoreTest, FileLiesInTheTestsOwnHome)
{
    SaveSetting(kApp, kSection, "vwTreeLines", "1");
    const QString file = settings::settingsFile(kApp);
    EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    EXPECT_TRUE(file.endsWith("/Kettrilon-QOR/Kettrilon-QOR.ini")) << file.toStdString();

    // The shared test main points HOME (and the config folder) at a
    // temporary folder: the file must be inside it, never in the real home.
    const QString home = QDir::homePath();
    EXPECT_TRUE(file.startsWith(home + "/")) << file.toStdString() << " not in " << home.toStdString();
    const passwd *pw = getpwuid(getuid());
    ASSERT_NE(pw, nullptr);
    const QString realHome = QDir(QString::fromLocal8Bit(pw->pw_dir)).canonicalPath();
    EXPECT_NE(QDir(home).canonicalPath(), realHome);
    EXPECT_FALSE(QFileInfo(file).canonicalFilePath().startsWith(realHome + "/.config"));
}

TEST_F(SettingsStoreTest, UnwritableStoreRaisesADutchError)
{
    // A config folder below a plain file cannot be made, not even by root.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile blocker(dir.filePath("bestand"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.filePath("bestand/config"));

    try {
        SaveSetting(kApp, kSection, "BTW_PROCENTEN", "21");
        ADD_FAILURE() << "no error raised";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), settings::kWriteError);
        EXPECT_TRUE(e.description().startsWith("De instelling BTW_PROCENTEN (sectie TAVIR3_1) kan niet worden "
                                               "opgeslagen in "))
            << e.description().toStdString();
    }
    // Nothing stored there, so nothing to delete.
    EXPECT_NO_THROW(DeleteSetting(kApp, kSection));
    // Reading an unreachable store gives the defaults.
    EXPECT_EQ(GetSetting(kApp, kSection, "BTW_PROCENTEN", "19"), "19");

    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}
