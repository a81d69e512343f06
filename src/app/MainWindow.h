#pragma once

#include "core/names/RenameState.h"
#include "platform/Platform.h"
#include "rename/PreviewLabel.h"
#include "rename/RenameEngine.h"
#include "rename/RenameOptionControls.h"
#include "rename/RenameUndo.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/FolderList.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

#include <array>

namespace vornak {

// The one table of control names: each control of the main window by its role in the code,
// and the name it carries as objectName(), by which tests and the end-to-end run find it.
namespace controlName {
inline constexpr char window[] = "Form1";
inline constexpr char frame[] = "Frame1";
inline constexpr char fileList[] = "File1";
inline constexpr char folderList[] = "Dir1";
inline constexpr char driveList[] = "Drive1";
inline constexpr char addressBox[] = "T3";
inline constexpr char batchMode[] = "Op1";
inline constexpr char singleMode[] = "Op2";
inline constexpr char nameFilter[] = "T2";
inline constexpr char extensionFilter[] = "T1";
inline constexpr char nameFilterCaption[] = "Label2";
inline constexpr char extensionFilterCaption[] = "Label1";
inline constexpr char runButton[] = "Command1";
// In the order of the options: prefix, suffix, new base name, new extension.
inline constexpr const char* optionChecks[] = {"Check1", "Check2", "Check3", "Check4"};
inline constexpr const char* optionTexts[] = {"Text1", "Text2", "Text3", "Text4"};
inline constexpr char previewLabel[] = "L1";
inline constexpr char splitterBar[] = "lab";
inline constexpr char previewTimer[] = "Timer1";
inline constexpr char fileMenu[] = "XuanXiang";
inline constexpr char openFolderAction[] = "DaKaiWenJianJia";
inline constexpr char openFileAction[] = "DaKaiWenJian";
inline constexpr char deleteFileAction[] = "ShanChuWenJian";
inline constexpr char checkMenu[] = "jiancha";
inline constexpr char checkFileAction[] = "jianchawenjian";
inline constexpr char checkAllAction[] = "quantijiancha";
inline constexpr char checkContentsAction[] = "neirongjiancha";
inline constexpr char batchPreviewAction[] = "PiLiangYuLan";
inline constexpr char undoRenameAction[] = "CheXiaoChongMingMing";
} // namespace controlName

// The main window with every control, the popup menu of the file list, and the reactions
// wired to the controls' signals.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);

    // The load steps, run once before the window is first shown.
    void load();

private:
    void buildControls();
    void buildPopupMenu();
    void setTabOrder();
    void connectReactions();
    // The lists start on the platform's start folder, before the load steps run.
    void showStartFolder();

    Platform& m_platform;
    RenameState m_renameState;

    QFrame* m_frame = nullptr;
    FileList* m_fileList = nullptr;
    FolderList* m_folderList = nullptr;
    DriveList* m_driveList = nullptr;
    QLineEdit* m_addressBox = nullptr;
    QRadioButton* m_batchMode = nullptr;
    QRadioButton* m_singleMode = nullptr;
    QLineEdit* m_nameFilter = nullptr;
    QLineEdit* m_extensionFilter = nullptr;
    QPushButton* m_runButton = nullptr;
    std::array<QCheckBox*, RenameOptionControls::kPairs> m_optionChecks{};
    std::array<QLineEdit*, RenameOptionControls::kPairs> m_optionTexts{};
    PreviewLabel* m_previewLabel = nullptr;
    QLabel* m_splitterBar = nullptr;
    QTimer* m_previewTimer = nullptr;

    QMenu* m_fileMenu = nullptr;
    QAction* m_openFolderAction = nullptr;
    QAction* m_openFileAction = nullptr;
    QAction* m_deleteFileAction = nullptr;
    QAction* m_checkFileAction = nullptr;
    QAction* m_checkAllAction = nullptr;
    QAction* m_checkContentsAction = nullptr;
    QAction* m_batchPreviewAction = nullptr;
    QAction* m_undoRenameAction = nullptr;

    RenameEngine* m_renameEngine = nullptr;
    RenameUndo* m_renameUndo = nullptr;
};

} // namespace vornak
