#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "core/ScoreStore.h"
#include "core/Scoring.h"
#include "frame/TimedTask.h"
#include "platform/SettingsStore.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;

class TestScoring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scoreDisplay_data();
    void scoreDisplay();
    void result_data();
    void result();
    void settingsValue_data();
    void settingsValue();
    void interleavedTasksKeepTheirOwnMeasure();
};

void TestScoring::scoreDisplay_data()
{
    QTest::addColumn<qint64>("score");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("label");
    QTest::newRow("zero") << qint64 { 0 } << 7 << "Punktestand: 0000000";
    QTest::newRow("negative") << qint64 { -50 } << 7 << "Punktestand: -0000050";
    QTest::newRow("eight digits") << qint64 { 12345678 } << 7 << "Punktestand: 12345678";
    QTest::newRow("lowest") << qint64 { std::numeric_limits<qint32>::min() } << 7
                            << "Punktestand: -2147483648";
    QTest::newRow("score file load") << qint64 { 120 } << 6 << "Punktestand: 000120";
}

void TestScoring::scoreDisplay()
{
    QFETCH(qint64, score);
    QFETCH(int, digits);
    QFETCH(QString, label);
    QCOMPARE(scoreLabelText(score, digits), label);
}

void TestScoring::result_data()
{
    QTest::addColumn<double>("now"); // the task began at second 1000 of the day, or 86395
    QTest::addColumn<int>("errors");
    QTest::addColumn<QString>("text"); // with a weight of 10
    QTest::newRow("25 s") << 1025.0 << 0 << "gebrauchte Zeit: 25 s | 0 Fehler | 40 Punkte";
    QTest::newRow("8 s, 3 errors") << 1008.0 << 3 << "gebrauchte Zeit: 8 s | 3 Fehler | 95 Punkte";
    QTest::newRow("62.5 to even") << 1016.0 << 0 << "gebrauchte Zeit: 16 s | 0 Fehler | 62 Punkte";
    QTest::newRow("20.83 up") << 1048.0 << 0 << "gebrauchte Zeit: 48 s | 0 Fehler | 21 Punkte";
    QTest::newRow("negative") << 1050.0 << 5 << "gebrauchte Zeit: 50 s | 5 Fehler | -30 Punkte";
    QTest::newRow("now rounds half to even")
        << 1040.5 << 0 << "gebrauchte Zeit: 40 s | 0 Fehler | 25 Punkte";
    QTest::newRow("same second counts one")
        << 1000.2 << 0 << "gebrauchte Zeit: 1 s | 0 Fehler | 1000 Punkte";
    QTest::newRow("across midnight") << 5.0 << 0 << "gebrauchte Zeit: 10 s | 0 Fehler | 100 Punkte";
    QTest::newRow("error count stays in range")
        << 1010.0 << std::numeric_limits<qint32>::max()
        << "gebrauchte Zeit: 10 s | 2147483647 Fehler | -2147483648 Punkte";
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
    subErgebnis(state, clock);
    QCOMPARE(state.strErgebnis, text);
    QCOMPARE(state.strErgebnis.section(QLatin1Char(' '), -2, -2).toInt(), state.lngPunkte);
    QCOMPARE(state.lngFehler, 0);
}

void TestScoring::settingsValue_data()
{
    // The value as it stands in the settings file, after "Abtippuebungen=".
    QTest::addColumn<QByteArray>("stored"); // null: no such key
    QTest::addColumn<int>("score");
    QTest::newRow("missing") << QByteArray() << 0;
    QTest::newRow("negative") << QByteArray("-20") << -20;
    QTest::newRow("leading blanks") << QByteArray("   42") << 42;
    QTest::newRow("trailing letters") << QByteArray("12abc") << 12;
    QTest::newRow("decimal comma") << QByteArray("12,5") << 12;
    QTest::newRow("7.5 up") << QByteArray("7.5") << 8;
    QTest::newRow("6.5 down to even") << QByteArray("6.5") << 6;
    QTest::newRow("2.5 down to even") << QByteArray("2.5") << 2;
    QTest::newRow("a trace above a half") << QByteArray("2.5000000000000000001") << 3;
    QTest::newRow("a trace below a half") << QByteArray("1.49999999999999999999") << 1;
    QTest::newRow("negative half to even") << QByteArray("-3.5") << -4;
    QTest::newRow("text") << QByteArray("Punkte") << 0;
    QTest::newRow("above range") << QByteArray("99999999999") << std::numeric_limits<qint32>::max();
    QTest::newRow("below range") << QByteArray("-99999999999")
                                 << std::numeric_limits<qint32>::min();
    QTest::newRow("hundred digits") << QByteArray(100, '9') << std::numeric_limits<qint32>::max();
}

void TestScoring::settingsValue()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, score);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Tambolino.conf"_s);
    QByteArray file = "[Punktestaende]\nWortpuzzle=1\n";
    if (!stored.isNull())
        file += "Abtippuebungen=" + stored + "\n";
    QVERIFY(writeFile(path, file));
    const Scores scores = ScoreStore::load(QtSettingsStore(path));
    QCOMPARE(scores(1), score);
    QCOMPARE(scores(2), 1);
}

void TestScoring::interleavedTasksKeepTheirOwnMeasure()
{
    // A typed text and an arithmetic task open side by side, worked in turns.
    FakeClock clock;
    ProgramState state;
    TimedTask typing(1, state, clock);
    TimedTask sum(9, state, clock);
    typing.begin(QStringLiteral("Hallo Welt"), 5);
    clock.seconds = 100;
    typing.takeStartTime();
    typing.press(QLatin1Char('H'));
    typing.press(QLatin1Char('x'));

    sum.begin(QStringLiteral("12"), 10);
    clock.seconds = 200;
    sum.takeStartTime();
    sum.press(QLatin1Char('1'));
    clock.seconds = 204;
    QVERIFY(sum.press(QLatin1Char('2')).finished);
    QCOMPARE(state.strErgebnis, QStringLiteral("gebrauchte Zeit: 4 s | 0 Fehler | 250 Punkte"));

    clock.seconds = 110;
    for (const QChar c : QStringLiteral("allo Welt"))
        typing.press(c);
    QCOMPARE(state.strErgebnis, QStringLiteral("gebrauchte Zeit: 10 s | 1 Fehler | 40 Punkte"));
    QCOMPARE(state.ScoreTable(1), 40);
    QCOMPARE(state.ScoreTable(9), 250);
}

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
