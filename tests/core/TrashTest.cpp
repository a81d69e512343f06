#include "core/Trash.h"
#include "core/TrashInfo.h"
#include "core/XdgFolders.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using namespace vornak;
using vornak::test::contentOf;
using vornak::test::setImmutable;
using vornak::test::writeFile;

namespace {

bool exists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

// The trashed entry's .trashinfo, checked for what the desktop's trash needs: the recorded
// path, percent-encoded so that it is plain ASCII, and a local date and time.
void verifyInfo(const QByteArray& trashedAs, const QByteArray& recordedPath)
{
    const QByteArray trash = trashedAs.left(trashedAs.lastIndexOf("/files/"));
    const QByteArray info =
        contentOf(trash + "/info/" + trashedAs.mid(trashedAs.lastIndexOf('/') + 1) + ".trashinfo");
    const QRegularExpression form(
        QStringLiteral("^\\[Trash "
                       "Info\\]\nPath=([A-Za-z0-9%/"
                       "._~-]+)\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$"));
    const QRegularExpressionMatch match = form.match(QString::fromLatin1(info));
    QVERIFY2(match.hasMatch(), info.constData());
    QCOMPARE(QByteArray::fromPercentEncoding(match.captured(1).toLatin1()), recordedPath);
}

const QByteArray kHostileName = "\xe7\x85\xa7\xe7\x89\x87 a\xff b%.txt";

} // namespace

// Moving to the trash as the desktop's trash expects it, on the home volume and on others.
class TrashTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void infoText();
    void entryNames_data();
    void entryNames();
    void homeTrash_data();
    void homeTrash();
    void namesAlikeNeverReplace();
    void failedMoveLeavesNoInfo();
    void volumeTrash_data();
    void volumeTrash();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_root;
    QByteArray m_homeTrash;
};

void TrashTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_root = QFile::encodeName(m_dir->path());
    qputenv("XDG_DATA_HOME", m_root + "/data");
    m_homeTrash = m_root + "/data/Trash";
}

void TrashTest::cleanup()
{
    std::filesystem::remove_all(m_root.toStdString());
    m_dir.reset();
}

void TrashTest::infoText()
{
    const QDateTime deleted(QDate(2024, 2, 29), QTime(23, 5, 9));
    QCOMPARE(trashInfoText("/home/u/" + kHostileName + " #1?&", deleted),
             QByteArray("[Trash Info]\n"
                        "Path=/home/u/%E7%85%A7%E7%89%87%20a%FF%20b%25.txt%20%231%3F%26\n"
                        "DeletionDate=2024-02-29T23:05:09\n"));
}

void TrashTest::entryNames_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("attempt");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray longest(255, 'x');
    const QByteArray character = "\xe7\x85\xa7";
    QTest::newRow("first") << QByteArray("a.txt") << 1 << QByteArray("a.txt");
    QTest::newRow("second") << QByteArray("a.txt") << 2 << QByteArray("a.txt.2");
    QTest::newRow("longest") << longest << 1 << QByteArray(245, 'x');
    QTest::newRow("longest, 12th") << longest << 12 << QByteArray(242, 'x') + ".12";
    QTest::newRow("longest CJK") << character.repeated(85) << 1 << character.repeated(81);
}

// The .trashinfo of the entry's name must still fit the file system's 255 bytes.
void TrashTest::entryNames()
{
    QFETCH(QByteArray, name);
    QFETCH(int, attempt);
    QFETCH(QByteArray, expected);
    QCOMPARE(trashEntryName(name, attempt), expected);
}

void TrashTest::homeTrash_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("CJK, spaces, not UTF-8") << kHostileName << false;
    QTest::newRow("255 bytes") << QByteArray(251, 'x') + ".txt" << false;
    QTest::newRow("folder reached through a link") << kHostileName << true;
}

