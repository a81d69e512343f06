#include "core/OpenFolder.h"
#include "core/SystemCalls.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>

using namespace vornak;
using namespace Qt::StringLiterals;
using vornak::test::entryNames;
using vornak::test::folderState;
using vornak::test::writeFile;

Q_DECLARE_METATYPE(vornak::RenameOutcome)
Q_DECLARE_METATYPE(vornak::RenameRoute)

namespace {

// How the simulated volume treats letter case: not at all (the real folder), or ignoring it
// as exFAT through FUSE does (a direct case-only rename takes effect) or as kernel FAT does
// (a direct case-only rename succeeds and changes nothing). Only ASCII letters are folded.
enum class Volume { CaseSensitive, TakesCaseRename, IgnoresCaseRename };

// What happens to the placeholder just before an injected failure of the rename over it.
enum class Meddle { None, Fill, Swap, RemoveSource };

struct Faults {
    int flag = 0;   // renameat2 with RENAME_NOREPLACE
    int link = 0;   // linkat
    int unlink = 0; // unlinkat of the name being renamed
    int create = 0; // openat with O_EXCL
    int rename = 0; // renameat2 without flags
    Meddle meddle = Meddle::None;
    Volume volume = Volume::CaseSensitive;
    QList<QByteArray> refusedMoves; // "from>to": any rename between them fails with EACCES
};

struct Injection {
    Faults faults;
    QByteArray renaming; // the entry whose rename is under way
    QStringList steps;
};

Injection* g_injection = nullptr;

bool sameIgnoringAsciiCase(QByteArrayView a, QByteArrayView b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// The entry a volume that ignores case finds under name, if any.
QByteArray lookUp(int dir, const char* name)
{
    for (const QByteArray& entry : entryNames(dir)) {
        if (g_injection->faults.volume == Volume::CaseSensitive
                ? entry == name
                : sameIgnoringAsciiCase(entry, name))
            return entry;
    }
    return {};
}

void meddle(int dir, const char* placeholder)
{
    switch (g_injection->faults.meddle) {
    case Meddle::None:
        break;
    case Meddle::Fill:
        writeFile(dir, placeholder, "meddled");
        break;
    case Meddle::Swap:
        // Made before the placeholder goes, so it cannot reuse the placeholder's inode.
        writeFile(dir, "intruder", "");
        ::renameat(dir, "intruder", dir, placeholder);
        break;
    case Meddle::RemoveSource:
        ::unlinkat(dir, g_injection->renaming.constData(), 0);
        break;
    }
}

int fail(int error)
{
    errno = error;
    return -1;
}

int fakeRename(int fromDir, const char* from, int toDir, const char* to, unsigned flags)
{
    const Faults& faults = g_injection->faults;
    const bool noReplace = flags & RENAME_NOREPLACE;
    g_injection->steps.append(noReplace ? "flag" : "rename");
    if (faults.refusedMoves.contains(QByteArray(from) + '>' + to))
        return fail(EACCES);
    if (noReplace && faults.flag)
        return fail(faults.flag);
    if (!noReplace && faults.rename) {
        meddle(toDir, to);
        return fail(faults.rename);
    }
    const QByteArray found = lookUp(toDir, to);
    if (!found.isEmpty() && found != to) {
        if (noReplace)
            return fail(EEXIST);
        if (found == from)
            return faults.volume == Volume::IgnoresCaseRename
                       ? 0
                       : fs::kSystemCalls.renameat2(fromDir, from, toDir, to, 0);
        // The volume replaces what it found under the other spelling.
        ::unlinkat(toDir, found.constData(), 0);
    }
    return fs::kSystemCalls.renameat2(fromDir, from, toDir, to, flags);
}

int fakeLink(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    g_injection->steps.append("link");
    if (g_injection->faults.link)
        return fail(g_injection->faults.link);
    return fs::kSystemCalls.linkat(fromDir, from, toDir, to, flags);
}

int fakeUnlink(int dir, const char* name, int flags)
{
    g_injection->steps.append(QStringLiteral("unlink:") + QString::fromUtf8(name));
    if (g_injection->faults.unlink && g_injection->renaming == name)
        return fail(g_injection->faults.unlink);
    return fs::kSystemCalls.unlinkat(dir, name, flags);
}

int fakeOpen(int dir, const char* name, int flags, mode_t mode)
{
    if (flags & O_EXCL) {
        g_injection->steps.append("create");
        if (g_injection->faults.create)
            return fail(g_injection->faults.create);
    }
    return fs::kSystemCalls.openat(dir, name, flags, mode);
}

const fs::SystemCalls kInjected{fakeRename, fakeLink, fakeUnlink, fakeOpen};

} // namespace

Q_DECLARE_METATYPE(Faults)

// Every test renames in a fresh real folder, with the calls of its row failing as named.
class RenameFallbackTest : public QObject {
    Q_OBJECT
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

