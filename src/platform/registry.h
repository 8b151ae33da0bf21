#pragma once
// Per-user (and system-wide) string settings addressed like registry keys,
// e.g. "SOFTWARE\\Velmondra inc.\\Morrowburn\\Settings".
#include <QString>
#include <optional>

class Registry {
public:
    enum Root { CurrentUser, LocalMachine };
    virtual ~Registry() = default;
    // Create-or-open; true when the key exists afterwards.
    virtual bool createKey(Root root, const QString& key) = 0;
    // The stored string, or nothing when the value is missing.
    virtual std::optional<QString> readValue(Root root, const QString& key, const QString& name) = 0;
    virtual bool writeValue(Root root, const QString& key, const QString& name, const QString& value) = 0;
};

// The program's own key and its two subkeys.
inline const QString kProgramKey = QStringLiteral("SOFTWARE\\Velmondra inc.\\Morrowburn");
inline const QString kSettingsKey = QStringLiteral("SOFTWARE\\Velmondra inc.\\Morrowburn\\Settings");
inline const QString kHistoryKey = QStringLiteral("SOFTWARE\\Velmondra inc.\\Morrowburn\\History");
