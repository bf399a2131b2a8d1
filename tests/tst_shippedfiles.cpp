#include "core/ExerciseCatalogue.h"
#include "frame/TaskFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;

// Every task file that ships with the program: encoding, line ends, record layout, and for the
// arithmetic files every answer.
class TestShippedFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shippedFile_data();
    void shippedFile();
};

namespace {
const QString Times = u"\u00B7"_s;
const QString Minus = u"\u2013"_s;

// What a German keyboard types without AltGr; a typing text holds nothing else, so that a child
// can type every text (the straight " on Shift+2, not „ or “).
const QString Keyboard = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                         u"\u00E4\u00F6\u00FC\u00C4\u00D6\u00DC\u00DF0123456789 "
                         u"!\"\u00A7$%&/()=?`\u00B4+*#'<>,;.:-_^\u00B0"_s;

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

void TestShippedFiles::shippedFile_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("minimumRecords");
    QTest::newRow("Abschreibuebungen") << 1 << 250;
    QTest::newRow("Kopfrechnen") << 9 << 180;
    QTest::newRow("Kettenaufgaben") << 10 << 50;
    QTest::newRow("Malfolgen") << 11 << 100;
    QTest::newRow("Division") << 12 << 100;
}

void TestShippedFiles::shippedFile()
{
    QFETCH(int, k);
    QFETCH(int, minimumRecords);
    QFile file(QStringLiteral(TAMBOLINO_DATA_DIR) + exercise(k).taskFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    // Windows-1252 with CR LF after every line, the last one included; no empty lines, no tabs.
    QVERIFY2(bytes.endsWith("\r\n"), "the last line must end with CR LF");
    QVERIFY2(!bytes.contains("\r\n\r\n") && !bytes.startsWith("\r\n"), "no empty lines");
    QCOMPARE(bytes.count('\r'), bytes.count('\n'));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QVERIFY2(!bytes.contains('\t'), "no tab characters");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0; });
    QVERIFY2(ascii || utf8.hasError(), "Windows-1252, not UTF-8");

    const int recordLines = k == 1 ? 1 : 2;
    QVERIFY(file.seek(0));
    const TaskFile::Result tasks = TaskFile::read(file, recordLines, file.fileName());
    QVERIFY2(tasks.ok(), qPrintable(tasks.error));
    QCOMPARE(TaskFile::splitLines(TaskFile::decode(bytes)).size(), tasks.records() * recordLines);
    QVERIFY2(tasks.records() >= minimumRecords, qPrintable(u"%1 records"_s.arg(tasks.records())));
    QCOMPARE(QSet<QString>(tasks.lists[0].begin(), tasks.lists[0].end()).size(), tasks.records());

    // Times tables and divisions as factor pairs: 7 · 8 and 56 : 8 both stand for (7, 8).
    QSet<std::pair<qint64, qint64>> factors;
    for (qsizetype i = 0; i < tasks.records(); ++i) {
        for (const QStringList& list : tasks.lists)
            QVERIFY2(list[i] == list[i].trimmed(), qPrintable(u"blanks at an end: "_s + list[i]));
        if (recordLines == 1) {
            for (const QChar c : tasks.lists[0][i])
                QVERIFY2(Keyboard.contains(c),
                    qPrintable(u"\"%1\" needs AltGr or is no key: "_s.arg(c) + tasks.lists[0][i]));
            continue;
        }
        const QString& question = tasks.lists[0][i];
        qint64 value = 0;
        const QString fault = evaluate(question, value);
        QVERIFY2(fault.isEmpty(), qPrintable(question + u' ' + fault));
        QVERIFY2(tasks.lists[1][i] == QString::number(value),
            qPrintable(question + u" answered "_s + tasks.lists[1][i]));
        const QStringList tokens = question.split(u' ');
        if (k >= 11)
            factors.insert(
                { tokens[1] == u":"_s ? value : tokens[0].toLongLong(), tokens[2].toLongLong() });
    }
    // A hundred different pairs, all within 1 … 10: the whole set.
    QCOMPARE(factors.size(), k >= 11 ? 100 : 0);
    for (const auto& [a, b] : std::as_const(factors))
        QVERIFY(a >= 1 && a <= 10 && b >= 1 && b <= 10);
}

QTEST_GUILESS_MAIN(TestShippedFiles)
#include "tst_shippedfiles.moc"
