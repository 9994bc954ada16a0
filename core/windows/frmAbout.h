#pragma once

#include "core/forms/Forms.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace tv {

class ClickLabel;

// The about window: version, release history and the two web links.
class frmAbout : public DialogForm
{
    Q_OBJECT
public:
    frmAbout();
    QString formName() const override { return QStringLiteral("frmAbout"); }

    void Form_Load() override;

    void cmdOK_Click();
    void Label1_Click();
    void Label2_Click();
    // Hover highlight of the link labels; Form_MouseMove takes it away again.
    void Label1_MouseMove();
    void Label2_MouseMove();
    void Form_MouseMove();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    ClickLabel* Label1 = nullptr;
    ClickLabel* Label2 = nullptr;
    QListWidget* listUpdate = nullptr;
    QFrame* Line1[2] = {nullptr, nullptr};
    QPushButton* cmdOK = nullptr;
};

} // namespace tv
