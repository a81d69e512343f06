#pragma once

#include "FileListModel.h"
#include "core/names/FilePattern.h"

#include <QListView>

namespace vornak {

// The file list: the listed files of one folder that match the pattern, in natural order,
// with at most one selected entry (index -1 for none). Assigning a path or a pattern reads
// the folder and raises pathChanged() inside the assignment when the path really changes.
class FileList : public QListView {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    QByteArray path() const { return m_path; }
    // The path with exactly one trailing separator, the prefix that makes an entry's name its
    // path; empty while no folder is shown.
    QByteArray folderPath() const;
    // False when the path names no readable folder; the list then stays as it was.
    [[nodiscard]] bool setPath(const QByteArray& path);
    const FilePattern& pattern() const { return m_pattern; }
    // False when the text cannot be a pattern; the previous pattern then stays.
    [[nodiscard]] bool setPattern(const QString& text);
    // Reads the folder again; the selected name stays selected while it is still listed. A
    // folder that can no longer be read raises folderLost() instead.
    void refresh();
    // Shows the entries of its folder as read elsewhere (readListedFiles with its path and
    // pattern, on another thread), as refresh() would show them: the selected name, the current
    // row and the scroll place kept.
    void showEntries(NameList entries);

    int count() const;
    QByteArray entryName(int index) const;
    QString entryDisplayName(int index) const;
    // Every entry with its name and display text.
    const NameList& names() const { return m_model.names(); }
    int selectedIndex() const;
    // The selected entry's name; empty when none is selected.
    QByteArray selectedName() const;
    void setSelectedIndex(int index);
    // Selects the entry of this name; selects none when no entry has it.
    void selectName(QByteArrayView name);

Q_SIGNALS:
    void pathChanged();
    // A refresh found the folder gone or unreadable; the entries are still the ones it held.
    void folderLost();
    // The user chose the entry at index: clicked it, or moved the selection to it with the
    // mouse or the keys.
    void entryChosen(int index);
    // The user double-clicked the entry at index.
    void entryActivated(int index);
    // A mouse button was released over the list, at pos in the list's own pixels.
    void mouseReleased(Qt::MouseButton button, QPoint pos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // False when the folder cannot be read; the entries then stay as they were.
    [[nodiscard]] bool load(const QByteArray& path, const FilePattern& pattern);

    FileListModel m_model;
    QByteArray m_path;
    FilePattern m_pattern = FilePattern::everything();
    int m_selectedAtPress = -1;
};

} // namespace vornak
