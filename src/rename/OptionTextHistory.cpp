#include "OptionTextHistory.h"

#include "core/plan/ProgramSettings.h"
#include "core/plan/RecentTexts.h"

#include <QKeyEvent>

#include <algorithm>

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
        // Only ↓ opens the list: a list that opened while typing would take the next click,
        // on 执行 say, only to close itself.
        auto* completer = new QCompleter(m_recent[pair], text);
        completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
        completer->setWidget(text);
        connect(completer, qOverload<const QString&>(&QCompleter::activated), text,
                &QLineEdit::setText);
        m_completers[pair] = completer;
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
    // The open list takes ↓ itself; in the box, ↓ lists every text, whatever the box holds.
    if (event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->keyCombination() != QKeyCombination(Qt::Key_Down))
        return false;
    const auto box = std::find(m_texts.begin(), m_texts.end(), watched);
    if (box == m_texts.end())
        return false;
    m_completers[std::size_t(box - m_texts.begin())]->complete();
    return true;
}

} // namespace vornak
