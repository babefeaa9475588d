// Requests and downloads against a local server: the answer, every kind of
// failure with its Dutch report, the proxy in the request, and downloads
// that never leave a half file under the target's name.

#include "support/local_http_server.h"
#include "support/qstring_printer.h"

#include "platform/core/error_numbers.h"
#include "platform/net/http_get.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

namespace {

using testsupport::LocalHttpServer;
using Mode = LocalHttpServer::Mode;

net::Options direct(int timeoutMs = 2000)
{
    net::Options o;
    o.proxy.accessType = 1;
    o.timeoutMs = timeoutMs;
    return o;
}

LocalHttpServer::Response response(Mode mode, const QByteArray &body, qint64 sendBytes = 0)
{
    LocalHttpServer::Response r;
    r.mode = mode;
    r.body = body;
    r.sendBytes = sendBytes;
    return r;
}

// A port on which nothing listens.
quint16 closedPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 port = s.serverPort();
    s.close();
    return port;
}

QByteArray bytes(qint64 n)
{
    QByteArray b(n, Qt::Uninitialized);
    for (qint64 i = 0; i < n; ++i)
        b[i] = char('a' + i % 26);
    return b;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class Http : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.isListening()); }
    LocalHttpServer server;
};

} // namespace

TEST_F(Http, GetReturnsTheBody)
{
    server.set(QStringLiteral("/tavir/info.txt"), "31,12-03-2027,tavir,1500\r\n");
    const net::Result r = net::get(server.url(QStringLiteral("/tavir/info.txt")), direct());
    ASSERT_TRUE(r.ok()) << r.description.toStdString();
    EXPECT_EQ(r.body, QByteArray("31,12-03-2027,tavir,1500\r\n"));
    EXPECT_EQ(r.httpStatus, 200);
    EXPECT_EQ(r.bytes, 26);
    EXPECT_EQ(r.number, 0);
}

TEST_F(Http, EveryFailureIsReportedInDutchWithItsNumber)
{
    server.set(QStringLiteral("/err500"), "<HTML>kapot</HTML>", 500);
    server.set(QStringLiteral("/hang"), response(Mode::Hang, "31"));
    server.set(QStringLiteral("/half"), response(Mode::Truncate, bytes(2000), 700));
    server.set(QStringLiteral("/big"), bytes(5000));
    struct Case {
        const char *name;
        QUrl url;
        net::Failure failure;
        long number;
        const char *inDescription;
    } cases[] = {
        {"404", server.url(QStringLiteral("/missing.txt")), net::Failure::HttpStatus, net::kErrHttpStatus,
         "foutcode 404"},
        {"500", server.url(QStringLiteral("/err500")), net::Failure::HttpStatus, net::kErrHttpStatus, "foutcode 500"},
        {"time-out", server.url(QStringLiteral("/hang")), net::Failure::TimedOut, net::kErrTimeOut, "time-out"},
        {"truncated", server.url(QStringLiteral("/half")), net::Failure::ConnectionClosed, net::kErrConnectionClosed,
         "verbroken"},
        {"refused", QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(closedPort())), net::Failure::CannotConnect,
         net::kErrCannotConnect, "geen verbinding"},
        {"not http", QUrl(QStringLiteral("ftp://127.0.0.1/x")), net::Failure::InvalidAddress, net::kErrInvalidAddress,
         "geen geldig internetadres"},
        {"too large", server.url(QStringLiteral("/big")), net::Failure::TooLarge, net::kErrTooLarge, "groter dan"},
    };
    for (const Case &c : cases) {
        net::Options o = direct(1000);
        o.maxBytes = 4096;
        const net::Result r = net::get(c.url, o);
        EXPECT_FALSE(r.ok()) << c.name;
        EXPECT_EQ(r.failure, c.failure) << c.name << ": " << r.description.toStdString();
        EXPECT_EQ(r.number, c.number) << c.name;
        EXPECT_TRUE(r.description.contains(QLatin1String(c.inDescription)))
            << c.name << ": " << r.description.toStdString();
        EXPECT_TRUE(r.body.isEmpty()) << c.name << ": a failed request has no body";
        const platform::Error e = r.error(QStringLiteral("bron"));
        EXPECT_EQ(e.number(), c.number);
        EXPECT_EQ(e.source(), QStringLiteral("bron"));
    }
}

TEST_F(Http, TimeOutEndsTheWholeRequestHoweverTheBytesCome)
{
    // A response that stalls after its first bytes, and one that comes a
    // byte at a time, steadily, for longer than the time-out.
    server.set(QStringLiteral("/stall"), response(Mode::StallMidway, bytes(3000), 1000));
    LocalHttpServer::Response drip = response(Mode::Trickle, bytes(40));
    drip.intervalMs = 100; // the whole body takes 4 seconds
    server.set(QStringLiteral("/trickle"), drip);
    for (const char *path : {"/stall", "/trickle"}) {
        const net::Result r = net::get(server.url(QLatin1String(path)), direct(1000));
        EXPECT_EQ(r.failure, net::Failure::TimedOut) << path;
        EXPECT_EQ(r.number, net::kErrTimeOut) << path;
        EXPECT_TRUE(r.description.contains(QLatin1String("time-out"))) << path << ": " << r.description.toStdString();
        EXPECT_TRUE(r.body.isEmpty()) << path;
    }
}

