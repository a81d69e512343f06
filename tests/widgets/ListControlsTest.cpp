#include "widgets/FileList.h"

#include "support/TestFiles.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vornak;
using vornak::test::makeFile;

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

    // A click queued behind a load of another folder, handled before the view had a turn of the
    // event loop, selects the entry under the pointer: the new folder starts at its top,
    // wherever the one before was scrolled to, even while the view was still laying out the
    // many entries of the load before.
    void clickRightAfterALoad()
    {
        QVERIFY(makeFile(at("sub/a.txt")) && makeFile(at("sub/b.txt")));
        for (int i = 0; i < 300; ++i)
            QVERIFY(makeFile(at("many" + QByteArray::number(i))) &&
                    makeFile(at("sub/many" + QByteArray::number(i))));
        FileList fileList;
        QVERIFY(show(fileList));
        const QPoint pos = fileList.visualRect(fileList.model()->index(1, 0)).center();
        fileList.setSelectedIndex(250);
        QVERIFY(fileList.indexAt(QPoint(5, 5)).row() > 0);
        QVERIFY(fileList.setPath(at("sub")));
        QSignalSpy chosen(&fileList, &FileList::entryChosen);
        QTest::mouseClick(fileList.viewport(), Qt::LeftButton, {}, pos);
        QCOMPARE(fileList.selectedName(), QByteArray("b.txt"));
        QCOMPARE(chosen.count(), 1);
    }
};

QTEST_MAIN(ListControlsTest)
#include "ListControlsTest.moc"
