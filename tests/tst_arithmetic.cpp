#include "app/ExerciseCatalogue.h"
#include "app/ProgramState.h"
#include "app/Theme.h"
#include "arithmetic/ArithmeticScreen.h"
#include "frame/ExerciseScreens.h"
#include "platform/doubles/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
// One arithmetic screen on a task file of its own, with the clock and the draw in hand.
struct Bench
{
    explicit Bench(const QStringList& lines, int k = 9)
        : k(k)
    {
        fake.folders.program = dir.path();
        if (!lines.isEmpty())
            write(lines);
    }

    QString path() const { return dir.path() + exercise(k).taskFile; }
    void write(const QStringList& lines) const
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    }
    bool open()
    {
        screen.reset(static_cast<ArithmeticScreen*>(createExerciseScreen(k, state, fake.platform)));
        return screen->open();
    }
    void type(const QString& text) const
    {
        for (const QChar c : text)
            screen->typeCharacter(c);
    }
    // Types the current answer right and lets the pause run out.
    void solveAndPause(double seconds = 3)
    {
        fake.clock.advance(seconds);
        type(screen->rules().entry().answer());
        fake.clock.advance(1);
        screen->pauseEnded();
    }

    const int k;
    QTemporaryDir dir;
    FakePlatform fake;
    ProgramState state;
    std::unique_ptr<ArithmeticScreen> screen;
};

const QStringList TwoPairs { QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("B"),
    QStringLiteral("2") };
const QStringList SevenTimesEight { QStringLiteral("7 · 8 ="), QStringLiteral("56") };
} // namespace

class TestArithmetic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensEveryArithmeticScreen_data();
    void opensEveryArithmeticScreen();
    void longChainFitsItsBox();
    void scoresSolvedTask_data();
    void scoresSolvedTask();
    void checksEachKey_data();
    void checksEachKey();
    void pauseIgnoresKeysThenShowsNextTask();
    void neverAsksSameQuestionTwice_data();
    void neverAsksSameQuestionTwice();
    void timeLimitEndsAfterTaskThatCrossesIt();
    void refusesUnusableTaskFile_data();
    void refusesUnusableTaskFile();
    void closesWhenTaskFileVanishes();
};

void TestArithmetic::opensEveryArithmeticScreen_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("title");
    QTest::newRow("Kopfrechnen") << 9 << "frmUebung09"
                                 << "Kopfrechnen";
    QTest::newRow("Kettenaufgaben") << 10 << "frmUebung10"
                                    << "Kettenaufgaben";
    QTest::newRow("Malfolgen") << 11 << "frmUebung11"
                               << "Malfolgen";
    QTest::newRow("Division") << 12 << "frmUebung12"
                              << "Divisionsaufgaben";
}

void TestArithmetic::opensEveryArithmeticScreen()
{
    QFETCH(int, k);
    QFETCH(QString, screen);
    QFETCH(QString, title);
    const QString question = QStringLiteral("Frage %1 =").arg(k);
    Bench bench({ question, QStringLiteral("1") }, k);
    bench.state.lngFehler = 5;
    QVERIFY(bench.open());

    QCOMPARE(bench.screen->objectName(), screen);
    QCOMPARE(bench.screen->Label1->text(), title);
    QCOMPARE(bench.screen->lblVorgabe->text(), question);
    QCOMPARE(bench.screen->lblEingabe->text(), QStringLiteral("_"));
    QCOMPARE(bench.screen->lblAufg->text(), QStringLiteral("1"));
    QCOMPARE(bench.state.lngAnzahl, 10);
    QCOMPARE(bench.state.lngFehler, 0);
    QVERIFY(!bench.screen->Timer2->isActive());
}

void TestArithmetic::longChainFitsItsBox()
{
    const QString chain = QStringLiteral("70 + 35 + 20 + 75 + 17 + 20 + 4 + 8 =");
    Bench bench({ chain, QStringLiteral("249") }, 10);
    QVERIFY(bench.open());
    const QLabel* question = bench.screen->lblVorgabe;
    QCOMPARE(question->text(), chain);
    QVERIFY(QFontMetrics(question->font()).horizontalAdvance(chain)
        <= question->contentsRect().width() - question->indent());
}

