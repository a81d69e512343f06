#include "app/MainWindow.h"
#include "browser/SizeDisplay.h"

#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vornak;

namespace {

const QStringList kManagedItems{"DaKaiWenJianJia", "DaKaiWenJian", "ShanChuWenJian",
                                "jianchawenjian", "quantijiancha"};

enum class Entry { Typed, Pasted };

// The main window started in start/ of a temporary tree, which holds the given files and a
// folder "Z"; target/ holds sub/; desk/ is a volume holding the desktop folder.
struct Program {
    QTemporaryDir tmp;
    QString root = QDir(tmp.path()).canonicalPath();
    test::TestPlatform platform;
    std::unique_ptr<MainWindow> form1;
    FileList* file1 = nullptr;
    QLineEdit* t3 = nullptr;
    FolderList* dir1 = nullptr;
    DriveList* drive1 = nullptr;

    explicit Program(const QStringList& files, bool hasDesktop = true)
    {
        for (const char* folder : {"/start/Z", "/target/sub", "/desk/Desktop", "/home"})
            QVERIFY(QDir().mkpath(root + QLatin1String(folder)));
        for (const QString& name : files)
            QVERIFY(test::makeFile(text("/start/" + name), name.size()));
        platform.home = path("/home");
        if (hasDesktop)
            platform.desktop = path("/desk/Desktop");
        platform.volumeList = {{"/", QStringLiteral("/")}, {path("/desk"), QStringLiteral("d")}};
        platform.folderAtStart = path("/start");
        form1 = std::make_unique<MainWindow>(platform);
        file1 = form1->findChild<FileList*>(QStringLiteral("File1"));
        t3 = form1->findChild<QLineEdit*>(QStringLiteral("T3"));
        dir1 = form1->findChild<FolderList*>(QStringLiteral("Dir1"));
        drive1 = form1->findChild<DriveList*>(QStringLiteral("Drive1"));
        form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(form1.get()));
    }

    // A text starting with "/" is taken below the tree's root.
    QString text(const QString& relative) const
    {
        return relative.startsWith(u'/') ? root + relative : relative;
    }
    QByteArray path(const QString& relative) const { return QFile::encodeName(text(relative)); }
    QAction* item(const QString& name) const { return form1->findChild<QAction*>(name); }

    // Replaces T3's whole text key by key or with one paste.
    void enter(const QString& relative, Entry entry)
    {
        QTest::keyClick(t3, Qt::Key_A, Qt::ControlModifier);
        if (entry == Entry::Pasted) {
            QGuiApplication::clipboard()->setText(text(relative));
            return QTest::keyClick(t3, Qt::Key_V, Qt::ControlModifier);
        }
        for (const QChar c : text(relative))
            QTest::sendKeyEvent(QTest::Click, t3, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
};

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizeDisplayText_data();
    void sizeDisplayText();
    void popupAndResultsWindow();
    void fileCommands_data();
    void fileCommands();
    void addressMovesTheLists_data();
    void addressMovesTheLists();
    void caretAnotherVolumeAndSelection();
};

// Each text starts with the length it is shown for.
void BrowserTest::sizeDisplayText_data()
{
    QTest::addColumn<QString>("expected");
    for (const char* text :
         {"0B，约0KB", "6B，约0.01KB", "512B，约0.5KB", "1018B，约0.99KB", "1023B，约1KB",
          "1024B，约1KB", "1030B，约1.01KB", "1536B，约1.5KB", "1043333B，约1018.88KB",
          "1043334B，约1MB", "5000000B，约4.77MB", "10485760B，约10MB", "3221225472B，约3072MB",
          "5000000000B，约4768.37MB"})
        QTest::newRow(text) << QString::fromUtf8(text);
}

void BrowserTest::sizeDisplayText()
{
    QFETCH(QString, expected);
    QCOMPARE(vornak::sizeDisplayText(expected.section(u'B', 0, 0).toLongLong()), expected);
}

// In an empty folder, the items that need an entry are disabled, but only while the popup is
// open. The results window of the full check, which reads the folder again, keeps the
// program running when the main window closes.
void BrowserTest::popupAndResultsWindow()
{
    Program program({});
    QList<bool> enabled;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        for (const QString& name : kManagedItems)
            enabled.append(program.item(name)->isEnabled());
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    // Below the entries, so that the click selects none.
    QTest::mouseClick(program.file1->viewport(), Qt::RightButton, {}, QPoint(40, 150));
    QCOMPARE(enabled, (QList<bool>{true, false, false, false, false}));
    for (const QString& name : kManagedItems)
        QVERIFY2(program.item(name)->isEnabled(), qPrintable(name));

    for (const char* file : {"/start/a", "/start/b"})
        QVERIFY(test::makeFile(program.text(file), 1));
    program.item("quantijiancha")->trigger();
    QPointer<QWidget> form2;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("Form2"))
            form2 = window;
    }
    program.form1->close();
    program.form1.reset();
    QVERIFY(form2 && form2->isVisible());
    QVERIFY(form2->testAttribute(Qt::WA_QuitOnClose));
    form2->close();
}

