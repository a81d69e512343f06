#include "core/fs/OpenFolder.h"
#include "core/fs/SystemCalls.h"
#include "support/TestFiles.h"

#include <QMultiHash>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <string.h>

using namespace vornak;
using namespace Qt::StringLiterals;
using vornak::test::writeFile;

namespace {

// The faults of a row as "key=value" words: an errno name for a call that fails ("flag":
// renameat2 with RENAME_NOREPLACE; "link"; "unlink" of the name being renamed; "create":
// openat with O_EXCL; "rename": renameat2 without flags), what happens to the placeholder
// just before a failing rename over it ("meddle": fill or swap), a volume that ignores ASCII
// letter case ("volume": exfat, where a direct case-only rename takes effect, or fat, where it
// succeeds and changes nothing) and moves refused ("refuse=from>to").
struct Injection {
    QMultiHash<QByteArray, QByteArray> faults;
    QByteArray renaming; // the entry whose rename is under way
    QStringList steps;

    int error(const char* call) const
    {
        const QByteArray name = faults.value(call);
        for (int error = 1; !name.isEmpty() && error < 200; ++error) {
            if (name == strerrorname_np(error))
                return error;
        }
        if (!name.isEmpty())
            qFatal("no errno %s", name.constData());
        return 0;
    }
};

Injection* g_injection = nullptr;

int fail(int error)
{
    errno = error;
    return -1;
}

int fakeRename(int fromDir, const char* from, int toDir, const char* to, unsigned flags)
{
    Injection& injection = *g_injection;
    const bool noReplace = flags & RENAME_NOREPLACE;
    injection.steps.append(noReplace ? "flag" : "rename");
    if (injection.faults.contains("refuse", from + ">"_ba + to))
        return fail(EACCES);
    if (const int error = injection.error(noReplace ? "flag" : "rename")) {
        const QByteArray meddle = noReplace ? QByteArray() : injection.faults.value("meddle");
        if (meddle == "fill")
            writeFile(toDir, to, "meddled");
        // Made before the placeholder goes, so that it cannot take the placeholder's inode.
        if (meddle == "swap" && writeFile(toDir, "intruder", ""))
            ::renameat(toDir, "intruder", toDir, to);
        return fail(error);
    }
    // The entry the volume finds under the new name.
    QByteArray found;
    for (const QByteArray& entry : test::entryNames(toDir)) {
        if (injection.faults.contains("volume") ? entry.toLower() == QByteArray(to).toLower()
                                                : entry == to)
            found = entry;
    }
    if (!found.isEmpty() && found != to) {
        if (noReplace)
            return fail(EEXIST);
        if (found == from && injection.faults.value("volume") == "fat")
            return 0;
        // Else the volume renames, or replaces what it found under the other spelling.
        if (found != from)
            ::unlinkat(toDir, found.constData(), 0);
    }
    return fs::kSystemCalls.renameat2(fromDir, from, toDir, to, flags);
}

int fakeLink(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    g_injection->steps.append("link");
    const int error = g_injection->error("link");
    return error ? fail(error) : fs::kSystemCalls.linkat(fromDir, from, toDir, to, flags);
}

int fakeUnlink(int dir, const char* name, int flags)
{
    g_injection->steps.append("unlink:" + QString::fromUtf8(name));
    const int error = g_injection->renaming == name ? g_injection->error("unlink") : 0;
    return error ? fail(error) : fs::kSystemCalls.unlinkat(dir, name, flags);
}

int fakeOpen(int dir, const char* name, int flags, mode_t mode)
{
    const int error = flags & O_EXCL ? g_injection->error("create") : 0;
    if (flags & O_EXCL)
        g_injection->steps.append("create");
    return error ? fail(error) : fs::kSystemCalls.openat(dir, name, flags, mode);
}

const fs::SystemCalls kInjected{
    fakeRename, fakeLink, fakeUnlink, fakeOpen, fs::kSystemCalls.pread, fs::kSystemCalls.fstat};

} // namespace

