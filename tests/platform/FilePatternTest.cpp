#include "platform/FilePattern.h"

#include <QTest>

using vornak::FilePattern;

class FilePatternTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matches_data();
    void matches();
    void refusesWhatNoNameCanHold_data();
    void refusesWhatNoNameCanHold();
};

void FilePatternTest::matches_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");

    const auto row = [](const char* tag, const char* pattern, const char* name, bool expected) {
        QTest::newRow(tag) << QString::fromUtf8(pattern) << QString::fromUtf8(name) << expected;
    };
    row("star, extension", "*", "a.txt", true);
    row("star, no extension", "*", "abc", true);
    row("initial filters, extension", "***.**", "photo.jpg", true);
    row("initial filters, no extension", "***.**", "Makefile", true);
    row("initial filters, trailing dot", "***.**", "odd.", true);
    row("letters without case", "*.txt", "READ.TXT", true);
    row("non-ASCII without case", "*ä*", "Ärger.txt", true);
    row("CJK", "*照片*.*", "照片 1.dat", true);
    row("CJK elsewhere", "*照片*.*", "风景.dat", false);
    row("star covers no character", "a*.txt", "a.txt", true);
    row("extension must be whole", "*.txt", "a.txt.bak", false);
    row("extension filter leaves room behind", "*.txt*", "a.txt.bak", true);
    row("question mark is one character", "?.txt", "a.txt", true);
    row("question mark is not two", "?.txt", "ab.txt", false);
    row("question mark is not none", "a?", "a", false);
    row("question mark inside extension", "*.t?t", "a.tst", true);
    row("stars backtrack", "a*b*c", "aXbYbZc", true);
    row("order of pieces counts", "a*b*c", "aXcYb", false);
    row("repeated letters", "*ab", "aaab", true);
    row("dot and stars match a name without extension", "*abc*.*", "xabcx", true);
    row("dot and stars match any extension", "*abc*.*", "abc.log", true);
    row("dot and stars still need the base", "*abc*.*", "ab.c", false);
    row("dot and one star, no extension", "a.*", "a", true);
    row("dot and stars, other base", "a.*", "ab", false);
    row("dot and two stars, no extension", "a.**", "a", true);
    row("extension filter, no extension", "*abc*.txt*", "abc", false);
    row("both filters", "*abc*.txt*", "myabc.txt", true);
    row("both filters, dot in the base", "*abc*.txt*", "abc.old.txt", true);
    row("both filters, wrong order", "*abc*.txt*", "txt.abc", false);
    row("both filters, no dot between", "*abc*.txt*", "abctxt", false);
    row("empty name filter", "**.txt*", "notes.txt", true);
    row("empty extension filter, no extension", "**.*", "notes", true);
    row("semicolon: first pattern", "*.jpg;*.png", "a.jpg", true);
    row("semicolon: second pattern", "*.jpg;*.png", "a.PNG", true);
    row("semicolon: neither", "*.jpg;*.png", "a.gif", false);
    row("semicolon: dot rule per pattern", "*.txt;b.*", "b", true);
    row("semicolon inside a filter", "*a;b*.*", "a", true);
}

void FilePatternTest::matches()
{
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, expected);
    const auto parsed = FilePattern::parse(pattern);
    QVERIFY(parsed);
    QCOMPARE(parsed->matches(name), expected);
}

void FilePatternTest::refusesWhatNoNameCanHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("separator") << QStringLiteral("*a/b*.*");
    QTest::newRow("NUL") << (QStringLiteral("*a") + QChar(u'\0') + QStringLiteral("*.*"));
}

void FilePatternTest::refusesWhatNoNameCanHold()
{
    QFETCH(QString, text);
    QVERIFY(!FilePattern::parse(text));
}

QTEST_APPLESS_MAIN(FilePatternTest)
#include "FilePatternTest.moc"
