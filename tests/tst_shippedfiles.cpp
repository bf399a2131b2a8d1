#include "app/TaskFileCheck.h"
#include "core/ExerciseCatalogue.h"
#include "frame/TaskFile.h"

#include <QHash>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

// Every task file that ships with the program passes the check a teacher's file gets, saved as
// Windows-1252 with CR LF; beyond it, what a machine can check of the content: the endings of
// verb forms, the agreement of tenses, the whole times table.
class TestShippedFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shippedFile_data();
    void shippedFile();
};

namespace {
// Verb forms without their pronoun: wir and sie are the infinitive, ihr ends in "t", du in "st"
// (or in "t" after s, ß, x, z). "sein" keeps its own forms.
QString checkVerb(const QStringList& forms)
{
    const QString& verb = forms[0];
    if (verb == u"sein"_s)
        return forms.mid(1)
                == QStringList { u"bin"_s, u"bist"_s, u"ist"_s, u"sind"_s, u"seid"_s, u"sind"_s }
            ? QString()
            : u"forms of sein"_s;
    if (forms[4] != verb || forms[6] != verb)
        return u"wir/sie differ from the infinitive"_s;
    if (!forms[5].endsWith(u't'))
        return u"ihr-form does not end in t"_s;
    const QString& du = forms[2];
    const bool sibilant = du.size() > 1 && u"sßxz"_s.contains(du[du.size() - 2]);
    if (!du.endsWith(u"st"_s) && !(sibilant && du.endsWith(u't')))
        return u"du-form does not end in st"_s;
    return {};
}

// A phrase in five more tenses: the same pronoun in every line, the fitting form of "werden",
// one participle in the three perfect tenses, and auxiliaries that agree with each other.
QString checkTenses(const QStringList& lines)
{
    QList<QStringList> words;
    for (const QString& line : lines)
        words.append(line.split(u' '));
    const QString pronoun = words[0][0];
    for (const QStringList& w : words) {
        if (w[0] != pronoun || w.size() < 2)
            return u"pronouns differ"_s;
    }
    static const QHash<QString, QStringList> werden { { u"ich"_s, { u"werde"_s } },
        { u"du"_s, { u"wirst"_s } }, { u"er"_s, { u"wird"_s } }, { u"es"_s, { u"wird"_s } },
        { u"sie"_s, { u"wird"_s, u"werden"_s } }, { u"wir"_s, { u"werden"_s } },
        { u"ihr"_s, { u"werdet"_s } } };
    if (!werden.value(pronoun).contains(words[1][1]) || words[2][1] != words[1][1])
        return u"form of werden"_s;
    const QString participle = words[2][words[2].size() - 2];
    if (words[3].last() != participle || words[5].last() != participle)
        return u"participles differ"_s;
    static const QStringList haben { u"habe"_s, u"hast"_s, u"hat"_s, u"haben"_s, u"habt"_s };
    static const QStringList hatte { u"hatte"_s, u"hattest"_s, u"hatten"_s, u"hattet"_s };
    static const QStringList sein { u"bin"_s, u"bist"_s, u"ist"_s, u"sind"_s, u"seid"_s };
    static const QStringList war { u"war"_s, u"warst"_s, u"waren"_s, u"wart"_s };
    const bool withHaben = words[2].last() == u"haben"_s;
    if (!withHaben && words[2].last() != u"sein"_s)
        return u"auxiliary of the vollendete Zukunft"_s;
    if (!(withHaben ? haben : sein).contains(words[3][1])
        || !(withHaben ? hatte : war).contains(words[5][1]))
        return u"auxiliaries disagree"_s;
    return {};
}
} // namespace

void TestShippedFiles::shippedFile_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("minimumRecords");
    QTest::newRow("Abschreibuebungen") << 1 << 250;
    QTest::newRow("Wortpuzzle") << 2 << 200;
    QTest::newRow("Einsetzuebungen") << 3 << 150;
    QTest::newRow("Verkleinerungen") << 4 << 120;
    QTest::newRow("Wortraten") << 5 << 80;
    QTest::newRow("Beugungen") << 6 << 60;
    QTest::newRow("Zeitformen") << 7 << 60;
    QTest::newRow("Wortpaare") << 8 << 120;
    QTest::newRow("Kopfrechnen") << 9 << 180;
    QTest::newRow("Kettenaufgaben") << 10 << 50;
    QTest::newRow("Malfolgen") << 11 << 100;
    QTest::newRow("Division") << 12 << 100;
}

void TestShippedFiles::shippedFile()
{
    QFETCH(int, k);
    QFETCH(int, minimumRecords);
    const QString path = taskFilePath(QStringLiteral(TAMBOLINO_DATA_DIR), k);
    const TaskFile::Text text = TaskFile::loadText(path);
    const TaskFileCheck::Report report = TaskFileCheck::check(k, text);
    QVERIFY2(report.findings.size() == 1, qPrintable(TaskFileCheck::format(path, report)));
    QVERIFY(text.encoding != TaskFile::Encoding::Utf8);
    QCOMPARE(text.lineEnds, TaskFile::LineEnds::CrLf);
    QVERIFY2(report.tasks >= minimumRecords, qPrintable(u"%1 tasks"_s.arg(report.tasks)));

    const TaskFile::Result tasks = TaskFile::records(text, exercise(k).tasks.lines, path);
    // Times tables and divisions as factor pairs: 7 · 8 and 56 : 8 both stand for (7, 8).
    QSet<std::pair<qint64, qint64>> factors;
    for (qsizetype i = 0; i < tasks.records(); ++i) {
        QStringList record;
        for (const QStringList& list : tasks.lists)
            record.append(list[i]);
        const QString where = record.join(u" | "_s);
        if (k == 6)
            QVERIFY2(checkVerb(record).isEmpty(), qPrintable(checkVerb(record) + u": "_s + where));
        if (k == 7)
            QVERIFY2(
                checkTenses(record).isEmpty(), qPrintable(checkTenses(record) + u": "_s + where));
        const QStringList tokens = record[0].split(u' ');
        if (k >= 11)
            factors.insert({ (tokens[1] == u":"_s ? record[1] : tokens[0]).toLongLong(),
                tokens[2].toLongLong() });
    }
    // A hundred different pairs, all within 1 … 10: the whole set.
    QCOMPARE(factors.size(), k >= 11 ? 100 : 0);
    for (const auto& [a, b] : std::as_const(factors))
        QVERIFY(a >= 1 && a <= 10 && b >= 1 && b <= 10);
}

QTEST_GUILESS_MAIN(TestShippedFiles)
#include "tst_shippedfiles.moc"
