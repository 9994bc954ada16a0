#include "WindowFixture.h"
#include "app/Main.h"
#include "core/CategoryFixture.h"
#include "core/CoreSettings.h"
#include "core/Dates.h"
#include "planning/frmManager.h"
#include "support/Dates.h"
#include "support/HeldDataFile.h"
#include "support/Keyboard.h"
#include "support/ReadOnlyFolder.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <chrono>

namespace {

using settingstest::SettingsWindowTest;

std::string todayLine()
{
    return "#" + tv::formatIsoDate(tv::today()) + "#\r\n";
}

void doubleClick(QWidget* w)
{
    QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void pressEnter(QWidget* w)
{
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
}

// ----------------------------------------------------------------------------------------------
// QNH

using QnhOnLeaving = SettingsWindowTest;

TEST_F(QnhOnLeaving, ValuesInsideTheRangeAreTakenAndSavedWithToday)
{
    for (const char* text : {"951", "1049", "1020"}) {
        window().tQNH->setText(text);
        window().Form_Deactivate();
        EXPECT_EQ(tv::QNH, std::stoi(text));
        EXPECT_EQ(tv::QNHDate, tv::today());
        EXPECT_EQ(window().tQNH->text(), text);
        EXPECT_EQ(file("LR.crm"), std::string(text) + "\r\n" + todayLine());
    }
}

TEST_F(QnhOnLeaving, LimitsTextAndAnEmptyBoxGiveStandardPressure)
{
    const tv::Date earlier = tvtest::day(2020, 5, 1);
    for (const char* text : {"950", "1050", "abc", ""}) {
        tv::QNH = 1000;
        tv::QNHDate = earlier;
        window().tQNH->setText(text);
        window().Form_Deactivate();
        EXPECT_EQ(tv::QNH, 1013) << text;
        EXPECT_EQ(window().tQNH->text(), "1013") << text;
        EXPECT_EQ(tv::QNHDate, earlier) << "the day of a refused value is not taken";
        EXPECT_EQ(file("LR.crm"), "1013\r\n" + todayLine());
    }
}

TEST_F(QnhOnLeaving, ActivationShowsTodaysQnhButStandardPressureOnALaterDay)
{
    tv::QNH = 1022;
    tv::QNHDate = tv::today();
    window().Form_Activate();
    EXPECT_EQ(window().tQNH->text(), "1022");

    tv::QNHDate = tvtest::day(2020, 5, 1);
    window().Form_Activate();
    EXPECT_EQ(window().tQNH->text(), "1013");
}

TEST_F(QnhOnLeaving, DoubleClickEmptiesTheBox)
{
    window().tQNH->setText("1020");
    doubleClick(window().tQNH);
    EXPECT_EQ(window().tQNH->text(), "");
}

// ----------------------------------------------------------------------------------------------
// Track logger

using TrackLoggerSettings = SettingsWindowTest;

TEST_F(TrackLoggerSettings, IntervalAboveAMinuteBecomesSixtySeconds)
{
    window().chkTrack->setChecked(true);
    window().cmbTrack->setCurrentText("90");
    window().Form_Deactivate();
    EXPECT_EQ(window().cmbTrack->currentText(), "60");
    EXPECT_EQ(tv::TrackInterval, 60000);
    EXPECT_EQ(file("track.crm"), "1\r\n\"60\"\r\n0\r\n");
}

TEST_F(TrackLoggerSettings, FifteenSecondsGiveFifteenThousandMilliseconds)
{
    window().chkTrack->setChecked(true);
    window().chkAutoOn->setChecked(true);
    window().cmbTrack->setCurrentText("15");
    window().Form_Deactivate();
    EXPECT_EQ(tv::TrackInterval, 15000);
    EXPECT_EQ(file("track.crm"), "1\r\n\"15\"\r\n1\r\n");
}

TEST_F(TrackLoggerSettings, WithTheLoggerOffFractionsAreSecondsAndNoNumberIsZero)
{
    struct Case
    {
        const char* typed;
        int32_t intervalMs;
        const char* stored;
    };
    for (const Case& c : {Case{"2.5", 2500, "2.5"}, Case{"abc", 0, "0"}, Case{"", 0, "0"}}) {
        tv::TrackInterval = 10000;
        window().cmbTrack->setCurrentText(c.typed);
        window().Form_Deactivate();
        EXPECT_EQ(window().cmbTrack->currentText(), c.stored);
        EXPECT_EQ(tv::TrackInterval, c.intervalMs) << c.typed;
        EXPECT_EQ(file("track.crm"), "0\r\n\"" + std::string(c.stored) + "\"\r\n0\r\n");
    }
    EXPECT_TRUE(messages.empty());
}

// The pilot ticks the logger and automatic logging, types an interval, goes to the flight
// window, and later starts the program again.
TEST_F(TrackLoggerSettings, TypedIntervalReadsAsItsLeadingNumberAndNoTimeKeepsTheLoggerRunning)
{
    struct Case
    {
        const char* typed;
        int32_t inUseMs; // before the window was left
        int32_t intervalMs;
        const char* stored;
        bool told;
    };
    const Case cases[] = {
        {"12x", 15000, 12000, "12", false}, {"abc", 15000, 15000, "15", true},
        {"0", 15000, 15000, "15", true},    {"", 15000, 15000, "15", true},
        {"0", 0, 10000, "10", true}, // first start: no interval in use yet
    };
    for (const Case& c : cases) {
        messages.clear();
        tv::TrackInterval = c.inUseMs;
        window().chkTrack->setChecked(true);
        window().chkAutoOn->setChecked(true);
        window().cmbTrack->setCurrentText(c.typed);
        window().Form_Deactivate();
        EXPECT_EQ(window().cmbTrack->currentText(), c.stored) << c.typed;
        EXPECT_EQ(tv::TrackInterval, c.intervalMs) << c.typed;
        EXPECT_EQ(file("track.crm"), "1\r\n\"" + std::string(c.stored) + "\"\r\n1\r\n");
        ASSERT_EQ(messages.size(), c.told ? 1u : 0u) << c.typed;
        if (c.told) {
            EXPECT_TRUE(messages[0].text.contains("bleibt bei " + QString(c.stored) + " s"))
                << messages[0].text.toStdString();
        }

        tv::TrackLoggerOn = tv::TrackAutoOn = false;
        tv::TrackInterval = 0;
        EXPECT_TRUE(tv::LoadTrackSettings()) << c.typed; // the next start
        EXPECT_TRUE(tv::TrackLoggerOn && tv::TrackAutoOn) << c.typed;
        EXPECT_EQ(tv::TrackInterval, c.intervalMs) << c.typed;
    }
}

TEST_F(TrackLoggerSettings, LeavingTheWindowOnFirstStartKeepsTheIntervalOfTheFile)
{
    std::filesystem::remove(dir / "track.crm");
    tv::LoadTrackSettings(); // no track.crm yet: written with 0, 0, 0
    window().Form_Activate();
    window().Form_Deactivate();
    EXPECT_EQ(file("track.crm"), "0\r\n\"0\"\r\n0\r\n") << "no \"10\" the pilot never chose";
    EXPECT_EQ(tv::TrackInterval, 0);
}

TEST_F(TrackLoggerSettings, AutomaticLoggingIsStoredOnlyWithTheLoggerOn)
{
    window().chkTrack->setChecked(true);
    window().chkAutoOn->setChecked(true);
    window().chkTrack->setChecked(false);
    EXPECT_FALSE(tv::TrackLoggerOn);
    EXPECT_FALSE(window().cmbTrack->isEnabled());
    EXPECT_FALSE(window().chkAutoOn->isEnabled());
    window().Form_Deactivate();
    EXPECT_EQ(file("track.crm"), "0\r\n\"10\"\r\n0\r\n");
}

TEST_F(TrackLoggerSettings, WithoutATrackFileLeavingWritesNoFileAndKeepsTheInterval)
{
    std::filesystem::remove(dir / "track.crm");
    tv::TrackInterval = 7000;
    tv::TrackFileMissing = true;
    window().cmbTrack->setCurrentText("90");
    window().Form_Activate();
    window().Form_Deactivate();
    EXPECT_FALSE(exists("track.crm"));
    EXPECT_EQ(tv::TrackInterval, 7000);
}

TEST_F(TrackLoggerSettings, ActivationShowsTheStoredSettingsAndAppliesThem)
{
    tvtest::writeFile(dir / "track.crm", "1\r\n\"15\"\r\n1\r\n");
    window().Form_Activate();
    EXPECT_TRUE(window().chkTrack->isChecked());
    EXPECT_EQ(window().cmbTrack->currentText(), "15");
    EXPECT_TRUE(window().chkAutoOn->isChecked());
    EXPECT_TRUE(window().cmbTrack->isEnabled());
    EXPECT_TRUE(tv::TrackLoggerOn);
    EXPECT_TRUE(tv::TrackAutoOn);
}

TEST_F(TrackLoggerSettings, UnreadableFilesSelectTheFirstPortAndRecreateTheTrackFile)
{
    port(2, "/dev/null");
    port(4, "/dev/null");
    tvtest::writeFile(dir / "data.crm", "garbage");
    tvtest::writeFile(dir / "track.crm", "1\r\n");
    window().cmbBaud->setCurrentIndex(3);
    window().Form_Activate();
    EXPECT_EQ(window().cmbCom->currentText(), "2");
    EXPECT_EQ(window().cmbBaud->currentText(), "4800");
    EXPECT_EQ(window().SelectedBaud, "4800");
    EXPECT_EQ(file("track.crm"), "0\r\n10\r\n0\r\n");
    EXPECT_EQ(file("data.crm"), "garbage") << "the settings window does not repair data.crm";
    EXPECT_FALSE(window().chkTrack->isChecked());
    window().Form_Deactivate(); // still usable
    EXPECT_EQ(tv::QNH, 1013);
}

// ----------------------------------------------------------------------------------------------
// Port list

using PortList = SettingsWindowTest;

TEST_F(PortList, ListsThePortsThatExistInAscendingOrder)
{
    port(3, "/dev/null");
    port(1, "/dev/null");
    port(12, "/dev/null");
    window().Form_Activate();
    ASSERT_EQ(window().cmbCom->count(), 3);
    EXPECT_EQ(window().cmbCom->itemText(0), "1");
    EXPECT_EQ(window().cmbCom->itemText(1), "3");
    EXPECT_EQ(window().cmbCom->itemText(2), "12");
    EXPECT_TRUE(messages.empty());
}

TEST_F(PortList, ShowsTheSavedPortAndBaudRate)
{
    port(1, "/dev/null");
    port(3, "/dev/null");
    tvtest::writeFile(dir / "data.crm", "\"3\"\r\n\"9600\"\r\n");
    window().Form_Activate();
    EXPECT_EQ(window().cmbCom->currentText(), "3");
    EXPECT_EQ(window().cmbBaud->currentText(), "9600");
    EXPECT_EQ(window().SelectedBaud, "9600");
}

TEST_F(PortList, NoPortGivesTheMessageOnEveryActivation)
{
    window().Form_Activate();
    window().Form_Activate();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Es wurde kein COM Port gefunden");
    EXPECT_EQ(messages[0].title, "Keine COM Anschlüsse vorhanden");
    tv::Language = 1;
    window().Form_Activate();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].text, "No COM was found");
    EXPECT_EQ(messages[2].title, "No COM Port available");
}

