#include "app/TaskFileCheck.h"

#include "arithmetic/ArithmeticExercise.h"
#include "arithmetic/Expression.h"
#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "core/Windows1252.h"
#include "frame/TaskFile.h"
#include "language/TaskRooms.h"
#include "language/TypingLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace TaskFileCheck {
namespace {

using Severity = Finding::Severity;
using Content = TaskLayout::Content;

// A control character in a shown line distorts it, in a typed one no key types it.
bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// Why a child cannot type c, and what to write instead.
QString untypeable(char32_t c)
{
    const QString glyph = QString::fromUcs4(&c, 1);
    if (c == U'\t')
        return QStringLiteral("Ein Tabulator; ein Leerzeichen nehmen.");
    if (c == 0xFFFD || (c >= 0xD800 && c < 0xE000))
        return QStringLiteral("Hier stand etwas, das sich beim Lesen nicht entziffern ließ; die "
                              "Datei als UTF-8 oder Windows-1252 speichern.");
    if (isControl(c))
        return QStringLiteral("Das Steuerzeichen U+%1 gehört nicht in eine Aufgabendatei.")
            .arg(QString::number(c, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    if (QStringView(u"„“”‚‘’«»‹›").contains(glyph))
        return QStringLiteral("Das typografische Anführungszeichen %1 kann ein Kind nicht tippen; "
                              "\" oder ' nehmen.")
            .arg(glyph);
    if (c == 0x2013 || c == 0x2014 || c == 0x2212)
        return QStringLiteral(
            "Den langen Strich %1 kann ein Kind nicht tippen; den Bindestrich - nehmen.")
            .arg(glyph);
    if (c == 0x2026)
        return QStringLiteral("Das Auslassungszeichen … kann ein Kind nicht tippen; drei Punkte "
                              "... nehmen.");
    if (c == 0xA0 || c == 0x202F || c == 0x2009)
        return QStringLiteral("Ein geschütztes oder schmales Leerzeichen kann ein Kind nicht "
                              "tippen; ein gewöhnliches nehmen.");
    if (QStringView(u"@€{}[]\\~|²³µ").contains(glyph))
        return QStringLiteral("„%1“ braucht die Taste AltGr.").arg(glyph);
    return QStringLiteral("„%1“ steht nicht auf der deutschen Tastatur.").arg(glyph);
}

// A long line is quoted by its start.
QString quoted(const QString& line)
{
    if (line.size() <= MaxQuoted)
        return line;
    qsizetype kept = MaxQuoted - 3;
    if (line[kept - 1].isHighSurrogate())
        --kept;
    return line.first(kept) + QStringLiteral("...");
}

// What line j of a task must hold when it is empty.
QString required(const TaskLayout& layout, int j)
{
    switch (layout.content) {
    case Content::TypingText:
        return QStringLiteral("hier muss ein Text zum Abtippen stehen");
    case Content::PuzzleWord:
        return QStringLiteral("hier muss ein Wort stehen");
    case Content::FillIn:
        return QStringLiteral("hier müssen die fehlenden Buchstaben stehen");
    case Content::Answers:
        return j == 1 ? QStringLiteral("hier muss die Vorgabe stehen")
                      : QStringLiteral("hier muss eine Antwort stehen");
    case Content::Arithmetic:
        return j == 1 ? QStringLiteral("hier muss eine Rechenaufgabe stehen")
                      : QStringLiteral("hier muss ihr Ergebnis stehen");
    }
    return {};
}

QString fileEncoding(const TaskFile::Text& text)
{
    const QString encoding = text.encoding == TaskFile::Encoding::Utf8 ? QStringLiteral("UTF-8")
        : text.encoding == TaskFile::Encoding::Utf16                   ? QStringLiteral("UTF-16")
        : text.encoding == TaskFile::Encoding::Windows1252
        ? QStringLiteral("Windows-1252")
        : QStringLiteral("ASCII (ohne Umlaute, in Windows-1252 und UTF-8 gleich)");
    QString ends;
    switch (text.lineEnds) {
    case TaskFile::LineEnds::None:
        ends = QStringLiteral("ohne Zeilenende");
        break;
    case TaskFile::LineEnds::CrLf:
        ends = QStringLiteral("mit Zeilenenden CR LF (Windows)");
        break;
    case TaskFile::LineEnds::Lf:
        ends = QStringLiteral("mit Zeilenenden nur LF (Linux, macOS)");
        break;
    case TaskFile::LineEnds::Cr:
        ends = QStringLiteral("mit Zeilenenden nur CR (altes Mac OS)");
        break;
    case TaskFile::LineEnds::Mixed:
        ends = QStringLiteral("mit Zeilenenden CR LF und CR gemischt");
        break;
    }
    return QStringLiteral("Gelesen als %1, %2.").arg(encoding, ends);
}

class Checker
{
public:
    Checker(int k, const TaskFile::Text& text)
        : m_number(k)
        , m_layout(exercise(k).tasks)
        , m_fits(fits(k))
        , m_text(text)
    { }

    Report run();

private:
    // True, with the finding counted, when it will not be listed: its message need not be
    // built.
    bool unlisted(qsizetype line, Severity severity)
    {
        if (m_cut < 0 || line < m_cut)
            return false;
        if (severity == Severity::Error)
            ++m_errors;
        ++m_found;
        ++m_report.unlisted[int(severity)];
        return true;
    }
    void add(qsizetype line, Severity severity, const QString& message)
    {
        if (severity == Severity::Error)
            ++m_errors;
        if (unlisted(line, severity))
            return;
        ++m_found;
        m_report.findings.append({ line, severity, message });
        if (m_report.findings.size() >= 2 * MaxListed)
            keepFirst();
    }
    // Sorts the findings by line and keeps the first MaxListed; from then on, findings from the
    // line of the last one kept onwards are only counted.
    void keepFirst();
    bool encodingErrors(qsizetype n, const QString& line);
    void characters(qsizetype n, int j, const QString& line);
    void arithmetic(qsizetype n, const QString& question, const QString& answer);
    // A task too long for its screen is an error, one that fits only smaller a warning.
    void overflow(qsizetype first, const QStringList& task);

    const int m_number;
    const TaskLayout& m_layout;
    const TaskLayout::Fits m_fits;
    const TaskFile::Text& m_text;
    Report m_report;
    qsizetype m_found = 0; // listed or not
    qsizetype m_errors = 0; // listed or not
    qsizetype m_cut = -1; // findings from this line on are not listed; -1 while all are
};

void Checker::keepFirst()
{
    QList<Finding>& findings = m_report.findings;
    std::stable_sort(findings.begin(), findings.end(),
        [](const Finding& a, const Finding& b) { return a.line < b.line; });
    if (findings.size() <= MaxListed)
        return;
    for (qsizetype i = MaxListed; i < findings.size(); ++i)
        ++m_report.unlisted[int(findings[i].severity)];
    findings.resize(MaxListed);
    m_cut = findings.back().line;
}

// A Windows-1252 file holds bytes that are no character there; any file may hold a character
// saved as UTF-8 among others read as Windows-1252: the file mixes two encodings.
bool Checker::encodingErrors(qsizetype n, const QString& line)
{
    bool found = false;
    for (qsizetype i = 0; m_text.encoding == TaskFile::Encoding::Windows1252 && i < line.size();
         ++i) {
        const int byte = Windows1252::byteOf(line[i]);
        if (byte < 0x80 || byte >= 0xA0 || line[i].unicode() != byte)
            continue;
        found = true;
        if (!unlisted(n, Severity::Error))
            add(n, Severity::Error,
                QStringLiteral("Zeichen %1: Das Byte 0x%2 ist weder UTF-8 noch ein Zeichen in "
                               "Windows-1252.")
                    .arg(i + 1)
                    .arg(QString::number(byte, 16).toUpper()));
    }
    for (Windows1252::Misread misread = Windows1252::misread(line); misread.at >= 0;
         misread = Windows1252::misread(line, misread.at + misread.length)) {
        found = true;
        if (!unlisted(n, Severity::Error))
            add(n, Severity::Error,
                QStringLiteral("Zeichen %1: „%2“ ist ein „%3“ in UTF-8, die übrige Datei ist "
                               "aber Windows-1252. Die Datei ganz als UTF-8 oder ganz als "
                               "Windows-1252 speichern.")
                    .arg(misread.at + 1)
                    .arg(line.mid(misread.at, misread.length), misread.meant));
    }
    return found;
}

void Checker::characters(qsizetype n, int j, const QString& line)
{
    qsizetype column = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        ++column;
        char32_t c = line[i].unicode();
        if (line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(line[i], line[i + 1]);
            ++i;
        }
        const bool wrong = c == U'\n' || !m_layout.allows(j, c);
        if (!wrong || unlisted(n, Severity::Error))
            continue;
        if (c == U'\n') {
            add(n, Severity::Error,
                QStringLiteral("Zeichen %1: Hier endet eine Zeile nur mit LF, die übrigen mit "
                               "CR; das Programm liest hier keine neue Zeile. Die Datei mit "
                               "einheitlichen Zeilenenden speichern.")
                    .arg(column));
        } else {
            add(n, Severity::Error,
                QStringLiteral("Zeichen %1: %2").arg(column).arg(untypeable(c)));
        }
    }
}

void Checker::arithmetic(qsizetype n, const QString& question, const QString& answer)
{
    const Expression::Value value = Expression::evaluate(question);
    if (!value.ok()) {
        add(n, Severity::Error,
            QStringLiteral("„%1“ lässt sich nicht ausrechnen: %2")
                .arg(quoted(question), value.error));
        return;
    }
    if (!Expression::isPlainNumber(answer))
        add(n + 1, Severity::Error,
            QStringLiteral("„%1“ ist keine einfache Zahl: nur Ziffern, eine negative mit - davor.")
                .arg(quoted(answer)));
    else if (answer != QString::number(value.value))
        add(n + 1, Severity::Error,
            QStringLiteral("Falsches Ergebnis: „%1“ ergibt %2, nicht %3.")
                .arg(quoted(question), QString::number(value.value), quoted(answer)));
}

void Checker::overflow(qsizetype first, const QStringList& task)
{
    if (const int j = m_fits ? m_fits(task) : 0; j > 0) {
        const QString& line = task[j - 1];
        if (m_layout.content == Content::TypingText) {
            const TypingLayout::Size& smallest = TypingLayout::Sizes.back();
            add(first, Severity::Error,
                QStringLiteral("Der Text ist zu lang für den Bildschirm: Er passt auch in der "
                               "kleinsten Schrift nicht in %1 Zeilen zu %2 Zeichen.")
                    .arg(smallest.lines)
                    .arg(smallest.columns));
        } else {
            add(first + j - 1, Severity::Error,
                QStringLiteral("„%1“ ist zu lang für seinen Platz auf dem Bildschirm, auch in der "
                               "kleinsten Schrift; die Übung lässt diese Aufgabe aus.")
                    .arg(quoted(line)));
        }
        return;
    }
    for (const TaskRooms::Tight& tight : TaskRooms::tight(m_number, task))
        add(first + tight.line - 1, Severity::Warning, tight.message);
}

Report Checker::run()
{
    if (!m_text.refusal.isEmpty()) {
        add(0, Severity::Error, QStringLiteral("Die Datei ") + m_text.refusal);
        return m_report;
    }
    add(1, Severity::Note, fileEncoding(m_text));
    const QStringList& lines = m_text.lines;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(QChar(0))) {
            add(i + 1, Severity::Error,
                QStringLiteral("Die Datei enthält Nullbytes: Vermutlich ist sie als UTF-16 "
                               "(„Unicode“) gespeichert. Sie als UTF-8 oder Windows-1252 (ANSI) "
                               "speichern."));
            return m_report;
        }
    }