TEST_F(Http, CancellationBreaksOffTheRunningRequestAndEveryLaterOne)
{
    server.set(QStringLiteral("/hang"), response(Mode::Hang, "31"));
    server.set(QStringLiteral("/a.txt"), "0");
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("_0_x"));
    net::Cancellation cancellation;
    // Only the cancellation can end the request in time.
    net::Options o = direct(30000);
    o.cancellation = &cancellation;
    QTimer::singleShot(50, &cancellation, &net::Cancellation::cancel);

    const net::Result r = net::download(server.url(QStringLiteral("/hang")), target, o, 2);

    EXPECT_EQ(r.failure, net::Failure::Cancelled);
    EXPECT_EQ(r.number, net::kErrCancelled);
    EXPECT_FALSE(r.description.isEmpty());
    EXPECT_FALSE(QFile::exists(target));
    const qsizetype asked = server.requests().size();
    const net::Result later = net::get(server.url(QStringLiteral("/a.txt")), o);
    EXPECT_EQ(later.failure, net::Failure::Cancelled);
    EXPECT_EQ(server.requests().size(), asked) << "nothing is asked once cancelled";
}

TEST_F(Http, NamedProxyCarriesTheRequest)
{
    server.set(QStringLiteral("/tavir/program/updates/updateinfo_cl.txt"), "12,1-1-2027,dbQORCL.mdb,100");
    net::Options o = direct();
    o.proxy = net::ProxySetting{2, QStringLiteral("127.0.0.1"), server.port()};
    // A host that does not exist: only the proxy can answer.
    const QUrl url(QStringLiteral("http://updates.invalid/tavir/program/updates/updateinfo_cl.txt"));
    const net::Result r = net::get(url, o);
    ASSERT_TRUE(r.ok()) << r.description.toStdString();
    EXPECT_EQ(r.body, QByteArray("12,1-1-2027,dbQORCL.mdb,100"));
    EXPECT_EQ(server.requests(), QStringList{url.toString()});
}

TEST_F(Http, DirectAccessBypassesTheSystemProxy)
{
    server.set(QStringLiteral("/a.txt"), "0");
    const QByteArray deadProxy = QStringLiteral("http://127.0.0.1:%1").arg(closedPort()).toLatin1();
    const char *old = std::getenv("http_proxy");
    const std::string saved = old ? old : "";
    setenv("http_proxy", deadProxy.constData(), 1);
    unsetenv("no_proxy");
    const net::Result viaDirect = net::get(server.url(QStringLiteral("/a.txt")), direct());
    net::Options system = direct();
    system.proxy.accessType = 0;
    const net::Result viaSystem = net::get(server.url(QStringLiteral("/a.txt")), system);
    if (old)
        setenv("http_proxy", saved.c_str(), 1);
    else
        unsetenv("http_proxy");
    EXPECT_TRUE(viaDirect.ok()) << viaDirect.description.toStdString();
    // The system's setting tries the (dead) proxy and fails; only the
    // direct request reached the server.
    EXPECT_FALSE(viaSystem.ok());
    EXPECT_FALSE(viaSystem.description.isEmpty());
    EXPECT_EQ(server.requests(), QStringList{QStringLiteral("/a.txt")});
}

TEST_F(Http, UnusableNamedProxyIsRefusedBeforeAnyRequest)
{
    server.set(QStringLiteral("/a.txt"), "0");
    net::Options o = direct();
    o.proxy = net::ProxySetting{2, QString(), 0};
    const net::Result r = net::get(server.url(QStringLiteral("/a.txt")), o);
    EXPECT_EQ(r.failure, net::Failure::Proxy);
    EXPECT_TRUE(r.description.contains(QLatin1String("proxy-instellingen"))) << r.description.toStdString();
    EXPECT_TRUE(server.requests().isEmpty());
}

// ---- downloads ----------------------------------------------------------------

class Download : public Http {
protected:
    void SetUp() override
    {
        Http::SetUp();
        ASSERT_TRUE(dir.isValid());
        target = dir.filePath(QStringLiteral("_0_dbQORCL.mdb"));
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    void putOld()
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("oud");
    }

    QTemporaryDir dir;
    QString target;
};

TEST_F(Download, CompleteFileTakesTheTargetNameWithProgress)
{
    const QByteArray content = bytes(5000);
    server.set(QStringLiteral("/f"), content);
    putOld();
    qint64 last = 0;
    int calls = 0;
    const net::Result r = net::download(server.url(QStringLiteral("/f")), target, direct(), 5000, [&](qint64 n) {
        EXPECT_GE(n, last);
        last = n;
        ++calls;
    });
    ASSERT_TRUE(r.ok()) << r.description.toStdString();
    EXPECT_EQ(r.bytes, 5000);
    EXPECT_EQ(last, 5000);
    EXPECT_GE(calls, 1);
    EXPECT_EQ(readFile(target), content);
    EXPECT_EQ(files(), QStringList{QStringLiteral("_0_dbQORCL.mdb")}) << "no temporary file stays";
}

