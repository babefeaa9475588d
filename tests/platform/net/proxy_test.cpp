// The proxy choice that reaches a request: the proxies tried for an
// address under each access type, and the settings that cannot be used.

#include "support/qstring_printer.h"

#include "platform/net/proxy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

using net::ProxySetting;

// Sets an environment variable for the lifetime of the guard.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const char *value) : m_name(name)
    {
        if (const char *old = std::getenv(name))
            m_old = std::string(old);
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char *m_name;
    std::optional<std::string> m_old;
};

QString describe(const QList<QNetworkProxy> &proxies)
{
    QStringList parts;
    for (const QNetworkProxy &p : proxies)
        parts << (p.type() == QNetworkProxy::NoProxy ? QStringLiteral("direct")
                                                     : QStringLiteral("%1:%2").arg(p.hostName()).arg(p.port()));
    return parts.join(QLatin1Char(','));
}

const QUrl kUrl(QStringLiteral("http://updates.example.org/tavir/program/updates/updateinfo_prog.txt"));

} // namespace

TEST(Proxy, EachAccessTypeGivesItsProxies)
{
    ScopedEnv env("http_proxy", "http://envproxy.example.org:3128");
    ScopedEnv noProxy("no_proxy", nullptr);
    struct Case {
        quint8 type;
        const char *host;
        int port;
        const char *expected;
    } cases[] = {
        {1, "proxy.example.org", 8080, "direct"},                    // direct ignores name, port and environment
        {2, "proxy.example.org", 8080, "proxy.example.org:8080"},    // the named proxy
        {2, " proxy.example.org ", 8080, "proxy.example.org:8080"},  // blanks around the name go
        {0, "proxy.example.org", 8080, "envproxy.example.org:3128"}, // the system's: the environment
        {7, "", 0, "envproxy.example.org:3128"},                     // an unknown type counts as the system's
    };
    for (const Case &c : cases) {
        const ProxySetting s{c.type, QString::fromLatin1(c.host), c.port};
        const QList<QNetworkProxy> proxies = net::proxiesFor(s, kUrl);
        // The system may add a direct connection to fall back on; the first
        // proxy is the one asked for.
        ASSERT_FALSE(proxies.isEmpty());
        EXPECT_EQ(describe({proxies.first()}), QLatin1String(c.expected)) << int(c.type) << " " << c.host;
        if (c.type == 1 || c.type == 2) {
            EXPECT_EQ(proxies.size(), 1);
        }
    }
}

TEST(Proxy, SystemSettingWithoutAProxyGoesDirect)
{
    ScopedEnv env("http_proxy", nullptr);
    ScopedEnv envUpper("HTTP_PROXY", nullptr);
    ScopedEnv all("all_proxy", nullptr);
    EXPECT_EQ(describe(net::proxiesFor(ProxySetting{0, QString(), 0}, kUrl)), QStringLiteral("direct"));
}

TEST(Proxy, NamedProxyNeedsANameAndAPort)
{
    struct Case {
        const char *host;
        int port;
        bool usable;
    } cases[] = {
        {"proxy", 8080, true}, {"proxy", 1, true},  {"proxy", 65535, true}, {"", 8080, false},
        {"  ", 8080, false},   {"proxy", 0, false}, {"proxy", -1, false},   {"proxy", 65536, false},
    };
    for (const Case &c : cases) {
        QString why;
        EXPECT_EQ(net::isUsable(ProxySetting{2, QString::fromLatin1(c.host), c.port}, &why), c.usable)
            << c.host << ":" << c.port;
        EXPECT_EQ(why.isEmpty(), c.usable) << why.toStdString();
    }
    // The other types use neither field.
    EXPECT_TRUE(net::isUsable(ProxySetting{0, QString(), 0}));
    EXPECT_TRUE(net::isUsable(ProxySetting{1, QString(), -5}));
}
