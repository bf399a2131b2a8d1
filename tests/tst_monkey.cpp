// Random input over the whole program: keys, clicks, drags and double-clicks anywhere in the
// main window and on its links, entries and option buttons, time limits, score files, resets and
// time passing, with every message box answered. After each event the scores must be sound.
#include "core/ScoreFile.h"
#include "core/ScoreStore.h"
#include "core/Scoring.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;

class TestMonkey : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomInput();
};

void TestMonkey::randomInput()
{
    const quint32 seed = 20260;
    qInfo("seed %u", seed); // shown first, so that a crash too names it
    QRandomGenerator random(seed);
    const auto pick = [&random](const auto& list) {
        return list[random.bounded(static_cast<int>(std::size(list)))];
    };
    TestProgram program;
    FakePlatform& fake = program.fake;
    // The shipped task files, so that every exercise can be opened; scores near the ends of the
    // 32-bit range; score files good and bad.
    const QDir data(QStringLiteral(TAMBOLINO_DATA_DIR));
    for (const QString& name : data.entryList({ u"*.txt"_s }, QDir::Files))
        QVERIFY(QFile::copy(data.filePath(name), program.folder.filePath(name)));
    fake.settings.stored[u"Punktestaende/Division"_s] = u"2147483600"_s;
    fake.settings.stored[u"Punktestaende/Abtippuebungen"_s] = u"-5"_s;
    QVERIFY(writeFile(program.documents.filePath(u"kind.tbo"_s), tensFile(ScoreFile::Lines)));
    QVERIFY(writeFile(program.documents.filePath(u"kaputt.tbo"_s), "zehn\r\n"));
    QVERIFY(QDir(program.documents.path()).mkdir(u"ordner"_s));
    const QString files[] = { u"kind.tbo"_s, u"neu.tbo"_s, u"ordner"_s, u"kaputt.tbo"_s };
    const MessageBox::Answer answers[]
        = { MessageBox::Answer::Ok, MessageBox::Answer::Yes, MessageBox::Answer::No };
    // A character a child types, or a key the program must shrug off; F1 and Left besides.
    const QString keys
        = u"abcdefghijklmnopqrstuvwxyzäöüßABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜ0123456789.,-+ \b\r\x1b\t\x7f"_s;
    const Qt::KeyboardModifiers modifiers[] = { Qt::NoModifier, Qt::NoModifier, Qt::NoModifier,
        Qt::ShiftModifier, Qt::AltModifier, Qt::ControlModifier };
    program.start();
    program.show();

    for (int n = 1; n <= 10'000; ++n) {
        MainWindow* window = program.window.get();
        const QString where = u"seed %1, event %2: "_s.arg(seed).arg(n);
        const Scores before = program.state.ScoreTable;
        QList<bool> wasOpen { false };
        for (int k = 1; k <= ExerciseCount; ++k)
            wasOpen.append(window->exerciseScreen(k) != nullptr);
        const qsizetype dialogs = fake.files.opened.size() + fake.files.saved.size();
        const qsizetype boxes = fake.messages.shown.size();
        // Whatever the next box or file dialog asks, it gets one of these.
        fake.messages.fallback = pick(answers);
        fake.files.results.clear();
        if (random.bounded(4) != 0)
            fake.files.results.push_back(program.documents.filePath(pick(files)));
        fake.random.fallback = random.generateDouble();

        // One random event; a click now and then with the right button, now and then twice.
        const int kind = random.bounded(100);
        const QPoint at(random.bounded(window->width()), random.bounded(window->height()));
        QWidget* target = window->childAt(at) ? window->childAt(at) : window;
        QPoint local = target->mapFrom(window, at);
        if (kind < 55) {
            QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window;
            const auto i = random.bounded(keys.size() + 2);
            if (i < keys.size())
                typeKeys(focus, keys.mid(i, 1), pick(modifiers));
            else
                QTest::keyClick(
                    focus, i == keys.size() ? Qt::Key_F1 : Qt::Key_Left, pick(modifiers));
        } else if (kind < 63) {
            const QPoint to(
                random.bounded(target->width() + 1), random.bounded(target->height() + 1));
            QTest::mousePress(target, Qt::LeftButton, {}, local);
            QTest::mouseMove(target, to);
            QTest::mouseRelease(target, Qt::LeftButton, {}, to);
        } else if (kind < 96) {
            if (kind >= 75) {
                // Links, entries and option buttons; "Programm beenden" now and then.
                QList<QWidget*> named;
                for (QWidget* w : window->findChildren<QWidget*>())
                    if ((qobject_cast<ClickLabel*>(w) || qobject_cast<QRadioButton*>(w))
                        && (w->objectName() != u"lblProgrammende"_s || random.bounded(40) == 0))
                        named.append(w);
                target = pick(named);
                local = target->rect().center();
            }
            const auto button = random.bounded(10) == 0 ? Qt::RightButton : Qt::LeftButton;
            if (random.bounded(8) == 0)
                QTest::mouseDClick(target, button, {}, local);
            else
                QTest::mouseClick(target, button, {}, local);
        } else {
            // Time passes: a minute at most, and every running timer of the program runs out.
            fake.clock.advance(random.bounded(60) + random.generateDouble());
            for (QTimer* timer : window->findChildren<QTimer*>())
                if (timer->isActive())
                    fire(timer);
        }
        QCoreApplication::sendPostedEvents();
        TestProgram::settle();

        // A score changes on its open screen, and never wraps round the 32-bit range there; a
        // score file or a reset may set any score.
        bool throughEntries = fake.files.opened.size() + fake.files.saved.size() > dialogs;
        for (qsizetype i = boxes; i < fake.messages.shown.size(); ++i)
            throughEntries |= fake.messages.shown[i].title == u"Sicherheitsabfrage"_s;
        for (int k = 1; k <= ExerciseCount; ++k) {
            const qint32 after = program.state.ScoreTable(k);
            QVERIFY2(after == before(k) || throughEntries
                    || (wasOpen[k] && qAbs(qint64 { after } - before(k)) < (qint64 { 1 } << 31)),
                qPrintable(
                    where + u"score %1 went from %2 to %3"_s.arg(k).arg(before(k)).arg(after)));
            const ExerciseScreen* screen = program.window->exerciseScreen(k);
            const QString shown = screen ? control<QLabel>(screen, u"lblPunktestand"_s)->text()
                                         : formatScore(after);
            QVERIFY2(shown == formatScore(after),
                qPrintable(where + u"screen %1 shows %2"_s.arg(k).arg(shown)));
        }
        // "Programm beenden" was hit: the next start reads what the closing saved.
        if (!program.window->isVisible()) {
            const Scores saved = program.state.ScoreTable;
            program.start();
            program.show();
            QVERIFY2(program.state.ScoreTable == saved, qPrintable(where + u"scores lost"_s));
        }
    }
    program.window->close();
    QCOMPARE(ScoreStore::load(fake.settings), program.state.ScoreTable);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
