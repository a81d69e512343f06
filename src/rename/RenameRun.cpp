#include "RenameRun.h"

#include "core/fs/FolderReader.h"
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

RenameRun::RenameRun(Controls controls, const RenameOptionControls& options,
                     const RenameState& state, RenameEngine& engine, Platform& platform,
                     QObject* parent)
    : QObject(parent), m_controls(controls), m_options(options), m_state(state), m_engine(engine),
      m_platform(platform)
{}

void RenameRun::run()
{
    FileList& fileList = m_controls.fileList;
    const RenameOptions options = m_options.options();
    const bool batch = options.mode == RenameMode::Batch;
    const int selected = fileList.selectedIndex();
    // A single-mode click between a reload of the list and the next tick has no file; while a
    // run or an undo goes, nothing else starts.
    if ((!batch && selected < 0) || m_engine.isBusy())
        return;
    if (!confirm(m_platform, tr("是否执行重命名？")))
        return;
    // The run stays in the folder it starts in, whatever the list shows meanwhile.
    const QByteArray folder = fileList.path();
    if (!options.anyTicked()) {
        if (batch)
            fileList.refresh();
        return;
    }
    if (!batch) {
        std::vector<Rename> wanted;
        const QByteArray name = fileList.entryName(selected);
        if (auto newName = ComposeNewName(name, selected + 1, m_state, options.nameCase(),
                                          CompositionUse::Execution))
            wanted.push_back({name, std::move(*newName)});
        m_engine.run(plannedJob(folder, wanted), m_controls.window);
        return;
    }
    // The batch numbers the files as the folder lists them now: read, composed and planned on
    // the run's thread.
    m_engine.run(
        [folder, pattern = fileList.pattern(), state = m_state, nameCase = options.nameCase()] {
            const auto entries = readListedFiles(folder, pattern);
            return plannedJob(folder, entries ? composeRenames(*entries, state, nameCase)
                                              : std::vector<Rename>());
        },
        m_controls.window);
}

} // namespace vornak
