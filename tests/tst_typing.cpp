#include "TaskFolder.h"
#include "TypingKeys.h"
#include "app/ProgramState.h"
#include "app/Scoring.h"
#include "app/Theme.h"
#include "language/LineBreaks.h"
#include "language/TypingExercise.h"
#include "language/TypingScreen.h"
#include "platform/doubles/FakePlatform.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <random>

using namespace Qt::StringLiterals;

namespace {
// Exactly 40 characters: weight 20.
const QString Forty = QStringLiteral("Heute backen wir einen Kuchen mit Äpfeln");

struct Typing
{
    explicit Typing(const QStringList& texts)
        : exercise(state, fake.clock, fake.random, [texts] {
            TaskFile::Result result;
            result.lists = { texts };
            return result;
        })
    { }

    TypingExercise::Step type(const QString& keys)
    {
        TypingExercise::Step step;
        for (const QChar c : keys)
            step = exercise.press(c);
        return step;
    }

    // Types the rest of the shown text.
    TypingExercise::Step finish() { return type(exercise.text().mid(exercise.position() - 1)); }

    FakePlatform fake;
    ProgramState state;
    TypingExercise exercise;
};

// (line, column) of every character of a shown text, line feeds left out.
QList<QPoint> cells(const QString& shown)
{
    QList<QPoint> result;
    int line = 0;
    int column = 0;
    for (const QChar c : shown) {
        if (c == QLatin1Char('\n')) {
            ++line;
            column = 0;
            continue;
        }
        result.append(QPoint(column++, line));
    }
    return result;
}

// How much ink each pixel column of `area` holds: the sum of the coverage of its pixels,
// measured against the area's own background, so that black text reads the same on white and
// on the panel colour.
QList<double> inkColumns(const QImage& image, const QRect& area, const QColor& background)
{
    const double paper = qGray(background.rgb());
    QList<double> ink;
    for (int x = area.left(); x <= area.right(); ++x) {
        double sum = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            sum += std::max(0.0, 1.0 - qGray(image.pixel(x, y)) / paper);
        ink.append(sum);
    }
    return ink;
}
} // namespace

class TypingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wrongKey_data();
    void wrongKey();
    void weight_data();
    void weight();
    void points_data();
    void points();
    void wrongKeysBeforeFirstRightOneRestartTheTime();
    void screenErrorsOutliveTheText();
    void emptyTextIsFinishedByAnyKey();
    void openingForgetsWrongKeysOfOtherScreens();
    void noTextTwiceInARow_data();
    void noTextTwiceInARow();
    void singleTextComesAgain();

    void lineStarts_data();
    void lineStarts();
    void typedLineKeepsTheModelsColumns();

    void screenShowsEachKey();
    void resultLineStaysUntilNextTextIsStarted();
    void keysArriveAsCharacters();
    void typedCharactersStandUnderTheirModel();
};

void TypingTest::wrongKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("hint");

    QTest::newRow("capital for small") << u"der Hund"_s << u""_s << u"D"_s << u"D statt d"_s;
    QTest::newRow("a for ä") << u"Bär"_s << u"B"_s << u"a"_s << u"a statt ä"_s;
    QTest::newRow("ss for ß") << u"Straße"_s << u"Stra"_s << u"s"_s << u"s statt ß"_s;
    QTest::newRow("space for letter") << u"Hund"_s << u"H"_s << u" "_s << u"Leertaste statt u"_s;
    QTest::newRow("letter for space")
        << u"Ein Hund"_s << u"Ein"_s << u"H"_s << u"H statt Leertaste"_s;
    QTest::newRow("backspace after right")
        << u"Hund"_s << u"Hu"_s << u"\b"_s << u"Rücktaste statt n"_s;
    QTest::newRow("enter for space")
        << u"Ein Hund"_s << u"Ein"_s << u"\r"_s << u"Eingabetaste statt Leertaste"_s;
    QTest::newRow("escape") << u"Hund"_s << u""_s << u"\x1b"_s << u"Esc-Taste statt H"_s;
}

void TypingTest::wrongKey()
{
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QString, key);
    QFETCH(QString, hint);
    Typing typing({ text });
    QCOMPARE(typing.exercise.start(), QString());
    typing.type(typed);

    const TypingExercise::Step step = typing.type(key);
    QVERIFY(!step.right);
    QVERIFY(!step.finished);
    QCOMPARE(step.hint, hint);
    // Refused: the line keeps what was typed and the same character is due.
    QCOMPARE(typing.exercise.entry().line(), typed + QLatin1Char('_'));
    QVERIFY(typing.exercise.entry().lastWrong());
    QCOMPARE(typing.exercise.position(), typed.size() + 1);
    QCOMPARE(typing.exercise.errors(), 1);
    QCOMPARE(typing.state.lngFehler, 1);
}

