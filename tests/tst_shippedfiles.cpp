#include "app/ExerciseCatalogue.h"
#include "frame/TaskFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTest>

// Every task file that ships with the program: encoding, line ends and record layout.
class TestShippedFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout_data();
    void layout();
};

namespace {
QByteArray readShipped(const QString& name)
{
    QFile file(QStringLiteral(TAMBOLINO_DATA_DIR) + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

void TestShippedFiles::layout_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("recordLines");
    QTest::addColumn<int>("minimumRecords");
    QTest::newRow("Abschreibuebungen") << exercise(1).taskFile << 1 << 60;
    QTest::newRow("Kopfrechnen") << exercise(9).taskFile << 2 << 80;
    QTest::newRow("Kettenaufgaben") << exercise(10).taskFile << 2 << 50;
    QTest::newRow("Malfolgen") << exercise(11).taskFile << 2 << 100;
    QTest::newRow("Division") << exercise(12).taskFile << 2 << 100;
}

void TestShippedFiles::layout()
{
    QFETCH(QString, file);
    QFETCH(int, recordLines);
    QFETCH(int, minimumRecords);
    const QByteArray bytes = readShipped(file);
    QVERIFY2(!bytes.isEmpty(), qPrintable(file));

    // Windows-1252 with CR LF after every line, the last one included; no empty lines.
    QVERIFY2(bytes.endsWith("\r\n"), "the last line must end with CR LF");
    QVERIFY2(!bytes.contains("\r\n\r\n") && !bytes.startsWith("\r\n"), "no empty lines");
    QCOMPARE(bytes.count('\r'), bytes.count('\n'));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QVERIFY2(!bytes.startsWith("\xEF\xBB\xBF"), "no byte-order mark");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0; });
    QVERIFY2(ascii || utf8.hasError(), "Windows-1252, not UTF-8");
    QVERIFY2(!bytes.contains('\t'), "no tab characters");

    const QStringList lines = TaskFile::splitLines(TaskFile::decode(bytes));
    QCOMPARE(lines.size() % recordLines, 0);
    QVERIFY2(lines.size() / recordLines >= minimumRecords,
        qPrintable(QStringLiteral("%1 records").arg(lines.size() / recordLines)));
    QSet<QString> prompts;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        QVERIFY2(line == line.trimmed(),
            qPrintable(QStringLiteral("line %1: blanks at an end").arg(i + 1)));
        if (i % recordLines == 0) {
            QVERIFY2(
                !prompts.contains(line), qPrintable(QStringLiteral("line %1 repeats").arg(i + 1)));
            prompts.insert(line);
        }
    }
}

QTEST_GUILESS_MAIN(TestShippedFiles)
#include "tst_shippedfiles.moc"
