#include "calibration/frmCalRect.h"

#include "calibration/ChartSave.h"
#include "calibration/MapPicture.h"
#include "calibration/QuickFind.h"
#include "core/HandlerGuard.h"
#include "core/NumberFormat.h"
#include "core/Variablen.h"
#include "core/forms/KeyUp.h"
#include "core/forms/MsgBox.h"
#include "core/forms/RecordsetGridModel.h"
#include "core/forms/VbTimer.h"
#include "core/windows/WindowLook.h"
#include "map/DrawSurface.h"
#include "platform/Recordset.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QStackedLayout>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace tv {
namespace {

constexpr uint32_t kWindowBack = 0xFF8080;
constexpr uint32_t kPlaced = 0x00FFFF;     // yellow: point placed, coordinates awaited
constexpr uint32_t kSavedPoint = 0x00FF00; // green: coordinates saved
constexpr uint32_t kExample = 0x00FFFF;
constexpr uint32_t kSaveButton = 0x80FF80;
constexpr uint32_t kExitButton = 0xC0C000;

// The map picture: 10680 x 5940 twips at 15 twips per pixel.
constexpr int kMapWidthPx = 712;
constexpr int kMapHeightPx = 396;
// The slider is 10695 twips long; a click sets the zoom by its position along it.
constexpr double kSliderTwips = 10695.0;

void plainBackground(QWidget* w)
{
    w->setPalette(QPalette());
    w->setAutoFillBackground(false);
}

// A stored coordinate as a box shows it: signed, in the user's number format.
QString coordinateText(double ddmm)
{
    return QString::fromStdString(numberText(ddmm, userDecimalMark()));
}

bool isArrow(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
}

} // namespace

frmCalRect::frmCalRect()
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("Karten kalibieren"));
    buildControls();
}

void frmCalRect::buildControls()
{
    paintFieldBackground(this, vbColor(kWindowBack));
    picMap = new MapPicture(this);
    picMap->setFixedSize(kMapWidthPx, kMapHeightPx);
    SlideMap = new QSlider(Qt::Horizontal, this);
    SlideMap->setRange(MapView::kSliderMin, MapView::kSliderMax);
    SlideMap->setSingleStep(1);
    SlideMap->setPageStep(5);
    SlideMap->setValue(0);
    // Dragging the thumb reports Scroll steps; the value changes (Change) when it is let go.
    SlideMap->setTracking(false);
    Label3 = new QLabel(QStringLiteral("Label3"), this);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setWordWrap(true);
    Label3->setFixedWidth(193);
    cmdExit = new QPushButton(this);
    cmdExit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    cmdExit->setIconSize(QSize(32, 32));
    cmdExit->setFixedSize(89, 57);
    paintFieldBackground(cmdExit, vbColor(kExitButton));
    timArr = new VbTimer(this);
    timArr->onTick([this] { guarded([&] { timArr_Timer(); }); });

    buildPanel(1);
    buildPanel(2);
    // The keyboard flow of the entry panels, on the key's release, and only for a key pressed in
    // the same control: the Enter that closes a message is pressed in the message, so its
    // release saves nothing and cannot open the message again.
    for (int point = 1; point <= 2; ++point) {
        const auto p = static_cast<size_t>(point);
        auto save = [this, point] { point == 1 ? cmdSave1_Click() : cmdSave2_Click(); };
        onKeyUp(tLat[p], [this, p](int key) {
            guarded([&] {
                if (isEnterKey(key))
                    tLong[p]->setFocus();
            });
        });
        onKeyUp(tLong[p], [save](int key) {
            if (isEnterKey(key))
                guarded(save);
        });
        onKeyUp(tQuickfind[p], [this, point, save](int key) {
            guarded([&] {
                QuickFind(point);
                if (isEnterKey(key))
                    save();
            });
        });
        onKeyUp(gridWay[p], [save](int key) {
            if (isEnterKey(key))
                guarded(save);
        });
    }

    // The two entry panels share one place, which keeps the size of the larger whether a panel
    // is shown or not: placing a point never changes the window's size.
    auto* panels = new QWidget(this);
    panels->setFixedWidth(frmP[1]->width());
    auto* stack = new QStackedLayout(panels);
    stack->setStackingMode(QStackedLayout::StackAll);
    stack->addWidget(frmP[1]);
    stack->addWidget(frmP[2]);

    auto* right = new QVBoxLayout;
    right->addWidget(Label3);
    right->addWidget(panels);
    right->addStretch(1);
    right->addWidget(cmdExit, 0, Qt::AlignHCenter);

    auto* left = new QVBoxLayout;
    left->addWidget(picMap);
    left->addWidget(SlideMap);
    left->addStretch(1);

    // A window of fixed size: as large as its controls need, whatever the screen.
    auto* top = new QHBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);
    top->addLayout(left);
    top->addLayout(right);

    picMap->onMouseDown(
        [this](int b, int, double x, double y) { guarded([&] { picMap_MouseDown(b, x, y); }); });
    picMap->onMouseMove(
        [this](int b, int, double x, double y) { guarded([&] { picMap_MouseMove(b, x, y); }); });
    picMap->onDoubleClick([this] { guarded([&] { picMap_DblClick(); }); });
    picMap->onKeyPress([this](const QString& text) { guarded([&] { picMap_KeyPress(text); }); });
    picMap->onResize([this] { guarded([&] { Draw_Picture(); }); });
    connect(SlideMap, &QSlider::valueChanged, this,
            [this](int) { guarded([&] { SlideMap_Change(); }); });
    connect(SlideMap, &QSlider::sliderMoved, this,
            [this](int) { guarded([&] { SlideMap_Scroll(); }); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([&] { cmdExit_Click(); }); });
    connect(cmdSave[1], &QPushButton::clicked, this,
            [this] { guarded([&] { cmdSave1_Click(); }); });
    connect(cmdSave[2], &QPushButton::clicked, this,
            [this] { guarded([&] { cmdSave2_Click(); }); });

    // Enter belongs to the entry panels' keyboard flow, never to a default button.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    // The window sees every key before its controls do (arrow keys scroll the chart also while
    // the caret is in a box), and the slider's release sets the zoom by its position.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    installEventFilter(this);
}

