#pragma once

#include "widgets/ResultsWindow.h"

#include "platform/Platform.h"
#include "widgets/FileList.h"

#include <QObject>
#include <QPointer>

namespace vornak {

// The two checks for listed files of equal length: the selected file against the others
// ("检查文件"), and every pair of entries ("全体检查"), whose report goes to the one results
// window.
class SizeCheck : public QObject {
    Q_OBJECT
public:
    SizeCheck(FileList& fileList, Platform& platform, QObject* parent);

    // The open results window, if any.
    ResultsWindow* resultsWindow() const { return m_form2; }

public Q_SLOTS:
    void checkFile();
    void checkAll();

private:
    void showReport(const QString& report);

    FileList& m_fileList;
    Platform& m_platform;
    // The window outlives the main window and with it this object; it deletes itself when
    // the user closes it.
    QPointer<ResultsWindow> m_form2;
};

// The full check's report on the entries of the list as it stands (empty when nothing
// matches): each entry is measured once.
QString buildFullCheckReport(const FileList& fileList);

} // namespace vornak
