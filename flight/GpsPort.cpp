#include "flight/GpsPort.h"

#include "map/NumberText.h"
#include "platform/SerialPorts.h"

#include <QString>

namespace tv {

GpsPort::GpsPort(QObject* parent) : QSerialPort(parent)
{
    connect(this, &QSerialPort::readyRead, this, [this] {
        if (handler_)
            handler_(comEvReceive);
    });
    connect(this, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == NoError || e == TimeoutError || e == NotOpenError || opening_)
            return;
        if (isOpen())
            close();
        clearError();
        if (handler_)
            handler_(e == ReadError ? comEventFrame : comEventRxOver);
    });
}

void GpsPort::onComm(std::function<void(int16_t)> handler)
{
    handler_ = std::move(handler);
}

bool GpsPort::openCom(int port)
{
    if (isOpen())
        return true;
    const std::string path = comPortPath(port);
    if (path.empty())
        return false;
    opening_ = true;
    setPortName(QString::fromStdString(path));
    setBaudRate(baudRate_);
    setDataBits(Data8);
    setParity(NoParity);
    setStopBits(OneStop);
    setFlowControl(NoFlowControl);
    const bool opened = open(QIODevice::ReadWrite);
    clearError();
    opening_ = false;
    return opened;
}

void GpsPort::closeIfOpen()
{
    if (isOpen())
        close();
}

void GpsPort::takeSettings(const std::string& settings)
{
    const double rate =
        leadingNumber(QString::fromStdString(settings.substr(0, settings.find(','))));
    if (rate >= 1.0 && rate <= 4000000.0)
        baudRate_ = static_cast<qint32>(rate);
    if (isOpen())
        setBaudRate(baudRate_);
}

} // namespace tv
