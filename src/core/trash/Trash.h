#pragma once

#include <QByteArray>

namespace vornak {

enum class TrashOutcome {
    // The entry is in the trash; the desktop's trash can put it back.
    Trashed,
    // The entry's volume has no trash this user can use: ask before deleting it for good.
    NoTrashOnVolume,
    // The entry could not be moved (error says why); it is where it was.
    Failed,
};

struct TrashResult {
    TrashOutcome outcome = TrashOutcome::Failed;
    int error = 0;
    // Where the entry now is, when trashed.
    QByteArray trashedAs;
};

// Moves entries to the desktop's trash the way the freedesktop.org trash rules lay down, so that
// any desktop's trash shows them and can put them back. An entry of the home volume goes to the
// home trash (created when missing); an entry of another volume to that volume's shared
// $topdir/.Trash/$uid when $topdir/.Trash is a real folder with the sticky bit, else to
// $topdir/.Trash-$uid. The .trashinfo is claimed first and exclusively under a name no other
// trashed entry has, then the entry is moved into files/ under that name without ever replacing
// anything; when the move fails, the .trashinfo goes again.
//
//     const TrashResult result = Trash().moveToTrash(path);
//     if (result.outcome == TrashOutcome::NoTrashOnVolume)
//         ask whether to delete for good, then fs::deleteFile(path);
class Trash {
public:
    // homeTrash: the trash of the home volume.
    explicit Trash(QByteArray homeTrash = homeTrashFolder());
    // $XDG_DATA_HOME/Trash, by default ~/.local/share/Trash.
    static QByteArray homeTrashFolder();

    // path: absolute, its folder may hold links.
    [[nodiscard]] TrashResult moveToTrash(const QByteArray& path) const;

    // Whether the entry's volume has a trash this user can use (made when missing), so that
    // entries that could only be deleted for good are never offered for the trash. True also
    // when the entry cannot be examined: moving it then fails and says why.
    bool hasTrashFor(const QByteArray& path) const;

    // The two halves of moveToTrash, for a run that journals where each entry will go before
    // it moves any. claim() makes the entry's .trashinfo under a name free in the trash and
    // tells that name (trashedAs) without moving the entry; moveClaimed() moves the entry
    // there, never replacing anything, and releases the claim when the move fails (0 or why).
    [[nodiscard]] TrashResult claim(const QByteArray& path) const;
    [[nodiscard]] static int moveClaimed(const QByteArray& path, const QByteArray& trashedAs);
    // Gives up a claim, or forgets an entry taken back out of the trash: removes its .trashinfo.
    static void release(const QByteArray& trashedAs);
    // The .trashinfo of an entry of the trash's files/.
    static QByteArray infoPathOf(const QByteArray& trashedAs);

private:
    // Where an entry would go: its volume's trash (none when it has no usable one) and the path
    // its .trashinfo records; error when the entry cannot be examined.
    struct Place {
        QByteArray trash;
        QByteArray recordedPath;
        QByteArray name;
        int error = 0;
    };
    Place placeOf(const QByteArray& path) const;

    QByteArray m_homeTrash;
};

} // namespace vornak
