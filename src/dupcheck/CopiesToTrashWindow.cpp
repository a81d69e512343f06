#include "CopiesToTrashWindow.h"

#include "core/run/RenameJournal.h"
#include "core/trash/Trash.h"
#include "platform/Messages.h"
#include "texts/ContentReport.h"
#include "texts/CopiesMoveText.h"
#include "texts/LineBreak.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace vornak {

CopiesToTrashWindow::CopiesToTrashWindow(CheckedFolder checked, FileList& fileList,
                                         Platform& platform, QWidget* parent)
    : QDialog(parent), m_checked(std::move(checked)), m_fileList(fileList), m_platform(platform),
      m_keepRule(new QComboBox(this)), m_plan(new QPlainTextEdit(this)),
      m_move(new QPushButton(tr("移到回收站"), this))
{
    setObjectName(QStringLiteral("copiesToTrash"));
    setWindowTitle(tr("移到回收站"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_keepRule->setObjectName(QStringLiteral("keepRule"));
    m_keepRule->addItem(tr("最早的"), int(KeepRule::Oldest));
    m_keepRule->addItem(tr("最新的"), int(KeepRule::Newest));
    m_keepRule->addItem(tr("路径最短的"), int(KeepRule::ShortestPath));
    m_keepRule->addItem(tr("列表中第一个"), int(KeepRule::First));
    m_keepRule->addItem(tr("当前文件夹中的"), int(KeepRule::InShownFolder));
    m_plan->setObjectName(QStringLiteral("plannedMoves"));
    m_plan->setReadOnly(true);
    // Read by the keys as well, so that the plan can be selected and copied without a mouse.
    m_plan->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_plan->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_move->setObjectName(QStringLiteral("moveToTrash"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_move, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(tr("取消"));
    auto* form = new QFormLayout;
    form->addRow(tr("每组保留："), m_keepRule);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_plan, 1);
    layout->addWidget(buttons);
    resize(560, 420);
    connect(m_keepRule, &QComboBox::currentIndexChanged, this, &CopiesToTrashWindow::showPlan);
    connect(buttons, &QDialogButtonBox::accepted, this, &CopiesToTrashWindow::moveCopies);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showPlan();
}

void CopiesToTrashWindow::showPlan()
{
    m_moves = copiesToMove(m_checked.findings, m_checked.entries,
                           KeepRule(m_keepRule->currentData().toInt()));
    const QStringList lines = copiesMoveLines(m_checked.entries, m_checked.findings, m_moves);
    m_plan->setPlainText(lines.join(u'\n'));
    m_move->setEnabled(!m_moves.empty());
}

void CopiesToTrashWindow::moveCopies()
{
    std::vector<TrashCandidate> names =
        trashCandidates(m_checked.findings, m_checked.entries, m_moves);
    if (names.empty() || m_job.isRunning())
        return;
    const QString question =
        tr("把 %1 个名称移到回收站？可以用 Ctrl+Z 撤销。").arg(grouped(qint64(names.size())));
    if (m_platform.messageBox(question, MessageButtons::YesNo, kProgramTitle) != MessageAnswer::Yes)
        return;
    m_keepRule->setEnabled(false);
    m_move->setEnabled(false);
    m_job.start(
        [folder = m_checked.folder, names](JobControl& control) {
            return runToTrash(RenameJournal(RenameJournal::defaultFolder()), Trash(), folder, names,
                              &control);
        },
        [this, names](const TrashRunRecord& record) { tellOutcome(names, record); });
}

void CopiesToTrashWindow::tellOutcome(const std::vector<TrashCandidate>& names,
                                      const TrashRunRecord& record)
{
    switch (record.journalError) {
    case JournalError::None:
        m_platform.messageBox(trashRunLines(names, record).join(kLineBreak), MessageButtons::Ok,
                              kProgramTitle);
        break;
    case JournalError::JournalUnwritable:
        m_platform.messageBox(tr("无法写入撤销记录，没有移动任何文件。"), MessageButtons::Ok,
                              kProgramTitle);
        break;
    case JournalError::FolderUnavailable:
        m_platform.messageBox(tr("无法打开文件夹，没有移动任何文件。"), MessageButtons::Ok,
                              kProgramTitle);
        break;
    }
    m_fileList.refresh();
    Q_EMIT moved();
    close();
}

} // namespace vornak
