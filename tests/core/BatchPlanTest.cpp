#include "core/NameIndex.h"
#include "core/NameText.h"
#include "core/RenamePlan.h"

#include <QSet>
#include <QTest>

using namespace vornak;

namespace {

// One letter per status, so that a row shows a whole batch at a glance.
char letterOf(RenameStatus status)
{
    return "CHKUTDBLN"[static_cast<int>(status)];
}

std::vector<WantedName> wantedOf(const QList<QByteArray>& pairs)
{
    std::vector<WantedName> wanted;
    for (const QByteArray& pair : pairs) {
        const qsizetype arrow = pair.indexOf('>');
        wanted.push_back(
            {QByteArrayView(pair).first(arrow), QByteArrayView(pair).sliced(arrow + 1)});
    }
    return wanted;
}

} // namespace

class BatchPlanTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Renames as "old>new"; statuses as letters: C 将更改, H 将隐藏, K 仅大小写, U 不变,
    // T 名称已被占用, D 与本批重名, B 循环或受阻, L 名称太长, N 名称不允许. The folder holds
    // the outside names besides the batch; "ci" marks a case-insensitive one.
    void classifies_data()
    {
        QTest::addColumn<QList<QByteArray>>("batch");
        QTest::addColumn<QList<QByteArray>>("outside");
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QByteArray>("statuses");
        QTest::addColumn<QList<int>>("order");
        using L = QList<QByteArray>;
        using O = QList<int>;
        const QByteArray long255(255, 'x');
        QByteArray cjk200;
        for (int i = 0; i < 200; ++i)
            cjk200 += "\xe7\x85\xa7"; // 照: 3 bytes, one UTF-16 unit
        QByteArray emoji128;
        for (int i = 0; i < 128; ++i)
            emoji128 += "\xf0\x9f\x93\xb7"; // 📷: 4 bytes, two UTF-16 units

        QTest::newRow("a numbered chain resolves from its end")
            << L{"a.txt>x(1).txt", "x(1).txt>x(2).txt", "x(2).txt>x(3).txt"} << L{} << QByteArray()
            << QByteArray("CCC") << O{2, 1, 0};
        QTest::newRow("a name the rules keep")
            << L{"a>a", "b>c"} << L{} << QByteArray() << QByteArray("UC") << O{1};
        QTest::newRow("taken outside, and the file waiting on it is blocked")
            << L{"a>b", "c>a", "d>e"} << L{"b"} << QByteArray() << QByteArray("TBC") << O{2};
        QTest::newRow("a listing of the whole folder is asked only about names outside the batch")
            << L{"a>b", "b>c"} << L{"a", "b"} << QByteArray() << QByteArray("CC") << O{1, 0};
        QTest::newRow("two files onto one name are both kept, with their waiters")
            << L{"a>x", "b>x", "c>a", "d>e"} << L{} << QByteArray() << QByteArray("DDBC") << O{3};
        QTest::newRow("onto the name of a file the rules keep")
            << L{"a>a", "b>a"} << L{} << QByteArray() << QByteArray("DD") << O{};
        QTest::newRow("a cycle keeps its names")
            << L{"a>b", "b>a", "c>d"} << L{} << QByteArray() << QByteArray("BBC") << O{2};
        QTest::newRow("255 bytes fit, 256 do not") << L{"a>" + long255, "b>" + long255 + "y"} << L{}
                                                   << QByteArray() << QByteArray("CL") << O{0};
        QTest::newRow("exFAT counts UTF-16 units, not bytes")
            << L{"a>" + cjk200, "b>" + emoji128} << L{} << QByteArray("utf16") << QByteArray("CL")
            << O{0};
        QTest::newRow("names no folder entry may have")
            << L{"a>",     "b>.",      "c>..",         "d>x/y", QByteArray("e>x\0y", 5),
                 "f>x\ty", "g>x\x7fy", "h>x\xc2\x85y", "i>ok"}
            << L{} << QByteArray() << QByteArray("NNNNNNNNC") << O{8};
        QTest::newRow("a leading dot hides only a file that was shown")
            << L{"a.txt>.a.txt", ".b>.c"} << L{} << QByteArray() << QByteArray("HC") << O{0, 1};
        QTest::newRow("letter case only, ASCII and beyond")
            << L{"a.txt>A.TXT", "\xc3\xa9t\xc3\xa9.txt>\xc3\x89T\xc3\x89.txt", "ab>AC"} << L{}
            << QByteArray() << QByteArray("KKC") << O{0, 1, 2};
        QTest::newRow("case-insensitive: names differing in case collide")
            << L{"a>X", "b>x"} << L{} << QByteArray("ci") << QByteArray("DD") << O{};
        QTest::newRow("case-insensitive: a case-only rename is not taken by its own file")
            << L{"a.txt>A.txt"} << L{"a.txt"} << QByteArray("ci") << QByteArray("K") << O{0};
        QTest::newRow("case-insensitive: waits on a name that differs in case")
            << L{"A>b", "B>c"} << L{"a", "b"} << QByteArray("ci") << QByteArray("CC") << O{1, 0};
        QTest::newRow("case-insensitive: taken outside in another case")
            << L{"a>README"} << L{"readme"} << QByteArray("ci") << QByteArray("T") << O{};
        QTest::newRow("bytes that are not UTF-8 are names like any other")
            << L{"caf\xe9>caf\xc9", "x\xff>caf\xe9"} << L{"caf\xc9"} << QByteArray("ci")
            << QByteArray("TB") << O{};
    }
    void classifies()
    {
        QFETCH(QList<QByteArray>, batch);
        QFETCH(QList<QByteArray>, outside);
        QFETCH(QByteArray, folder);
        QFETCH(QByteArray, statuses);
        QFETCH(QList<int>, order);
        FolderRules rules;
        rules.caseInsensitive = folder == "ci";
        rules.lengthUnit = folder == "utf16" ? NameLengthUnit::Utf16Units : NameLengthUnit::Bytes;
        QSet<QByteArray> names;
        for (const QByteArray& name : outside)
            names.insert(rules.caseInsensitive ? caseFoldedName(name) : name);
        rules.nameTaken = [&](const QByteArrayView& name) {
            return names.contains(rules.caseInsensitive ? caseFoldedName(name)
                                                        : name.toByteArray());
        };
        const std::vector<WantedName> wanted = wantedOf(batch);

        const BatchPlan plan = planBatch(wanted, rules);

        QByteArray letters;
        for (RenameStatus status : plan.statuses)
            letters += letterOf(status);
        QCOMPARE(letters, statuses);
        QCOMPARE(QList<int>(plan.order.begin(), plan.order.end()), order);
        for (int i = 0; i < int(wanted.size()); ++i)
            QCOMPARE(isRenamed(plan.statuses[std::size_t(i)]), order.contains(i));
        // Where the folder sets no limit that planRenames cannot know, both plan alike.
        if (!rules.caseInsensitive && outside.isEmpty() && !statuses.contains('D') &&
            !statuses.contains('N') && !statuses.contains('L')) {
            std::vector<Rename> renames;
            for (const WantedName& name : wanted)
                renames.push_back({name.oldName.toByteArray(), name.newName.toByteArray()});
            const std::vector<Rename> legacy = planRenames(renames);
            const std::vector<Rename> run = plan.renames(wanted);
            QCOMPARE(run.size(), legacy.size());
            for (std::size_t i = 0; i < run.size(); ++i)
                QCOMPARE(run[i].oldName + '>' + run[i].newName,
                         legacy[i].oldName + '>' + legacy[i].newName);
        }
    }

    // An index made for few names grows: every name keeps its number and is found again.
    void indexesNames()
    {
        std::vector<QByteArray> names;
        for (int i = 0; i < 1000; ++i)
            names.push_back(QByteArray::number(i) + ".jpg");
        NameIndex index;
        for (std::size_t i = 0; i < names.size(); ++i)
            QCOMPARE(index.add(names[i]), i);
        QCOMPARE(index.add(names[500]), 500u);
        QCOMPARE(index.size(), names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            QCOMPARE(index.find(names[i]), std::optional(i));
        QVERIFY(!index.contains("1000.jpg") && !index.contains("") && !index.contains("1.jp"));
    }
};

QTEST_GUILESS_MAIN(BatchPlanTest)
#include "BatchPlanTest.moc"
