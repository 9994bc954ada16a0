#include "tracks/TrackFixture.h"

#include "support/HeldDataFile.h"
#include "tracks/TrackList.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QStyle>
#include <QTableView>

#include <cstdlib>

#include <filesystem>

namespace {

using trackstest::TrackManagerTest;
using TrackList = TrackManagerTest;

TEST_F(TrackList, ListsShowNamesBesideTheirNumbersWithNothingTickedOrShown)
{
    EXPECT_EQ(names(), (QStringList{"08Dec26 - 14:05", "09Dec26 - 10:00", "10Dec26 - 09:30"}));
    EXPECT_EQ(numbers(), (QStringList{"3", "5", "7"}));
    EXPECT_EQ(ticks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(gridRows(), 0);
    EXPECT_EQ(countLabel(), "");
    EXPECT_EQ(window().windowTitle(), "Track Manager");
    EXPECT_TRUE(messages.empty());
}

TEST_F(TrackList, CountLabelNamesThePointsOfTheTickedTracksInBothLanguages)
{
    struct Case
    {
        int language;
        std::vector<int> clicks; // list rows clicked in turn
        QString label;
    };
    const Case cases[] = {
        {0, {1}, "1 Trackpunkt"},     {1, {1}, "1 trackpoint"},     {0, {0}, "2 Trackpunkte"},
        {1, {0}, "2 trackpoints"},    {0, {0, 2}, "5 Trackpunkte"}, {1, {0, 1, 2}, "6 trackpoints"},
        {0, {1, 1}, "0 Trackpunkte"}, {1, {1, 1}, "0 trackpoints"},
    };
    for (const Case& c : cases) {
        tv::Language = static_cast<int16_t>(c.language);
        closeAllWindows();
        for (const int row : c.clicks)
            clickTrack(row);
        EXPECT_EQ(countLabel(), c.label) << c.language << " " << c.clicks.size();
        EXPECT_EQ(gridRows(), countLabel().section(' ', 0, 0).toInt());
    }
}

TEST_F(TrackList, TickedTracksShowTheirPointsByTrackThenPointNumber)
{
    clickTrack(2);
    clickTrack(0);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, true}));
    ASSERT_EQ(gridRows(), 5);
    QStringList trackAndNumber;
    for (int r = 0; r < gridRows(); ++r)
        trackAndNumber << gridText(r, 0) + "/" + gridText(r, 1);
    EXPECT_EQ(trackAndNumber, (QStringList{"3/1", "3/2", "7/1", "7/2", "7/3"}));
    EXPECT_EQ(gridText(0, 2), "48.1235");
    EXPECT_EQ(gridText(0, 3), "8.");
    EXPECT_EQ(gridText(0, 5), "2026-12-08");
    EXPECT_EQ(gridText(0, 6), "14:05:33");

    // A second click on a track unticks it.
    clickTrack(0);
    EXPECT_EQ(ticks(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(gridRows(), 3);
}

TEST_F(TrackList, APointWithoutHeightShowsAnEmptyCell)
{
    clickTrack(1);
    ASSERT_EQ(gridRows(), 1);
    EXPECT_EQ(gridText(0, 4), "");
}

TEST_F(TrackList, GridCaptionsFollowTheLanguageWithTheirLeadingBlanks)
{
    const auto captions = [this] {
        QStringList c;
        const auto* m = window().gridTracks->model();
        for (int i = 0; i < m->columnCount(); ++i)
            c << m->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        return c;
    };
    tv::Language = 0;
    EXPECT_EQ(captions(), (QStringList{"Track", "PositionNr", " Breitengrad", " Längengrad",
                                       "       Höhe", "        Datum", "          Zeit"}));
    EXPECT_EQ(window().cmdDelete->text(), "Ausgewählte Tracks löschen");
    closeAllWindows();
    tv::Language = 1;
    EXPECT_EQ(captions(), (QStringList{"Track", "PositionNr", "  Latitude", "  Longitude",
                                       "     Altitude", "         Date", "         Time"}));
    EXPECT_EQ(window().cmdDelete->text(), "Delete selected tracks");
    EXPECT_EQ(window().lblTracks->text(), "Selected tracks");
}

// Points as the recorder writes them (degrees from minutes, metres from feet) read in the grid
// as the export writes them, and every caption and value fits its column, in both languages.
TEST_F(TrackList, PointsReadWholeInSevenColumnsThatFitTheGrid)
{
    trackstest::addRecordedTrack(dir / "track.tvd");
    const QStringList expected[] = {
        {"12345", "1", "48.1173", "9.3667", "1067", "2026-12-12", "11:00:00"},
        {"12345", "2", "-33.8568", "-151.2153", "-3", "2026-12-12", "11:00:10"},
        {"12345", "3", "47.0001", "9.", "", "2026-12-12", "11:00:20"},
        {"12345", "4", "kaputt", "0.", "hoch", "2026-12-12", "11:00:30"},
    };
    for (const int language : {0, 1}) {
        tv::Language = static_cast<int16_t>(language);
        closeAllWindows();
        window().show();
        clickTrack(3);
        ASSERT_EQ(gridRows(), 4);
        for (int r = 0; r < 4; ++r) {
            QStringList row;
            for (int c = 0; c < 7; ++c)
                row << gridText(r, c);
            EXPECT_EQ(row, expected[r]) << language;
        }
        QTableView* grid = window().gridTracks;
        EXPECT_FALSE(grid->verticalHeader()->isVisible());
        const QHeaderView* header = grid->horizontalHeader();
        const QFontMetrics cells(grid->font());
        const QFontMetrics heads(header->font());
        // A caption's words stand inside its section's margins; its leading blanks may not.
        const int headMargin = 2 * grid->style()->pixelMetric(QStyle::PM_HeaderMargin);
        int total = 0;
        for (int c = 0; c < 7; ++c) {
            total += header->sectionSize(c);
            const QString caption = header->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_LE(heads.horizontalAdvance(caption.trimmed()) + headMargin,
                      header->sectionSize(c))
                << language << " " << caption.toStdString();
            for (int r = 0; r < 4; ++r)
                EXPECT_LT(cells.horizontalAdvance(gridText(r, c)), header->sectionSize(c))
                    << language << " " << gridText(r, c).toStdString();
        }
        EXPECT_LE(total, grid->viewport()->width()) << language;
    }
}

TEST_F(TrackList, ClickingANumberMovesTheNameListButTicksNothing)
{
    clickTrack(0);
    window().listIndex->setCurrentRow(2);
    window().listIndex_MouseDown();
    EXPECT_EQ(window().listTrack->currentRow(), 2);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(gridRows(), 2);
}

TEST_F(TrackList, AnEmptyTrackFileGivesEmptyListsAndClicksDoNothing)
{
    {
        tvtest::TestDb db(dir / "track.tvd");
        db.exec(R"(DELETE FROM "track"; DELETE FROM "List")");
    }
    EXPECT_TRUE(names().isEmpty());
    EXPECT_TRUE(numbers().isEmpty());
    window().listTrack_MouseUp();
    EXPECT_EQ(countLabel(), "");
    EXPECT_TRUE(messages.empty());
}

TEST_F(TrackList, AMissingOrBrokenTrackFileShowsAMessageAndNoTracks)
{
    for (const char* content : {"", "no database at all"}) {
        closeAllWindows();
        messages.clear();
        std::filesystem::remove(dir / "track.tvd");
        if (*content != 0)
            writeFile("track.tvd", content);
        tv::Language = 1;
        EXPECT_TRUE(names().isEmpty());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].text.startsWith(tv::trackFileFailedMessage(1) + "\n\nThe file "));

        // Nothing to show, delete or export, and nothing breaks.
        answer = tv::MsgResult::Yes;
        window().cmdDelete_Click();
        window().cmdTrack_Click();
        EXPECT_FALSE(exists("track.bak"));
        EXPECT_TRUE(saveRequests.empty());
    }
}

