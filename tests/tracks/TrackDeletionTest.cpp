#include "tracks/TrackFixture.h"

#include "core/Unprivileged.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "tracks/TrackBackup.h"
#include "tracks/TrackList.h"

#include <filesystem>
#include <ios>
#include <optional>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

using trackstest::TrackManagerTest;

class TrackDeletion : public TrackManagerTest
{
protected:
    std::vector<std::string> listed(const std::string& file = "track.tvd")
    {
        return fileColumn(R"(SELECT "Index" FROM "List" ORDER BY "Index")", file);
    }
    std::vector<std::string> pointTracks(const std::string& file = "track.tvd")
    {
        return fileColumn(R"(SELECT "Index" FROM "track" ORDER BY "Index", "Number")", file);
    }
    // Files in the program folder apart from the laid-out ones: left-over temporary files.
    std::vector<std::string> strayFiles()
    {
        std::vector<std::string> stray;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
            const std::string name = e.path().filename().string();
            if (name.front() == '.')
                stray.push_back(name);
        }
        return stray;
    }

    const std::vector<std::string> all_ = {"3", "5", "7"};
    const std::vector<std::string> allPoints_ = {"3", "3", "5", "7", "7", "7"};
};

TEST_F(TrackDeletion, QuestionListsTheTickedNumbersInTheWindowsLanguage)
{
    struct Case
    {
        int language;
        std::vector<int> clicks;
        QString text;
        QString title;
    };
    const Case cases[] = {
        {0, {0, 1}, "Track: | 3 | 5 |  werden gelöscht ! ", "Achtung"},
        {1, {0, 1}, "Track: | 3 | 5 |  will be deleted ! ", "Attention"},
        {0, {2}, "Track: | 7 |  werden gelöscht ! ", "Achtung"},
        {0, {}, "Es wurden keine Tracks ausgewählt", "Achtung"},
        {1, {}, "No tracks selected", "Attention"},
    };
    for (const Case& c : cases) {
        tv::Language = static_cast<int16_t>(c.language);
        closeAllWindows();
        messages.clear();
        for (const int row : c.clicks)
            clickTrack(row);
        window().cmdDelete_Click();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(messages[0].title, c.title);
        EXPECT_EQ(messages[0].buttons, tv::MsgButtons::YesNo);
    }
}

TEST_F(TrackDeletion, NoChangesNothingAndThePointsCanStillBeExported)
{
    clickTrack(0);
    clickTrack(1);
    answer = tv::MsgResult::No;
    window().cmdDelete_Click();

    EXPECT_EQ(listed(), all_);
    EXPECT_EQ(pointTracks(), allPoints_);
    EXPECT_FALSE(exists("track.bak"));
    EXPECT_EQ(ticks(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(gridRows(), 3);

    saveAs = QString::fromStdString((dir / "after-no.gpx").string());
    window().cmdTrack_Click();
    EXPECT_NE(file("after-no.gpx").find("<trkpt lat=\"47.5\" lon=\"9.25\">"), std::string::npos);
}

TEST_F(TrackDeletion, YesKeepsABackupOfEverythingAndDeletesTheTickedTracks)
{
    writeFile("track.bak", "an old backup that is no database");
    clickTrack(0);
    clickTrack(1);
    answer = tv::MsgResult::Yes;
    window().cmdDelete_Click();

    // The backup opens as a database and holds all three tracks with all their points.
    tv::Connection backup;
    ASSERT_NO_THROW(backup.Open((dir / "track.bak").string()));
    EXPECT_EQ(listed("track.bak"), all_);
    EXPECT_EQ(pointTracks("track.bak"), allPoints_);

    EXPECT_EQ(listed(), (std::vector<std::string>{"7"}));
    EXPECT_EQ(pointTracks(), (std::vector<std::string>{"7", "7", "7"}));

    // The lists show what is left, nothing ticked; the grid is empty with a count of 0.
    EXPECT_EQ(numbers(), QStringList{"7"});
    EXPECT_EQ(names(), QStringList{"10Dec26 - 09:30"});
    EXPECT_EQ(ticks(), std::vector<bool>{false});
    EXPECT_EQ(gridRows(), 0);
    EXPECT_EQ(countLabel(), "0 Trackpunkte");
    EXPECT_TRUE(strayFiles().empty());
    EXPECT_EQ(messages.size(), 1u); // the question only

    // A click on the remaining track ticks it; its number is still 7.
    clickTrack(0);
    EXPECT_EQ(ticks(), std::vector<bool>{true});
    EXPECT_EQ(gridText(0, 0), "7");
}

TEST_F(TrackDeletion, YesWithNothingTickedStillMakesTheBackupAndDeletesNothing)
{
    answer = tv::MsgResult::Yes;
    window().cmdDelete_Click();
    EXPECT_EQ(listed("track.bak"), all_);
    EXPECT_EQ(listed(), all_);
    EXPECT_EQ(pointTracks(), allPoints_);
    EXPECT_EQ(countLabel(), "0 Trackpunkte");
}

TEST_F(TrackDeletion, NewTracksNeverTakeTheNumberOfADeletedOne)
{
    clickTrack(2);
    answer = tv::MsgResult::Yes;
    window().cmdDelete_Click();
    tvtest::TestDb db(dir / "track.tvd");
    db.exec(R"(INSERT INTO "List" ("Name") VALUES ('11Dec26 - 08:00'))");
    EXPECT_EQ(listed(), (std::vector<std::string>{"3", "5", "8"}));
}

TEST_F(TrackDeletion, AnUnwritableBackupShowsTheMessageAndDeletesNothing)
{
    // A folder named track.bak: no file can be renamed over it.
    std::filesystem::create_directories(dir / "track.bak" / "inside");
    tv::Language = 1;
    clickTrack(0);
    answer = tv::MsgResult::Yes;
    window().cmdDelete_Click();

    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, tv::backupFailedMessage(1));
    EXPECT_EQ(listed(), all_);
    EXPECT_EQ(pointTracks(), allPoints_);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(strayFiles().empty());
}

TEST_F(TrackDeletion, AFailureInTheSecondDeleteRollsBothBack)
{
    {
        tvtest::TestDb db(dir / "track.tvd");
        db.exec(R"(CREATE TRIGGER "keep5" BEFORE DELETE ON "List" WHEN OLD."Index" = 5
                   BEGIN SELECT RAISE(ABORT, 'track 5 is kept'); END)");
    }
    tv::Language = 0;
    clickTrack(0);
    clickTrack(1);
    answer = tv::MsgResult::Yes;
    window().cmdDelete_Click();

    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.startsWith(tv::deleteFailedMessage(0) + "\n\nDie Datei "));
    EXPECT_EQ(listed(), all_);
    EXPECT_EQ(pointTracks(), allPoints_);
    EXPECT_EQ(numbers(), (QStringList{"3", "5", "7"}));
    EXPECT_EQ(ticks(), (std::vector<bool>{true, true, false})) << "as the points still shown";
}

