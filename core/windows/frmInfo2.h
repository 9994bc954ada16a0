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
    // support-d.exe in German, support-e.exe in English, nothing for another language.
    QUrl linkTarget() const override;
};

} // namespace tv
