#include "core/RenameJournal.h"
#include "core/JournalFormat.h"
#include "core/Trash.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

using namespace vornak;
using vornak::test::contentOf;
using vornak::test::writeFile;

namespace {

using Files = std::map<QByteArray, QByteArray>;
using Plan = std::vector<Rename>;

// The entries of folder with their contents.
Files filesIn(const QByteArray& folder)
{
    Files files;
    DIR* dir = ::opendir(folder.constData());
    while (const dirent* entry = dir ? ::readdir(dir) : nullptr)
        if (isEntryName(entry->d_name))
            files[entry->d_name] = contentOf(folder + '/' + entry->d_name);
    if (dir)
        ::closedir(dir);
    return files;
}

// Creates the files the plan renames, each holding its own name; a name an earlier step
// creates is left to that step.
Files createFilesOf(const QByteArray& folder, const Plan& plan)
{
    QSet<QByteArray> created;
    for (const Rename& step : plan) {
        if (!created.contains(step.oldName))
            writeFile(folder + '/' + step.oldName, step.oldName);
        created.insert(step.newName);
    }
    return filesIn(folder);
}

// Renames as a run does, with the plain system call: how runs rename is not under test here.
bool renameStep(const QByteArray& folder, const Rename& step)
{
    return ::renameat2(AT_FDCWD, (folder + '/' + step.oldName).constData(), AT_FDCWD,
                       (folder + '/' + step.newName).constData(), RENAME_NOREPLACE) == 0;
}

std::size_t countOf(const UndoReport& report, UndoOutcome outcome)
{
    return std::size_t(
        std::count_if(report.steps.begin(), report.steps.end(),
                      [outcome](const UndoStep& step) { return step.outcome == outcome; }));
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

const QList<QByteArray> kHostile{
    "plain.txt",
    "odd \xff\xfe bytes.bin",
    "  spaces at both ends  ",
    "line\nbreak\r.txt",
    "%41 percent %zz %",
    "emoji \xf0\x9f\x98\x80\xf0\x9f\x8e\x89.png",
    "-dash & $(shell) 'quote\" \t",
    QByteArray(251, 'x') + ".txt",
    QByteArray("\xe7\x85\xa7").repeated(85),
    everyByte(),
};

Plan hostilePlan()
{
    Plan plan;
    for (const QByteArray& name : kHostile) {
        QByteArray reversed = name;
        std::reverse(reversed.begin(), reversed.end());
        plan.push_back({name, reversed});
    }
    return plan;
}

Plan numberedPlan(int files)
{
    Plan plan;
    for (int i = 0; i < files; ++i)
        plan.push_back({"photo " + QByteArray::number(i), "trip_" + QByteArray::number(i)});
    return plan;
}

std::vector<QByteArray> runFilesIn(const QByteArray& journalFolder)
{
    std::vector<QByteArray> runFiles;
    for (const auto& [name, content] : filesIn(journalFolder))
        if (name.endsWith(".run"))
            runFiles.push_back(name);
    return runFiles;
}

} // namespace

enum class Tampering { Edited, Touched, Replaced, Removed, OldNameTaken };
enum class Obstacle { FileInTheWay, FullVolume, ReadOnlyVolume, FolderGone };

Q_DECLARE_METATYPE(Plan)
Q_DECLARE_METATYPE(Tampering)
Q_DECLARE_METATYPE(Obstacle)
Q_DECLARE_METATYPE(UndoOutcome)
Q_DECLARE_METATYPE(JournalError)

// The undo journal on real folders: what a run wrote is read back exactly, and undo restores
// exactly the steps that happened, never touching a file that is not the one renamed.
class RenameJournalTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void baseFolders_data();
    void baseFolders();
    void damagedJournalIsRefused_data();
    void damagedJournalIsRefused();
    void undoRestoresWhatHappened_data();
    void undoRestoresWhatHappened();
    void undoLeavesOtherFilesAlone_data();
    void undoLeavesOtherFilesAlone();
    void keepsTheLastRuns();
    void copiesShareTheJournal();
    void recoversARunKilled_data();
    void recoversARunKilled();
    void unwritableJournalStopsTheRun_data();
    void unwritableJournalStopsTheRun();

private:
    static RenameJournal journal() { return RenameJournal(RenameJournal::defaultFolder()); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_root;
    // A folder whose own name must survive the journal too.
    QByteArray m_folder;
};

void RenameJournalTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_root = QFile::encodeName(m_dir->path());
    qputenv("XDG_STATE_HOME", m_root + "/state");
    m_folder = m_root + "/photos \xff\n \xe7\x85\xa7";
    QVERIFY(::mkdir(m_folder.constData(), 0755) == 0);
}

