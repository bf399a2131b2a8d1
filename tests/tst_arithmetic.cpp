#include "arithmetic/ArithmeticExercise.h"
#include "arithmetic/Expression.h"
#include "core/ProgramState.h"
#include "support/FakePlatform.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Kopfrechnen over pairs from memory, the clock and the draw in hand.
struct Arithmetic
{
    explicit Arithmetic(const QStringList& lines)
    {
        for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
            questions.append(lines[i]);
            answers.append(lines[i + 1]);
        }
    }

    void type(const QString& keys)
    {
        for (const QChar c : keys)
            exercise.press(c);
    }

    // Types the current answer right in 3 s; then the pause runs out.
    void solve()
    {
        fake.clock.advance(3);
        type(exercise.entry().answer());
        fake.clock.advance(1);
        QCOMPARE(exercise.next(), QString());
    }

    QStringList questions;
    QStringList answers;
    FakePlatform fake;
    ProgramState state;
    ArithmeticExercise exercise { 9, state, fake.clock, fake.random, [this] {
                                     return TaskFile::Result { { questions, answers }, {} };
                                 } };
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
    void expression_data();
    void expression();
};

void TestArithmetic::typesAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("errors");
    QTest::addColumn<int>("score"); // unchanged until the answer is complete
    QTest::newRow("4 s") << u"56"_s << 4.0 << u"56"_s << u"56_"_s << 0 << 250;
    QTest::newRow("7 s, x then 6") << u"56"_s << 7.0 << u"5x6"_s << u"56_"_s << 1 << 133;
    QTest::newRow("16 s") << u"56"_s << 16.0 << u"56"_s << u"56_"_s << 0 << 62;
    QTest::newRow("negative") << u"56"_s << 200.0 << u"5x6"_s << u"56_"_s << 1 << -5;
    QTest::newRow("keys in the pause") << u"56"_s << 4.0 << u"564\bx"_s << u"56_"_s << 0 << 250;
    QTest::newRow("Backspace") << u"42"_s << 0.0 << u"4\b"_s << u"4_"_s << 1 << 0;
    QTest::newRow("wrong case") << u"Ab"_s << 0.0 << u"a"_s << u"_"_s << 1 << 0;
    // At least 1 s; 1 wrong key: 1000 - 10 points.
    QTest::newRow("empty answer") << QString() << 0.0 << u"7"_s << u"_"_s << 1 << 990;
}

void TestArithmetic::typesAnswer()
{
    QFETCH(QString, answer);
    QFETCH(double, seconds);
    QFETCH(QString, keys);
    QFETCH(QString, line);
    QFETCH(int, errors);
    QFETCH(int, score);
    Arithmetic arithmetic({ u"Aufgabe ="_s, answer });
    QCOMPARE(arithmetic.exercise.start(), QString());

    arithmetic.fake.clock.advance(seconds);
    arithmetic.type(keys);
    QCOMPARE(arithmetic.exercise.entry().line(), line);
    QCOMPARE(arithmetic.exercise.errors(), errors);
    QCOMPARE(arithmetic.state.ScoreTable(9), score);
}

void TestArithmetic::nextTaskStartsAfresh()
{
    Arithmetic arithmetic({ u"1 + 1 ="_s, QString(), u"2 + 2 ="_s, u"4"_s });
    QCOMPARE(arithmetic.exercise.start(), QString());
    arithmetic.type(u"x"_s); // solves the empty answer

    // Only the time spent on a task counts, not the pause before it.
    arithmetic.fake.clock.advance(30);
    QCOMPARE(arithmetic.exercise.next(), QString());
    QVERIFY(!arithmetic.exercise.pausing());
    arithmetic.fake.clock.advance(4);
    arithmetic.type(u"4"_s);
    QCOMPARE(arithmetic.state.ScoreTable(9), 990 + 250);
}

void TestArithmetic::twoPairsAlternate()
{
    Arithmetic arithmetic(TwoPairs);
    // A first, then B; every refill then draws B again, which must not come twice in a row.
    arithmetic.fake.random.queued = { 0.0 };
    arithmetic.fake.random.fallback = 0.99;
    QCOMPARE(arithmetic.exercise.start(), QString());
    for (int refills = 0; refills < 3; ++refills) {
        QCOMPARE(arithmetic.exercise.question(), u"A"_s);
        arithmetic.solve();
        QCOMPARE(arithmetic.exercise.question(), u"B"_s);
        arithmetic.solve();
    }
    QCOMPARE(arithmetic.exercise.taskNumber(), 7);
}

void TestArithmetic::expression_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<qint64>("value"); // -1: no value, the question is faulty
    QTest::newRow("sum") << u"340 + 250 ="_s << qint64 { 590 };
    QTest::newRow("en dash") << u"720 \u2013 50 ="_s << qint64 { 670 };
    QTest::newRow("minus sign, hyphen") << u"20 \u2212 8 - 2"_s << qint64 { 10 };
    QTest::newRow("times before plus") << u"3 + 4 \u00B7 2 ="_s << qint64 { 11 };
    QTest::newRow("chain") << u"9 \u00B7 5 : 3 + 26 \u2013 2 ="_s << qint64 { 39 };
    QTest::newRow("below zero") << u"2 \u00B7 3 \u2013 4 \u00B7 5 ="_s << qint64 { -14 };
    QTest::newRow("no blanks, x and /") << u"6\u00D77/2="_s << qint64 { 21 };
    QTest::newRow("remainder") << u"7 : 2 ="_s << qint64 { -1 };
    QTest::newRow("by zero") << u"5 : 0 ="_s << qint64 { -1 };
    QTest::newRow("sign at the end") << u"7 + ="_s << qint64 { -1 };
    QTest::newRow("letter") << u"12a + 1 ="_s << qint64 { -1 };
    QTest::newRow("empty") << u"="_s << qint64 { -1 };
    QTest::newRow("too large") << u"999999999999 \u00B7 10 ="_s << qint64 { -1 };
}

void TestArithmetic::expression()
{
    QFETCH(QString, question);
    QFETCH(qint64, value);
    const Expression::Value result = Expression::evaluate(question);
    QCOMPARE(result.ok(), value != -1);
    if (result.ok())
        QCOMPARE(result.value, value);
}

QTEST_GUILESS_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"
