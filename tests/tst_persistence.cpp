#include "TestSupport.h"
#include "app/ClickLabel.h"
#include "app/MainWindow.h"
#include "app/ProgramState.h"
#include "app/ScoreFile.h"
#include "app/StartScreen.h"
#include "platform/TerminationSignals.h"
#include "platform/doubles/FakePlatform.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
const QString Section = u"Punktestaende/"_s;

// The program with stand-ins for the machine; its documents folder is a fresh temporary one.
struct Program
{
    QTemporaryDir documents;
    FakePlatform fake;
    ProgramState state;
    std::unique_ptr<MDIGrund> window;

    explicit Program(const QMap<QString, QString>& stored = {})
    {
        fake.settings.values = stored;
        fake.folders.documents = documents.path();
    }
    QString file(const QString& name) const { return documents.filePath(name); }
    frmStart& start() const { return *window->startScreen(); }
    void open()
    {
        window = std::make_unique<MDIGrund>(state, fake.platform);
        window->show();
    }
    // anna.tbo with the scores 10 ... 120, current as if chosen earlier in the run.
    QString currentAnna()
    {
        const QString anna = file(u"anna.tbo"_s);
        writeFile(anna, tensFile(12));
        state.strPunktedatei = anna;
        return anna;
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

const QMap<QString, QString> SomeScores {
    { Section + u"Abtippuebungen"_s, u"1234"_s },
    { Section + u"Wortpuzzle"_s, u"-20"_s },
    { Section + u"Division"_s, u"7"_s },
};
} // namespace

class TestPersistence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsScoreFile();
    void rejectedFileChangesNothing_data();
    void rejectedFileChangesNothing();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void newFileGetsTheFinalScores();
    void failedNewFileKeepsCurrentFile();
    void reset_data();
    void reset();
    void closingWritesStoreDespiteFailedFile_data();
    void closingWritesStoreDespiteFailedFile();
    void terminationSignalSaves_data();
    void terminationSignalSaves();
};

void TestPersistence::loadsScoreFile()
{
    Program p;
    p.open();
    const QString anna = p.file(u"anna.tbo"_s);
    QVERIFY(writeFile(anna, tensFile(12)));
    p.fake.files.results = { anna, std::nullopt };

    click(p.start().lblBenLaden);
    QCOMPARE(p.fake.files.opened.size(), 1);
    const FileDialog::Request asked = p.fake.files.opened.first();
    QCOMPARE(asked.title, u"tbo-Datei öffnen"_s);
    QCOMPARE(asked.filter, u"*.tbo"_s);
    QCOMPARE(asked.folder, p.documents.path());
    QCOMPARE(asked.fileName, QString());
    for (int k = 1; k <= 12; ++k) {
        QCOMPARE(p.state.ScoreTable(k), 10 * k);
        QCOMPARE(
            p.start().lblPunkte[k]->text(), u"Punktestand: %1"_s.arg(10 * k, 6, 10, QChar(u'0')));
    }
    QCOMPARE(p.state.strPunktedatei, anna);

    click(p.start().lblBenSpe);
    QCOMPARE(p.fake.files.saved.size(), 1);
    QCOMPARE(p.fake.files.saved.first().title, u"tbo-Datei speichern"_s);
    QCOMPARE(p.fake.files.saved.first().fileName, anna);
}

void TestPersistence::rejectedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("folder");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("folder") << QByteArray() << true;
    QTest::newRow("five lines") << tensFile(5) << false;
    QTest::newRow("not a number") << tensFile(6) + "sechzig\r\n" + tensFile(5) << false;
    QTest::newRow("out of range") << tensFile(11) + "2147483648\r\n" << false;
}

void TestPersistence::rejectedFileChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, folder);
    Program p(SomeScores);
    p.open();
    const QString anna = p.currentAnna();
    const QString bad = p.file(u"kaputt.tbo"_s);
    if (folder)
        QVERIFY(QDir(p.documents.path()).mkdir(u"kaputt.tbo"_s));
    else if (!bytes.isEmpty())
        QVERIFY(writeFile(bad, bytes));
    const Scores before = p.state.ScoreTable;
    const QStringList labels = p.labels();
    p.fake.files.results = { bad };

    click(p.start().lblBenLaden);
    QCOMPARE(p.fake.messages.shown.size(), 1);
    QCOMPARE(p.fake.messages.shown.first().icon, MessageBox::Icon::Warning);
    QVERIFY(p.fake.messages.shown.first().text.contains(QDir::toNativeSeparators(bad)));
    QCOMPARE(p.state.ScoreTable, before);
    QCOMPARE(p.labels(), labels);
    QCOMPARE(p.state.strPunktedatei, anna);

    p.window->close();
    QCOMPARE(readFile(anna), ScoreFile::format(before));
    if (!bytes.isEmpty())
        QCOMPARE(readFile(bad), bytes);
}

