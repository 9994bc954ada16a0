#include "map/ChartImage.h"

#include "platform/ProgramFolder.h"

#include <QImageReader>
#include <QString>

namespace tv {
namespace {

QString fileName(const std::filesystem::path& file)
{
    return QString::fromStdString(file.string());
}

} // namespace

std::filesystem::path chartFolder()
{
    return programFolder() / "Karten";
}

QImage readChartImage(const std::filesystem::path& file)
{
    QImageReader reader(fileName(file));
    reader.setAutoTransform(false);
    return reader.read();
}

QImage readChartImage(const std::filesystem::path& file, QSize decodedSize)
{
    QImageReader reader(fileName(file));
    reader.setAutoTransform(false);
    if (!reader.size().isValid())
        return {};
    reader.setScaledSize(decodedSize);
    return reader.read();
}

} // namespace tv
