#include "core/run/RenameJournal.h"
#include "core/fs/FileDescriptor.h"
#include "core/fs/OpenFolder.h"
#include "core/run/JournalFormat.h"
#include "core/run/RenameJob.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <tuple>

using namespace vornak;
using namespace Qt::StringLiterals;
using vornak::test::writeFile;
using Plan = std::vector<Rename>;

Q_DECLARE_METATYPE(vornak::KeptReason)

namespace {

std::size_t runFilesIn(const QByteArray& journalFolder)
{
    const FileDescriptor dir(::open(journalFolder.constData(), O_RDONLY | O_DIRECTORY));
    const QByteArrayList names = test::entryNames(dir.get());
    return std::size_t(std::count_if(names.begin(), names.end(),
                                     [](const QByteArray& name) { return name.endsWith(".run"); }));
}

// Creates the files the plan renames, each holding its own name (a name an earlier step
// creates is left to that step), and gives the folder's state.
QByteArrayList createFilesOf(const QByteArray& folder, const Plan& plan)
{
    QSet<QByteArray> created;
    for (const Rename& step : plan) {
        if (!created.contains(step.oldName))
            writeFile(folder + '/' + step.oldName, step.oldName);
        created.insert(step.newName);
    }
    return test::folderState(folder);
}

RenameJournal defaultJournal()
{
    return RenameJournal(RenameJournal::defaultFolder());
}

// Journals a run of the plan, renames its first steps and, if told, finishes it; its id, or 0
// when any of it failed.
qint64 journaledRun(const QByteArray& folder, const Plan& plan, std::size_t renamed,
                    bool finished = true)
{
    JournalRun run = defaultJournal().begin(folder, plan);
    OpenFolder open(folder);
    for (std::size_t i = 0; i < renamed; ++i)
        if (!open.renameNoReplace(plan[i].oldName, plan[i].newName).renamed())
            return 0;
    return run.isStarted() && (!finished || run.finish(renamed)) ? run.id() : 0;
}

std::size_t countOf(const UndoReport& report, UndoOutcome outcome)
{
    return std::size_t(
        std::count_if(report.steps.begin(), report.steps.end(),
                      [outcome](const UndoStep& s) { return s.outcome == outcome; }));
}

// Every byte a name may hold, each once.
QByteArray everyByte()
{
    QByteArray name;
    for (int byte = 1; byte < 256; ++byte)
        if (byte != '/')
            name.append(char(byte));
    return name;
}

Plan numberedPlan(int files)
{
    Plan plan;
    for (int i = 0; i < files; ++i)
        plan.push_back({"photo " + QByteArray::number(i), "trip_" + QByteArray::number(i)});
    return plan;
}

} // namespace

