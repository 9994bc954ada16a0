#include "flightplan/frmFlugPlan.h"

namespace tv {

frmFlugPlan::frmFlugPlan()
{
    setWindowTitle(QStringLiteral("Flugplan"));
}

} // namespace tv
