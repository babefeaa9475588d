#include "platform/net/http_request.h"

#include "platform/core/error_numbers.h"

#include "platform/core/file_error_text.h"

#include <QFileDevice>
#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace net {

namespace {

QString seconden(int ms)
{
    const int s = (ms + 999) / 1000;
    return s == 1 ? QStringLiteral("1 seconde") : QStringLiteral("%1 seconden").arg(s);
}

QString hostOf(const QUrl &url)
{
    return url.host().isEmpty() ? url.toString() : url.host();
}

QString timeOutText(const QString &host, int ms)
{
    return QStringLiteral("De server %1 gaf niet binnen %2 een volledig antwoord (time-out).").arg(host, seconden(ms));
}

long numberOf(Failure failure)
{
    switch (failure) {
    case Failure::TimedOut:
        return kErrTimeOut;
    case Failure::Cancelled:
        return kErrCancelled;
    default:
        return kErrNetwork;
    }
}

} // namespace

void Cancellation::cancel()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    emit cancelled();
}

platform::Error Result::error(const QString &source) const
{
    return platform::Error(number, description, source);
}

HttpRequest::HttpRequest(const QUrl &url, const Options &options, QIODevice *sink, QObject *parent)
    : QObject(parent), m_url(url), m_options(options), m_sink(sink)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &HttpRequest::onTimeout);
}

HttpRequest::~HttpRequest()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void HttpRequest::start()
{
    m_result = Result();
    m_result.url = m_url;
    m_failed = false;
    m_running = true;

    const QString scheme = m_url.scheme().toLower();
    if (!m_url.isValid() || m_url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        fail(Failure::InvalidAddress, kErrInvalidAddress,
             QStringLiteral("Het adres '%1' is geen geldig internetadres.").arg(m_url.toString()));
        // finished() comes from the event loop, as for every other request.
        QTimer::singleShot(0, this, &HttpRequest::finish);
        return;
    }
    QString why;
    if (!isUsable(m_options.proxy, &why)) {
        fail(Failure::Proxy, kErrProxy, why + QStringLiteral(" Controleer de proxy-instellingen."));
        QTimer::singleShot(0, this, &HttpRequest::finish);
        return;
    }
    if (Cancellation *c = m_options.cancellation) {
        if (c->isCancelled()) {
            fail(Failure::Cancelled, kErrCancelled,
                 QStringLiteral("Het verzoek aan %1 is afgebroken.").arg(hostOf(m_url)));
            QTimer::singleShot(0, this, &HttpRequest::finish);
            return;
        }
        connect(c, &Cancellation::cancelled, this, [this] { abort(Failure::Cancelled); });
    }

    m_manager = std::make_unique<QNetworkAccessManager>();
    m_manager->setProxyFactory(new ProxyFactory(m_options.proxy));
    QNetworkRequest request(m_url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("TAVIR"));
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &HttpRequest::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &HttpRequest::onFinished);
    // Once, for the whole request: bytes that keep coming do not extend it.
    m_timer.start(m_options.timeoutMs);
}

void HttpRequest::abort(Failure failure, const QString &description)
{
    if (!m_running)
        return;
    fail(failure, numberOf(failure),
         description.isEmpty() ? QStringLiteral("Het verzoek aan %1 is afgebroken.").arg(hostOf(m_url)) : description);
    if (m_reply)
        m_reply->abort(); // finished() follows through onFinished
}

void HttpRequest::fail(Failure failure, long number, const QString &description)
{
    if (m_failed)
        return; // the first failure is the one to report
    m_failed = true;
    m_result.failure = failure;
    m_result.number = number;
    m_result.description = description;
}

