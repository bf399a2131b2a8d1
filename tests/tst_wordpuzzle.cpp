#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "language/WordPuzzle.h"
#include "support/FakePlatform.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;
using Drop = WordPuzzle::Outcome::Drop;
using Colour = WordPuzzle::Colour;

namespace {
// The word puzzle over lines from memory; with the draw at 0 the words come in file order and
// the tiles lie in the first columns.
struct Puzzle
{
    explicit Puzzle(QStringList words, qint32 score = 1000)
        : lines(std::move(words))
    {
        scores(2) = score;
    }

    // Dragged with the left button, grabbed inside the tile, until its corner lies there.
    void moveTo(int i, float left, float top)
    {
        const WordPuzzle::Position grip { 187, 240 };
        puzzle.grab(i, grip);
        const WordPuzzle::Position at = puzzle.tile(i).position;
        puzzle.drag(i, { left - at.left + grip.left, top - at.top + grip.top }, true);
    }

    WordPuzzle::Outcome drop(int i, float left, float top)
    {
        moveTo(i, left, top);
        return puzzle.release(i);
    }

    // "t>b" drops tile t on box b, "solution" shows the solution, "flash" lets Timer3 run out.
    WordPuzzle::Outcome act(const QString& step)
    {
        if (step == u"solution"_s)
            return puzzle.showSolution();
        if (step == u"flash"_s) {
            puzzle.endFlash();
            return {};
        }
        const WordPuzzle::Position box = puzzle.box(step.section(u'>', 1).toInt());
        return drop(step.section(u'>', 0, 0).toInt(), box.left, box.top);
    }

    // Y, G or R for each tile.
    QString colours() const
    {
        QString shown;
        for (int i = 0; i < puzzle.length(); ++i)
            shown += QStringLiteral("YGR")[static_cast<int>(puzzle.tile(i).colour)];
        return shown;
    }

    QStringList lines;
    int reads = 0;
    Scores scores;
    FakeRandom random;
    WordPuzzle puzzle { scores, random, [this] {
                           ++reads;
                           return TaskFile::Result { { lines }, {} };
                       } };
};
} // namespace

class TestWordPuzzle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hitTest_data();
    void hitTest();
    void steps_data();
    void steps();
    void keptInArea_data();
    void keptInArea();
    void layout_data();
    void layout();
    void wordPile_data();
    void wordPile();
    void noUsableWord();
};

void TestWordPuzzle::hitTest_data()
{
    QTest::addColumn<float>("dx"); // from the corner of box 0, which expects tile 0's letter
    QTest::addColumn<float>("dy");
    QTest::addColumn<bool>("boxTaken"); // the other A fixed in box 0 first
    QTest::addColumn<bool>("judged");
    QTest::newRow("on the box") << 0.F << 0.F << false << true;
    QTest::newRow("99 left and above") << -99.F << -99.F << false << true;
    QTest::newRow("99 right and below") << 99.F << 99.F << false << true;
    QTest::newRow("100 left") << -100.F << 0.F << false << false;
    QTest::newRow("100 right") << 100.F << 0.F << false << false;
    QTest::newRow("100 above") << 0.F << -100.F << false << false;
    QTest::newRow("100 below") << 0.F << 100.F << false << false;
    QTest::newRow("99.99 left") << -99.99F << 0.F << false << true;
    QTest::newRow("occupied box") << 0.F << 0.F << true << false;
}

