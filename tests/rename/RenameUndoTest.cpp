#include "core/fs/RenameResult.h"
#include "core/names/NativePath.h"
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
#include <QTimer>

#include <QDir>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace vornak;
using namespace vornak::test;

namespace {

using Plan = std::vector<Rename>;

const QList<QByteArray> kHostile{
    "plain.txt",  "-dash & $(shell) 'q\" %s.txt", "  spaces at both ends .txt  ",
    "照片 🎉.jpg", "odd \xff\xfe bytes.bin",       QByteArray(200, 'x') + ".txt",
};

// Creates the files, each holding its own name, so that the folder's state shows where each
// file went.
void makeFilesNamed(const RenameWindow& w, const QList<QByteArray>& names)
{
    for (const QByteArray& name : names)
        QVERIFY(writeFile(w.at(name), name));
}

// A run whose journal does not know how many files it moved (one cut short) names at most the
// files it was to move.
QString aboutRun(qsizetype files, const QByteArray& folder, bool known = true)
{
    return (known ? QStringLiteral("共 %1 个文件\r位置：")
                  : QStringLiteral("最多 %1 个文件\r位置："))
               .arg(files) +
           displayText(folder);
}

// Whether "撤销重命名" is enabled while the file list's popup is open.
bool undoOfferedInPopup(RenameWindow& w)
{
    bool enabled = false;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        enabled = w.find<QAction>(QStringLiteral("CheXiaoChongMingMing"))->isEnabled();
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    QTest::mouseClick(w.fileList->viewport(), Qt::RightButton, {}, QPoint(10, 5));
    return enabled;
}

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

enum class CutShort { PartOfABatch, Declined, AtTheStepName };
Q_DECLARE_METATYPE(CutShort)

// Undo through the main window: what it asks, what it restores, and what it reports.
class RenameUndoTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Two runs over hostile names: Ctrl+Z and the popup item undo them one after the other, each
    // after a question; a text box keeps Ctrl+Z for its own text, and the selected file stays
    // selected under the name it gets back. How far back runs are kept the journal's tests show.
    void undoesRunsOneAfterTheOther()
    {
        RenameWindow w;
        makeFilesNamed(w, kHostile);
        QVERIFY(w.open());
        QVERIFY(!undoOfferedInPopup(w));
        w.use(QStringLiteral("1=p"));
        QVERIFY(w.waitForTick());
        QList<QByteArrayList> states{folderState(w.folder())};
        for (int run = 0; run < 2; ++run) {
            w.runAll();
            states.append(folderState(w.folder()));
        }
        QVERIFY(states[1] != states[0] && states[2] != states[1]);
        QVERIFY(undoOfferedInPopup(w));
        QTest::keyClick(w.optionTexts[0], Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.optionTexts[0]->text(), QString());
        pressCtrlZ(w, MessageAnswer::No);
        QCOMPARE(w.platform.messages.last().prompt,
                 "撤销上次重命名？\r" + aboutRun(kHostile.size(), w.folder()));
        QCOMPARE(folderState(w.folder()), states[2]);
        w.fileList->selectName("ppplain.txt");
        pressCtrlZ(w, MessageAnswer::Yes);
        QCOMPARE(folderState(w.folder()), states[1]);
        w.platform.answers = {MessageAnswer::Yes};
        w.find<QAction>(QStringLiteral("CheXiaoChongMingMing"))->trigger();
        QVERIFY(w.jobEnded());
        QCOMPARE(folderState(w.folder()), states[0]);
        QCOMPARE(w.platform.messages.size(), 5);
        QCOMPARE(w.fileList->selectedName(), QByteArray("plain.txt"));
        QVERIFY(w.outcome().isEmpty());
        pressCtrlZ(w, MessageAnswer::Yes);
        QCOMPARE(w.platform.messages.last().prompt, QStringLiteral("没有可以撤销的重命名。"));
        QCOMPARE(w.platform.messages.last().buttons, MessageButtons::Ok);
        QVERIFY(!undoOfferedInPopup(w));
    }

    // The window and vornak-cli share one journal: with the window open, Ctrl+Z undoes the
    // command line's run, and `vornak-cli undo` the window's.
    void undoesTheCommandLinesRunsAndBack()
    {
        RenameWindow w;
        makeFilesNamed(w, kHostile);
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
    }

