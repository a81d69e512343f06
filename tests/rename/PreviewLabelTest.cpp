#include "rename/PreviewLabel.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

using namespace vornak;

class PreviewLabelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A name too long for the label is drawn shortened in the middle, its extension in view, and
    // shows whole as the tooltip; text() stays whole for the details.
    void elidesInTheMiddle_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shortened");
        QTest::newRow("fits") << QStringLiteral("旅行 001.jpeg") << false;
        QTest::newRow("too long") << QString(120, u'旅') + QStringLiteral(" 001.jpeg") << true;
    }
    void elidesInTheMiddle()
    {
        QFETCH(QString, name);
        QFETCH(bool, shortened);
        PreviewLabel label;
        label.resize(255, 13);
        label.show();
        label.setText(name);
        const QString shown = label.shownText();
        QCOMPARE(label.text(), name);
        QCOMPARE(shown != name, shortened);
        QVERIFY(shown.endsWith(QStringLiteral("001.jpeg")) && shown.startsWith(u'旅'));
        QVERIFY(label.fontMetrics().horizontalAdvance(shown) <= label.contentsRect().width());
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&label, &help);
        QCOMPARE(QToolTip::text(), shortened ? name : QString());
        QToolTip::hideText();
    }
};

QTEST_MAIN(PreviewLabelTest)
#include "PreviewLabelTest.moc"
