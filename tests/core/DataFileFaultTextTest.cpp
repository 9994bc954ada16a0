// The words a pilot reads when a data file fails underneath the program.

#include "core/DataFileFault.h"

#include <gtest/gtest.h>

using tv::DataFault;
using tv::DbError;

TEST(DataFileFaultText, EveryReasonNamesTheFileAndARepeatedFailureIsToldOnce)
{
    const std::string file = "/home/pilot/tramvik/data.tvd";
    for (const DataFault fault :
         {DataFault::Locked, DataFault::NoPermission, DataFault::DiskFull, DataFault::DiskError,
          DataFault::Missing, DataFault::Damaged, DataFault::OutOfMemory, DataFault::None})
        for (const int language : {0, 1})
            EXPECT_NE(tv::dataFaultText(fault, file, language).find(file), std::string::npos);
    EXPECT_EQ(tv::dataFaultText(DataFault::DiskFull, file, 0),
              "Der Datenträger der Datei /home/pilot/tramvik/data.tvd ist voll.");

    // A redraw that fails each second tells its reason once, and again after a good read.
    tv::DataFaultOnce once;
    const DbError held("busy", 5, DataFault::Locked, file);
    EXPECT_TRUE(once.failed(held, 0));
    EXPECT_FALSE(once.failed(held, 0));
    once.succeeded();
    EXPECT_TRUE(once.failed(held, 0));
}
