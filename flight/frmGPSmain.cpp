// The flight window's life cycle: controls, layout, load, activation, deactivation, unload,
// and its settings files Set.crm, VOR.crm and (read only) data.crm.

#include "flight/frmGPSmain.h"

#include "airspace/AirspacePainter.h"
#include "core/CoreSettings.h"
#include "core/Dates.h"
#include "core/GeoMath.h"
#include "core/HandlerGuard.h"
#include "core/SettingsRules.h"
#include "core/Variablen.h"
#include "core/windows/WindowLook.h"
#include "flight/FlightSettings.h"
#include "flight/RouteWindow.h"
#include "map/NumberText.h"
#include "map/PictureBox.h"
#include "map/ViewMemory.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"

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
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTimer>

#include <cmath>

namespace tv {

namespace {

// Forwards the interpreter's events to the window's handlers.
class GpsForwarder : public NmeaEvents
{
public:
    explicit GpsForwarder(frmGPSmain& w) : w_(w) {}
    void PositionReceived(const std::string& latitude, const std::string& longitude,
                          const std::string& latraw, const std::string& longraw) override
    {
        w_.gps_PositionReceived(latitude, longitude, latraw, longraw);
    }
    void SpeedReceived(const std::string& speed) override { w_.gps_SpeedReceived(speed); }
    void BearingReceived(const std::string& bearing) override { w_.gps_BearingReceived(bearing); }
    void AltitudeReceived(const std::string& altitude) override
    {
        w_.gps_AltitudeReceived(altitude);
    }
    void DateChanged(const std::string& date) override { w_.gps_DateChanged(date); }
    void SatellitesInViewReceived(int16_t count) override
    {
        w_.gps_SatellitesInViewReceived(count);
    }
    void FixObtained() override { w_.gps_FixObtained(); }
    void FixLost() override { w_.gps_FixLost(); }

private:
    frmGPSmain& w_;
};

// Size of a switch (735 twips) and of the GPS button.
constexpr int kSwitch = 49;
constexpr int kGpsWidth = 80;
constexpr int kGpsHeight = 41;
// Map area = window inner size minus the panel left of the map and the strip below it.
constexpr int kPanelWidth = 280;
constexpr int kStripHeight = 53;
constexpr int kMapLeft = 275;
constexpr int kMinMapWidth = 661;
constexpr int kMinMapHeight = 463;
// Where a control lies before the first layout: out of sight, so that the first activation
// lays the window out (its slider then lies below the window's inner height).
constexpr int kNotLaidOut = 10000;

// Artwork of the status and switch pictures: a rounded plate with a caption.
QPixmap plate(QSize size, const QColor& fill, const QString& caption, const QColor& ink = Qt::black)
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

QLabel* picture(QWidget* parent, QSize size, const QColor& fill, const QString& caption,
                const QColor& ink = Qt::black)
{
    auto* label = new QLabel(parent);
    label->setPixmap(plate(size, fill, caption, ink));
    label->resize(size);
    label->setCursor(Qt::PointingHandCursor);
    label->hide();
    return label;
}

QLabel* display(QWidget* parent, const QString& text, int pixelSize, bool bold = true)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

QFrame* frame(QWidget* parent, const QRect& geometry)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::StyledPanel);
    f->setGeometry(geometry);
    f->setAutoFillBackground(true);
    return f;
}

const QColor kOrange(255, 160, 0);
const QColor kGreen(40, 200, 40);
const QColor kOnColour(120, 200, 120);

} // namespace

frmGPSmain::frmGPSmain()
{
    setWindowTitle(QStringLiteral("Flug"));
    setFocusPolicy(Qt::StrongFocus);
    // Always drawn: with both switches off it only takes the QNH box away.
    mapLayers.add({"airspaces", {}, [this] { DrawAirspaces(); }});
    mapLayers.add({"moving map", {}, [this] { DrawMovingMap(); }});

    gpsEvents_ = std::make_unique<GpsForwarder>(*this);
    // The fix is brought up to date first; the handlers then show it.
    nav_.fixEvents().setNext(gpsEvents_.get());
    gps.setEvents(&nav_.fixEvents());
    buildControls();
    wireControls();
}

frmGPSmain::~frmGPSmain()
{
    gps.setEvents(nullptr);
    if (MSComm1.isOpen())
        MSComm1.close();
}

DrawSurface& frmGPSmain::mapSurface()
{
    return picMap->surface();
}

// ------------------------------------------------------------------------------ controls

