#include "arithmetic/ArithmeticExercise.h"
#include "arithmetic/Expression.h"
#include "core/ProgramState.h"
#include "support/FakePlatform.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Kopfrechnen over these answers, the clock and the draw in hand.
struct Arithmetic
{
    explicit Arithmetic(const QStringList& answers)
        : answers(answers)
    { }

    QStringList answers;
    FakePlatform fake;
    ProgramState state;
    ArithmeticExercise exercise { 9, state, fake.clock, fake.random,
        [this] {
            return TaskFile::Result { { QStringList(answers.size(), u"? ="_s), answers }, {} };
        } };
};
} // namespace

class TestArithmetic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typesAnswers_data();
    void typesAnswers();
    void expression_data();
    void expression();
};

void TestArithmetic::typesAnswers_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<double>("seconds"); // before the first key
    QTest::addColumn<QString>("keys"); // | ends the pause after a task, 30 s long
    QTest::addColumn<int>("errors");
    QTest::addColumn<int>("score"); // unchanged until an answer is complete
    // Every task weighs as ten characters.
    QTest::newRow("4 s") << QStringList { u"56"_s } << 4.0 << u"56"_s << 0 << 250;
    QTest::newRow("7 s, x then 6") << QStringList { u"56"_s } << 7.0 << u"5x6"_s << 1 << 133;
    QTest::newRow("negative") << QStringList { u"56"_s } << 200.0 << u"5x6"_s << 1 << -5;
    QTest::newRow("keys in the pause") << QStringList { u"56"_s } << 4.0 << u"564\bx"_s << 0 << 250;
    // At least 1 s; 1 wrong key: 1000 - 10 points.
    QTest::newRow("empty answer") << QStringList { QString() } << 0.0 << u"7"_s << 1 << 990;
    // Only the time spent on a task counts, not the pause before it.
    QTest::newRow("pause does not count")
        << QStringList { QString(), u"4"_s } << 0.0 << u"x|4"_s << 1 << 990 + 1000;
}

void TestArithmetic::typesAnswers()
{
    QFETCH(QStringList, answers);
    QFETCH(double, seconds);
    QFETCH(QString, keys);
    QFETCH(int, errors);
    QFETCH(int, score);
    Arithmetic arithmetic(answers);
    QCOMPARE(arithmetic.exercise.start(), QString());
    arithmetic.fake.clock.advance(seconds);
    for (const QChar c : keys) {
        if (c != u'|') {
            arithmetic.exercise.press(c);
            continue;
        }
        arithmetic.fake.clock.advance(30);
        QCOMPARE(arithmetic.exercise.next(), QString());
    }
    QCOMPARE(arithmetic.exercise.errors(), errors);
    QCOMPARE(arithmetic.state.ScoreTable(9), score);
}

void TestArithmetic::expression_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<qint64>("value"); // -1: no value, the question is faulty
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
    QTest::newRow("product wraps past 64 bits")
        << u"4294967296 \u00B7 4294967296 ="_s << qint64 { -1 };
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
