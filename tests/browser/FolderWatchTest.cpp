#include "browser/FolderWatch.h"

#include "support/RenameWindow.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

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
    // A file made by another program shows in the lists, which stay where the user left them.
    void outsideChangeShows()
    {
        Watched w;
        QVERIFY(w.start());
        w.fileList->selectName("f150.t");
        w.fileList->verticalScrollBar()->setValue(20);
        w.folderList->setCurrentItem(w.shownFolder()->child(30));
        w.folderList->verticalScrollBar()->setValue(3);
        QVERIFY(makeFile(w.at("f000.t")));
        QTRY_COMPARE_WITH_TIMEOUT(w.fileList->count(), 301, 5000);
        QCOMPARE(w.fileList->selectedName(), "f150.t");
        QCOMPARE(w.fileList->currentIndex().row(), w.fileList->selectedIndex());
        QCOMPARE(w.fileList->verticalScrollBar()->value(), 20);
        QCOMPARE(w.folderList->currentItem()->text(0), "d41");
        QCOMPARE(w.folderList->verticalScrollBar()->value(), 3);
    }

    // While the program's own run goes, the folder is not watched and F5 reads nothing; after it
    // the watch reads nothing either: the job shows the folder as it left it.
    void ownJobIsNotWatched()
    {
        Watched w;
        QVERIFY(w.start());
        const auto* watcher = w.window->findChild<QFileSystemWatcher*>();
        const QStringList watched = watcher->directories();
        w.use(QStringLiteral("1=x"));
        QVERIFY(w.waitForTick());
        QSignalSpy reads(&w.watch(), &FolderWatch::rereadStarted);
        w.runAll(false);
        QVERIFY(w.engine().isBusy());
        QTest::keyClick(w.window.get(), Qt::Key_F5); // held back, as every key is meanwhile
        QCOMPARE(watcher->directories(), QStringList());
        QVERIFY(w.jobEnded());
        QCOMPARE(w.fileList->entryName(0), "xf001.t");
        QCOMPARE(watcher->directories(), watched);
        QCOMPARE(reads.count(), 0);
    }

    // The watch sees a folder moved away; a click on Dir1 finds it gone with its parent.
    void vanishedFolderGivesWayToItsNearestAncestor_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("shown"); // empty: the top folder
        QTest::newRow("the watch, moved away") << "a/b"
                                               << "a";
        QTest::newRow("its parent too, Dir1 click") << "a"
                                                    << "";
    }

    // The lists leave a folder that vanishes, seen by the watch or at a refresh, for its nearest
    // existing ancestor instead of listing files that are gone, and so does the watch.
    void vanishedFolderGivesWayToItsNearestAncestor()
    {
        QFETCH(QString, removed);
        QFETCH(QString, shown);
        Watched w;
        QVERIFY(QDir().mkpath(QFile::decodeName(w.at("a/b"))));
        for (const char* file : {"top.txt", "a/mid.txt", "a/b/gone.txt"})
            QVERIFY(makeFile(w.at(file)));
        w.platform.folderAtStart = w.at("a/b");
        QVERIFY(w.open());
        const QString gone = QFile::decodeName(w.at(removed.toUtf8()));
        QVERIFY(shown.isEmpty() ? QDir(gone).removeRecursively()
                                : QDir().rename(gone, w.dir.filePath(QStringLiteral("moved"))));
        const QByteArray folder = shown.isEmpty() ? w.folder() : w.at(shown.toUtf8());
        if (shown.isEmpty())
            QVERIFY(w.refreshThrough());
        else
            QTRY_COMPARE_WITH_TIMEOUT(w.fileList->path(), folder, 5000);
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
