#pragma once

// The chart images in the program folder's Karten folder, read the one way every map reads
// them: as their pixels are stored. A scanned chart is calibrated in that orientation, so an
// orientation tag of a JPEG (EXIF) never turns it, and its size is the size its header gives.

#include <QImage>
#include <QSize>

#include <filesystem>

namespace tv {

// <program folder>/Karten.
std::filesystem::path chartFolder();

// The chart image in `file`; null when it cannot be read (missing, no image, damaged), which
// every map reports as its chart error.
QImage readChartImage(const std::filesystem::path& file);
// The same, decoded at `decodedSize` (JPEG decoders scale while decoding) without keeping the
// image's proportions; null too when the file's header gives no size.
QImage readChartImage(const std::filesystem::path& file, QSize decodedSize);

} // namespace tv
