#pragma once

#include "platform/Platform.h"
#include "texts/FullCheckReport.h"
#include "texts/TranslatedText.h"
#include "widgets/FileList.h"
#include "widgets/ResultsWindow.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace vornak {

inline constexpr TranslatedText kResultsTitle{"SizeCheck",
                                              QT_TRANSLATE_NOOP("SizeCheck", "检查结果")};
// A single check's report of more lines than this goes to the results window, not a message
// box that would grow taller than the screen.
inline constexpr quint64 kMessageBoxLines = 20;

// The two checks for listed files of equal length: the selected file against the others
// ("检查文件"), and every pair of entries ("全体检查"); long reports go to the one results
// window.
class SizeCheck : public QObject {
    Q_OBJECT
public:
    SizeCheck(FileList& fileList, Platform& platform, QObject* parent);

    // The open results window, if any.
    ResultsWindow* resultsWindow() const { return m_resultsWindow; }

public Q_SLOTS:
    void checkFile();
    void checkAll();

private:
    void showInResultsWindow(std::unique_ptr<const ReportLines> report);

    FileList& m_fileList;
    Platform& m_platform;
    // The window outlives the main window and with it this object; it deletes itself when
    // the user closes it.
    QPointer<ResultsWindow> m_resultsWindow;
};

// The full check's report on the entries of the list as it stands: each entry is measured
// once.
std::unique_ptr<FullCheckReport> buildFullCheckReport(const FileList& fileList);

} // namespace vornak
