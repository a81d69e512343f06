#include "core/FileSystem.h"
#include "core/FolderReader.h"
#include "core/OpenFolder.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
    void listLengthsAndRename();
    void deleteRefusesAFileTheUserMayNotWrite();

private:
    QByteArray at(const QByteArray& name) const { return m_folder + '/' + name; }
    Length length(const QByteArray& name) const { return vornak::fs::fileLength(at(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_folder;
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
    QVERIFY(::symlink("b.txt", at("link.txt").constData()) == 0);
    QVERIFY(::symlink("sub", at("folder link").constData()) == 0);
    QVERIFY(::mkfifo(at("pipe").constData(), 0644) == 0);
}

void FileSystemTest::cleanup()
{
    vornak::test::removeUndecodableFiles(m_folder);
    m_dir.reset();
}

// The listing leaves out hidden and non-regular entries and follows links. The open folder
// measures as the path does; a rename never replaces what is there.
void FileSystemTest::listLengthsAndRename()
{
    QCOMPARE(namesOf(vornak::readListedFiles(m_folder, vornak::FilePattern::everything())),
             (QList<QByteArray>{"a.txt", "b.txt", "big.bin", "link.txt", kOddTwin, kOdd}));
    QCOMPARE(namesOf(vornak::readSubfolders(m_folder)), (QList<QByteArray>{"folder link", "sub"}));
    vornak::OpenFolder folder(m_folder);
    for (const auto& [name, expected] : {std::pair<QByteArray, Length>{kOdd, 4},
                                         {kOddTwin, 5},
                                         {"big.bin", kThreeGiB},
                                         {"sub", std::nullopt}}) {
        QCOMPARE(length(name), expected);
        QCOMPARE(folder.fileLength(name), expected);
    }
    for (const QByteArray target : {"b.txt", "sub", kOddTwin.constData()}) {
        const Length before = length(target);
        QCOMPARE(folder.renameNoReplace(kOdd, target).outcome, vornak::RenameOutcome::TargetExists);
        QCOMPARE(length(target), before);
    }
    QVERIFY(folder.renameNoReplace(kOdd, "renamed \xff").renamed());
    QCOMPARE(length("renamed \xff"), Length(4));
    QCOMPARE(length(kOdd), Length());
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
            return vornak::fs::deleteFile(at(name));
        const pid_t child = ::fork();
        if (child == 0) {
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0; // nobody
            ::_exit(!dropped ? 2 : (vornak::fs::deleteFile(at(name)) ? 0 : 1));
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) == 2)
            qFatal("the child process could not give up root");
        return WEXITSTATUS(status) == 0;
    };
    QVERIFY(!deleteAsUser("a.txt"));
    QCOMPARE(length("a.txt"), Length(1));
    QVERIFY(deleteAsUser("b.txt"));
    QCOMPARE(length("b.txt"), Length());
}

QTEST_GUILESS_MAIN(FileSystemTest)
#include "FileSystemTest.moc"
