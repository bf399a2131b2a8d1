#include "core/ProgramState.h"
#include "language/WordPuzzle.h"
#include "support/FakePlatform.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;
using Position = WordPuzzle::Position;

namespace {
// The word puzzle over lines from memory; with the draw at 0 the words come in file order and
// the tiles lie in the first columns.
struct Puzzle
{
    // "t>b" drops tile t on box b, "t@x,y" with its corner at x,y, dragged with the left
    // button; "solution" shows the solution, "flash" lets Timer3 run out.
    WordPuzzle::Outcome act(const QString& step)
    {
        if (step == u"solution"_s)
            return puzzle.showSolution();
        if (step == u"flash"_s) {
            puzzle.endFlash();
            return {};
        }
        last = step.left(1).toInt();
        const QStringList xy = step.mid(2).split(u',');
        const Position target = step[1] == u'>' ? puzzle.box(xy[0].toInt())
                                                : Position { xy[0].toFloat(), xy[1].toFloat() };
        const Position grip { 187, 240 };
        puzzle.grab(last, grip);
        const Position at = puzzle.tile(last).position;
        puzzle.drag(last, { target.left - at.left + grip.left, target.top - at.top + grip.top });
        return puzzle.release(last);
    }

    QStringList lines;
    int last = 0; // the tile dropped last
    Scores scores {};
    FakeClock clock {};
    FakeRandom random {};
    WordPuzzle puzzle { 2, scores, clock, random, [this] {
                           return TaskFile::Result { { lines }, {} };
                       } };
};
} // namespace

class TestWordPuzzle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data();
    void steps();
    void wordPile_data();
    void wordPile();
};

void TestWordPuzzle::steps_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("score"); // before
    QTest::addColumn<QString>("steps");
    // The last message given, the score, Y, G or R for each tile, the last pause asked for
    // (0: none) and, where it matters, the corner of the tile dropped last.
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* word, const char* steps, const char* expected,
                         const char* message = "", int score = 1000) {
        QTest::newRow(name) << QString::fromUtf8(word) << score << QString::fromUtf8(steps)
                            << QString::fromUtf8(message) + u'|' + QString::fromUtf8(expected);
    };
    // Judged when the corner lies less than 100 twips from the box's both ways and the box is
    // free; a right tile snaps in. Box 0 of a three-letter word lies at 3940,4320.
    row("99 left and above", "AAb", "0@3841,4221", "1010 GYY 0 3940,4320", "+ 10 Punkte");
    row("99 right and below, 99.99 left of box 1", "AAb", "0@4039,4419 1@4320.01,4320",
        "1020 GGY 0", "+ 10 Punkte");
    // A hit on the way would fix the tile there. Let go outside the play area, a tile is brought
    // back to its edge.
    row("100 off each way, then beyond the bottom right", "AAb",
        "0@3840,4320 0@4040,4320 0@3940,4220 0@3940,4420 0@12000,6000", "1000 YYY 0 9000,4560");
    row("occupied box", "AAb", "1>0 0>0", "1010 YGY 0 3940,4320", "+ 10 Punkte");
    row("beyond the top left", "Ohr", "1@-1,-1", "1000 YYY 0 120,2040");
    // A word of 3 to 8 letters stands in the middle; a word of one letter is solved at once.
    row("1 letter", "S", "0>0", "1110 G 1000 2280,4320", "+ 100 Punkte für 0 Fehler");
    row("8 letters", "Schmette", "0>0", "1010 GYYYYYYY 0 2740,4320", "+ 10 Punkte");
    row("9 letters", "Schmetter", "0>0", "1010 GYYYYYYYY 0 2280,4320", "+ 10 Punkte");
    // The bonus goes by the wrong drops in the word; a click on a tile left on a wrong box is
    // another.
    row("bonus after 0 wrong", "Ab", "1>1 0>0", "1120 GG 1000", "+ 100 Punkte für 0 Fehler");
    row("bonus after 1 wrong", "Ab", "0>1 1>1 0>0", "1060 GG 1000", "+ 50 Punkte für 1 Fehler");
    row("bonus after 3 wrong", "Ab", "0>1 0>1 0>1 1>1 0>0", "1000 GG 1000",
        "+ 10 Punkte für 3 Fehler");
    row("bonus after 4 wrong", "Ab", "0>1 0>1 0>1 0>1 1>1 0>0", "980 GG 1000", "+ 10 Punkte");
    row("Ball, l boxes swapped", "Ball", "2>3 3>2", "1020 YYGG 0", "+ 10 Punkte");
    row("60 - 100 stops at 0", "Ohr", "solution", "0 RRR 3000", "- 100 Punkte", 60);
    row("stops at the top", "Ohr", "0>0", "2147483647 GYY 0", "+ 10 Punkte", 2147483640);
    // Only the last wrong tile turns yellow again; a tile fixed meanwhile stays fixed.
    row("two wrong in the flash", "Ohr", "0>1 1>2 flash", "980 RYY 0", "- 10 Punkte");
    row("fixed in the flash", "Ohr", "0>1 0>0 flash", "1000 GYY 0", "+ 10 Punkte");
    row("solution twice costs once", "Ohr", "0>0 solution solution", "910 RRR 3000",
        "- 100 Punkte");
    row("solution in the pause after the word", "Ohr", "0>0 1>1 2>2 solution", "1030 RRR 3000",
        "- 100 Punkte");
    // Shown only: the tiles stay loose and are judged on their free boxes, but the word earns
    // no bonus.
    row("solved after the solution", "Ohr", "solution 0>0 1>1 2>2", "930 GGG 1000", "+ 10 Punkte");
}

