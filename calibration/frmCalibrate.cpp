#include "calibration/frmCalibrate.h"

#include "calibration/ChartList.h"
#include "calibration/ImageHeaderSize.h"
#include "calibration/frmCalRect.h"
#include "core/FileHelpers.h"
#include "core/HandlerGuard.h"
#include "core/NameLength.h"
#include "core/NumberFormat.h"
#include "core/UnsavedFile.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "core/forms/RecordsetGridModel.h"
#include "core/windows/WindowLook.h"
#include "map/ChartImage.h"
#include "map/ChartRow.h"
#include "map/DrawSurface.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace tv {
namespace {

// Backgrounds, 0x00BBGGRR.
constexpr uint32_t kWindowBack = 0x800000;
constexpr uint32_t kListFrameBack = 0xFF8080;
constexpr uint32_t kNotSaved = 0x80FFFF; // light yellow: typed or edited, not stored
constexpr uint32_t kSaved = 0xFFC0C0;    // light blue: as stored

QString pick(const char* de, const char* en)
{
    return QString::fromUtf8(Language == 0 ? de : en);
}

QString folderText()
{
    return QString::fromStdString(chartFolder().string());
}

} // namespace

frmCalibrate::frmCalibrate()
{
    setWindowTitle(QStringLiteral("Kartendaten"));
    buildControls();
}

