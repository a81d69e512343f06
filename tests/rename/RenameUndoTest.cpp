#include "core/run/RenameJournal.h"
#include "rename/BatchPreviewWindow.h"
#include "rename/RenameRun.h"
#include "support/RenameWindow.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include <QDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace vornak;
using namespace vornak::test;

namespace {

void pressCtrlZ(RenameWindow& w, MessageAnswer answer)
{
    w.platform.answers = {answer};
    // The user brings the main window to the front: the offscreen platform leaves a closed
    // popup or dialog the active window, or none.
    QApplication::setActiveWindow(w.window.get());
    w.fileList->setFocus();
    QTest::keyClick(w.fileList, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(w.jobEnded());
}

} // namespace

// Undo through the main window: what it asks, what it restores, and what it reports.
class RenameUndoTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The window and vornak-cli share one journal: with the window open, Ctrl+Z undoes the
    // command line's run, and `vornak-cli undo` the window's. A move of copies to the trash is
    // asked about as such.
    void undoesTheCommandLinesRunsAndBack()
    {
        RenameWindow w;
        QVERIFY(makeTree(w.folder(), {"a.txt", "b.txt"}) && writeFile(w.at("c.txt"), "a.txt"));
        QVERIFY(w.open());
        const QByteArrayList before = folderState(w.folder());
        const QString folder = QFile::decodeName(w.folder());
        QCOMPARE(QProcess::execute(QStringLiteral(VORNAK_CLI), {"run", "--prefix", "c_", folder}),
                 0);
        QVERIFY(folderState(w.folder()) != before);
        pressCtrlZ(w, MessageAnswer::Yes);
        QCOMPARE(folderState(w.folder()), before);
        w.use(QStringLiteral("1=p"));
        QVERIFY(w.waitForTick());
        w.runAll();
        QVERIFY(folderState(w.folder()) != before);
        QCOMPARE(QProcess::execute(QStringLiteral(VORNAK_CLI), {"undo"}), 0);
        QCOMPARE(folderState(w.folder()), before);
        QCOMPARE(
            QProcess::execute(QStringLiteral(VORNAK_CLI), {"check", "--content", "--trash-copies",
                                                           "--keep", "first", "--run", folder}),
            0);
        QCOMPARE(sortedNames(w.folder()), (QByteArrayList{"a.txt", "b.txt"}));
        pressCtrlZ(w, MessageAnswer::Yes);
        QVERIFY(w.platform.messages.last().prompt.startsWith(u"把上次移到回收站的文件放回原处？"));
        QCOMPARE(folderState(w.folder()), before);
    }

    // A run whose last undo gave no file back can be set aside, so that it no longer hides the
    // runs before it.
    void setsAsideARunThatRestoresNothing()
    {
        RenameWindow w;
        QVERIFY(makeTree(w.folder(), {"a.txt"}));
        QVERIFY(w.open());
        w.use(QStringLiteral("1=n_"));
        QVERIFY(w.waitForTick());
        w.runAll();
        QVERIFY(::unlink(w.at("n_a.txt").constData()) == 0);
        pressCtrlZ(w, MessageAnswer::Yes);
        // No to the undo, then (the answers run out) Yes to setting the run aside.
        pressCtrlZ(w, MessageAnswer::No);
        QVERIFY(w.platform.messages.last().prompt.startsWith(QStringLiteral("跳过这次重命名")));
        pressCtrlZ(w, MessageAnswer::Yes);
        QCOMPARE(w.platform.messages.last().prompt, QStringLiteral("没有可以撤销的重命名。"));
    }

    // A long run shows the files done of all; 取消 stops it after the file in hand, and the
    // files not reached keep their names.
    void cancelStopsAfterTheFileInHand()
    {
        constexpr int kFiles = 20000;
        RenameWindow w;
        for (int i = 0; i < kFiles; ++i)
            QVERIFY(makeFile(w.at("f" + QByteArray::number(i).rightJustified(5, '0') + ".dat")));
        QVERIFY(w.open());
        w.engine().setProgressDelay(std::chrono::milliseconds(0));
        w.use(QStringLiteral("1=c_"));
        QVERIFY(w.waitForTick());
        w.runAll(false);
        // Before the renaming, the dialog shows no count yet.
        QProgressDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) &&
                    dialog->maximum() != 0);
        QVERIFY2(dialog->labelText().endsWith(QStringLiteral(" / 20000 个文件")),
                 qPrintable(dialog->labelText()));
        QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        QVERIFY(w.jobEnded());
        const QByteArrayList after = folderState(w.folder());
        const auto renamed = int(std::count_if(
            after.begin(), after.end(), [](const QByteArray& f) { return f.startsWith("c_"); }));
        QVERIFY(renamed >= 1 && renamed < kFiles);
        QCOMPARE(
            w.outcome().first(),
            QStringLiteral("已重命名 %1 个文件，%2 个未更改").arg(renamed).arg(kFiles - renamed));
    }

    // While a run waits for the journal, neither a key (F2 here) nor 执行's own slot starts
    // another job or a question; the run then renames each file once.
    void nothingStartsWhileARunWaitsForTheJournal()
    {
        RenameWindow w;
        QVERIFY(makeTree(w.folder(), {"a.txt", "b.txt"}));
        QVERIFY(w.open());
        w.use(QStringLiteral("1=n_"));
        QVERIFY(w.waitForTick());
        {
            // Holding the journal folder's lock keeps the run waiting before it journals.
            const QByteArray folder = RenameJournal::defaultFolder();
            QDir().mkpath(QFile::decodeName(folder));
            const int lock =
                ::open((folder + "/lock").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            const auto unlock = qScopeGuard([lock] { ::close(lock); });
            QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX) == 0);
            w.runAll(false);
            QVERIFY(w.engine().isBusy());
            QTest::keyClick(w.fileList, Qt::Key_F2);
            w.window->findChild<RenameRun*>()->run();
            QCOMPARE(w.platform.messages.size(), 1);
            QVERIFY(!w.find<BatchPreviewWindow>(QStringLiteral("batchPreviewWindow")));
        }
        QVERIFY(w.jobEnded());
        QCOMPARE(folderState(w.folder()), (QByteArrayList{"n_a.txt=a.txt", "n_b.txt=b.txt"}));
    }
};

QTEST_MAIN(RenameUndoTest)
#include "RenameUndoTest.moc"
