#include "core/PhotoDate.h"
#include "core/NumberingOrder.h"
#include "support/TestJpeg.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace vornak;
using vornak::test::jpegTakenAt;
using vornak::test::plainJpeg;

Q_DECLARE_METATYPE(std::optional<QDateTime>)
Q_DECLARE_METATYPE(vornak::NumberingOrder)

namespace {

// Written with stdio, so that a name that is not UTF-8 keeps its bytes.
bool writeFile(const QByteArray& path, const QByteArray& content)
{
    std::FILE* file = std::fopen(path.constData(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(content.constData(), 1, std::size_t(content.size()), file) ==
                         std::size_t(content.size());
    return std::fclose(file) == 0 && written;
}

QDateTime at(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(12, 34, 56));
}

} // namespace

class PhotoDateTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsTheDateTaken_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<std::optional<QDateTime>>("expected");
        QTest::newRow("a camera's JPEG")
            << QByteArray("IMG_0001.JPG") << jpegTakenAt("2021:07:04 12:34:56")
            << std::optional(at(2021, 7, 4));
        QTest::newRow("a name that is not UTF-8")
            << QByteArray("caf\xe9.jpg") << jpegTakenAt("2019:05:05 12:34:56")
            << std::optional(at(2019, 5, 5));
        QTest::newRow("a JPEG without EXIF")
            << QByteArray("plain.jpg") << plainJpeg() << std::optional<QDateTime>();
        QTest::newRow("the blank date of an unset clock")
            << QByteArray("unset.jpg") << jpegTakenAt("0000:00:00 00:00:00")
            << std::optional<QDateTime>();
        QTest::newRow("text") << QByteArray("notes.jpg") << QByteArray("not a picture")
                              << std::optional<QDateTime>();
        QTest::newRow("a JPEG cut short in its EXIF")
            << QByteArray("cut.jpg") << jpegTakenAt("2021:07:04 12:34:56").left(30)
            << std::optional<QDateTime>();
    }
    void readsTheDateTaken()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, content);
        QFETCH(std::optional<QDateTime>, expected);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
        QVERIFY(writeFile(path, content));
        QCOMPARE(photoTakenAt(path), expected);
        QVERIFY(std::remove(path.constData()) == 0);
    }

    void missingFileHasNoDate() { QCOMPARE(photoTakenAt("/nonexistent/IMG.JPG"), std::nullopt); }

    // Three photos in list order b, a, c: b and c carry dates, a has none and falls back to its
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
        QTemporaryDir dir;
        const struct {
            const char* name;
            QByteArray content;
            QDateTime modified;
        } photos[] = {{"b.jpg", jpegTakenAt("2021:07:04 12:34:56"), at(2022, 1, 1)},
                      {"a.jpg", plainJpeg(), at(2020, 1, 1)},
                      {"c.jpg", jpegTakenAt("2019:05:05 12:34:56"), at(2023, 1, 1)}};
        std::vector<FileDates> dates;
        for (const auto& photo : photos) {
            QFile file(dir.filePath(QString::fromLatin1(photo.name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write(photo.content) == photo.content.size() && file.flush());
            QVERIFY(file.setFileTime(photo.modified, QFileDevice::FileModificationTime));
            file.close();
            const std::optional<QDateTime> taken = photoTakenAt(QFile::encodeName(file.fileName()));
            dates.push_back({file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch(),
                             taken ? std::optional(taken->toMSecsSinceEpoch()) : std::nullopt});
        }
        const Numbering numbering = numberingOrder(order, dates.size(), dates);
        QCOMPARE(QList<qsizetype>(numbering.positions.begin(), numbering.positions.end()),
                 positions);
        QCOMPARE(QList<bool>(numbering.modifiedInstead.begin(), numbering.modifiedInstead.end()),
                 modifiedInstead);
    }
};

QTEST_GUILESS_MAIN(PhotoDateTest)
#include "PhotoDateTest.moc"