void frmGPSmain::buildControls()
{
    // --- the map and the strip below it
    picMap = new PictureBox(this, 0xFFC0C0);
    picMap->setGeometry(kMapLeft, 0, kMinMapWidth, kMinMapHeight);
    picMap->setCursor(Qt::CrossCursor);
    picMap->setMouseTracking(false);

    cmbMaps = new QComboBox(this);
    cmbMaps->setEditable(true);
    cmbMaps->setInsertPolicy(QComboBox::NoInsert);
    cmbMaps->setGeometry(kMapLeft, kNotLaidOut, 170, 24);
    tNextMap = new QLineEdit(this);
    tNextMap->setGeometry(cmbMaps->geometry());
    tNextMap->setReadOnly(true);
    tNextMap->setAlignment(Qt::AlignCenter);
    tNextMap->setStyleSheet(QStringLiteral("background-color: #C00000; color: white;"));
    tNextMap->setMouseTracking(true);
    tNextMap->hide();
    LblMapNumber = display(this, QStringLiteral("1 / 2"), 11);
    LblMapNumber->setGeometry(kMapLeft - 33, kNotLaidOut, 32, 20);
    LblMapNumber->hide();
    listNextMap = new QListWidget(this);
    listNextMap->hide();

    SlideMap = new QSlider(Qt::Horizontal, this);
    SlideMap->setRange(MapView::kSliderMin, MapView::kSliderMax);
    SlideMap->setValue(0);
    SlideMap->setPageStep(0);
    SlideMap->setSingleStep(10);
    SlideMap->setFocusPolicy(Qt::NoFocus);
    SlideMap->setGeometry(kMapLeft + 175, kNotLaidOut, 241, 30);

    cmdMapScroll = new QPushButton(QStringLiteral("⇄"), this);
    cmdMapScroll->setGeometry(kMapLeft + 444, kNotLaidOut, kSwitch, kGpsHeight);
    PicMapScroll = picture(this, {kSwitch, kGpsHeight}, kOnColour, QStringLiteral("⇄"));
    cmdKartezentrieren = new QPushButton(QStringLiteral("⊕"), this);
    cmdKartezentrieren->setGeometry(kMapLeft + 515, kNotLaidOut, kSwitch, kGpsHeight);
    picKartezentrieren = picture(this, {kSwitch, kGpsHeight}, kOnColour, QStringLiteral("⊕"));

    cmdGPS = new QPushButton(QStringLiteral("GPS"), this);
    cmdGPS->setGeometry(kMinMapWidth + 192, kNotLaidOut, kGpsWidth, kGpsHeight);
    picGPSCheck[0] = picture(this, {kGpsWidth, kGpsHeight}, kOrange, QStringLiteral("GPS"));
    picGPSCheck[1] = picture(this, {kGpsWidth, kGpsHeight}, kGreen, QStringLiteral("GPS"));
    picGPSCheck[2] =
        picture(this, {kGpsWidth, kGpsHeight}, kOrange, QStringLiteral("NO SIGNAL"), Qt::red);

    // --- on the map
    frmSet = frame(picMap, QRect(0, 48, kSwitch, 393));
    frmSet->setFrameShape(QFrame::NoFrame);
    frmSet->hide();
    const int rows[] = {0, 85, 172, 259, 344};
    auto place = [](QWidget* w, int top) { w->setGeometry(0, top, kSwitch, kSwitch); };
    cmdLR1 = new QPushButton(QStringLiteral("LR"), frmSet);
    place(cmdLR1, rows[0]);
    cmdLR2 = new QPushButton(QStringLiteral("LR\nHöhe"), frmSet);
    place(cmdLR2, rows[0]);
    picLR3 = picture(frmSet, {kSwitch, kSwitch}, kOnColour, QStringLiteral("LR\nHöhe"));
    place(picLR3, rows[0]);
    cmdAPT1 = new QPushButton(QStringLiteral("APT"), frmSet);
    place(cmdAPT1, rows[1]);
    cmdAPT2 = new QPushButton(QStringLiteral("APT\n2"), frmSet);
    place(cmdAPT2, rows[1]);
    picAPT3 = picture(frmSet, {kSwitch, kSwitch}, kOnColour, QStringLiteral("APT\n2"));
    place(picAPT3, rows[1]);
    cmdPR = new QPushButton(QStringLiteral("PR"), frmSet);
    place(cmdPR, rows[2]);
    picPR = picture(frmSet, {kSwitch, kSwitch}, kOnColour, QStringLiteral("PR"));
    place(picPR, rows[2]);
    cmdshowRoute = new QPushButton(QStringLiteral("RTE"), frmSet);
    place(cmdshowRoute, rows[3]);
    picShowRoute = picture(frmSet, {kSwitch, kSwitch}, kOnColour, QString());
    place(picShowRoute, rows[3]);
    lblRoute = display(picShowRoute, QString(), 12);
    lblRoute->setGeometry(2, 14, kSwitch - 4, 20);
    lblRoute->setAlignment(Qt::AlignCenter);
    cmdWayInfo = new QPushButton(QStringLiteral("WPT"), frmSet);
    place(cmdWayInfo, rows[4]);
    picWayInfo = picture(frmSet, {kSwitch, kSwitch}, kOnColour, QStringLiteral("WPT"));
    place(picWayInfo, rows[4]);
    // The second and third steps lie under the first: shown, but covered until it hides.
    cmdLR2->show();
    picLR3->show();
    cmdAPT2->show();
    picAPT3->show();
    for (QWidget* w : {static_cast<QWidget*>(picLR3), static_cast<QWidget*>(cmdLR2),
                       static_cast<QWidget*>(cmdLR1), static_cast<QWidget*>(picAPT3),
                       static_cast<QWidget*>(cmdAPT2), static_cast<QWidget*>(cmdAPT1),
                       static_cast<QWidget*>(picPR), static_cast<QWidget*>(picShowRoute),
                       static_cast<QWidget*>(picWayInfo)})
        w->raise();

    Frame1 = frame(picMap, QRect(60, 5, 330, 28));
    lblTrueBearing = display(Frame1, QString(), 14);
    lblTrueBearing->setGeometry(5, 3, 60, 22);
    lblDistanz = display(Frame1, QString(), 14);
    lblDistanz->setGeometry(70, 3, 85, 22);
    lblTime = display(Frame1, QString(), 14);
    lblTime->setGeometry(160, 3, 60, 22);
    lblRemDist = display(Frame1, QString(), 14);
    lblRemDist->setGeometry(225, 3, 100, 22);
    Frame1->hide();

    cmdRecord = new QPushButton(QStringLiteral("REC"), picMap);
    cmdRecord->setGeometry(kMinMapWidth - 43, 5, 38, 38);
    cmdRecordAuto = new QPushButton(QStringLiteral("AUTO"), picMap);
    cmdRecordAuto->setGeometry(cmdRecord->geometry());
    cmdRecordAuto->hide();
    picRecord = picture(picMap, {38, 38}, QColor(230, 40, 40), QString(), Qt::white);
    picRecord->move(cmdRecord->pos());
    lblRecord = display(picRecord, QStringLiteral("0"), 14);
    lblRecord->setGeometry(0, 7, 38, 24);
    lblRecord->setAlignment(Qt::AlignCenter);
    lblRecord->setStyleSheet(QStringLiteral("color: white;"));

    Frame3 = frame(picMap, QRect(55, kMinMapHeight - 28, 270, 24));
    lblLat = display(Frame3, QStringLiteral("---"), 12);
    lblLat->setGeometry(5, 2, 125, 20);
    lblLong = display(Frame3, QStringLiteral("---"), 12);
    lblLong->setGeometry(135, 2, 130, 20);
    progBar = new QProgressBar(picMap);
    progBar->setGeometry(335, kMinMapHeight - 30, 150, 20);
    progBar->setRange(0, 100);
    progBar->hide();
    lblStatus = display(picMap, QString(), 12);
    lblStatus->setGeometry(kMinMapWidth - 243, kMinMapHeight - 28, 155, 22);
    lblStatus->setAutoFillBackground(true);
    lblStatus->hide();
    frmQNH = frame(picMap, QRect(kMinMapWidth - 85, kMinMapHeight - 28, 80, 22));
    lblQNH = display(frmQNH, QStringLiteral("QNH 1013"), 12);
    lblQNH->setGeometry(4, 1, 74, 20);
    paintBackground(frmQNH, vbColor(kAirspaceBoxColour));
    paintBackground(lblQNH, vbColor(kAirspaceBoxColour));
    frmQNH->hide();

    // --- the panel left of the map
    Kurskreisel = new PictureBox(this, 0x000000);
    Kurskreisel->setGeometry(35, 5, 201, 201);
    Kurskreisel->surface().resize(201, 201);
    Kurskreisel->surface().Scale(0, 0, 200, 200);
    frmVOR = frame(Kurskreisel, QRect(20, 75, 160, 52));
    tVOR1 = new QLineEdit(frmVOR);
    tVOR1->setGeometry(4, 4, 152, 22);
    lblResult = display(frmVOR, QString(), 11, false);
    lblResult->setGeometry(4, 28, 152, 20);
    frmVOR->hide();
    frmKurs = frame(Kurskreisel, QRect(55, 70, 90, 56));
    frmKurs->setStyleSheet(QStringLiteral("QFrame { background-color: #FFFFC0; }"));
    Label3 = display(frmKurs, QStringLiteral("Kurs"), 11);
    Label3->setGeometry(4, 2, 82, 18);
    tKurs = new QLineEdit(QStringLiteral("0"), frmKurs);
    tKurs->setAlignment(Qt::AlignCenter);
    tKurs->setGeometry(4, 24, 82, 24);
    frmKurs->hide();
    lblVOR1 = display(this, QString(), 12);
    lblVOR1->setGeometry(5, 208, 150, 18);
    lbldistVOR = display(this, QString(), 12);
    lbldistVOR->setGeometry(160, 208, 70, 18);

    lblSpeed = display(this, QStringLiteral("---"), 24);
    lblSpeed->setGeometry(5, 230, 80, 30);
    lblSpeed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblSpeedmode = display(this, QStringLiteral("kts"), 12, false);
    lblSpeedmode->setGeometry(90, 240, 40, 18);
    lblBearing = display(this, QStringLiteral("---"), 24);
    lblBearing->setGeometry(140, 230, 70, 30);
    lblBearing->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* degree = display(this, QStringLiteral("°"), 14, false);
    degree->setGeometry(213, 234, 20, 18);
    lblAlt = display(this, QStringLiteral("---"), 24);
    lblAlt->setGeometry(5, 262, 80, 30);
    lblAlt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblAltmode = display(this, QStringLiteral("ft"), 12, false);
    lblAltmode->setGeometry(90, 272, 40, 18);
    for (QLabel* clickable : {lblSpeed, lblAlt, lblTime})
        clickable->setCursor(Qt::PointingHandCursor);

    frmHDG = frame(this, QRect(5, 300, 62, 44));
    display(frmHDG, QStringLiteral("HDG"), 10, false)->setGeometry(4, 1, 50, 14);
    lblHeading = display(frmHDG, QStringLiteral("---"), 16);
    lblHeading->setGeometry(4, 16, 54, 24);
    lblHeading->setAutoFillBackground(true);
    frmIAS = frame(this, QRect(72, 300, 62, 44));
    display(frmIAS, QStringLiteral("IAS"), 10, false)->setGeometry(4, 1, 50, 14);
    lblIAS = display(frmIAS, QStringLiteral("---"), 16);
    lblIAS->setGeometry(4, 16, 54, 24);
    Frame5 = frame(this, QRect(139, 300, 90, 44));
    Frame5->setStyleSheet(QStringLiteral("QFrame { background-color: #404040; }"));
    display(Frame5, QStringLiteral("Wind"), 10, false)->setGeometry(4, 1, 60, 14);
    lblWind = display(Frame5, QStringLiteral("--- / ---"), 14);
    lblWind->setStyleSheet(QStringLiteral("color: yellow;"));
    lblWind->setGeometry(4, 16, 84, 24);
    Frame6 = frame(this, QRect(233, 303, 37, 37));
    picWind = new PictureBox(Frame6, 0x404040);
    picWind->setGeometry(2, 2, 33, 33);
    picWind->surface().resize(33, 33);

    cmbRoute = new QComboBox(this);
    cmbRoute->setGeometry(5, 350, 200, 24);
    tRoute = new QLineEdit(this);
    tRoute->setGeometry(cmbRoute->geometry());
    tRoute->setReadOnly(true);
    cmdShowPoints = new QPushButton(QStringLiteral("WPT"), this);
    cmdShowPoints->setGeometry(210, 350, 60, 24);
    picShowPoints = picture(this, {60, 24}, kOnColour, QStringLiteral("RTE"));
    picShowPoints->move(210, 350);

    gridWaypoints = new QTableView(this);
    gridWaypoints->setGeometry(5, 378, 265, 190);
    gridWaypoints->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridWaypoints->verticalHeader()->hide();

    cmdActivateGoto = new QPushButton(QStringLiteral("GOTO"), this);
    cmdActivateGoto->setGeometry(5, 572, 58, 30);
    picActivateGoto = picture(this, {58, 30}, kOnColour, QStringLiteral("GOTO"));
    picActivateGoto->move(5, 572);
    cmdPrev = new QPushButton(QStringLiteral("<"), this);
    cmdPrev->setGeometry(67, 572, 40, 30);
    cmdNext = new QPushButton(QStringLiteral(">"), this);
    cmdNext->setGeometry(111, 572, 40, 30);
    cmdDirectFly = new QPushButton(QStringLiteral("D→"), this);
    cmdDirectFly->setGeometry(155, 572, 55, 30);
    picDF = picture(this, {55, 30}, kOnColour, QStringLiteral("D→"));
    picDF->move(155, 572);
    cmdSet = new QPushButton(QStringLiteral("SET"), this);
    cmdSet->setGeometry(214, 572, 56, 30);
    picSet = picture(this, {56, 30}, kOnColour, QStringLiteral("SET"));
    picSet->move(214, 572);
    lblLatx = display(this, QString(), 12);
    lblLatx->setGeometry(5, 606, 100, 18);
    lblLatx->hide();
    lblLongx = display(this, QString(), 12);
    lblLongx->setGeometry(110, 606, 100, 18);
    lblLongx->hide();

    for (QWidget* on :
         {static_cast<QWidget*>(PicMapScroll), static_cast<QWidget*>(picKartezentrieren),
          static_cast<QWidget*>(picGPSCheck[0]), static_cast<QWidget*>(picGPSCheck[1]),
          static_cast<QWidget*>(picGPSCheck[2]), static_cast<QWidget*>(picShowPoints),
          static_cast<QWidget*>(picActivateGoto), static_cast<QWidget*>(picDF),
          static_cast<QWidget*>(picSet), static_cast<QWidget*>(tNextMap)})
        on->raise();
    picGPSCheck[2]->raise();
}

