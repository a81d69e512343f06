#include "RenameOptionControls.h"

#include "core/OptionText.h"

#include "widgets/CaptionColour.h"

namespace vornak {

RenameOptionControls::RenameOptionControls(Controls controls) : m_controls(controls) {}

void RenameOptionControls::onCheckClicked(std::size_t pair)
{
    QCheckBox& check = *m_controls.checks[pair];
    const bool ticked = check.isChecked();
    m_controls.texts[pair]->setEnabled(ticked);
    setCaptionColour(check, ticked ? kHighlightColour : kNormalColour);
}

void RenameOptionControls::onModeClicked()
{
    const bool batch = m_controls.op1.isChecked();
    QRadioButton& selected = batch ? m_controls.op1 : m_controls.op2;
    QRadioButton& other = batch ? m_controls.op2 : m_controls.op1;
    setCaptionColour(selected, kHighlightColour);
    setCaptionColour(other, kNormalColour);
}

void RenameOptionControls::CleanOptionText(std::size_t pair)
{
    QLineEdit& text = *m_controls.texts[pair];
    const QString current = text.text();
    const QString cleaned = withoutForbiddenNameChars(current);
    if (cleaned.size() == current.size())
        return;
    text.setText(cleaned);
    text.setCursorPosition(0);
}

RenameOptions RenameOptionControls::options() const
{
    const auto input = [this](std::size_t pair) {
        return OptionInput{m_controls.checks[pair]->isChecked(), m_controls.texts[pair]->text()};
    };
    return {m_controls.op1.isChecked() ? RenameMode::Batch : RenameMode::Single, input(0), input(1),
            input(2), input(3)};
}

} // namespace vornak