// The missing home trash is created; the entry keeps its content and the info its real path.
void TrashTest::homeTrash()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, throughLink);
    const QByteArray folder = m_root + "/photos";
    QVERIFY(::mkdir(folder.constData(), 0755) == 0);
    QVERIFY(::symlink(folder.constData(), (m_root + "/link").constData()) == 0);
    QVERIFY(writeFile(folder + '/' + name, "content"));

    const TrashResult result =
        Trash().moveToTrash((throughLink ? m_root + "/link/" : folder + '/') + name);
    QCOMPARE(result.outcome, TrashOutcome::Trashed);
    QCOMPARE(result.trashedAs, m_homeTrash + "/files/" + name.left(245));
    QCOMPARE(contentOf(result.trashedAs), QByteArray("content"));
    QVERIFY(!exists(folder + '/' + name));
    verifyInfo(result.trashedAs, folder + '/' + name);
    for (const char* trashFolder : {"", "/files", "/info"}) {
        struct stat st {};
        QVERIFY(::stat((m_homeTrash + trashFolder).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
    }
}

// Entries named alike get names of their own; an entry left in files/ without its info is
// never replaced, and the info claimed for its name goes again.
void TrashTest::namesAlikeNeverReplace()
{
    QVERIFY(createFolders(m_homeTrash + "/files") == 0);
    QVERIFY(createFolders(m_homeTrash + "/info") == 0);
    QVERIFY(writeFile(m_homeTrash + "/files/x.txt.3", "orphan"));
    for (const char* folder : {"/a", "/b", "/c"}) {
        QVERIFY(::mkdir((m_root + folder).constData(), 0755) == 0);
        QVERIFY(writeFile(m_root + folder + "/x.txt", folder));
    }
    const Trash trash;
    for (const auto& [folder, entry] :
         {std::pair{"/a", "x.txt"}, {"/b", "x.txt.2"}, {"/c", "x.txt.4"}}) {
        const TrashResult result = trash.moveToTrash(m_root + folder + "/x.txt");
        QCOMPARE(result.outcome, TrashOutcome::Trashed);
        QCOMPARE(result.trashedAs, m_homeTrash + "/files/" + entry);
        QCOMPARE(contentOf(result.trashedAs), QByteArray(folder));
        verifyInfo(result.trashedAs, m_root + folder + "/x.txt");
    }
    QCOMPARE(contentOf(m_homeTrash + "/files/x.txt.3"), QByteArray("orphan"));
    QVERIFY(!exists(m_homeTrash + "/info/x.txt.3.trashinfo"));
}

// A move the file system refuses leaves the entry where it was and no info in the trash.
void TrashTest::failedMoveLeavesNoInfo()
{
    test::TestMount mount(test::TestMount::Kind::Ext4, 16 << 20);
    VORNAK_REQUIRE_MOUNT(mount);
    const QByteArray folder = mount.root() + "/locked";
    QVERIFY(::mkdir(folder.constData(), 0755) == 0);
    QVERIFY(writeFile(folder + "/f.txt", "content"));
    QVERIFY(setImmutable(folder, true));
    const TrashResult result = Trash(mount.root() + "/data/Trash").moveToTrash(folder + "/f.txt");
    QVERIFY(setImmutable(folder, false));
    QCOMPARE(result.outcome, TrashOutcome::Failed);
    QCOMPARE(result.error, EPERM);
    QCOMPARE(contentOf(folder + "/f.txt"), QByteArray("content"));
    QVERIFY(std::filesystem::is_empty((mount.root() + "/data/Trash/info").toStdString()));
}

enum class VolumeSetup { Nothing, StickyTrash, TrashWithoutSticky, TrashLink, NoTrashPossible };
Q_DECLARE_METATYPE(VolumeSetup)
Q_DECLARE_METATYPE(vornak::test::TestMount::Kind)

void TrashTest::volumeTrash_data()
{
    QTest::addColumn<test::TestMount::Kind>("kind");
    QTest::addColumn<VolumeSetup>("setup");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("trash");
    const QByteArray own = ".Trash-" + QByteArray::number(::getuid());
    const QByteArray shared = ".Trash/" + QByteArray::number(::getuid());
    const auto ext4 = test::TestMount::Kind::Ext4;
    QTest::newRow("no trash yet") << ext4 << VolumeSetup::Nothing << kHostileName << own;
    QTest::newRow("shared sticky trash")
        << ext4 << VolumeSetup::StickyTrash << kHostileName << shared;
    QTest::newRow("shared trash without sticky bit")
        << ext4 << VolumeSetup::TrashWithoutSticky << kHostileName << own;
    QTest::newRow("shared trash is a link")
        << ext4 << VolumeSetup::TrashLink << kHostileName << own;
    QTest::newRow("no trash possible")
        << ext4 << VolumeSetup::NoTrashPossible << kHostileName << QByteArray();
    // exFAT through FUSE knows no no-replace flag; its names are UTF-16.
    QTest::newRow("exFAT") << test::TestMount::Kind::ExfatFuse << VolumeSetup::Nothing
                           << QByteArray("\xe7\x85\xa7\xe7\x89\x87 a b.txt") << own;
}

// An entry of another volume goes to that volume's trash, recorded relative to its top folder;
// the home trash is not touched.
void TrashTest::volumeTrash()
{
    QFETCH(test::TestMount::Kind, kind);
    QFETCH(VolumeSetup, setup);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, trash);
    test::TestMount mount(kind, 16 << 20);
    VORNAK_REQUIRE_MOUNT(mount);
    const QByteArray top = mount.root();
    const QByteArray folder = top + "/sub dir";
    QVERIFY(::mkdir(folder.constData(), 0755) == 0);
    QVERIFY(writeFile(folder + '/' + name, "content"));
    switch (setup) {
    case VolumeSetup::Nothing:
        break;
    case VolumeSetup::StickyTrash:
    case VolumeSetup::TrashWithoutSticky:
        QVERIFY(::mkdir((top + "/.Trash").constData(), 0777) == 0);
        QVERIFY(::chmod((top + "/.Trash").constData(),
                        setup == VolumeSetup::StickyTrash ? 01777 : 0777) == 0);
        break;
    case VolumeSetup::TrashLink:
        QVERIFY(::mkdir((top + "/sticky").constData(), 0777) == 0);
        QVERIFY(::chmod((top + "/sticky").constData(), 01777) == 0);
        QVERIFY(::symlink("sticky", (top + "/.Trash").constData()) == 0);
        break;
    case VolumeSetup::NoTrashPossible:
        QVERIFY(setImmutable(top, true));
        break;
    }

    const TrashResult result = Trash().moveToTrash(folder + '/' + name);
    if (setup == VolumeSetup::NoTrashPossible)
        QVERIFY(setImmutable(top, false));
    if (trash.isEmpty()) {
        QCOMPARE(result.outcome, TrashOutcome::NoTrashOnVolume);
        QCOMPARE(contentOf(folder + '/' + name), QByteArray("content"));
        return;
    }
    QCOMPARE(result.outcome, TrashOutcome::Trashed);
    QCOMPARE(result.trashedAs, top + '/' + trash + "/files/" + name);
    QCOMPARE(contentOf(result.trashedAs), QByteArray("content"));
    QVERIFY(!exists(folder + '/' + name));
    verifyInfo(result.trashedAs, "sub dir/" + name);
    QVERIFY(trash.startsWith(".Trash/") ||
            !exists(top + "/.Trash/" + QByteArray::number(::getuid())));
    QVERIFY(!exists(m_homeTrash));
    if (trash.startsWith(".Trash/")) {
        struct stat st {};
        QVERIFY(::lstat((top + '/' + trash).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
        QVERIFY(!exists(top + "/.Trash-" + QByteArray::number(::getuid())));
    }
}

QTEST_GUILESS_MAIN(TrashTest)
#include "TrashTest.moc"
