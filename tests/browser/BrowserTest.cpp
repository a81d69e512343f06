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
#include <QTimer>

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

// The main window started in start/ of its folder, which holds the given files and a folder
// "Z"; target/ holds sub/; desk/ is a volume holding the desktop folder and dirA/.
struct Program : test::MainWindowFixture {
    // Makes the tree and opens the window; false when either fails.
    [[nodiscard]] bool start(const QStringList& files = {}, bool hasDesktop = true)
    {
        bool made = true;
        for (const char* folder :
             {"/start/Z", "/target/sub", "/desk/Desktop", "/desk/dirA", "/home"})
            made = made && QDir().mkpath(text(folder));
        for (const QString& name : files)
            made = made && test::makeFile(text("/start/" + name), name.size());
        platform.home = path("/home");
        if (hasDesktop)
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

    // In an empty folder, the items that need an entry are disabled, but only while the popup is
    // open.
    void popupDisablesWhatHasNothingToActOn()
    {
        Program program;
        QVERIFY(program.start());
        const auto enabledItems = [&program] {
            QList<bool> enabled;
            for (const char* name : {"DaKaiWenJianJia", "DaKaiWenJian", "ShanChuWenJian",
                                     "jianchawenjian", "quantijiancha"}) {
                const auto* item = program.find<QAction>(name);
                enabled.append(item && item->isEnabled());
            }
            return enabled;
        };
        QList<bool> enabled;
        QObject guard;
        QTimer::singleShot(0, &guard, [&] {
            enabled = enabledItems();
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        // Below the entries, so that the click selects none.
        QTest::mouseClick(program.fileList->viewport(), Qt::RightButton, {}, QPoint(40, 150));
        QCOMPARE(enabled, (QList<bool>{true, false, false, false, false}));
        QCOMPARE(enabledItems(), QList<bool>(5, true));
    }

    // The results window of the full check, which reads the folder again, keeps the program
    // running when the main window closes.
    void resultsWindowOutlivesTheMainWindow()
    {
        Program program;
        QVERIFY(program.start());
        for (const char* file : {"/start/a", "/start/b"})
            QVERIFY(test::makeFile(program.text(file), 1));
        auto* checkAll = program.find<QAction>("quantijiancha");
        QVERIFY(checkAll);
        checkAll->trigger();
        QPointer<QWidget> form2;
        for (QWidget* window : QApplication::topLevelWidgets())
            form2 = window->objectName() == QStringLiteral("Form2") ? window : form2.data();
        program.window->close();
        program.window.reset();
        QVERIFY(form2 && form2->isVisible());
        QVERIFY(form2->testAttribute(Qt::WA_QuitOnClose));
        form2->close();
    }

    // Opening a file reads the list again; opening the folder does not (deletes() has the
    // deletes).
    void fileCommands_data()
    {
        QTest::addColumn<QString>("item"); // empty: a double click on the entry
        QTest::addColumn<bool>("reread");
        QTest::newRow("打开文件") << "DaKaiWenJian" << true;
        QTest::newRow("double click") << "" << true;
        QTest::newRow("打开文件夹") << "DaKaiWenJianJia" << false;
    }
    void fileCommands()
    {
        QFETCH(QString, item);
        QFETCH(bool, reread);
        Program program;
        QVERIFY(program.start({"a.txt", "b c.txt", "c.txt"}));
        program.fileList->setSelectedIndex(1);
        QVERIFY(test::makeFile(program.text("/start/new.txt"), 1));
        if (item.isEmpty()) {
            const QRect row = program.fileList->visualRect(program.fileList->model()->index(1, 0));
            QTest::mouseDClick(program.fileList->viewport(), Qt::LeftButton, {}, row.center());
        } else {
            auto* action = program.find<QAction>(item);
            QVERIFY(action);
            action->trigger();
        }
        QCOMPARE(program.platform.shellOpens,
                 QList{program.path(reread ? "/start/b c.txt" : "/start/")});
        QVERIFY(program.platform.messages.isEmpty());
        QCOMPARE(program.listed().contains("new.txt"), reread);
    }

    // 删除文件 through the popup's item: to the desktop's trash, and for good only where the
    // volume has none and the user says so a second time.
    void deletes_data()
    {
        // What becomes of the file between the listing and the delete, or "no trash": it lies
        // on a volume without one.
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QList<MessageAnswer>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<bool>("trashed");
        const auto row = [](const char* name, const char* meanwhile,
                            const QList<MessageAnswer>& answers, const QStringList& asked,
                            bool kept, bool trashed) {
            QTest::newRow(name) << QString::fromUtf8(meanwhile) << answers << asked << kept
                                << trashed;
        };
        const auto yes = MessageAnswer::Yes;
        const auto no = MessageAnswer::No;
        row("to the home trash", "", {yes}, {kToTrash}, false, true);
        row("No", "", {no}, {kToTrash}, true, false);
        // Not a missing file: the message says why it stays.
        row("a file that may not be changed", "immutable", {yes},
            {kToTrash, "原因：" + systemReasonText(EPERM)}, true, false);
        row("a file removed meanwhile", "removed", {yes}, {kToTrash, "没有此文件！请检查！"}, false,
            false);
        row("no trash on the volume, deleted for good", "no trash", {yes, yes},
            {kToTrash, kForGood}, false, false);
        row("no trash on the volume, kept", "no trash", {yes, no}, {kToTrash, kForGood}, true,
            false);
    }
    void deletes()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QList<MessageAnswer>, answers);
        QFETCH(QStringList, asked);
        QFETCH(bool, kept);
        QFETCH(bool, trashed);
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
        QVERIFY(meanwhile != "removed" || ::unlink(path.constData()) == 0);
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

    void refreshKeepsThePlace_data()
    {
        QTest::addColumn<QString>("item"); // empty: a click on the folder list
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("current"); // after the refresh
        QTest::addColumn<QString>("currentName");
        QTest::newRow("Dir1 click") << "" << 500 << 500 << "f0501";
        QTest::newRow("打开文件") << "DaKaiWenJian" << 500 << 500 << "f0501";
        QTest::newRow("删除文件") << "ShanChuWenJian" << 500 << 500 << "f0502";
        QTest::newRow("删除文件, the last entry") << "ShanChuWenJian" << 999 << 998 << "f0999";
    }

    // In a folder of many files a refresh leaves the list where it was: the selected entry, or the
    // one that took the deleted one's place, is the current one and stays in view.
    void refreshKeepsThePlace()
    {
        QFETCH(QString, item);
        QFETCH(int, selected);
        QFETCH(int, current);
        QFETCH(QString, currentName);
        QStringList files;
        for (int i = 1; i <= 1000; ++i)
            files.append(QStringLiteral("f%1").arg(i, 4, 10, QLatin1Char('0')));
        Program program;
        QVERIFY(program.start(files));
        const FileList& list = *program.fileList;
        const auto rect = [&list](int row) { return list.visualRect(list.model()->index(row, 0)); };
        // Until the view has laid out every entry, a place may still change.
        const auto laidOut = [&] { return rect(list.count() - 1).isValid(); };
        const auto inView = [&] { return list.viewport()->rect().contains(rect(current)); };
        program.fileList->setSelectedIndex(selected);
        QTRY_VERIFY(laidOut());
        QVERIFY(inView());
        QVERIFY(program.refreshThrough(item));
        QTRY_VERIFY(laidOut());
        QVERIFY(inView());
        QCOMPARE(list.currentIndex().row(), current);
        QCOMPARE(list.entryName(current), currentName);
        QCOMPARE(list.selectedIndex(), item == "ShanChuWenJian" ? -1 : selected);
    }

    void addressMovesTheLists_data()
    {
        QTest::addColumn<Entry>("entry");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<bool>("hasDesktop");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, Entry entry, const char* entered, bool hasDesktop,
                            const char* folder, const char* shown) {
            QTest::newRow(name) << entry << QString::fromUtf8(entered) << hasDesktop << folder
                                << QString::fromUtf8(shown);
        };
        // A folder reached is shown as the folder list names it.
        row("typed", Entry::Typed, "/target", true, "/target", "/target");
        row("pasted, not clean", Entry::Pasted, "/target/sub/..//", true, "/target", "/target");
        row("nonexistent", Entry::Pasted, "/missing", true, "/start", "/missing");
        row("桌面", Entry::Typed, "桌面", true, "/desk/Desktop", "桌面");
        row("z, no desktop folder", Entry::Typed, "z", false, "/home", "z");
        // An uppercase Z is an address: here the folder Z of the current folder.
        row("Z", Entry::Typed, "Z", true, "/start/Z", "/start/Z");
        // Each keystroke moves the lists: an address that names a folder arrives there, on
        // whichever volume, and never at the folder last shown on that volume (desk/Desktop).
        row("another volume", Entry::Typed, "/desk", true, "/desk", "/desk");
        row("on another volume, typed", Entry::Typed, "/desk/dirA", true, "/desk/dirA",
            "/desk/dirA");
        row("on another volume, pasted", Entry::Pasted, "/desk/dirA", true, "/desk/dirA",
            "/desk/dirA");
        // A path that names no folder takes the lists to its volume's folder.
        row("nonexistent, on another volume", Entry::Pasted, "/desk/missing", true, "/desk/Desktop",
            "/desk/Desktop");
    }

    void addressMovesTheLists()
    {
        QFETCH(Entry, entry);
        QFETCH(QString, entered);
        QFETCH(bool, hasDesktop);
        QFETCH(QString, folder);
        QFETCH(QString, shown);
        Program program;
        QVERIFY(program.start({}, hasDesktop));
        QVERIFY(program.driveList->setDrive(program.path("/desk")) &&
                program.folderList->setPath(program.path("/desk/Desktop")) &&
                program.driveList->setDrive("/"));

        program.enter(entered, entry);

        QCOMPARE(program.folderList->path(), program.path(folder));
        const bool onDesk = folder.startsWith("/desk");
        QCOMPARE(program.driveList->drive(), onDesk ? program.path("/desk") : QByteArray("/"));
        QCOMPARE(program.addressBox->text(), program.text(shown));
        QVERIFY(program.platform.messages.isEmpty());
    }

    // Every change puts the caret at the end, wherever the text was edited; a double click,
    // which comes after a click, selects the whole text.
    void addressBoxEditing()
    {
        Program program;
        QVERIFY(program.start());
        QLineEdit& address = *program.addressBox;
        program.enter("/missing", Entry::Pasted);
        address.setCursorPosition(3);
        QTest::keyClick(&address, Qt::Key_X);
        QCOMPARE(address.text(), program.dir.path().insert(3, u'x') + "/missing");
        QCOMPARE(address.cursorPosition(), address.text().size());
        address.setCursorPosition(1);
        QTest::mouseClick(&address, Qt::LeftButton);
        QTest::mouseDClick(&address, Qt::LeftButton);
        QCOMPARE(address.selectedText(), address.text());
    }
};

QTEST_MAIN(BrowserTest)
#include "BrowserTest.moc"
