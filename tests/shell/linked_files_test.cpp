// Files the program replaces by a rename, reached through symbolic links (a
// data file on a shared drive, say): the start's compaction, a report, an
// export, a downloaded checklist file and the updater's program files. Each
// goes into the file the links finally name; every link stays a link, and
// nothing is left beside the links or the file.

#include "update_test_env.h"

#include "shell/connection_strings.h"
#include "shell/coupling.h"
#include "shell/datafile_compact.h"
#include "shell/site_export.h"

#include "updater/replace_files.h"

#include "platform/os/replacing_file.h"
#include "platform/word/document.h"

#include <QMap>

#include <functional>

namespace {

using namespace shelltest;

// The text of the link at `path` ("" when it is none).
QString linkText(const QString &path)
{
    QByteArray text(4096, '\0');
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), text.data(), size_t(text.size()));
    text.truncate(n < 0 ? 0 : n);
    return QFile::decodeName(text);
}

class LinkedFiles : public UpdateServerTest {
public:
    using UpdateServerTest::newerChecklist;
    using UpdateServerTest::progDir;
    using UpdateServerTest::script;
    using UpdateServerTest::server;
    using UpdateServerTest::templateCopy;
    using UpdateServerTest::tmp;

    QString in(const QString &relative) const { return tmp.path() + QLatin1Char('/') + relative; }

    QByteArray offered; // the file the update server offers
};

struct LinkedFile {
    const char *naam;
    const char *link; // where the program finds the file, under the temporary folder
    const char *file; // the file it finally names, under "share/"
    // Puts the old file at `file` and what the program needs beside it.
    std::function<void(LinkedFiles &, const QString &file)> prepare;
    // The program replaces the file it knows as `link`.
    std::function<void(LinkedFiles &, const QString &link)> replace;
    // Checks the new content in `file`.
    std::function<void(LinkedFiles &, const QString &file)> check;
};
void PrintTo(const LinkedFile &c, std::ostream *os)
{
    *os << c.naam;
}

class LinkedFileIsReplaced : public LinkedFiles, public ::testing::WithParamInterface<LinkedFile> {};