void TestWordPuzzle::hitTest()
{
    QFETCH(float, dx);
    QFETCH(float, dy);
    QFETCH(bool, boxTaken);
    QFETCH(bool, judged);
    Puzzle p({ u"AAb"_s });
    QCOMPARE(p.puzzle.start(), QString());
    if (boxTaken)
        QCOMPARE(p.act(u"1>0"_s).drop, Drop::Right);
    const qint32 before = p.scores(2);

    const WordPuzzle::Position box = p.puzzle.box(0);
    const WordPuzzle::Outcome outcome = p.drop(0, box.left + dx, box.top + dy);
    QCOMPARE(outcome.drop, judged ? Drop::Right : Drop::None);
    QCOMPARE(p.scores(2), before + (judged ? 10 : 0));
    // A right tile snaps into the box; any other stays where it was let go.
    const WordPuzzle::Position expected
        = judged ? box : WordPuzzle::Position { box.left + dx, box.top + dy };
    QCOMPARE(p.puzzle.tile(0).position, expected);
    QCOMPARE(p.puzzle.tile(0).colour, judged ? Colour::Green : Colour::Yellow);
}

void TestWordPuzzle::steps_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<qint32>("score");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<qint32>("after");
    QTest::addColumn<QString>("colours"); // Y, G or R for each tile
    QTest::addColumn<QString>("message"); // the last one given
    QTest::addColumn<int>("pause"); // the last Timer2 interval asked for; 0: none
    const QString ohr = u"Ohr"_s;
    QTest::newRow("right") << ohr << 1000 << u"0>0"_s << 1010 << u"GYY"_s << u"+ 10 Punkte"_s << 0;
    QTest::newRow("wrong") << ohr << 1000 << u"0>1"_s << 990 << u"RYY"_s << u"- 10 Punkte"_s << 0;
    QTest::newRow("5 - 10 stops at 0")
        << ohr << 5 << u"0>1"_s << 0 << u"RYY"_s << u"- 10 Punkte"_s << 0;
    // The bonus goes by the wrong drops in the word; a click on a tile left on a wrong box is
    // another.
    QString wrong;
    const QList<std::pair<int, QString>> bonus { { 100, u"+ 100 Punkte für 0 Fehler"_s },
        { 50, u"+ 50 Punkte für 1 Fehler"_s }, { 25, u"+ 25 Punkte für 2 Fehler"_s },
        { 10, u"+ 10 Punkte für 3 Fehler"_s }, { 0, u"+ 10 Punkte"_s } };
    for (qint32 n = 0; n < bonus.size(); ++n) {
        QTest::addRow("bonus after %d wrong", n)
            << u"Ab"_s << 1000 << wrong + u"1>1 0>0"_s << 1000 - 10 * n + 20 + bonus[n].first
            << u"GG"_s << bonus[n].second << WordPuzzle::PauseAfterWord;
        wrong += u"0>1 "_s;
    }
    // Either l of Ball fits either l box.
    QTest::newRow("Ball, l in own box")
        << u"Ball"_s << 0 << u"2>2 3>3"_s << 20 << u"YYGG"_s << u"+ 10 Punkte"_s << 0;
    QTest::newRow("Ball, l boxes swapped")
        << u"Ball"_s << 0 << u"2>3 3>2"_s << 20 << u"YYGG"_s << u"+ 10 Punkte"_s << 0;
    // Only the last wrong tile turns yellow again; a tile fixed meanwhile stays fixed.
    QTest::newRow("two wrong in the flash")
        << ohr << 1000 << u"0>1 1>2 flash"_s << 980 << u"RYY"_s << u"- 10 Punkte"_s << 0;
    QTest::newRow("same tile twice in the flash")
        << ohr << 1000 << u"0>1 0>2 flash"_s << 980 << u"YYY"_s << u"- 10 Punkte"_s << 0;
    QTest::newRow("fixed in the flash")
        << ohr << 1000 << u"0>1 0>0 flash"_s << 1000 << u"GYY"_s << u"+ 10 Punkte"_s << 0;
    QTest::newRow("solution in the flash")
        << ohr << 1000 << u"0>1 solution flash"_s << 890 << u"RRR"_s << u"- 100 Punkte"_s << 3000;
    QTest::newRow("solution") << ohr << 1000 << u"0>0 solution"_s << 910 << u"RRR"_s
                              << u"- 100 Punkte"_s << 3000;
    QTest::newRow("60 - 100 stops at 0")
        << ohr << 60 << u"solution"_s << 0 << u"RRR"_s << u"- 100 Punkte"_s << 3000;
    QTest::newRow("solution twice costs once")
        << ohr << 1000 << u"solution solution"_s << 900 << u"RRR"_s << u"- 100 Punkte"_s << 3000;
    QTest::newRow("solution in the pause after the word")
        << ohr << 1000 << u"0>0 1>1 2>2 solution"_s << 1030 << u"RRR"_s << u"- 100 Punkte"_s
        << 3000;
    // Shown only: the tiles stay loose, and a click on one on its free box is judged, but the
    // word earns no bonus.
    QTest::newRow("solved after the solution")
        << ohr << 1000 << u"solution 0>0 1>1 2>2"_s << 930 << u"GGG"_s << u"+ 10 Punkte"_s << 1000;
}

