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
#include "core/forms/MsgBox.h"
#include "flight/DrawSurface.h"
#include "flight/frmGPSmain.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "schema/Layout.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace fwtest {

// A sentence with its checksum and CR LF: nmea("GPRMC,...") -> "$GPRMC,...*hh\r\n".
inline std::string nmea(const std::string& body)
{
    unsigned sum = 0;
    for (unsigned char c : body)
        sum ^= c;
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", sum & 0xFF);
    return "$" + body + "*" + hex + "\r\n";
}

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

class FlightWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tv::resetGlobalsForTesting();
        tv::schema::layoutProgramFolder(dir.path());
        tv::setProgramFolderForTesting(dir.path());
        std::filesystem::create_directories(dir / "dosdevices");
        std::filesystem::create_directories(dir / "Karten");
        for (int n = 1; n <= 20; ++n)
            port(n, "nowhere");
        tv::MainConnection = std::make_shared<tv::Connection>();
        tv::MainConnection->Open((dir / "data.tvd").string());
        tv::TrackConnection = std::make_shared<tv::Connection>();
        tv::TrackConnection->Open((dir / "track.tvd").string());
        tv::PlaneSymbol = 1;
        tv::QNH = 1013;
        tv::QNHDate = tv::today();
        tv::Language = 0;
        tv::setMsgBoxHook([this](const tv::MsgRecord& m) {
            messages.push_back(m);
            return tv::MsgResult::Ok;
        });
        tv::forms().setModalHook([](tv::DialogForm&) { return 0; });
    }

    void TearDown() override
    {
        tv::forms().unloadAll(QString());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        tv::setMsgBoxHook(nullptr);
        tv::forms().setModalHook(nullptr);
        tv::resetGlobalsForTesting();
        tv::setProgramFolderForTesting({});
    }

    // Points COM port n at `target` (relative targets are taken inside dosdevices).
    void port(int n, const std::filesystem::path& target)
    {
        const auto link = dir / "dosdevices" / ("com" + std::to_string(n));
        std::error_code ec;
        std::filesystem::remove(link, ec);
        std::filesystem::create_symlink(target, link);
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

    void writeFile(const std::string& name, const std::string& content)
    {
        tvtest::writeFile(dir / name, content);
    }
    std::string file(const std::string& name) { return tvtest::readFile(dir / name); }
    bool exists(const std::string& name) { return std::filesystem::exists(dir / name); }

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

    std::vector<QString> messageTexts() const
    {
        std::vector<QString> texts;
        for (const tv::MsgRecord& m : messages)
            texts.push_back(m.text);
        return texts;
    }

    tvtest::TempDir dir;
    std::vector<tv::MsgRecord> messages;
};

} // namespace fwtest
