#include "frame/TaskFile.h"

#include "core/DeviceReading.h"
#include "core/ExerciseCatalogue.h"
#include "core/TaskLayout.h"
#include "core/Windows1252.h"
#include "platform/Folders.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <tuple>

namespace {
// Files larger than this are not task files; reading stops there instead of filling memory.
constexpr qint64 MaxTaskFileBytes = 4 * 1024 * 1024;

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
    // Saved as "Unicode" by Notepad; read byte by byte, every other character would be a NUL.
    const bool littleEndian = bytes.startsWith("\xFF\xFE");
    if (littleEndian || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return { QString(utf16.decode(bytes.sliced(2))).normalized(QString::NormalizationForm_C),
            TaskFile::Encoding::Utf16 };
    }
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
    return { Windows1252::decode(bytes),
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
    // A link that leads nowhere, or in a circle, is there but cannot be read.
    if (!info.exists() && !info.isSymLink())
        refused.refusal = QStringLiteral("wurde nicht gefunden.");
    // A named pipe would block the window until someone writes into it; a folder or device is
    // no task file either.
    else if (!info.exists())
        refused.refusal = QStringLiteral("kann nicht gelesen werden.");
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

void keepUsable(Result& result, const TaskLayout& layout, const TaskLayout::Fits& fits)
{
    // Copied rather than removed in place: removing from the middle of the lists of a large
    // file with many unusable records takes time that grows with the square of its length.
    const qsizetype records = result.records();
    const auto lines = static_cast<int>(result.lists.size());
    QList<QStringList> kept(lines);
    QStringList task(lines);
    qsizetype firstBad = 0;
    TaskLayout::Problem firstProblem = TaskLayout::Problem::None;
    for (qsizetype i = 0; i < records; ++i) {
        for (int j = 0; j < lines; ++j)
            task[j] = result.lists[j][i];
        if (const TaskLayout::Flaw flaw = layout.flaw(task, fits); flaw.line > 0) {
            if (firstBad == 0) {
                firstBad = i * lines + flaw.line;
                firstProblem = flaw.problem;
            }
            continue;
        }
        for (int j = 0; j < lines; ++j)
            kept[j].append(task[j]);
    }
    result.lists = std::move(kept);
    if (records > 0 && result.records() == 0) {
        result.lists.clear();
        result.error = message(result.fileName,
            QStringLiteral("enthält keine Aufgabe, die die Übung stellen kann. Zeile %1: %2")
                .arg(firstBad)
                .arg(flawText(firstProblem)));
    }
}

QStringList shownTexts(const Result& result, const TaskLayout& layout)
{
    QStringList texts;
    QStringList task(result.lists.size());
    for (qsizetype i = 0; i < result.records(); ++i) {
        for (qsizetype j = 0; j < task.size(); ++j)
            task[j] = result.lists[j][i];
        texts.append(layout.shownText(task));
    }
    return texts;
}

void keepOnly(Result& result, const TaskLayout& layout, const QStringList& prompts)
{
    if (!result.ok())
        return;
    const QSet<QString> wanted(prompts.cbegin(), prompts.cend());
    const QStringList shown = shownTexts(result, layout);
    QList<QStringList> kept(result.lists.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (!wanted.contains(shown[i]))
            continue;
        for (qsizetype j = 0; j < kept.size(); ++j)
            kept[j].append(result.lists[j][i]);
    }
    result.lists = std::move(kept);
    if (result.records() == 0) {
        result.lists.clear();
        result.error = message(
            result.fileName, QStringLiteral("enthält keine der schwierigen Aufgaben mehr."));
    }
}

QString flawText(TaskLayout::Problem problem)
{
    switch (problem) {
    case TaskLayout::Problem::None:
        break;
    case TaskLayout::Problem::Empty:
        return QStringLiteral("Die Zeile ist leer.");
    case TaskLayout::Problem::Untypeable:
        return QStringLiteral("Sie enthält ein Zeichen, das sich auf einer deutschen Tastatur "
                              "nicht tippen lässt.");
    case TaskLayout::Problem::TooLong:
        return QStringLiteral("Sie ist zu lang für ihren Platz auf dem Bildschirm.");
    }
    return {};
}

Loader usable(Loader loader, int k, TaskLayout::Fits fits)
{
    return [loader = std::move(loader), k, fits = std::move(fits)] {
        Result result = loader();
        if (result.ok())
            keepUsable(result, exercise(k).tasks, fits);
        return result;
    };
}

Loader forExercise(const Folders& folders, int k)
{
    return [&folders, k] {
        Result result = load(taskFilePath(folders.programDirectory(), k), exercise(k).tasks.lines);
        // The exercise leaves out what its screen has no room for; a file of which it could use
        // nothing at all is refused here, naming its first bad line.
        if (Result usable = result; result.ok()) {
            keepUsable(usable, exercise(k).tasks);
            if (!usable.ok())
                return usable;
        }
        return result;
    };
}

} // namespace TaskFile
