// The engine of Verkleinerungen, Wortraten, Wortpaare, Beugungen and Zeitformen, without a
// display.
#include "core/ProgramState.h"
#include "language/LetterFields.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QStringList Laufen { u"laufen"_s, u"laufe"_s, u"läufst"_s, u"läuft"_s, u"laufen"_s,
    u"lauft"_s, u"laufen"_s };
const QStringList IchLaufe { u"ich laufe"_s, u"ich werde laufen"_s, u"ich werde gelaufen sein"_s,
    u"ich bin gelaufen"_s, u"ich lief"_s, u"ich war gelaufen"_s };

// Verkleinerungen has one field, Beugungen six, Zeitformen five.
int exerciseWith(int fields)
{
    return fields == 1 ? 4 : fields == 6 ? 6 : 7;
}

// The exercise with `fields` answers over these task-file lines, read as the shipped files are,
// and started. With the random stand-in at 0 the first task of the file comes first.
struct Fields
{
    Fields(int fields, const QStringList& lines, qint32 score = 0)
        : bytes(taskFileBytes(lines))
        , exercise(exerciseWith(fields), fields, scores, random, [this, fields] {
            QBuffer file(&bytes);
            file.open(QIODevice::ReadOnly);
            return TaskFile::read(file, fields + 1, u"Aufgaben.txt"_s);
        })
    {
        scores(number()) = score;
        startError = exercise.start();
    }

    int number() const { return exerciseWith(exercise.fields()); }

    // The keys one after the other, as the screen hands them on: a finished task brings the
    // next. Returns the step of the last key.
    LetterFields::Step type(const QString& keys)
    {
        LetterFields::Step step;
        for (const QChar c : keys) {
            step = exercise.press(c);
            if (step.taskFinished)
                exercise.next();
        }
        return step;
    }

    QString fieldTexts() const
    {
        QStringList texts;
        for (int j = 1; j <= exercise.fields(); ++j)
            texts.append(exercise.fieldText(j));
        return texts.join(u'|');
    }

    QByteArray bytes;
    FakeRandom random;
    Scores scores;
    LetterFields exercise;
    QString startError;
};
} // namespace

class TestLetterFields : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keys_data();
    void keys();
    void fieldsInFixedOrder_data();
    void fieldsInFixedOrder();
    void twoTasksAlternate();
    void emptyAnswersAreNotAsked_data();
    void emptyAnswersAreNotAsked();
};

