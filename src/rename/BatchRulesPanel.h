#pragma once

#include "core/plan/BatchRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>

namespace vornak {

// The batch preview's own rules: which folders (子文件夹), then in the order they apply 排序, 编号,
// 模式 (a pattern that makes the whole name), 查找/替换, 按位置 (删除, then 插入), 大小写. Any edit
// raises changed(); an expression that cannot be used is shown beside the find field.
class BatchRulesPanel : public QWidget {
    Q_OBJECT
public:
    explicit BatchRulesPanel(QWidget* parent = nullptr);

    BatchRules rules() const;
    // Raises changed() once, whatever it changes.
    void setRules(const BatchRules& rules);
    // Empty: no error.
    void showError(const QString& error);
    // Why the pattern cannot be read; empty: it can.
    void showPatternError(const QString& error);

Q_SIGNALS:
    void changed();

private:
    QCheckBox* m_includeSubfolders = nullptr;
    QCheckBox* m_numberAcross = nullptr;
    QComboBox* m_order = nullptr;
    QSpinBox* m_numberStart = nullptr;
    QSpinBox* m_numberStep = nullptr;
    QSpinBox* m_numberWidth = nullptr;
    QLineEdit* m_pattern = nullptr;
    QLabel* m_patternError = nullptr;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replacement = nullptr;
    QCheckBox* m_regularExpression = nullptr;
    QCheckBox* m_caseSensitive = nullptr;
    QComboBox* m_findScope = nullptr;
    QLabel* m_findError = nullptr;
    QSpinBox* m_removeCount = nullptr;
    QSpinBox* m_removeAt = nullptr;
    QComboBox* m_removeFrom = nullptr;
    QLineEdit* m_insertText = nullptr;
    QSpinBox* m_insertAt = nullptr;
    QComboBox* m_insertFrom = nullptr;
    QComboBox* m_baseCase = nullptr;
    QComboBox* m_extensionCase = nullptr;
};

} // namespace vornak
