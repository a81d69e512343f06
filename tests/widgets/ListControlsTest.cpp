#include "support/TestFiles.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/FolderList.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace vornak;
using vornak::test::makeFile;

namespace {

// A double click as the window system delivers it: press, release, double click, release.
void doubleClick(QWidget* widget, QPoint pos)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QMouseEvent event(QEvent::MouseButtonDblClick, pos, widget->mapToGlobal(pos), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

} // namespace

class ListControlsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void changeRuleAndOpeningAFolder();
    void clickAndRefreshFollowTheSelection();
    void hundredThousandEntries();

private:
    QByteArray at(const QByteArray& name) const { return m_folder + '/' + name; }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_folder;
};

void ListControlsTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = QFile::encodeName(m_dir->path());
    for (const char* name : {"b.txt", "a.txt", "c.log", "d.txt"})
        QVERIFY(makeFile(at(name)));
    QVERIFY(::mkdir(at("sub").constData(), 0755) == 0);
}

// Each control announces a change once, from inside the assignment that made it, and not at
// all when the new value is the old one or cannot be taken. A single click only highlights a
// folder; a double click or Enter opens it.
void ListControlsTest::changeRuleAndOpeningAFolder()
{
    DriveList drive1;
    FolderList dir1;
    FileList file1;
    dir1.resize(300, 400);
    dir1.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dir1));
    drive1.setVolumes({{"/", QString()}, {m_folder, QString()}}, "/usr");
    QList<QByteArray> seen;
    connect(&drive1, &DriveList::driveChanged, this, [&] { seen << "drive " + drive1.drive(); });
    connect(&dir1, &FolderList::pathChanged, this, [&] { seen << "folder " + dir1.path(); });
    connect(&file1, &FileList::pathChanged, this,
            [&] { seen << "files " + file1.path() + ' ' + QByteArray::number(file1.count()); });
    QVERIFY(drive1.setDrive(m_folder));
    QVERIFY(dir1.setPath(m_folder));
    QVERIFY(file1.setPath(m_folder));
    QCOMPARE(seen, (QList<QByteArray>{"drive " + m_folder, "folder " + m_folder,
                                      "files " + m_folder + " 4"}));
    seen.clear();
    QVERIFY(drive1.setDrive(m_folder));
    QVERIFY(!drive1.setDrive("D"));
    QVERIFY(dir1.setPath(at("sub/..")));
    QVERIFY(!dir1.setPath(at("missing")));
    QVERIFY(file1.setPath(m_folder));
    QVERIFY(!file1.setPath(at("missing")));
    QCOMPARE(seen, QList<QByteArray>());

    QSignalSpy clicked(&dir1, &FolderList::folderChosen);
    const auto centre = [&dir1](QTreeWidgetItem* item) {
        dir1.scrollToItem(item);
        return dir1.visualItemRect(item).center();
    };
    QTreeWidgetItem* sub = dir1.currentItem()->child(0);
    QTest::mouseClick(dir1.viewport(), Qt::LeftButton, {}, centre(sub));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(dir1.currentItem(), sub);
    QCOMPARE(seen, QList<QByteArray>());
    QTest::keyClick(&dir1, Qt::Key_Return);
    doubleClick(dir1.viewport(), centre(dir1.currentItem()->parent()));
    QCOMPARE(seen, (QList<QByteArray>{"folder " + at("sub"), "folder " + m_folder}));
}

// Click comes with a left click or an arrow key that selects an entry, also the one already
// selected; not with a right click. A refresh keeps the selected name.
void ListControlsTest::clickAndRefreshFollowTheSelection()
{
    FileList file1;
    file1.resize(200, 300);
    file1.show();
    QVERIFY(QTest::qWaitForWindowExposed(&file1));
    QVERIFY(file1.setPath(m_folder));
    QTRY_VERIFY(file1.visualRect(file1.model()->index(3, 0)).isValid());
    QSignalSpy clicked(&file1, &FileList::entryChosen);
    // Left or right click on a row, or the Down or Up key; then selection and Clicks.
    const struct {
        char step;
        int row, selected, clicks;
    } script[] = {{'L', 1, 1, 1}, {'L', 1, 1, 2}, {'D', 0, 2, 3},
                  {'U', 0, 1, 4}, {'R', 0, 1, 4}, {'R', 1, 1, 4}};
    for (std::size_t i = 0; i < std::size(script); ++i) {
        const auto& [step, row, selected, clicks] = script[i];
        const QPoint pos = file1.visualRect(file1.model()->index(row, 0)).center();
        if (step == 'D' || step == 'U')
            QTest::keyClick(&file1, step == 'D' ? Qt::Key_Down : Qt::Key_Up);
        else
            QTest::mouseClick(file1.viewport(), step == 'R' ? Qt::RightButton : Qt::LeftButton, {},
                              pos);
        QVERIFY2(file1.selectedIndex() == selected && clicked.count() == clicks,
                 qPrintable(QStringLiteral("step %1").arg(i)));
    }
    QCOMPARE(file1.selectedName(), QByteArray("b.txt"));
    QVERIFY(makeFile(at("a0.txt")));
    file1.refresh();
    QCOMPARE(file1.selectedIndex(), 2);
    QCOMPARE(file1.selectedName(), QByteArray("b.txt"));
}

// Hard links of a few files (a file takes at most 65,000): the entries are what counts, and
// links are made far faster than files.
void ListControlsTest::hundredThousandEntries()
{
    constexpr int kFiles = 100000;
    constexpr int kSources = 4;
    QVERIFY(::mkdir(at("many").constData(), 0755) == 0);
    const auto file = [this](int i) { return at("many/file " + QByteArray::number(i)); };
    for (int i = 0; i < kSources; ++i)
        QVERIFY(makeFile(file(i)));
    for (int i = kFiles - 1; i >= kSources; --i)
        QVERIFY(::link(file(i % kSources).constData(), file(i).constData()) == 0);

    FileList file1;
    QVERIFY(file1.setPath(at("many")));
    QCOMPARE(file1.model()->rowCount(), kFiles);
    for (int i = 0; i < kFiles; ++i)
        QCOMPARE(file1.entryName(i), "file " + QByteArray::number(i));
}

QTEST_MAIN(ListControlsTest)
#include "ListControlsTest.moc"