void RenameJournalTest::cleanup()
{
    std::filesystem::remove_all(m_root.toStdString());
    m_dir.reset();
}

void RenameJournalTest::baseFolders_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("state") << QByteArray("XDG_STATE_HOME") << QByteArray("/x/st")
                           << QByteArray("/x/st/vornak");
    QTest::newRow("state relative") << QByteArray("XDG_STATE_HOME") << QByteArray("x/st")
                                    << QByteArray("/home/t/.local/state/vornak");
    QTest::newRow("state unset") << QByteArray("XDG_STATE_HOME") << QByteArray()
                                 << QByteArray("/home/t/.local/state/vornak");
    QTest::newRow("data") << QByteArray("XDG_DATA_HOME") << QByteArray("/x/d")
                          << QByteArray("/x/d/Trash");
    QTest::newRow("data unset") << QByteArray("XDG_DATA_HOME") << QByteArray()
                                << QByteArray("/home/t/.local/share/Trash");
}

void RenameJournalTest::baseFolders()
{
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, expected);
    const QByteArray home = qgetenv("HOME");
    const QByteArray before = qgetenv(variable.constData());
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", home);
        qputenv(variable.constData(), before);
    });
    qputenv("HOME", "/home/t");
    if (value.isEmpty())
        qunsetenv(variable.constData());
    else
        qputenv(variable.constData(), value);
    QCOMPARE(variable == "XDG_STATE_HOME" ? RenameJournal::defaultFolder()
                                          : Trash::homeTrashFolder(),
             expected);
}

void RenameJournalTest::damagedJournalIsRefused_data()
{
    QByteArray valid;
    journal::appendHeader(valid, "/f", 2);
    journal::appendStep(valid, everyByte(), "b", FileIdentity{1, 2, 3, 4});
    journal::appendStep(valid, "c", "d", std::nullopt);
    journal::appendEnd(valid);
    const auto parsed = journal::parseJournal(valid);
    QVERIFY(parsed && parsed->folder == "/f" && parsed->steps.size() == 2);
    QCOMPARE(parsed->steps[0].oldName, everyByte());
    QVERIFY(parsed->steps[0].identity == (FileIdentity{1, 2, 3, 4}));
    QVERIFY(!parsed->steps[1].identity);
    QVERIFY(journal::parseJournal(valid + journal::kCompleteMark.toByteArray()));

    QTest::addColumn<QByteArray>("text");
    const auto changed = [&valid](const char* from, const char* to) {
        QByteArray text = valid;
        return text.replace(from, to);
    };
    QTest::newRow("cut before its end") << valid.chopped(4);
    QTest::newRow("fewer steps than counted") << changed("steps 2", "steps 3");
    QTest::newRow("more steps than counted") << changed("steps 2", "steps 1");
    QTest::newRow("broken escape") << changed("%01", "%0G");
    QTest::newRow("raw control byte") << changed("\nc d -\n", "\nc\td -\n");
    QTest::newRow("separator in a name") << changed("\nc d -\n", "\nc%2Fx d -\n");
    QTest::newRow("parent as a name") << changed("\nc d -\n", "\n.. d -\n");
    QTest::newRow("bad identity") << changed(" 1 2 3 4\n", " 1 2 x 4\n");
    QTest::newRow("extra field") << changed("\nc d -\n", "\nc d - x\n");
    QTest::newRow("junk after the end") << valid + "x\n";
    QTest::newRow("unknown version") << changed("journal 1", "journal 2");
}

// A journal that does not read back exactly is never undone: a name with a separator would
// reach outside the folder.
void RenameJournalTest::damagedJournalIsRefused()
{
    QFETCH(QByteArray, text);
    QVERIFY(!journal::parseJournal(text));
}

void RenameJournalTest::undoRestoresWhatHappened_data()
{
    QTest::addColumn<Plan>("plan");
    QTest::newRow("hostile names") << hostilePlan();
    QTest::newRow("chain") << Plan{{"c", "d"}, {"b", "c"}, {"a", "b"}};
    QTest::newRow("swap through a temporary name") << Plan{{"a", "t"}, {"b", "a"}, {"t", "b"}};
}

