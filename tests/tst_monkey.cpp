// Random input over the whole program: keys, clicks, drags and double-clicks anywhere in the
// main window, exercise screens opened and closed through the start screen, time limits, score
// files, resets and time passing, with every message box answered. After each event the
// scores must be sound. TAMBOLINO_MONKEY_SEED repeats a run; TAMBOLINO_MONKEY_EVENTS sets its
// length.
#include "core/ScoreStore.h"
#include "core/Scoring.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
// What one key may be: a character a child types, or a key the program must shrug off.
struct Key
{
    Qt::Key key;
    QString text;
};

QList<Key> keys()
{
    QList<Key> all;
    for (const QChar c :
        u"abcdefghijklmnopqrstuvwxyzäöüßABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜ0123456789.,-+"_s)
        all.append({ c.unicode() < 128 && c.isLetterOrNumber()
                ? static_cast<Qt::Key>(c.toUpper().unicode())
                : Qt::Key_unknown,
            QString(c) });
    all.append({ Qt::Key_Space, u" "_s });
    all.append({ Qt::Key_Backspace, u"\b"_s });
    all.append({ Qt::Key_Return, u"\r"_s });
    all.append({ Qt::Key_Enter, u"\r"_s });
    all.append({ Qt::Key_Escape, QString(QChar(27)) });
    all.append({ Qt::Key_Tab, u"\t"_s });
    all.append({ Qt::Key_Delete, QString(QChar(127)) });
    all.append(Key { Qt::Key_F1, {} });
    all.append(Key { Qt::Key_Left, {} });
    return all;
}

qint64 env(const char* name, qint64 fallback)
{
    bool ok = false;
    const qint64 value = qEnvironmentVariable(name).toLongLong(&ok);
    return ok ? value : fallback;
}
} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomInput();

private:
    // One random event, and what it set off.
    void event();
    void click(QWidget* widget, const QPoint& at = {});
    QList<ExerciseScreen*> openScreens() const;
    void restartWhenEnded();

    QRandomGenerator m_random;
    quint32 m_seed = 0;
    qint64 m_event = 0;
    qint64 m_opened = 0;
    qint64 m_restarts = 0;
    TestProgram m_program;
    const QList<Key> m_keys = keys();
};

QList<ExerciseScreen*> TestMonkey::openScreens() const
{
    QList<ExerciseScreen*> open;
    for (int k = 1; k <= 12; ++k) {
        if (ExerciseScreen* screen = m_program.window->exerciseScreen(k))
            open.append(screen);
    }
    return open;
}

void TestMonkey::click(QWidget* widget, const QPoint& at)
{
    const QPoint point = at.isNull() ? widget->rect().center() : at;
    const Qt::MouseButton button = m_random.bounded(10) == 0 ? Qt::RightButton : Qt::LeftButton;
    if (m_random.bounded(8) == 0)
        QTest::mouseDClick(widget, button, {}, point);
    else
        QTest::mouseClick(widget, button, {}, point);
}

void TestMonkey::event()
{
    MDIGrund* window = m_program.window.get();
    // Whatever the next box or dialog asks, it gets one of these.
    const MessageBox::Answer answers[]
        = { MessageBox::Answer::Ok, MessageBox::Answer::Yes, MessageBox::Answer::No };
    m_program.fake.messages.fallback = answers[m_random.bounded(3)];
    const QString names[] = { u"kind.tbo"_s, u"neu.tbo"_s, u"ordner"_s, u"kaputt.tbo"_s };
    m_program.fake.files.results.clear();
    if (m_random.bounded(4) != 0)
        m_program.fake.files.results.push_back(
            m_program.documents.filePath(names[m_random.bounded(4)]));
    m_program.fake.random.fallback = m_random.generateDouble();

    const int kind = m_random.bounded(100);
    const QList<ExerciseScreen*> open = openScreens();
    if (kind < 55) {
        const Key& key = m_keys[m_random.bounded(m_keys.size())];
        const Qt::KeyboardModifiers modifiers[] = { Qt::NoModifier, Qt::NoModifier, Qt::NoModifier,
            Qt::ShiftModifier, Qt::AltModifier, Qt::ControlModifier };
        QWidget* focus = QApplication::focusWidget();
        QTest::sendKeyEvent(QTest::Click, focus ? focus : window, key.key, key.text,
            modifiers[m_random.bounded(6)]);
    } else if (kind < 75) {
        const QPoint at(m_random.bounded(window->width()), m_random.bounded(window->height()));
        QWidget* target = window->childAt(at);
        if (!target)
            target = window;
        const QPoint local = target->mapFrom(window, at);
        if (m_random.bounded(5) == 0) {
            const QPoint to(
                m_random.bounded(target->width() + 1), m_random.bounded(target->height() + 1));
            QTest::mousePress(target, Qt::LeftButton, {}, local);
            QTest::mouseMove(target, to);
            QTest::mouseRelease(target, Qt::LeftButton, {}, to);
        } else {
            click(target, local);
        }
    } else if (kind < 85) {
        const int k = m_random.bounded(1, 13);
        click(control(m_program.startScreen(), QString::fromLatin1(exercise(k).entryControl)));
    } else if (kind < 89 && !open.isEmpty()) {
        click(control(open[m_random.bounded(open.size())], u"lblUebEnd"_s));
    } else if (kind < 93 && !open.isEmpty()) {
        const QList<QRadioButton*> options
            = open[m_random.bounded(open.size())]->findChildren<QRadioButton*>();
        click(options[m_random.bounded(options.size())]);
    } else if (kind < 96) {
        const QString entries[] = { u"lblBenLaden"_s, u"lblBenSpe"_s, u"lblPunkteLoeschen"_s,
            u"lblHilfe"_s, u"lblWeb"_s };
        click(control(m_program.startScreen(), entries[m_random.bounded(5)]));
    } else {
        // Time passes: a minute at most, and every running timer of the program runs out.
        m_program.fake.clock.advance(m_random.bounded(60) + m_random.generateDouble());
        for (QTimer* timer : window->findChildren<QTimer*>()) {
            if (timer->isActive())
                fire(timer);
        }
    }
    QCoreApplication::sendPostedEvents();
    TestProgram::settle();
}