void frmGPSmain::onClick(QWidget* control, std::function<void()> handler)
{
    control->installEventFilter(this);
    clickHandlers_.emplace_back(control, std::move(handler));
}

void frmGPSmain::wireControls()
{
    auto run = [this](void (frmGPSmain::*handler)()) {
        return [this, handler] { guarded([&] { (this->*handler)(); }); };
    };
    connect(cmdGPS, &QPushButton::clicked, this, run(&frmGPSmain::cmdGPS_Click));
    for (int i = 0; i < 3; ++i)
        onClick(picGPSCheck[static_cast<std::size_t>(i)], [this, i] { picGPSCheck_Click(i); });

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

    // Map, zoom, chart choice.
    picMap->onMouseDown([this](int b, int s, double x, double y) {
        guarded([&] { picMap_MouseDown(b, s, x, y); });
    });
    picMap->onMouseMove([this](int b, int s, double x, double y) {
        guarded([&] { picMap_MouseMove(b, s, x, y); });
    });
    picMap->onMouseUp(
        [this](int b, int s, double x, double y) { guarded([&] { picMap_MouseUp(b, s, x, y); }); });
    // The zoom follows the slider when the mouse is released on it (the release position sets
    // the value); the keys act through the window, the wheel does nothing.
    SlideMap->installEventFilter(this);
    connect(cmbMaps, &QComboBox::editTextChanged, this,
            [this] { guarded([&] { cmbMaps_Change(); }); });
    connect(cmbMaps, &QComboBox::activated, this, run(&frmGPSmain::cmbMaps_Click));
    tNextMap->installEventFilter(this);
    connect(cmdKartezentrieren, &QPushButton::clicked, this,
            run(&frmGPSmain::cmdKartezentrieren_Click));
    onClick(picKartezentrieren, [this] { picKartezentrieren_Click(); });
    connect(cmdMapScroll, &QPushButton::clicked, this, run(&frmGPSmain::cmdMapScroll_Click));
    onClick(PicMapScroll, [this] { PicMapScroll_Click(); });

    // Route and navigation.
    connect(cmbRoute, &QComboBox::activated, this, run(&frmGPSmain::cmbRoute_Click));
    cmbRoute->installEventFilter(this);
    onClick(tRoute, [this] { tRoute_Click(); });
    connect(cmdActivateGoto, &QPushButton::clicked, this, run(&frmGPSmain::cmdActivateGoto_Click));
    onClick(picActivateGoto, [this] { picActivateGoto_Click(); });
    connect(cmdNext, &QPushButton::clicked, this, run(&frmGPSmain::cmdNext_Click));
    connect(cmdPrev, &QPushButton::clicked, this, run(&frmGPSmain::cmdPrev_Click));
    connect(cmdDirectFly, &QPushButton::clicked, this, run(&frmGPSmain::cmdDirectFly_Click));
    onClick(picDF, [this] { picDF_Click(); });
    connect(cmdshowRoute, &QPushButton::clicked, this, run(&frmGPSmain::cmdshowRoute_Click));
    onClick(picShowRoute, [this] { picShowRoute_Click(); });
    onClick(lblRoute, [this] { lblRoute_Click(); });
    guarded([&] { setUpRouteGrid(*this); });

    // Track recording.
    connect(cmdRecord, &QPushButton::clicked, this, run(&frmGPSmain::cmdRecord_Click));
    onClick(picRecord, [this] { picRecord_Click(); });
    onClick(lblRecord, [this] { lblRecord_Click(); });

    // Instruments.
    Kurskreisel->onMouseDown([this](int b, int s, double x, double y) {
        guarded([&] { Kurskreisel_MouseDown(b, s, x, y); });
    });
    tKurs->installEventFilter(this);
    tVOR1->installEventFilter(this);

    // Switches.
    connect(cmdLR1, &QPushButton::clicked, this, run(&frmGPSmain::cmdLR1_Click));
    connect(cmdLR2, &QPushButton::clicked, this, run(&frmGPSmain::cmdLR2_Click));
    onClick(picLR3, [this] { picLR3_Click(); });
    connect(cmdAPT1, &QPushButton::clicked, this, run(&frmGPSmain::cmdAPT1_Click));
    connect(cmdAPT2, &QPushButton::clicked, this, run(&frmGPSmain::cmdAPT2_Click));
    onClick(picAPT3, [this] { picAPT3_Click(); });
    connect(cmdPR, &QPushButton::clicked, this, run(&frmGPSmain::cmdPR_Click));
    onClick(picPR, [this] { picPR_Click(); });
    connect(cmdWayInfo, &QPushButton::clicked, this, run(&frmGPSmain::cmdWayInfo_Click));
    onClick(picWayInfo, [this] { picWayInfo_Click(); });
    connect(cmdShowPoints, &QPushButton::clicked, this, run(&frmGPSmain::cmdShowPoints_Click));
    onClick(picShowPoints, [this] { picShowPoints_Click(); });
    connect(cmdSet, &QPushButton::clicked, this, run(&frmGPSmain::cmdSet_Click));
    onClick(picSet, [this] { picSet_Click(); });
    onClick(lblSpeed, [this] { lblSpeed_Click(); });
    onClick(lblAlt, [this] { lblAlt_Click(); });
    onClick(lblTime, [this] { lblTime_Click(); });

    // The window sees every key before the control that has the focus.
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);
}

