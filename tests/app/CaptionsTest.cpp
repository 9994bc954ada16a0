#include "app/Main.h"
#include "core/windows/frmAbout.h"
#include "core/windows/frmInfo1.h"
#include "core/windows/frmInfo2.h"
#include "core/windows/frmInfo3.h"
#include "core/windows/frmSettings.h"
#include "planning/frmLuftraumSettings.h"
#include "planning/frmManager.h"
#include "tools/DemoFolder.h"

#include "CaptionFit.h"
#include "core/windows/FrameFixture.h"

#include <QApplication>
#include <QMenuBar>
#include <QToolBar>

#include <functional>

using windowstest::FrameFixture;

namespace {

class CaptionsReadWhole : public FrameFixture
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        tv::demo::prepareDemoFolder(dir.path());
    }

    // What is cut in `w` once it is laid out and shown.
    static QStringList cutIn(QWidget& w)
    {
        w.show();
        QApplication::processEvents();
        return windowstest::cutCaptions(w);
    }
};

const int16_t kLanguages[] = {0, 1};

} // namespace

TEST_F(CaptionsReadWhole, MainFrameAndSettingsWindowAtBothScreenSizes)
{
    tv::UpdateAvailable = true; // the update item is measured too
    for (const int16_t language : kLanguages) {
        tv::Language = language;
        tv::Main& frame = tv::forms().get<tv::Main>();
        for (const QSize size : {QSize(1280, 800), QSize(1600, 1000)}) {
            frame.showNormal();
            frame.setGeometry(QRect(QPoint(0, 0), size));
            const std::string at = "language " + std::to_string(language) + " at " +
                                   std::to_string(size.width()) + " x " +
                                   std::to_string(size.height());
            frame.clickToolButton(3); // the plan window's menu items are offered
            QApplication::processEvents();
            EXPECT_EQ(windowstest::cutCaptions(*frame.menuBar()), QStringList()) << at;
            EXPECT_EQ(windowstest::cutCaptions(*frame.toolMain), QStringList()) << at;
            frame.clickToolButton(5);
            EXPECT_EQ(cutIn(tv::forms().get<tv::frmSettings>()), QStringList()) << at;
        }
        tv::forms().unloadAll(QString());
        flushDeletes();
    }
}

TEST_F(CaptionsReadWhole, CategoryManagerAirspaceAboutAndNoticeWindows)
{
    using Open = std::function<QWidget&()>;
    const struct
    {
        const char* window;
        Open open;
    } windows[] = {
        {"frmManager", []() -> QWidget& { return tv::forms().get<tv::frmManager>(); }},
        {"frmLuftraumSettings",
         []() -> QWidget& { return tv::forms().get<tv::frmLuftraumSettings>(); }},
        {"frmAbout", []() -> QWidget& { return tv::forms().get<tv::frmAbout>(); }},
        {"frmInfo1", []() -> QWidget& { return tv::forms().get<tv::frmInfo1>(); }},
        {"frmInfo2", []() -> QWidget& { return tv::forms().get<tv::frmInfo2>(); }},
        {"frmInfo3", []() -> QWidget& { return tv::forms().get<tv::frmInfo3>(); }},
    };
    openMainConnection();
    for (const int16_t language : kLanguages) {
        tv::Language = language;
        for (const auto& w : windows) {
            QWidget& window = w.open();
            EXPECT_EQ(cutIn(window), QStringList()) << w.window << " language " << language;
            tv::forms().unload(&window);
            flushDeletes();
        }
    }
}
