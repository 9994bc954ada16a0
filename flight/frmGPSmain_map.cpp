// The flight window's map: loading the current chart, zoom, pan, centring, chart stepping,
// picking a direct-flight target, the chart combo, the per-chart view memory and the redraw.
//
// The arithmetic lives in MapView and the chart choice in ChartChoice; these handlers take what
// the pilot did (a mouse position, the slider, a picked or typed chart), call them, write the
// controls from what they hold and redraw. No handler reads a control back.
// A chart is drawn only when it loaded completely (ChartChoice): an image that fails to load or
// edges that give no scale are reported as a chart error and leave the map empty, so nothing
// of the chart shown before is mixed with the new one.

#include "flight/frmGPSmain.h"

#include "core/GeoMath.h"
#include "core/HandlerGuard.h"
#include "core/SettingsFile.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "map/ActiveCharts.h"
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

void frmGPSmain::showCurrentChartName()
{
    const QString name = chart_.currentName();
    {
        const QSignalBlocker quiet(cmbMaps);
        cmbMaps->setCurrentText(name);
        cmbMaps->setEditText(name);
    }
    chart_.comboShows(name);
}

void frmGPSmain::writeLastMapFile()
{
    if (!chart_.writeLastMap(programFile("kartendaten.crm"), nav_.routeName()))
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
        const auto error = chartErrorMessage(chart_.currentName(), Language == 0);
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
    if (Button == 2 && nav_.route().flyingDirect() && chart_.valid()) {
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
    if (chart_.chartsUnderAircraft().size() >= 2) {
        progBar->show();
        progBar->setValue(25);
    }
    const std::optional<QString> chart = chart_.step();
    tNextMap->setText(chart_.nextChart());
    if (chart)
        changeChartTo(*chart);
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
    const ChartChoice::LastMap last = chart_.readLastMap(programFile("kartendaten.crm"));
    if (last.route) {
        nav_.rememberRouteName(*last.route);
        tRoute->setText(nav_.routeName());
    }
}

void frmGPSmain::updateMapInfo()
{
    if (!MainConnection)
        return;
    const std::vector<QString> names = activeChartNames(*MainConnection);
    chart_.comboRefilled();
    {
        const QSignalBlocker quiet(cmbMaps);
        cmbMaps->clear();
        cmbMaps->setEditText(QString());
        for (const QString& name : names)
            cmbMaps->addItem(name);
    }
    chart_.comboShows(QString());
    if (!names.empty()) {
        const QString current = chart_.currentName();
        showCurrentChartName();
        cmbMaps_Change(current);
    }
}

void frmGPSmain::showChart(const QString& name)
{
    SaveMapView();
    chart_.seek(name);
    InitializeData();
}

void frmGPSmain::changeChartTo(const QString& name)
{
    showChart(name);
    writeLastMapFile();
    showCurrentChartName();
}

void frmGPSmain::cmbMaps_Change(const QString& text)
{
    chart_.forgetChangeLoad();
    const bool switches = chart_.textSwitchesChart(text, mapView.chartStepping());
    chart_.comboShows(text);
    if (!switches)
        return;
    showChart(text);
    writeLastMapFile();
    // A pick from the list runs the click handler right after this one: it need not load the
    // same chart again.
    chart_.noteChangeLoad(chart_.currentName());
    QTimer::singleShot(0, this, [this] { chart_.forgetChangeLoad(); });
}

void frmGPSmain::cmbMaps_Click(const QString& picked)
{
    if (!chart_.hasCharts())
        return;
    if (!chart_.loadedByChange(picked))
        showChart(picked);
    chart_.forgetChangeLoad();
    writeLastMapFile();
    showCurrentChartName();
    UpdateMap();
}

void frmGPSmain::LoadMapView()
{
    const std::optional<bool> centred = chart_.restoreView(mapView);
    if (centred)
        setSliderQuietly(mapView.sliderValue());
    // In stepping mode every chart opens centred on the aircraft, a chart never shown too:
    // the aircraft may have left the chart before (a fast flight past the view's edge).
    if ((centred && *centred) || (mapView.chartStepping() && chart_.currentIsLoaded())) {
        mapView.setCentredOnAircraft(true);
        picKartezentrieren->show();
    }
}

// ------------------------------------------------------------------------------ redraw

void frmGPSmain::UpdateMap()
{
    guarded([&] {
        if (!chart_.hasCharts() || !chart_.valid())
            return;
        mapView.setViewSize(mapSurface().ScaleWidth(), mapSurface().ScaleHeight());
        const AircraftPlacement placement = mapView.placeAircraft(nav_.aircraft());
        if (placement.offChart)
            picKartezentrieren->hide();
        if (!placement.viewPx)
            return;
        movingMap.state.PlaneX = placement.viewPx->x();
        movingMap.state.PlaneY = placement.viewPx->y();
        prepareAirspaces();
        prepareMovingMap();
        mapView.paint(mapSurface());
        mapLayers.draw(mapSurface(), mapView);
        showAirspaceBox();
        showMovingMapResult();
    });
    picMap->Refresh();
    reportMapReads();
}

void frmGPSmain::reportMapReads()
{
    const OverlayResult& result = movingMap.result();
    if (result.readFault) {
        // Once per fault: the map redraws on every position and must not stop the pilot.
        if (const std::optional<std::string> reason =
                mapReadFault_.failed(*result.readFault, Language)) {
            const QString first = Language == 0
                                      ? QStringLiteral("Die Wegpunkte der Karte konnten nicht "
                                                       "gelesen werden. Die Karte zeigt die "
                                                       "zuletzt gelesenen.")
                                      : QStringLiteral("The map's waypoints could not be read. "
                                                       "The map shows those read last.");
            MsgBox(first + QStringLiteral("\n\n") + QString::fromStdString(*reason));
        }
    } else if (result.readSucceeded) {
        mapReadFault_.succeeded();
    }
}

} // namespace tv
