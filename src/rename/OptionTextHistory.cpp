#include "OptionTextHistory.h"

#include "core/plan/ProgramSettings.h"
#include "core/plan/RecentTexts.h"

#include <QKeyEvent>

namespace vornak {

namespace {

QString settingsKey(std::size_t pair)
{
    return QStringLiteral("history/text%1").arg(pair + 1);
}

} // namespace

OptionTextHistory::OptionTextHistory(const RenameOptionControls& options, Texts texts,
                                     QObject* parent)
    : QObject(parent), m_options(options), m_texts(texts)
{
    const ProgramSettings settings;
    for (std::size_t pair = 0; pair < m_texts.size(); ++pair) {
        QLineEdit* text = m_texts[pair];
        m_recent[pair] =
            new QStringListModel(settings.value(settingsKey(pair)).toStringList(), this);
        auto* completer = new QCompleter(m_recent[pair], text);
        // Names are case-sensitive, so "A" does not offer "a".
        completer->setCaseSensitivity(Qt::CaseSensitive);
        text->setCompleter(completer);
        text->installEventFilter(this);
    }
}

void OptionTextHistory::recordUsedTexts()
{
    const RenameOptions options = m_options.options();
    const std::array<const OptionInput*, RenameOptionControls::kPairs> inputs{
        &options.prefix, &options.suffix, &options.newBaseName, &options.newExtension};
    ProgramSettings settings;
    for (std::size_t pair = 0; pair < inputs.size(); ++pair) {
        if (!inputs[pair]->checked)
            continue;
        const QStringList before = m_recent[pair]->stringList();
        const QStringList after = withRecentText(before, inputs[pair]->input);
        if (after == before)
            continue;
        m_recent[pair]->setStringList(after);
        settings.setValue(settingsKey(pair), after);
    }
}

bool OptionTextHistory::eventFilter(QObject* watched, QEvent* event)
{
    // The line edit leaves ↓ to the popup once it shows; before, ↓ shows every text, whatever
    // the box holds.
    if (event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->keyCombination() != QKeyCombination(Qt::Key_Down))
        return false;
    QCompleter* completer = static_cast<QLineEdit*>(watched)->completer();
    completer->setCompletionPrefix(QString());
    completer->complete();
    return true;
}

} // namespace vornak
