#include "core/PhotoDate.h"
#include "core/NumberingOrder.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace vornak;

Q_DECLARE_METATYPE(std::optional<QDateTime>)
Q_DECLARE_METATYPE(vornak::NumberingOrder)

namespace {

// A real 8x8 JPEG as Qt writes it.
QByteArray plainJpeg()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return buffer.data();
}

// The JPEG with an APP1 segment after its start marker, built by hand as cameras write it: a
// little-endian TIFF block whose first directory points to the Exif directory, which holds
// DateTimeOriginal.
QByteArray jpegTakenAt(const QByteArray& date)
{
    QByteArray tiff("II*\0", 4);
    const auto u16 = [&](int v) { tiff.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF)); };
    const auto u32 = [&](int v) { u16(v & 0xFFFF), u16(v >> 16); };
    u32(8);
    u16(1), u16(0x8769), u16(4), u32(1), u32(26), u32(0);  // first directory: Exif at 26
    u16(1), u16(0x9003), u16(2), u32(20), u32(44), u32(0); // Exif directory: date at 44
    tiff.append(date.leftJustified(19, ' ', true)).append('\0');
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(body.size()) + 2;
    const QByteArray segment =
        QByteArray("\xFF\xE1") + char(length >> 8) + char(length & 0xFF) + body;
    QByteArray jpeg = plainJpeg();
    return jpeg.insert(2, segment);
}

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
