#include "core/ScoreFile.h"
#include "core/ScoreStore.h"
#include "platform/SettingsStore.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {
// The program with one stored score; ben.tbo (10 ... 120) chosen earlier in the run when
// `benCurrent`.
struct Program : TestProgram
{
    explicit Program(bool benCurrent = true)
    {
        fake.settings.values[u"Punktestaende/Abtippuebungen"_s] = u"1234"_s;
        start();
        if (benCurrent && writeFile(ben, tensFile(12)))
            state.strPunktedatei = ben;
    }
    void choose(bool saving) const { click(saving ? u"lblBenSpe"_s : u"lblBenLaden"_s); }

    const QString ben = documents.filePath(u"ben.tbo"_s);
    const QString anna = documents.filePath(u"anna.tbo"_s);
};
} // namespace

class TestPersistence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void switchingFilesKeepsTheEarnedScores_data();
    void switchingFilesKeepsTheEarnedScores();
    void nothingChanges_data();
    void nothingChanges();
    void reset();
    void damagedStore_data();
    void damagedStore();
};

void TestPersistence::switchingFilesKeepsTheEarnedScores_data()
{
    QTest::addColumn<bool>("saving");
    QTest::addColumn<bool>("benCurrent");
    QTest::addColumn<bool>("benLost"); // Ben's file can no longer be written; the answer is Ja
    QTest::newRow("new file, none current") << true << false << false;
    QTest::newRow("new file for another child") << true << true << false;
    QTest::newRow("load another child's file") << false << true << false;
    QTest::newRow("new file, current file lost, Ja") << true << true << true;
    QTest::newRow("load, current file lost, Ja") << false << true << true;
}

void TestPersistence::switchingFilesKeepsTheEarnedScores()
{
    QFETCH(bool, saving);
    QFETCH(bool, benCurrent);
    QFETCH(bool, benLost);
    Program p(benCurrent);
    p.state.ScoreTable.add(9, 250); // earned by Ben in this run
    const Scores bens = p.state.ScoreTable;
    if (!saving)
        QVERIFY(writeFile(p.anna, tensFile(12)));
    // A folder in its place: Ben's file can no longer be written.
    QVERIFY(!benLost || (QFile::remove(p.ben) && QDir().mkdir(p.ben)));
    p.fake.files.results = { p.anna };
    p.fake.messages.answers = { MessageBox::Answer::Yes };

    p.choose(saving);
    const FileDialog::Request asked
        = saving ? p.fake.files.saved.value(0) : p.fake.files.opened.value(0);
    QCOMPARE(asked.title, saving ? u"tbo-Datei speichern"_s : u"tbo-Datei öffnen"_s);
    QCOMPARE(asked.filter, u"*.tbo"_s);
    QCOMPARE(asked.folder, p.documents.path());
    QCOMPARE(readFile(p.ben), benCurrent && !benLost ? ScoreFile::format(bens) : QByteArray());
    QCOMPARE(p.fake.messages.shown.size(), benLost ? 1 : 0);
    if (benLost) {
        const auto& question = p.fake.messages.shown[0];
        QCOMPARE(question.buttons, MessageBox::Buttons::YesNoDefaultNo);
        QVERIFY2(question.text.contains(u"„%1“"_s.arg(QDir::toNativeSeparators(p.ben)))
                && question.text.contains(u"„%1“"_s.arg(QDir::toNativeSeparators(p.anna))),
            qPrintable(question.text));
        // Ben's scores are kept in the settings store.
        QCOMPARE(
            p.fake.settings.values.value(u"Punktestaende/Kopfrechnen"_s), QString::number(bens(9)));
    }
    QCOMPARE(p.state.strPunktedatei, p.anna);
    for (int k = 1; k <= 12; ++k)
        QCOMPARE(p.state.ScoreTable(k), saving ? bens(k) : 10 * k);
    // A loaded file shows six digits.
    QCOMPARE(p.startScore(12), saving ? u"Punktestand: 0000000"_s : u"Punktestand: 000120"_s);

    // The end of the run leaves the final scores in Anna's file and the settings store.
    p.state.ScoreTable.add(3, -50);
    p.window->close();
    QCOMPARE(readFile(p.anna), ScoreFile::format(p.state.ScoreTable));
    QCOMPARE(p.fake.settings.values.value(u"Punktestaende/Einsetzuebungen"_s),
        QString::number(p.state.ScoreTable(3)));
}

void TestPersistence::nothingChanges_data()
{
    QTest::addColumn<bool>("saving");
    QTest::addColumn<QString>("target"); // empty: the dialog is cancelled
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("open cancelled") << false << QString() << QByteArray();
    QTest::newRow("save cancelled") << true << QString() << QByteArray();
    QTest::newRow("missing") << false << u"fehlt.tbo"_s << QByteArray();
    QTest::newRow("folder") << false << u"ordner.tbo"_s << QByteArray();
    QTest::newRow("named pipe") << false << u"pipe.tbo"_s << QByteArray();
    QTest::newRow("five lines") << false << u"kurz.tbo"_s << tensFile(5);
    QTest::newRow("not a number") << false << u"wort.tbo"_s << tensFile(11) + "sechzig\r\n";
    QTest::newRow("out of range") << false << u"gross.tbo"_s << tensFile(11) + "2147483648\r\n";
    QTest::newRow("unwritable new file") << true << u"datei/neu.tbo"_s << QByteArray();
    QTest::newRow("new file on a named pipe") << true << u"pipe.tbo"_s << QByteArray();
    // Anna's file is fine, but Ben's scores cannot be handed over to his own file, and the
    // answer to going on without it is Nein.
    QTest::newRow("load, current file lost, Nein") << false << u"anna.tbo"_s << tensFile(12);
    QTest::newRow("new file, current file lost, Nein") << true << u"anna.tbo"_s << QByteArray();
}