TEST_F(PortList, TestButtonDoesNothingWithoutPorts)
{
    window().Form_Activate();
    const QString before = window().lblStatus->text();
    window().cmdCheck->click();
    EXPECT_EQ(window().lblStatus->text(), before);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// ----------------------------------------------------------------------------------------------
// Language and aircraft symbol

using LanguageSwitch = SettingsWindowTest;

TEST_F(LanguageSwitch, EnglishRecaptionsTheWindowAndIsSaved)
{
    window().OptEng->click();
    EXPECT_EQ(tv::Language, 1);
    EXPECT_EQ(file("lang.crm"), "1\r\n");
    EXPECT_EQ(window().cmdCheck->text(), " Check GPS Connection ");
    EXPECT_EQ(window().chkAutoOn->text(), "automatically log at speed > 30 kts");
    EXPECT_EQ(window().windowTitle(), "Settings");
    EXPECT_EQ(window().gridKategorie->model()->headerData(1, Qt::Horizontal), "Category");
    EXPECT_EQ(window().gridKategorie->model()->headerData(0, Qt::Horizontal), "  Nr.");
    EXPECT_EQ(window().Frame4->title(), "TRACK Logger") << "not translated";

    window().OptGer->click();
    EXPECT_EQ(tv::Language, 0);
    EXPECT_EQ(file("lang.crm"), "0\r\n");
    EXPECT_EQ(window().cmdDelete->text(), " Kategorie löschen ");
}

TEST_F(LanguageSwitch, ChangesTheMainToolbarAtOnceAndItsButtonsStillWork)
{
    tv::schema::LayoutOptions airspace; // no notice dialogs at start
    airspace.airspace = tv::schema::AirspaceFile::WithRelease;
    tv::schema::layoutProgramFolder(dir.path(), airspace);
    tv::Main& frame = tv::forms().get<tv::Main>();
    tv::frmSettings& settings = window();
    settings.OptEng->click();
    EXPECT_EQ(frame.toolButtonCaption(1), "Flight");
    EXPECT_EQ(frame.toolButtonCaption(3), "Plan Mode");
    EXPECT_EQ(frame.toolButtonCaption(5), "Settings");
    EXPECT_EQ(frame.toolButtonCaption(7), "  Map  Data  ");
    EXPECT_EQ(frame.toolButtonCaption(9), "Flightplan");
    EXPECT_EQ(frame.mnuExport->text(), "Export Route");
    EXPECT_EQ(frame.mnuImport->text(), "Import Route");
    EXPECT_EQ(frame.mnuUpdate->text(), "Update available");

    frame.clickToolButton(5);
    ASSERT_NE(frame.mdiArea->activeSubWindow(), nullptr);
    EXPECT_EQ(frame.mdiArea->activeSubWindow()->widget(), &settings);

    settings.OptGer->click();
    EXPECT_EQ(frame.toolButtonCaption(7), "Kartendaten");
    EXPECT_EQ(frame.mnuExport->text(), "Strecke exportieren");
}

TEST_F(LanguageSwitch, ActivationSelectsTheButtonsOfTheCurrentChoices)
{
    tv::Language = 2;
    tv::PlaneSymbol = 2;
    window().Form_Activate();
    EXPECT_TRUE(window().OptEng->isChecked());
    EXPECT_FALSE(window().OptGer->isChecked());
    EXPECT_TRUE(window().Option2->isChecked());
    EXPECT_FALSE(window().Option1->isChecked());
}

using AircraftSymbol = SettingsWindowTest;

TEST_F(AircraftSymbol, ClickingASymbolAppliesAndSavesIt)
{
    window().Option2->click();
    EXPECT_EQ(tv::PlaneSymbol, 2);
    EXPECT_EQ(file("symbol.crm"), "2\r\n");
    window().Option1->click();
    EXPECT_EQ(tv::PlaneSymbol, 1);
    EXPECT_EQ(file("symbol.crm"), "1\r\n");
}

TEST_F(AircraftSymbol, PicturesShowTheDotAndTheOutlineWithAFix)
{
    const QImage dot = window().Picture1->pixmap().toImage();
    const QImage outline = window().Picture2->pixmap().toImage();
    // Symbol 1: the fix-coloured dot in the ring, the white track line ahead of it.
    EXPECT_EQ(dot.pixelColor(24, 31), QColor(0, 255, 0));
    EXPECT_EQ(dot.pixelColor(24, 19), QColor(255, 255, 255));
    // Symbol 2: fix-coloured fuselage and wings, nothing far off to the side.
    EXPECT_EQ(outline.pixelColor(24, 25), QColor(0, 255, 0));
    EXPECT_EQ(outline.pixelColor(36, 17), QColor(0, 255, 0));
    EXPECT_EQ(outline.pixelColor(4, 40), dot.pixelColor(4, 40));
}

// ----------------------------------------------------------------------------------------------
// Dialogs

using SettingsDialogs = SettingsWindowTest;

TEST_F(SettingsDialogs, ManagerAndTrackButtonsOpenTheirDialogs)
{
    window().cmdManager->click();
    window().cmdTrack->click();
    EXPECT_EQ(dialogs, (std::vector<QString>{"frmManager", "frmTrack"}));
}

TEST_F(SettingsDialogs, AirportImportOpensOnlyWithTheAirportFile)
{
    tv::AptDataAvailable = true;
    window().cmdGetWaypoint->click();
    EXPECT_EQ(dialogs, (std::vector<QString>{"frmGetWaypoints"}));

    tv::AptDataAvailable = false;
    window().cmdGetWaypoint->click();
    EXPECT_EQ(dialogs.size(), 1u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Datei tvdata.tvd wurde nicht im Verzeichnis: " +
                                    QString::fromStdString(dir.path().string()) +
                                    " gefunden. Bitte Datei aus Tramvik APT in das Tramvik GPS "
                                    "Verzeichnis kopieren.");
    EXPECT_EQ(messages[0].title, "");
}

// ----------------------------------------------------------------------------------------------
// Waypoint categories through the window (the operations themselves: CategoriesTest.cpp)

class CategoryGrid : public SettingsWindowTest
{
protected:
    tv::Connection& db() { return *tv::MainConnection; }
    // What the grid shows: "Nr. Name" per row.
    std::vector<QString> shown()
    {
        QAbstractItemModel* m = window().gridKategorie->model();
        std::vector<QString> rows;
        for (int r = 0; r < m->rowCount(); ++r)
            rows.push_back(m->index(r, 0).data().toString() + " " +
                           m->index(r, 1).data().toString());
        return rows;
    }
    void clickRow(int row)
    {
        QTableView* g = window().gridKategorie;
        g->setCurrentIndex(g->model()->index(row, 1));
    }
    using Shown = std::vector<QString>;
};

TEST_F(CategoryGrid, ClickingARowPutsItsNameIntoTheTextBox)
{
    settingstest::addCategories(db(), {"A", "B", "C"});
    EXPECT_EQ(shown(), (Shown{"1 A", "2 B", "3 C"}));
    EXPECT_EQ(window().selectedCategory(), "A");
    EXPECT_EQ(window().tKategorie->text(), "") << "selecting by code copies nothing";
    clickRow(1);
    EXPECT_EQ(window().selectedCategory(), "B");
    EXPECT_EQ(window().tKategorie->text(), "B");
    doubleClick(window().tKategorie);
    EXPECT_EQ(window().tKategorie->text(), "");
}

TEST_F(CategoryGrid, EnterAddsTheTextBelowTheSelectedRowAndSelectsIt)
{
    settingstest::addCategories(db(), {"A", "B", "C"});
    clickRow(1);
    window().tKategorie->setText("Pilot's");
    pressEnter(window().tKategorie);
    EXPECT_EQ(shown(), (Shown{"1 A", "2 B", "3 Pilot's", "4 C"}));
    EXPECT_EQ(window().selectedCategory(), "Pilot's");
    EXPECT_EQ(window().tKategorie->text(), "Pilot's");
    EXPECT_TRUE(messages.empty());
}

TEST_F(CategoryGrid, AMessageClosedWithEnterDoesNotOpenAgain)
{
    settingstest::addCategories(db(), {"A"});
    window().tKategorie->setFocus();
    for (const char* name : {"", "a"}) {
        messages.clear();
        window().tKategorie->setText(name);
        {
            tvtest::EnterClosesMessages closer(messages);
            pressEnter(window().tKategorie); // adds: refused, Enter closes the message
            tvtest::releaseKey(window().tKategorie, Qt::Key_Return);
        }
        EXPECT_EQ(messages.size(), 1u) << "no second add for '" << name << "'";
    }
    window().tKategorie->setText("B");
    pressEnter(window().tKategorie);
    EXPECT_EQ(shown(), (Shown{"1 A", "2 B"})) << "a fresh Enter in the box still adds";
}

TEST_F(CategoryGrid, RefusedNamesGiveTheirMessagesInTheWindowsLanguage)
{
    settingstest::addCategories(db(), {"A", "B"});
    window().tKategorie->setText("a");
    window().cmdAdd->click();
    window().tKategorie->setText("");
    window().cmdAdd->click();
    clickRow(1);
    window().tKategorie->setText("A");
    window().cmdChange->click(); // rename refuses like add
    tv::Language = 1;
    window().tKategorie->setText("");
    window().cmdChange->click();
    ASSERT_EQ(messages.size(), 4u);
    const QString duplicate = "Die Kategorie existiert schon. Bitte einen anderen Namen vergeben.";
    EXPECT_EQ(messages[0].text, duplicate);
    EXPECT_EQ(messages[0].title, "Datenfehler");
    EXPECT_EQ(messages[1].text, "Bitte Name für die Kategorie eingeben");
    EXPECT_EQ(messages[2].text, duplicate);
    EXPECT_EQ(messages[3].text, "Please enter a category name");
    EXPECT_EQ(messages[3].title, "Data error");
    EXPECT_EQ(shown(), (Shown{"1 A", "2 B"}));
}

TEST_F(CategoryGrid, NamesLongerThanTheDataFileHoldsAreRefusedAndNeverCut)
{
    settingstest::addCategories(db(), {"A"});
    for (const int length : {300, 256, 255}) {
        tv::Language = length == 300 ? 1 : 0;
        window().tKategorie->setText(QString(length, u'n'));
        window().cmdAdd->click();
        clickRow(0);
        window().tKategorie->setText(QString(length, u'r'));
        window().cmdChange->click();
    }
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[1].text, "The category name is too long (at most 255 characters).");
    EXPECT_EQ(messages[2].text, "Der Name der Kategorie ist zu lang (höchstens 255 Zeichen).");
    EXPECT_EQ(shown(), (Shown{"1 " + QString(255, u'r'), "2 " + QString(255, u'n')}));
}

