#include "platform/FilePattern.h"
#include "platform/NativePath.h"
#include "platform/NaturalOrder.h"
#include "platform/Volumes.h"

#include <QTest>

#include <algorithm>
#include <random>

using namespace vornak;

namespace {

FileEntry entry(const QByteArray& name)
{
    return {name, QString::fromUtf8(name)};
}

} // namespace

// Wildcard patterns, the natural order of names, and where a path leads.
class NamesAndPathsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void patternMatches_data();
    void patternMatches();
    void patternRefusesWhatNoNameCanHold();
    void naturalOrder_data();
    void naturalOrder();
    void sortAgreesWithPairwiseOrder();
    void cleanAbsolutePath_data();
    void cleanAbsolutePath();
    void volumeRootOf_data();
    void volumeRootOf();
};

void NamesAndPathsTest::patternMatches_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");
    const auto row = [](const char* pattern, const char* name, bool expected) {
        QTest::addRow("%s ~ %s", pattern, name)
            << QString::fromUtf8(pattern) << QString::fromUtf8(name) << expected;
    };
    row("*", "abc", true);
    row("*.txt", "READ.TXT", true);
    row("*ä*", "Ärger.txt", true);
    row("a*.txt", "a.txt", true);
    row("*.txt", "a.txt.bak", false);
    row("?.txt", "a.txt", true);
    row("?.txt", "ab.txt", false);
    row("a?", "a", false);
    row("a*b*c", "aXbYbZc", true);
    row("a*b*c", "aXcYb", false);
    // "." followed only by stars also matches a name without any ".".
    row("a.**", "a", true);
    row("a.*", "ab", false);
    row("*c.*", "a.c", false);
    row("*abc*.txt*", "abc", false);
    row("*.jpg;*.png", "a.PNG", true);
    row("*.jpg;*.png", "a.gif", false);
    row("*.txt;b.*", "b", true);
}

void NamesAndPathsTest::patternMatches()
{
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, expected);
    const auto parsed = FilePattern::parse(pattern);
    QVERIFY(parsed);
    QCOMPARE(parsed->matches(name), expected);
}

void NamesAndPathsTest::patternRefusesWhatNoNameCanHold()
{
    QVERIFY(!FilePattern::parse(QStringLiteral("*a/b*.*")));
    QVERIFY(!FilePattern::parse(QStringLiteral("*a") + QChar(u'\0') + QStringLiteral("*.*")));
}

void NamesAndPathsTest::naturalOrder_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    const auto row = [](const char* tag, QByteArray first, QByteArray second) {
        QTest::newRow(tag) << first << second;
    };
    row("numbers by value", "IMG_2", "IMG_10");
    row("numbers beyond 64 bits", "n99999999999999999999", "n100000000000000000000");
    row("fewer leading zeros first", "a1", "a01");
    row("value before leading zeros", "a01", "a2");
    row("leading zeros before the rest", "a1c", "a01b");
    row("zero alone", "a0", "a1");
    row("shorter first", "a", "a1");
    row("digits after what sorts before 0", "a-", "a1");
    row("digits before what sorts after 0", "a1", "a_");
    row("case ignored", "apple", "Banana");
    row("equal but for case: exact bytes", "Abc", "abc");
    row("ASCII before accents", "z", "\xc3\xa9");
    row("accents without case", "\xc3\xa9t\xc3\xa9 2", "\xc3\x89T\xc3\x89 10");
    row("beyond the 16-bit plane by code point", "\xef\xbc\x81", "\xf0\x9f\x98\x80");
    row("undecodable names by their bytes", "\xfe", "\xff");
}

void NamesAndPathsTest::naturalOrder()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QVERIFY(naturalLess(entry(first), entry(second)));
    QVERIFY(!naturalLess(entry(second), entry(first)));
    QVERIFY(!naturalLess(entry(first), entry(first)));
}

// Names sharing long beginnings, digits, case pairs and multi-byte characters, sorted in one go,
// come out as the pairwise order puts them.
void NamesAndPathsTest::sortAgreesWithPairwiseOrder()
{
    const QList<QByteArray> pieces{"a",  "A",        "0",        "00",   "1",
                                   "9",  "10",       "_",        " ",    ".",
                                   "照", "\xc3\xa9", "\xc3\x89", "\xff", "\xf0\x9f\x98\x80"};
    std::mt19937 random(7);
    std::vector<FileEntry> entries;
    NameList list;
    for (int i = 0; i < 3000; ++i) {
        QByteArray name = i % 2 ? "shared beginning " : "";
        for (int k = 1 + int(random() % 6); k > 0; --k)
            name += pieces[qsizetype(random() % std::uint32_t(pieces.size()))];
        entries.push_back(entry(name));
        list.append(name);
    }
    std::stable_sort(entries.begin(), entries.end(), naturalLess);
    sortNaturally(list);
    for (std::size_t i = 0; i < entries.size(); ++i)
        QCOMPARE(list.nameAt(i), entries[i].name);
}

void NamesAndPathsTest::cleanAbsolutePath_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("base");
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char* tag, QByteArray path, QByteArray base, QByteArray expected) {
        QTest::newRow(tag) << path << base << expected;
    };
    row("parent", "/a/b/../c", "/", "/a/c");
    row("relative parent", "../x", "/a/b", "/a/x");
    row("above the root", "/../..", "/", "/");
    row("doubled and trailing separators", "//a///b/", "/", "/a/b");
    row("dots", "./x/./y", "/b", "/b/x/y");
    row("bytes kept", "/\xff\xfe/a/..", "/", "/\xff\xfe");
    row("name with dots is a name", "/a/...", "/", "/a/...");
}

void NamesAndPathsTest::cleanAbsolutePath()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, expected);
    QCOMPARE(vornak::cleanAbsolutePath(path, base), expected);
}

void NamesAndPathsTest::volumeRootOf_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("inside a mount") << QByteArray("/mnt/data/x") << QByteArray("/mnt/data");
    QTest::newRow("the mount itself") << QByteArray("/mnt/data") << QByteArray("/mnt/data");
    QTest::newRow("a name that only begins alike")
        << QByteArray("/mnt/database") << QByteArray("/");
    QTest::newRow("the root") << QByteArray("/") << QByteArray("/");
}

void NamesAndPathsTest::volumeRootOf()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, expected);
    const QList<Volume> volumes{{"/", QString()}, {"/mnt/data", QString()}};
    QCOMPARE(vornak::volumeRootOf(volumes, path), expected);
}

QTEST_APPLESS_MAIN(NamesAndPathsTest)
#include "NamesAndPathsTest.moc"
