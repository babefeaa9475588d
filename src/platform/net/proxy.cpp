#include "platform/net/proxy.h"

namespace net {

AccessType accessTypeOf(quint8 value)
{
    switch (value) {
    case 1:
        return AccessType::Direct;
    case 2:
        return AccessType::Proxy;
    default:
        return AccessType::System;
    }
}

bool isUsable(const ProxySetting &setting, QString *why)
{
    if (accessTypeOf(setting.accessType) != AccessType::Proxy)
        return true;
    QString reason;
    if (setting.host.trimmed().isEmpty())
        reason = QStringLiteral("Er is geen naam van de HTTP proxy ingesteld.");
    else if (setting.port < 1 || setting.port > 65535)
        reason = QStringLiteral("Het poortnummer van de HTTP proxy (%1) is ongeldig.").arg(setting.port);
    if (why)
        *why = reason;
    return reason.isEmpty();
}

QList<QNetworkProxy> proxiesFor(const ProxySetting &setting, const QUrl &url)
{
    switch (accessTypeOf(setting.accessType)) {
    case AccessType::Direct:
        return {QNetworkProxy(QNetworkProxy::NoProxy)};
    case AccessType::Proxy:
        if (!isUsable(setting))
            return {QNetworkProxy(QNetworkProxy::NoProxy)}; // the request refuses before it gets here
        return {QNetworkProxy(QNetworkProxy::HttpProxy, setting.host.trimmed(), quint16(setting.port))};
    case AccessType::System:
        break;
    }
    QList<QNetworkProxy> system = QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
    if (system.isEmpty())
        system << QNetworkProxy(QNetworkProxy::NoProxy);
    return system;
}

QList<QNetworkProxy> ProxyFactory::queryProxy(const QNetworkProxyQuery &query)
{
    return proxiesFor(m_setting, query.url());
}

} // namespace net
