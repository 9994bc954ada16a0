#pragma once

#include <QApplication>

namespace tv {

// The hourglass while a port check runs. Restores the pointer when it goes out of scope or
// when release() is called, whichever comes first, so no path can leave the hourglass behind.
class BusyCursor
{
public:
    BusyCursor() = default;
    ~BusyCursor() { release(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    void acquire()
    {
        if (!active_) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            active_ = true;
        }
    }
    void release()
    {
        if (active_) {
            QApplication::restoreOverrideCursor();
            active_ = false;
        }
    }
    bool active() const { return active_; }

private:
    bool active_ = false;
};

} // namespace tv