bool frmGPSmain::eventFilter(QObject* watched, QEvent* event)
{
    bool consumed = false;
    guarded([&] {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton)
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
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            // Only at the control that has the focus: the event travels on to its parents
            // when the control does not take it.
            if (key->isAutoRepeat() || watched != QApplication::focusWidget())
                break;
            const int code = vbKeyCode(key->key(), key->modifiers());
            const int shift = PictureBox::vbShift(key->modifiers());
            Form_KeyUp(code, shift);
            if (watched == tKurs)
                tKurs_KeyUp(code, shift);
            else if (watched == tVOR1)
                tVOR1_KeyUp(code, shift);
            break;
        }
        default:
            break;
        }
    });
    return consumed || QWidget::eventFilter(watched, event);
}

void frmGPSmain::keyReleaseEvent(QKeyEvent* event)
{
    QWidget* focus = QApplication::focusWidget();
    // Keys of a child with the focus were handled by the event filter already.
    if (event->isAutoRepeat() || (focus != nullptr && focus != this && isAncestorOf(focus))) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    guarded([&] {
        Form_KeyUp(vbKeyCode(event->key(), event->modifiers()),
                   PictureBox::vbShift(event->modifiers()));
    });
}

void frmGPSmain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    guarded([&] { Form_Resize(); });
}

