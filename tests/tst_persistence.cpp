#include "core/ScoreFile.h"
#include "core/ScoreStore.h"
#include "platform/SettingsStore.h"
#include "support/FailingDisk.h"
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
        fake.settings.stored[u"Punktestaende/Abtippuebungen"_s] = u"1234"_s;
        start();
        if (writeFile(ben, tensFile(ScoreFile::Lines)))
            state.strPunktedatei = ben;
    }
    const QString ben = documents.filePath(u"ben.tbo"_s);
};

// The program over a real settings file in its folder.
struct StoredProgram : TestProgram
{
    // A null `stored` puts a folder in the file's place.
    explicit StoredProgram(const QByteArray& stored)
    {
        if (stored.isNull() ? QDir().mkpath(path + u"/Tambolino"_s) : writeFile(path, stored))
            window = std::make_unique<MainWindow>(state, platform);
    }
    const QString path = folder.filePath(u"Tambolino.conf"_s);
    QtSettingsStore store { path };
    Platform platform { fake.clock, fake.random, store, fake.folders, fake.messages, fake.files,
        fake.browser, fake.input, fake.printer };
};

const QString NotSaved
    = u"Die Punktestände konnten nicht für den nächsten Programmstart gespeichert werden."_s;
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
    void fullDiskKeepsStore_data();
    void fullDiskKeepsStore();
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
    // Saving adds no extension; the dialog offers every file for loading.
    QTest::newRow("load, saved without .tbo") << false << u"anna"_s << tens << false << true;
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
    QCOMPARE(p.fake.files.opened.value(0).filter.contains(u";;Alle Dateien (*)"_s), !saving);
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
    QCOMPARE(p.fake.settings.stored.value(u"Punktestaende/Kopfrechnen"_s),
        benLost ? QString::number(bens(9)) : QString());

    // Ben's scores went into his file before another took its place; the end of the run writes
    // the current file, if it can, and the settings store anyway.
    p.state.ScoreTable.add(3, -50);
    p.window->close();
    const QByteArray last = ScoreFile::format(p.state.ScoreTable);
    QCOMPARE(readFile(p.ben), benLost ? QByteArray() : switched ? ScoreFile::format(bens) : last);
    // A pipe is never opened, nor replaced by a file.
    QCOMPARE(QFileInfo(chosen).isFile() ? readFile(chosen) : QByteArray(), switched ? last : bytes);
    QCOMPARE(p.fake.settings.stored.value(u"Punktestaende/Einsetzuebungen"_s),
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
    p.fake.settings.isDamaged = true;
    p.click(u"lblPunkteLoeschen"_s);
    QCOMPARE(p.fake.messages.shown.size(), 3);
    QVERIFY(p.fake.messages.shown[2].text.contains(u"„Tambolino.conf.beschaedigt“"_s));
    QCOMPARE(p.startScore(1), u"Punktestand: 0000000"_s);
    QCOMPARE(p.fake.settings.stored.values(), QStringList(ExerciseCount, u"0"_s));
    // The current file gets the zeros at the end of the run.
    p.window->close();
    QCOMPARE(readFile(p.ben), QByteArray(" 0 \r\n").repeated(ScoreFile::Lines));
    QCOMPARE(p.fake.messages.shown.size(), 3);
}

void TestPersistence::damagedStore_data()
{
    QTest::addColumn<QByteArray>("bytes"); // the settings file; null: a folder in its place
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<int>("score"); // exercise 1 as read at the start
    const QByteArray scores = "[Punktestaende]\nAbtippuebungen=1234\n";
    QTest::newRow("sound") << scores << false << 1234;
    QTest::newRow("empty file") << QByteArray("") << false << 0;
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + scores << false << 1234;
    QTest::newRow("CR line ends") << QByteArray(scores).replace('\n', '\r') << false << 1234;
    QTest::newRow("Latin-1 comment") << "; Punktest\xE4nde\r\n" + scores << false << 1234;
    QTest::newRow("line without =") << "[Punktestaende]\nWortpuzzle\n" + scores << true << 1234;
    QTest::newRow("Latin-1 section line")
        << QByteArray("[Punktestaende]\n[Punktest\xE4nde]\nAbtippuebungen=9\n") << true << 0;
    QTest::newRow("random bytes") << QByteArray("\x01\xFF[\x80\n=\n\xC3zz") << true << 0;
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QTest::newRow("UTF-16") << QByteArray(utf16(QString::fromLatin1(scores))) << true << 0;
    QTest::newRow("over 1 MiB, not read") << scores + "; " + QByteArray(1024 * 1024, 'x') + '\n'
                                          << true << 0;
    QTest::newRow("a folder in its place") << QByteArray() << true << 0;
}

