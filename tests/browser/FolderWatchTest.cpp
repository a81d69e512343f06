#include "browser/FolderWatch.h"

#include "support/RenameWindow.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <thread>

using namespace vornak;
using namespace vornak::test;

namespace {

// The main window on a folder of 300 files f001… and 60 subfolders d01…, both lists scrolled
// away from the selected file and the current subfolder.
struct Watched : RenameWindow {
    [[nodiscard]] bool start()
    {
        bool made = true;
        for (int i = 1; i <= 300; ++i)
            made = made && makeFile(at(QByteArray::number(i).rightJustified(3, '0').prepend('f')));
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
        QTest::newRow("file made") << "+f000" << QByteArray("f150");
        QTest::newRow("file removed") << "-f001" << QByteArray("f150");
        QTest::newRow("selected file removed") << "-f150" << QByteArray();
        QTest::newRow("folder made") << "+/d00" << QByteArray("f150");
        QTest::newRow("current folder removed") << "-/d41" << QByteArray("f150");
    }

    // A change made by another program shows in the lists, which stay where the user left them.
    void outsideChangeShows()
    {
        QFETCH(QString, change);
        QFETCH(QByteArray, selected);
        Watched w;
        QVERIFY(w.start());
        w.fileList->selectName("f150");
        w.fileList->verticalScrollBar()->setValue(20);
        w.folderList->setCurrentItem(w.shownFolder()->child(30));
        w.folderList->verticalScrollBar()->setValue(3);
        const QString path = w.dir.filePath(change.mid(1).remove(u'/'));
        const bool made = change.startsWith(u'+');
        const bool folder = change.contains(u'/');
        QVERIFY(made ? (folder ? QDir().mkdir(path) : makeFile(path))
                     : (folder ? QDir().rmdir(path) : QFile::remove(path)));
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
};

QTEST_MAIN(FolderWatchTest)
#include "FolderWatchTest.moc"
