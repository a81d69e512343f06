#include "platform/DriveList.h"
#include "platform/FileList.h"
#include "platform/FolderList.h"
#include "support/TestFiles.h"

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

QList<QByteArray> namesOf(const FileList& list)
{
    QList<QByteArray> names;
    for (int i = 0; i < list.count(); ++i)
        names.append(list.entryName(i));
    return names;
}

// The texts of a folder list's items, depth first, each indented by its level.
QStringList itemTexts(const QTreeWidgetItem* item, int level = 0)
{
    QStringList texts{QString(level, u' ') + item->text(0)};
    for (int i = 0; i < item->childCount(); ++i)
        texts += itemTexts(item->child(i), level + 1);
    return texts;
}

QTreeWidgetItem* findItem(QTreeWidget& tree, const QString& text)
{
    const auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// A double click as the window system delivers it: press, release, double click, release.
void doubleClick(QWidget* widget, QPoint pos)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QMouseEvent event(QEvent::MouseButtonDblClick, pos, widget->mapToGlobal(pos), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

QPoint centreOfRow(const FileList& list, int row)
{
    return list.visualRect(list.model()->index(row, 0)).center();
}

} // namespace

class ListControlsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void driveChangesOnlyOnANewDrive();
    void driveRemembersTheLastFolderPerVolume();
    void folderChangesOnlyOnANewPath();
    void folderShowsChainAndSubfolders();
    void folderOpensOnlyOnDoubleClickOrEnter_data();
    void folderOpensOnlyOnDoubleClickOrEnter();
    void filePathChangesOnlyOnANewPath();
    void filePatternNarrowsAndABadOneIsIgnored();
    void refreshKeepsTheSelectedName();
    void clickFollowsTheSelection_data();
    void clickFollowsTheSelection();
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
    for (const char* folder : {"sub", "other", ".hidden"})
        QVERIFY(::mkdir(at(folder).constData(), 0755) == 0);
}

void ListControlsTest::driveChangesOnlyOnANewDrive()
{
    DriveList drive1;
    drive1.setVolumes({{"/", QString()}, {m_folder, QString()}}, "/usr");
    QCOMPARE(drive1.drive(), QByteArray("/"));
    QSignalSpy changed(&drive1, &DriveList::changed);
    QByteArray seenInside;
    connect(&drive1, &DriveList::changed, this, [&] { seenInside = drive1.drive(); });

    QVERIFY(drive1.setDrive("/"));
    QCOMPARE(changed.count(), 0);
    QVERIFY(drive1.setDrive(m_folder));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(seenInside, m_folder);
    QVERIFY(drive1.setDrive(m_folder));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!drive1.setDrive("D"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(drive1.drive(), m_folder);
}

void ListControlsTest::driveRemembersTheLastFolderPerVolume()
{
    FolderList dir1;
    dir1.setVolumes({{"/", QString()}, {m_folder, QString()}}, at("sub"));
    QVERIFY(dir1.setDrive(m_folder));
    QCOMPARE(dir1.path(), at("sub"));
    QVERIFY(dir1.setPath(at("other")));
    QVERIFY(dir1.setDrive("/"));
    QCOMPARE(dir1.path(), QByteArray("/"));
    QVERIFY(dir1.setDrive(m_folder));
    QCOMPARE(dir1.path(), at("other"));
}

void ListControlsTest::folderChangesOnlyOnANewPath()
{
    FolderList dir1;
    QSignalSpy changed(&dir1, &FolderList::changed);
    QByteArray seenInside;
    connect(&dir1, &FolderList::changed, this, [&] { seenInside = dir1.path(); });

    QVERIFY(dir1.setPath(m_folder));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(seenInside, m_folder);
    QVERIFY(dir1.setPath(m_folder));
    QVERIFY(dir1.setPath(m_folder + "/"));
    QVERIFY(dir1.setPath(at("sub/..")));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!dir1.setPath(at("missing")));
    QVERIFY(!dir1.setPath(at("b.txt")));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(dir1.path(), m_folder);
}

