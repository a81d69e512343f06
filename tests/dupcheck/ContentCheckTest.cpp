#include "dupcheck/ContentCheck.h"
#include "core/check/ContentGroups.h"
#include "texts/ContentReport.h"

#include "core/fs/FileDescriptor.h"
#include "core/fs/SystemCalls.h"
#include "support/TestFiles.h"
#include "support/TestMount.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

#include <thread>

using namespace vornak;
using namespace Qt::StringLiterals;

namespace {

using Pieces = QList<std::pair<qint64, QByteArray>>;
constexpr qint64 kKiB = 1024;
constexpr qint64 kMiB = 1024 * kKiB;
constexpr qint64 kGiB = 1024 * kMiB;

// A temporary folder, and the list of its names in the order they were made.
struct Folder {
    QTemporaryDir dir;
    NameList names;

    QByteArray path(const QString& name) const { return QFile::encodeName(dir.filePath(name)); }
    // A file of this length that is a hole but for the pieces, with an old modification time,
    // so that any change made during a check shows in it.
    void write(const QString& name, qint64 length, const Pieces& pieces)
    {
        const FileDescriptor fd(::open(path(name).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
        QVERIFY(fd.isOpen() && ::ftruncate(fd.get(), length) == 0);
        for (const auto& [offset, bytes] : pieces)
            QCOMPARE(::pwrite(fd.get(), bytes.constData(), std::size_t(bytes.size()), offset),
                     ssize_t(bytes.size()));
        const timespec old[2] = {{978307200, 0}, {978307200, 0}};
        QCOMPARE(::futimens(fd.get(), old), 0);
        names.append(name.toUtf8());
    }
    void write(const QString& name, const QByteArray& bytes)
    {
        write(name, bytes.size(), {{0, bytes}});
    }
    ContentFindings check(const ContentOptions& options = {}) const
    {
        return findIdenticalContents(QFile::encodeName(dir.path()), names, options);
    }
    // Each group as its names joined by '|', symbolic links marked with an arrow.
    QStringList namesOf(const ContentFindings& findings) const
    {
        QStringList groups;
        for (const ContentGroup& group : findings.groups) {
            QStringList shown;
            for (std::size_t k = 0; k < group.entries.size(); ++k)
                shown.append(names.displayNameAt(group.entries[k]) +
                             (group.symbolic[k] ? "→" : ""));
            groups.append(shown.join(u'|'));
        }
        return groups;
    }
};

// The file whose byte at a given offset cannot be read, as at a bad sector of a disk.
struct FailingRead {
    ino_t inode = 0;
    qint64 from = 0;
};
FailingRead g_failingRead;

ssize_t preadFailingPartWay(int fd, void* buffer, size_t count, off_t offset)
{
    struct stat st {};
    const qint64 from = g_failingRead.from;
    if (::fstat(fd, &st) != 0 || st.st_ino != g_failingRead.inode ||
        offset + qint64(count) <= from || offset > from)
        return ::pread(fd, buffer, count, offset);
    if (offset < from)
        return ::pread(fd, buffer, std::size_t(from - offset), offset);
    errno = EIO;
    return -1;
}

const fs::SystemCalls kFailingReads{fs::kSystemCalls.renameat2, fs::kSystemCalls.linkat,
                                    fs::kSystemCalls.unlinkat,  fs::kSystemCalls.openat,
                                    preadFailingPartWay,        fs::kSystemCalls.fstat};

// Reads as a pipe-like or network volume may: fewer bytes than asked for.
ssize_t preadInPieces(int fd, void* buffer, size_t count, off_t offset)
{
    return ::pread(fd, buffer, std::min<size_t>(count, 3), offset);
}

// The files this process has open: a folder's descriptor lists as a folder, and is left out.
qsizetype openNow()
{
    return QDir(u"/proc/self/fd"_s).entryList(QDir::Files | QDir::System).size();
}

// The most descriptors open at once during a check, seen at each open, when the peak rises.
qsizetype g_mostOpen = 0;

int openCounted(int dir, const char* name, int flags, mode_t mode)
{
    g_mostOpen = std::max(g_mostOpen, openNow() + 1);
    return ::openat(dir, name, flags, mode);
}

const fs::SystemCalls kCountedOpens{fs::kSystemCalls.renameat2, fs::kSystemCalls.linkat,
                                    fs::kSystemCalls.unlinkat,  openCounted,
                                    fs::kSystemCalls.pread,     fs::kSystemCalls.fstat};
const fs::SystemCalls kShortReads{fs::kSystemCalls.renameat2,
                                  fs::kSystemCalls.linkat,
                                  fs::kSystemCalls.unlinkat,
                                  openCounted,
                                  preadInPieces,
                                  fs::kSystemCalls.fstat};

QByteArray randomBytes(QRandomGenerator& random, qint64 length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// The program's file list of a temporary folder holding a and b, with the content check on it.
struct Window {
    QTemporaryDir dir;
    test::TestPlatform platform;
    FileList file1;
    std::unique_ptr<ContentCheck> check = std::make_unique<ContentCheck>(file1, platform);
    QSignalSpy finished{check.get(), &ContentCheck::finished};

    explicit Window(const QByteArray& b)
    {
        QVERIFY(test::writeFile(QFile::encodeName(dir.filePath(u"a"_s)), "same"));
        QVERIFY(test::writeFile(QFile::encodeName(dir.filePath(u"b"_s)), b));
        QVERIFY(file1.setPath(QFile::encodeName(dir.path())));
    }
    ~Window()
    {
        if (check)
            delete check->resultsWindow();
    }
};

} // namespace

class ContentCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The groups of names whose files hold the same bytes, each group in order of its first
    // name. A file is read in a block at each end, then in chunks between. a and c are one
    // content, b and d the same but for one byte at offset (none: -1); with two files open the
    // four are narrowed by their ends, then compared byte by byte with the first listed, one
    // after the other, and a may differ from all at offset.
    // Reads may return fewer bytes than asked for, as on a pipe-like or network volume.
    void groupsAsTheBytes_data()
    {
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<qint64>("block");
        QTest::addColumn<qint64>("chunk");
        QTest::addColumn<int>("openFiles");
        QTest::addColumn<bool>("firstAlone");
        QTest::addColumn<bool>("shortReads");
        QTest::addColumn<int>("stopAt"); // the progress call that stops the check; 0: none
        const auto row = [](const QString& tag, qint64 offset, qint64 length, qint64 block,
                            qint64 chunk, int openFiles, bool firstAlone = false,
                            bool shortReads = false, int stopAt = 0) {
            QTest::newRow(qPrintable(tag)) << offset << length << block << chunk << openFiles
                                           << firstAlone << shortReads << stopAt;
        };
        const qint64 big = kMiB + 3;
        const qint64 chunk = 256 * kKiB;
        row(u"1 MiB + 3: byte %1"_s.arg(big - 1), big - 1, big, 4096, chunk, 256);
        for (qint64 at : {-1, 600000})
            row(u"1 MiB + 3, two open: byte %1"_s.arg(at), at, big, 4096, chunk, 2);
        row(u"1 MiB + 3, two open: byte 600000, a alone"_s, 600000, big, 4096, chunk, 2, true);
        row(u"a tail that overlaps nothing"_s, 5, 6, 4, 4, 256);
        row(u"short reads: byte 50"_s, 50, 100, 4096, chunk, 256, false, true);
        // Once stopped, the check reads nothing more and reports nothing.
        row(u"stopped side by side"_s, -1, 1000, 16, 16, 256, false, false, 2);
    }
    void groupsAsTheBytes()
    {
        QFETCH(qint64, offset);
        QFETCH(qint64, length);
        QFETCH(qint64, block);
        QFETCH(qint64, chunk);
        QFETCH(int, openFiles);
        QFETCH(bool, firstAlone);
        Folder folder;
        QRandomGenerator random(2024);
        const QByteArray base = randomBytes(random, length);
        QByteArray other = base;
        QByteArray first = base;
        if (offset >= 0) {
            other[offset] = char(other[offset] ^ 0x20);
            first[offset] = char(first[offset] ^ (firstAlone ? 1 : 0));
        }
        for (const auto& [name, bytes] :
             {std::pair{u"a"_s, first}, {u"b"_s, other}, {u"c"_s, base}, {u"d 照片"_s, other}})
            folder.write(name, bytes);
        ContentOptions options{std::size_t(openFiles), block, chunk, {}, {}};
        QFETCH(bool, shortReads);
        options.calls = shortReads ? &kShortReads : &kCountedOpens;
        const qsizetype before = openNow();
        g_mostOpen = before;
        QFETCH(int, stopAt);
        std::stop_source stop;
        options.stop = stop.get_token();
        int calls = 0;
        options.progress = [&](qint64, qint64) {
            if (++calls == stopAt)
                stop.request_stop();
        };

        const ContentFindings findings = folder.check(options);
        QVERIFY2(g_mostOpen <= before + openFiles,
                 qPrintable(u"%1 open"_s.arg(g_mostOpen - before)));
        if (stopAt > 0) {
            QVERIFY(findings.cancelled && findings.groups.empty());
            QCOMPARE(calls, stopAt);
            return;
        }
        // Each group as its names, the count of its files and their length.
        QStringList found = folder.namesOf(findings);
        for (qsizetype g = 0; g < found.size(); ++g) {
            const ContentGroup& group = findings.groups[std::size_t(g)];
            found[g] += u": %1 of %2"_s.arg(group.fileCount()).arg(group.length);
        }
        const QString pair = u": 2 of %1"_s.arg(length);
        const QStringList expected = offset < 0
                                         ? QStringList{u"a|b|c|d 照片: 4 of %1"_s.arg(length)}
                                     : firstAlone ? QStringList{"b|d 照片" + pair}
                                                  : QStringList{"a|c" + pair, "b|d 照片" + pair};
        QCOMPARE(found, expected);
        QVERIFY(findings.unreadable.empty() && findings.changed.empty() && !findings.cancelled);
    }

    // Files of a terabyte that are holes but for a few bytes are compared at once, however their
    // holes lie, and a file's holes equal written zeros.
    void sparseFiles()
    {
        const qint64 far = 512 * kGiB;
        const qint64 terabyte = 1024 * kGiB;
        const QByteArray island(4096, 'x');
        Folder folder;
        folder.write(u"hole 1"_s, terabyte, {{far, "data"}});
        folder.write(u"hole 2"_s, terabyte, {{far, "data"}});
        folder.write(u"earlier data"_s, terabyte, {{far - 64 * kMiB, "more"}, {far, "data"}});
        folder.write(u"later data"_s, terabyte, {{far, "data"}, {far + 64 * kMiB, "more"}});
        folder.write(u"sparse"_s, kMiB, {{300 * kKiB, island}});
        folder.write(u"dense"_s, QByteArray(kMiB, '\0').replace(300 * kKiB, island.size(), island));

        ContentOptions options;
        qint64 done = 0;
        qint64 total = -1;
        options.progress = [&](qint64 bytesDone, qint64 bytesTotal) {
            done = bytesDone;
            total = bytesTotal;
        };
        const ContentFindings findings = folder.check(options);
        QCOMPARE(folder.namesOf(findings), (QStringList{"hole 1|hole 2", "sparse|dense"}));
        QCOMPARE(total, 4 * terabyte + 2 * kMiB);
        QCOMPARE(done, total);
    }

    // x is listed and made before two copies of its contents. When it cannot be read, or changes
    // while the check reads its group, it is reported so, never as a copy. A read that fails at
    // one byte, as at a bad sector, fails at the head, in a middle chunk or the tail of files
    // read side by side, at the ends of files too many to hold open, or in their middle, where x
    // is the file the others are compared with.
    void doubtfulEntryIsNoCopy_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<int>("openFiles");    // and blocks of 4 bytes, chunks of 8
        QTest::addColumn<qint64>("failsFrom"); // -1: x's middle rewritten during the check
        QTest::newRow("its middle rewritten, compared in batches") << qint64(64) << 2 << qint64(-1);
        QTest::newRow("read whole fails") << qint64(1000) << 0 << qint64(500);
        QTest::newRow("side by side: head") << qint64(64) << 256 << qint64(2);
        QTest::newRow("side by side: middle") << qint64(64) << 256 << qint64(30);
        QTest::newRow("side by side: tail") << qint64(64) << 256 << qint64(62);
        QTest::newRow("narrowed by the ends") << qint64(64) << 2 << qint64(62);
        QTest::newRow("first of those compared in batches") << qint64(64) << 2 << qint64(30);
    }
    void doubtfulEntryIsNoCopy()
    {
        QFETCH(qint64, length);
        QFETCH(int, openFiles);
        QFETCH(qint64, failsFrom);
        QRandomGenerator random(7);
        const QByteArray bytes = randomBytes(random, length);
        Folder folder;
        for (const QString& name : {u"x"_s, u"a"_s, u"c"_s})
            folder.write(name, bytes);
        ContentOptions options;
        if (openFiles > 0)
            options = {std::size_t(openFiles), 4, 8, {}, {}};
        const bool fails = failsFrom >= 0;
        if (fails) {
            struct stat st {};
            QCOMPARE(::stat(folder.path(u"x"_s).constData(), &st), 0);
            g_failingRead = {st.st_ino, failsFrom};
            options.calls = &kFailingReads;
        }
        bool changed = fails;
        options.progress = [&](qint64, qint64) {
            if (std::exchange(changed, true))
                return;
            QByteArray written = bytes;
            written[30] = char(written[30] ^ 1);
            QFile file(folder.dir.filePath(u"x"_s));
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write(written) == length);
        };

