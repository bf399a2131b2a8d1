#include "app/ExerciseCatalogue.h"
#include "frame/TaskFile.h"

#include <QSet>
#include <QTest>

namespace {
const QChar Times(0x00B7);
const QChar Minus(0x2013);

bool isNumber(const QString& token)
{
    if (token.isEmpty() || token.size() > 9)
        return false;
    for (const QChar c : token) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Left to right, which is the order of precedence as long as every "·" and ":" comes before the
// first "+" and "–". Every step must stay a whole, non-negative number, as a child computes it.
// Returns what is wrong with the question, or an empty text.
QString evaluate(const QString& question, qint64& value)
{
    const QStringList tokens = question.split(QLatin1Char(' '));
    if (tokens.size() < 4 || tokens.size() % 2 != 0 || tokens.last() != QLatin1String("="))
        return QStringLiteral("not of the form \"a op b … =\"");
    if (!isNumber(tokens.first()))
        return QStringLiteral("does not start with a number");
    value = tokens.first().toLongLong();
    bool summing = false;
    for (qsizetype i = 1; i + 1 < tokens.size(); i += 2) {
        const QString& sign = tokens[i];
        const QString& operand = tokens[i + 1];
        if (!isNumber(operand))
            return QStringLiteral("\"%1\" is not a number").arg(operand);
        const qint64 b = operand.toLongLong();
        if (sign == QString(Times) || sign == QLatin1String(":")) {
            if (summing)
                return QStringLiteral("\"%1\" after a sum would need precedence").arg(sign);
            if (sign == QString(Times)) {
                value *= b;
            } else {
                if (b == 0 || value % b != 0)
                    return QStringLiteral("%1 : %2 is not whole").arg(value).arg(b);
                value /= b;
            }
        } else if (sign == QLatin1String("+") || sign == QString(Minus)) {
            summing = true;
            value = sign == QLatin1String("+") ? value + b : value - b;
            if (value < 0)
                return QStringLiteral("goes below zero");
        } else {
            return QStringLiteral("unknown sign \"%1\"").arg(sign);
        }
    }
    return {};
}
} // namespace

class TestArithmeticContent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyAnswerIsRight_data();
    void everyAnswerIsRight();
};

void TestArithmeticContent::everyAnswerIsRight_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("tenByTen");
    QTest::newRow("Kopfrechnen") << 9 << false;
    QTest::newRow("Kettenaufgaben") << 10 << false;
    QTest::newRow("Malfolgen") << 11 << true;
    QTest::newRow("Division") << 12 << true;
}

void TestArithmeticContent::everyAnswerIsRight()
{
    QFETCH(int, k);
    QFETCH(bool, tenByTen);
    const TaskFile::Result file
        = TaskFile::load(QStringLiteral(TAMBOLINO_DATA_DIR) + exercise(k).taskFile, 2);
    QVERIFY2(file.ok(), qPrintable(file.error));
    const QStringList& questions = file.lists[0];
    const QStringList& answers = file.lists[1];

    QSet<QString> asked;
    // Times tables and divisions as factor pairs: 7 · 8 and 56 : 8 both stand for (7, 8).
    QSet<std::pair<qint64, qint64>> factors;
    for (qsizetype i = 0; i < questions.size(); ++i) {
        const QString& question = questions[i];
        const QByteArray where = QByteArray::number(2 * i + 1) + ": " + question.toUtf8();
        qint64 value = 0;
        const QString fault = evaluate(question, value);
        QVERIFY2(fault.isEmpty(), (where + " " + fault.toUtf8()).constData());
        QVERIFY2(answers[i] == QString::number(value),
            (where + " answered " + answers[i].toUtf8()).constData());
        QVERIFY2(!asked.contains(question), (where + " repeats").constData());
        asked.insert(question);

        if (tenByTen) {
            const QStringList tokens = question.split(QLatin1Char(' '));
            QCOMPARE(tokens.size(), 4);
            const qint64 first = tokens[1] == QLatin1String(":") ? value : tokens[0].toLongLong();
            factors.insert({ first, tokens[2].toLongLong() });
        }
    }
    if (tenByTen) {
        QSet<std::pair<qint64, qint64>> all;
        for (qint64 a = 1; a <= 10; ++a) {
            for (qint64 b = 1; b <= 10; ++b)
                all.insert({ a, b });
        }
        QCOMPARE(factors, all);
    }
}

QTEST_GUILESS_MAIN(TestArithmeticContent)
#include "tst_arithmetic_content.moc"