// ------------------------------------------------------------------------------ life cycle

void frmGPSmain::Form_Load()
{
    // 1-2: the routes and the active charts.
    ActiveMaps = std::make_shared<Recordset>();
    if (MainConnection) {
        guarded([&] { nav_.route.openList(*MainConnection); });
        guarded([&] {
            ActiveMaps->Open("SELECT * From Maps Where Active <> 0 Order by NAME ASC",
                             *MainConnection);
        });
    }

    // 3: start values (the navigation starts with them); centring is on.
    mapView.setCentredOnAircraft(true);
    picKartezentrieren->show();
    Frame1->hide();

    // 4: instrument, last chart.
    guarded([&] { LoadVOR(); });
    guarded([&] { ShowInstrument(0.0f); });
    guarded([&] { LoadLastMap(); });

    // 6: layer switches.
    dontResize = true;
    GridBusy = true;
    mapView.setChartStepping(false);
    TrackPaused = false;
    MapListIndex = 0;
    ShowLuftraum = ShowLuftraumHoehe = ShowPR = ShowRoute = ShowWayInfo = ShowAPT1 = ShowAPT2 =
        false;
    guarded([&] { LoadSet(); });

    // 7: no airport data file, no airport switches.
    if (!AptDataAvailable) {
        cmdAPT1->hide();
        cmdAPT2->hide();
        picAPT3->hide();
    }

    // 8: the view memory.
    chart_.openViewMemory(programFile("position.crm"));
}

