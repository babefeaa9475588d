#include "connection.h"

#include "catalog.h"
#include "physical_database.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

#include <utility>

namespace db {

using platform::Error;

namespace {

// Items "key=value" separated by ";"; a value may be quoted with " or '
// (a doubled quote inside stands for one).
QList<std::pair<QString, QString>> itemsOf(const QString &cs)
{
    QList<std::pair<QString, QString>> items;
    int i = 0;
    const int n = cs.size();
    while (i < n) {
        const int eq = cs.indexOf(QLatin1Char('='), i);
        const int semi = cs.indexOf(QLatin1Char(';'), i);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            if (semi < 0)
                break;
            i = semi + 1; // an item without "=" is skipped
            continue;
        }
        const QString key = cs.mid(i, eq - i).trimmed();
        int j = eq + 1;
        while (j < n && cs.at(j).isSpace())
            ++j;
        QString value;
        if (j < n && (cs.at(j) == QLatin1Char('"') || cs.at(j) == QLatin1Char('\''))) {
            const QChar q = cs.at(j++);
            while (j < n) {
                if (cs.at(j) == q) {
                    if (j + 1 < n && cs.at(j + 1) == q) {
                        value += q;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += cs.at(j++);
            }
            const int next = cs.indexOf(QLatin1Char(';'), j);
            i = next < 0 ? n : next + 1;
        } else {
            const int next = cs.indexOf(QLatin1Char(';'), j);
            value = cs.mid(j, (next < 0 ? n : next) - j).trimmed();
            i = next < 0 ? n : next + 1;
        }
        items.append({key, value});
    }
    return items;
}

QString itemValue(const QString &cs, QLatin1String key, bool *found = nullptr)
{
    for (const auto &[k, v] : itemsOf(cs)) {
        if (k.compare(key, Qt::CaseInsensitive) == 0) {
            if (found)
                *found = true;
            return v;
        }
    }
    if (found)
        *found = false;
    return QString();
}

} // namespace

QString dataSourceOf(const QString &connectionString)
{
    bool found = false;
    const QString value = itemValue(connectionString, QLatin1String("Data Source"), &found);
    return found ? value : connectionString.trimmed();
}

QString connectionValue(const QString &value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('"'))
                       && !value.contains(QLatin1Char('\'')) && value == value.trimmed();
    if (plain)
        return value;
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

bool readOnlyModeOf(const QString &connectionString)
{
    const QString mode = itemValue(connectionString, QLatin1String("Mode")).trimmed();
    return mode.compare(QLatin1String("Read"), Qt::CaseInsensitive) == 0 || mode == QLatin1String("1");
}

Connection::Connection() = default;

Connection::~Connection()
{
    try {
        Close();
    } catch (...) {
    }
}

Connection::Connection(Connection &&other) noexcept
    : m_db(std::move(other.m_db)), m_readOnly(other.m_readOnly), m_ownLevels(std::exchange(other.m_ownLevels, 0))
{
}

Connection &Connection::operator=(Connection &&other) noexcept
{
    if (this != &other) {
        try {
            Close();
        } catch (...) {
        }
        m_db = std::move(other.m_db);
        m_readOnly = other.m_readOnly;
        m_ownLevels = std::exchange(other.m_ownLevels, 0);
    }
    return *this;
}

void Connection::Open(const QString &connectionString)
{
    Close();
    m_db = PhysicalDatabase::acquire(dataSourceOf(connectionString));
    m_readOnly = readOnlyModeOf(connectionString);
    m_ownLevels = 0;
}

void Connection::Open(const QString &connectionString, const QStringList &requiredTables)
{
    Open(connectionString);
    try {
        Catalog(*this).requireTables(requiredTables);
    } catch (...) {
        Close();
        throw;
    }
}

void Connection::Close()
{
    if (!m_db)
        return;
    // Levels this connection began and left open are rolled back, as Jet
    // does when a connection closes inside a transaction.
    while (m_ownLevels > 0 && m_db->transactionDepth() > 0) {
        --m_ownLevels;
        m_db->rollbackTransaction();
    }
    m_ownLevels = 0;
    m_db.reset();
}

void Connection::requireOpen(const char *what) const
{
    if (!m_db)
        throw Error(err::kObjectClosed, QStringLiteral("De verbinding is gesloten (%1).").arg(QLatin1String(what)));
}

qint64 Connection::Execute(const QString &sql, const QVariantList &params)
{
    requireOpen("Execute");
    return m_db->execute(sql, params, !m_readOnly, true);
}

int Connection::BeginTrans()
{
    requireOpen("BeginTrans");
    const int level = m_db->beginTransaction();
    ++m_ownLevels;
    return level;
}

void Connection::CommitTrans()
{
    requireOpen("CommitTrans");
    m_db->commitTransaction();
    if (m_ownLevels > 0)
        --m_ownLevels;
}

void Connection::RollbackTrans()
{
    requireOpen("RollbackTrans");
    m_db->rollbackTransaction();
    if (m_ownLevels > 0)
        --m_ownLevels;
}

QString Connection::filePath() const
{
    return m_db ? m_db->path() : QString();
}

bool Connection::isReadOnly() const
{
    return m_readOnly || (m_db && m_db->isReadOnly());
}

std::shared_ptr<PhysicalDatabase> Connection::physical() const
{
    requireOpen("physical");
    return m_db;
}

} // namespace db
