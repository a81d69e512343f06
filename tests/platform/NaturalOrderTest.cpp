#include "platform/NaturalOrder.h"

#include <QTest>

#include <algorithm>
#include <random>

using vornak::FileEntry;

namespace {

FileEntry entry(const QByteArray& name)
{
    return {name, QString::fromUtf8(name)};
}

QList<QByteArray> namesOf(const vornak::NameList& list)
{
    QList<QByteArray> names;
    for (std::size_t i = 0; i < list.size(); ++i)
        names.append(list.nameAt(i));
    return names;
}

} // namespace

class NaturalOrderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pairs_data();
    void pairs();
    void sortsAList();
    void sortAgreesWithPairwiseOrder();
};

void NaturalOrderTest::pairs_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");

    QTest::newRow("numbers by value") << QByteArray("IMG_2") << QByteArray("IMG_10");
    QTest::newRow("numbers inside") << QByteArray("file 9.txt") << QByteArray("file 10.txt");
    QTest::newRow("fewer leading zeros first") << QByteArray("a1") << QByteArray("a01");
    QTest::newRow("leading zeros, then value") << QByteArray("a01") << QByteArray("a2");
    QTest::newRow("two zeros after one") << QByteArray("a01") << QByteArray("a001");
    QTest::newRow("zero alone") << QByteArray("a0") << QByteArray("a1");
    QTest::newRow("zeros decide before the rest") << QByteArray("a1c") << QByteArray("a01b");
    QTest::newRow("numbers beyond 64 bits")
        << QByteArray("n99999999999999999999") << QByteArray("n100000000000000000000");
    QTest::newRow("shorter first") << QByteArray("a") << QByteArray("a1");
    QTest::newRow("case ignored") << QByteArray("apple") << QByteArray("Banana");
    QTest::newRow("case ignored with numbers") << QByteArray("img_2") << QByteArray("IMG_3");
    QTest::newRow("equal but for case: exact text") << QByteArray("Abc") << QByteArray("abc");
    QTest::newRow("digits where a 0 would be") << QByteArray("a-") << QByteArray("a1");
    QTest::newRow("digits before underscore") << QByteArray("a1") << QByteArray("a_");
    QTest::newRow("ASCII before accents") << QByteArray("z") << QByteArray("\xc3\xa9");
    QTest::newRow("accents without case, then exact")
        << QByteArray("\xc3\x89") << QByteArray("\xc3\xa9");
    QTest::newRow("accented letter then number")
        << QByteArray("\xc3\xa9t\xc3\xa9 2") << QByteArray("\xc3\x89T\xc3\x89 10");
    QTest::newRow("CJK by code point") << QByteArray("中") << QByteArray("文");
    QTest::newRow("CJK with numbers") << QByteArray("照片 2") << QByteArray("照片 10");
    QTest::newRow("beyond the 16-bit plane by code point")
        << QByteArray("\xef\xbc\x81") << QByteArray("\xf0\x9f\x98\x80");
    QTest::newRow("undecodable names by their bytes") << QByteArray("\xfe") << QByteArray("\xff");
}

void NaturalOrderTest::pairs()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QVERIFY(vornak::naturalLess(entry(first), entry(second)));
    QVERIFY(!vornak::naturalLess(entry(second), entry(first)));
    QVERIFY(!vornak::naturalLess(entry(first), entry(first)));
}

void NaturalOrderTest::sortsAList()
{
    const QList<QByteArray> expected{"IMG_1.jpg",   "IMG_2.jpg",  "img_3.jpg",   "IMG_10.jpg",
                                     "IMG_010.jpg", "IMG_11.jpg", "IMG_100.jpg", "照片 1",
                                     "照片 2",      "照片 12"};
    QList<QByteArray> shuffled(expected.crbegin(), expected.crend());
    std::rotate(shuffled.begin(), shuffled.begin() + 3, shuffled.end());
    vornak::NameList list;
    for (const QByteArray& name : shuffled)
        list.append(name);
    vornak::sortNaturally(list);
    QCOMPARE(namesOf(list), expected);
}

// Names that share long beginnings, digits, case pairs and multi-byte characters, sorted in one
// go, must come out as the pairwise order puts them.
void NaturalOrderTest::sortAgreesWithPairwiseOrder()
{
    const QList<QByteArray> pieces{"a",  "A",        "0",        "00",   "1",
                                   "9",  "10",       "_",        " ",    ".",
                                   "照", "\xc3\xa9", "\xc3\x89", "\xff", "\xf0\x9f\x98\x80"};
    std::mt19937 random(7);
    std::vector<FileEntry> entries;
    vornak::NameList list;
    for (int i = 0; i < 3000; ++i) {
        QByteArray name = i % 2 ? "shared beginning " : "";
        const int length = 1 + int(random() % 6);
        for (int k = 0; k < length; ++k)
            name += pieces[qsizetype(random() % std::uint32_t(pieces.size()))];
        entries.push_back(entry(name));
        list.append(name);
    }
    std::stable_sort(entries.begin(), entries.end(), vornak::naturalLess);
    vornak::sortNaturally(list);
    QList<QByteArray> expected;
    for (const FileEntry& e : entries)
        expected.append(e.name);
    QCOMPARE(namesOf(list), expected);
}

QTEST_APPLESS_MAIN(NaturalOrderTest)
#include "NaturalOrderTest.moc"
