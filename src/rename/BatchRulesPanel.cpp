#include "BatchRulesPanel.h"

#include "Named.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vornak {

namespace {

QComboBox* choice(const char* name, const QStringList& items)
{
    auto* box = named(new QComboBox, name);
    box->addItems(items);
    return box;
}

QSpinBox* number(const char* name, qint64 lowest, qint64 highest, qint64 value)
{
    auto* box = named(new QSpinBox, name);
    box->setRange(static_cast<int>(lowest), static_cast<int>(highest));
    box->setValue(static_cast<int>(value));
    return box;
}

template <typename Enum> Enum chosen(const QComboBox* box)
{
    return static_cast<Enum>(box->currentIndex());
}

template <typename Enum> void choose(QComboBox* box, Enum value)
{
    box->setCurrentIndex(static_cast<int>(value));
}

// A gap's two controls side by side: how many characters in, and from which end.
QHBoxLayout* gapRow(QSpinBox* offset, QComboBox* from)
{
    auto* row = new QHBoxLayout;
    row->addWidget(offset);
    row->addWidget(from, 1);
    return row;
}

TextGap gapOf(const QSpinBox* offset, const QComboBox* from)
{
    return {offset->value(), from->currentIndex() == 1};
}

void setGap(QSpinBox* offset, QComboBox* from, const TextGap& gap)
{
    offset->setValue(gap.offset);
    from->setCurrentIndex(gap.fromEnd ? 1 : 0);
}

// A hint in red under a field, hidden while there is nothing to say.
QLabel* errorLabel(const char* name)
{
    auto* label = named(new QLabel, name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    label->hide();
    return label;
}

void showErrorBeside(QLabel* label, QLineEdit* field, const QString& error)
{
    label->setText(error);
    label->setVisible(!error.isEmpty());
    field->setStyleSheet(error.isEmpty() ? QString()
                                         : QStringLiteral("border: 1px solid rgb(200, 0, 0);"));
}

} // namespace

BatchRulesPanel::BatchRulesPanel(QWidget* parent) : QWidget(parent)
{
    const NumberFormat numbers;
    m_includeSubfolders = named(new QCheckBox(tr("包含子文件夹")), "includeSubfolders");
    m_numberAcross = named(new QCheckBox(tr("跨文件夹连续编号")), "numberAcross");
    m_numberAcross->setEnabled(false);
    connect(m_includeSubfolders, &QCheckBox::toggled, m_numberAcross, &QCheckBox::setEnabled);
    m_order = choice("numberingOrder", {tr("列表顺序"), tr("修改时间"), tr("拍摄日期")});
    m_numberStart = number("numberStart", 0, NumberFormat::kMaxStart, numbers.start);
    m_numberStep = number("numberStep", 1, NumberFormat::kMaxStep, numbers.step);
    m_numberWidth = number("numberWidth", 0, NumberFormat::kMaxWidth, numbers.width);
    m_find = named(new QLineEdit, "findText");
    m_replacement = named(new QLineEdit, "replacementText");
    m_regularExpression = named(new QCheckBox(tr("正则表达式")), "regularExpression");
    m_caseSensitive = named(new QCheckBox(tr("区分大小写")), "caseSensitive");
    m_findScope = choice("findScope", {tr("仅文件名"), tr("整个名称")});
    m_findError = errorLabel("findError");
    m_pattern = named(new QLineEdit, "pattern");
    m_pattern->setPlaceholderText(QStringLiteral("{date:yyyy-MM-dd}_{n:3}{ext}"));
    m_pattern->setToolTip(tr("由字段组成整个新名称：{name} {ext} {n} {n:位数} {folder} "
                             "{date:格式} {artist} {album} {title} {track} {year}。"
                             "空白则不用模式。"));
    m_patternError = errorLabel("patternError");
    const QStringList ends{tr("从开头"), tr("从末尾")};
    m_removeCount = number("removeCount", 0, TextGap::kMax, 0);
    m_removeCount->setSuffix(tr(" 个字符"));
    m_removeAt = number("removeAt", 0, TextGap::kMax, 0);
    m_removeFrom = choice("removeFrom", ends);
    m_insertText = named(new QLineEdit, "insertText");
    m_insertAt = number("insertAt", 0, TextGap::kMax, 0);
    m_insertFrom = choice("insertFrom", ends);
    const QStringList cases{tr("不变"), tr("小写"), tr("大写"), tr("首字母大写")};
    m_baseCase = choice("baseCase", cases);
    m_extensionCase = choice("extensionCase", cases);

    auto* folders = new QGroupBox(tr("子文件夹"));
    auto* foldersLayout = new QVBoxLayout(folders);
    foldersLayout->addWidget(m_includeSubfolders);
    foldersLayout->addWidget(m_numberAcross);

    auto* order = new QGroupBox(tr("排序"));
    auto* orderLayout = new QFormLayout(order);
    orderLayout->addRow(tr("编号顺序："), m_order);

    auto* numbering = new QGroupBox(tr("编号"));
    auto* numberingLayout = new QFormLayout(numbering);
    numberingLayout->addRow(tr("起始："), m_numberStart);
    numberingLayout->addRow(tr("步长："), m_numberStep);
    numberingLayout->addRow(tr("位数："), m_numberWidth);

    auto* pattern = new QGroupBox(tr("模式"));
    auto* patternLayout = new QFormLayout(pattern);
    patternLayout->addRow(tr("新名称："), m_pattern);
    patternLayout->addRow(m_patternError);

    auto* findReplace = new QGroupBox(tr("查找/替换"));
    auto* findLayout = new QFormLayout(findReplace);
    findLayout->addRow(tr("查找："), m_find);
    findLayout->addRow(m_findError);
    findLayout->addRow(tr("替换为："), m_replacement);
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_regularExpression);
    flags->addWidget(m_caseSensitive);
    flags->addStretch();
    findLayout->addRow(flags);
    findLayout->addRow(tr("范围："), m_findScope);

