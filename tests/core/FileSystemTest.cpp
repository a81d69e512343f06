#include "core/fs/FileSystem.h"
#include "core/fs/OpenFolder.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vornak;

namespace {

// Two names that are not valid UTF-8 and look the same on screen.
const QByteArray kOdd = "odd \xff.bin";
const QByteArray kOddTwin = "odd \xfe.bin";
constexpr qint64 kThreeGiB = qint64(3) << 30;
constexpr qint64 kNoLength = -1;

} // namespace

// A folder of files told apart by their lengths, with links and entries that are no files.
class FileSystemTest : public QObject {
    Q_OBJECT
    QByteArray at(const QByteArray& name) const { return m_folder + '/' + name; }
    qint64 length(const QByteArray& name) const
    {
        return fs::fileLength(at(name)).value_or(kNoLength);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_folder;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_folder = QFile::encodeName(m_dir->path());
        for (const auto& [name, size] : {std::pair{"b.txt", 3LL},
                                         {"a.txt", 1LL},
                                         {kOdd.constData(), 4LL},
                                         {kOddTwin.constData(), 5LL},
                                         {"big.bin", kThreeGiB}})
            QVERIFY(test::makeFile(at(name), size));
        QVERIFY(::mkdir(at("sub").constData(), 0755) == 0);
        QVERIFY(::symlink("b.txt", at("link.txt").constData()) == 0);
        QVERIFY(::symlink("sub", at("folder link").constData()) == 0);
        QVERIFY(::symlink("gone", at("dangling").constData()) == 0);
        QVERIFY(::mkfifo(at("pipe").constData(), 0644) == 0);
    }
    void cleanup()
    {
        test::removeUndecodableFiles(m_folder);
        m_dir.reset();
    }

    void lengths_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("not UTF-8") << kOdd << qint64(4);
        QTest::newRow("its twin") << kOddTwin << qint64(5);
        QTest::newRow("beyond 32 bits") << QByteArray("big.bin") << kThreeGiB;
        QTest::newRow("a link gives its file's length") << QByteArray("link.txt") << qint64(3);
        for (const char* other : {"sub", "folder link", "dangling", "pipe", "missing"})
            QTest::newRow(other) << QByteArray(other) << kNoLength;
    }
    // By path and in the open folder alike.
    void lengths()
    {
        QFETCH(QByteArray, name);
        QFETCH(qint64, expected);
        QCOMPARE(length(name), expected);
        QCOMPARE(OpenFolder(m_folder).fileLength(name).value_or(kNoLength), expected);
    }

    // The folder lets anyone remove its entries, so only the file's own permission can stop
    // the delete. Root may write every file: there a child process that gave up root deletes.
    void deleteRefusesAFileTheUserMayNotWrite()
    {
        QVERIFY(::chmod(m_folder.constData(), 0777) == 0);
        QVERIFY(::chmod(at("a.txt").constData(), 0444) == 0);
        QVERIFY(::chmod(at("b.txt").constData(), 0666) == 0);
        const auto deleteAsUser = [this](const QByteArray& name) {
            if (::geteuid() != 0)
                return fs::deleteFile(at(name)) == 0;
            const pid_t child = ::fork();
            if (child == 0) {
                const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0; // nobody
                ::_exit(!dropped ? 2 : (fs::deleteFile(at(name)) == 0 ? 0 : 1));
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            if (!WIFEXITED(status) || WEXITSTATUS(status) == 2)
                qFatal("the child process could not give up root");
            return WEXITSTATUS(status) == 0;
        };
        QVERIFY(!deleteAsUser("a.txt"));
        QCOMPARE(length("a.txt"), 1);
        QVERIFY(deleteAsUser("b.txt"));
        QCOMPARE(length("b.txt"), kNoLength);
    }
};

QTEST_GUILESS_MAIN(FileSystemTest)
#include "FileSystemTest.moc"
