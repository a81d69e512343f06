#include "core/check/CopiesToMove.h"
#include "core/fs/FileDescriptor.h"
#include "core/run/RenameJournal.h"
#include "core/run/TrashRun.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using namespace vornak;
using vornak::test::folderState;
using vornak::test::writeFile;

Q_DECLARE_METATYPE(vornak::KeepRule)
Q_DECLARE_METATYPE(vornak::UndoOutcome)

namespace {

// One name of a group as a row spells it: "name" a file of its own, "name@f" another name of
// file f, "name>" a symbolic link to a file of its own; then what its blocks hold, its links
// and its time.
struct Name {
    const char* name;
    qint64 diskBytes = 4096;
    quint64 links = 1;
    qint64 modified = 0;
};

struct Case {
    NameList entries;
    ContentFindings findings;
};

Case groupOf(std::initializer_list<Name> names)
{
    Case made;
    ContentGroup group;
    group.length = 4096;
    for (const Name& n : names) {
        QByteArray name = n.name;
        const qsizetype at = name.indexOf('@');
        std::uint32_t file = group.fileCount();
        if (at >= 0) {
            file = std::uint32_t(name.mid(at + 1).toUInt());
            name.truncate(at);
        } else {
            group.fileInfo.push_back({n.diskBytes, n.links, n.modified});
        }
        const bool symbolic = name.endsWith('>');
        group.entries.push_back(made.entries.size());
        group.files.push_back(file);
        group.symbolic.push_back(symbolic);
        made.entries.append(symbolic ? name.chopped(1) : name);
    }
    made.findings.groups.push_back(std::move(group));
    return made;
}

QByteArrayList namesOf(const NameList& entries, const std::vector<std::size_t>& picked)
{
    QByteArrayList names;
    for (const std::size_t entry : picked)
        names.append(entries.nameAt(entry));
    return names;
}

bool exists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

} // namespace

