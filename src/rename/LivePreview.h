#pragma once

#include "RenameOptionControls.h"
#include "core/RenameState.h"

#include "core/FolderPath.h"
#include "platform/Platform.h"
#include "widgets/FileList.h"

#include <QLabel>
#include <QPushButton>

namespace vornak {

// What every tick of Timer1 keeps current: FolderPath, RenameState, whether Command1 has
// anything to work on, and L1's preview of the selected file's new name. A tick reads only
// the selected entry, so it costs the same however many files are listed.
class LivePreview {
public:
    struct Controls {
        const FileList& file1;
        QPushButton& command1;
        QLabel& l1;
        const QWidget& window;
    };

    LivePreview(Controls controls, const RenameOptionControls& options, FolderPath& folderPath,
                RenameState& state, Platform& platform);

    void PreviewTick();
    // L1's double click: the size shown in the title bar, if any, and the preview.
    void ShowPreviewDetails();

private:
    Controls m_controls;
    const RenameOptionControls& m_options;
    FolderPath& m_folderPath;
    RenameState& m_state;
    Platform& m_platform;
};

} // namespace vornak
