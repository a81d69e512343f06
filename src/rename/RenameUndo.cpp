#include "RenameUndo.h"

#include "core/names/NativePath.h"
#include "platform/Messages.h"
#include "texts/RunTexts.h"

#include <tuple>

namespace vornak {

namespace {

// The files the run moved; for a run whose journal does not know (one cut short, or journaled
// by an older version), the files it was to move.
QString aboutRun(const RunInfo& run)
{
    const QString files = run.files ? RenameUndo::tr("共 %1 个文件").arg(*run.files)
                                    : RenameUndo::tr("最多 %1 个文件").arg(run.steps);
    return files + kLineBreak + RenameUndo::tr("位置：") + displayText(run.folder);
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
    // Read now: a run made meanwhile by another copy or by vornak-cli counts too.
    const auto last = m_engine.journal().lastRun();
    if (!last) {
        m_platform.messageBox(runText::kNothingToUndo, MessageButtons::Ok, kProgramTitle);
        return;
    }
    QString question = (last->kind == RunKind::ToTrash ? tr("把上次移到回收站的文件放回原处？")
                                                       : tr("撤销上次重命名？")) +
                       kLineBreak + aboutRun(*last);
    if (last->lastUndoRestoredNone)
        question += kLineBreak + tr("上次撤销没有恢复任何文件。");
    if (confirm(m_platform, question))
        m_engine.undo(last->id, m_controls.window);
    else if (last->lastUndoRestoredNone)
        offerToSetAside(last->id);
}

void RenameUndo::offerToSetAside(qint64 runId)
{
    // Files deleted since the run never come back; without this, the run would be offered
    // again and again and hide every run before it.
    if (confirm(m_platform, tr("跳过这次重命名，以后撤销它之前的重命名吗？") + kLineBreak +
                                tr("它的撤销记录会保留，不会删除。")) &&
        !m_engine.journal().setAside(runId))
        m_platform.messageBox(tr("无法跳过这次重命名；下次撤销仍会先问它。"), MessageButtons::Ok,
                              kProgramTitle);
}

void RenameUndo::offerInterruptedRuns()
{
    for (const RunInfo& run : m_engine.journal().interruptedRuns()) {
        const QString cut = run.kind == RunKind::ToTrash
                                ? tr("有一次移到回收站没有完成（程序被中断）。")
                                : tr("有一次重命名没有完成（程序被中断）。");
        if (confirm(m_platform,
                    cut + kLineBreak + aboutRun(run) + kLineBreak + tr("撤销已完成的部分吗？")))
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
