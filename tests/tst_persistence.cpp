#include "TestSupport.h"
#include "app/ClickLabel.h"
#include "app/MainWindow.h"
#include "app/ProgramState.h"
#include "app/ScoreFile.h"
#include "app/StartScreen.h"
#include "platform/doubles/FakePlatform.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// The program on stand-ins, with a fresh documents folder and some stored scores.
struct Program
{
    QTemporaryDir documents;
    FakePlatform fake;
    ProgramState state;
    std::unique_ptr<MDIGrund> window;

    explicit Program(
        const QMap<QString, QString>& stored = { { u"Punktestaende/Abtippuebungen"_s, u"1234"_s },
            { u"Punktestaende/Wortpuzzle"_s, u"-20"_s } })
    {
        fake.settings.values = stored;
        fake.folders.documents = documents.path();
        window = std::make_unique<MDIGrund>(state, fake.platform);
        window->show();
    }
    QString file(const QString& name) const { return documents.filePath(name); }
    frmStart& start() const { return *window->startScreen(); }
    QString stored(const QString& key) const
    {
        return fake.settings.value(u"Punktestaende"_s, key);
    }
    // anna.tbo with the scores 10 ... 120, current as if chosen earlier in the run.
    QString currentAnna()
    {
        writeFile(file(u"anna.tbo"_s), tensFile(12));
        return state.strPunktedatei = file(u"anna.tbo"_s);
    }
    QStringList labels() const
    {
        QStringList texts;
        for (int k = 1; k <= 12; ++k)
            texts.append(start().lblPunkte[k]->text());
        return texts;
    }
};

void click(ClickLabel* label)
{
    QTest::mouseClick(label, Qt::LeftButton);
}
} // namespace

class TestPersistence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsScoreFile();
    void nothingChanges_data();
    void nothingChanges();
    void newFileGetsTheFinalScores();
    void switchingFilesKeepsTheEarnedScores_data();
    void switchingFilesKeepsTheEarnedScores();
    void reset_data();
    void reset();
    void closingWritesStoreDespiteFailedFile_data();
    void closingWritesStoreDespiteFailedFile();
};

void TestPersistence::loadsScoreFile()
{
    Program p;
    const QString kids = p.file(u"kinder.tbo"_s);
    QVERIFY(writeFile(kids, tensFile(12)));
    p.fake.files.results = { kids, std::nullopt };

    click(p.start().lblBenLaden);
    const FileDialog::Request asked = p.fake.files.opened.value(0);
    QCOMPARE(asked.title, u"tbo-Datei öffnen"_s);
    QCOMPARE(asked.filter, u"*.tbo"_s);
    QCOMPARE(asked.folder, p.documents.path());
    QCOMPARE(asked.fileName, QString());
    for (int k = 1; k <= 12; ++k) {
        QCOMPARE(p.state.ScoreTable(k), 10 * k);
        QCOMPARE(
            p.start().lblPunkte[k]->text(), u"Punktestand: %1"_s.arg(10 * k, 6, 10, QChar(u'0')));
    }
    QCOMPARE(p.state.strPunktedatei, kids);

    // The name stays for the next use, in either mode.
    click(p.start().lblBenSpe);
    QCOMPARE(p.fake.files.saved.value(0).title, u"tbo-Datei speichern"_s);
    QCOMPARE(p.fake.files.saved.value(0).fileName, kids);
}

void TestPersistence::nothingChanges_data()
{
    QTest::addColumn<bool>("saving");
    QTest::addColumn<QString>("target"); // empty: the dialog is cancelled
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("open cancelled") << false << QString() << QByteArray();
    QTest::newRow("save cancelled") << true << QString() << QByteArray();
    QTest::newRow("missing") << false << u"fehlt.tbo"_s << QByteArray();
    QTest::newRow("folder") << false << u"ordner"_s << QByteArray();
    QTest::newRow("five lines") << false << u"kurz.tbo"_s << tensFile(5);
    QTest::newRow("not a number") << false << u"wort.tbo"_s << tensFile(6) + "sechzig\r\n";
    QTest::newRow("out of range") << false << u"gross.tbo"_s << tensFile(11) + "2147483648\r\n";
    QTest::newRow("unwritable new file") << true << u"kein-ordner/neu.tbo"_s << QByteArray();
}