// The undo journal on real folders: what a run wrote is read back exactly, and undo restores
// exactly the steps that happened, never touching a file that is not the one renamed.
class RenameJournalTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_root;
    // A folder whose own name must survive the journal too.
    QByteArray m_folder;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_root = QFile::encodeName(m_dir->path());
        qputenv("XDG_STATE_HOME", m_root + "/state");
        m_folder = m_root + "/photos \xff\n \xe7\x85\xa7";
        QVERIFY(::mkdir(m_folder.constData(), 0755) == 0);
    }
    void cleanup()
    {
        std::filesystem::remove_all(m_root.toStdString());
        m_dir.reset();
    }

    void damagedJournalIsRefused_data()
    {
        const FileIdentity inode{1, 2, 3, 4, IdentityKind::Inode, std::nullopt};
        const FileIdentity content{0, 0, 3, 4, IdentityKind::Content, 0xfedcba9876543210};
        // A journal of the run "/f" whose last step renames lastName in subfolder.
        const auto written = [&](QByteArrayView lastName, QByteArrayView subfolder = {}) {
            QByteArray text;
            journal::appendHeader(text, "/f", 3);
            journal::appendStep(text, StepKind::Rename, {}, everyByte(), "b", inode);
            journal::appendStep(text, StepKind::PlaceholderMade, "x/y", "c", "d", content);
            journal::appendStep(text, StepKind::ThroughTemporary, subfolder, lastName, "f",
                                std::nullopt);
            journal::appendEnd(text);
            return text;
        };
        const QByteArray valid = written("e");
        const auto parsed = journal::parseJournal(valid + journal::completeMark(2));
        QVERIFY(parsed && parsed->folder == "/f" && parsed->steps.size() == 3);
        QCOMPARE(parsed->steps[0].oldName, everyByte());
        QVERIFY(parsed->steps[0].identity == inode && parsed->steps[1].identity == content);
        QCOMPARE(parsed->steps[1].subfolder, "x/y"_ba);
        QCOMPARE(parsed->steps[1].kind, StepKind::PlaceholderMade);
        QVERIFY(!parsed->steps[2].identity && parsed->steps[2].subfolder.isEmpty());
        // Runs journaled by the first format, before checksums and step kinds, are still read.
        const auto first = journal::parseJournal(
            "vornak-rename-journal 1\nfolder /f\nsteps 2\nb%20a c 1 2 3 4\nc d -\nend\n"_ba);
        QVERIFY(first && first->folder == "/f" && first->steps.size() == 2);
        QVERIFY(first->steps[0].oldName == "b a" && first->steps[0].identity == inode);
        QVERIFY(first->steps[1].newName == "d" && !first->steps[1].identity);

        QTest::addColumn<QByteArray>("text");
        QTest::newRow("a byte changed") << QByteArray(valid).replace("%01", "%02");
        QTest::newRow("separator in a name") << written("c/x");
        QTest::newRow("folder reaching up") << written("e", "x/../..");
    }
    // A journal that does not read back exactly is never undone: a name with a separator would
    // reach outside the folder.
    void damagedJournalIsRefused()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!journal::parseJournal(text));
    }

    void undoRestoresWhatHappened_data()
    {
        QTest::addColumn<Plan>("plan");
        Plan hostile;
        for (const QByteArray& name :
             {"odd \xff\xfe bytes.bin"_ba, "  spaces at both ends  "_ba, "line\nbreak\r.txt"_ba,
              "%41 percent %zz %"_ba, "emoji \xf0\x9f\x98\x80.png"_ba,
              "-dash & $(shell) 'quote\" \t"_ba, QByteArray(251, 'x') + ".txt",
              QByteArray("\xe7\x85\xa7").repeated(85), everyByte()}) {
            QByteArray reversed = name;
            std::reverse(reversed.begin(), reversed.end());
            hostile.push_back({name, reversed});
        }
        QTest::newRow("hostile names") << hostile;
        QTest::newRow("chain") << Plan{{"c", "d"}, {"b", "c"}, {"a", "b"}};
        QTest::newRow("a cycle through a temporary name")
            << planRenames({{"a", "b"}, {"b", "c"}, {"c", "a"}});
    }
    // The run is cut short after each possible number of renames, including none and all; undo
    // then restores exactly those. A run that ended normally is undone the same way.
    void undoRestoresWhatHappened()
    {
        QFETCH(Plan, plan);
        for (std::size_t renamed = 0; renamed <= plan.size() + 1; ++renamed) {
            const bool complete = renamed > plan.size();
            const std::size_t done = std::min(renamed, plan.size());
            const QByteArrayList before = createFilesOf(m_folder, plan);
            QVERIFY(journaledRun(m_folder, plan, done, complete));
            const auto last = defaultJournal().lastRun();
            QVERIFY(last);
            QCOMPARE(last->folder, m_folder);
            QCOMPARE(last->steps, std::size_t(before.size()));
            QCOMPARE(last->complete, complete);
            QCOMPARE(last->files, complete ? std::optional(done) : std::nullopt);
            QCOMPARE(defaultJournal().interruptedRuns().size(), std::size_t(complete ? 0 : 1));

            const UndoReport report = defaultJournal().undo(last->id);
            QCOMPARE(report.status, UndoStatus::Undone);
            QCOMPARE(countOf(report, UndoOutcome::Restored), done);
            QCOMPARE(countOf(report, UndoOutcome::NotRenamed), plan.size() - done);
            QCOMPARE(test::folderState(m_folder), before);
            QVERIFY(defaultJournal().runs().empty());
        }
    }

    // Something happens to the files after a run of a.txt to b.txt, then c.txt to d.txt (cut
    // short after renamed steps, or whole when renamed is -1). Undo restores only what is still
    // the file renamed, and tells step by step, the last first: R restored, N not renamed, C
    // changed, M missing, T old name taken, F failed, P placeholder removed, K placeholder kept.
    // A run with files left stays, with those steps.
    void undoesOnlyTheFilesOfTheRun_data()
    {
        QTest::addColumn<bool>("exfat");
        QTest::addColumn<QByteArray>("change");
        QTest::addColumn<int>("renamed");
        QTest::addColumn<QByteArray>("outcomes");
        QTest::addColumn<QByteArray>("state");
        QTest::newRow("touched") << false << "touched"_ba << -1 << "CR"_ba
                                 << "a.txt=a.txt|d.txt=c.txt"_ba;
        // Inode numbers do not last on FAT volumes: files of equal size and time are told apart
        // by their first bytes, and when they trade names neither is moved back.
        QTest::newRow("exFAT, alike files traded names") << true << "traded"_ba << -1 << "CC"_ba
                                                         << "b.txt=c.txt|d.txt=a.txt"_ba;
        // On exFAT a rename claims the new name with an empty file first; one older than the
        // run is someone else's.
        QTest::newRow("an empty file from before the run") << true << "older"_ba << 1 << "NNRN"_ba
                                                           << "a.txt=a.txt|c.txt=c.txt|d.txt="_ba;
    }
    void undoesOnlyTheFilesOfTheRun()
    {
        QFETCH(bool, exfat);
        QFETCH(QByteArray, change);
        QFETCH(int, renamed);
        QFETCH(QByteArray, outcomes);
        QFETCH(QByteArray, state);
        std::optional<test::TestMount> mount;
        if (exfat) {
            mount.emplace(test::TestMount::Kind::ExfatFuse, 16 << 20);
            VORNAK_REQUIRE_MOUNT(*mount);
        }
        const QByteArray folder = mount ? mount->root() : m_folder;
        const Plan plan{{"a.txt", "b.txt"}, {"c.txt", "d.txt"}};
        createFilesOf(folder, plan);
        const QByteArray b = folder + "/b.txt";
        const QByteArray d = folder + "/d.txt";
        const timespec anHourAgo[] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        if (change == "older")
            QVERIFY(writeFile(d, {}) && ::utimensat(AT_FDCWD, d.constData(), anHourAgo, 0) == 0);
        for (const char* twin : {"/a.txt", "/c.txt"})
            QVERIFY(change != "traded" ||
                    ::utimensat(AT_FDCWD, (folder + twin).constData(), anHourAgo, 0) == 0);

        const qint64 id = journaledRun(
            folder, plan, renamed < 0 ? plan.size() : std::size_t(renamed), renamed < 0);
        QVERIFY(id);
        if (change == "touched") {
            struct stat st {};
            QVERIFY(::stat(d.constData(), &st) == 0);
            const timespec times[] = {st.st_atim, {st.st_mtim.tv_sec + 1, st.st_mtim.tv_nsec}};
            QVERIFY(::utimensat(AT_FDCWD, d.constData(), times, 0) == 0);
        } else if (change == "traded") {
            QVERIFY(::rename(b.constData(), (b + "~").constData()) == 0 &&
                    ::rename(d.constData(), b.constData()) == 0 &&
                    ::rename((b + "~").constData(), d.constData()) == 0);
        }
        QVERIFY(!mount || mount->remount());

        const UndoReport report = defaultJournal().undo(id);
        QCOMPARE(report.status, UndoStatus::Undone);
        QByteArray got;
        for (const UndoStep& step : report.steps) {
            got += "RNCMTFPK"[int(step.outcome)];
            QCOMPARE(isTold(step), QByteArray("CMTFK").contains(got.back()));
        }
        QCOMPARE(got, outcomes);
        QCOMPARE(test::folderState(folder), state.split('|'));
        const std::size_t left = std::size_t(got.count('C'));
        QCOMPARE(tallyOf(report).restored, std::size_t(got.count('R')));
        QCOMPARE(tallyOf(report).notRestored, left);
        const auto kept = defaultJournal().lastRun();
        QCOMPARE(bool(kept), left > 0);
        if (!kept)
            return;
        QVERIFY(kept->id == id && kept->complete);
        QCOMPARE(kept->steps, left);
        QCOMPARE(kept->files, left);
        QCOMPARE(kept->lastUndoRestoredNone, !got.contains('R'));
    }

    void runsCyclesThroughTemporaryNames_data()
    {
        QTest::addColumn<QByteArray>("meanwhile");
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<QList<KeptReason>>("kept"); // of c>a, b>c, a>b
        using R = KeptReason;
        QTest::newRow("round the cycle")
            << QByteArray() << QByteArrayList{"a=c", "b=a", "c=b"} << QList<KeptReason>{};
        QTest::newRow("temporary name taken since planning")
            << caseStepName("a")
            << QByteArrayList{"a=a", "b=b", "c=c", caseStepName("a") + "=someone else's"}
            << QList<KeptReason>{R::WaitsOnFile, R::WaitsOnFile, R::Failed};
        QTest::newRow("stopped before the first")
            << "stop"_ba << QByteArrayList{"a=a", "b=b", "c=c"}
            << QList<KeptReason>(3, R::Cancelled);
    }
    // The main window's run takes a cycle through a temporary name; a file of it that cannot
    // move is told of by its own names, and undo gives every file back, each counted once.
    void runsCyclesThroughTemporaryNames()
    {
        QFETCH(QByteArray, meanwhile);
        QFETCH(QByteArrayList, after);
        QFETCH(QList<KeptReason>, kept);
        const QByteArrayList before = createFilesOf(m_folder, {{"a", "x"}, {"b", "x"}, {"c", "x"}});
        const RenameJob job = plannedJob(m_folder, {{"a", "b"}, {"b", "c"}, {"c", "a"}});
        JobControl control;
        if (meanwhile == "stop")
            control.requestStop();
        else if (!meanwhile.isEmpty())
            QVERIFY(writeFile(m_folder + '/' + meanwhile, "someone else's"));
        const RunRecord record = runJob(defaultJournal(), job, &control);
        QCOMPARE(test::folderState(m_folder), after);
        QByteArrayList names;
        QList<KeptReason> reasons;
        for (const KeptFile& file : record.kept) {
            names.append(file.oldName + '>' + file.newName);
            reasons.append(file.reason);
        }
        QCOMPARE(names, (kept.isEmpty() ? QByteArrayList() : QByteArrayList{"c>a", "b>c", "a>b"}));
        QCOMPARE(reasons, kept);
        const auto last = defaultJournal().lastRun();
        QCOMPARE(last ? last->files : std::nullopt,
                 kept.isEmpty() ? std::optional<std::size_t>(3) : std::nullopt);
        if (last) {
            QCOMPARE(tallyOf(defaultJournal().undo(last->id)).restored, std::size_t(3));
            QCOMPARE(test::folderState(m_folder), before);
        }
    }

    // A child process journals a run, renames 37 of its 100 files and is killed with SIGKILL:
    // while it lives its run is neither listed, undone nor marked by another journal; once it is
    // dead, the run is found and undone exactly.
    void recoversARunKilled()
    {
        const Plan plan = numberedPlan(100);
        const QByteArrayList before = createFilesOf(m_folder, plan);
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            JournalRun run = defaultJournal().begin(m_folder, plan);
            const qint64 id = run.isStarted() ? run.id() : 0;
            OpenFolder open(m_folder);
            for (std::size_t i = 0; i < 37; ++i)
                std::ignore = open.renameNoReplace(plan[i].oldName, plan[i].newName);
            std::ignore = ::write(ready[1], &id, sizeof id);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        qint64 id = 0;
        const bool told = ::read(ready[0], &id, sizeof id) == sizeof id;
        ::close(ready[0]);
        const RenameJournal other = defaultJournal();
        const bool seenWhileRunning = !other.runs().empty() || !other.interruptedRuns().empty();
        const UndoStatus undoWhileRunning = other.undo(id).status;
        const bool markedWhileRunning = other.markComplete(id);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QVERIFY(told && id != 0);
        QVERIFY(!seenWhileRunning && !markedWhileRunning);
        QCOMPARE(undoWhileRunning, UndoStatus::InProgress);

        const std::vector<RunInfo> cut = other.interruptedRuns();
        QCOMPARE(cut.size(), std::size_t(1));
        QCOMPARE(cut[0].id, id);
        QCOMPARE(cut[0].steps, plan.size());
        // Declined at start: no longer offered, still undoable.
        QVERIFY(other.markComplete(id));
        QVERIFY(other.interruptedRuns().empty());
        const UndoReport report = defaultJournal().undo(id);
        QCOMPARE(report.status, UndoStatus::Undone);
        QCOMPARE(countOf(report, UndoOutcome::Restored), std::size_t(37));
        QCOMPARE(test::folderState(m_folder), before);
    }

    // A run that cannot be journaled does not start, and leaves no half-written run behind.
    void fullVolumeStopsTheRun()
    {
        test::TestMount mount(test::TestMount::Kind::Tmpfs, 64 * 1024);
        VORNAK_REQUIRE_MOUNT(mount);
        Plan plan = numberedPlan(10);
        createFilesOf(m_folder, plan);
        for (int i = 0; i < 2000; ++i)
            plan.push_back({QByteArray(200, 'a') + QByteArray::number(i), "b"});
        const RenameJournal unwritable(mount.root() + "/vornak");
        const JournalRun run = unwritable.begin(m_folder, plan);
        QVERIFY(!run.isStarted());
        QCOMPARE(run.error(), JournalError::JournalUnwritable);
        QCOMPARE(run.errorNumber(), ENOSPC);
        QVERIFY(unwritable.runs().empty());
        QCOMPARE(runFilesIn(mount.root() + "/vornak"), 0u);
    }
};

QTEST_GUILESS_MAIN(RenameJournalTest)
#include "RenameJournalTest.moc"