void TestArithmetic::scoresSolvedTask_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("wrongKeys");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("score");
    QTest::newRow("4 s") << 4.0 << ""
                         << "gebrauchte Zeit: 4 s | 0 Fehler | 250 Punkte"
                         << "0000250";
    QTest::newRow("7 s, one wrong key") << 7.0 << "x"
                                        << "gebrauchte Zeit: 7 s | 1 Fehler | 133 Punkte"
                                        << "0000133";
    QTest::newRow("16 s, half to even") << 16.0 << ""
                                        << "gebrauchte Zeit: 16 s | 0 Fehler | 62 Punkte"
                                        << "0000062";
    QTest::newRow("more deductions than speed points")
        << 200.0 << "x"
        << "gebrauchte Zeit: 200 s | 1 Fehler | -5 Punkte"
        << "-0000005";
}

void TestArithmetic::scoresSolvedTask()
{
    QFETCH(double, seconds);
    QFETCH(QString, wrongKeys);
    QFETCH(QString, result);
    QFETCH(QString, score);
    Bench bench(SevenTimesEight);
    QVERIFY(bench.open());
    QSignalSpy shown(bench.screen.get(), &ExerciseScreen::scoreChanged);

    bench.fake.clock.advance(seconds);
    bench.type(QStringLiteral("5") + wrongKeys + QStringLiteral("6"));

    QCOMPARE(bench.screen->lblPunktemeldung->text(), result);
    QCOMPARE(bench.screen->lblPunktestand->text(), score);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().first().toInt(), 9);
    QCOMPARE(bench.state.lngFehler, 0);
    QVERIFY(bench.screen->imgZiel->isVisibleTo(bench.screen.get()));
    QVERIFY(bench.screen->Timer2->isActive());
}

void TestArithmetic::checksEachKey_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("errors");
    QTest::addColumn<bool>("solved");
    QTest::newRow("right so far") << "42"
                                  << "4"
                                  << "4_" << 0 << false;
    QTest::newRow("Backspace is a wrong key") << "42"
                                              << "4\b"
                                              << "4_" << 1 << false;
    QTest::newRow("wrong case") << "Ab"
                                << "a"
                                << "_" << 1 << false;
    QTest::newRow("wrong key, then the right one") << "123"
                                                   << "1x2"
                                                   << "12_" << 1 << false;
    QTest::newRow("spaces and signs in order") << "- 3"
                                               << "-3"
                                               << "-_" << 1 << false;
    QTest::newRow("empty answer, solved by any key") << ""
                                                     << "7"
                                                     << "_" << 1 << true;
    QTest::newRow("solved, then keys ignored") << "8"
                                               << "8x9"
                                               << "8_" << 0 << true;
}

void TestArithmetic::checksEachKey()
{
    QFETCH(QString, answer);
    QFETCH(QString, typed);
    QFETCH(QString, line);
    QFETCH(int, errors);
    QFETCH(bool, solved);
    Bench bench({ QStringLiteral("Aufgabe ="), answer });
    QVERIFY(bench.open());

    bench.type(typed);

    const bool wrongLast = bench.screen->rules().entry().lastWrong();
    QCOMPARE(bench.screen->lblEingabe->text(), line);
    QCOMPARE(bench.screen->lblFehler->text(), QString::number(errors));
    QCOMPARE(
        bench.screen->lblFehleranzeige->text(), wrongLast ? QStringLiteral("Fehler") : QString());
    QCOMPARE(
        Theme::textColour(bench.screen->lblEingabe), wrongLast ? Theme::WrongColour : Theme::Black);
    QCOMPARE(bench.screen->Timer2->isActive(), solved);
    if (solved)
        QVERIFY(bench.screen->lblPunktemeldung->text().contains(
            QStringLiteral("| %1 Fehler |").arg(errors)));
}

