// The flight window's controls: how they are made (their designed places and first captions
// are flight/FlightLayout's), and how their events reach the handlers (every handler runs
// inside `guarded`).

#include "flight/frmGPSmain.h"

#include "airspace/AirspacePainter.h"
#include "core/HandlerGuard.h"
#include "core/forms/KeyUp.h"
#include "core/windows/WindowLook.h"
#include "flight/ControlEvents.h"
#include "flight/FlightKeys.h"
#include "flight/FlightLayout.h"
#include "flight/RouteWindow.h"
#include "map/PictureBox.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTimer>

#include <type_traits>

namespace tv {

namespace {

// `control` as the layout designs it: named, placed, captioned (a picture: its plate, and the
// hand over it), in its font, shown or hidden; a frame with a panel border on its own
// background.
template <class W> W* placed(W* control, const char* name)
{
    const FlightControl& design = flightControl(QString::fromLatin1(name));
    const bool picture = design.fill.isValid();
    control->setObjectName(design.name);
    if constexpr (std::is_same_v<W, QLabel>) {
        if (picture) {
            control->setPixmap(QPixmap::fromImage(flightPicture(design)));
            control->setCursor(Qt::PointingHandCursor);
        } else {
            control->setText(design.caption);
        }
    } else if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_base_of_v<QLineEdit, W>) {
        control->setText(design.caption);
    } else if constexpr (std::is_same_v<W, QFrame>) {
        control->setFrameShape(QFrame::StyledPanel);
        control->setAutoFillBackground(true);
    }
    if constexpr (std::is_same_v<W, QLabel> || std::is_same_v<W, QLineEdit>) {
        if (design.align)
            control->setAlignment(design.align);
    }
    if (!design.style.isEmpty())
        control->setStyleSheet(design.style);
    control->setGeometry(design.place);
    if (design.fontPx > 0) {
        QFont font = control->font();
        font.setPixelSize(design.fontPx);
        font.setBold(design.bold);
        control->setFont(font);
    }
    if (design.hidden)
        control->hide();
    else if (picture)
        control->show();
    return control;
}

} // namespace

