#include "platform/FolderReader.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using vornak::ProbeMask;
using vornak::test::makeFile;

namespace {

// Plain system calls: a name that is not valid UTF-8 would not survive QFile's decoding.
QByteArray readAll(const QByteArray& path)
{
    QByteArray content(64, '\0');
    const int fd = ::open(path.constData(), O_RDONLY);
    const ssize_t got = fd < 0 ? 0 : ::read(fd, content.data(), std::size_t(content.size()));
    if (fd >= 0)
        ::close(fd);
    content.truncate(got < 0 ? 0 : qsizetype(got));
    return content;
}

void writeText(const QByteArray& path, const QByteArray& text)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY2(fd >= 0, path.constData());
    QCOMPARE(::write(fd, text.constData(), std::size_t(text.size())), ssize_t(text.size()));
    ::close(fd);
}

QList<QByteArray> namesOf(const std::optional<vornak::NameList>& listed)
{
    QList<QByteArray> names;
    for (std::size_t i = 0; listed && i < listed->size(); ++i)
        names.append(listed->nameAt(i));
    return names;
}

// Two names that are not valid UTF-8 and look the same on screen.
const QByteArray kOddName = "odd \xff.bin";
const QByteArray kOddTwin = "odd \xfe.bin";

} // namespace

class FileSystemTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void listingLeavesOutHiddenAndNonRegular();
    void subfoldersLeaveOutHidden();
    void listingOfAMissingFolderFails();
    void undecodableNamesAreAddressedByTheirBytes();
    void fileLength_data();
    void fileLength();
    void sparseFileBeyond32Bits();
    void probe_data();
    void probe();
    void renameNeverReplaces();
    void renameToAFreeName();
    void deleteRefusesWhatIsNotAListedFile_data();
    void deleteRefusesWhatIsNotAListedFile();
    void deleteRefusesAFileTheUserMayNotWrite();

private:
    QByteArray at(const QByteArray& name) const { return m_folder + '/' + name; }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_folder;
    vornak::test::TestPlatform m_platform;
};

void FileSystemTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = QFile::encodeName(m_dir->path());
    QVERIFY(makeFile(at("b.txt"), 3));
    QVERIFY(makeFile(at("a.txt"), 1));
    QVERIFY(makeFile(at(".hidden"), 1));
    QVERIFY(::mkdir(at("sub").constData(), 0755) == 0);
    QVERIFY(::mkdir(at(".config").constData(), 0755) == 0);
    QVERIFY(::symlink("b.txt", at("link.txt").constData()) == 0);
    QVERIFY(::symlink("nowhere", at("dangling").constData()) == 0);
    QVERIFY(::symlink("sub", at("folder link").constData()) == 0);
    QVERIFY(::mkfifo(at("pipe").constData(), 0644) == 0);
}

void FileSystemTest::cleanup()
{
    vornak::test::removeUndecodableFiles(m_folder);
    m_dir.reset();
}

void FileSystemTest::listingLeavesOutHiddenAndNonRegular()
{
    QVERIFY(makeFile(at(kOddName), 2));
    const auto all = vornak::FilePattern::everything();
    QCOMPARE(namesOf(vornak::readListedFiles(m_folder, all)),
             (QList<QByteArray>{"a.txt", "b.txt", "link.txt", kOddName}));
}

void FileSystemTest::subfoldersLeaveOutHidden()
{
    QCOMPARE(namesOf(vornak::readSubfolders(m_folder)), (QList<QByteArray>{"folder link", "sub"}));
}

void FileSystemTest::listingOfAMissingFolderFails()
{
    QVERIFY(!vornak::readListedFiles(at("missing"), vornak::FilePattern::everything()));
    QVERIFY(!vornak::readSubfolders(at("a.txt")));
}

void FileSystemTest::undecodableNamesAreAddressedByTheirBytes()
{
    writeText(at(kOddName), "odd");
    writeText(at(kOddTwin), "twin!");
    const auto listed = vornak::readListedFiles(m_folder, vornak::FilePattern::everything());
    QVERIFY(listed);
    QCOMPARE(namesOf(listed).count(kOddName), 1);
    QCOMPARE(namesOf(listed).count(kOddTwin), 1);

    QCOMPARE(m_platform.fileLength(at(kOddName)), std::optional<qint64>(3));
    QCOMPARE(m_platform.fileLength(at(kOddTwin)), std::optional<qint64>(5));

    QVERIFY(m_platform.renameNoReplace(at(kOddName), at("renamed \xff")));
    QCOMPARE(readAll(at("renamed \xff")), QByteArray("odd"));
    QCOMPARE(readAll(at(kOddTwin)), QByteArray("twin!"));

    QVERIFY(m_platform.deleteFile(at(kOddTwin)));
    QVERIFY(!m_platform.probe(at(kOddTwin), ProbeMask::AnyEntry));
    QCOMPARE(readAll(at("renamed \xff")), QByteArray("odd"));
}

void FileSystemTest::fileLength_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<std::optional<qint64>>("expected");
    QTest::newRow("file") << QByteArray("b.txt") << std::optional<qint64>(3);
    QTest::newRow("link to a file") << QByteArray("link.txt") << std::optional<qint64>(3);
    QTest::newRow("folder") << QByteArray("sub") << std::optional<qint64>();
    QTest::newRow("dangling link") << QByteArray("dangling") << std::optional<qint64>();
    QTest::newRow("pipe") << QByteArray("pipe") << std::optional<qint64>();
    QTest::newRow("missing") << QByteArray("missing") << std::optional<qint64>();
}