// The run is cut short after each possible number of renames, including none and all; undo
// then restores exactly those. A run that ended normally is undone the same way.
void RenameJournalTest::undoRestoresWhatHappened()
{
    QFETCH(Plan, plan);
    for (std::size_t renamed = 0; renamed <= plan.size() + 1; ++renamed) {
        const bool complete = renamed > plan.size();
        const std::size_t done = std::min(renamed, plan.size());
        const Files before = createFilesOf(m_folder, plan);
        {
            JournalRun run = journal().begin(m_folder, plan);
            QVERIFY(run.isStarted());
            for (std::size_t i = 0; i < done; ++i)
                QVERIFY(renameStep(m_folder, plan[i]));
            if (complete)
                QVERIFY(run.finish());
        }
        const auto last = journal().lastRun();
        QVERIFY(last);
        QCOMPARE(last->folder, m_folder);
        QCOMPARE(last->steps, plan.size());
        QCOMPARE(last->complete, complete);
        QCOMPARE(journal().interruptedRuns().size(), std::size_t(complete ? 0 : 1));

        const UndoReport report = journal().undo(last->id);
        QCOMPARE(report.status, UndoStatus::Undone);
        QCOMPARE(countOf(report, UndoOutcome::Restored), done);
        QCOMPARE(countOf(report, UndoOutcome::NotRenamed), plan.size() - done);
        QVERIFY2(filesIn(m_folder) == before, qPrintable(QString::number(done)));
        QVERIFY(journal().runs().empty());
    }
}

void RenameJournalTest::undoLeavesOtherFilesAlone_data()
{
    QTest::addColumn<Tampering>("tampering");
    QTest::addColumn<UndoOutcome>("outcome");
    QTest::newRow("edited") << Tampering::Edited << UndoOutcome::Changed;
    QTest::newRow("touched") << Tampering::Touched << UndoOutcome::Changed;
    QTest::newRow("replaced alike") << Tampering::Replaced << UndoOutcome::Changed;
    QTest::newRow("removed") << Tampering::Removed << UndoOutcome::Missing;
    QTest::newRow("old name taken") << Tampering::OldNameTaken << UndoOutcome::OldNameTaken;
}

// After the run something happens to one renamed file; undo leaves that file and whatever took
// its place alone and says why, and restores the other file of the run.
void RenameJournalTest::undoLeavesOtherFilesAlone()
{
    QFETCH(Tampering, tampering);
    QFETCH(UndoOutcome, outcome);
    const Plan plan{{"victim", "moved"}, {"bystander", "bystander moved"}};
    createFilesOf(m_folder, plan);
    JournalRun run = journal().begin(m_folder, plan);
    QVERIFY(run.isStarted());
    for (const Rename& rename : plan)
        QVERIFY(renameStep(m_folder, rename));
    QVERIFY(run.finish());

    const QByteArray moved = m_folder + "/moved";
    struct stat st {};
    QVERIFY(::stat(moved.constData(), &st) == 0);
    const timespec times[] = {st.st_atim, st.st_mtim};
    const timespec later[] = {st.st_atim, {st.st_mtim.tv_sec + 1, st.st_mtim.tv_nsec}};
    switch (tampering) {
    case Tampering::Edited:
        QVERIFY(writeFile(moved, "victim, edited"));
        QVERIFY(::utimensat(AT_FDCWD, moved.constData(), times, 0) == 0);
        break;
    case Tampering::Touched:
        QVERIFY(::utimensat(AT_FDCWD, moved.constData(), later, 0) == 0);
        break;
    case Tampering::Replaced:
        // Same name, content, size and time; only the inode tells it apart.
        QVERIFY(writeFile(moved + ".new", "victim"));
        QVERIFY(::utimensat(AT_FDCWD, (moved + ".new").constData(), times, 0) == 0);
        QVERIFY(::rename((moved + ".new").constData(), moved.constData()) == 0);
        break;
    case Tampering::Removed:
        QVERIFY(::unlink(moved.constData()) == 0);
        break;
    case Tampering::OldNameTaken:
        QVERIFY(writeFile(m_folder + "/victim", "someone else"));
        break;
    }
    Files expected = filesIn(m_folder);
    expected.erase("bystander moved");
    expected["bystander"] = "bystander";

    const UndoReport report = journal().undo(run.id());
    QCOMPARE(report.status, UndoStatus::Undone);
    QCOMPARE(report.steps.size(), std::size_t(2));
    QCOMPARE(report.steps[0].oldName, QByteArray("bystander"));
    QCOMPARE(report.steps[0].outcome, UndoOutcome::Restored);
    QCOMPARE(report.steps[1].outcome, outcome);
    QVERIFY(filesIn(m_folder) == expected);
}

