#include "platform/settings/settings_store.h"

#include "platform/core/error.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace settings {

namespace {

QSettings open(const QString &appName)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(kOrganisation), appName);
}

// The stored spelling of `name` among `names`, or `name` itself when none
// matches without regard to case. An exact match wins.
QString storedName(const QStringList &names, const QString &name)
{
    if (names.contains(name))
        return name;
    for (const QString &n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return name;
}

// Every stored spelling of `name`.
QStringList storedNames(const QStringList &names, const QString &name)
{
    QStringList result;
    for (const QString &n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            result << n;
    return result;
}

QString valueText(const QVariant &value)
{
    // A value written by hand as a list (a,b) comes back as a QStringList.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void commit(QSettings &store, const QString &section, const QString &key)
{
    store.sync();
    if (store.status() == QSettings::NoError)
        return;
    const QString what = key.isEmpty() ? QStringLiteral("De instellingen van sectie %1").arg(section)
                                       : QStringLiteral("De instelling %1 (sectie %2)").arg(key, section);
    throw platform::Error(kWriteError,
                          QStringLiteral("%1 kan niet worden opgeslagen in %2. Controleer of de map "
                                         "beschrijfbaar is.")
                              .arg(what, QDir::toNativeSeparators(store.fileName())),
                          QStringLiteral("SaveSetting"));
}

} // namespace

QString GetSetting(const QString &appName, const QString &section, const QString &key, const QString &defaultValue)
{
    QSettings store = open(appName);
    const QString group = storedName(store.childGroups(), section);
    store.beginGroup(group);
    const QString name = storedName(store.childKeys(), key);
    const QVariant value = store.value(name);
    store.endGroup();
    return value.isValid() ? valueText(value) : defaultValue;
}

void SaveSetting(const QString &appName, const QString &section, const QString &key, const QString &value)
{
    QSettings store = open(appName);
    store.beginGroup(storedName(store.childGroups(), section));
    const QStringList keys = store.childKeys();
    const QString name = storedName(keys, key);
    // Leave no other spelling of the key behind to shadow the new value.
    for (const QString &other : storedNames(keys, key))
        if (other != name)
            store.remove(other);
    store.setValue(name, value);
    store.endGroup();
    commit(store, section, key);
}

void DeleteSetting(const QString &appName, const QString &section, const QString &key)
{
    QSettings store = open(appName);
    const QStringList groups = storedNames(store.childGroups(), section);
    if (groups.isEmpty())
        return;
    for (const QString &group : groups) {
        if (key.isEmpty()) {
            store.remove(group);
            continue;
        }
        store.beginGroup(group);
        for (const QString &name : storedNames(store.childKeys(), key))
            store.remove(name);
        store.endGroup();
    }
    commit(store, section, key);
}

QString settingsFile(const QString &appName)
{
    return open(appName).fileName();
}

} // namespace settings
