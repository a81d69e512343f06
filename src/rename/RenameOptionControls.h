#pragma once

#include "core/RenameOptions.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace vornak {

// The four option pairs (Check1..Check4 with Text1..Text4) and the mode buttons Op1, Op2:
// their colouring, enabling and text cleaning, and the options as they stand right now.
class RenameOptionControls {
public:
    static constexpr std::size_t kPairs = 4;
    struct Controls {
        std::array<QCheckBox*, kPairs> checks;
        std::array<QLineEdit*, kPairs> texts;
        QRadioButton& op1;
        QRadioButton& op2;
    };

    explicit RenameOptionControls(Controls controls);

    // A text box is in use exactly while its check box is ticked; its text survives unticking.
    void onCheckClicked(std::size_t pair);
    void onModeClicked();
    // Drops the forbidden characters from the pair's text box. The whole text is replaced, so
    // after a removal the caret stands at the start.
    void CleanOptionText(std::size_t pair);

    RenameOptions options() const;

private:
    Controls m_controls;
};

} // namespace vornak