void BrowserTest::fileCommands_data()
{
    QTest::addColumn<QString>("item"); // empty: a double click on the entry
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("goneBehindTheList");
    QTest::addColumn<QString>("opened"); // "-": nothing
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("listed");
    const auto row = [](const char* name, const char* item, MessageAnswer answer, bool gone,
                        const char* opened, const QStringList& messages,
                        const QStringList& listed) {
        QTest::newRow(name) << item << answer << gone << opened << messages << listed;
    };
    const QString confirm = "Vornak|确定删除吗？将永远无法恢复!|YesNo";
    const QStringList before{"a.txt", "b c.txt", "c.txt"};
    const QStringList after{"a.txt", "b c.txt", "c.txt", "new.txt"};
    const auto yes = MessageAnswer::Yes;
    // Opening a file or deleting one reads the list again; opening the folder does not, nor
    // does a delete that failed.
    row("打开文件", "DaKaiWenJian", yes, false, "b c.txt", {}, after);
    row("double click", "", yes, false, "b c.txt", {}, after);
    row("打开文件夹", "DaKaiWenJianJia", yes, false, "", {}, before);
    row("删除文件, Yes", "ShanChuWenJian", yes, false, "-", {confirm},
        {"a.txt", "c.txt", "new.txt"});
    row("删除文件, No", "ShanChuWenJian", MessageAnswer::No, false, "-", {confirm}, after);
    row("删除文件 of a file deleted outside", "ShanChuWenJian", yes, true, "-",
        {confirm, "出错提示!|位置：\r%1/b c.txt\r没有此文件！请检查！|Ok"}, before);
}

void BrowserTest::fileCommands()
{
    QFETCH(QString, item);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, goneBehindTheList);
    QFETCH(QString, opened);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, listed);
    Program program({"a.txt", "b c.txt", "c.txt"});
    program.file1->setSelectedIndex(1);
    if (goneBehindTheList)
        QVERIFY(QFile::remove(program.text("/start/b c.txt")));
    QVERIFY(test::makeFile(program.text("/start/new.txt"), 1));
    program.platform.answers = {answer};
    if (item.isEmpty()) {
        const QPoint row = program.file1->visualRect(program.file1->model()->index(1, 0)).center();
        QTest::mouseDClick(program.file1->viewport(), Qt::LeftButton, {}, row);
    } else {
        program.item(item)->trigger();
    }

    QCOMPARE(program.platform.shellOpens,
             opened == "-" ? QList<QByteArray>{} : QList{program.path("/start/" + opened)});
    QStringList shown;
    for (const test::ShownMessage& message : program.platform.messages) {
        const char* buttons = message.buttons == MessageButtons::YesNo ? "YesNo" : "Ok";
        shown.append(message.title + '|' + message.prompt + '|' + buttons);
    }
    QCOMPARE(shown, messages.replaceInStrings("%1", program.text("/start")));
    QStringList names;
    for (int i = 0; i < program.file1->count(); ++i)
        names.append(program.file1->entryDisplayName(i));
    QCOMPARE(names, listed);
}

void BrowserTest::addressMovesTheLists_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("hasDesktop");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, Entry entry, const char* entered, bool hasDesktop,
                        const char* folder, const char* shown) {
        QTest::newRow(name) << entry << QString::fromUtf8(entered) << hasDesktop << folder
                            << QString::fromUtf8(shown);
    };
    // A folder reached is shown as the folder list names it.
    row("typed", Entry::Typed, "/target", true, "/target", "/target");
    row("pasted, not clean", Entry::Pasted, "/target/sub/..//", true, "/target", "/target");
    row("nonexistent", Entry::Pasted, "/missing", true, "/start", "/missing");
    row("桌面", Entry::Typed, "桌面", true, "/desk/Desktop", "桌面");
    row("z, no desktop folder", Entry::Typed, "z", false, "/home", "z");
    // An uppercase Z is an address: here the folder Z of the current folder.
    row("Z", Entry::Typed, "Z", true, "/start/Z", "/start/Z");
}

void BrowserTest::addressMovesTheLists()
{
    QFETCH(Entry, entry);
    QFETCH(QString, entered);
    QFETCH(bool, hasDesktop);
    QFETCH(QString, folder);
    QFETCH(QString, shown);
    Program program({}, hasDesktop);

    program.enter(entered, entry);

    QCOMPARE(program.dir1->path(), program.path(folder));
    const bool onDesk = folder.startsWith("/desk");
    QCOMPARE(program.drive1->drive(), onDesk ? program.path("/desk") : QByteArray("/"));
    QCOMPARE(program.t3->text(), program.text(shown));
    QVERIFY(program.platform.messages.isEmpty());
}

// Every change puts the caret at the end. Choosing another volume in address mode writes
// its folder into T3, which must not take the lists back to the root volume. A double
// click, which comes after a click, selects the whole text.
void BrowserTest::caretAnotherVolumeAndSelection()
{
    Program program({});
    QLineEdit& t3 = *program.t3;
    program.enter("/missing", Entry::Pasted);
    t3.setCursorPosition(3);
    QTest::keyClick(&t3, Qt::Key_X);
    QCOMPARE(t3.text(), program.root.left(3) + u'x' + program.root.mid(3) + "/missing");
    QCOMPARE(t3.cursorPosition(), t3.text().size());

    QVERIFY(program.drive1->setDrive(program.path("/desk")));
    QCOMPARE(program.dir1->path(), program.path("/desk"));
    QCOMPARE(t3.text(), program.text("/desk"));

    t3.setCursorPosition(1);
    QTest::mouseClick(&t3, Qt::LeftButton);
    QTest::mouseDClick(&t3, Qt::LeftButton);
    QCOMPARE(t3.selectedText(), t3.text());
}

QTEST_MAIN(BrowserTest)
#include "BrowserTest.moc"
