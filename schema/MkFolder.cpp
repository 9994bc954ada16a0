// tramvik-mkfolder FOLDER [--airspace] [--airports]
//
// Lays out a new program folder: FOLDER with Karten, Route and Flugplan and empty data.tvd and
// track.tvd; --airspace adds an empty Luftraum.tvd released today, --airports an empty
// tvdata.tvd. Existing folders and files are kept untouched, so running it again only adds what
// is missing.
//
// Exit codes: 0 done, 1 the folder could not be laid out (message on stderr), 2 wrong command
// line (usage on stderr).
#include "schema/Layout.h"

#include <exception>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage = "Usage: tramvik-mkfolder FOLDER [--airspace] [--airports]\n"
                               "Lays out a new program folder for Tramvik GPS. Existing files "
                               "are never overwritten.\n"
                               "  --airspace  also make an empty airspace data file "
                               "Luftraum.tvd, released today\n"
                               "  --airports  also make an empty airport data file tvdata.tvd\n";

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsageError = 2;

int usageError(const std::string& message)
{
    std::cerr << "tramvik-mkfolder: " << message << "\n" << kUsage;
    return kUsageError;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        std::string folder;
        tv::schema::LayoutOptions options;
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            if (arg == "--help" || arg == "-h") {
                std::cout << kUsage;
                return kDone;
            }
            if (arg == "--airspace") {
                options.airspace = tv::schema::AirspaceFile::WithRelease;
            } else if (arg == "--airports") {
                options.airports = true;
            } else if (!arg.empty() && arg[0] == '-') {
                return usageError("unknown option \"" + arg + "\"");
            } else if (!folder.empty()) {
                return usageError("only one folder may be given");
            } else if (arg.empty()) {
                return usageError("the folder name is empty");
            } else {
                folder = arg;
            }
        }
        if (folder.empty())
            return usageError("no folder given");

        tv::schema::layoutProgramFolder(folder, options);
        std::cout << "Program folder ready: " << folder << "\n";
        return kDone;
    } catch (const std::exception& e) {
        std::cerr << "tramvik-mkfolder: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "tramvik-mkfolder: unexpected failure\n";
    }
    return kFailed;
}
