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

    // A linked folder is not followed: it may lead out of the tree, or round in a circle.
    void walkLeavesLinkedFolders()
    {
        QVERIFY(test::makeTree(m_top, {"real/", "real/f", "link@real", "file@real/f", "out@.."}));
        const std::optional<FolderTree> tree =
            walkFolderTree(m_top + '/', FilePattern::everything());
        QVERIFY(tree && tree->unreadable.empty());
        QCOMPARE(walkedFiles(*tree), (QByteArrayList{":file", "real:f"}));
    }

    // A name is taken or free in the folder of the file: a/p_x.t is a folder, b has none.
    void plansPerFolder()
    {
        QVERIFY(test::makeTree(m_top, {"a/", "a/x.t", "a/p_x.t/", "b/", "b/x.t", "b/y.t"}));
        std::optional<FolderTree> tree = walkFolderTree(m_top + '/', FilePattern::everything());
        QVERIFY(tree);
        const RenameState state{"p_", {}, {}, {}};
        const std::vector<PlannedFolder> folders =
            planTree(m_top + '/', *tree, {state, {}, false, {}}, NameRules(BatchRules{}));
        QByteArrayList got;
        for (const PlannedFolder& folder : folders)
            for (std::size_t k = 0; k < folder.entries.size(); ++k)
                got.append(folder.path + ':' + folder.entries.nameAt(k) +
                           (isRenamed(folder.batch.plan.statuses[k]) ? '>' : '=') +
                           folder.batch.newNames[k]);
        QCOMPARE(got, (QByteArrayList{"a:x.t=p_x.t", "b:x.t>p_x.t", "b:y.t>p_y.t"}));
    }

    // A run over three levels is undone as one; a folder replaced by a link after the run is
    // not followed out of the tree, and its files are told with their folders.
    void undoLeavesALinkedFolder()
    {
        QVERIFY(test::makeTree(m_top, {"f.t", "g.t", "a/", "a/f.t", "a/b/", "a/b/f.t", "a/b/c/",
                                       "a/b/c/f.t", "a/b/c/g.t"}));
        std::optional<FolderTree> tree = walkFolderTree(m_top + '/', FilePattern::everything());
        QVERIFY(tree);
        const RenameState state{"p_", {}, {}, {}};
        const RenameJob job =
            treeJob(m_top + '/',
                    planTree(m_top + '/', *tree, {state, {}, false, {}}, NameRules(BatchRules{})));
        const RenameJournal journal(RenameJournal::defaultFolder());
        QVERIFY(runJob(journal, job).kept.empty());
        const QByteArray outside = m_root + "/outside";
        QVERIFY(::rename((m_top + "/a/b").constData(), outside.constData()) == 0 &&
                ::symlink(outside.constData(), (m_top + "/a/b").constData()) == 0);
        const QByteArrayList outsideBefore = test::treeState(outside);
        const std::optional<RunInfo> last = journal.lastRun();
        QVERIFY(last);
        const UndoReport report = journal.undo(last->id);
        QCOMPARE(report.status, UndoStatus::Undone);
        QCOMPARE(test::treeState(outside), outsideBefore);
        QByteArrayList left;
        for (const UndoStep& step : report.steps)
            if (step.outcome != UndoOutcome::Restored)
                left.append(step.newName);
        QCOMPARE(left, (QByteArrayList{"a/b/c/p_g.t", "a/b/c/p_f.t", "a/b/p_f.t"}));
        QVERIFY(journal.lastRun());
    }
};

QTEST_GUILESS_MAIN(FolderTreeTest)
#include "FolderTreeTest.moc"