    const int r = m_layout.lines;
    m_report.tasks = lines.size() / r;
    if (const QString incomplete = TaskFile::incompleteRecord(lines.size(), r);
        !incomplete.isEmpty())
        add(m_report.tasks * r + 1, Severity::Error,
            QStringLiteral("Aufgabe %1 ist unvollständig: %2")
                .arg(m_report.tasks + 1)
                .arg(incomplete));

    QHash<QStringList, qsizetype> seen; // what a task shows, and the line of its first task
    for (qsizetype t = 0; t < m_report.tasks; ++t) {
        const qsizetype first = t * r + 1;
        const qsizetype errorsBefore = m_errors;
        bool complete = true;
        QStringList shown;
        for (int j = 1; j <= r; ++j) {
            const qsizetype n = first + j - 1;
            const QString& line = lines[n - 1];
            if (m_layout.shown(j))
                shown.append(line);
            const TaskLayout::Problem problem = m_layout.problem(j, line);
            if (problem == TaskLayout::Problem::Empty) {
                add(n, Severity::Error,
                    QStringLiteral("Die Zeile ist leer; %1.").arg(required(m_layout, j)));
                complete = false;
                continue;
            }
            if (problem == TaskLayout::Problem::TooLong)
                add(n, Severity::Error,
                    QStringLiteral("„%1“ hat %2 Zeichen, ein Wort im Wortpuzzle höchstens %3.")
                        .arg(quoted(line), QString::number(line.size()),
                            QString::number(m_layout.maxLetters)));
            const qsizetype before = m_found;
            if (!encodingErrors(n, line))
                characters(n, j, line);
            complete = complete && m_found == before;
            // Letter by letter, a blank at an end must be typed, and nobody sees it.
            // An arithmetic answer with a blank is no plain number, which is reported.
            if (m_layout.typed(j) && m_layout.content != Content::FillIn
                && m_layout.content != Content::Arithmetic && line != line.trimmed())
                add(n, Severity::Warning,
                    QStringLiteral("Leerzeichen am Anfang oder Ende: Das Kind muss es mittippen, "
                                   "sieht es aber nicht."));
        }
        const QStringList task = lines.mid(first - 1, r);
        if (complete)
            overflow(first, task);
        // Whatever keeps the exercise from asking the task is an error here too, unless one was
        // reported for its lines already.
        if (m_errors == errorsBefore) {
            if (const TaskLayout::Flaw flaw = m_layout.flaw(task, m_fits); flaw.line > 0)
                add(first + flaw.line - 1, Severity::Error, TaskFile::flawText(flaw.problem));
        }
        if (complete && m_layout.content == Content::Arithmetic)
            arithmetic(first, lines[first - 1], lines[first]);
        if (std::all_of(shown.begin(), shown.end(), [](const QString& s) { return s.isEmpty(); }))
            continue;
        if (const auto earlier = seen.constFind(shown); earlier != seen.cend())
            add(first, Severity::Warning,
                QStringLiteral("Diese Aufgabe steht schon in Zeile %1; sie kommt so zweimal "
                               "dran, womöglich direkt hintereinander.")
                    .arg(*earlier));
        else
            seen.insert(shown, first);
    }
    keepFirst();
    return m_report;
}

