#include "app/Main.h"
#include "app/frmSplash.h"
#include "core/program/UpdateCheck.h"
#include "flight/frmGPSmain.h"

#include "core/program/VersionServer.h"
#include "core/windows/FrameFixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>

using windowstest::FrameFixture;
using windowstest::VersionServer;

namespace {

std::string crlf(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

class StartUp : public FrameFixture
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        tv::setUpdateTimeoutForTesting(1500);
    }
    void TearDown() override
    {
        tv::setUpdateHostForTesting(QStringLiteral("127.0.0.1"), 9);
        tv::setUpdateTimeoutForTesting(0);
        FrameFixture::TearDown();
    }

    tv::frmSplash& splash() { return tv::forms().get<tv::frmSplash>(); }

    // Waits until `done` or two seconds have passed, letting the event loop run.
    template <class Pred> static bool waitFor(Pred done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    VersionServer server;
};

TEST_F(StartUp, FirstStartWritesTheCoreSettingsFilesWithDefaults)
{
    layout();
    tv::frmSplash& s = splash();
    EXPECT_EQ(file("lang.crm"), crlf({"0"}));
    EXPECT_EQ(file("symbol.crm"), crlf({"1"}));
    EXPECT_EQ(file("track.crm"), crlf({"0", "0", "0"}));
    EXPECT_EQ(file("LR.crm"), crlf({"1013", "#" + tv::formatIsoDate(tv::today()) + "#"}));
    EXPECT_EQ(tv::Language, 0);
    EXPECT_EQ(tv::PlaneSymbol, 1);
    EXPECT_EQ(tv::QNH, 1013);
    EXPECT_EQ(s.lblVersion->text(), "Version " + tv::localVersionText());
    EXPECT_EQ(s.Timer1->interval(), 2000);
    EXPECT_TRUE(s.Timer1->isRunning());
    // Nobody answered the update check: no update.
    EXPECT_FALSE(tv::UpdateAvailable);
    EXPECT_TRUE(s.lblUpdate->isHidden());
    EXPECT_TRUE(messages.empty());
}

TEST_F(StartUp, StoredSettingsAreLoaded)
{
    layout();
    writeFile("lang.crm", crlf({"1"}));
    writeFile("symbol.crm", crlf({"2"}));
    writeFile("track.crm", crlf({"1", "\"10\"", "1"}));
    writeFile("LR.crm", crlf({"1021", "#2024-05-01#"}));
    splash();
    EXPECT_EQ(tv::Language, 1);
    EXPECT_EQ(tv::PlaneSymbol, 2);
    EXPECT_TRUE(tv::TrackLoggerOn);
    EXPECT_EQ(tv::TrackInterval, 10000);
    EXPECT_TRUE(tv::TrackAutoOn);
    EXPECT_EQ(tv::QNH, 1021);
}

TEST_F(StartUp, TheTickHandsOverToTheMainFrame)
{
    layoutComplete();
    tv::frmSplash& s = splash();
    s.Timer1->fire();
    flushDeletes();
    EXPECT_EQ(tv::forms().find<tv::frmSplash>(), nullptr);
    ASSERT_NE(tv::forms().find<tv::Main>(), nullptr);
    EXPECT_TRUE(tv::forms().find<tv::Main>()->isVisible());
    EXPECT_NE(tv::forms().find<tv::frmGPSmain>(), nullptr);
    EXPECT_TRUE(exists("version.crm"));
}

TEST_F(StartUp, DifferentVersionOnTheServerShowsTheLabelAndLaterTheMenuItem)
{
    layoutComplete();
    writeFile("lang.crm", crlf({"1"}));
    server.answer(200, "0.0.1");
    tv::setUpdateHostForTesting(QStringLiteral("127.0.0.1"), server.port());
    tv::frmSplash& s = splash();
    EXPECT_TRUE(tv::UpdateAvailable);
    EXPECT_FALSE(s.lblUpdate->isHidden());
    EXPECT_EQ(s.lblUpdate->text(), "Update available");
    s.Timer1->fire();
    ASSERT_NE(tv::forms().find<tv::Main>(), nullptr);
    EXPECT_TRUE(tv::forms().find<tv::Main>()->mnuUpdate->isVisible());
    EXPECT_EQ(tv::forms().find<tv::Main>()->mnuUpdate->text(), "Update available");
}

TEST_F(StartUp, SameVersionOnTheServerHidesTheLabel)
{
    layout();
    server.answer(200, tv::localVersionText().toLatin1());
    tv::setUpdateHostForTesting(QStringLiteral("127.0.0.1"), server.port());
    tv::frmSplash& s = splash();
    EXPECT_FALSE(tv::UpdateAvailable);
    EXPECT_TRUE(s.lblUpdate->isHidden());
    EXPECT_EQ(s.lblUpdate->text(), "Update vorhanden");
}

TEST_F(StartUp, TickDuringTheUpdateCheckWaitsForTheLoadToEnd)
{
    layoutComplete();
    // The timer ticks while the load waits for the server.
    server.onRequest([] {
        if (tv::frmSplash* s = tv::forms().find<tv::frmSplash>())
            s->Timer1->fire();
    });
    server.answer(200, tv::localVersionText().toLatin1());
    tv::setUpdateHostForTesting(QStringLiteral("127.0.0.1"), server.port());
    tv::frmSplash& s = splash();
    ASSERT_EQ(server.requests().size(), 1);
    // The load went on to its end: QNH and the version label were set after the check.
    EXPECT_EQ(tv::QNH, 1013);
    EXPECT_EQ(s.lblVersion->text(), "Version " + tv::localVersionText());
    EXPECT_EQ(tv::forms().find<tv::Main>(), nullptr);
    // The kept tick hands over once the load has returned, and only once.
    EXPECT_TRUE(waitFor([] { return tv::forms().find<tv::Main>() != nullptr; }));
    EXPECT_EQ(tv::forms().loadedNames().count("Main"), 1);
}

TEST_F(StartUp, WithoutMainDataFileTheStartEndsAfterTheMessage)
{
    layout();
    remove("data.tvd");
    splash().Timer1->fire();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(endedWith);
}
