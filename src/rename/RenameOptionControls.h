#pragma once

#include "core/names/RenameOptions.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QObject>
#include <QRadioButton>

#include <array>

namespace vornak {

// The four options (each a check box with the text box it governs) and the two mode buttons:
// their colouring, enabling and text cleaning, and the options as they stand right now.
class RenameOptionControls : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kPairs = 4;
    struct Controls {
        std::array<QCheckBox*, kPairs> checks;
        std::array<QLineEdit*, kPairs> texts;
        QRadioButton& batchMode;
        QRadioButton& singleMode;
    };

    RenameOptionControls(Controls controls, QObject* parent);

    RenameOptions options() const;
    // Sets the controls as the user would: each check box and mode button that must change is
    // clicked and each text is set, so the reactions of the controls run as for the user.
    void setOptions(const RenameOptions& options);

Q_SIGNALS:
    // Any option, text or the mode changed, by the user or otherwise.
    void changed();

public Q_SLOTS:
    // A text box is in use exactly while its check box is ticked; its text survives unticking.
    void showTickedOptions();
    void showSelectedMode();
    // Drops the forbidden characters from the text boxes. The whole text is replaced, so after
    // a removal the caret stands at the start.
    void cleanOptionTexts();

private:
    Controls m_controls;
};

} // namespace vornak
