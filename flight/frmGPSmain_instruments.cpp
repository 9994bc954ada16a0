// The flight window's course instrument: compass card, VOR pointer, HSI, the entry of the VOR
// name and of the course, and the lookup of the VOR in the waypoint table. The arithmetic and
// the drawing are in Instruments.h; these members read and write the controls.

#include "flight/frmGPSmain.h"

#include "core/GeoMath.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "flight/Instruments.h"
#include "map/DrawSurface.h"
#include "map/NumberText.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include <exception>
#include <limits>

namespace tv {

namespace {

constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;

// A control's own visible flag, as the window sets it (independent of whether the window is
// on the screen).
bool shown(const QWidget* control)
{
    return control != nullptr && !control->isHidden();
}

void setShown(QWidget* control, bool visible)
{
    if (control != nullptr)
        control->setVisible(visible);
}

// The GPS track as the track display shows it; empty while it shows "---".
std::optional<double> shownTrack(const GpsFix& fix)
{
    if (!fix.trackDegTrue)
        return std::nullopt;
    return shownTrackDeg(fix);
}

const QImage& compassCard(frmGPSmain& w)
{
    if (w.Picture1.isNull())
        w.Picture1 = makeCompassCard();
    return w.Picture1;
}

void refreshFace(frmGPSmain& w)
{
    if (w.Kurskreisel != nullptr)
        w.Kurskreisel->Refresh();
}

} // namespace

void frmGPSmain::ShowInstrument(float angle)
{
    if (Kurskreisel == nullptr)
        return;
    try {
        DrawSurface& face = Kurskreisel->surface();
        const QImage& card = compassCard(*this);
        clearInstrumentFace(face, card);
        face.RotatePicture(0, 0, angle, card);
        switch (nav_.instrument.mode) {
        case InstrumentMode::Kurs:
            setShown(lblVOR1, false);
            setShown(lbldistVOR, false);
            setShown(frmKurs, false);
            setShown(frmVOR, false);
            DrawAircraftSymbol();
            break;
        case InstrumentMode::Vor:
            setShown(lblVOR1, true);
            setShown(lbldistVOR, true);
            LookupVOR();
            // Without a station there is nothing to point to: no needle rather than one
            // pointing to true north as if a station lay there.
            if (vorStationChosen())
                DrawVORPointer(kInstrumentCyan);
            break;
        case InstrumentMode::Hsi:
            setShown(lblVOR1, true);
            setShown(lbldistVOR, true);
            setShown(frmVOR, false);
            LookupVOR();
            // The selected course stays; what needs a station (needle, TO/FROM flag,
            // deviation bar) is left out without one.
            if (vorStationChosen())
                DrawVORPointer(kInstrumentCyan);
            DrawCourseArrow(angle);
            break;
        }
    } catch (const std::exception&) {
        // A drawing that fails leaves the instrument as far as it got.
    }
    refreshFace(*this);
}

void frmGPSmain::DrawAircraftSymbol()
{
    if (Kurskreisel != nullptr)
        drawAircraftSymbol(Kurskreisel->surface());
}

bool frmGPSmain::vorStationChosen() const
{
    return nav_.instrument.vorStationKnown && !nav_.instrument.vorName.isEmpty();
}

void frmGPSmain::DrawVORPointer(uint32_t colour)
{
    if (Kurskreisel == nullptr)
        return;
    drawVorPointer(Kurskreisel->surface(), shownTrack(nav_.fix()), nav_.instrument.vorBearing,
                   colour, nav_.instrument.mode == InstrumentMode::Hsi);
}

void frmGPSmain::DrawCourseArrow(float angle)
{
    if (Kurskreisel == nullptr || shown(frmKurs))
        return;
    const std::optional<double> course = selectedCourse(nav_.instrument.course);
    if (!course)
        return;
    drawCourseArrow(Kurskreisel->surface(), *course, angle,
                    vorStationChosen() ? nav_.instrument.vorBearing
                                       : std::numeric_limits<double>::quiet_NaN());
}

void frmGPSmain::LookupVOR()
{
    try {
        if (!routepointsRS || routepointsRS->State() != Recordset::kStateOpen || !nav_.hasFix())
            return;
        InstrumentState& state = nav_.instrument;
        if (state.vorName.isEmpty()) {
            state.vorStationKnown = false;
            return;
        }
        // The report flag is set before the box opens: track reports arriving while it is
        // open do not open another one.
        const VorLookupResult found = lookupSelectedVor(MainConnection.get(), state.vorName, state);
        state.vorStationKnown = found.waypoint.has_value();
        if (found.reportMissing)
            MsgBox(QStringLiteral("Error"), QString(), MsgButtons::Ok, this);
        if (!found.waypoint)
            return;
        const GeoPos own = nav_.aircraft();
        const std::optional<VorNav> toVor = calcNavToVor(DDMMToDegrees(found.waypoint->latDDMM),
                                                         DDMMToDegrees(found.waypoint->longDDMM),
                                                         own.latDeg, own.lonDeg, state.vorBearing);
        if (!toVor)
            return;
        state.vorDistanceNm = toVor->distanceNm;
        state.vorBearing = toVor->bearingDeg;
        lbldistVOR->setText(vorDistanceText(toVor->distanceNm));
    } catch (const std::exception&) {
        // The instrument keeps its last values.
    }
}

void frmGPSmain::Kurskreisel_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/)
{
    try {
        const InstrumentMode mode = nav_.instrument.mode;
        if (Button == 1) {
            nav_.instrument.mode = nextInstrumentMode(mode);
            // With a track the next track report redraws.
            if (!nav_.fix().trackDegTrue)
                ShowInstrument(0.0f);
        } else if (Button == 2) {
            if (mode == InstrumentMode::Vor && frmVOR != nullptr) {
                frmVOR->setVisible(true);
                frmVOR->raise();
                if (tVOR1 != nullptr)
                    tVOR1->setFocus();
            } else if (mode == InstrumentMode::Hsi && frmKurs != nullptr) {
                frmKurs->setVisible(true);
                frmKurs->raise();
                if (Label3 != nullptr)
                    Label3->setText(Language == 0 ? QStringLiteral("Kurs")
                                                  : QStringLiteral("Course"));
                if (tKurs != nullptr) {
                    tKurs->clear();
                    tKurs->setFocus();
                }
            }
        }
    } catch (const std::exception&) {
    }
}

