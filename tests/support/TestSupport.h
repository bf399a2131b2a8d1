#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <stdexcept>

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The whole file, or a null array when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Score lines 10, 20, ... in the written form, `count` of them.
inline QByteArray tensFile(int count)
{
    QByteArray bytes;
    for (int k = 1; k <= count; ++k)
        bytes += ' ' + QByteArray::number(10 * k) + " \r\n";
    return bytes;
}

// Task-file lines as the program ships them: Windows-1252 (Latin-1 covers the German letters)
// with CR LF.
inline QByteArray taskFileBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// Bytes in memory whose reading fails after the first `readable` of them, as a disk that gives
// out does. Opened unbuffered, so that the failure reaches the reader where it happens.
class FailingDevice : public QBuffer
{
public:
    FailingDevice(const QByteArray& bytes, qint64 readable)
        : m_bytes(bytes)
        , m_readable(readable)
    {
        setBuffer(&m_bytes);
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (pos() >= m_readable) {
            setErrorString(QStringLiteral("Eingabe-/Ausgabefehler"));
            return -1;
        }
        return QBuffer::readData(data, std::min(maxSize, m_readable - pos()));
    }

private:
    QByteArray m_bytes;
    qint64 m_readable;
};

// The control of that object name below `root`. A missing one fails the test (Qt Test reports
// the exception) instead of crashing it.
template<class T = QWidget> T* control(const QObject* root, const QString& name)
{
    T* found = root ? root->findChild<T*>(name) : nullptr;
    if (!found)
        throw std::runtime_error("no control named " + name.toStdString());
    return found;
}

// A timer's tick, as the event loop would deliver it, without waiting.
inline void fire(QTimer* timer)
{
    QMetaObject::invokeMethod(timer, "timeout");
}