TEST_F(TrackList, AFailingPointQueryKeepsThePointsAndTicksShownBefore)
{
    clickTrack(0);
    ASSERT_EQ(gridRows(), 2);
    {
        tvtest::TestDb db(dir / "track.tvd");
        db.exec(R"(DROP TABLE "track")");
    }
    tv::Language = 0;
    clickTrack(2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(tv::pointsFailedMessage(0) + "\n\nDie Datei "));
    EXPECT_EQ(countLabel(), "2 Trackpunkte");
    window().cmdWpt_Click();
    EXPECT_EQ(messages.size(), 2u) << "the export reads the points again and says why it cannot";
    EXPECT_TRUE(saveRequests.empty());
}

TEST_F(TrackList, AHeldTrackFileIsToldForEachActionAndTheNextOneWorks)
{
    const QString file = QString::fromStdString((dir / "track.tvd").string());
    tv::Language = 0;
    answer = tv::MsgResult::Yes; // the delete question comes before the failure
    saveAs = QString::fromStdString((dir / "Track3.gpx").string());
    clickTrack(0);
    {
        tvtest::HeldDataFile held(dir / "track.tvd");
        clickTrack(2);
        window().cmdTrack_Click();
        window().cmdDelete_Click();
    }
    ASSERT_EQ(messages.size(), 4u) << "points, Track File, the delete question and its failure";
    EXPECT_EQ(messages[0].text, tv::pointsFailedMessage(0) + "\n\nDie Datei " + file +
                                    " wird von einem anderen Programm gesperrt.");
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(gridRows(), 2);
    clickTrack(2); // the file is free again
    window().cmdTrack_Click();
    window().cmdDelete_Click();
    EXPECT_EQ(saveRequests.size(), 1u) << "no save dialog while the file was held";
    EXPECT_TRUE(exists("Track3.gpx"));
    EXPECT_EQ(names(), (QStringList{"09Dec26 - 10:00"}));
    EXPECT_EQ(messages.size(), 5u) << "only the delete question once the file is free";
}