        const ContentFindings findings = folder.check(options);
        QVERIFY(changed);
        QCOMPARE(folder.namesOf(findings), QStringList{"a|c"});
        QCOMPARE(findings.changed,
                 fails ? std::vector<std::size_t>() : std::vector<std::size_t>{0});
        QCOMPARE(findings.unreadable.size(), std::size_t(fails ? 1 : 0));
        QVERIFY(!fails || (findings.unreadable[0].entry == 0 &&
                           findings.unreadable[0].problem == ReadProblem::ReadError));
    }

    // Two volumes number their files alike: a link to a file of each, of equal length and inode
    // number but other bytes, are two files; two links to one of them are one.
    void sameInodeOnAnotherVolumeIsAnotherFile()
    {
        test::TestMount one(test::TestMount::Kind::Tmpfs, 1 << 20);
        test::TestMount two(test::TestMount::Kind::Tmpfs, 1 << 20);
        VORNAK_REQUIRE_MOUNT(one);
        VORNAK_REQUIRE_MOUNT(two);
        QVERIFY(test::writeFile(one.root() + "/f", "one"));
        QVERIFY(test::writeFile(two.root() + "/f", "two"));
        Folder folder;
        for (const auto& [name, target] :
             {std::pair{u"a"_s, one.root()}, {u"b"_s, two.root()}, {u"c"_s, one.root()}}) {
            QCOMPARE(::symlink((target + "/f").constData(), folder.path(name).constData()), 0);
            folder.names.append(name.toUtf8());
        }
        struct stat a {};
        struct stat b {};
        QVERIFY(::stat(folder.path(u"a"_s).constData(), &a) == 0 &&
                ::stat(folder.path(u"b"_s).constData(), &b) == 0);
        QCOMPARE(a.st_ino, b.st_ino);

        const ContentFindings findings = folder.check();
        QCOMPARE(folder.namesOf(findings), QStringList{"a→|c→"});
        QCOMPARE(findings.groups[0].fileCount(), 1u);
    }

