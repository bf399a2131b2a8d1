#include "platform/SettingsStore.h"

#include "platform/SetAside.h"
#include "platform/WholeFile.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <optional>

namespace {
// A real store has a few hundred bytes; a larger file is not even parsed.
constexpr qint64 MaxStoreBytes = 1024 * 1024;

struct Stored
{
    bool readable = true; // a missing file reads as an empty store
    QByteArray bytes;
};

// Refuses anything but a regular file before opening it: a named pipe would block.
Stored read(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return {};
    QFile file(fileName);
    if (!info.isFile() || info.size() > MaxStoreBytes || !file.open(QIODevice::ReadOnly))
        return { false, {} };
    QByteArray bytes = file.read(MaxStoreBytes + 1);
    if (bytes.size() > MaxStoreBytes || file.error() != QFileDevice::NoError)
        return { false, {} };
    return { true, bytes };
}

// Hands every "key=value" line to `take(section, key, value)` in the order of the file; keys
// before the first section belong to the section "". False when a line was not understood.
template<class Take> bool parse(QByteArrayView bytes, Take take)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    bool whole = true;
    // None after a broken section line: its keys belong to no known section.
    std::optional<QString> section = QString();
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QByteArrayView line = bytes.sliced(start, end - start).trimmed();
        start = end + (bytes.sliced(end).startsWith("\r\n") ? 2 : 1);
        // Comments may be in any encoding: they are never read.
        if (line.isEmpty() || line.front() == ';' || line.front() == '#')
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(line);
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (utf8.hasError() || text.contains(QChar(0))) {
            whole = false;
            if (line.front() == '[')
                section.reset();
        } else if (text.startsWith(QLatin1Char('['))) {
            const bool closed = text.endsWith(QLatin1Char(']'));
            whole = whole && closed;
            section
                = closed ? std::optional(text.sliced(1, text.size() - 2).trimmed()) : std::nullopt;
        } else if (equals > 0) {
            if (section)
                take(*section, text.first(equals).trimmed(), text.sliced(equals + 1).trimmed());
        } else {
            whole = false;
        }
    }
    return whole;
}

using Contents = QMap<QString, QMap<QString, QString>>; // section -> key -> value

QByteArray format(const Contents& contents)
{
    QByteArray bytes;
    for (auto section = contents.cbegin(); section != contents.cend(); ++section) {
        if (!bytes.isEmpty())
            bytes += '\n';
        if (!section.key().isEmpty())
            bytes += '[' + section.key().toUtf8() + "]\n";
        for (auto value = section->cbegin(); value != section->cend(); ++value)
            bytes += value.key().toUtf8() + '=' + value->toUtf8() + '\n';
    }
    return bytes;
}

} // namespace

namespace {
const QString StoreName = QStringLiteral("/Tambolino/Tambolino.conf");

QStringList systemStores()
{
    QStringList files;
    const QStringList folders
        = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    for (qsizetype i = 1; i < folders.size(); ++i)
        files.append(folders[i] + StoreName);
    return files;
}
} // namespace

QtSettingsStore::QtSettingsStore()
    : QtSettingsStore(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + StoreName,
        systemStores())
{ }

QtSettingsStore::QtSettingsStore(const QString& fileName, const QStringList& systemFiles)
    : m_fileName(fileName)
    , m_systemFiles(systemFiles)
{ }

QHash<QString, QString> QtSettingsStore::values(const QString& section) const
{
    QHash<QString, QString> found;
    for (const QString& file : QStringList { m_fileName } + m_systemFiles) {
        QHash<QString, QString> inFile;
        parse(read(file).bytes, [&](const QString& s, const QString& k, const QString& v) {
            if (s == section)
                inFile.insert(k, v);
        });
        // The user's file comes first: a key it holds stays.
        for (auto it = inFile.cbegin(); it != inFile.cend(); ++it) {
            if (!found.contains(it.key()))
                found.insert(it.key(), it.value());
        }
    }
    return found;
}

bool QtSettingsStore::damaged() const
{
    const Stored stored = read(m_fileName);
    return !stored.readable || !parse(stored.bytes, [](auto&&...) {});
}

SettingsStore::Written QtSettingsStore::setValues(const QString& section, const Values& values)
{
    Written written;
    const Stored stored = read(m_fileName);
    Contents contents;
    if (!stored.readable
        || !parse(stored.bytes,
            [&](const QString& s, const QString& k, const QString& v) { contents[s][k] = v; })) {
        written.setAside = setAside(m_fileName);
        if (written.setAside.isEmpty())
            return written;
        contents.clear();
    }
    for (const auto& [key, value] : values)
        contents[section][key] = value;
    QSaveFile file(m_fileName);
    written.ok = QDir().mkpath(QFileInfo(m_fileName).path()) && writeWhole(file, format(contents));
    return written;
}