    // A file changed, gone, or whose old name is taken since the run keeps its name; the
    // others get theirs back, and the run keeps those three for the next Ctrl+Z. Once an undo
    // gives none of them back, the run can be set aside, and the run before it is offered.
    void reportsWhatCouldNotBeRestored()
    {
        RenameWindow w;
        makeFilesNamed(w, {"a.txt", "b.txt", "c.txt", "d.txt"});
        {
            JournalRun before =
                RenameJournal(RenameJournal::defaultFolder()).begin(w.folder(), {{"x", "y"}});
            QVERIFY(before.isStarted() && before.finish(1));
        }
        QVERIFY(w.open());
        w.use(QStringLiteral("1=n_"));
        QVERIFY(w.waitForTick());
        w.runAll();
        QVERIFY(writeFile(w.at("n_a.txt"), "changed"));
        QVERIFY(::unlink(w.at("n_b.txt").constData()) == 0);
        QVERIFY(writeFile(w.at("c.txt"), "new c"));
        pressCtrlZ(w, MessageAnswer::Yes);
        QCOMPARE(folderState(w.folder()), (QByteArrayList{"c.txt=new c", "d.txt=d.txt",
                                                          "n_a.txt=changed", "n_c.txt=c.txt"}));
        QCOMPARE(w.engine().resultsWindow()->windowTitle(), QStringLiteral("撤销结果"));
        QCOMPARE(w.outcome(), (QStringList{"已恢复 1 个文件，3 个未能恢复",
                                           "“n_c.txt” → “c.txt”：原名称已被占用",
                                           "“n_b.txt” → “b.txt”：文件已不存在",
                                           "“n_a.txt” → “a.txt”：该名称下的文件已被更改或替换"}));
        pressCtrlZ(w, MessageAnswer::No);
        QCOMPARE(w.platform.messages.last().prompt, "撤销上次重命名？\r" + aboutRun(3, w.folder()));
        const QByteArrayList stuck = folderState(w.folder());
        pressCtrlZ(w, MessageAnswer::Yes);
        QCOMPARE(w.outcome().first(), QStringLiteral("已恢复 0 个文件，3 个未能恢复"));
        const qsizetype asked = w.platform.messages.size();
        // No to the undo, then (the answers run out) Yes to setting the run aside.
        pressCtrlZ(w, MessageAnswer::No);
        QCOMPARE(w.platform.messages.size(), asked + 2);
        QCOMPARE(w.platform.messages[asked].prompt,
                 "撤销上次重命名？\r" + aboutRun(3, w.folder()) + "\r上次撤销没有恢复任何文件。");
        QCOMPARE(w.platform.messages.last().prompt,
                 QStringLiteral(
                     "跳过这次重命名，以后撤销它之前的重命名吗？\r它的撤销记录会保留，不会删除。"));
        QCOMPARE(QDir(QFile::decodeName(RenameJournal::defaultFolder()))
                     .entryList({QStringLiteral("*.run.set-aside")})
                     .size(),
                 1);
        pressCtrlZ(w, MessageAnswer::No);
        QCOMPARE(w.platform.messages.last().prompt, "撤销上次重命名？\r" + aboutRun(1, w.folder()));
        QCOMPARE(folderState(w.folder()), stuck);
    }

