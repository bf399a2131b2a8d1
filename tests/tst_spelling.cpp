// Every word of the shipped language task files is known to the German spell checker (hunspell
// with the de_DE dictionary), apart from the names in spelling-allowlist.txt; and the tiles of a
// puzzle word spell no other word a child would lay (Debian's wngerman word list).
#include "core/ExerciseCatalogue.h"
#include "frame/TaskFile.h"
#include "support/TestSupport.h"

#include <QHash>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr int Wortpuzzle = 2;

// The tiles of a word as they lie on the screen: its characters, case kept, in one order.
QString tiles(QString word)
{
    std::sort(word.begin(), word.end());
    return word;
}

// "word others: reason" lines; a line without a reason reviews nothing.
QMap<QString, QStringList> reviewedTiles()
{
    QMap<QString, QStringList> reviewed;
    const QString text = QString::fromUtf8(
        readFile(QStringLiteral(TAMBOLINO_TESTS_DIR "/wordpuzzle-allowlist.txt")));
    for (const QString& line : text.split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (line.startsWith(u'#') || colon < 0 || line.mid(colon + 1).trimmed().isEmpty())
            continue;
        QStringList words = line.left(colon).split(u' ', Qt::SkipEmptyParts);
        const QString word = words.takeFirst();
        words.sort();
        reviewed.insert(word, words);
    }
    return reviewed;
}
} // namespace

class TestSpelling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void languageFiles_data();
    void languageFiles();
    void puzzleTiles_data();
    void puzzleTiles();

private:
    QHash<QString, QStringList> m_wordsByTiles;
};

void TestSpelling::initTestCase()
{
    const QString words = QString::fromUtf8(readFile(u"/usr/share/dict/ngerman"_s));
    for (const QString& word : words.split(u'\n', Qt::SkipEmptyParts))
        m_wordsByTiles[tiles(word)].append(word);
}

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

// A child who lays Beine from the tiles of Biene has spelt a word and loses points for it.
void TestSpelling::puzzleTiles_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("shipped");
    QTest::addColumn<QStringList>("reviewed");
    const TaskFile::Result tasks
        = TaskFile::load(taskFilePath(QStringLiteral(TAMBOLINO_DATA_DIR), Wortpuzzle),
            exercise(Wortpuzzle).tasks.lines);
    QVERIFY2(tasks.ok(), qPrintable(tasks.error));
    QMap<QString, QStringList> reviewed = reviewedTiles();
    for (const QString& word : tasks.lists[0])
        QTest::newRow(qPrintable(word)) << word << true << reviewed.take(word);
    for (auto it = reviewed.cbegin(); it != reviewed.cend(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key() << false << it.value();
}

void TestSpelling::puzzleTiles()
{
    QFETCH(QString, word);
    QFETCH(bool, shipped);
    QFETCH(QStringList, reviewed);
    QVERIFY2(shipped, "reviewed, but not a shipped puzzle word");
    QVERIFY2(!m_wordsByTiles.isEmpty(),
        "the German word list is missing (scripts/test installs wngerman)");
    QStringList others = m_wordsByTiles.value(tiles(word));
    others.removeAll(word);
    others.sort();
    QVERIFY2(others == reviewed,
        qPrintable(u"its tiles spell %1, reviewed: %2"_s.arg(
            others.join(u", "_s), reviewed.join(u", "_s))));
}

QTEST_GUILESS_MAIN(TestSpelling)
#include "tst_spelling.moc"
