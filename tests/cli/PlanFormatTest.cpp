#include "texts/PlanFormat.h"

#include <QTest>

using namespace vornak;

class PlanFormatTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesComeBackExactly_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("plain") << QByteArray("a b.txt") << QByteArray("a b.txt");
        QTest::newRow("tab") << QByteArray("a\tb") << QByteArray("a\\tb");
        QTest::newRow("line break") << QByteArray("a\nb\r") << QByteArray("a\\nb\\r");
        QTest::newRow("backslash") << QByteArray("a\\x41") << QByteArray("a\\\\x41");
        QTest::newRow("leading quote") << QByteArray("\"q.txt") << QByteArray("\"q.txt");
        QTest::newRow("CJK and emoji") << QByteArray("中文😀") << QByteArray("中文😀");
        QTest::newRow("not UTF-8") << QByteArray("a\xff\xe9.b") << QByteArray("a\\xFF\\xE9.b");
        QTest::newRow("cut sequence") << QByteArray("\xe4\xb8") << QByteArray("\\xE4\\xB8");
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << QByteArray("\\xED\\xA0\\x80");
        QTest::newRow("overlong") << QByteArray("\xc0\xaf") << QByteArray("\\xC0\\xAF");
    }
    void namesComeBackExactly()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, written);
        const QByteArray line = planLineText({"7", "/d\xff/", name, name + "\t2", "将更改"});
        QCOMPARE(line.count('\t'), 4);
        QVERIFY(!line.contains('\n'));
        QVERIFY(line.contains(written));
        const std::optional<PlanLine> read = readPlanLine(line);
        QVERIFY(read);
        QCOMPARE((QByteArrayList{read->number, read->folder, read->oldName, read->newName,
                                 read->status}),
                 (QByteArrayList{"7", "/d\xff/", name, name + "\t2", "将更改"}));
    }

    void malformedLinesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("four fields") << QByteArray("1\t/d/\ta\tb");
        QTest::newRow("six fields") << QByteArray("1\t/d/\ta\tb\tc\td");
        QTest::newRow("lone backslash") << QByteArray("1\t/d/\ta\\\tb\tc");
        QTest::newRow("unknown escape") << QByteArray("1\t/d/\ta\\q\tb\tc");
        QTest::newRow("short hex") << QByteArray("1\t/d/\ta\\x4\tb\tc");
        QTest::newRow("bad hex") << QByteArray("1\t/d/\ta\\xg1\tb\tc");
    }
    void malformedLinesAreRefused()
    {
        QFETCH(QByteArray, line);
        QVERIFY(!readPlanLine(line));
    }
};

QTEST_GUILESS_MAIN(PlanFormatTest)
#include "PlanFormatTest.moc"
