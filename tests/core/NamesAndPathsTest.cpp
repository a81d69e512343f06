#include "core/names/FilePattern.h"
#include "core/names/NameText.h"
#include "core/names/NaturalOrder.h"
#include "core/names/OptionText.h"

#include <QTest>

#include <algorithm>
#include <random>

using namespace vornak;
using namespace Qt::StringLiterals;

// Wildcard patterns and the natural order of names.
class NamesAndPathsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void patterns()
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
        // The file list's filters: a part of the name, and the start of the extension.
        const auto filtered = FilePattern::parse(filePatternText(QStringLiteral("MG"), "jp"));
        QVERIFY(filtered && filtered->matches(QStringLiteral("IMG_1.jpeg")));
    }

    // Names that differ only in letter case, as bytes: letters outside ASCII that fold to ASCII
    // ones, and bytes that are not UTF-8, which have no case.
    void differsOnlyInCase()
    {
        const struct {
            const char* a;
            const char* b;
            bool caseOnly;
        } rows[] = {{"Read.TXT", "read.txt", true},
                    {"read.txt", "read.txt", false},
                    {"\xe7\x85\xa7 A", "\xe7\x85\xa7 a", true},
                    {"\xe7\x85\xa7.txt", "2026 \xe7\x85\xa7.txt", false},
                    {"\xc3\x89t\xc3\xa9", "\xc3\xa9T\xc3\x89", true},
                    {"\xe2\x84\xaa.txt", "k.txt", true},
                    {"K.txt", "\xe2\x84\xaa.txt", true},
                    {"\xc5\xbfun", "SUN", true},
                    {"a\xff", "A\xff", true},
                    {"\xff", "y", false},
                    {"x\xe9", "xe", false}};
        for (const auto& [a, b, caseOnly] : rows)
            QVERIFY2(vornak::differsOnlyInCase(a, b) == caseOnly, a);
    }

    // What an option box keeps of a typed or pasted text: nothing that reaches into another
    // folder, no control character.
    void optionTextKeepsNameCharacters()
    {
        QCOMPARE(withoutForbiddenNameChars(u"a\\b/c:d*e?f<g>h|i\tj\nk\x7fl \u7167\U0001F44D"_s),
                 u"abcdefghijkl \u7167\U0001F44D"_s);
    }

    // Names in natural order, which the sort must restore from a shuffle.
    void naturalOrder_data()
    {
        QTest::addColumn<QList<QByteArray>>("names");
        using L = QList<QByteArray>;
        QTest::newRow("digit runs by value") << L{"IMG_2", "IMG_10", "IMG_100"};
        QTest::newRow("upper case folds") << L{"a2", "A10", "b1", "B2"};
        QTest::newRow("fewer leading zeros first")
            << L{"a0", "a00", "a1", "a01", "a001", "a2", "a010"};
        QTest::newRow("leading zeros decide before what follows") << L{"a1c", "a01b"};
        QTest::newRow("runs beyond 64 bits")
            << L{"18446744073709551615", "18446744073709551616", "0100000000000000000000",
                 "100000000000000000001"};
        QTest::newRow("a run stands where a digit would")
            << L{"a", "a-", "a.txt", "a1", "a1.txt", "a9", "a_", "aa", "a１"};
        QTest::newRow("folding beyond ASCII") << L{"é apple", "É Banana", "σ1", "Σ2", "ς3"};
        QTest::newRow("CJK and emoji by code point") << L{"中", "文", "ｚ", "😀"};
        QTest::newRow("names that show alike by their bytes")
            << L{"A", "a", "x\xef\xbf\xbd", "x\xfe", "x\xff"};
    }
    void naturalOrder()
    {
        QFETCH(QList<QByteArray>, names);
        QList<QByteArray> shuffled = names;
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(11));
        NameList list;
        for (const QByteArray& name : shuffled)
            list.append(name);
        sortNaturally(list);
        QList<QByteArray> sorted;
        for (std::size_t i = 0; i < list.size(); ++i)
            sorted.append(list.nameAt(i));
        QCOMPARE(sorted, names);
    }
};

QTEST_APPLESS_MAIN(NamesAndPathsTest)
#include "NamesAndPathsTest.moc"
