#include "core/trash/Trash.h"
#include "core/fs/FileDescriptor.h"
#include "core/fs/XdgFolders.h"
#include "core/trash/TrashInfo.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

using namespace vornak;
using namespace Qt::StringLiterals;
using vornak::test::contentOf;
using vornak::test::TestMount;
using vornak::test::writeFile;

Q_DECLARE_METATYPE(vornak::TrashOutcome)
Q_DECLARE_METATYPE(vornak::test::TestMount::Kind)

namespace {

const QByteArray kHostileName = "\xe7\x85\xa7\xe7\x89\x87 a\xff b%.txt";

bool exists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

mode_t modeOf(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// The path the trashed entry's .trashinfo records, decoded; its form is infoText's.
QByteArray recordedPath(const QByteArray& trashedAs)
{
    const qsizetype files = trashedAs.lastIndexOf("/files/");
    const QByteArrayList info =
        contentOf(trashedAs.left(files) + "/info/" + trashedAs.mid(files + 7) + ".trashinfo")
            .split('\n');
    return info[0] == "[Trash Info]" && info.value(1).startsWith("Path=")
               ? QByteArray::fromPercentEncoding(info[1].mid(5))
               : "(no info)";
}

} // namespace

// Moving to the trash as the desktop's trash expects it, on the home volume and on others.
class TrashTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_root;
    QByteArray m_homeTrash;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_root = QFile::encodeName(m_dir->path());
        qputenv("XDG_DATA_HOME", m_root + "/data");
        m_homeTrash = m_root + "/data/Trash";
    }
    void cleanup()
    {
        std::filesystem::remove_all(m_root.toStdString());
        m_dir.reset();
    }

    void infoText()
    {
        QCOMPARE(trashInfoText("/home/u/" + kHostileName + " #1?&",
                               QDateTime(QDate(2024, 2, 29), QTime(23, 5, 9))),
                 "[Trash Info]\nPath=/home/u/%E7%85%A7%E7%89%87%20a%FF%20b%25.txt%20%231%3F%26\n"
                 "DeletionDate=2024-02-29T23:05:09\n"_ba);
    }

    // Entries named alike get names of their own; an entry left in files/ without its info is
    // never replaced, and the info claimed for its name goes again.
    void namesAlikeNeverReplace()
    {
        QVERIFY(createFolders(m_homeTrash + "/files") == 0);
        QVERIFY(createFolders(m_homeTrash + "/info") == 0);
        QVERIFY(writeFile(m_homeTrash + "/files/x.txt.3", "orphan"));
        for (const auto& [folder, entry] :
             {std::pair{"/a"_ba, "x.txt"}, {"/b"_ba, "x.txt.2"}, {"/c"_ba, "x.txt.4"}}) {
            QVERIFY(::mkdir((m_root + folder).constData(), 0755) == 0);
            QVERIFY(writeFile(m_root + folder + "/x.txt", folder));
            const TrashResult result = Trash().moveToTrash(m_root + folder + "/x.txt");
            QCOMPARE(result.outcome, TrashOutcome::Trashed);
            QCOMPARE(result.trashedAs, m_homeTrash + "/files/" + entry);
            QCOMPARE(contentOf(result.trashedAs), folder);
            QCOMPARE(recordedPath(result.trashedAs), m_root + folder + "/x.txt");
        }
        QCOMPARE(contentOf(m_homeTrash + "/files/x.txt.3"), "orphan"_ba);
        QVERIFY(!exists(m_homeTrash + "/info/x.txt.3.trashinfo"));
    }

    // Where the entry goes (from the volume's top; none: it stays) and the outcome.
    void volumeTrash_data()
    {
        QTest::addColumn<TestMount::Kind>("kind");
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<QByteArray>("trash");
        QTest::addColumn<TrashOutcome>("outcome");
        const QByteArray own = ".Trash-" + QByteArray::number(::getuid());
        const QByteArray shared = ".Trash/" + QByteArray::number(::getuid());
        const auto row = [](const char* tag, const char* setup, const QByteArray& trash,
                            TrashOutcome outcome = TrashOutcome::Trashed,
                            TestMount::Kind kind = TestMount::Kind::Ext4) {
            QTest::newRow(tag) << kind << QByteArray(setup) << trash << outcome;
        };
        row("no trash yet", "", own);
        row("shared sticky trash", "sticky", shared);
        row("shared trash without sticky bit", "not sticky", own);
        row("shared trash is a link", "link", own);
        // Only an entry with its .trashinfo can be put back: without one, it stays.
        row("no room for the info", "full", {}, TrashOutcome::Failed, TestMount::Kind::Tmpfs);
    }
    // An entry of another volume goes to that volume's trash, recorded relative to its top
    // folder; the home trash is not touched.
    void volumeTrash()
    {
        QFETCH(TestMount::Kind, kind);
        QFETCH(QByteArray, setup);
        QFETCH(QByteArray, trash);
        QFETCH(TrashOutcome, outcome);
        TestMount mount(kind, 16 << 20);
        VORNAK_REQUIRE_MOUNT(mount);
        const QByteArray top = mount.root();
        const QByteArray folder = top + "/sub dir";
        QVERIFY(::mkdir(folder.constData(), 0755) == 0);
        QVERIFY(writeFile(folder + '/' + kHostileName, "content"));
        if (setup == "sticky" || setup == "not sticky") {
            QVERIFY(::mkdir((top + "/.Trash").constData(), 0777) == 0);
            QVERIFY(::chmod((top + "/.Trash").constData(), setup == "sticky" ? 01777 : 0777) == 0);
        } else if (setup == "link") {
            QVERIFY(::mkdir((top + "/sticky").constData(), 0777) == 0);
            QVERIFY(::chmod((top + "/sticky").constData(), 01777) == 0);
            QVERIFY(::symlink("sticky", (top + "/.Trash").constData()) == 0);
        } else if (setup == "full") {
            const FileDescriptor fill(
                ::open((top + "/fill").constData(), O_WRONLY | O_CREAT, 0600));
            while (writeAll(fill.get(), QByteArray(1 << 16, 'f'))) {
            }
        }

        const TrashResult result = Trash().moveToTrash(folder + '/' + kHostileName);
        QCOMPARE(result.outcome, outcome);
        QVERIFY(!exists(m_homeTrash));
        const QByteArray own = ".Trash-" + QByteArray::number(::getuid());
        if (outcome != TrashOutcome::Trashed) {
            QCOMPARE(result.error, ENOSPC);
            QCOMPARE(contentOf(folder + '/' + kHostileName), "content"_ba);
            const FileDescriptor info(::open((top + '/' + own + "/info").constData(), O_RDONLY));
            QCOMPARE(test::entryNames(info.get()), QByteArrayList());
            return;
        }
        QCOMPARE(result.trashedAs, top + '/' + trash + "/files/" + kHostileName);
        QCOMPARE(contentOf(result.trashedAs), "content"_ba);
        QVERIFY(!exists(folder + '/' + kHostileName));
        QCOMPARE(recordedPath(result.trashedAs), "sub dir/" + kHostileName);
        // Only the trash used is made, and a shared one is the user's own.
        const QByteArray shared = ".Trash/" + QByteArray::number(::getuid());
        QVERIFY(!exists(top + '/' + (trash == own ? shared : own)));
        QVERIFY(trash == own || modeOf(top + '/' + trash) == 0700);
    }
};

QTEST_GUILESS_MAIN(TrashTest)
#include "TrashTest.moc"
