#include "map/ActiveCharts.h"

#include "core/SettingsFile.h"
#include "core/UnsavedFile.h"
#include "platform/Recordset.h"

namespace tv {

ActiveCharts::ActiveCharts() : charts_(std::make_unique<Recordset>()) {}
ActiveCharts::~ActiveCharts() = default;
ActiveCharts::ActiveCharts(ActiveCharts&&) noexcept = default;
ActiveCharts& ActiveCharts::operator=(ActiveCharts&&) noexcept = default;

void ActiveCharts::open(Connection& main)
{
    openActiveCharts(*charts_, main);
}

void ActiveCharts::reread(Connection& main)
{
    if (charts_->State() != Recordset::kStateOpen) {
        open(main);
        return;
    }
    const QString name = currentName();
    charts_->Requery();
    seek(name);
}

bool ActiveCharts::hasCharts() const
{
    return charts_->State() == Recordset::kStateOpen && charts_->RecordCount() > 0;
}

QString ActiveCharts::currentName() const
{
    if (!charts_->HasCurrentRow())
        return {};
    return QString::fromStdString(charts_->Field("Name").toString());
}

std::optional<ChartRow> ActiveCharts::currentRow() const
{
    if (!charts_->HasCurrentRow())
        return std::nullopt;
    return readChartRow(*charts_);
}

bool ActiveCharts::seek(const QString& name)
{
    if (!hasCharts())
        return false;
    charts_->MoveFirst();
    charts_->Find("Name", CompareOp::Equal, Value(name.toStdString()));
    if (!charts_->Eof())
        return true;
    charts_->MoveFirst();
    return false;
}

std::vector<QString> ActiveCharts::names() const
{
    std::vector<QString> out;
    if (!hasCharts())
        return out;
    const bool hadRow = charts_->HasCurrentRow();
    const auto keep = hadRow ? charts_->Bookmark() : 0;
    out.reserve(static_cast<size_t>(charts_->RecordCount()));
    for (charts_->MoveFirst(); !charts_->Eof(); charts_->MoveNext())
        out.push_back(QString::fromStdString(charts_->Field("Name").toString()));
    if (hadRow)
        charts_->SetBookmark(keep);
    else
        charts_->MoveFirst();
    return out;
}

ChartMessage chartErrorMessage(const QString& chartName, bool german)
{
    if (german)
        return {QStringLiteral("Fehler in Karte: ") + chartName +
                    QStringLiteral(" - Bitte Koordinaten üperprüfen."),
                QStringLiteral("Fehler in Karte")};
    return {QStringLiteral("Map error: ") + chartName +
                QStringLiteral(" - please check coordinates."),
            QStringLiteral("Map error")};
}

LastMapFile readLastMapFile(const std::filesystem::path& path)
{
    LastMapFile last;
    SettingsReader reader(path);
    last.chart = reader.readText();
    if (last.chart)
        last.route = reader.readText();
    return last;
}

bool writeLastMapFile(const std::filesystem::path& path, const std::string& chart,
                      const std::string& route)
{
    return SettingsWriter().writeText(chart).writeText(route).save(path);
}

void repairLastMapFile(const std::filesystem::path& path, const char* consequence)
{
    if (!SettingsWriter().writeText("demo.bmp").save(path))
        passOverUnsaved(path, consequence);
}

} // namespace tv
