#include "core/program/UpdateCheck.h"

#include "VersionServer.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using windowstest::VersionServer;

namespace {

// The local version in this build, and one that differs from it in the last number.
QString local()
{
    return tv::localVersionText();
}

QString otherVersion()
{
    return QStringLiteral("%1.9").arg(local().section('.', 0, 1));
}

} // namespace

TEST(UpdateDecision, SameVersionAsOursIsNoUpdate)
{
    EXPECT_FALSE(tv::isUpdateAvailable(QStringLiteral("1.1.2"), QStringLiteral("1.1.2")));
}

TEST(UpdateDecision, NewerOrOlderVersionBothOfferTheUpdate)
{
    EXPECT_TRUE(tv::isUpdateAvailable(QStringLiteral("1.1.3"), QStringLiteral("1.1.2")));
    EXPECT_TRUE(tv::isUpdateAvailable(QStringLiteral("1.0.9"), QStringLiteral("1.1.2")));
}

TEST(UpdateDecision, ReplyWithLineEndIsTooLongAndCountsAsOurs)
{
    EXPECT_FALSE(tv::isUpdateAvailable(QStringLiteral("1.1.2\r\n"), QStringLiteral("1.1.2")));
    EXPECT_FALSE(tv::isUpdateAvailable(QStringLiteral("<html><body>"), QStringLiteral("1.1.2")));
}

TEST(UpdateDecision, SixCharacterRepliesAreComparedAsTheyAre)
{
    EXPECT_TRUE(tv::isUpdateAvailable(QStringLiteral("1.1.10"), QStringLiteral("1.1.2")));
    EXPECT_TRUE(tv::isUpdateAvailable(QStringLiteral("1.1.2 "), QStringLiteral("1.1.2")));
}

TEST(UpdateDecision, EmptyReplyIsNoUpdate)
{
    EXPECT_FALSE(tv::isUpdateAvailable(QString(), QStringLiteral("1.1.2")));
}

TEST(UpdateDecision, ComparisonIsCaseSensitive)
{
    EXPECT_TRUE(tv::isUpdateAvailable(QStringLiteral("1.1.A"), QStringLiteral("1.1.a")));
}

TEST(UpdateListAddress, CarriesUserPasswordAndPath)
{
    tv::setUpdateHostForTesting(QString(), 0);
    const QUrl url = tv::updateListUrl();
    EXPECT_EQ(url.scheme(), "http");
    EXPECT_EQ(url.userName(), "tramvik");
    EXPECT_EQ(url.password(), "tovera517");
    EXPECT_EQ(url.host(), "update.tramvik.invalid");
    EXPECT_EQ(url.path(), "/update-gps/download/version-prog.txt");
    tv::setUpdateHostForTesting(QStringLiteral("127.0.0.1"), 9);
}

class UpdateServerCheck : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tv::setUpdateHostForTesting(QStringLiteral("127.0.0.1"), server.port());
        tv::setUpdateTimeoutForTesting(1500);
    }
    void TearDown() override
    {
        tv::setUpdateHostForTesting(QStringLiteral("127.0.0.1"), 9);
        tv::setUpdateTimeoutForTesting(0);
    }
    VersionServer server;
};

TEST_F(UpdateServerCheck, ServerWithOurVersionOffersNoUpdate)
{
    server.answer(200, local().toLatin1());
    EXPECT_FALSE(tv::checkForUpdate());
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests().first(), "GET /update-gps/download/version-prog.txt HTTP/1.1");
}

TEST_F(UpdateServerCheck, ServerWithAnotherVersionOffersTheUpdate)
{
    server.answer(200, otherVersion().toLatin1());
    EXPECT_TRUE(tv::checkForUpdate());
}

TEST_F(UpdateServerCheck, OurVersionWithLineEndIsNoUpdate)
{
    server.answer(200, local().toLatin1() + "\r\n");
    EXPECT_FALSE(tv::checkForUpdate());
}

TEST_F(UpdateServerCheck, EmptyFileIsNoUpdate)
{
    server.answer(200, QByteArray());
    EXPECT_FALSE(tv::checkForUpdate());
}

TEST_F(UpdateServerCheck, NotFoundPageIsNoUpdateEvenWithAShortBody)
{
    server.answer(404, otherVersion().toLatin1());
    EXPECT_FALSE(tv::checkForUpdate());
}

TEST_F(UpdateServerCheck, ServerErrorIsNoUpdate)
{
    server.answer(500, otherVersion().toLatin1());
    EXPECT_FALSE(tv::checkForUpdate());
}

TEST_F(UpdateServerCheck, ServerAskingForCredentialsGetsThoseOfTheAddress)
{
    server.answer(200, otherVersion().toLatin1(), true);
    EXPECT_TRUE(tv::checkForUpdate());
    EXPECT_EQ(server.lastAuthorization(), "Basic " + QByteArray("tramvik:tovera517").toBase64());
}

TEST_F(UpdateServerCheck, SilentServerTimesOutAsNoUpdate)
{
    server.silent();
    tv::setUpdateTimeoutForTesting(300);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(tv::checkForUpdate());
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST_F(UpdateServerCheck, NobodyListeningIsNoUpdate)
{
    tv::setUpdateHostForTesting(QStringLiteral("127.0.0.1"), 9);
    EXPECT_FALSE(tv::checkForUpdate());
}
