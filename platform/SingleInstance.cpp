#include "platform/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

// Plain system calls rather than QLocalServer: Qt's network module and the libraries it pulls
// in cost more start-up time than the rest of the program.

namespace {
// A copy that holds the lock may still be starting; it listens within this time.
constexpr int ConnectMilliseconds = 5000;

#ifdef Q_OS_UNIX
// False when the path does not fit into a socket address.
bool socketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), name.size());
    return true;
}
#endif
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
    if (m_listener >= 0) {
        ::close(m_listener);
        ::unlink(QFile::encodeName(m_socketPath).constData());
    }
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
    listen();
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

void SingleInstance::listen()
{
#ifdef Q_OS_UNIX
    // Without the socket this copy still runs; later copies then wait and end.
    const auto fail = [this](const char* step) {
        qWarning("%s %s: %s", step, qUtf8Printable(m_socketPath), std::strerror(errno));
        if (m_listener >= 0)
            ::close(m_listener);
        m_listener = -1;
    };
    sockaddr_un address;
    if (!socketAddress(m_socketPath, address)) {
        errno = ENAMETOOLONG;
        return fail("listen");
    }
    // Only the holder of the lock gets here: a socket file left by a killed copy is stale.
    ::unlink(address.sun_path);
    m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_listener < 0)
        return fail("socket");
    if (::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return fail("bind");
    ::chmod(address.sun_path, 0600);
    if (::listen(m_listener, 8) != 0)
        return fail("listen");
    auto* notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        int client = -1;
        while ((client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0)
            ::close(client);
        Q_EMIT activationRequested();
    });
#endif
}

void SingleInstance::askRunningCopy() const
{
#ifdef Q_OS_UNIX
    sockaddr_un address;
    if (!socketAddress(m_socketPath, address))
        return;
    // The connection itself is the request.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ConnectMilliseconds) {
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (socket < 0)
            return;
        const bool connected
            = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::close(socket);
        if (connected)
            return;
        QThread::msleep(100);
    }
#endif
}
