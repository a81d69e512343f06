#pragma once

#include "RenameEngine.h"
#include "RenameOptionControls.h"
#include "core/names/NameComposition.h"
#include "core/names/NameList.h"
#include "core/names/RenameState.h"
#include "core/plan/RenamePlan.h"

#include "platform/Platform.h"
#include "widgets/FileList.h"

#include <QObject>
#include <QWidget>

#include <vector>

namespace vornak {

// The new names of the listed entries, numbered by their place in the list (the first is 1).
// An entry the rule gives no name is left out.
std::vector<Rename> composeRenames(const NameList& entries, const RenameState& state,
                                   NameCase nameCase);

// The run button "执行": after a confirmation, renames every listed file (batch) or the
// selected one (single) with the texts the preview last took into RenameState, through the
// rename engine.
class RenameRun : public QObject {
    Q_OBJECT
public:
    struct Controls {
        FileList& fileList;
        QWidget& window;
    };

    RenameRun(Controls controls, const RenameOptionControls& options, const RenameState& state,
              RenameEngine& engine, Platform& platform, QObject* parent);

public Q_SLOTS:
    void run();

private:
    Controls m_controls;
    const RenameOptionControls& m_options;
    const RenameState& m_state;
    RenameEngine& m_engine;
    Platform& m_platform;
};

} // namespace vornak
