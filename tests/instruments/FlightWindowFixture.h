#pragma once

// The flight window on a fresh program folder: data.tvd and track.tvd from the schema,
// MainConnection and TrackConnection open on them, message boxes answered and recorded. The
// window is loaded (Form_Load) but never shown; tests set the controls the GPS handlers would
// set (fix picture, track and altitude labels) and call the handlers directly.

#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "core/forms/MsgBox.h"
#include "flight/frmGPSmain.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "schema/Layout.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace windowtest {

class FlightWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tv::resetGlobalsForTesting();
        tv::schema::layoutProgramFolder(dir.path());
        tv::setProgramFolderForTesting(dir.path());
        tv::MainConnection = std::make_shared<tv::Connection>();
        tv::MainConnection->Open((dir / "data.tvd").string());
        tv::TrackConnection = std::make_shared<tv::Connection>();
        tv::TrackConnection->Open((dir / "track.tvd").string());
        // Many points are written in some tests: no need to wait for the disk.
        tv::TrackConnection->Execute("PRAGMA synchronous = OFF");
        tv::Language = 1;
        tv::setMsgBoxHook([this](const tv::MsgRecord& m) {
            messages.push_back(m);
            return tv::MsgResult::Ok;
        });
        w = &tv::forms().get<tv::frmGPSmain>();
    }

    void TearDown() override
    {
        tv::forms().unloadAll(QString());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        tv::setMsgBoxHook(nullptr);
        tv::resetGlobalsForTesting();
        tv::setProgramFolderForTesting({});
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

    tvtest::TempDir dir;
    std::vector<tv::MsgRecord> messages;
    tv::frmGPSmain* w = nullptr;
};

} // namespace windowtest