void frmGPSmain::buildControls()
{
    // --- the map and the strip below it (placed by the first layout)
    picMap = placed(new PictureBox(this, 0xFFC0C0), "picMap");
    picMap->setCursor(Qt::CrossCursor);
    picMap->setMouseTracking(false);
    cmbMaps = placed(new QComboBox(this), "cmbMaps");
    cmbMaps->setEditable(true);
    cmbMaps->setInsertPolicy(QComboBox::NoInsert);
    tNextMap = placed(new QLineEdit(this), "tNextMap");
    tNextMap->setReadOnly(true);
    tNextMap->setMouseTracking(true);
    LblMapNumber = placed(new QLabel(this), "LblMapNumber");
    SlideMap = placed(new QSlider(Qt::Horizontal, this), "SlideMap");
    SlideMap->setRange(MapView::kSliderMin, MapView::kSliderMax);
    SlideMap->setPageStep(0);
    SlideMap->setSingleStep(10);
    SlideMap->setFocusPolicy(Qt::NoFocus);
    cmdMapScroll = placed(new QPushButton(this), "cmdMapScroll");
    PicMapScroll = placed(new QLabel(this), "PicMapScroll");
    cmdKartezentrieren = placed(new QPushButton(this), "cmdKartezentrieren");
    picKartezentrieren = placed(new QLabel(this), "picKartezentrieren");
    cmdGPS = placed(new QPushButton(this), "cmdGPS");
    picGPSCheck[0] = placed(new QLabel(this), "picGPSCheck0");
    picGPSCheck[1] = placed(new QLabel(this), "picGPSCheck1");
    picGPSCheck[2] = placed(new QLabel(this), "picGPSCheck2");

    // --- the layer switches on the map
    frmSet = placed(new QFrame(picMap), "frmSet");
    frmSet->setFrameShape(QFrame::NoFrame);
    picLR3 = placed(new QLabel(frmSet), "picLR3");
    cmdLR2 = placed(new QPushButton(frmSet), "cmdLR2");
    cmdLR1 = placed(new QPushButton(frmSet), "cmdLR1");
    picAPT3 = placed(new QLabel(frmSet), "picAPT3");
    cmdAPT2 = placed(new QPushButton(frmSet), "cmdAPT2");
    cmdAPT1 = placed(new QPushButton(frmSet), "cmdAPT1");
    cmdPR = placed(new QPushButton(frmSet), "cmdPR");
    picPR = placed(new QLabel(frmSet), "picPR");
    cmdshowRoute = placed(new QPushButton(frmSet), "cmdshowRoute");
    picShowRoute = placed(new QLabel(frmSet), "picShowRoute");
    lblRoute = placed(new QLabel(picShowRoute), "lblRoute");
    cmdWayInfo = placed(new QPushButton(frmSet), "cmdWayInfo");
    picWayInfo = placed(new QLabel(frmSet), "picWayInfo");

    // --- on the map: figures, recording, position, status, QNH
    Frame1 = placed(new QFrame(picMap), "Frame1");
    lblTrueBearing = placed(new QLabel(Frame1), "lblTrueBearing");
    lblDistanz = placed(new QLabel(Frame1), "lblDistanz");
    lblTime = placed(new QLabel(Frame1), "lblTime");
    lblRemDist = placed(new QLabel(Frame1), "lblRemDist");
    cmdRecord = placed(new QPushButton(picMap), "cmdRecord");
    cmdRecordAuto = placed(new QPushButton(picMap), "cmdRecordAuto");
    picRecord = placed(new QLabel(picMap), "picRecord");
    lblRecord = placed(new QLabel(picRecord), "lblRecord");
    Frame3 = placed(new QFrame(picMap), "Frame3");
    lblLat = placed(new QLabel(Frame3), "lblLat");
    lblLong = placed(new QLabel(Frame3), "lblLong");
    progBar = placed(new QProgressBar(picMap), "progBar");
    lblStatus = placed(new QLabel(picMap), "lblStatus");
    lblStatus->setAutoFillBackground(true);
    frmQNH = placed(new QFrame(picMap), "frmQNH");
    lblQNH = placed(new QLabel(frmQNH), "lblQNH");
    paintBackground(frmQNH, vbColor(kAirspaceBoxColour));
    paintBackground(lblQNH, vbColor(kAirspaceBoxColour));

    // --- the instrument and the GPS displays in the panel left of the map
    Kurskreisel = placed(new PictureBox(this, 0x000000), "Kurskreisel");
    Kurskreisel->surface().resize(201, 201);
    Kurskreisel->surface().Scale(0, 0, 200, 200);
    frmVOR = placed(new QFrame(Kurskreisel), "frmVOR");
    tVOR1 = placed(new QLineEdit(frmVOR), "tVOR1");
    lblResult = placed(new QLabel(frmVOR), "lblResult");
    frmKurs = placed(new QFrame(Kurskreisel), "frmKurs");
    Label3 = placed(new QLabel(frmKurs), "Label3");
    tKurs = placed(new QLineEdit(frmKurs), "tKurs");
    lblVOR1 = placed(new QLabel(this), "lblVOR1");
    lbldistVOR = placed(new QLabel(this), "lbldistVOR");
    lblSpeed = placed(new QLabel(this), "lblSpeed");
    lblSpeedmode = placed(new QLabel(this), "lblSpeedmode");
    lblBearing = placed(new QLabel(this), "lblBearing");
    placed(new QLabel(this), "lblDegrees");
    lblAlt = placed(new QLabel(this), "lblAlt");
    lblAltmode = placed(new QLabel(this), "lblAltmode");
    for (QLabel* clickable : {lblSpeed, lblAlt, lblTime})
        clickable->setCursor(Qt::PointingHandCursor);

    // --- wind
    frmHDG = placed(new QFrame(this), "frmHDG");
    placed(new QLabel(frmHDG), "lblHDGTitle");
    lblHeading = placed(new QLabel(frmHDG), "lblHeading");
    lblHeading->setAutoFillBackground(true);
    frmIAS = placed(new QFrame(this), "frmIAS");
    placed(new QLabel(frmIAS), "lblIASTitle");
    lblIAS = placed(new QLabel(frmIAS), "lblIAS");
    Frame5 = placed(new QFrame(this), "Frame5");
    placed(new QLabel(Frame5), "lblWindTitle");
    lblWind = placed(new QLabel(Frame5), "lblWind");
    Frame6 = placed(new QFrame(this), "Frame6");
    picWind = placed(new PictureBox(Frame6, 0x404040), "picWind");
    picWind->surface().resize(33, 33);

    // --- route and navigation
    cmbRoute = placed(new QComboBox(this), "cmbRoute");
    tRoute = placed(new QLineEdit(this), "tRoute");
    tRoute->setReadOnly(true);
    cmdShowPoints = placed(new QPushButton(this), "cmdShowPoints");
    picShowPoints = placed(new QLabel(this), "picShowPoints");
    gridWaypoints = placed(new QTableView(this), "gridWaypoints");
    gridWaypoints->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridWaypoints->verticalHeader()->hide();
    cmdActivateGoto = placed(new QPushButton(this), "cmdActivateGoto");
    picActivateGoto = placed(new QLabel(this), "picActivateGoto");
    cmdPrev = placed(new QPushButton(this), "cmdPrev");
    cmdNext = placed(new QPushButton(this), "cmdNext");
    cmdDirectFly = placed(new QPushButton(this), "cmdDirectFly");
    picDF = placed(new QLabel(this), "picDF");
    cmdSet = placed(new QPushButton(this), "cmdSet");
    picSet = placed(new QLabel(this), "picSet");
    lblLatx = placed(new QLabel(this), "lblLatx");
    lblLongx = placed(new QLabel(this), "lblLongx");
    tNextMap->raise();
    picGPSCheck[2]->raise();
}

