#include "app/Main.h"
#include "app/Modes.h"
#include "app/frmSplash.h"
#include "core/program/Processes.h"

#include <QApplication>
#include <QImageReader>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Scanned charts are far larger than Qt's default image allocation limit.
    QImageReader::setAllocationLimit(0);
    // The windows go away by the program's own rules (the main frame ends the program), not
    // when the start-up window closes before the main frame exists.
    QApplication::setQuitOnLastWindowClosed(false);
    // File and print dialogs are Qt's own, so that they speak the program's language (a
    // desktop's native dialogs follow the desktop's).
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);

    // Another copy of the program asks us to end (it is closing, or an update starts).
    tv::installTerminationHandler(&tv::Main::TerminationRequested);

    tv::registerModeDialogs();

    // The start-up window runs once the event loop runs, so that ending the program from
    // anywhere in the start leaves the loop.
    QTimer::singleShot(0, [] { tv::forms().get<tv::frmSplash>().show(); });
    return app.exec();
}
