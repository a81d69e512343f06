#pragma once

#include "Splitter.h"

#include "browser/AddressBox.h"
#include "browser/FileCommands.h"
#include "browser/Navigation.h"
#include "core/FolderPath.h"
#include "core/RenameState.h"
#include "dupcheck/SizeCheck.h"
#include "platform/Platform.h"
#include "rename/LivePreview.h"
#include "rename/PreviewLabel.h"
#include "rename/RenameOptionControls.h"
#include "rename/RenameRun.h"
#include "widgets/ClickSignals.h"
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

#include <memory>

namespace vornak {

// Form1: the main window with every control, the popup menu of the file list, and the
// wiring of each control's events to the reaction that handles it.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load steps, run once before the window is first shown.
    void load();

    // Opens a file or folder with the desktop's default program; failures go unreported.
    void Http(const QByteArray& path);

private:
    void buildControls();
    void buildPopupMenu();
    void setTabOrder();
    void connectReactions();
    // The lists start on the platform's start folder, before the load steps run.
    void showProcessFolder();

    Platform& m_platform;
    FolderPath m_folderPath;

    QFrame* m_frame1 = nullptr;
    FileList* m_file1 = nullptr;
    FolderList* m_dir1 = nullptr;
    DriveList* m_drive1 = nullptr;
    QLineEdit* m_t3 = nullptr;
    QRadioButton* m_op1 = nullptr;
    QRadioButton* m_op2 = nullptr;
    QLineEdit* m_t2 = nullptr;
    QLineEdit* m_t1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QLineEdit* m_text[4] = {};
    QCheckBox* m_check[4] = {};
    PreviewLabel* m_l1 = nullptr;
    QLabel* m_lab = nullptr;
    QTimer* m_timer1 = nullptr;

    QMenu* m_xuanXiang = nullptr;
    QMenu* m_jiancha = nullptr;
    QAction* m_daKaiWenJianJia = nullptr;
    QAction* m_daKaiWenJian = nullptr;
    QAction* m_shanChuWenJian = nullptr;
    QAction* m_jianchawenjian = nullptr;
    QAction* m_quantijiancha = nullptr;

    std::unique_ptr<Navigation> m_navigation;
    std::unique_ptr<AddressBox> m_addressBox;
    ClickSignals* m_t3Clicks = nullptr;
    std::unique_ptr<Splitter> m_splitter;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<SizeCheck> m_sizeCheck;

    RenameState m_renameState;
    std::unique_ptr<RenameOptionControls> m_renameOptions;
    std::unique_ptr<LivePreview> m_livePreview;
    std::unique_ptr<RenameRun> m_renameRun;
};

} // namespace vornak
