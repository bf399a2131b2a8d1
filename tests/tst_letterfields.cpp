// The engine of Verkleinerungen, Wortraten, Wortpaare, Beugungen and Zeitformen, without a
// display.
#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "language/LetterFields.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <QBuffer>

using namespace Qt::StringLiterals;

class TestLetterFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keys_data();
    void keys();
};

void TestLetterFields::keys_data()
{
    QTest::addColumn<int>("k"); // one field or six: the rules are the same for all five
    QTest::addColumn<QString>("tasks"); // the task-file lines, between bars; the first comes first
    QTest::addColumn<int>("score"); // before the first key
    QTest::addColumn<QString>("keys"); // a finished task brings the next
    QTest::addColumn<int>("after");
    // The message of the last key, or why the exercise cannot start, and the hint of a wrong key.
    QTest::addColumn<QString>("shown");

    const QString laufen = u"laufen|laufe|läufst|läuft|laufen|lauft|laufen"_s;
    const QString ichLaufe = u"ich laufe|laufen"_s;
    const QString bonus = u"%1 Bonuspunkte|"_s;
    const QString penalty = u"Fehlerhafte Eingabe: -10 Punkte|"_s;
    const auto row = [](const QString& name, int fields, const QString& tasks, int score,
                         const QString& keys, int after, const QString& shown) {
        QTest::newRow(qPrintable(name))
            << (fields == 1 ? 4 : 6) << tasks << score << keys << after << shown;
    };
    for (const auto& [from, to] : { std::pair { 11, 1 }, { 10, 0 }, { -30, 0 } })
        row(u"penalty %1 to %2"_s.arg(from).arg(to), 1, ichLaufe, from, u"x"_s, to,
            penalty + u"x statt l"_s);
    row(u"capital letter"_s, 1, ichLaufe, 100, u"L"_s, 90, penalty + u"L statt l"_s);
    // The fields in their order, the ich-form first; Enter does not move on.
    row(u"Enter at the end of a field"_s, 6, laufen, 100, u"laufe\r"_s, 101,
        penalty + u"Eingabetaste statt l"_s);
    // The prompt's length over 1 + the wrong keys: for "laufen" 6, 3, 2, 1, 1, 1 after 0 to 5
    // wrong keys, then none. Each row: the wrong keys, then a two-letter answer.
    const QString shortAnswer = u"laufen|ab|gehen|cd"_s;
    const int laufenBonus[] = { 6, 3, 2, 1, 1, 1 };
    for (int e = 0; e <= 6; ++e) {
        const int points = e <= 5 ? laufenBonus[e] : 0;
        row(u"laufen after %1 wrong keys"_s.arg(e), 1, shortAnswer, 100, QString(e, u'x') + u"ab"_s,
            100 - 10 * e + 2 + points, e <= 5 ? bonus.arg(points) : u"Keine Bonuspunkte|"_s);
    }
    row(u"5 characters after 5 wrong keys: 0 bonus"_s, 1, u"Katze|ab"_s, 100, u"xxxxxab"_s, 52,
        bonus.arg(0));
    // The wrong key of the first task still counts in the second.
    row(u"bonus shrinks across tasks"_s, 1, shortAnswer, 100, u"xabcd"_s, 99, bonus.arg(2));
    row(u"every field earns the bonus"_s, 6, laufen, 0, u"laufeläufst"_s, 23, bonus.arg(6));
    // No key could type an empty answer: the task is left out, and "b" is right for "sein".
    const QString oneFormMissing = u"laufen|laufe|läufst||laufen|lauft|laufen"_s;
    row(u"task with an empty form skipped"_s, 6,
        oneFormMissing + u"|sein|bin|bist|ist|sind|seid|sind"_s, 0, u"b"_s, 1,
        u"1 Punkt pro richtige Eingabe|"_s);
    row(u"no task left"_s, 6, oneFormMissing, 0, QString(), 0,
        u"Die Aufgabendatei „Aufgaben.txt“ enthält keine Aufgabe, die die Übung stellen kann. "
        "Zeile 4: Die Zeile ist leer.|"_s);
}

void TestLetterFields::keys()
{
    QFETCH(int, k);
    QFETCH(QString, tasks);
    QFETCH(int, score);
    QFETCH(QString, keys);
    QFETCH(int, after);
    QFETCH(QString, shown);
    // Read as the shipped files are.
    QByteArray bytes = taskFileBytes(tasks.split(u'|'));
    FakeClock clock;
    FakeRandom random;
    Scores scores;
    scores(k) = score;
    const int lines = exercise(k).tasks.lines;
    LetterFields engine(k, scores, clock, random, [&bytes, lines] {
        QBuffer file(&bytes);
        file.open(QIODevice::ReadOnly);
        return TaskFile::read(file, lines, u"Aufgaben.txt"_s);
    });
    const QString startError = engine.start();
    TaskStep step;
    for (const QChar c : keys) {
        step = engine.press(c);
        if (step.finished)
            engine.next();
    }
    QCOMPARE(scores(k), after);
    QCOMPARE((startError.isEmpty() ? step.message : startError) + u'|' + step.hint, shown);
}

QTEST_GUILESS_MAIN(TestLetterFields)
#include "tst_letterfields.moc"
