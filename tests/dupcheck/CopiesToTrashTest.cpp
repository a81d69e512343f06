#include "core/run/RenameJournal.h"
#include "dupcheck/ContentCheck.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "texts/ContentReport.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vornak;
using namespace Qt::StringLiterals;

namespace {

qint64 blocksOf(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 ? qint64(st.st_blocks) * 512 : -1;
}

bool setTime(const QByteArray& path, time_t seconds)
{
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    return ::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

} // namespace

// 移到回收站… of the content check's report, through the real windows: three groups of copies
// (one with a symbolic link to a copy outside the folder, one with two hard links of one file,
// one a sparse pair holding no blocks), the kept file picked by the rule, the bytes emptying the
// trash frees, the run, and its undo giving every name its file back.
class CopiesToTrashTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void movesAndUndoes_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QByteArrayList>("left");
        QTest::addColumn<int>("freedFiles"); // files of one block each that emptying frees
        QTest::newRow("oldest") << 0 << QByteArrayList{"a.txt", "h3", "s1"} << 2;
        QTest::newRow("newest") << 1 << QByteArrayList{"h1", "h2", "l", "s2"} << 3;
        QTest::newRow("in the shown folder") << 4 << QByteArrayList{"a.txt", "h1", "h2", "s1"} << 2;
    }
    void movesAndUndoes()
    {
        QFETCH(int, rule);
        QFETCH(QByteArrayList, left);
        QFETCH(int, freedFiles);
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        const QByteArray folder = root + "/f";
        qputenv("XDG_DATA_HOME", root + "/data");
        qputenv("XDG_STATE_HOME", root + "/state");
        QVERIFY(::mkdir(folder.constData(), 0700) == 0);
        QVERIFY(test::writeFile(folder + "/a.txt", "same") && setTime(folder + "/a.txt", 1000));
        QVERIFY(test::writeFile(folder + "/b.txt", "same") && setTime(folder + "/b.txt", 3000));
        QVERIFY(test::writeFile(root + "/out", "same") && setTime(root + "/out", 5000));
        QVERIFY(::symlink((root + "/out").constData(), (folder + "/l").constData()) == 0);
        QVERIFY(test::writeFile(folder + "/h1", "hard") && setTime(folder + "/h1", 2000));
        QVERIFY(::link((folder + "/h1").constData(), (folder + "/h2").constData()) == 0);
        QVERIFY(test::writeFile(folder + "/h3", "hard") && setTime(folder + "/h3", 1500));
        for (const char* sparse : {"/s1", "/s2"})
            QVERIFY(test::writeFile(folder + sparse, {}) &&
                    ::truncate((folder + sparse).constData(), 1 << 20) == 0 &&
                    setTime(folder + sparse, sparse[2] == '1' ? 500 : 600));
        const QByteArrayList before = test::folderState(folder);

        test::TestPlatform platform;
        FileList file1;
        QVERIFY(file1.setPath(folder));
        ContentCheck check(file1, platform);
        QSignalSpy checked(&check, &ContentCheck::finished);
        check.checkContents();
        QVERIFY(checked.wait());
        auto* button = check.resultsWindow()->findChild<QPushButton*>(u"copiesToTrashButton"_s);
        QVERIFY(button && button->isEnabled() && button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        CopiesToTrashWindow* window = check.copiesToTrashWindow();
        QVERIFY(window && window->isVisible());
        window->findChild<QComboBox*>(u"keepRule"_s)->setCurrentIndex(rule);
        const qint64 freed = freedFiles * blocksOf(folder + "/a.txt");
        const QString plan = window->findChild<QPlainTextEdit*>(u"plannedMoves"_s)->toPlainText();
        QVERIFY2(plan.section(u'\n', 0, 0).endsWith(u"可释放 %1 字节"_s.arg(grouped(freed))),
                 qPrintable(plan));

        QSignalSpy moved(window, &CopiesToTrashWindow::moved);
        QTest::mouseClick(window->findChild<QPushButton*>(u"moveToTrash"_s), Qt::LeftButton);
        QVERIFY(moved.wait());
        QCOMPARE(platform.messages.size(), 2);
        QCOMPARE(platform.messages[0].buttons, MessageButtons::YesNo);
        QVERIFY(platform.messages[1].prompt.contains(u"，0 个未能移动"_s));
        QCOMPARE(test::sortedNames(folder), left);
        QCOMPARE(file1.names().size(), std::size_t(left.size()));

        const RenameJournal journal(RenameJournal::defaultFolder());
        const UndoReport undone = journal.undo(journal.lastRun()->id);
        QVERIFY(std::all_of(undone.steps.begin(), undone.steps.end(), [](const UndoStep& step) {
            return step.outcome == UndoOutcome::Restored;
        }));
        QCOMPARE(test::folderState(folder), before);
        QCOMPARE(test::sortedNames(root + "/data/Trash/info"), QByteArrayList());
        QCOMPARE(test::sortedNames(root + "/data/Trash/files"), QByteArrayList());
    }
};

QTEST_MAIN(CopiesToTrashTest)
#include "CopiesToTrashTest.moc"
