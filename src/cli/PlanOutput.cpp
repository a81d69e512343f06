#include "cli/PlanOutput.h"

#include "cli/CommandLineText.h"
#include "texts/DisplayedName.h"
#include "texts/PlanFormat.h"
#include "texts/RenameStatusText.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <vector>

namespace vornak {

namespace {

void write(std::FILE* out, QByteArrayView bytes)
{
    std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), out);
}

// The columns a terminal gives the character: two for the wide East Asian ones.
int terminalWidth(char32_t c)
{
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
                      (c >= 0x20000 && c <= 0x3FFFD);
    return wide ? 2 : 1;
}

int terminalWidth(const QString& text)
{
    int width = 0;
    for (const char32_t c : text.toUcs4())
        width += terminalWidth(c);
    return width;
}

// A name as one cell of a table: its line breaks and tabs written as the plan text writes them.
QString cellText(QByteArrayView name)
{
    QString text = displayedName(name);
    text.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\t', QStringLiteral("\\t"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\r', QStringLiteral("\\r"));
    return text;
}

// The 文件夹 field of a file of the plan: the folder given for a flat plan, as apply expects
// it; in a tree, the file's folder below it ("." for the folder itself).
QByteArray folderField(const FolderPlan& plan, const PlannedFolder& folder)
{
    if (!plan.tree)
        return plan.folder;
    return folder.path.isEmpty() ? QByteArray(".") : folder.path;
}

// Calls row(folder, its row, number) for every row of the plan, in order. In a tree the
// number counts on over the folders, so that it names one file.
template <typename Row> void forEachRow(const FolderPlan& plan, Row row)
{
    std::size_t before = 0;
    for (const PlannedFolder& folder : plan.folders) {
        for (std::size_t k = 0; k < folder.batch.rowCount(); ++k)
            row(folder, k, before + folder.batch.entryAt(k) + 1);
        before += folder.entries.size();
    }
}

void writeTable(std::FILE* out, const FolderPlan& plan)
{
    using Row = std::vector<QString>;
    std::vector<Row> rows = {{CommandLineText::tr("序号"), CommandLineText::tr("原文件名"),
                              CommandLineText::tr("新文件名"), CommandLineText::tr("状态")}};
    if (plan.tree)
        rows.front().insert(rows.front().begin() + 1, CommandLineText::tr("文件夹"));
    forEachRow(plan, [&](const PlannedFolder& folder, std::size_t k, std::size_t number) {
        const PlannedBatch& batch = folder.batch;
        Row row = {QString::number(number), cellText(folder.entries.bytesAt(batch.entryAt(k))),
                   cellText(batch.newNames[k]), rowStatusText(batch, k)};
        if (plan.tree)
            row.insert(row.begin() + 1, cellText(folderField(plan, folder)));
        rows.push_back(std::move(row));
    });
    std::vector<int> widths(rows.front().size(), 0);
    for (const Row& row : rows) {
        for (std::size_t k = 0; k < widths.size(); ++k)
            widths[k] = std::max(widths[k], terminalWidth(row[k]));
    }
    for (const Row& row : rows) {
        QString line;
        for (std::size_t k = 0; k < row.size(); ++k) {
            line += row[k];
            if (k + 1 < row.size())
                line += QString(widths[k] - terminalWidth(row[k]) + 2, u' ');
        }
        write(out, line.toUtf8() + '\n');
    }
}

void addName(QJsonObject& object, const QString& key, QByteArrayView name)
{
    object.insert(key, displayedName(name));
    if (!isValidUtf8(name))
        object.insert(key + QStringLiteral("_bytes"),
                      QString::fromLatin1(name.toByteArray().toBase64()));
}

} // namespace

void writePlan(std::FILE* out, const FolderPlan& plan, PlanOutputFormat format)
{
    if (format == PlanOutputFormat::Table) {
        writeTable(out, plan);
        return;
    }
    if (format == PlanOutputFormat::PlanText)
        write(out, planHeader() + '\n');
    forEachRow(plan, [&](const PlannedFolder& folder, std::size_t k, std::size_t number) {
        const PlannedBatch& batch = folder.batch;
        const QByteArrayView oldName = folder.entries.bytesAt(batch.entryAt(k));
        const QByteArrayView newName = batch.newNames[k];
        const QString status = statusText(batch.plan.statuses[k]);
        switch (format) {
        case PlanOutputFormat::Table:
            break;
        case PlanOutputFormat::PlanText:
            write(out,
                  planLineText({QByteArray::number(number), folderField(plan, folder),
                                oldName.toByteArray(), newName.toByteArray(), status.toUtf8()}) +
                      '\n');
            break;
        case PlanOutputFormat::Json: {
            QJsonObject object;
            addName(object, QStringLiteral("folder"), folderField(plan, folder));
            addName(object, QStringLiteral("old"), oldName);
            addName(object, QStringLiteral("new"), newName);
            object.insert(QStringLiteral("status"), status);
            write(out, QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
            break;
        }
        case PlanOutputFormat::NewNames:
        case PlanOutputFormat::OldNames:
            // In a tree, the path below the folder given names the file.
            if (!folder.path.isEmpty())
                write(out, folder.path + '/');
            write(out, format == PlanOutputFormat::NewNames ? newName : oldName);
            write(out, QByteArrayView("\0", 1));
            break;
        }
    });
}

} // namespace vornak
