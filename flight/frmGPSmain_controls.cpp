// The flight window's controls: how they are made and placed before the first layout, and
// how their events reach the handlers (every handler runs inside `guarded`).

#include "flight/frmGPSmain.h"

#include "airspace/AirspacePainter.h"
#include "core/HandlerGuard.h"
#include "core/forms/KeyUp.h"
#include "core/windows/WindowLook.h"
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
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTimer>

namespace tv {

namespace {

// Size of a switch (735 twips) and of the GPS button.
constexpr int kSwitch = 49;
constexpr int kGpsWidth = 80;
constexpr int kGpsHeight = 41;

const QColor kOrange(255, 160, 0);
const QColor kGreen(40, 200, 40);
const QColor kOnColour(120, 200, 120);

// Artwork of the status and switch pictures: a rounded plate with a caption.
QPixmap plate(QSize size, const QColor& fill, const QString& caption, const QColor& ink)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(fill.darker(160), 2));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 6, 6);
    painter.setPen(ink);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(caption.size() > 4 ? 10 : 13);
    painter.setFont(font);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap, caption);
    return pixmap;
}

// A picture that is clicked, hidden until its state shows it.
QLabel* picture(QWidget* parent, const QRect& place, const QString& caption,
                const QColor& fill = kOnColour, const QColor& ink = Qt::black)
{
    auto* label = new QLabel(parent);
    label->setPixmap(plate(place.size(), fill, caption, ink));
    label->setGeometry(place);
    label->setCursor(Qt::PointingHandCursor);
    label->hide();
    return label;
}

QLabel* display(QWidget* parent, const QRect& place, const QString& text, int pixelSize,
                bool bold = true)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->setGeometry(place);
    return label;
}

QFrame* frame(QWidget* parent, const QRect& place)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::StyledPanel);
    f->setGeometry(place);
    f->setAutoFillBackground(true);
    return f;
}

QPushButton* button(QWidget* parent, const QRect& place, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setGeometry(place);
    return b;
}

} // namespace

