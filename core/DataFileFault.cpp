#include "core/DataFileFault.h"

namespace tv {

std::string dataFaultText(DataFault fault, const std::string& file, int language)
{
    const bool de = language == 0;
    const std::string f = file.empty() ? std::string(de ? "der Datendatei" : "the data file")
                                       : (de ? "der Datei " : "the file ") + file;
    const std::string F = file.empty() ? std::string(de ? "Die Datendatei" : "The data file")
                                       : (de ? "Die Datei " : "The file ") + file;
    switch (fault) {
    case DataFault::Locked:
        return de ? F + " wird von einem anderen Programm gesperrt."
                  : F + " is locked by another program.";
    case DataFault::NoPermission:
        return de ? F + " oder ihr Ordner ist schreibgeschützt (keine Berechtigung)."
                  : F + " or its folder is read-only (no permission).";
    case DataFault::DiskFull:
        return de ? "Der Datenträger " + f + " ist voll." : "The disk of " + f + " is full.";
    case DataFault::DiskError:
        return de ? "Der Datenträger " + f + " meldet einen Fehler."
                  : "The disk of " + f + " reported an error.";
    case DataFault::Missing:
        return de ? F + " fehlt oder wurde ersetzt." : F + " is missing or was replaced.";
    case DataFault::Damaged:
        return de ? F + " ist beschädigt." : F + " is damaged.";
    case DataFault::OutOfMemory:
        return de ? "Der Arbeitsspeicher reicht für " + f + " nicht aus."
                  : "There is not enough memory for " + f + ".";
    case DataFault::None:
        break;
    }
    return de ? F + " meldet einen Fehler." : F + " reported an error.";
}

std::string dataFaultText(const DbError& error, int language)
{
    return dataFaultText(error.fault(), error.file(), language);
}

std::string readOnlyAtStartText(const std::string& file, int language)
{
    return dataFaultText(DataFault::NoPermission, file, language) +
           (language == 0 ? "\n\nIhre Daten werden gezeigt, aber keine Änderung kann gespeichert "
                            "werden, bis die Datei wieder beschrieben werden darf."
                          : "\n\nIts data are shown, but no change can be stored until the file "
                            "may be written again.");
}

std::optional<std::string> DataFaultOnce::failed(const DbError& error, int language)
{
    if (told_ == error.fault())
        return std::nullopt;
    told_ = error.fault();
    return dataFaultText(error, language);
}

} // namespace tv