    void freedBytesAndLinks_data()
    {
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("freed");
        QTest::newRow("three copies") << u"a b c"_s << u"a|b|c"_s << 3 << 2;
        QTest::newRow("hard link in the folder") << u"a h=a b"_s << u"a|h|b"_s << 2 << 1;
        QTest::newRow("a link outside the list") << u"a b+"_s << u"a|b"_s << 2 << 0;
        QTest::newRow("symbolic link to a copy outside") << u"a l>o"_s << u"a|l→"_s << 2 << 0;
        QTest::newRow("symbolic link to a listed copy") << u"l>a a b"_s << u"l→|a|b"_s << 2 << 1;
        QTest::newRow("names of one file") << u"s>x x h=x"_s << u"s→|x|h"_s << 1 << 0;
        QTest::newRow("a sparse pair") << u"a~ b~"_s << u"a|b"_s << 2 << 0;
    }
    // Entries: n a copy of 10,000 bytes; n+ one with a link outside the list; n~ a 2 GiB file
    // of holes; n=t a hard link to t; n>t a symbolic link to t; o is an unlisted copy. What
    // moving all files but one away frees at least, in blocks of a copy: a file's blocks once,
    // nothing for holes, nor for a file that a link outside the group keeps.
    void freedBytesAndLinks()
    {
        QFETCH(QString, entries);
        QFETCH(QString, group);
        QFETCH(int, files);
        QFETCH(int, freed);
        const QByteArray copy(10000, 'v');
        Folder folder;
        QVERIFY(test::writeFile(folder.path(u"o"_s), copy));
        for (const QString& entry : entries.split(u' ')) {
            const QByteArray name = folder.path(entry.first(1));
            const QByteArray target = folder.path(entry.mid(2));
            if (entry.size() < 3) {
                folder.write(entry.first(1), entry.endsWith(u'~') ? 2 * kGiB : copy.size(),
                             entry.endsWith(u'~') ? Pieces{} : Pieces{{0, copy}});
                QVERIFY(!entry.endsWith(u'+') || ::link(name, name + "+") == 0);
                continue;
            }
            QCOMPARE((entry[1] == u'=' ? ::link : ::symlink)(target, name), 0);
            folder.names.append(entry.first(1).toUtf8());
        }
        struct stat o {};
        QCOMPARE(::stat(folder.path(u"o"_s).constData(), &o), 0);

        const ContentFindings findings = folder.check();
        QCOMPARE(folder.namesOf(findings), QStringList{group});
        QCOMPARE(int(findings.groups[0].fileCount()), files);
        QCOMPARE(findings.groups[0].reclaimable(), freed * qint64(o.st_blocks) * 512);
    }