void frmCalRect::buildPanel(int point)
{
    const auto p = static_cast<size_t>(point);
    auto* frame =
        new QGroupBox(point == 1 ? QStringLiteral("Punkt 1") : QStringLiteral("Punkt 2"), this);
    paintFieldBackground(frame, vbColor(kWindowBack));
    frame->setFixedWidth(193);
    frmP[p] = frame;
    latCaption[p] = new QLabel(QStringLiteral("Breitengrad"), frame);
    longCaption[p] = new QLabel(QStringLiteral("Längengrad"), frame);
    tLat[p] = new QLineEdit(frame);
    tLong[p] = new QLineEdit(frame);
    for (QLineEdit* box : {tLat[p], tLong[p]})
        box->setAlignment(Qt::AlignCenter);
    takenAs[p] = new QLabel(frame);
    takenAs[p]->setAlignment(Qt::AlignCenter);
    example[p] = new QLabel(QStringLiteral("Bsp: N48° 10': 48,1"), frame);
    QPalette yellow = example[p]->palette();
    yellow.setColor(QPalette::WindowText, vbColor(kExample));
    example[p]->setPalette(yellow);
    findCaption[p] = new QLabel(QStringLiteral("Schnellsuche"), frame);
    tQuickfind[p] = new QLineEdit(frame);
    gridModel_[p] = new RecordsetGridModel({{QStringLiteral("Name"), QString(), true}}, this);
    gridModel_[p]->setCaption(0, QStringLiteral("Wegpunkt"));
    gridWay[p] = new QTableView(frame);
    gridWay[p]->setModel(gridModel_[p]);
    gridWay[p]->horizontalHeader()->setStretchLastSection(true);
    gridWay[p]->verticalHeader()->hide();
    gridWay[p]->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridWay[p]->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridWay[p]->setSelectionMode(QAbstractItemView::SingleSelection);
    gridWay[p]->setFixedHeight(89);
    cmdSave[p] = new QPushButton(QStringLiteral("Speichern"), frame);
    paintFieldBackground(cmdSave[p], vbColor(kSaveButton));

    auto* g = new QGridLayout(frame);
    g->addWidget(latCaption[p], 0, 0);
    g->addWidget(longCaption[p], 0, 1);
    g->addWidget(tLat[p], 1, 0);
    g->addWidget(tLong[p], 1, 1);
    g->addWidget(takenAs[p], 2, 0, 1, 2);
    g->addWidget(example[p], 3, 0, 1, 2);
    g->addWidget(findCaption[p], 4, 0, 1, 2);
    g->addWidget(tQuickfind[p], 5, 0, 1, 2);
    g->addWidget(gridWay[p], 6, 0, 1, 2);
    g->addWidget(cmdSave[p], 7, 0, 1, 2);

    // What the pilot types is read with the hemispheres shown; a waypoint's text with its sign.
    connect(tLat[p], &QLineEdit::textEdited, this, [this, point, p] {
        latFromWaypoint_[p] = false;
        guarded([&] { showTakenAs(point); });
    });
    connect(tLong[p], &QLineEdit::textEdited, this, [this, point, p] {
        lonFromWaypoint_[p] = false;
        guarded([&] { showTakenAs(point); });
    });
    for (QLineEdit* box : {tLat[p], tLong[p]})
        connect(box, &QLineEdit::textChanged, this,
                [this, point] { guarded([&] { showTakenAs(point); }); });

    connect(gridWay[p]->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, point](const QModelIndex& current, const QModelIndex&) {
                guarded(
                    [&] { gridWay_RowColChange(point, current.isValid() ? current.row() : -1); });
            });
}

