#include "browser/SizeDisplay.h"
#include "texts/SystemReason.h"

#include "support/MainWindowFixture.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QScopeGuard>
#include <QTest>

#include <optional>

#include <sys/stat.h>

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

enum class Entry { Typed, Pasted };

// The main window started in start/ of its folder, which holds the given files; desk/ is a
// volume holding the desktop folder and dirA/.
struct Program : test::MainWindowFixture {
    // Makes the tree and opens the window; false when either fails.
    [[nodiscard]] bool start(const QStringList& files = {})
    {
        bool made = true;
        for (const char* folder : {"/start", "/desk/Desktop", "/desk/dirA"})
            made = made && QDir().mkpath(text(folder));
        for (const QString& name : files)
            made = made && test::makeFile(text("/start/" + name), name.size());
        platform.desktop = path("/desk/Desktop");
        platform.volumeList = {{"/", QStringLiteral("/")}, {path("/desk"), QStringLiteral("d")}};
        platform.folderAtStart = path("/start");
        return made && open();
    }

    // A text starting with "/" is taken below the folder.
    QString text(const QString& relative) const
    {
        return relative.startsWith(u'/') ? dir.path() + relative : relative;
    }
    QByteArray path(const QString& relative) const { return QFile::encodeName(text(relative)); }

    // Replaces the address box's whole text key by key or with one paste.
    void enter(const QString& relative, Entry entry)
    {
        QTest::keyClick(addressBox, Qt::Key_A, Qt::ControlModifier);
        if (entry == Entry::Pasted) {
            QGuiApplication::clipboard()->setText(text(relative));
            return QTest::keyClick(addressBox, Qt::Key_V, Qt::ControlModifier);
        }
        for (const QChar c : text(relative))
            QTest::sendKeyEvent(QTest::Click, addressBox, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
};

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each text starts with the length it is shown for.
    void sizeDisplayText_data()
    {
        QTest::addColumn<QString>("expected");
        for (const char* text :
             {"0B，约0KB", "6B，约0.01KB", "512B，约0.5KB", "1018B，约0.99KB", "1023B，约1KB",
              "1024B，约1KB", "1030B，约1.01KB", "1536B，约1.5KB", "1043333B，约1018.88KB",
              "1043334B，约1MB", "5000000B，约4.77MB", "10485760B，约10MB", "3221225472B，约3072MB",
              "5000000000B，约4768.37MB"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }

    void sizeDisplayText()
    {
        QFETCH(QString, expected);
        QCOMPARE(vornak::sizeDisplayText(expected.section(u'B', 0, 0).toLongLong()), expected);
    }

    // 删除文件 through the popup's item: to the desktop's trash, and for good only where the
    // volume has none and the user says so a second time (here: No).
    void deletes_data()
    {
        // What becomes of the file between the listing and the delete, or "no trash": it lies
        // on a volume without one.
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("kept");
        QTest::newRow("to the home trash") << "" << QStringList{kToTrash} << false;
        // Not a missing file: the message says why it stays.
        QTest::newRow("a file that may not be changed")
            << "immutable" << QStringList{kToTrash, "原因：" + systemReasonText(EPERM)} << true;
        QTest::newRow("no trash on the volume")
            << "no trash" << QStringList{kToTrash, kForGood} << true;
    }
    void deletes()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QStringList, asked);
        QFETCH(bool, kept);
        // The top folder of a volume that may not be changed: no trash can be made there.
        std::optional<TestMount> mount;
        MainWindowFixture w;
        QByteArray folder = w.folder();
        if (meanwhile == "no trash") {
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
        QVERIFY(meanwhile != "immutable" || setImmutable(path, true));
        w.platform.folderAtStart = folder;
        QVERIFY(w.open());
        w.fileList->selectName(kName);
        QVERIFY(writeFile(folder + "/new.txt", {}));
        w.platform.answers = {MessageAnswer::Yes, MessageAnswer::No};
        w.find<QAction>(QStringLiteral("ShanChuWenJian"))->trigger();

        QStringList shown;
        for (const ShownMessage& message : w.platform.messages)
            shown.append(message.prompt.section(u'\r', -1));
        QCOMPARE(shown, asked);
        QCOMPARE(exists(path), kept);
        const QByteArray trash = qgetenv("XDG_DATA_HOME") + "/Trash";
        QCOMPARE(contentOf(trash + "/files/" + kName), kept ? "(missing)" : "content");
        QCOMPARE(exists(trash + "/info/" + kName + ".trashinfo"), !kept);
        // The list is read again unless the delete failed.
        QCOMPARE(w.listed().contains("new.txt"), meanwhile != "immutable");
    }

    // In a folder of many files a refresh leaves the list where it was: the entry that took the
    // deleted last one's place is the current one and stays in view.
    void refreshKeepsThePlace()
    {
        QStringList files;
        for (int i = 1; i <= 1000; ++i)
            files.append(QStringLiteral("f%1").arg(i, 4, 10, QLatin1Char('0')));
        Program program;
        QVERIFY(program.start(files));
        const FileList& list = *program.fileList;
        const auto rect = [&list](int row) { return list.visualRect(list.model()->index(row, 0)); };
        // Until the view has laid out every entry, a place may still change.
        const auto laidOut = [&] { return rect(list.count() - 1).isValid(); };
        const auto inView = [&] { return list.viewport()->rect().contains(rect(998)); };
        program.fileList->setSelectedIndex(999);
        QTRY_VERIFY(laidOut());
        QVERIFY(program.refreshThrough(QStringLiteral("ShanChuWenJian")));
        QTRY_VERIFY(laidOut());
        QVERIFY(inView());
        QCOMPARE(list.currentIndex().row(), 998);
        QCOMPARE(list.entryName(998), "f0999");
        QCOMPARE(list.selectedIndex(), -1);
    }

    void addressMovesTheLists_data()
    {
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("folder");
        const auto row = [](const char* name, Entry entry, const char* entered,
                            const char* folder) {
            QTest::newRow(name) << entry << QString::fromUtf8(entered) << folder;
        };
        // An address that names a folder arrives there, on whichever volume, and never at the
        // folder last shown on that volume (desk/Desktop); one that names no folder takes the
        // lists to its volume's folder.
        row("on another volume, typed", Entry::Typed, "/desk/dirA", "/desk/dirA");
        row("on another volume, pasted", Entry::Pasted, "/desk/dirA", "/desk/dirA");
        row("nonexistent, on another volume", Entry::Pasted, "/desk/missing", "/desk/Desktop");
    }

    void addressMovesTheLists()
    {
        QFETCH(Entry, entry);
        QFETCH(QString, entered);
        QFETCH(QString, folder);
        Program program;
        QVERIFY(program.start());
        QVERIFY(program.driveList->setDrive(program.path("/desk")) &&
                program.folderList->setPath(program.path("/desk/Desktop")) &&
                program.driveList->setDrive("/"));

        program.enter(entered, entry);

        QCOMPARE(program.folderList->path(), program.path(folder));
        QCOMPARE(program.driveList->drive(), program.path("/desk"));
        QCOMPARE(program.addressBox->text(), program.text(folder));
        QVERIFY(program.platform.messages.isEmpty());
    }
};

QTEST_MAIN(BrowserTest)
#include "BrowserTest.moc"
