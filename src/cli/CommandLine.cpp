#include "cli/CommandLine.h"

#include "cli/ApplyCommand.h"
#include "cli/CheckCommand.h"
#include "cli/CommandLineText.h"
#include "cli/JournalCommands.h"
#include "cli/Output.h"
#include "cli/PlanCommand.h"
#include "cli/WordTable.h"
#include "core/names/NameText.h"

#include <QCommandLineParser>

namespace vornak {

namespace {

enum class Subcommand { Plan, Run, Apply, Undo, History, Check };

std::optional<Subcommand> subcommandOf(const QString& word)
{
    return valueOfWord<Subcommand>(word, {{u"plan", Subcommand::Plan},
                                          {u"run", Subcommand::Run},
                                          {u"apply", Subcommand::Apply},
                                          {u"undo", Subcommand::Undo},
                                          {u"history", Subcommand::History},
                                          {u"check", Subcommand::Check}});
}

QString programHelp()
{
    return CommandLineText::tr(
        "用法：vornak-cli 子命令 [选项] [参数]\n"
        "\n"
        "子命令：\n"
        "  plan [规则] FOLDER   列出每个计划中的重命名及其状态；不改动任何文件\n"
        "      vornak-cli plan --prefix 2024_ ~/照片\n"
        "  run [规则] FOLDER    按计划重命名（可撤销），并报告未改名的文件及原因\n"
        "      vornak-cli run --base 旅行 --number 1,1,3 ~/照片\n"
        "      vornak-cli run -r --prefix 2024_ ~/照片   （-r：连同各级子文件夹中的文件）\n"
        "  apply [--run] LIST FOLDER  按清单（计划文本或“原名<TAB>新名”）重命名；没有 --run "
        "时只列出计划\n"
        "      vornak-cli plan --suffix _v2 ~/文档 > 清单.tsv; vornak-cli apply --run 清单.tsv "
        "~/文档\n"
        "  undo [RUN]           撤销最近一次（或指定的）重命名或移到回收站，同窗口中的 Ctrl+Z\n"
        "      vornak-cli undo\n"
        "  history              列出可以撤销的重命名：编号、时间、文件夹、文件数\n"
        "      vornak-cli history\n"
        "  check [--content] FOLDER  列出大小一致（或内容相同）的文件；不改动任何文件\n"
        "      vornak-cli check --content ~/下载\n"
        "  check --content --trash-copies --keep RULE [--run] FOLDER  每组副本只留一个，其余移到"
        "回收站（有 --run 时才移动，可撤销）\n"
        "      vornak-cli check --content --trash-copies --keep oldest --run ~/下载\n"
        "\n"
        "vornak-cli 子命令 --help 列出该子命令的选项。\n");
}

// A subcommand's own note on what it changes.
QString subcommandNote(Subcommand subcommand)
{
    switch (subcommand) {
    case Subcommand::Plan:
        return CommandLineText::tr("列出计划中的重命名；不改动任何文件。");
    case Subcommand::Run:
        return CommandLineText::tr("按计划重命名文件；加 -n 时只列出计划，不改动任何文件。");
    case Subcommand::Apply:
        return CommandLineText::tr("按清单重命名文件；没有 --run 时只列出计划，不改动任何文件。");
    case Subcommand::Undo:
        return CommandLineText::tr("撤销一次重命名。");
    case Subcommand::History:
        return CommandLineText::tr("列出可以撤销的重命名；不改动任何文件。");
    case Subcommand::Check:
        return CommandLineText::tr(
            "检查大小一致或内容相同的文件；只有 --trash-copies --run 会把副本移到回收站。");
    }
    return {};
}

void addOptions(QCommandLineParser& parser, Subcommand subcommand)
{
    parser.setApplicationDescription(subcommandNote(subcommand));
    switch (subcommand) {
    case Subcommand::Plan:
    case Subcommand::Run:
        addPlanOptions(parser, subcommand == Subcommand::Run);
        break;
    case Subcommand::Apply:
        addApplyOptions(parser);
        break;
    case Subcommand::Undo:
        addUndoOptions(parser);
        break;
    case Subcommand::History:
        break;
    case Subcommand::Check:
        addCheckOptions(parser);
        break;
    }
}

ExitStatus runSubcommand(const QCommandLineParser& parser, Subcommand subcommand)
{
    switch (subcommand) {
    case Subcommand::Plan:
    case Subcommand::Run:
        return planCommand(parser, subcommand == Subcommand::Run);
    case Subcommand::Apply:
        return applyCommand(parser);
    case Subcommand::Undo:
        return undoCommand(parser);
    case Subcommand::History:
        if (!parser.positionalArguments().isEmpty()) {
            printError(CommandLineText::tr("history 不带参数"));
            return ExitStatus::Usage;
        }
        return historyCommand();
    case Subcommand::Check:
        return checkCommand(parser);
    }
    return ExitStatus::Usage;
}

} // namespace

ExitStatus runCommandLine(int argc, char** argv)
{
    // Names and folders keep their exact bytes: decodeName gives each byte that is not UTF-8 a
    // stand-in of its own, and encodeName turns the parsed text back into the bytes given.
    QStringList arguments;
    for (int k = 0; k < argc; ++k)
        arguments.append(decodeName(argv[k]));
    const QString first = arguments.value(1);
    if (first == u"--help" || first == u"-h") {
        printLine(programHelp());
        return ExitStatus::Done;
    }
    if (first == u"--version") {
        printLine(QStringLiteral("vornak-cli " VORNAK_VERSION));
        return ExitStatus::Done;
    }
    const std::optional<Subcommand> subcommand = subcommandOf(first);
    if (!subcommand) {
        printError(first.isEmpty() ? programHelp()
                                   : CommandLineText::tr("未知的子命令：%1").arg(first));
        return ExitStatus::Usage;
    }
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  CommandLineText::tr("显示此帮助"));
    parser.addOption(help);
    addOptions(parser, *subcommand);
    arguments.removeAt(1);
    if (!parser.parse(arguments)) {
        printError(parser.errorText());
        return ExitStatus::Usage;
    }
    if (parser.isSet(help)) {
        // The usage line names the program as started; it names the subcommand too.
        printLine(parser.helpText().replace(QCoreApplication::arguments().constFirst(),
                                            QStringLiteral("vornak-cli ") + first));
        return ExitStatus::Done;
    }
    return runSubcommand(parser, *subcommand);
}

} // namespace vornak
