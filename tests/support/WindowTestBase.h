#pragma once

// What every window test sets up and takes down again: the program's globals reset, a program
// folder of its own (laid out by code when the test asks), message boxes answered with OK and
// recorded, modal dialogs answered by the test instead of a person, and every window unloaded
// and deleted at the end. Each area derives its own fixture and adds what it needs.

#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "core/forms/MsgBox.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "schema/Layout.h"
#include "support/QtPrint.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QEvent>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace tvtest {

class WindowTestBase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tv::resetGlobalsForTesting();
        tv::setProgramFolderForTesting(dir.path());
        tv::setMsgBoxHook([this](const tv::MsgRecord& m) {
            messages.push_back(m);
            return tv::MsgResult::Ok;
        });
        tv::forms().setModalHook([this](tv::DialogForm& d) { return answerModal(d); });
    }

    void TearDown() override
    {
        closeAllWindows();
        tv::setMsgBoxHook(nullptr);
        tv::forms().setModalHook(nullptr);
        tv::resetGlobalsForTesting();
        tv::setProgramFolderForTesting({});
    }

    // A modal dialog is shown: what it returns instead of waiting for a person.
    virtual int answerModal(tv::DialogForm&) { return 0; }

    // Windows unloaded in a test are deleted later by the event loop; this does it now.
    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Unloads every window at once: the next one touched is loaded anew, as when the pilot
    // opens it again.
    static void closeAllWindows()
    {
        tv::forms().unloadAll(QString());
        flushDeletes();
    }

    void layout(const tv::schema::LayoutOptions& options = {})
    {
        tv::schema::layoutProgramFolder(dir.path(), options);
    }

    // MainConnection (and TrackConnection) open on the laid-out data.tvd (track.tvd).
    void openMainConnection()
    {
        tv::MainConnection = std::make_shared<tv::Connection>();
        tv::MainConnection->Open((dir / "data.tvd").string());
    }
    void openTrackConnection()
    {
        tv::TrackConnection = std::make_shared<tv::Connection>();
        tv::TrackConnection->Open((dir / "track.tvd").string());
    }

    // COM 1 to 20 as links leading nowhere, so the machine's own serial ports do not count.
    void linkPortsToNowhere()
    {
        std::filesystem::create_directories(dir / "dosdevices");
        for (int n = 1; n <= 20; ++n)
            port(n, "nowhere");
    }

    // Points COM port n at `target` (relative targets are taken inside dosdevices).
    void port(int n, const std::filesystem::path& target)
    {
        const auto link = dir / "dosdevices" / ("com" + std::to_string(n));
        std::error_code ec;
        std::filesystem::remove(link, ec);
        std::filesystem::create_symlink(target, link);
    }

    std::string file(const std::string& name) const { return readFile(dir / name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir / name); }
    void writeFile(const std::string& name, const std::string& content) const
    {
        tvtest::writeFile(dir / name, content);
    }

    TempDir dir;
    std::vector<tv::MsgRecord> messages;
};

} // namespace tvtest
