#include "TestSupport.h"
#include "app/ExerciseCatalogue.h"
#include "app/ProgramState.h"
#include "app/Theme.h"
#include "arithmetic/ArithmeticScreen.h"
#include "frame/ExerciseScreens.h"
#include "platform/doubles/FakePlatform.h"

#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// Kopfrechnen on a task file of its own, with the clock and the draw in hand.
struct Bench
{
    explicit Bench(const QStringList& lines)
    {
        fake.folders.program = dir.path();
        writeFile(path(), taskFileBytes(lines));
    }
    QString path() const { return dir.path() + exercise(9).taskFile; }
    bool open()
    {
        screen.reset(static_cast<ArithmeticScreen*>(createExerciseScreen(9, state, fake.platform)));
        return screen->open();
    }
    void type(const QString& keys) const { typeKeys(*screen, keys); }
    // Types the current answer right in 3 s; then the pause of one second runs out.
    void solve(bool pauseRunsOut = true)
    {
        fake.clock.advance(3);
        type(screen->rules().entry().answer());
        fake.clock.advance(1);
        if (pauseRunsOut)
            screen->pauseEnded();
    }

    QTemporaryDir dir;
    FakePlatform fake;
    ProgramState state;
    std::unique_ptr<ArithmeticScreen> screen;
};

const QStringList TwoPairs { u"A"_s, u"1"_s, u"B"_s, u"2"_s };
} // namespace

class TestArithmetic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typesAnswer_data();
    void typesAnswer();
    void nextTaskStartsAfresh();
    void twoPairsAlternate();
    void endsAfterTheTask_data();
    void endsAfterTheTask();
};

void TestArithmetic::typesAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QString>("score"); // unchanged until the answer is complete
    QTest::newRow("4 s") << u"56"_s << 4.0 << u"56"_s << u"56_"_s << 0 << u"0000250"_s;
    QTest::newRow("7 s, x then 6") << u"56"_s << 7.0 << u"5x6"_s << u"56_"_s << 1 << u"0000133"_s;
    QTest::newRow("16 s") << u"56"_s << 16.0 << u"56"_s << u"56_"_s << 0 << u"0000062"_s;
    QTest::newRow("negative") << u"56"_s << 200.0 << u"5x6"_s << u"56_"_s << 1 << u"-0000005"_s;
    QTest::newRow("pause") << u"56"_s << 4.0 << u"564\bx"_s << u"56_"_s << 0 << u"0000250"_s;
    QTest::newRow("Backspace") << u"42"_s << 0.0 << u"4\b"_s << u"4_"_s << 1 << u"0000000"_s;
    QTest::newRow("wrong case") << u"Ab"_s << 0.0 << u"a"_s << u"_"_s << 1 << u"0000000"_s;
    // At least 1 s; 1 wrong key: 1000 - 10 points.
    QTest::newRow("empty answer") << QString() << 0.0 << u"7"_s << u"_"_s << 1 << u"0000990"_s;
}

void TestArithmetic::typesAnswer()
{
    QFETCH(QString, answer);
    QFETCH(double, seconds);
    QFETCH(QString, keys);
    QFETCH(QString, line);
    QFETCH(int, errors);
    QFETCH(QString, score);
    Bench bench({ u"Aufgabe ="_s, answer });
    QVERIFY(bench.open());

    bench.fake.clock.advance(seconds);
    bench.type(keys);
    QCOMPARE(bench.screen->lblEingabe->text(), line);
    QCOMPARE(bench.screen->lblFehler->text(), QString::number(errors));
    QCOMPARE(bench.screen->lblPunktestand->text(), score);
}

void TestArithmetic::nextTaskStartsAfresh()
{
    Bench bench({ u"1 + 1 ="_s, QString(), u"2 + 2 ="_s, u"4"_s });
    QVERIFY(bench.open());
    bench.type(u"x"_s); // solves the empty answer and leaves the line red

    // Only the time spent on a task counts, not the pause before it.
    bench.fake.clock.advance(30);
    bench.screen->pauseEnded();
    QCOMPARE(Theme::textColour(bench.screen->lblEingabe), Theme::Black);
    bench.fake.clock.advance(4);
    bench.type(u"4"_s);
    QCOMPARE(bench.state.ScoreTable(9), 990 + 250);
}

void TestArithmetic::twoPairsAlternate()
{
    Bench bench(TwoPairs);
    // A first, then B; every refill then draws B again, which must not come twice in a row.
    bench.fake.random.queued = { 0.0 };
    bench.fake.random.fallback = 0.99;
    QVERIFY(bench.open());
    for (int refills = 0; refills < 3; ++refills) {
        QCOMPARE(bench.screen->lblVorgabe->text(), u"A"_s);
        bench.solve();
        QCOMPARE(bench.screen->lblVorgabe->text(), u"B"_s);
        bench.solve();
    }
}

void TestArithmetic::endsAfterTheTask_data()
{
    QTest::addColumn<bool>("timeLimit"); // otherwise the task file vanishes
    QTest::addColumn<QString>("message");
    QTest::newRow("time limit") << true << u"Die eingestellte Zeit ist abgelaufen."_s;
    QTest::newRow("task file vanishes") << false << u"Kopfrechnen.txt"_s;
}

void TestArithmetic::endsAfterTheTask()
{
    QFETCH(bool, timeLimit);
    QFETCH(QString, message);
    Bench bench(TwoPairs);
    QVERIFY(bench.open());
    bench.screen->show();
    bench.screen->opt5min->setChecked(timeLimit);
    for (int second = 1; second < 5 * 60; ++second)
        bench.screen->clockStep();
    bench.solve();

    // The limit is crossed, or the file goes, while the second task is worked on.
    if (timeLimit)
        bench.screen->clockStep();
    else
        QVERIFY(QFile::remove(bench.path()));
    bench.solve(false);
    QCOMPARE(bench.state.ScoreTable(9), 2 * 333);
    QVERIFY(bench.fake.messages.shown.isEmpty());
    bench.screen->pauseEnded();
    QCOMPARE(bench.fake.messages.shown.size(), 1);
    QVERIFY(bench.fake.messages.shown.first().text.contains(message));
    QVERIFY(!bench.screen->isVisible());
}

QTEST_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"