// Runs are undone newest first, one after the other, as far back as the journal keeps them.
void RenameJournalTest::keepsTheLastRuns()
{
    const int runs = int(RenameJournal::kKeptRuns) + 5;
    QVERIFY(writeFile(m_folder + "/f0", "the file"));
    for (int i = 0; i < runs; ++i) {
        const Plan plan{{"f" + QByteArray::number(i), "f" + QByteArray::number(i + 1)}};
        JournalRun run = journal().begin(m_folder, plan);
        QVERIFY(run.isStarted());
        QVERIFY(renameStep(m_folder, plan[0]));
        QVERIFY(run.finish());
    }
    const std::vector<RunInfo> kept = journal().runs();
    QCOMPARE(kept.size(), RenameJournal::kKeptRuns);
    QVERIFY(std::is_sorted(kept.begin(), kept.end(),
                           [](const RunInfo& a, const RunInfo& b) { return a.id > b.id; }));
    std::size_t undone = 0;
    while (const auto last = journal().lastRun()) {
        const UndoReport report = journal().undo(last->id);
        QCOMPARE(report.status, UndoStatus::Undone);
        QCOMPARE(countOf(report, UndoOutcome::Restored), std::size_t(1));
        ++undone;
    }
    QCOMPARE(undone, RenameJournal::kKeptRuns);
    QVERIFY(filesIn(m_folder) == (Files{{"f5", "the file"}}));
}

