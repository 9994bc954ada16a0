#pragma once

// A program folder laid out by code, the program's globals reset, and every way a window
// reaches the user or ends the program recorded instead: message boxes, modal dialogs (with
// the first line of a notice window), link openings and the end of the program.

#include "core/Processes.h"
#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "core/forms/MsgBox.h"
#include "core/windows/WindowLook.h"
#include "core/windows/frmInfo.h"
#include "platform/ProgramFolder.h"
#include "schema/Layout.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace windowstest {

struct ShownDialog
{
    QString name;
    QString firstLine; // Label4 of a notice window
};

class FrameFixture : public ::testing::Test
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
        tv::forms().setModalHook([this](tv::DialogForm& d) {
            ShownDialog shown{d.formName(), {}};
            if (auto* notice = dynamic_cast<tv::NoticeWindow*>(&d))
                shown.firstLine = notice->Label4->text();
            dialogs.push_back(shown);
            return onDialog ? onDialog(d) : 0;
        });
        tv::setEndProgramHookForTesting([this](int code) { endedWith = code; });
        tv::setLinkOpenerForTesting([this](const QUrl& url) { openedLinks.push_back(url); });
    }

    void TearDown() override
    {
        tv::forms().unloadAll(QString());
        flushDeletes();
        tv::setMsgBoxHook(nullptr);
        tv::forms().setModalHook(nullptr);
        tv::setEndProgramHookForTesting(nullptr);
        tv::setLinkOpenerForTesting(nullptr);
        tv::resetGlobalsForTesting();
        tv::setProgramFolderForTesting({});
    }

    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void layout(const tv::schema::LayoutOptions& options = {})
    {
        tv::schema::layoutProgramFolder(dir.path(), options);
    }

    // The usual complete program folder: every data file, the airspace file with a release.
    void layoutComplete()
    {
        tv::schema::LayoutOptions all;
        all.airspace = tv::schema::AirspaceFile::WithRelease;
        all.airspaceRelease = "2024-03-21";
        all.airports = true;
        layout(all);
    }

    void remove(const std::string& name) { std::filesystem::remove(dir / name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir / name); }
    std::string file(const std::string& name) const { return tvtest::readFile(dir / name); }
    void write(const std::string& name, const std::string& content)
    {
        tvtest::writeFile(dir / name, content);
    }

    QStringList dialogNames() const
    {
        QStringList names;
        for (const ShownDialog& d : dialogs)
            names << d.name;
        return names;
    }

    tvtest::TempDir dir;
    std::vector<tv::MsgRecord> messages;
    std::vector<ShownDialog> dialogs;
    std::vector<QUrl> openedLinks;
    std::optional<int> endedWith;
    // Answers a modal dialog instead of a person (after it was recorded); 0 when not set.
    std::function<int(tv::DialogForm&)> onDialog;
};

} // namespace windowstest
