#pragma once

// A program folder for the settings window: empty data files, every COM port link leading
// nowhere (so the machine's own serial ports do not count), MainConnection open on its
// data.tvd, message boxes and modal dialogs answered and recorded.

#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "core/windows/frmSettings.h"
#include "support/WindowTestBase.h"

#include <vector>

namespace settingstest {

class SettingsWindowTest : public tvtest::WindowTestBase
{
protected:
    void SetUp() override
    {
        WindowTestBase::SetUp();
        layout();
        linkPortsToNowhere();
        openMainConnection();
        tv::PlaneSymbol = 1;
        tv::QNH = 1013;
    }

    int answerModal(tv::DialogForm& d) override
    {
        dialogs.push_back(d.formName());
        return 0;
    }

    tv::frmSettings& window() { return tv::forms().get<tv::frmSettings>(); }

    std::vector<QString> dialogs;
};

} // namespace settingstest