// Two journals on one folder, in one process and in two processes at once: a run one is doing
// is neither offered nor undone by the other, and the folder keeps exactly the newest runs.
void RenameJournalTest::copiesShareTheJournal()
{
    const RenameJournal first = journal();
    const RenameJournal second = journal();
    const Plan firstPlan{{"a", "a2"}};
    const Plan secondPlan{{"b", "b2"}};
    createFilesOf(m_folder, firstPlan);
    const Files before = createFilesOf(m_folder, secondPlan);

    JournalRun held = first.begin(m_folder, firstPlan);
    QVERIFY(held.isStarted());
    QVERIFY(second.runs().empty());
    QCOMPARE(second.undo(held.id()).status, UndoStatus::InProgress);
    QVERIFY(!second.markComplete(held.id()));
    JournalRun other = second.begin(m_folder, secondPlan);
    QVERIFY(other.isStarted());
    QVERIFY(renameStep(m_folder, secondPlan[0]));
    QVERIFY(other.finish());
    QVERIFY(renameStep(m_folder, firstPlan[0]));
    QVERIFY(held.finish());
    const std::vector<RunInfo> both = first.runs();
    QCOMPARE(both.size(), std::size_t(2));
    QCOMPARE(both[0].id, other.id());
    QCOMPARE(first.undo(other.id()).status, UndoStatus::Undone);
    QCOMPARE(second.undo(held.id()).status, UndoStatus::Undone);
    QVERIFY(filesIn(m_folder) == before);

    const int perCopy = 2 * int(RenameJournal::kKeptRuns);
    pid_t copies[3];
    for (pid_t& copy : copies) {
        copy = ::fork();
        if (copy == 0) {
            bool ok = true;
            for (int i = 0; i < perCopy; ++i) {
                JournalRun run = journal().begin(m_folder, numberedPlan(5));
                ok = ok && run.isStarted() && run.finish();
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (const pid_t copy : copies) {
        int status = 0;
        QCOMPARE(::waitpid(copy, &status, 0), copy);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::vector<RunInfo> kept = journal().runs();
    QCOMPARE(kept.size(), RenameJournal::kKeptRuns);
    QVERIFY(std::all_of(kept.begin(), kept.end(),
                        [](const RunInfo& run) { return run.complete && run.steps == 5; }));
    QCOMPARE(runFilesIn(RenameJournal::defaultFolder()).size(), RenameJournal::kKeptRuns);
}

void RenameJournalTest::recoversARunKilled_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("renamedBeforeKill");
    QTest::newRow("after 37 of 100 renames") << 100 << 37;
    QTest::newRow("while renaming 5000 files") << 5000 << -1;
}

// A child process journals a run and renames, and is killed with SIGKILL: while it lives its
// run is not taken for one cut short; once it is dead, the run is found and undone exactly.
void RenameJournalTest::recoversARunKilled()
{
    QFETCH(int, files);
    QFETCH(int, renamedBeforeKill);
    const Plan plan = numberedPlan(files);
    const Files before = createFilesOf(m_folder, plan);
    int ready[2];
    QVERIFY(::pipe(ready) == 0);
    const pid_t child = ::fork();
    if (child == 0) {
        JournalRun run = journal().begin(m_folder, plan);
        const qint64 id = run.isStarted() ? run.id() : 0;
        const auto report = [&] { (void)!::write(ready[1], &id, sizeof id); };
        if (renamedBeforeKill < 0)
            report();
        const std::size_t renames =
            renamedBeforeKill < 0 ? plan.size() : std::size_t(renamedBeforeKill);
        for (std::size_t i = 0; i < renames; ++i)
            renameStep(m_folder, plan[i]);
        if (renamedBeforeKill >= 0)
            report();
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    qint64 id = 0;
    const bool told = ::read(ready[0], &id, sizeof id) == sizeof id;
    ::close(ready[0]);
    const bool offeredWhileRunning = !journal().interruptedRuns().empty();
    const UndoStatus undoWhileRunning = journal().undo(id).status;
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    QVERIFY(told && id != 0);
    QVERIFY(!offeredWhileRunning);
    QCOMPARE(undoWhileRunning, UndoStatus::InProgress);

    const std::vector<RunInfo> cut = journal().interruptedRuns();
    QCOMPARE(cut.size(), std::size_t(1));
    QCOMPARE(cut[0].id, id);
    QCOMPARE(cut[0].steps, plan.size());
    const UndoReport report = journal().undo(id);
    QCOMPARE(report.status, UndoStatus::Undone);
    if (renamedBeforeKill >= 0)
        QCOMPARE(countOf(report, UndoOutcome::Restored), std::size_t(renamedBeforeKill));
    QCOMPARE(countOf(report, UndoOutcome::Restored) + countOf(report, UndoOutcome::NotRenamed),
             plan.size());
    QVERIFY(filesIn(m_folder) == before);
}

void RenameJournalTest::unwritableJournalStopsTheRun_data()
{
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addColumn<JournalError>("error");
    QTest::addColumn<int>("errorNumber");
    QTest::newRow("a file where the folder goes")
        << Obstacle::FileInTheWay << JournalError::JournalUnwritable << ENOTDIR;
    QTest::newRow("full volume") << Obstacle::FullVolume << JournalError::JournalUnwritable
                                 << ENOSPC;
    QTest::newRow("read-only volume")
        << Obstacle::ReadOnlyVolume << JournalError::JournalUnwritable << EROFS;
    QTest::newRow("folder of the files gone")
        << Obstacle::FolderGone << JournalError::FolderUnavailable << ENOENT;
}

// A run that cannot be journaled does not start, and leaves no half-written run behind.
void RenameJournalTest::unwritableJournalStopsTheRun()
{
    QFETCH(Obstacle, obstacle);
    QFETCH(JournalError, error);
    QFETCH(int, errorNumber);
    QByteArray journalFolder = m_root + "/state/vornak";
    QByteArray folder = m_folder;
    Plan plan = numberedPlan(10);
    createFilesOf(m_folder, plan);
    std::unique_ptr<test::TestMount> mount;
    if (obstacle == Obstacle::FullVolume || obstacle == Obstacle::ReadOnlyVolume) {
        mount = std::make_unique<test::TestMount>(test::TestMount::Kind::Tmpfs, 64 * 1024);
        VORNAK_REQUIRE_MOUNT(*mount);
        journalFolder = mount->root() + "/vornak";
    }
    switch (obstacle) {
    case Obstacle::FileInTheWay:
        QVERIFY(writeFile(m_root + "/blocker", {}));
        journalFolder = m_root + "/blocker/vornak";
        break;
    case Obstacle::FullVolume:
        for (int i = 0; i < 2000; ++i)
            plan.push_back({QByteArray(200, 'a') + QByteArray::number(i), "b"});
        break;
    case Obstacle::ReadOnlyVolume:
        QCOMPARE(QProcess::execute(QStringLiteral("mount"),
                                   {QStringLiteral("-o"), QStringLiteral("remount,ro"),
                                    QFile::decodeName(mount->root())}),
                 0);
        break;
    case Obstacle::FolderGone:
        folder = m_root + "/gone";
        break;
    }
    const RenameJournal unwritable(journalFolder);
    const JournalRun run = unwritable.begin(folder, plan);
    QVERIFY(!run.isStarted());
    QCOMPARE(run.error(), error);
    QCOMPARE(run.errorNumber(), errorNumber);
    QVERIFY(unwritable.runs().empty());
    QVERIFY(runFilesIn(journalFolder).empty());
}

QTEST_GUILESS_MAIN(RenameJournalTest)
#include "RenameJournalTest.moc"
