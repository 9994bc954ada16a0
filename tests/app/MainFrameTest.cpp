#include "app/Main.h"
#include "calibration/frmCalibrate.h"
#include "core/CoreSettings.h"
#include "core/program/UpdateCheck.h"
#include "core/windows/frmAbout.h"
#include "core/windows/frmSettings.h"
#include "flight/frmGPSmain.h"
#include "flightplan/frmFlugPlan.h"
#include "planning/frmImport.h"
#include "planning/frmPlanung.h"
#include "platform/Connection.h"

#include "core/windows/FrameFixture.h"
#include "schema/Schema.h"
#include "support/HeldDataFile.h"
#include "support/PlainSqlite.h"
#include "support/ReadOnlyFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QThread>

using windowstest::FrameFixture;

namespace {

// The mode window in front in the main frame's MDI area, and whether it fills the area.
QWidget* frontWindow()
{
    QMdiArea* area = tv::forms().mdiArea();
    QMdiSubWindow* sub = area ? area->currentSubWindow() : nullptr;
    return sub ? sub->widget() : nullptr;
}

bool frontIsMaximized()
{
    QMdiArea* area = tv::forms().mdiArea();
    QMdiSubWindow* sub = area ? area->currentSubWindow() : nullptr;
    return sub && sub->isMaximized();
}

void sql(const std::filesystem::path& file, const std::string& statement)
{
    tv::Connection c;
    c.Open(file.string());
    c.Execute(statement);
}

bool airspaceSwitchesHidden(tv::frmGPSmain& flight)
{
    return flight.cmdLR1->isHidden() && flight.cmdLR2->isHidden() && flight.cmdPR->isHidden() &&
           flight.picLR3->isHidden() && flight.picPR->isHidden();
}

} // namespace

// --- Opening the data files -----------------------------------------------------------------

class MainFrameStart : public FrameFixture
{
protected:
    tv::Main& start() { return tv::forms().get<tv::Main>(); }
};

TEST_F(MainFrameStart, CompleteFolderOpensEveryFileAndShowsTheFlightWindow)
{
    layoutComplete();
    tv::Main& frame = start();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(dialogs.empty());
    EXPECT_FALSE(endedWith);
    EXPECT_TRUE(tv::MainConnection && tv::TrackConnection && tv::AirspaceConnection &&
                tv::AirportConnection);
    EXPECT_TRUE(tv::AptDataAvailable);
    EXPECT_EQ(tv::AirspaceReleaseDate, *tv::parseIsoDate("2024-03-21"));
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frontWindow(), tv::forms().find<tv::frmGPSmain>());
    EXPECT_TRUE(frontIsMaximized());
    EXPECT_FALSE(airspaceSwitchesHidden(*tv::forms().find<tv::frmGPSmain>()));
}

TEST_F(MainFrameStart, MissingMainDataFileTellsThePilotAndEndsAtOnce)
{
    layout();
    remove("data.tvd");
    tv::Main& frame = start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Die Datei - data.tvd - wurde nicht im Programmordner gefunden.");
    EXPECT_EQ(messages[0].title, "Datenfehler");
    EXPECT_EQ(messages[0].buttons, tv::MsgButtons::Ok);
    ASSERT_TRUE(endedWith);
    EXPECT_NE(*endedWith, 0);
    // Nothing else happens: no notice, no window, no version file.
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(tv::forms().loadedNames(), QStringList{"Main"});
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(exists("version.crm"));
}

TEST_F(MainFrameStart, MissingMainDataFileMessageInEnglish)
{
    layout();
    remove("data.tvd");
    tv::Language = 1;
    start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "File - data.tvd - was not found.");
    EXPECT_EQ(messages[0].title, "Data error");
    EXPECT_TRUE(endedWith);
}

TEST_F(MainFrameStart, DamagedMainDataFileCountsAsMissing)
{
    layout();
    writeFile("data.tvd", "this is no database");
    start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(endedWith);
}

