#include "support/TestFiles.h"
#include "support/TestMount.h"

#include "texts/PlanFormat.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

using namespace vornak;

namespace {

// The words are handed over as exact bytes: QProcess would encode them as UTF-8 text, so a
// shell turns each one, written as octal escapes, back into its bytes.
QProcess* startCli(const QByteArrayList& words, const QByteArray& stateHome, bool asNobody = false)
{
    QStringList arguments = {QStringLiteral("-c"),
                             QStringLiteral("for a do set -- \"$@\" \"$(printf \"$a\")\"; shift; "
                                            "done; exec \"$0\" \"$@\""),
                             QStringLiteral(VORNAK_CLI)};
    for (const QByteArray& word : words) {
        QString escaped;
        for (const char byte : word)
            escaped +=
                QStringLiteral("\\%1").arg(static_cast<unsigned char>(byte), 3, 8, QChar(u'0'));
        arguments.append(escaped);
    }
    auto* process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_STATE_HOME"), QString::fromUtf8(stateHome));
    process->setProcessEnvironment(environment);
    // Root reads every folder: a folder that cannot be read needs another user.
    if (asNobody)
        process->setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(125);
        });
    process->start(QStringLiteral("/bin/sh"), arguments);
    return process;
}

struct Outcome {
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

Outcome runCli(const QByteArrayList& words, const QByteArray& stateHome, bool asNobody = false)
{
    std::unique_ptr<QProcess> process(startCli(words, stateHome, asNobody));
    process->waitForFinished(60'000);
    return {process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1,
            process->readAllStandardOutput(), process->readAllStandardError()};
}

QByteArrayList sortedNames(const QByteArray& folder)
{
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QByteArrayList names = test::entryNames(dir);
    ::close(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// The words with DIR put in place of the folder's path.
QByteArrayList withFolder(QByteArrayList words, const QByteArray& folder)
{
    for (QByteArray& word : words)
        word.replace("DIR", folder);
    return words;
}

// A folder whose own name is not UTF-8, holding these empty files.
struct Folder {
    QTemporaryDir temporary;
    QByteArray path = QFile::encodeName(temporary.path()) + "/g\xff\xfe";
    QByteArray state = QFile::encodeName(temporary.path()) + "/state";

    explicit Folder(const QByteArrayList& files)
    {
        QDir().mkpath(temporary.path() + QStringLiteral("/state"));
        ::mkdir(path.constData(), 0755);
        for (const QByteArray& file : files)
            test::makeFile(path + '/' + file);
    }
    // QTemporaryDir cannot remove a folder whose name is not UTF-8.
    ~Folder() { std::filesystem::remove_all(path.toStdString()); }
};

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exitStatus_data()
    {
        QTest::addColumn<QByteArrayList>("words");
        QTest::addColumn<QByteArrayList>("files");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArrayList>("after");
        const QByteArrayList two = {"a.txt", "b\xe9.txt"};
        QTest::newRow("plan changes nothing")
            << QByteArrayList{"plan", "--prefix", "x_", "DIR"} << two << 0 << two;
        QTest::newRow("run") << QByteArrayList{"run", "--prefix", "x_", "DIR"} << two << 0
                             << QByteArrayList{"x_a.txt", "x_b\xe9.txt"};
        QTest::newRow("dry run") << QByteArrayList{"run", "-n", "--prefix", "x_", "DIR"} << two << 0
                                 << two;
        QTest::newRow("a file keeps its name")
            << QByteArrayList{"run", "--case-ext", "lower", "DIR"}
            << QByteArrayList{"a.TXT", "a.txt", "b.TXT"} << 1
            << QByteArrayList{"a.TXT", "a.txt", "b.txt"};
        QTest::newRow("line break kept")
            << QByteArrayList{"run", "--suffix", "_1", "DIR"} << QByteArrayList{"a\nb.txt", "c.txt"}
            << 1 << QByteArrayList{"a\nb.txt", "c_1.txt"};
        QTest::newRow("only one") << QByteArrayList{"run",      "--only", "a.txt",
                                                    "--prefix", "x_",     "DIR"}
                                  << two << 0 << QByteArrayList{"b\xe9.txt", "x_a.txt"};
        QTest::newRow("only a file not there")
            << QByteArrayList{"run", "--only", "z.txt", "--prefix", "x_", "DIR"} << two << 2 << two;
        QTest::newRow("unknown option")
            << QByteArrayList{"run", "--bogus", "DIR"} << two << 2 << two;
        QTest::newRow("no folder") << QByteArrayList{"run", "--prefix", "x_"} << two << 2 << two;
        QTest::newRow("folder not there")
            << QByteArrayList{"run", "--prefix", "x_", "DIR/none"} << two << 3 << two;
        QTest::newRow("expression does not compile")
            << QByteArrayList{"run", "--replace", "(", "--regex", "DIR"} << two << 2 << two;
        QTest::newRow("insert and remove by position")
            << QByteArrayList{"run", "--remove-end", "0:1", "--insert", "1:_", "DIR"}
            << QByteArrayList{"照片.txt", "a👍🏽b.txt"} << 0
            << QByteArrayList{"a_👍🏽.txt", "照_.txt"};
        QTest::newRow("a position without its count")
            << QByteArrayList{"run", "--remove", "1", "DIR"} << two << 2 << two;
        QTest::newRow("one rule from both ends")
            << QByteArrayList{"run", "--insert", "0:x", "--insert-end", "0:y", "DIR"} << two << 2
            << two;
        QTest::newRow("nothing to undo") << QByteArrayList{"undo"} << two << 3 << two;
        QTest::newRow("unknown subcommand") << QByteArrayList{"rename", "DIR"} << two << 2 << two;
    }
    void exitStatus()
    {
        QFETCH(QByteArrayList, words);
        QFETCH(QByteArrayList, files);
        QFETCH(int, exitCode);
        QFETCH(QByteArrayList, after);
        Folder folder(files);
        QCOMPARE(runCli(withFolder(words, folder.path), folder.state).exitCode, exitCode);
        QCOMPARE(sortedNames(folder.path), after);
    }

    // A folder below that cannot be read is told of and the others are renamed; the run did not
    // go as planned.
    void unreadableFolderBelowIsTold()
    {
        QTemporaryDir temporary;
        const QByteArray root = QFile::encodeName(temporary.path());
        QVERIFY(test::makeTree(root, {"state/", "t/", "t/a.txt", "t/s/", "t/s/b.txt"}));
        QCOMPARE(QProcess::execute(
                     QStringLiteral("chown"),
                     {QStringLiteral("-R"), QStringLiteral("65534:65534"), temporary.path()}),
                 0);
        QVERIFY(::chmod((root + "/t/s").constData(), 0) == 0);
        const Outcome outcome =
            runCli({"run", "-r", "--prefix", "x_", root + "/t"}, root + "/state", true);
        QCOMPARE(outcome.exitCode, 1);
        QVERIFY(outcome.errors.contains(root + "/t/s"));
        QCOMPARE(sortedNames(root + "/t"), (QByteArrayList{"s", "x_a.txt"}));
    }

    // A run that renamed nothing, on a read-only volume, is neither listed nor undone.
    void runOnAReadOnlyVolumeIsNotKept()
    {
        Folder folder({});
        test::TestMount mount(test::TestMount::Kind::Tmpfs, 1 << 20);
        VORNAK_REQUIRE_MOUNT(mount);
        QVERIFY(test::makeFile(mount.root() + "/a.txt"));
        QCOMPARE(QProcess::execute("mount", {"-o", "remount,ro", QFile::decodeName(mount.root())}),
                 0);
        QCOMPARE(runCli({"run", "--prefix", "x_", mount.root()}, folder.state).exitCode, 1);
        QCOMPARE(runCli({"history"}, folder.state).output, QByteArray());
        QCOMPARE(runCli({"undo"}, folder.state).exitCode, 3);
    }

    void numbersByModificationTime()
    {
        Folder folder({"a.txt", "b.txt"});
        const timespec older[2] = {{1'000'000, 0}, {1'000'000, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, (folder.path + "/b.txt").constData(), older, 0), 0);
        const QByteArray names =
            runCli({"plan", "--base", "p", "--order", "mtime", "-0", folder.path}, folder.state)
                .output;
        QCOMPARE(names, QByteArray("p(2).txt\0p(1).txt\0", 18));
    }

    void unwritableJournalRenamesNothing()
    {
        Folder folder({"a.txt"});
        const QByteArray stateFile = folder.state + "/file";
        QVERIFY(test::writeFile(stateFile, {}));
        QCOMPARE(runCli({"run", "--prefix", "x_", folder.path}, stateFile).exitCode, 3);
        QCOMPARE(sortedNames(folder.path), QByteArrayList{"a.txt"});
    }

    void applyList_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<bool>("run");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArrayList>("after");
        const QByteArrayList two = {"a.txt", "b\xe9.txt"};
        const QByteArray header = planHeader() + '\n';
        QTest::newRow("plan text") << header + "1\tDIR\tb\\xE9.txt\tx\\xE9.txt\t\n"
                                   << true << 0 << QByteArrayList{"a.txt", "x\xe9.txt"};
        QTest::newRow("the preview's copy: no folder")
            << header + "1\t\ta.txt\tz.txt\t将更改\n"
            << true << 0 << QByteArrayList{"b\xe9.txt", "z.txt"};
        QTest::newRow("without --run") << QByteArray("a.txt\tz.txt\n") << false << 0 << two;
        QTest::newRow("bare lines")
            << QByteArray("a.txt\tz.txt\n") << true << 0 << QByteArrayList{"b\xe9.txt", "z.txt"};
        QTest::newRow("line without tab") << QByteArray("a.txt\tz.txt\nb\n") << true << 2 << two;
        QTest::newRow("file not there") << QByteArray("q.txt\tz.txt\n") << true << 2 << two;
        QTest::newRow("another folder") << header + "1\t/elsewhere/\ta.txt\tz.txt\t\n"
                                        << true << 2 << two;
    }
    void applyList()
    {
        QFETCH(QByteArray, list);
        QFETCH(bool, run);
        QFETCH(int, exitCode);
        QFETCH(QByteArrayList, after);
        Folder folder({"a.txt", "b\xe9.txt"});
        const QByteArray listPath = folder.state + "/list";
        QVERIFY(test::writeFile(listPath, list.replace("DIR", escapedField(folder.path + '/'))));
        QByteArrayList words = {"apply", listPath, folder.path};
        if (run)
            words.insert(1, "--run");
        QCOMPARE(runCli(words, folder.state).exitCode, exitCode);
        QCOMPARE(sortedNames(folder.path), after);
    }

    void treeRunIsUndone_data()
    {
        QTest::addColumn<QByteArrayList>("words");
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("exitCode");
        const QByteArray header = planHeader() + '\n';
        QTest::newRow("run -r") << QByteArrayList{"run", "-r", "--prefix", "x_", "DIR"}
                                << QByteArray() << 0;
        QTest::newRow("apply the plan of the tree")
            << QByteArrayList{"apply", "--run", "LIST", "DIR"} << QByteArray("PLAN") << 0;
        // o.txt lies beside the tree.
        QTest::newRow("apply a folder climbing out of the tree")
            << QByteArrayList{"apply", "--run", "LIST", "DIR"}
            << header + "1\ts/u\tc.txt\tx_c.txt\t\n2\ts/../..\to.txt\tz.txt\t\n"
            << 2;
        QTest::newRow("apply a folder above the tree")
            << QByteArrayList{"apply", "--run", "LIST", "DIR"} << header + "1\t..\to.txt\tz\t\n"
            << 2;
    }
    // A tree of three levels renamed by one command, listed once in the history, then restored
    // by one undo, by name and content; a list that names a folder outside the tree changes
    // nothing. -0 writes each new name after its folder below the top, exact bytes.
    void treeRunIsUndone()
    {
        QFETCH(QByteArrayList, words);
        QFETCH(QByteArray, list);
        QFETCH(int, exitCode);
        QTemporaryDir temporary;
        const QByteArray top = QFile::encodeName(temporary.path()) + "/t\xff";
        const QByteArray state = QFile::encodeName(temporary.path()) + "/state";
        // QTemporaryDir cannot remove a folder whose name is not UTF-8.
        const auto removeTop = qScopeGuard([&] { std::filesystem::remove_all(top.toStdString()); });
        QVERIFY(test::makeTree(QFile::encodeName(temporary.path()),
                               {"state/", "o.txt", "t\xff/", "t\xff/a.txt", "t\xff/s/",
                                "t\xff/s/b.txt", "t\xff/s/u/", "t\xff/s/u/c.txt",
                                "t\xff/s/u/v\xe9/", "t\xff/s/u/v\xe9/d.txt"}));
        if (list == "PLAN")
            list = runCli({"plan", "-r", "--prefix", "x_", "--tsv", top}, state).output;
        QVERIFY(test::writeFile(state + "/list", list));
        QCOMPARE(runCli({"plan", "-r", "-0", "--prefix", "x_", top}, state).output,
                 QByteArray("x_a.txt\0s/x_b.txt\0s/u/x_c.txt\0s/u/v\xe9/x_d.txt\0", 45));
        const QByteArrayList before = test::treeState(top);
        const QByteArrayList all = test::treeState(QFile::encodeName(temporary.path()));
        for (QByteArray& word : words)
            word = word == "LIST" ? state + "/list" : word == "DIR" ? top : word;
        const Outcome outcome = runCli(words, state);
        QCOMPARE(outcome.exitCode, exitCode);
        if (exitCode != 0) {
            QVERIFY(outcome.errors.contains("不在所给的文件夹之下"));
            QCOMPARE(test::treeState(QFile::encodeName(temporary.path())), all);
            return;
        }
        QByteArrayList renamed{"/s=",
                               "/s/u=",
                               "/s/u/v\xe9=",
                               "/s/u/v\xe9/x_d.txt=t\xff/s/u/v\xe9/d.txt",
                               "/s/u/x_c.txt=t\xff/s/u/c.txt",
                               "/s/x_b.txt=t\xff/s/b.txt",
                               "/x_a.txt=t\xff/a.txt"};
        std::sort(renamed.begin(), renamed.end());
        QCOMPARE(test::treeState(top), renamed);
        const QByteArray history = runCli({"history"}, state).output;
        QVERIFY(history.count('\n') == 1 && history.endsWith("\t4\n"));
        QCOMPARE(runCli({"undo"}, state).exitCode, 0);
        QCOMPARE(test::treeState(top), before);
        QCOMPARE(runCli({"undo"}, state).exitCode, 3);
    }

    void checkReports_data()
    {
        QTest::addColumn<QByteArrayList>("words");
        QTest::addColumn<QByteArrayList>("contents");
        QTest::addColumn<QByteArray>("report");
        QTest::newRow("sizes") << QByteArrayList{"check", "DIR"}
                               << QByteArrayList{"hello", "x", "hellp"}
                               << QByteArray(
                                      "\n文件 “a.txt” 跟 “c.txt” 大小一致，可能是重复文件\n\n"
                                      "-------检查完成-------\n");
        QTest::newRow("no sizes") << QByteArrayList{"check", "DIR"}
                                  << QByteArrayList{"1", "22", "333"}
                                  << QByteArray("没有检测到大小一致的文件!\n");
        QTest::newRow("contents")
            << QByteArrayList{"check", "--content", "DIR"}
            << QByteArrayList{"hello", "hellp", "hello"}
            << QByteArray(
                   "内容相同的文件共 1 组、2 个文件，每组只留一个可释放 %1 字节\n"
                   "----------------------------------------\n"
                   "第 1 组：2 个文件，每个 6 字节，只留一个可释放 %1 字节\n“a.txt”\n“c.txt”\n");
    }
    void checkReports()
    {
        QFETCH(QByteArrayList, words);
        QFETCH(QByteArrayList, contents);
        QFETCH(QByteArray, report);
        const QByteArrayList files = {"a.txt", "b.txt", "c.txt"};
        Folder folder(files);
        for (qsizetype k = 0; k < files.size(); ++k)
            QVERIFY(test::writeFile(folder.path + '/' + files[k], contents[k] + '\n'));
        struct stat a {};
        QCOMPARE(::stat((folder.path + "/a.txt").constData(), &a), 0);
        report.replace(
            "%1", QLocale(QLocale::Chinese, QLocale::China).toString(a.st_blocks * 512).toUtf8());
        const Outcome outcome = runCli(withFolder(words, folder.path), folder.state);
        QCOMPARE(outcome.exitCode, 0);
        QCOMPARE(outcome.output, report);
    }

    void namesGoOutExactly_data()
    {
        QTest::addColumn<QByteArrayList>("words");
        QTest::addColumn<bool>("oldNames");
        QTest::newRow("plan text") << QByteArrayList{"--tsv"} << false;
        QTest::newRow("not a terminal") << QByteArrayList{} << false;
        QTest::newRow("json") << QByteArrayList{"--json"} << false;
        QTest::newRow("null") << QByteArrayList{"-0"} << false;
        QTest::newRow("null, old") << QByteArrayList{"--null", "--old"} << true;
    }
    void namesGoOutExactly()
    {
        QFETCH(QByteArrayList, words);
        QFETCH(bool, oldNames);
        const QByteArrayList files = {"a\nb.txt", "c\xe9.txt", "d\\t.txt"};
        Folder folder(files);
        const QByteArray output =
            runCli(QByteArrayList{"plan", "--prefix", "x_"} + words + QByteArrayList{folder.path},
                   folder.state)
                .output;
        QByteArrayList names;
        if (words.contains("-0") || words.contains("--null")) {
            names = output.split('\0');
            QCOMPARE(names.takeLast(), QByteArray());
        } else {
            QByteArrayList lines = output.split('\n');
            QCOMPARE(lines.takeLast(), QByteArray());
            if (words.contains("--json")) {
                for (const QByteArray& line : lines) {
                    const QJsonObject object = QJsonDocument::fromJson(line).object();
                    QCOMPARE(object.value(u"status").toString().isEmpty(), false);
                    names.append(object.contains(u"new_bytes")
                                     ? QByteArray::fromBase64(
                                           object.value(u"new_bytes").toString().toLatin1())
                                     : object.value(u"new").toString().toUtf8());
                }
            } else {
                QVERIFY(isPlanHeader(lines.takeFirst()));
                for (const QByteArray& line : lines) {
                    const std::optional<PlanLine> read = readPlanLine(line);
                    QVERIFY(read);
                    QCOMPARE(read->folder, folder.path + '/');
                    names.append(read->newName);
                }
            }
        }
        QByteArrayList expected = files;
        if (!oldNames) {
            for (QByteArray& name : expected)
                name.prepend("x_");
        }
        std::sort(names.begin(), names.end());
        QCOMPARE(names, expected);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
