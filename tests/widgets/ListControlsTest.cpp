#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/FolderList.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vornak;
using namespace Qt::StringLiterals;
using vornak::test::makeFile;

namespace {

using Roots = QList<QByteArray>;

QList<Volume> volumesAt(const Roots& roots)
{
    QList<Volume> volumes;
    for (const QByteArray& root : roots)
        volumes.append({root, QString()});
    return volumes;
}

// The style of the tests, which notes the text the closed drop-down is drawn with.
class LabelNotingStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
            combo && element == CE_ComboBoxLabel)
            drawnText = combo->currentText;
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    mutable QString drawnText;
};

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
    QByteArray at(const QByteArray& name) const { return m_folder + '/' + name; }
    // Shows the list on the test folder; false when it does not appear.
    [[nodiscard]] bool show(FileList& fileList) const
    {
        fileList.resize(200, 300);
        fileList.show();
        return QTest::qWaitForWindowExposed(&fileList) && fileList.setPath(m_folder);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_folder;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_folder = QFile::encodeName(m_dir->path());
        for (const char* name : {"b.txt", "a.txt", "c.log", "d.txt"})
            QVERIFY(makeFile(at(name)));
        QVERIFY(::mkdir(at("sub").constData(), 0755) == 0);
    }

    // Each control announces a change once, from inside the assignment that made it, and not at
    // all when the new value is the old one or cannot be taken.
    void changeRule()
    {
        test::TestPlatform platform;
        platform.volumeList = volumesAt({"/", m_folder});
        DriveList driveList;
        FolderList folderList;
        FileList fileList;
        driveList.listVolumes(platform, "/usr");
        QList<QByteArray> seen;
        connect(&driveList, &DriveList::driveChanged, this,
                [&] { seen << "drive " + driveList.drive(); });
        connect(&folderList, &FolderList::pathChanged, this,
                [&] { seen << "folder " + folderList.path(); });
        connect(&fileList, &FileList::pathChanged, this, [&] {
            seen << "files " + fileList.path() + ' ' + QByteArray::number(fileList.count());
        });
        QVERIFY(driveList.setDrive(m_folder));
        QVERIFY(folderList.setPath(m_folder));
        QVERIFY(fileList.setPath(m_folder));
        QCOMPARE(seen, (QList<QByteArray>{"drive " + m_folder, "folder " + m_folder,
                                          "files " + m_folder + " 4"}));
        seen.clear();
        QVERIFY(driveList.setDrive(m_folder));
        QVERIFY(!driveList.setDrive("D"));
        QVERIFY(folderList.setPath(at("sub/..")));
        QVERIFY(!folderList.setPath(at("missing")));
        QVERIFY(fileList.setPath(m_folder));
        QVERIFY(!fileList.setPath(at("missing")));
        QCOMPARE(seen, QList<QByteArray>());
    }

    void volumesAreReadWhenTheDropDownOpens_data()
    {
        QTest::addColumn<Roots>("before");
        QTest::addColumn<QByteArray>("selected");
        QTest::addColumn<Roots>("after");
        QTest::addColumn<QByteArray>("selectedAfter");
        QTest::newRow("mounted") << Roots{"/"} << QByteArray("/") << Roots{"/", "/mnt/new"}
                                 << QByteArray("/");
        QTest::newRow("mounted before the selected one")
            << Roots{"/", "/mnt/z"} << QByteArray("/mnt/z") << Roots{"/", "/mnt/a", "/mnt/z"}
            << QByteArray("/mnt/z");
        // Its folders now lie on the volume that holds its mount point.
        QTest::newRow("the selected one unmounted")
            << Roots{"/", "/mnt/a", "/mnt/a/z"} << QByteArray("/mnt/a/z") << Roots{"/", "/mnt/a"}
            << QByteArray("/mnt/a");
    }

    // The drop-down lists the volumes mounted when it opens and keeps the selection, without
    // announcing a change.
    void volumesAreReadWhenTheDropDownOpens()
    {
        QFETCH(Roots, before);
        QFETCH(QByteArray, selected);
        QFETCH(Roots, after);
        QFETCH(QByteArray, selectedAfter);
        test::TestPlatform platform;
        platform.volumeList = volumesAt(before);
        DriveList driveList;
        driveList.listVolumes(platform, selected);
        driveList.show();
        QVERIFY(QTest::qWaitForWindowExposed(&driveList));
        QSignalSpy changed(&driveList, &DriveList::driveChanged);
        platform.volumeList = volumesAt(after);
        driveList.showPopup();
        Roots listed;
        for (int i = 0; i < driveList.count(); ++i)
            listed.append(driveList.itemText(i).toUtf8());
        driveList.hidePopup();
        QCOMPARE(listed, after);
        QCOMPARE(driveList.drive(), selectedAfter);
        QCOMPARE(driveList.currentText().toUtf8(), selectedAfter);
        QCOMPARE(changed.count(), 0);
    }

    // The closed drive list shows a short mount path whole, and of a long one the start and the
    // end (the end is what tells volumes apart), leaving out the middle.
    void closedDriveListElidesInTheMiddle()
    {
        const QByteArray shortRoot("/mnt/usb");
        const QString longRoot =
            u"/media/someone/一个很长的卷名称-that-goes-on-and-on/backup-2024-volume-B"_s;
        test::TestPlatform platform;
        platform.volumeList = volumesAt({"/", shortRoot, longRoot.toUtf8()});
        LabelNotingStyle style;
        DriveList driveList;
        driveList.setStyle(&style);
        driveList.resize(163, 20);
        driveList.listVolumes(platform, shortRoot);
        driveList.grab();
        QCOMPARE(style.drawnText, QString::fromUtf8(shortRoot));
        driveList.listVolumes(platform, longRoot.toUtf8());
        driveList.grab();
        const QString shown = style.drawnText;
        QVERIFY2(shown.startsWith(longRoot.left(4)) && shown.endsWith(longRoot.right(8)) &&
                     shown.contains(QChar(0x2026)) && shown.size() < longRoot.size(),
                 qPrintable(shown));
    }

    // A single click only highlights a folder; a double click or Enter opens it.
    void openingAFolder()
    {
        FolderList folderList;
        folderList.resize(300, 400);
        folderList.show();
        QVERIFY(QTest::qWaitForWindowExposed(&folderList) && folderList.setPath(m_folder));
        QSignalSpy chosen(&folderList, &FolderList::folderChosen);
        const auto centre = [&folderList](QTreeWidgetItem* item) {
            folderList.scrollToItem(item);
            return folderList.visualItemRect(item).center();
        };
        QTreeWidgetItem* sub = folderList.currentItem()->child(0);
        QTest::mouseClick(folderList.viewport(), Qt::LeftButton, {}, centre(sub));
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(folderList.currentItem(), sub);
        QCOMPARE(folderList.path(), m_folder);
        QTest::keyClick(&folderList, Qt::Key_Return);
        QCOMPARE(folderList.path(), at("sub"));
        doubleClick(folderList.viewport(), centre(folderList.currentItem()->parent()));
        QCOMPARE(folderList.path(), m_folder);
    }

    // An entry is chosen with a left click or an arrow key that selects it, also the one already
    // selected; not with a right click.
    void entryChosenFollowsTheSelection()
    {
        FileList fileList;
        QVERIFY(show(fileList));
        QTRY_VERIFY(fileList.visualRect(fileList.model()->index(3, 0)).isValid());
        QSignalSpy chosen(&fileList, &FileList::entryChosen);
        // Left or right click on a row, or the Down or Up key; then the selection and the choices.
        const struct {
            char step;
            int row, selected, choices;
        } script[] = {{'L', 1, 1, 1}, {'L', 1, 1, 2}, {'D', 0, 2, 3},
                      {'U', 0, 1, 4}, {'R', 0, 1, 4}, {'R', 1, 1, 4}};
        for (std::size_t i = 0; i < std::size(script); ++i) {
            const auto& [step, row, selected, choices] = script[i];
            const QPoint pos = fileList.visualRect(fileList.model()->index(row, 0)).center();
            if (step == 'D' || step == 'U')
                QTest::keyClick(&fileList, step == 'D' ? Qt::Key_Down : Qt::Key_Up);
            else
                QTest::mouseClick(fileList.viewport(),
                                  step == 'R' ? Qt::RightButton : Qt::LeftButton, {}, pos);
            QVERIFY2(fileList.selectedIndex() == selected && chosen.count() == choices &&
                         chosen.last().at(0).toInt() == selected,
                     qPrintable(QStringLiteral("step %1").arg(i)));
        }
    }

    void clickRightAfterALoad_data()
    {
        QTest::addColumn<QString>("load");
        QTest::newRow("pattern") << "*.txt";
        QTest::newRow("refresh") << "";
        QTest::newRow("another folder, the one before scrolled") << "sub";
    }

    // A click queued behind a load of the entries, handled before the view had a turn of the
    // event loop, selects the entry under the pointer, even while the view was still laying out
    // the many entries of the load before.
    void clickRightAfterALoad()
    {
        QFETCH(QString, load);
        QVERIFY(makeFile(at("sub/a.txt")) && makeFile(at("sub/b.txt")));
        for (int i = 0; i < 300; ++i)
            QVERIFY(makeFile(at("many" + QByteArray::number(i))) &&
                    makeFile(at("sub/many" + QByteArray::number(i))));
        FileList fileList;
        QVERIFY(show(fileList));
        const QPoint pos = fileList.visualRect(fileList.model()->index(1, 0)).center();
        if (load == "sub") {
            // Another folder starts at its top, wherever the one before was scrolled to.
            fileList.setSelectedIndex(250);
            QVERIFY(fileList.indexAt(QPoint(5, 5)).row() > 0);
            QVERIFY(fileList.setPath(at("sub")));
        } else if (load.isEmpty())
            fileList.refresh();
        else
            QVERIFY(fileList.setPattern(load));
        QSignalSpy chosen(&fileList, &FileList::entryChosen);
        QTest::mouseClick(fileList.viewport(), Qt::LeftButton, {}, pos);
        QCOMPARE(fileList.selectedName(), QByteArray("b.txt"));
        QCOMPARE(chosen.count(), 1);
    }
};

QTEST_MAIN(ListControlsTest)
#include "ListControlsTest.moc"
