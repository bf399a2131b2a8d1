#pragma once

#include <QDir>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

// A save file whose disk takes `capacity` bytes and then refuses more, as a full disk or a
// pulled stick does.
class FailingSaveFile final : public QSaveFile
{
public:
    FailingSaveFile(const QString& name, qint64 capacity)
        : QSaveFile(name)
        , m_capacity(capacity)
    { }

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 room = std::min(length, m_capacity - m_written);
        if (room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 written = QSaveFile::writeData(data, room);
        m_written += std::max<qint64>(written, 0);
        return written;
    }

private:
    qint64 m_capacity;
    qint64 m_written = 0;
};

// The folder is read-only while this lives, for this thread's file accesses, root included:
// root ignores mode bits, so the thread then acts on files as user "nobody".
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& folder)
        : m_folder(QFile::encodeName(folder))
    {
        ::chmod(m_folder.constData(), 0555);
        if (::geteuid() == 0)
            ::setfsuid(Nobody);
    }
    ~ReadOnlyFolder()
    {
        if (::geteuid() == 0)
            ::setfsuid(0);
        ::chmod(m_folder.constData(), 0700);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    static constexpr uid_t Nobody = 65534;
    QByteArray m_folder;
};
