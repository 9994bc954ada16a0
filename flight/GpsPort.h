#pragma once

// The flight window's GPS port, its serial control MSComm1: a serial port set up as a GPS
// receiver speaks (8 data bits, no parity, 1 stop bit, no flow control) at the baud rate of the
// line settings in data.crm, 4800 until a valid one is read. What it receives and what goes
// wrong with it reach one handler as the serial control's notification codes. A port that
// fails while open (the device went away, or reports errors) is closed first; a fault while it
// is being opened belongs to the open, which answers false.

#include <QSerialPort>

#include <cstdint>
#include <functional>
#include <string>

namespace tv {

class GpsPort : public QSerialPort
{
public:
    // Notification codes.
    static constexpr int16_t comEvReceive = 2;
    static constexpr int16_t comEventBreak = 1001;
    static constexpr int16_t comEventFrame = 1004;  // a read error
    static constexpr int16_t comEventRxOver = 1008; // any other fault

    explicit GpsPort(QObject* parent = nullptr);

    // `handler` runs with comEvReceive when data wait to be read, and with the code of a fault.
    void onComm(std::function<void(int16_t commEvent)> handler);
    // Opens COM `port` (platform/SerialPorts.h says which device that is) unless it is open;
    // false when the number has no device or the device cannot be opened.
    bool openCom(int port);
    void closeIfOpen();
    // Takes the baud rate of line settings such as "9600,n,8,1" (an open port at once); a text
    // that names no rate from 1 to 4,000,000 leaves the rate as it was.
    void takeSettings(const std::string& settings);

private:
    std::function<void(int16_t)> handler_;
    qint32 baudRate_ = 4800;
    bool opening_ = false;
};

} // namespace tv
