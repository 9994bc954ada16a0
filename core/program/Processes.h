#pragma once

// The running copies of the program and the end of the program.
//
// Closing the main frame ends every other running copy of the program of the same user: they
// are found by a scan of /proc and sent SIGTERM, which each copy handles by closing its main
// frame normally (its windows save their files). Our own process is never signalled; it ends
// by leaving its event loop after its windows were unloaded.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace tv {

// The name of the program's executable.
inline constexpr const char* kProgramExecutable = "tramvik-gps";

// Process ids of the processes of the current user whose name (/proc/<pid>/comm) or executable
// file name (basename of /proc/<pid>/exe) equals `executableName`, without our own process.
// Processes that end during the scan or cannot be read are skipped.
std::vector<pid_t> otherRunningCopies(const std::string& executableName);

// Sends SIGTERM to every other running copy of the program (the executable name below).
// Returns how many were signalled.
int terminateOtherCopies();

// The executable name terminateOtherCopies() looks for: kProgramExecutable, or what a test set
// (so that a test never ends a real copy of the program that happens to run).
std::string programExecutableName();
void setProgramExecutableForTesting(const std::string& name);

// Ends the program with `exitCode` by leaving the event loop (no window is unloaded here).
// Tests install a hook that records the call instead.
void endProgram(int exitCode);
using EndProgramHook = std::function<void(int exitCode)>;
void setEndProgramHookForTesting(EndProgramHook hook);

// Routes SIGTERM to `onTerminate`, run on the event loop (a pipe written by the signal handler
// and watched by a socket notifier; the signal handler itself calls nothing else). Call once,
// after the QCoreApplication exists. False when the pipe or the handler cannot be set up.
bool installTerminationHandler(std::function<void()> onTerminate);

} // namespace tv
