#include "app/TaskFileCheck.h"
#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "frame/TaskFile.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

// Every task file that ships with the program passes the check a teacher's file gets, which
// also works out every arithmetic answer, saved as Windows-1252 with CR LF.
class TestShippedFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shippedFile_data();
    void shippedFile();
};

void TestShippedFiles::shippedFile_data()
{
    QTest::addColumn<int>("k");
    for (int k = 1; k <= ExerciseCount; ++k)
        QTest::newRow(qPrintable(exercise(k).menuText)) << k;
}

void TestShippedFiles::shippedFile()
{
    QFETCH(int, k);
    const QString path = taskFilePath(QStringLiteral(TAMBOLINO_DATA_DIR), k);
    const TaskFile::Text text = TaskFile::loadText(path);
    const TaskFileCheck::Report report = TaskFileCheck::check(k, text);
    QVERIFY2(report.findings.size() == 1, qPrintable(TaskFileCheck::format(path, report)));
    QVERIFY(text.encoding != TaskFile::Encoding::Utf8);
    QCOMPARE(text.lineEnds, TaskFile::LineEnds::CrLf);
    // None cut short.
    static const int minimum[] = { 250, 200, 150, 120, 80, 60, 60, 120, 180, 50, 100, 100 };
    QVERIFY2(report.tasks >= minimum[k - 1], qPrintable(u"%1 tasks"_s.arg(report.tasks)));
    if (k < 11)
        return;
    // The whole times table, as factor pairs: 7 · 8 and 56 : 8 both stand for (7, 8).
    const TaskFile::Result tasks = TaskFile::records(text, exercise(k).tasks.lines, path);
    QSet<std::pair<int, int>> factors;
    for (qsizetype i = 0; i < tasks.records(); ++i) {
        const QStringList tokens = tasks.lists[0][i].split(u' ');
        const int a = (tokens[1] == u":"_s ? tasks.lists[1][i] : tokens[0]).toInt();
        const int b = tokens[2].toInt();
        QVERIFY2(a >= 1 && a <= 10 && b >= 1 && b <= 10, qPrintable(tasks.lists[0][i]));
        factors.insert({ a, b });
    }
    QCOMPARE(factors.size(), 100);
}

QTEST_GUILESS_MAIN(TestShippedFiles)
#include "tst_shippedfiles.moc"
