#pragma once

// The flight window on a fresh program folder: data.tvd and track.tvd from the schema,
// MainConnection and TrackConnection open on them, message boxes answered and recorded. The
// window is loaded (Form_Load) but never shown; tests set the controls the GPS handlers would
// set (fix picture, track and altitude labels) and call the handlers directly.

#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "flight/frmGPSmain.h"
#include "support/WindowTestBase.h"

#include <QLabel>

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

    // The GPS reports a fix (or loses it), as the fix handlers show it.
    void setFix(bool fix)
    {
        w->picGPSCheck[0]->setVisible(!fix);
        w->picGPSCheck[1]->setVisible(fix);
        w->picGPSCheck[2]->setVisible(false);
        w->NoFix = !fix;
    }

    static bool shown(const QWidget* control) { return control && !control->isHidden(); }

    tv::frmGPSmain* w = nullptr;
};

} // namespace windowtest
