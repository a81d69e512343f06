#include "core/NameComposition.h"
#include "core/RenamePlan.h"

#include <QTest>

using namespace vornak;

Q_DECLARE_METATYPE(std::optional<QByteArray>)

class RenameRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The option texts as "prefix|suffix|base name|extension".
    void composes_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<char>("nameCase");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<qsizetype>("position");
        QTest::addColumn<QByteArray>("texts");
        QTest::addColumn<std::optional<QByteArray>>("expected");
        const auto row = [](const char* tag, const char* name, char c, bool preview,
                            qsizetype position, const char* texts, std::optional<QByteArray> to) {
            QTest::newRow(tag) << QByteArray(name) << c << preview << position << QByteArray(texts)
                               << to;
        };
        row("A: earlier dots stay in the base", "report.final.docx", 'A', false, 1, "new_|||",
            "new_report.final.docx");
        row("A: no dot gives nothing", "README", 'A', false, 1, "x|||", {});
        row("B: suffix before the new extension", "a.txt", 'B', false, 1, "|_old||log",
            "a_old.log");
        row("B: no dot in the preview", "README", 'B', true, 1, "A|Z||txt", "AREADMEZ.txt");
        row("C: numbered", "IMG_0001.JPG", 'C', false, 12, "||trip|", "trip(12).JPG");
        row("C: preview has no number", "IMG_0001.JPG", 'C', true, 12, "||trip|", "trip.JPG");
        row("D: numbered with new extension", "IMG_0001.JPG", 'D', false, 12, "||trip|jpg",
            "trip(12).jpg");
        row("D: preview ignores the name", "whatever", 'D', true, 5, "p|s|b|e", "pbs.e");
        row("bytes of a name that is not UTF-8 are kept", "caf\xe9.t\xffxt", 'A', false, 1,
            "new_|||", "new_caf\xe9.t\xffxt");
    }
    void composes()
    {
        QFETCH(QByteArray, name);
        QFETCH(char, nameCase);
        QFETCH(bool, preview);
        QFETCH(qsizetype, position);
        QFETCH(QByteArray, texts);
        QFETCH(std::optional<QByteArray>, expected);
        const QList<QByteArray> t = texts.split('|');
        const NameCase c{nameCase == 'C' || nameCase == 'D', nameCase == 'B' || nameCase == 'D'};
        const auto use = preview ? CompositionUse::Preview : CompositionUse::Execution;
        QCOMPARE(ComposeNewName(name, position, {t[0], t[1], t[2], t[3]}, c, use), expected);
    }

    // Renames and plans as "old>new", in list order and in the order they are done.
    void plansTheOrder_data()
    {
        QTest::addColumn<QList<QByteArray>>("wanted");
        QTest::addColumn<QList<QByteArray>>("plan");
        using L = QList<QByteArray>;
        QTest::newRow("a numbered chain resolves from its end")
            << L{"a.txt>x(1).txt", "x(1).txt>x(2).txt", "x(2).txt>x(3).txt"}
            << L{"x(2).txt>x(3).txt", "x(1).txt>x(2).txt", "a.txt>x(1).txt"};
        QTest::newRow("a cycle keeps its names") << L{"a>b", "b>a", "c>d"} << L{"c>d"};
        QTest::newRow("names that are no entry of the folder are dropped")
            << L{"a>", "b>.", "c>..", "d>x/y", QByteArray("e>x\0y", 5), "f>g"} << L{"f>g"};
    }
    void plansTheOrder()
    {
        QFETCH(QList<QByteArray>, wanted);
        QFETCH(QList<QByteArray>, plan);
        std::vector<Rename> renames;
        for (const QByteArray& pair : wanted)
            renames.push_back({pair.left(pair.indexOf('>')), pair.mid(pair.indexOf('>') + 1)});
        QList<QByteArray> planned;
        for (const Rename& rename : planRenames(renames))
            planned.append(rename.oldName + '>' + rename.newName);
        QCOMPARE(planned, plan);
    }
};

QTEST_GUILESS_MAIN(RenameRulesTest)
#include "RenameRulesTest.moc"