// Every row renames in a fresh real folder, with the calls failing as its faults say.
class RenameFallbackTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    int m_fd = -1;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_fd = ::open(QFile::encodeName(m_dir->path()).constData(), O_RDONLY | O_DIRECTORY);
        QVERIFY(m_fd >= 0);
    }
    void cleanup()
    {
        ::close(m_fd);
        m_dir.reset();
    }

    // The files before as "name=content" (a bare name holds itself), the renames "from>to"
    // done one after the other in one open folder, their results (with the error of the call
    // that failed), the calls they made in order, and the files after.
    void renamesWithoutReplacing_data()
    {
        QTest::addColumn<QByteArray>("faults");
        QTest::addColumn<QByteArray>("files");
        QTest::addColumn<QByteArray>("renames");
        QTest::addColumn<QList<RenameResult>>("results");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QByteArray>("state");
        using O = RenameOutcome;
        using R = RenameRoute;
        // old.txt to new.txt, directly.
        const auto row = [](const QString& tag, const QByteArray& faults, const char* files,
                            O outcome, const char* steps, const char* state, int error = 0) {
            QTest::newRow(qPrintable(tag)) << faults << QByteArray(files) << "old.txt>new.txt"_ba
                                           << QList<RenameResult>{{outcome, R::Direct, error}}
                                           << QString(steps) << QByteArray(state);
        };
        const char* old = "old.txt=old";
        const char* both = "new.txt=taken,old.txt=old";
        const char* moved = "new.txt=old";
        const char* claimed = "flag,link,create,rename";
        row("no-replace flag", "", old, O::Renamed, "flag", moved);
        for (const char* flag : {"EINVAL", "ENOSYS", "EOPNOTSUPP"})
            row(u"flag %1: link"_s.arg(flag), "flag="_ba + flag, old, O::Renamed,
                "flag,link,unlink:old.txt", moved);
        for (const char* link : {"EPERM", "EOPNOTSUPP", "ENOSYS", "EMLINK"})
            row(u"link %1: placeholder"_s.arg(link), "flag=EINVAL link="_ba + link, old, O::Renamed,
                claimed, moved);
        row("taken: flag", "", both, O::TargetExists, "flag", both, EEXIST);
        row("taken: link", "flag=EINVAL", both, O::TargetExists, "flag,link", both, EEXIST);
        row("taken: exclusive create", "flag=ENOSYS link=EPERM", both, O::TargetExists,
            "flag,link,create", both, EEXIST);
        row("source unlink refused: link removed", "flag=EINVAL unlink=EACCES", old,
            O::NoPermission, "flag,link,unlink:old.txt,unlink:new.txt", old, EACCES);
        const QByteArray placeholder = "flag=EINVAL link=EPERM rename=";
        row("placeholder written meanwhile stays", placeholder + "EIO meddle=fill", old, O::Other,
            claimed, "new.txt=meddled,old.txt=old", EIO);
        row("placeholder replaced meanwhile stays", placeholder + "EIO meddle=swap", old, O::Other,
            claimed, "new.txt=,old.txt=old", EIO);
        row("EACCES at the link", "flag=EINVAL link=EACCES", old, O::NoPermission, "flag,link", old,
            EACCES);

        // Case-only renames; letter case as the program folds it is not always as the volume
        // folds it (the Kelvin sign).
        const QByteArray step = caseStepName("photo.JPG");
        const QByteArray kelvin = "x\u212A";
        const QByteArray photo = "photo.JPG>photo.jpg";
        const auto caseRow = [](const char* tag, const QByteArray& faults, const QByteArray& files,
                                const QByteArray& renames, QList<RenameResult> results,
                                const char* steps, const QByteArray& state) {
            QTest::newRow(tag) << faults << files << renames << results << QString(steps) << state;
        };
        caseRow("FAT: through the step name", "volume=fat", "photo.JPG", photo,
                {{O::Renamed, R::ThroughStepName}}, "flag,rename,flag,flag", "photo.jpg=photo.JPG");
        caseRow("an entry the volume takes for the new name stays", "volume=exfat", kelvin + ",xK",
                kelvin + ">xk", {{O::TargetExists, R::Direct}}, "flag",
                "xK=xK," + kelvin + '=' + kelvin);
        caseRow("FAT: new name refused, moved back", "volume=fat refuse=" + step + ">photo.jpg",
                "photo.JPG", photo, {{O::NoPermission, R::ThroughStepName, EACCES}},
                "flag,rename,flag,flag,flag", "photo.JPG=photo.JPG");
        caseRow("FAT: left at the step name",
                "volume=fat refuse=" + step + ">photo.jpg refuse=" + step + ">photo.JPG",
                "photo.JPG", photo, {{O::NoPermission, R::LeftAtStepName, EACCES}},
                "flag,rename,flag,flag,flag", step + "=photo.JPG");
    }
    void renamesWithoutReplacing()
    {
        QFETCH(QByteArray, faults);
        QFETCH(QByteArray, files);
        QFETCH(QByteArray, renames);
        QFETCH(QList<RenameResult>, results);
        QFETCH(QString, steps);
        QFETCH(QByteArray, state);
        for (const QByteArray& file : files.split(',')) {
            const QByteArrayList nameAndContent = file.split('=');
            QVERIFY(file.isEmpty() || writeFile(m_fd, nameAndContent[0], nameAndContent.last()));
        }
        Injection injection;
        for (const QByteArray& word : faults.split(' '))
            injection.faults.insert(word.left(word.indexOf('=')), word.mid(word.indexOf('=') + 1));
        g_injection = &injection;
        OpenFolder folder(QFile::encodeName(m_dir->path()), kInjected);
        QList<RenameResult> got;
        for (const QByteArray& rename : renames.split(',')) {
            injection.renaming = rename.left(rename.indexOf('>'));
            got.append(
                folder.renameNoReplace(injection.renaming, rename.mid(rename.indexOf('>') + 1)));
        }
        QCOMPARE(got.size(), results.size());
        for (qsizetype i = 0; i < got.size(); ++i) {
            QCOMPARE(got[i].outcome, results[i].outcome);
            QCOMPARE(got[i].route, results[i].route);
            QCOMPARE(got[i].error, results[i].error);
        }
        QCOMPARE(injection.steps.join(','), steps);
        QCOMPARE(test::folderState(m_fd), state.isEmpty() ? QByteArrayList() : state.split(','));
    }
};

QTEST_GUILESS_MAIN(RenameFallbackTest)
#include "RenameFallbackTest.moc"