void frmCalibrate::buildControls()
{
    paintFieldBackground(this, vbColor(kWindowBack));
    for (int i = 1; i <= 11; ++i) {
        Label[static_cast<size_t>(i)] = new QLabel(this);
        Label[static_cast<size_t>(i)]->setAlignment(Qt::AlignCenter);
    }

    Frame1 = new QGroupBox(this);
    paintFieldBackground(Frame1, vbColor(0xFFC0C0));
    Frame2 = new QGroupBox(Frame1);
    paintFieldBackground(Frame2, vbColor(kListFrameBack));
    Frame3 = new QGroupBox(this);
    paintFieldBackground(Frame3, vbColor(0xFFC0C0));

    tPath = new QLineEdit(Frame1);
    tPath->setReadOnly(true);
    listKarten = new QListWidget(Frame2);
    listKarten->setObjectName(QStringLiteral("listKarten"));
    auto* frame2Layout = new QVBoxLayout(Frame2);
    frame2Layout->addWidget(listKarten);
    chkVorschau = new QCheckBox(Frame1);
    cmdFillList = new QPushButton(Frame1);
    cmdCalibrate = new QPushButton(Frame1);
    cmdSpeichern = new QPushButton(Frame1);
    cmdSpeichern->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    cmdSpeichern->setIconSize(QSize(32, 32));
    cmdSpeichern->setMinimumSize(56, 48);

    picMap = new QLabel(Frame1);
    picMap->setMinimumSize(360, 260);
    picMap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    picMap->setScaledContents(true); // the preview fills the whole box, proportions or not
    paintFieldBackground(picMap, vbColor(0xFFFFFF));

    for (size_t i = 0; i < 4; ++i) {
        tKarten[i] = new QLineEdit(Frame1);
        tKarten[i]->setAlignment(Qt::AlignCenter);
        tKarten[i]->setMaximumWidth(110);
        cmbLatLong[i] = new QComboBox(Frame1);
        if (i < 2)
            cmbLatLong[i]->addItems({QStringLiteral("N"), QStringLiteral("S")});
        else
            cmbLatLong[i]->addItems({QStringLiteral("E"), QStringLiteral("W")});
    }
    lblBreite = new QLabel(Frame1);
    lblHoehe = new QLabel(Frame1);
    for (QLabel* size : {lblBreite, lblHoehe}) {
        size->setFrameShape(QFrame::Panel);
        size->setFrameShadow(QFrame::Sunken);
        size->setMinimumWidth(80);
        size->setAlignment(Qt::AlignCenter);
        paintFieldBackground(size, vbColor(0xFFFFFF));
    }

    gridModel_ = new RecordsetGridModel({{QStringLiteral("Name"), QString(), true}}, this);
    gridMaps = new QTableView(Frame3);
    gridMaps->setModel(gridModel_);
    gridMaps->horizontalHeader()->setStretchLastSection(true);
    gridMaps->verticalHeader()->hide();
    gridMaps->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridMaps->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* frame3Layout = new QVBoxLayout(Frame3);
    frame3Layout->addWidget(gridMaps);

    // An edge: caption, box and selector in a row, the example below.
    auto edge = [this](int box, int caption, int example) {
        auto* w = new QWidget(Frame1);
        auto* g = new QGridLayout(w);
        g->setContentsMargins(0, 0, 0, 0);
        g->addWidget(Label[static_cast<size_t>(caption)], 0, 0, 1, 2);
        g->addWidget(tKarten[static_cast<size_t>(box)], 1, 0);
        g->addWidget(cmbLatLong[static_cast<size_t>(box)], 1, 1);
        g->addWidget(Label[static_cast<size_t>(example)], 2, 0, 1, 2);
        return w;
    };
    auto* edges = new QGridLayout;
    edges->addWidget(edge(1, 1, 11), 0, 1, Qt::AlignCenter);
    edges->addWidget(edge(2, 4, 6), 1, 0, Qt::AlignVCenter);
    edges->addWidget(picMap, 1, 1);
    edges->addWidget(edge(3, 3, 10), 1, 2, Qt::AlignVCenter);
    edges->addWidget(edge(0, 2, 5), 2, 1, Qt::AlignCenter);
    edges->setColumnStretch(1, 1);
    edges->setRowStretch(1, 1);

    auto* size = new QHBoxLayout;
    size->addWidget(Label[8]);
    size->addWidget(lblBreite);
    size->addSpacing(12);
    size->addWidget(Label[9]);
    size->addWidget(lblHoehe);
    size->addStretch(1);
    size->addWidget(cmdSpeichern);

    auto* left = new QVBoxLayout;
    left->addWidget(Label[7]);
    left->addWidget(tPath);
    left->addWidget(Frame2, 1);
    left->addWidget(chkVorschau);
    left->addWidget(cmdFillList);
    left->addWidget(cmdCalibrate);

    auto* middle = new QVBoxLayout;
    middle->addLayout(edges, 1);
    middle->addLayout(size);

    auto* frame1Layout = new QHBoxLayout(Frame1);
    frame1Layout->addLayout(left, 2);
    frame1Layout->addLayout(middle, 5);

    auto* top = new QHBoxLayout(this);
    top->addWidget(Frame1, 5);
    top->addWidget(Frame3, 1);

    // A press on another chart makes it current (shown at once); the click that follows, or a
    // click on the current chart, is listKarten_Click.
    connect(listKarten, &QListWidget::currentRowChanged, this, [this](int) {
        shownByRowChange_ = true;
        guarded([&] { ShowMapData(); });
    });
    connect(listKarten, &QListWidget::itemClicked, this, [this](QListWidgetItem*) {
        if (shownByRowChange_)
            shownByRowChange_ = false;
        else
            guarded([&] { listKarten_Click(); });
    });
    connect(listKarten, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        guarded([&] { listKarten_ItemCheck(listKarten->row(item)); });
    });
    connect(cmdFillList, &QPushButton::clicked, this, [this] { guarded([&] { FillMapList(); }); });
    connect(cmdSpeichern, &QPushButton::clicked, this,
            [this] { guarded([&] { cmdSpeichern_Click(); }); });
    connect(cmdCalibrate, &QPushButton::clicked, this,
            [this] { guarded([&] { cmdCalibrate_Click(); }); });
    connect(chkVorschau, &QCheckBox::toggled, this,
            [this](bool) { guarded([&] { chkVorschau_Click(); }); });
    for (QLineEdit* box : tKarten)
        box->installEventFilter(this);
    // Only the pilot's choice reaches the hemispheres: the window writes the selectors quietly.
    for (size_t i = 0; i < 4; ++i)
        connect(cmbLatLong[i], &QComboBox::currentIndexChanged, this,
                [this, i](int index) { guarded([&] { hemispheres_.choose(i, index); }); });
}

