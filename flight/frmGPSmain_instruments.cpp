// The flight window's course instrument: compass card, VOR pointer, HSI, the entry of the VOR
// name and of the course. The instrument's state and the lookup of its station are
// FlightNavigation's, the drawing is Instruments.h; these members show them.

#include "flight/frmGPSmain.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "flight/FlightKeys.h"
#include "map/NumberText.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace tv {

const QImage& frmGPSmain::compassCard()
{
    if (Picture1.isNull())
        Picture1 = makeCompassCard();
    return Picture1;
}

void frmGPSmain::ShowInstrument(float angle)
{
    const InstrumentMode mode = nav_.instrument().mode;
    DrawSurface& face = Kurskreisel->surface();
    // A drawing that fails leaves the instrument as far as it got.
    guarded([&] {
        clearInstrumentFace(face, compassCard());
        face.RotatePicture(0, 0, angle, compassCard());
    });
    lblVOR1->setVisible(mode != InstrumentMode::Kurs);
    lbldistVOR->setVisible(mode != InstrumentMode::Kurs);
    if (mode == InstrumentMode::Kurs)
        frmKurs->hide();
    if (mode != InstrumentMode::Vor)
        frmVOR->hide();
    if (mode != InstrumentMode::Kurs)
        LookupVOR();
    guarded([&] {
        drawInstrumentOverlay(face, nav_.instrument(), angle, shownTrack(nav_.fix()),
                              !frmKurs->isHidden());
    });
    Kurskreisel->Refresh();
}

void frmGPSmain::LookupVOR()
{
    // The report flag is set before the box opens: track reports arriving while it is open do
    // not open another one.
    const FlightNavigation::StationLookup found = nav_.lookUpStation(MainConnection.get());
    if (found.reportMissing)
        MsgBox(QStringLiteral("Error"), QString(), MsgButtons::Ok, this);
    if (found.distanceText)
        lbldistVOR->setText(*found.distanceText);
}

void frmGPSmain::Kurskreisel_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/)
{
    const InstrumentMode mode = nav_.instrument().mode;
    if (Button == 1) {
        nav_.chooseInstrumentMode(nextInstrumentMode(mode));
        // With a track the next track report redraws.
        if (!nav_.fix().trackDegTrue)
            ShowInstrument(0.0f);
    } else if (Button == 2 && mode == InstrumentMode::Vor) {
        frmVOR->show();
        frmVOR->raise();
        tVOR1->setFocus();
    } else if (Button == 2 && mode == InstrumentMode::Hsi) {
        frmKurs->show();
        frmKurs->raise();
        Label3->setText(Language == 0 ? QStringLiteral("Kurs") : QStringLiteral("Course"));
        tKurs->clear();
        tKurs->setFocus();
    }
}

void frmGPSmain::tKurs_KeyUp(int KeyCode, int /*Shift*/)
{
    if (KeyCode == kKeyEscape) {
        tKurs->clear();
        frmKurs->hide();
    }
    if (tKurs->text().size() > 3) {
        frmKurs->show();
        tKurs->clear();
    }
    if (KeyCode == kKeyEnter) {
        frmKurs->hide();
        nav_.chooseCourse(tKurs->text());
        DrawSurface& face = Kurskreisel->surface();
        if (!nav_.hasFix()) {
            // Without a fix no track report follows: draw the new course now, on the card
            // standing north up.
            clearInstrumentFace(face, compassCard());
            drawSelectedCourse(face, nav_.instrument(), 0.0f, false);
        }
        drawStationNeedle(face, nav_.instrument(), shownTrack(nav_.fix()), kInstrumentCyan);
        Kurskreisel->Refresh();
    }
    const double value = leadingNumber(tKurs->text());
    if (value > 360.0 || value < 0.0)
        tKurs->clear();
}

void frmGPSmain::tVOR1_KeyUp(int KeyCode, int /*Shift*/)
{
    if (KeyCode == kKeyEscape) {
        frmVOR->hide();
        return;
    }
    if (KeyCode == kKeyEnter && tVOR1->text().isEmpty()) {
        frmVOR->hide();
        return;
    }
    if (!MainConnection || !MainConnection->IsOpen())
        return;
    // An unreadable waypoint table ends the search here: the entry stays open as it is.
    const std::optional<QString> match = firstWaypointNameFrom(*MainConnection, tVOR1->text());
    lblResult->setText(match.value_or(QString()));
    if (KeyCode == kKeyEnter) {
        frmVOR->hide();
        // Enter with nothing found keeps the VOR chosen before.
        if (match) {
            nav_.chooseStation(*match);
            lblVOR1->setText(*match);
        }
        tVOR1->clear();
    }
}

} // namespace tv
