#pragma once
// Registry keys and string values kept in QSettings files. The program's own key
// "SOFTWARE\Velmondra inc.\Morrowburn" is the per-user file of organisation
// "Velmondra inc." and application "Morrowburn"; its subkeys "Settings" and "History" are
// groups there. Any other current-user key is a group path in the same file
// ("SOFTWARE\A\B" -> "SOFTWARE/A/B"); local-machine keys live in the system-wide file.
// Key and value names match without regard to case, as registry names do.
// The per-user file holds the administrator password: it is created readable and
// writable by its owner only, and put back to that after every write.
#include "platform/registry.h"

#include <QStringList>
#include <memory>

class QSettings;

class QtRegistry : public Registry {
public:
    // The standard per-user and system-wide files.
    QtRegistry();
    // Explicit files (tests, portable set-ups); an empty systemFile means no
    // local-machine values.
    QtRegistry(const QString& userFile, const QString& systemFile);
    ~QtRegistry() override;

    bool createKey(Root root, const QString& key) override;
    std::optional<QString> readValue(Root root, const QString& key, const QString& name) override;
    bool writeValue(Root root, const QString& key, const QString& name, const QString& value) override;

    QString fileName(Root root) const;

    // The QSettings group of a key, e.g. kSettingsKey -> "Settings"; "" for the program
    // key itself. Nothing when the key cannot be stored (an empty part in it).
    static std::optional<QStringList> groupPath(const QString& key);

private:
    std::unique_ptr<QSettings> open(Root root) const;
    bool secureUserFile() const;

    QString userFile_;
    QString systemFile_;
    bool standardFiles_ = true;
};