// ------------------------------------------------------------------------------ life cycle

void frmCalRect::Form_Load()
{
    showPanel(0);
    mark_.reset();
    up_ = down_ = left_ = right_ = false;
    timArr->setInterval(100);
    picMap->setFocus();
}

void frmCalRect::Form_Activate()
{
    if (Language != 0 && Language != 1)
        return;
    const bool de = Language == 0;
    setWindowTitle((de ? QStringLiteral("Kalibrierung: ") : QStringLiteral("Calibrate: ")) +
                   chartName_);
    Label3->setText(
        de ? QStringLiteral("Zum Kalibrieren einfach zwei Punkte anklicken und die Koordinaten "
                            "eingeben oder einen bekannten Punkt aus der Datenbank auswählen.")
           : QStringLiteral("To calibrate the map click on two points and enter the coordinates "
                            "or select a point from the database."));
    frmP[1]->setTitle(de ? QStringLiteral("Eingabe Punkt 1") : QStringLiteral("Enter point 1"));
    frmP[2]->setTitle(de ? QStringLiteral("Eingabe Punkt 2") : QStringLiteral("Enter point 2"));
    for (size_t p = 1; p <= 2; ++p) {
        latCaption[p]->setText(de ? QStringLiteral("Breitengrad") : QStringLiteral("Latitude"));
        longCaption[p]->setText(de ? QStringLiteral("Längengrad") : QStringLiteral("Longitude"));
        example[p]->setText(de ? QStringLiteral("Bsp: N48° 10': 48,1")
                               : QStringLiteral("Exp: N48° 10': 48,1"));
        findCaption[p]->setText(de ? QStringLiteral("Schnellsuche") : QStringLiteral("Quickfind"));
        gridModel_[p]->setCaption(0, de ? QStringLiteral("   Wegpunkt")
                                        : QStringLiteral("   Waypoint"));
        cmdSave[p]->setText(de ? QStringLiteral("Speichern") : QStringLiteral("Save"));
    }
}

void frmCalRect::InitializeData(const QString& chartName, const QImage& image, int headerWidth,
                                int headerHeight, const ChartHemispheres& hemispheres,
                                TakeEdges takeEdges)
{
    hemispheres_ = hemispheres;
    takeEdges_ = std::move(takeEdges);
    chartName_ = chartName;
    headerWidth_ = headerWidth;
    headerHeight_ = headerHeight;
    DrawSurface& surface = picMap->surface();
    surface.resize(kMapWidthPx, kMapHeightPx);
    mapView_.setViewSize(surface.ScaleWidth(), surface.ScaleHeight());
    mapView_.loadImage(image, headerWidth, headerHeight);
    refreshSliderQuietly();
    Form_Activate();
    Draw_Picture();
}