void TypingTest::weight_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("weight");
    // Halves go to the even neighbour.
    QTest::newRow("1") << 1 << 0;
    QTest::newRow("3") << 3 << 2;
    QTest::newRow("5") << 5 << 2;
    QTest::newRow("7") << 7 << 4;
    QTest::newRow("40") << 40 << 20;
}

void TypingTest::weight()
{
    QFETCH(int, length);
    QFETCH(int, weight);
    const QString first(length, QLatin1Char('a'));
    Typing typing({ first, QString(41, QLatin1Char('b')) });
    typing.exercise.start();
    QCOMPARE(typing.exercise.text(), first);
    QCOMPARE(typing.state.lngAnzahl, weight);

    typing.finish();
    QCOMPARE(typing.exercise.next(), QString());
    QCOMPARE(typing.state.lngAnzahl, 20);
}

void TypingTest::points_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("wrongKeys");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("points");

    QTest::newRow("20 s, no error")
        << 20 << 0 << u"gebrauchte Zeit: 20 s | 0 Fehler | 100 Punkte"_s << 100;
    QTest::newRow("20 s, three errors")
        << 20 << 3 << u"gebrauchte Zeit: 20 s | 3 Fehler | 70 Punkte"_s << 70;
    QTest::newRow("50 s, no error")
        << 50 << 0 << u"gebrauchte Zeit: 50 s | 0 Fehler | 40 Punkte"_s << 40;
    QTest::newRow("errors below zero")
        << 100 << 25 << u"gebrauchte Zeit: 100 s | 25 Fehler | -230 Punkte"_s << -230;
}

void TypingTest::points()
{
    QFETCH(int, seconds);
    QFETCH(int, wrongKeys);
    QFETCH(QString, result);
    QFETCH(int, points);
    QCOMPARE(Forty.size(), 40);
    Typing typing({ Forty });
    typing.state.ScoreTable(1) = 500;
    typing.exercise.start();

    QVERIFY(typing.type(Forty.left(1)).right);
    typing.fake.clock.advance(seconds);
    for (int i = 0; i < wrongKeys; ++i)
        typing.type(QStringLiteral("#"));
    const TypingExercise::Step step = typing.finish();
    QVERIFY(step.finished);
    QCOMPARE(typing.state.strErgebnis, result);
    QCOMPARE(typing.state.lngPunkte, points);
    QCOMPARE(typing.state.ScoreTable(1), 500 + points);
    QCOMPARE(typing.state.lngFehler, 0);
}

void TypingTest::wrongKeysBeforeFirstRightOneRestartTheTime()
{
    Typing typing({ Forty });
    typing.exercise.start();
    QVERIFY(typing.type(QStringLiteral("x")).firstKey);
    typing.fake.clock.advance(100);
    QVERIFY(typing.type(QStringLiteral("y")).firstKey);
    typing.fake.clock.advance(30);
    QVERIFY(typing.type(Forty.left(1)).firstKey);
    QVERIFY(!typing.type(QStringLiteral("z")).firstKey);
    typing.fake.clock.advance(20);
    QVERIFY(typing.finish().finished);
    QCOMPARE(
        typing.state.strErgebnis, QStringLiteral("gebrauchte Zeit: 20 s | 3 Fehler | 70 Punkte"));
}

void TypingTest::screenErrorsOutliveTheText()
{
    Typing typing({ QStringLiteral("ab"), QStringLiteral("cd") });
    typing.exercise.start();
    typing.type(QStringLiteral("xy"));
    typing.finish();
    typing.exercise.next();
    typing.type(QStringLiteral("z"));
    typing.finish();
    QCOMPARE(typing.exercise.errors(), 3);
    QVERIFY(typing.state.strErgebnis.contains(QStringLiteral("| 1 Fehler |")));
}

void TypingTest::emptyTextIsFinishedByAnyKey()
{
    Typing typing({ QString() });
    typing.exercise.start();
    const TypingExercise::Step step = typing.type(QStringLiteral("a"));
    QVERIFY(!step.right);
    QVERIFY(step.finished);
    QCOMPARE(step.hint, QStringLiteral("a statt "));
    QCOMPARE(
        typing.state.strErgebnis, QStringLiteral("gebrauchte Zeit: 1 s | 1 Fehler | -10 Punkte"));
}

