#pragma once

#include "core/plan/RenameStatus.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <span>
#include <vector>

namespace vornak {

// One file of a run: its current name and the name it is to receive, both bare names.
struct Rename {
    QByteArray oldName;
    QByteArray newName;
    // The first leg of a move through a temporary name: newName is that name, and a later
    // rename of the run moves the file on from it.
    bool toTemporary = false;
};

// The renames of a run over a tree follow one another folder by folder: a stretch of them in
// one folder below the run's folder.
struct FolderStretch {
    QByteArray path;         // relative to the run's folder; "" for that folder itself
    std::size_t renames = 0; // how many, after those of the stretches before
};

// True for a name that addresses an entry of the folder itself: not empty, not "." or "..",
// without a separator or a NUL byte that would cut the name short.
bool isEntryName(QByteArrayView name);

// The renames of a run in the order they are to be done. Renames that change nothing or
// whose new name could not be an entry of the folder are dropped. The rest keep their list
// order, except that a rename onto the current name of another file of the run follows that
// file's own rename, so a chain such as a -> x(1), x(1) -> x(2), x(2) -> x(3) resolves
// completely. A cycle such as a -> b, b -> a goes through a temporary name: a -> t, b -> a,
// t -> b, where t is a name neither the run nor nameTaken knows; the cycle's file takes its
// new name before any other file that wants it, so that it is not left at t.
// Files of the run that want the same name, or a name taken outside the run, are all tried in
// this order and the first one wins, as the main window's run has always done; planBatch
// settles those beforehand.
std::vector<Rename> planRenames(std::vector<Rename> wanted,
                                const std::function<bool(const QByteArrayView&)>& nameTaken = {});

// The name the first file of a cycle, oldName, passes through: caseStepName(oldName), or with
// "-2", "-3", ... appended while taken says the name is in use.
QByteArray temporaryName(QByteArrayView oldName,
                         const std::function<bool(const QByteArrayView&)>& taken);

// How the units of FolderRules::nameMax are counted.
enum class NameLengthUnit { Bytes, Utf16Units };

// What the folder of a batch allows and holds besides the batch.
struct FolderRules {
    // The longest name the folder's file system takes (pathconf's NAME_MAX: 255 on most;
    // exFAT counts 255 UTF-16 units).
    qsizetype nameMax = 255;
    NameLengthUnit lengthUnit = NameLengthUnit::Bytes;
    // The file system compares names without regard to letter case (exFAT, FAT): names that
    // differ in case only collide, and a case-only rename waits on nobody.
    bool caseInsensitive = false;
    // True when the folder holds an entry of this name (compared as the file system compares
    // names). It is asked only about new names that no file of the batch holds now, so it may
    // answer from a listing of the whole folder, batch included (a NameIndex of it answers
    // 100,000 names in a few milliseconds). Empty: nothing outside. The name comes by
    // reference: with a copy of the view made for every call, planning 100,000 names took
    // twice as long on the machines measured.
    std::function<bool(const QByteArrayView&)> nameTaken;
};

// One entry of a batch: the name it has and the name the rules give it (equal to the old name
// when the rules keep it). Both view bytes the caller keeps.
struct WantedName {
    QByteArrayView oldName;
    QByteArrayView newName;
};

// The first file of a cycle, by its index in the batch, and the name it passes through.
struct TemporaryName {
    std::size_t entry = 0;
    QByteArray name;

    friend bool operator==(const TemporaryName&, const TemporaryName&) = default;
};

// The batch as a run will do it: a status for every entry, and the entries to rename, in the
// order the run renames them. The run renames exactly the entries in order, which are exactly
// those whose status isRenamed(); a preview that shows these statuses shows what the run does.
// An entry with a temporary name comes twice in order: first it moves to that name, then on to
// its new one.
struct BatchPlan {
    std::vector<RenameStatus> statuses;     // one per entry, in the batch's order
    std::vector<std::size_t> order;         // indices into the batch
    std::vector<TemporaryName> temporaries; // by entry

    std::vector<Rename> renames(std::span<const WantedName> wanted) const;
};

// Classifies every entry of the batch and orders the renames, in time linear in the batch.
// A status is decided in this order: 不变 (the same bytes), 名称不允许, 名称太长, 名称已被占用
// for a name a file kept as it is holds, 与本批重名 (two entries whose names would be equal
// after the run; every one of them is marked and keeps its name), 名称已被占用 for a name
// taken outside the batch, then 循环或受阻 for a rename waiting, through any chain, on a file that
// keeps its name. Every entry of a cycle is marked 循环（经临时名称）: the cycle's first entry
// moves to a temporary name free in the folder and in the batch. The renames left are ordered
// as planRenames orders them and marked 将隐藏 (a name newly beginning with "."), 仅大小写 or
// 将更改.
BatchPlan planBatch(std::span<const WantedName> wanted, const FolderRules& folder);

} // namespace vornak
