#include "core/FilePattern.h"
#include "core/NativePath.h"
#include "core/NaturalOrder.h"
#include "core/Volumes.h"

#include <QTest>

#include <algorithm>
#include <random>

using namespace vornak;

// Wildcard patterns, the natural order of names, and where a path leads.
class NamesAndPathsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void patterns();
    void naturalOrder();
    void paths();
};

void NamesAndPathsTest::patterns()
{
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } rows[] = {{"*.TXT", "read.txt", true},
                {"?.txt", "a.txt", true},
                {"?.txt", "ab.txt", false},
                // "." followed only by stars also matches a name without any ".".
                {"a.**", "a", true},
                {"*c.*", "a.c", false},
                {"*.jpg;*.png", "a.PNG", true},
                {"*.jpg;*.png", "a.gif", false}};
    for (const auto& [pattern, name, matches] : rows) {
        const auto parsed = FilePattern::parse(QString::fromUtf8(pattern));
        QVERIFY2(parsed && parsed->matches(QString::fromUtf8(name)) == matches, name);
    }
    QVERIFY(!FilePattern::parse(QStringLiteral("*a/b*.*")));
}

void NamesAndPathsTest::naturalOrder()
{
    // Whether a comes before b in natural order: the first of the two once sorted.
    const auto sortsBefore = [](const QByteArray& a, const QByteArray& b) {
        NameList pair;
        pair.append(b);
        pair.append(a);
        sortNaturally(pair);
        return a != b && pair.nameAt(0) == a;
    };
    const QList<std::pair<QByteArray, QByteArray>> ascending{
        {"IMG_2", "IMG_10"}, {"a1", "a01"}, {"a01", "a2"}, {"\xc3\xa9 apple", "\xc3\x89 Banana"}};
    for (const auto& [first, second] : ascending)
        QVERIFY2(sortsBefore(first, second), first.constData());
    // Names sharing beginnings, digits, case pairs and multi-byte characters, sorted in one go,
    // come out as the pairwise order puts them.
    const QList<QByteArray> pieces{"a", "A", "0", "00", "1", "10", "_", "\xc3\xa9", "\xc3\x89"};
    std::mt19937 random(7);
    std::vector<QByteArray> entries;
    NameList list;
    for (int i = 0; i < 3000; ++i) {
        QByteArray name;
        for (int k = 1 + int(random() % 6); k > 0; --k)
            name += pieces[qsizetype(random() % std::uint32_t(pieces.size()))];
        entries.push_back(name);
        list.append(name);
    }
    std::stable_sort(entries.begin(), entries.end(), sortsBefore);
    sortNaturally(list);
    for (std::size_t i = 0; i < entries.size(); ++i)
        QCOMPARE(list.nameAt(i), entries[i]);
}

void NamesAndPathsTest::paths()
{
    QCOMPARE(cleanAbsolutePath("/a/b/../c", "/"), QByteArray("/a/c"));
    QCOMPARE(cleanAbsolutePath("../x", "/a/b"), QByteArray("/a/x"));
    const QList<Volume> volumes{{"/mnt/data", QString()}, {"/", QString()}};
    QCOMPARE(volumeRootOf(volumes, "/mnt/data/x"), QByteArray("/mnt/data"));
    QCOMPARE(volumeRootOf(volumes, "/mnt/database"), QByteArray("/"));
}

QTEST_APPLESS_MAIN(NamesAndPathsTest)
#include "NamesAndPathsTest.moc"
