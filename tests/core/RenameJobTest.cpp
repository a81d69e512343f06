#include "core/run/RenameJob.h"
#include "texts/KeptFileLines.h"

#include <QTest>

#include <cstring>

using namespace vornak;

Q_DECLARE_METATYPE(vornak::KeptReason)

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

QByteArray textOf(const std::vector<Rename>& renames)
{
    QByteArrayList pieces;
    for (const Rename& rename : renames)
        pieces.append(rename.oldName + '>' + rename.newName + (rename.toTemporary ? "*" : ""));
    return pieces.join('|');
}

} // namespace

// What the main window's run hands the engine, and how a file left unchanged is reported.
class RenameJobTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The renames planRenames drops are reported with their reasons; renames to the name the
    // file has are none. "*" marks a move to a temporary name.
    void plannedJob_data()
    {
        QTest::addColumn<QByteArray>("wanted");
        QTest::addColumn<QByteArray>("plan");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QList<KeptReason>>("reasons");
        QTest::newRow("a chain, and a name kept")
            << QByteArray("a>b|b>c|d>d") << QByteArray("b>c|a>b") << QByteArray()
            << QList<KeptReason>{};
        const QByteArray step = caseStepName("a");
        QTest::newRow("a cycle through a temporary name, and one more onto a name in it")
            << QByteArray("a>b|b>a|c>a|e>f") << "a>" + step + "*|b>a|" + step + ">b|c>a|e>f"
            << QByteArray() << QList<KeptReason>{};
        QTest::newRow("names that cannot be entries")
            << QByteArray("a>..|b>x/y|c>d") << QByteArray("c>d") << QByteArray("a>..|b>x/y")
            << QList<KeptReason>{KeptReason::NameNotAllowed, KeptReason::NameNotAllowed};
    }
    void plannedJob()
    {
        QFETCH(QByteArray, wanted);
        QFETCH(QByteArray, plan);
        QFETCH(QByteArray, kept);
        QFETCH(QList<KeptReason>, reasons);
        const RenameJob job = vornak::plannedJob("/f", renamesOf(wanted));
        QCOMPARE(job.folder, QByteArray("/f"));
        QCOMPARE(textOf(job.plan), plan);
        std::vector<Rename> keptRenames;
        QList<KeptReason> keptReasons;
        for (const KeptFile& file : job.keptBefore) {
            keptRenames.push_back({file.oldName, file.newName});
            keptReasons.append(file.reason);
        }
        QCOMPARE(textOf(keptRenames), kept);
        QCOMPARE(keptReasons, reasons);
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
