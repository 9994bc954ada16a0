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

QString caption(const QLabel* label)
{
    return label != nullptr ? label->text() : QString();
}

// The GPS track as lblBearing shows it; empty while it shows "---".
std::optional<double> shownTrack(const QLabel* lblBearing)
{
    const QString text = caption(lblBearing);
    if (text == QLatin1String("---"))
        return std::nullopt;
    return leadingNumber(text);
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
        RotatePicture(face, 0, 0, angle, card);
        switch (instrumentModeFromText(instrumentMode)) {
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

int frmGPSmain::RotatePicture(DrawSurface& hDC, int x, int y, float angle, const QImage& picture)
{
    return hDC.RotatePicture(x, y, angle, picture);
}

void frmGPSmain::DrawAircraftSymbol()
{
    if (Kurskreisel != nullptr)
        drawAircraftSymbol(Kurskreisel->surface());
}

bool frmGPSmain::vorStationChosen() const
{
    return instruments.vorStationKnown && !caption(lblVOR1).isEmpty();
}

void frmGPSmain::DrawVORPointer(uint32_t colour)
{
    if (Kurskreisel == nullptr)
        return;
    drawVorPointer(Kurskreisel->surface(), shownTrack(lblBearing), instruments.vorBearing, colour,
                   instrumentModeFromText(instrumentMode) == InstrumentMode::Hsi);
}

void frmGPSmain::DrawCourseArrow(float angle)
{
    if (Kurskreisel == nullptr || shown(frmKurs))
        return;
    const std::optional<double> course = selectedCourse(caption(lblKurs));
    if (!course)
        return;
    drawCourseArrow(Kurskreisel->surface(), *course, angle,
                    vorStationChosen() ? instruments.vorBearing
                                       : std::numeric_limits<double>::quiet_NaN());
}

void frmGPSmain::CalcNavToVOR(double& vorLat, double& vorLon, double& ownLat, double& ownLon)
{
    const std::optional<VorNav> toVor =
        calcNavToVor(vorLat, vorLon, ownLat, ownLon, instruments.vorBearing);
    // The arguments come back in radians, as callers of this routine have always had them.
    constexpr double kDegToRad = kGeoPi / 180.0;
    vorLat *= kDegToRad;
    vorLon *= kDegToRad;
    ownLat *= kDegToRad;
    ownLon *= kDegToRad;
    if (!toVor)
        return;
    instruments.vorDistanceNm = toVor->distanceNm;
    instruments.vorBearing = toVor->bearingDeg;
    if (lbldistVOR != nullptr)
        lbldistVOR->setText(vorDistanceText(toVor->distanceNm));
}

void frmGPSmain::LookupVOR()
{
    try {
        if (!routepointsRS || routepointsRS->State() != Recordset::kStateOpen)
            return;
        if (!shown(picGPSCheck[1]))
            return;
        const QString name = caption(lblVOR1);
        if (name.isEmpty()) {
            instruments.vorStationKnown = false;
            return;
        }
        // The report flag is set before the box opens: track reports arriving while it is
        // open do not open another one.
        const VorLookupResult found = lookupSelectedVor(MainConnection.get(), name, instruments);
        instruments.vorStationKnown = found.waypoint.has_value();
        if (found.reportMissing)
            MsgBox(QStringLiteral("Error"), QString(), MsgButtons::Ok, this);
        if (!found.waypoint)
            return;
        double vorLat = DDMMToDegrees(found.waypoint->latDDMM);
        double vorLon = DDMMToDegrees(found.waypoint->longDDMM);
        double ownLat = PosLat;
        double ownLon = PosLong;
        CalcNavToVOR(vorLat, vorLon, ownLat, ownLon);
    } catch (const std::exception&) {
        // The instrument keeps its last values.
    }
}

void frmGPSmain::Kurskreisel_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/)
{
    try {
        const InstrumentMode mode = instrumentModeFromText(instrumentMode);
        if (Button == 1) {
            instrumentMode = instrumentModeText(nextInstrumentMode(mode));
            // With a track the next track report redraws.
            if (caption(lblBearing) == QLatin1String("---"))
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
            if (lblKurs != nullptr)
                lblKurs->setText(tKurs->text());
            if (!shown(picGPSCheck[1]) && Kurskreisel != nullptr) {
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
            if (match && lblVOR1 != nullptr)
                lblVOR1->setText(*match);
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