void TestPersistence::nothingChanges()
{
    QFETCH(bool, saving);
    QFETCH(QString, target);
    QFETCH(QByteArray, bytes);
    Program p;
    const QString anna = p.currentAnna();
    const QString chosen = p.file(target);
    if (target == u"ordner"_s)
        QVERIFY(QDir(p.documents.path()).mkdir(target));
    if (target.startsWith(u"kein-ordner/"_s))
        QVERIFY(writeFile(p.file(u"kein-ordner"_s), "a file, not a folder"));
    if (!bytes.isEmpty())
        QVERIFY(writeFile(chosen, bytes));
    if (!target.isEmpty())
        p.fake.files.results = { chosen };
    const Scores before = p.state.ScoreTable;
    const QStringList labels = p.labels();

    click(saving ? p.start().lblBenSpe : p.start().lblBenLaden);
    QCOMPARE(p.state.ScoreTable, before);
    QCOMPARE(p.labels(), labels);
    QCOMPARE(p.state.strPunktedatei, anna);
    QCOMPARE(p.fake.messages.shown.size(), target.isEmpty() ? 0 : 1);
    if (!target.isEmpty()) {
        const ScriptedMessageBox::Shown told = p.fake.messages.shown.first();
        QCOMPARE(told.icon, MessageBox::Icon::Warning);
        QVERIFY2(told.text.contains(QDir::toNativeSeparators(chosen)), qPrintable(told.text));
    }
    QCOMPARE(readFile(anna), tensFile(12));

    // The closing writes the scores to the file that stayed current, and no other.
    p.window->close();
    QCOMPARE(readFile(anna), ScoreFile::format(before));
    if (!bytes.isEmpty())
        QCOMPARE(readFile(chosen), bytes);
}

void TestPersistence::newFileGetsTheFinalScores()
{
    Program p;
    const QString anna = p.file(u"anna.tbo"_s);
    p.fake.files.results = { anna };
    click(p.start().lblBenSpe);
    QCOMPARE(readFile(anna), ScoreFile::format(p.state.ScoreTable));
    QCOMPARE(p.state.strPunktedatei, anna);
    QCOMPARE(p.state.ScoreTable(1), 1234);

    p.state.ScoreTable.add(3, -50);
    p.window->close();
    QCOMPARE(readFile(anna), ScoreFile::format(p.state.ScoreTable));
    QCOMPARE(p.stored(u"Einsetzuebungen"_s), u"-50"_s);

    // The next run starts from the settings store with the same scores.
    Program next(p.fake.settings.values);
    QCOMPARE(next.state.ScoreTable, p.state.ScoreTable);
}

void TestPersistence::switchingFilesKeepsTheEarnedScores_data()
{
    QTest::addColumn<bool>("saving");
    QTest::addColumn<bool>("annaWritable");
    QTest::newRow("load another child's file") << false << true;
    QTest::newRow("new file for another child") << true << true;
    QTest::newRow("load, current file unwritable") << false << false;
    QTest::newRow("new file, current file unwritable") << true << false;
}

