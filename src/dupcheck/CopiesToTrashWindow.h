#pragma once

#include "core/check/ContentFindings.h"
#include "core/check/CopiesToMove.h"
#include "core/jobs/BackgroundJob.h"
#include "core/names/NameList.h"
#include "core/run/TrashRun.h"
#include "platform/Platform.h"
#include "widgets/FileList.h"

#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vornak {

// What a content check found, kept for acting on it.
struct CheckedFolder {
    QByteArray folder;
    NameList entries;
    ContentFindings findings;
};

// "移到回收站…": the user picks which file of each group of copies stays (keepRule); the window
// lists what emptying the trash frees, then what stays and what goes (plannedMoves).
// 移到回收站 (moveToTrash) asks once, then moves the names as a journaled run in the background,
// tells the outcome, refreshes the file list and closes.
class CopiesToTrashWindow : public QDialog {
    Q_OBJECT
public:
    CopiesToTrashWindow(CheckedFolder checked, FileList& fileList, Platform& platform,
                        QWidget* parent = nullptr);

Q_SIGNALS:
    // The run has ended and its outcome been told.
    void moved();

private:
    void showPlan();
    void moveCopies();
    void tellOutcome(const std::vector<TrashCandidate>& names, const TrashRunRecord& record);

    CheckedFolder m_checked;
    FileList& m_fileList;
    Platform& m_platform;
    QComboBox* m_keepRule;
    QPlainTextEdit* m_plan;
    QPushButton* m_move;
    std::vector<CopiesMove> m_moves;
    // Last, so that a run is waited for before anything else goes.
    BackgroundJob m_job;
};

} // namespace vornak
