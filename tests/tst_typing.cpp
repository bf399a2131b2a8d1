#include "core/ProgramState.h"
#include "language/TypingExercise.h"
#include "language/TypingLayout.h"
#include "support/FakePlatform.h"
#include "support/TestProgram.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

class TypingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keys_data();
    void keys();
    void longTexts_data();
    void longTexts();
};

void TypingTest::keys_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keys"); // ⏲ lets a second pass
    // The hint of the last key, then the typed line or, once the text is done, the result.
    QTest::addColumn<QString>("shown");
    const auto wait = [](int seconds) { return QString(seconds, u'⏲'); };

    QTest::newRow("space for letter") << u"Hund"_s << u"H "_s << u"Leertaste statt u|H_"_s;
    QTest::newRow("letter for space") << u"a b"_s << u"ab"_s << u"b statt Leertaste|a_"_s;
    QTest::newRow("backspace") << u"Hund"_s << u"Hu\b"_s << u"Rücktaste statt n|Hu_"_s;
    // The time runs from the first right key; wrong keys before it count. 40 characters weigh 20.
    const QString forty = u"Heute backen wir einen Kuchen mit Äpfeln"_s;
    QTest::newRow("early keys") << forty
                                << u"##"_s + wait(100) + u'H' + wait(20) + u'#' + forty.mid(1)
                                << u"|gebrauchte Zeit: 20 s | 3 Fehler | 70 Punkte"_s;
    // Halves of the weight go to the even neighbour.
    QTest::newRow("weight 5/2") << u"Bären"_s << u"B"_s + wait(2) + u"ären"_s
                                << u"|gebrauchte Zeit: 2 s | 0 Fehler | 100 Punkte"_s;
    QTest::newRow("weight 7/2") << u"Ein Bär"_s << u"E"_s + wait(2) + u"in Bär"_s
                                << u"|gebrauchte Zeit: 2 s | 0 Fehler | 200 Punkte"_s;
}

void TypingTest::keys()
{
    QFETCH(QString, text);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    FakePlatform fake;
    ProgramState state;
    TypingExercise exercise { 1, state, fake.clock, fake.random, [&text] {
                                 return TaskFile::Result { { QStringList { text } }, {} };
                             } };
    QCOMPARE(exercise.start(), QString());
    TaskStep step;
    for (const QChar c : keys) {
        if (c == u'⏲')
            fake.clock.advance(1);
        else
            step = exercise.press(c);
    }
    // A wrong key is refused: the line keeps what was typed.
    QCOMPARE(step.hint + u'|' + (step.finished ? step.message : exercise.entry().line()), shown);
}

void TypingTest::longTexts_data()
{
    QTest::addColumn<QString>("text"); // the second line of the task file
    QTest::addColumn<double>("points"); // the size it is shown at; 0: the text is left out
    QTest::newRow("four lines")
        << u"Der kleine Igel sucht im bunten Laub nach Käfern. "_s.repeated(3).trimmed() << 12.0;
    // Its space would stand beyond the last column, with nothing above the typing mark.
    QTest::newRow("word ends in the last column") << QString(35, u'x') + u" abc def"_s << 12.0;
    // The check of task files relies on these capacities without a display: a word that fills
    // one size to its last column and line is shown at it, and the box holds it.
    for (const TypingLayout::Size& size : TypingLayout::Sizes) {
        QTest::addRow("word filling %g pt", size.points)
            << QString(size.columns * size.lines, u'x') << double(size.points);
    }
    QTest::newRow("4 MiB without a blank") << QString(4 * 1024 * 1024 - 100, u'x') << 0.0;
}

void TypingTest::longTexts()
{
    QFETCH(QString, text);
    QFETCH(double, points);
    TestProgram program;
    // The long text is drawn first.
    program.fake.random.queued = { 0.99 };
    ExerciseScreen* screen = program.startWith(1, { u"Ja."_s, text });
    QVERIFY(screen);
    auto* model = control<QLabel>(screen, u"lblVorgabe"_s);
    if (points == 0) {
        QCOMPARE(model->text(), u"Ja."_s);
        return;
    }
    auto* typed = control<QLabel>(screen, u"lblEingabe"_s);
    QCOMPARE(model->text().remove(u'\n'), text);
    QCOMPARE(model->font().pointSizeF(), points);
    QCOMPARE(typed->font(), model->font());

    // Typed to the end of the model's first line, the mark starts the second one; both lines
    // are drawn from the same edges in the same font, so each character stands under the one
    // it copies.
    const qsizetype lineEnd = model->text().indexOf(u'\n');
    typeKeys(screen, text.left(lineEnd));
    QCOMPARE(typed->text(), model->text().left(lineEnd + 1) + u'_');
    QCOMPARE(typed->contentsRect(), model->contentsRect());

    // Every line, and the typing mark at its last place, lies inside the box.
    typeKeys(screen, text.mid(lineEnd).chopped(1));
    const QFontMetricsF metrics(typed->font());
    const QRectF room = typed->contentsRect().marginsRemoved(QMargins(4, 4, 4, 4));
    const QStringList lines = typed->text().split(u'\n');
    QVERIFY(lines.size() * metrics.lineSpacing() <= room.height());
    for (const QString& line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= room.width(), qPrintable(line));
    QVERIFY(lines.last().endsWith(u'_'));
}

QTEST_MAIN(TypingTest)
#include "tst_typing.moc"
