#pragma once
// In-memory registry. Key and value names match without regard to case; every write and
// key creation is recorded.
#include "platform/registry.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

class FakeRegistry : public Registry {
public:
    struct Write {
        Root root;
        QString key;
        QString name;
        QString value;
        bool operator==(const Write& o) const
        {
            return root == o.root && key == o.key && name == o.name && value == o.value;
        }
    };

    bool createKey(Root root, const QString& key) override;
    std::optional<QString> readValue(Root root, const QString& key, const QString& name) override;
    bool writeValue(Root root, const QString& key, const QString& name, const QString& value) override;

    // Set-up and look-up for tests; they are not recorded as writes.
    void set(Root root, const QString& key, const QString& name, const QString& value);
    void set(const QString& key, const QString& name, const QString& value) { set(CurrentUser, key, name, value); }
    void remove(Root root, const QString& key, const QString& name);
    std::optional<QString> get(Root root, const QString& key, const QString& name) const;
    std::optional<QString> get(const QString& key, const QString& name) const { return get(CurrentUser, key, name); }
    bool hasKey(Root root, const QString& key) const;
    int valueCount() const { return static_cast<int>(values_.size()); }
    void clear();

    // Failures: every call then fails (reads give nothing) while set.
    void setFailing(bool failing) { failing_ = failing; }

    QList<Write> writes;
    QList<QString> createdKeys;   // as passed to createKey, in order
    int readCount = 0;

private:
    static QString keyId(Root root, const QString& key);
    static QString valueId(Root root, const QString& key, const QString& name);

    QMap<QString, QString> values_;
    QSet<QString> keys_;
    bool failing_ = false;
};
