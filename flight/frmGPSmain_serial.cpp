// GPS button, serial reception and the no-signal watchdog of the flight window.
//
// States: off (button), checking (picture 0, hourglass, two 1 s ticks), receiving (picture 0
// without fix, 1 with fix), no signal after the check (status text), no-signal mode (picture 2,
// "---" displays, the port reopened every 5 s until data arrive).
//
// QSerialPort reports no line events, so the no-signal mode starts when the port reports an
// error (the device went away) or when no data arrived for kSilenceMs while the GPS is on.

#include "flight/frmGPSmain.h"

#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "map/PictureBox.h"
#include "platform/SerialPorts.h"

#include <QLabel>
#include <QPushButton>

namespace tv {

QString frmGPSmain::portMissingText() const
{
    return QStringLiteral("COM ") + QString::number(SavedComPort) +
           (Language == 0 ? QStringLiteral(" existiert nicht") : QStringLiteral(" does not exist"));
}

QString frmGPSmain::noSignalText() const
{
    return (Language == 0 ? QStringLiteral("Kein Signal an COM ")
                          : QStringLiteral("No Signal an COM ")) +
           QString::number(SavedComPort);
}

void frmGPSmain::showStatus(const QString& text)
{
    lblStatus->setText(text);
    lblStatus->show();
    lblStatus->raise();
    lblStatus->repaint();
}

bool frmGPSmain::gpsSwitchedOn() const
{
    return !picGPSCheck[0]->isHidden() || !picGPSCheck[1]->isHidden();
}

bool frmGPSmain::openPort()
{
    if (MSComm1.isOpen())
        return true;
    const std::string path = comPortPath(SavedComPort);
    if (path.empty())
        return false;
    opening_ = true;
    MSComm1.setPortName(QString::fromStdString(path));
    MSComm1.setBaudRate(baudRate_);
    MSComm1.setDataBits(QSerialPort::Data8);
    MSComm1.setParity(QSerialPort::NoParity);
    MSComm1.setStopBits(QSerialPort::OneStop);
    MSComm1.setFlowControl(QSerialPort::NoFlowControl);
    const bool opened = MSComm1.open(QIODevice::ReadWrite);
    MSComm1.clearError();
    opening_ = false;
    // What was kept of an unfinished line belongs to the link before.
    LineBuffer.clear();
    return opened;
}

void frmGPSmain::closePort()
{
    if (MSComm1.isOpen())
        MSComm1.close();
}

void frmGPSmain::cmdGPS_Click()
{
    closePort();
    picGPSCheck[0]->show();
    picGPSCheck[1]->hide();
    picGPSCheck[2]->hide();
    showStatus(Language == 0 ? QStringLiteral("COM ") + QString::number(SavedComPort) +
                                   QStringLiteral(" wird überprüft")
                             : QStringLiteral("Checking COM ") + QString::number(SavedComPort));
    SignalCheckCountdown = 2;
    DataReceived = false;
    busy_.acquire();
    timerCheck.setInterval(1000);
    silenceWatch.setInterval(0);
    if (!openPort()) {
        showStatus(portMissingText());
        timerCheck.setInterval(0);
        for (QLabel* check : picGPSCheck)
            check->hide();
        busy_.release();
    }
}

void frmGPSmain::picGPSCheck_Click(int /*Index*/)
{
    closePort();
    timerCheck.setInterval(0);
    silenceWatch.setInterval(0);
    lblStatus->hide();
    for (QLabel* check : picGPSCheck)
        check->hide();
    busy_.release();
    UpdateRouteInfo();
}

void frmGPSmain::MSComm1_OnComm(int16_t CommEvent)
{
    if (CommEvent == comEventBreak)
        MsgBox(QStringLiteral("Break"), QStringLiteral("Tramvik GPS"));
    if (CommEvent == comEvReceive) {
        const QByteArray received = MSComm1.readAll();
        // The link is alive the moment data arrive: the silence count starts again before the
        // sentences are handled, since handling may open a message box and wait for the pilot.
        DataReceived = true;
        if (gpsSwitchedOn())
            silenceWatch.setInterval(kSilenceMs);
        HandleInput(
            std::string_view(received.constData(), static_cast<std::size_t>(received.size())));
    }
    if (gpsSwitchedOn()) {
        if (!lblStatus->isHidden())
            lblStatus->hide();
        if (CommEvent != comEvReceive)
            enterNoSignalMode();
    }
}

void frmGPSmain::enterNoSignalMode()
{
    silenceWatch.setInterval(0);
    ClearInstruments();
    targetFiguresCleared = true;
    picGPSCheck[2]->show();
    picGPSCheck[2]->raise();
    timerCheck.setInterval(5000);
    SignalCheckCountdown = -99;
    NoFix = true;
    DataReceived = false;
    UpdateMap();
}

void frmGPSmain::silenceWatch_Timer()
{
    silenceWatch.setInterval(0);
    // During the check after a start the verdict decides; without the GPS nobody listens.
    if (!gpsSwitchedOn() || SignalCheckCountdown > 0)
        return;
    // Data arrived but wait unread: the port announces new data only once the handler of the
    // last ones has returned, and that handler waits for a message box the pilot has open.
    if (MSComm1.isOpen() && MSComm1.bytesAvailable() > 0) {
        silenceWatch.setInterval(kSilenceMs);
        return;
    }
    if (!lblStatus->isHidden())
        lblStatus->hide();
    enterNoSignalMode();
}

void frmGPSmain::HandleInput(std::string_view Sinput)
{
    for (const std::string& line : LineBuffer.add(Sinput))
        gps.Parse(line);
}

void frmGPSmain::timerCheck_Timer()
{
    auto closingSteps = [this] {
        picGPSCheck[0]->hide();
        picGPSCheck[1]->hide();
        UpdateRouteInfo();
        busy_.release();
    };
    auto reopen = [this] {
        closePort();
        return openPort();
    };

    if (SignalCheckCountdown > 0)
        --SignalCheckCountdown;

    if (SignalCheckCountdown == -99) {
        if (DataReceived) {
            timerCheck.setInterval(0);
            lblStatus->hide();
            busy_.release();
            return;
        }
        if (reopen()) {
            ClearInstruments();
            showStatus(noSignalText());
        } else {
            showStatus(portMissingText());
        }
        closingSteps();
        return;
    }

    if (SignalCheckCountdown != 0)
        return;

    // The verdict, on the second tick after the start.
    if (DataReceived) {
        timerCheck.setInterval(0);
        lblStatus->hide();
        busy_.release();
        return;
    }
    closePort();
    timerCheck.setInterval(0);
    if (openPort())
        showStatus(noSignalText());
    else
        showStatus(portMissingText());
    closingSteps();
}

void frmGPSmain::ClearInstruments()
{
    for (QLabel* display :
         {lblSpeed, lblBearing, lblAlt, lblLat, lblLong, lblTrueBearing, lblDistanz, lblTime})
        display->setText(QStringLiteral("---"));
    fixBuilder_.clearShownValues();
    ShowInstrument(0.0f);
}

} // namespace tv
