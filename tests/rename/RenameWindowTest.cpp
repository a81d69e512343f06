#include "app/MainWindow.h"
#include "platform/CaptionColour.h"
#include "platform/NativePath.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

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
    // Makes the files marked "+" or the others; the nth file is n bytes long.
    void makeFiles(const QList<QByteArray>& names, bool late = false)
    {
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (names[i].startsWith('+') == late)
                QVERIFY(makeFile(folder() + '/' + names[i].mid(late), i + 1));
        }
    }

    template <typename W> W& get(const QString& name) { return *window.findChild<W*>(name); }
    QCheckBox& check(int n) { return get<QCheckBox>(QStringLiteral("Check%1").arg(n)); }
    QLineEdit& text(int n) { return get<QLineEdit>(QStringLiteral("Text%1").arg(n)); }
    FileList& file1() { return get<FileList>(QStringLiteral("File1")); }
    QPushButton& command1() { return get<QPushButton>(QStringLiteral("Command1")); }
    QLabel& l1() { return get<QLabel>(QStringLiteral("L1")); }

    // Shows the folder, selects an entry (-1: none), picks the mode and uses the options: for
    // "N=text", ticks CheckN with the mouse and gives TextN the text as a paste would.
    void prepare(int selected, bool single, const QStringList& options)
    {
        QVERIFY(file1().setPath(folder()));
        file1().setSelectedIndex(selected);
        if (single)
            QTest::mouseClick(&get<QRadioButton>(QStringLiteral("Op2")), Qt::LeftButton);
        for (const QString& option : options) {
            const int n = option.left(1).toInt();
            QTest::mouseClick(&check(n), Qt::LeftButton);
            text(n).setFocus();
            text(n).insert(option.mid(2));
        }
    }
    // True once Timer1 has ticked: the tick saw everything done before.
    bool waitForTick()
    {
        return QSignalSpy(&get<QTimer>(QStringLiteral("Timer1")), &QTimer::timeout).wait(2000);
    }

    QTemporaryDir dir;
    TestPlatform platform;
    MainWindow window{platform};
};

} // namespace

class RenameWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Clicks in turn ("+": the space bar instead of the mouse), and the controls then in use.
    void controlsMarkWhatIsInUse_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("inUse");
        using L = QStringList;
        QTest::newRow("at start") << L{} << L{"Op1"};
        QTest::newRow("Check1 ticked") << L{"Check1"} << L{"Op1", "Check1"};
        QTest::newRow("Check2 ticked and unticked") << L{"Check2", "Check2"} << L{"Op1"};
        QTest::newRow("Check4 ticked by keyboard") << L{"Check4+"} << L{"Op1", "Check4"};
        QTest::newRow("single mode") << L{"Op2"} << L{"Op2"};
        QTest::newRow("single, then batch again") << L{"Op2", "Op1"} << L{"Op1"};
    }
    void controlsMarkWhatIsInUse()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, inUse);
        RenameWindow w;
        for (int n = 1; n <= 4; ++n)
            w.text(n).setText(QStringLiteral("_old"));
        for (const QString& click : clicks) {
            auto& button = w.get<QAbstractButton>(click.chopped(click.endsWith(u'+')));
            button.setFocus();
            if (click.endsWith(u'+'))
                QTest::keyClick(&button, Qt::Key_Space);
            else
                QTest::mouseClick(&button, Qt::LeftButton);
        }
        for (const char* name : {"Op1", "Op2", "Check1", "Check2", "Check3", "Check4"}) {
            const auto& button = w.get<QAbstractButton>(QLatin1String(name));
            const bool used = inUse.contains(QLatin1String(name));
            QCOMPARE(button.isChecked(), used);
            QCOMPARE(captionColour(button), used ? kHighlightColour : kNormalColour);
        }
        for (int n = 1; n <= 4; ++n) {
            QCOMPARE(w.text(n).isEnabled(), inUse.contains(QStringLiteral("Check%1").arg(n)));
            QCOMPARE(w.text(n).text(), QStringLiteral("_old"));
        }
    }

    // Texts with "|" for the caret, before and after typing or pasting the input.
    void forbiddenCharactersAreDropped_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("after");
        QTest::newRow("typing a, /, b: the caret went to the start")
            << 3 << QStringLiteral("|") << QStringLiteral("a/b") << false << QStringLiteral("b|a");
        QTest::newRow("pasting every forbidden character")
            << 1 << QStringLiteral("|") << QStringLiteral("x\\/:*?<>|y") << true
            << QStringLiteral("|xy");
    }
    void forbiddenCharactersAreDropped()
    {
        QFETCH(int, number);
        QFETCH(QString, before);
        QFETCH(QString, input);
        QFETCH(bool, paste);
        QFETCH(QString, after);
        RenameWindow w;
        QTest::mouseClick(&w.check(number), Qt::LeftButton);
        QLineEdit& text = w.text(number);
        text.setText(QString(before).remove(u'|'));
        text.setFocus();
        text.setCursorPosition(int(before.indexOf(u'|')));
        if (paste) {
            QGuiApplication::clipboard()->setText(input);
            QTest::keyClick(&text, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(&text, input);
        }
        QCOMPARE(text.text().insert(text.cursorPosition(), u'|'), after);
    }

    // L1 shows "old" before the tick.
    void tickPreviewsTheSelectedEntry_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<bool>("enabled");
        using F = QList<QByteArray>;
        using O = QStringList;
        const QString old = QStringLiteral("old");
        QTest::newRow("single mode, case C without a number")
            << F{"a.txt", "IMG_0001.JPG"} << 1 << true << O{"3=trip"} << QStringLiteral("trip.JPG")
            << true;
        QTest::newRow("the text of an unticked option is not used")
            << F{"a.txt"} << 0 << false << O{"2=_old", "2="} << QStringLiteral("a.txt") << true;
        QTest::newRow("name that is not UTF-8") << F{"caf\xe9.txt"} << 0 << false << O{"1=new_"}
                                                << displayText("new_caf\xe9.txt") << true;
        QTest::newRow("case A without a dot leaves L1")
            << F{"README"} << 0 << false << O{"1=x"} << old << true;
        QTest::newRow("batch mode without a selection leaves L1")
            << F{"a.txt"} << -1 << false << O{"1=x"} << old << true;
        QTest::newRow("single mode without a selection")
            << F{"a.txt"} << -1 << true << O{"1=x"} << old << false;
        QTest::newRow("empty folder") << F{} << -1 << false << O{"1=x"} << old << false;
    }
    void tickPreviewsTheSelectedEntry()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(int, selected);
        QFETCH(bool, single);
        QFETCH(QStringList, options);
        QFETCH(QString, preview);
        QFETCH(bool, enabled);
        RenameWindow w;
        w.makeFiles(files);
        w.l1().setText(QStringLiteral("old"));
        w.prepare(selected, single, options);
        QVERIFY(w.waitForTick());
        QCOMPARE(w.l1().text(), preview);
        QCOMPARE(w.command1().isEnabled(), enabled);
    }

    void showsTheDetailsOnADoubleClick_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QString>("message");
        QTest::newRow("no size, no preview") << QStringLiteral("Vornak") << QString() << QString();
        QTest::newRow("a size of zero is no size")
            << QStringLiteral("0B，约0KB") << QStringLiteral("x.txt")
            << QStringLiteral("更改后文件名：x.txt");
        QTest::newRow("a size after a blank")
            << QStringLiteral(" 5B") << QStringLiteral("x.txt")
            << QStringLiteral("文件大小： 5B\r更改后文件名：x.txt");
    }
    void showsTheDetailsOnADoubleClick()
    {
        QFETCH(QString, title);
        QFETCH(QString, preview);
        QFETCH(QString, message);
        RenameWindow w;
        w.window.setWindowTitle(title);
        w.l1().setText(preview);
        QTest::mouseDClick(&w.l1(), Qt::LeftButton);
        QCOMPARE(w.platform.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(w.platform.messages[0].prompt, message);
            QCOMPARE(w.platform.messages[0].buttons, MessageButtons::Ok);
            QCOMPARE(w.platform.messages[0].title, QStringLiteral("Vornak"));
        }
    }

    // Files marked "+" appear after the tick, before the click.
    void renamesTheFolder_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<bool>("single");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QList<QByteArray>>("after");
        using F = QList<QByteArray>;
        using O = QStringList;
        const auto yes = MessageAnswer::Yes;
        const QByteArray longName = QByteArray(240, 'l') + ".txt";
        const QByteArray shell = "-\"&^%!'$ ";
        QTest::newRow("no") << F{"a.txt", "+b.txt"} << false << -1 << O{"3=x"} << MessageAnswer::No
                            << F{"a.txt", "b.txt"};
        QTest::newRow("yes: a file that appeared since is renamed and counted")
            << F{"a.txt", "+b.txt"} << false << -1 << O{"3=x"} << yes
            << F{"x(1).txt<a.txt", "x(2).txt<b.txt"};
        QTest::newRow("batch numbers by list position, whatever is selected")
            << F{"b.txt", "a.txt", "c.doc"} << false << 1 << O{"3=x"} << yes
            << F{"x(1).txt<a.txt", "x(2).txt<b.txt", "x(3).doc<c.doc"};
        QTest::newRow("a numbered folder numbered again")
            << F{"a.txt", "x(1).txt", "x(2).txt"} << false << -1 << O{"3=x"} << yes
            << F{"x(1).txt<a.txt", "x(2).txt<x(1).txt", "x(3).txt<x(2).txt"};
        QTest::newRow("collisions leave the files: the first onto a free name wins")
            << F{"a.doc", "a.txt", "b.log", "b.txt"} << false << -1 << O{"4=log"} << yes
            << F{"a.log<a.doc", "a.txt", "b.log", "b.txt"};
        QTest::newRow("shell characters, CJK, emoji and bytes that are not UTF-8 stay exact")
            << F{shell + "照片🎉\xe9.txt"} << false << -1
            << O{"1=" + QString::fromUtf8(shell) + "旅行🌏"} << yes
            << F{shell + "旅行🌏" + shell + "照片🎉\xe9.txt<" + shell + "照片🎉\xe9.txt"};
        QTest::newRow("a name too long for the file system leaves the file")
            << F{"short.txt", longName} << false << -1 << O{"1=pppppppppppppppppppp"} << yes
            << F{"ppppppppppppppppppppshort.txt<short.txt", longName};
        QTest::newRow("single mode renames the selected entry by its position")
            << F{"a.txt", "b.txt", "c.txt"} << true << 2 << O{"3=x"} << yes
            << F{"a.txt", "b.txt", "x(3).txt<c.txt"};
        F many;
        F numbered;
        for (int i = 0; i < 33000; ++i) {
            many.append("f" + QByteArray::number(i) + ".dat");
            numbered.append("n(" + QByteArray::number(i + 1) + ").dat<" + many.last());
        }
        QTest::newRow("more than 32,767 files")
            << many << false << -1 << O{"3=n"} << yes << numbered;
    }
    void renamesTheFolder()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(bool, single);
        QFETCH(int, selected);
        QFETCH(QStringList, options);
        QFETCH(MessageAnswer, answer);
        QFETCH(QList<QByteArray>, after);
        RenameWindow w;
        w.makeFiles(files);
        w.prepare(selected, single, options);
        QVERIFY(w.waitForTick());
        w.makeFiles(files, true);
        const Sizes before = sizesIn(w.folder());
        w.platform.answers.push_back(answer);
        QTest::mouseClick(&w.command1(), Qt::LeftButton);
        // "new<old": the file first named old is now called new; each file is known by its size.
        Sizes expected;
        for (const QByteArray& entry : after)
            expected.insert(entry.split('<').first(), before.value(entry.split('<').last(), -1));
        QCOMPARE(sizesIn(w.folder()), expected);
        QCOMPARE(w.platform.messages.size(), 1);
        QCOMPARE(w.platform.messages[0].prompt, QStringLiteral("是否执行重命名？"));
        QCOMPARE(w.platform.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(w.platform.messages[0].title, QStringLiteral("Vornak"));
    }

    void singleModeWithoutASelectionDoesNothing()
    {
        RenameWindow w;
        w.makeFiles({"a.txt"});
        w.prepare(0, true, {QStringLiteral("1=x")});
        QVERIFY(w.waitForTick());
        QVERIFY(w.command1().isEnabled());
        // The list lost its selection, and no tick has run since.
        w.file1().setSelectedIndex(-1);
        QTest::mouseClick(&w.command1(), Qt::LeftButton);
        QVERIFY(w.platform.messages.isEmpty());
        QCOMPARE(sizesIn(w.folder()), Sizes({{"a.txt", 1}}));
    }
};

QTEST_MAIN(RenameWindowTest)
#include "RenameWindowTest.moc"
