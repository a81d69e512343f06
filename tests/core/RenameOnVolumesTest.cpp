#include "core/fs/OpenFolder.h"
#include "core/plan/RenamePlan.h"
#include "core/run/RenameJournal.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <memory>

using namespace vornak;
using namespace Qt::StringLiterals;
using vornak::test::TestMount;

Q_DECLARE_METATYPE(vornak::RenameOutcome)

// The renames of a run on real volumes that have neither the no-replace flag nor hard links
// and ignore letter case: exFAT through FUSE, and FAT in the kernel where it has one. Each row
// runs in a folder of its own: every file holds its first name, the wanted renames ("old>new")
// go through the plan in one open folder, and the folder must then hold exactly the state
// (nothing stray, such as a placeholder or a .fuse_hidden file). The journaled run is undone,
// once cut short before its first rename and once after all, and each time the folder holds
// exactly what it held before.
class RenameOnVolumesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void renamesOnExfatFuse_data() { addRows(TestMount::Kind::ExfatFuse); }
    void renamesOnExfatFuse() { renameOn(m_exfat, TestMount::Kind::ExfatFuse); }
    void renamesOnKernelVfat_data() { addRows(TestMount::Kind::KernelVfat); }
    void renamesOnKernelVfat() { renameOn(m_vfat, TestMount::Kind::KernelVfat); }

private:
    static void addRows(TestMount::Kind kind);
    void renameOn(std::unique_ptr<TestMount>& mount, TestMount::Kind kind);

    // Mounted at the first row that needs it, for all rows.
    std::unique_ptr<TestMount> m_exfat;
    std::unique_ptr<TestMount> m_vfat;
    int m_rows = 0;
};

void RenameOnVolumesTest::addRows(TestMount::Kind kind)
{
    QTest::addColumn<QByteArray>("files");
    QTest::addColumn<QByteArray>("wanted");
    QTest::addColumn<QList<RenameOutcome>>("outcomes");
    QTest::addColumn<QByteArray>("state");
    using O = RenameOutcome;
    const QByteArray cjk255 = QByteArray("中").repeated(85);
    QTest::newRow("chain, case only, prefix, taken, taken in another spelling")
        << "IMG.JPG|b.JPG|a|x(1)|note.txt|keep.txt|other.txt|NEW.TXT|old.txt"_ba
        << "IMG.JPG>IMG.jpg|b.JPG>b.jpg|a>x(1)|x(1)>x(2)|note.txt>trip_note.txt|"
           "other.txt>keep.txt|old.txt>new.txt"_ba
        << QList<O>{O::Renamed, O::Renamed,      O::Renamed,     O::Renamed,
                    O::Renamed, O::TargetExists, O::TargetExists}
        << "IMG.jpg=IMG.JPG|NEW.TXT=NEW.TXT|b.jpg=b.JPG|keep.txt=keep.txt|old.txt=old.txt|"
           "other.txt=other.txt|trip_note.txt=note.txt|x(1)=a|x(2)=x(1)"_ba;
    QTest::newRow("hostile names")
        << "-rf $HOME &^%!.txt|a.txt"_ba
        << "-rf $HOME &^%!.txt>前缀 😀 -rf $HOME &^%!.txt|a.txt>" + cjk255
        << QList<O>{O::Renamed, O::Renamed}
        << cjk255 + "=a.txt|前缀 😀 -rf $HOME &^%!.txt=-rf $HOME &^%!.txt";
    // exfat-fuse answers ENOENT for these while the file is there, and EILSEQ for bytes that
    // are not UTF-8.
    if (kind == TestMount::Kind::ExfatFuse)
        QTest::newRow("names exFAT cannot store, too long, and gone")
            << "a.txt|b.txt|c.txt|d.txt|e.txt|f.txt"_ba
            << "a.txt>a:b.txt|b.txt>why?.txt|c.txt>say \"hi\".txt|d.txt>line\nbreak.txt|"
               "e.txt>caf\xe9.txt|f.txt>" +
                   QByteArray(256, 'n') + "|ghost.txt>new.txt"
            << QList<O>{O::NameNotAllowed, O::NameNotAllowed, O::NameNotAllowed, O::NameNotAllowed,
                        O::NameNotAllowed, O::NameTooLong,    O::SourceGone}
            << "a.txt=a.txt|b.txt=b.txt|c.txt=c.txt|d.txt=d.txt|e.txt=e.txt|f.txt=f.txt"_ba;
}

void RenameOnVolumesTest::renameOn(std::unique_ptr<TestMount>& mount, TestMount::Kind kind)
{
    QFETCH(QByteArray, files);
    QFETCH(QByteArray, wanted);
    QFETCH(QList<RenameOutcome>, outcomes);
    QFETCH(QByteArray, state);
    if (!mount)
        mount = std::make_unique<TestMount>(kind);
    VORNAK_REQUIRE_MOUNT(*mount);
    const QByteArray path = mount->root() + "/row" + QByteArray::number(++m_rows);
    QVERIFY(::mkdir(path.constData(), 0755) == 0);
    for (const QByteArray& name : files.split('|'))
        QVERIFY(test::writeFile(path + '/' + name, name));
    std::vector<Rename> renames;
    for (const QByteArray& rename : wanted.split('|'))
        renames.push_back({rename.split('>')[0], rename.split('>')[1]});
    const std::vector<Rename> plan = planRenames(renames);
    const QByteArrayList initial = test::folderState(path);
    const QTemporaryDir journalFolder;
    const RenameJournal journal(QFile::encodeName(journalFolder.path()));
    // Only the folder's listing tells which spelling it holds: stat on a volume that ignores
    // case finds the file under the new one too.
    const auto undoneExactly = [&](qint64 runId) {
        const UndoReport report = journal.undo(runId);
        for (const UndoStep& step : report.steps)
            if (step.outcome != UndoOutcome::Restored && step.outcome != UndoOutcome::NotRenamed)
                return false;
        return report.status == UndoStatus::Undone && test::folderState(path) == initial;
    };
    qint64 cutBeforeTheFirstRename = 0;
    {
        const JournalRun cut = journal.begin(path, plan);
        cutBeforeTheFirstRename = cut.id();
    }
    QVERIFY(undoneExactly(cutBeforeTheFirstRename));

    QHash<QByteArray, RenameOutcome> got;
    JournalRun run = journal.begin(path, plan);
    QVERIFY(run.isStarted());
    {
        OpenFolder folder(path);
        for (const Rename& rename : plan)
            got.insert(rename.oldName,
                       folder.renameNoReplace(rename.oldName, rename.newName).outcome);
    }
    const qint64 runId = run.id();
    QVERIFY(run.finish(std::size_t(std::count(got.cbegin(), got.cend(), RenameOutcome::Renamed))));
    QList<RenameOutcome> inListOrder;
    for (const Rename& rename : renames)
        inListOrder.append(got.value(rename.oldName, RenameOutcome::Other));
    QCOMPARE(inListOrder, outcomes);
    QCOMPARE(test::folderState(path), state.split('|'));
    QVERIFY(undoneExactly(runId));
}

QTEST_GUILESS_MAIN(RenameOnVolumesTest)
#include "RenameOnVolumesTest.moc"
