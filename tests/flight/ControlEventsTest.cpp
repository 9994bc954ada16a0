#include "flight/ControlEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

#include <string>
#include <vector>

namespace {

void press(QWidget& control, QEvent::Type type, Qt::MouseButton button)
{
    QMouseEvent event(type, QPointF(2, 2), control.mapToGlobal(QPointF(2, 2)), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(&control, &event);
}

// A watch set up first sees only what the later ones leave: a left press is a click and goes
// no further, other buttons and other events go on.
TEST(ControlEvents, ALeftPressIsAClickAndGoesNoFurther)
{
    QLabel picture;
    std::vector<std::string> seen;
    tv::onEvent(&picture, QEvent::MouseButtonPress, [&](QEvent&) {
        seen.push_back("press");
        return false;
    });
    tv::onEvent(&picture, QEvent::MouseButtonDblClick, [&](QEvent&) {
        seen.push_back("double");
        return false;
    });
    tv::onClick(&picture, [&] { seen.push_back("click"); });
    press(picture, QEvent::MouseButtonPress, Qt::LeftButton);
    press(picture, QEvent::MouseButtonPress, Qt::RightButton);
    press(picture, QEvent::MouseButtonDblClick, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<std::string>{"click", "press", "double"}));
}

} // namespace
