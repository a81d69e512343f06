#include "core/run/RenameJournal.h"
#include "core/fs/FileDescriptor.h"
#include "core/fs/OpenFolder.h"
#include "core/run/JournalFormat.h"
#include "core/run/RenameJob.h"
#include "core/trash/Trash.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
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

Q_DECLARE_METATYPE(Plan)
Q_DECLARE_METATYPE(vornak::UndoOutcome)
Q_DECLARE_METATYPE(vornak::KeptReason)
Q_DECLARE_METATYPE(vornak::test::TestMount::Kind)

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

    // The journal and the trash go where the XDG base folders say.
    void baseFolders_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char* tag, const char* variable, const char* value,
                            const char* expected) {
            QTest::newRow(tag) << QByteArray(variable) << QByteArray(value) << QByteArray(expected);
        };
        row("state", "XDG_STATE_HOME", "/x/st", "/x/st/vornak");
        row("state relative, ignored", "XDG_STATE_HOME", "x/st", "/home/t/.local/state/vornak");
        row("data", "XDG_DATA_HOME", "/x/d", "/x/d/Trash");
        row("data unset", "XDG_DATA_HOME", "", "/home/t/.local/share/Trash");
    }
    void baseFolders()
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
        qputenv(variable.constData(), value);
        QCOMPARE(variable == "XDG_STATE_HOME" ? RenameJournal::defaultFolder()
                                              : Trash::homeTrashFolder(),
                 expected);
    }

    void damagedJournalIsRefused_data()
    {
        const FileIdentity inode{1, 2, 3, 4, IdentityKind::Inode, std::nullopt};
        const FileIdentity content{0, 0, 3, 4, IdentityKind::Content, 0xfedcba9876543210};
        // A journal of the run "/f" counting counted steps, with one more step of lastName.
        const auto written = [&](std::size_t counted, QByteArrayView lastName,
                                 QByteArrayView subfolder = {}) {
            QByteArray text;
            journal::appendHeader(text, "/f", counted);
            journal::appendStep(text, StepKind::Rename, {}, everyByte(), "b", inode);
            journal::appendStep(text, StepKind::PlaceholderMade, "x/y", "c", "d", content);
            journal::appendStep(text, StepKind::ThroughTemporary, subfolder, lastName, "f",
                                std::nullopt);
            journal::appendEnd(text);
            return text;
        };
        const QByteArray valid = written(3, "e");
        const QByteArray tallied = valid + journal::completeMark(2, {7, true});
        QVERIFY(journal::parseJournal(tallied));
        QCOMPARE(journal::stateOf(tallied.right(journal::kLongestTail), 2), JournalState::Complete);
        const RunTally tally = journal::tallyOf(tallied.right(journal::kLongestTail), 2);
        QVERIFY(tally.files == 7u && tally.lastUndoRestoredNone);
        const auto parsed = journal::parseJournal(valid + journal::completeMark(2));
        QVERIFY(parsed && parsed->folder == "/f" && parsed->steps.size() == 3);
        QCOMPARE(parsed->steps[0].oldName, everyByte());
        QVERIFY(parsed->steps[0].identity == inode && parsed->steps[1].identity == content);
        QCOMPARE(parsed->steps[1].subfolder, "x/y"_ba);
        QCOMPARE(parsed->steps[1].kind, StepKind::PlaceholderMade);
        QVERIFY(!parsed->steps[2].identity && parsed->steps[2].subfolder.isEmpty());
        const QByteArray oldRun = "vornak-rename-journal 1\nfolder /f\nsteps 2\nb%20a c 1 2 3 4\n"
                                  "c d -\nend\n"_ba;

        QTest::addColumn<QByteArray>("text");
        QTest::newRow("cut before its end") << valid.chopped(4);
        QTest::newRow("cut to half") << valid.first(valid.size() / 2);
        QTest::newRow("a byte changed") << QByteArray(valid).replace("%01", "%02");
        QTest::newRow("length changed") << QByteArray(valid).replace("\n00000003 ", "\n00000004 ");
        QTest::newRow("fewer steps than counted") << written(4, "e");
        QTest::newRow("more steps than counted") << written(2, "e");
        QTest::newRow("separator in a name") << written(3, "c/x");
        QTest::newRow("parent as a name") << written(3, "..");
        QTest::newRow("folder reaching up") << written(3, "e", "x/../..");
        QTest::newRow("junk after the end") << valid + "x\n";
        QTest::newRow("tally changed") << QByteArray(tallied).replace(" 7 ", " 8 ");
        QTest::newRow("unknown version") << QByteArray(valid).replace("journal 2", "journal 3");
        QTest::newRow("first format, cut") << oldRun.chopped(4);
        QTest::newRow("first format, bad identity") << QByteArray(oldRun).replace(" 3 ", " x ");
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

    // Something happens to the files or their volume after a run of a.txt to b.txt, then c.txt
    // to d.txt (cut short after renamed steps, or whole when renamed is -1). Undo restores only
    // what is still the file renamed, and tells step by step, the last first: R restored, N not
    // renamed, C changed, M missing, T old name taken, F failed, P placeholder removed, K
    // placeholder kept. A run with files left stays, with those steps; once what blocked them
    // is undone, the next undo finishes them and only then the run leaves the journal.
    void undoesOnlyTheFilesOfTheRun_data()
    {
        QTest::addColumn<QByteArray>("volume");
        QTest::addColumn<QByteArray>("change");
        QTest::addColumn<int>("renamed");
        QTest::addColumn<QByteArray>("outcomes");
        QTest::addColumn<QByteArray>("state");
        const auto row = [](const char* tag, const char* volume, const char* change, int renamed,
                            const char* outcomes, const char* state) {
            QTest::newRow(tag) << QByteArray(volume) << QByteArray(change) << renamed
                               << QByteArray(outcomes) << QByteArray(state);
        };
        const char* restored = "a.txt=a.txt|c.txt=c.txt";
        row("edited", "", "edited", -1, "CR", "a.txt=a.txt|d.txt=edited");
        row("touched", "", "touched", -1, "CR", "a.txt=a.txt|d.txt=c.txt");
        row("every file touched", "", "all touched", -1, "CC", "b.txt=a.txt|d.txt=c.txt");
        row("replaced alike", "", "replaced", -1, "CR", "a.txt=a.txt|d.txt=c.txt");
        row("removed", "", "removed", -1, "MR", "a.txt=a.txt");
        row("old name taken", "", "taken", -1, "TR", "a.txt=a.txt|c.txt=someone else|d.txt=c.txt");
        row("refused by a read-only volume", "tmpfs", "read-only", -1, "FF",
            "b.txt=a.txt|d.txt=c.txt");
        // Inode numbers do not last on FAT volumes: files of equal size and time are told apart
        // by their first bytes, and when they trade names neither is moved back.
        row("exFAT mounted again", "exfat", "", -1, "RR", restored);
        row("exFAT, alike files traded names", "exfat", "traded", -1, "CC",
            "b.txt=c.txt|d.txt=a.txt");
        row("FAT mounted again", "fat", "", -1, "RR", restored);
        // On exFAT a rename claims the new name with an empty file first. A run killed between
        // the two leaves that file: undo removes it while it is the empty file made since the
        // run began at the step the run stopped at, and tells of it once it has been written to.
        row("the empty file made", "exfat", "made", 1, "NPRN", restored);
        row("the empty file written to since", "exfat", "written", 1, "NKRN",
            "a.txt=a.txt|c.txt=c.txt|d.txt=data");
        row("an empty file from before the run", "exfat", "older", 1, "NNRN",
            "a.txt=a.txt|c.txt=c.txt|d.txt=");
        row("an empty file, the run cut before the step", "exfat", "untouched", 0, "NNNN",
            "a.txt=a.txt|c.txt=c.txt|d.txt=");
        row("the file moved over it", "exfat", "", 2, "RNRN", restored);
    }
    void undoesOnlyTheFilesOfTheRun()
    {
        QFETCH(QByteArray, volume);
        QFETCH(QByteArray, change);
        QFETCH(int, renamed);
        QFETCH(QByteArray, outcomes);
        QFETCH(QByteArray, state);
        using Kind = test::TestMount::Kind;
        std::optional<test::TestMount> mount;
        if (!volume.isEmpty()) {
            mount.emplace(volume == "exfat" ? Kind::ExfatFuse
                          : volume == "fat" ? Kind::KernelVfat
                                            : Kind::Tmpfs,
                          16 << 20);
            VORNAK_REQUIRE_MOUNT(*mount);
        }
        const QByteArray folder = mount ? mount->root() : m_folder;
        const Plan plan{{"a.txt", "b.txt"}, {"c.txt", "d.txt"}};
        const QByteArrayList before = createFilesOf(folder, plan);
        const QByteArray b = folder + "/b.txt";
        const QByteArray d = folder + "/d.txt";
        // Moves the times of d.txt, or of every renamed file, on by shift seconds.
        const auto shiftTimes = [&](long shift) {
            for (const QByteArray& path :
                 change == "all touched" ? QByteArrayList{b, d} : QByteArrayList{d}) {
                struct stat st {};
                QVERIFY(::stat(path.constData(), &st) == 0);
                const timespec times[] = {st.st_atim,
                                          {st.st_mtim.tv_sec + shift, st.st_mtim.tv_nsec}};
                QVERIFY(::utimensat(AT_FDCWD, path.constData(), times, 0) == 0);
            }
        };
        const timespec anHourAgo[] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        if (change == "older" || change == "untouched")
            QVERIFY(writeFile(d, {}) && (change == "untouched" ||
                                         ::utimensat(AT_FDCWD, d.constData(), anHourAgo, 0) == 0));
        for (const char* twin : {"/a.txt", "/c.txt"})
            QVERIFY(change != "traded" ||
                    ::utimensat(AT_FDCWD, (folder + twin).constData(), anHourAgo, 0) == 0);

        const qint64 id = journaledRun(
            folder, plan, renamed < 0 ? plan.size() : std::size_t(renamed), renamed < 0);
        QVERIFY(id);
        struct stat st {};
        QVERIFY(renamed >= 0 || ::stat(d.constData(), &st) == 0);
        const timespec times[] = {st.st_atim, st.st_mtim};
        if (change == "edited") {
            QVERIFY(writeFile(d, "edited") && ::utimensat(AT_FDCWD, d.constData(), times, 0) == 0);
        } else if (change.endsWith("touched")) {
            shiftTimes(1);
        } else if (change == "replaced") {
            // Same name, content, size and time; only the inode tells it apart.
            QVERIFY(writeFile(d + ".new", "c.txt") &&
                    ::utimensat(AT_FDCWD, (d + ".new").constData(), times, 0) == 0 &&
                    ::rename((d + ".new").constData(), d.constData()) == 0);
        } else if (change == "removed") {
            QVERIFY(::unlink(d.constData()) == 0);
        } else if (change == "taken") {
            QVERIFY(writeFile(folder + "/c.txt", "someone else"));
        } else if (change == "made" || change == "written") {
            QVERIFY(writeFile(d, change == "written" ? "data" : ""));
        } else if (change == "traded") {
            QVERIFY(::rename(b.constData(), (b + "~").constData()) == 0 &&
                    ::rename(d.constData(), b.constData()) == 0 &&
                    ::rename((b + "~").constData(), d.constData()) == 0);
        } else if (change == "read-only") {
            QCOMPARE(QProcess::execute("mount", {"-o", "remount,ro", QFile::decodeName(folder)}),
                     0);
        }
        QVERIFY(volume == "tmpfs" || !mount || mount->remount());

        const UndoReport report = defaultJournal().undo(id);
        QCOMPARE(report.status, UndoStatus::Undone);
        QByteArray got;
        for (const UndoStep& step : report.steps) {
            got += "RNCMTFPK"[int(step.outcome)];
            QCOMPARE(isTold(step), QByteArray("CMTFK").contains(got.back()));
            QVERIFY(step.outcome != UndoOutcome::Failed || step.error == EROFS);
        }
        QCOMPARE(got, outcomes);
        QCOMPARE(test::folderState(folder), state.split('|'));
        const std::size_t left =
            std::size_t(std::count_if(got.begin(), got.end(), [](char outcome) {
                return QByteArray("CMTF").contains(outcome);
            }));
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

        if (change == "taken")
            QVERIFY(::unlink((folder + "/c.txt").constData()) == 0);
        else if (change.endsWith("touched"))
            shiftTimes(-1);
        else
            return;
        const UndoReport second = defaultJournal().undo(id);
        QCOMPARE(second.steps.size(), left);
        QCOMPARE(countOf(second, UndoOutcome::Restored), left);
        QCOMPARE(test::folderState(folder), before);
        QVERIFY(defaultJournal().runs().empty());
    }

    // The newest run's journal cut to half its length is offered as damaged, not passed over
    // for the run before it; its undo touches nothing and deletes no journal, and the run
    // before is offered next.
    void damagedRunIsReported()
    {
        const Plan plan = numberedPlan(20);
        createFilesOf(m_folder, plan);
        std::vector<qint64> ids;
        for (const bool back : {false, true}) {
            Plan steps = plan;
            if (back)
                for (Rename& step : steps)
                    step = {step.newName, step.oldName + " again"};
            ids.push_back(journaledRun(m_folder, steps, steps.size()));
            QVERIFY(ids.back());
        }
        const QByteArrayList renamed = test::folderState(m_folder);
        const QByteArray folder = RenameJournal::defaultFolder() + '/';
        const QByteArray newest = folder + QByteArray::number(ids[1]).rightJustified(20, '0');
        struct stat st {};
        QVERIFY(::stat((newest + ".run").constData(), &st) == 0 &&
                ::truncate((newest + ".run").constData(), st.st_size / 2) == 0);

        const auto last = defaultJournal().lastRun();
        QVERIFY(last && last->id == ids[1] && last->damaged);
        QVERIFY(defaultJournal().interruptedRuns().empty());
        QCOMPARE(defaultJournal().undo(ids[1]).status, UndoStatus::JournalUnreadable);
        QCOMPARE(test::folderState(m_folder), renamed);
        QVERIFY(::access((newest + ".run.damaged").constData(), F_OK) == 0);
        const auto older = defaultJournal().lastRun();
        QVERIFY(older && older->id == ids[0] && !older->damaged);
        QCOMPARE(countOf(defaultJournal().undo(ids[0]), UndoOutcome::Missing), plan.size());
        QCOMPARE(runFilesIn(folder), 1u);
    }

    // A run journaled in the first format, before checksums and step kinds, is still undone.
    void firstFormatIsUndone()
    {
        QVERIFY(writeFile(m_folder + "/two", "one"));
        struct stat st {};
        QVERIFY(::lstat((m_folder + "/two").constData(), &st) == 0);
        const QByteArray identity =
            QByteArrayList{
                QByteArray::number(st.st_dev), QByteArray::number(st.st_ino),
                QByteArray::number(st.st_size),
                QByteArray::number(qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec)}
                .join(' ');
        QVERIFY(QDir().mkpath(QFile::decodeName(RenameJournal::defaultFolder())));
        QVERIFY(writeFile(RenameJournal::defaultFolder() + "/00000000000000000007.run",
                          "vornak-rename-journal 1\nfolder " +
                              QByteArray(m_folder).replace(' ', "%20").replace('\n', "%0A") +
                              "\nsteps 1\none two " + identity + "\nend\n"));
        const auto last = defaultJournal().lastRun();
        QVERIFY(last && last->id == 7 && !last->complete && last->steps == 1);
        QVERIFY(defaultJournal().markComplete(7));
        QVERIFY(defaultJournal().interruptedRuns().empty());
        QCOMPARE(countOf(defaultJournal().undo(7), UndoOutcome::Restored), std::size_t(1));
        QCOMPARE(test::folderState(m_folder), QByteArrayList{"one=one"});
        QVERIFY(defaultJournal().runs().empty());
    }

    void runCountsTheFilesItMoved_data()
    {
        QTest::addColumn<QByteArrayList>("taken");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<int>("files");
        QTest::newRow("all renamed") << QByteArrayList{} << false << 3;
        QTest::newRow("a new name taken meanwhile") << QByteArrayList{"d"} << false << 2;
        QTest::newRow("every new name taken") << QByteArrayList{"b", "d"} << false << 0;
        QTest::newRow("cancelled before the first") << QByteArrayList{} << true << 0;
    }
    // The journal counts the files a run moved, not those it planned; a run that moved none has
    // nothing to undo: it is neither offered nor kept. A file whose new name is the old name of
    // one kept waits on it.
    void runCountsTheFilesItMoved()
    {
        QFETCH(QByteArrayList, taken);
        QFETCH(bool, cancelled);
        QFETCH(int, files);
        const Plan plan{{"a", "b"}, {"e", "a"}, {"c", "d"}};
        createFilesOf(m_folder, plan);
        for (const QByteArray& name : taken)
            QVERIFY(writeFile(m_folder + '/' + name, "someone else's"));
        JobControl control;
        if (cancelled)
            control.requestStop();
        const RunRecord record = runJob(defaultJournal(), {m_folder, plan, {}, {}}, &control);
        QCOMPARE(record.renamedCount, std::size_t(files));
        for (const KeptFile& kept : record.kept)
            if (kept.oldName == "e")
                QCOMPARE(kept.reason, cancelled ? KeptReason::Cancelled : KeptReason::WaitsOnFile);
        const auto last = defaultJournal().lastRun();
        QCOMPARE(last ? last->files : std::nullopt,
                 files ? std::optional(std::size_t(files)) : std::nullopt);
        const JournalRun next = defaultJournal().begin(m_folder, plan);
        QCOMPARE(runFilesIn(RenameJournal::defaultFolder()), std::size_t(files ? 2 : 1));
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

    // Runs are undone newest first, one after the other, as far back as the journal keeps them.
    void keepsTheLastRuns()
    {
        QVERIFY(writeFile(m_folder + "/f0", "the file"));
        for (int i = 0; i < int(RenameJournal::kKeptRuns) + 5; ++i) {
            QVERIFY(journaledRun(
                m_folder, {{"f" + QByteArray::number(i), "f" + QByteArray::number(i + 1)}}, 1));
        }
        const std::vector<RunInfo> kept = defaultJournal().runs();
        QVERIFY(std::is_sorted(kept.begin(), kept.end(),
                               [](const RunInfo& a, const RunInfo& b) { return a.id > b.id; }));
        std::size_t undone = 0;
        for (; const auto last = defaultJournal().lastRun(); ++undone)
            QCOMPARE(countOf(defaultJournal().undo(last->id), UndoOutcome::Restored),
                     std::size_t(1));
        QCOMPARE(undone, RenameJournal::kKeptRuns);
        QCOMPARE(test::folderState(m_folder), QByteArrayList{"f5=the file"});
    }

    // Three processes journal runs at once: the folder keeps exactly the newest runs.
    void copiesShareTheJournal()
    {
        pid_t copies[3];
        for (pid_t& copy : copies) {
            if ((copy = ::fork()) != 0)
                continue;
            bool ok = true;
            for (std::size_t i = 0; i < 2 * RenameJournal::kKeptRuns; ++i) {
                JournalRun run = defaultJournal().begin(m_folder, numberedPlan(5));
                ok = ok && run.isStarted() && run.finish(5);
            }
            ::_exit(ok ? 0 : 1);
        }
        for (const pid_t copy : copies) {
            int status = 0;
            QCOMPARE(::waitpid(copy, &status, 0), copy);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const std::vector<RunInfo> kept = defaultJournal().runs();
        QCOMPARE(kept.size(), RenameJournal::kKeptRuns);
        QVERIFY(std::all_of(kept.begin(), kept.end(),
                            [](const RunInfo& run) { return run.complete && run.steps == 5; }));
        QCOMPARE(runFilesIn(RenameJournal::defaultFolder()), RenameJournal::kKeptRuns);
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

    void unwritableJournalStopsTheRun_data()
    {
        QTest::addColumn<QByteArray>("obstacle");
        QTest::addColumn<int>("errorNumber");
        QTest::newRow("a file where the folder goes") << "file"_ba << ENOTDIR;
        QTest::newRow("full volume") << "full"_ba << ENOSPC;
        QTest::newRow("read-only volume") << "read-only"_ba << EROFS;
        QTest::newRow("read-only volume, a folder above missing") << "read-only above"_ba << EROFS;
        QTest::newRow("read-only volume, the folder there") << "read-only there"_ba << EROFS;
        QTest::newRow("folder of the files gone") << "gone"_ba << ENOENT;
    }
    // A run that cannot be journaled does not start, and leaves no half-written run behind.
    void unwritableJournalStopsTheRun()
    {
        QFETCH(QByteArray, obstacle);
        QFETCH(int, errorNumber);
        QByteArray journalFolder = m_root + "/blocker/vornak";
        QByteArray folder = m_folder;
        Plan plan = numberedPlan(10);
        createFilesOf(m_folder, plan);
        test::TestMount mount(test::TestMount::Kind::Tmpfs, 64 * 1024);
        const bool readOnly = obstacle.startsWith("read-only");
        if (obstacle == "full" || readOnly) {
            VORNAK_REQUIRE_MOUNT(mount);
            journalFolder =
                mount.root() + (obstacle.endsWith("above") ? "/state/vornak" : "/vornak");
        }
        if (obstacle.endsWith("there"))
            QVERIFY(QDir().mkdir(QFile::decodeName(journalFolder)));
        if (obstacle == "file") {
            QVERIFY(writeFile(m_root + "/blocker", {}));
        } else if (obstacle == "full") {
            for (int i = 0; i < 2000; ++i)
                plan.push_back({QByteArray(200, 'a') + QByteArray::number(i), "b"});
        } else if (readOnly) {
            QCOMPARE(
                QProcess::execute("mount", {"-o", "remount,ro", QFile::decodeName(mount.root())}),
                0);
        } else {
            folder = m_root + "/gone";
        }
        const RenameJournal unwritable(journalFolder);
        const JournalRun run = unwritable.begin(folder, plan);
        QVERIFY(!run.isStarted());
        QCOMPARE(run.error(), obstacle == "gone" ? JournalError::FolderUnavailable
                                                 : JournalError::JournalUnwritable);
        QCOMPARE(run.errorNumber(), errorNumber);
        QVERIFY(unwritable.runs().empty());
        QCOMPARE(runFilesIn(journalFolder), 0u);
    }
};

QTEST_GUILESS_MAIN(RenameJournalTest)
#include "RenameJournalTest.moc"
