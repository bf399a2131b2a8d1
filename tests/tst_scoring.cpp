#include "app/ExerciseCatalogue.h"
#include "app/ProgramState.h"
#include "app/Scoring.h"
#include "app/SettingsValue.h"
#include "frame/TimedTask.h"
#include "platform/doubles/FakePlatform.h"

#include <QTest>
#include <limits>

class TestScoring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void catalogueTexts_data();
    void catalogueTexts();
    void scoreDisplay_data();
    void scoreDisplay();
    void result_data();
    void result();
    void settingsValue_data();
    void settingsValue();
    void scoresSaturate();
    void interleavedTasksKeepTheirOwnMeasure();
};

void TestScoring::catalogueTexts_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("taskFile");
    // The texts that differ from their neighbours in a way easy to "fix" by accident.
    QTest::newRow("typing") << 1 << "Abtippuebungen"
                            << "Kurze Texte möglichst fehlerfrei und schnell eingeben."
                            << "Abtippübungen" << "/Abschreibuebungen.txt";
    QTest::newRow("puzzle") << 2 << "Wortpuzzle"
                            << "Wörter aus unge- ordneten Buchstaben zusammen setzen."
                            << "Wortpuzzle" << "/Wortpuzzle.txt";
    QTest::newRow("riddles doubled stop")
        << 5 << "Wortraten" << "Wörter müssen nach einem Hinweis erraten und eingegeben werden.."
        << "Wortraten" << "/Wortraten.txt";
    QTest::newRow("verbs doubled stop")
        << 6 << "Beugungen"
        << "Verben in der ich-, du-, er-, sie-, es-, wir-, ihr- und sie-Form richtig eingeben.."
        << "Beugungen" << "/Beugungen.txt";
    QTest::newRow("mental arithmetic trailing blank")
        << 9 << "Kopfrechnen" << "Größere Aufgaben möglichst schnell und fehlerfrei lösen. "
        << "Kopfrechnen" << "/Kopfrechnen.txt";
    QTest::newRow("division title") << 12 << "Division"
                                    << "Die Grundaufgaben der Division bis 100 ungeordnet abgefragt"
                                    << "Divisionsaufgaben" << "/Division.txt";
}

void TestScoring::catalogueTexts()
{
    QFETCH(int, k);
    QFETCH(QString, key);
    QFETCH(QString, description);
    QFETCH(QString, title);
    QFETCH(QString, taskFile);
    const Exercise& entry = exercise(k);
    QCOMPARE(entry.number, k);
    QCOMPARE(QString::fromLatin1(entry.settingsKey), key);
    QCOMPARE(entry.description, description);
    QCOMPARE(entry.title, title);
    QCOMPARE(entry.taskFile, taskFile);
    QCOMPARE(QString::fromLatin1(entry.screen),
             QStringLiteral("frmUebung%1").arg(k, 2, 10, QLatin1Char('0')));
}

void TestScoring::scoreDisplay_data()
{
    QTest::addColumn<qint64>("score");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("label");
    QTest::newRow("zero") << qint64 {0} << 7 << "Punktestand: 0000000";
    QTest::newRow("positive") << qint64 {42} << 7 << "Punktestand: 0000042";
    QTest::newRow("negative") << qint64 {-50} << 7 << "Punktestand: -0000050";
    QTest::newRow("eight digits") << qint64 {12345678} << 7 << "Punktestand: 12345678";
    QTest::newRow("lowest") << qint64 {std::numeric_limits<qint32>::min()} << 7
                            << "Punktestand: -2147483648";
    QTest::newRow("score file load") << qint64 {120} << 6 << "Punktestand: 000120";
}

void TestScoring::scoreDisplay()
{
    QFETCH(qint64, score);
    QFETCH(int, digits);
    QFETCH(QString, label);
    QCOMPARE(scoreLabelText(score, digits), label);
}

