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
using namespace Qt::StringLiterals;

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

    // "new=old": the file first named old is now called new. Single mode renames only the
    // selected file; "No" to the question changes nothing. The selected file stays selected under
    // its new name; the files that kept their names are listed in the outcome window, which shows
    // only when there are any.
    void renamesTheFolder_data()
    {
        QTest::addColumn<QByteArrayList>("files"); // each holding its own name
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("single"); // the selected entry in single mode; -1: batch mode
        QTest::addColumn<QByteArray>("selected");
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<QByteArray>("selectedAfter");
        QTest::addColumn<QStringList>("outcome");
        using F = QByteArrayList;
        const QByteArray longName = QByteArray(240, 'l') + ".txt";
        const QByteArray hostile = "-\"&^%!'$ 照片🎉\xe9.txt";
        const QByteArray prefix = "-\"&^%!'$ 旅行🌏";
        const auto none = Obstacle::None;
        QTest::newRow("single mode renames the selected file, numbered by its place")
            << F{"IMG_0001.JPG", "README"} << "3=trip" << 1 << "README"_ba << none
            << F{"IMG_0001.JPG=IMG_0001.JPG", "trip(2).README=README"} << "trip(2).README"_ba
            << QStringList();
        QTest::newRow("shell characters, CJK, emoji and bytes that are not UTF-8 stay exact")
            << F{hostile} << "1=" + QString::fromUtf8(prefix) << -1 << hostile << none
            << F{prefix + hostile + '=' + hostile} << prefix + hostile << QStringList();
        QTest::newRow("a name too long for the file system leaves the file")
            << F{"short.txt", longName} << "1=pppppppppppppppppppp" << -1 << longName << none
            << F{longName + '=' + longName, "ppppppppppppppppppppshort.txt=short.txt"} << longName
            << QStringList{"已重命名 1 个文件，1 个未更改", "“" + longName +
                                                                "” → “pppppppppppppppppppp" +
                                                                longName + "”：新名称太长"};
        // The new name of x(1).txt is a folder, which the list does not show.
        QTest::newRow("a file waiting on one that could not move")
            << F{"a.txt", "b.txt", "x(1).txt"} << "3=x" << -1 << "b.txt"_ba << Obstacle::FolderAtX3
            << F{"a.txt=a.txt", "x(1).txt=x(1).txt", "x(2).txt=b.txt", "x(3).txt="} << "x(2).txt"_ba
            << QStringList{"已重命名 1 个文件，2 个未更改",
                           "“x(1).txt” → “x(3).txt”：新名称已被占用",
                           "“a.txt” → “x(1).txt”：需等待的文件未能改名"};
        QTest::newRow("a file that may not be changed")
            << F{"a.txt", "b.txt"} << "2=_v2" << -1 << "a.txt"_ba << Obstacle::FirstImmutable
            << F{"a.txt=a.txt", "b_v2.txt=b.txt"} << "a.txt"_ba
            << QStringList{"已重命名 1 个文件，1 个未更改", "“a.txt” → “a_v2.txt”：没有权限或只读"};
        QTest::newRow("the selected file gone behind the list's back")
            << F{"a.txt", "b.txt"} << "1=new_" << 0 << "a.txt"_ba << Obstacle::SelectedGone
            << F{"b.txt=b.txt"} << QByteArray()
            << QStringList{"已重命名 0 个文件，1 个未更改", "“a.txt” → “new_a.txt”：文件已不存在"};
        // Numbered by their places in the list, past what a 16-bit count holds.
        F many;
        F numbered;
        for (int i = 0; i < 33000; ++i) {
            many.append("f" + QByteArray::number(i) + ".dat");
            numbered.append("x(" + QByteArray::number(i + 1) + ").dat=" + many.last());
        }
        QTest::newRow("more than 32,767 files") << many << "3=x" << -1 << "f32999.dat"_ba << none
                                                << numbered << "x(33000).dat"_ba << QStringList();
    }
    void renamesTheFolder()
    {
        QFETCH(QByteArrayList, files);
        QFETCH(QString, option);
        QFETCH(int, single);
        QFETCH(QByteArray, selected);
        QFETCH(Obstacle, obstacle);
        QFETCH(QByteArrayList, after);
        QFETCH(QByteArray, selectedAfter);
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
        std::sort(after.begin(), after.end());
        QCOMPARE(folderState(w.folder()), after);
        QCOMPARE(w.platform.messages.size(), 2);
        QCOMPARE(w.fileList->selectedName(), selectedAfter);
        QCOMPARE(w.outcome(), outcome);
    }
};

QTEST_MAIN(RenameWindowTest)
#include "RenameWindowTest.moc"