void frmGPSmain::AirspaceFileMissing()
{
    cmdLR1->hide();
    cmdLR2->hide();
    cmdPR->hide();
    picLR3->hide();
    picPR->hide();
}

void frmGPSmain::Form_Activate()
{
    guarded([&] {
        // 1: the QNH of the day (standard pressure when none was set today).
        QNH = qnhInForce(QNH, QNHDate, today());
        lblQNH->setText(QStringLiteral("QNH ") + QString::number(QNH));
    });
    // 2-4.
    guarded([&] { SetToolTips(); });
    if (!picShowRoute->isHidden())
        guarded([&] { UpdateRouteInfo(); });
    progBar->show();
    // 5: a window never laid out (or laid out for another size) is laid out now.
    if (SlideMap->y() > height() || picMap->width() != width() - kPanelWidth) {
        dontResize = false;
        guarded([&] { Form_Resize(); });
    }
    // 6: the chart shown before.
    guarded([&] {
        if (!ActiveMaps || ActiveMaps->State() != Recordset::kStateOpen ||
            ActiveMaps->RecordCount() == 0) {
            chart_.invalidate();
            picMap->Cls();
            return;
        }
        ActiveMaps->MoveFirst();
        ActiveMaps->Find("Name", CompareOp::Equal, Value(LastMapName.toStdString()));
        if (ActiveMaps->Eof()) {
            GridBusy = true;
            ActiveMaps->MoveFirst();
        }
    });
    // 7: its view, the chart combo, the zoom and the redraw.
    guarded([&] { LoadMapView(); });
    guarded([&] { updateMapInfo(); });
    guarded([&] { SlideMap_Change(); });
    // 8: the routes.
    guarded([&] { refillRoutes(*this); });
    // 9.
    guarded([&] { LoadSavedCom(); });
    GridBusy = false;
    // 10: the GPS was on when the window was left: reopen the port without a new check.
    const GpsLink& link = nav_.link;
    const bool pictureShown = link.switchedOn() || link.pictures().noSignal;
    if (pictureShown && !MSComm1.isOpen() && openPort() && link.switchedOn())
        silenceWatch.setInterval(kSilenceMs);
    // 11: track buttons.
    if (!TrackLoggerOn) {
        cmdRecord->hide();
        cmdRecordAuto->hide();
        timeTrack.setInterval(0);
    } else if (TrackAutoOn) {
        cmdRecordAuto->show();
        cmdRecord->hide();
        timeTrack.setInterval(0);
    } else {
        cmdRecordAuto->hide();
        cmdRecord->show();
        // Interval 0 (set in the settings window meanwhile) means no recording: the paused
        // one ends instead of showing an indicator that nothing is behind.
        if (TrackPaused) {
            timeTrack.setInterval(TrackInterval);
            if (TrackInterval <= 0)
                picRecord->hide();
        }
    }
    // 12.
    progBar->setValue(100);
    progBar->hide();
    picMap->Refresh();
    setFocus();
}

