#include "support/MainWindowFixture.h"
#include "support/TestFiles.h"
#include "widgets/CaptionColour.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include <dirent.h>
#include <sys/stat.h>

using namespace vornak;
using namespace vornak::test;

namespace {

using Sizes = QMap<QByteArray, qint64>;

// Name -> size of every file of the folder. The tests give each file a size of its own, so the
// sizes show where each file went.
Sizes sizesIn(const QByteArray& folder)
{
    Sizes sizes;
    DIR* dir = ::opendir(folder.constData());
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode))
            sizes.insert(entry->d_name, info.st_size);
    }
    ::closedir(dir);
    return sizes;
}

// The main window on a folder of its own, with its timer running.
struct RenameWindow : MainWindowFixture {
    // Makes the files; the nth file is n bytes long.
    void makeFiles(const QList<QByteArray>& names)
    {
        for (qsizetype i = 0; i < names.size(); ++i)
            QVERIFY(makeFile(at(names[i]), i + 1));
    }
    // Ticks option n with the mouse and gives its text box the text as a paste would, for
    // "n=text".
    void use(const QString& option)
    {
        const auto n = std::size_t(option.left(1).toInt() - 1);
        QTest::mouseClick(optionChecks[n], Qt::LeftButton);
        optionTexts[n]->setFocus();
        optionTexts[n]->insert(option.mid(2));
    }
    // True once the timer has ticked: the tick saw everything done before.
    bool waitForTick() { return QSignalSpy(previewTimer, &QTimer::timeout).wait(2000); }
};

} // namespace

class RenameWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // An option ticked is marked and its text box taken into use; unticked again, the box
    // keeps its text out of use.
    void tickingMarksTheOption()
    {
        RenameWindow w;
        QVERIFY(w.open());
        QCheckBox& check = *w.optionChecks[2];
        QLineEdit& text = *w.optionTexts[2];
        QTest::mouseClick(&check, Qt::LeftButton);
        QCOMPARE(captionColour(check), kHighlightColour);
        QVERIFY(text.isEnabled());
        text.setText(QStringLiteral("xy"));
        QTest::mouseClick(&check, Qt::LeftButton);
        QCOMPARE(captionColour(check), kNormalColour);
        QVERIFY(!text.isEnabled());
        QCOMPARE(text.text(), QStringLiteral("xy"));
    }

    // Typed or pasted, the characters a name cannot hold are dropped.
    void forbiddenCharactersAreDropped()
    {
        RenameWindow w;
        QVERIFY(w.open());
        QLineEdit& text = *w.optionTexts[2];
        QTest::mouseClick(w.optionChecks[2], Qt::LeftButton);
        // The dropped "/" put the caret at the start, so "b" went before "a".
        text.setFocus();
        QTest::keyClicks(&text, QStringLiteral("a/b"));
        QCOMPARE(text.text(), QStringLiteral("ba"));
        QCOMPARE(text.cursorPosition(), 1);
        text.clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("x\\/:*?<>|y"));
        QTest::keyClick(&text, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text.text(), QStringLiteral("xy"));
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

    // "new<old": the file first named old is now called new; each file is known by its size.
    // Single mode renames only the selected file; "No" to the question changes nothing.
    void renamesTheFolder_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QList<QByteArray>>("after");
        QTest::addColumn<int>("single"); // the selected entry in single mode; -1: batch mode
        using F = QList<QByteArray>;
        const QByteArray longName = QByteArray(240, 'l') + ".txt";
        const QByteArray shell = "-\"&^%!'$ ";
        QTest::newRow("batch numbers by list position")
            << F{"b.txt", "a.txt", "c.doc"} << QStringLiteral("3=x")
            << F{"x(1).txt<a.txt", "x(2).txt<b.txt", "x(3).doc<c.doc"} << -1;
        QTest::newRow("single mode renames the selected file, numbered by its place")
            << F{"IMG_0001.JPG", "README"} << QStringLiteral("3=trip")
            << F{"IMG_0001.JPG", "trip(2).README<README"} << 1;
        QTest::newRow("collisions leave the files: the first onto a free name wins")
            << F{"a.doc", "a.txt", "b.log", "b.txt"} << QStringLiteral("4=log")
            << F{"a.log<a.doc", "a.txt", "b.log", "b.txt"} << -1;
        QTest::newRow("shell characters, CJK, emoji and bytes that are not UTF-8 stay exact")
            << F{shell + "照片🎉\xe9.txt"} << "1=" + QString::fromUtf8(shell) + "旅行🌏"
            << F{shell + "旅行🌏" + shell + "照片🎉\xe9.txt<" + shell + "照片🎉\xe9.txt"} << -1;
        QTest::newRow("a name too long for the file system leaves the file")
            << F{"short.txt", longName} << QStringLiteral("1=pppppppppppppppppppp")
            << F{"ppppppppppppppppppppshort.txt<short.txt", longName} << -1;
        F many;
        F numbered;
        for (int i = 0; i < 33000; ++i) {
            many.append("f" + QByteArray::number(i) + ".dat");
            numbered.append("x(" + QByteArray::number(i + 1) + ").dat<" + many.last());
        }
        QTest::newRow("more than 32,767 files") << many << QStringLiteral("3=x") << numbered << -1;
    }
    void renamesTheFolder()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QString, option);
        QFETCH(QList<QByteArray>, after);
        QFETCH(int, single);
        RenameWindow w;
        w.makeFiles(files);
        QVERIFY(w.open());
        w.use(option);
        if (single >= 0) {
            QTest::mouseClick(w.singleMode, Qt::LeftButton);
            w.fileList->setSelectedIndex(single);
        }
        QVERIFY(w.waitForTick());
        const Sizes before = sizesIn(w.folder());
        w.platform.answers = {MessageAnswer::No, MessageAnswer::Yes};
        QTest::mouseClick(w.runButton, Qt::LeftButton);
        QCOMPARE(sizesIn(w.folder()), before);
        QTest::mouseClick(w.runButton, Qt::LeftButton);
        Sizes expected;
        for (const QByteArray& entry : after)
            expected.insert(entry.split('<').first(), before.value(entry.split('<').last(), -1));
        QCOMPARE(sizesIn(w.folder()), expected);
        QCOMPARE(w.platform.messages.size(), 2);
    }
};

QTEST_MAIN(RenameWindowTest)
#include "RenameWindowTest.moc"
