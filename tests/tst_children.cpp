#include "core/Children.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestChildren : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void names();
    void nameProblem_data();
    void nameProblem();
    void displayName_data();
    void displayName();
};

void TestChildren::names()
{
    QTemporaryDir dir;
    FakeFolders folders;
    folders.data = dir.filePath(u"Tambolino"_s);
    const Children children(folders);
    QCOMPARE(children.names(), QStringList()); // no folder yet
    QVERIFY(QDir().mkpath(children.folder() + u"/Ordner.tbo"_s));
    for (const QString& file : { u"Zoe.tbo"_s, u"anna.tbo"_s, u"Ärne.tbo"_s, u"Uwe.tbo"_s,
             u"Ümit.tbo"_s, u"Bert.tbo"_s, u"notiz.txt"_s, u".versteckt.tbo"_s })
        QVERIFY(writeFile(children.folder() + u'/' + file, tensFile(12)));
    QCOMPARE(children.names(),
        QStringList({ u"anna"_s, u"Ärne"_s, u"Bert"_s, u"Ümit"_s, u"Uwe"_s, u"Zoe"_s }));
}

void TestChildren::nameProblem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem");
    const QString control = u"Der Name darf keine Steuerzeichen enthalten."_s;
    QTest::newRow("fine, blanks around") << u"  Carla Maria  "_s << QString();
    QTest::newRow("40 umlauts") << u"Ä"_s.repeated(40) << QString();
    QTest::newRow("dot inside and at the end") << u"A. B."_s << QString();
    QTest::newRow("empty") << u"  "_s << u"Bitte geben Sie einen Namen ein."_s;
    QTest::newRow("41 letters") << u"a"_s.repeated(41)
                                << u"Der Name darf höchstens 40 Zeichen lang sein."_s;
    QTest::newRow("taken, umlaut") << u" ÜMIT"_s << u"Den Namen „ÜMIT“ gibt es schon."_s;
    QTest::newRow("no score file") << u"Ohne namen"_s << u"Den Namen „Ohne namen“ gibt es schon."_s;
    for (const QChar c : u"\\|"_s) {
        QTest::addRow("%c", c.toLatin1()) << u"A"_s + c
                + u"B"_s << u"Der Name darf keines dieser Zeichen enthalten: / \\ : * ? \" < > |"_s;
    }
    QTest::newRow("tab") << u"A\tB"_s << control;
    QTest::newRow("invisible") << u"A\u200BB"_s << control;
    QTest::newRow("leading dot") << u".anna"_s
                                 << u"Der Name darf nicht mit einem Punkt beginnen."_s;
}

void TestChildren::nameProblem()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    FakeFolders folders;
    folders.data = dir.path();
    const Children children(folders);
    QVERIFY(QDir().mkpath(children.folder()));
    QVERIFY(writeFile(children.scoreFile(u"Ümit"_s), tensFile(12)));
    QCOMPARE(children.nameProblem(name), problem);
}

void TestChildren::displayName_data()
{
    QTest::addColumn<QString>("scoreFile");
    QTest::addColumn<QString>("shown");
    QTest::newRow("elsewhere") << u"/media/stick/Max Mustermann.TBO"_s << u"Max Mustermann"_s;
    QTest::newRow("other extension") << u"/tmp/ben.txt"_s << u"ben.txt"_s;
    QTest::newRow("none") << QString() << QString();
}

void TestChildren::displayName()
{
    QFETCH(QString, scoreFile);
    QFETCH(QString, shown);
    QCOMPARE(Children::displayName(scoreFile), shown);
    QCOMPARE(Children::journalName(scoreFile), shown.isEmpty() ? u"ohne Namen"_s : shown);
}

QTEST_GUILESS_MAIN(TestChildren)
#include "tst_children.moc"
