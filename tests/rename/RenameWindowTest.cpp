#include "app/MainWindow.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "widgets/CaptionColour.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
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

// The main window shown off screen with its timer running, and a folder of its own.
struct RenameWindow {
    RenameWindow()
    {
        window.load();
        window.show();
        window.activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(&window));
    }
    ~RenameWindow() { removeUndecodableFiles(folder()); }

    QByteArray folder() const { return QFile::encodeName(dir.path()); }
    // Makes the files; the nth file is n bytes long.
    void makeFiles(const QList<QByteArray>& names)
    {
        for (qsizetype i = 0; i < names.size(); ++i)
            QVERIFY(makeFile(folder() + '/' + names[i], i + 1));
    }

    template <typename W> W& get(const QString& name) { return *window.findChild<W*>(name); }
    QCheckBox& check(int n) { return get<QCheckBox>(QStringLiteral("Check%1").arg(n)); }
    QLineEdit& text(int n) { return get<QLineEdit>(QStringLiteral("Text%1").arg(n)); }
    FileList& file1() { return get<FileList>(QStringLiteral("File1")); }
    QPushButton& command1() { return get<QPushButton>(QStringLiteral("Command1")); }
    QLabel& l1() { return get<QLabel>(QStringLiteral("L1")); }

    // Ticks CheckN with the mouse and gives TextN the text as a paste would, for "N=text".
    void use(const QString& option)
    {
        const int n = option.left(1).toInt();
        QTest::mouseClick(&check(n), Qt::LeftButton);
        text(n).setFocus();
        text(n).insert(option.mid(2));
    }
    // True once Timer1 has ticked: the tick saw everything done before.
    bool waitForTick() { return QSignalSpy(&get<QTimer>("Timer1"), &QTimer::timeout).wait(2000); }

    QTemporaryDir dir;
    TestPlatform platform;
    MainWindow window{platform};
};

} // namespace

class RenameWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One option walked through: ticked, typed into, pasted into and unticked again.
    void optionsMarkUseAndDropForbiddenCharacters()
    {
        RenameWindow w;
        QCheckBox& check = w.check(3);
        QLineEdit& text = w.text(3);
        QTest::mouseClick(&check, Qt::LeftButton);
        QCOMPARE(captionColour(check), kHighlightColour);
        QVERIFY(text.isEnabled());
        // The dropped "/" put the caret at the start, so "b" went before "a".
        text.setFocus();
        QTest::keyClicks(&text, QStringLiteral("a/b"));
        QCOMPARE(text.text(), QStringLiteral("ba"));
        QCOMPARE(text.cursorPosition(), 1);
        text.clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("x\\/:*?<>|y"));
        QTest::keyClick(&text, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text.text(), QStringLiteral("xy"));
        QTest::mouseClick(&check, Qt::LeftButton);
        QCOMPARE(captionColour(check), kNormalColour);
        QVERIFY(!text.isEnabled());
        QCOMPARE(text.text(), QStringLiteral("xy"));
    }

    // Each tick previews the selected entry in L1 and enables Command1 when there is work.
    void tickPreviewsAndSingleModeRuns()
    {
        RenameWindow w;
        w.l1().setText(QStringLiteral("old"));
        w.makeFiles({"IMG_0001.JPG", "README"});
        QVERIFY(QDir(w.dir.path()).mkdir(QStringLiteral("empty")));
        QVERIFY(w.file1().setPath(w.folder() + "/empty"));
        w.use(QStringLiteral("1=x"));
        QVERIFY(w.waitForTick());
        QVERIFY(!w.command1().isEnabled()); // an empty list
        QVERIFY(w.file1().setPath(w.folder()));
        w.file1().setSelectedIndex(1);
        QVERIFY(w.waitForTick());
        QCOMPARE(w.l1().text(), QStringLiteral("old")); // case A has no new name for README
        w.use(QStringLiteral("3=trip"));
        QTest::mouseClick(&w.get<QRadioButton>("Op2"), Qt::LeftButton);
        w.file1().setSelectedIndex(-1);
        QVERIFY(w.waitForTick());
        QVERIFY(!w.command1().isEnabled()); // single mode without a selection
        w.file1().setSelectedIndex(1);
        QVERIFY(w.waitForTick());
        QVERIFY(w.command1().isEnabled());
        QCOMPARE(w.l1().text(), QStringLiteral("xtrip.README")); // case C without a number
        // "No" changes nothing; then only the selected entry is renamed, numbered by its place.
        w.platform.answers = {MessageAnswer::No, MessageAnswer::Yes};
        QTest::mouseClick(&w.command1(), Qt::LeftButton);
        QCOMPARE(sizesIn(w.folder()), Sizes({{"IMG_0001.JPG", 1}, {"README", 2}}));
        QTest::mouseClick(&w.command1(), Qt::LeftButton);
        QCOMPARE(sizesIn(w.folder()), Sizes({{"IMG_0001.JPG", 1}, {"xtrip(2).README", 2}}));
    }

    // ShowPreviewDetails: nothing without a preview; else the new name, after the size when the
    // title shows one that is not zero.
    void showsTheDetailsOnADoubleClick()
    {
        RenameWindow w; // L1 starts empty
        QTest::mouseDClick(&w.l1(), Qt::LeftButton);
        w.l1().setText(QStringLiteral("x.txt"));
        w.window.setWindowTitle(QStringLiteral("0B，约0KB"));
        QTest::mouseDClick(&w.l1(), Qt::LeftButton);
        w.window.setWindowTitle(QStringLiteral(" 5B"));
        QTest::mouseDClick(&w.l1(), Qt::LeftButton);
        QStringList shown;
        for (const auto& message : w.platform.messages)
            shown.append(message.prompt);
        QCOMPARE(shown, QStringList({QStringLiteral("更改后文件名：x.txt"),
                                     QStringLiteral("文件大小： 5B\r更改后文件名：x.txt")}));
    }

    // "new<old": the file first named old is now called new; each file is known by its size.
    void renamesTheFolder_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QList<QByteArray>>("after");
        using F = QList<QByteArray>;
        const QByteArray longName = QByteArray(240, 'l') + ".txt";
        const QByteArray shell = "-\"&^%!'$ ";
        QTest::newRow("batch numbers by list position")
            << F{"b.txt", "a.txt", "c.doc"} << QStringLiteral("3=x")
            << F{"x(1).txt<a.txt", "x(2).txt<b.txt", "x(3).doc<c.doc"};
        QTest::newRow("collisions leave the files: the first onto a free name wins")
            << F{"a.doc", "a.txt", "b.log", "b.txt"} << QStringLiteral("4=log")
            << F{"a.log<a.doc", "a.txt", "b.log", "b.txt"};
        QTest::newRow("shell characters, CJK, emoji and bytes that are not UTF-8 stay exact")
            << F{shell + "照片🎉\xe9.txt"} << "1=" + QString::fromUtf8(shell) + "旅行🌏"
            << F{shell + "旅行🌏" + shell + "照片🎉\xe9.txt<" + shell + "照片🎉\xe9.txt"};
        QTest::newRow("a name too long for the file system leaves the file")
            << F{"short.txt", longName} << QStringLiteral("1=pppppppppppppppppppp")
            << F{"ppppppppppppppppppppshort.txt<short.txt", longName};
        F many;
        F numbered;
        for (int i = 0; i < 33000; ++i) {
            many.append("f" + QByteArray::number(i) + ".dat");
            numbered.append("x(" + QByteArray::number(i + 1) + ").dat<" + many.last());
        }
        QTest::newRow("more than 32,767 files") << many << QStringLiteral("3=x") << numbered;
    }
    void renamesTheFolder()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QString, option);
        QFETCH(QList<QByteArray>, after);
        RenameWindow w;
        w.makeFiles(files);
        QVERIFY(w.file1().setPath(w.folder()));
        w.use(option);
        QVERIFY(w.waitForTick());
        const Sizes before = sizesIn(w.folder());
        w.platform.answers.push_back(MessageAnswer::Yes);
        QTest::mouseClick(&w.command1(), Qt::LeftButton);
        Sizes expected;
        for (const QByteArray& entry : after)
            expected.insert(entry.split('<').first(), before.value(entry.split('<').last(), -1));
        QCOMPARE(sizesIn(w.folder()), expected);
        QCOMPARE(w.platform.messages.size(), 1);
    }
};

QTEST_MAIN(RenameWindowTest)
#include "RenameWindowTest.moc"