void TestPersistence::nothingChanges()
{
    QFETCH(bool, saving);
    QFETCH(QString, target);
    QFETCH(QByteArray, bytes);
    Program p;
    const QString chosen = p.documents.filePath(target);
    const bool benLost = target == u"anna.tbo"_s;
    // A folder in its place: Ben's file can no longer be written.
    QVERIFY(!benLost || (QFile::remove(p.ben) && QDir().mkdir(p.ben)));
    QVERIFY(QDir(p.documents.path()).mkdir(u"ordner.tbo"_s));
    QVERIFY(mkfifo(QFile::encodeName(p.documents.filePath(u"pipe.tbo"_s)).constData(), 0600) == 0);
    QVERIFY(writeFile(p.documents.filePath(u"datei"_s), "a file, not a folder"));
    QVERIFY(bytes.isEmpty() || writeFile(chosen, bytes));
    if (!target.isEmpty())
        p.fake.files.results = { chosen };
    p.fake.messages.answers = { MessageBox::Answer::No };
    const Scores before = p.state.ScoreTable;

    p.choose(saving);
    QCOMPARE(p.state.ScoreTable, before);
    QCOMPARE(p.state.strPunktedatei, p.ben);
    QCOMPARE(QFileInfo(chosen).isFile(), !bytes.isEmpty());
    QCOMPARE(p.fake.messages.shown.size(), target.isEmpty() ? 0 : 1);
    const auto told = p.fake.messages.shown.value(0);
    QVERIFY2(
        target.isEmpty() || told.text.contains(QDir::toNativeSeparators(benLost ? p.ben : chosen)),
        qPrintable(told.text));
    QVERIFY(!benLost || told.buttons == MessageBox::Buttons::YesNoDefaultNo);

    // The end of the run writes the file that stayed current, if it can, and the store anyway.
    p.window->close();
    QCOMPARE(readFile(p.ben), benLost ? QByteArray() : ScoreFile::format(before));
    QVERIFY(bytes.isEmpty() || readFile(chosen) == bytes);
    QCOMPARE(p.fake.settings.values.value(u"Punktestaende/Division"_s), u"0"_s);
}

void TestPersistence::reset()
{
    Program p;
    const Scores before = p.state.ScoreTable;
    p.fake.messages.answers = { MessageBox::Answer::No, MessageBox::Answer::Yes };
    p.click(u"lblPunkteLoeschen"_s);
    QCOMPARE(p.state.ScoreTable, before);
    QCOMPARE(p.fake.settings.writes, 0);

    // The store cannot be read any more: it is kept aside, and the user told where.
    p.fake.settings.damaged = true;
    p.click(u"lblPunkteLoeschen"_s);
    QCOMPARE(p.fake.messages.shown.size(), 3);
    QVERIFY(p.fake.messages.shown[2].text.contains(u"Tambolino.conf.beschaedigt"_s));
    QCOMPARE(p.fake.settings.setAsideValues.value(u"Punktestaende/Abtippuebungen"_s), u"1234"_s);
    QCOMPARE(p.state.ScoreTable, Scores {});
    QCOMPARE(p.startScore(1), u"Punktestand: 0000000"_s);
    QCOMPARE(p.fake.settings.values.values(), QStringList(12, u"0"_s));
    // The current file gets the zeros at the end of the run.
    QCOMPARE(readFile(p.ben), tensFile(12));
    p.window->close();
    QCOMPARE(readFile(p.ben), QByteArray(" 0 \r\n").repeated(12));
    QCOMPARE(p.fake.messages.shown.size(), 3);
}

void TestPersistence::damagedStore_data()
{
    // What the settings file holds; Abtippuebungen=1234 follows wherever it can.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("damaged");
    const QByteArray scores = "[Punktestaende]\nAbtippuebungen=1234\n";
    QTest::newRow("sound") << scores << false;
    QTest::newRow("empty file") << QByteArray("") << false;
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + scores << true;
    QTest::newRow("comment at the top") << "# Tambolino\n" + scores << true;
    QTest::newRow("line without =")
        << QByteArray("[Punktestaende]\nWortpuzzle\nAbtippuebungen=1234\n") << true;
    QTest::newRow("random bytes") << QByteArray("\x01\xFF[\x80\n=\n\xC3zz") << true;
    QString utf16 = QString::fromLatin1(scores);
    QTest::newRow("UTF-16") << "\xFF\xFE"
            + QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)
                            << true;
    QTest::newRow("a folder in its place") << QByteArray() << true;
}

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
    Scores earned;
    for (int k = 1; k <= 12; ++k)
        earned(k) = 100 * k;

    for (int run = 1; run <= 2; ++run) {
        MDIGrund window(p.state, withStore);
        if (run == 2 || !damaged)
            QCOMPARE(p.state.ScoreTable(1), run == 2 ? 100 : bytes.isEmpty() ? 0 : 1234);
        p.state.ScoreTable = earned;
        window.close();
        QCOMPARE(ScoreStore::load(store), earned);
    }
    // Told once, at the first closing, with the place where the old file now is.
    const QString setAside = path + u".beschaedigt"_s;
    QCOMPARE(p.fake.messages.shown.size(), damaged ? 1 : 0);
    if (damaged) {
        const QString told = p.fake.messages.shown[0].text;
        QVERIFY2(told.contains(QDir::toNativeSeparators(setAside)), qPrintable(told));
        QVERIFY2(!told.contains(u"nicht für den nächsten Programmstart"_s), qPrintable(told));
        QCOMPARE(readFile(setAside), bytes);
    } else {
        QVERIFY(!QFileInfo::exists(setAside));
    }
}

QTEST_MAIN(TestPersistence)
#include "tst_persistence.moc"
