#include "core/ProgramState.h"
#include "language/LineBreaks.h"
#include "language/TypingExercise.h"
#include "language/TypingLayout.h"
#include "support/FakePlatform.h"
#include "support/TestProgram.h"
#include "ui/Theme.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// The exercise over `texts` as the task file gives them, started at once: without a queued
// draw the first text is shown first.
struct Typing
{
    explicit Typing(const QStringList& list)
        : texts(list)
    { }

    QStringList texts;
    FakePlatform fake;
    ProgramState state;
    TypingExercise exercise { state, fake.clock, fake.random, [this] { return file(); } };
    QString startError = exercise.start();

    TaskFile::Result file() const { return { { texts }, {} }; }

    void type(const QString& keys)
    {
        for (const QChar c : keys)
            exercise.press(c);
    }

    void finish() { type(exercise.text().mid(exercise.position() - 1)); }
};
} // namespace

class TypingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wrongKey_data();
    void wrongKey();
    void points_data();
    void points();
    void noTextTwiceInARow();
    void lineBreaks_data();
    void lineBreaks();
    void typedLineWrapsWithTheModel();
    void longTexts_data();
    void longTexts();
    void declaredSizesFit();
};

void TypingTest::wrongKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("hint");

    QTest::newRow("capital for small") << u"der Hund"_s << u""_s << u"D"_s << u"D statt d"_s;
    QTest::newRow("a for ä") << u"Bär"_s << u"B"_s << u"a"_s << u"a statt ä"_s;
    QTest::newRow("space for letter") << u"Hund"_s << u"H"_s << u" "_s << u"Leertaste statt u"_s;
    QTest::newRow("letter for space") << u"a b"_s << u"a"_s << u"b"_s << u"b statt Leertaste"_s;
    QTest::newRow("backspace") << u"Hund"_s << u"Hu"_s << u"\b"_s << u"Rücktaste statt n"_s;
    // An empty line of the task file must not hold the screen for ever.
    QTest::newRow("empty text") << u""_s << u""_s << u"a"_s << u"a statt "_s;
}

void TypingTest::wrongKey()
{
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QString, key);
    QFETCH(QString, hint);
    Typing typing({ text });
    typing.type(typed);

    const TypingExercise::Step step = typing.exercise.press(key.front());
    QCOMPARE(step.hint, hint);
    QCOMPARE(step.finished, text.isEmpty());
    // Refused: the line keeps what was typed.
    QCOMPARE(typing.exercise.entry().line(), typed + u'_');
}

void TypingTest::points_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("early"); // wrong keys 100 s before the first right one
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("late"); // wrong keys after it
    QTest::addColumn<QString>("result");

    // 40 characters: weight 20.
    const QString forty = u"Heute backen wir einen Kuchen mit Äpfeln"_s;
    QTest::newRow("100") << forty << 0 << 20 << 0 << u"20 s | 0 Fehler | 100 Punkte"_s;
    QTest::newRow("70") << forty << 0 << 20 << 3 << u"20 s | 3 Fehler | 70 Punkte"_s;
    QTest::newRow("40") << forty << 0 << 50 << 0 << u"50 s | 0 Fehler | 40 Punkte"_s;
    QTest::newRow("early keys") << forty << 2 << 20 << 1 << u"20 s | 3 Fehler | 70 Punkte"_s;
    // Halves of the weight go to the even neighbour.
    QTest::newRow("weight 5/2") << u"Bären"_s << 0 << 2 << 0 << u"2 s | 0 Fehler | 100 Punkte"_s;
    QTest::newRow("weight 7/2") << u"Ein Bär"_s << 0 << 2 << 0 << u"2 s | 0 Fehler | 200 Punkte"_s;
}

void TypingTest::points()
{
    QFETCH(QString, text);
    QFETCH(int, early);
    QFETCH(int, seconds);
    QFETCH(int, late);
    QFETCH(QString, result);
    Typing typing({ text });
    typing.type(QString(early, u'#'));
    typing.fake.clock.advance(100);
    typing.type(text.left(1));
    typing.fake.clock.advance(seconds);
    typing.type(QString(late, u'#'));
    typing.finish();
    QCOMPARE(typing.state.strErgebnis, u"gebrauchte Zeit: "_s + result);
}

void TypingTest::noTextTwiceInARow()
{
    Typing typing({ u"A"_s, u"B"_s, u"C"_s });
    // A, B, C; the refill then draws C first.
    typing.fake.random.queued = { 0.0, 0.0, 0.99 };
    for (int i = 0; i < 5; ++i) {
        const QString previous = typing.exercise.text();
        typing.finish();
        QCOMPARE(typing.exercise.next(), QString());
        QCOMPARE_NE(typing.exercise.text(), previous);
    }
    QCOMPARE(typing.exercise.taskNumber(), 6);
}

