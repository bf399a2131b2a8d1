#include "arithmetic/ArithmeticExercise.h"
#include "arithmetic/Expression.h"
#include "core/ProgramState.h"
#include "support/FakePlatform.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
    QTest::addColumn<QString>("answers"); // between bars
    QTest::addColumn<double>("seconds"); // before the first key
    QTest::addColumn<QString>("keys"); // | ends the pause after a task, 30 s long
    // The errors, and the score, unchanged until an answer is complete.
    QTest::addColumn<QString>("result");
    // What the last key that was taken shows: message|hint|milliseconds of the pause.
    QTest::addColumn<QString>("shown");
    const auto line = [](int seconds, int errors, int points) {
        return u"gebrauchte Zeit: %1 s | %2 Fehler | %3 Punkte||1000"_s.arg(seconds)
            .arg(errors)
            .arg(points);
    };
    // Every task weighs as ten characters.
    QTest::newRow("7 s, x then 6") << u"56"_s << 7.0 << u"5x6"_s << u"1 133"_s << line(7, 1, 133);
    QTest::newRow("wrong key") << u"56"_s << 7.0 << u"5x"_s << u"1 0"_s << u"|Fehler|0"_s;
    QTest::newRow("negative") << u"56"_s << 200.0 << u"5x6"_s << u"1 -5"_s << line(200, 1, -5);
    QTest::newRow("keys in the pause")
        << u"56"_s << 4.0 << u"564\bx"_s << u"0 250"_s << line(4, 0, 250);
    // No key types an empty answer: that task is never asked.
    QTest::newRow("empty answer") << u"|56"_s << 4.0 << u"56"_s << u"0 250"_s << line(4, 0, 250);
    // Only the time spent on a task counts, not the pause before it; at least 1 s each.
    QTest::newRow("pause does not count")
        << u"3|4"_s << 0.0 << u"3|4"_s << u"0 2000"_s << line(1, 0, 1000);
}

void TestArithmetic::typesAnswers()
{
    QFETCH(QString, answers);
    QFETCH(double, seconds);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    QFETCH(QString, shown);
    FakePlatform fake;
    ProgramState state;
    ArithmeticExercise exercise { 9, state, fake.clock, fake.random,
        [lines = answers.split(u'|')] {
            return TaskFile::Result { { QStringList(lines.size(), u"? ="_s), lines }, {} };
        } };
    QCOMPARE(exercise.start(), QString());
    fake.clock.advance(seconds);
    TaskStep last;
    for (const QChar c : keys) {
        if (c == u'|') {
            fake.clock.advance(30);
            QCOMPARE(exercise.next(), QString());
        } else if (const TaskStep step = exercise.press(c); step.taken) {
            last = step;
        }
    }
    QCOMPARE(u"%1 %2"_s.arg(exercise.errors()).arg(state.ScoreTable(9)), result);
    QCOMPARE(u"%1|%2|%3"_s.arg(last.message, last.hint).arg(last.pause), shown);
}

void TestArithmetic::expression_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<qint64>("value"); // -1: no value, the question is faulty
    QTest::newRow("chain") << u"9 \u00B7 5 : 3 + 26 \u2013 2 ="_s << qint64 { 39 };
    QTest::newRow("no blanks, x, / and -, below zero") << u"6\u00D77/2-25="_s << qint64 { -4 };
    QTest::newRow("remainder") << u"7 : 2 ="_s << qint64 { -1 };
    QTest::newRow("sign at the end") << u"7 + ="_s << qint64 { -1 };
    QTest::newRow("product wraps past 64 bits")
        << u"4294967296 \u00B7 4294967296 ="_s << qint64 { -1 };
}

void TestArithmetic::expression()
{
    QFETCH(QString, question);
    QFETCH(qint64, value);
    const Expression::Value result = Expression::evaluate(question);
    QCOMPARE(result.ok() ? result.value : -1, value);
}

QTEST_GUILESS_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"
