#pragma once

#include "app/Modes.h"
#include "core/forms/Forms.h"

#include <QMainWindow>

class QAction;
class QMdiArea;
class QToolBar;

namespace tv {

// The main frame: opens the data files, carries the mode toolbar (right edge) and the menus,
// and ends the program. Mode windows are its MDI children, shown maximised.
class Main : public QMainWindow, public FormEvents
{
    Q_OBJECT
public:
    Main();
    QString formName() const override { return QStringLiteral("Main"); }

    // Runs MDIForm_Load.
    void Form_Load() override;
    void MDIForm_Load();

    // Captions of toolbar buttons 1, 3, 5, 7, 9, of the modes' menu items and of mnuUpdate by
    // the current Language.
    void SetModeCaptions();
    void Form_LanguageChanged() override { SetModeCaptions(); }

    // Unloads every loaded window whose name differs from sFormName, in creation order; an
    // empty name unloads all of them, the frame included.
    void UnloadAllForms(const QString& sFormName);

    // The mode switch: compares the caption with those of the current language.
    void toolMain_ButtonClick(const QString& caption);
    // Clicks toolbar button `index` (1-based; even numbers are separators and do nothing).
    void clickToolButton(int index);
    // Caption of toolbar button `index` (1-based), empty for a separator.
    QString toolButtonCaption(int index) const;

    void mnuabout_Click();
    void mnuUpdate_Click();

    // Another copy of the program asked this one to end (SIGTERM): the main frame closes as if
    // the user had closed it, so every window saves what it keeps. Before the main frame exists
    // the program simply ends.
    static void TerminationRequested();

    QToolBar* toolMain = nullptr;
    QMdiArea* mdiArea = nullptr;
    QAction* mnuabout = nullptr;
    // The plan mode's menu items (see app/Modes.cpp).
    QAction* mnuExport = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuLuftEin = nullptr;
    QAction* mnuUpdate = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void MDIForm_QueryUnload();
    // Shows the menu items of the mode whose window is `active`, hides the others'.
    void offerModeMenus(QWidget* active);
    QAction* modeMenuItem(const QString& name) const;

    std::vector<ModeEntry> modes_;
    // One per mode, in the order of modes_.
    std::vector<QAction*> modeButtons_;
    // The menu items of modes_[i] are modeMenus_[i].
    std::vector<std::vector<QAction*>> modeMenus_;

    // The program is ending (data file missing, shutdown or update): nothing more is shown.
    bool ended_ = false;
};

} // namespace tv