void TestMonkey::restartWhenEnded()
{
    // "Programm beenden" was hit: the next start reads what the closing saved.
    if (m_program.window->isVisible())
        return;
    const Scores saved = m_program.state.ScoreTable;
    ++m_restarts;
    m_program.start();
    m_program.show();
    QVERIFY2(m_program.state.ScoreTable == saved,
        qPrintable(u"seed %1, event %2: scores lost at closing"_s.arg(m_seed).arg(m_event)));
}

void TestMonkey::randomInput()
{
    m_seed = static_cast<quint32>(env("TAMBOLINO_MONKEY_SEED", 20260));
    const qint64 events = env("TAMBOLINO_MONKEY_EVENTS", 10000);
    qInfo("seed %u (TAMBOLINO_MONKEY_SEED), %lld events", m_seed, events);
    m_random.seed(m_seed);

    // The shipped task files, so that every exercise that exists can be opened.
    const QDir data(QStringLiteral(TAMBOLINO_DATA_DIR));
    for (const QString& name : data.entryList({ u"*.txt"_s }, QDir::Files)) {
        if (name != u"CMakeLists.txt"_s)
            QVERIFY(QFile::copy(data.filePath(name), m_program.folder.filePath(name)));
    }
    QVERIFY(writeFile(m_program.documents.filePath(u"kind.tbo"_s), tensFile(12)));
    QVERIFY(writeFile(m_program.documents.filePath(u"kaputt.tbo"_s), "zehn\r\n"));
    QVERIFY(QDir(m_program.documents.path()).mkdir(u"ordner"_s));
    m_program.fake.settings.values[u"Punktestaende/Division"_s] = u"2147483600"_s;
    m_program.fake.settings.values[u"Punktestaende/Abtippuebungen"_s] = u"-5"_s;
    m_program.start();
    m_program.show();

    for (m_event = 1; m_event <= events; ++m_event) {
        const Scores before = m_program.state.ScoreTable;
        QList<int> openBefore;
        for (const ExerciseScreen* screen : openScreens())
            openBefore.append(screen->number());
        const qsizetype dialogs
            = m_program.fake.files.opened.size() + m_program.fake.files.saved.size();
        const qsizetype boxes = m_program.fake.messages.shown.size();

        event();
        for (const ExerciseScreen* screen : openScreens())
            m_opened += openBefore.contains(screen->number()) ? 0 : 1;

        const QString where = u"seed %1, event %2"_s.arg(m_seed).arg(m_event);
        // Scores change on an open screen, or through a score file or a reset.
        bool throughEntries
            = m_program.fake.files.opened.size() + m_program.fake.files.saved.size() > dialogs;
        for (qsizetype i = boxes; i < m_program.fake.messages.shown.size(); ++i)
            throughEntries |= m_program.fake.messages.shown[i].title == u"Sicherheitsabfrage"_s;
        for (int k = 1; k <= 12; ++k) {
            QVERIFY2(before(k) == m_program.state.ScoreTable(k) || openBefore.contains(k)
                    || throughEntries,
                qPrintable(u"%1: score %2 changed from %3 to %4 with its screen closed"_s.arg(where)
                               .arg(k)
                               .arg(before(k))
                               .arg(m_program.state.ScoreTable(k))));
        }
        for (ExerciseScreen* screen : openScreens()) {
            const QString shown = control<QLabel>(screen, u"lblPunktestand"_s)->text();
            QVERIFY2(shown == formatScore(m_program.state.ScoreTable(screen->number())),
                qPrintable(
                    u"%1: screen %2 shows %3"_s.arg(where).arg(screen->number()).arg(shown)));
        }
        restartWhenEnded();
    }

    m_program.window->close();
    QCOMPARE(ScoreStore::load(m_program.fake.settings), m_program.state.ScoreTable);
    qInfo("%lld events: %lld screens opened, %lld restarts, %lld message boxes, %lld file dialogs, "
          "%lld help or web pages",
        events, m_opened, m_restarts, qint64 { m_program.fake.messages.shown.size() },
        qint64 { m_program.fake.files.opened.size() + m_program.fake.files.saved.size() },
        qint64 { m_program.fake.browser.urls.size() });
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
