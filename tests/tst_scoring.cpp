#include "core/ProgramState.h"
#include "core/Scoring.h"
#include "frame/TimedTask.h"
#include "support/FakePlatform.h"

#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;

class TestScoring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void result_data();
    void result();
    void scoreLabel();
    void interleavedTasksKeepTheirOwnMeasure();
};

void TestScoring::result_data()
{
    QTest::addColumn<double>("now"); // the task began at second 1000 of the day, or 86395
    QTest::addColumn<int>("errors");
    QTest::addColumn<QString>("text"); // after "gebrauchte Zeit: ", with a weight of 10
    QTest::newRow("8 s, 3 errors") << 1008.0 << 3 << u"8 s | 3 Fehler | 95 Punkte"_s;
    QTest::newRow("62.5 to even") << 1016.0 << 0 << u"16 s | 0 Fehler | 62 Punkte"_s;
    QTest::newRow("20.83 up") << 1048.0 << 0 << u"48 s | 0 Fehler | 21 Punkte"_s;
    QTest::newRow("negative") << 1050.0 << 5 << u"50 s | 5 Fehler | -30 Punkte"_s;
    QTest::newRow("now rounds half to even") << 1041.5 << 0 << u"42 s | 0 Fehler | 24 Punkte"_s;
    QTest::newRow("same second counts one") << 1000.2 << 0 << u"1 s | 0 Fehler | 1000 Punkte"_s;
    QTest::newRow("across midnight") << 5.0 << 0 << u"10 s | 0 Fehler | 100 Punkte"_s;
    QTest::newRow("error count stays in range")
        << 1010.0 << std::numeric_limits<qint32>::max()
        << u"10 s | 2147483647 Fehler | -2147483648 Punkte"_s;
}

void TestScoring::result()
{
    QFETCH(double, now);
    QFETCH(int, errors);
    QFETCH(QString, text);
    FakeClock clock;
    clock.seconds = now;
    ProgramState state;
    state.lngStartzeit = now < 1000 ? 86395 : 1000;
    state.lngAnzahl = 10;
    state.lngFehler = errors;
    scoreTimedTask(state, clock);
    QCOMPARE(state.strErgebnis, u"gebrauchte Zeit: "_s + text);
    QCOMPARE(state.strErgebnis.section(u' ', -2, -2).toInt(), state.lngPunkte);
    QCOMPARE(state.lngFehler, 0);
}

void TestScoring::scoreLabel()
{
    QCOMPARE(scoreLabelText(-50), u"Punktestand: -0000050"_s);
    QCOMPARE(scoreLabelText(12345678), u"Punktestand: 12345678"_s);
    QCOMPARE(scoreLabelText(std::numeric_limits<qint32>::min()), u"Punktestand: -2147483648"_s);
}

// A typed text and an arithmetic task open side by side, worked in turns: each is scored by its
// own start, weight and errors.
void TestScoring::interleavedTasksKeepTheirOwnMeasure()
{
    FakeClock clock;
    ProgramState state;
    TimedTask typing(1, state, clock);
    TimedTask sum(9, state, clock);
    typing.begin(u"Hallo Welt"_s, u"Hallo Welt"_s, 5);
    clock.seconds = 100;
    typing.takeStartTime();
    typing.press(u'H');
    typing.press(u'x');
    sum.begin(u"3 · 4 ="_s, u"12"_s, 10);
    clock.seconds = 200;
    sum.takeStartTime();
    sum.press(u'1');
    clock.seconds = 204;
    sum.press(u'2');
    clock.seconds = 110;
    for (const QChar c : u"allo Welt"_s)
        typing.press(c);
    QCOMPARE(state.ScoreTable(1), 40);
    QCOMPARE(state.ScoreTable(9), 250);
}

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
