#include "TestSupport.h"
#include "app/ClickLabel.h"
#include "app/MainWindow.h"
#include "app/ProgramState.h"
#include "app/Scoring.h"
#include "app/StartScreen.h"
#include "language/TypingScreen.h"
#include "platform/doubles/FakePlatform.h"

#include <QLabel>
#include <QMdiArea>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Types the rest of the shown text without a wrong key.
void finishText(frmUebung01& screen)
{
    typeKeys(screen, screen.typing().text().mid(screen.typing().position() - 1));
}

const QString TaskFileName = u"Abschreibuebungen.txt"_s;

// The main window over a program directory of the test's own; the frame is seen through the
// typing exercise, whose first text is the first of the file.
struct Program
{
    explicit Program(const QStringList& texts = { u"Der Hund bellt."_s, u"Die Katze."_s })
    {
        writeFile(folder.filePath(TaskFileName), taskFileBytes(texts));
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

    QTemporaryDir folder;
    FakePlatform fake;
    ProgramState state;
    MDIGrund window { state, fake.platform };
};
} // namespace

class ExerciseFrameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typingOnTheScreen();
    void timeLimitAtTaskBoundary_data();
    void timeLimitAtTaskBoundary();
    void unusableTaskFile_data();
    void unusableTaskFile();
};

void ExerciseFrameTest::typingOnTheScreen()
{
    const QString text = u"Im Herbst fallen die bunten Blätter von den Bäumen."_s;
    Program program({ text, u"Ja."_s });
    frmUebung01* screen = program.open();
    QVERIFY(screen);

    // Keys arrive as characters whichever control has the focus, a space on an option too.
    QTest::keyClicks(screen->lblEingabe, u"Im"_s);
    QTest::keyClick(screen->optKeine, Qt::Key_Backspace);
    QCOMPARE(screen->lblFehleranzeige->text(), u"Rücktaste statt Leertaste"_s);
    QTest::keyClick(screen->opt5min, Qt::Key_Space);

    // Typed to the end of the model's first line, the mark starts the second one; both lines
    // are drawn from the same edges.
    const QString model = screen->lblVorgabe->text();
    const qsizetype lineEnd = model.indexOf(u'\n');
    for (const QChar c : text.mid(3, lineEnd - 3))
        QTest::sendKeyEvent(QTest::Press, screen, Qt::Key_unknown, c, Qt::NoModifier);
    QCOMPARE(screen->lblEingabe->text(), model.left(lineEnd + 1) + u'_');
    QCOMPARE(screen->lblEingabe->contentsRect(), screen->lblVorgabe->contentsRect());

    finishText(*screen);
    const QString result = screen->lblPunktemeldung->text();
    QCOMPARE(result, program.state.strErgebnis);
    QCOMPARE(screen->lblVorgabe->text(), u"Ja."_s);

    // The result line stays until the next text's first key, a wrong one too.
    screen->clockStep();
    QCOMPARE(screen->lblPunktemeldung->text(), result);
    typeKeys(*screen, u"#"_s);
    QCOMPARE(screen->lblPunktemeldung->text(), QString());
    // The error count is the screen's, the result line's the text's.
    QCOMPARE(screen->lblFehler->text(), u"2"_s);
    QVERIFY(result.contains(u"| 1 Fehler |"_s));
}

void ExerciseFrameTest::timeLimitAtTaskBoundary_data()
{
    QTest::addColumn<int>("ticks");
    // Options clicked before and after the ticks; clicking the chosen one again changes nothing.
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<bool>("ends");

    QTest::newRow("keine") << 7505 << u"optKeine"_s << u"optKeine"_s << u"125:05"_s << false;
    QTest::newRow("5 min at 4:59") << 299 << u"opt5min"_s << u"opt5min"_s << u"04:59"_s << false;
    QTest::newRow("5 min at 5:00") << 300 << u"opt5min"_s << u"opt5min"_s << u"05:00"_s << true;
    QTest::newRow("10 min at 9:59") << 599 << u"opt10min"_s << u"opt10min"_s << u"09:59"_s << false;
    QTest::newRow("15 min at 15:00") << 900 << u"opt15min"_s << u"opt15min"_s << u"15:00"_s << true;
    QTest::newRow("then keine") << 600 << u"opt5min"_s << u"optKeine"_s << u"10:00"_s << false;
    QTest::newRow("chosen at 7:00") << 420 << u"optKeine"_s << u"opt5min"_s << u"07:00"_s << true;
}

void ExerciseFrameTest::timeLimitAtTaskBoundary()
{
    QFETCH(int, ticks);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, clock);
    QFETCH(bool, ends);
    Program program;
    frmUebung01* screen = program.open();
    QVERIFY(screen);
    screen->findChild<QRadioButton*>(before)->click();
    for (int i = 0; i < ticks; ++i)
        screen->clockStep();
    QCOMPARE(screen->lblZeit->text(), clock);
    screen->findChild<QRadioButton*>(after)->click();
    // Within a text neither the clock nor a key ends the exercise.
    typeKeys(*screen, u"#"_s);
    QVERIFY(program.fake.messages.shown.isEmpty());

    finishText(*screen);
    program.settle();
    QCOMPARE(!program.screen(), ends);
    QCOMPARE(program.fake.messages.shown.size(), ends ? 1 : 0);
    if (ends) {
        QCOMPARE(program.fake.messages.shown[0].text, u"Die eingestellte Zeit ist abgelaufen."_s);
        QCOMPARE(program.fake.messages.shown[0].title, u"Hinweis"_s);
    } else {
        QTest::mouseClick(screen->lblUebEnd, Qt::LeftButton);
        program.settle();
    }
    // The finished text is scored in any case.
    const qint32 score = program.state.ScoreTable(1);
    QVERIFY(score > 0);
    QCOMPARE(program.window.startScreen()->lblPunkte[1]->text(), scoreLabelText(score));

    // Reopened, the screen starts afresh and shows the score.
    screen = program.open();
    QVERIFY(screen);
    QCOMPARE(screen->lblZeit->text(), u"00:00"_s);
    QVERIFY(screen->optKeine->isChecked());
    QCOMPARE(screen->lblPunktestand->text(), formatScore(score));
}

void ExerciseFrameTest::unusableTaskFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << false << u"wurde nicht gefunden"_s;
    QTest::newRow("empty") << true << u"ist leer"_s;
}

void ExerciseFrameTest::unusableTaskFile()
{
    QFETCH(bool, exists);
    QFETCH(QString, reason);
    Program program(QStringList {});
    if (!exists)
        QFile::remove(program.folder.filePath(TaskFileName));

    QVERIFY(!program.open());
    QCOMPARE(program.fake.messages.shown.size(), 1);
    const QString text = program.fake.messages.shown[0].text;
    QVERIFY2(text.contains(TaskFileName) && text.contains(reason), qPrintable(text));
    QCOMPARE(program.window.mdiArea()->subWindowList().size(), 1);
}

QTEST_MAIN(ExerciseFrameTest)
#include "tst_exerciseframe.moc"
