#include "core/names/NativePath.h"
#include "support/MainWindowFixture.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"

#include "texts/SystemReason.h"

#include <QScopeGuard>
#include <QTest>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using namespace vornak;
using namespace vornak::test;

namespace {

const QByteArray kName = "照片 a\xff b%.txt";
const QString kToTrash = QStringLiteral("确定将文件移到回收站吗？");
const QString kForGood = QStringLiteral("此处没有回收站，文件将被永久删除，无法恢复！确定删除吗？");

bool exists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

} // namespace

enum class Place { HomeVolume, NoTrashOnVolume };
Q_DECLARE_METATYPE(Place)
// What becomes of the file between the listing and the delete.
enum class Meanwhile { Nothing, MadeImmutable, Removed };
Q_DECLARE_METATYPE(Meanwhile)

// 删除文件 through the popup's item: to the desktop's trash, and for good only where the
// volume has none and the user says so a second time.
class DeleteToTrashTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void deletes_data()
    {
        QTest::addColumn<Place>("place");
        QTest::addColumn<Meanwhile>("meanwhile");
        QTest::addColumn<QList<MessageAnswer>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<bool>("trashed");
        const auto yes = MessageAnswer::Yes;
        const auto no = MessageAnswer::No;
        QTest::newRow("to the home trash") << Place::HomeVolume << Meanwhile::Nothing << QList{yes}
                                           << QStringList{kToTrash} << false << true;
        QTest::newRow("No") << Place::HomeVolume << Meanwhile::Nothing << QList{no}
                            << QStringList{kToTrash} << true << false;
        // Not a missing file: the message says why it stays.
        QTest::newRow("a file that may not be changed")
            << Place::HomeVolume << Meanwhile::MadeImmutable << QList{yes}
            << QStringList{kToTrash, "原因：" + systemReasonText(EPERM)} << true << false;
        QTest::newRow("a file removed meanwhile")
            << Place::HomeVolume << Meanwhile::Removed << QList{yes}
            << QStringList{kToTrash, "没有此文件！请检查！"} << false << false;
        QTest::newRow("no trash on the volume, deleted for good")
            << Place::NoTrashOnVolume << Meanwhile::Nothing << QList{yes, yes}
            << QStringList{kToTrash, kForGood} << false << false;
        QTest::newRow("no trash on the volume, kept")
            << Place::NoTrashOnVolume << Meanwhile::Nothing << QList{yes, no}
            << QStringList{kToTrash, kForGood} << true << false;
    }
    void deletes()
    {
        QFETCH(Place, place);
        QFETCH(Meanwhile, meanwhile);
        QFETCH(QList<MessageAnswer>, answers);
        QFETCH(QStringList, asked);
        QFETCH(bool, kept);
        QFETCH(bool, trashed);
        // The top folder of a volume that may not be changed: no trash can be made there.
        std::optional<TestMount> mount;
        MainWindowFixture w;
        QByteArray folder = w.folder();
        if (place == Place::NoTrashOnVolume) {
            mount.emplace(TestMount::Kind::Ext4, 16 << 20);
            VORNAK_REQUIRE_MOUNT(*mount);
            folder = mount->root() + "/sub dir";
            QVERIFY(::mkdir(folder.constData(), 0755) == 0);
            QVERIFY(setImmutable(mount->root(), true));
        }
        const auto changeable = qScopeGuard([&] {
            if (mount)
                setImmutable(mount->root(), false);
            setImmutable(folder + '/' + kName, false);
        });
        const QByteArray path = folder + '/' + kName;
        QVERIFY(writeFile(path, "content"));
        QVERIFY(meanwhile != Meanwhile::MadeImmutable || setImmutable(path, true));
        w.platform.folderAtStart = folder;
        QVERIFY(w.open());
        w.fileList->selectName(kName);
        QVERIFY(meanwhile != Meanwhile::Removed || ::unlink(path.constData()) == 0);
        QVERIFY(writeFile(folder + "/new.txt", {}));
        w.platform.answers.assign(answers.begin(), answers.end());
        w.find<QAction>(QStringLiteral("ShanChuWenJian"))->trigger();

        QStringList shown;
        for (const ShownMessage& message : w.platform.messages)
            shown.append(message.prompt.section(u'\r', -1));
        QCOMPARE(shown, asked);
        QCOMPARE(exists(path), kept);
        const QByteArray trash = qgetenv("XDG_DATA_HOME") + "/Trash";
        QCOMPARE(contentOf(trash + "/files/" + kName), trashed ? "content" : "(missing)");
        QCOMPARE(exists(trash + "/info/" + kName + ".trashinfo"), trashed);
        // The list is read again unless the delete failed.
        QCOMPARE(w.listed().contains("new.txt"),
                 asked.last() == kToTrash || asked.last() == kForGood);
    }
};

QTEST_MAIN(DeleteToTrashTest)
#include "DeleteToTrashTest.moc"