TEST_F(MainFrameStart, AMainDataFileHeldOrReadOnlyAtStartSaysSoAndNamesTheFile)
{
    namespace fs = std::filesystem;
    const QString file = QString::fromStdString((dir / "data.tvd").string());
    {
        // Held by another program: the program cannot open it and says why, then ends.
        layoutComplete();
        const tvtest::HeldDataFile held(dir / "data.tvd");
        start();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QStringLiteral("Die Datei - data.tvd - konnte nicht geöffnet "
                                                   "werden.\n\nDie Datei ") +
                                        file + " wird von einem anderen Programm gesperrt.");
        EXPECT_TRUE(endedWith);
    }
    // Read-only for the user (who is not root): the data show, the pilot is told once, and
    // once the file may be written a change is stored without a restart.
    TearDown();
    SetUp();
    messages.clear();
    endedWith.reset();
    layoutComplete();
    fs::permissions(dir.path(), fs::perms::all);
    for (const char* name : {"track.tvd", "Luftraum.tvd", "tvdata.tvd"})
        fs::permissions(dir / name, fs::perms::all);
    fs::permissions(dir / "data.tvd",
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    tvtest::Unprivileged user;
    if (!user.active())
        GTEST_SKIP() << "cannot run as another user here";
    tv::Language = 1;
    start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "The file " + file +
                                    " or its folder is read-only (no permission).\n\nIts data "
                                    "are shown, but no change can be stored until the file may "
                                    "be written again.");
    EXPECT_FALSE(endedWith);
    user.end();
    EXPECT_NO_THROW(tv::MainConnection->Execute("DELETE FROM Waypoints"));
}

TEST_F(MainFrameStart, MissingTrackFileShowsItsNoticeAndSwitchesTheLoggerOff)
{
    layoutComplete();
    remove("track.tvd");
    tv::TrackLoggerOn = true;
    tv::TrackInterval = 10000;
    tv::TrackAutoOn = true;
    start();
    ASSERT_EQ(dialogNames(), QStringList{"frmInfo1"});
    EXPECT_EQ(dialogs[0].firstLine,
              "Die Datei track.tvd wurde nicht im Tramvik Verzeichnis gefunden");
    EXPECT_FALSE(tv::TrackLoggerOn);
    EXPECT_EQ(tv::TrackInterval, 0);
    EXPECT_FALSE(tv::TrackAutoOn);
    EXPECT_EQ(tv::TrackConnection, nullptr);
    EXPECT_TRUE(tv::forms().get<tv::frmSettings>().Frame4->isHidden());
    EXPECT_FALSE(tv::forms().get<tv::frmSettings>().frmLuftraum->isHidden());
    EXPECT_FALSE(endedWith);
    EXPECT_EQ(frontWindow(), tv::forms().find<tv::frmGPSmain>());
}

TEST_F(MainFrameStart, MissingAirspaceFileShowsItsNoticeAndHidesTheAirspaceControls)
{
    layout(); // no Luftraum.tvd
    start();
    ASSERT_EQ(dialogNames(), QStringList{"frmInfo3"});
    EXPECT_EQ(dialogs[0].firstLine,
              "Die Datei Luftraum.tvd wurde nicht im Tramvik Verzeichnis gefunden");
    EXPECT_EQ(tv::AirspaceReleaseDate, tv::kAirspaceNotOpened);
    EXPECT_TRUE(tv::forms().get<tv::frmSettings>().frmLuftraum->isHidden());
    EXPECT_FALSE(tv::forms().get<tv::frmSettings>().Frame4->isHidden());
    EXPECT_TRUE(airspaceSwitchesHidden(*tv::forms().find<tv::frmGPSmain>()));
    EXPECT_TRUE(tv::TrackConnection != nullptr);
}

TEST_F(MainFrameStart, AirspaceFileBuiltWithPlainSqliteIsRead)
{
    layout(); // no Luftraum.tvd: the data provider's file is put in its place
    tvtest::buildWithPlainSqlite(dir / "Luftraum.tvd",
                                 tv::schema::creationSql(tv::schema::DataFile::Airspace),
                                 {"INSERT INTO RELEASE (Datum) VALUES ('2024-05-02')"});
    start();
    EXPECT_TRUE(dialogNames().isEmpty());
    EXPECT_TRUE(tv::AirspaceConnection);
    EXPECT_EQ(tv::AirspaceReleaseDate, *tv::parseIsoDate("2024-05-02"));
    EXPECT_FALSE(airspaceSwitchesHidden(*tv::forms().find<tv::frmGPSmain>()));
}

TEST_F(MainFrameStart, AirspaceFileWithoutReleaseDateCountsAsOutdated)
{
    tv::schema::LayoutOptions options;
    options.airspace = tv::schema::AirspaceFile::WithoutRelease;
    layout(options);
    start();
    ASSERT_EQ(dialogNames(), QStringList{"frmInfo3"});
    EXPECT_EQ(dialogs[0].firstLine, "Es existiert eine aktuellere Luftraum.tvd Datei");
    EXPECT_EQ(tv::AirspaceReleaseDate, tv::kAirspaceNoDate);
    EXPECT_TRUE(airspaceSwitchesHidden(*tv::forms().find<tv::frmGPSmain>()));
}