    // Copies first, then names of one file, then the problems, each set apart by a rule; links
    // marked; what is freed counts a file's blocks, once, and nothing for a symbolic link.
    void report()
    {
        NameList names;
        for (const char* name :
             {"lib.so", "lib.so.1", "a", "b", "c", "大 文件", "d", "e", "x", "y"})
            names.append(name);
        ContentFindings findings;
        findings.groups.push_back({8, {0, 1}, {0, 0}, {true, false}, {{8192, 1}}});
        findings.groups.push_back(
            {3, {2, 3, 4}, {0, 1, 0}, {false, false, false}, {{4096, 2}, {4096, 1}}});
        findings.groups.push_back({5 * kGiB,
                                   {5, 6, 7},
                                   {0, 1, 2},
                                   {false, false, true},
                                   {{5 * kGiB, 1}, {5 * kGiB, 1}, {5 * kGiB, 1}}});
        findings.unreadable.push_back({8, ReadProblem::NoPermission});
        findings.changed.push_back(9);
        const QString rule(40, '-');
        const QStringList problems{rule,
                                   "无法读取、未比较的文件 1 个：",
                                   "“x”：没有读取权限",
                                   rule,
                                   "检查期间有改动、不算作内容相同的文件 1 个：",
                                   "“y”"};
        const QStringList namesOfOneFile{rule,
                                         "同一个文件的几个名称（不是副本）共 1 组、2 个名称：",
                                         rule,
                                         "第 3 组：2 个名称、同一个文件，8 字节",
                                         "“lib.so”（符号链接）",
                                         "“lib.so.1”（与 “lib.so” 是同一个文件）"};
        QCOMPARE(contentReport(names, findings),
                 QStringList({"内容相同的文件共 2 组、5 个文件，每组只留一个可释放 "
                              "5,368,713,216 字节",
                              rule,
                              "第 1 组：3 个名称、2 个文件，每个 3 字节，只留一个可释放 4,096 字节",
                              "“a”（硬链接）", "“b”", "“c”（硬链接，与 “a” 是同一个文件）", rule,
                              "第 2 组：3 个文件，每个 5,368,709,120 字节，只留一个可释放 "
                              "5,368,709,120 字节",
                              "“大 文件”", "“d”", "“e”（符号链接）"}) +
                     namesOfOneFile + problems);
        findings.groups.clear();
        findings.unreadable.resize(1000, findings.unreadable.front());
        QCOMPARE(contentReport(names, findings)[2], u"无法读取、未比较的文件 1,000 个："_s);
        QCOMPARE(contentReport(names, ContentFindings{}), QStringList{});
    }