// Picking the copies that go to the trash, and the run that moves them and its undo.
class CopiesToTrashTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_root;
    QByteArray m_folder;
    QByteArray m_trash;

    // What the trash holds: its files with their content, and the names of their .trashinfo.
    QByteArrayList trashedNames() const
    {
        QByteArrayList names = folderState(m_trash + "/files");
        for (const QByteArray& info : folderState(m_trash + "/info"))
            names.append(info.left(info.indexOf('=')));
        return names;
    }

    // The names as they are now, as a check would have found them.
    std::vector<TrashCandidate> candidates(const QByteArrayList& names) const
    {
        std::vector<TrashCandidate> found;
        for (const QByteArray& name : names) {
            struct stat st {};
            ::stat((m_folder + '/' + name).constData(), &st);
            found.push_back(
                {name, st.st_size, qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec});
        }
        return found;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_root = QFile::encodeName(m_dir->path());
        m_folder = m_root + "/files";
        m_trash = m_root + "/Trash";
        QVERIFY(::mkdir(m_folder.constData(), 0700) == 0);
    }
    void cleanup()
    {
        std::filesystem::remove_all(m_root.toStdString());
        m_dir.reset();
    }

    void keptByRule_data()
    {
        QTest::addColumn<Case>("group");
        QTest::addColumn<KeepRule>("rule");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QByteArrayList>("moved");
        QTest::addColumn<QList<qint64>>("freed");
        const Case three = groupOf({{"bb", 4096, 1, 20}, {"a", 8192, 1, 10}, {"ccc", 0, 1, 30}});
        QTest::newRow("oldest") << three << KeepRule::Oldest << QByteArray("a")
                                << QByteArrayList{"bb", "ccc"} << QList<qint64>{4096, 0};
        QTest::newRow("newest") << three << KeepRule::Newest << QByteArray("ccc")
                                << QByteArrayList{"bb", "a"} << QList<qint64>{4096, 8192};
        QTest::newRow("shortest") << three << KeepRule::ShortestPath << QByteArray("a")
                                  << QByteArrayList{"bb", "ccc"} << QList<qint64>{4096, 0};
        QTest::newRow("first") << three << KeepRule::First << QByteArray("bb")
                               << QByteArrayList{"a", "ccc"} << QList<qint64>{8192, 0};
        QTest::newRow("tie goes to list order")
            << groupOf({{"x", 1, 1, 5}, {"y", 2, 1, 5}, {"z", 3, 1, 9}}) << KeepRule::Oldest
            << QByteArray("x") << QByteArrayList{"y", "z"} << QList<qint64>{2, 3};
        // A file named only by a symbolic link lives elsewhere: the copy here is kept, and
        // moving the link frees nothing.
        QTest::newRow("in the shown folder, link first")
            << groupOf({{"l>", 4096, 1, 1}, {"m", 4096, 1, 9}}) << KeepRule::InShownFolder
            << QByteArray("m") << QByteArrayList{"l"} << QList<qint64>{0};
        // Hard links of the moved file all go, its blocks count once; the kept file keeps
        // every name.
        QTest::newRow("hard links")
            << groupOf({{"k", 4096, 2, 1}, {"k2@0"}, {"h", 4096, 2, 9}, {"h2@1"}})
            << KeepRule::Oldest << QByteArray("k") << QByteArrayList{"h", "h2"}
            << QList<qint64>{4096, 0};
        QTest::newRow("a link outside the moved names keeps the blocks")
            << groupOf({{"k", 4096, 1, 1}, {"h", 4096, 2, 9}}) << KeepRule::Oldest
            << QByteArray("k") << QByteArrayList{"h"} << QList<qint64>{0};
        QTest::newRow("symbolic link to a moved file counts at its real name")
            << groupOf({{"k", 4096, 1, 1}, {"s>", 8192, 1, 9}, {"h@1"}}) << KeepRule::Oldest
            << QByteArray("k") << QByteArrayList{"s", "h"} << QList<qint64>{0, 8192};
    }
    void keptByRule()
    {
        QFETCH(Case, group);
        QFETCH(KeepRule, rule);
        QFETCH(QByteArray, kept);
        QFETCH(QByteArrayList, moved);
        QFETCH(QList<qint64>, freed);
        const std::vector<CopiesMove> moves = copiesToMove(group.findings, group.entries, rule);
        QCOMPARE(moves.size(), 1u);
        QCOMPARE(group.entries.nameAt(moves[0].kept), kept);
        QCOMPARE(namesOf(group.entries, moves[0].moved), moved);
        QCOMPARE(QList<qint64>(moves[0].freed.begin(), moves[0].freed.end()), freed);
    }
    void namesOfOneFileAreNoCopies()
    {
        const Case oneFile = groupOf({{"a", 4096, 2}, {"b@0"}, {"c>@0"}});
        QVERIFY(copiesToMove(oneFile.findings, oneFile.entries, KeepRule::First).empty());
    }

    // A run to the trash and its undo, with what happens to the files meanwhile.
    void undoPutsBack_data()
    {
        QTest::addColumn<QByteArray>("meanwhile");
        QTest::addColumn<UndoOutcome>("outcome");
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<bool>("leftInTrash");
        QTest::newRow("nothing") << QByteArray() << UndoOutcome::Restored
                                 << QByteArrayList{"a=one", "b=two", "c=three"} << false;
        QTest::newRow("place taken") << QByteArray("place") << UndoOutcome::OldNameTaken
                                     << QByteArrayList{"a=one", "b=new", "c=three"} << true;
        QTest::newRow("trashed file replaced") << QByteArray("trash") << UndoOutcome::Changed
                                               << QByteArrayList{"a=one", "c=three"} << true;
        QTest::newRow("trashed file gone") << QByteArray("gone") << UndoOutcome::Missing
                                           << QByteArrayList{"a=one", "c=three"} << true;
    }
    void undoPutsBack()
    {
        QFETCH(QByteArray, meanwhile);
        QFETCH(UndoOutcome, outcome);
        QFETCH(QByteArrayList, after);
        QFETCH(bool, leftInTrash);
        QVERIFY(writeFile(m_folder + "/a", "one"));
        QVERIFY(writeFile(m_folder + "/b", "two"));
        QVERIFY(writeFile(m_folder + "/c", "three"));
        const RenameJournal journal(m_root + "/journal");
        const TrashRunRecord record =
            runToTrash(journal, Trash(m_trash), m_folder, candidates({"b", "c"}), nullptr);
        QCOMPARE(record.journalError, JournalError::None);
        QCOMPARE(record.moved, 2u);
        QCOMPARE(folderState(m_folder), QByteArrayList{"a=one"});
        QCOMPARE(trashedNames(),
                 (QByteArrayList{"b=two", "c=three", "b.trashinfo", "c.trashinfo"}));
        if (meanwhile == "place")
            QVERIFY(writeFile(m_folder + "/b", "new"));
        else if (meanwhile == "trash")
            QVERIFY(::unlink((m_trash + "/files/b").constData()) == 0 &&
                    writeFile(m_trash + "/files/b", "two"));
        else if (meanwhile == "gone")
            QVERIFY(::unlink((m_trash + "/files/b").constData()) == 0);

        const UndoReport report = journal.undo(journal.lastRun()->id);
        QCOMPARE(report.steps.size(), 2u);
        QCOMPARE(report.steps[0].outcome, UndoOutcome::Restored);
        QCOMPARE(report.steps[1].outcome, outcome);
        QCOMPARE(folderState(m_folder), after);
        QCOMPARE(exists(m_trash + "/info/b.trashinfo"), leftInTrash);
        QVERIFY(!exists(m_trash + "/info/c.trashinfo"));
        // What undo could not give back stays offered.
        QCOMPARE(journal.lastRun().has_value(), report.steps[1].outcome != UndoOutcome::Restored);
    }

    // Nothing moves before the run is journaled: an unwritable journal leaves every file, and
    // no claim, where it was; a run cut short after its first move undoes as any other.
    void journaledBeforeMoving()
    {
        QVERIFY(writeFile(m_folder + "/a", "one"));
        QVERIFY(writeFile(m_folder + "/b", "two"));
        QVERIFY(writeFile(m_root + "/journal", "not a folder"));
        const TrashRunRecord refused = runToTrash(RenameJournal(m_root + "/journal"),
                                                  Trash(m_trash), m_folder, candidates({"a", "b"}));
        QCOMPARE(refused.journalError, JournalError::JournalUnwritable);
        QCOMPARE(refused.moved, 0u);
        QCOMPARE(folderState(m_folder), (QByteArrayList{"a=one", "b=two"}));
        QCOMPARE(trashedNames(), QByteArrayList());

        const RenameJournal journal(m_root + "/state");
        JobControl control;
        control.requestStop();
        const TrashRunRecord stopped =
            runToTrash(journal, Trash(m_trash), m_folder, candidates({"a", "b"}), &control);
        QCOMPARE(stopped.moved, 0u);
        QCOMPARE(stopped.steps[0].error, ECANCELED);
        QCOMPARE(trashedNames(), QByteArrayList());
        QVERIFY(!journal.lastRun());

        // A file written to since it was found to be a copy is no copy any more.
        std::vector<TrashCandidate> found = candidates({"a", "b"});
        found[0].modifiedNs -= 1;
        const TrashRunRecord run = runToTrash(journal, Trash(m_trash), m_folder, found);
        QVERIFY(run.steps[0].changed && !run.steps[1].changed);
        QCOMPARE(folderState(m_folder), QByteArrayList{"a=one"});
    }
    void runCutShortIsUndone()
    {
        QVERIFY(writeFile(m_folder + "/a", "one"));
        QVERIFY(writeFile(m_folder + "/b", "two"));
        const RenameJournal journal(m_root + "/state");
        const Trash trash(m_trash);
        std::vector<JournalStep> steps;
        for (const QByteArray name : {"a", "b"}) {
            const TrashResult claimed = trash.claim(m_folder + '/' + name);
            QCOMPARE(claimed.outcome, TrashOutcome::Trashed);
            const FileDescriptor dir(::open(m_folder.constData(), O_RDONLY | O_DIRECTORY));
            steps.push_back({name,
                             claimed.trashedAs,
                             identityAt(dir.get(), name.constData(), IdentityKind::Inode, false),
                             StepKind::ToTrash,
                             {}});
        }
        {
            JournalRun run = journal.beginSteps(m_folder, steps);
            QVERIFY(run.isStarted());
            QCOMPARE(Trash::moveClaimed(m_folder + "/a", steps[0].newName), 0);
        }
        QCOMPARE(journal.interruptedRuns().size(), 1u);
        const UndoReport report = journal.undo(journal.interruptedRuns()[0].id);
        QCOMPARE(report.steps[0].outcome, UndoOutcome::NotRenamed);
        QCOMPARE(report.steps[1].outcome, UndoOutcome::Restored);
        QCOMPARE(folderState(m_folder), (QByteArrayList{"a=one", "b=two"}));
        QCOMPARE(trashedNames(), QByteArrayList());
        QVERIFY(!journal.lastRun());
    }
};

QTEST_GUILESS_MAIN(CopiesToTrashTest)
#include "CopiesToTrashTest.moc"