TEST_F(MainFrameStart, OutdatedAirspaceFileInEnglishSaysNotFound)
{
    tv::schema::LayoutOptions options;
    options.airspace = tv::schema::AirspaceFile::WithoutRelease;
    layout(options);
    tv::Language = 1;
    start();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].firstLine, "File Luftraum.tvd was not found in the tramvik directory");
}

TEST_F(MainFrameStart, AirspaceFileWithoutReleaseTableCountsAsOutdated)
{
    layoutComplete();
    sql(dir / "Luftraum.tvd", "DROP TABLE RELEASE");
    start();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].firstLine, "Es existiert eine aktuellere Luftraum.tvd Datei");
}

TEST_F(MainFrameStart, ReleaseDateThatIsNoDateCountsAsOutdated)
{
    layoutComplete();
    sql(dir / "Luftraum.tvd", "UPDATE RELEASE SET Datum = 'Frühjahr'");
    start();
    ASSERT_EQ(dialogNames(), QStringList{"frmInfo3"});
    EXPECT_EQ(tv::AirspaceReleaseDate, tv::kAirspaceNoDate);
}

TEST_F(MainFrameStart, ReleaseDateWithTimeOfDayIsRead)
{
    layoutComplete();
    sql(dir / "Luftraum.tvd", "UPDATE RELEASE SET Datum = '2023-11-02T00:00:00'");
    start();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(tv::AirspaceReleaseDate, *tv::parseIsoDate("2023-11-02"));
}

TEST_F(MainFrameStart, BothNoticesInOneStartTrackFirst)
{
    layout();
    remove("track.tvd");
    start();
    EXPECT_EQ(dialogNames(), (QStringList{"frmInfo1", "frmInfo3"}));
    EXPECT_TRUE(tv::forms().get<tv::frmSettings>().Frame4->isHidden());
    EXPECT_TRUE(tv::forms().get<tv::frmSettings>().frmLuftraum->isHidden());
    EXPECT_EQ(frontWindow(), tv::forms().find<tv::frmGPSmain>());
    EXPECT_FALSE(endedWith);
}

TEST_F(MainFrameStart, MissingAirportFileIsSilent)
{
    tv::schema::LayoutOptions options;
    options.airspace = tv::schema::AirspaceFile::WithRelease;
    layout(options);
    start();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(dialogs.empty());
    EXPECT_FALSE(tv::AptDataAvailable);
    EXPECT_EQ(tv::AirportConnection, nullptr);
}

TEST_F(MainFrameStart, AirportFileThatDoesNotOpenIsSilentlyNotAvailable)
{
    layoutComplete();
    writeFile("tvdata.tvd", "damaged");
    start();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(dialogs.empty());
    EXPECT_FALSE(tv::AptDataAvailable);
    EXPECT_EQ(tv::AirportConnection, nullptr);
    EXPECT_TRUE(tv::MainConnection != nullptr);
}

TEST_F(MainFrameStart, WritesTheVersionFile)
{
    layoutComplete();
    start();
    EXPECT_EQ(file("version.crm"), "\"" + tv::localVersionText().toStdString() + "\"\r\n");
}

TEST_F(MainFrameStart, UpdateItemOfferedOnlyWhenAnUpdateWasFound)
{
    layoutComplete();
    tv::UpdateAvailable = false;
    EXPECT_FALSE(start().mnuUpdate->isVisible());
}

TEST_F(MainFrameStart, UpdateItemInEnglishWhenAnUpdateWasFound)
{
    layoutComplete();
    tv::UpdateAvailable = true;
    tv::Language = 1;
    tv::Main& frame = start();
    EXPECT_TRUE(frame.mnuUpdate->isVisible());
    EXPECT_EQ(frame.mnuUpdate->text(), "Update available");
}

TEST_F(MainFrameStart, RouteMenusOnlyWhilePlanWindowIsInFront)
{
    layoutComplete();
    tv::Main& frame = start();
    EXPECT_FALSE(frame.mnuExport->isVisible());
    EXPECT_FALSE(frame.mnuImport->isVisible());
    EXPECT_FALSE(frame.mnuLuftEin->isVisible());
    EXPECT_TRUE(frame.mnuabout->isVisible());
    frame.clickToolButton(3);
    EXPECT_TRUE(frame.mnuExport->isVisible());
    EXPECT_TRUE(frame.mnuImport->isVisible());
    EXPECT_TRUE(frame.mnuLuftEin->isVisible());
    frame.clickToolButton(1);
    EXPECT_FALSE(frame.mnuExport->isVisible());
    EXPECT_FALSE(frame.mnuLuftEin->isVisible());
}

