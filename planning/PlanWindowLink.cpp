#include "planning/PlanWindowLink.h"

namespace tv {

PlanWindowLink& planWindowLink()
{
    static PlanWindowLink link;
    return link;
}

} // namespace tv