void HttpRequest::onReadyRead()
{
    if (!m_reply || m_failed)
        return;
    const QByteArray chunk = m_reply->readAll();
    if (chunk.isEmpty())
        return;
    // An error page is no part of the response asked for.
    if (m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() >= 400)
        return;
    m_result.bytes += chunk.size();
    if (m_options.maxBytes > 0 && m_result.bytes > m_options.maxBytes) {
        fail(Failure::TooLarge, kErrTooLarge,
             QStringLiteral("Het antwoord van %1 is groter dan verwacht.").arg(hostOf(m_url)));
        m_reply->abort();
        return;
    }
    if (m_expectedSize >= 0 && m_result.bytes > m_expectedSize) {
        fail(Failure::WrongSize, kErrWrongSize,
             QStringLiteral("Er kwamen meer dan de verwachte %1 bytes binnen.").arg(m_expectedSize));
        m_reply->abort();
        return;
    }
    if (m_sink) {
        if (m_sink->write(chunk) != chunk.size()) {
            fail(Failure::Write, kErrWrite,
                 QStringLiteral("Het bestand kan niet worden geschreven")
                     + platform::inParentheses(qobject_cast<QFileDevice *>(m_sink)
                                                   ? platform::dutchFileError(*qobject_cast<QFileDevice *>(m_sink))
                                                   : QString())
                     + QLatin1Char('.'));
            m_reply->abort();
            return;
        }
    } else {
        m_result.body += chunk;
    }
    const QVariant total = m_reply->header(QNetworkRequest::ContentLengthHeader);
    emit progress(m_result.bytes, total.isValid() ? total.toLongLong() : -1);
}

void HttpRequest::onTimeout()
{
    if (!m_running)
        return;
    abort(Failure::TimedOut, timeOutText(hostOf(m_url), m_options.timeoutMs));
}

void HttpRequest::onFinished()
{
    m_timer.stop();
    if (!m_reply)
        return;
    // What is still buffered belongs to the response.
    if (!m_failed && m_reply->bytesAvailable() > 0)
        onReadyRead();

    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    m_result.httpStatus = status.isValid() ? status.toInt() : 0;
    m_result.contentType = m_reply->header(QNetworkRequest::ContentTypeHeader).toString();
    m_result.url = m_reply->url();
    const QNetworkReply::NetworkError error = m_reply->error();
    const QString host = hostOf(m_url);

    if (!m_failed) {
        if (m_result.httpStatus >= 400) {
            const QString reason = m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
            fail(Failure::HttpStatus, kErrHttpStatus,
                 QStringLiteral("De server %1 antwoordde met foutcode %2%3 op de vraag naar %4.")
                     .arg(host)
                     .arg(m_result.httpStatus)
                     .arg(reason.isEmpty() ? QString() : QStringLiteral(" (") + reason + QStringLiteral(")"))
                     .arg(m_url.path()));
        } else if (error == QNetworkReply::HostNotFoundError) {
            fail(Failure::HostNotFound, kErrHostNotFound, QStringLiteral("De server %1 is niet gevonden.").arg(host));
        } else if (error == QNetworkReply::ConnectionRefusedError || error == QNetworkReply::UnknownServerError) {
            fail(Failure::CannotConnect, kErrCannotConnect,
                 QStringLiteral("Er kan geen verbinding worden gemaakt met de server %1.").arg(host));
        } else if (error >= QNetworkReply::ProxyConnectionRefusedError && error <= QNetworkReply::UnknownProxyError) {
            fail(Failure::Proxy, kErrProxy,
                 QStringLiteral("De proxyserver geeft geen toegang tot %1 (%2). Controleer de proxy-instellingen.")
                     .arg(host, m_reply->errorString()));
        } else if (error == QNetworkReply::TimeoutError) {
            fail(Failure::TimedOut, kErrTimeOut, timeOutText(host, m_options.timeoutMs));
        } else if (error == QNetworkReply::RemoteHostClosedError || error == QNetworkReply::ProtocolFailure) {
            fail(
                Failure::ConnectionClosed, kErrConnectionClosed,
                QStringLiteral("De verbinding met de server %1 werd verbroken voordat alles was ontvangen.").arg(host));
        } else if (error != QNetworkReply::NoError) {
            fail(Failure::Network, kErrNetwork,
                 QStringLiteral("Het verzoek aan de server %1 is mislukt: %2").arg(host, m_reply->errorString()));
        } else {
            // A response shorter than it announced is not complete.
            const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() != m_result.bytes)
                fail(Failure::ConnectionClosed, kErrConnectionClosed,
                     QStringLiteral("De verbinding met de server %1 werd verbroken voordat alles was ontvangen "
                                    "(%2 van %3 bytes).")
                         .arg(host)
                         .arg(m_result.bytes)
                         .arg(length.toLongLong()));
        }
    }
    m_reply->deleteLater();
    m_reply.clear();
    finish();
}

void HttpRequest::finish()
{
    if (!m_running)
        return;
    m_running = false;
    m_timer.stop();
    if (!m_result.ok())
        m_result.body.clear();
    emit finished();
}

} // namespace net
