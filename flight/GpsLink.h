#pragma once

// The GPS switch of the flight window and its no-signal watchdog: which status picture shows,
// whether the link is checked after a start, and what a tick of the watchdog timer decides.
// The window opens and closes the port and runs the timers; this class only decides.
//
// States as the pilot sees them:
//   off                      the GPS button, no picture
//   checking                 picture "on", two ticks 1 s apart until the verdict
//   receiving                picture "on" without a fix, "fix" with one
//   no signal after check    a status text, pictures "on" and "fix" hidden
//   no-signal mode           picture "no signal" over the others, "---" displays, a tick
//                            every 5 s reopens the port until data arrive

#include <QString>

namespace tv {

class GpsLink
{
public:
    // The three status pictures, each shown or not.
    struct Pictures
    {
        bool on = false;       // switched on, no fix
        bool fix = false;      // switched on, the receiver reports a fix
        bool noSignal = false; // no-signal mode, lies over the other two
    };
    const Pictures& pictures() const { return pictures_; }

    // The GPS is switched on: picture "on" or "fix" is shown. Only then do the port's
    // notifications start the no-signal mode.
    bool switchedOn() const { return pictures_.on || pictures_.fix; }
    // A status picture shows (the GPS is on, or in the no-signal mode): the port belongs open.
    bool shown() const { return switchedOn() || pictures_.noSignal; }
    // The check after a start is under way (the verdict has not been given yet).
    bool checking() const { return countdown_ > 0; }
    // Data arrived since the start or since the no-signal mode began (DataReceived).
    bool dataReceived() const { return dataReceived_; }

    // The GPS button: picture "on", the check begins, no data yet.
    void start();
    // The GPS is off (a click on a picture, or the port could not be opened): no picture.
    void off();
    void fixObtained();
    void fixLost();
    void dataArrived() { dataReceived_ = true; }
    // The port reported anything but data while the GPS was on, or stayed silent: picture
    // "no signal" over the others, the port is reopened every tick until data arrive.
    void enterNoSignalMode();

    // What a tick of the watchdog timer asks of the window.
    enum class Tick {
        Wait,          // the check goes on
        Done,          // data arrived: stop the timer, hide the status text
        StillSilent,   // no-signal mode without data: reopen the port and say so
        NoDataAtCheck, // the verdict without data: stop the timer, reopen the port once
    };
    Tick tick();
    // After StillSilent and NoDataAtCheck: pictures "on" and "fix" go, "no signal" stays.
    void silentAfterTick();

    // The silence watch ran out: true when the no-signal mode is to start now (the GPS is on
    // and no check is running, whose verdict decides instead).
    bool silenceStartsNoSignalMode() const { return switchedOn() && !checking(); }

private:
    static constexpr int kNoSignalMode = -99;

    Pictures pictures_;
    // 2 at the start, counted down by the ticks; kNoSignalMode in the no-signal mode.
    int countdown_ = 0;
    bool dataReceived_ = false;
};

// The status texts; the port number in decimal digits. German when `german`, else English.
QString checkingPortText(int port, bool german);
QString noSignalText(int port, bool german);
QString portMissingText(int port, bool german);

} // namespace tv