void TestArithmetic::pauseIgnoresKeysThenShowsNextTask()
{
    Bench bench({ QStringLiteral("1 + 1 ="), QStringLiteral(""), QStringLiteral("2 + 2 ="),
        QStringLiteral("4") });
    QVERIFY(bench.open());
    QCOMPARE(bench.screen->lblVorgabe->text(), QStringLiteral("1 + 1 ="));

    bench.type(QStringLiteral("x"));
    const QString result = bench.screen->lblPunktemeldung->text();
    bench.type(QStringLiteral("4\b"));
    QCOMPARE(bench.screen->lblEingabe->text(), QStringLiteral("_"));
    QCOMPARE(bench.screen->lblFehler->text(), QStringLiteral("1"));
    QCOMPARE(bench.screen->lblPunktemeldung->text(), result);
    QCOMPARE(bench.state.lngFehler, 0);
    QCOMPARE(bench.state.ScoreTable(9), 990);

    // The start second is taken when the pause ends, not when the task was solved.
    bench.fake.clock.advance(30);
    bench.screen->pauseEnded();
    QCOMPARE(bench.screen->lblVorgabe->text(), QStringLiteral("2 + 2 ="));
    QCOMPARE(bench.screen->lblEingabe->text(), QStringLiteral("_"));
    QCOMPARE(Theme::textColour(bench.screen->lblEingabe), Theme::Black);
    QCOMPARE(bench.screen->lblFehleranzeige->text(), QString());
    QCOMPARE(bench.screen->lblAufg->text(), QStringLiteral("2"));
    QVERIFY(!bench.screen->imgZiel->isVisibleTo(bench.screen.get()));
    QCOMPARE(bench.screen->lblPunktemeldung->text(), result);
    bench.fake.clock.advance(4);
    bench.type(QStringLiteral("4"));
    QCOMPARE(bench.state.ScoreTable(9), 990 + 250);
}

void TestArithmetic::neverAsksSameQuestionTwice_data()
{
    QTest::addColumn<double>("draw");
    QTest::newRow("draws the first") << 0.0;
    QTest::newRow("draws the last") << 0.99;
}

void TestArithmetic::neverAsksSameQuestionTwice()
{
    QFETCH(double, draw);
    Bench bench(TwoPairs);
    bench.fake.random.fallback = draw;
    QVERIFY(bench.open());

    QString previous = bench.screen->lblVorgabe->text();
    for (int task = 2; task <= 7; ++task) {
        bench.solveAndPause();
        const QString question = bench.screen->lblVorgabe->text();
        QVERIFY2(question != previous, qPrintable(question));
        QCOMPARE(bench.screen->lblAufg->text(), QString::number(task));
        previous = question;
    }
}

void TestArithmetic::timeLimitEndsAfterTaskThatCrossesIt()
{
    Bench bench(TwoPairs);
    QVERIFY(bench.open());
    bench.screen->show();
    bench.screen->opt5min->setChecked(true);
    for (int second = 0; second < 5 * 60 - 1; ++second)
        bench.screen->clockStep();

    bench.solveAndPause();
    QCOMPARE(bench.screen->lblAufg->text(), QStringLiteral("2"));
    QVERIFY(bench.fake.messages.shown.isEmpty());

    bench.screen->clockStep();
    bench.solveAndPause();
    QCOMPARE(bench.state.ScoreTable(9), 2 * 333);
    QCOMPARE(bench.fake.messages.shown.size(), 1);
    QCOMPARE(bench.fake.messages.shown.first().text,
        QStringLiteral("Die eingestellte Zeit ist abgelaufen."));
    QCOMPARE(bench.screen->lblAufg->text(), QStringLiteral("2"));
    QVERIFY(!bench.screen->isVisible());
}

void TestArithmetic::refusesUnusableTaskFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << false << QByteArray() << "wurde nicht gefunden";
    QTest::newRow("empty") << true << QByteArray() << "ist leer";
    QTest::newRow("question without answer")
        << true << QByteArray("7 \xB7 8 =\r\n") << "keine vollständige Aufgabe";
}

void TestArithmetic::refusesUnusableTaskFile()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, contents);
    QFETCH(QString, reason);
    Bench bench { QStringList {} };
    if (exists) {
        QFile file(bench.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QVERIFY(!bench.open());
    QCOMPARE(bench.fake.messages.shown.size(), 1);
    QVERIFY(bench.fake.messages.shown.first().text.contains(QStringLiteral("Kopfrechnen.txt")));
    QVERIFY(bench.fake.messages.shown.first().text.contains(reason));
}

void TestArithmetic::closesWhenTaskFileVanishes()
{
    Bench bench(TwoPairs);
    QVERIFY(bench.open());
    bench.screen->show();
    bench.solveAndPause();
    QVERIFY(QFile::remove(bench.path()));

    bench.solveAndPause();
    QCOMPARE(bench.fake.messages.shown.size(), 1);
    QVERIFY(bench.fake.messages.shown.first().text.contains(QStringLiteral("Kopfrechnen.txt")));
    QVERIFY(!bench.screen->isVisible());
    QCOMPARE(bench.state.ScoreTable(9), 2 * 333);
}

QTEST_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"
