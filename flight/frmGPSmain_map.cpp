// The flight window's map: loading the current chart, zoom, pan, centring, chart stepping,
// picking a direct-flight target, the chart combo, the per-chart view memory and the redraw.
//
// The arithmetic lives in MapView; these handlers read the controls, call it and redraw.
// A chart is drawn only when it loaded completely (ChartChoice): an image that fails to load or
// edges that give no scale are reported as a chart error and leave the map empty, so nothing
// of the chart shown before is mixed with the new one.

#include "flight/frmGPSmain.h"

#include "core/GeoMath.h"
#include "core/HandlerGuard.h"
#include "core/SettingsFile.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "map/ChartImage.h"
#include "map/ChartRow.h"
#include "map/PictureBox.h"
#include "map/ViewMemory.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "platform/TextFold.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

namespace tv {

void frmGPSmain::setSliderQuietly(int value)
{
    const QSignalBlocker quiet(SlideMap);
    SlideMap->setValue(value);
}

void frmGPSmain::setMapsTextQuietly(const QString& text)
{
    const QSignalBlocker quiet(cmbMaps);
    cmbMaps->setEditText(text);
}

void frmGPSmain::writeLastMapFile()
{
    if (!ChartChoice::writeLastMap(programFile("kartendaten.crm"), cmbRoute->currentText()))
        reportUnsaved(programFile("kartendaten.crm"), this);
}

// ------------------------------------------------------------------------------ loading

void frmGPSmain::InitializeData()
{
    mapView.setViewSize(mapSurface().ScaleWidth(), mapSurface().ScaleHeight());
    progBar->setValue(50);
    switch (chart_.loadCurrent(mapView, chartFolder())) {
    case ChartChoice::Load::NoCharts:
        return;
    case ChartChoice::Load::Failed: {
        picMap->Cls();
        const auto error = ChartChoice::errorMessage(ChartChoice::currentName(), Language == 0);
        MsgBox(error.text, error.title);
        return;
    }
    case ChartChoice::Load::Loaded:
        break;
    }
    setSliderQuietly(mapView.sliderValue());
    LoadMapView();
    progBar->setValue(100);
    progBar->hide();
}

void frmGPSmain::FitViewToWindow()
{
    mapView.setViewSize(mapSurface().ScaleWidth(), mapSurface().ScaleHeight());
    mapView.fitToView();
}

// ------------------------------------------------------------------------------ zoom and pan

void frmGPSmain::SlideMap_Change()
{
    mapView.setViewSize(mapSurface().ScaleWidth(), mapSurface().ScaleHeight());
    if (chart_.valid())
        mapView.applyZoom();
    UpdateMap();
}

void frmGPSmain::SlideMap_MouseUp(int /*Button*/, int /*Shift*/, double X, double /*Y*/)
{
    zoomTo(mapView.sliderValueFromClick(X));
}

void frmGPSmain::zoomTo(int sliderValue)
{
    mapView.setSliderValue(sliderValue);
    setSliderQuietly(mapView.sliderValue());
    SlideMap_Change();
}

void frmGPSmain::picMap_MouseDown(int Button, int /*Shift*/, double X, double Y)
{
    mapView.press(X, Y);
    if (Button == 1 && mapView.chartStepping()) {
        StepToNextChart();
        return;
    }
    if (Button == 2 && nav_.route.directFly && chart_.valid()) {
        const std::optional<GeoPos> picked = mapView.viewToPosition(QPointF(X, Y));
        if (!picked)
            return;
        nav_.pickDirectTarget(*picked);
        if (const auto& target = nav_.directTarget()) {
            lblLatx->setText(target->latText);
            lblLongx->setText(target->lonText);
        }
        UpdateMap();
    }
}

void frmGPSmain::StepToNextChart()
{
    const std::vector<QString>& charts = overlay.chartsUnderAircraft;
    const int count = static_cast<int>(charts.size());
    if (count >= 2) {
        progBar->show();
        progBar->setValue(25);
    }
    const ChartStep step = stepToNextChart(MapListIndex, count);
    MapListIndex = static_cast<int16_t>(step.mapListIndex);
    overlay.nextChart = step.nextEntry >= 0 ? charts[size_t(step.nextEntry)] : QString();
    tNextMap->setText(overlay.nextChart);
    if (!overlay.nextChart.isEmpty() && count > 0) {
        // Setting the combo's text switches the chart (its change handler runs when the text
        // changes).
        const QString chart = charts[size_t(MapListIndex)];
        if (chart != cmbMaps->currentText()) {
            setMapsTextQuietly(chart);
            cmbMaps_Change();
        }
    }
    SlideMap_Change();
}

void frmGPSmain::picMap_MouseMove(int Button, int /*Shift*/, double X, double Y)
{
    if (Button != 1)
        return;
    if (mapView.dragTo(X, Y))
        UpdateMap();
}

void frmGPSmain::picMap_MouseUp(int /*Button*/, int /*Shift*/, double /*X*/, double /*Y*/)
{
    UpdateMap();
}

void frmGPSmain::cmdKartezentrieren_Click()
{
    mapView.setCentredOnAircraft(true);
    picKartezentrieren->show();
    UpdateMap();
}

void frmGPSmain::picKartezentrieren_Click()
{
    mapView.setCentredOnAircraft(false);
    picKartezentrieren->hide();
    picMap->Refresh();
}

void frmGPSmain::cmdMapScroll_Click()
{
    PicMapScroll->show();
    mapView.setChartStepping(true);
    mapView.setCentredOnAircraft(true);
    picKartezentrieren->show();
    UpdateMap();
}

void frmGPSmain::PicMapScroll_Click()
{
    PicMapScroll->hide();
    mapView.setChartStepping(false);
    tNextMap->hide();
    LblMapNumber->hide();
}

// ------------------------------------------------------------------------------ chart choice

void frmGPSmain::LoadLastMap()
{
    const ChartChoice::LastMap last = ChartChoice::readLastMap(programFile("kartendaten.crm"));
    if (last.chart)
        LastMapName = *last.chart;
    if (last.route) {
        nav_.routeName = *last.route;
        tRoute->setText(nav_.routeName);
    }
}

void frmGPSmain::updateMapInfo()
{
    if (!MainConnection)
        return;
    const std::vector<QString> names = activeChartNames(*MainConnection);
    PrevMapName = cmbMaps->currentText();
    {
        const QSignalBlocker quiet(cmbMaps);
        cmbMaps->clear();
        cmbMaps->setEditText(QString());
        for (const QString& name : names)
            cmbMaps->addItem(name);
    }
    if (!names.empty()) {
        setMapsTextQuietly(ChartChoice::currentName());
        cmbMaps_Change();
    }
}

void frmGPSmain::showChart(const QString& name)
{
    SaveMapView();
    ChartChoice::seek(name);
    InitializeData();
}

void frmGPSmain::cmbMaps_Change()
{
    loadedByChange_.clear();
    if (!ChartChoice::hasCharts())
        return;
    const QString text = cmbMaps->currentText();
    if (text == PrevMapName && !mapView.chartStepping())
        return;
    showChart(text);
    writeLastMapFile();
    // A pick from the list runs the click handler right after this one: it need not load the
    // same chart again.
    loadedByChange_ = ChartChoice::currentName();
    QTimer::singleShot(0, this, [this] { loadedByChange_.clear(); });
}

void frmGPSmain::cmbMaps_Click()
{
    if (!ChartChoice::hasCharts())
        return;
    const QString text = cmbMaps->currentText();
    if (loadedByChange_.isEmpty() ||
        !equalsNoCase(loadedByChange_.toStdString(), text.toStdString()))
        showChart(text);
    loadedByChange_.clear();
    writeLastMapFile();
    UpdateMap();
}

void frmGPSmain::LoadMapView()
{
    const std::optional<bool> centred = chart_.restoreView(mapView);
    if (!centred)
        return;
    setSliderQuietly(mapView.sliderValue());
    if (*centred || mapView.chartStepping()) {
        mapView.setCentredOnAircraft(true);
        picKartezentrieren->show();
    }
}

// ------------------------------------------------------------------------------ redraw

void frmGPSmain::UpdateMap()
{
    guarded([&] {
        if (!ChartChoice::hasCharts() || !chart_.valid())
            return;
        mapView.setViewSize(mapSurface().ScaleWidth(), mapSurface().ScaleHeight());
        const AircraftPlacement placement = mapView.placeAircraft(nav_.aircraft());
        if (placement.offChart)
            picKartezentrieren->hide();
        if (!placement.viewPx)
            return;
        overlay.PlaneX = placement.viewPx->x();
        overlay.PlaneY = placement.viewPx->y();
        prepareAirspaces();
        prepareMovingMap();
        mapView.paint(mapSurface());
        mapLayers.draw(mapSurface(), mapView);
        showAirspaceBox();
        showMovingMapResult();
    });
    picMap->Refresh();
}

} // namespace tv