TEST_F(CategoryGrid, RenameAndDeleteWorkOnTheSelectedRowAndItsWaypoints)
{
    settingstest::addCategories(db(), {"A", "B", "C"});
    settingstest::addWaypoint(db(), "EDDM", "B");
    clickRow(1);
    window().tKategorie->setText("Y");
    window().cmdChange->click();
    EXPECT_EQ(shown(), (Shown{"1 A", "2 Y", "3 C"}));
    EXPECT_EQ(window().selectedCategory(), "Y");
    EXPECT_EQ(settingstest::categoryOf(db(), "EDDM"), "Y");

    window().cmdDelete->click();
    EXPECT_EQ(shown(), (Shown{"1 A", "2 C"}));
    EXPECT_EQ(window().selectedCategory(), "C");
    EXPECT_EQ(settingstest::categoryOf(db(), "EDDM"), "");
    window().cmdDelete->click(); // the last row
    EXPECT_EQ(window().selectedCategory(), "A");

    window().gridKategorie->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(shown(), (Shown{"1 A"}));
}

TEST_F(CategoryGrid, ButtonsDoNothingOnAnEmptyList)
{
    window().tKategorie->setText("Y");
    window().cmdChange->click();
    window().cmdDelete->click();
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(messages.empty());
}

// ----------------------------------------------------------------------------------------------
// Saves that fail: a program folder that may not be written