// The backup taken while the recorder's own connection has the file open with a write under
// way, and a backup into a folder the program may not write to.
TEST(TrackBackup, CopyIsConsistentWhileAnotherConnectionWrites)
{
    tvtest::TempDir dir;
    tv::schema::layoutProgramFolder(dir.path());
    trackstest::fillThreeTracks(dir / "track.tvd");
    tv::Connection manager, recorder;
    manager.Open((dir / "track.tvd").string());
    recorder.Open((dir / "track.tvd").string());
    recorder.Execute(R"(BEGIN)");
    recorder.Execute(R"(INSERT INTO "List" ("Name") VALUES ('not yet committed'))");
    // The copy holds what was committed, not half of a write.
    tv::backupTrackDb(manager, dir / "track.bak");
    EXPECT_EQ(tvtest::TestDb(dir / "track.bak").column(R"(SELECT count(*) FROM "List")"),
              std::vector<std::string>{"3"});
    recorder.Execute(R"(COMMIT)");

    tv::backupTrackDb(manager, dir / "track.bak");
    EXPECT_EQ(tvtest::TestDb(dir / "track.bak").column(R"(SELECT count(*) FROM "List")"),
              std::vector<std::string>{"4"});
}

// track.bak gets its mode as every file the program saves: a new one 0666 less the umask, a
// replaced one keeps what the pilot gave it.
TEST(TrackBackup, ANewBackupFollowsTheUmaskAndAReplacedOneKeepsItsMode)
{
    struct Case
    {
        mode_t umask;
        std::optional<fs::perms> before; // mode of an existing track.bak
        fs::perms after;
    };
    using P = fs::perms;
    const Case cases[] = {
        {022, std::nullopt, P::owner_read | P::owner_write | P::group_read | P::others_read},
        {077, std::nullopt, P::owner_read | P::owner_write},
        {002, std::nullopt,
         P::owner_read | P::owner_write | P::group_read | P::group_write | P::others_read},
        {022, P::owner_read | P::owner_write | P::group_read | P::group_write,
         P::owner_read | P::owner_write | P::group_read | P::group_write},
        {077, P::owner_read | P::owner_write | P::others_read,
         P::owner_read | P::owner_write | P::others_read},
    };
    for (const Case& c : cases) {
        tvtest::TempDir dir;
        tv::schema::layoutProgramFolder(dir.path());
        if (c.before) {
            tvtest::writeFile(dir / "track.bak", "previous backup");
            fs::permissions(dir / "track.bak", *c.before);
        }
        tv::Connection manager;
        manager.Open((dir / "track.tvd").string());
        const mode_t saved = ::umask(c.umask);
        tv::backupTrackDb(manager, dir / "track.bak");
        ::umask(saved);
        EXPECT_EQ(fs::status(dir / "track.bak").permissions(), c.after)
            << std::oct << "umask " << c.umask;
    }
}

TEST(TrackBackup, AFolderThatCannotBeWrittenKeepsTheOldBackup)
{
    tvtest::TempDir dir;
    tv::schema::layoutProgramFolder(dir.path());
    trackstest::fillThreeTracks(dir / "track.tvd");
    tvtest::writeFile(dir / "track.bak", "previous backup");
    const coretest::Outcome outcome = coretest::runWithReadOnlyFolder(dir.path(), [&] {
        try {
            tv::Connection c;
            c.Open((dir / "track.tvd").string());
            tv::backupTrackDb(c, dir / "track.bak");
            return true;
        } catch (const tv::DbError&) {
            return false;
        }
    });
    if (outcome == coretest::Outcome::CannotTest)
        GTEST_SKIP() << "cannot drop the right to write here";
    EXPECT_EQ(outcome, coretest::Outcome::Failed);
    EXPECT_EQ(tvtest::readFile(dir / "track.bak"), "previous backup");
}

} // namespace
