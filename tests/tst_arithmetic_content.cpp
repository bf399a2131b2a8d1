#include "app/ExerciseCatalogue.h"
#include "frame/TaskFile.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Times = u"\u00B7"_s;
const QString Minus = u"\u2013"_s;

// Left to right, which is the order of precedence as long as every "·" and ":" comes before the
// first "+" and "–". Every step must stay a whole, non-negative number, as a child computes it.
// Returns what is wrong with the question, or an empty text.
QString evaluate(const QString& question, qint64& value)
{
    static const QRegularExpression form(u"^[0-9]{1,9}( [\u00B7:+\u2013] [0-9]{1,9})+ =$"_s);
    if (!form.match(question).hasMatch())
        return u"not of the form \"a op b … =\""_s;
    const QStringList tokens = question.split(u' ');
    value = tokens[0].toLongLong();
    bool summing = false;
    for (qsizetype i = 1; i + 1 < tokens.size(); i += 2) {
        const QString& sign = tokens[i];
        const qint64 b = tokens[i + 1].toLongLong();
        const bool product = sign == Times || sign == u":"_s;
        if (product && summing)
            return u"\"%1\" after a sum would need precedence"_s.arg(sign);
        if (sign == u":"_s && (b == 0 || value % b != 0))
            return u"%1 : %2 is not whole"_s.arg(value).arg(b);
        summing = !product;
        value = sign == Times ? value * b
            : sign == u":"_s  ? value / b
            : sign == Minus   ? value - b
                              : value + b;
        if (value < 0)
            return u"goes below zero"_s;
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
    // Times tables and divisions as factor pairs: 7 · 8 and 56 : 8 both stand for (7, 8).
    QSet<std::pair<qint64, qint64>> factors;
    for (qsizetype i = 0; i < file.lists[0].size(); ++i) {
        const QString& question = file.lists[0][i];
        qint64 value = 0;
        const QString fault = evaluate(question, value);
        QVERIFY2(fault.isEmpty(), qPrintable(question + u' ' + fault));
        QVERIFY2(file.lists[1][i] == QString::number(value),
            qPrintable(question + u" answered "_s + file.lists[1][i]));
        const QStringList tokens = question.split(u' ');
        if (tenByTen)
            factors.insert(
                { tokens[1] == u":"_s ? value : tokens[0].toLongLong(), tokens[2].toLongLong() });
    }
    // A hundred different pairs, all within 1 … 10: the whole set.
    QCOMPARE(factors.size(), tenByTen ? 100 : 0);
    for (const auto& [a, b] : std::as_const(factors))
        QVERIFY(a >= 1 && a <= 10 && b >= 1 && b <= 10);
}

QTEST_GUILESS_MAIN(TestArithmeticContent)
#include "tst_arithmetic_content.moc"
