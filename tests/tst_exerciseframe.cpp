#include "TaskFolder.h"
#include "TypingKeys.h"
#include "app/ClickLabel.h"
#include "app/MainWindow.h"
#include "app/ProgramState.h"
#include "app/Scoring.h"
#include "app/StartScreen.h"
#include "language/TypingScreen.h"
#include "platform/doubles/FakePlatform.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString TaskFileName = u"Abschreibuebungen.txt"_s;

// The main window over a program directory of the test's own; the frame is seen through the
// typing exercise.
struct Program
{
    Program()
    {
        folder.write(TaskFileName,
            { u"Der Hund bellt."_s, u"Die Katze schläft."_s, u"Wir spielen Ball."_s });
        fake.folders.program = folder.path();
    }

    frmUebung01* open()
    {
        window.showExercise(1);
        return screen();
    }

    frmUebung01* screen() const { return qobject_cast<frmUebung01*>(window.exerciseScreen(1)); }

    // Closed screens are deleted by the event loop.
    void settle() const { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static void tick(ExerciseScreen* screen, int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            screen->clockStep();
    }

    TaskFolder folder;
    FakePlatform fake;
    ProgramState state;
    MDIGrund window { state, fake.platform };
};

QRadioButton* option(ExerciseScreen* screen, const QString& name)
{
    return screen->findChild<QRadioButton*>(name);
}
} // namespace

class ExerciseFrameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clockText_data();
    void clockText();
    void timeLimitAtTaskBoundary_data();
    void timeLimitAtTaskBoundary();
    void timeLimitDoesNotInterruptAText();
    void reopeningStartsAfresh();
    void f1OpensHelpWhereverTheFocusIs();
    void unusableTaskFile_data();
    void unusableTaskFile();
    void taskFileLostDuringExercise();
};

void ExerciseFrameTest::clockText_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("text");

    QTest::newRow("7 s") << 7 << u"00:07"_s;
    QTest::newRow("59 s") << 59 << u"00:59"_s;
    QTest::newRow("60 s") << 60 << u"01:00"_s;
    QTest::newRow("61 s") << 61 << u"01:01"_s;
    QTest::newRow("12:30") << 750 << u"12:30"_s;
    QTest::newRow("99:59") << 5999 << u"99:59"_s;
    QTest::newRow("100 min") << 6000 << u"100:00"_s;
    QTest::newRow("125:05") << 7505 << u"125:05"_s;
}

void ExerciseFrameTest::clockText()
{
    QFETCH(int, ticks);
    QFETCH(QString, text);
    Program program;
    frmUebung01* screen = program.open();
    QVERIFY(screen);
    QCOMPARE(screen->lblZeit->text(), u"00:00"_s);
    QCOMPARE(screen->lblUhrzeit->text(), program.fake.clock.longTimeText());

    program.fake.clock.advance(ticks);
    Program::tick(screen, ticks);
    QCOMPARE(screen->lblZeit->text(), text);
    QCOMPARE(screen->lblUhrzeit->text(), program.fake.clock.longTimeText());
}

void ExerciseFrameTest::timeLimitAtTaskBoundary_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QStringList>("options"); // clicked in turn after the ticks
    QTest::addColumn<bool>("ends");

    QTest::newRow("no limit at 125:05") << 7505 << QStringList {} << false;
    QTest::newRow("5 min at 4:59") << 299 << QStringList { u"opt5min"_s } << false;
    QTest::newRow("5 min at 5:00") << 300 << QStringList { u"opt5min"_s } << true;
    QTest::newRow("5 min chosen at 7:00") << 420 << QStringList { u"opt5min"_s } << true;
    QTest::newRow("10 min at 9:59") << 599 << QStringList { u"opt10min"_s } << false;
    QTest::newRow("10 min at 12:00") << 720 << QStringList { u"opt10min"_s } << true;
    QTest::newRow("15 min at 15:00") << 900 << QStringList { u"opt15min"_s } << true;
    QTest::newRow("5 min, then none")
        << 600 << QStringList { u"opt5min"_s, u"optKeine"_s } << false;
    QTest::newRow("none, then 5 min") << 300 << QStringList { u"optKeine"_s, u"opt5min"_s } << true;
}

void ExerciseFrameTest::timeLimitAtTaskBoundary()
{
    QFETCH(int, ticks);
    QFETCH(QStringList, options);
    QFETCH(bool, ends);
    Program program;
    frmUebung01* screen = program.open();
    QVERIFY(screen);
    Program::tick(screen, ticks);
    for (const QString& name : options)
        option(screen, name)->click();
    // The clock alone never ends the exercise.
    QVERIFY(program.fake.messages.shown.isEmpty());

    program.fake.clock.advance(10);
    finishText(*screen);
    // The finished text is scored in any case.
    QVERIFY(program.state.ScoreTable(1) > 0);
    QCOMPARE(program.window.startScreen()->lblPunkte[1]->text(),
        scoreLabelText(program.state.ScoreTable(1)));
    program.settle();
    if (!ends) {
        QVERIFY(program.fake.messages.shown.isEmpty());
        QCOMPARE(program.screen(), screen);
        QCOMPARE(screen->lblAufg->text(), u"2"_s);
        return;
    }
    QCOMPARE(program.fake.messages.shown.size(), 1);
    const ScriptedMessageBox::Shown& box = program.fake.messages.shown.first();
    QCOMPARE(box.text, u"Die eingestellte Zeit ist abgelaufen."_s);
    QCOMPARE(box.title, u"Hinweis"_s);
    QCOMPARE(box.buttons, MessageBox::Buttons::Ok);
    QVERIFY(!program.screen());
    QCOMPARE(program.window.mdiArea()->subWindowList().size(), 1);
}

