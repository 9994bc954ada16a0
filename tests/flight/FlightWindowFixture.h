#pragma once

// A program folder for the flight window: data.tvd and track.tvd laid out and opened as the
// main frame opens them, every COM port link leading nowhere, a chart image drawn here and
// saved in Karten with its Maps row, message boxes and modal dialogs answered and recorded.
//
// The standard chart "test.png" is 500 x 400 pixels covering 48°-49° N and 9°-10° E (DD.MM
// edges 48.00, 49.00, 9.00, 10.00): 50 image pixels per 0.1° of longitude, 40 per 0.1° of
// latitude. Its pixel (x, y) has the colour (x % 256, y % 256, 77), so a probe of the map
// tells which chart pixel is shown there.

#include "core/Dates.h"
#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "flight/frmGPSmain.h"
#include "map/DrawSurface.h"
#include "platform/Recordset.h"
#include "support/BgrColours.h"
#include "support/NmeaText.h"
#include "support/PixelProbe.h"
#include "support/WindowTestBase.h"

#include <QComboBox>
#include <QImage>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fwtest {

using namespace tvtest::bgr;
using tvtest::nmea;

// An RMC sentence with a fix at a DD.MM position (48.4512 = 48°45.12'), speed in knots.
inline std::string rmc(double latDdmm, double lonDdmm, double knots = 0.0, double course = 0.0)
{
    char body[160];
    const double lat = latDdmm < 0 ? -latDdmm : latDdmm;
    const double lon = lonDdmm < 0 ? -lonDdmm : lonDdmm;
    std::snprintf(body, sizeof body, "GPRMC,120000,A,%09.4f,%c,%010.4f,%c,%05.1f,%05.1f,010624,,",
                  lat * 100.0, latDdmm < 0 ? 'S' : 'N', lon * 100.0, lonDdmm < 0 ? 'W' : 'E', knots,
                  course);
    return nmea(body);
}

// A GGA sentence with a fix at 48°30' N 9°30' E, altitude in metres as sent.
inline std::string gga(const std::string& altitude, int satellites = 8)
{
    return nmea("GPGGA,120000,4830.000,N,00930.000,E,1," + std::to_string(satellites) + ",1.0," +
                altitude + ",M,47.0,M,,");
}

inline QImage chartImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 77));
    return image;
}

// The colour the chart has at image pixel (x, y), as DrawSurface::Point reports it.
inline int64_t chartColour(int x, int y)
{
    return tv::vbColorValue(QColor(x % 256, y % 256, 77));
}

class FlightWindowTest : public tvtest::WindowTestBase
{
protected:
    void SetUp() override
    {
        WindowTestBase::SetUp();
        layout();
        std::filesystem::create_directories(dir / "Karten");
        linkPortsToNowhere();
        openMainConnection();
        openTrackConnection();
        tv::PlaneSymbol = 1;
        tv::QNH = 1013;
        tv::QNHDate = tv::today();
        tv::Language = 0;
    }

    // A chart: the image saved in Karten (unless `image` is null) and its Maps row. Edges DD.MM.
    void addChart(const std::string& name, const QImage& image, double unten, double oben,
                  double links, double rechts, bool active = true)
    {
        if (!image.isNull()) {
            ASSERT_TRUE(
                image.save(QString::fromStdString((dir / "Karten" / name).string()), "PNG"));
        }
        tv::MainConnection->Execute(
            "INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", Active) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
            {name, unten, oben, links, rechts, image.isNull() ? 500 : image.width(),
             image.isNull() ? 400 : image.height(), active ? 1 : 0});
    }

    void addStandardChart(const std::string& name = "test.png")
    {
        addChart(name, chartImage(500, 400), 48.00, 49.00, 9.00, 10.00);
    }

    // The window loaded, laid out for a 1280 x 760 client area (map 1000 x 707) and activated.
    tv::frmGPSmain& openWindow()
    {
        tv::frmGPSmain& w = tv::forms().get<tv::frmGPSmain>();
        w.resize(1280, 760);
        w.dontResize = false;
        w.Form_Resize();
        w.Form_Activate();
        return w;
    }

    tv::frmGPSmain& window() { return tv::forms().get<tv::frmGPSmain>(); }

    int64_t probe(double x, double y) { return window().mapSurface().Point(x, y); }

    // The aircraft at a position in decimal degrees without a fix, as the first point of a
    // route places it: nothing is redrawn.
    void placeAircraft(double latDeg, double lonDeg)
    {
        window().navigation().fixEvents().placeWithoutFix(latDeg, lonDeg);
    }

    // The pilot picks entry `index` from the chart combo's list.
    static void pickChart(tv::frmGPSmain& w, int index)
    {
        w.cmbMaps->setCurrentIndex(index);
        emit w.cmbMaps->textActivated(w.cmbMaps->itemText(index));
    }

    std::vector<QString> messageTexts() const
    {
        std::vector<QString> texts;
        for (const tv::MsgRecord& m : messages)
            texts.push_back(m.text);
        return texts;
    }
};

} // namespace fwtest
