#include "calibration/ImageHeaderSize.h"

#include "ImageBytes.h"
#include "support/TempDir.h"

#include <QImage>
#include <QImageWriter>
#include <QString>

#include <gtest/gtest.h>

#include <string>

using caltest::Bytes;
using caltest::Jpeg;
using tv::ImageHeaderResult;
using Status = tv::ImageHeaderResult::Status;

namespace {

struct HeaderCase
{
    const char* what;
    Bytes bytes;
    Status status;
    int32_t width;
    int32_t height;
};

void expectHeader(const HeaderCase& c, const ImageHeaderResult& r)
{
    EXPECT_EQ(r.status, c.status) << c.what;
    if (c.status == Status::Read) {
        EXPECT_EQ(r.width, c.width) << c.what;
        EXPECT_EQ(r.height, c.height) << c.what;
    }
}

Bytes truncated(Bytes b, size_t size)
{
    b.resize(size);
    return b;
}

} // namespace

TEST(BitmapHeader, ShowsTheSizeAPilotWouldSeeInAnImageViewer)
{
    const HeaderCase cases[] = {
        {"24-bit bitmap 1200 x 900", caltest::bmp(1200, 900), Status::Read, 1200, 900},
        {"top-down bitmap keeps its negative height", caltest::bmp(1200, -900), Status::Read, 1200,
         -900},
        {"OS/2 bitmap with 16-bit sizes", caltest::os2Bmp(640, 480), Status::Read, 640, 480},
        {"OS/2 bitmap wider than 32767", caltest::os2Bmp(40000, 300), Status::Read, 40000, 300},
        {"a .bmp that is no bitmap shows 0 x 0", Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0},
         Status::Read, 0, 0},
        {"cut off inside the height", truncated(caltest::bmp(1200, 900), 24), Status::BadBitmap, 0,
         0},
        {"OS/2 header cut off inside the height", truncated(caltest::os2Bmp(640, 480), 21),
         Status::BadBitmap, 0, 0},
        {"one byte", Bytes{'B'}, Status::BadBitmap, 0, 0},
        {"empty file", Bytes{}, Status::BadBitmap, 0, 0},
    };
    for (const HeaderCase& c : cases)
        expectHeader(c, tv::bmpHeaderSize(c.bytes));
}

TEST(JpegHeader, WalksSegmentBySegmentToTheFrameHeader)
{
    const HeaderCase cases[] = {
        {"baseline with APP0 and two DQT before SOF0",
         Jpeg().app0().dqt().dqt().frame(0xC0, 2000, 1500).scan().b, Status::Read, 2000, 1500},
        {"progressive (SOF2)", Jpeg().app0().dqt().frame(0xC2, 2000, 1500).scan().b, Status::Read,
         2000, 1500},
        {"extended (SOF1)", Jpeg().frame(0xC1, 800, 600).scan().b, Status::Read, 800, 600},
        {"hierarchical (SOF5) has no size we read", Jpeg().app0().frame(0xC5, 2000, 1500).scan().b,
         Status::Read, 0, 0},
        {"segment length 0x01FF before the frame",
         Jpeg().app0().segment(0xE1, 0x01FF - 2, 0xFF).frame(0xC0, 1024, 768).scan().b,
         Status::Read, 1024, 768},
        {"a 40,000-byte colour profile (APP2)",
         Jpeg().app0().segment(0xE2, 40000).frame(0xC0, 3000, 2000).scan().b, Status::Read, 3000,
         2000},
        {"a 65,533-byte EXIF block (APP1)",
         Jpeg().segment(0xE1, 65533).frame(0xC0, 3000, 2000).scan().b, Status::Read, 3000, 2000},
        {"40,000 pixels wide", Jpeg().app0().frame(0xC0, 40000, 30000).scan().b, Status::Read,
         40000, 30000},
        {"65,535 pixels, the largest a JPEG holds", Jpeg().frame(0xC0, 65535, 65535).scan().b,
         Status::Read, 65535, 65535},
        {"fill bytes FF before a marker", Jpeg().app0().raw({0xFF, 0xFF}).frame(0xC0, 640, 480).b,
         Status::Read, 640, 480},
        {"markers without a length are passed over",
         Jpeg().app0().raw({0xFF, 0x01, 0xFF, 0xD0}).frame(0xC0, 640, 480).b, Status::Read, 640,
         480},
        {"no FF D8 at the start", Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A}, Status::NotJpeg, 0, 0},
        {"empty file", Bytes{}, Status::NotJpeg, 0, 0},
        {"ends inside a segment", truncated(Jpeg().app0().segment(0xE1, 500).b, 100),
         Status::BadJpeg, 0, 0},
        {"ends after the start marker", Bytes{0xFF, 0xD8}, Status::BadJpeg, 0, 0},
        {"ends inside the frame header", truncated(Jpeg().app0().frame(0xC0, 640, 480).b, 26),
         Status::BadJpeg, 0, 0},
        {"end of image before any frame", Jpeg().app0().raw({0xFF, 0xD9}).b, Status::BadJpeg, 0, 0},
        {"segment length below 2", Jpeg().raw({0xFF, 0xE0, 0x00, 0x01, 0xFF, 0xC0}).b,
         Status::BadJpeg, 0, 0},
    };
    for (const HeaderCase& c : cases)
        expectHeader(c, tv::jpegHeaderSize(c.bytes));
}

