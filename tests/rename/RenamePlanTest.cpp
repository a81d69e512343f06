#include "rename/RenamePlan.h"

#include <QTest>

using namespace vornak;

namespace {

// "old>new" pairs, one per rename, in list order.
std::vector<Rename> renames(const QList<QByteArray>& pairs)
{
    std::vector<Rename> result;
    for (const QByteArray& pair : pairs) {
        const qsizetype arrow = pair.indexOf('>');
        result.push_back({pair.left(arrow), pair.mid(arrow + 1)});
    }
    return result;
}

QList<QByteArray> pairsOf(const std::vector<Rename>& plan)
{
    QList<QByteArray> result;
    for (const Rename& rename : plan)
        result.append(rename.oldName + '>' + rename.newName);
    return result;
}

} // namespace

class RenamePlanTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void orders_data()
    {
        QTest::addColumn<QList<QByteArray>>("wanted");
        QTest::addColumn<QList<QByteArray>>("plan");
        using L = QList<QByteArray>;
        QTest::newRow("independent renames keep list order")
            << L{"a>b", "c>d", "e>f"} << L{"a>b", "c>d", "e>f"};
        QTest::newRow("a numbered chain resolves from its end")
            << L{"a.txt>x(1).txt", "x(1).txt>x(2).txt", "x(2).txt>x(3).txt"}
            << L{"x(2).txt>x(3).txt", "x(1).txt>x(2).txt", "a.txt>x(1).txt"};
        QTest::newRow("a waiter follows its blocker at once")
            << L{"a>b", "c>d", "b>e"} << L{"c>d", "b>e", "a>b"};
        QTest::newRow("a later waiter keeps its place")
            << L{"b>e", "c>d", "a>b"} << L{"b>e", "c>d", "a>b"};
        QTest::newRow("a two-file cycle keeps its names") << L{"a>b", "b>a", "c>d"} << L{"c>d"};
        QTest::newRow("a three-file cycle keeps its names") << L{"a>b", "b>c", "c>a"} << L{};
        QTest::newRow("a file waiting on a cycle keeps its name") << L{"z>a", "a>b", "b>a"} << L{};
        QTest::newRow("two renames onto a freed name go in list order")
            << L{"a>x", "b>x", "x>y"} << L{"x>y", "a>x", "b>x"};
        QTest::newRow("two renames onto a free name go in list order")
            << L{"a>x", "b>x"} << L{"a>x", "b>x"};
        QTest::newRow("renames onto the name itself are dropped") << L{"a>a", "b>c"} << L{"b>c"};
        QTest::newRow("names that are no entry of the folder are dropped")
            << L{"a>", "b>.", "c>..", "d>x/y", "e>../e", "f>g"} << L{"f>g"};
        QTest::newRow("a dropped rename blocks nobody") << L{"a>b", "b>b"} << L{"a>b"};
        QTest::newRow("nothing to do") << L{} << L{};
    }
    void orders()
    {
        QFETCH(QList<QByteArray>, wanted);
        QFETCH(QList<QByteArray>, plan);
        QCOMPARE(pairsOf(planRenames(renames(wanted))), plan);
    }

    void refusesANulByte()
    {
        const QByteArray cut("x\0y", 3);
        QVERIFY(!isEntryName(cut));
        QVERIFY(planRenames({{"a", cut}}).empty());
    }
};

QTEST_GUILESS_MAIN(RenamePlanTest)
#include "RenamePlanTest.moc"
