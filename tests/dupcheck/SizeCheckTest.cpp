#include "dupcheck/SizeCheck.h"

#include "app/MainWindow.h"

#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vornak;

namespace {

using Files = QList<std::pair<QString, qint64>>;
using Pairs = QList<std::pair<QString, QString>>;

// A file list on a temporary folder, with the check that reads it.
struct Folder {
    QTemporaryDir dir;
    test::TestPlatform platform;
    FileList file1;
    FolderPath folderPath;
    SizeCheck check{file1, folderPath, platform};

    explicit Folder(const Files& files, const QString& pattern = QStringLiteral("*"))
    {
        for (const auto& [name, length] : files)
            QVERIFY(test::makeFile(dir.filePath(name), length));
        file1.setPattern(pattern);
        QVERIFY(file1.setPath(QFile::encodeName(dir.path())));
        folderPath.update(file1.path());
    }
    ~Folder()
    {
        if (ResultsWindow* form2 = check.resultsWindow())
            delete form2;
    }
    void select(const QString& name)
    {
        for (int i = 0; i < file1.count(); ++i) {
            if (file1.entryDisplayName(i) == name)
                file1.setSelectedIndex(i);
        }
        QCOMPARE(file1.selectedName(), name.toUtf8());
    }
    void remove(const QStringList& names)
    {
        for (const QString& name : names)
            QVERIFY(QFile::remove(dir.filePath(name)));
    }
};

QString matchesOf(const Pairs& pairs)
{
    QString text;
    for (const auto& [first, second] : pairs)
        text += "\r文件 “" + first + "” 跟 “" + second + "” 大小一致，可能是重复文件\r";
    return text;
}

} // namespace

class SizeCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checkFile_data();
    void checkFile();
    void checkAll_data();
    void checkAll();
    void oneResultsWindowAtATime();
    void resultsWindowOutlivesTheMainWindow();
};

void SizeCheckTest::checkFile_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("removedBehindTheList");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");

    const QString rule = QStringLiteral(
        "\r-------------------------------------检查完成---------------------------------------");
    const QString results = QStringLiteral("检查结果");
    const Files abc{{"a.txt", 10}, {"b.txt", 10}, {"c.txt", 10}, {"d.txt", 11}};
    QTest::newRow("selected among three of one length")
        << abc << "*"
        << "b.txt" << QStringList{} << matchesOf({{"b.txt", "a.txt"}, {"b.txt", "c.txt"}}) + rule
        << results;
    QTest::newRow("no other file of that length")
        << abc << "*"
        << "d.txt" << QStringList{} << QStringLiteral("没有检测到与 “d.txt” 大小一致的文件!")
        << results;
    QTest::newRow("zero-length files")
        << Files{{"e1", 0}, {"e2", 0}, {"f", 1}} << "*"
        << "e2" << QStringList{} << matchesOf({{"e2", "e1"}}) + rule << results;
    QTest::newRow("another listed file deleted outside")
        << abc << "*"
        << "a.txt" << QStringList{"b.txt"} << matchesOf({{"a.txt", "c.txt"}}) + rule << results;
    QTest::newRow("the selected file deleted outside")
        << abc << "*"
        << "a.txt" << QStringList{"a.txt"}
        << QStringLiteral("位置：\r%1/a.txt\r没有此文件！请检查！") << "出错提示!";
    QTest::newRow("a file the pattern hides is not compared")
        << Files{{"a.txt", 4}, {"b.log", 4}, {"c.txt", 4}} << "*.txt"
        << "a.txt" << QStringList{} << matchesOf({{"a.txt", "c.txt"}}) + rule << results;
}

void SizeCheckTest::checkFile()
{
    QFETCH(Files, files);
    QFETCH(QString, pattern);
    QFETCH(QString, selected);
    QFETCH(QStringList, removedBehindTheList);
    QFETCH(QString, prompt);
    QFETCH(QString, title);

    Folder folder(files, pattern);
    folder.select(selected);
    const int listed = folder.file1.count();
    folder.remove(removedBehindTheList);
    folder.check.onCheckFile();

    QCOMPARE(folder.platform.messages.size(), 1);
    QCOMPARE(folder.platform.messages[0].prompt, prompt.arg(folder.dir.path()));
    QCOMPARE(folder.platform.messages[0].title, title);
    QCOMPARE(folder.platform.messages[0].buttons, MessageButtons::Ok);
    QCOMPARE(folder.file1.count(), listed);
    QVERIFY(!folder.check.resultsWindow());
}

