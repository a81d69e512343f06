#include "cli/PlanRequest.h"

#include "cli/CommandLineText.h"
#include "cli/WordTable.h"

#include "core/names/FilePattern.h"
#include "core/names/NameText.h"
#include "core/names/NativePath.h"
#include "core/plan/RuleSetStore.h"
#include "texts/ReplaceErrorText.h"

#include <QDir>

namespace vornak {

namespace {

std::optional<LetterCase> letterCaseOf(const QString& text)
{
    return valueOfWord<LetterCase>(text, {{u"unchanged", LetterCase::Unchanged},
                                          {u"lower", LetterCase::Lower},
                                          {u"upper", LetterCase::Upper},
                                          {u"capitalized", LetterCase::Capitalized}});
}

std::optional<NumberingOrder> orderOf(const QString& text)
{
    return valueOfWord<NumberingOrder>(text, {{u"list", NumberingOrder::List},
                                              {u"mtime", NumberingOrder::Modified},
                                              {u"photo-date", NumberingOrder::Taken}});
}

// START,STEP,WIDTH within the ranges the window's fields allow.
std::optional<NumberFormat> numberFormatOf(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 3)
        return std::nullopt;
    bool ok[3] = {};
    const NumberFormat format{parts[0].toLongLong(&ok[0]), parts[1].toLongLong(&ok[1]),
                              parts[2].toInt(&ok[2])};
    if (!ok[0] || !ok[1] || !ok[2] || format.start < 0 || format.start > NumberFormat::kMaxStart ||
        format.step < 1 || format.step > NumberFormat::kMaxStep || format.width < 0 ||
        format.width > NumberFormat::kMaxWidth)
        return std::nullopt;
    return format;
}

// N:TEXT: the gap N, within the range of the window's fields, and the text after the first ":".
std::optional<std::pair<TextGap, QString>> gapAndText(const QString& value, bool fromEnd)
{
    const qsizetype colon = value.indexOf(u':');
    bool ok = false;
    const int offset = colon < 0 ? 0 : value.first(colon).toInt(&ok);
    if (!ok || offset < 0 || offset > TextGap::kMax)
        return std::nullopt;
    return std::pair{TextGap{offset, fromEnd}, value.sliced(colon + 1)};
}

std::optional<InsertRule> insertRuleOf(const QString& value, bool fromEnd)
{
    const auto gap = gapAndText(value, fromEnd);
    if (!gap)
        return std::nullopt;
    return InsertRule{gap->first, gap->second};
}

std::optional<RemoveRule> removeRuleOf(const QString& value, bool fromEnd)
{
    const auto gap = gapAndText(value, fromEnd);
    bool ok = false;
    const int count = gap ? gap->second.toInt(&ok) : 0;
    if (!ok || count < 0 || count > TextGap::kMax)
        return std::nullopt;
    return RemoveRule{gap->first, count};
}

// The rule of --NAME (counted from the start) or --NAME-end (from the end), when one is given;
// why not, when both are or the value is malformed.
template <typename Rule>
std::optional<QString> takePositionRule(const QCommandLineParser& parser, const char* name,
                                        Rule& rule,
                                        std::optional<Rule> (*parse)(const QString&, bool))
{
    const QString start = QString::fromLatin1(name);
    const QString end = start + QStringLiteral("-end");
    if (parser.isSet(start) && parser.isSet(end))
        return CommandLineText::tr("--%1 与 --%2 不能同用").arg(start, end);
    for (const bool fromEnd : {false, true}) {
        const QString& option = fromEnd ? end : start;
        if (!parser.isSet(option))
            continue;
        const std::optional<Rule> parsed = parse(parser.value(option), fromEnd);
        if (!parsed)
            return CommandLineText::tr("--%1 的值无效：%2").arg(option, parser.value(option));
        rule = *parsed;
    }
    return std::nullopt;
}

// The option's text as the bytes it was given in.
QByteArray bytesOf(const QCommandLineParser& parser, const QString& name)
{
    return encodeName(parser.value(name));
}

} // namespace

QByteArray folderPathOf(const QString& argument)
{
    return withTrailingSeparator(
        cleanAbsolutePath(encodeName(argument), QFile::encodeName(QDir::currentPath())));
}

void addRuleOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        {QStringLiteral("prefix"), CommandLineText::tr("在文件名前加上 TEXT"),
         QStringLiteral("TEXT")},
        {QStringLiteral("suffix"), CommandLineText::tr("在主文件名后加上 TEXT"),
         QStringLiteral("TEXT")},
        {QStringLiteral("base"), CommandLineText::tr("主文件名改为 TEXT(n)，n 为序号"),
         QStringLiteral("TEXT")},
        {QStringLiteral("ext"), CommandLineText::tr("扩展名改为 TEXT"), QStringLiteral("TEXT")},
        {QStringLiteral("name-filter"), CommandLineText::tr("只取文件名含 TEXT 的文件（通配符）"),
         QStringLiteral("TEXT"), QStringLiteral("")},
        {QStringLiteral("ext-filter"), CommandLineText::tr("只取扩展名含 TEXT 的文件（通配符）"),
         QStringLiteral("TEXT"), QStringLiteral("")},
        {QStringLiteral("replace"), CommandLineText::tr("查找 TEXT"), QStringLiteral("TEXT")},
        {QStringLiteral("with"), CommandLineText::tr("替换为 TEXT"), QStringLiteral("TEXT")},
        {QStringLiteral("regex"), CommandLineText::tr("查找的是正则表达式")},
        {QStringLiteral("case-sensitive"), CommandLineText::tr("查找区分大小写")},
        {QStringLiteral("whole-name"), CommandLineText::tr("在整个文件名中查找，而不只是主文件名")},
        {QStringLiteral("remove"),
         CommandLineText::tr("删除主文件名前 N 个字符之后的 COUNT 个字符"),
         QStringLiteral("N:COUNT")},
        {QStringLiteral("remove-end"),
         CommandLineText::tr("删除主文件名后 N 个字符之前的 COUNT 个字符"),
         QStringLiteral("N:COUNT")},
        {QStringLiteral("insert"), CommandLineText::tr("在主文件名前 N 个字符之后插入 TEXT"),
         QStringLiteral("N:TEXT")},
        {QStringLiteral("insert-end"), CommandLineText::tr("在主文件名后 N 个字符之前插入 TEXT"),
         QStringLiteral("N:TEXT")},
        {QStringLiteral("pattern"),
         CommandLineText::tr("由字段组成整个新名称，如 {date:yyyy-MM-dd}_{n:3}{ext}"),
         QStringLiteral("PATTERN")},
        {QStringLiteral("case-base"),
         CommandLineText::tr("主文件名的大小写：unchanged、lower、upper、capitalized"),
         QStringLiteral("CASE")},
        {QStringLiteral("case-ext"),
         CommandLineText::tr("扩展名的大小写：unchanged、lower、upper、capitalized"),
         QStringLiteral("CASE")},
        {QStringLiteral("number"), CommandLineText::tr("序号的起始值、步长和位数"),
         QStringLiteral("START,STEP,WIDTH")},
        {QStringLiteral("order"), CommandLineText::tr("排序：list、mtime 或 photo-date"),
         QStringLiteral("ORDER")},
        {QStringLiteral("rules"), CommandLineText::tr("使用在窗口中保存的方案 NAME"),
         QStringLiteral("NAME")},
        {QStringLiteral("only"), CommandLineText::tr("只重命名文件 NAME（单个）"),
         QStringLiteral("NAME")},
        {{QStringLiteral("r"), QStringLiteral("recursive")},
         CommandLineText::tr("包括各级子文件夹中的文件（只改文件名，不改文件夹名）")},
        {QStringLiteral("number-across"),
         CommandLineText::tr("与 -r 同用：序号在各文件夹间连续，而不是每个文件夹从头开始")},
    });
}