// The real store: a damaged file is set aside and told of at the start; what could be read of
// it goes into a fresh store at once.
void TestPersistence::damagedStore()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, damaged);
    QFETCH(int, score);
    StoredProgram p(bytes);
    QVERIFY(p.window);
    QCOMPARE(p.state.ScoreTable(1), score);
    QCOMPARE(ScoreStore::load(p.store), p.state.ScoreTable);
    QCOMPARE(readFile(p.path) == bytes, !damaged);
    const QString setAside = p.path + u".beschaedigt"_s;
    QCOMPARE(readFile(setAside), damaged ? bytes : QByteArray());
    QCOMPARE(p.fake.messages.shown.size(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(p.fake.messages.shown.size(), damaged ? 1 : 0);
    const QString told = p.fake.messages.shown.value(0).text;
    QVERIFY2(!damaged || told.contains(QDir::toNativeSeparators(setAside)), qPrintable(told));
    QVERIFY2(!told.contains(NotSaved), qPrintable(told));

    // Nothing more to tell at the closing.
    Scores earned;
    earned(ExerciseCount) = 12;
    p.state.ScoreTable = earned;
    p.window->close();
    QCOMPARE(ScoreStore::load(p.store), earned);
    QVERIFY(!p.store.damaged());
    QCOMPARE(p.fake.messages.shown.size(), damaged ? 1 : 0);
}

void TestPersistence::fullDiskKeepsStore_data()
{
    QTest::addColumn<bool>("reset"); // "Punktestände zurücksetzen", otherwise the closing
    QTest::addColumn<int>("cut"); // where the disk fills up: 0 in the middle, 1 before the last
                                  // line, 2 after it; -1 read-only folder
    const char* const cuts[] = { "in the middle", "before the last line", "after the last line" };
    for (const bool reset : { false, true }) {
        const char* what = reset ? "reset" : "closing";
        for (int cut = 0; cut < 3; ++cut)
            QTest::addRow("%s, disk full %s", what, cuts[cut]) << reset << cut;
        QTest::addRow("%s, read-only folder", what) << reset << -1;
    }
}

// A save that does not reach the disk whole leaves the old store as it was, and says so.
void TestPersistence::fullDiskKeepsStore()
{
    QFETCH(bool, reset);
    QFETCH(int, cut);
    const QByteArray old = "[Punktestaende]\nAbtippuebungen=1234\nDivision=-5\n";
    StoredProgram p(old);
    QVERIFY(p.window);
    QCOMPARE(p.state.ScoreTable(1), 1234);
    for (int k = 1; k <= ExerciseCount; ++k)
        p.state.ScoreTable.add(k, 1000000 * k);
    const Scores saved = reset ? Scores {} : p.state.ScoreTable;
    // What the save writes when there is room.
    QByteArray full;
    {
        QTemporaryDir scratch;
        const QString path = scratch.filePath(u"Tambolino.conf"_s);
        QtSettingsStore store(path);
        QVERIFY(writeFile(path, old) && ScoreStore::save(store, saved).ok);
        full = readFile(path);
    }
    const qsizetype lastLine = full.size() - full.lastIndexOf('\n', full.size() - 2) - 1;
    const int capacities[]
        = { int(full.size() / 2), int(full.size() - lastLine), int(full.size()) };
    p.fake.messages.answers = { MessageBox::Answer::Yes };
    {
        const FailingDisk disk(p.folder.path(), cut < 0 ? -1 : capacities[cut]);
        if (reset)
            p.click(u"lblPunkteLoeschen"_s);
        else
            p.window->close();
    }
    const bool fits = cut == 2;
    QCOMPARE(readFile(p.path), fits ? full : old);
    const auto& shown = p.fake.messages.shown;
    QCOMPARE(shown.size(), (reset ? 1 : 0) + (fits ? 0 : 1));
    QVERIFY(fits || shown.last().text == NotSaved);
    QCOMPARE(QDir(p.folder.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList { u"Tambolino.conf"_s });
    QCOMPARE(p.state.ScoreTable, saved);
}

QTEST_MAIN(TestPersistence)
#include "tst_persistence.moc"