void SizeCheckTest::checkAll_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("removedBehindTheList");
    QTest::addColumn<Files>("addedBehindTheList");
    QTest::addColumn<Pairs>("matches");

    QTest::newRow("groups of equal length, in the order of the list")
        << Files{{"a", 3}, {"b", 5}, {"c", 3}, {"d", 5}, {"e", 3}, {"f", 7}} << "*" << QStringList{}
        << Files{} << Pairs{{"a", "c"}, {"a", "e"}, {"b", "d"}, {"c", "e"}};
    QTest::newRow("zero-length files") << Files{{"a", 0}, {"b", 0}, {"c", 2}} << "*"
                                       << QStringList{} << Files{} << Pairs{{"a", "b"}};
    QTest::newRow("a file deleted outside is not reported")
        << Files{{"a", 3}, {"b", 3}, {"c", 3}} << "*" << QStringList{"b"} << Files{}
        << Pairs{{"a", "c"}};
    QTest::newRow("a file added outside is checked too")
        << Files{{"a", 3}, {"c", 4}} << "*" << QStringList{} << Files{{"b", 3}}
        << Pairs{{"a", "b"}};
    QTest::newRow("a file the pattern hides is not compared")
        << Files{{"a.txt", 4}, {"b.log", 4}, {"c.txt", 5}} << "*.txt" << QStringList{} << Files{}
        << Pairs{};
    QTest::newRow("one entry") << Files{{"a", 1}} << "*" << QStringList{} << Files{} << Pairs{};
    QTest::newRow("the only entry deleted outside")
        << Files{{"a", 1}} << "*" << QStringList{"a"} << Files{} << Pairs{};
}

void SizeCheckTest::checkAll()
{
    QFETCH(Files, files);
    QFETCH(QString, pattern);
    QFETCH(QStringList, removedBehindTheList);
    QFETCH(Files, addedBehindTheList);
    QFETCH(Pairs, matches);

    Folder folder(files, pattern);
    folder.remove(removedBehindTheList);
    for (const auto& [name, length] : addedBehindTheList)
        QVERIFY(test::makeFile(folder.dir.filePath(name), length));
    folder.check.onCheckAll();

    ResultsWindow* form2 = folder.check.resultsWindow();
    if (matches.isEmpty()) {
        QVERIFY(!form2);
        QCOMPARE(folder.platform.messages.size(), 1);
        QCOMPARE(folder.platform.messages[0].prompt, QStringLiteral("没有检测到大小一致的文件!"));
        QCOMPARE(folder.platform.messages[0].title, QStringLiteral("检查结果"));
        return;
    }
    QVERIFY(folder.platform.messages.isEmpty());
    QVERIFY(form2);
    QVERIFY(form2->isVisible());
    QCOMPARE(form2->windowTitle(), QStringLiteral("检查结果"));
    QCOMPARE(form2->report(), matchesOf(matches) + "\r-------检查完成-------");
}

void SizeCheckTest::oneResultsWindowAtATime()
{
    Folder folder({{"a", 1}, {"b", 1}});
    folder.check.onCheckAll();
    QPointer<ResultsWindow> first = folder.check.resultsWindow();
    QVERIFY(first);

    QVERIFY(test::makeFile(folder.dir.filePath("c"), 1));
    folder.check.onCheckAll();
    QCOMPARE(folder.check.resultsWindow(), first.data());
    QVERIFY(first->report().contains("“b” 跟 “c”"));

    // Closing discards the window; the next report opens a new one.
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    QVERIFY(!folder.check.resultsWindow());
    folder.check.onCheckAll();
    QVERIFY(folder.check.resultsWindow());
    QVERIFY(folder.check.resultsWindow()->isVisible());
}

void SizeCheckTest::resultsWindowOutlivesTheMainWindow()
{
    QTemporaryDir dir;
    QVERIFY(test::makeFile(dir.filePath("a"), 2));
    QVERIFY(test::makeFile(dir.filePath("b"), 2));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    test::TestPlatform platform;
    QPointer<MainWindow> form1 = new MainWindow(platform);
    QDir::setCurrent(previous);
    form1->setAttribute(Qt::WA_DeleteOnClose);
    form1->load();
    form1->show();
    form1->findChild<QAction*>(QStringLiteral("quantijiancha"))->trigger();

    QPointer<QWidget> form2;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("Form2"))
            form2 = window;
    }
    QVERIFY(form2);
    QVERIFY(form2->isVisible());

    form1->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!form1);
    QVERIFY(form2);
    QVERIFY(form2->isVisible());
    // The program keeps running while the results window is open.
    QVERIFY(form2->testAttribute(Qt::WA_QuitOnClose));
    form2->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!form2);
}

QTEST_MAIN(SizeCheckTest)
#include "SizeCheckTest.moc"
