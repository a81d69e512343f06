#pragma once

#include "TestFiles.h"
#include "TestPlatform.h"
#include "app/MainWindow.h"
#include "core/plan/ProgramSettings.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace vornak::test {

// The main window on the test platform, started in a temporary folder of its own and shown
// off screen, with the controls the tests drive found by their described names.
// Its undo journal and trash are its own too, so that no run of another test is offered for
// undo.
struct MainWindowFixture {
    MainWindowFixture()
    {
        platform.folderAtStart = folder();
        qputenv("XDG_STATE_HOME", QFile::encodeName(homes.filePath(QStringLiteral("state"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(homes.filePath(QStringLiteral("data"))));
        // The settings file's place is fixed by its first use in the process: cleared, it
        // holds nothing of an earlier window.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(homes.filePath(QStringLiteral("config"))));
        ProgramSettings().clear();
    }
    ~MainWindowFixture()
    {
        removeUndecodableFiles(folder());
        qputenv("XDG_STATE_HOME", stateHomeBefore);
        qputenv("XDG_DATA_HOME", dataHomeBefore);
        qputenv("XDG_CONFIG_HOME", configHomeBefore);
    }

    // Builds the window, runs its load steps and shows it; false when it does not appear or a
    // control is missing.
    [[nodiscard]] bool open()
    {
        window = std::make_unique<MainWindow>(platform);
        window->load();
        window->show();
        window->activateWindow();
        bool all = QTest::qWaitForWindowActive(window.get()) && found(fileList, "File1") &&
                   found(folderList, "Dir1") && found(driveList, "Drive1") &&
                   found(addressBox, "T3") && found(singleMode, "Op2") &&
                   found(runButton, "Command1") && found(previewLabel, "L1") &&
                   found(previewTimer, "Timer1");
        for (std::size_t i = 0; i < optionChecks.size(); ++i)
            all = all && found(optionChecks[i], QStringLiteral("Check%1").arg(i + 1)) &&
                  found(optionTexts[i], QStringLiteral("Text%1").arg(i + 1));
        return all;
    }
    // True once the rename run or undo under way, if any, has ended and its outcome is shown.
    [[nodiscard]] bool jobEnded() const
    {
        const auto* engine = window->findChild<RenameEngine*>();
        return QTest::qWaitFor([engine] { return !engine->isBusy(); }, 60000);
    }
    QByteArray folder() const { return QFile::encodeName(dir.path()); }
    QByteArray at(const QByteArray& relative) const { return folder() + '/' + relative; }
    QList<QByteArray> listed() const
    {
        QList<QByteArray> names;
        for (int i = 0; i < fileList->count(); ++i)
            names.append(fileList->entryName(i));
        return names;
    }
    // Chooses the menu item of this name, or with an empty name clicks the folder list's current
    // folder; each of them reads the file list again. False when there is no such item.
    [[nodiscard]] bool refreshThrough(const QString& item = {}) const
    {
        if (!item.isEmpty()) {
            auto* action = find<QAction>(item);
            if (action)
                action->trigger();
            return action != nullptr;
        }
        QTreeWidgetItem* current = folderList->currentItem();
        folderList->scrollToItem(current);
        QTest::mouseClick(folderList->viewport(), Qt::LeftButton, {},
                          folderList->visualItemRect(current).center());
        return true;
    }
    template <typename T = QWidget> T* find(const QString& name) const
    {
        return window->findChild<T*>(name);
    }
    template <typename T> bool found(T*& control, const QString& name) const
    {
        return (control = find<T>(name)) != nullptr;
    }

    const QByteArray stateHomeBefore = qgetenv("XDG_STATE_HOME");
    const QByteArray dataHomeBefore = qgetenv("XDG_DATA_HOME");
    const QByteArray configHomeBefore = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir homes;
    QTemporaryDir dir;
    TestPlatform platform;
    std::unique_ptr<MainWindow> window;
    FileList* fileList = nullptr;
    FolderList* folderList = nullptr;
    DriveList* driveList = nullptr;
    QLineEdit* addressBox = nullptr;
    QRadioButton* singleMode = nullptr;
    QPushButton* runButton = nullptr;
    std::array<QCheckBox*, 4> optionChecks{};
    std::array<QLineEdit*, 4> optionTexts{};
    QLabel* previewLabel = nullptr;
    QTimer* previewTimer = nullptr;
};

} // namespace vornak::test
