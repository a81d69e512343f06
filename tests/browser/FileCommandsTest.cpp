#include "app/MainWindow.h"

#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vornak;

namespace {

const QStringList kManagedItems{"DaKaiWenJianJia", "DaKaiWenJian", "ShanChuWenJian",
                                "jianchawenjian", "quantijiancha"};

// The main window started on a temporary folder holding the given files, one selected.
struct Program {
    QTemporaryDir dir;
    test::TestPlatform platform;
    std::unique_ptr<MainWindow> form1;
    FileList* file1 = nullptr;

    Program(const QStringList& files, int selected)
    {
        for (const QString& name : files)
            QVERIFY(test::makeFile(dir.filePath(name), name.size()));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        form1 = std::make_unique<MainWindow>(platform);
        QDir::setCurrent(previous);
        file1 = form1->findChild<FileList*>(QStringLiteral("File1"));
        form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(form1.get()));
        file1->setSelectedIndex(selected);
    }
    QAction* item(const QString& name) const { return form1->findChild<QAction*>(name); }
    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < file1->count(); ++i)
            names.append(file1->entryDisplayName(i));
        return names;
    }
};

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void popupEnablesBySelection_data();
    void popupEnablesBySelection();
    void commands_data();
    void commands();
    void checksOutliveTheMainWindow();
};

void FileCommandsTest::popupEnablesBySelection_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("selected");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QList<bool>>("enabledWhileOpen"); // by kManagedItems; empty: no popup
    const auto row = [](const char* name, const QStringList& files, int selected,
                        Qt::MouseButton button, const QList<bool>& enabled) {
        QTest::newRow(name) << files << selected << button << enabled;
    };
    row("an entry selected", {"a", "b"}, 1, Qt::RightButton, {true, true, true, true, true});
    row("nothing selected", {"a", "b"}, -1, Qt::RightButton, {true, false, false, false, true});
    row("empty folder", {}, -1, Qt::RightButton, {true, false, false, false, false});
    row("left button", {"a", "b"}, -1, Qt::LeftButton, {});
}

// Items are disabled only while the popup is open, which a right button opens by the pointer.
void FileCommandsTest::popupEnablesBySelection()
{
    QFETCH(QStringList, files);
    QFETCH(int, selected);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QList<bool>, enabledWhileOpen);
    Program program(files, selected);
    const QPoint pos(40, 150); // below the entries, so that no button selects one
    QList<bool> enabled;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            return;
        QCOMPARE(popup->objectName(), QStringLiteral("XuanXiang"));
        QCOMPARE(popup->pos(), program.form1->mapToGlobal(pos + QPoint(1200 / 15, 400 / 15)));
        for (const QString& name : kManagedItems)
            enabled.append(program.item(name)->isEnabled());
        popup->close();
    });
    QTest::mouseClick(program.file1->viewport(), button, {}, pos);

    QCOMPARE(enabled, enabledWhileOpen);
    for (const QString& name : kManagedItems)
        QVERIFY2(program.item(name)->isEnabled(), qPrintable(name));
    QCOMPARE(program.file1->selectedIndex(), selected);
}

void FileCommandsTest::commands_data()
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

void FileCommandsTest::commands()
{
    QFETCH(QString, item);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, goneBehindTheList);
    QFETCH(QString, opened);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, listed);
    Program program({"a.txt", "b c.txt", "c.txt"}, 1);
    if (goneBehindTheList)
        QVERIFY(QFile::remove(program.dir.filePath("b c.txt")));
    QVERIFY(test::makeFile(program.dir.filePath("new.txt"), 1));
    program.platform.answers = {answer};
    if (item.isEmpty()) {
        const QPoint row = program.file1->visualRect(program.file1->model()->index(1, 0)).center();
        QTest::mouseDClick(program.file1->viewport(), Qt::LeftButton, {}, row);
    } else {
        program.item(item)->trigger();
    }

    const QByteArray folder = QFile::encodeName(program.dir.path()) + '/';
    QCOMPARE(program.platform.shellOpens,
             opened == "-" ? QList<QByteArray>{} : QList<QByteArray>{folder + opened.toUtf8()});
    QStringList shown;
    for (const test::ShownMessage& message : program.platform.messages) {
        const char* buttons = message.buttons == MessageButtons::YesNo ? "YesNo" : "Ok";
        shown.append(message.title + '|' + message.prompt + '|' + buttons);
    }
    QCOMPARE(shown, messages.replaceInStrings("%1", program.dir.path()));
    QCOMPARE(program.listed(), listed);
}

// The check of the selected file answers in a message, the check of all in the results
// window, which stays open, keeping the program running, when the main window closes.
void FileCommandsTest::checksOutliveTheMainWindow()
{
    Program program({"a.txt", "b.txt"}, 0);
    program.item("jianchawenjian")->trigger();
    QCOMPARE(program.platform.messages.size(), 1);
    QCOMPARE(program.platform.messages[0].title, QStringLiteral("检查结果"));
    QVERIFY(program.platform.messages[0].prompt.contains(u"“a.txt” 跟 “b.txt”"));

    program.item("quantijiancha")->trigger();
    QPointer<QWidget> form2;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("Form2"))
            form2 = window;
    }
    QCOMPARE(program.platform.messages.size(), 1);
    program.form1->close();
    program.form1.reset();
    QVERIFY(form2 && form2->isVisible());
    QVERIFY(form2->testAttribute(Qt::WA_QuitOnClose));
    form2->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!form2);
}

QTEST_MAIN(FileCommandsTest)
#include "FileCommandsTest.moc"
