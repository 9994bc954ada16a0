#include "tracks/frmTrack.h"

namespace tv {

frmTrack::frmTrack()
{
    setWindowTitle(QStringLiteral("Track Manager"));
    resize(480, 360);
}

} // namespace tv
