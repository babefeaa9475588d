// Copying a file: the target is replaced whole or not at all, and no
// temporary file stays behind.

#include "platform/os/copy_file.h"
#include "platform/os/system_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <string>

namespace {

class CopyFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString &name) const { return dir.filePath(name); }

    static void write(const QString &file, const QByteArray &content)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(content), content.size());
    }

    static QByteArray read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // The names in the folder, hidden ones included, sorted and joined.
    std::string entries() const
    {
        QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.sort();
        return names.join(' ').toStdString();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(CopyFileTest, CopiesAndReplaces)
{
    QByteArray big(3 * 1024 * 1024 + 17, '\0');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i * 31);
    write(path("db00.mdb"), big);
    QFile::setPermissions(path("db00.mdb"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    write(path("dbQORdata_1.mdb"), "oud");

    const os::CopyResult r = os::copyFile(path("db00.mdb"), path("dbQORdata_1.mdb"), false);
    ASSERT_TRUE(r) << r.description.toStdString();
    EXPECT_EQ(r.number, 0);
    EXPECT_EQ(read(path("dbQORdata_1.mdb")), big);
    EXPECT_EQ(QFile::permissions(path("dbQORdata_1.mdb")) & 0x0FFF, QFile::permissions(path("db00.mdb")) & 0x0FFF);
    EXPECT_EQ(entries(), "db00.mdb dbQORdata_1.mdb");

    // A new target and an empty source.
    write(path("leeg"), "");
    EXPECT_TRUE(os::copyFile(path("leeg"), path("nieuw"), true));
    EXPECT_EQ(read(path("nieuw")), QByteArray());
}

TEST_F(CopyFileTest, FailIfExistsLeavesTheTargetAlone)
{
    write(path("bron"), "nieuw");
    write(path("doel"), "oud");
    const os::CopyResult r = os::copyFile(path("bron"), path("doel"), true);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.number, os::systemErrorNumber(EEXIST));
    EXPECT_TRUE(r.description.endsWith(": het bestand bestaat al")) << r.description.toStdString();
    EXPECT_EQ(read(path("doel")), "oud");
    EXPECT_EQ(entries(), "bron doel");
}

TEST_F(CopyFileTest, MissingSourceLeavesTheTargetUnchanged)
{
    write(path("doel"), "oud");
    const os::CopyResult r = os::copyFile(path("weg"), path("doel"), false);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.number, os::systemErrorNumber(ENOENT));
    EXPECT_TRUE(r.description.startsWith("Kopiëren van " + path("weg") + " naar " + path("doel") + ": "))
        << r.description.toStdString();
    EXPECT_EQ(read(path("doel")), "oud");
    EXPECT_EQ(entries(), "doel");

    const platform::Error e = r.error("CompactDatabestand");
    EXPECT_EQ(e.number(), r.number);
    EXPECT_EQ(e.source(), "CompactDatabestand");
}

TEST_F(CopyFileTest, UnusableTargetsFailCleanly)
{
    write(path("bron"), "inhoud");
    // The target's folder does not exist.
    EXPECT_FALSE(os::copyFile(path("bron"), path("nergens/doel"), false));
    // The target is a folder: the temporary copy is made, the rename fails,
    // and the copy is removed again.
    ASSERT_TRUE(QDir(dir.path()).mkdir("map"));
    const os::CopyResult r = os::copyFile(path("bron"), path("map"), false);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.number, os::systemErrorNumber(EISDIR));
    EXPECT_EQ(entries(), "bron");
    // The source is a folder.
    EXPECT_FALSE(os::copyFile(path("map"), path("doel"), false));
    // A file onto itself.
    EXPECT_FALSE(os::copyFile(path("bron"), path("bron"), false));
    EXPECT_EQ(read(path("bron")), "inhoud");
    EXPECT_EQ(entries(), "bron");
}

TEST_F(CopyFileTest, WhatAKilledCopyLeftGoesWithTheNextCopyAndNothingElse)
{
    write(path("db00.mdb"), "sjabloon");
    write(path(".dbQORdata_2.mdb.tavir-Ab12Cd"), "half"); // ours, its writer gone
    write(path(".dbQORdata_2.mdb.Ab12Cd"), "van de gebruiker");
    write(path("dbQORdata_2.mdb.backup"), "van de gebruiker");

    const os::CopyResult r = os::copyFile(path("db00.mdb"), path("dbQORdata_1.mdb"), true);
    ASSERT_TRUE(r) << r.description.toStdString();

    EXPECT_EQ(entries(), ".dbQORdata_2.mdb.Ab12Cd db00.mdb dbQORdata_1.mdb dbQORdata_2.mdb.backup");
}