void frmCalRect::cmdExit_Click()
{
    done(0);
}

// ------------------------------------------------------------------------------ the view

void frmCalRect::Draw_Picture()
{
    DrawSurface& surface = picMap->surface();
    mapView_.paint(surface);
    // The cross-hair: from the cursor to the four edges of the map picture.
    surface.setDrawWidth(2);
    surface.Line(cursorX_, cursorY_, cursorX_, 0, 0x000000);
    surface.Line(cursorX_, cursorY_, cursorX_, surface.ScaleHeight(), 0x000000);
    surface.Line(cursorX_, cursorY_, 0, cursorY_, 0x000000);
    surface.Line(cursorX_, cursorY_, surface.ScaleWidth(), cursorY_, 0x000000);
    if (mark_) {
        if (const auto at = mapView_.imageToView(*mark_)) {
            surface.setDrawWidth(5);
            surface.Circle(at->x(), at->y(), 5, 0xFF0000);
            surface.setDrawWidth(5);
            surface.Circle(at->x(), at->y(), 8, 0x000000);
        }
    }
    picMap->update();
}

void frmCalRect::refreshSliderQuietly()
{
    const QSignalBlocker quiet(SlideMap);
    SlideMap->setValue(mapView_.sliderValue());
}

void frmCalRect::SlideMap_Change()
{
    mapView_.setSliderValue(SlideMap->value());
    mapView_.applyZoom();
    Draw_Picture();
}

void frmCalRect::SlideMap_Scroll()
{
    mapView_.setSliderValue(SlideMap->sliderPosition());
    mapView_.applyZoom(true);
    Draw_Picture();
}

void frmCalRect::SlideMap_MouseUp(double xTwips)
{
    mapView_.setSliderValue(mapView_.sliderValueFromClick(xTwips));
    refreshSliderQuietly();
    mapView_.applyZoom();
    Draw_Picture();
}

void frmCalRect::picMap_MouseDown(int, double x, double y)
{
    mapView_.press(x, y);
}

void frmCalRect::picMap_MouseMove(int button, double x, double y)
{
    if (button == 1)
        mapView_.dragTo(x, y);
    cursorX_ = x;
    cursorY_ = y;
    Draw_Picture();
    if (const auto image = mapView_.viewToImage(QPointF(x, y))) {
        tx_ = image->x();
        ty_ = image->y();
    }
}

void frmCalRect::Form_KeyDown(int key)
{
    if (key == Qt::Key_Up)
        up_ = true;
    else if (key == Qt::Key_Down)
        down_ = true;
    else if (key == Qt::Key_Left)
        left_ = true;
    else if (key == Qt::Key_Right)
        right_ = true;
    else
        return;
    // Held keys repeat their key-down; the running timer keeps its count, or it would never
    // tick while a key is held.
    if (!timArr->isRunning())
        timArr->setInterval(100);
}

void frmCalRect::Form_KeyUp(int key)
{
    if (!isArrow(key))
        return;
    if (key == Qt::Key_Up)
        up_ = false;
    else if (key == Qt::Key_Down)
        down_ = false;
    else if (key == Qt::Key_Left)
        left_ = false;
    else
        right_ = false;
    timArr->setInterval(0);
}

void frmCalRect::timArr_Timer()
{
    // One step is a twentieth of the whole image, whatever the zoom.
    const double stepY = mapView_.imageHeightPx() / 20.0;
    const double stepX = mapView_.imageWidthPx() / 20.0;
    if (up_) {
        mapView_.moveSourceY(-stepY);
        Draw_Picture();
    }
    if (down_) {
        mapView_.moveSourceY(stepY);
        Draw_Picture();
    }
    if (left_) {
        mapView_.moveSourceX(-stepX);
        Draw_Picture();
    }
    if (right_) {
        mapView_.moveSourceX(stepX);
        Draw_Picture();
    }
}

void frmCalRect::seeEvent(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        Form_KeyDown(key->key());
    } else if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            Form_KeyUp(key->key());
    } else if (event->type() == QEvent::MouseButtonRelease && watched == SlideMap) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (SlideMap->width() > 0)
            SlideMap_MouseUp(mouse->position().x() * kSliderTwips / SlideMap->width());
    }
}

