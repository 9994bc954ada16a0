#pragma once

#include <QByteArray>
#include <QGuiApplication>

namespace tvtest {

// Text needs fonts and so a QGuiApplication; tests that print text call this first. The
// application lives until the test program ends (the platform is offscreen: no display).
inline void ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    static int argc = 1;
    static char name[] = "test_flight";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

} // namespace tvtest
