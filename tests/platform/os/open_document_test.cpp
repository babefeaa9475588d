// Opening a file or web page: what reaches the desktop's opener, and that a
// missing file starts nothing. No test opens anything for real.

#include "platform/os/open_document.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Records what would have been opened.
class OpenDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = os::setOpener([this](const QUrl &url) {
            opened << url;
            return accept;
        });
    }
    void TearDown() override { os::setOpener(m_previous); }

    QList<QUrl> opened;
    bool accept = true;

private:
    os::Opener m_previous;
};

} // namespace

TEST_F(OpenDocumentTest, ExistingFileIsOpenedAsALocalUrl)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("Rapportage Stort A 01-02-2024.docx");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    EXPECT_TRUE(os::openDocument(file));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(file));

    accept = false;
    EXPECT_FALSE(os::openDocument(file)) << "the opener's refusal must reach the caller";
}

TEST_F(OpenDocumentTest, MissingFileGivesFalseWithoutStartingAnything)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QString &missing : {dir.filePath("weg.docx"), QString("file://") + dir.filePath("weg.docx"),
                                   QString("relatief/weg.docx"), QString("www.example.nl"), QString(), QString("  ")}) {
        SCOPED_TRACE(missing.toStdString());
        EXPECT_FALSE(os::openDocument(missing));
    }
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(OpenDocumentTest, AddressesGoToTheOpenerAsTheyAre)
{
    for (const char *address :
         {"https://www.example.nl/tavir/help.htm", "http://127.0.0.1:8080/a?b=c", "mailto:helpdesk@example.nl"}) {
        SCOPED_TRACE(address);
        opened.clear();
        EXPECT_TRUE(os::openDocument(address));
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened[0].toString(), QString(address));
    }
}

TEST_F(OpenDocumentTest, WithoutAnOpenerNothingIsOpened)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("a.docx");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const os::Opener ours = os::setOpener({});
    EXPECT_FALSE(os::openDocument(file));
    os::setOpener(ours);
    EXPECT_TRUE(opened.isEmpty());
}