    // old.txt holds "old"; new.txt, where there is one, "taken". The steps name the calls
    // made, in order.
    void fallsBackWithoutReplacing_data()
    {
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<bool>("sourceThere");
        QTest::addColumn<bool>("targetThere");
        QTest::addColumn<RenameOutcome>("outcome");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QByteArray>("state");
        using O = RenameOutcome;
        const auto row = [](const char* tag, Faults faults, bool source, bool target, O outcome,
                            const char* steps, const char* state) {
            QTest::newRow(tag) << faults << source << target << outcome << QString(steps)
                               << QByteArray(state);
        };
        const auto fx = [](int flag, int link, int create = 0) {
            Faults faults;
            faults.flag = flag;
            faults.link = link;
            faults.create = create;
            return faults;
        };
        const auto placeholderFault = [](int rename, Meddle meddling) {
            Faults faults;
            faults.flag = EINVAL;
            faults.link = EPERM;
            faults.rename = rename;
            faults.meddle = meddling;
            return faults;
        };
        Faults unlinkRefused = fx(EINVAL, 0);
        unlinkRefused.unlink = EACCES;

        const char* moved = "new.txt=old";
        const char* kept = "old.txt=old";
        const char* bothKept = "new.txt=taken,old.txt=old";
        const char* claimed = "flag,link,create,rename";
        row("no-replace flag", {}, true, false, O::Renamed, "flag", moved);
        for (const int flag : {EINVAL, ENOSYS, EOPNOTSUPP})
            row(qPrintable(QStringLiteral("flag %1: link").arg(strerrorname_np(flag))), fx(flag, 0),
                true, false, O::Renamed, "flag,link,unlink:old.txt", moved);
        for (const int link : {EPERM, EOPNOTSUPP, ENOSYS, EMLINK})
            row(qPrintable(QStringLiteral("link %1: placeholder").arg(strerrorname_np(link))),
                fx(EINVAL, link), true, false, O::Renamed, claimed, moved);
        row("taken: flag", {}, true, true, O::TargetExists, "flag", bothKept);
        row("taken: link", fx(EINVAL, 0), true, true, O::TargetExists, "flag,link", bothKept);
        row("taken: exclusive create", fx(ENOSYS, EPERM), true, true, O::TargetExists,
            "flag,link,create", bothKept);
        row("source unlink refused: link removed", unlinkRefused, true, false, O::NoPermission,
            "flag,link,unlink:old.txt,unlink:new.txt", kept);
        row("rename refused: placeholder removed", placeholderFault(EACCES, Meddle::None), true,
            false, O::NoPermission, "flag,link,create,rename,unlink:new.txt", kept);
        row("placeholder written meanwhile stays", placeholderFault(EIO, Meddle::Fill), true, false,
            O::Other, claimed, "new.txt=meddled,old.txt=old");
        row("placeholder replaced meanwhile stays", placeholderFault(EIO, Meddle::Swap), true,
            false, O::Other, claimed, "new.txt=,old.txt=old");
        row("source removed meanwhile: gone, placeholder removed",
            placeholderFault(ENOENT, Meddle::RemoveSource), true, false, O::SourceGone,
            "flag,link,create,rename,unlink:new.txt", "");
        row("ENOENT while the source is there: name not allowed (exfat-fuse)",
            fx(EINVAL, EPERM, ENOENT), true, false, O::NameNotAllowed, "flag,link,create", kept);
        row("ENOENT at the flag, source there", fx(ENOENT, 0), true, false, O::NameNotAllowed,
            "flag", kept);
        row("source gone", {}, false, false, O::SourceGone, "flag", "");
        row("taken, source gone: target stays", fx(EINVAL, EPERM), false, true, O::TargetExists,
            "flag,link,create", "new.txt=taken");
        row("EILSEQ: not allowed", fx(EINVAL, EPERM, EILSEQ), true, false, O::NameNotAllowed,
            "flag,link,create", kept);
        row("EINVAL at create: not allowed", fx(EINVAL, EPERM, EINVAL), true, false,
            O::NameNotAllowed, "flag,link,create", kept);
        row("too long", fx(EINVAL, EPERM, ENAMETOOLONG), true, false, O::NameTooLong,
            "flag,link,create", kept);
        row("read-only at create", fx(EINVAL, EPERM, EROFS), true, false, O::NoPermission,
            "flag,link,create", kept);
        row("read-only at the flag", fx(EROFS, 0), true, false, O::NoPermission, "flag", kept);
        row("EACCES at the flag: no fallback", fx(EACCES, 0), true, false, O::NoPermission, "flag",
            kept);
        row("EPERM at the flag: no fallback", fx(EPERM, 0), true, false, O::NoPermission, "flag",
            kept);
        row("EACCES at the link", fx(EINVAL, EACCES), true, false, O::NoPermission, "flag,link",
            kept);
        row("EIO at the flag", fx(EIO, 0), true, false, O::Other, "flag", kept);
    }
    void fallsBackWithoutReplacing()
    {
        QFETCH(Faults, faults);
        QFETCH(bool, sourceThere);
        QFETCH(bool, targetThere);
        QFETCH(RenameOutcome, outcome);
        QFETCH(QString, steps);
        QFETCH(QByteArray, state);
        QVERIFY(!sourceThere || writeFile(m_fd, "old.txt", "old"));
        QVERIFY(!targetThere || writeFile(m_fd, "new.txt", "taken"));
        Injection injection{faults, "old.txt", {}};
        g_injection = &injection;
        const fs::ScopedSystemCalls injected(kInjected);
        OpenFolder folder(QFile::encodeName(m_dir->path()));
        const RenameResult result = folder.renameNoReplace("old.txt", "new.txt");
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(result.route, RenameRoute::Direct);
        QCOMPARE(injection.steps.join(','), steps);
        QCOMPARE(folderState(m_fd), state.isEmpty() ? QByteArrayList() : state.split(','));
    }

