#include "support/RenameWindow.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"

#include <QApplication>
#include <QTest>

#include <sys/stat.h>

using namespace vornak;
using namespace vornak::test;

// Runs and their undo through the main window on exFAT through FUSE, where the file system
// knows neither the no-replace flag nor hard links, refuses some characters, and ignores case.
class RenameOnExfatTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // "name=content" of every entry after the run; each file holds its old name.
    void runAndUndo_data()
    {
        QTest::addColumn<QByteArrayList>("files");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<QStringList>("outcome");
        QTest::newRow("prefix, one new name taken by a folder")
            << QByteArrayList{"a.txt", "b.txt", "c.txt"} << QStringLiteral("1=trip_")
            << QByteArrayList{"b.txt=b.txt", "trip_a.txt=a.txt", "trip_b.txt=", "trip_c.txt=c.txt"}
            << QStringList{"已重命名 2 个文件，1 个未更改",
                           "“b.txt” → “trip_b.txt”：新名称已被占用"};
        QTest::newRow("a character the volume cannot store")
            << QByteArrayList{"a.txt", "b.txt"} << QStringLiteral("2=\"q")
            << QByteArrayList{"a.txt=a.txt", "b.txt=b.txt", "trip_b.txt="}
            << QStringList{"已重命名 0 个文件，2 个未更改",
                           "“a.txt” → “a\"q.txt”：此处不允许该名称",
                           "“b.txt” → “b\"q.txt”：此处不允许该名称"};
        QTest::newRow("renumbering chain")
            << QByteArrayList{"a.txt", "x(1).txt", "x(2).txt"} << QStringLiteral("3=x")
            << QByteArrayList{"trip_b.txt=", "x(1).txt=a.txt", "x(2).txt=x(1).txt",
                              "x(3).txt=x(2).txt"}
            << QStringList();
        QTest::newRow("case only")
            << QByteArrayList{"other.JPG", "photo.JPG"} << QStringLiteral("4=jpg")
            << QByteArrayList{"other.jpg=other.JPG", "photo.jpg=photo.JPG", "trip_b.txt="}
            << QStringList();
    }
    void runAndUndo()
    {
        QFETCH(QByteArrayList, files);
        QFETCH(QString, option);
        QFETCH(QByteArrayList, after);
        QFETCH(QStringList, outcome);
        TestMount mount(TestMount::Kind::ExfatFuse, 16 << 20);
        VORNAK_REQUIRE_MOUNT(mount);
        const QByteArray folder = mount.root();
        QVERIFY(::mkdir((folder + "/trip_b.txt").constData(), 0755) == 0);
        for (const QByteArray& name : files)
            QVERIFY(writeFile(folder + '/' + name, name));
        const QByteArrayList before = folderState(folder);
        RenameWindow w;
        w.platform.folderAtStart = folder;
        QVERIFY(w.open());
        w.use(option);
        QVERIFY(w.waitForTick());
        w.runAll();
        QCOMPARE(folderState(folder), after);
        QCOMPARE(w.outcome(), outcome);

        QApplication::setActiveWindow(w.window.get());
        w.platform.answers = {MessageAnswer::Yes};
        w.fileList->setFocus();
        QTest::keyClick(w.fileList, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w.jobEnded());
        QCOMPARE(folderState(folder), before);
        QCOMPARE(w.platform.messages.size(), 2);
        // A run that renamed nothing leaves nothing to undo.
        const bool renamedNone = outcome.value(0).startsWith(QStringLiteral("已重命名 0 "));
        QVERIFY(w.platform.messages.last().prompt.startsWith(
            renamedNone ? QStringLiteral("没有可以撤销的重命名。")
                        : QStringLiteral("撤销上次重命名？")));
    }
};

QTEST_MAIN(RenameOnExfatTest)
#include "RenameOnExfatTest.moc"