void TestPersistence::switchingFilesKeepsTheEarnedScores()
{
    QFETCH(bool, saving);
    QFETCH(bool, annaWritable);
    Program p;
    const QString anna = p.currentAnna();
    p.state.ScoreTable.add(9, 250); // earned by Anna in this run
    const Scores annas = p.state.ScoreTable;
    if (!annaWritable) {
        QVERIFY(QFile::remove(anna));
        QVERIFY(QDir(p.documents.path()).mkdir(u"anna.tbo"_s));
    }
    const QString ben = p.file(u"ben.tbo"_s);
    if (!saving)
        QVERIFY(writeFile(ben, tensFile(12)));
    p.fake.files.results = { ben };

    click(saving ? p.start().lblBenSpe : p.start().lblBenLaden);

    if (!annaWritable) {
        QCOMPARE(p.fake.messages.shown.size(), 1);
        QVERIFY(p.fake.messages.shown[0].text.contains(QDir::toNativeSeparators(anna)));
        QCOMPARE(p.state.strPunktedatei, anna);
        QCOMPARE(p.state.ScoreTable, annas);
        return;
    }
    QVERIFY(p.fake.messages.shown.isEmpty());
    QCOMPARE(readFile(anna), ScoreFile::format(annas));
    QCOMPARE(p.state.strPunktedatei, ben);
    QCOMPARE(p.state.ScoreTable(9), saving ? annas(9) : 90);
}

void TestPersistence::reset_data()
{
    QTest::addColumn<MessageBox::Answer>("answer");
    QTest::newRow("yes") << MessageBox::Answer::Yes;
    QTest::newRow("no") << MessageBox::Answer::No;
}

void TestPersistence::reset()
{
    QFETCH(MessageBox::Answer, answer);
    Program p;
    const QString anna = p.currentAnna();
    const Scores before = p.state.ScoreTable;
    const QStringList labels = p.labels();
    p.fake.messages.answers = { answer };

    click(p.start().lblPunkteLoeschen);
    QCOMPARE(p.fake.messages.shown.size(), 1);
    const ScriptedMessageBox::Shown asked = p.fake.messages.shown.first();
    QCOMPARE(asked.text, u"Sollen die Punktestände wirklich wieder auf Null gesetzt werden?"_s);
    QCOMPARE(asked.title, u"Sicherheitsabfrage"_s);
    QCOMPARE(asked.buttons, MessageBox::Buttons::YesNo);
    QCOMPARE(asked.icon, MessageBox::Icon::None);
    QCOMPARE(readFile(anna), tensFile(12));
    if (answer == MessageBox::Answer::No) {
        QCOMPARE(p.state.ScoreTable, before);
        QCOMPARE(p.labels(), labels);
        QCOMPARE(p.fake.settings.writes, 0);
        return;
    }
    QCOMPARE(p.state.ScoreTable, Scores {});
    QCOMPARE(p.labels(), QStringList(12, u"Punktestand: 0000000"_s));
    QCOMPARE(p.fake.settings.writes, 12);

    p.window->close();
    QCOMPARE(p.fake.settings.values.size(), 12);
    for (const QString& value : std::as_const(p.fake.settings.values))
        QCOMPARE(value, u"0"_s);
    QCOMPARE(readFile(anna), QByteArray(" 0 \r\n").repeated(12));
}

void TestPersistence::closingWritesStoreDespiteFailedFile_data()
{
    QTest::addColumn<bool>("byUser");
    QTest::newRow("closed by the user") << true;
    QTest::newRow("ended by a signal") << false;
}

void TestPersistence::closingWritesStoreDespiteFailedFile()
{
    QFETCH(bool, byUser);
    Program p;
    p.state.strPunktedatei = pathBelowAFile(QDir(p.documents.path()));
    p.state.ScoreTable(12) = 33;
    if (byUser) {
        p.window->close();
    } else {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"konnte nicht geschrieben"_s));
        p.window->endUnattended();
    }
    QVERIFY(!p.window->isVisible());
    QCOMPARE(p.fake.settings.writes, 12);
    QCOMPARE(p.stored(u"Division"_s), u"33"_s);
    QCOMPARE(p.fake.messages.shown.size(), byUser ? 1 : 0);
}

QTEST_MAIN(TestPersistence)
#include "tst_persistence.moc"
