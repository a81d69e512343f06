#include "browser/SizeDisplay.h"
#include "browser/Navigation.h"

#include <QTest>

class SizeDisplayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizeDisplayText_data();
    void sizeDisplayText();
    void filePatternText_data();
    void filePatternText();
};

void SizeDisplayTest::sizeDisplayText_data()
{
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QString>("expected");
    const auto row = [](qint64 length, const char* expected) {
        QTest::addRow("%lld", length) << length << QString::fromUtf8(expected);
    };
    row(0, "0B，约0KB");
    row(6, "6B，约0.01KB");
    row(512, "512B，约0.5KB");
    row(1018, "1018B，约0.99KB");
    row(1023, "1023B，约1KB");
    row(1024, "1024B，约1KB");
    row(1030, "1030B，约1.01KB");
    row(1536, "1536B，约1.5KB");
    row(1043333, "1043333B，约1018.88KB");
    row(1043334, "1043334B，约1MB");
    row(5000000, "5000000B，约4.77MB");
    row(10485760, "10485760B，约10MB");
    row(qint64(3) << 30, "3221225472B，约3072MB");
    row(5000000000, "5000000000B，约4768.37MB");
}

void SizeDisplayTest::sizeDisplayText()
{
    QFETCH(qint64, length);
    QFETCH(QString, expected);
    QCOMPARE(vornak::sizeDisplayText(length), expected);
}

void SizeDisplayTest::filePatternText_data()
{
    QTest::addColumn<QString>("nameFilter");
    QTest::addColumn<QString>("extensionFilter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("initial") << "*"
                             << "*"
                             << "***.**";
    QTest::newRow("both") << "abc"
                          << "txt"
                          << "*abc*.txt*";
    QTest::newRow("empty extension") << "abc"
                                     << ""
                                     << "*abc*.*";
    QTest::newRow("both empty") << ""
                                << ""
                                << "**.*";
    QTest::newRow("taken as typed") << " a;b"
                                    << "t?t"
                                    << "* a;b*.t?t*";
}

void SizeDisplayTest::filePatternText()
{
    QFETCH(QString, nameFilter);
    QFETCH(QString, extensionFilter);
    QFETCH(QString, expected);
    QCOMPARE(vornak::filePatternText(nameFilter, extensionFilter), expected);
}

QTEST_APPLESS_MAIN(SizeDisplayTest)
#include "SizeDisplayTest.moc"
