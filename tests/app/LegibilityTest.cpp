#include "app/AppFont.h"
#include "app/MainWindow.h"
#include "platform/Skin.h"
#include "support/TestPlatform.h"
#include "texts/InterfaceLanguage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace vornak;

namespace {

void setShownText(QWidget& control, const QString& text)
{
    if (auto* list = qobject_cast<QComboBox*>(&control)) {
        list->setItemText(list->currentIndex(), text);
    } else if (auto* box = qobject_cast<QLineEdit*>(&control)) {
        // The start of a longer text stays in view.
        box->setText(text);
        box->setCursorPosition(0);
    } else {
        control.setProperty("text", text);
    }
}

// Where the control draws the text, in device pixels: where its pictures with and without
// the text differ.
QRect inkOf(QWidget& control, const QString& text)
{
    const QString shown = control.property("text").toString();
    setShownText(control, QString());
    const QImage without = control.grab().toImage();
    setShownText(control, text);
    const QImage with = control.grab().toImage();
    setShownText(control, shown);
    QRect ink;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// The text's ink in the control made taller (and, for captions, wider) by whole pixels on
// each side: what the whole text covers, centred text moved but drawn alike.
QRect inkWithRoom(QWidget& control, const QString& text, bool across)
{
    const QRect geometry = control.geometry();
    const int room = 2 * control.fontMetrics().height();
    control.setGeometry(geometry.adjusted(0, -room, across ? 2 * room : 0, room));
    const QRect ink = inkOf(control, text);
    control.setGeometry(geometry);
    return ink;
}

} // namespace

// Every caption and text box of the main window shows its text whole in the program's font, at
// whatever scale and language the run sets (QT_SCALE_FACTOR, LANG): no text pixel on the control's
// top or bottom row, or the last column of a caption, and nothing cut off.
class LegibilityTest : public QObject {
    Q_OBJECT

    test::TestPlatform m_platform;
    std::unique_ptr<MainWindow> m_window;

private Q_SLOTS:
    void initTestCase()
    {
        installTranslations(desktopLanguage());
        applyAppFont();
        Skin::attach();
        m_window = std::make_unique<MainWindow>(m_platform);
        m_window->load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanupTestCase() { m_window.reset(); }

    // The control, the text it shows (none: its own caption), and whether the whole text must
    // fit across it (text boxes scroll a longer text sideways; captions start at the left
    // edge).
    void textIsWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("across");
        const QString sample = QStringLiteral("前_gjpqy_test_file.txt");
        for (const char* caption :
             {"Op1", "Op2", "Label1", "Label2", "Command1", "Check1", "Check2", "Check3", "Check4"})
            QTest::addRow("%s", caption) << caption << QString() << true;
        QTest::addRow("L1") << "L1" << sample << true;
        for (const char* box : {"Drive1", "T3", "T2", "T1", "Text1", "Text2", "Text3", "Text4"})
            QTest::addRow("%s", box) << box << sample << false;
    }

    void textIsWhole()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, across);
        auto* control = m_window->findChild<QWidget*>(name);
        QVERIFY(control);
        if (text.isEmpty())
            text = control->property("text").toString();
        const QSize size = control->size() * control->devicePixelRatio();
        const QRect ink = inkOf(*control, text);
        const QRect whole = inkWithRoom(*control, text, across);
        QString seen;
        QDebug(&seen) << "control" << size << "text" << ink << "whole" << whole.size();
        QVERIFY2(ink.top() > 0 && ink.bottom() < size.height() - 1, qPrintable(seen));
        QVERIFY2(ink.height() == whole.height(), qPrintable(seen));
        if (across) {
            QVERIFY2(ink.right() < size.width() - 1, qPrintable(seen));
            QVERIFY2(ink.width() == whole.width(), qPrintable(seen));
        }
    }
};

QTEST_MAIN(LegibilityTest)
#include "LegibilityTest.moc"
