#pragma once
// One running copy per user. A lock file decides which copy is first (a lock left by a copy
// that died counts as free, and so does a lock file that is empty or unreadable when no
// copy answers); the first copy then listens on a local socket, where a later copy sends
// its request to come forward.
#include "platform/single_instance.h"

#include <memory>

class QLocalServer;
class QLockFile;

class QtSingleInstance : public SingleInstance {
public:
    // Lock file and socket in the user's runtime folder, both named after the
    // application title and the user.
    explicit QtSingleInstance(const QString& appTitle = QStringLiteral("Morrowbyte"));
    // Explicit names (tests): a lock-file path and a local-socket name or path.
    QtSingleInstance(const QString& lockFile, const QString& serverName);
    ~QtSingleInstance() override;

    bool tryBecomeFirst() override;
    bool activateRunningCopy() override;
    // Set before or after tryBecomeFirst(); a request that came in before a handler was
    // set is delivered when one is.
    void setActivationHandler(std::function<void()> handler) override;

    QString lockFileName() const { return lockFile_; }
    QString serverName() const { return serverName_; }

private:
    void requestArrived();
    bool takeOverUnheldLock();
    bool runningCopyAnswers() const;

    QString lockFile_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> handler_;
    bool pending_ = false;
};