class FailedSaves : public CategoryGrid
{
protected:
    void SetUp() override
    {
        CategoryGrid::SetUp();
        port(1, "/dev/null"); // no "no COM port" message on activation
    }
    QString pathOf(const char* name) const { return QString::fromStdString((dir / name).string()); }
    // How many messages name the file.
    int messagesNaming(const char* name) const
    {
        int n = 0;
        for (const tv::MsgRecord& m : messages)
            n += m.text.contains(pathOf(name)) ? 1 : 0;
        return n;
    }
};

TEST_F(FailedSaves, LanguageAndSymbolClicksSayTheFileWasNotSavedOncePerSession)
{
    writeFile("lang.crm", "0\r\n");
    writeFile("symbol.crm", "1\r\n");
    window().Form_Activate();
    {
        tvtest::ReadOnlyFolder readOnly(dir.path());
        window().Option2->click();
        window().OptEng->click();
        window().Option1->click(); // the same file again: no second message
    }
    EXPECT_EQ(tv::Language, 1) << "the choice still applies until the program ends";
    EXPECT_EQ(file("lang.crm"), "0\r\n");
    EXPECT_EQ(file("symbol.crm"), "1\r\n");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Die Änderung konnte nicht in der Datei " + pathOf("symbol.crm") +
                                    " gespeichert werden. Sie gilt nur bis zum Programmende.");
    EXPECT_EQ(messages[0].title, "Nicht gespeichert");
    EXPECT_EQ(messages[1].text, "The change could not be saved in the file " + pathOf("lang.crm") +
                                    ". It applies only until the program ends.");
    EXPECT_EQ(messages[1].title, "Not saved");

    window().Form_Activate(); // nor on the next visit
    {
        tvtest::ReadOnlyFolder readOnly(dir.path());
        window().Option2->click();
    }
    EXPECT_EQ(messagesNaming("symbol.crm"), 1);
}

