#include "platform/FolderReader.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using vornak::ProbeMask;
using vornak::test::makeFile;
using Length = std::optional<qint64>;

namespace {

QList<QByteArray> namesOf(const std::optional<vornak::NameList>& listed)
{
    QList<QByteArray> names;
    for (std::size_t i = 0; listed && i < listed->size(); ++i)
        names.append(listed->nameAt(i));
    return names;
}

// Two names that are not valid UTF-8 and look the same on screen.
const QByteArray kOdd = "odd \xff.bin";
const QByteArray kOddTwin = "odd \xfe.bin";
constexpr qint64 kThreeGiB = qint64(3) << 30;

} // namespace

// Files are told apart by their lengths.
class FileSystemTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void listingLeavesOutHiddenAndNonRegular();
    void entryKinds_data();
    void entryKinds();
    void renameNeverReplaces();
    void deleteRefusesAFileTheUserMayNotWrite();

private:
    QByteArray at(const QByteArray& name) const { return m_folder + '/' + name; }
    Length length(const QByteArray& name) const { return m_platform.fileLength(at(name)); }
    bool exists(const QByteArray& name) const
    {
        return m_platform.probe(at(name), ProbeMask::AnyEntry);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_folder;
    vornak::test::TestPlatform m_platform;
};

void FileSystemTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = QFile::encodeName(m_dir->path());
    for (const auto& [name, length] : {std::pair{"b.txt", 3LL},
                                       {"a.txt", 1LL},
                                       {".hidden", 1LL},
                                       {kOdd.constData(), 4LL},
                                       {kOddTwin.constData(), 5LL},
                                       {"big.bin", kThreeGiB}})
        QVERIFY(makeFile(at(name), length));
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
    const auto all = vornak::FilePattern::everything();
    QCOMPARE(namesOf(vornak::readListedFiles(m_folder, all)),
             (QList<QByteArray>{"a.txt", "b.txt", "big.bin", "link.txt", kOddTwin, kOdd}));
    QCOMPARE(namesOf(vornak::readSubfolders(m_folder)), (QList<QByteArray>{"folder link", "sub"}));
    QVERIFY(!vornak::readListedFiles(at("missing"), all));
    QVERIFY(!vornak::readSubfolders(at("a.txt")));
}

// Length, probes and delete of each kind of entry: only a listed file may be deleted.
void FileSystemTest::entryKinds_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<Length>("length");
    QTest::addColumn<bool>("listedFile");
    QTest::addColumn<bool>("exists");
    const auto row = [](const char* tag, QByteArray name, Length length, bool listed, bool exists) {
        QTest::newRow(tag) << name << length << listed << exists;
    };
    row("file", "b.txt", 3, true, true);
    row("undecodable name", kOdd, 4, true, true);
    row("its look-alike", kOddTwin, 5, true, true);
    row("sparse file beyond 32 bits", "big.bin", kThreeGiB, true, true);
    row("link to a file", "link.txt", 3, true, true);
    row("hidden file", ".hidden", 1, false, true);
    row("folder", "sub", {}, false, true);
    row("dangling link", "dangling", {}, false, true);
    row("pipe", "pipe", {}, false, true);
    row("missing", "missing", {}, false, false);
}

void FileSystemTest::entryKinds()
{
    QFETCH(QByteArray, name);
    QFETCH(Length, length);
    QFETCH(bool, listedFile);
    QFETCH(bool, exists);
    QCOMPARE(this->length(name), length);
    QCOMPARE(m_platform.openFolder(m_folder).fileLength(name), length);
    QCOMPARE(m_platform.probe(at(name), ProbeMask::OrdinaryFiles), listedFile);
    QCOMPARE(this->exists(name), exists);
    QCOMPARE(m_platform.deleteFile(at(name)), listedFile);
    QCOMPARE(this->exists(name), exists && !listedFile);
}

void FileSystemTest::renameNeverReplaces()
{
    const vornak::OpenFolder folder = m_platform.openFolder(m_folder);
    for (const QByteArray target : {"b.txt", "sub", "dangling", kOddTwin.constData()}) {
        const Length before = length(target);
        QVERIFY2(!folder.renameNoReplace(kOdd, target), target.constData());
        QVERIFY(exists(target));
        QCOMPARE(length(target), before);
    }
    QVERIFY(!folder.renameNoReplace("missing", "other"));
    QVERIFY(folder.renameNoReplace(kOdd, "renamed \xff"));
    QVERIFY(!exists(kOdd));
    QCOMPARE(length("renamed \xff"), Length(4));
    QCOMPARE(length(kOddTwin), Length(5));
}

// The folder lets anyone remove its entries, so only the file's own permission can stop the
// delete. Root may write every file: there a child process that gave up root deletes.
void FileSystemTest::deleteRefusesAFileTheUserMayNotWrite()
{
    QVERIFY(::chmod(m_folder.constData(), 0777) == 0);
    QVERIFY(::chmod(at("a.txt").constData(), 0444) == 0);
    QVERIFY(::chmod(at("b.txt").constData(), 0666) == 0);
    const auto deleteAsUser = [this](const QByteArray& name) {
        if (::geteuid() != 0)
            return m_platform.deleteFile(at(name));
        const pid_t child = ::fork();
        if (child == 0) {
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0; // nobody
            ::_exit(!dropped ? 2 : (m_platform.deleteFile(at(name)) ? 0 : 1));
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) == 2)
            qFatal("the child process could not give up root");
        return WEXITSTATUS(status) == 0;
    };
    QVERIFY(!deleteAsUser("a.txt"));
    QVERIFY(exists("a.txt"));
    QVERIFY(deleteAsUser("b.txt"));
    QVERIFY(!exists("b.txt"));
}

QTEST_GUILESS_MAIN(FileSystemTest)
#include "FileSystemTest.moc"
