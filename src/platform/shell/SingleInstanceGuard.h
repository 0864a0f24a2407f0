#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace shell
{

// Keeps one copy of the program per user and drives folder. The first copy
// listens on a local socket; a later copy signals it and learns that it must end,
// while the first copy emits activationRequested() (its main window then
// un-minimises, raises and activates itself). A socket left behind by a killed
// copy is detected and replaced.
class SingleInstanceGuard : public QObject
{
    Q_OBJECT

public:
    // The key is derived from the user and the drive map's drives folder.
    explicit SingleInstanceGuard(QObject *parent = nullptr);
    SingleInstanceGuard(const QString &key, QObject *parent = nullptr);
    ~SingleInstanceGuard() override;

    // True when this is the first copy (now listening); false when another copy
    // runs and has been asked to come to the front: this copy must end.
    bool TryToRun();
    bool IsPrimary() const { return server_ != nullptr; }

    // The local socket's full path (for diagnostics and tests).
    QString ServerName() const { return serverName_; }

    static QString DefaultKey();

signals:
    void activationRequested();

private:
    bool SignalRunningCopy();
    bool Listen();
    void OnNewConnection();
    void ReadRequest(QLocalSocket *socket);

    QString serverName_;
    QLocalServer *server_ = nullptr;
};

} // namespace shell