    auto* byPosition = new QGroupBox(tr("按位置"));
    byPosition->setToolTip(tr("位置是主文件名中字符之间的间隔：从开头数，0 在第一个字符之前；"
                              "从末尾数，0 在最后一个字符之后。先删除，再插入；扩展名不变。"));
    auto* positionLayout = new QFormLayout(byPosition);
    positionLayout->addRow(tr("删除："), m_removeCount);
    positionLayout->addRow(tr("位置："), gapRow(m_removeAt, m_removeFrom));
    positionLayout->addRow(tr("插入："), m_insertText);
    positionLayout->addRow(tr("位置："), gapRow(m_insertAt, m_insertFrom));

    auto* letterCase = new QGroupBox(tr("大小写"));
    auto* caseLayout = new QFormLayout(letterCase);
    caseLayout->addRow(tr("文件名："), m_baseCase);
    caseLayout->addRow(tr("扩展名："), m_extensionCase);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* group : {folders, order, numbering, pattern, findReplace, byPosition, letterCase})
        layout->addWidget(group);
    layout->addStretch();

    for (QComboBox* box :
         {m_order, m_findScope, m_removeFrom, m_insertFrom, m_baseCase, m_extensionCase})
        connect(box, &QComboBox::currentIndexChanged, this, &BatchRulesPanel::changed);
    for (QSpinBox* box :
         {m_numberStart, m_numberStep, m_numberWidth, m_removeCount, m_removeAt, m_insertAt})
        connect(box, &QSpinBox::valueChanged, this, &BatchRulesPanel::changed);
    for (QLineEdit* text : {m_pattern, m_find, m_replacement, m_insertText})
        connect(text, &QLineEdit::textChanged, this, &BatchRulesPanel::changed);
    for (QCheckBox* box :
         {m_includeSubfolders, m_numberAcross, m_regularExpression, m_caseSensitive})
        connect(box, &QCheckBox::toggled, this, &BatchRulesPanel::changed);
}

BatchRules BatchRulesPanel::rules() const
{
    BatchRules rules;
    rules.order = chosen<NumberingOrder>(m_order);
    rules.numbers = {m_numberStart->value(), m_numberStep->value(), m_numberWidth->value()};
    rules.pattern = m_pattern->text();
    rules.findReplace = {m_find->text(), m_replacement->text(), m_regularExpression->isChecked(),
                         m_caseSensitive->isChecked(), chosen<FindReplace::Scope>(m_findScope)};
    rules.remove = {gapOf(m_removeAt, m_removeFrom), m_removeCount->value()};
    rules.insert = {gapOf(m_insertAt, m_insertFrom), m_insertText->text()};
    rules.baseCase = chosen<LetterCase>(m_baseCase);
    rules.extensionCase = chosen<LetterCase>(m_extensionCase);
    rules.includeSubfolders = m_includeSubfolders->isChecked();
    // Numbering across means nothing for one folder.
    rules.numberAcross = rules.includeSubfolders && m_numberAcross->isChecked();
    return rules;
}

void BatchRulesPanel::setRules(const BatchRules& rules)
{
    {
        const QSignalBlocker blockers[] = {QSignalBlocker(m_includeSubfolders),
                                           QSignalBlocker(m_numberAcross),
                                           QSignalBlocker(m_order),
                                           QSignalBlocker(m_numberStart),
                                           QSignalBlocker(m_numberStep),
                                           QSignalBlocker(m_numberWidth),
                                           QSignalBlocker(m_pattern),
                                           QSignalBlocker(m_find),
                                           QSignalBlocker(m_replacement),
                                           QSignalBlocker(m_regularExpression),
                                           QSignalBlocker(m_caseSensitive),
                                           QSignalBlocker(m_findScope),
                                           QSignalBlocker(m_removeCount),
                                           QSignalBlocker(m_removeAt),
                                           QSignalBlocker(m_removeFrom),
                                           QSignalBlocker(m_insertText),
                                           QSignalBlocker(m_insertAt),
                                           QSignalBlocker(m_insertFrom),
                                           QSignalBlocker(m_baseCase),
                                           QSignalBlocker(m_extensionCase)};
        m_includeSubfolders->setChecked(rules.includeSubfolders);
        m_numberAcross->setEnabled(rules.includeSubfolders);
        m_numberAcross->setChecked(rules.numberAcross);
        choose(m_order, rules.order);
        m_numberStart->setValue(static_cast<int>(rules.numbers.start));
        m_numberStep->setValue(static_cast<int>(rules.numbers.step));
        m_numberWidth->setValue(rules.numbers.width);
        m_pattern->setText(rules.pattern);
        m_find->setText(rules.findReplace.find);
        m_replacement->setText(rules.findReplace.replacement);
        m_regularExpression->setChecked(rules.findReplace.regularExpression);
        m_caseSensitive->setChecked(rules.findReplace.caseSensitive);
        choose(m_findScope, rules.findReplace.scope);
        m_removeCount->setValue(rules.remove.count);
        setGap(m_removeAt, m_removeFrom, rules.remove.at);
        m_insertText->setText(rules.insert.text);
        setGap(m_insertAt, m_insertFrom, rules.insert.at);
        choose(m_baseCase, rules.baseCase);
        choose(m_extensionCase, rules.extensionCase);
    }
    Q_EMIT changed();
}

void BatchRulesPanel::showError(const QString& error)
{
    showErrorBeside(m_findError, m_find, error);
}

void BatchRulesPanel::showPatternError(const QString& error)
{
    showErrorBeside(m_patternError, m_pattern, error);
}

} // namespace vornak
