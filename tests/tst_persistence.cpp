#include "core/ScoreFile.h"
#include "core/ScoreStore.h"
#include "platform/SettingsStore.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {
// The program with 1234 stored for exercise 1 and Ben's file (10 ... 120) current.
struct Program : TestProgram
{
    Program()
    {
        fake.settings.values[u"Punktestaende/Abtippuebungen"_s] = u"1234"_s;
        start();
        if (writeFile(ben, tensFile(ScoreFile::Lines)))
            state.strPunktedatei = ben;
    }
    const QString ben = documents.filePath(u"ben.tbo"_s);
};
} // namespace

class TestPersistence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void switchingFiles_data();
    void switchingFiles();
    void reset();
    void damagedStore_data();
    void damagedStore();
};

void TestPersistence::switchingFiles_data()
{
    QTest::addColumn<bool>("saving"); // "Neue Punktestandsdatei", otherwise "Punktestände laden"
    QTest::addColumn<QString>("target"); // in the documents folder
    QTest::addColumn<QByteArray>("bytes"); // what the target holds before
    QTest::addColumn<bool>("benLost"); // a folder has taken the place of Ben's file
    QTest::addColumn<bool>("switched"); // also the answer to going on without Ben's file
    const QByteArray tens = tensFile(ScoreFile::Lines);
    QTest::newRow("new file") << true << u"anna.tbo"_s << QByteArray() << false << true;
    QTest::newRow("load") << false << u"anna.tbo"_s << tens << false << true;
    for (const bool yes : { true, false }) {
        for (const bool saving : { true, false })
            QTest::addRow(
                "%s, current file lost, %s", saving ? "new file" : "load", yes ? "Ja" : "Nein")
                << saving << u"anna.tbo"_s << (saving ? QByteArray() : tens) << true << yes;
    }
    QTest::newRow("named pipe") << false << u"pipe.tbo"_s << QByteArray() << false << false;
    QTest::newRow("eleven lines") << false << u"kurz.tbo"_s << tensFile(11) << false << false;
    QTest::newRow("new file on a pipe") << true << u"pipe.tbo"_s << QByteArray() << false << false;
}

void TestPersistence::switchingFiles()
{
    QFETCH(bool, saving);
    QFETCH(QString, target);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, benLost);
    QFETCH(bool, switched);
    Program p;
    p.state.ScoreTable.add(9, 250); // earned by Ben in this run
    const Scores bens = p.state.ScoreTable;
    const QString chosen = p.documents.filePath(target);
    QVERIFY(mkfifo(QFile::encodeName(p.documents.filePath(u"pipe.tbo"_s)).constData(), 0600) == 0);
    QVERIFY(bytes.isEmpty() || writeFile(chosen, bytes));
    QVERIFY(!benLost || (QFile::remove(p.ben) && QDir().mkdir(p.ben)));
    p.fake.files.results = { chosen };
    p.fake.messages.answers = { switched ? MessageBox::Answer::Yes : MessageBox::Answer::No };

    p.click(saving ? u"lblBenSpe"_s : u"lblBenLaden"_s);
    const bool loaded = switched && !saving;
    QCOMPARE(p.state.strPunktedatei, switched ? chosen : p.ben);
    // A loaded file shows six digits.
    QCOMPARE(p.startScore(ExerciseCount),
        u"Punktestand: "_s
            + (loaded ? u"%1"_s.arg(10 * ExerciseCount, 6, 10, QChar(u'0')) : u"0000000"_s));
    // Told of a failure, or asked whether to go on without Ben's file, which then keeps his
    // scores in the settings store.
    const auto& shown = p.fake.messages.shown;
    QCOMPARE(shown.size(), benLost || !switched ? 1 : 0);
    const auto told = shown.value(0);
    QVERIFY2(shown.isEmpty()
            || (told.text.contains(QDir::toNativeSeparators(benLost ? p.ben : chosen))
                && (!benLost || told.text.contains(u"„%1“"_s.arg(chosen)))),
        qPrintable(told.text));
    QCOMPARE(told.buttons == MessageBox::Buttons::YesNoDefaultNo, benLost);
    QCOMPARE(p.fake.settings.values.value(u"Punktestaende/Kopfrechnen"_s),
        benLost ? QString::number(bens(9)) : QString());

    // Ben's scores went into his file before another took its place; the end of the run writes
    // the current file, if it can, and the settings store anyway.
    p.state.ScoreTable.add(3, -50);
    p.window->close();
    const QByteArray last = ScoreFile::format(p.state.ScoreTable);
    QCOMPARE(readFile(p.ben), benLost ? QByteArray() : switched ? ScoreFile::format(bens) : last);
    // A pipe is never opened, nor replaced by a file.
    QCOMPARE(QFileInfo(chosen).isFile() ? readFile(chosen) : QByteArray(), switched ? last : bytes);
    QCOMPARE(p.fake.settings.values.value(u"Punktestaende/Einsetzuebungen"_s),
        QString::number(p.state.ScoreTable(3)));
}