void ListControlsTest::folderShowsChainAndSubfolders()
{
    FolderList dir1;
    QVERIFY(dir1.setPath(at("sub")));
    QCOMPARE(dir1.topLevelItemCount(), 1);
    QStringList expected{QStringLiteral("/")};
    const QList<QByteArray> parts = at("sub").split('/');
    for (qsizetype i = 1; i < parts.size(); ++i)
        expected.append(QString(i, u' ') + QFile::decodeName(parts[i]));
    QCOMPARE(itemTexts(dir1.topLevelItem(0)), expected);

    QVERIFY(dir1.setPath(m_folder));
    const QStringList texts = itemTexts(dir1.topLevelItem(0));
    const int depth = int(m_folder.count('/'));
    QCOMPARE(texts.mid(texts.size() - 2),
             (QStringList{QString(depth + 1, u' ') + QStringLiteral("other"),
                          QString(depth + 1, u' ') + QStringLiteral("sub")}));
    QCOMPARE(dir1.currentItem()->text(0),
             QFile::decodeName(m_dir->path().toUtf8()).section(u'/', -1));
}

void ListControlsTest::folderOpensOnlyOnDoubleClickOrEnter_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("opens");
    QTest::newRow("single click") << "click" << false;
    QTest::newRow("double click") << "double click" << true;
    QTest::newRow("Enter") << "Enter" << true;
}

void ListControlsTest::folderOpensOnlyOnDoubleClickOrEnter()
{
    QFETCH(QString, action);
    QFETCH(bool, opens);
    FolderList dir1;
    dir1.resize(300, 400);
    dir1.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dir1));
    QVERIFY(dir1.setPath(m_folder));
    QSignalSpy changed(&dir1, &FolderList::changed);
    QSignalSpy clicked(&dir1, &FolderList::clicked);
    QTreeWidgetItem* sub = findItem(dir1, QStringLiteral("sub"));
    QVERIFY(sub);
    dir1.scrollToItem(sub);
    const QPoint centre = dir1.visualItemRect(sub).center();
    if (action == u"Enter") {
        dir1.setCurrentItem(sub);
        QTest::keyClick(&dir1, Qt::Key_Return);
    } else if (action == u"double click") {
        doubleClick(dir1.viewport(), centre);
    } else {
        QTest::mouseClick(dir1.viewport(), Qt::LeftButton, {}, centre);
    }
    QCOMPARE(changed.count(), opens ? 1 : 0);
    QCOMPARE(dir1.path(), opens ? at("sub") : m_folder);
    if (!opens) {
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(dir1.currentItem(), sub);
    }
}

void ListControlsTest::filePathChangesOnlyOnANewPath()
{
    FileList file1;
    QSignalSpy pathChanged(&file1, &FileList::pathChanged);
    int countInside = -1;
    connect(&file1, &FileList::pathChanged, this, [&] { countInside = file1.count(); });

    QVERIFY(file1.setPath(m_folder));
    QCOMPARE(pathChanged.count(), 1);
    QCOMPARE(countInside, 4);
    QVERIFY(file1.setPath(m_folder));
    QCOMPARE(pathChanged.count(), 1);
    QVERIFY(!file1.setPath(at("missing")));
    QCOMPARE(pathChanged.count(), 1);
    QCOMPARE(file1.path(), m_folder);
    QVERIFY(file1.setPath(at("sub")));
    QCOMPARE(pathChanged.count(), 2);
    QCOMPARE(file1.count(), 0);
}

void ListControlsTest::filePatternNarrowsAndABadOneIsIgnored()
{
    FileList file1;
    QVERIFY(file1.setPath(m_folder));
    QCOMPARE(namesOf(file1), (QList<QByteArray>{"a.txt", "b.txt", "c.log", "d.txt"}));
    QSignalSpy pathChanged(&file1, &FileList::pathChanged);
    QVERIFY(file1.setPattern(QStringLiteral("*.TXT")));
    QCOMPARE(namesOf(file1), (QList<QByteArray>{"a.txt", "b.txt", "d.txt"}));
    QVERIFY(!file1.setPattern(QStringLiteral("*/*")));
    QCOMPARE(file1.pattern().text(), QStringLiteral("*.TXT"));
    QCOMPARE(namesOf(file1), (QList<QByteArray>{"a.txt", "b.txt", "d.txt"}));
    QCOMPARE(pathChanged.count(), 0);
}

void ListControlsTest::refreshKeepsTheSelectedName()
{
    FileList file1;
    QVERIFY(file1.setPath(m_folder));
    file1.setSelectedIndex(1);
    QCOMPARE(file1.selectedName(), QByteArray("b.txt"));

    QVERIFY(makeFile(at("a0.txt")));
    file1.refresh();
    QCOMPARE(file1.count(), 5);
    QCOMPARE(file1.selectedIndex(), 2);
    QCOMPARE(file1.selectedName(), QByteArray("b.txt"));

    QVERIFY(::unlink(at("b.txt").constData()) == 0);
    file1.refresh();
    QCOMPARE(file1.count(), 4);
    QCOMPARE(file1.selectedIndex(), -1);
    QCOMPARE(file1.selectedName(), QByteArray());
}