void TypingTest::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("lines");

    // Its space would stand beyond the last column, with nothing above the typing mark.
    QTest::newRow("word ends in the last column") << u"abc def gh"_s << 7 << u"abc \ndef gh"_s;
    QTest::newRow("long word is cut") << u"Donaudampf"_s << 4 << u"Dona\nudam\npf"_s;
}

void TypingTest::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(int, columns);
    QFETCH(QString, lines);
    QCOMPARE(LineBreaks::apply(text, LineBreaks::lineStarts(text, columns)), lines);
}

void TypingTest::typedLineWrapsWithTheModel()
{
    const QString text = u"Im Herbst fallen die bunten Blätter von den Bäumen."_s;
    TestProgram program;
    ExerciseScreen* screen = program.startWith(1, { text, u"Ja."_s });
    QVERIFY(screen);
    auto* model = control<QLabel>(screen, u"lblVorgabe"_s);
    auto* typed = control<QLabel>(screen, u"lblEingabe"_s);

    // Typed to the end of the model's first line, the mark starts the second one; both lines
    // are drawn from the same edges, so each character stands under the one it copies.
    const qsizetype lineEnd = model->text().indexOf(u'\n');
    QVERIFY(lineEnd > 0);
    typeKeys(screen, text.left(lineEnd));
    QCOMPARE(typed->text(), model->text().left(lineEnd + 1) + u'_');
    QCOMPARE(typed->contentsRect(), model->contentsRect());
    QCOMPARE(typed->font(), model->font());

    typeKeys(screen, text.mid(lineEnd));
    QCOMPARE(model->text(), u"Ja."_s);
    QCOMPARE(typed->text(), u"_"_s);
}

void TypingTest::longTexts_data()
{
    QTest::addColumn<QString>("text"); // the second line of the task file
    QTest::addColumn<bool>("shown"); // whole, or the file is refused
    const QString words = u"Der kleine Igel sucht im bunten Laub nach Käfern. "_s;
    QTest::newRow("four lines") << words.repeated(3).trimmed() << true;
    QTest::newRow("six lines") << words.repeated(5).trimmed() << true;
    QTest::newRow("one long word") << QString(180, u'x') << true;
    QTest::newRow("far too long") << words.repeated(40).trimmed() << false;
    QTest::newRow("4 MiB without a blank") << QString(4 * 1024 * 1024 - 100, u'x') << false;
}

void TypingTest::longTexts()
{
    QFETCH(QString, text);
    QFETCH(bool, shown);
    TestProgram program;
    // The long text is drawn first.
    program.fake.random.queued = { 0.99 };
    ExerciseScreen* screen = program.startWith(1, { u"Ja."_s, text });
    if (!shown) {
        QVERIFY(!screen);
        const QString told = program.fake.messages.shown.value(0).text;
        QVERIFY2(told.contains(u"Abschreibuebungen.txt“ enthält in Zeile 2 "_s), qPrintable(told));
        return;
    }
    QVERIFY(screen);
    auto* model = control<QLabel>(screen, u"lblVorgabe"_s);
    auto* typed = control<QLabel>(screen, u"lblEingabe"_s);
    QCOMPARE(model->text().remove(u'\n'), text);

    // Every line of the model, and the typing mark at any point, lies inside its box.
    typeKeys(screen, text.left(text.size() - 1));
    QCOMPARE(typed->font(), model->font());
    const QFontMetrics metrics(typed->font());
    const QRect room = typed->contentsRect().marginsRemoved(QMargins(4, 4, 4, 4));
    const QStringList lines = typed->text().split(u'\n');
    QVERIFY(lines.size() * metrics.lineSpacing() <= room.height());
    for (const QString& line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= room.width(), qPrintable(line));
    QVERIFY(lines.last().endsWith(u'_'));
}

// The check of task files relies on these capacities without a display: the box must hold
// them at the fonts the screen really gets.
void TypingTest::declaredSizesFit()
{
    TestProgram program;
    ExerciseScreen* screen = program.startWith(1, { u"Ja."_s });
    QVERIFY(screen);
    const QRectF room = control<QLabel>(screen, u"lblEingabe"_s)
                            ->contentsRect()
                            .marginsRemoved(QMargins(4, 4, 4, 4));
    for (const TypingLayout::Size& size : TypingLayout::Sizes) {
        const QFontMetricsF metrics(Theme::fixedFont(size.points));
        QVERIFY2(metrics.horizontalAdvance(QString(size.columns, u'M')) <= room.width()
                && size.lines * metrics.lineSpacing() <= room.height(),
            qPrintable(u"%1 pt"_s.arg(size.points)));
    }
}

QTEST_MAIN(TypingTest)
#include "tst_typing.moc"