QString severityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return QStringLiteral("Fehler");
    case Severity::Warning:
        return QStringLiteral("Warnung");
    case Severity::Note:
        return QStringLiteral("Hinweis");
    }
    return {};
}

QString counted(qsizetype n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

struct Files
{
    QString output;
    bool errors = false;

    void checkFile(const QString& path, int k)
    {
        const Report report = check(k, TaskFile::loadText(path));
        output += format(path, report);
        errors = errors || report.count(Severity::Error) > 0;
    }

    void fail(const QString& path, const QString& message)
    {
        output += QStringLiteral("%1: Fehler: %2\n").arg(path, message);
        errors = true;
    }

    void unknown(const QString& path)
    {
        output += path + QStringLiteral(": unbekannte Datei, nicht geprüft");
        // Tambolino opens its files by their exact name.
        const QString name = QFileInfo(path).fileName();
        for (int k = 1; k <= ExerciseCount; ++k) {
            const QString known = exercise(k).taskFile.mid(1);
            if (known.compare(name, Qt::CaseInsensitive) == 0)
                output += QStringLiteral("; Tambolino liest nur „%1“").arg(known);
        }
        output += QLatin1Char('\n');
    }

    void checkFolder(const QString& folder)
    {
        const QDir dir(folder);
        bool any = false;
        for (const QString& name :
            dir.entryList({ QStringLiteral("*.txt") }, QDir::Files, QDir::Name)) {
            const QString path = dir.filePath(name);
            if (const int k = exerciseForTaskFile(name); k > 0) {
                checkFile(path, k);
                any = true;
            } else {
                unknown(path);
            }
        }
        if (!any)
            fail(folder, QStringLiteral("Der Ordner enthält keine Aufgabendatei von Tambolino."));
    }
};

} // namespace