    // A run cut short (here: its journal left without the end mark) is offered for undo when
    // the program starts, and the steps that happened are undone exactly. One declined is not
    // offered again, but Ctrl+Z still undoes it.
    void offersARunCutShort_data()
    {
        QTest::addColumn<CutShort>("cut");
        QTest::newRow("part of a batch") << CutShort::PartOfABatch;
        QTest::newRow("declined") << CutShort::Declined;
        QTest::newRow("a case-only rename stopped at its step name") << CutShort::AtTheStepName;
    }
    void offersARunCutShort()
    {
        QFETCH(CutShort, cut);
        RenameWindow w;
        const bool caseOnly = cut == CutShort::AtTheStepName;
        Plan plan{{"a", "n_a"}, {"b", "n_b"}, {"c", "n_c"}};
        if (caseOnly)
            plan = {{"photo.JPG", "photo.jpg"}};
        for (const Rename& step : plan)
            QVERIFY(writeFile(w.at(step.oldName), step.oldName));
        const QByteArrayList before = folderState(w.folder());
        {
            JournalRun run = RenameJournal(RenameJournal::defaultFolder()).begin(w.folder(), plan);
            const QByteArray to = caseOnly ? caseStepName("photo.JPG") : plan[0].newName;
            QVERIFY(run.isStarted() &&
                    std::rename(w.at(plan[0].oldName).constData(), w.at(to).constData()) == 0);
        }
        const QByteArrayList cutShort = folderState(w.folder());
        w.platform.answers = {cut == CutShort::Declined ? MessageAnswer::No : MessageAnswer::Yes};
        QVERIFY(w.open());
        QTRY_COMPARE(w.platform.messages.size(), 1);
        QVERIFY(w.jobEnded());
        QCOMPARE(w.platform.messages[0].prompt,
                 "有一次重命名没有完成（程序被中断）。\r" +
                     aboutRun(qsizetype(plan.size()), w.folder(), false) +
                     "\r撤销已完成的部分吗？");
        if (cut == CutShort::Declined) {
            QCOMPARE(folderState(w.folder()), cutShort);
            w.window.reset();
            QVERIFY(w.open());
            // Whatever the start offers, it offers once the window's events have run.
            QTest::qWait(50);
            QCOMPARE(w.platform.messages.size(), 1);
            pressCtrlZ(w, MessageAnswer::Yes);
            QCOMPARE(w.platform.messages.size(), 2);
        }
        QCOMPARE(folderState(w.folder()), before);
        QVERIFY(w.outcome().isEmpty());
    }