void TestLetterFields::keys_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<QStringList>("tasks");
    QTest::addColumn<int>("score"); // before the first key
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("after");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("errors");

    // A prompt of 9 characters and an answer of 6.
    const QStringList nine { u"ich laufe"_s, u"laufen"_s, u"gehen"_s, u"gehe"_s };
    const QString bonus = u"%1 Bonuspunkte"_s;
    QTest::newRow("no wrong key: 106, then 9 bonus")
        << 1 << nine << 100 << u"laufen"_s << 115 << bonus.arg(9) << QString() << 0;
    QTest::newRow("two wrong keys: 86, then 3 bonus")
        << 1 << nine << 100 << u"lxaufxen"_s << 89 << bonus.arg(3) << QString() << 2;
    QTest::newRow("right key") << 1 << nine << 100 << u"lau"_s << 103
                               << u"1 Punkt pro richtige Eingabe"_s << QString() << 0;

    const QString penalty = u"Fehlerhafte Eingabe: -10 Punkte"_s;
    QTest::newRow("penalty 25 to 15")
        << 1 << nine << 25 << u"x"_s << 15 << penalty << u"x statt l"_s << 1;
    QTest::newRow("penalty 11 to 1")
        << 1 << nine << 11 << u"x"_s << 1 << penalty << u"x statt l"_s << 1;
    QTest::newRow("penalty 10 to 0")
        << 1 << nine << 10 << u"x"_s << 0 << penalty << u"x statt l"_s << 1;
    QTest::newRow("penalty negative to 0")
        << 1 << nine << -30 << u"x"_s << 0 << penalty << u"x statt l"_s << 1;
    QTest::newRow("capital letter")
        << 1 << nine << 100 << u"L"_s << 90 << penalty << u"L statt l"_s << 1;
    QTest::newRow("Backspace after a right key")
        << 1 << nine << 100 << u"la\b"_s << 92 << penalty << u"Rücktaste statt u"_s << 1;
    QTest::newRow("Enter at the end of a field")
        << 6 << Laufen << 100 << u"laufe\r"_s << 101 << penalty << u"Eingabetaste statt l"_s << 1;
    QTest::newRow("a for ä") << 6 << Laufen << 100 << u"laufela"_s << 102 << penalty
                             << u"a statt ä"_s << 1;
    QTest::newRow("space for a letter")
        << 5 << IchLaufe << 100 << u"ich "_s + u' ' << 94 << penalty << u"Leertaste statt w"_s << 1;
    QTest::newRow("letter for a space")
        << 5 << IchLaufe << 100 << u"ichx"_s << 93 << penalty << u"x statt Leertaste"_s << 1;

    // "laufen", 6 characters: 6, 3, 2, 1, 1, 1 for 0 to 5 wrong keys, then none. Each row: the
    // wrong keys, then a two-letter answer.
    const QStringList shortAnswer { u"laufen"_s, u"ab"_s, u"gehen"_s, u"cd"_s };
    const int laufenBonus[] = { 6, 3, 2, 1, 1, 1 };
    for (int e = 0; e <= 6; ++e) {
        const int points = e <= 5 ? laufenBonus[e] : 0;
        QTest::addRow("laufen after %d wrong keys", e)
            << 1 << shortAnswer << 100 << QString(e, u'x') + u"ab"_s << 100 - 10 * e + 2 + points
            << (e <= 5 ? bonus.arg(points) : u"Keine Bonuspunkte"_s) << QString() << e;
    }
    QTest::newRow("5 characters after 5 wrong keys: 0 bonus")
        << 1 << QStringList { u"Katze"_s, u"ab"_s, u"Hund"_s, u"cd"_s } << 100 << u"xxxxxab"_s << 52
        << bonus.arg(0) << QString() << 5;
    // The wrong key of the first task still counts in the second.
    QTest::newRow("bonus shrinks across tasks")
        << 1 << shortAnswer << 100 << u"xabcd"_s << 99 << bonus.arg(2) << QString() << 1;
    QTest::newRow("every field earns the bonus")
        << 6 << Laufen << 0 << u"laufeläufst"_s << 23 << bonus.arg(6) << QString() << 0;
}

void TestLetterFields::keys()
{
    QFETCH(int, fields);
    QFETCH(QStringList, tasks);
    QFETCH(int, score);
    QFETCH(QString, keys);
    QFETCH(int, after);
    QFETCH(QString, message);
    QFETCH(QString, hint);
    QFETCH(int, errors);
    Fields task(fields, tasks, score);
    QCOMPARE(task.startError, QString());
    task.type(keys.chopped(1));
    const QString before = task.exercise.fieldText(task.exercise.activeField());

    const LetterFields::Step step = task.type(keys.right(1));
    QCOMPARE(task.scores(task.number()), after);
    QCOMPARE(step.message, message);
    QCOMPARE(step.hint, hint);
    QCOMPARE(task.exercise.errors(), errors);
    QCOMPARE(task.exercise.entry().lastWrong(), !hint.isEmpty());
    // A wrong key is refused: the field keeps what was typed.
    if (!hint.isEmpty())
        QCOMPARE(task.exercise.fieldText(task.exercise.activeField()), before);
}