TEST_P(LinkedFileIsReplaced, BehindItsLinksWhichStay)
{
    const LinkedFile &c = GetParam();
    const QString link = in(QLatin1String(c.link));
    const QString file = in(QStringLiteral("share/") + QLatin1String(c.file));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(link).path()));
    ASSERT_TRUE(QDir().mkpath(in(QStringLiteral("tussen"))));
    ASSERT_TRUE(QDir().mkpath(in(QStringLiteral("share"))));
    c.prepare(*this, file);
    // Two relative links: the program's name, then one in another folder.
    const QString halfway = in(QStringLiteral("tussen/") + QLatin1String(c.file));
    QFile::remove(link);
    ASSERT_EQ(::symlink(("../tussen/" + QByteArray(c.file)).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_EQ(::symlink(("../share/" + QByteArray(c.file)).constData(), QFile::encodeName(halfway).constData()), 0);
    const QByteArray before = fileBytes(file);
    const QStringList besideTheLink =
        QDir(QFileInfo(link).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);

    c.replace(*this, link);

    EXPECT_EQ(linkText(link), QStringLiteral("../tussen/") + QLatin1String(c.file));
    EXPECT_EQ(linkText(halfway), QStringLiteral("../share/") + QLatin1String(c.file));
    EXPECT_NE(fileBytes(file), before);
    c.check(*this, file);
    EXPECT_EQ(QDir(in(QStringLiteral("share")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{QLatin1String(c.file)});
    // Beside the link only what was there (a download may be gone).
    for (const QString &entry :
         QDir(QFileInfo(link).path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        EXPECT_TRUE(besideTheLink.contains(entry)) << entry.toStdString();
}

const QString kSites = QStringLiteral("SELECT group_concat(strStortNaam, ',') FROM tblStort");

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkedFileIsReplaced,
    ::testing::Values(
        LinkedFile{"DataFileCompactedAtStart", "prog/dbQORdata_1.mdb", "dbQORdata_net.mdb",
                   [](LinkedFiles &t, const QString &file) {
                       ASSERT_TRUE(QFile::copy(t.progDir + QStringLiteral("/db00.mdb"), file));
                       QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
                       // A site, and the free pages of many deleted ones.
                       runSql(file, QStringLiteral(
                                        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500) "
                                        "INSERT INTO tblStort (strStortNaam, intStortType, memVestigingsadres) "
                                        "SELECT 'Stort ' || i, 1, printf('%.500c', 'x') FROM n;"
                                        "DELETE FROM tblStort WHERE idrStort_ID > 1;"));
                   },
                   [](LinkedFiles &, const QString &link) { modCompress::CompactDatabestand(link); },
                   [](LinkedFiles &t, const QString &file) {
                       EXPECT_LT(QFileInfo(file).size(), 200 * 1024);
                       EXPECT_EQ(scalar(t.in(QStringLiteral("prog/dbQORdata_1.mdb")), kSites),
                                 QStringLiteral("Stort 1"));
                       EXPECT_EQ(scalar(file, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
                   }},
        LinkedFile{"Report", "werk/rapport.docx", "rapport_net.docx",
                   [](LinkedFiles &, const QString &file) { writeBytes(file, "oud rapport"); },
                   [](LinkedFiles &, const QString &link) {
                       word::Document doc;
                       doc.Selection().TypeText(QStringLiteral("Doelvermogen"));
                       doc.SaveAs(link);
                   },
                   [](LinkedFiles &, const QString &file) { EXPECT_TRUE(fileBytes(file).startsWith("PK\x03\x04")); }},
        LinkedFile{"Export", "werk/De Kempen.xml", "export_net.xml",
                   [](LinkedFiles &t, const QString &file) {
                       writeBytes(file, "oude export");
                       const QString pad = t.templateCopy();
                       runSql(pad, QStringLiteral(
                                       "INSERT INTO tblStort (strStortNaam, intStortType) VALUES ('De Kempen', 1);"));
                       modMain::KoppelDatabestand(pad, false, true);
                       ASSERT_FALSE(modMain::gstrConnData.isEmpty());
                       modMain::glngStortID = 1;
                   },
                   [](LinkedFiles &, const QString &link) { modMain::ExporteerInrichting(link); },
                   [](LinkedFiles &, const QString &file) {
                       const QByteArray xml = fileBytes(file);
                       EXPECT_TRUE(xml.startsWith("<xml")) << xml.left(40).toStdString();
                       EXPECT_TRUE(xml.contains("De Kempen"));
                   }},
        LinkedFile{"DownloadedChecklist", "prog/dbQORCL.mdb", "dbQORCL.mdb",
                   [](LinkedFiles &t, const QString &file) {
                       t.offered = t.newerChecklist();
                       ASSERT_TRUE(QFile::rename(t.progDir + QStringLiteral("/dbQORCL.mdb"), file));
                       t.server.set(kUpdateMap + QStringLiteral("dbQORCL.mdb"), t.offered);
                       t.server.set(kUpdateMap + QLatin1String(modAutoUpdate::kInfoOnderhoud), QByteArray("0"));
                       t.server.set(kUpdateMap + QLatin1String(modAutoUpdate::kInfoProgramma),
                                    QByteArray("30,1-1-2026,tavir,10"));
                       t.server.set(kUpdateMap + QLatin1String(modAutoUpdate::kInfoChecklist),
                                    "13,1-1-2027,dbQORCL.mdb," + QByteArray::number(t.offered.size()));
                   },
                   [](LinkedFiles &t, const QString &) {
                       ASSERT_EQ(modAutoUpdate::ControleerUpdates().statusChecklist, modAutoUpdate::kNieuwer);
                       t.script.expectMsgBox(
                           ui::Icon::Information, QStringLiteral("Actualisatie checklist"),
                           QStringLiteral("Het downloaden is gereed. Het nieuwe checklistbestand is geïnstalleerd."));
                       modAutoUpdate::VoerUpdateUit(true, false);
                   },
                   [](LinkedFiles &t, const QString &file) {
                       EXPECT_EQ(fileBytes(file), t.offered);
                       EXPECT_EQ(modMain::gintCLVolgnr, 13);
                   }},
        LinkedFile{"UpdatersProgramFile", "prog/tavir", "tavir-3.0",
                   [](LinkedFiles &t, const QString &file) {
                       writeBytes(file, "oud programma");
                       QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                       writeBytes(t.progDir + QStringLiteral("/_0_tavir"), "nieuw programma");
                   },
                   [](LinkedFiles &t, const QString &) {
                       const updater::Outcome o = updater::replaceAll(t.progDir);
                       EXPECT_EQ(o.kind, updater::Outcome::Kind::Replaced) << o.error.toStdString();
                   },
                   [](LinkedFiles &, const QString &file) {
                       EXPECT_EQ(fileBytes(file), "nieuw programma");
                       EXPECT_TRUE(QFileInfo(file).isExecutable());
                   }}),
    [](const ::testing::TestParamInfo<LinkedFile> &info) { return std::string(info.param.naam); });

} // namespace
