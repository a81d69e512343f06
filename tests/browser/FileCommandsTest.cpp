#include "app/MainWindow.h"

#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <unistd.h>

using namespace vornak;

namespace {

const QStringList kManagedItems{"DaKaiWenJianJia", "DaKaiWenJian", "ShanChuWenJian",
                                "jianchawenjian", "quantijiancha"};

// The main window started on a temporary folder holding the given files.
struct Program {
    QTemporaryDir dir;
    test::TestPlatform platform;
    std::unique_ptr<MainWindow> form1;
    FileList* file1 = nullptr;

    explicit Program(const QStringList& files)
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
    }
    QByteArray folder() const { return QFile::encodeName(dir.path()) + '/'; }
    QAction* item(const QString& name) const { return form1->findChild<QAction*>(name); }
    QMap<QString, bool> enabledItems() const
    {
        QMap<QString, bool> enabled;
        for (const QString& name : kManagedItems)
            enabled[name] = item(name)->isEnabled();
        return enabled;
    }
    QPoint rowCentre(int row) const
    {
        return file1->visualRect(file1->model()->index(row, 0)).center();
    }
    // Releases a mouse button over the file list; whileOpen runs on each popup that opens.
    void release(Qt::MouseButton button, QPoint pos, const std::function<void(QMenu&)>& whileOpen)
    {
        QObject guard;
        QTimer::singleShot(0, &guard, [&] {
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
                whileOpen(*popup);
        });
        QTest::mouseClick(file1->viewport(), button, {}, pos);
    }
    // Opens the popup with a right click and chooses the item with the given captions.
    void choose(const QStringList& captions)
    {
        release(Qt::RightButton, QPoint(5, 5), [&](QMenu& popup) { chooseIn(popup, captions); });
    }
    static void chooseIn(QMenu& menu, QStringList captions)
    {
        const QString caption = captions.takeFirst();
        for (QAction* action : menu.actions()) {
            if (action->text() != caption)
                continue;
            if (!action->menu()) {
                QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
                return;
            }
            menu.setActiveAction(action);
            QTest::keyClick(&menu, Qt::Key_Right);
            chooseIn(*action->menu(), captions);
            return;
        }
        QFAIL(qPrintable("no item " + caption));
    }
};

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void popupEnablesBySelection_data();
    void popupEnablesBySelection();
    void openCommands_data();
    void openCommands();
    void deleteFile_data();
    void deleteFile();
    void checkItemsRunTheChecks();
};

void FileCommandsTest::popupEnablesBySelection_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("selected");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QList<bool>>("enabledWhileOpen");

    const QStringList files{"a.txt", "b.txt"};
    QTest::newRow("an entry selected")
        << files << 1 << Qt::RightButton << true << QList<bool>{true, true, true, true, true};
    QTest::newRow("nothing selected")
        << files << -1 << Qt::RightButton << true << QList<bool>{true, false, false, false, true};
    QTest::newRow("empty folder") << QStringList{} << -1 << Qt::RightButton << true
                                  << QList<bool>{true, false, false, false, false};
    QTest::newRow("left button") << files << -1 << Qt::LeftButton << false << QList<bool>{};
}

void FileCommandsTest::popupEnablesBySelection()
{
    QFETCH(QStringList, files);
    QFETCH(int, selected);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, opens);
    QFETCH(QList<bool>, enabledWhileOpen);

    Program program(files);
    program.file1->setSelectedIndex(selected);
    // Below the entries, so that no button selects one.
    const QPoint pos(40, 150);
    QList<bool> enabled;
    QPoint popupAt;
    QMenu* opened = nullptr;
    program.release(button, pos, [&](QMenu& popup) {
        opened = &popup;
        popupAt = popup.pos();
        for (const QString& name : kManagedItems)
            enabled.append(program.item(name)->isEnabled());
        popup.close();
    });

    QCOMPARE(opened != nullptr, opens);
    QCOMPARE(enabled, enabledWhileOpen);
    if (opens) {
        QCOMPARE(opened->objectName(), QStringLiteral("XuanXiang"));
        QCOMPARE(popupAt, program.form1->mapToGlobal(pos + QPoint(1200 / 15, 400 / 15)));
    }
    for (const QString& name : kManagedItems)
        QVERIFY2(program.item(name)->isEnabled(), qPrintable(name));
    QCOMPARE(program.file1->selectedIndex(), selected);
}