void frmGPSmain::tKurs_KeyUp(int KeyCode, int /*Shift*/)
{
    if (tKurs == nullptr)
        return;
    try {
        if (KeyCode == kKeyEscape) {
            tKurs->clear();
            setShown(frmKurs, false);
        }
        if (tKurs->text().size() > 3) {
            setShown(frmKurs, true);
            tKurs->clear();
        }
        if (KeyCode == kKeyEnter) {
            setShown(frmKurs, false);
            nav_.instrument.course = tKurs->text();
            if (!nav_.hasFix() && Kurskreisel != nullptr) {
                // Without a fix no track report follows: draw the new course now, on the card
                // standing north up.
                clearInstrumentFace(Kurskreisel->surface(), compassCard(*this));
                DrawCourseArrow(0.0f);
            }
            DrawVORPointer(kInstrumentCyan);
            refreshFace(*this);
        }
        const double value = leadingNumber(tKurs->text());
        if (value > 360.0 || value < 0.0)
            tKurs->clear();
    } catch (const std::exception&) {
    }
}

void frmGPSmain::tKurs_DblClick()
{
    if (tKurs != nullptr)
        tKurs->clear();
}

void frmGPSmain::tVOR1_KeyUp(int KeyCode, int /*Shift*/)
{
    if (tVOR1 == nullptr)
        return;
    try {
        if (KeyCode == kKeyEscape) {
            setShown(frmVOR, false);
            return;
        }
        if (KeyCode == kKeyEnter && tVOR1->text().isEmpty()) {
            setShown(frmVOR, false);
            return;
        }
        if (!MainConnection || !MainConnection->IsOpen())
            return;
        const std::optional<QString> match = firstWaypointNameFrom(*MainConnection, tVOR1->text());
        if (lblResult != nullptr)
            lblResult->setText(match.value_or(QString()));
        if (KeyCode == kKeyEnter) {
            setShown(frmVOR, false);
            // Enter with nothing found keeps the VOR chosen before.
            if (match) {
                nav_.instrument.vorName = *match;
                lblVOR1->setText(*match);
            }
            tVOR1->clear();
        }
    } catch (const std::exception&) {
        // An unreadable waypoint table finds nothing.
    }
}

void frmGPSmain::tVOR1_DblClick()
{
    if (tVOR1 != nullptr)
        tVOR1->clear();
}

} // namespace tv