void TestPersistence::cancelChangesNothing_data()
{
    QTest::addColumn<bool>("saving");
    QTest::newRow("open") << false;
    QTest::newRow("save") << true;
}

void TestPersistence::cancelChangesNothing()
{
    QFETCH(bool, saving);
    Program p(SomeScores);
    p.open();
    const QString anna = p.currentAnna();
    p.start().dlgDatei.fileName = anna;
    const Scores before = p.state.ScoreTable;
    const QStringList labels = p.labels();

    click(saving ? p.start().lblBenSpe : p.start().lblBenLaden);
    QCOMPARE(p.fake.files.opened.size() + p.fake.files.saved.size(), 1);
    QVERIFY(p.fake.messages.shown.isEmpty());
    QCOMPARE(p.state.ScoreTable, before);
    QCOMPARE(p.labels(), labels);
    QCOMPARE(p.state.strPunktedatei, anna);
    QCOMPARE(readFile(anna), tensFile(12));
}

void TestPersistence::newFileGetsTheFinalScores()
{
    Program p(SomeScores);
    p.open();
    const QString anna = p.file(u"anna.tbo"_s);
    p.fake.files.results = { anna };
    click(p.start().lblBenSpe);
    QCOMPARE(readFile(anna), ScoreFile::format(p.state.ScoreTable));
    QCOMPARE(p.state.strPunktedatei, anna);
    QCOMPARE(p.state.ScoreTable(1), 1234);

    p.state.ScoreTable.add(3, -50);
    p.window->close();
    QCOMPARE(readFile(anna), ScoreFile::format(p.state.ScoreTable));
    QCOMPARE(p.fake.settings.value(u"Punktestaende"_s, u"Einsetzuebungen"_s), u"-50"_s);

    // The next run starts from the settings store with the same scores.
    Program next(p.fake.settings.values);
    next.open();
    QCOMPARE(next.state.ScoreTable, p.state.ScoreTable);
}

void TestPersistence::failedNewFileKeepsCurrentFile()
{
    Program p(SomeScores);
    p.open();
    const QString anna = p.currentAnna();
    const QString unwritable = pathBelowAFile(QDir(p.documents.path()));
    p.fake.files.results = { unwritable };

    click(p.start().lblBenSpe);
    QCOMPARE(p.fake.messages.shown.size(), 1);
    const QString text = p.fake.messages.shown.first().text;
    QVERIFY2(text.contains(QDir::toNativeSeparators(unwritable)), qPrintable(text));
    QVERIFY2(text.contains(QDir::toNativeSeparators(anna)), qPrintable(text));
    QCOMPARE(p.state.strPunktedatei, anna);
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
    Program p(SomeScores);
    p.open();
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
    p.open();
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
    QCOMPARE(p.fake.settings.value(u"Punktestaende"_s, u"Division"_s), u"33"_s);
    QCOMPARE(p.fake.messages.shown.size(), byUser ? 1 : 0);
}

void TestPersistence::terminationSignalSaves_data()
{
    addTerminationSignalRows();
}

void TestPersistence::terminationSignalSaves()
{
    QFETCH(int, signalNumber);
    Program p;
    p.open();
    TerminationSignals termination;
    connect(&termination, &TerminationSignals::received, p.window.get(), &MDIGrund::endUnattended);
    p.state.ScoreTable(5) = 55;

    std::raise(signalNumber);
    QTRY_COMPARE(p.fake.settings.value(u"Punktestaende"_s, u"Wortraten"_s), u"55"_s);
    QVERIFY(!p.window->isVisible());
    QVERIFY(p.fake.messages.shown.isEmpty());
}

QTEST_MAIN(TestPersistence)
#include "tst_persistence.moc"