void ExerciseFrameTest::timeLimitDoesNotInterruptAText()
{
    Program program;
    frmUebung01* screen = program.open();
    screen->opt5min->click();
    Program::tick(screen, 290);
    typeKeys(*screen, screen->typing().text().left(3));
    Program::tick(screen, 40);
    QVERIFY(program.fake.messages.shown.isEmpty());
    typeKeys(*screen, u"#"_s);
    QCOMPARE(screen->lblFehler->text(), u"1"_s);

    finishText(*screen);
    program.settle();
    QCOMPARE(program.fake.messages.shown.size(), 1);
    QVERIFY(!program.screen());
}

void ExerciseFrameTest::reopeningStartsAfresh()
{
    Program program;
    program.state.ScoreTable(1) = 1234;
    frmUebung01* screen = program.open();
    QCOMPARE(screen->lblPunktestand->text(), u"0001234"_s);
    Program::tick(screen, 65);
    screen->opt10min->click();
    typeKeys(*screen, u"#"_s);
    program.fake.clock.advance(5);
    finishText(*screen);
    const qint32 score = program.state.ScoreTable(1);
    QVERIFY(score != 1234);

    QTest::mouseClick(screen->lblUebEnd, Qt::LeftButton);
    program.settle();
    QVERIFY(!program.screen());
    QCOMPARE(program.window.startScreen()->lblPunkte[1]->text(), scoreLabelText(score));

    screen = program.open();
    QVERIFY(screen);
    QCOMPARE(screen->lblZeit->text(), u"00:00"_s);
    QVERIFY(screen->optKeine->isChecked());
    QVERIFY(!screen->opt10min->isChecked());
    QCOMPARE(screen->clock().limit(), 0);
    QCOMPARE(screen->lblPunktestand->text(), formatScore(score));
    QCOMPARE(screen->lblFehler->text(), u"0"_s);
    QCOMPARE(screen->lblAufg->text(), u"1"_s);
    QCOMPARE(program.state.ScoreTable(1), score);
}

void ExerciseFrameTest::f1OpensHelpWhereverTheFocusIs()
{
    Program program;
    program.window.show();
    frmUebung01* screen = program.open();
    screen->opt5min->setFocus();
    QTest::keyClick(screen->opt5min, Qt::Key_F1);
    const QList<QUrl> expected { QUrl::fromLocalFile(
        program.folder.file(u"Hilfe/abtippuebungen.htm"_s)) };
    QCOMPARE(program.fake.browser.urls, expected);
    // Help is no typing, and the option keeps its state.
    QCOMPARE(screen->lblFehler->text(), u"0"_s);
    QVERIFY(screen->optKeine->isChecked());
}

void ExerciseFrameTest::unusableTaskFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << false << QByteArray() << u"wurde nicht gefunden"_s;
    QTest::newRow("empty") << true << QByteArray() << u"ist leer"_s;
}

void ExerciseFrameTest::unusableTaskFile()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    Program program;
    QFile::remove(program.folder.file(TaskFileName));
    if (exists)
        program.folder.writeBytes(TaskFileName, bytes);

    QVERIFY(!program.open());
    QCOMPARE(program.fake.messages.shown.size(), 1);
    const ScriptedMessageBox::Shown& box = program.fake.messages.shown.first();
    QVERIFY2(box.text.contains(TaskFileName), qPrintable(box.text));
    QVERIFY2(box.text.contains(reason), qPrintable(box.text));
    QCOMPARE(box.title, u"Hinweis"_s);
    QCOMPARE(program.window.mdiArea()->subWindowList().size(), 1);

    // The program goes on: with a usable file the exercise opens.
    program.folder.write(TaskFileName, { u"Jetzt geht es."_s });
    QVERIFY(program.open());
}

void ExerciseFrameTest::taskFileLostDuringExercise()
{
    Program program;
    program.folder.write(TaskFileName, { u"Eins."_s, u"Zwei."_s });
    frmUebung01* screen = program.open();
    finishText(*screen);
    QVERIFY(QFile::remove(program.folder.file(TaskFileName)));
    // The last text of the pass: the file is read again.
    finishText(*screen);
    program.settle();
    QCOMPARE(program.fake.messages.shown.size(), 1);
    QVERIFY(program.fake.messages.shown.first().text.contains(TaskFileName));
    QVERIFY(!program.screen());
    QVERIFY(program.window.startScreen());
}

QTEST_MAIN(ExerciseFrameTest)
#include "tst_exerciseframe.moc"