bool frmCalRect::eventFilter(QObject* watched, QEvent* event)
{
    guarded([&] { seeEvent(watched, event); });
    return DialogForm::eventFilter(watched, event);
}

// ------------------------------------------------------------------------------ the points

void frmCalRect::showPanel(int point)
{
    openPoint_ = point;
    frmP[1]->setVisible(point == 1);
    frmP[2]->setVisible(point == 2);
}

void frmCalRect::setPointColour(int point, PointState state)
{
    const auto p = static_cast<size_t>(point);
    for (QLineEdit* box : {tLat[p], tLong[p]}) {
        if (state == PointState::None)
            plainBackground(box);
        else
            paintFieldBackground(box, vbColor(state == PointState::Placed ? kPlaced : kSavedPoint));
    }
    points_[p].state = state;
}

void frmCalRect::placePoint(int point)
{
    const auto p = static_cast<size_t>(point);
    showPanel(point);
    cmdSave[p]->setEnabled(true);
    tLat[p]->clear();
    tLong[p]->clear();
    setPointColour(point, PointState::Placed);
    points_[p].x = tx_;
    points_[p].y = ty_;
    latFromWaypoint_[p] = false;
    lonFromWaypoint_[p] = false;
    showTakenAs(point);
}

void frmCalRect::picMap_DblClick()
{
    mark_ = QPointF(tx_, ty_);
    Draw_Picture();
    // Until point 1 is saved every double click places it anew; after that, point 2.
    if (points_[1].state == PointState::Saved)
        placePoint(2);
    else if (openPoint_ != 2)
        placePoint(1);
}

void frmCalRect::picMap_KeyPress(const QString& text)
{
    const int point = openPoint_;
    if (point == 0)
        return;
    const auto p = static_cast<size_t>(point);
    // A saved point takes no typing: its save button is disabled.
    if (points_[p].state != PointState::Placed)
        return;
    if (text.at(0).isDigit()) {
        tLat[p]->setFocus();
        tLat[p]->setText(text.left(1));
        tLat[p]->setCursorPosition(1);
    } else {
        tQuickfind[p]->setFocus();
        tQuickfind[p]->setText(text.left(1));
        tQuickfind[p]->setCursorPosition(1);
        QuickFind(point);
    }
}

void frmCalRect::QuickFind(int point)
{
    const auto p = static_cast<size_t>(point);
    auto result = std::make_shared<Recordset>();
    const std::string typed = tQuickfind[p]->text().toStdString();
    // A find that fails leaves no result, as one without a match.
    if (MainConnection && !guarded([&] { openWaypointQuickFind(*result, *MainConnection, typed); }))
        result = std::make_shared<Recordset>();
    quickFind_[p] = result;
    if (result->State() != Recordset::kStateOpen || result->RecordCount() < 1) {
        tLat[p]->clear();
        tLong[p]->clear();
    }
    const QSignalBlocker quiet(gridWay[p]->selectionModel());
    gridModel_[p]->bind(result.get());
}

void frmCalRect::gridWay_RowColChange(int point, int row)
{
    const auto p = static_cast<size_t>(point);
    const std::shared_ptr<Recordset>& rs = quickFind_[p];
    // No current row, or an empty result: no waypoint to take.
    if (row < 0 || !rs || rs->State() != Recordset::kStateOpen || rs->RecordCount() < 1)
        return;
    rs->SetBookmark(gridModel_[p]->bookmarkAt(row));
    const auto lat = rs->Field("Lat").asNumber();
    const auto lon = rs->Field("Long").asNumber();
    latFromWaypoint_[p] = true;
    lonFromWaypoint_[p] = true;
    tLat[p]->setText(lat ? coordinateText(*lat) : QString());
    tLong[p]->setText(lon ? coordinateText(*lon) : QString());
}

