#pragma once

#include "RenameOptionControls.h"
#include "core/names/RenameState.h"

#include "platform/Platform.h"
#include "widgets/FileList.h"

#include <QLabel>
#include <QObject>
#include <QPushButton>

namespace vornak {

// What every tick of the preview timer keeps current: RenameState, whether the run button has
// anything to work on, and the preview label's new name of the selected file. A tick reads
// only the selected entry, so it costs the same however many files are listed.
class LivePreview : public QObject {
    Q_OBJECT
public:
    struct Controls {
        const FileList& fileList;
        QPushButton& runButton;
        QLabel& previewLabel;
        const QWidget& window;
    };

    LivePreview(Controls controls, const RenameOptionControls& options, RenameState& state,
                Platform& platform, QObject* parent);

public Q_SLOTS:
    void tick();
    // The preview label's double click: the size shown in the title bar, if any, and the
    // preview.
    void showDetails();

private:
    Controls m_controls;
    const RenameOptionControls& m_options;
    RenameState& m_state;
    Platform& m_platform;
};

} // namespace vornak
