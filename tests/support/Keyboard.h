#pragma once

// Keys as a pilot's hand gives them: a press and a release, each to the control that holds the
// keyboard at that moment, and real message boxes that the hand closes with Enter.

#include "core/forms/MsgBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace tvtest {

// The control that holds the keyboard in `w`'s window (where Qt sends the next key).
inline QWidget* keyboard(QWidget* w)
{
    QWidget* focus = w->window()->focusWidget();
    return focus ? focus : w->window();
}

inline void pressKey(QWidget* w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(keyboard(w), &press);
}

inline void releaseKey(QWidget* w, int key)
{
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(keyboard(w), &release);
}

// While this lives, messages are real message boxes, and each is closed by pressing Enter in
// it, as a pilot does: the box takes the press and closes; the release is the test's to give
// (releaseKey) to whatever holds the keyboard afterwards. Each box shown is added to `record`,
// and at the end messages are recorded there again without being shown, as window tests do.
class EnterClosesMessages
{
public:
    explicit EnterClosesMessages(std::vector<tv::MsgRecord>& record) : record_(record)
    {
        tv::setMsgBoxHook(nullptr);
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            record_.push_back({box->text(), box->windowTitle(), tv::MsgButtons::Ok});
            QWidget* button = box->focusWidget();
            if (!button && !box->buttons().isEmpty())
                button = box->buttons().front();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(button ? button : box, &press);
        });
        timer_.start();
    }
    ~EnterClosesMessages()
    {
        tv::setMsgBoxHook([record = &record_](const tv::MsgRecord& m) {
            record->push_back(m);
            return tv::MsgResult::Ok;
        });
    }
    EnterClosesMessages(const EnterClosesMessages&) = delete;
    EnterClosesMessages& operator=(const EnterClosesMessages&) = delete;

private:
    std::vector<tv::MsgRecord>& record_;
    QTimer timer_;
};

} // namespace tvtest