void FileSystemTest::fileLength()
{
    QFETCH(QByteArray, name);
    QFETCH(std::optional<qint64>, expected);
    QCOMPARE(m_platform.fileLength(at(name)), expected);
}

void FileSystemTest::sparseFileBeyond32Bits()
{
    const qint64 threeGiB = qint64(3) << 30;
    QVERIFY(makeFile(at("big.bin"), threeGiB));
    QCOMPARE(m_platform.fileLength(at("big.bin")), std::optional<qint64>(threeGiB));
}

void FileSystemTest::probe_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("ordinaryFile");
    QTest::addColumn<bool>("anyEntry");
    QTest::newRow("file") << QByteArray("a.txt") << true << true;
    QTest::newRow("link to a file") << QByteArray("link.txt") << true << true;
    QTest::newRow("hidden file") << QByteArray(".hidden") << false << true;
    QTest::newRow("folder") << QByteArray("sub") << false << true;
    QTest::newRow("hidden folder") << QByteArray(".config") << false << true;
    QTest::newRow("dangling link") << QByteArray("dangling") << false << true;
    QTest::newRow("pipe") << QByteArray("pipe") << false << true;
    QTest::newRow("missing") << QByteArray("missing") << false << false;
}

void FileSystemTest::probe()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, ordinaryFile);
    QFETCH(bool, anyEntry);
    QCOMPARE(m_platform.probe(at(name), ProbeMask::OrdinaryFiles), ordinaryFile);
    QCOMPARE(m_platform.probe(at(name), ProbeMask::AnyEntry), anyEntry);
}

void FileSystemTest::renameNeverReplaces()
{
    writeText(at("from.txt"), "from");
    writeText(at("to.txt"), "to");
    QVERIFY(!m_platform.renameNoReplace(at("from.txt"), at("to.txt")));
    QCOMPARE(readAll(at("from.txt")), QByteArray("from"));
    QCOMPARE(readAll(at("to.txt")), QByteArray("to"));
    QVERIFY(!m_platform.renameNoReplace(at("from.txt"), at("sub")));
    QVERIFY(!m_platform.renameNoReplace(at("from.txt"), at("dangling")));
    QCOMPARE(readAll(at("from.txt")), QByteArray("from"));
}

void FileSystemTest::renameToAFreeName()
{
    writeText(at("from.txt"), "from");
    QVERIFY(m_platform.renameNoReplace(at("from.txt"), at("new name 照片.txt")));
    QVERIFY(!m_platform.probe(at("from.txt"), ProbeMask::AnyEntry));
    QCOMPARE(readAll(at("new name 照片.txt")), QByteArray("from"));
    QVERIFY(!m_platform.renameNoReplace(at("missing"), at("other")));
}

void FileSystemTest::deleteRefusesWhatIsNotAListedFile_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("folder") << QByteArray("sub");
    QTest::newRow("hidden file") << QByteArray(".hidden");
    QTest::newRow("pipe") << QByteArray("pipe");
    QTest::newRow("missing") << QByteArray("missing");
}

void FileSystemTest::deleteRefusesWhatIsNotAListedFile()
{
    QFETCH(QByteArray, name);
    const bool existed = m_platform.probe(at(name), ProbeMask::AnyEntry);
    QVERIFY(!m_platform.deleteFile(at(name)));
    QCOMPARE(m_platform.probe(at(name), ProbeMask::AnyEntry), existed);
}

// The folder lets anyone remove its entries, so only the file's own permission can stop the
// delete. Root may write every file: there the check runs in a child process that has given up
// root for an ordinary account.
void FileSystemTest::deleteRefusesAFileTheUserMayNotWrite()
{
    QVERIFY(::chmod(m_folder.constData(), 0777) == 0);
    QVERIFY(makeFile(at("locked.txt"), 1));
    QVERIFY(makeFile(at("open.txt"), 1));
    QVERIFY(::chmod(at("locked.txt").constData(), 0444) == 0);
    QVERIFY(::chmod(at("open.txt").constData(), 0666) == 0);

    const auto deleteAsUser = [this](const QByteArray& name) {
        if (::geteuid() != 0)
            return m_platform.deleteFile(at(name));
        const pid_t child = ::fork();
        if (child == 0) {
            constexpr uid_t kNobody = 65534;
            const bool dropped = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
            ::_exit(!dropped ? 2 : (m_platform.deleteFile(at(name)) ? 0 : 1));
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) == 2)
            qFatal("the child process could not give up root");
        return WEXITSTATUS(status) == 0;
    };

    QVERIFY(!deleteAsUser("locked.txt"));
    QVERIFY(m_platform.probe(at("locked.txt"), ProbeMask::AnyEntry));
    QVERIFY(deleteAsUser("open.txt"));
    QVERIFY(!m_platform.probe(at("open.txt"), ProbeMask::AnyEntry));
}

QTEST_GUILESS_MAIN(FileSystemTest)
#include "FileSystemTest.moc"
