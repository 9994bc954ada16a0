#pragma once

#include "core/windows/frmInfo.h"

namespace tv {

// Notice: the airspace data file Luftraum.tvd is missing or outdated (shown by the main
// frame's load). In German the first line tells the two apart by AirspaceReleaseDate.
class frmInfo3 : public NoticeWindow
{
    Q_OBJECT
public:
    frmInfo3();
    QString formName() const override { return QStringLiteral("frmInfo3"); }
    void Form_Load() override;
    QUrl linkTarget() const override;
};

} // namespace tv
