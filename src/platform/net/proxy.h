#pragma once
// The program's proxy choice for HTTP requests: the system's own settings,
// a direct connection, or a named HTTP proxy with its port.

#include <QList>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QString>
#include <QUrl>

namespace net {

enum class AccessType : quint8 {
    System = 0, // the system's settings (on Linux the http_proxy, https_proxy and no_proxy variables)
    Direct = 1, // no proxy
    Proxy = 2,  // the named proxy
};

struct ProxySetting {
    quint8 accessType = 0; // an AccessType; any other value counts as System
    QString host;          // the proxy's host name (Proxy only)
    int port = 0;          // the proxy's port (Proxy only)
};

// The access type of a stored value; anything outside 0..2 is System.
AccessType accessTypeOf(quint8 value);

// True when the setting can be used: a named proxy needs a host and a port
// from 1 to 65535. `why` gets a Dutch explanation otherwise.
bool isUsable(const ProxySetting &setting, QString *why = nullptr);

// The proxies a request to `url` tries, in order, under `setting`.
QList<QNetworkProxy> proxiesFor(const ProxySetting &setting, const QUrl &url);

// Hands proxiesFor() to a QNetworkAccessManager.
class ProxyFactory : public QNetworkProxyFactory {
public:
    explicit ProxyFactory(const ProxySetting &setting) : m_setting(setting) {}
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override;

private:
    ProxySetting m_setting;
};

} // namespace net
