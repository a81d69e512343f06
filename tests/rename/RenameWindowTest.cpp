#include "support/RenameWindow.h"
#include "support/TestFiles.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QTest>

using namespace vornak;
using namespace vornak::test;

class RenameWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The texts of runs that started come back in a new window: ↓ lists them all and the one
    // chosen fills the box. A run answered No has used nothing.
    void remembersUsedTexts()
    {
        RenameWindow w;
        w.makeFiles({"a.txt"});
        QVERIFY(w.open());
        w.use(QStringLiteral("1=x_"));
        QVERIFY(w.waitForTick());
        w.runAll();
        w.optionTexts[0]->setText(QStringLiteral("declined_"));
        QVERIFY(w.waitForTick());
        w.platform.answers = {MessageAnswer::No};
        QTest::mouseClick(w.runButton, Qt::LeftButton);
        QVERIFY(w.open());
        QLineEdit& text = *w.optionTexts[0];
        QTest::mouseClick(w.optionChecks[0], Qt::LeftButton);
        text.setFocus();
        // Typing opens nothing; ↓ lists every text, not only those starting with what is typed.
        QTest::keyClick(&text, Qt::Key_X);
        auto* completer = text.findChild<QCompleter*>();
        QVERIFY(completer && !completer->popup()->isVisible());
        QTest::keyClick(&text, Qt::Key_Y);
        QTest::keyClick(&text, Qt::Key_Down);
        QAbstractItemView* popup = completer->popup();
        QVERIFY(popup->isVisible());
        QCOMPARE(popup->model()->rowCount(), 1);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(text.text(), QStringLiteral("x_"));
    }

    // A file whose new name is taken by a folder the list does not show keeps its name, and so
    // does the file waiting for that name; the others go ahead and the outcome names both.
    void fileWaitingOnAKeptOneStays()
    {
        RenameWindow w;
        QVERIFY(makeTree(w.folder(), {"a.txt", "b.txt", "x(1).txt", "x(3).txt/"}));
        QVERIFY(w.open());
        w.use(QStringLiteral("3=x"));
        QVERIFY(w.waitForTick());
        w.runAll();
        QCOMPARE(folderState(w.folder()), (QByteArrayList{"a.txt=a.txt", "x(1).txt=x(1).txt",
                                                          "x(2).txt=b.txt", "x(3).txt="}));
        QCOMPARE(w.outcome(), (QStringList{"已重命名 1 个文件，2 个未更改",
                                           "“x(1).txt” → “x(3).txt”：新名称已被占用",
                                           "“a.txt” → “x(1).txt”：需等待的文件未能改名"}));
    }
};

QTEST_MAIN(RenameWindowTest)
#include "RenameWindowTest.moc"
