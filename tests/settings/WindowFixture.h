#pragma once

// A program folder for the settings window: empty data files, every COM port link leading
// nowhere (so the machine's own serial ports do not count), MainConnection open on its
// data.tvd, message boxes and modal dialogs answered and recorded.

#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "core/forms/MsgBox.h"
#include "core/windows/frmSettings.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "schema/Layout.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace settingstest {

class SettingsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tv::resetGlobalsForTesting();
        tv::schema::layoutProgramFolder(dir.path());
        tv::setProgramFolderForTesting(dir.path());
        std::filesystem::create_directory(dir / "dosdevices");
        for (int n = 1; n <= 20; ++n)
            port(n, "nowhere");
        tv::MainConnection = std::make_shared<tv::Connection>();
        tv::MainConnection->Open((dir / "data.tvd").string());
        tv::PlaneSymbol = 1;
        tv::QNH = 1013;
        tv::setMsgBoxHook([this](const tv::MsgRecord& m) {
            messages.push_back(m);
            return tv::MsgResult::Ok;
        });
        tv::forms().setModalHook([this](tv::DialogForm& d) {
            dialogs.push_back(d.formName());
            return 0;
        });
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
        std::filesystem::remove(link);
        std::filesystem::create_symlink(target, link);
    }

    tv::frmSettings& window() { return tv::forms().get<tv::frmSettings>(); }

    std::string file(const std::string& name) { return tvtest::readFile(dir / name); }
    bool exists(const std::string& name) { return std::filesystem::exists(dir / name); }

    tvtest::TempDir dir;
    std::vector<tv::MsgRecord> messages;
    std::vector<QString> dialogs;
};

} // namespace settingstest
