// Every word of the shipped language task files is known to the German spell checker (hunspell
// with the de_DE dictionary), apart from the names in spelling-allowlist.txt.
#include "core/ExerciseCatalogue.h"
#include "frame/TaskFile.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSpelling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void languageFiles_data();
    void languageFiles();
};

namespace {
QSet<QString> allowlist()
{
    QFile file(QStringLiteral(TAMBOLINO_TESTS_DIR "/spelling-allowlist.txt"));
    QSet<QString> words;
    if (file.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            if (!line.startsWith(u'#') && !line.trimmed().isEmpty())
                words.insert(line.trimmed());
        }
    }
    return words;
}

// The words hunspell does not know, from a list of one word per line.
QStringList unknownWords(const QStringList& words, QString& failure)
{
    QProcess hunspell;
    hunspell.start(u"hunspell"_s, { u"-d"_s, u"de_DE"_s, u"-l"_s, u"-i"_s, u"UTF-8"_s });
    if (!hunspell.waitForStarted()) {
        failure = u"hunspell is missing (scripts/test installs hunspell and hunspell-de-de)"_s;
        return {};
    }
    hunspell.write(words.join(u'\n').toUtf8() + '\n');
    hunspell.closeWriteChannel();
    hunspell.waitForFinished(60000);
    if (hunspell.exitCode() != 0)
        failure = QString::fromLocal8Bit(hunspell.readAllStandardError());
    return QString::fromUtf8(hunspell.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}
} // namespace

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
    QStringList texts;
    for (qsizetype i = 0; i < tasks.records(); ++i) {
        QStringList record;
        for (const QStringList& list : tasks.lists)
            record.append(list[i]);
        if (k == 3)
            texts.append(record.join(QString()));
        else
            texts += record;
    }
    static const QRegularExpression word(u"[\\p{L}]+"_s);
    QStringList words;
    for (const QString& text : std::as_const(texts)) {
        for (const QRegularExpressionMatch& match : word.globalMatch(text))
            words.append(match.captured());
    }
    words.removeDuplicates();

    QString failure;
    QStringList unknown = unknownWords(words, failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const QSet<QString> names = allowlist();
    unknown.removeIf([&names](const QString& w) { return names.contains(w); });
    QVERIFY2(unknown.isEmpty(), qPrintable(u"unknown words: "_s + unknown.join(u", "_s)));
}

QTEST_GUILESS_MAIN(TestSpelling)
#include "tst_spelling.moc"