TEST(ImageFileHeader, ChoosesTheReaderByTheLastThreeLettersOfTheName)
{
    EXPECT_TRUE(tv::isBmpName("demo.bmp"));
    EXPECT_TRUE(tv::isBmpName("DEMO.BMP"));
    EXPECT_TRUE(tv::isBmpName("karte.Bmp"));
    EXPECT_FALSE(tv::isBmpName("demo.jpg"));
    EXPECT_FALSE(tv::isBmpName("mp"));
}

TEST(ImageFileHeader, FilesWrittenByQtReadBackAtTheirSize)
{
    tvtest::TempDir dir;
    QImage image(1234, 567, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    const std::string bmpFile = (dir / "chart.bmp").string();
    const std::string jpgFile = (dir / "chart.jpg").string();
    const std::string progressiveFile = (dir / "progressive.JPG").string();
    ASSERT_TRUE(image.save(QString::fromStdString(bmpFile), "BMP"));
    ASSERT_TRUE(image.save(QString::fromStdString(jpgFile), "JPEG"));
    QImageWriter writer(QString::fromStdString(progressiveFile), "jpeg");
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(image));

    for (const std::string& file : {bmpFile, jpgFile, progressiveFile}) {
        const ImageHeaderResult r = tv::ImageHeaderSize(file);
        EXPECT_EQ(r.status, Status::Read) << file;
        EXPECT_EQ(r.width, 1234) << file;
        EXPECT_EQ(r.height, 567) << file;
    }
}

TEST(ImageFileHeader, AMissingFileIsAFailureOfItsReader)
{
    tvtest::TempDir dir;
    EXPECT_EQ(tv::ImageHeaderSize(dir / "gone.bmp").status, Status::BadBitmap);
    EXPECT_EQ(tv::ImageHeaderSize(dir / "gone.jpg").status, Status::BadJpeg);
}

TEST(ImageFileHeader, ReadsSegmentsThatCrossTheFilesReadBlocks)
{
    // The file reader fetches the file in blocks; a frame header behind a large segment and
    // across a block boundary must read as from memory.
    tvtest::TempDir dir;
    for (uint32_t payload : {4090u, 4093u, 4095u, 8190u, 60000u}) {
        const Bytes bytes = Jpeg().segment(0xE1, payload).frame(0xC0, 4321, 1234).scan().b;
        tvtest::writeFile(dir / "x.jpg", std::string(bytes.begin(), bytes.end()));
        const ImageHeaderResult r = tv::ImageHeaderSize(dir / "x.jpg");
        EXPECT_EQ(r.width, 4321) << payload;
        EXPECT_EQ(r.height, 1234) << payload;
    }
}
