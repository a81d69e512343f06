#include "browser/SizeDisplay.h"

#include <QTest>

class SizeDisplayTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizeDisplayText_data();
    void sizeDisplayText();
};

// Each text starts with the length it is shown for.
void SizeDisplayTest::sizeDisplayText_data()
{
    QTest::addColumn<QString>("expected");
    for (const char* text :
         {"0B，约0KB", "6B，约0.01KB", "512B，约0.5KB", "1018B，约0.99KB", "1023B，约1KB",
          "1024B，约1KB", "1030B，约1.01KB", "1536B，约1.5KB", "1043333B，约1018.88KB",
          "1043334B，约1MB", "5000000B，约4.77MB", "10485760B，约10MB", "3221225472B，约3072MB",
          "5000000000B，约4768.37MB"})
        QTest::newRow(text) << QString::fromUtf8(text);
}

void SizeDisplayTest::sizeDisplayText()
{
    QFETCH(QString, expected);
    QCOMPARE(vornak::sizeDisplayText(expected.section(u'B', 0, 0).toLongLong()), expected);
}

QTEST_APPLESS_MAIN(SizeDisplayTest)
#include "SizeDisplayTest.moc"
