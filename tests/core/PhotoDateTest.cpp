#include "core/fields/PhotoDate.h"
#include "core/names/DateTexts.h"
#include "core/plan/NumberingOrder.h"
#include "support/TestFiles.h"
#include "support/TestJpeg.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace vornak;
using namespace Qt::StringLiterals;
using vornak::test::jpeg;

Q_DECLARE_METATYPE(std::optional<QDateTime>)
Q_DECLARE_METATYPE(vornak::NumberingOrder)

namespace {

std::optional<QDateTime> at(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(12, 34, 56));
}

} // namespace

class PhotoDateTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsTheDateTaken_data()
    {
        QTest::addColumn<QByteArray>("name"); // empty: no such file
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<std::optional<QDateTime>>("expected");
        const std::optional<QDateTime> none;
        QTest::newRow("a camera's JPEG")
            << "IMG_0001.JPG"_ba << jpeg("2021:07:04 12:34:56") << at(2021, 7, 4);
        QTest::newRow("a name that is not UTF-8")
            << "caf\xe9.jpg"_ba << jpeg("2019:05:05 12:34:56") << at(2019, 5, 5);
        QTest::newRow("a JPEG without EXIF") << "plain.jpg"_ba << jpeg() << none;
        QTest::newRow("the blank date of an unset clock")
            << "unset.jpg"_ba << jpeg("0000:00:00 00:00:00") << none;
        QTest::newRow("text") << "notes.jpg"_ba
                              << "not a picture"_ba << none;
        QTest::newRow("a JPEG cut short in its EXIF")
            << "cut.jpg"_ba << jpeg("2021:07:04 12:34:56").left(30) << none;
        QTest::newRow("no such file") << ""_ba
                                      << ""_ba << none;
    }
    void readsTheDateTaken()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, content);
        QFETCH(std::optional<QDateTime>, expected);
        QTemporaryDir dir;
        const QByteArray path =
            QFile::encodeName(dir.path()) + '/' + (name.isEmpty() ? "missing.jpg"_ba : name);
        QVERIFY(name.isEmpty() || test::writeFile(path, content));
        const auto remove = qScopeGuard([&path] { ::unlink(path.constData()); });
        QCOMPARE(photoTakenAt(path), expected);
    }

    // Dates in list order b, a, c: b and c carry photo dates, a has none and falls back to its
    // modification time, which lies between them.
    void ordersByDate_data()
    {
        QTest::addColumn<NumberingOrder>("order");
        QTest::addColumn<QList<qsizetype>>("positions");
        QTest::addColumn<QList<bool>>("modifiedInstead");
        QTest::newRow("list") << NumberingOrder::List << QList<qsizetype>{1, 2, 3}
                              << QList<bool>{false, false, false};
        QTest::newRow("modification time") << NumberingOrder::Modified << QList<qsizetype>{2, 1, 3}
                                           << QList<bool>{false, false, false};
        QTest::newRow("date taken, a by its modification time")
            << NumberingOrder::Taken << QList<qsizetype>{3, 2, 1}
            << QList<bool>{false, true, false};
    }
    void ordersByDate()
    {
        QFETCH(NumberingOrder, order);
        QFETCH(QList<qsizetype>, positions);
        QFETCH(QList<bool>, modifiedInstead);
        const std::vector<FileDates> dates{{2022, 2021, {}}, {2020, {}, {}}, {2023, 2019, {}}};
        const Numbering numbering = numberingOrder(order, dates.size(), dates);
        QCOMPARE(QList<qsizetype>(numbering.positions.begin(), numbering.positions.end()),
                 positions);
        QCOMPARE(QList<bool>(numbering.modifiedInstead.begin(), numbering.modifiedInstead.end()),
                 modifiedInstead);
    }

    // One writer over dates in turn: a day's text is given again only within that day, in
    // that format, across a change to summer time (a day of 23 hours) and back.
    void writesEachDateAsItsDay()
    {
        const QTimeZone berlin("Europe/Berlin");
        const QString day = u"yyyy-MM-dd ddd"_s;
        const QString month = u"MM'h'"_s;
        const QString hour = u"yyyy-MM-dd HH"_s;
        const std::pair<const char*, const QString*> dates[] = {
            {"2021-03-28T00:30", &day},   {"2021-03-28T23:30", &day},   {"2021-03-29T00:30", &day},
            {"2021-03-28T12:00", &month}, {"2021-04-01T00:00", &month}, {"2021-03-28T01:00", &day},
            {"2021-03-28T03:00", &hour},  {"2021-03-28T04:00", &hour},  {"2021-10-31T02:30", &day},
            {"2021-10-31T23:59", &day},   {"2021-11-01T00:00", &day},   {"2021-10-30T23:59", &day},
        };
        DateTexts texts(berlin);
        for (const auto& [local, format] : dates) {
            const QDateTime written =
                QDateTime::fromString(QString::fromLatin1(local), Qt::ISODate);
            const QDateTime at(written.date(), written.time(), berlin);
            QCOMPARE(texts.text(at.toMSecsSinceEpoch(), *format), at.toString(*format));
        }
        QVERIFY(!writesDayOnly(u"yy''h"));
        QVERIFY(writesDayOnly(u"dddd yy'h m s'"));
    }
};

QTEST_GUILESS_MAIN(PhotoDateTest)
#include "PhotoDateTest.moc"
