#include "RenameOptionControls.h"

#include "core/names/OptionText.h"

#include "widgets/CaptionColour.h"

namespace vornak {

RenameOptionControls::RenameOptionControls(Controls controls, QObject* parent)
    : QObject(parent), m_controls(controls)
{
    for (QCheckBox* check : m_controls.checks)
        connect(check, &QCheckBox::toggled, this, &RenameOptionControls::changed);
    for (QLineEdit* text : m_controls.texts)
        connect(text, &QLineEdit::textChanged, this, &RenameOptionControls::changed);
    connect(&m_controls.batchMode, &QRadioButton::toggled, this, &RenameOptionControls::changed);
}

void RenameOptionControls::showTickedOptions()
{
    for (std::size_t pair = 0; pair < kPairs; ++pair) {
        QCheckBox& check = *m_controls.checks[pair];
        const bool ticked = check.isChecked();
        m_controls.texts[pair]->setEnabled(ticked);
        setCaptionColour(check, ticked ? kHighlightColour : kNormalColour);
    }
}

void RenameOptionControls::showSelectedMode()
{
    const bool batch = m_controls.batchMode.isChecked();
    QRadioButton& selected = batch ? m_controls.batchMode : m_controls.singleMode;
    QRadioButton& other = batch ? m_controls.singleMode : m_controls.batchMode;
    setCaptionColour(selected, kHighlightColour);
    setCaptionColour(other, kNormalColour);
}

void RenameOptionControls::cleanOptionTexts()
{
    for (QLineEdit* text : m_controls.texts) {
        const QString current = text->text();
        const QString cleaned = withoutForbiddenNameChars(current);
        if (cleaned.size() == current.size())
            continue;
        text->setText(cleaned);
        text->setCursorPosition(0);
    }
}

void RenameOptionControls::setOptions(const RenameOptions& options)
{
    const std::array<const OptionInput*, kPairs> inputs{
        &options.prefix, &options.suffix, &options.newBaseName, &options.newExtension};
    for (std::size_t pair = 0; pair < kPairs; ++pair) {
        m_controls.texts[pair]->setText(inputs[pair]->input);
        if (m_controls.checks[pair]->isChecked() != inputs[pair]->checked)
            m_controls.checks[pair]->click();
    }
    QRadioButton& mode =
        options.mode == RenameMode::Batch ? m_controls.batchMode : m_controls.singleMode;
    if (!mode.isChecked())
        mode.click();
}

RenameOptions RenameOptionControls::options() const
{
    const auto input = [this](std::size_t pair) {
        return OptionInput{m_controls.checks[pair]->isChecked(), m_controls.texts[pair]->text()};
    };
    return {m_controls.batchMode.isChecked() ? RenameMode::Batch : RenameMode::Single, input(0),
            input(1), input(2), input(3)};
}

} // namespace vornak
