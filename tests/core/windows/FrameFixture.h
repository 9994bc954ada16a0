#pragma once

// A program folder laid out by code, the program's globals reset, and every way a window
// reaches the user or ends the program recorded instead: message boxes, modal dialogs (with
// the first line of a notice window), link openings and the end of the program.

#include "core/program/Processes.h"
#include "core/windows/WindowLook.h"
#include "core/windows/frmInfo.h"
#include "support/WindowTestBase.h"

#include <QLabel>
#include <QStringList>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace windowstest {

struct ShownDialog
{
    QString name;
    QString firstLine; // Label4 of a notice window
};

class FrameFixture : public tvtest::WindowTestBase
{
protected:
    void SetUp() override
    {
        WindowTestBase::SetUp();
        tv::setEndProgramHookForTesting([this](int code) { endedWith = code; });
        tv::setLinkOpenerForTesting([this](const QUrl& url) { openedLinks.push_back(url); });
    }

    void TearDown() override
    {
        WindowTestBase::TearDown();
        tv::setEndProgramHookForTesting(nullptr);
        tv::setLinkOpenerForTesting(nullptr);
    }

    int answerModal(tv::DialogForm& d) override
    {
        ShownDialog shown{d.formName(), {}};
        if (auto* notice = dynamic_cast<tv::NoticeWindow*>(&d))
            shown.firstLine = notice->Label4->text();
        dialogs.push_back(shown);
        return onDialog ? onDialog(d) : 0;
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

    QStringList dialogNames() const
    {
        QStringList names;
        for (const ShownDialog& d : dialogs)
            names << d.name;
        return names;
    }

    std::vector<ShownDialog> dialogs;
    std::vector<QUrl> openedLinks;
    std::optional<int> endedWith;
    // Answers a modal dialog instead of a person (after it was recorded); 0 when not set.
    std::function<int(tv::DialogForm&)> onDialog;
};

} // namespace windowstest
