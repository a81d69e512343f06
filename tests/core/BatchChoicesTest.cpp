#include "core/plan/PlannedBatch.h"
#include "core/plan/TreePlan.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vornak;

Q_DECLARE_METATYPE(vornak::TableSort)

namespace {

NameList nameListOf(const QByteArrayList& names)
{
    NameList list;
    for (const QByteArray& name : names)
        list.append(name);
    return list;
}

// A row as "old>new S": S a letter per status (C 将更改, T 名称已被占用, D 与本批重名,
// L 名称太长, N 名称不允许, - 未选), then "*" for a typed name.
QByteArray rowOf(const NameList& entries, const PlannedBatch& batch, std::size_t row)
{
    return entries.nameAt(batch.entryAt(row)) + '>' + batch.newNames[row] + ' ' +
           "CHKUTDBLNXOF-"[int(batch.plan.statuses[row])] +
           (!batch.manual.empty() && batch.manual[row] ? "*" : "");
}

// Every file renamed to "x(n)" with its extension, numbered from 1.
const RenameState kNumbered{{}, {}, "x", {}};

} // namespace

class BatchChoicesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What the user chose in the table, planned with the rules; rows in the order shown. Typed
    // names are "old>typed"; the folder holds the outside names besides the batch.
    void plansTheChoices_data()
    {
        QTest::addColumn<QByteArrayList>("entries");
        QTest::addColumn<QByteArrayList>("unticked");
        QTest::addColumn<QByteArrayList>("typed");
        QTest::addColumn<TableSort>("sort");
        QTest::addColumn<QByteArrayList>("outside");
        QTest::addColumn<QByteArrayList>("rows");
        using L = QByteArrayList;
        const L abc{"a.txt", "b.txt", "c.txt"};
        const QByteArray long256(256, 'l');
        QTest::newRow("an unticked file keeps its name and takes no number")
            << abc << L{"b.txt"} << L{} << TableSort{} << L{}
            << L{"a.txt>x(1).txt C", "b.txt>b.txt -", "c.txt>x(2).txt C"};
        QTest::newRow("an unticked file's name stays taken")
            << L{"a.txt", "b.txt"} << L{"b.txt"} << L{"a.txt>b.txt"} << TableSort{} << L{}
            << L{"a.txt>b.txt T*", "b.txt>b.txt -"};
        QTest::newRow("a typed name is checked against the folder")
            << abc << L{} << L{"a.txt>taken.txt"} << TableSort{} << L{"taken.txt"}
            << L{"a.txt>taken.txt T*", "b.txt>x(2).txt C", "c.txt>x(3).txt C"};
        QTest::newRow("typed names are checked as planned ones are")
            << L{"a.txt", "b.txt", "c.txt", "d.txt"} << L{}
            << L{"a.txt>x(2).txt", "c.txt>q/r", "d.txt>" + long256} << TableSort{} << L{}
            << L{"a.txt>x(2).txt D*", "b.txt>x(2).txt D", "c.txt>q/r N*",
                 "d.txt>" + long256 + " L*"};
        QTest::newRow("by place in reverse, numbered again")
            << abc << L{} << L{} << TableSort{SortKey::Place, true} << L{}
            << L{"c.txt>x(1).txt C", "b.txt>x(2).txt C", "a.txt>x(3).txt C"};
        QTest::newRow("by name in reverse, an unticked file left out")
            << abc << L{"b.txt"} << L{} << TableSort{SortKey::Name, true} << L{}
            << L{"c.txt>x(1).txt C", "b.txt>b.txt -", "a.txt>x(2).txt C"};
        QTest::newRow("by folder, a flat folder keeps its order")
            << abc << L{} << L{} << TableSort{SortKey::Folder, true} << L{}
            << L{"a.txt>x(1).txt C", "b.txt>x(2).txt C", "c.txt>x(3).txt C"};
    }
    void plansTheChoices()
    {
        QFETCH(QByteArrayList, entries);
        QFETCH(QByteArrayList, unticked);
        QFETCH(QByteArrayList, typed);
        QFETCH(TableSort, sort);
        QFETCH(QByteArrayList, outside);
        QFETCH(QByteArrayList, rows);
        const NameList list = nameListOf(entries);
        TableChoices choices;
        for (const QByteArray& name : unticked)
            choices.unticked.insert(fileKey({}, name));
        for (const QByteArray& pair : typed)
            choices.manualNames.insert(pair.left(pair.indexOf('>')),
                                       pair.mid(pair.indexOf('>') + 1));
        choices.sort = sort;
        const EntryChoices chosen = entryChoices(choices, {}, list);
        BatchRequest request{list, {}, kNumbered, {true, false}, {}};
        request.choices = &chosen;
        FolderRules folder;
        folder.nameTaken = [&](const QByteArrayView& name) {
            return outside.contains(name.toByteArray());
        };

        const PlannedBatch batch = planRuleBatch(request, NameRules(BatchRules{}), folder);

        QByteArrayList shown;
        for (std::size_t k = 0; k < batch.rowCount(); ++k)
            shown.append(rowOf(list, batch,
                               batch.shownOrder.empty() ? k : std::size_t(batch.shownOrder[k])));
        QCOMPARE(shown, rows);
        // The run renames exactly the rows that say so.
        QByteArrayList run;
        for (const Rename& rename : batch.renames(list))
            run.append(rename.oldName + '>' + rename.newName + " C");
        for (const QByteArray& row : rows) {
            if (row.endsWith(" C"))
                QVERIFY2(run.removeOne(row), row.constData());
        }
        QCOMPARE(run, QByteArrayList());
    }

    // In a tree a file is known by its path below the top folder; numbers run on across the
    // folders over the ticked files only, and by place in reverse the folders come in reverse.
    void plansTheChoicesInATree()
    {
        QTemporaryDir top;
        QVERIFY(top.isValid());
        FolderTree tree;
        for (const auto& [path, names] :
             {std::pair<QByteArray, QByteArrayList>{"", {"a.txt"}}, {"s", {"b.txt", "c.txt"}}})
            tree.folders.push_back({path, nameListOf(names), nameListOf(names)});
        TableChoices choices;
        choices.unticked.insert(fileKey("s", "c.txt"));
        // Not s/b.txt: a file is known by its folder too.
        choices.manualNames.insert(fileKey("", "b.txt"), "typed.txt");
        choices.sort = {SortKey::Place, true};
        const TreeRequest request{kNumbered, {true, false}, true, {}, &choices};

        const std::vector<PlannedFolder> planned =
            planTree(QFile::encodeName(top.path()) + '/', tree, request, NameRules(BatchRules{}));

        QByteArrayList rows;
        for (const PlannedFolder& folder : planned) {
            for (std::size_t k = 0; k < folder.batch.rowCount(); ++k)
                rows.append(folder.path + ':' +
                            rowOf(folder.entries, folder.batch, folder.batch.shownOrder[k]));
        }
        QCOMPARE(rows,
                 (QByteArrayList{"s:c.txt>c.txt -", "s:b.txt>x(1).txt C", ":a.txt>x(2).txt C"}));
    }
};

QTEST_GUILESS_MAIN(BatchChoicesTest)
#include "BatchChoicesTest.moc"
