#include "core/Help.h"
#include "platform/QtDialogs.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

const QString BrowserError
    = u"Beim Aufruf des Internet Explorers ist leider ein Fehler aufgetreten. Bitte öffnen Sie die "
      "Webseite auf die Ihnen gewohnte Weise."_s;

class TestHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void labelsOpenTheBrowser();
    void launcherExitStatus_data();
    void launcherExitStatus();
    void pagesExistAndLinksResolve();
};

// A failing browser is reported and tried again at the next request; every web label opens the
// one address. One separator before "Hilfe", also after a drive root.
void TestHelp::labelsOpenTheBrowser()
{
    TestProgram program;
    program.fake.folders.program = u"/opt/kinder/"_s;
    program.fake.browser.fail = true;
    program.start();
    program.click(u"lblHilfe"_s);
    program.fake.browser.fail = false;
    QTest::keyClick(program.startScreen(), Qt::Key_F1);
    program.click(u"lblWeb"_s);
    program.fake.folders.program = QStringLiteral(TAMBOLINO_DATA_DIR);
    QTest::mouseClick(control(program.open(9), u"lblWeb"_s), Qt::LeftButton);
    const QUrl index = QUrl::fromLocalFile(u"/opt/kinder/Hilfe/index.htm"_s);
    const QUrl vendor(vendorAddress());
    QCOMPARE(program.fake.browser.urls, QList<QUrl>({ index, index, vendor, vendor }));
    QCOMPARE(program.fake.messages.shown.size(), 1);
    QCOMPARE(program.fake.messages.shown[0].text, BrowserError);
    QCOMPARE(helpPagePath(u"D:\\"_s, u"index.htm"_s), u"D:\\Hilfe/index.htm"_s);
}

void TestHelp::launcherExitStatus_data()
{
    QTest::addColumn<QByteArray>("script"); // the stand-in xdg-open; empty: there is none
    QTest::newRow("xdg-open finds a browser") << QByteArray("exit 0");
    QTest::newRow("xdg-open finds none") << QByteArray("exit 3");
    QTest::newRow("xdg-open is killed") << QByteArray("kill -9 $$");
    QTest::newRow("no xdg-open") << QByteArray();
}

// The real adapter, over a stand-in xdg-open that notes its argument and ends as the row says;
// nothing else is found on the path.
void TestHelp::launcherExitStatus()
{
    QFETCH(QByteArray, script);
    QTemporaryDir bin;
    const QString launcher = bin.filePath(u"xdg-open"_s);
    QVERIFY(script.isEmpty()
        || writeFile(launcher, "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.url\"\n" + script + '\n'));
    QFile::setPermissions(launcher, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    const auto restore = qScopeGuard([&path] { qputenv("PATH", path); });
    qputenv("PATH", QFile::encodeName(bin.path()));

    FakePlatform fake;
    fake.folders.program = u"/opt/Kinder Ordner"_s;
    QtBrowser browser;
    Platform withLauncher { fake.clock, fake.random, fake.settings, fake.folders, fake.messages,
        fake.files, browser, fake.input, fake.printer };
    openHelpPage(withLauncher, u"index.htm"_s);
    // The launcher is gone once it has answered.
    QTRY_VERIFY(browser.findChildren<QProcess*>().isEmpty());
    QCOMPARE(fake.messages.shown.value(0).text, script == "exit 0" ? QString() : BrowserError);
    QCOMPARE(readFile(launcher + u".url"_s),
        script.isEmpty() ? QByteArray() : "file:///opt/Kinder%20Ordner/Hilfe/index.htm");
}

// Every page the program opens is shipped; every link and anchor of the pages resolves.
void TestHelp::pagesExistAndLinksResolve()
{
    const QDir help(QStringLiteral(TAMBOLINO_DATA_DIR "/Hilfe"));
    QVERIFY(help.exists(u"index.htm"_s));
    for (int k = 1; k <= ExerciseCount; ++k)
        QVERIFY2(help.exists(exercise(k).helpPage), qPrintable(exercise(k).helpPage));
    static const QRegularExpression link(u"(?:href|src)=\"([^\"#]*)(#[^\"]*)?\""_s);
    for (const QString& page : help.entryList({ u"*.htm"_s })) {
        for (const auto& match :
            link.globalMatch(QString::fromUtf8(readFile(help.filePath(page))))) {
            const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
            const QByteArray anchor = "id=\"" + match.captured(2).mid(1).toUtf8() + '"';
            QVERIFY2(help.exists(target)
                    && (match.captured(2).isEmpty()
                        || readFile(help.filePath(target)).contains(anchor)),
                qPrintable(page + u" -> "_s + match.captured(0)));
        }
    }
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