void FileCommandsTest::openCommands_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("refreshes");

    QTest::newRow("打开文件") << QStringList{"打开文件"} << 1 << "b c.txt" << true;
    QTest::newRow("打开文件夹") << QStringList{"打开文件夹"} << 1 << "" << false;
    QTest::newRow("打开文件夹 without a selection")
        << QStringList{"打开文件夹"} << -1 << "" << false;
    QTest::newRow("double click") << QStringList{} << 1 << "b c.txt" << true;
}

void FileCommandsTest::openCommands()
{
    QFETCH(QStringList, captions);
    QFETCH(int, selected);
    QFETCH(QString, opened);
    QFETCH(bool, refreshes);

    Program program({"a.txt", "b c.txt"});
    program.file1->setSelectedIndex(selected);
    QVERIFY(test::makeFile(program.dir.filePath("new.txt"), 1));
    if (captions.isEmpty())
        QTest::mouseDClick(program.file1->viewport(), Qt::LeftButton, {}, program.rowCentre(1));
    else
        program.choose(captions);

    QCOMPARE(program.platform.shellOpens, QList<QByteArray>{program.folder() + opened.toUtf8()});
    QCOMPARE(program.file1->count(), refreshes ? 3 : 2);
    QVERIFY(program.platform.messages.isEmpty());
}

void FileCommandsTest::deleteFile_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("goneBehindTheList");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<bool>("refreshes");

    QTest::newRow("Yes deletes") << MessageAnswer::Yes << false << false << true << true;
    QTest::newRow("No keeps the file") << MessageAnswer::No << false << false << false << true;
    QTest::newRow("Yes on a file deleted outside")
        << MessageAnswer::Yes << true << false << false << false;
    // The superuser may delete a read-only file, so that case only holds for other users.
    if (::geteuid() != 0)
        QTest::newRow("Yes on a read-only file")
            << MessageAnswer::Yes << false << true << false << false;
}

void FileCommandsTest::deleteFile()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, goneBehindTheList);
    QFETCH(bool, readOnly);
    QFETCH(bool, deleted);
    QFETCH(bool, refreshes);

    Program program({"a.txt", "b.txt", "c.txt"});
    program.file1->setSelectedIndex(1);
    const QString victim = program.dir.filePath("b.txt");
    if (goneBehindTheList)
        QVERIFY(QFile::remove(victim));
    if (readOnly)
        QVERIFY(QFile::setPermissions(victim, QFile::ReadOwner));
    QVERIFY(test::makeFile(program.dir.filePath("new.txt"), 1));
    program.platform.answers = {answer};
    program.choose({"删除文件"});

    QCOMPARE(program.platform.messages.size(), refreshes ? 1 : 2);
    QCOMPARE(program.platform.messages[0].prompt, QStringLiteral("确定删除吗？将永远无法恢复!"));
    QCOMPARE(program.platform.messages[0].buttons, MessageButtons::YesNo);
    QCOMPARE(program.platform.messages[0].title, QStringLiteral("Vornak"));
    if (!refreshes) {
        QCOMPARE(program.platform.messages[1].prompt,
                 "位置：\r" + program.dir.path() + "/b.txt\r没有此文件！请检查！");
        QCOMPARE(program.platform.messages[1].title, QStringLiteral("出错提示!"));
        QCOMPARE(program.platform.messages[1].buttons, MessageButtons::Ok);
    }
    QCOMPARE(QFile::exists(victim), !deleted && !goneBehindTheList);
    QStringList listed;
    for (int i = 0; i < program.file1->count(); ++i)
        listed.append(program.file1->entryDisplayName(i));
    const QStringList before{"a.txt", "b.txt", "c.txt"};
    const QStringList after = deleted ? QStringList{"a.txt", "c.txt", "new.txt"}
                                      : QStringList{"a.txt", "b.txt", "c.txt", "new.txt"};
    QCOMPARE(listed, refreshes ? after : before);
}

void FileCommandsTest::checkItemsRunTheChecks()
{
    Program program({"a.txt", "b.txt"});
    program.file1->setSelectedIndex(0);
    program.choose({"检查", "检查文件"});
    QCOMPARE(program.platform.messages.size(), 1);
    QCOMPARE(program.platform.messages[0].title, QStringLiteral("检查结果"));
    QVERIFY(program.platform.messages[0].prompt.contains(u"“a.txt” 跟 “b.txt”"));

    program.choose({"检查", "全体检查"});
    QWidget* form2 = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("Form2"))
            form2 = window;
    }
    QVERIFY(form2);
    QVERIFY(form2->isVisible());
    QCOMPARE(program.platform.messages.size(), 1);
    delete form2;
}

QTEST_MAIN(FileCommandsTest)
#include "FileCommandsTest.moc"