void TestWordPuzzle::steps()
{
    QFETCH(QString, word);
    QFETCH(qint32, score);
    QFETCH(QString, steps);
    QFETCH(qint32, after);
    QFETCH(QString, colours);
    QFETCH(QString, message);
    QFETCH(int, pause);
    Puzzle p({ word }, score);
    QCOMPARE(p.puzzle.start(), QString());
    QString shown;
    int asked = 0;
    int wrong = 0;
    for (const QString& step : steps.split(u' ')) {
        const WordPuzzle::Outcome outcome = p.act(step);
        shown = outcome.message.isNull() ? shown : outcome.message;
        asked = outcome.pause > 0 ? outcome.pause : asked;
        wrong += outcome.drop == Drop::Wrong;
        QCOMPARE(outcome.flash, outcome.drop == Drop::Wrong);
    }
    QCOMPARE(p.scores(2), after);
    QCOMPARE(p.colours(), colours);
    QCOMPARE(shown, message);
    QCOMPARE(asked, pause);
    QCOMPARE(p.puzzle.errors(), wrong);
}

void TestWordPuzzle::keptInArea_data()
{
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("keptLeft");
    QTest::addColumn<float>("keptTop");
    QTest::newRow("above the area") << 1000.F << 300.F << 1000.F << 2040.F;
    QTest::newRow("far right") << 12000.F << 3000.F << 9000.F << 3000.F;
    QTest::newRow("below") << 1000.F << 6000.F << 1000.F << 4560.F;
    QTest::newRow("left") << -400.F << 3000.F << 120.F << 3000.F;
    QTest::newRow("off the top left corner") << -1.F << -1.F << 120.F << 2040.F;
    QTest::newRow("inside") << 9000.F << 4560.F << 9000.F << 4560.F;
}

void TestWordPuzzle::keptInArea()
{
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(float, keptLeft);
    QFETCH(float, keptTop);
    Puzzle p({ u"Ohr"_s });
    QCOMPARE(p.puzzle.start(), QString());
    QCOMPARE(p.drop(1, left, top).drop, Drop::None);
    QCOMPARE(p.puzzle.tile(1).position, (WordPuzzle::Position { keptLeft, keptTop }));
}

void TestWordPuzzle::layout_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<double>("draw");
    QTest::addColumn<int>("firstBox");
    const int offsets[] = { 0, 0, 1660, 1420, 1180, 940, 700, 460, 0, 0 };
    const QString letters = u"Schmetterl"_s;
    for (int n = 1; n <= 10; ++n) {
        for (const double draw : { 0.0, 0.5, 0.9999 }) {
            QTest::addRow("%d letters, draw %g", n, draw)
                << letters.left(n) << draw << 2280 + offsets[n - 1];
        }
    }
}

