#pragma once

#include "core/forms/Forms.h"

#include <QUrl>

class QLabel;
class QPushButton;

namespace tv {

class ClickLabel;

// The common layout of the notice windows: a file is missing and where to download it.
// Label4 first line, Label5 second line, Label2 download caption, Label1 the link (its caption
// shows host and path), Label3 closing line. Enter and Esc close the window.
class NoticeWindow : public DialogForm
{
    Q_OBJECT
public:
    NoticeWindow();

    void cmdOK_Click();
    // Opens the window's download address (nothing when it has none).
    void Label1_Click();
    // Hover colour of the link; Form_MouseMove puts the link colour back.
    void Label1_MouseMove();
    void Form_MouseMove();

    // The address Label1_Click opens.
    virtual QUrl linkTarget() const = 0;

    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    ClickLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* cmdOK = nullptr;
};

// The download address http://<product site><path>, and its caption <product site><path>.
QUrl productDownloadUrl(const QString& path);
QString productDownloadCaption(const QString& path);

} // namespace tv
