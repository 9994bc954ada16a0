#pragma once

// The flight window on a fresh program folder: data.tvd and track.tvd from the schema,
// MainConnection and TrackConnection open on them, message boxes answered and recorded. The
// window is loaded (Form_Load) but never shown; the receiver's sentences go in through
// HandleInput, and the handlers are called directly.

#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "flight/frmGPSmain.h"
#include "support/NmeaText.h"
#include "support/WindowTestBase.h"

#include <QLabel>

#include <string>

namespace windowtest {

class FlightWindowTest : public tvtest::WindowTestBase
{
protected:
    void SetUp() override
    {
        WindowTestBase::SetUp();
        layout();
        openMainConnection();
        openTrackConnection();
        // Many points are written in some tests: no need to wait for the disk.
        tv::TrackConnection->Execute("PRAGMA synchronous = OFF");
        tv::Language = 1;
        w = &tv::forms().get<tv::frmGPSmain>();
    }

    // The receiver reports a fix (or loses it), and nothing else.
    void setFix(bool fix) { w->HandleInput(tvtest::fixStatus(fix)); }
    // The receiver reports a fix with this track (degrees true), and no speed.
    void track(double degrees)
    {
        w->HandleInput(tvtest::nmea("GPRMC,,A,,,,,," + std::to_string(degrees) + ",,,"));
    }
    tv::FlightNavigation& nav() { return w->navigation(); }

    static bool shown(const QWidget* control) { return control && !control->isHidden(); }

    tv::frmGPSmain* w = nullptr;
};

} // namespace windowtest
