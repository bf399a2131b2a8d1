#include "core/ExerciseCatalogue.h"

#include "core/ProgramState.h"

#include <array>

namespace {
// Arithmetic screens differ only in their rows: title, task file, help page and score slot.
Captions arithmeticCaptions()
{
    return { .instruction = QStringLiteral("Berechne die Aufgabe!") };
}

// The texts stand exactly as they are shown, doubled full stops and trailing blank included.
const std::array<Exercise, ExerciseCount>& catalogue()
{
    static const std::array<Exercise, ExerciseCount> table { {
        { .number = 1,
            .settingsKey = "Abtippuebungen",
            .entryControl = "lblAbtippuebungen",
            .menuText = QStringLiteral("Abtippübungen"),
            .description = QStringLiteral("Kurze Texte möglichst fehlerfrei und schnell eingeben."),
            .screen = "frmUebung01",
            .title = QStringLiteral("Abtippübungen"),
            .taskFile = QStringLiteral("/Abschreibuebungen.txt"),
            .tasks = { TaskLayout::Content::TypingText, 1 },
            .helpPage = QStringLiteral("abtippuebungen.htm"),
            .kind = ExerciseKind::Typing,
            .captions
            = { .prompt = QStringLiteral("Vorgabe"), .entry = QStringLiteral("Eingabe") } },
        { .number = 2,
            .settingsKey = "Wortpuzzle",
            .entryControl = "lblWortpuzzle",
            .menuText = QStringLiteral("Wortpuzzle"),
            .description = QStringLiteral("Wörter aus unge- ordneten Buchstaben zusammen setzen."),
            .screen = "frmUebung02",
            .title = QStringLiteral("Wortpuzzle"),
            .taskFile = QStringLiteral("/Wortpuzzle.txt"),
            .tasks = { TaskLayout::Content::PuzzleWord, 1, PuzzleLetters },
            .helpPage = QStringLiteral("wortpuzzle.htm"),
            .kind = ExerciseKind::Puzzle,
            .captions = {} },
        { .number = 3,
            .settingsKey = "Einsetzuebungen",
            .entryControl = "lblEinsetzuebungen",
            .menuText = QStringLiteral("Einsetzübungen"),
            .description = QStringLiteral("Fehlende Buchstaben erraten und per Tastatur eingeben."),
            .screen = "frmUebung03",
            .title = QStringLiteral("Einsetzübungen"),
            .taskFile = QStringLiteral("/Einsetzuebungen.txt"),
            .tasks = { TaskLayout::Content::FillIn, 3 },
            .helpPage = QStringLiteral("einsetzuebungen.htm"),
            .kind = ExerciseKind::FillIn,
            .captions
            = { .instruction = QStringLiteral(
                    "Welche Buchstaben fehlen? Gib sie an der Position der Schreibmarke ein!") } },
        { .number = 4,
            .settingsKey = "Verkleinerungen",
            .entryControl = "lblVerkleinerungen",
            .menuText = QStringLiteral("Verkleinerungen"),
            .description
            = QStringLiteral("Die Verkleinerungsform von Wörtern bilden und eintippen."),
            .screen = "frmUebung04",
            .title = QStringLiteral("Verkleinerungen"),
            .taskFile = QStringLiteral("/Verkleinerungen.txt"),
            .tasks = { TaskLayout::Content::Answers, 2 },
            .helpPage = QStringLiteral("verkleinerungen.htm"),
            .kind = ExerciseKind::SingleAnswer,
            .captions = { .prompt = QStringLiteral("Vorgabe"),
                .entry = QStringLiteral("Eingabe der Verkleinerungsform") } },
        { .number = 5,
            .settingsKey = "Wortraten",
            .entryControl = "lblWortraten",
            .menuText = QStringLiteral("Wortraten"),
            .description
            = QStringLiteral("Wörter müssen nach einem Hinweis erraten und eingegeben werden.."),
            .screen = "frmUebung05",
            .title = QStringLiteral("Wortraten"),
            .taskFile = QStringLiteral("/Wortraten.txt"),
            .tasks = { TaskLayout::Content::Answers, 2 },
            .helpPage = QStringLiteral("wortraten.htm"),
            .kind = ExerciseKind::SingleAnswer,
            .captions = { .prompt = QStringLiteral("Rätsel"),
                .entry = QStringLiteral("Eingabe des Lösungswortes") } },
        { .number = 6,
            .settingsKey = "Beugungen",
            .entryControl = "lblBeugungen",
            .menuText = QStringLiteral("Beugungen"),
            .description = QStringLiteral("Verben in der ich-, du-, er-, sie-, es-, wir-, ihr- und "
                                          "sie-Form richtig eingeben.."),
            .screen = "frmUebung06",
            .title = QStringLiteral("Beugungen"),
            .taskFile = QStringLiteral("/Beugungen.txt"),
            .tasks = { TaskLayout::Content::Answers, 7 },
            .helpPage = QStringLiteral("beugungen.htm"),
            .kind = ExerciseKind::LetterFields,
            .captions = { .fields
                = { QStringLiteral("ich"), QStringLiteral("du"), QStringLiteral("er/sie/es"),
                    QStringLiteral("wir"), QStringLiteral("ihr"), QStringLiteral("sie") } } },
        { .number = 7,
            .settingsKey = "Zeitformen",
            .entryControl = "lblZeitformen",
            .menuText = QStringLiteral("Zeitformen"),
            .description = QStringLiteral("Wortgruppen in der richtigen Zeitform eingeben."),
            .screen = "frmUebung07",
            .title = QStringLiteral("Zeitformen"),
            .taskFile = QStringLiteral("/Zeitformen.txt"),
            .tasks = { TaskLayout::Content::Answers, 6 },
            .helpPage = QStringLiteral("zeitformen.htm"),
            .kind = ExerciseKind::LetterFields,
            .captions = { .prompt = QStringLiteral("Gegenwart:"),
                .fields = { QStringLiteral("Zukunft:"), QStringLiteral("vollendete Zukunft:"),
                    QStringLiteral("vollendete Gegenwart:"), QStringLiteral("Vergangenheit:"),
                    QStringLiteral("vollendete Vergangenheit:") } } },
        { .number = 8,
            .settingsKey = "Wortpaare",
            .entryControl = "lblWortpaare",
            .menuText = QStringLiteral("Wortpaare"),
            .description = QStringLiteral("Das dazugehörige Wort finden und richtig eingeben."),
            .screen = "frmUebung08",
            .title = QStringLiteral("Wortpaare"),
            .taskFile = QStringLiteral("/Wortpaare.txt"),
            .tasks = { TaskLayout::Content::Answers, 2 },
            .helpPage = QStringLiteral("wortpaare.htm"),
            .kind = ExerciseKind::SingleAnswer,
            .captions = { .instruction = QStringLiteral("Welches Wort fehlt? Gib es ein!") } },
        { .number = 9,
            .settingsKey = "Kopfrechnen",
            .entryControl = "lblKopfrechnen",
            .menuText = QStringLiteral("Kopfrechnen"),
            .description
            = QStringLiteral("Größere Aufgaben möglichst schnell und fehlerfrei lösen. "),
            .screen = "frmUebung09",
            .title = QStringLiteral("Kopfrechnen"),
            .taskFile = QStringLiteral("/Kopfrechnen.txt"),
            .tasks = { TaskLayout::Content::Arithmetic, 2 },
            .helpPage = QStringLiteral("kopfrechnen.htm"),
            .kind = ExerciseKind::Arithmetic,
            .captions = arithmeticCaptions() },
        { .number = 10,
            .settingsKey = "Kettenaufgaben",
            .entryControl = "lblKettenaufgaben",
            .menuText = QStringLiteral("Kettenaufgaben"),
            .description = QStringLiteral("Längere Aufgaben im Kopf schnell und fehlerfrei lösen."),
            .screen = "frmUebung10",
            .title = QStringLiteral("Kettenaufgaben"),
            .taskFile = QStringLiteral("/Kettenaufgaben.txt"),
            .tasks = { TaskLayout::Content::Arithmetic, 2 },
            .helpPage = QStringLiteral("kettenaufgaben.htm"),
            .kind = ExerciseKind::Arithmetic,
            .captions = arithmeticCaptions() },
        { .number = 11,
            .settingsKey = "Malfolgen",
            .entryControl = "lblMalfolgen",
            .menuText = QStringLiteral("Malfolgen"),
            .description
            = QStringLiteral("Die Grundaufgaben der Multiplikation bis 100 ungeordnet abgefragt"),
            .screen = "frmUebung11",
            .title = QStringLiteral("Malfolgen"),
            .taskFile = QStringLiteral("/Malfolgen.txt"),
            .tasks = { TaskLayout::Content::Arithmetic, 2 },
            .helpPage = QStringLiteral("malfolgen.htm"),
            .kind = ExerciseKind::Arithmetic,
            .captions = arithmeticCaptions() },
        { .number = 12,
            .settingsKey = "Division",
            .entryControl = "lblDivision",
            .menuText = QStringLiteral("Division"),
            .description
            = QStringLiteral("Die Grundaufgaben der Division bis 100 ungeordnet abgefragt"),
            .screen = "frmUebung12",
            .title = QStringLiteral("Divisionsaufgaben"),
            .taskFile = QStringLiteral("/Division.txt"),
            .tasks = { TaskLayout::Content::Arithmetic, 2 },
            .helpPage = QStringLiteral("division.htm"),
            .kind = ExerciseKind::Arithmetic,
            .captions = arithmeticCaptions() },
    } };
    return table;
}
} // namespace

const Exercise& exercise(int k)
{
    return catalogue().at(static_cast<std::size_t>(k - 1));
}

QString exerciseName(int k, bool practiceRound)
{
    QString name = k >= 1 && k <= ExerciseCount ? exercise(k).menuText : QString::number(k);
    if (practiceRound)
        name += QStringLiteral(" - schwierige Aufgaben");
    return name;
}

int exerciseForTaskFile(const QString& fileName)
{
    for (const Exercise& e : catalogue()) {
        if (QStringView(e.taskFile).mid(1) == fileName)
            return e.number;
    }
    return 0;
}

QString taskFilePath(const QString& programDirectory, int k)
{
    return programDirectory + exercise(k).taskFile;
}

QString versionText()
{
    return QStringLiteral("Versionsnummer: 1.1");
}