qsizetype Report::count(Finding::Severity severity) const
{
    return unlisted[int(severity)]
        + std::count_if(findings.begin(), findings.end(),
            [severity](const Finding& finding) { return finding.severity == severity; });
}

TaskLayout::Fits fits(int k)
{
    if (exercise(k).kind == ExerciseKind::Arithmetic)
        return ArithmeticExercise::fits;
    return TaskRooms::fits(k);
}

Report check(int k, const TaskFile::Text& text)
{
    return Checker(k, text).run();
}

QString format(const QString& path, const Report& report)
{
    QString text;
    for (const Finding& finding : report.findings) {
        text += finding.line > 0
            ? QStringLiteral("%1:%2: ").arg(path, QString::number(finding.line))
            : path + QStringLiteral(": ");
        text += severityName(finding.severity) + QStringLiteral(": ") + finding.message
            + QLatin1Char('\n');
    }
    const qsizetype moreErrors = report.unlisted[int(Severity::Error)];
    const qsizetype moreWarnings = report.unlisted[int(Severity::Warning)];
    if (moreErrors > 0 || moreWarnings > 0) {
        QStringList more;
        if (moreErrors > 0)
            more.append(counted(moreErrors, "weiterer Fehler", "weitere Fehler"));
        if (moreWarnings > 0)
            more.append(counted(moreWarnings, "weitere Warnung", "weitere Warnungen"));
        text += path + QStringLiteral(": ... und ") + more.join(QStringLiteral(" und "))
            + QLatin1Char('\n');
    }
    const qsizetype errors = report.count(Severity::Error);
    const qsizetype warnings = report.count(Severity::Warning);
    text += QStringLiteral("%1: %2, %3")
                .arg(path, counted(report.tasks, "Aufgabe", "Aufgaben"),
                    errors == 0 ? QStringLiteral("keine Fehler")
                                : counted(errors, "Fehler", "Fehler"));
    if (warnings > 0)
        text += QStringLiteral(", ") + counted(warnings, "Warnung", "Warnungen");
    return text + QLatin1Char('\n');
}

Outcome run(const QStringList& paths, const QString& programDirectory)
{
    Files files;
    if (paths.isEmpty()) {
        // The program's own folder: a file missing there keeps its exercise from opening.
        for (int k = 1; k <= ExerciseCount; ++k)
            files.checkFile(taskFilePath(programDirectory, k), k);
        return { files.output, files.errors };
    }
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.exists() && info.isSymLink())
            files.fail(path, QStringLiteral("Die Datei kann nicht gelesen werden."));
        else if (!info.exists())
            files.fail(path, QStringLiteral("Die Datei wurde nicht gefunden."));
        else if (info.isDir())
            files.checkFolder(path);
        else if (const int k = exerciseForTaskFile(info.fileName()); k > 0)
            files.checkFile(path, k);
        else
            files.unknown(path);
    }
    return { files.output, files.errors };
}

} // namespace TaskFileCheck