// --- Mode toolbar ---------------------------------------------------------------------------

class ModeToolbar : public FrameFixture
{
protected:
    tv::Main& frame()
    {
        layoutComplete();
        return tv::forms().get<tv::Main>();
    }
};

TEST_F(ModeToolbar, GermanCaptionsOnTheOddButtons)
{
    tv::Main& m = frame();
    EXPECT_EQ(m.toolButtonCaption(1), "Flug");
    EXPECT_EQ(m.toolButtonCaption(3), "Planung");
    EXPECT_EQ(m.toolButtonCaption(5), "Einstellungen");
    EXPECT_EQ(m.toolButtonCaption(7), "Kartendaten");
    EXPECT_EQ(m.toolButtonCaption(9), "Flugplan");
    EXPECT_EQ(m.toolButtonCaption(2), "");
    EXPECT_EQ(m.mnuExport->text(), "Strecke exportieren");
    EXPECT_EQ(m.mnuImport->text(), "Strecke importieren");
    EXPECT_EQ(m.mnuLuftEin->text(), "Luftraum Einstellungen");
    EXPECT_EQ(m.mnuabout->text(), "About");
}

TEST_F(ModeToolbar, EnglishCaptionsKeepTheBlanksOfMapData)
{
    tv::Language = 1;
    tv::Main& m = frame();
    EXPECT_EQ(m.toolButtonCaption(1), "Flight");
    EXPECT_EQ(m.toolButtonCaption(3), "Plan Mode");
    EXPECT_EQ(m.toolButtonCaption(5), "Settings");
    EXPECT_EQ(m.toolButtonCaption(7), "  Map  Data  ");
    EXPECT_EQ(m.toolButtonCaption(9), "Flightplan");
    EXPECT_EQ(m.mnuExport->text(), "Export Route");
    EXPECT_EQ(m.mnuImport->text(), "Import Route");
    EXPECT_EQ(m.mnuLuftEin->text(), "Luftraum Einstellungen");
}

TEST_F(ModeToolbar, EachButtonBringsItsWindowToTheFrontMaximised)
{
    tv::Main& m = frame();
    const struct
    {
        int button;
        QString window;
    } modes[] = {{3, "frmPlanung"},
                 {5, "frmSettings"},
                 {7, "frmCalibrate"},
                 {9, "frmFlugPlan"},
                 {1, "frmGPSmain"}};
    for (const auto& mode : modes) {
        m.clickToolButton(mode.button);
        auto* front = dynamic_cast<tv::FormEvents*>(frontWindow());
        ASSERT_NE(front, nullptr) << mode.button;
        EXPECT_EQ(front->formName(), mode.window);
        EXPECT_TRUE(frontIsMaximized()) << mode.button;
    }
}

TEST_F(ModeToolbar, FlightWindowToldNotToResizeBeforeAnotherModeShows)
{
    tv::Main& m = frame();
    // What the flight window's flag says the first time another mode window is shown (the
    // flight window itself clears the flag again when it handles the resize that follows).
    struct ShowWatch : QObject
    {
        QStringList shown;
        QStringList shownWithFlag;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            auto* form = dynamic_cast<tv::FormEvents*>(watched);
            if (event->type() == QEvent::Show && form && form->formName() != "frmGPSmain" &&
                !shown.contains(form->formName())) {
                shown << form->formName();
                if (tv::frmGPSmain* flight = tv::forms().find<tv::frmGPSmain>())
                    shownWithFlag << form->formName() + (flight->dontResize ? "+" : "-");
            }
            return false;
        }
    } watch;
    qApp->installEventFilter(&watch);
    for (int button : {3, 5, 7, 9}) {
        tv::forms().find<tv::frmGPSmain>()->dontResize = false;
        m.clickToolButton(button);
    }
    qApp->removeEventFilter(&watch);
    EXPECT_EQ(watch.shownWithFlag,
              (QStringList{"frmPlanung+", "frmSettings+", "frmCalibrate+", "frmFlugPlan+"}));
}

