#pragma once

#include "RenameEngine.h"

#include "platform/Platform.h"

#include <QAction>
#include <QObject>
#include <QWidget>

#include <vector>

namespace vornak {

// Undo of rename runs from the main window: Ctrl+Z and the file list's popup item
// "撤销重命名" undo the newest run after a question, one run after the other as far back as
// the journal keeps them, or say that there is none; a run whose last undo gave nothing back
// can be set aside. At start, each run cut short is offered for undo.
class RenameUndo : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QWidget& window;
        QAction& undoAction;
    };

    RenameUndo(Controls controls, RenameEngine& engine, Platform& platform, QObject* parent);

public Q_SLOTS:
    void undoLast();
    // Asks about each run cut short, then undoes those the user wants undone one after the
    // other; one not undone is marked complete, so it is not asked about again (it stays
    // undoable).
    void offerInterruptedRuns();
    // The popup item is enabled only while there is a run to undo.
    void updateUndoAction();

private:
    void undoNextInterrupted();
    // After an undo that gave back none of the run's files, the user declined to try again:
    // offers to set the run aside.
    void offerToSetAside(qint64 runId);

    Controls m_controls;
    RenameEngine& m_engine;
    Platform& m_platform;
    // Runs cut short that the user wants undone and that wait for the undo before them.
    std::vector<qint64> m_toUndo;
};

} // namespace vornak