bool frmCalibrate::eventFilter(QObject* watched, QEvent* event)
{
    // A click into an edge box marks it as edited (light yellow) until the next save.
    if (event->type() == QEvent::MouseButtonPress) {
        for (QLineEdit* box : tKarten)
            if (watched == box)
                paintFieldBackground(box, vbColor(kNotSaved));
    }
    return MdiForm::eventFilter(watched, event);
}

// ------------------------------------------------------------------------------ life cycle

void frmCalibrate::Form_Load()
{
    tPath->setText(folderText());
    setEdgeColours(kNotSaved);
    for (QLineEdit* box : tKarten)
        box->clear();
    {
        const QSignalBlocker quiet(chkVorschau);
        chkVorschau->setChecked(false);
    }
    FillMapList();
    LoadLatSettings();
    SetLanguage();
}

void frmCalibrate::Form_Activate()
{
    SetLanguage();
}

void frmCalibrate::Form_Deactivate()
{
    lastChartName_ = currentChart();
}

void frmCalibrate::Form_Unload()
{
    LatSettings settings;
    for (size_t i = 0; i < 4; ++i)
        settings.hemisphere[i] = hemispheres_.at(i);
    settings.preview = chkVorschau->isChecked() ? 1 : 0;
    if (!saveLatSettings(chartFolder() / "LatData.crm", settings))
        passOverUnsaved(chartFolder() / "LatData.crm",
                        "only the remembered selectors are lost; the window is closing");
}

void frmCalibrate::LoadLatSettings()
{
    // The remembered hemispheres are not shown: those of the chart on screen are its own, and
    // a chart never saved starts at N and E. The file keeps them for its format.
    const LatSettings settings = loadLatSettings(chartFolder() / "LatData.crm");
    chkVorschau->setChecked(settings.preview == 1);
}

void frmCalibrate::SetLanguage()
{
    Label[1]->setText(pick("Breitengrad oben", "Latitude - Upper"));
    Label[2]->setText(pick("Breitengrad unten", "Latitude - Lower"));
    Label[3]->setText(pick("Längengrad rechts", "Longitude - Right"));
    Label[4]->setText(pick("Längengrad links", "Longitude - Left"));
    Label[5]->setText(pick("Bsp.: N 47°40': 47,4", "Exp.: N 47°40': 47.4"));
    Label[6]->setText(pick("Bsp: E 8° 50': 8,5", "Exp.: E 8°50': 8.5"));
    Label[7]->setText(pick("Kartenverzeichnis", "Map directory"));
    Label[8]->setText(pick("Breite", "Width"));
    Label[9]->setText(pick("Höhe", "Height"));
    Label[10]->setText(pick("Bsp.: E 9°30': 9,3", "Exp.: E 9°30': 9.3"));
    Label[11]->setText(pick("Bsp.: N 48°10': 48,1", "Exp.: N 48°10': 48.1"));
    chkVorschau->setText(pick("Kartenvorschau An", "Preview on"));
    cmdFillList->setText(pick("Karten aktualisieren", "Refresh Map List"));
    Frame1->setTitle(pick("Kartendaten", "Map Data"));
    Frame3->setTitle(pick("GPS Karten", "GPS Maps"));
    gridModel_->setCaption(0, pick("Kartendatei", "Maps"));
    setWindowTitle(pick("Kartendaten", "Map Data"));
    cmdCalibrate->setText(pick("Karte kalibrieren", "Calibrate map"));
}

// ------------------------------------------------------------------------------ the list

QString frmCalibrate::currentChart() const
{
    const QListWidgetItem* item = listKarten->currentItem();
    return item ? item->text() : QString();
}

