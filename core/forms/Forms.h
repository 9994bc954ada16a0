#pragma once

// The window model of the program: every window is one global instance created the first time
// anything touches it (forms().get<frmX>()), kept in creation order until it is unloaded.
// Mode windows are children of the main frame's MDI area shown maximised; switching between
// them is what activates and deactivates them (never application focus changes).

#include <QDialog>
#include <QMdiArea>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <typeindex>
#include <utility>
#include <vector>

class QMdiSubWindow;

namespace tv {

// Editable combo boxes of `window` take what is typed as typed: Qt would complete a typed "2"
// to "20" from the list. The registry does this for every window it creates, after its
// Form_Load.
void typeWithoutCompletion(QWidget* window);

// Lifecycle hooks shared by windows and dialogs. Each window overrides what it handles.
class FormEvents
{
public:
    virtual ~FormEvents() = default;
    // Runs once, right after the registry created the window.
    virtual void Form_Load() {}
    // The window became / stopped being the active MDI child (child windows only).
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    // Runs when the window is unloaded (closed through the registry or its close box).
    virtual void Form_Unload() {}
    // The program's Language changed: captions that depend on it are set again.
    virtual void Form_LanguageChanged() {}
    // The window's name as the program knows it ("frmSettings").
    virtual QString formName() const = 0;
};

// A mode window: lives in the main frame's MDI area.
class MdiForm : public QWidget, public FormEvents
{
    Q_OBJECT
public:
    explicit MdiForm(QWidget* parent = nullptr) : QWidget(parent) {}
};

// A modal dialog (about, notices, managers). Shown with showModal(); closing runs Form_Unload.
class DialogForm : public QDialog, public FormEvents
{
    Q_OBJECT
public:
    explicit DialogForm(QWidget* parent = nullptr);
    void done(int r) override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    bool unloading_ = false;
};

class FormRegistry
{
public:
    // The window of type T, created (and its Form_Load run) when it does not exist yet.
    template <class T> T& get()
    {
        if (T* existing = find<T>())
            return *existing;
        T* form = new T();
        add(std::type_index(typeid(T)), form, form);
        form->Form_Load();
        typeWithoutCompletion(form);
        return *form;
    }

    // The window of type T when it is loaded, else nullptr. Never creates.
    template <class T> T* find() const
    {
        QWidget* w = findWidget(std::type_index(typeid(T)));
        return w ? static_cast<T*>(w) : nullptr;
    }

    // Where mode windows are shown; set by the main frame.
    void setMdiArea(QMdiArea* area);
    QMdiArea* mdiArea() const { return mdi_; }

    // Shows a mode window in the MDI area, maximised, and makes it the active child.
    void showMaximized(MdiForm& form);

    // Shows a dialog modally; returns its result. Goes through the modal hook (see below).
    int showModal(DialogForm& dialog);

    // Dialogs that a window opens by name, without depending on the folder that holds them
    // (the settings window opens the track manager). The shell registers them at start.
    using DialogFactory = std::function<DialogForm&()>;
    void registerDialog(const QString& name, DialogFactory factory);
    // Shows the named dialog modally as showModal(DialogForm&) does. -1 (and a warning in the
    // log) when no dialog of that name is registered.
    int showModal(const QString& name);

    // Unloads one window: Form_Unload runs, the window is destroyed and forgotten; the next
    // get<T>() creates a fresh one.
    void unload(QWidget* form);

    // Unloads every loaded window whose name differs from `except`, in creation order; an empty
    // name unloads all of them, the main frame included.
    void unloadAll(const QString& except);

    // Tells every loaded window that the program's Language changed, in creation order.
    void languageChanged();

    // Called after each change of the active mode window (nullptr: none is active), once its
    // Form_Activate has run. The main frame offers the menu items of the active mode with it.
    using ActivationObserver = std::function<void(QWidget* active)>;
    void setActivationObserver(ActivationObserver observer) { observer_ = std::move(observer); }
    QWidget* activeChild() const { return activeChild_; }

    // Names of the loaded windows in creation order (for tests).
    QStringList loadedNames() const;

    // Test hook: replaces QDialog::exec for modal dialogs. The hook gets the dialog after its
    // Form_Load and returns the dialog result; the dialog is unloaded afterwards as after exec.
    using ModalHook = std::function<int(DialogForm&)>;
    void setModalHook(ModalHook hook) { modalHook_ = std::move(hook); }

    // Called by the framework when a window goes away by itself (close box).
    void forget(QWidget* form);

private:
    struct Entry
    {
        std::type_index type;
        QPointer<QWidget> widget;
        FormEvents* events;
    };
    void add(std::type_index type, QWidget* widget, FormEvents* events);
    QWidget* findWidget(std::type_index type) const;
    const Entry* entryOf(const QWidget* widget) const;
    void onSubWindowActivated(QMdiSubWindow* window);

    std::vector<Entry> entries_;
    QPointer<QMdiArea> mdi_;
    QPointer<QWidget> activeChild_;
    ModalHook modalHook_;
    ActivationObserver observer_;
    std::vector<std::pair<QString, DialogFactory>> dialogs_;
};

// The program's one registry.
FormRegistry& forms();

} // namespace tv
