#include "support/TestFiles.h"

#include "texts/PlanFormat.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

using namespace vornak;
using namespace Qt::StringLiterals;

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
    environment.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromUtf8(stateHome + "/data"));
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

// A folder whose own name is not UTF-8, holding these files: "name=content", or an empty one.
struct Folder {
    QTemporaryDir temporary;
    QByteArray path = QFile::encodeName(temporary.path()) + "/g\xff\xfe";
    QByteArray state = QFile::encodeName(temporary.path()) + "/state";

    explicit Folder(const QByteArrayList& files)
    {
        QDir().mkpath(temporary.path() + QStringLiteral("/state"));
        ::mkdir(path.constData(), 0755);
        for (const QByteArray& file : files)
            test::writeFile(path + '/' + file.split('=').first(),
                            file.contains('=') ? file.sliced(file.indexOf('=') + 1) + '\n' : "");
    }
    // QTemporaryDir cannot remove a folder whose name is not UTF-8.
    ~Folder() { std::filesystem::remove_all(path.toStdString()); }
};

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each command on a folder of the files ("name=content"): its exit status, what it writes
    // (unless null) and the names left (the same ones when none are given). DIR stands for the
    // folder, LIST for a file holding the list.
    void commands_data()
    {
        QTest::addColumn<QByteArrayList>("words");
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArrayList>("after");
        QTest::addColumn<QByteArrayList>("files");
        QTest::addColumn<QByteArray>("output");
        using L = QByteArrayList;
        const auto row = [](const char* tag, const L& words, const QByteArray& list, int exitCode,
                            const L& after = {}, const L& files = {"a.txt", "b\xe9.txt"},
                            const QByteArray& output = {}) {
            QTest::newRow(tag) << words << list << exitCode << after << files << output;
        };
        const L apply{"apply", "--run", "LIST", "DIR"};
        const QByteArray header = planHeader() + '\n';
        row("plan changes nothing", {"plan", "--prefix", "x_", "DIR"}, {}, 0);
        row("run", {"run", "--prefix", "x_", "DIR"}, {}, 0, {"x_a.txt", "x_b\xe9.txt"});
        row("dry run", {"run", "-n", "--prefix", "x_", "DIR"}, {}, 0);
        row("a file keeps its name", {"run", "--case-ext", "lower", "DIR"}, {}, 1,
            {"a.TXT", "a.txt", "b.txt"}, {"a.TXT", "a.txt", "b.TXT"});
        row("line break kept", {"run", "--suffix", "_1", "DIR"}, {}, 1, {"a\nb.txt", "c_1.txt"},
            {"a\nb.txt", "c.txt"});
        row("only one", {"run", "--only", "a.txt", "--prefix", "x_", "DIR"}, {}, 0,
            {"b\xe9.txt", "x_a.txt"});
        row("only a file not there", {"run", "--only", "z.txt", "--prefix", "x_", "DIR"}, {}, 2);
        row("unknown option", {"run", "--bogus", "DIR"}, {}, 2);
        row("no folder", {"run", "--prefix", "x_"}, {}, 2);
        row("folder not there", {"run", "--prefix", "x_", "DIR/none"}, {}, 3);
        row("expression does not compile", {"run", "--replace", "(", "--regex", "DIR"}, {}, 2);
        row("insert and remove by position",
            {"run", "--remove-end", "0:1", "--insert", "1:_", "DIR"}, {}, 0,
            {"a_👍🏽.txt", "照_.txt"}, {"照片.txt", "a👍🏽b.txt"});
        row("a position without its count", {"run", "--remove", "1", "DIR"}, {}, 2);
        row("one rule from both ends", {"run", "--insert", "0:x", "--insert-end", "0:y", "DIR"}, {},
            2);
        row("nothing to undo", {"undo"}, {}, 3);
        row("unknown subcommand", {"rename", "DIR"}, {}, 2);
        row("apply plan text", apply, header + "1\tDIR\tb\\xE9.txt\tx\\xE9.txt\t\n", 0,
            {"a.txt", "x\xe9.txt"});
        row("apply the preview's copy: no folder", apply, header + "1\t\ta.txt\tz.txt\t将更改\n", 0,
            {"b\xe9.txt", "z.txt"});
        row("apply without --run", {"apply", "LIST", "DIR"}, "a.txt\tz.txt\n", 0);
        row("apply bare lines", apply, "a.txt\tz.txt\n", 0, {"b\xe9.txt", "z.txt"});
        row("apply a line without tab", apply, "a.txt\tz.txt\nb\n", 2);
        row("apply a file not there", apply, "q.txt\tz.txt\n", 2);
        row("apply another folder", apply, header + "1\t/elsewhere/\ta.txt\tz.txt\t\n", 2);
        row("apply a folder climbing out", apply,
            header + "1\t\ta.txt\tz.txt\t\n2\ts/../..\to.txt\tz.txt\t\n", 2);
        row("apply a folder above", apply, header + "1\t\ta.txt\tz.txt\t\n2\t..\to.txt\tz\t\n", 2);
        row("check sizes", {"check", "DIR"}, {}, 0, {}, {"a.txt=hello", "b.txt=x", "c.txt=hellp"},
            "\n文件 “a.txt” 跟 “c.txt” 大小一致，可能是重复文件\n\n-------检查完成-------\n");
        row("check sizes, none alike", {"check", "DIR"}, {}, 0, {},
            {"a.txt=1", "b.txt=22", "c.txt=333"}, "没有检测到大小一致的文件!\n");
        row("check contents", {"check", "--content", "DIR"}, {}, 0, {},
            {"a.txt=hello", "b.txt=hellp", "c.txt=hello"},
            "内容相同的文件共 1 组、2 个文件，每组只留一个可释放 FREED 字节\n"
            "----------------------------------------\n"
            "第 1 组：2 个文件，每个 6 字节，只留一个可释放 FREED 字节\n“a.txt”\n“c.txt”\n");
        const L trash{"check", "--content", "--trash-copies", "--keep"};
        row("copies to the trash listed", trash + L{"first", "DIR"}, {}, 0, {},
            {"a.txt=hello", "b.txt=hellp", "c.txt=hello"},
            "共 1 组，1 个名称移到回收站，清空回收站可释放 FREED 字节\n"
            "第 1 组：保留 “a.txt”\n　移走 “c.txt”，可释放 FREED 字节\n");
        row("copies to the trash moved", trash + L{"shortest", "--run", "DIR"}, {}, 0, {"b.txt"},
            {"aa.txt=hello", "b.txt=hello"});
        row("copies to the trash by no rule", trash + L{"largest", "DIR"}, {}, 2);
        row("keep without the trash", {"check", "--content", "--keep", "first", "DIR"}, {}, 2);
        // The new names go out exactly, DIR in the plan text being the folder as written there.
        const L odd{"a\nb.txt", "c\xe9.txt", "d\\t.txt"};
        const QByteArray planned = header + "1\tDIR\ta\\nb.txt\tx_a\\nb.txt\t名称不允许\n"
                                            "2\tDIR\tc\\xE9.txt\tx_c\\xE9.txt\t将更改\n"
                                            "3\tDIR\td\\\\t.txt\tx_d\\\\t.txt\t将更改\n";
        row("plan text", {"plan", "--prefix", "x_", "--tsv", "DIR"}, {}, 0, {}, odd, planned);
        row("plan text when not a terminal", {"plan", "--prefix", "x_", "DIR"}, {}, 0, {}, odd,
            planned);
        row("new names after nulls", {"plan", "--prefix", "x_", "-0", "DIR"}, {}, 0, {}, odd,
            "x_a\nb.txt\0x_c\xe9.txt\0x_d\\t.txt\0"_ba);
        row("old names after nulls", {"plan", "--prefix", "x_", "--null", "--old", "DIR"}, {}, 0,
            {}, odd, "a\nb.txt\0c\xe9.txt\0d\\t.txt\0"_ba);
    }
    void commands()
    {
        QFETCH(QByteArrayList, words);
        QFETCH(QByteArray, list);
        QFETCH(int, exitCode);
        QFETCH(QByteArrayList, after);
        QFETCH(QByteArrayList, files);
        QFETCH(QByteArray, output);
        Folder folder(files);
        const QByteArray listPath = folder.state + "/list";
        QVERIFY(test::writeFile(listPath, list.replace("DIR", escapedField(folder.path + '/'))));
        for (QByteArray& word : words)
            word.replace("DIR", folder.path).replace("LIST", listPath);
        const Outcome outcome = runCli(words, folder.state);
        QCOMPARE(outcome.exitCode, exitCode);
        // A copy frees the blocks it holds, as many as the file system gives it.
        struct stat a {};
        if (output.contains("FREED") && ::stat((folder.path + "/a.txt").constData(), &a) == 0)
            output.replace("FREED", QLocale(QLocale::Chinese, QLocale::China)
                                        .toString(qint64(a.st_blocks) * 512)
                                        .toUtf8());
        if (!output.isNull())
            QCOMPARE(outcome.output, output.replace("DIR", escapedField(folder.path + '/')));
        for (const QByteArray& file : after.isEmpty() ? files : QByteArrayList())
            after.append(file.split('=').first());
        std::sort(after.begin(), after.end());
        QCOMPARE(test::sortedNames(folder.path), after);
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
        QCOMPARE(test::sortedNames(root + "/t"), (QByteArrayList{"s", "x_a.txt"}));
    }

    // history lists the runs to undo, the latest first, with the files each moved; a move of
    // copies to the trash is marked as one.
    void historyListsTheRuns()
    {
        Folder folder({"a.txt=same", "b.txt=same", "c.txt"});
        QCOMPARE(runCli({"run", "--suffix", "_1", folder.path}, folder.state).exitCode, 0);
        QCOMPARE(runCli({"check", "--content", "--trash-copies", "--keep", "first", "--run",
                         folder.path},
                        folder.state)
                     .exitCode,
                 0);
        const QByteArrayList lines = runCli({"history"}, folder.state).output.split('\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].split('\t').mid(3), (QByteArrayList{"1", "移到回收站"}));
        QCOMPARE(lines[1].split('\t').mid(3), (QByteArrayList{"3"}));
    }

    // --json gives each new name as text, and its bytes in base64 where they are not UTF-8.
    void jsonGivesBackTheBytes()
    {
        Folder folder({"a\nb.txt", "c\xe9.txt"});
        const QByteArrayList lines =
            runCli({"plan", "--prefix", "x_", "--json", folder.path}, folder.state)
                .output.split('\n');
        QCOMPARE(lines.size(), 3);
        QByteArrayList names;
        for (const QByteArray& line : lines.first(2)) {
            const QJsonObject object = QJsonDocument::fromJson(line).object();
            names.append(
                object.contains(u"new_bytes")
                    ? QByteArray::fromBase64(object.value(u"new_bytes").toString().toLatin1())
                    : object.value(u"new").toString().toUtf8());
        }
        QCOMPARE(names, (QByteArrayList{"x_a\nb.txt", "x_c\xe9.txt"}));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
