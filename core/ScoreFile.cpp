#include "core/ScoreFile.h"

#include "core/DeviceReading.h"
#include "core/SettingsValue.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstdlib>

namespace {
// A real score file has a few hundred bytes; anything much larger is something else.
constexpr qint64 MaxScoreFileBytes = 64 * 1024;

QString fileMessage(const QString& fileName, const QString& what)
{
    return QStringLiteral("Die Punktestandsdatei „%1“ %2")
        .arg(QDir::toNativeSeparators(fileName), what);
}

QString lineMessage(const QString& fileName, qsizetype line, const char* what)
{
    return fileMessage(
        fileName, QStringLiteral("enthält in Zeile %1 %2").arg(line).arg(QString::fromUtf8(what)));
}

// Asked before opening: a named pipe would block the window until someone writes into it.
QString notRegular(const QString& fileName)
{
    return fileMessage(fileName, QStringLiteral("ist keine gewöhnliche Datei."));
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isBlankLine(QStringView line)
{
    return std::all_of(line.begin(), line.end(), isBlank);
}

QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

enum class LineError
{
    None,
    NotANumber,
    OutOfRange
};

// One score with blanks around it; a comma may close the number.
LineError readScore(QStringView line, qint32& score)
{
    qsizetype i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    const DecimalNumber number = decimalPrefix(line.sliced(i));
    if (number.length == 0)
        return LineError::NotANumber;
    QStringView rest = line.sliced(i + number.length).trimmed();
    if (rest.startsWith(QLatin1Char(',')))
        rest = rest.sliced(1);
    if (!isBlankLine(rest))
        return LineError::NotANumber;
    if (!number.fitsIn32Bits())
        return LineError::OutOfRange;
    score = static_cast<qint32>(number.rounded);
    return LineError::None;
}
} // namespace

namespace ScoreFile {

Result read(QIODevice& device, const QString& fileName)
{
    Result result;
    std::optional<QByteArray> read = readAtMost(device, MaxScoreFileBytes + 1);
    if (!read) {
        result.error = fileMessage(fileName, QStringLiteral("kann nicht gelesen werden."));
        return result;
    }
    QByteArray& bytes = *read;
    if (bytes.size() > MaxScoreFileBytes) {
        result.error
            = fileMessage(fileName, QStringLiteral("ist zu groß für eine Punktestandsdatei."));
        return result;
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // Only ASCII belongs in a score file; Latin-1 merely keeps other bytes from matching.
    const QString text = QString::fromLatin1(bytes);
    QList<QStringView> lines = splitLines(text);
    while (!lines.isEmpty() && isBlankLine(lines.last()))
        lines.removeLast();
    if (lines.isEmpty()) {
        result.error = fileMessage(fileName, QStringLiteral("ist leer."));
        return result;
    }
    for (int k = 1; k <= Lines && k <= lines.size(); ++k) {
        switch (readScore(lines[k - 1], result.scores(k))) {
        case LineError::None:
            break;
        case LineError::NotANumber:
            result.error = lineMessage(fileName, k, "keine gültige Zahl.");
            return result;
        case LineError::OutOfRange:
            result.error = lineMessage(fileName, k, "eine Zahl außerhalb des erlaubten Bereichs.");
            return result;
        }
    }
    if (lines.size() < Lines) {
        result.error = fileMessage(fileName,
            QStringLiteral("ist unvollständig: Sie enthält nur %1 statt %2 Punktestände.")
                .arg(lines.size())
                .arg(Lines));
    } else if (lines.size() > Lines) {
        result.error = fileMessage(fileName,
            QStringLiteral("enthält ab Zeile %1 weitere Angaben; eine Punktestandsdatei hat genau "
                           "%2 Zeilen.")
                .arg(Lines + 1)
                .arg(Lines));
    }
    return result;
}

Result load(const QString& path)
{
    Result result;
    const QFileInfo info(path);
    QFile file(path);
    if (path.isEmpty() || !info.exists())
        result.error = fileMessage(path, QStringLiteral("wurde nicht gefunden."));
    else if (!info.isFile())
        result.error = notRegular(path);
    else if (!file.open(QIODevice::ReadOnly))
        result.error = fileMessage(path, QStringLiteral("kann nicht gelesen werden."));
    else
        result = read(file, path);
    return result;
}

QByteArray format(const Scores& scores)
{
    QByteArray bytes;
    for (int k = 1; k <= Lines; ++k) {
        const qint32 score = scores(k);
        bytes += score < 0 ? '-' : ' ';
        bytes += QByteArray::number(std::abs(qint64 { score }));
        bytes += " \r\n";
    }
    return bytes;
}

QString save(QSaveFile& file, const Scores& scores)
{
    if (!writeWhole(file, format(scores)))
        return fileMessage(file.fileName(), QStringLiteral("konnte nicht geschrieben werden."));
    return {};
}

QString save(const QString& path, const Scores& scores)
{
    // A pipe or device would be replaced by a plain file, or block the writing.
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return notRegular(path);
    QSaveFile file(path);
    return save(file, scores);
}

} // namespace ScoreFile
