#include "core/forms/VbTimer.h"

namespace tv {

VbTimer::VbTimer(QObject* parent) : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, [this] { fire(); });
}

void VbTimer::setInterval(int intervalMs)
{
    intervalMs_ = intervalMs > 0 ? intervalMs : 0;
    if (intervalMs_ == 0) {
        timer_.stop();
        return;
    }
    timer_.start(intervalMs_);
}

void VbTimer::fire()
{
    if (handler_)
        handler_();
}

} // namespace tv
