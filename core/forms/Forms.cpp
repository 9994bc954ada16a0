#include "core/forms/Forms.h"

#include "core/HandlerGuard.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace tv {

FormRegistry& forms()
{
    static FormRegistry registry;
    return registry;
}

void typeWithoutCompletion(QWidget* window)
{
    if (!window)
        return;
    for (QComboBox* box : window->findChildren<QComboBox*>())
        if (box->isEditable())
            box->setCompleter(nullptr);
}

DialogForm::DialogForm(QWidget* parent) : QDialog(parent)
{
    setModal(true);
}

void DialogForm::done(int r)
{
    if (!unloading_) {
        unloading_ = true;
        Form_Unload();
    }
    QDialog::done(r);
}

void DialogForm::closeEvent(QCloseEvent* e)
{
    if (!unloading_) {
        unloading_ = true;
        Form_Unload();
    }
    QDialog::closeEvent(e);
}

void FormRegistry::add(std::type_index type, QWidget* widget, FormEvents* events)
{
    entries_.push_back(Entry{type, widget, events});
}

QWidget* FormRegistry::findWidget(std::type_index type) const
{
    for (const Entry& e : entries_)
        if (e.type == type && e.widget)
            return e.widget;
    return nullptr;
}

const FormRegistry::Entry* FormRegistry::entryOf(const QWidget* widget) const
{
    for (const Entry& e : entries_)
        if (e.widget == widget)
            return &e;
    return nullptr;
}

void FormRegistry::setMdiArea(QMdiArea* area)
{
    mdi_ = area;
    if (area)
        QObject::connect(area, &QMdiArea::subWindowActivated, area,
                         [this](QMdiSubWindow* w) { onSubWindowActivated(w); });
}

void FormRegistry::onSubWindowActivated(QMdiSubWindow* window)
{
    QWidget* now = window ? window->widget() : nullptr;
    if (now == activeChild_)
        return;
    QWidget* before = activeChild_;
    activeChild_ = now;
    if (before)
        if (const Entry* e = entryOf(before))
            guarded([e] { e->events->Form_Deactivate(); });
    if (now)
        if (const Entry* e = entryOf(now))
            guarded([e] { e->events->Form_Activate(); });
    if (observer_)
        observer_(activeChild_);
}

void FormRegistry::languageChanged()
{
    std::vector<FormEvents*> order;
    for (const Entry& e : entries_)
        if (e.widget)
            order.push_back(e.events);
    for (FormEvents* events : order)
        events->Form_LanguageChanged();
}

void FormRegistry::showMaximized(MdiForm& form)
{
    if (!mdi_) {
        form.showMaximized();
        return;
    }
    QMdiSubWindow* sub = nullptr;
    for (QMdiSubWindow* s : mdi_->subWindowList())
        if (s->widget() == &form)
            sub = s;
    if (!sub) {
        sub = mdi_->addSubWindow(&form);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->setWindowFlags(Qt::FramelessWindowHint);
    }
    sub->showMaximized();
    mdi_->setActiveSubWindow(sub);
    // An MDI area that is not visible yet reports no activation; do it ourselves so the window
    // sees its Form_Activate either way.
    if (activeChild_ != &form)
        onSubWindowActivated(sub);
}

int FormRegistry::showModal(DialogForm& dialog)
{
    int result = 0;
    if (modalHook_) {
        result = modalHook_(dialog);
    } else {
        result = dialog.exec();
    }
    unload(&dialog);
    return result;
}

void FormRegistry::registerDialog(const QString& name, DialogFactory factory)
{
    for (auto& [known, make] : dialogs_)
        if (known == name) {
            make = std::move(factory);
            return;
        }
    dialogs_.emplace_back(name, std::move(factory));
}

int FormRegistry::showModal(const QString& name)
{
    for (const auto& [known, make] : dialogs_)
        if (known == name && make)
            return showModal(make());
    qWarning("Tramvik GPS: no dialog %s is registered", qUtf8Printable(name));
    return -1;
}

void FormRegistry::forget(QWidget* form)
{
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [form](const Entry& e) { return e.widget == form || !e.widget; }),
                   entries_.end());
    if (activeChild_ == form)
        activeChild_ = nullptr;
}

void FormRegistry::unload(QWidget* form)
{
    const Entry* e = entryOf(form);
    if (!e)
        return;
    FormEvents* events = e->events;
    forget(form);
    if (auto* dlg = dynamic_cast<DialogForm*>(form)) {
        if (dlg->isVisible())
            dlg->done(QDialog::Rejected);
        else
            dlg->done(dlg->result()); // runs Form_Unload once
    } else {
        events->Form_Unload();
    }
    if (mdi_) {
        for (QMdiSubWindow* s : mdi_->subWindowList())
            if (s->widget() == form) {
                s->setWidget(nullptr);
                s->deleteLater();
            }
    }
    form->hide();
    form->deleteLater();
}

void FormRegistry::unloadAll(const QString& except)
{
    std::vector<QWidget*> order;
    for (const Entry& e : entries_)
        if (e.widget && (except.isEmpty() || e.events->formName() != except))
            order.push_back(e.widget);
    for (QWidget* w : order)
        unload(w);
}

QStringList FormRegistry::loadedNames() const
{
    QStringList names;
    for (const Entry& e : entries_)
        if (e.widget)
            names << e.events->formName();
    return names;
}

} // namespace tv