void frmGPSmain::buildControls()
{
    // --- the map and the strip below it (placed by the first layout)
    picMap = new PictureBox(this, 0xFFC0C0);
    picMap->setGeometry(kMapLeft, 0, kMinMapWidth, kMinMapHeight);
    picMap->setCursor(Qt::CrossCursor);
    picMap->setMouseTracking(false);
    const int strip = kNotLaidOut;
    cmbMaps = new QComboBox(this);
    cmbMaps->setEditable(true);
    cmbMaps->setInsertPolicy(QComboBox::NoInsert);
    cmbMaps->setGeometry(kMapLeft, strip, 170, 24);
    tNextMap = new QLineEdit(this);
    tNextMap->setGeometry(cmbMaps->geometry());
    tNextMap->setReadOnly(true);
    tNextMap->setAlignment(Qt::AlignCenter);
    tNextMap->setStyleSheet(QStringLiteral("background-color: #C00000; color: white;"));
    tNextMap->setMouseTracking(true);
    tNextMap->hide();
    LblMapNumber = display(this, {kMapLeft - 33, strip, 32, 20}, QStringLiteral("1 / 2"), 11);
    LblMapNumber->hide();
    SlideMap = new QSlider(Qt::Horizontal, this);
    SlideMap->setRange(MapView::kSliderMin, MapView::kSliderMax);
    SlideMap->setPageStep(0);
    SlideMap->setSingleStep(10);
    SlideMap->setFocusPolicy(Qt::NoFocus);
    SlideMap->setGeometry(kMapLeft + 175, strip, 241, 30);
    const QRect scroll(kMapLeft + 444, strip, kSwitch, kGpsHeight);
    cmdMapScroll = button(this, scroll, QStringLiteral("⇄"));
    PicMapScroll = picture(this, scroll, QStringLiteral("⇄"));
    const QRect centre(kMapLeft + 515, strip, kSwitch, kGpsHeight);
    cmdKartezentrieren = button(this, centre, QStringLiteral("⊕"));
    picKartezentrieren = picture(this, centre, QStringLiteral("⊕"));
    const QRect gpsPlace(kMinMapWidth + 192, strip, kGpsWidth, kGpsHeight);
    cmdGPS = button(this, gpsPlace, QStringLiteral("GPS"));
    picGPSCheck[0] = picture(this, gpsPlace, QStringLiteral("GPS"), kOrange);
    picGPSCheck[1] = picture(this, gpsPlace, QStringLiteral("GPS"), kGreen);
    picGPSCheck[2] = picture(this, gpsPlace, QStringLiteral("NO SIGNAL"), kOrange, Qt::red);

    // --- the layer switches on the map; second and third steps lie under the first, shown
    // but covered until it hides
    frmSet = frame(picMap, {0, 48, kSwitch, 393});
    frmSet->setFrameShape(QFrame::NoFrame);
    frmSet->hide();
    const auto row = [](int top) { return QRect(0, top, kSwitch, kSwitch); };
    picLR3 = picture(frmSet, row(0), QStringLiteral("LR\nHöhe"));
    cmdLR2 = button(frmSet, row(0), QStringLiteral("LR\nHöhe"));
    cmdLR1 = button(frmSet, row(0), QStringLiteral("LR"));
    picAPT3 = picture(frmSet, row(85), QStringLiteral("APT\n2"));
    cmdAPT2 = button(frmSet, row(85), QStringLiteral("APT\n2"));
    cmdAPT1 = button(frmSet, row(85), QStringLiteral("APT"));
    cmdPR = button(frmSet, row(172), QStringLiteral("PR"));
    picPR = picture(frmSet, row(172), QStringLiteral("PR"));
    cmdshowRoute = button(frmSet, row(259), QStringLiteral("RTE"));
    picShowRoute = picture(frmSet, row(259), QString());
    lblRoute = display(picShowRoute, {2, 14, kSwitch - 4, 20}, QString(), 12);
    lblRoute->setAlignment(Qt::AlignCenter);
    cmdWayInfo = button(frmSet, row(344), QStringLiteral("WPT"));
    picWayInfo = picture(frmSet, row(344), QStringLiteral("WPT"));
    picLR3->show();
    picAPT3->show();

    // --- on the map: figures, recording, position, status, QNH
    Frame1 = frame(picMap, {60, 5, 330, 28});
    lblTrueBearing = display(Frame1, {5, 3, 60, 22}, QString(), 14);
    lblDistanz = display(Frame1, {70, 3, 85, 22}, QString(), 14);
    lblTime = display(Frame1, {160, 3, 60, 22}, QString(), 14);
    lblRemDist = display(Frame1, {225, 3, 100, 22}, QString(), 14);
    Frame1->hide();
    const QRect record(kMinMapWidth - 43, 5, 38, 38);
    cmdRecord = button(picMap, record, QStringLiteral("REC"));
    cmdRecordAuto = button(picMap, record, QStringLiteral("AUTO"));
    cmdRecordAuto->hide();
    picRecord = picture(picMap, record, QString(), QColor(230, 40, 40), Qt::white);
    lblRecord = display(picRecord, {0, 7, 38, 24}, QStringLiteral("0"), 14);
    lblRecord->setAlignment(Qt::AlignCenter);
    lblRecord->setStyleSheet(QStringLiteral("color: white;"));
    Frame3 = frame(picMap, {55, kMinMapHeight - 28, 270, 24});
    lblLat = display(Frame3, {5, 2, 125, 20}, QStringLiteral("---"), 12);
    lblLong = display(Frame3, {135, 2, 130, 20}, QStringLiteral("---"), 12);
    progBar = new QProgressBar(picMap);
    progBar->setGeometry(335, kMinMapHeight - 30, 150, 20);
    progBar->hide();
    lblStatus = display(picMap, {kMinMapWidth - 243, kMinMapHeight - 28, 155, 22}, QString(), 12);
    lblStatus->setAutoFillBackground(true);
    lblStatus->hide();
    frmQNH = frame(picMap, {kMinMapWidth - 85, kMinMapHeight - 28, 80, 22});
    lblQNH = display(frmQNH, {4, 1, 74, 20}, QStringLiteral("QNH 1013"), 12);
    paintBackground(frmQNH, vbColor(kAirspaceBoxColour));
    paintBackground(lblQNH, vbColor(kAirspaceBoxColour));
    frmQNH->hide();

    // --- the instrument and the GPS displays in the panel left of the map
    Kurskreisel = new PictureBox(this, 0x000000);
    Kurskreisel->setGeometry(35, 5, 201, 201);
    Kurskreisel->surface().resize(201, 201);
    Kurskreisel->surface().Scale(0, 0, 200, 200);
    frmVOR = frame(Kurskreisel, {20, 75, 160, 52});
    tVOR1 = new QLineEdit(frmVOR);
    tVOR1->setGeometry(4, 4, 152, 22);
    lblResult = display(frmVOR, {4, 28, 152, 20}, QString(), 11, false);
    frmVOR->hide();
    frmKurs = frame(Kurskreisel, {55, 70, 90, 56});
    frmKurs->setStyleSheet(QStringLiteral("QFrame { background-color: #FFFFC0; }"));
    Label3 = display(frmKurs, {4, 2, 82, 18}, QStringLiteral("Kurs"), 11);
    tKurs = new QLineEdit(QStringLiteral("0"), frmKurs);
    tKurs->setAlignment(Qt::AlignCenter);
    tKurs->setGeometry(4, 24, 82, 24);
    frmKurs->hide();
    lblVOR1 = display(this, {5, 208, 150, 18}, QString(), 12);
    lbldistVOR = display(this, {160, 208, 70, 18}, QString(), 12);
    lblSpeed = display(this, {5, 230, 80, 30}, QStringLiteral("---"), 24);
    lblSpeedmode = display(this, {90, 240, 40, 18}, QStringLiteral("kts"), 12, false);
    lblBearing = display(this, {140, 230, 70, 30}, QStringLiteral("---"), 24);
    display(this, {213, 234, 20, 18}, QStringLiteral("°"), 14, false);
    lblAlt = display(this, {5, 262, 80, 30}, QStringLiteral("---"), 24);
    lblAltmode = display(this, {90, 272, 40, 18}, QStringLiteral("ft"), 12, false);
    for (QLabel* right : {lblSpeed, lblBearing, lblAlt})
        right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel* clickable : {lblSpeed, lblAlt, lblTime})
        clickable->setCursor(Qt::PointingHandCursor);

    // --- wind
    frmHDG = frame(this, {5, 300, 62, 44});
    display(frmHDG, {4, 1, 50, 14}, QStringLiteral("HDG"), 10, false);
    lblHeading = display(frmHDG, {4, 16, 54, 24}, QStringLiteral("---"), 16);
    lblHeading->setAutoFillBackground(true);
    frmIAS = frame(this, {72, 300, 62, 44});
    display(frmIAS, {4, 1, 50, 14}, QStringLiteral("IAS"), 10, false);
    lblIAS = display(frmIAS, {4, 16, 54, 24}, QStringLiteral("---"), 16);
    Frame5 = frame(this, {139, 300, 90, 44});
    Frame5->setStyleSheet(QStringLiteral("QFrame { background-color: #404040; }"));
    display(Frame5, {4, 1, 60, 14}, QStringLiteral("Wind"), 10, false);
    lblWind = display(Frame5, {4, 16, 84, 24}, QStringLiteral("--- / ---"), 14);
    lblWind->setStyleSheet(QStringLiteral("color: yellow;"));
    Frame6 = frame(this, {233, 303, 37, 37});
    picWind = new PictureBox(Frame6, 0x404040);
    picWind->setGeometry(2, 2, 33, 33);
    picWind->surface().resize(33, 33);

    // --- route and navigation
    cmbRoute = new QComboBox(this);
    cmbRoute->setGeometry(5, 350, 200, 24);
    tRoute = new QLineEdit(this);
    tRoute->setGeometry(cmbRoute->geometry());
    tRoute->setReadOnly(true);
    cmdShowPoints = button(this, {210, 350, 60, 24}, QStringLiteral("WPT"));
    picShowPoints = picture(this, {210, 350, 60, 24}, QStringLiteral("RTE"));
    gridWaypoints = new QTableView(this);
    gridWaypoints->setGeometry(5, 378, 265, 190);
    gridWaypoints->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridWaypoints->verticalHeader()->hide();
    cmdActivateGoto = button(this, {5, 572, 58, 30}, QStringLiteral("GOTO"));
    picActivateGoto = picture(this, {5, 572, 58, 30}, QStringLiteral("GOTO"));
    cmdPrev = button(this, {67, 572, 40, 30}, QStringLiteral("<"));
    cmdNext = button(this, {111, 572, 40, 30}, QStringLiteral(">"));
    cmdDirectFly = button(this, {155, 572, 55, 30}, QStringLiteral("D→"));
    picDF = picture(this, {155, 572, 55, 30}, QStringLiteral("D→"));
    cmdSet = button(this, {214, 572, 56, 30}, QStringLiteral("SET"));
    picSet = picture(this, {214, 572, 56, 30}, QStringLiteral("SET"));
    lblLatx = display(this, {5, 606, 100, 18}, QString(), 12);
    lblLongx = display(this, {110, 606, 100, 18}, QString(), 12);
    lblLatx->hide();
    lblLongx->hide();
    tNextMap->raise();
    picGPSCheck[2]->raise();
}

