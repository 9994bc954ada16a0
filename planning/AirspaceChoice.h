#pragma once

// What the airspace display dialog makes of the plan window's two hidden boxes, and what it
// writes back. tLRHoehe: "-99" all airspaces, "-10" none, 0 or more an altitude in feet.
// tPR: "1" traffic circuits shown, "0" not.

#include <optional>
#include <string>
#include <string_view>

namespace tv {

enum class AirspaceOption {
    NoneSelected, // a stored value the dialog does not know: no option button is selected
    All,          // Option1
    Nothing,      // Option2
    AtAltitude,   // Option3
};

struct AirspaceDialogStart
{
    AirspaceOption option = AirspaceOption::NoneSelected;
    // AtAltitude: the stored text, shown unchanged in the altitude box.
    // All: the first list entry is selected instead (the box shows "1000").
    std::string altitudeText;
    bool showCircuits = false;
};

// The dialog's opening state. The altitude is read as a 16-bit whole number (a fraction rounds,
// halves to even); a text that does not convert, or lies outside that range, selects nothing.
// The circuits box is ticked when tPR reads as the number 1.
AirspaceDialogStart airspaceDialogStart(std::string_view tLRHoehe, std::string_view tPR);

// The highest altitude the dialog stores, feet: what the next opening can read back.
inline constexpr int kMaxAirspaceAltitudeFt = 32767;

// tLRHoehe on closing; empty means "leave it unchanged" (no option selected). With AtAltitude
// only a whole number 0 to kMaxAirspaceAltitudeFt (blanks around it ignored) is taken, as typed
// without the blanks; anything else shows no airspaces ("-10").
std::optional<std::string> airspaceFilterOnClose(AirspaceOption option,
                                                 std::string_view altitudeText);

// tPR on closing.
inline std::string circuitsOnClose(bool ticked)
{
    return ticked ? "1" : "0";
}

// The plan map's airspace display as the dialog reads and writes it: the two texts above.
struct AirspaceDisplay
{
    std::string tLRHoehe = "-99";
    std::string tPR = "0";
};

// What the airspace display dialog is given instead of the plan window: the display to read
// when the dialog opens and to write when it closes.
class AirspaceDisplayAccess
{
public:
    virtual ~AirspaceDisplayAccess() = default;
    virtual AirspaceDisplay airspaceDisplay() const = 0;
    virtual void setAirspaceDisplay(const AirspaceDisplay& display) = 0;
};

} // namespace tv
