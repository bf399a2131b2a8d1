#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// While it lives, writing fails as on a nearly full disk: no file of this process grows past
// `capacity` bytes, the write that crosses the limit is cut short and the next one fails. With a
// negative capacity the folder is read-only instead, for root too: files are then accessed as
// user "nobody", since root ignores mode bits.
class FailingDisk
{
public:
    FailingDisk(const QString& folder, int capacity)
        : m_folder(QFile::encodeName(folder))
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        const rlimit limit { capacity < 0 ? m_previous.rlim_cur : rlim_t(capacity),
            m_previous.rlim_max };
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        ::chmod(m_folder.constData(), capacity < 0 ? 0555 : 0700);
        ::setfsuid(capacity < 0 && ::geteuid() == 0 ? 65534 : ::geteuid());
    }
    ~FailingDisk()
    {
        ::setfsuid(::geteuid());
        ::chmod(m_folder.constData(), 0700);
        setrlimit(RLIMIT_FSIZE, &m_previous);
    }
    FailingDisk(const FailingDisk&) = delete;
    FailingDisk& operator=(const FailingDisk&) = delete;

private:
    QByteArray m_folder;
    rlimit m_previous {};
};
