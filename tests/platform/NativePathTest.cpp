#include "platform/NativePath.h"
#include "platform/Volumes.h"

#include <QTest>

class NativePathTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanAbsolutePath_data();
    void cleanAbsolutePath();
    void folderChain_data();
    void folderChain();
    void trailingSeparatorAndName();
    void volumeRootOf_data();
    void volumeRootOf();
};

void NativePathTest::cleanAbsolutePath_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("base");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("already clean") << QByteArray("/a/b") << QByteArray("/") << QByteArray("/a/b");
    QTest::newRow("parent") << QByteArray("/a/b/../c") << QByteArray("/") << QByteArray("/a/c");
    QTest::newRow("relative") << QByteArray("x/y") << QByteArray("/base")
                              << QByteArray("/base/x/y");
    QTest::newRow("relative parent")
        << QByteArray("../x") << QByteArray("/a/b") << QByteArray("/a/x");
    QTest::newRow("above the root") << QByteArray("/../..") << QByteArray("/") << QByteArray("/");
    QTest::newRow("doubled and trailing separators")
        << QByteArray("//a///b/") << QByteArray("/") << QByteArray("/a/b");
    QTest::newRow("dots") << QByteArray("./x/./y") << QByteArray("/b") << QByteArray("/b/x/y");
    QTest::newRow("bytes kept") << QByteArray("/\xff\xfe/a/..") << QByteArray("/")
                                << QByteArray("/\xff\xfe");
    QTest::newRow("name with dots is a name")
        << QByteArray("/a/...") << QByteArray("/") << QByteArray("/a/...");
}

void NativePathTest::cleanAbsolutePath()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, expected);
    QCOMPARE(vornak::cleanAbsolutePath(path, base), expected);
}

void NativePathTest::folderChain_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::newRow("root") << QByteArray("/") << QList<QByteArray>{"/"};
    QTest::newRow("two levels") << QByteArray("/a/b") << QList<QByteArray>{"/", "/a", "/a/b"};
    QTest::newRow("trailing separator") << QByteArray("/a/") << QList<QByteArray>{"/", "/a"};
}

void NativePathTest::folderChain()
{
    QFETCH(QByteArray, path);
    QFETCH(QList<QByteArray>, expected);
    QCOMPARE(vornak::folderChain(path), expected);
}

void NativePathTest::trailingSeparatorAndName()
{
    QCOMPARE(vornak::withTrailingSeparator("/"), QByteArray("/"));
    QCOMPARE(vornak::withTrailingSeparator("/a"), QByteArray("/a/"));
    QCOMPARE(vornak::withTrailingSeparator("/a/"), QByteArray("/a/"));
    QCOMPARE(vornak::fileNameOf("/a/b.txt"), QByteArray("b.txt"));
    QCOMPARE(vornak::fileNameOf("/"), QByteArray());
    QCOMPARE(vornak::fileNameOf("b"), QByteArray("b"));
}

void NativePathTest::volumeRootOf_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("inside a mount") << QByteArray("/mnt/data/x") << QByteArray("/mnt/data");
    QTest::newRow("the mount itself") << QByteArray("/mnt/data") << QByteArray("/mnt/data");
    QTest::newRow("a name that only begins alike")
        << QByteArray("/mnt/database") << QByteArray("/");
    QTest::newRow("the root") << QByteArray("/") << QByteArray("/");
}

void NativePathTest::volumeRootOf()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, expected);
    const QList<vornak::Volume> volumes{{"/", QString()}, {"/mnt/data", QString()}};
    QCOMPARE(vornak::volumeRootOf(volumes, path), expected);
}

QTEST_APPLESS_MAIN(NativePathTest)
#include "NativePathTest.moc"