TEST_F(ModeToolbar, AfterSwitchingToEnglishButtonsStillFindTheirWindows)
{
    tv::Main& m = frame();
    tv::Language = 1;
    m.SetModeCaptions();
    EXPECT_EQ(m.toolButtonCaption(7), "  Map  Data  ");
    EXPECT_EQ(m.mnuUpdate->text(), "Update available");
    m.clickToolButton(7);
    EXPECT_EQ(frontWindow(), tv::forms().find<tv::frmCalibrate>());
    m.clickToolButton(9);
    EXPECT_EQ(frontWindow(), tv::forms().find<tv::frmFlugPlan>());
}

TEST_F(ModeToolbar, CaptionOfTheOtherLanguageDoesNothing)
{
    tv::Main& m = frame();
    m.toolMain_ButtonClick(QStringLiteral("Plan Mode"));
    m.toolMain_ButtonClick(QStringLiteral("Map Data"));
    EXPECT_EQ(tv::forms().find<tv::frmPlanung>(), nullptr);
    EXPECT_EQ(tv::forms().find<tv::frmCalibrate>(), nullptr);
    EXPECT_EQ(frontWindow(), tv::forms().find<tv::frmGPSmain>());
}

TEST_F(ModeToolbar, ModeWindowsStayLoadedWhenAnotherModeIsChosen)
{
    tv::Main& m = frame();
    m.clickToolButton(3);
    tv::frmPlanung* plan = tv::forms().find<tv::frmPlanung>();
    plan->setAirspaceChoice(tv::PlanAirspaceChoice::atAltitude(4500));
    m.clickToolButton(1);
    m.clickToolButton(3);
    EXPECT_EQ(tv::forms().find<tv::frmPlanung>(), plan);
    EXPECT_EQ(plan->airspaceChoice(), tv::PlanAirspaceChoice::atAltitude(4500));
}

TEST_F(ModeToolbar, AChartActivatedInMapDataReachesTheFlightWindowWhichKeepsItsChart)
{
    layoutComplete();
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(image.save(QString::fromStdString((dir / "Karten" / "m.bmp").string()), "BMP"));
    ASSERT_TRUE(image.scaled(300, 240).save(
        QString::fromStdString((dir / "Karten" / "b.bmp").string()), "BMP"));
    sql(dir / "data.tvd", "INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", "
                          "Active) VALUES ('m.bmp', 47, 48, 9, 10, 400, 300, 1), "
                          "('b.bmp', 47, 48, 9, 10, 300, 240, 0)");
    tv::Main& m = tv::forms().get<tv::Main>();
    tv::frmGPSmain& flight = *tv::forms().find<tv::frmGPSmain>();
    ASSERT_EQ(flight.cmbMaps->currentText(), "m.bmp");

    m.clickToolButton(7);
    tv::frmCalibrate& charts = *tv::forms().find<tv::frmCalibrate>();
    charts.listKarten->item(0)->setCheckState(Qt::Checked); // b.bmp
    ASSERT_EQ(charts.gridMaps->model()->rowCount(), 2);

    m.clickToolButton(1);
    EXPECT_EQ(flight.cmbMaps->findText("b.bmp"), 0);
    EXPECT_EQ(flight.cmbMaps->currentText(), "m.bmp");
    EXPECT_EQ(flight.mapView.imageWidthPx(), 400);
    flight.cmbMaps->setEditText("b.bmp"); // the new chart is one the window can show
    EXPECT_EQ(flight.mapView.imageWidthPx(), 300);
}

// --- Menus ----------------------------------------------------------------------------------

class MainMenus : public FrameFixture
{
protected:
    tv::Main& frame()
    {
        layoutComplete();
        return tv::forms().get<tv::Main>();
    }
};

TEST_F(MainMenus, AboutExportAndAirspaceDialogOpenModally)
{
    tv::Main& m = frame();
    m.clickToolButton(3);
    m.mnuabout->trigger();
    m.mnuExport->trigger();
    m.mnuLuftEin->trigger();
    EXPECT_EQ(dialogNames(), (QStringList{"frmAbout", "frmExport", "frmLuftraumSettings"}));
    // Modal dialogs are gone when they close.
    flushDeletes();
    EXPECT_EQ(tv::forms().find<tv::frmAbout>(), nullptr);
}

