#include "dupcheck/SizeCheck.h"
#include "texts/SingleCheckReport.h"

#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vornak;

namespace {

using Files = QList<std::pair<QString, qint64>>;
constexpr qint64 kGiB = qint64(1) << 30;
const QString kFullRule = QStringLiteral("-------检查完成-------");
// 37 hyphens, 检查完成, 39 hyphens.
const QString kSingleRule = QString(37, u'-') + "检查完成" + QString(39, u'-');

QString match(const QString& first, const QString& second)
{
    return "\r文件 “" + first + "” 跟 “" + second + "” 大小一致，可能是重复文件\r";
}

// A file list of a temporary folder's "*.txt" files, with the check that reads it; then the
// removed files are deleted behind the list's back.
struct Folder {
    QTemporaryDir dir;
    test::TestPlatform platform;
    FileList fileList;
    SizeCheck check{fileList, platform, nullptr};

    Folder(const Files& files, const QString& selected, const QStringList& removed = {})
    {
        for (const auto& [name, length] : files)
            QVERIFY(test::makeFile(dir.filePath(name), length));
        QVERIFY(fileList.setPattern(QStringLiteral("*.txt")));
        QVERIFY(fileList.setPath(QFile::encodeName(dir.path())));
        for (int i = 0; i < fileList.count(); ++i) {
            if (fileList.entryDisplayName(i) == selected)
                fileList.setSelectedIndex(i);
        }
        for (const QString& name : removed)
            QVERIFY(QFile::remove(dir.filePath(name)));
    }
    ~Folder() { delete check.resultsWindow(); }
};

} // namespace

class SizeCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Two names that are not UTF-8 show alike: the twin of the selected entry is still a match.
    void singleReportLeavesOutOnlyTheSelectedPosition()
    {
        NameList entries;
        for (const char* name : {"odd \xff.txt", "odd \xfe.txt", "z.txt"})
            entries.append(name);
        const QString shown = entries.displayNameAt(0);
        QCOMPARE(SingleCheckReport(entries, {4, 4, 4}, 0, 4).text(),
                 match(shown, shown) + match(shown, "z.txt") + '\r' + kSingleRule);
    }

    // The title and text of the results window, or of the message box.
    void checkFolder_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QString>("selected"); // empty: the full check
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QString>("shown");

        // c.txt is deleted behind the list's back, the .log files are hidden by the pattern;
        // 3 GiB and 7 GiB are equal in their low 32 bits.
        QTest::newRow("single: matches")
            << Files{{"a.txt", 0}, {"b.txt", 0}, {"c.txt", 0}, {"d.txt", 0}, {"f.log", 0}}
            << "b.txt" << QStringList{"c.txt"}
            << "message检查结果" + match("b.txt", "a.txt") + match("b.txt", "d.txt") + '\r' +
                   kSingleRule;
        QTest::newRow("full: pairs in the order of the list")
            << Files{{"a.txt", 3 * kGiB}, {"b.txt", 5},        {"c.txt", 3 * kGiB},
                     {"d.txt", 5},        {"e.txt", 0},        {"f.txt", 3 * kGiB},
                     {"g.txt", 0},        {"h.log", 3 * kGiB}, {"x.txt", 7 * kGiB}}
            << "" << QStringList{}
            << "window检查结果" + match("a.txt", "c.txt") + match("a.txt", "f.txt") +
                   match("b.txt", "d.txt") + match("c.txt", "f.txt") + match("e.txt", "g.txt") +
                   '\r' + kFullRule;
    }
    void checkFolder()
    {
        QFETCH(Files, files);
        QFETCH(QString, selected);
        QFETCH(QStringList, removed);
        QFETCH(QString, shown);
        Folder folder(files, selected, removed);
        if (selected.isEmpty())
            folder.check.checkAll();
        else
            folder.check.checkFile();

        ResultsWindow* form2 = folder.check.resultsWindow();
        const QList<test::ShownMessage>& messages = folder.platform.messages;
        QCOMPARE(messages.size(), form2 ? 0 : 1);
        QCOMPARE(form2 ? "window" + form2->windowTitle() + form2->report().text()
                       : "message" + messages[0].title + messages[0].prompt,
                 shown);
    }
};

QTEST_MAIN(SizeCheckTest)
#include "SizeCheckTest.moc"