// Each step: "click N", "right N" (right click on row N), "dclick N", "key Down"/"key Up", or
// "ctrl N" (control-click on row N); then the selected row and the count of Click so far.
void ListControlsTest::clickFollowsTheSelection_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QList<int>>("clicks");

    QTest::newRow("click selects") << QStringList{"click 1"} << QList<int>{1} << QList<int>{1};
    QTest::newRow("clicking the selected entry again")
        << QStringList{"click 1", "click 1"} << QList<int>{1, 1} << QList<int>{1, 2};
    QTest::newRow("arrow keys") << QStringList{"click 0", "key Down", "key Down", "key Up"}
                                << QList<int>{0, 1, 2, 1} << QList<int>{1, 2, 3, 4};
    QTest::newRow("arrow key at the end moves nothing")
        << QStringList{"click 3", "key Down"} << QList<int>{3, 3} << QList<int>{1, 1};
    QTest::newRow("right click selects nothing")
        << QStringList{"click 0", "right 2"} << QList<int>{0, 0} << QList<int>{1, 1};
    QTest::newRow("right click first") << QStringList{"right 2"} << QList<int>{-1} << QList<int>{0};
    QTest::newRow("deselecting is no click")
        << QStringList{"click 2", "ctrl 2"} << QList<int>{2, -1} << QList<int>{1, 1};
}

void ListControlsTest::clickFollowsTheSelection()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, selected);
    QFETCH(QList<int>, clicks);

    FileList file1;
    file1.resize(200, 300);
    file1.show();
    QVERIFY(QTest::qWaitForWindowExposed(&file1));
    QVERIFY(file1.setPath(m_folder));
    QTRY_VERIFY(file1.visualRect(file1.model()->index(3, 0)).isValid());
    QSignalSpy clicked(&file1, &FileList::clicked);
    QSignalSpy released(&file1, &FileList::mouseReleased);

    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QStringList step = steps[i].split(u' ');
        const QString& what = step[0];
        if (what == u"key") {
            QTest::keyClick(&file1, step[1] == u"Down" ? Qt::Key_Down : Qt::Key_Up);
        } else {
            const QPoint pos = centreOfRow(file1, step[1].toInt());
            const Qt::MouseButton button = what == u"right" ? Qt::RightButton : Qt::LeftButton;
            const Qt::KeyboardModifiers modifiers =
                what == u"ctrl" ? Qt::ControlModifier : Qt::NoModifier;
            const int releasedBefore = int(released.count());
            QTest::mouseClick(file1.viewport(), button, modifiers, pos);
            QCOMPARE(released.count(), releasedBefore + 1);
            QCOMPARE(released.last().at(0).value<Qt::MouseButton>(), button);
        }
        QCOMPARE(file1.selectedIndex(), selected[i]);
        QCOMPARE(int(clicked.count()), clicks[i]);
    }
}

void ListControlsTest::hundredThousandEntries()
{
    constexpr int kFiles = 100000;
    QVERIFY(::mkdir(at("many").constData(), 0755) == 0);
    const QByteArray many = at("many/");
    // Hard links of a few files (a file takes at most 65,000): the entries are what counts,
    // and links are made far faster than files.
    constexpr int kSources = 4;
    for (int i = 0; i < kSources; ++i)
        QVERIFY(makeFile(many + "file " + QByteArray::number(i)));
    for (int i = kFiles - 1; i >= kSources; --i) {
        const QByteArray source = many + "file " + QByteArray::number(i % kSources);
        const QByteArray name = many + "file " + QByteArray::number(i);
        QVERIFY(::link(source.constData(), name.constData()) == 0);
    }

    FileList file1;
    QVERIFY(file1.setPath(at("many")));
    QCOMPARE(file1.count(), kFiles);
    QCOMPARE(file1.model()->rowCount(), kFiles);
    for (int i = 0; i < kFiles; ++i) {
        if (file1.entryName(i) != "file " + QByteArray::number(i))
            QFAIL(
                qPrintable(QStringLiteral("entry %1 is %2").arg(i).arg(file1.entryDisplayName(i))));
    }
    file1.setSelectedIndex(kFiles - 1);
    QCOMPARE(file1.selectedName(), QByteArray("file 99999"));
    QCOMPARE(file1.entryName(kFiles), QByteArray());
}

QTEST_MAIN(ListControlsTest)
#include "ListControlsTest.moc"