void TestWordPuzzle::steps()
{
    QFETCH(QString, word);
    QFETCH(int, score);
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    Puzzle p { { word } };
    p.scores(2) = score;
    QCOMPARE(p.puzzle.start(), QString());
    QSet<float> columns; // of the tiles' home places: never shared within a word
    for (int i = 0; i < p.puzzle.length(); ++i)
        columns.insert(p.puzzle.tile(i).position.left);
    QCOMPARE(columns.size(), p.puzzle.length());
    QString shown;
    int pause = 0;
    for (const QString& step : steps.split(u' ')) {
        const WordPuzzle::Outcome outcome = p.act(step);
        shown = outcome.message.isNull() ? shown : outcome.message;
        pause = outcome.pause > 0 ? outcome.pause : pause;
    }
    QString state = u"%1|%2 "_s.arg(shown).arg(p.scores(2));
    for (int i = 0; i < p.puzzle.length(); ++i)
        state += u"YGR"_s[static_cast<int>(p.puzzle.tile(i).colour)];
    const Position corner = p.puzzle.tile(p.last).position;
    state += u" %1 %2,%3"_s.arg(pause).arg(corner.left).arg(corner.top);
    QCOMPARE(state.left(expected.size()), expected);
}

void TestWordPuzzle::wordPile_data()
{
    QTest::addColumn<QString>("lines"); // of the task file, between bars
    QTest::addColumn<int>("solved"); // which word shows its solution; 0: none
    QTest::addColumn<QString>("words"); // laid out in turn, the draw at 0, or why not
    // A copy waits for its turn, and a refill may repeat the word just shown.
    QTest::newRow("the last copy is not waiting") << u"Hut|Ohr|Hut"_s << 3 << u"Hut|Ohr|Hut|Hut"_s;
    QTest::newRow("the solution deletes a waiting copy")
        << u"Hut|Ohr|Hut|Ei"_s << 1 << u"Hut|Ohr|Ei|Hut"_s;
    QTest::newRow("empty and long lines skipped")
        << u"|Regenschirme|Schneemann|a"_s << 0 << u"Schneemann|a|Schneemann"_s;
    QTest::newRow("no word of 1 to 10 letters")
        << u"|Regenbogenfarben"_s << 0
        << u"Die Aufgabendatei „Wortpuzzle.txt“ enthält kein Wort mit 1 bis 10 Zeichen."_s;
    // As large as a task file may be, with an empty line after every word: skipping them must
    // not keep the screen from opening.
    QTest::newRow("a large file with empty lines")
        << u"Ohr|"_s.repeated(500'000) << 0 << u"Ohr|Ohr"_s;
}

void TestWordPuzzle::wordPile()
{
    QFETCH(QString, lines);
    QFETCH(int, solved);
    QFETCH(QString, words);
    Puzzle p { lines.split(u'|') };
    QStringList shown;
    while (shown.size() <= words.count(u'|')) {
        const QString error = shown.isEmpty() ? p.puzzle.start() : p.puzzle.next();
        shown.append(error.isEmpty() ? p.puzzle.word() : error);
        if (p.puzzle.taskNumber() == solved)
            p.puzzle.showSolution();
    }
    QCOMPARE(shown.join(u'|'), words);
}

QTEST_GUILESS_MAIN(TestWordPuzzle)
#include "tst_wordpuzzle.moc"
