#include "LivePreview.h"

#include "core/names/NameComposition.h"
#include "core/names/NativePath.h"
#include "platform/Messages.h"

namespace vornak {

namespace {

// Whether the text begins, after blanks, with a decimal number other than zero. The title
// bar holds either the program's name or a size display that begins with the size in bytes.
bool startsWithNonZeroNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            break;
        if (c != u'0')
            return true;
    }
    return false;
}

} // namespace

LivePreview::LivePreview(Controls controls, const RenameOptionControls& options, RenameState& state,
                         Platform& platform, QObject* parent)
    : QObject(parent), m_controls(controls), m_options(options), m_state(state),
      m_platform(platform)
{}

void LivePreview::tick()
{
    const FileList& fileList = m_controls.fileList;
    if (fileList.count() == 0) {
        m_controls.runButton.setEnabled(false);
        return;
    }
    const RenameOptions options = m_options.options();
    m_state = RenameState::from(options);
    const int selected = fileList.selectedIndex();
    m_controls.runButton.setEnabled(options.mode == RenameMode::Batch || selected >= 0);
    // Without a selection there is nothing to preview; the label keeps what it showed.
    if (selected < 0)
        return;
    const auto preview = ComposeNewName(fileList.entryName(selected), selected + 1, m_state,
                                        options.nameCase(), CompositionUse::Preview);
    if (preview)
        m_controls.previewLabel.setText(displayText(*preview));
}

void LivePreview::showDetails()
{
    const QString title = m_controls.window.windowTitle();
    const QString preview = m_controls.previewLabel.text();
    const QString newName = tr("更改后文件名：") + preview;
    if (startsWithNonZeroNumber(title))
        m_platform.messageBox(tr("文件大小：") + title + kLineBreak + newName, MessageButtons::Ok,
                              kProgramTitle);
    else if (!preview.isEmpty())
        m_platform.messageBox(newName, MessageButtons::Ok, kProgramTitle);
}

} // namespace vornak
