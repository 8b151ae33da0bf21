#include "fake_registry.h"

#include <QStringList>

QString FakeRegistry::keyId(Root root, const QString& key)
{
    QString k = key.toLower();
    while (k.startsWith(QLatin1Char('\\')))
        k.remove(0, 1);
    while (k.endsWith(QLatin1Char('\\')))
        k.chop(1);
    return (root == LocalMachine ? QStringLiteral("HKLM\\") : QStringLiteral("HKCU\\")) + k;
}

QString FakeRegistry::valueId(Root root, const QString& key, const QString& name)
{
    return keyId(root, key) + QLatin1Char('|') + name.toLower();
}

bool FakeRegistry::createKey(Root root, const QString& key)
{
    createdKeys << key;
    if (failing_)
        return false;
    // Creating a key creates every key above it.
    const QString id = keyId(root, key);
    const QStringList parts = id.split(QLatin1Char('\\'));
    for (int i = 2; i <= parts.size(); ++i)
        keys_.insert(parts.mid(0, i).join(QLatin1Char('\\')));
    return true;
}

std::optional<QString> FakeRegistry::readValue(Root root, const QString& key, const QString& name)
{
    ++readCount;
    if (failing_)
        return std::nullopt;
    return get(root, key, name);
}

bool FakeRegistry::writeValue(Root root, const QString& key, const QString& name, const QString& value)
{
    writes << Write{root, key, name, value};
    if (failing_)
        return false;
    set(root, key, name, value);
    return true;
}

void FakeRegistry::set(Root root, const QString& key, const QString& name, const QString& value)
{
    keys_.insert(keyId(root, key));
    values_[valueId(root, key, name)] = value;
}

void FakeRegistry::remove(Root root, const QString& key, const QString& name)
{
    values_.remove(valueId(root, key, name));
}

std::optional<QString> FakeRegistry::get(Root root, const QString& key, const QString& name) const
{
    const auto it = values_.find(valueId(root, key, name));
    if (it == values_.end())
        return std::nullopt;
    return it.value();
}

bool FakeRegistry::hasKey(Root root, const QString& key) const { return keys_.contains(keyId(root, key)); }

void FakeRegistry::clear()
{
    values_.clear();
    keys_.clear();
    writes.clear();
    createdKeys.clear();
    readCount = 0;
}
