#pragma once

#include "core/forms/Forms.h"

namespace tv {

// The track manager: recorded tracks, their points, deletion and GPX export.
class frmTrack : public DialogForm
{
    Q_OBJECT
public:
    frmTrack();
    QString formName() const override { return QStringLiteral("frmTrack"); }
};

} // namespace tv
