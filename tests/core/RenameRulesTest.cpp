#include "core/fs/RenameResult.h"
#include "core/names/NameComposition.h"
#include "core/plan/RenamePlan.h"

#include <QTest>

using namespace vornak;

class RenameRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Case, use (x: execution, p: preview) and position, then the number's start, step and
    // width where they are not the defaults; the option texts as "prefix|suffix|base|extension".
    void composes_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("use");
        QTest::addColumn<QByteArray>("texts");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char* tag, const char* name, const char* use, const char* texts,
                            const char* to) {
            QTest::newRow(tag) << QByteArray(name) << QByteArray(use) << QByteArray(texts)
                               << QByteArray(to);
        };
        row("A: earlier dots stay in the base", "report.final.docx", "Ax1", "new_|||",
            "new_report.final.docx");
        row("B: suffix before the new extension", "a.txt", "Bx1", "|_old||log", "a_old.log");
        row("C: the number follows the suffix", "IMG_0001.JPG", "Cx12", "p_|_s|trip|",
            "p_trip_s(12).JPG");
        row("D: numbered with new extension", "IMG_0001.JPG", "Dx12", "p|s|trip|jpg",
            "ptrips(12).jpg");
        row("C: padded", "IMG_0001.JPG", "Cx1 1 1 3", "||trip|", "trip(001).JPG");
    }
    void composes()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, use);
        QFETCH(QByteArray, texts);
        QFETCH(QByteArray, expected);
        const QList<QByteArray> t = texts.split('|');
        const QList<QByteArray> u = use.split(' ');
        const NameCase c{use[0] == 'C' || use[0] == 'D', use[0] == 'B' || use[0] == 'D'};
        const NumberFormat format =
            u.size() < 4 ? NumberFormat{}
                         : NumberFormat{u[1].toLongLong(), u[2].toLongLong(), u[3].toInt()};
        const auto composed = ComposeNewName(
            name, u[0].mid(2).toLongLong(), {t[0], t[1], t[2], t[3]}, c,
            use[1] == 'p' ? CompositionUse::Preview : CompositionUse::Execution, format);
        QCOMPARE(composed.value_or(""), expected);
    }

    // Renames and plans as "old>new", in list order and in the order they are done.
    void plansTheOrder_data()
    {
        QTest::addColumn<QList<QByteArray>>("wanted");
        QTest::addColumn<QList<QByteArray>>("plan");
        using L = QList<QByteArray>;
        QTest::newRow("the earliest waiter takes the freed name")
            << L{"a>c", "b>c", "c>d"} << L{"c>d", "a>c", "b>c"};
        QTest::newRow("waiters on a waiter follow it, earliest first")
            << L{"a>b", "x>b", "b>c", "c>d"} << L{"c>d", "b>c", "a>b", "x>b"};
        QTest::newRow("a later waiter keeps its place")
            << L{"a>c", "c>d", "e>f", "b>c"} << L{"c>d", "a>c", "e>f", "b>c"};
        const QByteArray step = caseStepName("a");
        QTest::newRow("a cycle's temporary name is no name of a file that stays")
            << L{"a>b", "b>a", step + ">"} << L{"a>" + step + "-2", "b>a", step + "-2>b"};
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
