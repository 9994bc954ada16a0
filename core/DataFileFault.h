#pragma once

// What the pilot reads when a data file (data.tvd, track.tvd, ...) fails underneath the
// program: the file by its full path and the reason in words the pilot can act on (held by
// another program, disk full, no permission, missing or replaced). A window puts this sentence
// under its own first one ("Die Änderung konnte nicht gespeichert werden."), so the pilot learns
// what failed from the window and why from here.

#include "platform/DbError.h"

#include <optional>
#include <string>

namespace tv {

// "Die Datei /…/data.tvd wird von einem anderen Programm gesperrt." /
// "The file /…/data.tvd is locked by another program." `language` 0 is German, else English.
// An empty `file` is worded as "the data file".
std::string dataFaultText(DataFault fault, const std::string& file, int language);
// The same for a failed operation; an error that is no fault of the file (an SQL text refused)
// says that the file reported an error.
std::string dataFaultText(const DbError& error, int language);

// A file of the program's own that could only be opened for reading, told at start: "<the file
// or its folder is read-only>" + that its data show but nothing can be stored until it may be
// written again.
std::string readOnlyAtStartText(const std::string& file, int language);

// A read that fails again and again (the moving map redraws each second) is told once: the
// first failure of a file with one reason, and again only after a read succeeded or the reason
// changed.
class DataFaultOnce
{
public:
    // The text to show now, or nothing when this fault was told already.
    std::optional<std::string> failed(const DbError& error, int language);
    // A read succeeded: the next failure is told again.
    void succeeded() { told_.reset(); }
    bool failing() const { return told_.has_value(); }

private:
    std::optional<DataFault> told_;
};

} // namespace tv
