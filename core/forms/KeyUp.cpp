#include "core/forms/KeyUp.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace tv {

namespace {

// Sits on one control and remembers which keys were pressed there. A press reaches a control
// also when a child did not take it (the editor of a grid cell passes Enter on to the grid):
// such a press began in the child, which holds the keyboard, and does not count.
class KeyUpWatch : public QObject
{
public:
    KeyUpWatch(QWidget* control, std::function<void(int, Qt::KeyboardModifiers)> handler)
        : QObject(control), control_(control), handler_(std::move(handler))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != control_)
            return false;
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->isAutoRepeat())
                break;
            const auto at = std::find(pressed_.begin(), pressed_.end(), key->key());
            if (!hasKeyboard())
                forget(at);
            else if (at == pressed_.end())
                pressed_.push_back(key->key());
            break;
        }
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const auto at = std::find(pressed_.begin(), pressed_.end(), key->key());
            if (key->isAutoRepeat() || at == pressed_.end())
                break;
            pressed_.erase(at);
            // The handler may show a message box or close the window: nothing of this object
            // is used after it.
            const std::function<void(int, Qt::KeyboardModifiers)> handler = handler_;
            handler(key->key(), key->modifiers());
            break;
        }
        case QEvent::FocusOut:
            pressed_.clear();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // The control holds the keyboard in its window. A window where nothing holds it yet takes
    // keys sent straight to a control.
    bool hasKeyboard() const
    {
        const QWidget* focus = control_->window()->focusWidget();
        return focus == nullptr || focus == control_;
    }

    void forget(std::vector<int>::iterator at)
    {
        if (at != pressed_.end())
            pressed_.erase(at);
    }

    QWidget* control_;
    std::function<void(int, Qt::KeyboardModifiers)> handler_;
    std::vector<int> pressed_;
};

} // namespace

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void onKeyUp(QWidget* control, std::function<void(int key)> handler)
{
    new KeyUpWatch(
        control, [handler = std::move(handler)](int key, Qt::KeyboardModifiers) { handler(key); });
}

void onKeyUp(QWidget* control, std::function<void(int key, Qt::KeyboardModifiers)> handler)
{
    new KeyUpWatch(control, std::move(handler));
}

} // namespace tv
