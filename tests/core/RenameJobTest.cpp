#include "core/run/RenameJob.h"
#include "texts/KeptFileLines.h"

#include <QTest>

#include <cstring>

using namespace vornak;

namespace {

// "old>new" pieces, "|" between them.
std::vector<Rename> renamesOf(const QByteArray& text)
{
    std::vector<Rename> renames;
    for (const QByteArray& piece : text.split('|'))
        if (!piece.isEmpty())
            renames.push_back({piece.split('>')[0], piece.split('>')[1]});
    return renames;
}

} // namespace

// What the main window's run hands the engine, and how a file left unchanged is reported.
class RenameJobTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The renames planRenames drops are reported with their reasons; renames to the name the
    // file has are none. "*" marks a move to a temporary name.
    void plannedJob()
    {
        const RenameJob job =
            vornak::plannedJob("/f", renamesOf("a>b|b>c|d>d|e>f|f>e|g>e|h>..|i>x/y"));
        QCOMPARE(job.folder, QByteArray("/f"));
        QByteArrayList plan;
        for (const Rename& step : job.plan)
            plan.append(step.oldName + '>' + step.newName + (step.toTemporary ? "*" : ""));
        const QByteArray step = caseStepName("e");
        QCOMPARE(plan,
                 (QByteArrayList{"b>c", "a>b", "e>" + step + '*', "f>e", step + ">f", "g>e"}));
        QByteArrayList kept;
        for (const KeptFile& file : job.keptBefore)
            kept.append(file.oldName + '>' + file.newName +
                        (file.reason == KeptReason::WaitsOnFile      ? " waits"
                         : file.reason == KeptReason::NameNotAllowed ? " not allowed"
                                                                     : " ?"));
        QCOMPARE(kept, (QByteArrayList{"h>.. not allowed", "i>x/y not allowed"}));
    }

    // A file left at its step name or a temporary one is named, so that its owner finds it.
    void lines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("stranded at the step name")
            << keptFileLine({"photo.JPG", "photo.jpg", KeptReason::LeftAtStepName})
            << "“photo.JPG” → “photo.jpg”：大小写更改中断，文件暂名为 " +
                   QString::fromLatin1(caseStepName("photo.JPG"));
        QTest::newRow("stranded at a temporary name")
            << keptFileLine({"a", "b\xff", KeptReason::LeftAtTemporary, 0, "t\xff"})
            << QStringLiteral("“a” → “b\ufffd”：循环改名中断，文件暂名为 t\ufffd");
        QTest::newRow("bytes that are not UTF-8, cancelled")
            << keptFileLine({"a\xff.txt", "b\xff.txt", KeptReason::Cancelled})
            << QStringLiteral("“a\ufffd.txt” → “b\ufffd.txt”：已取消");
        QTest::newRow("undo refused by the file system")
            << undoFailureLine({"a", "b", UndoOutcome::Failed, EROFS})
            << QStringLiteral("“b” → “a”：没有权限或只读");
        QTest::newRow("a placeholder written to since, named once")
            << undoFailureLine({"a", "b", UndoOutcome::PlaceholderKept, 0})
            << QStringLiteral("“b”：可能是中断的重命名留下的占位文件，但已被写入，未删除");
        QTest::newRow("kept for a reason of the system's, in the user's words")
            << keptFileLine({"a", "b", KeptReason::Failed, EIO})
            << QStringLiteral("“a” → “b”：无法重命名（输入/输出错误）");
        QTest::newRow("an error without a text of its own")
            << undoFailureLine({"a", "b", UndoOutcome::Failed, ECHILD})
            << QStringLiteral("“b” → “a”：无法重命名（%1）")
                   .arg(QString::fromLocal8Bit(std::strerror(ECHILD)));
    }
    void lines()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(line, expected);
    }
};

QTEST_GUILESS_MAIN(RenameJobTest)
#include "RenameJobTest.moc"
