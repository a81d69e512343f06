#include "RenameEngine.h"

#include "RunProgress.h"

#include "core/names/NativePath.h"
#include "core/run/KeptFile.h"
#include "platform/Messages.h"
#include "texts/KeptFileLines.h"
#include "texts/TextLines.h"

#include <cstring>
#include <tuple>

namespace vornak {

RenameEngine::RenameEngine(FileList& fileList, Platform& platform, QObject* parent)
    : QObject(parent), m_fileList(fileList), m_platform(platform),
      m_journalFolder(RenameJournal::defaultFolder()), m_journal(m_journalFolder)
{}

RunRecord RenameEngine::run(RenameJob job, QWidget& window)
{
    const QByteArray selected = m_fileList.selectedName();
    RunRecord record;
    {
        RunProgress progress(window, QStringLiteral("正在重命名"), true, m_progressDelay);
        const std::size_t total = job.plan.size();
        record = runJob(m_journal, job, [&progress, total](std::size_t done) {
            return progress.advance(done, total);
        });
    }
    switch (record.journalError) {
    case JournalError::None:
        break;
    case JournalError::JournalUnwritable:
        showError(QStringLiteral("无法写入撤销记录，没有重命名任何文件。"), m_journalFolder,
                  record.journalErrorNumber);
        return record;
    case JournalError::FolderUnavailable:
        showError(QStringLiteral("无法打开文件夹，没有重命名任何文件。"), job.folder,
                  record.journalErrorNumber);
        return record;
    }
    showNames(job.folder, nameAfterRun(job, record, selected));
    Q_EMIT filesChanged(job.folder);
    if (!record.kept.empty()) {
        QStringList lines;
        lines.reserve(qsizetype(record.kept.size()) + 1);
        lines.append(QStringLiteral("已重命名 %1 个文件，%2 个未更改")
                         .arg(record.renamedCount)
                         .arg(record.kept.size()));
        for (const KeptFile& kept : record.kept)
            lines.append(keptFileLine(kept));
        showOutcome(QStringLiteral("重命名结果"), std::move(lines), window);
    }
    return record;
}

void RenameEngine::undo(qint64 runId, QWidget& window)
{
    QByteArray selected = m_fileList.selectedName();
    UndoReport report;
    {
        RunProgress progress(window, QStringLiteral("正在撤销"), false, m_progressDelay);
        report = m_journal.undo(runId, [&progress](std::size_t done, std::size_t total) {
            std::ignore = progress.advance(done, total);
        });
    }
    switch (report.status) {
    case UndoStatus::Undone:
        break;
    case UndoStatus::NoSuchRun:
        m_platform.messageBox(QStringLiteral("这次重命名已经撤销，或已不在记录中。"),
                              MessageButtons::Ok, kProgramTitle);
        return;
    case UndoStatus::InProgress:
        m_platform.messageBox(QStringLiteral("另一个 Vornak 正在处理这次重命名，请稍后再试。"),
                              MessageButtons::Ok, kProgramTitle);
        return;
    case UndoStatus::FolderUnavailable:
        showError(QStringLiteral("无法打开文件夹，没有撤销任何文件。"), report.folder,
                  report.error);
        return;
    case UndoStatus::JournalUnreadable:
        m_platform.messageBox(
            QStringLiteral("这次重命名的撤销记录已损坏，无法撤销；没有改动任何文件。"),
            MessageButtons::Ok, kErrorTitle);
        return;
    }
    std::size_t restored = 0;
    QStringList lines;
    lines.append(QString());
    for (const UndoStep& step : report.steps) {
        if (step.outcome == UndoOutcome::Restored) {
            ++restored;
            if (step.newName == selected)
                selected = step.oldName;
        } else if (step.outcome != UndoOutcome::NotRenamed) {
            lines.append(undoFailureLine(step));
        }
    }
    showNames(report.folder, selected);
    Q_EMIT filesChanged(report.folder);
    if (lines.size() > 1) {
        lines.first() =
            QStringLiteral("已恢复 %1 个文件，%2 个未能恢复").arg(restored).arg(lines.size() - 1);
        showOutcome(QStringLiteral("撤销结果"), std::move(lines), window);
    }
}

void RenameEngine::showNames(const QByteArray& folder, const QByteArray& selectedNow)
{
    const bool shown = m_fileList.folderPath() == withTrailingSeparator(folder);
    m_fileList.refresh();
    if (shown)
        m_fileList.selectName(selectedNow);
}

void RenameEngine::showOutcome(const QString& title, QStringList lines, QWidget& window)
{
    if (!m_results)
        m_results = new ResultsWindow(m_platform, title, &window);
    m_results->setWindowTitle(title);
    m_results->showReport(std::make_unique<TextLines>(std::move(lines)));
}

void RenameEngine::showError(const QString& what, const QByteArray& where, int error)
{
    m_platform.messageBox(what + kLineBreak + QStringLiteral("位置：") + displayText(where) +
                              kLineBreak + QStringLiteral("原因：") +
                              QString::fromLocal8Bit(std::strerror(error)),
                          MessageButtons::Ok, kErrorTitle);
}

} // namespace vornak
