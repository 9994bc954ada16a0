#pragma once

#include "core/windows/frmInfo.h"

namespace tv {

// Notice: the track file track.tvd is missing (shown by the main frame's load).
class frmInfo1 : public NoticeWindow
{
    Q_OBJECT
public:
    frmInfo1();
    QString formName() const override { return QStringLiteral("frmInfo1"); }
    void Form_Load() override;
    QUrl linkTarget() const override;
};

} // namespace tv
