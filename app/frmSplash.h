#pragma once

#include "core/forms/Forms.h"
#include "core/forms/VbTimer.h"

#include <QWidget>

class QFrame;
class QLabel;

namespace tv {

// The start-up window. Its load reads the core settings files into the global state and runs
// the update check; the first tick of its timer (2000 ms, never before the load has ended)
// unloads it and loads the main frame.
class frmSplash : public QWidget, public FormEvents
{
    Q_OBJECT
public:
    frmSplash();
    QString formName() const override { return QStringLiteral("frmSplash"); }

    void Form_Load() override;
    void Form_Unload() override;

    // Sets UpdateAvailable and shows or hides lblUpdate.
    void CheckForUpdate();
    // Hands over to the main frame.
    void Timer1_Timer();

    QFrame* Frame1 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblCompanyProduct = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblUpdate = nullptr;
    QLabel* lblVersion = nullptr;
    VbTimer* Timer1 = nullptr;

private:
    // The timer may tick while the update check waits for the server; that tick is kept and
    // handled once the load has returned.
    bool loading_ = false;
    bool tickPending_ = false;
    bool handedOver_ = false;
};

} // namespace tv
