#include "EventLoop.h"
#include "Timing.h"
#include "Workloads.h"

#include "platform/SystemPlatform.h"
#include "rename/BatchPreviewModel.h"
#include "rename/BatchPreviewWindow.h"

#include <QEventLoop>

#include <stdexcept>

namespace vornak::bench {

WorkloadResult measureWindow(const BenchFolder& folder)
{
    FileList fileList;
    showFolder(fileList, folder);
    std::array<QCheckBox*, RenameOptionControls::kPairs> checks{};
    std::array<QLineEdit*, RenameOptionControls::kPairs> texts{};
    QWidget options;
    for (std::size_t i = 0; i < checks.size(); ++i) {
        checks[i] = new QCheckBox(&options);
        texts[i] = new QLineEdit(&options);
    }
    auto* batchMode = new QRadioButton(&options);
    auto* singleMode = new QRadioButton(&options);
    batchMode->setChecked(true);
    RenameOptionControls optionControls({checks, texts, *batchMode, *singleMode}, nullptr);
    checks[2]->setChecked(true);

    SystemPlatform platform;
    // Only edits are measured: the engine never runs, and writes no journal.
    RenameEngine engine(platform, nullptr);
    BatchPreviewWindow window({fileList, optionControls, engine}, platform, nullptr);
    // The plan workload's rules: compose, replace by an expression, change the case.
    BatchRules rules;
    rules.numbers.width = 6;
    rules.findReplace = {QStringLiteral(R"((\w+)\((\d+)\)$)"), QStringLiteral("$2-\\1"), true,
                         false, FindReplace::Scope::BaseName};
    rules.extensionCase = LetterCase::Upper;
    window.findChild<BatchRulesPanel*>()->setRules(rules);
    window.show();
    runOnce();

    // One keystroke in the new base name's box: the table planned again (in the background)
    // and drawn.
    QEventLoop planned;
    QObject::connect(&window, &BatchPreviewWindow::planShown, &planned, &QEventLoop::quit);
    int edit = 0;
    const double ours = bestSeconds([&] {
        texts[2]->setText(QStringLiteral("trip%1").arg(++edit));
        window.updatePlan();
        planned.exec();
        runOnce();
    });
    const auto* table = window.findChild<QTableView*>();
    if (table->model()->rowCount() != folder.files() ||
        !table->model()
             ->index(0, BatchPreviewModel::NewNameColumn)
             .data()
             .toString()
             .endsWith(QStringLiteral("-trip%1.DAT").arg(edit)))
        throw std::runtime_error("the window did not show every file's new name");
    // Hidden, it keeps the user's settings as they were.
    window.hide();
    return {ours, std::nullopt};
}

} // namespace vornak::bench