// The point query takes track numbers as bound values: however many tracks are ticked, the
// text itself never carries one.
TEST(TrackPointQuery, TrackNumbersAreBoundNeverPasted)
{
    const tv::BoundSql none = tv::pointQuery({});
    EXPECT_TRUE(none.params.empty());
    const tv::BoundSql three = tv::pointQuery({3, 5, 70001});
    EXPECT_EQ(three.params, (std::vector<tv::Value>{3, 5, 70001}));
    EXPECT_EQ(three.sql.find("70001"), std::string::npos);
    EXPECT_NE(three.sql.find(R"("Index" IN (?, ?, ?))"), std::string::npos);
}

} // namespace

namespace {

using TrackWindow = trackstest::TrackManagerTest;

// A real click (press and release of the mouse) on a name ticks it; a click on a number only
// moves the name list.
TEST_F(TrackWindow, MouseClicksOnTheListsTickAndFollow)
{
    const auto click = [](QListWidget* list, int row, QEvent::Type type) {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QMouseEvent e(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &e);
    };
    window().show();
    click(window().listTrack, 1, QEvent::MouseButtonPress);
    click(window().listTrack, 1, QEvent::MouseButtonRelease);
    EXPECT_EQ(ticks(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(countLabel(), "1 Trackpunkt");

    click(window().listIndex, 2, QEvent::MouseButtonPress);
    click(window().listIndex, 2, QEvent::MouseButtonRelease);
    EXPECT_EQ(window().listTrack->currentRow(), 2);
    EXPECT_EQ(ticks(), (std::vector<bool>{false, true, false}));
}

// The window drawn as the pilot sees it, points shown: nothing may break while painting.
// TRAMVIK_TRACKS_SHOT=<folder> keeps the pictures (tracks-de.png, tracks-en.png).
TEST_F(TrackWindow, PaintsWithPointsShown)
{
    trackstest::addRecordedTrack(dir / "track.tvd");
    for (const int language : {0, 1}) {
        tv::Language = static_cast<int16_t>(language);
        closeAllWindows();
        clickTrack(0);
        clickTrack(2);
        clickTrack(3);
        const QImage shot = window().grab().toImage();
        EXPECT_EQ(shot.size(), window().size());
        if (const char* out = std::getenv("TRAMVIK_TRACKS_SHOT"))
            shot.save(QString::fromLocal8Bit(out) + (language == 0
                                                         ? QStringLiteral("/tracks-de.png")
                                                         : QStringLiteral("/tracks-en.png")));
    }
}

} // namespace
