#include "calibration/ImageHeaderSize.h"

#include <array>
#include <cctype>
#include <fstream>
#include <optional>
#include <vector>

namespace tv {
namespace {

using Status = ImageHeaderResult::Status;

// Bytes of a buffer by position; empty beyond its end.
class MemorySource
{
public:
    explicit MemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    std::optional<uint8_t> at(uint64_t pos)
    {
        if (pos >= bytes_.size())
            return std::nullopt;
        return bytes_[static_cast<size_t>(pos)];
    }

private:
    std::span<const uint8_t> bytes_;
};

// Bytes of a file by position, read in small blocks as the walk reaches them, so a skipped
// segment (or the picture data) is never read.
class FileSource
{
public:
    explicit FileSource(const std::filesystem::path& file) : in_(file, std::ios::binary) {}
    bool opened() const { return in_.is_open(); }

    std::optional<uint8_t> at(uint64_t pos)
    {
        if (!in_.is_open())
            return std::nullopt;
        if (pos < blockStart_ || pos >= blockStart_ + block_.size()) {
            if (!load(pos - pos % kBlockSize))
                return std::nullopt;
            if (pos >= blockStart_ + block_.size())
                return std::nullopt;
        }
        return block_[static_cast<size_t>(pos - blockStart_)];
    }

private:
    static constexpr size_t kBlockSize = 4096;

    bool load(uint64_t start)
    {
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(start));
        if (!in_)
            return false;
        block_.resize(kBlockSize);
        in_.read(reinterpret_cast<char*>(block_.data()), static_cast<std::streamsize>(kBlockSize));
        block_.resize(static_cast<size_t>(in_.gcount()));
        blockStart_ = start;
        return !block_.empty();
    }

    std::ifstream in_;
    std::vector<uint8_t> block_;
    uint64_t blockStart_ = 0;
};

template <class Source> std::optional<uint32_t> littleEndian(Source& src, uint64_t pos, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        const auto b = src.at(pos + static_cast<uint64_t>(i));
        if (!b)
            return std::nullopt;
        value = (value << 8) | *b;
    }
    return value;
}

template <class Source> std::optional<uint16_t> bigEndian16(Source& src, uint64_t pos)
{
    const auto high = src.at(pos);
    const auto low = src.at(pos + 1);
    if (!high || !low)
        return std::nullopt;
    return static_cast<uint16_t>((*high << 8) | *low);
}

template <class Source> ImageHeaderResult readBmp(Source& src)
{
    const auto b = src.at(0);
    const auto m = src.at(1);
    if (!b || !m)
        return {Status::BadBitmap};
    if (*b != 'B' || *m != 'M')
        return {Status::Read, 0, 0};
    const auto headerSize = littleEndian(src, 14, 4);
    if (!headerSize)
        return {Status::BadBitmap};
    if (*headerSize == 12) {
        // OS/2 core header: unsigned 16-bit sizes.
        const auto w = littleEndian(src, 18, 2);
        const auto h = littleEndian(src, 20, 2);
        if (!w || !h)
            return {Status::BadBitmap};
        return {Status::Read, static_cast<int32_t>(*w), static_cast<int32_t>(*h)};
    }
    const auto w = littleEndian(src, 18, 4);
    const auto h = littleEndian(src, 22, 4);
    if (!w || !h)
        return {Status::BadBitmap};
    return {Status::Read, static_cast<int32_t>(*w), static_cast<int32_t>(*h)};
}

// Marker codes that stand alone, without a length: TEM, RST0..RST7, SOI, EOI.
bool standsAlone(uint8_t code)
{
    return code == 0x01 || (code >= 0xD0 && code <= 0xD9);
}

template <class Source> ImageHeaderResult readJpeg(Source& src)
{
    const auto first = src.at(0);
    const auto second = src.at(1);
    if (!first || !second || *first != 0xFF || *second != 0xD8)
        return {Status::NotJpeg};
    uint64_t pos = 2;
    for (;;) {
        // The next marker: anything before its FF is passed over, as are fill bytes FF.
        std::optional<uint8_t> byte;
        while ((byte = src.at(pos)) && *byte != 0xFF)
            ++pos;
        while ((byte = src.at(pos)) && *byte == 0xFF)
            ++pos;
        if (!byte)
            return {Status::BadJpeg}; // the file ends before a frame header or start of scan
        const uint8_t code = *byte;
        ++pos;
        if (code >= 0xC0 && code <= 0xC3) {
            // length (2), precision (1), height (2), width (2)
            const auto height = bigEndian16(src, pos + 3);
            const auto width = bigEndian16(src, pos + 5);
            if (!height || !width)
                return {Status::BadJpeg};
            return {Status::Read, *width, *height};
        }
        if (code == 0xDA)
            return {Status::Read, 0, 0};
        if (standsAlone(code))
            continue;
        const auto length = bigEndian16(src, pos);
        if (!length || *length < 2)
            return {Status::BadJpeg};
        pos += *length;
    }
}

} // namespace

bool isBmpName(std::string_view chartName)
{
    if (chartName.size() < 3)
        return false;
    const std::string_view ext = chartName.substr(chartName.size() - 3);
    return std::toupper(static_cast<unsigned char>(ext[0])) == 'B' &&
           std::toupper(static_cast<unsigned char>(ext[1])) == 'M' &&
           std::toupper(static_cast<unsigned char>(ext[2])) == 'P';
}

ImageHeaderResult bmpHeaderSize(std::span<const uint8_t> bytes)
{
    MemorySource src(bytes);
    return readBmp(src);
}

ImageHeaderResult jpegHeaderSize(std::span<const uint8_t> bytes)
{
    MemorySource src(bytes);
    return readJpeg(src);
}

ImageHeaderResult ImageHeaderSize(const std::filesystem::path& file)
{
    const bool bmp = isBmpName(file.filename().string());
    FileSource src(file);
    if (!src.opened())
        return {bmp ? Status::BadBitmap : Status::BadJpeg};
    return bmp ? readBmp(src) : readJpeg(src);
}

} // namespace tv
