#pragma once
// One HTTP GET through QNetworkAccessManager, with the program's proxy
// choice and a time-out. The response goes into memory or into a file
// that only appears under its name once it is complete (see download()
// in http_get.h).
//
// The time-out is the time the whole request may take, counted from its
// start: a server that answers a byte now and then cannot keep a request
// going beyond it. A request can also be broken off from outside (a
// Cancellation, below). A server's error status (404, 500, ...) is a
// failure, never a response.

#include "platform/core/error.h"
#include "platform/net/proxy.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <memory>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;

namespace net {

// Breaks requests off from outside, for instance when the screen that
// waits for them closes. cancel() ends every running request that was
// given this Cancellation with Failure::Cancelled; one started afterwards
// ends so at once, before anything is sent.
class Cancellation : public QObject {
    Q_OBJECT

public:
    void cancel();
    bool isCancelled() const { return m_cancelled; }

signals:
    void cancelled();

private:
    bool m_cancelled = false;
};

struct Options {
    ProxySetting proxy;
    int timeoutMs = 10000;               // the whole request ends within this
    qint64 maxBytes = 0;                 // a longer response fails; 0 sets no limit
    QPointer<Cancellation> cancellation; // breaks the request off; none: only the time-out does
};

enum class Failure {
    None,
    TimedOut,
    InvalidAddress,
    HostNotFound,
    CannotConnect,
    ConnectionClosed, // broke off before the response was complete
    HttpStatus,       // the server answered with an error status
    Proxy,
    TooLarge,
    WrongSize, // complete, but not the size the caller expected
    Write,     // the target file cannot be written
    Cancelled, // broken off through its Cancellation
    Network,   // anything else
};

struct Result {
    Failure failure = Failure::None;
    long number = 0;     // the error's number (error_numbers.h); 0 when ok
    QString description; // Dutch, for the user; empty when ok
    int httpStatus = 0;  // the server's status, when it answered
    QByteArray body;     // the response (requests into memory)
    QString contentType; // the Content-Type header
    QUrl url;            // the address answered, after redirections
    qint64 bytes = 0;    // bytes received

    bool ok() const { return failure == Failure::None; }
    // The failure as an error; its source is `source`.
    platform::Error error(const QString &source) const;
};

class HttpRequest : public QObject {
    Q_OBJECT

public:
    // A request into memory (`sink` nullptr) or into `sink`, an open device
    // the request writes to and does not own.
    HttpRequest(const QUrl &url, const Options &options, QIODevice *sink = nullptr, QObject *parent = nullptr);
    ~HttpRequest() override;

    // Starts the request; finished() follows, also for a request refused
    // at once (a bad address or proxy).
    void start();
    // Breaks the request off; it finishes with `failure` (Network when
    // none is given, for a request the caller gave up).
    void abort(Failure failure = Failure::Network, const QString &description = QString());

    bool isRunning() const { return m_running; }
    const Result &result() const { return m_result; }

    // A response of more than `bytes` fails with WrongSize at once (downloads
    // of a known size); a shorter one is the caller's to judge.
    void setExpectedSize(qint64 bytes) { m_expectedSize = bytes; }

signals:
    // Bytes received so far and the announced total (-1 when unknown).
    void progress(qint64 received, qint64 total);
    void finished();

private:
    void onReadyRead();
    void onFinished();
    void onTimeout();
    void fail(Failure failure, long number, const QString &description);
    void finish();

    QUrl m_url;
    Options m_options;
    QIODevice *m_sink = nullptr;
    std::unique_ptr<QNetworkAccessManager> m_manager;
    QPointer<QNetworkReply> m_reply;
    QTimer m_timer;
    Result m_result;
    qint64 m_expectedSize = -1;
    bool m_running = false;
    bool m_failed = false;
};

} // namespace net
