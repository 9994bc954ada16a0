// The words a pilot reads when a data file fails underneath the program.

#include "core/DataFileFault.h"

#include <gtest/gtest.h>

using tv::DataFault;
using tv::DbError;

TEST(DataFileFaultText, TheMessageNamesTheFileAndTheReasonInTheWindowsLanguage)
{
    const std::string file = "/home/pilot/tramvik/data.tvd";
    struct Case
    {
        DataFault fault;
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {DataFault::Locked,
         "Die Datei /home/pilot/tramvik/data.tvd wird von einem anderen Programm gesperrt.",
         "The file /home/pilot/tramvik/data.tvd is locked by another program."},
        {DataFault::DiskFull, "Der Datenträger der Datei /home/pilot/tramvik/data.tvd ist voll.",
         "The disk of the file /home/pilot/tramvik/data.tvd is full."},
        {DataFault::NoPermission,
         "Die Datei /home/pilot/tramvik/data.tvd oder ihr Ordner ist schreibgeschützt (keine "
         "Berechtigung).",
         "The file /home/pilot/tramvik/data.tvd or its folder is read-only (no permission)."},
        {DataFault::Missing, "Die Datei /home/pilot/tramvik/data.tvd fehlt oder wurde ersetzt.",
         "The file /home/pilot/tramvik/data.tvd is missing or was replaced."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tv::dataFaultText(c.fault, file, 0), c.german);
        EXPECT_EQ(tv::dataFaultText(c.fault, file, 1), c.english);
    }
    // A redraw that fails each second tells its reason once, and again after a good read.
    tv::DataFaultOnce once;
    const DbError held("busy", 5, DataFault::Locked, file);
    EXPECT_TRUE(once.failed(held, 0));
    EXPECT_FALSE(once.failed(held, 0));
    once.succeeded();
    EXPECT_TRUE(once.failed(held, 0));
}
