#include "app/ClickLabel.h"
#include "app/ExerciseCatalogue.h"
#include "app/Help.h"
#include "app/MainWindow.h"
#include "app/ProgramState.h"
#include "app/StartScreen.h"
#include "frame/ExerciseScreen.h"
#include "platform/doubles/FakePlatform.h"

#include <QDir>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

namespace {
// The frame alone, without an exercise inside.
class BareExercise final : public ExerciseScreen
{
public:
    using ExerciseScreen::ExerciseScreen;
    QString typed;

protected:
    QString loadExercise() override { return {}; }
    void keyPressed(QChar c) override { typed += c; }
};

const QString HelpDir = QStringLiteral(TAMBOLINO_DATA_DIR "/Hilfe");
const QString BrowserError = QStringLiteral(
    "Beim Aufruf des Internet Explorers ist leider ein Fehler aufgetreten. Bitte öffnen Sie die "
    "Webseite auf die Ihnen gewohnte Weise.");
} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagePath_data();
    void pagePath();
    void f1OnExerciseScreenWithFocusOnOption_data();
    void f1OnExerciseScreenWithFocusOnOption();
    void webLabelsOpenOneAddress();
    void browserFailureShowsTheMessage();
    void pagesExistAndLinksResolve();
};

void TestHelp::pagePath_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("path");
    QTest::newRow("folder") << "/opt/kinder"
                            << "index.htm"
                            << "/opt/kinder/Hilfe/index.htm";
    QTest::newRow("trailing separator") << "/opt/kinder/"
                                        << "kopfrechnen.htm"
                                        << "/opt/kinder/Hilfe/kopfrechnen.htm";
    QTest::newRow("root") << "/"
                          << "abtippuebungen.htm"
                          << "/Hilfe/abtippuebungen.htm";
    QTest::newRow("drive root") << "D:\\"
                                << "abtippuebungen.htm"
                                << "D:\\Hilfe/abtippuebungen.htm";
}

void TestHelp::pagePath()
{
    QFETCH(QString, directory);
    QFETCH(QString, page);
    QFETCH(QString, path);
    QCOMPARE(helpPagePath(directory, page), path);
}

void TestHelp::f1OnExerciseScreenWithFocusOnOption_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("mental arithmetic") << 9;
    QTest::newRow("typing") << 1;
}

void TestHelp::f1OnExerciseScreenWithFocusOnOption()
{
    QFETCH(int, k);
    FakePlatform fake;
    fake.folders.program = QStringLiteral("/opt/kinder");
    ProgramState state;
    BareExercise screen(k, state, fake.platform);
    QVERIFY(screen.open());
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    screen.opt5min->setFocus();

    QTest::keyClick(screen.opt5min, Qt::Key_F1);
    QTest::keyClick(screen.opt5min, Qt::Key_Space);

    QCOMPARE(fake.browser.urls,
        QList<QUrl> {
            QUrl::fromLocalFile(QStringLiteral("/opt/kinder/Hilfe/") + exercise(k).helpPage) });
    // The space is the exercise's, not the option button's.
    QCOMPARE(screen.typed, QStringLiteral(" "));
    QVERIFY(screen.optKeine->isChecked());
}

void TestHelp::webLabelsOpenOneAddress()
{
    FakePlatform fake;
    ProgramState state;
    BareExercise screen(4, state, fake.platform);
    QVERIFY(screen.open());
    QTest::mouseClick(screen.lblWeb, Qt::LeftButton);
    MDIGrund window(state, fake.platform);
    QTest::mouseClick(window.startScreen()->lblWeb, Qt::LeftButton);

    const QUrl vendor(vendorAddress());
    QCOMPARE(fake.browser.urls, (QList<QUrl> { vendor, vendor }));
    QCOMPARE(state.strSeite, vendorAddress());
    QVERIFY(fake.messages.shown.isEmpty());
}

void TestHelp::browserFailureShowsTheMessage()
{
    FakePlatform fake;
    fake.folders.program = QStringLiteral("/opt/kinder");
    fake.browser.fail = true;
    ProgramState state;
    MDIGrund window(state, fake.platform);
    QTest::mouseClick(window.startScreen()->lblHilfe, Qt::LeftButton);

    QCOMPARE(fake.messages.shown.size(), 1);
    QCOMPARE(fake.messages.shown[0].text, BrowserError);
    QCOMPARE(fake.messages.shown[0].title, QStringLiteral("Fehlermeldung"));
    QCOMPARE(fake.messages.shown[0].buttons, MessageBox::Buttons::Ok);

    // The screen stays usable: the next help request is tried again.
    fake.browser.fail = false;
    QTest::keyClick(window.startScreen(), Qt::Key_F1);
    QCOMPARE(fake.browser.urls.value(1),
        QUrl::fromLocalFile(QStringLiteral("/opt/kinder/Hilfe/index.htm")));
    QCOMPARE(fake.messages.shown.size(), 1);
}

void TestHelp::pagesExistAndLinksResolve()
{
    const QDir help(HelpDir);
    QVERIFY(help.exists(QStringLiteral("index.htm")));
    for (int k = 1; k <= 12; ++k)
        QVERIFY2(help.exists(exercise(k).helpPage), qPrintable(exercise(k).helpPage));

    static const QRegularExpression link(QStringLiteral(R"((?:href|src)="([^"#]*)(#[^"]*)?")"));
    for (const QString& page : help.entryList({ QStringLiteral("*.htm") })) {
        QFile file(help.filePath(page));
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QRegularExpressionMatch& match :
            link.globalMatch(QString::fromUtf8(file.readAll()))) {
            const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
            const QString where = page + QLatin1String(" -> ") + match.captured(0);
            QVERIFY2(
                !target.contains(QLatin1String("://")) && help.exists(target), qPrintable(where));
            QFile linked(help.filePath(target));
            QVERIFY(linked.open(QIODevice::ReadOnly));
            const QString anchor = match.captured(2).mid(1);
            QVERIFY2(anchor.isEmpty() || linked.readAll().contains("id=\"" + anchor.toUtf8() + '"'),
                qPrintable(where));
        }
    }
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