void frmCalibrate::setCheck(int item, bool checked)
{
    QListWidgetItem* row = listKarten->item(item);
    if (!row)
        return;
    const QSignalBlocker quiet(listKarten);
    row->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void frmCalibrate::requeryActiveMaps()
{
    // When it fails the active charts stay as read last; the next change reads them again.
    if (MainConnection)
        guarded([&] { activeCharts_.reread(*MainConnection); });
    gridModel_->bind(&activeCharts_.rows());
}

void frmCalibrate::FillMapList()
{
    if (!currentChart().isEmpty())
        lastChartName_ = currentChart();
    ChartListRefill refill;
    std::optional<DbError> unread;
    if (MainConnection) {
        try {
            refill = refillChartList(*MainConnection, chartFolder());
        } catch (const DbError& e) {
            unread = e;
        }
    }
    // Without the chart table, or when it cannot be read or changed, the list shows the folder.
    if (!MainConnection || unread) {
        const auto names = listChartImages(chartFolder());
        refill.listed = names.has_value();
        refill.names = names.value_or(std::vector<std::string>{});
        refill.active.assign(refill.names.size(), false);
    }

    {
        const QSignalBlocker quiet(listKarten);
        listKarten->clear();
        for (size_t i = 0; i < refill.names.size(); ++i) {
            auto* item = new QListWidgetItem(QString::fromStdString(refill.names[i]), listKarten);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(refill.active[i] ? Qt::Checked : Qt::Unchecked);
        }
        const int found = SearchList(refill.names, lastChartName_.toStdString(), true);
        if (listKarten->count() > 0)
            listKarten->setCurrentRow(found >= 0 ? found : 0);
    }
    requeryActiveMaps();
    if (!refill.listed)
        MsgBox(pick("Das Kartenverzeichnis kann nicht gelesen werden:\n",
                    "The map directory cannot be read:\n") +
                   folderText(),
               pick("Kartendaten", "Map Data"));
    if (unread) {
        // The ticks are unknown: the list shows the folder without them, and says so once.
        MsgBox(
            withDataFault(pick("Die aktiven Karten konnten nicht gelesen werden; die Liste zeigt "
                               "die Karten ohne Häkchen.",
                               "The active maps could not be read; the list shows the maps "
                               "without ticks."),
                          *unread),
            pick("Datenfehler", "Data error"));
        showChart();
        return;
    }
    ShowMapData();
}

void frmCalibrate::listKarten_Click()
{
    shownByRowChange_ = false;
    ShowMapData();
}

void frmCalibrate::listKarten_ItemCheck(int item)
{
    QListWidgetItem* row = listKarten->item(item);
    if (!row)
        return;
    const bool wanted = row->checkState() == Qt::Checked;
    // The chart whose box changed is the one concerned.
    if (listKarten->currentRow() != item) {
        const QSignalBlocker quiet(listKarten);
        listKarten->setCurrentRow(item);
    }
    std::optional<DbError> failed = showChart(); // the stored state of the chart is unknown
    if (!MainConnection) {
        setCheck(item, !wanted);
        return;
    }
    CheckOutcome outcome;
    if (!failed) {
        try {
            outcome = toggleChartActive(*MainConnection, row->text().toStdString(), currentEntry());
        } catch (const DbError& e) {
            failed = e;
        }
    }
    if (failed) {
        // The file failed, not the edges: the pilot's entry is not blamed.
        MsgBox(withDataFault(pick("Die Änderung konnte nicht gespeichert werden.",
                                  "The change could not be saved."),
                             *failed),
               pick("Datenfehler", "Data error"));
        setCheck(item, !wanted);
        return;
    }
    if (outcome.refused) {
        dataError(outcome.nameTooLong);
        setCheck(item, !wanted);
        return;
    }
    setCheck(item, outcome.active);
    if (validateEdgeEntry(currentEntry()))
        setEdgeColours(kSaved);
    requeryActiveMaps();
}

// ------------------------------------------------------------------------------ edges

void frmCalibrate::setEdgeColours(uint32_t bgr)
{
    for (size_t i = 0; i < 4; ++i) {
        paintFieldBackground(tKarten[i], vbColor(bgr));
        paintFieldBackground(cmbLatLong[i], vbColor(bgr));
    }
}

void frmCalibrate::emptyEdgesAndSize()
{
    widthPx_.reset();
    heightPx_.reset();
    lblBreite->clear();
    lblHoehe->clear();
    showEdges({});
}

void frmCalibrate::showEdges(const std::array<std::optional<double>, 4>& edges)
{
    hemispheres_.showChart(edges);
    showHemispheres();
    for (size_t i = 0; i < 4; ++i) {
        if (edges[i])
            tKarten[i]->setText(QString::fromStdString(edgeText(*edges[i], userDecimalMark())));
        else
            tKarten[i]->clear();
    }
}

void frmCalibrate::showHemispheres()
{
    for (size_t i = 0; i < 4; ++i) {
        const QSignalBlocker quiet(cmbLatLong[i]);
        cmbLatLong[i]->setCurrentIndex(hemispheres_.at(i));
    }
}

EdgeEntry frmCalibrate::currentEntry() const
{
    EdgeEntry entry;
    for (size_t i = 0; i < 4; ++i) {
        entry.boxes[i] = tKarten[i]->text().toStdString();
        entry.hemisphere[i] = hemispheres_.at(i);
    }
    entry.widthPx = widthPx_;
    entry.heightPx = heightPx_;
    return entry;
}

void frmCalibrate::dataError(bool nameTooLong)
{
    const EdgeMessage message = edgeDataError(Language);
    if (nameTooLong) {
        MsgBox(QString::fromStdString(nameTooLongMessage(NameKind::Chart, Language)),
               QString::fromStdString(message.title));
        return;
    }
    MsgBox(QString::fromStdString(message.text), QString::fromStdString(message.title));
}

void frmCalibrate::showPreview(const QString& name)
{
    picMap->clear();
    // Stretched over the whole preview, as the chart has always been previewed, without
    // keeping its proportions.
    const QImage image = readChartImage(chartFolder() / name.toStdString(), picMap->size());
    if (image.isNull())
        return;
    picMap->setPixmap(QPixmap::fromImage(image));
}

void frmCalibrate::ShowMapData()
{
    if (const std::optional<DbError> unread = showChart())
        MsgBox(withDataFault(pick("Die Daten der Karte konnten nicht gelesen werden.",
                                  "The map data could not be read."),
                             *unread),
               pick("Datenfehler", "Data error"));
}

std::optional<DbError> frmCalibrate::showChart()
{
    // Nothing of the chart shown before may stay: its size, edges or hemispheres would be
    // stored under this one.
    emptyEdgesAndSize();
    const QString name = currentChart();
    if (name.isEmpty()) {
        picMap->clear();
        setEdgeColours(kNotSaved);
        return std::nullopt;
    }
    const ImageHeaderResult size = ImageHeaderSize(chartFolder() / name.toStdString());
    if (size.hasSize()) {
        widthPx_ = size.width;
        heightPx_ = size.height;
        lblBreite->setText(QString::number(size.width));
        lblHoehe->setText(QString::number(size.height));
    } else if (size.status == ImageHeaderResult::Status::BadJpeg) {
        MsgBox(QStringLiteral("Fehler im Bild"));
    }

    if (chkVorschau->isChecked())
        showPreview(name);

    std::optional<ChartRow> row;
    if (MainConnection) {
        try {
            row = findChartRow(*MainConnection, name.toStdString());
        } catch (const DbError& e) {
            // Neither the row's edges nor the calibration file's: which of them holds is unknown.
            setEdgeColours(kNotSaved);
            requeryActiveMaps();
            return e;
        }
    }
    if (row) {
        setEdgeColours(kSaved);
        showEdges({row->southDDMM, row->northDDMM, row->westDDMM, row->eastDDMM});
    } else {
        setEdgeColours(kNotSaved);
        const auto file =
            readCalibrationFile(calibrationFilePath(chartFolder(), name.toStdString()));
        if (file)
            showEdges({(*file)[0], (*file)[1], (*file)[2], (*file)[3]});
    }
    requeryActiveMaps();
    return std::nullopt;
}

void frmCalibrate::chkVorschau_Click()
{
    if (chkVorschau->isChecked())
        ShowMapData();
    else
        picMap->clear();
}

bool frmCalibrate::cmdSpeichern_Click()
{
    const QString name = currentChart();
    const auto chart = validateEdgeEntry(currentEntry());
    if (name.isEmpty() || !chart || !MainConnection) {
        dataError();
        return false;
    }
    for (size_t i = 0; i < 4; ++i)
        tKarten[i]->setText(QString::fromStdString(edgeText(chart->edges[i], userDecimalMark())));
    SaveOutcome outcome;
    try {
        outcome = saveChart(*MainConnection, chartFolder(), name.toStdString(), *chart);
    } catch (const DbError& e) {
        MsgBox(withDataFault(pick("Die Karte konnte nicht in die Datenbank geschrieben werden: ",
                                  "The map could not be written to the database: ") +
                                 name,
                             e),
               pick("Datenfehler", "Data error"));
        return false;
    }
    if (outcome == SaveOutcome::NameTooLong) {
        dataError(true);
        return false;
    }
    if (outcome == SaveOutcome::FileNotWritten) {
        const QString file =
            QString::fromStdString(calibrationFilePath(chartFolder(), name.toStdString()).string());
        MsgBox(pick("Die Kalibrierungsdatei kann nicht geschrieben werden; die Karte wurde nicht "
                    "gespeichert:\n",
                    "The calibration file cannot be written; the map was not saved:\n") +
                   file,
               pick("Datenfehler", "Data error"));
        return false;
    }
    setEdgeColours(kSaved);
    requeryActiveMaps();
    return true;
}

bool frmCalibrate::takeTwoPointEdges(const CalibrationResult& edges)
{
    const std::array<double, 4> values = {edges.unten, edges.oben, edges.links, edges.rechts};
    // The computed edges are signed: the two-point window gave each typed magnitude the
    // hemisphere shown for its edge, and took typed signs as typed.
    hemispheres_.takeSigns(values);
    showHemispheres();
    for (size_t i = 0; i < 4; ++i)
        tKarten[i]->setText(QString::fromStdString(edgeText(values[i], userDecimalMark())));
    if (!cmdSpeichern_Click())
        return false;
    const int item = listKarten->currentRow();
    QListWidgetItem* row = listKarten->item(item);
    if (row && row->checkState() == Qt::Checked) {
        // Off and on again: the row keeps Active with the new edges, the grid is read again.
        row->setCheckState(Qt::Unchecked);
        row->setCheckState(Qt::Checked);
    }
    return true;
}

// ------------------------------------------------------------------------------ two points

void frmCalibrate::cmdCalibrate_Click()
{
    const QString name = currentChart();
    if (name.isEmpty()) {
        MsgBox(pick("Bitte zuerst eine Karte in der Liste auswählen.",
                    "Please choose a map in the list first."),
               pick("Karte kalibrieren", "Calibrate map"));
        return;
    }
    const auto cannotOpen = [&name] {
        MsgBox(pick("Die Karte kann nicht geladen werden: ", "The map cannot be loaded: ") + name,
               pick("Karte kalibrieren", "Calibrate map"));
    };
    const ImageHeaderResult header = ImageHeaderSize(chartFolder() / name.toStdString());
    if (header.status == ImageHeaderResult::Status::BadJpeg)
        MsgBox(pick("Fehler im Bild", "Error in picture"));
    if (!header.hasSize() || header.width <= 0 || header.height <= 0) {
        cannotOpen();
        return;
    }
    // The whole image once per opening, as stored, so its size is the header's.
    const QImage image = readChartImage(chartFolder() / name.toStdString());
    if (image.isNull()) {
        cannotOpen();
        return;
    }
    frmCalRect& window = forms().get<frmCalRect>();
    window.InitializeData(
        name, image, header.width, header.height, hemispheres_,
        [this](const CalibrationResult& edges) { return takeTwoPointEdges(edges); });
    forms().showModal(window);
}

} // namespace tv
