#include "core/ExerciseCatalogue.h"

#include "core/ProgramState.h"

#include <array>

namespace {
// The texts stand exactly as they are shown, doubled full stops and trailing blank included.
const std::array<Exercise, ExerciseCount>& catalogue()
{
    static const std::array<Exercise, ExerciseCount> table { {
        { 1, "Abtippuebungen", "lblAbtippuebungen", QStringLiteral("Abtippübungen"),
            QStringLiteral("Kurze Texte möglichst fehlerfrei und schnell eingeben."), "frmUebung01",
            QStringLiteral("Abtippübungen"), QStringLiteral("/Abschreibuebungen.txt"),
            { TaskLayout::Content::TypingText, 1 }, QStringLiteral("abtippuebungen.htm") },
        { 2, "Wortpuzzle", "lblWortpuzzle", QStringLiteral("Wortpuzzle"),
            QStringLiteral("Wörter aus unge- ordneten Buchstaben zusammen setzen."), "frmUebung02",
            QStringLiteral("Wortpuzzle"), QStringLiteral("/Wortpuzzle.txt"),
            { TaskLayout::Content::PuzzleWord, 1, PuzzleLetters },
            QStringLiteral("wortpuzzle.htm") },
        { 3, "Einsetzuebungen", "lblEinsetzuebungen", QStringLiteral("Einsetzübungen"),
            QStringLiteral("Fehlende Buchstaben erraten und per Tastatur eingeben."), "frmUebung03",
            QStringLiteral("Einsetzübungen"), QStringLiteral("/Einsetzuebungen.txt"),
            { TaskLayout::Content::FillIn, 3 }, QStringLiteral("einsetzuebungen.htm") },
        { 4, "Verkleinerungen", "lblVerkleinerungen", QStringLiteral("Verkleinerungen"),
            QStringLiteral("Die Verkleinerungsform von Wörtern bilden und eintippen."),
            "frmUebung04", QStringLiteral("Verkleinerungen"),
            QStringLiteral("/Verkleinerungen.txt"), { TaskLayout::Content::Answers, 2 },
            QStringLiteral("verkleinerungen.htm") },
        { 5, "Wortraten", "lblWortraten", QStringLiteral("Wortraten"),
            QStringLiteral("Wörter müssen nach einem Hinweis erraten und eingegeben werden.."),
            "frmUebung05", QStringLiteral("Wortraten"), QStringLiteral("/Wortraten.txt"),
            { TaskLayout::Content::Answers, 2 }, QStringLiteral("wortraten.htm") },
        { 6, "Beugungen", "lblBeugungen", QStringLiteral("Beugungen"),
            QStringLiteral(
                "Verben in der ich-, du-, er-, sie-, es-, wir-, ihr- und sie-Form richtig "
                "eingeben.."),
            "frmUebung06", QStringLiteral("Beugungen"), QStringLiteral("/Beugungen.txt"),
            { TaskLayout::Content::Answers, 7 }, QStringLiteral("beugungen.htm") },
        { 7, "Zeitformen", "lblZeitformen", QStringLiteral("Zeitformen"),
            QStringLiteral("Wortgruppen in der richtigen Zeitform eingeben."), "frmUebung07",
            QStringLiteral("Zeitformen"), QStringLiteral("/Zeitformen.txt"),
            { TaskLayout::Content::Answers, 6 }, QStringLiteral("zeitformen.htm") },
        { 8, "Wortpaare", "lblWortpaare", QStringLiteral("Wortpaare"),
            QStringLiteral("Das dazugehörige Wort finden und richtig eingeben."), "frmUebung08",
            QStringLiteral("Wortpaare"), QStringLiteral("/Wortpaare.txt"),
            { TaskLayout::Content::Answers, 2 }, QStringLiteral("wortpaare.htm") },
        { 9, "Kopfrechnen", "lblKopfrechnen", QStringLiteral("Kopfrechnen"),
            QStringLiteral("Größere Aufgaben möglichst schnell und fehlerfrei lösen. "),
            "frmUebung09", QStringLiteral("Kopfrechnen"), QStringLiteral("/Kopfrechnen.txt"),
            { TaskLayout::Content::Arithmetic, 2 }, QStringLiteral("kopfrechnen.htm") },
        { 10, "Kettenaufgaben", "lblKettenaufgaben", QStringLiteral("Kettenaufgaben"),
            QStringLiteral("Längere Aufgaben im Kopf schnell und fehlerfrei lösen."), "frmUebung10",
            QStringLiteral("Kettenaufgaben"), QStringLiteral("/Kettenaufgaben.txt"),
            { TaskLayout::Content::Arithmetic, 2 }, QStringLiteral("kettenaufgaben.htm") },
        { 11, "Malfolgen", "lblMalfolgen", QStringLiteral("Malfolgen"),
            QStringLiteral("Die Grundaufgaben der Multiplikation bis 100 ungeordnet abgefragt"),
            "frmUebung11", QStringLiteral("Malfolgen"), QStringLiteral("/Malfolgen.txt"),
            { TaskLayout::Content::Arithmetic, 2 }, QStringLiteral("malfolgen.htm") },
        { 12, "Division", "lblDivision", QStringLiteral("Division"),
            QStringLiteral("Die Grundaufgaben der Division bis 100 ungeordnet abgefragt"),
            "frmUebung12", QStringLiteral("Divisionsaufgaben"), QStringLiteral("/Division.txt"),
            { TaskLayout::Content::Arithmetic, 2 }, QStringLiteral("division.htm") },
    } };
    return table;
}
} // namespace

const Exercise& exercise(int k)
{
    return catalogue().at(static_cast<std::size_t>(k - 1));
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