void TestWordPuzzle::layout()
{
    QFETCH(QString, word);
    QFETCH(double, draw);
    QFETCH(int, firstBox);
    Puzzle p({ word });
    p.random.fallback = draw;
    QCOMPARE(p.puzzle.start(), QString());
    QSet<float> columns;
    for (int i = 0; i < p.puzzle.length(); ++i) {
        QCOMPARE(p.puzzle.box(i), (WordPuzzle::Position { float(firstBox + 480 * i), 4320.F }));
        const WordPuzzle::Tile& tile = p.puzzle.tile(i);
        QCOMPARE(tile.letter, word[i]);
        QCOMPARE(tile.colour, Colour::Yellow);
        const auto column = static_cast<int>(tile.position.left);
        QVERIFY2(column >= 240 && column <= 8880 && (column - 240) % 360 == 0,
            qPrintable(QString::number(column)));
        columns.insert(tile.position.left);
        QVERIFY(QList<float>({ 2040, 2520, 3000, 3480 }).contains(tile.position.top));
    }
    QCOMPARE(columns.size(), word.size());
}

void TestWordPuzzle::wordPile_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("solved"); // which word shows its solution; 0: none
    QTest::addColumn<QStringList>("words"); // laid out in turn, the draw at 0
    QTest::addColumn<int>("reads");
    QTest::newRow("a copy waits for its turn") << QStringList { u"Hut"_s, u"Ohr"_s, u"Hut"_s } << 0
                                               << QStringList { u"Hut"_s, u"Ohr"_s, u"Hut"_s } << 1;
    QTest::newRow("the solution deletes a waiting copy")
        << QStringList { u"Hut"_s, u"Ohr"_s, u"Hut"_s } << 1
        << QStringList { u"Hut"_s, u"Ohr"_s, u"Hut"_s } << 2;
    QTest::newRow("the last copy is not waiting")
        << QStringList { u"Hut"_s, u"Ohr"_s, u"Hut"_s } << 3
        << QStringList { u"Hut"_s, u"Ohr"_s, u"Hut"_s, u"Hut"_s } << 2;
    QTest::newRow("a refill may repeat the word")
        << QStringList { u"Ohr"_s } << 0 << QStringList { u"Ohr"_s, u"Ohr"_s } << 2;
    QTest::newRow("empty and long lines skipped")
        << QStringList { QString(), u"Regenschirme"_s, u"Schneemann"_s, u"a"_s } << 0
        << QStringList { u"Schneemann"_s, u"a"_s, u"Schneemann"_s } << 2;
    // As large as a task file may be, with an empty line after every word: skipping them must
    // not keep the screen from opening.
    QStringList spaced;
    for (int i = 0; i < 500'000; ++i)
        spaced << u"Ohr"_s << QString();
    QTest::newRow("a large file with empty lines")
        << spaced << 0 << QStringList { u"Ohr"_s, u"Ohr"_s } << 1;
}

void TestWordPuzzle::wordPile()
{
    QFETCH(QStringList, lines);
    QFETCH(int, solved);
    QFETCH(QStringList, words);
    QFETCH(int, reads);
    Puzzle p(lines);
    QCOMPARE(p.puzzle.start(), QString());
    for (int n = 1; n <= words.size(); ++n) {
        if (n > 1)
            QCOMPARE(p.puzzle.next(), QString());
        QCOMPARE(p.puzzle.word(), words[n - 1]);
        QCOMPARE(p.puzzle.taskNumber(), n);
        if (n == solved)
            p.puzzle.showSolution();
    }
    QCOMPARE(p.reads, reads);
}

void TestWordPuzzle::noUsableWord()
{
    Puzzle p({ QString(), u"Regenbogenfarben"_s });
    const QString error = p.puzzle.start();
    QVERIFY2(error.contains(exercise(2).taskFile.mid(1)), qPrintable(error));
    // Nor at a later pass.
    Puzzle gone({ u"Ohr"_s });
    QCOMPARE(gone.puzzle.start(), QString());
    gone.lines.clear();
    QVERIFY(!gone.puzzle.next().isEmpty());
}

QTEST_GUILESS_MAIN(TestWordPuzzle)
#include "tst_wordpuzzle.moc"
