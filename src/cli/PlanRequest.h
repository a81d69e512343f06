#pragma once

#include "core/names/NameComposition.h"
#include "core/names/RenameState.h"
#include "core/plan/BatchRules.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QString>

#include <optional>
#include <variant>

namespace vornak {

// A batch as the command line asks for it: the folder, which of its files, and the rules.
struct PlanRequest {
    QByteArray folder; // absolute, with a trailing separator
    QString pattern;   // the file list's pattern (see filePatternText)
    RenameState state;
    NameCase nameCase;
    BatchRules rules;
    std::optional<QByteArray> only; // single mode: this file alone
    bool recursive = false;         // the files of every folder below folder too
    bool numberAcross = false;      // numbers run on across those folders
};

// The folder a command line argument names: absolute, with a trailing separator, its exact bytes.
QByteArray folderPathOf(const QString& argument);

// The options of the rules, as plan and run take them.
void addRuleOptions(QCommandLineParser& parser);
// The request the parsed options and the folder argument make, or why they make none (a usage
// error, in the user's words).
std::variant<PlanRequest, QString> planRequestOf(const QCommandLineParser& parser,
                                                 const QString& folderArgument);

} // namespace vornak
