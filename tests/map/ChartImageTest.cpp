#include "map/ChartImage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

#include <fstream>

namespace {

// A 40 x 20 chart scanned upright and stored with an orientation tag that asks viewers to turn
// it a quarter: the map must show the pixels as stored, as the chart was calibrated on them.
TEST(ChartImageReader, ReadsThePixelsAsStoredOrNothing)
{
    tvtest::TempDir dir;
    const auto tagged = dir / "tagged.jpg";
    QImage upright(40, 20, QImage::Format_RGB32);
    upright.fill(Qt::white);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(upright.save(&buffer, "jpeg"));
    // After the start marker: an EXIF segment (big-endian) whose one tag is the orientation 6,
    // turn a quarter clockwise.
    jpeg.insert(2, QByteArray::fromHex("ffe10022457869660000"
                                       "4d4d002a000000080001011200030000000100060000"
                                       "00000000"));
    std::ofstream(tagged, std::ios::binary) << jpeg.toStdString();
    QImageReader turning(QString::fromStdString(tagged.string()));
    turning.setAutoTransform(true);
    ASSERT_EQ(turning.read().size(), QSize(20, 40)) << "the tag is there";
    std::ofstream(dir / "broken.jpg") << "no image at all";

    struct Case
    {
        const char* what;
        std::filesystem::path file;
        QSize decodedSize; // invalid: the full image
        QSize want;        // invalid: no image
    };
    const Case cases[] = {
        {"tagged image, full size", tagged, QSize(), QSize(40, 20)},
        {"tagged image, decoded smaller", tagged, QSize(10, 30), QSize(10, 30)},
        {"no image in the file", dir / "broken.jpg", QSize(), QSize()},
        {"no such file", dir / "missing.jpg", QSize(), QSize()},
    };
    for (const Case& c : cases) {
        const QImage image = c.decodedSize.isValid() ? tv::readChartImage(c.file, c.decodedSize)
                                                     : tv::readChartImage(c.file);
        EXPECT_EQ(image.isNull() ? QSize() : image.size(), c.want) << c.what;
    }
}

} // namespace
