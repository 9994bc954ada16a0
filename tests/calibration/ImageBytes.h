#pragma once

// Image files built byte by byte, so a test says exactly which header it reads.

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace caltest {

using Bytes = std::vector<uint8_t>;

inline void putLe(Bytes& b, uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void putBe16(Bytes& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
}

// A BMP with a 40-byte information header and `pixelBytes` bytes of (blank) picture data.
inline Bytes bmp(int32_t width, int32_t height, uint32_t pixelBytes = 16)
{
    Bytes b{'B', 'M'};
    putLe(b, 54 + pixelBytes, 4); // file size
    putLe(b, 0, 4);               // reserved
    putLe(b, 54, 4);              // offset of the picture data
    putLe(b, 40, 4);              // information header size
    putLe(b, static_cast<uint32_t>(width), 4);
    putLe(b, static_cast<uint32_t>(height), 4);
    putLe(b, 1, 2);  // planes
    putLe(b, 24, 2); // bits per pixel
    putLe(b, 0, 4);  // no compression
    putLe(b, pixelBytes, 4);
    putLe(b, 2835, 4);
    putLe(b, 2835, 4);
    putLe(b, 0, 4);
    putLe(b, 0, 4);
    b.resize(b.size() + pixelBytes, 0);
    return b;
}

// An OS/2 bitmap: 12-byte core header with 16-bit sizes.
inline Bytes os2Bmp(uint16_t width, uint16_t height)
{
    Bytes b{'B', 'M'};
    putLe(b, 26 + 16, 4);
    putLe(b, 0, 4);
    putLe(b, 26, 4);
    putLe(b, 12, 4);
    putLe(b, width, 2);
    putLe(b, height, 2);
    putLe(b, 1, 2);
    putLe(b, 24, 2);
    b.resize(b.size() + 16, 0);
    return b;
}

// A JPEG assembled from segments after its start marker FF D8, usually ended by a scan.
struct Jpeg
{
    Bytes b;

    Jpeg()
    {
        b.push_back(0xFF);
        b.push_back(0xD8);
    }

    // Marker `code` with a segment of `payload` bytes (the length counts itself: payload + 2).
    Jpeg& segment(uint8_t code, uint32_t payload, uint8_t fill = 0x11)
    {
        b.push_back(0xFF);
        b.push_back(code);
        putBe16(b, payload + 2);
        b.insert(b.end(), payload, fill);
        return *this;
    }
    Jpeg& app0() { return segment(0xE0, 14); }
    Jpeg& dqt() { return segment(0xDB, 65); }
    // Frame header (SOF0 = C0, SOF2 = C2, SOF5 = C5 ...) of three components.
    Jpeg& frame(uint8_t code, uint16_t width, uint16_t height)
    {
        b.push_back(0xFF);
        b.push_back(code);
        putBe16(b, 17);
        b.push_back(8); // precision
        putBe16(b, height);
        putBe16(b, width);
        b.insert(b.end(), {3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1});
        return *this;
    }
    Jpeg& raw(std::initializer_list<uint8_t> bytes)
    {
        b.insert(b.end(), bytes);
        return *this;
    }
    // Start of scan, some entropy-coded bytes, end of image.
    Jpeg& scan(uint32_t dataBytes = 32)
    {
        segment(0xDA, 10, 0x00);
        b.insert(b.end(), dataBytes, 0x5A);
        b.push_back(0xFF);
        b.push_back(0xD9);
        return *this;
    }
};

} // namespace caltest