void TestScoring::result_data()
{
    QTest::addColumn<double>("start"); // seconds since midnight when the task began
    QTest::addColumn<double>("now");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("errors");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("text");
    QTest::newRow("25 s") << 1000.0 << 1025.0 << 10 << 0 << 40
                          << "gebrauchte Zeit: 25 s | 0 Fehler | 40 Punkte";
    QTest::newRow("8 s, 3 errors") << 1000.0 << 1008.0 << 10 << 3 << 95
                                   << "gebrauchte Zeit: 8 s | 3 Fehler | 95 Punkte";
    QTest::newRow("62.5 to even") << 1000.0 << 1016.0 << 10 << 0 << 62
                                  << "gebrauchte Zeit: 16 s | 0 Fehler | 62 Punkte";
    QTest::newRow("20.83 up") << 1000.0 << 1048.0 << 10 << 0 << 21
                              << "gebrauchte Zeit: 48 s | 0 Fehler | 21 Punkte";
    QTest::newRow("negative points") << 1000.0 << 1050.0 << 10 << 5 << -30
                                     << "gebrauchte Zeit: 50 s | 5 Fehler | -30 Punkte";
    QTest::newRow("now rounds half to even") << 1000.0 << 1039.5 << 20 << 0 << 50
                                             << "gebrauchte Zeit: 40 s | 0 Fehler | 50 Punkte";
    QTest::newRow("same second counts one") << 1000.0 << 1000.2 << 10 << 0 << 1000
                                            << "gebrauchte Zeit: 1 s | 0 Fehler | 1000 Punkte";
    QTest::newRow("across midnight") << 86395.0 << 5.0 << 10 << 0 << 100
                                     << "gebrauchte Zeit: 10 s | 0 Fehler | 100 Punkte";
    QTest::newRow("huge error count stays in range")
        << 1000.0 << 1010.0 << 10 << std::numeric_limits<qint32>::max()
        << std::numeric_limits<qint32>::min()
        << "gebrauchte Zeit: 10 s | 2147483647 Fehler | -2147483648 Punkte";
}

void TestScoring::result()
{
    QFETCH(double, start);
    QFETCH(double, now);
    QFETCH(int, weight);
    QFETCH(int, errors);
    QFETCH(int, points);
    QFETCH(QString, text);
    FakeClock clock;
    clock.seconds = now;
    ProgramState state;
    state.lngStartzeit = static_cast<qint32>(start);
    state.lngAnzahl = weight;
    state.lngFehler = errors;

    subErgebnis(state, clock);

    QCOMPARE(state.lngPunkte, points);
    QCOMPARE(state.strErgebnis, text);
    QCOMPARE(state.lngFehler, 0);
}

void TestScoring::settingsValue_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("score");
    QTest::newRow("missing") << QString() << 0;
    QTest::newRow("plain") << "1234" << 1234;
    QTest::newRow("negative") << "-20" << -20;
    QTest::newRow("leading blanks") << "   42" << 42;
    QTest::newRow("trailing letters") << "12abc" << 12;
    QTest::newRow("7.5 up") << "7.5" << 8;
    QTest::newRow("6.5 down to even") << "6.5" << 6;
    QTest::newRow("text") << "Punkte" << 0;
    QTest::newRow("sign only") << "-" << 0;
    QTest::newRow("above range") << "99999999999" << std::numeric_limits<qint32>::max();
    QTest::newRow("below range") << "-99999999999" << std::numeric_limits<qint32>::min();
}

void TestScoring::settingsValue()
{
    QFETCH(QString, stored);
    QFETCH(int, score);
    QCOMPARE(leadingNumber(stored), score);
}

void TestScoring::scoresSaturate()
{
    Scores scores;
    scores(3) = std::numeric_limits<qint32>::max() - 5;
    scores.add(3, 100);
    QCOMPARE(scores(3), std::numeric_limits<qint32>::max());
    scores(4) = std::numeric_limits<qint32>::min() + 5;
    scores.add(4, -100);
    QCOMPARE(scores(4), std::numeric_limits<qint32>::min());
}

void TestScoring::interleavedTasksKeepTheirOwnMeasure()
{
    // A typed text and an arithmetic task open side by side, worked in turns.
    FakeClock clock;
    ProgramState state;
    TimedTask typing(1, state, clock);
    TimedTask sum(9, state, clock);
    typing.begin(QStringLiteral("Hallo Welt"), 5);
    clock.seconds = 100;
    typing.takeStartTime();
    typing.press(QLatin1Char('H'));
    typing.press(QLatin1Char('x'));

    sum.begin(QStringLiteral("12"), 10);
    clock.seconds = 200;
    sum.takeStartTime();
    sum.press(QLatin1Char('1'));
    clock.seconds = 204;
    QVERIFY(sum.press(QLatin1Char('2')).finished);
    QCOMPARE(state.strErgebnis, QStringLiteral("gebrauchte Zeit: 4 s | 0 Fehler | 250 Punkte"));

    clock.seconds = 110;
    for (const QChar c : QStringLiteral("allo Welt"))
        typing.press(c);
    QCOMPARE(state.strErgebnis, QStringLiteral("gebrauchte Zeit: 10 s | 1 Fehler | 40 Punkte"));
    QCOMPARE(state.ScoreTable(1), 40);
    QCOMPARE(state.ScoreTable(9), 250);
}

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
