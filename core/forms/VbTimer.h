#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace tv {

// A window timer as the program's windows use it: an interval of 0 means stopped (a raw QTimer
// at 0 would fire on every pass of the event loop), any other interval runs it, and setting the
// interval again restarts the count. Negative intervals are treated as 0.
class VbTimer : public QObject
{
    Q_OBJECT
public:
    explicit VbTimer(QObject* parent = nullptr);

    void setInterval(int intervalMs);
    int interval() const { return intervalMs_; }
    bool isRunning() const { return timer_.isActive(); }

    // The handler run on every tick.
    void onTick(std::function<void()> handler) { handler_ = std::move(handler); }

    // Runs one tick now, as if the interval had elapsed (tests).
    void fire();

private:
    QTimer timer_;
    int intervalMs_ = 0;
    std::function<void()> handler_;
};

} // namespace tv
