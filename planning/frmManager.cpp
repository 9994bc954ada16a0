#include "planning/frmManager.h"

namespace tv {

frmManager::frmManager()
{
    setWindowTitle(QStringLiteral("Wegpunkt Manager"));
    resize(480, 360);
}

} // namespace tv
