#include "browser/FolderWatch.h"

#include "support/RenameWindow.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <thread>

using namespace vornak;
using namespace vornak::test;

namespace {

// The main window on a folder of 300 files f001.t… and 60 subfolders d11…
struct Watched : RenameWindow {
    [[nodiscard]] bool start()
    {
        bool made = true;
        for (int i = 1; i <= 300; ++i)
            made = made && makeFile(at('f' + QByteArray::number(i).rightJustified(3, '0') + ".t"));
        for (int i = 1; i <= 60; ++i)
            made = made && QDir().mkdir(QFile::decodeName(at("d" + QByteArray::number(i + 10))));
        return made && open();
    }
    FolderWatch& watch() const { return *window->findChild<FolderWatch*>(); }
    QTreeWidgetItem* shownFolder() const
    {
        return folderList
            ->findItems(QDir(dir.path()).dirName(), Qt::MatchExactly | Qt::MatchRecursive)
            .value(0);
    }
};

} // namespace

class FolderWatchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outsideChangeShows_data()
    {
        QTest::addColumn<QString>("change"); // "+name": made; "-name": removed; "/": a folder
        QTest::addColumn<QByteArray>("selected");
        QTest::addColumn<bool>("f5"); // unseen by the watch, read again by F5
        QTest::newRow("file made") << "+f000.t" << QByteArray("f150.t") << false;
        QTest::newRow("file removed") << "-f001.t" << QByteArray("f150.t") << false;
        QTest::newRow("selected file removed") << "-f150.t" << QByteArray() << false;
        QTest::newRow("folder made") << "+/d00" << QByteArray("f150.t") << false;
        QTest::newRow("current folder removed") << "-/d41" << QByteArray("f150.t") << false;
        QTest::newRow("file made, F5") << "+f000.t" << QByteArray("f150.t") << true;
    }

    // A change made by another program shows in the lists, which stay where the user left them;
    // F5 reads the lists again, for changes the watch did not see.
    void outsideChangeShows()
    {
        QFETCH(QString, change);
        QFETCH(QByteArray, selected);
        QFETCH(bool, f5);
        Watched w;
        QVERIFY(w.start());
        if (f5)
            w.watch().pause();
        w.fileList->selectName("f150.t");
        w.fileList->verticalScrollBar()->setValue(20);
        w.folderList->setCurrentItem(w.shownFolder()->child(30));
        w.folderList->verticalScrollBar()->setValue(3);
        const QString path = w.dir.filePath(change.mid(1).remove(u'/'));
        const bool made = change.startsWith(u'+');
        const bool folder = change.contains(u'/');
        QVERIFY(made ? (folder ? QDir().mkdir(path) : makeFile(path))
                     : (folder ? QDir().rmdir(path) : QFile::remove(path)));
        if (f5)
            QTest::keyClick(w.window.get(), Qt::Key_F5);
        const int shown = made ? 1 : -1;
        QTRY_COMPARE_WITH_TIMEOUT(w.fileList->count(), 300 + (folder ? 0 : shown), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(w.shownFolder()->childCount(), 60 + (folder ? shown : 0), 5000);
        QCOMPARE(w.fileList->selectedName(), selected);
        QCOMPARE(w.fileList->currentIndex().row(),
                 selected.isEmpty() ? 149 : w.fileList->selectedIndex());
        QCOMPARE(w.fileList->verticalScrollBar()->value(), 20);
        QCOMPARE(w.folderList->currentItem()->text(0),
                 change == "-/d41" ? w.shownFolder()->text(0) : "d41");
        QCOMPARE(w.folderList->verticalScrollBar()->value(), 3);
    }

    // A burst of changes made by another program, seen as it happens, is read a few times, not
    // once a change: at most once a second and once after it.
    void burstIsReadOnceASecond()
    {
        Watched w;
        QVERIFY(w.open());
        QSignalSpy reads(&w.watch(), &FolderWatch::rereadStarted);
        QElapsedTimer burst;
        burst.start();
        qint64 seconds = 0;
        std::thread maker([&] {
            for (int i = 0; i < 2000; ++i)
                makeFile(w.at("n" + QByteArray::number(i)));
            seconds = burst.elapsed() / 1000;
        });
        QTRY_COMPARE_WITH_TIMEOUT(w.fileList->count(), 2000, 20000);
        maker.join();
        QVERIFY2(reads.count() <= seconds + 2, QByteArray::number(reads.count()));
    }

    void ownJobIsNotWatched_data()
    {
        QTest::addColumn<bool>("undo");
        QTest::newRow("run") << false;
        QTest::newRow("undo") << true;
    }

    // While the program's own run or undo goes, the folder is not watched and F5 reads nothing;
    // after it the watch reads nothing either: the job shows the folder as it left it.
    void ownJobIsNotWatched()
    {
        QFETCH(bool, undo);
        Watched w;
        QVERIFY(w.start());
        const auto* watcher = w.window->findChild<QFileSystemWatcher*>();
        const QStringList watched = watcher->directories();
        w.use(QStringLiteral("1=x"));
        QVERIFY(w.waitForTick());
        QSignalSpy reads(&w.watch(), &FolderWatch::rereadStarted);
        w.runAll(undo);
        if (undo) {
            w.platform.answers.push_back(MessageAnswer::Yes);
            QTest::keyClick(w.window.get(), Qt::Key_Z, Qt::ControlModifier);
        }
        QVERIFY(w.engine().isBusy());
        QTest::keyClick(w.window.get(), Qt::Key_F5); // held back, as every key is meanwhile
        QCOMPARE(watcher->directories(), QStringList());
        QVERIFY(w.jobEnded());
        QCOMPARE(w.fileList->entryName(0), undo ? "f001.t" : "xf001.t");
        QCOMPARE(watcher->directories(), watched);
        QCOMPARE(reads.count(), 0);
    }

    void vanishedFolderGivesWayToItsNearestAncestor_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("movedTo"); // empty: removed
        QTest::addColumn<QString>("item");    // what reads the list again; empty: a click on Dir1
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const char* removed, const char* movedTo,
                            const char* item, const char* shown) {
            QTest::newRow(name) << removed << movedTo << item << shown;
        };
        row("the watch, removed", "a/b", "", "watch", "a");
        row("the watch, moved away", "a/b", "moved", "watch", "a");
        row("the folder, Dir1 click", "a/b", "", "", "a");
        row("its parent too, Dir1 click", "a", "", "", "");
        row("the folder, 全体检查", "a/b", "", "quantijiancha", "a");
    }

    // The lists leave a folder that vanishes, seen by the watch or at a refresh, for its nearest
    // existing ancestor instead of listing files that are gone, and so does the watch.
    void vanishedFolderGivesWayToItsNearestAncestor()
    {
        QFETCH(QString, removed);
        QFETCH(QString, movedTo);
        QFETCH(QString, item);
        QFETCH(QString, shown);
        Watched w;
        QVERIFY(QDir().mkpath(QFile::decodeName(w.at("a/b"))));
        for (const char* file : {"top.txt", "a/mid.txt", "a/b/gone.txt"})
            QVERIFY(makeFile(w.at(file)));
        w.platform.folderAtStart = w.at("a/b");
        QVERIFY(w.open());
        const QString gone = QFile::decodeName(w.at(removed.toUtf8()));
        QVERIFY(movedTo.isEmpty() ? QDir(gone).removeRecursively()
                                  : QDir().rename(gone, w.dir.filePath(movedTo)));
        const QByteArray folder = shown.isEmpty() ? w.folder() : w.at(shown.toUtf8());
        if (item == "watch")
            QTRY_COMPARE_WITH_TIMEOUT(w.fileList->path(), folder, 5000);
        else
            QVERIFY(w.refreshThrough(item));
        QCOMPARE(w.folderList->path(), folder);
        QCOMPARE(w.fileList->path(), folder);
        QCOMPARE(w.listed(), QList<QByteArray>{shown.isEmpty() ? "top.txt" : "mid.txt"});
        QStringList watched = w.window->findChild<QFileSystemWatcher*>()->directories();
        watched.sort();
        const QString shownFolder = QFile::decodeName(folder);
        QCOMPARE(watched, (QStringList{QFileInfo(shownFolder).path(), shownFolder}));
    }
};

QTEST_MAIN(FolderWatchTest)
#include "FolderWatchTest.moc"
