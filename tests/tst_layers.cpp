// The include check over a tree of one file: what it must refuse, and what it lets pass.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLayers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void includes_data();
    void includes();
};

void TestLayers::includes_data()
{
    QTest::addColumn<QString>("file"); // below the tree's root
    QTest::addColumn<QString>("include");
    QTest::addColumn<QString>("coreOnly"); // the files on Qt Core alone, separated by commas
    QTest::addColumn<bool>("refused");
    const auto row
        = [](const char* name, const QString& file, const QString& include, const QString& coreOnly,
              bool refused) { QTest::newRow(name) << file << include << coreOnly << refused; };
    // Beside the including file, a relative path finds what no include folder offers.
    row("relative path up", u"core/Help.cpp"_s, u"#include \"../app/MainWindow.h\""_s,
        u"core/Help.cpp"_s, true);
    row("our header in angle brackets", u"language/FillInScreen.cpp"_s,
        u"#include <app/MainWindow.h>"_s, {}, true);
    // Found through Qt's include root, which Qt Core brings along.
    row("widget module in rule code", u"frame/TaskFile.cpp"_s, u"#include <QtWidgets/QWidget>"_s,
        u"frame/TaskFile.cpp"_s, true);
    row("widget class in rule code", u"core/Help.cpp"_s, u"#  include <QWidget>"_s,
        u"core/Help.cpp"_s, true);
    row("rule code on a screen of its layer", u"frame/TaskFile.cpp"_s,
        u"#include \"frame/ExerciseScreen.h\""_s, u"frame/TaskFile.cpp"_s, true);
    row("up a layer", u"ui/Theme.cpp"_s, u"#include \"core/Help.h\""_s, {}, true);
    row("to the side", u"language/FillIn.cpp"_s, u"#include \"arithmetic/Expression.h\""_s, {},
        true);
    row("down the layers", u"app/MainWindow.cpp"_s, u"#include \"language/FillIn.h\""_s, {}, false);
    row("Qt Core in rule code", u"frame/TaskFile.cpp"_s, u"#include <QtCore/QString>"_s,
        u"frame/TaskFile.cpp,core/Help.h"_s, false);
    row("rule code on rule code", u"frame/TaskFile.cpp"_s, u"#include \"core/Help.h\""_s,
        u"frame/TaskFile.cpp,core/Help.h"_s, false);
    row("widgets in a screen", u"frame/ExerciseScreen.cpp"_s, u"#include <QtWidgets/QWidget>"_s, {},
        false);
}

void TestLayers::includes()
{
    QFETCH(QString, file);
    QFETCH(QString, include);
    QFETCH(QString, coreOnly);
    QFETCH(bool, refused);
    QTemporaryDir tree;
    const QString path = tree.filePath(file);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile source(path);
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write(include.toUtf8() + "\n");
    source.close();

    QProcess check;
    check.start(QStringLiteral(TAMBOLINO_CMAKE),
        { u"-DSOURCE_DIR="_s + tree.path(), u"-DQTCORE_DIR=" TAMBOLINO_QTCORE_DIR ""_s,
            u"-DCORE_ONLY="_s + coreOnly, u"-P"_s, QStringLiteral(TAMBOLINO_CHECK_LAYERS) });
    QVERIFY(check.waitForFinished(30000));
    const QString output = QString::fromUtf8(check.readAllStandardError());
    QVERIFY2((check.exitCode() != 0) == refused, qPrintable(output));
    QVERIFY2(
        !refused || output.contains(file + u": "_s + include.simplified()), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestLayers)
#include "tst_layers.moc"