void TypingTest::openingForgetsWrongKeysOfOtherScreens()
{
    Typing typing({ QStringLiteral("ab") });
    typing.state.lngFehler = 7;
    typing.exercise.start();
    typing.finish();
    QVERIFY(typing.state.strErgebnis.contains(QStringLiteral("| 0 Fehler |")));
}

void TypingTest::noTextTwiceInARow_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<double>>("draws");

    const QStringList three { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") };
    // B, C, A; the new pass would start with A again.
    QTest::newRow("refill draws the last text") << three << QList<double> { 0.4, 0.9, 0.0, 0.0 };
    QTest::newRow("always the first") << three << QList<double> {};
    QTest::newRow("always the last") << three << QList<double>(20, 0.999);
    const QStringList four { QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei"),
        QStringLiteral("Vier") };
    for (const unsigned seed : { 1U, 2U, 3U, 4U, 5U }) {
        std::mt19937 engine(seed);
        std::uniform_real_distribution<double> uniform(0.0, 1.0);
        QList<double> draws;
        for (int i = 0; i < 40; ++i)
            draws.append(uniform(engine));
        QTest::addRow("random draws %u", seed) << four << draws;
    }
}

void TypingTest::noTextTwiceInARow()
{
    QFETCH(QStringList, texts);
    QFETCH(QList<double>, draws);
    Typing typing(texts);
    typing.fake.random.queued.assign(draws.cbegin(), draws.cend());
    typing.exercise.start();

    QStringList shown { typing.exercise.text() };
    const int passes = 4;
    while (shown.size() < passes * texts.size()) {
        typing.finish();
        QCOMPARE(typing.exercise.next(), QString());
        QVERIFY2(typing.exercise.text() != shown.last(), qPrintable(shown.join(u' ')));
        shown.append(typing.exercise.text());
    }
    // Every pass shows every text once.
    for (int pass = 0; pass < passes; ++pass) {
        QStringList one = shown.mid(pass * texts.size(), texts.size());
        one.sort();
        QStringList all = texts;
        all.sort();
        QCOMPARE(one, all);
    }
    QCOMPARE(typing.exercise.taskNumber(), shown.size());
}

void TypingTest::singleTextComesAgain()
{
    Typing typing({ QStringLiteral("Nur ich"), QStringLiteral("Nur ich") });
    typing.exercise.start();
    for (int i = 0; i < 3; ++i) {
        typing.finish();
        QCOMPARE(typing.exercise.next(), QString());
        QCOMPARE(typing.exercise.text(), QStringLiteral("Nur ich"));
    }
}

void TypingTest::lineStarts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("fits") << u"Der Hund"_s << 8 << QStringList { u"Der Hund"_s };
    QTest::newRow("empty") << u""_s << 5 << QStringList { u""_s };
    QTest::newRow("after a space")
        << u"Der Hund bellt"_s << 10 << QStringList { u"Der Hund "_s, u"bellt"_s };
    QTest::newRow("space in the last column")
        << u"abcd efg"_s << 5 << QStringList { u"abcd "_s, u"efg"_s };
    QTest::newRow("word moves down whole")
        << u"abc defg hi"_s << 7 << QStringList { u"abc "_s, u"defg hi"_s };
    // Its space would stand beyond the last column, with nothing above the typing mark.
    QTest::newRow("word ends in the last column")
        << u"abc def gh"_s << 7 << QStringList { u"abc "_s, u"def gh"_s };
    QTest::newRow("long word is cut")
        << u"Donaudampfschiff"_s << 6 << QStringList { u"Donaud"_s, u"ampfsc"_s, u"hiff"_s };
    QTest::newRow("no columns") << u"abc"_s << 0 << QStringList { u"a"_s, u"b"_s, u"c"_s };
}

void TypingTest::lineStarts()
{
    QFETCH(QString, text);
    QFETCH(int, columns);
    QFETCH(QStringList, lines);
    QCOMPARE(LineBreaks::apply(text, LineBreaks::lineStarts(text, columns)).split(u'\n'), lines);
}

