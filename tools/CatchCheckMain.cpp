// tramvik-catchcheck ROOT [NOT-YET-CLEANED...]
//
// Checks the program's sources under ROOT for catches with an empty body (see CatchCheck.h).
// The files named after ROOT, relative to it, are passed over until their own clean-up.
//
// Exit codes: 0 none found, 1 findings (one per line on stderr), 2 wrong command line.
#include "tools/CatchCheck.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "Usage: tramvik-catchcheck ROOT [NOT-YET-CLEANED...]\n";
        return 2;
    }
    try {
        const std::vector<std::string> findings =
            tv::tools::emptyCatchFindings(argv[1], std::set<std::string>(argv + 2, argv + argc));
        for (const std::string& f : findings)
            std::cerr << f << "\n";
        return findings.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "tramvik-catchcheck: " << e.what() << "\n";
        return 1;
    }
}
