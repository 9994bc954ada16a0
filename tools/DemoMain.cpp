// tramvik-demo FOLDER
//
// Prepares FOLDER as a demo program folder: the folder layout of tramvik-mkfolder, a demo chart
// with its Maps row and calibration file, waypoints, a route, airports and airspaces, and the
// flight window's last chart and layer switches. Existing files are never overwritten, and a
// data file that already holds waypoints, routes, charts, airports or airspaces is left as it
// is, so running it again keeps the data of earlier runs.
//
// Exit codes: 0 done, 1 the folder could not be prepared (message on stderr), 2 wrong command
// line (usage on stderr).
#include "tools/DemoFolder.h"

#include <QByteArray>
#include <QGuiApplication>

#include <exception>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage =
    "Usage: tramvik-demo FOLDER\n"
    "Prepares a demo program folder for Tramvik GPS: chart, waypoints, route, airports,\n"
    "airspaces. Existing files and data are never overwritten.\n";

} // namespace

int main(int argc, char** argv)
{
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg.empty() || arg[0] == '-' || !folder.empty()) {
            std::cerr << "tramvik-demo: unexpected argument \"" << arg << "\"\n" << kUsage;
            return 2;
        }
        folder = arg;
    }
    if (folder.empty()) {
        std::cerr << "tramvik-demo: no folder given\n" << kUsage;
        return 2;
    }

    // The chart's labels need fonts, which come with a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);

    try {
        const tv::demo::DemoFolderReport report = tv::demo::prepareDemoFolder(folder);
        for (const std::string& line : report.made)
            std::cout << "made: " << line << "\n";
        for (const std::string& line : report.kept)
            std::cout << "kept: " << line << "\n";
        std::cout << "Demo program folder ready: " << folder << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tramvik-demo: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "tramvik-demo: unexpected failure\n";
    }
    return 1;
}
