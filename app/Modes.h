#pragma once

// The modes of the program as the main frame offers them: one toolbar button each, in this
// order, and the menu items a mode adds to the menu bar while its window is active. The frame
// knows the modes only through this list; the mode windows know nothing of the frame.

#include <QString>

#include <functional>
#include <vector>

namespace tv {

struct ModeMenuItem
{
    QString name;    // object name of the menu item ("mnuExport")
    QString german;  // caption when Language is 0
    QString english; // caption otherwise
    std::function<void()> onClick;
};

struct ModeEntry
{
    // Toolbar caption by Language; blanks are part of the caption and of the comparison in the
    // mode switch ("  Map  Data  ").
    QString german;
    QString english;
    int icon = 0;     // picture of the button (modeIcon in core/windows/WindowLook.h)
    QString formName; // the mode's window, whose activation offers menuItems
    // Brings the mode's window to the front.
    std::function<void()> show;
    // Runs before another mode's window is shown (the flight window skips the next layout).
    std::function<void()> beforeOtherModeShown;
    // Offered in the menu bar while the mode's window is the active one.
    std::vector<ModeMenuItem> menuItems;

    QString caption(int language) const { return language == 0 ? german : english; }
};

// Registers the dialogs that core windows open by name (FormRegistry::showModal(name)): the
// category manager, the track manager, the airport import. Repeating it changes nothing.
void registerModeDialogs();

// Flight, plan, settings, map data, flight plan: toolbar buttons 1, 3, 5, 7, 9.
std::vector<ModeEntry> programModes();

} // namespace tv
