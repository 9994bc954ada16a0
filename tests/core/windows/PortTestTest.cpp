#include "WindowFixture.h"
#include "core/forms/VbTimer.h"
#include "support/NmeaText.h"
#include "support/PseudoTerminal.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSerialPort>

namespace {

using tvtest::nmea;
using tvtest::settle;
using tvtest::waitFor;

const std::string kRmc = nmea("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
const std::string kGga = nmea("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
const std::string kGsa = nmea("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
const std::string kGsv = nmea("GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45");

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

// COM 3 is one end of a pseudo-terminal pair made by socat; the test writes into the other.
class PortTest : public settingstest::SettingsWindowTest
{
protected:
    void SetUp() override
    {
        SettingsWindowTest::SetUp();
        if (!tvtest::PseudoTerminalPair::socatInstalled())
            GTEST_SKIP() << "socat is not installed";
        ASSERT_NO_FATAL_FAILURE(gps_.start(dir / "a", dir / "b"));
        port(3, dir / "a");
        window().Form_Activate();
        window().cmbCom->setCurrentText("3");
        ASSERT_EQ(window().cmbCom->currentText(), "3");
    }

    void TearDown() override
    {
        SettingsWindowTest::TearDown();
        gps_.stop();
    }

    // The GPS sends `text`.
    void send(const std::string& text) { ASSERT_NO_FATAL_FAILURE(gps_.write(text)); }

    // Both ticks of the verdict timer.
    void verdict()
    {
        window().timerCheck->fire();
        window().timerCheck->fire();
    }

    QColor background(QWidget* w) { return w->palette().color(QPalette::Window); }

    tvtest::PseudoTerminalPair gps_;
};

TEST_F(PortTest, ReceivingGpsSavesPortAndBaudRateAtTheVerdict)
{
    tv::frmSettings& w = window();
    w.cmdCheck->click();
    EXPECT_EQ(w.lblStatus->text(), "COM 3 wird überprüft");
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(w.timerCheck->interval(), 1000);

    send(kRmc + kGga + kGsa + kGsv);
    ASSERT_TRUE(waitFor(
        [&] { return w.Label11->text().contains('/') && !w.Label11->text().contains("-/-"); }));
    EXPECT_EQ(w.tGPS->text().toStdString() + "\r\n", kRmc);
    EXPECT_EQ(w.tGPS->cursorPosition(), 0) << "the box shows the start of the sentence";
    EXPECT_EQ(w.lblComVerbindung->text(), "COM 3 Verbindung hergestellt");
    EXPECT_EQ(background(w.lblComVerbindung), kGreen);
    EXPECT_EQ(w.LabelStatus->text(), "GPS Fix");
    EXPECT_EQ(background(w.LabelStatus), kGreen);
    EXPECT_EQ(w.lblLat->text(), QString::fromUtf8("N 48° 07.038'"));
    EXPECT_EQ(w.lblLong->text(), QString::fromUtf8("E 011° 31.000'"));
    EXPECT_EQ(w.Label11->text(), "Anzahl Satelliten = 8 / 8");

    w.timerCheck->fire();
    EXPECT_EQ(w.lblStatus->text(), "COM 3 wird überprüft");
    EXPECT_FALSE(exists("data.crm"));
    w.timerCheck->fire();
    EXPECT_EQ(w.lblStatus->text(), "OK - Daten gespeichert");
    EXPECT_EQ(file("data.crm"), "\"3\"\r\n\"4800\"\r\n");
    EXPECT_FALSE(w.timerCheck->isRunning());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    w.timerCheck->fire(); // a late tick changes nothing
    EXPECT_EQ(w.lblStatus->text(), "OK - Daten gespeichert");
}

TEST_F(PortTest, EnglishTextsOfTheTest)
{
    tv::Language = 1;
    tv::frmSettings& w = window();
    w.cmdCheck->click();
    EXPECT_EQ(w.lblStatus->text(), "COM 3 - testing connection ");
    verdict();
    EXPECT_EQ(w.lblStatus->text(), "No Signal - COM 3");

    w.cmdCheck->click();
    send(kGga);
    ASSERT_TRUE(waitFor([&] { return !w.tGPS->text().isEmpty(); }));
    EXPECT_EQ(w.lblComVerbindung->text(), "COM 3 connected");
    verdict();
    EXPECT_EQ(w.lblStatus->text(), "OK - Data saved");
}

TEST_F(PortTest, SilentPortGivesNoSignalAndKeepsTheSavedSettings)
{
    tvtest::writeFile(dir / "data.crm", "\"1\"\r\n\"9600\"\r\n");
    tv::frmSettings& w = window();
    w.cmdCheck->click();
    settle();
    verdict();
    EXPECT_EQ(w.lblStatus->text(), "Kein Signal an COM 3");
    EXPECT_EQ(file("data.crm"), "\"1\"\r\n\"9600\"\r\n");
    EXPECT_FALSE(w.timerCheck->isRunning());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(w.MSComm1->isOpen()) << "the port is reopened once";
    EXPECT_EQ(w.lblLat->text(), "---");
    EXPECT_EQ(background(w.lblComVerbindung), kRed);

    // Data that come after the verdict are shown but not saved by that test.
    send(kGga);
    ASSERT_TRUE(waitFor([&] { return !w.tGPS->text().isEmpty(); }));
    settle();
    EXPECT_EQ(file("data.crm"), "\"1\"\r\n\"9600\"\r\n");
}

TEST_F(PortTest, WrongBaudRateWarnsButStillSavesTheChosenRate)
{
    tv::frmSettings& w = window();
    w.cmbBaud->setCurrentIndex(1);
    w.cmdCheck->click();
    send(std::string(150, '\xE7'));
    send(std::string(150, '\x9C'));
    ASSERT_TRUE(waitFor([&] { return w.tGPS->text().startsWith("Kein GPS"); }));
    EXPECT_EQ(w.tGPS->text(), "Kein GPS Datenempfang - Baudrate überprüfen");
    EXPECT_EQ(w.LabelStatus->text(), "Kein GPS Fix");
    verdict();
    EXPECT_EQ(w.lblStatus->text(), "OK - Daten gespeichert");
    EXPECT_EQ(file("data.crm"), "\"3\"\r\n\"9600\"\r\n");
}

TEST_F(PortTest, LineTroubleAfterDataEndsTheTestWithoutVerdict)
{
    tv::frmSettings& w = window();
    w.cmdCheck->click();
    send(kGga);
    ASSERT_TRUE(waitFor([&] { return !w.tGPS->text().isEmpty(); }));
    w.MSComm1_OnComm(1001); // break
    EXPECT_EQ(w.tGPS->text(), "");
    EXPECT_EQ(w.lblComVerbindung->text(), "Keine COM Verbindung");
    EXPECT_FALSE(w.timerCheck->isRunning());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    verdict();
    EXPECT_EQ(w.lblStatus->text(), "COM 3 wird überprüft");
    EXPECT_FALSE(exists("data.crm"));
}

TEST_F(PortTest, LeavingTheWindowEndsTheTestAndClosesThePort)
{
    tv::frmSettings& w = window();
    w.cmdCheck->click();
    ASSERT_TRUE(w.MSComm1->isOpen());
    w.Form_Deactivate();
    EXPECT_FALSE(w.MSComm1->isOpen());
    EXPECT_FALSE(w.timerCheck->isRunning());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PortTest, RestartingTheTestKeepsOneHourglass)
{
    tv::frmSettings& w = window();
    w.cmdCheck->click();
    w.cmdCheck->click();
    send(kGga);
    ASSERT_TRUE(waitFor([&] { return !w.tGPS->text().isEmpty(); }));
    verdict();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

using MissingPort = settingstest::SettingsWindowTest;

TEST_F(MissingPort, PortThatCannotBeOpenedSaysSoAndTheHourglassGoes)
{
    port(5, "/dev/null"); // a character device, but no serial line
    tv::frmSettings& w = window();
    w.Form_Activate();
    ASSERT_EQ(w.cmbCom->currentText(), "5");
    w.cmdCheck->click();
    EXPECT_EQ(w.lblStatus->text(), "COM 5 existiert nicht");
    w.timerCheck->fire();
    w.timerCheck->fire();
    EXPECT_EQ(w.lblStatus->text(), "COM 5 existiert nicht");
    EXPECT_FALSE(w.timerCheck->isRunning());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(exists("data.crm"));

    tv::Language = 1;
    w.cmdCheck->click();
    EXPECT_EQ(w.lblStatus->text(), "COM 5 does not exist");
    w.Form_Deactivate();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
