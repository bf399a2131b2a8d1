// Every word of the shipped language task files is known to the German spell checker (hunspell
// with the de_DE dictionary), apart from the names in spelling-allowlist.txt.
#include "core/ExerciseCatalogue.h"
#include "frame/TaskFile.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSpelling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void languageFiles_data();
    void languageFiles();
};

void TestSpelling::languageFiles_data()
{
    QTest::addColumn<int>("k");
    for (int k = 1; k <= 8; ++k)
        QTest::newRow(qPrintable(exercise(k).menuText)) << k;
}

void TestSpelling::languageFiles()
{
    QFETCH(int, k);
    const TaskFile::Result tasks = TaskFile::load(
        taskFilePath(QStringLiteral(TAMBOLINO_DATA_DIR), k), exercise(k).tasks.lines);
    QVERIFY2(tasks.ok(), qPrintable(tasks.error));
    // The fill-in tasks are checked as the whole sentence the child ends up with.
    QString text;
    for (qsizetype i = 0; i < tasks.records(); ++i) {
        for (const QStringList& list : tasks.lists)
            text += list[i] + (k == 3 ? QString() : u"\n"_s);
        text += u'\n';
    }
    QStringList words;
    for (const QRegularExpressionMatch& match : QRegularExpression(u"\\p{L}+"_s).globalMatch(text))
        words.append(match.captured());
    words.removeDuplicates();

    QProcess hunspell;
    hunspell.start(u"hunspell"_s, { u"-d"_s, u"de_DE"_s, u"-l"_s, u"-i"_s, u"UTF-8"_s });
    QVERIFY2(hunspell.waitForStarted(),
        "hunspell is missing (scripts/test installs hunspell and hunspell-de-de)");
    hunspell.write(words.join(u'\n').toUtf8() + '\n');
    hunspell.closeWriteChannel();
    QVERIFY(hunspell.waitForFinished(60000));
    QVERIFY2(hunspell.exitCode() == 0, hunspell.readAllStandardError().constData());
    const QStringList names
        = QString::fromUtf8(readFile(QStringLiteral(TAMBOLINO_TESTS_DIR "/spelling-allowlist.txt")))
              .split(u'\n');
    QStringList unknown
        = QString::fromUtf8(hunspell.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    unknown.removeIf([&names](const QString& w) { return names.contains(w); });
    QVERIFY2(unknown.isEmpty(), qPrintable(u"unknown words: "_s + unknown.join(u", "_s)));
}

QTEST_GUILESS_MAIN(TestSpelling)
#include "tst_spelling.moc"
