#pragma once

#include "FileListModel.h"
#include "core/FilePattern.h"

#include <QListView>

namespace vornak {

// File1: the listed files of one folder that match the pattern, in natural order, with at
// most one selected entry (index -1 for none). Assigning a path or a pattern reads the folder
// and raises pathChanged() inside the assignment when the path really changes.
class FileList : public QListView {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    QByteArray path() const { return m_path; }
    bool setPath(const QByteArray& path);
    const FilePattern& pattern() const { return m_pattern; }
    // False when the text cannot be a pattern; the previous pattern then stays.
    bool setPattern(const QString& text);
    // Reads the folder again; the selected name stays selected while it is still listed.
    void refresh();

    int count() const;
    QByteArray entryName(int index) const;
    QString entryDisplayName(int index) const;
    // Every entry with its name and display text.
    const NameList& names() const { return m_model.names(); }
    int selectedIndex() const;
    // The selected entry's name; empty when none is selected.
    QByteArray selectedName() const;
    void setSelectedIndex(int index);

Q_SIGNALS:
    void pathChanged();
    // The user clicked an entry, or moved the selection with the mouse or the keys.
    void clicked();
    void doubleClicked();
    // A mouse button was released over the list, at pos in the list's own pixels.
    void mouseReleased(Qt::MouseButton button, QPoint pos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool load(const QByteArray& path, const FilePattern& pattern);

    FileListModel m_model;
    QByteArray m_path;
    FilePattern m_pattern = FilePattern::everything();
    int m_selectedAtPress = -1;
};

} // namespace vornak