    // The title, then the results window's text or the message. A check that waits in its
    // first step until stopped leaves the window answering, the dialog shows how far it got,
    // and the 取消 button stops it without a report.
    void windowShowsTheOutcome_data()
    {
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<QString>("step"); // what the check does in its first step
        QTest::addColumn<QString>("shown");
        QTest::newRow("copies")
            << "same"_ba << QString()
            << "内容检查结果内容相同的文件共 1 组、2 个文件，每组只留一个可释放 %1 字节\n" +
                   QString(40, '-') +
                   "\n第 1 组：2 个文件，每个 4 字节，只留一个可释放 %1 字节\n“a”\n“b”";
        // A failure in the middle of a check ends it with a message, not the program.
        QTest::newRow("memory runs out")
            << "same"_ba << u"bad_alloc"_s << u"内容检查结果内存不足，内容检查未能完成!"_s;
        QTest::newRow("取消") << "same"_ba << u"wait"_s << QString();
    }
    void windowShowsTheOutcome()
    {
        QFETCH(QByteArray, b);
        QFETCH(QString, step);
        QFETCH(QString, shown);
        Window window(b);
        struct stat a {};
        QCOMPARE(::stat(QFile::encodeName(window.dir.filePath(u"a"_s)).constData(), &a), 0);
        shown.replace(u"%1"_s,
                      QLocale(QLocale::Chinese, QLocale::China).toString(a.st_blocks * 512));
        std::atomic<bool> entered = false;
        std::atomic<bool> stopped = false;
        if (!step.isEmpty())
            window.check->setStepHook([&, step](std::stop_token stop) {
                if (step == "bad_alloc")
                    throw std::bad_alloc();
                entered = true;
                for (int waited = 0; waited < 30000 && !stop.stop_requested(); ++waited)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                stopped = stop.stop_requested();
            });
        window.check->checkContents();
        if (step != "wait") {
            QVERIFY(window.finished.wait());
            ResultsWindow* form2 = window.check->resultsWindow();
            const QList<test::ShownMessage>& messages = window.platform.messages;
            QCOMPARE(messages.size(), form2 ? 0 : 1);
            QCOMPARE(form2 ? form2->windowTitle() + form2->report().text()
                           : messages[0].title + messages[0].prompt,
                     shown);
            QVERIFY(!window.check->isRunning());
            return;
        }
        QTRY_VERIFY(entered);
        QVERIFY(window.check->isRunning());
        QPointer<QProgressDialog> dialog =
            window.file1.findChild<QProgressDialog*>(u"contentProgress"_s);
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        QTRY_COMPARE(dialog->value(), kProgressSteps / 2);
        QPushButton* cancel = dialog->findChild<QPushButton*>();
        QVERIFY(cancel);
        QCOMPARE(cancel->text(), u"取消"_s);
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(window.finished.wait());
        QVERIFY(!window.check->isRunning());
        QVERIFY(!window.check->resultsWindow());
        QVERIFY(stopped);
        QVERIFY(!dialog);
        QVERIFY(window.platform.messages.isEmpty());
    }
};

QTEST_MAIN(ContentCheckTest)
#include "ContentCheckTest.moc"
