#include "frame/TaskFile.h"

#include "core/DeviceReading.h"
#include "core/ExerciseCatalogue.h"
#include "core/TaskLayout.h"
#include "platform/Folders.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <tuple>

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

// Windows-1252, except that valid UTF-8 with a byte-order mark or with non-ASCII characters is
// UTF-8.
std::pair<QString, TaskFile::Encoding> decoded(const QByteArray& bytes)
{
    const bool ascii = isAscii(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF") || !ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            if (text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
            // Some editors store "ä" as "a" and a combining diaeresis, which no key types.
            return { text.normalized(QString::NormalizationForm_C), TaskFile::Encoding::Utf8 };
        }
    }
    return { decodeCp1252(bytes),
        ascii ? TaskFile::Encoding::Ascii : TaskFile::Encoding::Windows1252 };
}
} // namespace

namespace TaskFile {

QString message(const QString& fileName, const QString& what)
{
    return QStringLiteral("Die Aufgabendatei „%1“ %2").arg(fileName, what);
}

QString decode(const QByteArray& bytes)
{
    return decoded(bytes).first;
}

int windows1252Byte(QChar c)
{
    if (c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF))
        return c.unicode();
    const auto* found = std::find(Cp1252High.begin(), Cp1252High.end(), c.unicode());
    return found == Cp1252High.end() ? -1 : 0x80 + static_cast<int>(found - Cp1252High.begin());
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

LineEnds lineEnds(const QString& text)
{
    const qsizetype cr = text.count(QLatin1Char('\r'));
    if (cr == 0)
        return text.contains(QLatin1Char('\n')) ? LineEnds::Lf : LineEnds::None;
    const qsizetype crLf = text.count(QStringLiteral("\r\n"));
    return crLf == cr ? LineEnds::CrLf : crLf == 0 ? LineEnds::Cr : LineEnds::Mixed;
}

Text readText(QIODevice& device)
{
    Text text;
    const std::optional<QByteArray> read = readAtMost(device, MaxTaskFileBytes + 1);
    if (!read) {
        text.refusal = QStringLiteral("kann nicht gelesen werden.");
        return text;
    }
    const QByteArray& bytes = *read;
    if (bytes.size() > MaxTaskFileBytes) {
        text.refusal = QStringLiteral("ist zu groß für eine Aufgabendatei.");
        return text;
    }
    QString content;
    std::tie(content, text.encoding) = decoded(bytes);
    text.lineEnds = lineEnds(content);
    text.lines = splitLines(content);
    if (text.lines.isEmpty())
        text.refusal = QStringLiteral("ist leer.");
    return text;
}

Text loadText(const QString& path)
{
    Text refused;
    const QFileInfo info(path);
    QFile file(path);
    if (!info.exists())
        refused.refusal = QStringLiteral("wurde nicht gefunden.");
    // A named pipe would block the window until someone writes into it; a folder or device is
    // no task file either.
    else if (!info.isFile())
        refused.refusal = QStringLiteral("ist keine gewöhnliche Datei.");
    else if (!file.open(QIODevice::ReadOnly))
        refused.refusal = QStringLiteral("kann nicht gelesen werden.");
    else
        return readText(file);
    return refused;
}

QString incompleteRecord(qsizetype lines, int recordLines)
{
    const qsizetype rest = recordLines < 1 ? 0 : lines % recordLines;
    if (rest == 0)
        return {};
    const qsizetype first = lines - rest + 1;
    const QString part = first == lines
        ? QStringLiteral("Zeile %1 bildet").arg(first)
        : QStringLiteral("die Zeilen %1 bis %2 bilden").arg(first).arg(lines);
    return QStringLiteral("Jede Aufgabe besteht aus %1 Zeilen, aber %2 nur einen Teil einer "
                          "Aufgabe. Vermutlich fehlt irgendwo eine Zeile oder es steht eine zu "
                          "viel darin.")
        .arg(recordLines)
        .arg(part);
}

Result records(const Text& text, int recordLines, const QString& fileName)
{
    Result result;
    result.fileName = fileName;
    if (!text.refusal.isEmpty()) {
        result.error = message(fileName, text.refusal);
        return result;
    }
    if (recordLines < 1) {
        result.error = message(fileName, QStringLiteral("enthält keine vollständige Aufgabe."));
        return result;
    }
    // A line forgotten anywhere shifts every later one into the wrong role; only the end of the
    // file shows it.
    if (const QString incomplete = incompleteRecord(text.lines.size(), recordLines);
        !incomplete.isEmpty()) {
        result.error = message(
            fileName, QStringLiteral("endet mit einer unvollständigen Aufgabe: ") + incomplete);
        return result;
    }
    const qsizetype count = text.lines.size() / recordLines;
    result.lists.resize(recordLines);
    for (QStringList& list : result.lists)
        list.reserve(count);
    for (qsizetype r = 0; r < count; ++r) {
        for (int j = 0; j < recordLines; ++j)
            result.lists[j].append(text.lines[r * recordLines + j]);
    }
    return result;
}

Result read(QIODevice& device, int recordLines, const QString& fileName)
{
    return records(readText(device), recordLines, fileName);
}

Result load(const QString& path, int recordLines)
{
    return records(loadText(path), recordLines, path);
}

void keepUsable(Result& result, const TaskLayout& layout)
{
    // Copied rather than removed in place: removing from the middle of the lists of a large
    // file with many unusable records takes time that grows with the square of its length.
    const qsizetype records = result.records();
    const auto lines = static_cast<int>(result.lists.size());
    QList<QStringList> kept(lines);
    for (qsizetype i = 0; i < records; ++i) {
        bool usable = true;
        for (int j = 1; j <= lines && usable; ++j)
            usable = layout.problem(j, result.lists[j - 1][i]) == TaskLayout::Problem::None;
        if (!usable)
            continue;
        for (int j = 0; j < lines; ++j)
            kept[j].append(result.lists[j][i]);
    }
    result.lists = std::move(kept);
}

Loader forExercise(const Folders& folders, int k)
{
    return [&folders, k] {
        return load(taskFilePath(folders.programDirectory(), k), exercise(k).tasks.lines);
    };
}

} // namespace TaskFile
