#include "frame/TaskFile.h"

#include "core/ExerciseCatalogue.h"
#include "platform/Folders.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <array>

namespace {
// Files larger than this are not task files; reading stops there instead of filling memory.
constexpr qint64 MaxTaskFileBytes = 4 * 1024 * 1024;

// Windows-1252 for 0x80..0x9F; the five unassigned bytes map to the C1 control of the same value.
constexpr std::array<char16_t, 32> Cp1252High {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

QString decodeCp1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b >= 0x80 && b <= 0x9F ? Cp1252High[b - 0x80] : char16_t { b });
    }
    return text;
}

bool isAscii(const QByteArray& bytes)
{
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    }
    return true;
}

QString fileMessage(const QString& fileName, const QString& what)
{
    return QStringLiteral("Die Aufgabendatei „%1“ %2").arg(fileName, what);
}

QString fileMessage(const QString& fileName, const char* what)
{
    return fileMessage(fileName, QString::fromUtf8(what));
}

// Lines `first` to `last` (1-based) are what is left of a task of `recordLines` lines.
QString incompleteMessage(const QString& fileName, qsizetype first, qsizetype last, int recordLines)
{
    const QString part = first == last
        ? QStringLiteral("Zeile %1 bildet").arg(first)
        : QStringLiteral("die Zeilen %1 bis %2 bilden").arg(first).arg(last);
    return fileMessage(fileName,
        QStringLiteral("endet mit einer unvollständigen Aufgabe: Jede Aufgabe besteht aus %1 "
                       "Zeilen, aber %2 nur einen Teil einer Aufgabe. Vermutlich fehlt irgendwo "
                       "eine Zeile oder es steht eine zu viel darin.")
            .arg(recordLines)
            .arg(part));
}
} // namespace

namespace TaskFile {

QString decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || !isAscii(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            if (text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
            // Some editors store "ä" as "a" and a combining diaeresis, which no key types.
            return text.normalized(QString::NormalizationForm_C);
        }
    }
    return decodeCp1252(bytes);
}

QStringList splitLines(const QString& text)
{
    // Files from Linux or a Mac end their lines with LF alone.
    const QChar end = text.contains(QLatin1Char('\r')) ? QLatin1Char('\r') : QLatin1Char('\n');
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] != end)
            continue;
        lines.append(text.mid(start, i - start));
        if (end == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

Result read(QIODevice& device, int recordLines, const QString& fileName)
{
    Result result;
    const QByteArray bytes = device.read(MaxTaskFileBytes + 1);
    if (bytes.size() > MaxTaskFileBytes) {
        result.error = fileMessage(fileName, "ist zu groß für eine Aufgabendatei.");
        return result;
    }
    const QStringList lines = splitLines(decode(bytes));
    if (lines.isEmpty()) {
        result.error = fileMessage(fileName, "ist leer.");
        return result;
    }
    if (recordLines < 1) {
        result.error = fileMessage(fileName, "enthält keine vollständige Aufgabe.");
        return result;
    }
    // A line forgotten anywhere shifts every later one into the wrong role; only the end of the
    // file shows it.
    if (const qsizetype rest = lines.size() % recordLines; rest != 0) {
        result.error
            = incompleteMessage(fileName, lines.size() - rest + 1, lines.size(), recordLines);
        return result;
    }
    const qsizetype records = lines.size() / recordLines;
    result.lists.resize(recordLines);
    for (QStringList& list : result.lists)
        list.reserve(records);
    for (qsizetype r = 0; r < records; ++r) {
        for (int j = 0; j < recordLines; ++j)
            result.lists[j].append(lines[r * recordLines + j]);
    }
    return result;
}

Result load(const QString& path, int recordLines)
{
    Result refused;
    const QFileInfo info(path);
    QFile file(path);
    if (!info.exists())
        refused.error = fileMessage(path, "wurde nicht gefunden.");
    // A named pipe would block the window until someone writes into it; a folder or device is
    // no task file either.
    else if (!info.isFile())
        refused.error = fileMessage(path, "ist keine gewöhnliche Datei.");
    else if (!file.open(QIODevice::ReadOnly))
        refused.error = fileMessage(path, "kann nicht gelesen werden.");
    else
        return read(file, recordLines, path);
    return refused;
}

Loader forExercise(const Folders& folders, int k)
{
    return [&folders, k] {
        return load(taskFilePath(folders.programDirectory(), k), exercise(k).taskLines);
    };
}

} // namespace TaskFile
