// The engine of Verkleinerungen, Wortraten, Wortpaare, Beugungen and Zeitformen, without a
// display.
#include "core/ProgramState.h"
#include "language/LetterFields.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <QBuffer>

using namespace Qt::StringLiterals;

namespace {
const QStringList Laufen { u"laufen"_s, u"laufe"_s, u"läufst"_s, u"läuft"_s, u"laufen"_s,
    u"lauft"_s, u"laufen"_s };
const QStringList Sein { u"sein"_s, u"bin"_s, u"bist"_s, u"ist"_s, u"sind"_s, u"seid"_s,
    u"sind"_s };

// The exercise with one field or six (the rules are the same for all five) over these task-file
// lines, read as the shipped files are, and started. The random stand-in gives `draws`, then 0:
// without draws the first task of the file comes first.
struct Fields
{
    Fields(int fields, const QStringList& lines, qint32 score = 0, const QList<double>& draws = {})
        : bytes(taskFileBytes(lines))
        , exercise(number, fields, scores, random, [this, fields] {
            QBuffer file(&bytes);
            file.open(QIODevice::ReadOnly);
            return TaskFile::read(file, fields + 1, u"Aufgaben.txt"_s);
        })
    {
        scores(number) = score;
        random.queued.assign(draws.begin(), draws.end());
        startError = exercise.start();
    }

    // The keys one after the other, as the screen hands them on: a finished task brings the
    // next. Returns the step of the last key.
    LetterFields::Step type(const QString& keys)
    {
        LetterFields::Step step;
        for (const QChar c : keys) {
            step = exercise.press(c);
            if (step.taskFinished)
                exercise.next();
        }
        return step;
    }

    QByteArray bytes;
    FakeRandom random;
    Scores scores;
    const int number = 4;
    LetterFields exercise;
    QString startError;
};
} // namespace

class TestLetterFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keys_data();
    void keys();
    void tasks_data();
    void tasks();
};

void TestLetterFields::keys_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<QStringList>("tasks");
    QTest::addColumn<int>("score"); // before the first key
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("after");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("hint"); // empty after a right key

    // A prompt of 9 characters and an answer of 6.
    const QStringList nine { u"ich laufe"_s, u"laufen"_s, u"gehen"_s, u"gehe"_s };
    const QString bonus = u"%1 Bonuspunkte"_s;
    const QString penalty = u"Fehlerhafte Eingabe: -10 Punkte"_s;
    const auto row
        = [](const QString& name, int fields, const QStringList& tasks, int score,
              const QString& keys, int after, const QString& message, const QString& hint = {}) {
              QTest::newRow(qPrintable(name))
                  << fields << tasks << score << keys << after << message << hint;
          };
    row(u"right keys"_s, 1, nine, 100, u"laufe"_s, 105, u"1 Punkt pro richtige Eingabe"_s);
    row(u"106, then 9 bonus"_s, 1, nine, 100, u"laufen"_s, 115, bonus.arg(9));
    row(u"two wrong keys: 86, then 3 bonus"_s, 1, nine, 100, u"lxaufxen"_s, 89, bonus.arg(3));
    for (const auto& [from, to] : { std::pair { 25, 15 }, { 11, 1 }, { 10, 0 }, { -30, 0 } })
        row(u"penalty %1 to %2"_s.arg(from).arg(to), 1, nine, from, u"x"_s, to, penalty,
            u"x statt l"_s);
    row(u"capital letter"_s, 1, nine, 100, u"L"_s, 90, penalty, u"L statt l"_s);
    row(u"Backspace"_s, 1, nine, 100, u"la\b"_s, 92, penalty, u"Rücktaste statt u"_s);
    // The fields in their order: the du-form is wrong in the first, Enter does not move on.
    row(u"du-form first"_s, 6, Laufen, 100, u"lä"_s, 91, penalty, u"ä statt a"_s);
    row(u"Enter at the end of a field"_s, 6, Laufen, 100, u"laufe\r"_s, 101, penalty,
        u"Eingabetaste statt l"_s);
    // "laufen", 6 characters: 6, 3, 2, 1, 1, 1 for 0 to 5 wrong keys, then none. Each row: the
    // wrong keys, then a two-letter answer.
    const QStringList shortAnswer { u"laufen"_s, u"ab"_s, u"gehen"_s, u"cd"_s };
    const int laufenBonus[] = { 6, 3, 2, 1, 1, 1 };
    for (int e = 0; e <= 6; ++e) {
        const int points = e <= 5 ? laufenBonus[e] : 0;
        row(u"laufen after %1 wrong keys"_s.arg(e), 1, shortAnswer, 100, QString(e, u'x') + u"ab"_s,
            100 - 10 * e + 2 + points, e <= 5 ? bonus.arg(points) : u"Keine Bonuspunkte"_s);
    }
    row(u"5 characters after 5 wrong keys: 0 bonus"_s, 1, { u"Katze"_s, u"ab"_s }, 100,
        u"xxxxxab"_s, 52, bonus.arg(0));
    // The wrong key of the first task still counts in the second.
    row(u"bonus shrinks across tasks"_s, 1, shortAnswer, 100, u"xabcd"_s, 99, bonus.arg(2));
    row(u"every field earns the bonus"_s, 6, Laufen, 0, u"laufeläufst"_s, 23, bonus.arg(6));
}

void TestLetterFields::keys()
{
    QFETCH(int, fields);
    QFETCH(QStringList, tasks);
    QFETCH(int, score);
    QFETCH(QString, keys);
    QFETCH(int, after);
    QFETCH(QString, message);
    QFETCH(QString, hint);
    Fields task(fields, tasks, score);
    QCOMPARE(task.startError, QString());
    task.type(keys.chopped(1));
    const LetterFields::Step step = task.type(keys.right(1));
    QCOMPARE(task.scores(task.number), after);
    QCOMPARE(step.message, message);
    QCOMPARE(step.hint, hint);
}

void TestLetterFields::tasks_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QString>("prompts"); // of the first six tasks, or the error

    // Whatever the draw, a task never follows itself.
    QTest::newRow("two tasks alternate")
        << Laufen + Sein << QList<double> { 0.0, 0.9, 0.9, 0.0, 0.9, 0.9, 0.0 }
        << u"laufen sein laufen sein laufen sein"_s;
    // No key could type an empty answer.
    QStringList oneFormMissing = Laufen;
    oneFormMissing[3] = QString();
    QTest::newRow("one form of six empty")
        << oneFormMissing + Sein << QList<double>() << u"sein sein sein sein sein sein"_s;
    QTest::newRow("no task left")
        << oneFormMissing << QList<double>()
        << u"Die Aufgabendatei „Verkleinerungen.txt“ enthält keine vollständige Aufgabe."_s;
}

void TestLetterFields::tasks()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<double>, draws);
    QFETCH(QString, prompts);
    Fields task(6, lines, 0, draws);
    QStringList shown { task.startError.isEmpty() ? task.exercise.prompt() : task.startError };
    for (int i = 0; i < 5 && task.startError.isEmpty(); ++i) {
        for (int j = 1; j <= 6; ++j)
            task.type(task.exercise.answer(j));
        shown.append(task.exercise.prompt());
    }
    QCOMPARE(shown.join(u' '), prompts);
}

QTEST_GUILESS_MAIN(TestLetterFields)
#include "tst_letterfields.moc"
