#include "core/Help.h"
#include "platform/QtDialogs.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>

namespace {
const QString HelpDir = QStringLiteral(TAMBOLINO_DATA_DIR "/Hilfe");
const QString BrowserError = QStringLiteral(
    "Beim Aufruf des Internet Explorers ist leider ein Fehler aufgetreten. Bitte öffnen Sie die "
    "Webseite auf die Ihnen gewohnte Weise.");

// The real adapter, noting when it has answered.
class WatchedBrowser final : public Browser
{
public:
    void open(const QUrl& url, Done done) override
    {
        real.open(url, [this, done](bool opened) {
            ++answers;
            done(opened);
        });
    }
    QtBrowser real;
    int answers = 0;
};
} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagePath_data();
    void pagePath();
    void webLabelsOpenOneAddress();
    void browserFailureShowsTheMessage();
    void launcherExitStatus_data();
    void launcherExitStatus();
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

void TestHelp::webLabelsOpenOneAddress()
{
    TestProgram program;
    program.fake.folders.program = QStringLiteral(TAMBOLINO_DATA_DIR);
    program.start();
    program.click(QStringLiteral("lblWeb"));
    QTest::mouseClick(control(program.open(9), QStringLiteral("lblWeb")), Qt::LeftButton);

    const QUrl vendor(vendorAddress());
    QCOMPARE(program.fake.browser.urls, (QList<QUrl> { vendor, vendor }));
    QCOMPARE(program.state.strSeite, vendorAddress());
    QVERIFY(program.fake.messages.shown.isEmpty());
}

void TestHelp::browserFailureShowsTheMessage()
{
    TestProgram program;
    program.fake.folders.program = QStringLiteral("/opt/kinder");
    program.fake.browser.fail = true;
    program.start();
    program.click(QStringLiteral("lblHilfe"));

    const auto& shown = program.fake.messages.shown;
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, BrowserError);
    QCOMPARE(shown[0].title, QStringLiteral("Fehlermeldung"));
    QCOMPARE(shown[0].buttons, MessageBox::Buttons::Ok);

    // The screen stays usable: the next help request is tried again.
    program.fake.browser.fail = false;
    QTest::keyClick(program.startScreen(), Qt::Key_F1);
    QCOMPARE(program.fake.browser.urls.value(1),
        QUrl::fromLocalFile(QStringLiteral("/opt/kinder/Hilfe/index.htm")));
    QCOMPARE(shown.size(), 1);
}

void TestHelp::launcherExitStatus_data()
{
    QTest::addColumn<QByteArray>("script"); // the stand-in xdg-open; empty: there is none
    QTest::addColumn<bool>("opened");
    QTest::newRow("xdg-open finds a browser") << QByteArray("exit 0") << true;
    QTest::newRow("xdg-open finds none") << QByteArray("exit 3") << false;
    QTest::newRow("xdg-open is killed") << QByteArray("kill -9 $$") << false;
    QTest::newRow("no xdg-open") << QByteArray() << false;
}

// The real adapter, over a stand-in xdg-open that notes its argument and ends as the row says;
// nothing else is found on the path.
void TestHelp::launcherExitStatus()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, opened);
    QTemporaryDir bin;
    const QString launcher = bin.filePath(QStringLiteral("xdg-open"));
    QVERIFY(script.isEmpty()
        || writeFile(launcher, "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.url\"\n" + script + '\n'));
    QFile::setPermissions(launcher, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    const auto restore = qScopeGuard([&path] { qputenv("PATH", path); });
    qputenv("PATH", QFile::encodeName(bin.path()));

    FakePlatform fake;
    fake.folders.program = QStringLiteral("/opt/Kinder Ordner");
    WatchedBrowser browser;
    Platform withLauncher { fake.clock, fake.random, fake.settings, fake.folders, fake.messages,
        fake.files, browser };
    subHilfe(withLauncher, QStringLiteral("index.htm"));
    QTRY_COMPARE(browser.answers, 1);

    QCOMPARE(fake.messages.shown.size(), opened ? 0 : 1);
    QCOMPARE(fake.messages.shown.value(0).text, opened ? QString() : BrowserError);
    if (!script.isEmpty()) {
        QCOMPARE(readFile(launcher + QStringLiteral(".url")),
            QUrl::fromLocalFile(QStringLiteral("/opt/Kinder Ordner/Hilfe/index.htm")).toEncoded());
    }
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
