#include "RenameRun.h"

#include "platform/Messages.h"

#include <tuple>

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

std::size_t applyRenames(OpenFolder& folder, const std::vector<Rename>& plan)
{
    std::size_t renamed = 0;
    for (const Rename& rename : plan)
        renamed += folder.renameNoReplace(rename.oldName, rename.newName).renamed();
    return renamed;
}

std::size_t renameEntries(OpenFolder& folder, const NameList& entries, const RenameState& state,
                          NameCase nameCase)
{
    return applyRenames(folder, planRenames(composeRenames(entries, state, nameCase)));
}

RenameRun::RenameRun(FileList& fileList, const RenameOptionControls& options,
                     const RenameState& state, Platform& platform, QObject* parent)
    : QObject(parent), m_fileList(fileList), m_options(options), m_state(state),
      m_platform(platform)
{}

// Nothing reports how many files were renamed: a file that keeps its name is left as it is.
void RenameRun::run()
{
    const RenameOptions options = m_options.options();
    const bool batch = options.mode == RenameMode::Batch;
    const int selected = m_fileList.selectedIndex();
    // A single-mode click between a reload of the list and the next tick has no file.
    if (!batch && selected < 0)
        return;
    if (!confirm(m_platform, QStringLiteral("是否执行重命名？")))
        return;
    // The run stays in the folder it starts in, whatever the list shows meanwhile.
    OpenFolder folder(m_fileList.folderPath());
    if (batch) {
        m_fileList.refresh();
        if (options.anyTicked())
            std::ignore = renameEntries(folder, m_fileList.names(), m_state, options.nameCase());
        return;
    }
    if (!options.anyTicked())
        return;
    const QByteArray name = m_fileList.entryName(selected);
    if (auto newName = ComposeNewName(name, selected + 1, m_state, options.nameCase(),
                                      CompositionUse::Execution))
        std::ignore = applyRenames(folder, planRenames({{name, std::move(*newName)}}));
}

} // namespace vornak
