#include "platform/SystemPlatform.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace vornak;

class SystemPlatformTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every message box belongs to the window given to the platform and opens in its middle,
    // whichever window is active.
    void messageBoxIsCentredOnTheParentWindow()
    {
        QWidget window;
        window.setGeometry(20, 40, 323, 277);
        window.show();
        QWidget other;
        other.setGeometry(440, 300, 200, 150);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window) && QTest::qWaitForWindowActive(&other));
        SystemPlatform platform;
        platform.setParentWindow(&window);
        QRect shownAt;
        QTimer::singleShot(0, this, [&shownAt] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                shownAt = box->geometry();
                box->close();
            }
        });
        QCOMPARE(platform.messageBox(QStringLiteral("确定删除吗？"), MessageButtons::YesNo,
                                     QStringLiteral("Vornak")),
                 MessageAnswer::No);
        QVERIFY(shownAt.isValid());
        const QPoint offCentre = shownAt.center() - window.geometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));
    }
};

QTEST_MAIN(SystemPlatformTest)
#include "SystemPlatformTest.moc"
