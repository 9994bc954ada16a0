#pragma once

// The pixel size of a chart image read from its file header, without decoding the picture.
//
// BMP: "BM", then the information header whose size (32-bit LE at byte 14) tells its kind:
//   12 bytes (OS/2 core header): width, height as 16-bit LE at bytes 18 and 20;
//   any other: width, height as 32-bit signed LE at bytes 18 and 22. A top-down bitmap stores
//   a negative height, and that is what is reported (the save refuses it).
// JPEG: FF D8, then markers FF xx. Fill bytes FF before a code are skipped; markers without a
//   length (01, D0..D9) are passed over; every other marker is followed by a 16-bit big-endian
//   length that counts itself. The frame headers SOF0..SOF3 (C0..C3) hold, after length and
//   precision, height and width as 16-bit big-endian unsigned values (up to 65,535). Start of
//   scan (DA) before any of them means no size that we can read: 0 x 0.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace tv {

struct ImageHeaderResult
{
    enum class Status {
        Read,      // width and height hold the header's size (0 x 0 for a BMP without "BM" and
                   // for a JPEG whose frame header is not SOF0..SOF3)
        NotJpeg,   // a .jpg that does not begin with FF D8: nothing to show, no message
        BadBitmap, // a BMP too short for its header or unreadable: nothing to show, no message
        BadJpeg,   // the JPEG walk failed (ends early, malformed length): "Fehler im Bild"
    };
    Status status = Status::BadBitmap;
    int32_t width = 0;
    int32_t height = 0;

    bool hasSize() const { return status == Status::Read; }
};

// Which reader a chart name asks for: the last three characters, upper-cased, "BMP" choose the
// BMP reader, anything else the JPEG reader.
bool isBmpName(std::string_view chartName);

ImageHeaderResult bmpHeaderSize(std::span<const uint8_t> bytes);
ImageHeaderResult jpegHeaderSize(std::span<const uint8_t> bytes);

// Reads the header of the image file `file` by the reader its name asks for. Only the header
// bytes are read: JPEG segments are skipped by seeking. A file that cannot be opened is a
// BadBitmap or BadJpeg failure.
ImageHeaderResult ImageHeaderSize(const std::filesystem::path& file);

} // namespace tv
