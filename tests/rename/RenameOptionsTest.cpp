#include "RenameWindow.h"

#include "platform/CaptionColour.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace vornak;
using vornak::test::RenameWindow;

class RenameOptionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsInBatchModeWithEveryOptionOff()
    {
        RenameWindow w;
        QVERIFY(w.op1().isChecked());
        QCOMPARE(captionColour(w.op1()), kHighlightColour);
        QCOMPARE(captionColour(w.op2()), kNormalColour);
        for (int number = 1; number <= 4; ++number) {
            QVERIFY(!w.check(number).isChecked());
            QCOMPARE(captionColour(w.check(number)), kNormalColour);
            QVERIFY(!w.text(number).isEnabled());
            QVERIFY(w.text(number).text().isEmpty());
        }
    }

    void checkBoxGovernsItsTextBox_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("keyboard");
        QTest::newRow("Check1 ticked by mouse") << 1 << 1 << false;
        QTest::newRow("Check2 ticked and unticked") << 2 << 2 << false;
        QTest::newRow("Check3 ticked again") << 3 << 3 << false;
        QTest::newRow("Check4 ticked by keyboard") << 4 << 1 << true;
        QTest::newRow("Check2 unticked by keyboard") << 2 << 2 << true;
    }
    void checkBoxGovernsItsTextBox()
    {
        QFETCH(int, number);
        QFETCH(int, clicks);
        QFETCH(bool, keyboard);
        RenameWindow w;
        w.text(number).setText(QStringLiteral("_old"));
        for (int i = 0; i < clicks; ++i) {
            if (keyboard) {
                w.check(number).setFocus();
                QTest::keyClick(&w.check(number), Qt::Key_Space);
            } else {
                QTest::mouseClick(&w.check(number), Qt::LeftButton);
            }
        }
        const bool on = clicks % 2 == 1;
        QCOMPARE(w.check(number).isChecked(), on);
        QCOMPARE(w.text(number).isEnabled(), on);
        QCOMPARE(captionColour(w.check(number)), on ? kHighlightColour : kNormalColour);
        QCOMPARE(w.text(number).text(), QStringLiteral("_old"));
        for (int other = 1; other <= 4; ++other) {
            if (other != number)
                QCOMPARE(captionColour(w.check(other)), kNormalColour);
        }
    }

    void modeButtonsMarkTheSelectedMode_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<bool>("batch");
        QTest::newRow("single") << QStringLiteral("2") << false;
        QTest::newRow("single, then batch again") << QStringLiteral("21") << true;
        QTest::newRow("single twice") << QStringLiteral("22") << false;
        QTest::newRow("batch while batch") << QStringLiteral("1") << true;
    }
    void modeButtonsMarkTheSelectedMode()
    {
        QFETCH(QString, clicks);
        QFETCH(bool, batch);
        RenameWindow w;
        for (QChar button : clicks)
            QTest::mouseClick(button == u'1' ? &w.op1() : &w.op2(), Qt::LeftButton);
        QCOMPARE(w.op1().isChecked(), batch);
        QCOMPARE(w.op2().isChecked(), !batch);
        QCOMPARE(captionColour(w.op1()), batch ? kHighlightColour : kNormalColour);
        QCOMPARE(captionColour(w.op2()), batch ? kNormalColour : kHighlightColour);
    }

    void forbiddenCharactersAreDropped_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caretAfter");
        const QString none;
        QTest::newRow("typing a, /, b")
            << 3 << none << 0 << QStringLiteral("a/b") << none << QStringLiteral("ba") << 1;
        QTest::newRow("pasting a/b")
            << 3 << none << 0 << none << QStringLiteral("a/b") << QStringLiteral("ab") << 0;
        QTest::newRow("pasting several") << 1 << none << 0 << none << QStringLiteral("x<y>z|w:v")
                                         << QStringLiteral("xyzwv") << 0;
        QTest::newRow("pasting only forbidden ones")
            << 2 << none << 0 << none << QStringLiteral("\\/:*?<>|") << QString() << 0;
        QTest::newRow("typing a backslash in the middle")
            << 1 << QStringLiteral("abcd") << 2 << QStringLiteral("\\") << none
            << QStringLiteral("abcd") << 0;
        QTest::newRow("a double quote stays")
            << 4 << none << 0 << QStringLiteral("\"q\"") << none << QStringLiteral("\"q\"") << 3;
        QTest::newRow("a dot stays")
            << 4 << none << 0 << QStringLiteral("tar.gz") << none << QStringLiteral("tar.gz") << 6;
        QTest::newRow("a clean paste keeps the caret")
            << 2 << QStringLiteral("abc") << 1 << none << QStringLiteral("xy")
            << QStringLiteral("axybc") << 3;
        QTest::newRow("CJK and emoji stay")
            << 3 << none << 0 << none << QStringLiteral("照片🎉") << QStringLiteral("照片🎉") << 4;
    }
    void forbiddenCharactersAreDropped()
    {
        QFETCH(int, number);
        QFETCH(QString, before);
        QFETCH(int, caret);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        QFETCH(int, caretAfter);
        RenameWindow w;
        QTest::mouseClick(&w.check(number), Qt::LeftButton);
        QLineEdit& text = w.text(number);
        text.setText(before);
        text.setFocus();
        text.setCursorPosition(caret);
        QTest::keyClicks(&text, typed);
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(&text, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(text.text(), after);
        QCOMPARE(text.cursorPosition(), caretAfter);
    }
};

QTEST_MAIN(RenameOptionsTest)
#include "RenameOptionsTest.moc"
