#include "cli/PlanCommand.h"

#include "cli/CommandLineText.h"
#include "cli/FolderPlan.h"
#include "cli/Output.h"
#include "cli/PlanRun.h"
#include "core/names/NativePath.h"
#include "core/plan/NameRules.h"
#include "texts/ReplaceErrorText.h"

namespace vornak {

void addPlanOptions(QCommandLineParser& parser, bool run)
{
    addRuleOptions(parser);
    addOutputOptions(parser);
    if (run)
        parser.addOption({{QStringLiteral("n"), QStringLiteral("dry-run")},
                          CommandLineText::tr("只列出计划，不改动任何文件（同 plan）")});
    parser.addPositionalArgument(QStringLiteral("FOLDER"), CommandLineText::tr("文件所在的文件夹"));
}

ExitStatus planCommand(const QCommandLineParser& parser, bool run)
{
    if (parser.positionalArguments().size() != 1) {
        printError(CommandLineText::tr("需要一个文件夹"));
        return ExitStatus::Usage;
    }
    std::variant<PlanRequest, QString> request =
        planRequestOf(parser, parser.positionalArguments().front());
    if (const QString* error = std::get_if<QString>(&request)) {
        printError(*error);
        return ExitStatus::Usage;
    }
    const PlanRequest& rules = std::get<PlanRequest>(request);
    if (const NameRules nameRules(rules.rules); !nameRules.isRunnable()) {
        printError(replaceErrorText(nameRules.error()));
        return ExitStatus::Usage;
    }
    std::variant<FolderPlan, PlanFailure> planned = planFolder(rules);
    if (const PlanFailure* failure = std::get_if<PlanFailure>(&planned)) {
        if (*failure == PlanFailure::OnlyInTree) {
            printError(CommandLineText::tr("--only 不能与 -r 同用"));
            return ExitStatus::Usage;
        }
        if (*failure == PlanFailure::NoSuchFile) {
            printError(CommandLineText::tr("文件夹中没有文件“%1”").arg(displayText(*rules.only)));
            return ExitStatus::Usage;
        }
        printError(CommandLineText::tr("无法读取文件夹：%1").arg(displayText(rules.folder)));
        return ExitStatus::NothingDone;
    }
    return showOrRun(parser, std::get<FolderPlan>(planned),
                     run && !parser.isSet(QStringLiteral("dry-run")));
}

} // namespace vornak
