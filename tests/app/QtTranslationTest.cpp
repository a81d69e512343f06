#include "app/QtTranslation.h"

#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace vornak;

// Qt's own texts read Chinese whatever the locale: the test runs under an English one.
class QtTranslationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void messageBoxAndTextBoxMenu()
    {
        installQtTranslation();
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
        QStringList texts;
        for (auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok})
            texts.append(box.button(button)->text());
        QLineEdit edit(QStringLiteral("名字"));
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator())
                texts.append(action->text().section(u'\t', 0, 0));
        }
        QCOMPARE(texts, (QStringList{"是(&Y)", "否(&N)", "确定", "撤消(&U)", "重做(&R)", "剪切(&T)",
                                     "复制(&C)", "粘贴(&P)", "删除", "全选"}));
    }
};

QTEST_MAIN(QtTranslationTest)
#include "QtTranslationTest.moc"
