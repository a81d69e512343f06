#include "dupcheck/ContentCheck.h"
#include "dupcheck/ContentGroups.h"
#include "dupcheck/ContentReport.h"

#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <set>
#include <thread>

using namespace vornak;

namespace {

using Groups = QList<QStringList>;
using Pieces = QList<std::pair<qint64, QByteArray>>;
constexpr qint64 kKiB = 1024;
constexpr qint64 kMiB = 1024 * kKiB;
constexpr qint64 kGiB = 1024 * kMiB;

// A temporary folder, and the list of its names in the order they were made.
struct Folder {
    QTemporaryDir dir;
    NameList names;

    QByteArray path(const QString& name) const { return QFile::encodeName(dir.filePath(name)); }
    std::size_t indexOf(const QString& name) const
    {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names.displayNameAt(i) == name)
                return i;
        }
        return names.size();
    }
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        age(name);
        names.append(name.toUtf8());
    }
    // A file of this length that is a hole but for the pieces.
    void writeSparse(const QString& name, qint64 length, const Pieces& pieces)
    {
        const int fd = ::open(path(name).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::ftruncate(fd, length), 0);
        for (const auto& [offset, bytes] : pieces)
            QCOMPARE(::pwrite(fd, bytes.constData(), std::size_t(bytes.size()), offset),
                     ssize_t(bytes.size()));
        ::close(fd);
        age(name);
        names.append(name.toUtf8());
    }
    void link(const QString& name, const QString& target)
    {
        QCOMPARE(::link(path(target).constData(), path(name).constData()), 0);
        names.append(name.toUtf8());
    }
    // An old modification time, so that any change made during a check shows in it.
    void age(const QString& name) const
    {
        const timespec old[2] = {{978307200, 0}, {978307200, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, path(name).constData(), old, 0), 0);
    }
    ContentFindings check(const ContentOptions& options = {}) const
    {
        return findIdenticalContents(QFile::encodeName(dir.path()), names, options);
    }
    Groups namesOf(const ContentFindings& findings) const
    {
        Groups groups;
        for (const ContentGroup& group : findings.groups) {
            QStringList inGroup;
            for (std::size_t entry : group.entries)
                inGroup.append(names.displayNameAt(entry));
            groups.append(inGroup);
        }
        return groups;
    }
};

