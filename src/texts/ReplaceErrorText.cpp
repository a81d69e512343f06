#include "texts/ReplaceErrorText.h"

#include <QCoreApplication>

namespace vornak {

QString replaceErrorText(const ReplaceError& error)
{
    switch (error.kind) {
    case ReplaceError::Kind::None:
        break;
    case ReplaceError::Kind::BadExpression:
        return QCoreApplication::translate("FindReplace", "表达式有误（第 %1 个字符）：%2")
            .arg(error.position)
            .arg(error.detail);
    case ReplaceError::Kind::MissingGroup:
        return QCoreApplication::translate("FindReplace",
                                           "替换文本中的“%1%2”没有对应的分组（表达式有 %3 个分组）")
            .arg(error.sign)
            .arg(error.group)
            .arg(error.groups);
    }
    return {};
}

QString patternErrorText(const PatternError& error)
{
    switch (error.kind) {
    case PatternError::Kind::None:
        break;
    case PatternError::Kind::UnknownField:
        return QCoreApplication::translate("NamePattern", "模式中没有字段“{%1}”").arg(error.field);
    case PatternError::Kind::UnclosedBrace:
        return QCoreApplication::translate("NamePattern", "模式中的“{%1”缺少“}”").arg(error.field);
    case PatternError::Kind::BadArgument:
        return QCoreApplication::translate("NamePattern", "模式中的“{%1}”参数有误")
            .arg(error.field);
    }
    return {};
}

} // namespace vornak