TEST_F(FailedSaves, LeavingTheWindowSaysQnhAndTrackSettingsWereNotSaved)
{
    window().Form_Activate();
    const std::string qnhBefore = file("LR.crm");
    const std::string trackBefore = file("track.crm");
    window().tQNH->setText("1020");
    window().chkTrack->setChecked(true);
    {
        tvtest::ReadOnlyFolder readOnly(dir.path());
        window().Form_Deactivate();
    }
    EXPECT_EQ(tv::QNH, 1020);
    EXPECT_EQ(file("LR.crm"), qnhBefore);
    EXPECT_EQ(file("track.crm"), trackBefore);
    EXPECT_EQ(messagesNaming("LR.crm"), 1);
    EXPECT_EQ(messagesNaming("track.crm"), 1);
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(FailedSaves, LeavingWithNothingChangedSaysNothing)
{
    window().Form_Activate();
    window().Form_Deactivate(); // stores today's QNH and the track boxes
    window().Form_Activate();
    {
        tvtest::ReadOnlyFolder readOnly(dir.path());
        window().Form_Deactivate();
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(FailedSaves, EachCategoryChangeThatCannotBeStoredIsReportedWithItsReasonAndNotShown)
{
    settingstest::addCategories(db(), {"A", "B"});
    window().Form_Activate();
    {
        tvtest::ReadOnlyFolder readOnly(dir.path());
        window().tKategorie->setText("C");
        pressEnter(window().tKategorie);
        clickRow(0);
        window().cmdDelete->click();
    }
    {
        tvtest::HeldDataFile held(dir / "data.tvd"); // not even reading the list again works
        window().cmdDelete->click();
    }
    EXPECT_EQ(shown(), (Shown{"1 A", "2 B"}));
    clickRow(1);
    window().tKategorie->setText("C");
    pressEnter(window().tKategorie); // the file is free again
    EXPECT_EQ(shown(), (Shown{"1 A", "2 B", "3 C"}));
    ASSERT_EQ(messages.size(), 3u) << "each change that failed is told, the one that worked not";
    EXPECT_EQ(messages[0].text, "Die Änderung der Kategorien konnte nicht gespeichert werden. Die "
                                "Liste zeigt die gespeicherten Kategorien.\n\nDie Datei " +
                                    pathOf("data.tvd") +
                                    " oder ihr Ordner ist schreibgeschützt (keine Berechtigung).");
}

TEST_F(FailedSaves, CategoriesThatCannotBeReadAreToldAndReadOnTheNextVisit)
{
    settingstest::addCategories(db(), {"A", "B"});
    {
        tvtest::HeldDataFile held(dir / "data.tvd");
        window().Form_Activate();
    }
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(messagesNaming("data.tvd"), 1);
    window().Form_Activate();
    EXPECT_EQ(shown(), (Shown{"1 A", "2 B"}));
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(FailedSaves, TheCategoryManagerSaysInTheWindowsLanguageThatNothingWasAssigned)
{
    settingstest::addCategories(db(), {"Orte"});
    settingstest::addWaypoint(db(), "Ulm", "");
    const struct
    {
        int16_t language;
        QString text;
        QString title;
    } cases[] = {
        {0, "Die Kategorie konnte nicht gespeichert werden.", "Datenbankfehler"},
        {1, "The category could not be saved.", "Database error"},
    };
    for (const auto& c : cases) {
        tv::Language = c.language;
        messages.clear();
        tv::frmManager& m = tv::forms().get<tv::frmManager>();
        m.listWegpunkt->item(0)->setSelected(true);
        {
            tvtest::ReadOnlyFolder readOnly(dir.path());
            m.cmdZuweisen->click();
        }
        ASSERT_EQ(messages.size(), 1u) << "language " << c.language;
        EXPECT_TRUE(messages[0].text.startsWith(c.text + "\n\n")) << messages[0].text.toStdString();
        EXPECT_EQ(messagesNaming("data.tvd"), 1);
        EXPECT_EQ(messages[0].title, c.title);
        EXPECT_EQ(settingstest::categoryOf(db(), "Ulm"), "");
        EXPECT_EQ(m.listKategorie->item(0)->text(), "");
        tv::forms().unload(&m);
        flushDeletes();
    }
}

} // namespace
