#include "core/fs/FolderTree.h"
#include "core/plan/TreePlan.h"
#include "core/run/RenameJob.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using namespace vornak;

namespace {

// The tree's files in walk order as "folder:name".
QByteArrayList walkedFiles(const FolderTree& tree)
{
    QByteArrayList files;
    for (const TreeFolder& folder : tree.folders)
        for (std::size_t k = 0; k < folder.files.size(); ++k)
            files.append(folder.path + ':' + folder.files.nameAt(k));
    return files;
}

} // namespace

// The walk below a folder, each folder's batch planned in that folder, and a run over the tree
// undone as one, on real folders.
class FolderTreeTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_root;
    QByteArray m_top;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_root = QFile::encodeName(m_dir->path());
        qputenv("XDG_STATE_HOME", m_root + "/state");
        m_top = m_root + "/top";
        QVERIFY(::mkdir(m_top.constData(), 0755) == 0 && ::chmod(m_root.constData(), 0755) == 0);
    }
    void cleanup()
    {
        std::filesystem::remove_all(m_root.toStdString());
        m_dir.reset();
    }

    void walk_data()
    {
        QTest::addColumn<QByteArrayList>("entries");
        QTest::addColumn<QByteArrayList>("files");
        QTest::addColumn<QByteArrayList>("unreadable");
        QTest::newRow("three levels, natural order")
            << QByteArrayList{"x10",   "x9",      "a10/",     "a2/",     "a10/y", "a2/y",
                              "a2/b/", "a2/b/c/", "a2/b/c/z", "a2/b/.h", ".h/",   ".h/z"}
            << QByteArrayList{":x9", ":x10", "a2:y", "a2/b/c:z", "a10:y"} << QByteArrayList{};
        QTest::newRow("folder names not UTF-8")
            << QByteArrayList{"\xff\xfe/", "\xff\xfe/n\xe9/", "\xff\xfe/n\xe9/f"}
            << QByteArrayList{"\xff\xfe/n\xe9:f"} << QByteArrayList{};
        QTest::newRow("a linked folder is not followed")
            << QByteArrayList{"real/", "real/f", "link@real", "file@real/f", "out@.."}
            << QByteArrayList{":file", "real:f"} << QByteArrayList{};
        QTest::newRow("an unreadable folder does not stop the others")
            << QByteArrayList{"a/", "a/f", "b!/", "c/", "c/f"} << QByteArrayList{"a:f", "c:f"}
            << QByteArrayList{"b"};
    }
    void walk()
    {
        QFETCH(QByteArrayList, entries);
        QFETCH(QByteArrayList, files);
        QFETCH(QByteArrayList, unreadable);
        QVERIFY(test::makeTree(m_top, entries));
        // As root every folder is readable: walk as nobody.
        QVERIFY(::seteuid(65534) == 0);
        const std::optional<FolderTree> tree =
            walkFolderTree(m_top + '/', FilePattern::everything());
        QVERIFY(::seteuid(0) == 0);
        QVERIFY(tree);
        QCOMPARE(walkedFiles(*tree), files);
        QByteArrayList reported;
        for (const UnreadableFolder& folder : tree->unreadable)
            reported.append(folder.path);
        QCOMPARE(reported, unreadable);
    }

    void planPerFolder_data()
    {
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<bool>("across");
        QTest::addColumn<QByteArrayList>("planned");
        QTest::newRow("a name taken in one folder only")
            << QByteArray("p_") << false
            << QByteArrayList{"a:x.t=p_x.t", "b:x.t>p_x.t", "b:y.t>p_y.t"};
        QTest::newRow("numbers per folder")
            << QByteArray() << false
            << QByteArrayList{"a:x.t>n(1).t", "b:x.t>n(1).t", "b:y.t>n(2).t"};
        QTest::newRow("numbers across the tree")
            << QByteArray() << true
            << QByteArrayList{"a:x.t>n(1).t", "b:x.t>n(2).t", "b:y.t>n(3).t"};
    }
    void planPerFolder()
    {
        QFETCH(QByteArray, prefix);
        QFETCH(bool, across);
        QFETCH(QByteArrayList, planned);
        // a/p_x.t is a folder: the name is taken in a, free in b.
        QVERIFY(test::makeTree(m_top, {"a/", "a/x.t", "a/p_x.t/", "b/", "b/x.t", "b/y.t"}));
        std::optional<FolderTree> tree = walkFolderTree(m_top + '/', FilePattern::everything());
        QVERIFY(tree);
        const RenameState state{prefix, {}, prefix.isEmpty() ? "n" : "", {}};
        const std::vector<PlannedFolder> folders =
            planTree(m_top + '/', *tree, {state, {prefix.isEmpty(), false}, across, {}},
                     NameRules(BatchRules{}));
        QByteArrayList got;
        for (const PlannedFolder& folder : folders)
            for (std::size_t k = 0; k < folder.entries.size(); ++k)
                got.append(folder.path + ':' + folder.entries.nameAt(k) +
                           (isRenamed(folder.batch.plan.statuses[k]) ? '>' : '=') +
                           folder.batch.newNames[k]);
        QCOMPARE(got, planned);
    }

    void undoTree_data()
    {
        QTest::addColumn<int>("renamed");
        QTest::addColumn<bool>("linkSwapped");
        QTest::newRow("a whole run") << -1 << false;
        QTest::newRow("cut short before any rename") << 0 << false;
        QTest::newRow("cut short in the deepest folder") << 5 << false;
        QTest::newRow("a folder swapped for a link to outside") << -1 << true;
    }
    // One run over three levels, undone by one undo; after a run cut short only what happened
    // is undone. A folder replaced by a link after the run is not followed out of the tree.
    void undoTree()
    {
        QFETCH(int, renamed);
        QFETCH(bool, linkSwapped);
        QVERIFY(test::makeTree(m_top, {"f.t", "g.t", "a/", "a/f.t", "a/b/", "a/b/f.t", "a/b/c/",
                                       "a/b/c/f.t", "a/b/c/g.t"}));
        const QByteArrayList before = test::treeState(m_top);
        std::optional<FolderTree> tree = walkFolderTree(m_top + '/', FilePattern::everything());
        QVERIFY(tree);
        const RenameState state{"p_", {}, {}, {}};
        const RenameJob job =
            treeJob(m_top + '/',
                    planTree(m_top + '/', *tree, {state, {}, false, {}}, NameRules(BatchRules{})));
        QCOMPARE(job.plan.size(), std::size_t(6));
        const RenameJournal journal(RenameJournal::defaultFolder());
        if (renamed < 0) {
            QVERIFY(runJob(journal, job).kept.empty());
        } else {
            JournalRun run = journal.begin(job.folder, job.plan, job.folders);
            QVERIFY(run.isStarted());
            std::size_t step = 0;
            for (const FolderStretch& stretch : job.folders)
                for (std::size_t k = 0; k < stretch.renames; ++k, ++step)
                    if (step < std::size_t(renamed)) {
                        const QByteArray at = treeFolderPath(job.folder, stretch.path);
                        QVERIFY(::rename((at + job.plan[step].oldName).constData(),
                                         (at + job.plan[step].newName).constData()) == 0);
                    }
        }
        // The renamed folder moved out of the tree, a link to it in its place.
        const QByteArray outside = m_root + "/outside";
        if (linkSwapped)
            QVERIFY(::rename((m_top + "/a/b").constData(), outside.constData()) == 0 &&
                    ::symlink(outside.constData(), (m_top + "/a/b").constData()) == 0);
        const QByteArrayList outsideBefore =
            linkSwapped ? test::treeState(outside) : QByteArrayList();
        const std::optional<RunInfo> last = journal.lastRun();
        QVERIFY(last);
        QCOMPARE(last->complete, renamed < 0);
        const UndoReport report = journal.undo(last->id);
        QCOMPARE(report.status, UndoStatus::Undone);
        if (linkSwapped) {
            QCOMPARE(test::treeState(outside), outsideBefore);
            QByteArrayList left;
            for (const UndoStep& step : report.steps)
                if (step.outcome != UndoOutcome::Restored)
                    left.append(step.newName);
            // Told with their folders, as the run told them.
            QCOMPARE(left, (QByteArrayList{"a/b/c/p_g.t", "a/b/c/p_f.t", "a/b/p_f.t"}));
            QVERIFY(journal.lastRun());
            return;
        }
        QCOMPARE(test::treeState(m_top), before);
        QVERIFY(!journal.lastRun());
    }
};

QTEST_GUILESS_MAIN(FolderTreeTest)
#include "FolderTreeTest.moc"
