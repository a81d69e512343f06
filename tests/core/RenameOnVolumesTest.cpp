#include "core/OpenFolder.h"
#include "core/RenameJournal.h"
#include "core/RenamePlan.h"
#include "support/MountedImage.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace vornak;
using vornak::test::MountedImage;

Q_DECLARE_METATYPE(vornak::RenameOutcome)

namespace {

const QByteArray kCjk255 = QByteArray("中").repeated(85);

// Runs the rows on a volume in subfolders of its own, one per row: every file holds its first
// name, the wanted renames ("old>new", "|" between them) go through the plan in one open
// folder, and the folder must hold exactly the state afterwards (nothing stray, such as a
// placeholder or a .fuse_hidden file). The journaled run is undone, before any rename and
// after all, and each time the folder holds exactly what it held before.
void addRows(MountedImage::Kind kind)
{
    QTest::addColumn<QByteArray>("files");
    QTest::addColumn<QByteArray>("wanted");
    QTest::addColumn<QList<RenameOutcome>>("outcomes");
    QTest::addColumn<QByteArray>("state");
    using O = RenameOutcome;
    const auto row = [](const char* tag, const QByteArray& files, const QByteArray& wanted,
                        QList<O> outcomes, const QByteArray& state) {
        QTest::newRow(tag) << files << wanted << outcomes << state;
    };
    row("batch with a prefix", "a.txt|b.txt|c.txt",
        "a.txt>trip_a.txt|b.txt>trip_b.txt|c.txt>trip_c.txt", {O::Renamed, O::Renamed, O::Renamed},
        "trip_a.txt=a.txt|trip_b.txt=b.txt|trip_c.txt=c.txt");
    row("renumbering chain", "a|x(1)|x(2)", "a>x(1)|x(1)>x(2)|x(2)>x(3)",
        {O::Renamed, O::Renamed, O::Renamed}, "x(1)=a|x(2)=x(1)|x(3)=x(2)");
    row("case only", "photo.JPG|b.JPG", "photo.JPG>photo.jpg|b.JPG>b.jpg", {O::Renamed, O::Renamed},
        "b.jpg=b.JPG|photo.jpg=photo.JPG");
    row("existing target stays", "new.txt|old.txt", "old.txt>new.txt", {O::TargetExists},
        "new.txt=new.txt|old.txt=old.txt");
    row("target under another spelling stays", "NEW.TXT|old.txt", "old.txt>new.txt",
        {O::TargetExists}, "NEW.TXT=NEW.TXT|old.txt=old.txt");
    row("one batch of all", "IMG.JPG|a|x(1)|note.txt|keep.txt|other.txt",
        "IMG.JPG>IMG.jpg|a>x(1)|x(1)>x(2)|note.txt>trip_note.txt|other.txt>keep.txt",
        {O::Renamed, O::Renamed, O::Renamed, O::Renamed, O::TargetExists},
        "IMG.jpg=IMG.JPG|keep.txt=keep.txt|other.txt=other.txt|trip_note.txt=note.txt|x(1)=a|"
        "x(2)=x(1)");
    row("hostile names", "-rf $HOME &^%!.txt|a.txt",
        "-rf $HOME &^%!.txt>前缀 😀 -rf $HOME &^%!.txt|a.txt>" + kCjk255, {O::Renamed, O::Renamed},
        kCjk255 + "=a.txt|前缀 😀 -rf $HOME &^%!.txt=-rf $HOME &^%!.txt");
    if (kind != MountedImage::Kind::ExfatFuse)
        return;
    // exfat-fuse answers ENOENT for these while the file is there, and EILSEQ for bytes that
    // are not UTF-8.
    row("names exFAT cannot store", "a.txt|b.txt|c.txt|d.txt|e.txt",
        "a.txt>a:b.txt|b.txt>why?.txt|c.txt>say \"hi\".txt|d.txt>line\nbreak.txt|e.txt>caf\xe9.txt",
        {O::NameNotAllowed, O::NameNotAllowed, O::NameNotAllowed, O::NameNotAllowed,
         O::NameNotAllowed},
        "a.txt=a.txt|b.txt=b.txt|c.txt=c.txt|d.txt=d.txt|e.txt=e.txt");
    row("too long, and gone", "a.txt", "a.txt>" + QByteArray(256, 'n') + "|ghost.txt>new.txt",
        {O::NameTooLong, O::SourceGone}, "a.txt=a.txt");
}

} // namespace

