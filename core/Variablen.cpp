#include "core/Variablen.h"

#include "core/UnsavedFile.h"

namespace tv {

std::shared_ptr<Connection> MainConnection;
std::shared_ptr<Connection> TrackConnection;
std::shared_ptr<Connection> AirspaceConnection;
std::shared_ptr<Connection> AirportConnection;

bool UpdateAvailable = false;
int16_t Language = 0;
int16_t PlaneSymbol = 0;
bool TrackLoggerOn = false;
int32_t TrackInterval = 0;
bool TrackAutoOn = false;
bool TrackPaused = false;
Date AirspaceReleaseDate{};
int16_t QNH = 0;
Date QNHDate{};
bool AptDataAvailable = false;
bool TrackFileMissing = false;
bool AirspaceDataMissing = false;

void resetGlobalsForTesting()
{
    forgetUnsavedNoticesForTesting();
    MainConnection.reset();
    TrackConnection.reset();
    AirspaceConnection.reset();
    AirportConnection.reset();
    UpdateAvailable = false;
    Language = 0;
    PlaneSymbol = 0;
    TrackLoggerOn = false;
    TrackInterval = 0;
    TrackAutoOn = false;
    TrackPaused = false;
    AirspaceReleaseDate = Date{};
    QNH = 0;
    QNHDate = Date{};
    AptDataAvailable = false;
    TrackFileMissing = false;
    AirspaceDataMissing = false;
}

} // namespace tv