void frmGPSmain::wireControls()
{
    // Each handler runs inside the guard.
    const auto run = [this](void (frmGPSmain::*handler)()) {
        return [this, handler] { guarded([&] { (this->*handler)(); }); };
    };
    // A button's click, or a press on a picture or label (they have no click signal).
    const std::pair<QWidget*, void (frmGPSmain::*)()> clicks[] = {
        {cmdGPS, &frmGPSmain::cmdGPS_Click},
        {cmdKartezentrieren, &frmGPSmain::cmdKartezentrieren_Click},
        {picKartezentrieren, &frmGPSmain::picKartezentrieren_Click},
        {cmdMapScroll, &frmGPSmain::cmdMapScroll_Click},
        {PicMapScroll, &frmGPSmain::PicMapScroll_Click},
        {tRoute, &frmGPSmain::tRoute_Click},
        {cmdActivateGoto, &frmGPSmain::cmdActivateGoto_Click},
        {picActivateGoto, &frmGPSmain::picActivateGoto_Click},
        {cmdNext, &frmGPSmain::cmdNext_Click},
        {cmdPrev, &frmGPSmain::cmdPrev_Click},
        {cmdDirectFly, &frmGPSmain::cmdDirectFly_Click},
        {picDF, &frmGPSmain::picDF_Click},
        {cmdshowRoute, &frmGPSmain::cmdshowRoute_Click},
        {picShowRoute, &frmGPSmain::picShowRoute_Click},
        {lblRoute, &frmGPSmain::lblRoute_Click},
        {cmdRecord, &frmGPSmain::cmdRecord_Click},
        {picRecord, &frmGPSmain::picRecord_Click},
        {lblRecord, &frmGPSmain::lblRecord_Click},
        {cmdLR1, &frmGPSmain::cmdLR1_Click},
        {cmdLR2, &frmGPSmain::cmdLR2_Click},
        {picLR3, &frmGPSmain::picLR3_Click},
        {cmdAPT1, &frmGPSmain::cmdAPT1_Click},
        {cmdAPT2, &frmGPSmain::cmdAPT2_Click},
        {picAPT3, &frmGPSmain::picAPT3_Click},
        {cmdPR, &frmGPSmain::cmdPR_Click},
        {picPR, &frmGPSmain::picPR_Click},
        {cmdWayInfo, &frmGPSmain::cmdWayInfo_Click},
        {picWayInfo, &frmGPSmain::picWayInfo_Click},
        {cmdShowPoints, &frmGPSmain::cmdShowPoints_Click},
        {picShowPoints, &frmGPSmain::picShowPoints_Click},
        {cmdSet, &frmGPSmain::cmdSet_Click},
        {picSet, &frmGPSmain::picSet_Click},
        {lblSpeed, &frmGPSmain::lblSpeed_Click},
        {lblAlt, &frmGPSmain::lblAlt_Click},
        {lblTime, &frmGPSmain::lblTime_Click}};
    for (const auto& [control, handler] : clicks) {
        if (auto* pushButton = qobject_cast<QPushButton*>(control))
            connect(pushButton, &QPushButton::clicked, this, run(handler));
        else
            onClick(control, run(handler));
    }
    for (int i = 0; i < 3; ++i)
        onClick(picGPSCheck[static_cast<std::size_t>(i)],
                [this, i] { guarded([&] { picGPSCheck_Click(i); }); });

    MSComm1.onComm([this](int16_t event) { guarded([&] { MSComm1_OnComm(event); }); });
    timerCheck.onTick(run(&frmGPSmain::timerCheck_Timer));
    timeTrack.onTick(run(&frmGPSmain::timeTrack_Timer));
    silenceWatch.onTick(run(&frmGPSmain::silenceWatch_Timer));
    const auto mouseAt = [this](void (frmGPSmain::*handler)(int, int, double, double)) {
        return [this, handler](int b, int s, double x, double y) {
            guarded([&] { (this->*handler)(b, s, x, y); });
        };
    };
    picMap->onMouseDown(mouseAt(&frmGPSmain::picMap_MouseDown));
    picMap->onMouseMove(mouseAt(&frmGPSmain::picMap_MouseMove));
    picMap->onMouseUp(mouseAt(&frmGPSmain::picMap_MouseUp));
    Kurskreisel->onMouseDown(mouseAt(&frmGPSmain::Kurskreisel_MouseDown));
    // The combos hand their handlers what the pilot typed or picked.
    connect(cmbMaps, &QComboBox::editTextChanged, this,
            [this](const QString& text) { guarded([&] { cmbMaps_Change(text); }); });
    connect(cmbMaps, &QComboBox::textActivated, this,
            [this](const QString& picked) { guarded([&] { cmbMaps_Click(picked); }); });
    connect(cmbRoute, &QComboBox::activated, this,
            [this](int index) { guarded([&] { cmbRoute_Click(index); }); });
    guarded([&] { setUpRouteGrid(*this); });

    // The zoom follows the slider when the mouse is let go on it (where it is let go sets the
    // value), after the slider has finished with the release itself; the wheel does nothing.
    onEvent(SlideMap, QEvent::MouseButtonRelease, [this](QEvent& event) {
        const auto& mouse = static_cast<QMouseEvent&>(event);
        const int button = PictureBox::vbButton(mouse.button());
        const int shift = PictureBox::vbShift(mouse.modifiers());
        const QPointF twips = flightSliderTwips(mouse.position(), SlideMap->width());
        QTimer::singleShot(0, this, [this, button, shift, twips] {
            guarded([&] { SlideMap_MouseUp(button, shift, twips.x(), twips.y()); });
        });
        return false;
    });
    onEvent(SlideMap, QEvent::Wheel, [](QEvent&) { return true; });
    // These handlers leave the event to the control as well.
    const auto alsoRun = [run](void (frmGPSmain::*handler)()) {
        return [handler = run(handler)](QEvent&) {
            handler();
            return false;
        };
    };
    onEvent(tKurs, QEvent::MouseButtonDblClick, alsoRun(&frmGPSmain::tKurs_DblClick));
    onEvent(tVOR1, QEvent::MouseButtonDblClick, alsoRun(&frmGPSmain::tVOR1_DblClick));
    onEvent(tNextMap, QEvent::MouseMove, alsoRun(&frmGPSmain::tNextMap_MouseMove));
    onEvent(cmbRoute, QEvent::FocusOut, alsoRun(&frmGPSmain::cmbRoute_LostFocus));

    // Keys act when they come up at the control whose press began there (the window itself
    // when nothing in it holds the keyboard): the Enter that closes a message box is not
    // taken for the course or VOR entry beneath it.
    for (QWidget* control : findChildren<QWidget*>() + QList<QWidget*>{this}) {
        onKeyUp(control, [this, control](int key, Qt::KeyboardModifiers modifiers) {
            guarded([&] {
                const int code = vbKeyCode(key, modifiers);
                const int shift = PictureBox::vbShift(modifiers);
                Form_KeyUp(code, shift);
                if (control == tKurs)
                    tKurs_KeyUp(code, shift);
                else if (control == tVOR1)
                    tVOR1_KeyUp(code, shift);
            });
        });
    }
}

void frmGPSmain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    guarded([&] { Form_Resize(); });
}

} // namespace tv