    // Renames "from>to" done one after the other in one open folder, each file holding its
    // first name; results as outcome and route, steps of the whole row.
    void renamesCaseOnly_data()
    {
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<QByteArray>("files");
        QTest::addColumn<QByteArray>("renames");
        QTest::addColumn<QList<RenameResult>>("results");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QByteArray>("state");
        using O = RenameOutcome;
        using R = RenameRoute;
        const auto on = [](Volume volume, QList<QByteArray> refused = {}) {
            Faults faults;
            faults.volume = volume;
            faults.refusedMoves = refused;
            return faults;
        };
        const QByteArray step = caseStepName("photo.JPG");
        const QByteArray kelvin = "x\u212A";

        QTest::newRow("FAT: through the step name")
            << on(Volume::IgnoresCaseRename) << QByteArray("photo.JPG") << "photo.JPG>photo.jpg"_ba
            << QList<RenameResult>{{O::Renamed, R::ThroughStepName}} << "flag,rename,flag,flag"
            << "photo.jpg=photo.JPG"_ba;
        QTest::newRow("FAT: a batch tries the direct rename once")
            << on(Volume::IgnoresCaseRename) << "a.JPG,b.JPG"_ba
            << "a.JPG>a.jpg,b.JPG>b.jpg"_ba
            << QList<RenameResult>{{O::Renamed, R::ThroughStepName},
                                   {O::Renamed, R::ThroughStepName}}
            << "flag,rename,flag,flag,flag,flag,flag"
            << "a.jpg=a.JPG,b.jpg=b.JPG"_ba;
        QTest::newRow("exFAT: directly")
            << on(Volume::TakesCaseRename) << "a.JPG,b.JPG"_ba
            << "a.JPG>a.jpg,b.JPG>b.jpg"_ba
            << QList<RenameResult>{{O::Renamed, R::Direct}, {O::Renamed, R::Direct}}
            << "flag,rename,flag,rename"
            << "a.jpg=a.JPG,b.jpg=b.JPG"_ba;
        QTest::newRow("case-sensitive: the other spelling is another file")
            << on(Volume::CaseSensitive) << "photo.JPG,photo.jpg"_ba
            << "photo.JPG>photo.jpg"_ba << QList<RenameResult>{{O::TargetExists, R::Direct}}
            << "flag"
            << "photo.JPG=photo.JPG,photo.jpg=photo.jpg"_ba;
        QTest::newRow("case-sensitive: the new spelling is free")
            << on(Volume::CaseSensitive) << "photo.JPG"_ba
            << "photo.JPG>photo.jpg"_ba << QList<RenameResult>{{O::Renamed, R::Direct}} << "flag"
            << "photo.jpg=photo.JPG"_ba;
        // Letter case as the program folds it is not always as the volume folds it.
        QTest::newRow("an entry the volume takes for the new name stays")
            << on(Volume::TakesCaseRename) << kelvin + ",xK" << kelvin + ">xk"
            << QList<RenameResult>{{O::TargetExists, R::Direct}} << "flag"
            << "xK=xK," + kelvin + '=' + kelvin;
        QTest::newRow("FAT: step name taken")
            << on(Volume::IgnoresCaseRename) << "photo.JPG," + step << "photo.JPG>photo.jpg"_ba
            << QList<RenameResult>{{O::Other, R::Direct}} << "flag,rename,flag"
            << "photo.JPG=photo.JPG," + step + '=' + step;
        QTest::newRow("FAT: new name refused, moved back")
            << on(Volume::IgnoresCaseRename, {step + ">photo.jpg"}) << "photo.JPG"_ba
            << "photo.JPG>photo.jpg"_ba
            << QList<RenameResult>{{O::NoPermission, R::ThroughStepName}}
            << "flag,rename,flag,flag,flag"
            << "photo.JPG=photo.JPG"_ba;
        QTest::newRow("FAT: left at the step name")
            << on(Volume::IgnoresCaseRename, {step + ">photo.jpg", step + ">photo.JPG"})
            << "photo.JPG"_ba
            << "photo.JPG>photo.jpg"_ba << QList<RenameResult>{{O::NoPermission, R::LeftAtStepName}}
            << "flag,rename,flag,flag,flag" << step + "=photo.JPG";
    }
    void renamesCaseOnly()
    {
        QFETCH(Faults, faults);
        QFETCH(QByteArray, files);
        QFETCH(QByteArray, renames);
        QFETCH(QList<RenameResult>, results);
        QFETCH(QString, steps);
        QFETCH(QByteArray, state);
        for (const QByteArray& name : files.split(','))
            QVERIFY(writeFile(m_fd, name, name));
        Injection injection{faults, {}, {}};
        g_injection = &injection;
        const fs::ScopedSystemCalls injected(kInjected);
        OpenFolder folder(QFile::encodeName(m_dir->path()));
        QList<RenameResult> got;
        for (const QByteArray& rename : renames.split(',')) {
            const QByteArrayList names = rename.split('>');
            injection.renaming = names[0];
            got.append(folder.renameNoReplace(names[0], names[1]));
        }
        QCOMPARE(got.size(), results.size());
        for (qsizetype i = 0; i < got.size(); ++i) {
            QCOMPARE(got[i].outcome, results[i].outcome);
            QCOMPARE(got[i].route, results[i].route);
        }
        QCOMPARE(injection.steps.join(','), steps);
        QCOMPARE(folderState(m_fd), state.split(','));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    int m_fd = -1;
};

QTEST_GUILESS_MAIN(RenameFallbackTest)
#include "RenameFallbackTest.moc"
