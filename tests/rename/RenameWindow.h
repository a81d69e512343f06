#pragma once

#include "app/MainWindow.h"
#include "support/TestPlatform.h"

#include <QSignalSpy>
#include <QTest>

namespace vornak::test {

// The main window as the user sees it, shown off screen, with its timer running and the
// rename controls at hand by their names.
class RenameWindow {
public:
    RenameWindow()
    {
        window.load();
        window.show();
        window.activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(&window));
    }

    template <typename Widget> Widget& control(const QString& name)
    {
        auto* widget = window.findChild<Widget*>(name);
        Q_ASSERT(widget);
        return *widget;
    }
    FileList& file1() { return control<FileList>(QStringLiteral("File1")); }
    QCheckBox& check(int number)
    {
        return control<QCheckBox>(QStringLiteral("Check%1").arg(number));
    }
    QLineEdit& text(int number) { return control<QLineEdit>(QStringLiteral("Text%1").arg(number)); }
    QRadioButton& op1() { return control<QRadioButton>(QStringLiteral("Op1")); }
    QRadioButton& op2() { return control<QRadioButton>(QStringLiteral("Op2")); }
    QPushButton& command1() { return control<QPushButton>(QStringLiteral("Command1")); }
    QLabel& l1() { return control<QLabel>(QStringLiteral("L1")); }

    void showFolder(const QByteArray& path) { QVERIFY(file1().setPath(path)); }

    // Ticks CheckN with the mouse and gives its box the text, as a paste would.
    void useOption(int number, const QString& input)
    {
        QTest::mouseClick(&check(number), Qt::LeftButton);
        text(number).setFocus();
        text(number).insert(input);
    }

    // Shows the folder, selects an entry (-1: none), picks the mode, and uses options given
    // as "N=text" (tick CheckN, give TextN the text).
    void prepare(const QByteArray& folder, int selected, bool single, const QStringList& options)
    {
        showFolder(folder);
        file1().setSelectedIndex(selected);
        if (single)
            QTest::mouseClick(&op2(), Qt::LeftButton);
        for (const QString& option : options)
            useOption(option.left(1).toInt(), option.mid(2));
    }

    // Returns once Timer1 has ticked, so the tick has seen everything done before.
    bool waitForTick()
    {
        QSignalSpy tick(&control<QTimer>(QStringLiteral("Timer1")), &QTimer::timeout);
        return tick.wait(2000);
    }

    TestPlatform platform;
    MainWindow window{platform};
};

} // namespace vornak::test
