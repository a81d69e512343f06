#include "texts/InterfaceLanguage.h"

#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

using namespace vornak;

namespace {

// Qt's own texts as a user meets them: a message box's buttons and a text box's popup menu.
QStringList qtTexts()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    QStringList texts{box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text()};
    QLineEdit edit(QStringLiteral("名字"));
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts.append(action->text().section(u'\t', 0, 0));
    }
    return texts;
}

void removeTranslations()
{
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(translator);
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // LANGUAGE, LC_ALL, LC_MESSAGES, LANG.
    void chosen_data()
    {
        QTest::addColumn<QByteArrayList>("variables");
        QTest::addColumn<InterfaceLanguage>("expected");
        const auto chinese = InterfaceLanguage::Chinese;
        const auto english = InterfaceLanguage::English;
        QTest::newRow("nothing set") << QByteArrayList{"", "", "", ""} << chinese;
        QTest::newRow("LANG=C") << QByteArrayList{"", "", "", "C"} << chinese;
        QTest::newRow("POSIX, C.UTF-8") << QByteArrayList{"", "C.UTF-8", "", "POSIX"} << chinese;
        QTest::newRow("English") << QByteArrayList{"", "", "", "en_US.UTF-8"} << english;
        QTest::newRow("Chinese") << QByteArrayList{"", "", "", "zh_CN.UTF-8"} << chinese;
        QTest::newRow("any other language") << QByteArrayList{"", "", "", "de_DE"} << english;
        QTest::newRow("LANGUAGE's first entry")
            << QByteArrayList{"de:zh_CN", "", "", "zh_CN.UTF-8"} << english;
        QTest::newRow("LANGUAGE before LANG")
            << QByteArrayList{"zh_TW:en", "", "", "en_GB"} << chinese;
        QTest::newRow("LC_ALL before LANG") << QByteArrayList{"", "fr_FR", "", "zh_CN"} << english;
        QTest::newRow("LC_ALL=C names none") << QByteArrayList{"", "C", "", "ja_JP"} << english;
        QTest::newRow("LC_MESSAGES before LANG")
            << QByteArrayList{"", "", "zh_HK", "en_US"} << chinese;
    }
    void chosen()
    {
        QFETCH(QByteArrayList, variables);
        QFETCH(InterfaceLanguage, expected);
        QCOMPARE(languageNamedBy(variables[0], variables[1], variables[2], variables[3]), expected);
    }

    // Chinese shows Qt's own texts in Chinese too; English shows ours translated and leaves Qt's
    // in English.
    void installed()
    {
        installTranslations(InterfaceLanguage::Chinese);
        QCOMPARE(qtTexts(), (QStringList{"是(&Y)", "否(&N)", "撤消(&U)", "重做(&R)", "剪切(&T)",
                                         "复制(&C)", "粘贴(&P)", "删除", "全选"}));
        QCOMPARE(QCoreApplication::translate("RenameStatus", "将更改"), "将更改");
        removeTranslations();
        installTranslations(InterfaceLanguage::English);
        QCOMPARE(qtTexts().first(), "&Yes");
        QCOMPARE(QCoreApplication::translate("RenameStatus", "将更改"), "will change");
    }
};

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