void TestLetterFields::fieldsInFixedOrder_data()
{
    QTest::addColumn<QStringList>("tasks");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("fields"); // what each field shows, joined by "|"
    QTest::addColumn<int>("active");

    QTest::newRow("opened") << Laufen << QString() << u"_|||||"_s << 1;
    QTest::newRow("half a field") << Laufen << u"lau"_s << u"lau_|||||"_s << 1;
    QTest::newRow("field done, mark moves on") << Laufen << u"laufe"_s << u"laufe|_||||"_s << 2;
    // The du-form cannot be typed first: its "ä" is wrong where "laufe" wants its "a".
    QTest::newRow("no other field first") << Laufen << u"läufst"_s << u"l_|||||"_s << 1;
    QTest::newRow("last field") << Laufen << u"laufeläufstläuftlaufenlauftlauf"_s
                                << u"laufe|läufst|läuft|laufen|lauft|lauf_"_s << 6;
    QTest::newRow("tenses") << IchLaufe << u"ich werde laufenich"_s << u"ich werde laufen|ich_|||"_s
                            << 2;
}

void TestLetterFields::fieldsInFixedOrder()
{
    QFETCH(QStringList, tasks);
    QFETCH(QString, keys);
    QFETCH(QString, fields);
    QFETCH(int, active);
    Fields task(int(tasks.size()) - 1, tasks);
    task.type(keys);
    QCOMPARE(task.fieldTexts(), fields);
    QCOMPARE(task.exercise.activeField(), active);
}

void TestLetterFields::twoTasksAlternate()
{
    Fields task(6,
        Laufen
            + QStringList {
                u"sein"_s, u"bin"_s, u"bist"_s, u"ist"_s, u"sind"_s, u"seid"_s, u"sind"_s });
    // Whatever the draw, a task never follows itself.
    task.random.queued = { 0.0, 0.9, 0.9, 0.0, 0.9, 0.9, 0.0 };
    QStringList prompts { task.exercise.prompt() };
    for (int i = 0; i < 5; ++i) {
        QString all;
        for (int j = 1; j <= 6; ++j)
            all += task.exercise.answer(j);
        const LetterFields::Step step = task.type(all);
        QVERIFY(step.taskFinished);
        QCOMPARE(task.fieldTexts(), u"_|||||"_s);
        prompts.append(task.exercise.prompt());
    }
    QCOMPARE(prompts.join(u' '), u"laufen sein laufen sein laufen sein"_s);
    QCOMPARE(task.exercise.taskNumber(), 6);
}

void TestLetterFields::emptyAnswersAreNotAsked_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("prompts"); // of the first three tasks, or the error

    QTest::newRow("empty answer") << 1 << QStringList { u"Haus"_s, u""_s, u"Maus"_s, u"Mäuschen"_s }
                                  << u"Maus Maus Maus"_s;
    QStringList oneFormMissing = Laufen;
    oneFormMissing[3] = QString();
    QTest::newRow("one form of six empty") << 6
                                           << oneFormMissing
            + QStringList { u"sein"_s, u"bin"_s, u"bist"_s, u"ist"_s, u"sind"_s, u"seid"_s,
                  u"sind"_s } << u"sein sein sein"_s;
    QTest::newRow("no answer at all")
        << 1 << QStringList { u"Haus"_s, u""_s }
        << u"Die Aufgabendatei „Verkleinerungen.txt“ enthält keine vollständige Aufgabe."_s;
}

void TestLetterFields::emptyAnswersAreNotAsked()
{
    QFETCH(int, fields);
    QFETCH(QStringList, lines);
    QFETCH(QString, prompts);
    Fields task(fields, lines);
    if (!task.startError.isEmpty()) {
        QCOMPARE(task.startError, prompts);
        return;
    }
    QStringList shown { task.exercise.prompt() };
    for (int i = 0; i < 2; ++i) {
        for (int j = 1; j <= fields; ++j)
            task.type(task.exercise.answer(j));
        shown.append(task.exercise.prompt());
    }
    QCOMPARE(shown.join(u' '), prompts);
}

QTEST_GUILESS_MAIN(TestLetterFields)
#include "tst_letterfields.moc"