    // A long run shows its progress, application-modal, with the files done of all; 取消 stops
    // it after the file in hand, and the files not reached are reported as cancelled. What was
    // done is undone like any run.
    void cancelStopsAfterTheFileInHand()
    {
        constexpr int kFiles = 20000;
        RenameWindow w;
        for (int i = 0; i < kFiles; ++i)
            QVERIFY(makeFile(w.at("f" + QByteArray::number(i).rightJustified(5, '0') + ".dat")));
        const QByteArrayList before = folderState(w.folder());
        QVERIFY(w.open());
        w.engine().setProgressDelay(std::chrono::milliseconds(0));
        w.use(QStringLiteral("1=c_"));
        QVERIFY(w.waitForTick());
        w.runAll(false);
        // Before the renaming, the dialog shows no count yet.
        QProgressDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) &&
                    dialog->maximum() != 0);
        QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
        QCOMPARE(dialog->maximum(), kFiles);
        QVERIFY2(dialog->labelText().endsWith(QStringLiteral(" / 20000 个文件")),
                 qPrintable(dialog->labelText()));
        QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        QVERIFY(w.jobEnded());
        const QByteArrayList after = folderState(w.folder());
        const auto renamed = int(std::count_if(
            after.begin(), after.end(), [](const QByteArray& f) { return f.startsWith("c_"); }));
        QVERIFY(renamed >= 1 && renamed < kFiles);
        QCOMPARE(after.size(), kFiles);
        const QStringList outcome = w.outcome();
        QCOMPARE(
            outcome.first(),
            QStringLiteral("已重命名 %1 个文件，%2 个未更改").arg(renamed).arg(kFiles - renamed));
        QCOMPARE(outcome.size(), kFiles - renamed + 1);
        QCOMPARE(outcome.filter(QStringLiteral("：已取消")).size(), kFiles - renamed);
        QCOMPARE(outcome.last(), QStringLiteral("“f19999.dat” → “c_f19999.dat”：已取消"));
        QVERIFY(!QApplication::activeModalWidget());
        pressCtrlZ(w, MessageAnswer::Yes);
        QCOMPARE(w.platform.messages.last().prompt,
                 "撤销上次重命名？\r" + aboutRun(renamed, w.folder()));
        QCOMPARE(folderState(w.folder()), before);
    }

    // While a run waits for the journal, nothing the user does starts another job or a
    // question: not Ctrl+Z, 执行, F2, nor the batch preview's 执行; nor 执行's own slot. The
    // run then renames each file once. 取消 meanwhile renames nothing and reports every file as
    // cancelled; when another copy of the program renames meanwhile, Ctrl+Z reads the journal
    // anew.
    void whileARunWaitsForTheJournal_data()
    {
        QTest::addColumn<QString>("poke");
        for (const char* poke : {"Ctrl+Z", "执行", "F2", "批量预览 执行", "run slot", "取消"})
            QTest::newRow(poke) << QString::fromUtf8(poke);
    }
    void whileARunWaitsForTheJournal()
    {
        QFETCH(QString, poke);
        RenameWindow w;
        makeFilesNamed(w, {"a.txt", "b.txt"});
        const QByteArrayList before = folderState(w.folder());
        QVERIFY(w.open());
        // Only 取消 needs the progress at once: a modal dialog would swallow the other pokes.
        if (poke == QStringLiteral("取消"))
            w.engine().setProgressDelay(std::chrono::milliseconds(0));
        w.use(QStringLiteral("1=n_"));
        QVERIFY(w.waitForTick());
        QPushButton* runBatch = nullptr;
        if (poke == QStringLiteral("批量预览 执行")) {
            QTest::keyClick(w.fileList, Qt::Key_F2);
            runBatch = w.find<QPushButton>(QStringLiteral("runBatch"));
            QVERIFY(runBatch);
            QTRY_VERIFY(runBatch->isEnabled());
        }
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
            if (poke == QStringLiteral("Ctrl+Z"))
                QTest::keyClick(w.fileList, Qt::Key_Z, Qt::ControlModifier);
            else if (poke == QStringLiteral("执行"))
                QTest::mouseClick(w.runButton, Qt::LeftButton);
            else if (poke == QStringLiteral("F2"))
                QTest::keyClick(w.fileList, Qt::Key_F2);
            else if (runBatch)
                QTest::mouseClick(runBatch, Qt::LeftButton);
            else if (poke == QStringLiteral("run slot"))
                w.window->findChild<RenameRun*>()->run();
            QCOMPARE(w.platform.messages.size(), 1);
            QCOMPARE(w.find<BatchPreviewWindow>(QStringLiteral("batchPreviewWindow")) != nullptr,
                     runBatch != nullptr);
            QProgressDialog* dialog = nullptr;
            if (poke == QStringLiteral("取消")) {
                QTRY_VERIFY(
                    (dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())));
                QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
            }
        }
        QVERIFY(w.jobEnded());
        QCOMPARE(w.platform.messages.size(), 1);
        if (poke != QStringLiteral("取消")) {
            QCOMPARE(folderState(w.folder()), (QByteArrayList{"n_a.txt=a.txt", "n_b.txt=b.txt"}));
            return;
        }
        QCOMPARE(folderState(w.folder()), before);
        QCOMPARE(w.outcome(),
                 (QStringList{"已重命名 0 个文件，2 个未更改", "“a.txt” → “n_a.txt”：已取消",
                              "“b.txt” → “n_b.txt”：已取消"}));
        pressCtrlZ(w, MessageAnswer::Yes);
        QCOMPARE(w.platform.messages.last().prompt, QStringLiteral("没有可以撤销的重命名。"));
        {
            const Plan plan{{"a.txt", "z.txt"}};
            JournalRun run = RenameJournal(RenameJournal::defaultFolder()).begin(w.folder(), plan);
            QVERIFY(run.isStarted() &&
                    std::rename(w.at("a.txt").constData(), w.at("z.txt").constData()) == 0 &&
                    run.finish(1));
        }
        pressCtrlZ(w, MessageAnswer::Yes);
        QCOMPARE(w.platform.messages.last().prompt, "撤销上次重命名？\r" + aboutRun(1, w.folder()));
        QCOMPARE(folderState(w.folder()), before);
    }

    // A journal that cannot be written stops the run before anything is renamed, and says why.
    void unwritableJournalStopsTheRun()
    {
        RenameWindow w;
        makeFilesNamed(w, {"a.txt", "b.txt"});
        const QByteArray blocker = QFile::encodeName(w.homes.filePath(QStringLiteral("blocker")));
        QVERIFY(writeFile(blocker, {}));
        qputenv("XDG_STATE_HOME", blocker);
        const QByteArrayList before = folderState(w.folder());
        QVERIFY(w.open());
        w.use(QStringLiteral("1=x"));
        QVERIFY(w.waitForTick());
        w.runAll();
        QCOMPARE(folderState(w.folder()), before);
        QCOMPARE(w.platform.messages.size(), 2);
        QCOMPARE(w.platform.messages.last().title, QStringLiteral("出错提示!"));
        QCOMPARE(w.platform.messages.last().prompt,
                 "无法写入撤销记录，没有重命名任何文件。\r位置：" + QFile::decodeName(blocker) +
                     "/vornak\r原因：路径中有一项不是文件夹");
        QVERIFY(w.outcome().isEmpty());
    }
};

QTEST_MAIN(RenameUndoTest)
#include "RenameUndoTest.moc"
