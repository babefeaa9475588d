#pragma once
// A small HTTP server on 127.0.0.1 for tests of requests and downloads. It
// runs on the test's own thread: it answers while the code under test waits
// in its event loop. Each path gets a canned response; a path without one
// gets a 404 error page. It also serves as an HTTP proxy: a request for an
// absolute address ("GET http://host/path") is answered by its path, and
// the address as asked is kept in requests().
//
//   testsupport::LocalHttpServer server;
//   server.set("/a.txt", "31,1 jan 2027");
//   server.set("/slow.txt", {.mode = LocalHttpServer::Mode::Hang});
//   server.set("/drip.txt", {.body = "0", .mode = LocalHttpServer::Mode::Trickle, .intervalMs = 200});
//   QUrl url = server.url("/a.txt");

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace testsupport {

class LocalHttpServer {
public:
    enum class Mode {
        Normal,      // the whole response
        Hang,        // accepts the request and never answers
        Truncate,    // announces the whole body, sends `sendBytes` of it and closes
        StallMidway, // announces the whole body, sends `sendBytes` of it and stays silent
        Trickle,     // announces the whole body and sends it one byte every `intervalMs`
    };

    struct Response {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/plain";
        Mode mode = Mode::Normal;
        qint64 sendBytes = 0; // Truncate and StallMidway
        int intervalMs = 0;   // Trickle
    };

    LocalHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] { accept(); });
    }

    ~LocalHttpServer()
    {
        // The sockets are the server's children and go with it.
        for (const QPointer<QTcpSocket> &s : m_sockets)
            if (s)
                s->abort();
    }

    LocalHttpServer(const LocalHttpServer &) = delete;
    LocalHttpServer &operator=(const LocalHttpServer &) = delete;

    bool isListening() const { return m_server.isListening(); }
    // Listens on `port` instead (0: any free port); false when it is taken.
    bool listenOn(quint16 port)
    {
        m_server.close();
        return m_server.listen(QHostAddress::LocalHost, port);
    }
    quint16 port() const { return m_server.serverPort(); }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }
    QUrl url(const QString &path) const { return QUrl(base() + path); }

    void set(const QString &path, const Response &response) { m_responses.insert(path, response); }
    void set(const QString &path, const QByteArray &body, int status = 200)
    {
        Response r;
        r.body = body;
        r.status = status;
        set(path, r);
    }
    void remove(const QString &path) { m_responses.remove(path); }

    // The request targets in the order they came, as asked (a path, or an
    // absolute address when asked through the server as a proxy).
    QStringList requests() const { return m_requests; }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            m_sockets << QPointer<QTcpSocket>(socket);
            auto *buffer = new QByteArray;
            QObject::connect(socket, &QObject::destroyed, [buffer] { delete buffer; });
            QObject::connect(socket, &QTcpSocket::readyRead, [this, socket, buffer] {
                *buffer += socket->readAll();
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (end < 0)
                    return;
                const QByteArray requestLine = buffer->left(buffer->indexOf("\r\n"));
                buffer->remove(0, end + 4);
                answer(socket, requestLine);
            });
        }
    }

    static QByteArray reason(int status)
    {
        switch (status) {
        case 200:
            return "OK";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
        }
    }

    void answer(QTcpSocket *socket, const QByteArray &requestLine)
    {
        const QList<QByteArray> parts = requestLine.split(' ');
        const QString target = parts.size() > 1 ? QString::fromLatin1(parts.at(1)) : QString();
        m_requests << target;
        QString path = target;
        if (!target.startsWith(QLatin1Char('/'))) {
            const QUrl absolute(target);
            path = absolute.path() + (absolute.hasQuery() ? QStringLiteral("?") + absolute.query() : QString());
        }
        Response r;
        if (m_responses.contains(path)) {
            r = m_responses.value(path);
        } else {
            r.status = 404;
            r.contentType = "text/html";
            r.body = "<HTML><HEAD><TITLE>404 Not Found</TITLE></HEAD><BODY>Not Found</BODY></HTML>";
        }
        if (r.mode == Mode::Hang)
            return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(r.status) + ' ' + reason(r.status) + "\r\n";
        head += "Content-Type: " + r.contentType + "\r\n";
        head += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
        head += "Connection: close\r\n\r\n";
        socket->write(head);
        if (r.mode == Mode::Trickle) {
            trickle(socket, r.body, r.intervalMs);
            return;
        }
        if (r.mode == Mode::Normal) {
            socket->write(r.body);
            socket->disconnectFromHost();
            return;
        }
        socket->write(r.body.left(r.sendBytes));
        socket->flush();
        if (r.mode == Mode::Truncate)
            socket->disconnectFromHost();
    }

    // One byte of `body` every `intervalMs`, then the connection closes.
    static void trickle(QTcpSocket *socket, const QByteArray &body, int intervalMs)
    {
        auto *timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent] {
            if (*sent >= body.size()) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            socket->write(body.mid((*sent)++, 1));
            socket->flush();
        });
        timer->start(intervalMs);
    }

    QTcpServer m_server;
    QHash<QString, Response> m_responses;
    QStringList m_requests;
    QList<QPointer<QTcpSocket>> m_sockets;
};

} // namespace testsupport
