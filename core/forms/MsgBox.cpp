#include "core/forms/MsgBox.h"

#include <QMessageBox>

namespace tv {
namespace {
MsgHook& hook()
{
    static MsgHook h;
    return h;
}
} // namespace

void setMsgBoxHook(MsgHook h)
{
    hook() = std::move(h);
}

MsgResult MsgBox(const QString& text, const QString& title, MsgButtons buttons, QWidget* parent)
{
    if (hook())
        return hook()(MsgRecord{text, title, buttons});
    QMessageBox box(parent);
    box.setText(text);
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("Tramvik GPS") : title);
    if (buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgResult::Ok;
}

} // namespace tv
