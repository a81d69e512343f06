#include "RenameUndo.h"

#include "core/names/NativePath.h"
#include "platform/Messages.h"

#include <tuple>

namespace vornak {

namespace {

QString aboutRun(const RunInfo& run)
{
    return QStringLiteral("共 %1 个文件").arg(run.steps) + kLineBreak + QStringLiteral("位置：") +
           displayText(run.folder);
}

} // namespace

RenameUndo::RenameUndo(Controls controls, RenameEngine& engine, Platform& platform, QObject* parent)
    : QObject(parent), m_controls(controls), m_engine(engine), m_platform(platform)
{}

void RenameUndo::undoLast()
{
    const auto last = m_engine.journal().lastRun();
    if (!last)
        return;
    if (confirm(m_platform, QStringLiteral("撤销上次重命名？") + kLineBreak + aboutRun(*last)))
        m_engine.undo(last->id, m_controls.window);
}

void RenameUndo::offerInterruptedRuns()
{
    for (const RunInfo& run : m_engine.journal().interruptedRuns()) {
        if (confirm(m_platform, QStringLiteral("有一次重命名没有完成（程序被中断）。") +
                                    kLineBreak + aboutRun(run) + kLineBreak +
                                    QStringLiteral("撤销已完成的部分吗？")))
            m_engine.undo(run.id, m_controls.window);
        else
            // Not marked, it is asked about again at the next start: no harm done.
            std::ignore = m_engine.journal().markComplete(run.id);
    }
}

void RenameUndo::updateUndoAction()
{
    m_controls.undoAction.setEnabled(m_engine.journal().lastRun().has_value());
}

} // namespace vornak