void TypingTest::typedLineKeepsTheModelsColumns()
{
    const QStringList texts {
        Forty,
        QStringLiteral(
            "Im Herbst fallen die bunten Blätter von den Bäumen, und der Wind pustet sie "
            "über die Straße bis zum Spielplatz."),
        QStringLiteral("Ein Donaudampfschifffahrtsgesellschaftskapitän fährt  los."),
    };
    for (const QString& text : texts) {
        for (int columns = 4; columns <= 45; ++columns) {
            const QList<qsizetype> starts = LineBreaks::lineStarts(text, columns);
            const QList<QPoint> model = cells(LineBreaks::apply(text, starts));
            for (const QPoint& cell : model)
                QVERIFY(cell.x() < columns);
            for (qsizetype typed = 0; typed < text.size(); ++typed) {
                const QString line = text.left(typed) + QLatin1Char('_');
                // The typing mark stands under the character due.
                QCOMPARE(cells(LineBreaks::apply(line, starts)), model.mid(0, typed + 1));
            }
        }
    }
}

namespace {
struct Screen
{
    explicit Screen(const QStringList& texts)
    {
        folder.write(QStringLiteral("Abschreibuebungen.txt"), texts);
        fake.folders.program = folder.path();
    }

    TaskFolder folder;
    FakePlatform fake;
    ProgramState state;
    frmUebung01 screen { state, fake.platform };
};

bool shows(const QLabel* picture)
{
    return !picture->isHidden();
}
} // namespace

void TypingTest::screenShowsEachKey()
{
    Screen s({ QStringLiteral("Der Hund bellt."), QStringLiteral("Die Katze schläft.") });
    QVERIFY(s.screen.open());
    frmUebung01& screen = s.screen;
    const QString first = screen.typing().text();
    QCOMPARE(screen.lblVorgabe->text(), first);
    QCOMPARE(screen.lblEingabe->text(), QStringLiteral("_"));
    QCOMPARE(screen.lblAufg->text(), QStringLiteral("1"));

    typeKeys(s.screen, first.left(3));
    QCOMPARE(screen.lblEingabe->text(), first.left(3) + QLatin1Char('_'));
    QCOMPARE(Theme::textColour(screen.lblEingabe), Theme::Black);
    QVERIFY(shows(screen.imgLach) && !shows(screen.imgAerg) && !shows(screen.imgZiel));

    typeKeys(s.screen, QStringLiteral("x"));
    QCOMPARE(screen.lblEingabe->text(), first.left(3) + QLatin1Char('_'));
    QCOMPARE(Theme::textColour(screen.lblEingabe), Theme::WrongColour);
    QVERIFY(!shows(screen.imgLach) && shows(screen.imgAerg) && !shows(screen.imgZiel));
    QCOMPARE(screen.lblFehleranzeige->text(), QStringLiteral("x statt Leertaste"));
    QCOMPARE(screen.lblFehler->text(), QStringLiteral("1"));

    typeKeys(s.screen, QStringLiteral(" "));
    QCOMPARE(Theme::textColour(screen.lblEingabe), Theme::Black);
    QCOMPARE(screen.lblFehleranzeige->text(), QString());
    QCOMPARE(screen.lblFehler->text(), QStringLiteral("1"));

    finishText(s.screen);
    QVERIFY(!shows(screen.imgLach) && !shows(screen.imgAerg) && shows(screen.imgZiel));
    QCOMPARE(screen.lblPunktemeldung->text(), s.state.strErgebnis);
    QVERIFY(s.state.strErgebnis.contains(QStringLiteral("| 1 Fehler |")));
    QCOMPARE(screen.lblPunktestand->text(), formatScore(s.state.ScoreTable(1)));
    QVERIFY(screen.typing().text() != first);
    QCOMPARE(screen.lblVorgabe->text(), screen.typing().text());
    QCOMPARE(screen.lblEingabe->text(), QStringLiteral("_"));
    QCOMPARE(screen.lblAufg->text(), QStringLiteral("2"));
    QCOMPARE(screen.lblFehler->text(), QStringLiteral("1"));
}

void TypingTest::resultLineStaysUntilNextTextIsStarted()
{
    Screen s({ QStringLiteral("Ja."), QStringLiteral("Nein.") });
    QVERIFY(s.screen.open());
    finishText(s.screen);
    const QString result = s.screen.lblPunktemeldung->text();
    QVERIFY(!result.isEmpty());
    s.screen.clockStep();
    QCOMPARE(s.screen.lblPunktemeldung->text(), result);
    // A wrong first key starts the text too.
    typeKeys(s.screen, QStringLiteral("#"));
    QCOMPARE(s.screen.lblPunktemeldung->text(), QString());
}

