#include "app/CommandLine.h"

#include "app/TaskFileCheck.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

namespace CommandLine {
namespace {

struct Options
{
    QCommandLineOption help { { QStringLiteral("h"), QStringLiteral("help") },
        QStringLiteral("Zeigt diese Hilfe und endet.") };
    QCommandLineOption version { { QStringLiteral("v"), QStringLiteral("version") },
        QStringLiteral("Zeigt die Versionsnummer und endet.") };
    QCommandLineOption check { { QStringLiteral("check"), QStringLiteral("pruefen") },
        QStringLiteral("Prüft Aufgabendateien (ohne Angabe die des Programmordners) und "
                       "endet.") };

    QCommandLineOption setUp { QStringLiteral("tagebuch-einrichten"),
        QStringLiteral("Richtet das Tagebuch auf dem Schulserver ein und endet.") };
    QCommandLineOption report { QStringLiteral("bericht"),
        QStringLiteral("Gibt den Klassenbericht aus dem Tagebuch aus und endet.") };
    QCommandLineOption className { QStringLiteral("klasse"),
        QStringLiteral("Beim Bericht: nur diese Klasse."), QStringLiteral("KLASSE") };
    QCommandLineOption since { QStringLiteral("seit"),
        QStringLiteral("Beim Bericht: ab diesem Tag (JJJJ-MM-TT)."), QStringLiteral("DATUM") };
    QCommandLineOption csv { QStringLiteral("csv"),
        QStringLiteral("Beim Bericht: als CSV-Tabelle (Semikolon, UTF-8).") };

    // In the order of the help text.
    QList<QCommandLineOption> shown() const
    {
        return { help, version, check, setUp, report, className, since, csv };
    }
};

// Qt's own options, which QApplication takes out of the command line after this answer (a
// session manager, for one, restarts the program with -session). Hidden from the help.
QList<QCommandLineOption> qtOptions()
{
    QList<QCommandLineOption> options;
    for (const char* name : { "platform", "platformpluginpath", "platformtheme", "plugin",
             "qmljsdebugger", "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
             "display", "geometry", "style", "stylesheet" })
        options.append(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("x")));
    for (const char* name : { "reverse", "widgetcount" })
        options.append(QCommandLineOption(QString::fromLatin1(name)));
    for (QCommandLineOption& option : options)
        option.setFlags(QCommandLineOption::HiddenFromHelp);
    return options;
}

QString programName(const QStringList& arguments)
{
    const QString name = arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
    return name.isEmpty() ? QStringLiteral("tambolino") : name;
}

QString helpText(const QString& program, const Options& options)
{
    QStringList syntax;
    qsizetype width = 0;
    for (const QCommandLineOption& option : options.shown()) {
        QStringList names;
        for (const QString& name : option.names())
            names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
        QString line = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            line += QStringLiteral(" <%1>").arg(option.valueName());
        if (option.names() == options.check.names())
            line += QStringLiteral(" [DATEI|ORDNER]...");
        width = std::max(width, line.size());
        syntax.append(line);
    }
    QString text = QStringLiteral("Aufruf: %1 [Optionen]\n"
                                  "Tambolino, das Lernprogramm für die Grundschule: zwölf Übungen "
                                  "zu Deutsch und Rechnen.\n"
                                  "Ohne Optionen öffnet sich das Programmfenster.\n"
                                  "\n"
                                  "Optionen:\n")
                       .arg(program);
    const QList<QCommandLineOption> shown = options.shown();
    for (qsizetype i = 0; i < shown.size(); ++i)
        text += QStringLiteral("  %1  %2\n")
                    .arg(syntax[i], -static_cast<int>(width))
                    .arg(shown[i].description());
    return text
        + QStringLiteral("\nDie Prüfung meldet jeden Fund als „DATEI:ZEILE: Meldung“ und endet mit "
                         "0, wenn keine\nDatei einen Fehler enthält, sonst mit 1.\n"
                         "Der Bericht liest das Tagebuch des Schulservers, wenn Tambolino.conf "
                         "einen nennt\n(Abschnitt [Tagebuch]), sonst das dieses Computers.\n");
}

// The argument as the user wrote it that names the unknown option `name`.
QString spelling(const QStringList& arguments, const QString& name)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString given = arguments[i].section(QLatin1Char('='), 0, 0);
        if (given.startsWith(QLatin1Char('-'))
            && QStringView(given).mid(given.startsWith(QStringLiteral("--")) ? 2 : 1) == name)
            return given;
    }
    return QStringLiteral("--") + name;
}

Answer usageError(const QString& program, const QString& problem)
{
    return {
        UsageError, QString(),
        QStringLiteral("%1: %2\n„%1 --help“ zeigt die möglichen Optionen.\n").arg(program, problem)
    };
}

} // namespace

Answer answer(const QStringList& arguments, const std::function<QString()>& programDirectory)
{
    const QString program = programName(arguments);
    const Options options;
    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform, -session).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options.shown());
    parser.addOptions(qtOptions());

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return usageError(program,
                QStringLiteral("Unbekannte Option „%1“.")
                    .arg(spelling(arguments, unknown.first())));
        // The parser's own text is English: a value is missing or one too many.
        return usageError(program, QStringLiteral("Die Befehlszeile ist ungültig."));
    }
    if (!parser.positionalArguments().isEmpty() && !parser.isSet(options.check))
        return usageError(program,
            QStringLiteral("Unerwartetes Argument „%1“.")
                .arg(parser.positionalArguments().first()));
    if (parser.isSet(options.help))
        return { 0, helpText(program, options), QString() };
    if (parser.isSet(options.version))
        return { 0, QStringLiteral("Tambolino %1\n").arg(QStringLiteral(TAMBOLINO_VERSION)),
            QString() };
    const bool reporting = parser.isSet(options.report);
    for (const QCommandLineOption* option : { &options.className, &options.since, &options.csv }) {
        if (parser.isSet(*option) && !reporting)
            return usageError(program,
                QStringLiteral("„--%1“ gilt nur mit „--bericht“.").arg(option->names().first()));
    }
    if (reporting || parser.isSet(options.setUp)) {
        JournalRequest request;
        if (!reporting) {
            request.kind = JournalRequest::Kind::SetUp;
            return { {}, {}, {}, request };
        }
        request.className = parser.value(options.className).trimmed();
        request.csv = parser.isSet(options.csv);
        if (parser.isSet(options.since)) {
            const QString given = parser.value(options.since);
            request.since = QDate::fromString(given, Qt::ISODate);
            if (!request.since.isValid())
                request.since = QDate::fromString(given, QStringLiteral("d.M.yyyy"));
            if (!request.since.isValid())
                return usageError(
                    program, QStringLiteral("„%1“ ist kein Datum (JJJJ-MM-TT).").arg(given));
        }
        return { {}, {}, {}, request };
    }
    if (parser.isSet(options.check)) {
        const QStringList paths = parser.positionalArguments();
        const TaskFileCheck::Outcome outcome
            = TaskFileCheck::run(paths, paths.isEmpty() ? programDirectory() : QString());
        return { outcome.errors ? 1 : 0, outcome.output, QString() };
    }
    return {};
}

QStringList arguments(int argc, char* argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

int print(const Answer& answer)
{
    std::fwrite(answer.bytes.constData(), 1, std::size_t(answer.bytes.size()), stdout);
    std::fputs(answer.output.toLocal8Bit().constData(), stdout);
    std::fputs(answer.errors.toLocal8Bit().constData(), stderr);
    std::fflush(stdout);
    return answer.exitCode.value_or(0);
}

} // namespace CommandLine
