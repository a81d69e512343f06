#pragma once

#include "RenameOptionControls.h"
#include "core/NameComposition.h"
#include "core/RenamePlan.h"
#include "core/RenameState.h"

#include "core/FolderPath.h"
#include "core/NameList.h"
#include "core/OpenFolder.h"
#include "platform/Platform.h"
#include "widgets/FileList.h"

#include <vector>

namespace vornak {

// The new names of the listed entries, numbered by their place in the list (the first is 1).
// An entry the rule gives no name is left out.
std::vector<Rename> composeRenames(const NameList& entries, const RenameState& state,
                                   NameCase nameCase);

// Renames the files of the folder in the plan's order, in-process, never replacing a file: a
// file whose new name is taken, or that the file system refuses, keeps its name. Returns how
// many files received their new name.
std::size_t applyRenames(const FolderPath& folderPath, const std::vector<Rename>& plan);

// Every listed entry under its composed name: what a batch run does once it has confirmed.
std::size_t renameEntries(const FolderPath& folderPath, const NameList& entries,
                          const RenameState& state, NameCase nameCase);

// Command1 "执行": after a confirmation, renames every listed file (batch) or the selected
// one (single) with the texts the preview last took into RenameState.
class RenameRun {
public:
    RenameRun(FileList& file1, const RenameOptionControls& options, const RenameState& state,
              const FolderPath& folderPath, Platform& platform);

    void RunRename();

private:
    FileList& m_file1;
    const RenameOptionControls& m_options;
    const RenameState& m_state;
    const FolderPath& m_folderPath;
    Platform& m_platform;
};

} // namespace vornak
