#include "flight/ControlEvents.h"

#include <QMouseEvent>
#include <QObject>
#include <QWidget>

#include <utility>

namespace tv {
namespace {

class EventWatch : public QObject
{
public:
    EventWatch(QWidget* control, QEvent::Type type, std::function<bool(QEvent&)> handler)
        : QObject(control), control_(control), type_(type), handler_(std::move(handler))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != control_ || event->type() != type_)
            return false;
        // The handler may close the window: nothing of this object is used after it.
        const std::function<bool(QEvent&)> handler = handler_;
        return handler(*event);
    }

private:
    QWidget* control_;
    QEvent::Type type_;
    std::function<bool(QEvent&)> handler_;
};

} // namespace

void onEvent(QWidget* control, QEvent::Type type, std::function<bool(QEvent&)> handler)
{
    new EventWatch(control, type, std::move(handler));
}

void onClick(QWidget* control, std::function<void()> handler)
{
    onEvent(control, QEvent::MouseButtonPress, [handler = std::move(handler)](QEvent& event) {
        if (static_cast<QMouseEvent&>(event).button() != Qt::LeftButton)
            return false;
        handler();
        return true;
    });
}

} // namespace tv