void frmGPSmain::Form_Deactivate()
{
    LastMapName = cmbMaps->currentText();
    GridBusy = false;
    timerCheck.setInterval(0);
    silenceWatch.setInterval(0);
    busy_.release();
    TrackPaused = timeTrack.interval() > 0;
    timeTrack.setInterval(0);
    closePort();
    guarded([&] { SaveMapView(); });
}

void frmGPSmain::Form_Unload()
{
    timerCheck.setInterval(0);
    silenceWatch.setInterval(0);
    timeTrack.setInterval(0);
    busy_.release();
    closePort();
    guarded([&] { SaveMapView(); });
    guarded([&] { SaveVOR(); });
    guarded([&] { SaveSet(); });
}

void frmGPSmain::Form_Resize()
{
    // Skipped once after a switch of windows; a failure part-way keeps what was placed. In
    // every case dontResize is cleared.
    struct Clear
    {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{dontResize};
    if (dontResize)
        return;

    const int W = width() - kPanelWidth;
    const int H = height() - kStripHeight;
    if (W < kMinMapWidth || H < kMinMapHeight)
        return;

    // 1: the map.
    picMap->setGeometry(kMapLeft, 0, W, H);
    picMap->surface().resize(W, H);
    FitViewToWindow();
    UpdateMap();

    // 2: along the bottom edge of the map.
    const int mapLeft = picMap->x();
    cmdGPS->move(picMap->width() + 192, H + 5);
    for (QLabel* check : picGPSCheck)
        check->move(cmdGPS->pos());
    SlideMap->move(mapLeft + 175, H + 8);
    const int G =
        static_cast<int>(std::lround(std::lround(cmdGPS->x() - SlideMap->x() - 440) / 2.0));
    cmdKartezentrieren->move(mapLeft + 515 + G, H + 5);
    picKartezentrieren->move(cmdKartezentrieren->pos());
    cmdMapScroll->move(mapLeft + 444 + G, H + 5);
    PicMapScroll->move(cmdMapScroll->pos());
    cmbMaps->move(mapLeft, H + 9);
    tNextMap->move(mapLeft, H + 8);
    LblMapNumber->move(mapLeft - 33, H + 11);

    // 3: inside the map, along its bottom and at its top right.
    const int mapHeight = picMap->height();
    Frame3->move(Frame3->x(), mapHeight - 28);
    progBar->move(progBar->x(), mapHeight - 30);
    lblStatus->move(W - 243, mapHeight - 28);
    frmQNH->move(W - 85, mapHeight - 28);
    cmdRecord->move(W - 43, cmdRecord->y());
    picRecord->move(W - 43, picRecord->y());
    cmdRecordAuto->move(W - 43, cmdRecordAuto->y());
}

// ------------------------------------------------------------------------------ files

void frmGPSmain::LoadSavedCom()
{
    // A missing or broken data.crm is written anew with port 1 at 4800 baud by the reader; the
    // port number and the line settings in use stay as they were.
    const std::optional<SavedCom> saved = tv::LoadSavedCom();
    if (!saved)
        return;
    SavedComPort = saved->port;
    const std::string& settings = saved->settings;
    const std::string baud = settings.substr(0, settings.find(','));
    const double rate = leadingNumber(QString::fromStdString(baud));
    if (rate >= 1.0 && rate <= 4000000.0)
        baudRate_ = static_cast<qint32>(rate);
    if (MSComm1.isOpen())
        MSComm1.setBaudRate(baudRate_);
}

void frmGPSmain::LoadVOR()
{
    const std::optional<VorSettings> vor = LoadVorFile(programFile("VOR.crm"));
    if (!vor)
        return;
    nav_.instrument.vorName = QString::fromStdString(vor->vorName);
    nav_.instrument.mode = instrumentModeFromText(QString::fromStdString(vor->mode));
    nav_.instrument.course = QString::fromStdString(vor->course);
    lblVOR1->setText(nav_.instrument.vorName);
}

void frmGPSmain::SaveVOR()
{
    VorSettings vor;
    vor.vorName = nav_.instrument.vorName.toStdString();
    vor.mode = instrumentModeText(nav_.instrument.mode).toStdString();
    vor.course = nav_.instrument.course.toStdString();
    SaveVorFile(programFile("VOR.crm"), vor);
}

void frmGPSmain::LoadSet()
{
    LayerFlags flags{ShowLuftraum, ShowLuftraumHoehe, ShowPR,  ShowRoute,
                     ShowWayInfo,  ShowAPT1,          ShowAPT2};
    LoadSetFile(programFile("Set.crm"), flags);
    ShowLuftraum = flags.ShowLuftraum;
    ShowLuftraumHoehe = flags.ShowLuftraumHoehe;
    ShowPR = flags.ShowPR;
    ShowRoute = flags.ShowRoute;
    ShowWayInfo = flags.ShowWayInfo;
    ShowAPT1 = flags.ShowAPT1;
    ShowAPT2 = flags.ShowAPT2;
    // The switches show the flags; a flag that is off changes nothing.
    if (ShowLuftraum)
        cmdLR1->hide();
    if (ShowLuftraumHoehe)
        cmdLR2->hide();
    if (ShowPR)
        picPR->show();
    if (ShowRoute)
        picShowRoute->show();
    if (ShowWayInfo)
        picWayInfo->show();
    if (ShowAPT1)
        cmdAPT1->hide();
    if (ShowAPT2)
        cmdAPT2->hide();
}

void frmGPSmain::SaveSet()
{
    SaveSetFile(programFile("Set.crm"), LayerFlags{ShowLuftraum, ShowLuftraumHoehe, ShowPR,
                                                   ShowRoute, ShowWayInfo, ShowAPT1, ShowAPT2});
}

} // namespace tv
