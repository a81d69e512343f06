#include "RenameRun.h"

#include "platform/Messages.h"

namespace vornak {

std::vector<Rename> composeRenames(const NameList& entries, const RenameState& state,
                                   NameCase nameCase)
{
    std::vector<Rename> renames;
    renames.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QByteArrayView name = entries.bytesAt(i);
        if (auto newName =
                ComposeNewName(name, qsizetype(i) + 1, state, nameCase, CompositionUse::Execution))
            renames.push_back({name.toByteArray(), std::move(*newName)});
    }
    return renames;
}

std::size_t applyRenames(const FolderPath& folderPath, const std::vector<Rename>& plan)
{
    const OpenFolder folder(folderPath.bytes());
    std::size_t renamed = 0;
    for (const Rename& rename : plan)
        renamed += folder.renameNoReplace(rename.oldName, rename.newName);
    return renamed;
}

std::size_t renameEntries(const FolderPath& folderPath, const NameList& entries,
                          const RenameState& state, NameCase nameCase)
{
    return applyRenames(folderPath, planRenames(composeRenames(entries, state, nameCase)));
}

RenameRun::RenameRun(FileList& file1, const RenameOptionControls& options, const RenameState& state,
                     const FolderPath& folderPath, Platform& platform)
    : m_file1(file1), m_options(options), m_state(state), m_folderPath(folderPath),
      m_platform(platform)
{}

void RenameRun::RunRename()
{
    const RenameOptions options = m_options.options();
    const bool batch = options.mode == RenameMode::Batch;
    const int selected = m_file1.selectedIndex();
    // A single-mode click between a reload of the list and the next tick has no file.
    if (!batch && selected < 0)
        return;
    if (!confirm(m_platform, QStringLiteral("是否执行重命名？")))
        return;
    if (batch) {
        m_file1.refresh();
        if (options.anyTicked())
            renameEntries(m_folderPath, m_file1.names(), m_state, options.nameCase());
        return;
    }
    if (!options.anyTicked())
        return;
    const QByteArray name = m_file1.entryName(selected);
    if (auto newName = ComposeNewName(name, selected + 1, m_state, options.nameCase(),
                                      CompositionUse::Execution))
        applyRenames(m_folderPath, planRenames({{name, std::move(*newName)}}));
}

} // namespace vornak