TEST_F(Download, FailedDownloadLeavesTheTargetAsItWas)
{
    server.set(QStringLiteral("/half"), response(Mode::Truncate, bytes(3000), 1200));
    server.set(QStringLiteral("/stall"), response(Mode::StallMidway, bytes(3000), 1200));
    server.set(QStringLiteral("/short"), bytes(999));
    server.set(QStringLiteral("/long"), bytes(1001));
    LocalHttpServer::Response drip = response(Mode::Trickle, bytes(40));
    drip.intervalMs = 100;
    server.set(QStringLiteral("/trickle"), drip);
    struct Case {
        const char *path;
        qint64 size; // the size listed
        net::Failure failure;
    } cases[] = {
        {"/half", 3000, net::Failure::ConnectionClosed}, {"/stall", 3000, net::Failure::TimedOut},
        {"/short", 1000, net::Failure::WrongSize}, // complete, but not the size listed
        {"/long", 1000, net::Failure::WrongSize},        {"/missing", 3000, net::Failure::HttpStatus},
        {"/trickle", 40, net::Failure::TimedOut}, // steady, but slower than the time-out allows
    };
    for (bool oldFile : {false, true}) {
        for (const Case &c : cases) {
            QFile::remove(target);
            if (oldFile)
                putOld();
            const net::Result r = net::download(server.url(QLatin1String(c.path)), target, direct(1000), c.size);
            EXPECT_EQ(r.failure, c.failure) << c.path << ": " << r.description.toStdString();
            EXPECT_FALSE(r.description.isEmpty()) << c.path;
            if (oldFile)
                EXPECT_EQ(readFile(target), QByteArray("oud")) << c.path;
            else
                EXPECT_FALSE(QFile::exists(target)) << c.path;
            EXPECT_EQ(files().size(), oldFile ? 1 : 0) << c.path << ": " << files().join(' ').toStdString();
        }
    }
}

TEST_F(Download, UnwritableFolderIsAWriteFailure)
{
    server.set(QStringLiteral("/f"), bytes(10));
    const net::Result r =
        net::download(server.url(QStringLiteral("/f")), dir.filePath(QStringLiteral("geen/map/_0_x")), direct(), 10);
    EXPECT_EQ(r.failure, net::Failure::Write);
    EXPECT_EQ(r.number, net::kErrWrite);
    EXPECT_TRUE(server.requests().isEmpty()) << "nothing is asked when nothing can be written";
}

// A disk that fills up while the file comes in: the process may write no
// more than a limit, as on a nearly full disk. Whichever write fails (one
// in the middle, or the last flush), the download fails and leaves no file.
TEST_F(Download, DiskFullWhileWritingIsAWriteFailure)
{
    const QByteArray content = bytes(300000);
    server.set(QStringLiteral("/f"), content);
    struct rlimit was {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &was), 0);
    const auto signalWas = std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead
    for (const rlim_t room : {rlim_t(0), rlim_t(1000), rlim_t(200000), rlim_t(299999)}) {
        QFile::remove(target);
        struct rlimit limit = was;
        limit.rlim_cur = room;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const net::Result r = net::download(server.url(QStringLiteral("/f")), target, direct(), content.size());
        ::setrlimit(RLIMIT_FSIZE, &was);
        EXPECT_EQ(r.failure, net::Failure::Write) << "room for " << room << ": " << r.description.toStdString();
        EXPECT_FALSE(QFile::exists(target)) << "room for " << room;
        EXPECT_TRUE(files().isEmpty()) << "room for " << room << ": " << files().join(' ').toStdString();
    }
    std::signal(SIGXFSZ, signalWas);
}

// The disk takes every write but refuses the flush (a full disk with
// delayed allocation): the download has failed, and the old file stays.
TEST_F(Download, FlushRefusedByTheDiskIsAWriteFailure)
{
    server.set(QStringLiteral("/f"), bytes(5000));
    putOld();
    net::setSyncToDiskForTests([](int) {
        errno = ENOSPC;
        return -1;
    });
    const net::Result r = net::download(server.url(QStringLiteral("/f")), target, direct(), 5000);
    net::setSyncToDiskForTests(nullptr);
    EXPECT_EQ(r.failure, net::Failure::Write) << r.description.toStdString();
    EXPECT_EQ(readFile(target), QByteArray("oud"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("_0_dbQORCL.mdb")}) << "no temporary file stays";
}

TEST(TextOf, Utf8OrLatin1)
{
    EXPECT_EQ(net::textOf(QByteArray("geïnstalleerd")), QString::fromUtf8("geïnstalleerd"));
    EXPECT_EQ(net::textOf(QByteArray("\xEF\xBB\xBF"
                                     "31")),
              QStringLiteral("31"));
    EXPECT_EQ(net::textOf(QByteArray("ge\xEFnstalleerd")), QString::fromUtf8("geïnstalleerd"));
}
