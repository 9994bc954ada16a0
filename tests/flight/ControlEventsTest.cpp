#include "flight/ControlEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

#include <string>

namespace {

// A watch set up first sees only what the later ones leave: a left press is a click and goes
// no further, other buttons and other events go on.
TEST(ControlEvents, ALeftPressIsAClickAndGoesNoFurther)
{
    QLabel picture;
    std::string seen;
    tv::onEvent(&picture, QEvent::MouseButtonPress,
                [&](QEvent&) { return (seen += "press ", false); });
    tv::onEvent(&picture, QEvent::MouseButtonDblClick,
                [&](QEvent&) { return (seen += "double ", false); });
    tv::onClick(&picture, [&] { seen += "click "; });
    for (const auto& [type, button] : {std::pair(QEvent::MouseButtonPress, Qt::LeftButton),
                                       std::pair(QEvent::MouseButtonPress, Qt::RightButton),
                                       std::pair(QEvent::MouseButtonDblClick, Qt::LeftButton)}) {
        QMouseEvent event(type, QPointF(2, 2), QPointF(2, 2), button, button, Qt::NoModifier);
        QApplication::sendEvent(&picture, &event);
    }
    EXPECT_EQ(seen, "click press double ");
}

} // namespace
