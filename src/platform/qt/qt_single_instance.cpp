#include "platform/qt/qt_single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>

#include <unistd.h>

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate\n");
constexpr int kTimeoutMs = 2000;

QString userName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty())
        user = QString::number(::getuid());
    return user;
}

QString runtimeFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

} // namespace

QtSingleInstance::QtSingleInstance(const QString& appTitle)
{
    const QString base = runtimeFolder() + QLatin1Char('/') + appTitle + QLatin1Char('-') + userName();
    lockFile_ = base + QStringLiteral(".lock");
    serverName_ = base + QStringLiteral(".socket");
}

QtSingleInstance::QtSingleInstance(const QString& lockFile, const QString& serverName)
    : lockFile_(lockFile), serverName_(serverName)
{
}

QtSingleInstance::~QtSingleInstance()
{
    if (server_)
        server_->close();
    server_.reset();
    if (lock_)
        lock_->unlock();
}

bool QtSingleInstance::tryBecomeFirst()
{
    if (server_ && server_->isListening())
        return true;
    if (!lock_) {
        lock_ = std::make_unique<QLockFile>(lockFile_);
        // Only a dead owner frees the lock, never the lock's age.
        lock_->setStaleLockTime(0);
    }
    if (!lock_->isLocked() && !lock_->tryLock(0) && !takeOverUnheldLock())
        return false;
    // Holding the lock, any socket left under the name belongs to a dead copy.
    QLocalServer::removeServer(serverName_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer* server = server_.get();
    QObject::connect(server, &QLocalServer::newConnection, server, [this, server] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                // A request is one short line; anything else is ignored.
                if (socket->bytesAvailable() > 256) {
                    socket->abort();
                    return;
                }
                if (!socket->canReadLine())
                    return;
                const QByteArray line = socket->readLine();
                socket->disconnectFromServer();
                if (line == kActivate)
                    requestArrived();
            });
        }
    });
    // Not listening is no reason to run a second copy: this copy is still the first,
    // it just cannot be called forward.
    server_->listen(serverName_);
    return true;
}

bool QtSingleInstance::takeOverUnheldLock()
{
    // QLockFile judges a lock by the process it names. A lock file cut short or filled with
    // something else (a crash while it was written, a full disk) names no process, and
    // QLockFile keeps it for ever. Such a lock is only left behind when no copy answers on
    // the socket; removing it also needs the file lock that a live owner keeps on it from
    // the moment it creates the file, so a copy that is still starting keeps its lock.
    if (lock_->error() != QLockFile::LockFailedError || runningCopyAnswers())
        return false;
    return lock_->removeStaleLockFile() && lock_->tryLock(0);
}

bool QtSingleInstance::runningCopyAnswers() const
{
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    const bool answers = socket.waitForConnected(kTimeoutMs);
    socket.abort();
    return answers;
}

bool QtSingleInstance::activateRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    socket.write(kActivate);
    bool sent = true;
    while (sent && socket.bytesToWrite() > 0)
        sent = socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kTimeoutMs);
    return sent;
}

void QtSingleInstance::setActivationHandler(std::function<void()> handler)
{
    handler_ = std::move(handler);
    if (handler_ && pending_) {
        pending_ = false;
        handler_();
    }
}

void QtSingleInstance::requestArrived()
{
    if (handler_)
        handler_();
    else
        pending_ = true;
}
