#include "core/FileUrl.h"

#include <QTest>
#include <QUrl>

using namespace vornak;

// A path's file:// address keeps its exact bytes, also through QUrl, which hands it to the
// desktop.
class FileUrlTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exactBytes_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("url");
        QTest::newRow("plain") << QByteArray("/home/u/a-b_c~d.txt")
                               << QByteArray("file:///home/u/a-b_c~d.txt");
        QTest::newRow("root") << QByteArray("/") << QByteArray("file:///");
        QTest::newRow("folder") << QByteArray("/tmp/dir/") << QByteArray("file:///tmp/dir/");
        QTest::newRow("not UTF-8")
            << QByteArray("/tmp/a\xfe.txt\xff") << QByteArray("file:///tmp/a%FE.txt%FF");
        QTest::newRow("space, percent") << QByteArray("/tmp/50 % off/%41.txt")
                                        << QByteArray("file:///tmp/50%20%25%20off/%2541.txt");
        QTest::newRow("fragment, query")
            << QByteArray("/tmp/#1?a=b.txt") << QByteArray("file:///tmp/%231%3Fa%3Db.txt");
        QTest::newRow("shell characters")
            << QByteArray("/tmp/'a' \"b\" $c `d` &;|<>\\!*")
            << QByteArray(
                   "file:///tmp/%27a%27%20%22b%22%20%24c%20%60d%60%20%26%3B%7C%3C%3E%5C%21%2A");
        QTest::newRow("CJK") << QByteArray("/tmp/前_文件.txt")
                             << QByteArray("file:///tmp/%E5%89%8D_%E6%96%87%E4%BB%B6.txt");
        QTest::newRow("emoji") << QByteArray("/tmp/\xf0\x9f\x98\x80.png")
                               << QByteArray("file:///tmp/%F0%9F%98%80.png");
        QTest::newRow("newline, tab")
            << QByteArray("/tmp/a\nb\tc") << QByteArray("file:///tmp/a%0Ab%09c");
    }

    void exactBytes()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, url);
        QCOMPARE(fileUrlOf(path), url);
        const QUrl parsed = QUrl::fromEncoded(url, QUrl::StrictMode);
        QVERIFY(parsed.isValid() && parsed.isLocalFile());
        QCOMPARE(parsed.toEncoded(), url);
        QCOMPARE(QByteArray::fromPercentEncoding(parsed.path(QUrl::FullyEncoded).toLatin1()), path);
    }
};

QTEST_GUILESS_MAIN(FileUrlTest)
#include "FileUrlTest.moc"
