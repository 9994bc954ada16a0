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

// `control` named, placed, captioned and shown as the layout designs it.
template <class W> W* placed(W* control, const QString& name)
{
    const FlightControl& design = flightControl(name);
    control->setObjectName(name);
    control->setGeometry(design.place);
    if constexpr (std::is_base_of_v<QLabel, W> || std::is_base_of_v<QAbstractButton, W> ||
                  std::is_base_of_v<QLineEdit, W>)
        control->setText(design.caption);
    if (design.fontPx > 0) {
        QFont font = control->font();
        font.setPixelSize(design.fontPx);
        font.setBold(design.bold);
        control->setFont(font);
    }
    if (design.hidden)
        control->hide();
    return control;
}

QLabel* display(QWidget* parent, const char* name)
{
    return placed(new QLabel(parent), QString::fromLatin1(name));
}

QPushButton* button(QWidget* parent, const char* name)
{
    return placed(new QPushButton(parent), QString::fromLatin1(name));
}

QFrame* frame(QWidget* parent, const char* name)
{
    auto* f = placed(new QFrame(parent), QString::fromLatin1(name));
    f->setFrameShape(QFrame::StyledPanel);
    f->setAutoFillBackground(true);
    return f;
}

// A picture that is clicked: the plate of its caption.
QLabel* picture(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    const FlightControl& design = flightControl(QString::fromLatin1(name));
    label->setObjectName(design.name);
    label->setPixmap(QPixmap::fromImage(flightPicture(design)));
    label->setGeometry(design.place);
    label->setCursor(Qt::PointingHandCursor);
    label->setVisible(!design.hidden);
    return label;
}

} // namespace

void frmGPSmain::buildControls()
{
    // --- the map and the strip below it (placed by the first layout)
    picMap = placed(new PictureBox(this, 0xFFC0C0), QStringLiteral("picMap"));
    picMap->setCursor(Qt::CrossCursor);
    picMap->setMouseTracking(false);
    cmbMaps = placed(new QComboBox(this), QStringLiteral("cmbMaps"));
    cmbMaps->setEditable(true);
    cmbMaps->setInsertPolicy(QComboBox::NoInsert);
    tNextMap = placed(new QLineEdit(this), QStringLiteral("tNextMap"));
    tNextMap->setReadOnly(true);
    tNextMap->setAlignment(Qt::AlignCenter);
    tNextMap->setStyleSheet(QStringLiteral("background-color: #C00000; color: white;"));
    tNextMap->setMouseTracking(true);
    LblMapNumber = display(this, "LblMapNumber");
    SlideMap = placed(new QSlider(Qt::Horizontal, this), QStringLiteral("SlideMap"));
    SlideMap->setRange(MapView::kSliderMin, MapView::kSliderMax);
    SlideMap->setPageStep(0);
    SlideMap->setSingleStep(10);
    SlideMap->setFocusPolicy(Qt::NoFocus);
    cmdMapScroll = button(this, "cmdMapScroll");
    PicMapScroll = picture(this, "PicMapScroll");
    cmdKartezentrieren = button(this, "cmdKartezentrieren");
    picKartezentrieren = picture(this, "picKartezentrieren");
    cmdGPS = button(this, "cmdGPS");
    picGPSCheck[0] = picture(this, "picGPSCheck0");
    picGPSCheck[1] = picture(this, "picGPSCheck1");
    picGPSCheck[2] = picture(this, "picGPSCheck2");

    // --- the layer switches on the map
    frmSet = frame(picMap, "frmSet");
    frmSet->setFrameShape(QFrame::NoFrame);
    picLR3 = picture(frmSet, "picLR3");
    cmdLR2 = button(frmSet, "cmdLR2");
    cmdLR1 = button(frmSet, "cmdLR1");
    picAPT3 = picture(frmSet, "picAPT3");
    cmdAPT2 = button(frmSet, "cmdAPT2");
    cmdAPT1 = button(frmSet, "cmdAPT1");
    cmdPR = button(frmSet, "cmdPR");
    picPR = picture(frmSet, "picPR");
    cmdshowRoute = button(frmSet, "cmdshowRoute");
    picShowRoute = picture(frmSet, "picShowRoute");
    lblRoute = display(picShowRoute, "lblRoute");
    lblRoute->setAlignment(Qt::AlignCenter);
    cmdWayInfo = button(frmSet, "cmdWayInfo");
    picWayInfo = picture(frmSet, "picWayInfo");

    // --- on the map: figures, recording, position, status, QNH
    Frame1 = frame(picMap, "Frame1");
    lblTrueBearing = display(Frame1, "lblTrueBearing");
    lblDistanz = display(Frame1, "lblDistanz");
    lblTime = display(Frame1, "lblTime");
    lblRemDist = display(Frame1, "lblRemDist");
    cmdRecord = button(picMap, "cmdRecord");
    cmdRecordAuto = button(picMap, "cmdRecordAuto");
    picRecord = picture(picMap, "picRecord");
    lblRecord = display(picRecord, "lblRecord");
    lblRecord->setAlignment(Qt::AlignCenter);
    lblRecord->setStyleSheet(QStringLiteral("color: white;"));
    Frame3 = frame(picMap, "Frame3");
    lblLat = display(Frame3, "lblLat");
    lblLong = display(Frame3, "lblLong");
    progBar = placed(new QProgressBar(picMap), QStringLiteral("progBar"));
    lblStatus = display(picMap, "lblStatus");
    lblStatus->setAutoFillBackground(true);
    frmQNH = frame(picMap, "frmQNH");
    lblQNH = display(frmQNH, "lblQNH");
    paintBackground(frmQNH, vbColor(kAirspaceBoxColour));
    paintBackground(lblQNH, vbColor(kAirspaceBoxColour));

    // --- the instrument and the GPS displays in the panel left of the map
    Kurskreisel = placed(new PictureBox(this, 0x000000), QStringLiteral("Kurskreisel"));
    Kurskreisel->surface().resize(201, 201);
    Kurskreisel->surface().Scale(0, 0, 200, 200);
    frmVOR = frame(Kurskreisel, "frmVOR");
    tVOR1 = placed(new QLineEdit(frmVOR), QStringLiteral("tVOR1"));
    lblResult = display(frmVOR, "lblResult");
    frmKurs = frame(Kurskreisel, "frmKurs");
    frmKurs->setStyleSheet(QStringLiteral("QFrame { background-color: #FFFFC0; }"));
    Label3 = display(frmKurs, "Label3");
    tKurs = placed(new QLineEdit(frmKurs), QStringLiteral("tKurs"));
    tKurs->setAlignment(Qt::AlignCenter);
    lblVOR1 = display(this, "lblVOR1");
    lbldistVOR = display(this, "lbldistVOR");
    lblSpeed = display(this, "lblSpeed");
    lblSpeedmode = display(this, "lblSpeedmode");
    lblBearing = display(this, "lblBearing");
    display(this, "lblDegrees");
    lblAlt = display(this, "lblAlt");
    lblAltmode = display(this, "lblAltmode");
    for (QLabel* right : {lblSpeed, lblBearing, lblAlt})
        right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel* clickable : {lblSpeed, lblAlt, lblTime})
        clickable->setCursor(Qt::PointingHandCursor);

    // --- wind
    frmHDG = frame(this, "frmHDG");
    display(frmHDG, "lblHDGTitle");
    lblHeading = display(frmHDG, "lblHeading");
    lblHeading->setAutoFillBackground(true);
    frmIAS = frame(this, "frmIAS");
    display(frmIAS, "lblIASTitle");
    lblIAS = display(frmIAS, "lblIAS");
    Frame5 = frame(this, "Frame5");
    Frame5->setStyleSheet(QStringLiteral("QFrame { background-color: #404040; }"));
    display(Frame5, "lblWindTitle");
    lblWind = display(Frame5, "lblWind");
    lblWind->setStyleSheet(QStringLiteral("color: yellow;"));
    Frame6 = frame(this, "Frame6");
    picWind = placed(new PictureBox(Frame6, 0x404040), QStringLiteral("picWind"));
    picWind->surface().resize(33, 33);

    // --- route and navigation
    cmbRoute = placed(new QComboBox(this), QStringLiteral("cmbRoute"));
    tRoute = placed(new QLineEdit(this), QStringLiteral("tRoute"));
    tRoute->setReadOnly(true);
    cmdShowPoints = button(this, "cmdShowPoints");
    picShowPoints = picture(this, "picShowPoints");
    gridWaypoints = placed(new QTableView(this), QStringLiteral("gridWaypoints"));
    gridWaypoints->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridWaypoints->verticalHeader()->hide();
    cmdActivateGoto = button(this, "cmdActivateGoto");
    picActivateGoto = picture(this, "picActivateGoto");
    cmdPrev = button(this, "cmdPrev");
    cmdNext = button(this, "cmdNext");
    cmdDirectFly = button(this, "cmdDirectFly");
    picDF = picture(this, "picDF");
    cmdSet = button(this, "cmdSet");
    picSet = picture(this, "picSet");
    lblLatx = display(this, "lblLatx");
    lblLongx = display(this, "lblLongx");
    tNextMap->raise();
    picGPSCheck[2]->raise();
}

