#pragma once

#include "MainWindowFixture.h"
#include "rename/RenameEngine.h"

#include <QSignalSpy>

namespace vornak::test {

// The main window on a folder of its own with its timer running, driven as a user drives the
// rename options and the run button.
struct RenameWindow : MainWindowFixture {
    // Makes the files; the nth file is n bytes long.
    void makeFiles(const QList<QByteArray>& names)
    {
        for (qsizetype i = 0; i < names.size(); ++i)
            QVERIFY(makeFile(at(names[i]), i + 1));
    }
    // Ticks option n with the mouse and gives its text box the text as a paste would, for
    // "n=text".
    void use(const QString& option)
    {
        const auto n = std::size_t(option.left(1).toInt() - 1);
        QTest::mouseClick(optionChecks[n], Qt::LeftButton);
        optionTexts[n]->setFocus();
        optionTexts[n]->insert(option.mid(2));
    }
    // True once the timer has ticked: the tick saw everything done before.
    bool waitForTick() { return QSignalSpy(previewTimer, &QTimer::timeout).wait(2000); }
    // Presses 执行, answers its question with Yes and, unless told not to, waits for the run
    // to end.
    void runAll(bool wait = true)
    {
        platform.answers.push_back(MessageAnswer::Yes);
        QTest::mouseClick(runButton, Qt::LeftButton);
        if (wait)
            QVERIFY(jobEnded());
    }
    RenameEngine& engine() const { return *window->findChild<RenameEngine*>(); }
    // The lines of the open outcome window; none when no window is open.
    QStringList outcome() const
    {
        const ResultsWindow* results = engine().resultsWindow();
        return results && results->isVisible() ? results->report().text().split(u'\r')
                                               : QStringList();
    }
};

} // namespace vornak::test
