#include "platform/shell/SingleInstanceGuard.h"

#include "platform/fs/DriveMap.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <unistd.h>

namespace shell
{

namespace
{

constexpr int kConnectWaitMs = 2000;
constexpr int kLockWaitMs = 10000;
const QByteArray kActivate = QByteArrayLiteral("activate\n");
const QByteArray kAcknowledge = QByteArrayLiteral("ok\n");

// The socket lives in a folder private to the user, so that other users can
// neither reach it nor take its name first: the session's runtime folder, or a
// folder of our own in the temporary folder.
QString SocketFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) {
        return runtime;
    }
    const QString own =
        QDir::tempPath() + QStringLiteral("/mervasklab-") + QString::number(::getuid());
    if (QDir().mkdir(own)) {
        QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QFileInfo info(own);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const bool isPrivate = info.isDir() && !info.isSymLink() && info.ownerId() == ::getuid() &&
                           (info.permissions() & others) == 0;
    return isPrivate ? own : QDir::tempPath();
}

QString ServerNameFor(const QString &key)
{
    const QByteArray digest =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return SocketFolder() + QStringLiteral("/mervasklab-") + QString::fromLatin1(digest);
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(QObject *parent)
    : SingleInstanceGuard(DefaultKey(), parent)
{
}

SingleInstanceGuard::SingleInstanceGuard(const QString &key, QObject *parent)
    : QObject(parent), serverName_(ServerNameFor(key))
{
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    if (server_) {
        server_->close();
    }
}

QString SingleInstanceGuard::DefaultKey()
{
    // Two spellings of one drives folder (through a link) are one installation.
    const QString folder = fs::DriveMap::DrivesFolder();
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return QString::number(::getuid()) + u'\n' + (canonical.isEmpty() ? folder : canonical);
}

bool SingleInstanceGuard::TryToRun()
{
    if (server_) {
        return true;
    }
    // Two copies started at once must not both decide that they are the first.
    QLockFile lock(serverName_ + QStringLiteral(".lock"));
    lock.tryLock(kLockWaitMs);
    if (SignalRunningCopy()) {
        return false;
    }
    Listen();
    return true;
}

bool SingleInstanceGuard::SignalRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kConnectWaitMs)) {
        return false;
    }
    socket.write(kActivate);
    socket.waitForBytesWritten(kConnectWaitMs);
    socket.waitForReadyRead(kConnectWaitMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstanceGuard::Listen()
{
    // Nobody answered, so a socket file left by a killed copy is stale.
    QLocalServer::removeServer(serverName_);
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName_)) {
        delete server;
        return false;
    }
    server_ = server;
    connect(server_, &QLocalServer::newConnection, this, &SingleInstanceGuard::OnNewConnection);
    return true;
}

void SingleInstanceGuard::OnNewConnection()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        ReadRequest(socket);
    }
}

void SingleInstanceGuard::ReadRequest(QLocalSocket *socket)
{
    if (socket->canReadLine() && socket->readLine() == kActivate) {
        socket->write(kAcknowledge);
        emit activationRequested();
    }
}

} // namespace shell