TEST_F(MainMenus, ImportRunsWithoutShowingTheImportWindow)
{
    tv::Main& m = frame();
    m.clickToolButton(3);
    int asked = 0; // the file dialog is the import's first step; the pilot cancels it
    tv::frmImport::setFileChooserForTesting([&](const tv::RouteFileDialogText&) {
        ++asked;
        return QString();
    });
    m.mnuImport->trigger();
    tv::frmImport::setFileChooserForTesting(nullptr);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(MainMenus, MissingUpdateProgramIsReportedAndTheProgramGoesOn)
{
    tv::Main& m = frame();
    m.mnuUpdate_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "Die Datei - Update.exe - wurde nicht im Programmverzeichnis gefunden !");
    EXPECT_EQ(messages[0].title, "Datei fehlt");
    EXPECT_FALSE(endedWith);
    EXPECT_TRUE(m.isVisible());
}

TEST_F(MainMenus, MissingUpdateProgramInEnglish)
{
    tv::Language = 1;
    tv::Main& m = frame();
    m.mnuUpdate_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "File - Update.exe - was not found - please check that file exists !");
    EXPECT_EQ(messages[0].title, "file missing");
}

TEST_F(MainMenus, UpdateStartsTheUpdateProgramAndEndsWithoutUnloading)
{
    tv::Main& m = frame();
    writeFile("update.exe", "#!/bin/sh\ntouch \"$(dirname \"$0\")/update-ran\"\n");
    std::filesystem::permissions(dir / "update.exe", std::filesystem::perms::owner_all);
    m.mnuUpdate_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(endedWith, 0);
    for (int i = 0; i < 100 && !exists("update-ran"); ++i)
        QThread::msleep(20);
    EXPECT_TRUE(exists("update-ran"));
    // The windows were not unloaded on this path.
    EXPECT_TRUE(tv::forms().loadedNames().contains("frmGPSmain"));
}

// --- Ending the program ---------------------------------------------------------------------

class ProgramEnd : public FrameFixture
{
protected:
    tv::Main& frame()
    {
        layoutComplete();
        return tv::forms().get<tv::Main>();
    }
};

TEST_F(ProgramEnd, UnloadAllFormsExceptOneKeepsItAndUnloadsTheRestInCreationOrder)
{
    tv::Main& m = frame();
    m.clickToolButton(9);
    m.clickToolButton(3);
    m.clickToolButton(7);
    const QStringList before = tv::forms().loadedNames();
    // The mode windows in the order they were first shown (others they load may sit between).
    EXPECT_LT(before.indexOf("Main"), before.indexOf("frmGPSmain"));
    EXPECT_LT(before.indexOf("frmGPSmain"), before.indexOf("frmFlugPlan"));
    EXPECT_LT(before.indexOf("frmFlugPlan"), before.indexOf("frmPlanung"));
    EXPECT_LT(before.indexOf("frmPlanung"), before.indexOf("frmCalibrate"));
    QStringList order;
    for (QWidget* w : QApplication::allWidgets()) {
        auto* form = dynamic_cast<tv::FormEvents*>(w);
        if (form && form->formName() != "Main" && before.contains(form->formName()))
            QObject::connect(w, &QObject::destroyed,
                             [&order, name = form->formName()] { order << name; });
    }
    m.UnloadAllForms(QStringLiteral("Main"));
    flushDeletes();
    QStringList expected = before;
    expected.removeAll("Main");
    EXPECT_EQ(order, expected);
    EXPECT_EQ(tv::forms().loadedNames(), QStringList{"Main"});
}

TEST_F(ProgramEnd, ClosingTheFrameUnloadsEveryWindowEndsOtherCopiesAndEnds)
{
    tv::Main& m = frame();
    m.clickToolButton(3);
    // Another copy of the program of this user.
    tvtest::TempDir other;
    const auto exe = other / tv::programExecutableName();
    std::filesystem::copy_file(TVTEST_SLEEP_BINARY, exe);
    std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
    QProcess copy;
    copy.start(QString::fromStdString(exe.string()), {QStringLiteral("30")});
    ASSERT_TRUE(copy.waitForStarted());

    m.close();
    EXPECT_TRUE(tv::forms().loadedNames().isEmpty());
    EXPECT_EQ(endedWith, 0);
    EXPECT_TRUE(copy.waitForFinished(5000));
    // Our own process is still here to tell.
}

TEST_F(ProgramEnd, TerminationRequestClosesTheFrameTheSameWay)
{
    frame();
    tv::Main::TerminationRequested();
    EXPECT_TRUE(tv::forms().loadedNames().isEmpty());
    EXPECT_EQ(endedWith, 0);
}

TEST_F(ProgramEnd, TerminationRequestBeforeTheFrameExistsEndsTheProgram)
{
    tv::Main::TerminationRequested();
    EXPECT_EQ(endedWith, 0);
}
