#include "core/fs/FileDescriptor.h"
#include "core/fs/FolderReader.h"
#include "core/fs/FolderSpellings.h"
#include "core/plan/FolderEntries.h"
#include "core/plan/FolderNaming.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"
#include "texts/RenameStatusText.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace vornak;
using vornak::test::makeFile;
using vornak::test::TestMount;

namespace {

// The statuses a batch in the folder gets, "old>new" per entry.
QStringList statusesIn(const QByteArray& folder, const QByteArrayList& wanted)
{
    const FolderNaming naming = folderNamingOf(folder);
    std::vector<WantedName> batch;
    for (const QByteArray& rename : wanted) {
        const qsizetype arrow = rename.indexOf('>');
        batch.push_back(
            {QByteArrayView(rename).first(arrow), QByteArrayView(rename).sliced(arrow + 1)});
    }
    const BatchPlan plan =
        planBatch(batch, folderRules(naming, FolderEntries::read(folder, naming.caseInsensitive)));
    QStringList statuses;
    for (RenameStatus status : plan.statuses)
        statuses.append(statusText(status));
    return statuses;
}

// A volume that ignores case and counts UTF-16 units: a name of 255 ideographs fits though it
// takes 765 bytes, one more does not; a name differing from a file outside the batch only in
// case is taken; a case-only rename is one.
void checkFatNaming(TestMount::Kind kind)
{
    TestMount volume(kind);
    VORNAK_REQUIRE_MOUNT(volume);
    const QByteArray folder = volume.root();
    QVERIFY(makeFile(folder + "/Outside.TXT") && makeFile(folder + "/a.txt") &&
            makeFile(folder + "/b.txt") && makeFile(folder + "/c.txt") &&
            makeFile(folder + "/d.TXT"));
    const FolderNaming naming = folderNamingOf(folder);
    QCOMPARE(naming.lengthUnit, NameLengthUnit::Utf16Units);
    QCOMPARE(naming.nameMax, 255);
    QVERIFY(naming.caseInsensitive);
    const QByteArray fits = QByteArray("中").repeated(251) + ".txt";
    QCOMPARE(statusesIn(folder,
                        {"a.txt>" + fits, "b.txt>中" + fits, "c.txt>outside.txt", "d.TXT>d.txt"}),
             (QStringList{"将更改", "名称太长", "名称已被占用", "仅大小写"}));
    // Names longer than a dirent's declared 256 bytes are read whole wherever a folder is read.
    const QByteArray long257 = QByteArray("汉").repeated(84) + "a.doc";
    const QByteArray long263 = QByteArray("汉").repeated(86) + "a.doc";
    QVERIFY(makeFile(folder + '/' + long257) && makeFile(folder + '/' + long263));
    // Natural order puts them last, the shorter first.
    const std::optional<NameList> listed = readListedFiles(folder, FilePattern::everything());
    QVERIFY(listed && listed->size() == 7);
    QCOMPARE(listed->nameAt(5), long257);
    QCOMPARE(listed->nameAt(6), long263);
    QCOMPARE(statusesIn(folder, {"a.txt>" + long257, "b.txt>" + long263}),
             (QStringList{"名称已被占用", "名称已被占用"}));
    const FileDescriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY));
    const std::optional<FolderSpellings> spellings = FolderSpellings::read(dir.get());
    QVERIFY(spellings && spellings->holds(long257) && spellings->holds(long263));
}

} // namespace

class FolderRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every entry blocks a new name, whatever the file list shows of it: hidden files, folders,
    // names that are not UTF-8. Names compare exactly, and lengths count bytes up to NAME_MAX.
    void namesTakenInAFolder()
    {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        QVERIFY(makeFile(folder + "/.hidden") && makeFile(folder + "/caf\xe9") &&
                makeFile(folder + "/a.txt") && makeFile(folder + "/Taken.txt") &&
                ::mkdir(folder + "/sub", 0755) == 0);
        const FolderNaming naming = folderNamingOf(folder);
        QCOMPARE(naming.lengthUnit, NameLengthUnit::Bytes);
        QCOMPARE(naming.nameMax, 255);
        QVERIFY(!naming.caseInsensitive);
        const QByteArray bytes255 = QByteArray("中").repeated(85);
        const std::pair<QByteArray, QString> renames[] = {
            {".hidden", "名称已被占用"}, {"caf\xe9", "名称已被占用"}, {"sub", "名称已被占用"},
            {"taken.txt", "将更改"},     {bytes255, "将更改"},        {bytes255 + "x", "名称太长"},
        };
        for (const auto& [newName, status] : renames)
            QCOMPARE(statusesIn(folder, {"a.txt>" + newName}), QStringList{status});
        QVERIFY(!FolderEntries::read(folder + "/missing", false));
        test::removeUndecodableFiles(folder);
    }

    void namingOnExfat() { checkFatNaming(TestMount::Kind::ExfatFuse); }
    void namingOnVfat() { checkFatNaming(TestMount::Kind::KernelVfat); }
};

QTEST_GUILESS_MAIN(FolderRulesTest)
#include "FolderRulesTest.moc"