void frmGPSmain::wireControls()
{
    using Handler = void (frmGPSmain::*)();
    // A button's click, or a press on a picture or label (they have no click signal).
    const std::pair<QWidget*, Handler> clicks[] = {
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
        const auto run = [this, handler] { guarded([&] { (this->*handler)(); }); };
        if (auto* pushButton = qobject_cast<QPushButton*>(control))
            connect(pushButton, &QPushButton::clicked, this, run);
        else
            onClick(control, run);
    }
    for (int i = 0; i < 3; ++i)
        onClick(picGPSCheck[static_cast<std::size_t>(i)],
                [this, i] { guarded([&] { picGPSCheck_Click(i); }); });

    MSComm1.onComm([this](int16_t event) { guarded([&] { MSComm1_OnComm(event); }); });
    timerCheck.onTick([this] { guarded([&] { timerCheck_Timer(); }); });
    timeTrack.onTick([this] { guarded([&] { timeTrack_Timer(); }); });
    silenceWatch.onTick([this] { guarded([&] { silenceWatch_Timer(); }); });

    picMap->onMouseDown([this](int b, int s, double x, double y) {
        guarded([&] { picMap_MouseDown(b, s, x, y); });
    });
    picMap->onMouseMove([this](int b, int s, double x, double y) {
        guarded([&] { picMap_MouseMove(b, s, x, y); });
    });
    picMap->onMouseUp(
        [this](int b, int s, double x, double y) { guarded([&] { picMap_MouseUp(b, s, x, y); }); });
    Kurskreisel->onMouseDown([this](int b, int s, double x, double y) {
        guarded([&] { Kurskreisel_MouseDown(b, s, x, y); });
    });
    connect(cmbMaps, &QComboBox::editTextChanged, this,
            [this] { guarded([&] { cmbMaps_Change(); }); });
    connect(cmbMaps, &QComboBox::activated, this, [this] { guarded([&] { cmbMaps_Click(); }); });
    connect(cmbRoute, &QComboBox::activated, this, [this] { guarded([&] { cmbRoute_Click(); }); });
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
    const auto alsoRun = [this](void (frmGPSmain::*handler)()) {
        return [this, handler](QEvent&) {
            guarded([&] { (this->*handler)(); });
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