// The renames of a run on real volumes that have neither the no-replace flag nor hard links
// and ignore letter case: exFAT through FUSE, and FAT in the kernel where it has one.
class RenameOnVolumesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanupTestCase()
    {
        m_exfat.reset();
        m_vfat.reset();
    }

    void renamesOnExfatFuse_data() { addRows(MountedImage::Kind::ExfatFuse); }
    void renamesOnExfatFuse() { renameOn(m_exfat, MountedImage::Kind::ExfatFuse); }

    void renamesOnKernelVfat_data() { addRows(MountedImage::Kind::KernelVfat); }
    void renamesOnKernelVfat() { renameOn(m_vfat, MountedImage::Kind::KernelVfat); }

private:
    // Mounted at the first row that needs it, for all rows.
    void renameOn(std::unique_ptr<MountedImage>& image, MountedImage::Kind kind)
    {
        if (!image)
            image = std::make_unique<MountedImage>(kind);
        VORNAK_REQUIRE_MOUNT(*image);
        renameInNewFolder(image->root());
    }
    void renameInNewFolder(const QByteArray& root);

    std::unique_ptr<MountedImage> m_exfat;
    std::unique_ptr<MountedImage> m_vfat;
    QTemporaryDir m_journals;
    int m_rows = 0;
};

void RenameOnVolumesTest::renameInNewFolder(const QByteArray& root)
{
    QFETCH(QByteArray, files);
    QFETCH(QByteArray, wanted);
    QFETCH(QList<RenameOutcome>, outcomes);
    QFETCH(QByteArray, state);
    const QByteArray path = root + "/row" + QByteArray::number(++m_rows);
    QVERIFY(::mkdir(path.constData(), 0755) == 0);
    const int dir = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QVERIFY(dir >= 0);
    const auto closeDir = qScopeGuard([dir] { ::close(dir); });
    for (const QByteArray& name : files.split('|'))
        QVERIFY(test::writeFile(dir, name, name));

    std::vector<Rename> renames;
    for (const QByteArray& rename : wanted.split('|')) {
        const QByteArrayList names = rename.split('>');
        renames.push_back({names[0], names[1]});
    }
    const std::vector<Rename> plan = planRenames(renames);
    const QByteArrayList initial = test::folderState(dir);
    const RenameJournal journal(QFile::encodeName(m_journals.path()));
    // Only the folder's listing tells which spelling it holds: stat on a volume that ignores
    // case finds the file under the new one too.
    const auto undoneExactly = [&](qint64 runId) {
        const UndoReport report = journal.undo(runId);
        for (const UndoStep& step : report.steps)
            if (step.outcome != UndoOutcome::Restored && step.outcome != UndoOutcome::NotRenamed)
                return false;
        return report.status == UndoStatus::Undone && test::folderState(dir) == initial;
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
    QVERIFY(run.finish());
    QCOMPARE(qsizetype(renames.size()), outcomes.size());
    for (std::size_t i = 0; i < renames.size(); ++i)
        QCOMPARE(got.value(renames[i].oldName, RenameOutcome::Other), outcomes[qsizetype(i)]);
    QCOMPARE(test::folderState(dir), state.split('|'));
    QVERIFY(undoneExactly(runId));
}

QTEST_GUILESS_MAIN(RenameOnVolumesTest)
#include "RenameOnVolumesTest.moc"