void TypingTest::keysArriveAsCharacters()
{
    Screen s({ QStringLiteral("Bär"), QStringLiteral("Bär") });
    QVERIFY(s.screen.open());
    frmUebung01& screen = s.screen;
    QTest::keyClicks(&screen, u"B"_s);
    QTest::keyClick(&screen, Qt::Key_Backspace);
    QCOMPARE(screen.lblFehleranzeige->text(), QStringLiteral("Rücktaste statt ä"));
    QTest::keyClick(screen.lblEingabe, Qt::Key_A);
    QCOMPARE(screen.lblFehleranzeige->text(), QStringLiteral("a statt ä"));
    QTest::sendKeyEvent(QTest::Press, &screen, Qt::Key_unknown, QChar(0xE4), Qt::NoModifier);
    QCOMPARE(screen.lblEingabe->text(), QStringLiteral("Bä_"));
    QCOMPARE(screen.lblFehler->text(), QStringLiteral("2"));
}

void TypingTest::typedCharactersStandUnderTheirModel()
{
    const QString text = QStringLiteral("Im Herbst fallen die bunten Blätter von den Bäumen, und "
                                        "der Wind pustet sie über die Straße.");
    Screen s({ text, text });
    QVERIFY(s.screen.open());
    frmUebung01& screen = s.screen;
    QLabel* model = screen.lblVorgabe;
    QLabel* typed = screen.lblEingabe;

    QCOMPARE(screen.fraEingabe->size(), screen.fraVorgabe->size());
    QCOMPARE(screen.fraEingabe->x(), screen.fraVorgabe->x());
    QVERIFY(screen.fraEingabe->y() > screen.fraVorgabe->geometry().bottom());
    for (QLabel* label : { model, typed }) {
        const QFontInfo font(label->font());
        QVERIFY(font.fixedPitch());
        QCOMPARE(font.pointSize(), 12);
    }
    QCOMPARE(typed->alignment(), model->alignment());
    const auto contentsOnScreen = [&screen](const QLabel* label) {
        const int margin = label->margin();
        const QRect contents = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        return QRect(label->mapTo(&screen, contents.topLeft()), contents.size());
    };
    const QRect modelArea = contentsOnScreen(model);
    const QRect typedArea = contentsOnScreen(typed);
    QCOMPARE(typedArea.size(), modelArea.size());
    QCOMPARE(typedArea.x(), modelArea.x());

    // The text wraps, and every line of it fits the label.
    const QStringList lines = model->text().split(u'\n');
    QVERIFY(lines.size() >= 2);
    const QFontMetrics metrics(model->font());
    QVERIFY(lines.size() * metrics.lineSpacing() <= modelArea.height());
    for (const QString& line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= modelArea.width(), qPrintable(line));

    // What is drawn: each typed line has the ink of the model line above it, column for column.
    typeKeys(s.screen, text.left(text.size() - 5));
    const QStringList typedLines = typed->text().split(u'\n');
    QCOMPARE(typedLines.size(), lines.size());
    const QImage image = screen.grab().toImage();
    for (qsizetype i = 0; i < typedLines.size(); ++i) {
        const QString done
            = typedLines[i].endsWith(u'_') ? typedLines[i].chopped(1) : typedLines[i];
        QVERIFY(lines[i].startsWith(done));
        const int width = metrics.horizontalAdvance(done) - 1;
        const int top = static_cast<int>(i) * metrics.lineSpacing();
        const QRect modelRow(modelArea.x(), modelArea.y() + top, width, metrics.lineSpacing());
        const QRect typedRow(typedArea.x(), typedArea.y() + top, width, metrics.lineSpacing());
        const QList<double> modelInk = inkColumns(image, modelRow, Theme::PanelBackground);
        const QList<double> typedInk = inkColumns(image, typedRow, Qt::white);
        QVERIFY(*std::max_element(modelInk.cbegin(), modelInk.cend()) > 5);
        // Rounding on two backgrounds leaves small differences; a shift by one pixel moves the
        // full height of a stem.
        for (qsizetype x = 0; x < modelInk.size(); ++x)
            QVERIFY2(std::abs(typedInk[x] - modelInk[x]) < 0.5,
                qPrintable(u"line %1, pixel column %2"_s.arg(i).arg(x)));
    }
}

QTEST_MAIN(TypingTest)
#include "tst_typing.moc"
