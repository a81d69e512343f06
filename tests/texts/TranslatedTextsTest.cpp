#include "texts/ContentReport.h"
#include "texts/FullCheckReport.h"
#include "texts/SystemReason.h"

#include <QTest>
#include <QTranslator>

#include <cerrno>

using namespace vornak;

namespace {

// Stands for the English translation to come: every text it is asked for comes back marked.
class MarkingTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return "EN " + QString::fromUtf8(source);
    }
};

NameList twoNames()
{
    NameList names;
    names.append("a");
    names.append("b");
    return names;
}

} // namespace

// Texts follow the translator installed at start: constants made before it, table entries
// marked for translation, and the lines of a report.
class TranslatedTextsTest : public QObject {
    Q_OBJECT
    MarkingTranslator m_translator;

private Q_SLOTS:
    void initTestCase() { QVERIFY(QCoreApplication::installTranslator(&m_translator)); }

    void translated_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a constant") << QString(kNoIdenticalFiles) << "EN 没有内容相同的文件!";
        QTest::newRow("a system reason") << systemReasonText(EROFS) << "EN 只读文件系统";
        QTest::newRow("a report's line") << FullCheckReport(twoNames(), {1, 1}).line(1)
                                         << "EN 文件 “a” 跟 “b” 大小一致，可能是重复文件";
    }
    void translated()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

QTEST_GUILESS_MAIN(TranslatedTextsTest)
#include "TranslatedTextsTest.moc"
