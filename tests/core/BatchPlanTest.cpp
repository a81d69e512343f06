#include "core/fs/RenameResult.h"
#include "core/names/NameIndex.h"
#include "core/names/NameText.h"
#include "core/plan/RenamePlan.h"

#include <QSet>
#include <QTest>

using namespace vornak;

namespace {

// One letter per status, so that a row shows a whole batch at a glance.
char letterOf(RenameStatus status)
{
    return "CHKUTDBLNXO"[static_cast<int>(status)];
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
    // T 名称已被占用, D 与本批重名, B 循环或受阻, L 名称太长, N 名称不允许, O 循环（经临时名称）.
    // The folder holds the outside names besides the batch; "ci" marks a case-insensitive one.
    // An entry that comes twice in order goes through a temporary name.
    void classifies_data()
    {
        QTest::addColumn<QList<QByteArray>>("batch");
        QTest::addColumn<QList<QByteArray>>("outside");
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QByteArray>("statuses");
        QTest::addColumn<QList<int>>("order");
        using L = QList<QByteArray>;
        const auto row = [](const char* tag, const L& batch, const L& outside, const char* folder,
                            const char* statuses, const QList<int>& order) {
            QTest::newRow(tag) << batch << outside << QByteArray(folder) << QByteArray(statuses)
                               << order;
        };
        const QByteArray long255(255, 'x');
        const QByteArray cjk200 = QByteArray("\xe7\x85\xa7").repeated(200); // 照: 1 UTF-16 unit
        const QByteArray emoji128 = QByteArray("\xf0\x9f\x93\xb7").repeated(128); // 📷: 2 units

        row("a numbered chain resolves from its end",
            {"a.txt>x(1).txt", "x(1).txt>x(2).txt", "x(2).txt>x(3).txt"}, {}, "", "CCC", {2, 1, 0});
        row("a name the rules keep", {"a>a", "b>c"}, {}, "", "UC", {1});
        row("taken outside, and the file waiting on it is blocked", {"a>b", "c>a", "d>e"}, {"b"},
            "", "TBC", {2});
        row("a listing of the whole folder is asked only about names outside the batch",
            {"a>b", "b>c"}, {"a", "b"}, "", "CC", {1, 0});
        row("two files onto one name are both kept, with their waiters",
            {"a>x", "b>x", "c>a", "d>e"}, {}, "", "DDBC", {3});
        row("a file the rules keep holds its name", {"m.doc>m.doc", "m.txt>m.doc"}, {}, "", "UT",
            {});
        row("a kept file holds its name against several",
            {"m.rtf>m.doc", "m.doc>m.doc", "m.txt>m.doc"}, {}, "", "TUT", {});
        row("a swap goes through a temporary name", {"a>b", "b>a", "c>d"}, {}, "", "OOC",
            {0, 1, 0, 2});
        row("a cycle's temporary name is free in the folder and in the batch",
            {"c>a", "a>b", "b>c", "x>" + caseStepName("c")}, {caseStepName("c") + "-2"}, "ci",
            "OOOC", {0, 2, 1, 0, 3});
        row("255 bytes fit, 256 do not", {"a>" + long255, "b>" + long255 + "y"}, {}, "", "CL", {0});
        row("exFAT counts UTF-16 units, not bytes", {"a>" + cjk200, "b>" + emoji128}, {}, "utf16",
            "CL", {0});
        row("names no folder entry may have",
            {"a>", "b>.", "c>..", "d>x/y", QByteArray("e>x\0y", 5), "f>x\ty", "g>x\x7fy",
             "h>x\xc2\x85y", "i>ok"},
            {}, "", "NNNNNNNNC", {8});
        row("a leading dot hides only a file that was shown", {"a.txt>.a.txt", ".b>.c"}, {}, "",
            "HC", {0, 1});
        row("letter case only, ASCII and beyond",
            {"a.txt>A.TXT", "\xc3\xa9t\xc3\xa9.txt>\xc3\x89T\xc3\x89.txt", "ab>AC"}, {}, "", "KKC",
            {0, 1, 2});
        row("case-insensitive: names differing in case collide", {"a>X", "b>x"}, {}, "ci", "DD",
            {});
        row("case-insensitive: a case-only rename is not taken by its own file", {"a.txt>A.txt"},
            {"a.txt"}, "ci", "K", {0});
        row("case-insensitive: waits on a name that differs in case", {"A>b", "B>c"}, {"a", "b"},
            "ci", "CC", {1, 0});
        row("case-insensitive: taken outside in another case", {"a>README"}, {"readme"}, "ci", "T",
            {});
        row("bytes that are not UTF-8 are names like any other",
            {"caf\xe9>caf\xc9", "x\xff>caf\xe9"}, {"caf\xc9"}, "ci", "TB", {});
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
        // The run does the renames in that order, through a temporary name no other file has.
        const QByteArray temporary = plan.temporaries.empty() ? "" : plan.temporaries[0].name;
        QVERIFY(temporary.isEmpty() ||
                (!rules.nameTaken(temporary) && !batch.join('>').split('>').contains(temporary)));
        QList<QByteArray> run;
        QList<QByteArray> inOrder;
        for (const Rename& rename : plan.renames(wanted))
            run.append(rename.oldName + '>' + rename.newName);
        for (int i : order) {
            const QList<QByteArray> pair = batch[i].split('>');
            const bool twice = order.count(i) == 2;
            const bool first = order.indexOf(i) == inOrder.size();
            inOrder.append((twice && !first ? temporary : pair[0]) + '>' +
                           (twice && first ? temporary : pair[1]));
        }
        QCOMPARE(run, inOrder);
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
