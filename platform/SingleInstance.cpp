#include "platform/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {
// A copy that holds the lock may still be starting; it listens within this time.
constexpr int ConnectMilliseconds = 5000;
} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent)
{
    const QDir dir(folder.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
            : folder);
    m_lockPath = dir.filePath(QStringLiteral("tambolino.lock"));
    m_socketPath = dir.filePath(QStringLiteral("tambolino.socket"));
}

SingleInstance::~SingleInstance()
{
#ifdef Q_OS_UNIX
    if (m_lock >= 0)
        ::close(m_lock);
#endif
}

bool SingleInstance::claim()
{
    if (!takeLock()) {
        askRunningCopy();
        return false;
    }
    // A socket file left by a killed copy would stop listen().
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromServer();
        }
        Q_EMIT activationRequested();
    });
    // Without the socket this copy still runs; later copies then wait and end.
    if (!m_server->listen(m_socketPath))
        qWarning("%s", qUtf8Printable(m_server->errorString()));
    return true;
}

bool SingleInstance::takeLock()
{
#ifdef Q_OS_UNIX
    // Held by the open file, so the system drops it with the process, however that ends.
    m_lock = ::open(QFile::encodeName(m_lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lock < 0)
        return true; // nothing to tell by: this copy runs
    if (::flock(m_lock, LOCK_EX | LOCK_NB) == 0)
        return true;
    const bool held = errno == EWOULDBLOCK;
    ::close(m_lock);
    m_lock = -1;
    return !held;
#else
    return true;
#endif
}

void SingleInstance::askRunningCopy() const
{
    QElapsedTimer waited;
    waited.start();
    QLocalSocket socket;
    while (waited.elapsed() < ConnectMilliseconds) {
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(500)) {
            socket.write("\n");
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return;
        }
        QThread::msleep(100);
    }
}
