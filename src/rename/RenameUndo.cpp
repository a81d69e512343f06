#include "RenameUndo.h"

#include "core/names/NativePath.h"
#include "platform/Messages.h"

#include <tuple>

namespace vornak {

namespace {

QString aboutRun(const RunInfo& run)
{
    return RenameUndo::tr("共 %1 个文件").arg(run.steps) + kLineBreak + RenameUndo::tr("位置：") +
           displayText(run.folder);
}

} // namespace

RenameUndo::RenameUndo(Controls controls, RenameEngine& engine, Platform& platform, QObject* parent)
    : QObject(parent), m_controls(controls), m_engine(engine), m_platform(platform)
{
    connect(&m_engine, &RenameEngine::jobEnded, this, &RenameUndo::undoNextInterrupted);
}

void RenameUndo::undoLast()
{
    // While a run or an undo goes, Ctrl+Z asks nothing and starts nothing.
    if (m_engine.isBusy())
        return;
    const auto last = m_engine.journal().lastRun();
    if (!last)
        return;
    if (confirm(m_platform, tr("撤销上次重命名？") + kLineBreak + aboutRun(*last)))
        m_engine.undo(last->id, m_controls.window);
}

void RenameUndo::offerInterruptedRuns()
{
    for (const RunInfo& run : m_engine.journal().interruptedRuns()) {
        if (confirm(m_platform, tr("有一次重命名没有完成（程序被中断）。") + kLineBreak +
                                    aboutRun(run) + kLineBreak + tr("撤销已完成的部分吗？")))
            m_toUndo.push_back(run.id);
        else
            // Not marked, it is asked about again at the next start: no harm done.
            std::ignore = m_engine.journal().markComplete(run.id);
    }
    undoNextInterrupted();
}

void RenameUndo::undoNextInterrupted()
{
    // One undo at a time: the next starts when the one before has ended.
    if (!m_toUndo.empty() && m_engine.undo(m_toUndo.front(), m_controls.window))
        m_toUndo.erase(m_toUndo.begin());
}

void RenameUndo::updateUndoAction()
{
    m_controls.undoAction.setEnabled(m_engine.journal().lastRun().has_value());
}

} // namespace vornak