void TestPersistence::reset()
{
    Program p;
    const Scores before = p.state.ScoreTable;
    p.fake.messages.answers = { MessageBox::Answer::No, MessageBox::Answer::Yes };
    p.click(u"lblPunkteLoeschen"_s);
    QCOMPARE(p.state.ScoreTable, before);

    // The store cannot be read any more: the user is told where it is kept.
    p.fake.settings.damaged = true;
    p.click(u"lblPunkteLoeschen"_s);
    QCOMPARE(p.fake.messages.shown.size(), 3);
    QVERIFY(p.fake.messages.shown[2].text.contains(u"„Tambolino.conf.beschaedigt“"_s));
    QCOMPARE(p.startScore(1), u"Punktestand: 0000000"_s);
    QCOMPARE(p.fake.settings.values.values(), QStringList(ExerciseCount, u"0"_s));
    // The current file gets the zeros at the end of the run.
    p.window->close();
    QCOMPARE(readFile(p.ben), QByteArray(" 0 \r\n").repeated(ScoreFile::Lines));
    QCOMPARE(p.fake.messages.shown.size(), 3);
}

void TestPersistence::damagedStore_data()
{
    QTest::addColumn<QByteArray>("bytes"); // the settings file; null: a folder in its place
    QTest::addColumn<bool>("damaged");
    const QByteArray scores = "[Punktestaende]\nAbtippuebungen=1234\n";
    QTest::newRow("sound") << scores << false;
    QTest::newRow("empty file") << QByteArray("") << false;
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + scores << true;
    QTest::newRow("comment at the top") << "# Tambolino\n" + scores << true;
    QTest::newRow("line without =") << "[Punktestaende]\nWortpuzzle\n" + scores << true;
    QTest::newRow("random bytes") << QByteArray("\x01\xFF[\x80\n=\n\xC3zz") << true;
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QTest::newRow("UTF-16") << QByteArray(utf16(QString::fromLatin1(scores))) << true;
    QTest::newRow("a folder in its place") << QByteArray() << true;
}

// The real store: a damaged file is set aside at the closing, and the new one is sound.
void TestPersistence::damagedStore()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, damaged);
    TestProgram p;
    const QString path = p.folder.filePath(u"Tambolino.conf"_s);
    QVERIFY(bytes.isNull() ? QDir().mkpath(path + u"/Tambolino"_s) : writeFile(path, bytes));
    QtSettingsStore store(path);
    Platform withStore { p.fake.clock, p.fake.random, store, p.fake.folders, p.fake.messages,
        p.fake.files, p.fake.browser };
    MainWindow window(p.state, withStore);
    QVERIFY(damaged || p.state.ScoreTable(1) == (bytes.isEmpty() ? 0 : 1234));
    Scores earned;
    earned(ExerciseCount) = 12;
    p.state.ScoreTable = earned;
    window.close();
    QCOMPARE(ScoreStore::load(store), earned);
    QVERIFY(ScoreStore::save(store, earned).notice.isEmpty());
    const QString setAside = path + u".beschaedigt"_s;
    QCOMPARE(p.fake.messages.shown.size(), damaged ? 1 : 0);
    const QString told = p.fake.messages.shown.value(0).text;
    QVERIFY2(!damaged || told.contains(QDir::toNativeSeparators(setAside)), qPrintable(told));
    QVERIFY2(!told.contains(u"nicht für den nächsten Programmstart"_s), qPrintable(told));
    QCOMPARE(readFile(setAside), damaged ? bytes : QByteArray());
}

QTEST_MAIN(TestPersistence)
#include "tst_persistence.moc"
