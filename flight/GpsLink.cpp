#include "flight/GpsLink.h"

namespace tv {

void GpsLink::start()
{
    pictures_ = {true, false, false};
    countdown_ = 2;
    dataReceived_ = false;
}

void GpsLink::off()
{
    pictures_ = {};
}

void GpsLink::fixObtained()
{
    pictures_ = {false, true, false};
}

void GpsLink::fixLost()
{
    pictures_ = {true, false, false};
}

void GpsLink::enterNoSignalMode()
{
    pictures_.noSignal = true;
    countdown_ = kNoSignalMode;
    dataReceived_ = false;
}

GpsLink::Tick GpsLink::tick()
{
    if (countdown_ > 0)
        --countdown_;
    if (countdown_ == kNoSignalMode)
        return dataReceived_ ? Tick::Done : Tick::StillSilent;
    if (countdown_ != 0)
        return Tick::Wait;
    // The verdict, on the second tick after the start.
    return dataReceived_ ? Tick::Done : Tick::NoDataAtCheck;
}

void GpsLink::silentAfterTick()
{
    pictures_.on = false;
    pictures_.fix = false;
}

QString checkingPortText(int port, bool german)
{
    return german
               ? QStringLiteral("COM ") + QString::number(port) + QStringLiteral(" wird überprüft")
               : QStringLiteral("Checking COM ") + QString::number(port);
}

QString noSignalText(int port, bool german)
{
    return (german ? QStringLiteral("Kein Signal an COM ") : QStringLiteral("No Signal an COM ")) +
           QString::number(port);
}

QString portMissingText(int port, bool german)
{
    return QStringLiteral("COM ") + QString::number(port) +
           (german ? QStringLiteral(" existiert nicht") : QStringLiteral(" does not exist"));
}

} // namespace tv