std::optional<double> frmCalRect::coordinate(int point, bool latitude) const
{
    const auto p = static_cast<size_t>(point);
    const Point& at = points_[p];
    int hemisphere = kNorthOrEast; // a waypoint's unsigned coordinate is north or east
    if (latitude && !latFromWaypoint_[p])
        hemisphere = hemispheres_.latitudeAt(at.y, headerHeight_);
    else if (!latitude && !lonFromWaypoint_[p])
        hemisphere = hemispheres_.longitudeAt(at.x, headerWidth_);
    return typedCoordinate((latitude ? tLat[p] : tLong[p])->text().toStdString(), hemisphere);
}

void frmCalRect::showTakenAs(int point)
{
    const auto words = [this, point](bool latitude) {
        const auto value = coordinate(point, latitude);
        return value ? QString::fromStdString(coordinateWords(*value, latitude, userDecimalMark()))
                     : QString();
    };
    takenAs[static_cast<size_t>(point)]->setText(words(true) + QStringLiteral("  ") + words(false));
}

bool frmCalRect::savePoint(int point)
{
    const auto p = static_cast<size_t>(point);
    if (points_[p].state != PointState::Placed)
        return false;
    const auto lat = coordinate(point, true);
    if (!lat)
        return false;
    const auto lon = coordinate(point, false);
    if (!lon)
        return false;
    // Minutes of 60 or more, or beyond the pole or the date line: no place, nothing is saved.
    if (!isPlaceCoordinate(*lat, true) || !isPlaceCoordinate(*lon, false)) {
        const EdgeMessage message = edgeDataError(Language);
        MsgBox(QString::fromStdString(message.text), QString::fromStdString(message.title));
        return false;
    }
    points_[p].lat = *lat;
    points_[p].lon = *lon;
    setPointColour(point, PointState::Saved);
    return true;
}

void frmCalRect::cmdSave1_Click()
{
    if (!savePoint(1))
        return;
    tLat[1]->setEnabled(false);
    tLong[1]->setEnabled(false);
    const QModelIndex current = gridWay[1]->currentIndex();
    tQuickfind[1]->setText(current.isValid() ? current.data().toString() : QString());
    tQuickfind[1]->setEnabled(false);
    cmdSave[1]->setEnabled(false);
    gridWay[1]->setEnabled(false);
}

void frmCalRect::cmdSave2_Click()
{
    if (!savePoint(2))
        return;
    tQuickfind[2]->setEnabled(false);
    cmdSave[2]->setEnabled(false);
    gridWay[2]->setEnabled(false);
    CalculateCalibration();
}

void frmCalRect::unlockPoint2()
{
    setPointColour(2, PointState::Placed);
    cmdSave[2]->setEnabled(true);
    tQuickfind[2]->setEnabled(true);
    gridWay[2]->setEnabled(true);
}

void frmCalRect::CalculateCalibration()
{
    const ReferencePoint p1{points_[1].x, points_[1].y, points_[1].lat, points_[1].lon};
    const ReferencePoint p2{points_[2].x, points_[2].y, points_[2].lat, points_[2].lon};
    const CalibrationResult result = tv::CalculateCalibration(p1, p2, headerWidth_, headerHeight_);
    const bool de = Language == 0;
    if (result.message == CalibrationMessage::PointsTooClose) {
        MsgBox(de ? QStringLiteral("Bitte andere Koordinatenpunkte aussuchen...")
                  : QStringLiteral("Please choose other coordinates..."),
               de ? QStringLiteral("Datenfehler") : QStringLiteral("Points too close"));
        unlockPoint2();
        return;
    }
    // The opener's save decides: a refused save has said why, and the pilot may correct
    // point 2.
    if (!takeEdges_ || !takeEdges_(result)) {
        unlockPoint2();
        return;
    }
    const bool near = result.message == CalibrationMessage::CalibratedHint;
    MsgBox(de ? (near ? QStringLiteral("Karte wurde kalibriert. Für ein besseres Ergebnis zwei "
                                       "Punkte auswählen, die weiter auseinander liegen...")
                      : QStringLiteral("Karte wurde kalibriert."))
              : (near ? QStringLiteral("Map calibrated. For a better result please use two points "
                                       "which are further apart...")
                      : QStringLiteral("Map calibrated")),
           de ? QStringLiteral("Karte kalibriert") : QStringLiteral("Map calibrated"));
    done(1);
}

} // namespace tv
