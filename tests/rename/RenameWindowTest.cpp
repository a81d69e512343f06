#include "support/RenameWindow.h"
#include "support/TestFiles.h"
#include "widgets/CaptionColour.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QCompleter>
#include <QGuiApplication>
#include <QTest>

#include <QScopeGuard>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

using namespace vornak;
using namespace vornak::test;

enum class Obstacle { None, FolderAtX3, FirstImmutable, SelectedGone };
Q_DECLARE_METATYPE(Obstacle)

class RenameWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // An option ticked is marked and its text box taken into use; unticked again, the box
    // keeps its text out of use. Typed or pasted, the characters a name cannot hold are dropped,
    // control characters too: a pasted line break would otherwise become part of every new name.
    void optionTextBox()
    {
        RenameWindow w;
        QVERIFY(w.open());
        QCheckBox& check = *w.optionChecks[2];
        QLineEdit& text = *w.optionTexts[2];
        QTest::mouseClick(&check, Qt::LeftButton);
        QCOMPARE(captionColour(check), kHighlightColour);
        QVERIFY(text.isEnabled());
        // The dropped "/" put the caret at the start, so "b" went before "a".
        text.setFocus();
        QTest::keyClicks(&text, QStringLiteral("a/b"));
        QCOMPARE(text.text(), QStringLiteral("ba"));
        QCOMPARE(text.cursorPosition(), 1);
        text.clear();
        QGuiApplication::clipboard()->setText(
            QStringLiteral("x\\/:*?<>|y\r\n\t\x01\x1f\x7fz\u00a0"));
        QTest::keyClick(&text, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text.text(), QStringLiteral("xyz\u00a0"));
        QTest::mouseClick(&check, Qt::LeftButton);
        QCOMPARE(captionColour(check), kNormalColour);
        QVERIFY(!text.isEnabled());
        QCOMPARE(text.text(), QStringLiteral("xyz\u00a0"));
    }

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
        QCOMPARE(w.platform.messages.size(), 2);
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

    // Each tick previews the selected entry and enables the run button when there is work.
    void tickPreviews()
    {
        RenameWindow w;
        w.makeFiles({"IMG_0001.JPG", "README"});
        QVERIFY(::mkdir(w.at("empty").constData(), 0755) == 0);
        QVERIFY(w.open());
        w.previewLabel->setText(QStringLiteral("old"));
        QVERIFY(w.fileList->setPath(w.at("empty")));
        w.use(QStringLiteral("1=x"));
        QVERIFY(w.waitForTick());
        QVERIFY(!w.runButton->isEnabled()); // an empty list
        QVERIFY(w.fileList->setPath(w.folder()));
        w.fileList->setSelectedIndex(1);
        QVERIFY(w.waitForTick());
        QCOMPARE(w.previewLabel->text(), QStringLiteral("old")); // case A: no new name for README
        w.use(QStringLiteral("3=trip"));
        QTest::mouseClick(w.singleMode, Qt::LeftButton);
        w.fileList->setSelectedIndex(-1);
        QVERIFY(w.waitForTick());
        QVERIFY(!w.runButton->isEnabled()); // single mode without a selection
        w.fileList->setSelectedIndex(1);
        QVERIFY(w.waitForTick());
        QVERIFY(w.runButton->isEnabled());
        QCOMPARE(w.previewLabel->text(), QStringLiteral("xtrip.README")); // case C, no number
    }

    // Nothing without a preview; else the new name, after the size when the title shows one
    // that is not zero.
    void showsTheDetailsOnADoubleClick()
    {
        RenameWindow w;
        QVERIFY(w.open()); // the preview label starts empty
        QTest::mouseDClick(w.previewLabel, Qt::LeftButton);
        w.previewLabel->setText(QStringLiteral("x.txt"));
        w.window->setWindowTitle(QStringLiteral("0B，约0KB"));
        QTest::mouseDClick(w.previewLabel, Qt::LeftButton);
        w.window->setWindowTitle(QStringLiteral(" 5B"));
        QTest::mouseDClick(w.previewLabel, Qt::LeftButton);
        QStringList shown;
        for (const auto& message : w.platform.messages)
            shown.append(message.prompt);
        QCOMPARE(shown, QStringList({QStringLiteral("更改后文件名：x.txt"),
                                     QStringLiteral("文件大小： 5B\r更改后文件名：x.txt")}));
    }

    // "new<old": the file first named old is now called new; each file holds its first name.
    // Single mode renames only the selected file; "No" to the question changes nothing. The
    // selected file stays selected under its new name; the files that kept their names are
    // listed in the outcome window, which shows only when there are any.
    void renamesTheFolder_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QList<QByteArray>>("after");
        QTest::addColumn<int>("single"); // the selected entry in single mode; -1: batch mode
        QTest::addColumn<QByteArray>("selected");
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<QStringList>("outcome");
        using F = QList<QByteArray>;
        const QByteArray longName = QByteArray(240, 'l') + ".txt";
        const QByteArray shell = "-\"&^%!'$ ";
        const auto none = Obstacle::None;
        QTest::newRow("batch numbers by list position")
            << F{"b.txt", "a.txt", "c.doc"} << QStringLiteral("3=x")
            << F{"x(1).txt<a.txt", "x(2).txt<b.txt", "x(3).doc<c.doc"} << -1 << QByteArray("b.txt")
            << none << QStringList();
        QTest::newRow("single mode renames the selected file, numbered by its place")
            << F{"IMG_0001.JPG", "README"} << QStringLiteral("3=trip")
            << F{"IMG_0001.JPG", "trip(2).README<README"} << 1 << QByteArray("README") << none
            << QStringList();
        QTest::newRow("collisions leave the files: the first onto a free name wins")
            << F{"a.doc", "a.txt", "b.log", "b.txt"} << QStringLiteral("4=log")
            << F{"a.log<a.doc", "a.txt", "b.log", "b.txt"} << -1 << QByteArray("a.txt") << none
            << QStringList{"已重命名 1 个文件，2 个未更改", "“a.txt” → “a.log”：新名称已被占用",
                           "“b.txt” → “b.log”：新名称已被占用"};
        QTest::newRow("shell characters, CJK, emoji and bytes that are not UTF-8 stay exact")
            << F{shell + "照片🎉\xe9.txt"} << "1=" + QString::fromUtf8(shell) + "旅行🌏"
            << F{shell + "旅行🌏" + shell + "照片🎉\xe9.txt<" + shell + "照片🎉\xe9.txt"} << -1
            << shell + "照片🎉\xe9.txt" << none << QStringList();
        QTest::newRow("a name too long for the file system leaves the file")
            << F{"short.txt", longName} << QStringLiteral("1=pppppppppppppppppppp")
            << F{"ppppppppppppppppppppshort.txt<short.txt", longName} << -1 << longName << none
            << QStringList{"已重命名 1 个文件，1 个未更改", "“" + longName +
                                                                "” → “pppppppppppppppppppp" +
                                                                longName + "”：新名称太长"};
        // The new name of x(1).txt is a folder, which the list does not show.
        QTest::newRow("a file waiting on one that could not move")
            << F{"a.txt", "b.txt", "x(1).txt"} << QStringLiteral("3=x")
            << F{"a.txt", "x(2).txt<b.txt", "x(1).txt"} << -1 << QByteArray("b.txt")
            << Obstacle::FolderAtX3
            << QStringList{"已重命名 1 个文件，2 个未更改",
                           "“x(1).txt” → “x(3).txt”：新名称已被占用",
                           "“a.txt” → “x(1).txt”：需等待的文件未能改名"};
        QTest::newRow("a file that may not be changed")
            << F{"a.txt", "b.txt"} << QStringLiteral("2=_v2") << F{"a.txt", "b_v2.txt<b.txt"} << -1
            << QByteArray("a.txt") << Obstacle::FirstImmutable
            << QStringList{"已重命名 1 个文件，1 个未更改", "“a.txt” → “a_v2.txt”：没有权限或只读"};
        QTest::newRow("the selected file gone behind the list's back")
            << F{"a.txt", "b.txt"} << QStringLiteral("1=new_") << F{"b.txt"} << 0
            << QByteArray("a.txt") << Obstacle::SelectedGone
            << QStringList{"已重命名 0 个文件，1 个未更改", "“a.txt” → “new_a.txt”：文件已不存在"};
        F many;
        F numbered;
        for (int i = 0; i < 33000; ++i) {
            many.append("f" + QByteArray::number(i) + ".dat");
            numbered.append("x(" + QByteArray::number(i + 1) + ").dat<" + many.last());
        }
        QTest::newRow("more than 32,767 files")
            << many << QStringLiteral("3=x") << numbered << -1 << QByteArray("f32999.dat") << none
            << QStringList();
    }
    void renamesTheFolder()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QString, option);
        QFETCH(QList<QByteArray>, after);
        QFETCH(int, single);
        QFETCH(QByteArray, selected);
        QFETCH(Obstacle, obstacle);
        QFETCH(QStringList, outcome);
        RenameWindow w;
        for (const QByteArray& name : files)
            QVERIFY(writeFile(w.at(name), name));
        if (obstacle == Obstacle::FolderAtX3)
            QVERIFY(::mkdir(w.at("x(3).txt").constData(), 0755) == 0);
        QVERIFY(w.open());
        w.use(option);
        if (single >= 0)
            QTest::mouseClick(w.singleMode, Qt::LeftButton);
        w.fileList->selectName(selected);
        QVERIFY(w.waitForTick());
        const auto immutable = qScopeGuard([&] { setImmutable(w.at(files.first()), false); });
        if (obstacle == Obstacle::FirstImmutable)
            QVERIFY(setImmutable(w.at(files.first()), true));
        if (obstacle == Obstacle::SelectedGone)
            QVERIFY(::unlink(w.at(selected).constData()) == 0);
        const QByteArrayList before = folderState(w.folder());
        w.platform.answers = {MessageAnswer::No};
        QTest::mouseClick(w.runButton, Qt::LeftButton);
        QCOMPARE(folderState(w.folder()), before);
        w.runAll();
        QByteArrayList expected(obstacle == Obstacle::FolderAtX3, "x(3).txt=");
        QByteArray selectedAfter;
        for (const QByteArray& entry : after) {
            const QByteArray oldName = entry.split('<').last();
            expected.append(entry.split('<').first() + '=' + oldName);
            if (oldName == selected)
                selectedAfter = entry.split('<').first();
        }
        std::sort(expected.begin(), expected.end());
        QCOMPARE(folderState(w.folder()), expected);
        QCOMPARE(w.platform.messages.size(), 2);
        QCOMPARE(w.fileList->selectedName(), selectedAfter);
        QCOMPARE(w.outcome(), outcome);
    }
};

QTEST_MAIN(RenameWindowTest)
#include "RenameWindowTest.moc"
