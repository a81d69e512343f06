#pragma once

#include "RenameOptionControls.h"
#include "core/NameComposition.h"
#include "core/RenamePlan.h"
#include "core/RenameState.h"

#include "core/NameList.h"
#include "core/OpenFolder.h"
#include "platform/Platform.h"
#include "widgets/FileList.h"

#include <QObject>

#include <vector>

namespace vornak {

// The new names of the listed entries, numbered by their place in the list (the first is 1).
// An entry the rule gives no name is left out.
std::vector<Rename> composeRenames(const NameList& entries, const RenameState& state,
                                   NameCase nameCase);

// Renames the files of the folder in the plan's order, in-process, never replacing a file: a
// file whose new name is taken, or that the file system refuses, keeps its name. Returns how
// many files received their new name.
[[nodiscard]] std::size_t applyRenames(OpenFolder& folder, const std::vector<Rename>& plan);

// Every listed entry under its composed name: what a batch run does once it has confirmed.
[[nodiscard]] std::size_t renameEntries(OpenFolder& folder, const NameList& entries,
                                        const RenameState& state, NameCase nameCase);

// The run button "执行": after a confirmation, renames every listed file (batch) or the
// selected one (single) with the texts the preview last took into RenameState.
class RenameRun : public QObject {
    Q_OBJECT
public:
    RenameRun(FileList& fileList, const RenameOptionControls& options, const RenameState& state,
              Platform& platform, QObject* parent);

public Q_SLOTS:
    void run();

private:
    FileList& m_fileList;
    const RenameOptionControls& m_options;
    const RenameState& m_state;
    Platform& m_platform;
};

} // namespace vornak
