#include "RenameWindow.h"
#include "TestFolder.h"

#include "platform/NativePath.h"

#include <QFile>
#include <QTemporaryDir>

using namespace vornak;
using namespace vornak::test;

class LivePreviewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void previewsTheSelectedEntry_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<bool>("enabled");
        using F = QList<QByteArray>;
        QTest::newRow("new base name, no number")
            << F{"IMG_0001.JPG"} << 0 << false << QStringList{"3=trip"}
            << QStringLiteral("trip.JPG") << true;
        QTest::newRow("new base name and extension")
            << F{"IMG_0001.JPG"} << 0 << false << QStringList{"3=trip", "4=jpg"}
            << QStringLiteral("trip.jpg") << true;
        QTest::newRow("prefix before the last dot's base")
            << F{"report.final.docx"} << 0 << false << QStringList{"1=new_"}
            << QStringLiteral("new_report.final.docx") << true;
        QTest::newRow("new extension of a name without dot")
            << F{"README"} << 0 << false << QStringList{"1=A", "2=Z", "4=txt"}
            << QStringLiteral("AREADMEZ.txt") << true;
        QTest::newRow("no option ticked shows the name")
            << F{"a.txt"} << 0 << false << QStringList{} << QStringLiteral("a.txt") << true;
        QTest::newRow("batch mode shows the selected entry")
            << F{"a.txt", "b.txt", "c.txt"} << 1 << false << QStringList{"2=_old"}
            << QStringLiteral("b_old.txt") << true;
        QTest::newRow("single mode shows the selected entry")
            << F{"a.txt", "b.txt"} << 1 << true << QStringList{"1=x"} << QStringLiteral("xb.txt")
            << true;
        QTest::newRow("prefix for a name without dot shows nothing")
            << F{"README"} << 0 << false << QStringList{"1=x"} << QString() << true;
        QTest::newRow("batch mode without a selection shows nothing")
            << F{"a.txt"} << -1 << false << QStringList{"1=x"} << QString() << true;
        QTest::newRow("single mode without a selection")
            << F{"a.txt"} << -1 << true << QStringList{"1=x"} << QString() << false;
        QTest::newRow("empty folder")
            << F{} << -1 << false << QStringList{"1=x"} << QString() << false;
        QTest::newRow("name that is not UTF-8")
            << F{"caf\xe9.txt"} << 0 << false << QStringList{"1=new_"}
            << displayText("new_caf\xe9.txt") << true;
    }
    void previewsTheSelectedEntry()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(int, selected);
        QFETCH(bool, single);
        QFETCH(QStringList, options);
        QFETCH(QString, preview);
        QFETCH(bool, enabled);
        QTemporaryDir dir;
        createFiles(dir, files);
        RenameWindow w;
        w.prepare(pathOf(dir), selected, single, options);
        QVERIFY(w.waitForTick());
        QCOMPARE(w.l1().text(), preview);
        QCOMPARE(w.command1().isEnabled(), enabled);
    }

    void keepsThePreviewWhenATickEndsEarly()
    {
        QTemporaryDir dir;
        createFiles(dir, {"a.txt", "README"});
        QTemporaryDir empty;
        RenameWindow w;
        w.showFolder(pathOf(dir));
        w.file1().setSelectedIndex(0);
        w.useOption(1, QStringLiteral("x"));
        QVERIFY(w.waitForTick());
        QCOMPARE(w.l1().text(), QStringLiteral("xa.txt"));
        QCOMPARE(w.file1().entryName(1), QByteArray("README"));
        w.file1().setSelectedIndex(1);
        QVERIFY(w.waitForTick());
        QCOMPARE(w.l1().text(), QStringLiteral("xa.txt"));
        w.showFolder(pathOf(empty));
        QVERIFY(w.waitForTick());
        QVERIFY(!w.command1().isEnabled());
        QCOMPARE(w.l1().text(), QStringLiteral("xa.txt"));
    }

    void followsTheOptionsAtTheNextTick()
    {
        QTemporaryDir dir;
        createFiles(dir, {"a.txt"});
        RenameWindow w;
        w.showFolder(pathOf(dir));
        w.file1().setSelectedIndex(0);
        w.useOption(2, QStringLiteral("_old"));
        QVERIFY(w.waitForTick());
        QCOMPARE(w.l1().text(), QStringLiteral("a_old.txt"));
        QTest::mouseClick(&w.check(2), Qt::LeftButton);
        QVERIFY(w.waitForTick());
        QCOMPARE(w.l1().text(), QStringLiteral("a.txt"));
        QTest::mouseClick(&w.check(2), Qt::LeftButton);
        QVERIFY(w.waitForTick());
        QCOMPARE(w.l1().text(), QStringLiteral("a_old.txt"));
    }

    void singleModeEnablesOnceAnEntryIsSelected()
    {
        QTemporaryDir dir;
        createFiles(dir, {"a.txt"});
        RenameWindow w;
        w.showFolder(pathOf(dir));
        QTest::mouseClick(&w.op2(), Qt::LeftButton);
        QVERIFY(w.waitForTick());
        QVERIFY(!w.command1().isEnabled());
        w.file1().setSelectedIndex(0);
        QVERIFY(w.waitForTick());
        QVERIFY(w.command1().isEnabled());
        QCOMPARE(w.l1().text(), QStringLiteral("a.txt"));
    }

    void showsTheDetailsOnADoubleClick_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QString>("message");
        QTest::newRow("right after start") << QStringLiteral("Vornak") << QString() << QString();
        QTest::newRow("no size, a preview") << QStringLiteral("Vornak") << QStringLiteral("x.txt")
                                            << QStringLiteral("更改后文件名：x.txt");
        QTest::newRow("a size and a preview")
            << QStringLiteral("2048B，约2KB") << QStringLiteral("x.txt")
            << QStringLiteral("文件大小：2048B，约2KB\r更改后文件名：x.txt");
        QTest::newRow("a size of zero") << QStringLiteral("0B，约0KB") << QStringLiteral("x.txt")
                                        << QStringLiteral("更改后文件名：x.txt");
        QTest::newRow("a size of zero, no preview")
            << QStringLiteral("0B，约0KB") << QString() << QString();
        QTest::newRow("a size, no preview") << QStringLiteral(" 5B") << QString()
                                            << QStringLiteral("文件大小： 5B\r更改后文件名：");
    }
    void showsTheDetailsOnADoubleClick()
    {
        QFETCH(QString, title);
        QFETCH(QString, preview);
        QFETCH(QString, message);
        QTemporaryDir empty;
        RenameWindow w;
        w.showFolder(pathOf(empty));
        w.window.setWindowTitle(title);
        w.l1().setText(preview);
        QTest::mouseDClick(&w.l1(), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(w.platform.messages.isEmpty());
            return;
        }
        QCOMPARE(w.platform.messages.size(), 1);
        QCOMPARE(w.platform.messages[0].prompt, message);
        QCOMPARE(w.platform.messages[0].buttons, MessageButtons::Ok);
        QCOMPARE(w.platform.messages[0].title, QStringLiteral("Vornak"));
    }

    void detailsShowTheSizeOfTheClickedFile()
    {
        QTemporaryDir dir;
        createFiles(dir, {"a.txt"});
        QVERIFY(QFile::resize(dir.filePath(QStringLiteral("a.txt")), 2048));
        RenameWindow w;
        w.showFolder(pathOf(dir));
        const QRect row = w.file1().visualRect(w.file1().model()->index(0, 0));
        QTest::mouseClick(w.file1().viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(w.window.windowTitle().startsWith(QStringLiteral("2048")));
        QVERIFY(w.waitForTick());
        QTest::mouseDClick(&w.l1(), Qt::LeftButton);
        QCOMPARE(w.platform.messages.size(), 1);
        QCOMPARE(w.platform.messages[0].prompt, QStringLiteral("文件大小：") +
                                                    w.window.windowTitle() +
                                                    QStringLiteral("\r更改后文件名：a.txt"));
    }
};

QTEST_MAIN(LivePreviewTest)
#include "LivePreviewTest.moc"