void frmGPSmain::onClick(QWidget* control, std::function<void()> handler)
{
    control->installEventFilter(this);
    clickHandlers_.emplace_back(control, std::move(handler));
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

    connect(&MSComm1, &QSerialPort::readyRead, this,
            [this] { guarded([&] { MSComm1_OnComm(comEvReceive); }); });
    connect(&MSComm1, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        guarded([&] {
            if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError || opening_ ||
                e == QSerialPort::NotOpenError)
                return;
            // A device that went away (or fails) is closed; the no-signal mode reopens it.
            if (MSComm1.isOpen())
                MSComm1.close();
            MSComm1.clearError();
            MSComm1_OnComm(e == QSerialPort::ReadError ? comEventFrame : comEventRxOver);
        });
    });
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

    // The window sees every key before the control that has the focus; the zoom follows the
    // slider when the mouse is released on it (the release position sets the value), the
    // wheel does nothing to it.
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);

    // Keys act when they come up at the control whose press began there (the window itself
    // when nothing in it holds the keyboard): the Enter that closes a message box is not
    // taken for the course or VOR entry beneath it.
    for (QWidget* control : children + QList<QWidget*>{this}) {
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

bool frmGPSmain::eventFilter(QObject* watched, QEvent* event)
{
    bool consumed = false;
    guarded([&] {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
                break;
            for (const auto& [control, handler] : clickHandlers_) {
                if (control == watched) {
                    handler();
                    consumed = true;
                    break;
                }
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            if (watched == SlideMap) {
                auto* mouse = static_cast<QMouseEvent*>(event);
                // Twips along the slider: the control is 3615 twips wide.
                const double width = SlideMap->width() > 0 ? SlideMap->width() : 241;
                const double xTwips = mouse->position().x() * 3615.0 / width;
                const double yTwips = mouse->position().y() * 15.0;
                const int button = PictureBox::vbButton(mouse->button());
                const int shift = PictureBox::vbShift(mouse->modifiers());
                // After the slider has finished with the release itself.
                QTimer::singleShot(0, this, [this, button, shift, xTwips, yTwips] {
                    guarded([&] { SlideMap_MouseUp(button, shift, xTwips, yTwips); });
                });
            }
            break;
        case QEvent::Wheel:
            consumed = watched == SlideMap;
            break;
        case QEvent::MouseButtonDblClick:
            if (watched == tKurs)
                tKurs_DblClick();
            else if (watched == tVOR1)
                tVOR1_DblClick();
            break;
        case QEvent::MouseMove:
            if (watched == tNextMap)
                tNextMap_MouseMove();
            break;
        case QEvent::FocusOut:
            if (watched == cmbRoute)
                cmbRoute_LostFocus();
            break;
        default:
            break;
        }
    });
    return consumed || QWidget::eventFilter(watched, event);
}

void frmGPSmain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    guarded([&] { Form_Resize(); });
}

} // namespace tv
