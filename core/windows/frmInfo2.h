#pragma once

#include "core/windows/frmInfo.h"

namespace tv {

// Notice: print support is missing (shown by the flight-plan window when its preview fails).
class frmInfo2 : public NoticeWindow
{
    Q_OBJECT
public:
    frmInfo2();
    QString formName() const override { return QStringLiteral("frmInfo2"); }
    void Form_Load() override;
    // The address the link caption shows: setup-d.exe in German, setup-e.exe otherwise.
    QUrl linkTarget() const override;
};

} // namespace tv
