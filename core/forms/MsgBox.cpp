#include "core/forms/MsgBox.h"

#include "core/DataFileFault.h"
#include "core/UnsavedFile.h"
#include "core/Variablen.h"

#include <QMessageBox>

namespace tv {
namespace {
MsgHook& hook()
{
    static MsgHook h;
    return h;
}
} // namespace

QString withDataFault(const QString& first, const DbError& error)
{
    return first + QStringLiteral("\n\n") + QString::fromStdString(dataFaultText(error, Language));
}

void setMsgBoxHook(MsgHook h)
{
    hook() = std::move(h);
}

MsgResult MsgBox(const QString& text, const QString& title, MsgButtons buttons, QWidget* parent)
{
    if (hook())
        return hook()(MsgRecord{text, title, buttons});
    QMessageBox box(parent);
    // Names in messages come from files and other pilots ("<b>Ulm", "A&B"): shown as typed.
    box.setTextFormat(Qt::PlainText);
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

void reportUnsaved(const std::filesystem::path& file, QWidget* parent)
{
    if (const std::optional<UnsavedNotice> notice = unsavedNotice(file, Language))
        MsgBox(QString::fromStdString(notice->text), QString::fromStdString(notice->title),
               MsgButtons::Ok, parent);
}

} // namespace tv

#include <QInputDialog>
#include <QLineEdit>

namespace tv {
namespace {
InputHook& inputHook()
{
    static InputHook h;
    return h;
}
} // namespace

void setInputBoxHook(InputHook h)
{
    inputHook() = std::move(h);
}

QString InputBox(const QString& prompt, const QString& title, QWidget* parent)
{
    if (inputHook())
        return inputHook()(prompt);
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title.isEmpty() ? QStringLiteral("Tramvik GPS") : title,
                              prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

} // namespace tv
