#include "core/fs/RenameResult.h"
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
        row("a file the rules keep holds its name", {"m.doc>m.doc", "m.txt>m.doc"}, {}, "", "UT",
            {});
        row("a swap goes through a temporary name", {"a>b", "b>a", "c>d"}, {}, "", "OOC",
            {0, 1, 0, 2});
        row("a cycle's temporary name is free in the folder and in the batch",
            {"c>a", "a>b", "b>c", "x>" + caseStepName("c")}, {caseStepName("c") + "-2"}, "ci",
            "OOOC", {0, 2, 1, 0, 3});
        row("names that differ in case only are one name on a case-insensitive folder",
            {"a>X", "b>x", "c>B", "d>D"}, {}, "ci", "DDBK", {3});
        row("names no folder entry may have",
            {"a>", "b>.", "c>..", "d>x/y", QByteArray("e>x\0y", 5), "f>x\ty", "g>x\x7fy",
             "h>x\xc2\x85y", "i>ok"},
            {}, "", "NNNNNNNNC", {8});
        row("a leading dot hides only a file that was shown", {"a.txt>.a.txt", ".b>.c"}, {}, "",
            "HC", {0, 1});
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
};

QTEST_GUILESS_MAIN(BatchPlanTest)
#include "BatchPlanTest.moc"