std::variant<PlanRequest, QString> planRequestOf(const QCommandLineParser& parser,
                                                 const QString& folderArgument)
{
    PlanRequest request;
    request.folder = folderPathOf(folderArgument);
    if (parser.isSet(QStringLiteral("rules"))) {
        const std::optional<RuleSet> set =
            ruleSetStore::load(parser.value(QStringLiteral("rules")));
        if (!set)
            return CommandLineText::tr("没有名为“%1”的方案")
                .arg(parser.value(QStringLiteral("rules")));
        request.state = RenameState::from(set->options);
        request.nameCase = set->options.nameCase();
        request.rules = set->rules;
    }
    const auto text = [&](const char* name, QByteArray& field) {
        if (parser.isSet(QString::fromLatin1(name)))
            field = bytesOf(parser, QString::fromLatin1(name));
    };
    text("prefix", request.state.prefixText);
    text("suffix", request.state.suffixText);
    text("base", request.state.newBaseName);
    text("ext", request.state.newExtension);
    request.nameCase.replaceBase |= parser.isSet(QStringLiteral("base"));
    request.nameCase.replaceExtension |= parser.isSet(QStringLiteral("ext"));

    std::optional<FilePattern> pattern = FilePattern::parse(filePatternText(
        parser.value(QStringLiteral("name-filter")), parser.value(QStringLiteral("ext-filter"))));
    if (!pattern)
        return CommandLineText::tr("筛选条件不能含有“/”");
    request.pattern = pattern->text();

    FindReplace& findReplace = request.rules.findReplace;
    if (parser.isSet(QStringLiteral("replace"))) {
        findReplace.find = parser.value(QStringLiteral("replace"));
        findReplace.replacement = parser.value(QStringLiteral("with"));
        findReplace.regularExpression = parser.isSet(QStringLiteral("regex"));
        findReplace.caseSensitive = parser.isSet(QStringLiteral("case-sensitive"));
        findReplace.scope = parser.isSet(QStringLiteral("whole-name"))
                                ? FindReplace::Scope::WholeName
                                : FindReplace::Scope::BaseName;
    } else if (parser.isSet(QStringLiteral("with"))) {
        return CommandLineText::tr("--with 需要 --replace");
    }
    if (auto error = takePositionRule(parser, "remove", request.rules.remove, removeRuleOf))
        return *error;
    if (auto error = takePositionRule(parser, "insert", request.rules.insert, insertRuleOf))
        return *error;
    if (parser.isSet(QStringLiteral("pattern"))) {
        request.rules.pattern = parser.value(QStringLiteral("pattern"));
        const PatternError error = parseNamePattern(request.rules.pattern).error;
        if (error.kind != PatternError::Kind::None)
            return CommandLineText::tr("--pattern 的值无效：%1").arg(patternErrorText(error));
    }
    const std::pair<const char*, LetterCase*> cases[] = {
        {"case-base", &request.rules.baseCase}, {"case-ext", &request.rules.extensionCase}};
    for (const auto& [name, field] : cases) {
        if (!parser.isSet(QString::fromLatin1(name)))
            continue;
        const std::optional<LetterCase> letterCase =
            letterCaseOf(parser.value(QString::fromLatin1(name)));
        if (!letterCase)
            return CommandLineText::tr("--%1 的值无效：%2")
                .arg(QString::fromLatin1(name), parser.value(QString::fromLatin1(name)));
        *field = *letterCase;
    }
    if (parser.isSet(QStringLiteral("number"))) {
        const std::optional<NumberFormat> numbers =
            numberFormatOf(parser.value(QStringLiteral("number")));
        if (!numbers)
            return CommandLineText::tr("--number 的值无效：%1")
                .arg(parser.value(QStringLiteral("number")));
        request.rules.numbers = *numbers;
    }
    if (parser.isSet(QStringLiteral("order"))) {
        const std::optional<NumberingOrder> order = orderOf(parser.value(QStringLiteral("order")));
        if (!order)
            return CommandLineText::tr("--order 的值无效：%1")
                .arg(parser.value(QStringLiteral("order")));
        request.rules.order = *order;
    }
    if (parser.isSet(QStringLiteral("only")))
        request.only = bytesOf(parser, QStringLiteral("only"));
    request.recursive = parser.isSet(QStringLiteral("recursive"));
    request.numberAcross = parser.isSet(QStringLiteral("number-across"));
    if (request.numberAcross && !request.recursive)
        return CommandLineText::tr("--number-across 需要 -r");
    return request;
}

} // namespace vornak
