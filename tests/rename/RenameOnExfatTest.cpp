#include "support/RenameWindow.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"

#include <QTest>

using namespace vornak;
using namespace vornak::test;

// A run through the main window on exFAT through FUSE, which refuses some characters: every
// file keeps its name and is reported with the volume's reason. How each kind of rename fares
// on the volume, and that a run which moved nothing leaves nothing to undo, the engine's own
// tests show.
class RenameOnExfatTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusedCharacterIsReported()
    {
        TestMount mount(TestMount::Kind::ExfatFuse, 16 << 20);
        VORNAK_REQUIRE_MOUNT(mount);
        const QByteArray folder = mount.root();
        for (const QByteArray name : {"a.txt", "b.txt"})
            QVERIFY(writeFile(folder + '/' + name, name));
        const QByteArrayList before = folderState(folder);
        RenameWindow w;
        w.platform.folderAtStart = folder;
        QVERIFY(w.open());
        w.use(QStringLiteral("2=\"q"));
        QVERIFY(w.waitForTick());
        w.runAll();
        QCOMPARE(folderState(folder), before);
        QCOMPARE(w.outcome(), (QStringList{"已重命名 0 个文件，2 个未更改",
                                           "“a.txt” → “a\"q.txt”：此处不允许该名称",
                                           "“b.txt” → “b\"q.txt”：此处不允许该名称"}));
    }
};

QTEST_MAIN(RenameOnExfatTest)
#include "RenameOnExfatTest.moc"
