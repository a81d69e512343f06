#pragma once

#include "RenameOptionControls.h"

#include <QCompleter>
#include <QLineEdit>
#include <QObject>
#include <QStringListModel>

#include <array>

namespace vornak {

// Each text box of the rename options remembers the texts last used in it and offers them in a
// drop-down that ↓ opens; choosing one puts it in the box. The texts are kept in the settings
// file, group "history", one list a box.
class OptionTextHistory : public QObject {
    Q_OBJECT
public:
    using Texts = std::array<QLineEdit*, RenameOptionControls::kPairs>;

    OptionTextHistory(const RenameOptionControls& options, Texts texts, QObject* parent);

public Q_SLOTS:
    // A run has started: the text of each ticked option has been used.
    void recordUsedTexts();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const RenameOptionControls& m_options;
    Texts m_texts;
    std::array<QStringListModel*, RenameOptionControls::kPairs> m_recent{};
    std::array<QCompleter*, RenameOptionControls::kPairs> m_completers{};
};

} // namespace vornak