QByteArray randomBytes(QRandomGenerator& random, qint64 length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

ContentOptions sized(qint64 block, qint64 chunk, std::size_t openFiles = 256)
{
    ContentOptions options;
    options.blockBytes = block;
    options.chunkBytes = chunk;
    options.openFiles = openFiles;
    return options;
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

// Takes from this thread the capabilities that let root read any file, while it lives.
class WithoutReadOverride {
public:
    WithoutReadOverride()
    {
        ::syscall(SYS_capget, &m_header, m_saved);
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~(CAP_TO_MASK(CAP_DAC_OVERRIDE) | CAP_TO_MASK(CAP_DAC_READ_SEARCH));
        m_lowered = ::syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~WithoutReadOverride()
    {
        if (m_lowered)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutReadOverride(const WithoutReadOverride&) = delete;
    WithoutReadOverride& operator=(const WithoutReadOverride&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_lowered = false;
};

// The program's file list of a temporary folder, with the content check on it.
struct Window {
    QTemporaryDir dir;
    test::TestPlatform platform;
    FileList file1;
    std::unique_ptr<ContentCheck> check = std::make_unique<ContentCheck>(file1, platform);

    explicit Window(const QList<std::pair<QString, QByteArray>>& files)
    {
        for (const auto& [name, bytes] : files) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
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
    void differencesSplitGroups_data();
    void differencesSplitGroups();
    void matchesAllPairsOracle_data();
    void matchesAllPairsOracle();
    void sparseFiles();
    void unreadableEntries_data();
    void unreadableEntries();
    void changesDuringTheCheck_data();
    void changesDuringTheCheck();
    void staysWithinOpenFileBudget();
    void cancelStopsReading_data();
    void cancelStopsReading();
    void report();
    void progressSteps_data();
    void progressSteps();
    void reactionShowsOutcome_data();
    void reactionShowsOutcome();
    void cancelOrCloseWhileRunning_data();
    void cancelOrCloseWhileRunning();
    void outOfMemoryIsReported();
};

// a and c are one content, b and d the same but for one byte at offset (none: -1); the rows
// put that byte at the edges of the first block, the middle and the last block.
void ContentCheckTest::differencesSplitGroups_data()
{
    QTest::addColumn<qint64>("length");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<qint64>("block");
    QTest::addColumn<qint64>("chunk");
    const qint64 big = kMiB + 3;
    const qint64 chunk = 256 * kKiB;
    QTest::newRow("read whole: equal") << qint64(1000) << qint64(-1) << 4096LL << chunk;
    QTest::newRow("read whole: same size, different content")
        << qint64(1000) << qint64(0) << 4096LL << chunk;
    QTest::newRow("read whole: last byte") << qint64(1000) << qint64(999) << 4096LL << chunk;
    QTest::newRow("equal in every stage") << big << qint64(-1) << 4096LL << chunk;
    QTest::newRow("same head, different tail") << big << big - 1 << 4096LL << chunk;
    QTest::newRow("same head and tail, different middle")
        << big << qint64(600000) << 4096LL << chunk;
    QTest::newRow("last byte of the head") << big << qint64(4095) << 4096LL << chunk;
    QTest::newRow("first byte of the middle") << big << qint64(4096) << 4096LL << chunk;
    QTest::newRow("last byte of the middle") << big << big - 4097 << 4096LL << chunk;
    QTest::newRow("first byte of the tail") << big << big - 4096 << 4096LL << chunk;
    QTest::newRow("first byte of a middle chunk") << big << 4096 + 2 * chunk << 4096LL << chunk;
    QTest::newRow("small blocks: equal") << qint64(64) << qint64(-1) << 4LL << 8LL;
    for (qint64 offset : {3, 4, 11, 12, 30, 59, 60, 63})
        QTest::addRow("small blocks: byte %lld", offset) << qint64(64) << offset << 4LL << 8LL;
    QTest::newRow("small blocks: tail overlaps nothing") << qint64(6) << qint64(5) << 4LL << 4LL;
}

void ContentCheckTest::differencesSplitGroups()
{
    QFETCH(qint64, length);
    QFETCH(qint64, offset);
    QFETCH(qint64, block);
    QFETCH(qint64, chunk);
    QRandomGenerator random(7);
    const QByteArray base = randomBytes(random, length);
    QByteArray other = base;
    if (offset >= 0)
        other[offset] = char(other[offset] ^ 0x20);
    Folder folder;
    folder.write("a", base);
    folder.write("b", other);
    folder.write("c", base);
    folder.write("d 照片", other);

    const ContentFindings findings = folder.check(sized(block, chunk));
    const Groups expected =
        offset < 0 ? Groups{{"a", "b", "c", "d 照片"}} : Groups{{"a", "c"}, {"b", "d 照片"}};
    QCOMPARE(folder.namesOf(findings), expected);
    for (const ContentGroup& group : findings.groups) {
        QCOMPARE(group.reclaimable(), length * qint64(group.entries.size() - 1));
        QVERIFY(!group.byHash);
    }
}

void ContentCheckTest::matchesAllPairsOracle_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("lengthCount");
    QTest::addColumn<int>("openFiles");
    QTest::addColumn<qint64>("block");
    QTest::addColumn<qint64>("chunk");
    QTest::newRow("defaults") << 120 << 7 << 256 << 4096LL << 256 * kKiB;
    QTest::newRow("small blocks") << 120 << 7 << 256 << 2LL << 4LL;
    QTest::newRow("more files of a length than may be open") << 120 << 7 << 3 << 2LL << 4LL;
    QTest::newRow("two open files, one-byte blocks") << 120 << 7 << 2 << 1LL << 1LL;
    QTest::newRow("past the default budget") << 800 << 2 << 256 << 4096LL << 256 * kKiB;
}

// Random files of a few lengths, many of them copies, near copies and hard links, against a
// comparison of every pair of files by their bytes.
void ContentCheckTest::matchesAllPairsOracle()
{
    QFETCH(int, files);
    QFETCH(int, lengthCount);
    QFETCH(int, openFiles);
    QFETCH(qint64, block);
    QFETCH(qint64, chunk);
    QRandomGenerator random(2024);
    const QList<qint64> lengths = QList<qint64>{17, 40, 0, 1, 3, 8, 9}.first(lengthCount);
    QList<QList<QByteArray>> templates;
    for (qint64 length : lengths)
        templates.append({randomBytes(random, length), randomBytes(random, length)});
    Folder folder;
    QStringList regular;
    for (int i = 0; i < files; ++i) {
        const QString name = QStringLiteral("%1 文件 😀.bin").arg(i);
        if (!regular.isEmpty() && random.bounded(8) == 0) {
            folder.link(name, regular[int(random.bounded(qsizetype(regular.size())))]);
            continue;
        }
        const int length = int(random.bounded(qsizetype(lengths.size())));
        QByteArray bytes = templates[length][int(random.bounded(2))];
        const int variant = int(random.bounded(4));
        if (variant == 2 && !bytes.isEmpty())
            bytes[int(random.bounded(bytes.size()))] ^= char(1 + random.bounded(255));
        else if (variant == 3)
            bytes = randomBytes(random, bytes.size());
        folder.write(name, bytes);
        regular.append(name);
    }

    const ContentFindings findings = folder.check(sized(block, chunk, std::size_t(openFiles)));
    // Each name joins the class of the first earlier name with the same bytes.
    QList<QByteArray> contents;
    QList<QList<std::size_t>> classes;
    QList<qsizetype> classOf;
    for (std::size_t i = 0; i < folder.names.size(); ++i) {
        QFile file(folder.dir.filePath(folder.names.displayNameAt(i)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        contents.append(file.readAll());
        classOf.append(classes.size());
        for (qsizetype j = 0; j + 1 < contents.size(); ++j) {
            if (contents[j] == contents.last()) {
                classOf.last() = classOf[j];
                break;
            }
        }
        if (classOf.last() == classes.size())
            classes.append(QList<std::size_t>());
        classes[classOf.last()].append(i);
    }
    Groups expected;
    QList<std::size_t> fileCounts;
    for (const QList<std::size_t>& members : classes) {
        if (members.size() < 2)
            continue;
        expected.append(QStringList());
        std::set<ino_t> inodes;
        for (std::size_t i : members) {
            expected.last().append(folder.names.displayNameAt(i));
            struct stat st {};
            QCOMPARE(::stat(folder.path(expected.last().last()).constData(), &st), 0);
            inodes.insert(st.st_ino);
        }
        fileCounts.append(inodes.size());
    }

    QCOMPARE(folder.namesOf(findings), expected);
    for (qsizetype g = 0; g < expected.size(); ++g) {
        const ContentGroup& group = findings.groups[std::size_t(g)];
        QCOMPARE(std::size_t(group.fileCount), fileCounts[g]);
        QCOMPARE(group.reclaimable(), group.length * qint64(fileCounts[g] - 1));
    }
    QVERIFY(findings.unreadable.empty());
    QVERIFY(findings.changed.empty());
}

// Files of a terabyte that are holes but for a few bytes are compared at once, however their
// holes lie, and a file's holes equal written zeros.
void ContentCheckTest::sparseFiles()
{
    const qint64 far = 512 * kGiB;
    const qint64 terabyte = 1024 * kGiB;
    const QByteArray island(4096, 'x');
    QByteArray dense(kMiB, '\0');
    dense.replace(300 * kKiB, island.size(), island);
    Folder folder;
    folder.writeSparse("hole 1", terabyte, {{far, "data"}});
    folder.writeSparse("hole 2", terabyte, {{far, "data"}});
    folder.writeSparse("earlier data", terabyte, {{far - 64 * kMiB, "more"}, {far, "data"}});
    folder.writeSparse("later data", terabyte, {{far, "data"}, {far + 64 * kMiB, "more"}});
    folder.writeSparse("sparse", kMiB, {{300 * kKiB, island}});
    folder.write("dense", dense);

    ContentOptions options;
    qint64 done = 0;
    qint64 total = -1;
    options.progress = [&](qint64 bytesDone, qint64 bytesTotal) {
        done = bytesDone;
        total = bytesTotal;
    };
    const ContentFindings findings = folder.check(options);
    QCOMPARE(folder.namesOf(findings), (Groups{{"hole 1", "hole 2"}, {"sparse", "dense"}}));
    QCOMPARE(total, 4 * terabyte + 2 * kMiB);
    QCOMPARE(done, total);
}

void ContentCheckTest::unreadableEntries_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<ReadProblem>("problem");
    QTest::newRow("no read permission") << "mode 000" << ReadProblem::NoPermission;
    QTest::newRow("a pipe") << "pipe" << ReadProblem::NotAFile;
    QTest::newRow("a folder") << "folder" << ReadProblem::NotAFile;
    QTest::newRow("gone") << "missing" << ReadProblem::Missing;
}

// x is listed beside two copies of its contents; it is reported as unreadable, never as a copy.
void ContentCheckTest::unreadableEntries()
{
    QFETCH(QString, kind);
    QFETCH(ReadProblem, problem);
    const QByteArray bytes(100, 'a');
    Folder folder;
    folder.write("a", bytes);
    if (kind == "mode 000") {
        folder.write("x", bytes);
        QCOMPARE(::chmod(folder.path("x").constData(), 0), 0);
    } else if (kind == "pipe") {
        QCOMPARE(::mkfifo(folder.path("x").constData(), 0644), 0);
        folder.names.append("x");
    } else if (kind == "folder") {
        QVERIFY(QDir(folder.dir.path()).mkdir("x"));
        folder.names.append("x");
    } else {
        folder.names.append("x");
    }
    folder.write("b", bytes);

    const WithoutReadOverride unprivileged;
    if (kind == "mode 000") {
        const int fd = ::open(folder.path("x").constData(), O_RDONLY);
        if (fd >= 0) {
            ::close(fd);
            QSKIP("this process reads a file of mode 000 even without CAP_DAC_OVERRIDE");
        }
    }
    const ContentFindings findings = folder.check();
    QCOMPARE(folder.namesOf(findings), (Groups{{"a", "b"}}));
    QCOMPARE(findings.unreadable.size(), std::size_t(1));
    QCOMPARE(findings.unreadable.front().entry, folder.indexOf("x"));
    QCOMPARE(findings.unreadable.front().problem, problem);
}

void ContentCheckTest::changesDuringTheCheck_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("rewritten with the same bytes") << "rewrite";
    QTest::newRow("grown") << "grow";
    QTest::newRow("cut short") << "cut";
    QTest::newRow("replaced by a copy") << "replace";
}

// b is changed while the check reads its group; however equal its bytes, it is no copy.
void ContentCheckTest::changesDuringTheCheck()
{
    QFETCH(QString, change);
    const QByteArray bytes(1000, 'b');
    Folder folder;
    folder.write("a", bytes);
    folder.write("b", bytes);
    folder.write("c", bytes);
    const QString b = folder.dir.filePath("b");
    bool changed = false;
    ContentOptions options;
    options.progress = [&](qint64, qint64) {
        if (std::exchange(changed, true))
            return;
        QFile file(change == "replace" ? b + ".new" : b);
        if (change == "cut") {
            file.resize(500);
        } else if (file.open(change == "grow" ? QIODevice::Append : QIODevice::ReadWrite)) {
            file.write(change == "grow" ? QByteArray("b") : bytes);
            file.close();
        }
        if (change == "replace")
            ::rename(QFile::encodeName(b + ".new").constData(), QFile::encodeName(b).constData());
    };
    const ContentFindings findings = folder.check(options);
    QVERIFY(changed);
    QCOMPARE(folder.namesOf(findings), (Groups{{"a", "c"}}));
    QCOMPARE(findings.changed, std::vector<std::size_t>{folder.indexOf("b")});
}

// With four files allowed open, groups of 12 and 6 files of the same ends are settled on
// whole-file hashes, pairs on their bytes, and no more than four files are ever open.
void ContentCheckTest::staysWithinOpenFileBudget()
{
    QRandomGenerator random(99);
    const QByteArray same = randomBytes(random, 3000);
    QByteArray middle = same;
    middle[1500] = char(middle[1500] ^ 1);
    Folder folder;
    Groups expected{{}, {}};
    for (int i = 0; i < 12; ++i) {
        folder.write(QStringLiteral("same %1").arg(i), same);
        expected[0].append(QStringLiteral("same %1").arg(i));
    }
    for (int i = 0; i < 6; ++i) {
        folder.write(QStringLiteral("middle %1").arg(i), middle);
        expected[1].append(QStringLiteral("middle %1").arg(i));
    }
    for (int i = 0; i < 3; ++i) {
        const QByteArray pair = randomBytes(random, 3000);
        folder.write(QStringLiteral("pair %1 a").arg(i), pair);
        folder.write(QStringLiteral("pair %1 b").arg(i), pair);
        expected.append({QStringLiteral("pair %1 a").arg(i), QStringLiteral("pair %1 b").arg(i)});
        folder.write(QStringLiteral("other %1").arg(i), randomBytes(random, 3000));
    }
    ContentOptions options = sized(64, 256, 4);
    const int before = openDescriptors();
    int most = before;
    options.progress = [&](qint64, qint64) { most = std::max(most, openDescriptors()); };

    const ContentFindings findings = folder.check(options);
    QCOMPARE(folder.namesOf(findings), expected);
    QVERIFY(findings.groups[0].byHash && findings.groups[1].byHash);
    QVERIFY(!findings.groups[2].byHash);
    QVERIFY2(most <= before + 1 + 4, qPrintable(QStringLiteral("%1 open").arg(most - before)));
}

void ContentCheckTest::cancelStopsReading_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<bool>("copies");
    QTest::addColumn<int>("openFiles");
    QTest::addColumn<int>("stopAtCall");
    QTest::newRow("side by side") << 4 << qint64(1000) << true << 256 << 2;
    QTest::newRow("narrowed by the ends") << 6 << qint64(1000) << false << 2 << 1;
    QTest::newRow("hashed whole") << 6 << qint64(1000) << true << 2 << 7;
    QTest::newRow("empty") << 5 << qint64(0) << true << 256 << 1;
}

// Once stopped, the check reads nothing more and reports nothing.
void ContentCheckTest::cancelStopsReading()
{
    QFETCH(int, files);
    QFETCH(qint64, length);
    QFETCH(bool, copies);
    QFETCH(int, openFiles);
    QFETCH(int, stopAtCall);
    QRandomGenerator random(5);
    const QByteArray bytes = randomBytes(random, length);
    Folder folder;
    for (int i = 0; i < files; ++i)
        folder.write(QString::number(i), copies ? bytes : randomBytes(random, length));
    std::stop_source stop;
    int calls = 0;
    ContentOptions options = sized(16, 16, std::size_t(openFiles));
    options.stop = stop.get_token();
    options.progress = [&](qint64, qint64) {
        if (++calls == stopAtCall)
            stop.request_stop();
    };
    const ContentFindings findings = folder.check(options);
    QVERIFY(findings.cancelled);
    QVERIFY(findings.groups.empty());
    QCOMPARE(calls, stopAtCall);
}

// Groups with hard links and 64-bit lengths, then the problems, each set apart by a rule.
void ContentCheckTest::report()
{
    NameList names;
    for (const char* name : {"a", "b", "c", "大 文件", "d", "e", "x", "y"})
        names.append(name);
    ContentFindings findings;
    findings.groups.push_back({3, {0, 1, 2}, {0, 1, 0}, 2, false});
    findings.groups.push_back({5 * kGiB, {3, 4, 5}, {0, 1, 2}, 3, true});
    findings.unreadable.push_back({6, ReadProblem::NoPermission});
    findings.changed.push_back(7);
    const QString rule(40, '-');
    const QStringList problems{rule,
                               "无法读取、未比较的文件 1 个：",
                               "“x”：没有读取权限",
                               rule,
                               "检查期间有改动、不算作内容相同的文件 1 个：",
                               "“y”"};
    QCOMPARE(contentReport(names, findings),
             QStringList({"内容相同的文件共 2 组、6 个，每组只留一个可释放 10,737,418,243 字节",
                          rule, "第 1 组：3 个名称、2 个文件，每个 3 字节，只留一个可释放 3 字节",
                          "“a”", "“b”", "“c”（与 “a” 是同一个文件）", rule,
                          "第 2 组：3 个文件，每个 5,368,709,120 字节，只留一个可释放 "
                          "10,737,418,240 字节（文件太多，按整个文件的 XXH3-128 散列判定）",
                          "“大 文件”", "“d”", "“e”"}) +
                 problems);
    findings.groups.clear();
    QCOMPARE(contentReport(names, findings), QStringList{kNoIdenticalFiles} + problems);
    QCOMPARE(contentReport(names, ContentFindings{}), QStringList{});
}

void ContentCheckTest::progressSteps_data()
{
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<int>("steps");
    QTest::newRow("nothing to read") << qint64(0) << qint64(0) << 0;
    QTest::newRow("half") << qint64(1) << qint64(2) << kProgressSteps / 2;
    QTest::newRow("all") << qint64(7) << qint64(7) << kProgressSteps;
    QTest::newRow("past 2^53 bytes")
        << (qint64(1) << 60) << (qint64(3) << 60) << kProgressSteps / 3;
    QTest::newRow("past int") << qint64(3) * kGiB << qint64(4) * kGiB << kProgressSteps * 3 / 4;
}

void ContentCheckTest::progressSteps()
{
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    QFETCH(int, steps);
    QCOMPARE(vornak::progressSteps(done, total), steps);
}

void ContentCheckTest::reactionShowsOutcome_data()
{
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<QString>("shown"); // title, then the results window's text or the message
    QTest::newRow("copies")
        << QByteArray("same")
        << "内容检查结果内容相同的文件共 1 组、2 个，每组只留一个可释放 4 字节\r" +
               QString(40, '-') +
               "\r第 1 组：2 个文件，每个 4 字节，只留一个可释放 4 字节\r“a”\r“b”";
    QTest::newRow("no copies") << QByteArray("diff") << "内容检查结果" + kNoIdenticalFiles;
}

void ContentCheckTest::reactionShowsOutcome()
{
    QFETCH(QByteArray, b);
    QFETCH(QString, shown);
    Window window({{"a", "same"}, {"b", b}});
    QSignalSpy finished(window.check.get(), &ContentCheck::finished);
    window.check->checkContents();
    QVERIFY(finished.wait());
    ResultsWindow* form2 = window.check->resultsWindow();
    const QList<test::ShownMessage>& messages = window.platform.messages;
    QCOMPARE(messages.size(), form2 ? 0 : 1);
    QCOMPARE(form2 ? form2->windowTitle() + form2->report().text()
                   : messages[0].title + messages[0].prompt,
             shown);
    QVERIFY(!window.check->isRunning());
}

void ContentCheckTest::cancelOrCloseWhileRunning_data()
{
    QTest::addColumn<bool>("close");
    QTest::newRow("取消") << false;
    QTest::newRow("the main window closes") << true;
}

// The check waits in its first step until it is stopped: the window goes on answering, the
// dialog shows how far it got, and either the 取消 button or destroying the reaction stops it
// without a report.
void ContentCheckTest::cancelOrCloseWhileRunning()
{
    QFETCH(bool, close);
    Window window({{"a", "same"}, {"b", "same"}});
    std::atomic<bool> entered = false;
    std::atomic<bool> stopped = false;
    window.check->setStepHook([&](std::stop_token stop) {
        entered = true;
        for (int waited = 0; waited < 30000 && !stop.stop_requested(); ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        stopped = stop.stop_requested();
    });
    QSignalSpy finished(window.check.get(), &ContentCheck::finished);
    window.check->checkContents();
    QTRY_VERIFY(entered);
    QVERIFY(window.check->isRunning());
    QPointer<QProgressDialog> dialog =
        window.file1.findChild<QProgressDialog*>(QStringLiteral("contentProgress"));
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->isVisible());
    QTRY_COMPARE(dialog->value(), kProgressSteps / 2);

    if (close) {
        window.check.reset();
    } else {
        QPushButton* cancel = dialog->findChild<QPushButton*>();
        QCOMPARE(cancel->text(), QStringLiteral("取消"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(finished.wait());
        QVERIFY(!window.check->isRunning());
        QVERIFY(!window.check->resultsWindow());
    }
    QVERIFY(stopped);
    QVERIFY(!dialog);
    QVERIFY(window.platform.messages.isEmpty());
}

// Memory running out in the middle of a check ends it with a message, not the program.
void ContentCheckTest::outOfMemoryIsReported()
{
    Window window({{"a", "same"}, {"b", "same"}});
    window.check->setStepHook([](std::stop_token) { throw std::bad_alloc(); });
    QSignalSpy finished(window.check.get(), &ContentCheck::finished);
    window.check->checkContents();
    QVERIFY(finished.wait());
    QVERIFY(!window.check->resultsWindow());
    QCOMPARE(window.platform.messages.size(), 1);
    QCOMPARE(window.platform.messages[0].prompt, QStringLiteral("内存不足，内容检查未能完成!"));
}

QTEST_MAIN(ContentCheckTest)
#include "ContentCheckTest.moc"
