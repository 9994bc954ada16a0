#include "tracks/frmTrack.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "core/forms/RecordsetGridModel.h"
#include "core/windows/WindowLook.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "tracks/TrackBackup.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

#include <algorithm>
#include <array>
#include <exception>

namespace tv {
namespace {

frmTrack::SaveDialogHook& saveDialogHook()
{
    static frmTrack::SaveDialogHook hook;
    return hook;
}

// Positions are given in twips as the window has always been laid out; 15 twips to the pixel.
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// The points grid: field, German and English caption, width in twips. The leading blanks are
// part of the captions (they place the caption over the numbers).
// `widest` is the widest value the column shows (as pointCellText writes it).
struct PointColumn
{
    const char* field;
    const char* german;
    const char* english;
    int twips;
    const char* widest;
};
constexpr std::array<PointColumn, 7> kPointColumns = {{
    {"Index", "Track", "Track", 600, "99999"},
    {"Number", "PositionNr", "PositionNr", 900, "99999"},
    {"Lat", " Breitengrad", "  Latitude", 1100, "-88.8888"},
    {"Long", " Längengrad", "  Longitude", 1100, "-188.8888"},
    {"Height", "       Höhe", "     Altitude", 1200, "-8888"},
    {"Date", "        Datum", "         Date", 1250, "2088-08-28"},
    {"Time", "          Zeit", "         Time", 1250, "08:08:08"},
}};

// The grid only shows the points: every column is read-only. The values stand at the right,
// under their captions.
std::vector<GridColumn> pointGridColumns()
{
    std::vector<GridColumn> columns;
    for (const PointColumn& c : kPointColumns)
        columns.push_back({QString::fromLatin1(c.field), QString::fromUtf8(c.german), true,
                           Qt::AlignRight | Qt::AlignVCenter});
    return columns;
}

// A message of the window, and under it the track file and why it failed when the fault is
// known (a backup that could not be written says so in its own first sentence).
void tell(QWidget* parent, const QString& first, const std::exception& failure)
{
    QString text = first;
    const auto* error = dynamic_cast<const DbError*>(&failure);
    if (error && (error->fault() != DataFault::None || !error->file().empty()))
        text = withDataFault(first, *error);
    MsgBox(text, QString(), MsgButtons::Ok, parent);
}

const QString kAllFiles = QStringLiteral("All files (*.*)");
const QString kGpxFiles = QStringLiteral("GPX files (*.gpx)");

} // namespace

frmTrack::frmTrack()
{
    setWindowTitle(QStringLiteral("Track Manager"));
    buildControls();
}

frmTrack::~frmTrack() = default;

void frmTrack::setSaveDialogHookForTesting(SaveDialogHook hook)
{
    saveDialogHook() = std::move(hook);
}

void frmTrack::buildControls()
{
    setFixedSize(11625 / 15, 5895 / 15);
    paintBackground(this, fromBgr(0xFF8080));

    Label1 = new QLabel(QStringLiteral("Tracks"), this);
    Label1->setGeometry(twips(120, 240, 2655, 255));
    Label1->setAlignment(Qt::AlignCenter);
    lblTracks = new QLabel(this);
    lblTracks->setGeometry(twips(3480, 240, 7935, 255));
    lblTracks->setAlignment(Qt::AlignCenter);

    // The number list lies partly under the name list: only its left part shows.
    listIndex = new QListWidget(this);
    listIndex->setGeometry(twips(120, 600, 1095, 4110));
    listTrack = new QListWidget(this);
    listTrack->setGeometry(twips(720, 600, 2415, 4110));
    listTrack->raise();
    listTrack->viewport()->installEventFilter(this);
    connect(listTrack->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { guarded([this] { listTrack_Scroll(); }); });
    connect(listIndex, &QListWidget::itemPressed, this,
            [this] { guarded([this] { listIndex_MouseDown(); }); });

    gridTracks = new QTableView(this);
    gridTracks->setGeometry(twips(3480, 600, 7935, 3120));
    model_ = new RecordsetGridModel(pointGridColumns(), gridTracks);
    model_->setCellFormat([](const GridColumn& column, const Value& value) {
        return pointCellText(column.field, value);
    });
    gridTracks->setModel(model_);
    // No row numbers: the seven columns take the whole width.
    gridTracks->verticalHeader()->hide();
    gridTracks->verticalHeader()->setDefaultSectionSize(18);
    // The blanks before a caption move it to the right over the values; where the column is
    // narrower than the caption with its blanks, only blanks are cut, never a letter.
    gridTracks->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    gridTracks->horizontalHeader()->setTextElideMode(Qt::ElideNone);
    gridTracks->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    gridTracks->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridTracks->setEditTriggers(QAbstractItemView::NoEditTriggers);

    lblRecords = new QLabel(this);
    lblRecords->setGeometry(twips(3480, 3705, 7935, 315));
    lblRecords->setAlignment(Qt::AlignCenter);
    lblRecords->setFrameShape(QFrame::Box);
    paintBackground(lblRecords, fromBgr(0xFFC0C0));

    cmdDelete = new QPushButton(this);
    cmdDelete->setGeometry(twips(120, 4920, 3015, 615));
    paintBackground(cmdDelete, fromBgr(0x0000FF));
    connect(cmdDelete, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdDelete_Click(); }); });

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(twips(3360, 4320, 6855, 1455));
    // The export buttons' captions are the same in both languages.
    cmdTrack = new QPushButton(QStringLiteral("Track File"), Frame1);
    cmdWpt = new QPushButton(QStringLiteral("Wpt File"), Frame1);
    cmdWptTrack = new QPushButton(QStringLiteral("Wpt + Track File"), Frame1);
    cmdTrack->setGeometry(twips(240, 480, 1935, 615));
    cmdWpt->setGeometry(twips(2400, 480, 1935, 615));
    cmdWptTrack->setGeometry(twips(4560, 480, 2055, 615));
    connect(cmdTrack, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdTrack_Click(); }); });
    connect(cmdWpt, &QPushButton::clicked, this, [this] { guarded([this] { cmdWpt_Click(); }); });
    connect(cmdWptTrack, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdWptTrack_Click(); }); });

    cmdExit = new QPushButton(this);
    cmdExit->setGeometry(twips(10320, 4680, 1095, 855));
    cmdExit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    cmdExit->setIconSize(QSize(32, 32));
    connect(cmdExit, &QPushButton::clicked, this, [this] { guarded([this] { cmdExit_Click(); }); });
}

void frmTrack::setCaptions()
{
    const bool german = Language == 0;
    lblTracks->setText(german ? QStringLiteral("Ausgewählte Tracks")
                              : QStringLiteral("Selected tracks"));
    Frame1->setTitle(german ? QStringLiteral("Tracks speichern") : QStringLiteral("Save tracks"));
    cmdDelete->setText(german ? QStringLiteral("Ausgewählte Tracks löschen")
                              : QStringLiteral("Delete selected tracks"));
    for (size_t c = 0; c < kPointColumns.size(); ++c) {
        const PointColumn& column = kPointColumns[c];
        model_->setCaption(static_cast<int>(c),
                           QString::fromUtf8(german ? column.german : column.english));
    }
    fitColumns();
}

// The seven columns share the grid's width: each gets what its caption (without its leading
// blanks) and its widest value need, and what is left is shared out in the proportions of the
// widths the grid has always had.
void frmTrack::fitColumns()
{
    const QHeaderView* header = gridTracks->horizontalHeader();
    const QFontMetrics cells(gridTracks->font());
    const QFontMetrics heads(header->font());
    // The cell's text margins and its grid line.
    const int focusMargin =
        gridTracks->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, gridTracks);
    const int margin = 2 * (focusMargin + 1) + 1;
    const int available = gridTracks->width() - 2 * gridTracks->frameWidth() -
                          gridTracks->verticalScrollBar()->sizeHint().width();
    std::array<int, kPointColumns.size()> widths{};
    int needed = 0, twipsTotal = 0;
    for (size_t c = 0; c < kPointColumns.size(); ++c) {
        const int section = static_cast<int>(c);
        const QString caption = model_->column(section).caption;
        const int captionWidth = header->sectionSizeHint(section) -
                                 heads.horizontalAdvance(caption) +
                                 heads.horizontalAdvance(caption.trimmed());
        const int valueWidth =
            cells.horizontalAdvance(QLatin1String(kPointColumns[c].widest)) + margin;
        widths[c] = std::max(captionWidth, valueWidth);
        needed += widths[c];
        twipsTotal += kPointColumns[c].twips;
    }
    const int spare = std::max(0, available - needed);
    int given = 0;
    for (size_t c = 0; c < kPointColumns.size(); ++c) {
        const int share = c + 1 == kPointColumns.size()
                              ? spare - given
                              : spare * kPointColumns[c].twips / twipsTotal;
        given += share;
        gridTracks->setColumnWidth(static_cast<int>(c), widths[c] + share);
    }
}

void frmTrack::Form_Load()
{
    setCaptions();
    try {
        connection_ = std::make_unique<Connection>();
        connection_->Open(programFile("track.tvd"));
        trackRS_ = std::make_unique<Recordset>();
        trackRS_->Open(kTrackListSql, *connection_);
        fillLists(trackEntries(*trackRS_));
    } catch (const std::exception& e) {
        clearTracks();
        tell(this, trackFileFailedMessage(Language), e);
    }
}

// Both lists from `tracks`, nothing ticked.
void frmTrack::fillLists(std::vector<TrackEntry> tracks)
{
    listTrack->clear();
    listIndex->clear();
    tracks_ = std::move(tracks);
    for (const TrackEntry& t : tracks_) {
        auto* item = new QListWidgetItem(t.name, listTrack);
        // The tick follows the clicks (listTrack_MouseUp), not the tick box itself.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
        listIndex->addItem(QString::number(t.index));
    }
    selected_.assign(tracks_.size() + 1, false);
}

// The track file could not be read: no tracks, no points, nothing to delete or export.
void frmTrack::clearTracks()
{
    listTrack->clear();
    listIndex->clear();
    tracks_.clear();
    selected_.assign(1, false);
    trackRS_.reset();
    pointsRS_.reset();
    model_->bind(nullptr);
    lblRecords->clear();
    connection_.reset();
}

std::vector<std::int64_t> frmTrack::tickedTracks() const
{
    std::vector<std::int64_t> ticked;
    for (int i = 0; i < listTrack->count() && i < static_cast<int>(tracks_.size()); ++i)
        if (listTrack->item(i)->checkState() == Qt::Checked)
            ticked.push_back(tracks_[static_cast<size_t>(i)].index);
    return ticked;
}

bool frmTrack::ShowTrackPoints()
{
    if (!connection_) {
        pointsRS_.reset();
        model_->bind(nullptr);
        lblRecords->clear();
        return false;
    }
    try {
        const BoundSql query = pointQuery(tickedTracks());
        auto points = std::make_unique<Recordset>();
        points->Open(query.sql, *connection_, query.params);
        model_->bind(points.get());
        pointsRS_ = std::move(points);
        lblRecords->setText(pointCountCaption(pointsRS_->RecordCount(), Language));
        return true;
    } catch (const std::exception& e) {
        // The points read last stay shown; the caller puts the ticks back to match them.
        tell(this, pointsFailedMessage(Language), e);
        return false;
    }
}

bool frmTrack::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == listTrack->viewport() && event->type() == QEvent::MouseButtonRelease)
        listTrack_MouseUp();
    return DialogForm::eventFilter(watched, event);
}

void frmTrack::listTrack_MouseUp()
{
    const int i = listTrack->currentRow();
    if (i < 0 || i >= listTrack->count())
        return;
    const size_t at = static_cast<size_t>(i);
    if (at >= selected_.size())
        selected_.resize(at + 1, false);
    selected_[at] = !selected_[at];
    listTrack->item(i)->setCheckState(selected_[at] ? Qt::Checked : Qt::Unchecked);
    listIndex->verticalScrollBar()->setValue(listTrack->verticalScrollBar()->value());
    listIndex->setCurrentRow(i);
    if (!ShowTrackPoints() && connection_) {
        selected_[at] = !selected_[at];
        listTrack->item(i)->setCheckState(selected_[at] ? Qt::Checked : Qt::Unchecked);
    }
}

void frmTrack::listTrack_Scroll()
{
    listIndex->verticalScrollBar()->setValue(listTrack->verticalScrollBar()->value());
}

void frmTrack::listIndex_MouseDown()
{
    listTrack->verticalScrollBar()->setValue(listIndex->verticalScrollBar()->value());
    const int i = listIndex->currentRow();
    if (i >= 0 && i < listTrack->count())
        listTrack->setCurrentRow(i);
}

void frmTrack::cmdDelete_Click()
{
    const std::vector<std::int64_t> ticked = tickedTracks();
    if (MsgBox(deleteQuestion(ticked, Language), deleteQuestionTitle(Language), MsgButtons::YesNo,
               this) != MsgResult::Yes)
        return;
    if (!connection_) {
        MsgBox(trackFileFailedMessage(Language), QString(), MsgButtons::Ok, this);
        return;
    }
    // Nothing is deleted without a backup of what is about to go.
    try {
        backupTrackDb(*connection_, programFolder() / "track.bak");
    } catch (const DbError& e) {
        tell(this, backupFailedMessage(Language), e);
        return;
    }
    try {
        deleteTracks(*connection_, ticked);
    } catch (const DbError& e) {
        // The file is as it was, and so are the lists, the ticks and the points shown.
        tell(this, deleteFailedMessage(Language), e);
        return;
    }
    // The lists show what the file holds now, nothing ticked; the numbers are never given out
    // again. When the file cannot be read again, they are the tracks read before less the
    // deleted ones, which is what the file holds.
    try {
        trackRS_->Requery();
        fillLists(trackEntries(*trackRS_));
    } catch (const std::exception& e) {
        std::vector<TrackEntry> left;
        for (const TrackEntry& t : tracks_)
            if (std::find(ticked.begin(), ticked.end(), t.index) == ticked.end())
                left.push_back(t);
        fillLists(std::move(left));
        tell(this, listRereadFailedMessage(Language), e);
        pointsRS_.reset();
        model_->bind(nullptr);
        lblRecords->clear();
        return;
    }
    ShowTrackPoints();
}

bool frmTrack::BackupTrackDb()
{
    if (!connection_)
        return false;
    return guarded([this] { backupTrackDb(*connection_, programFolder() / "track.bak"); });
}

void frmTrack::cmdExit_Click()
{
    forms().unload(this);
}

void frmTrack::cmdTrack_Click()
{
    exportPoints(GpxKind::Track);
}

void frmTrack::cmdWpt_Click()
{
    exportPoints(GpxKind::Waypoints);
}

void frmTrack::cmdWptTrack_Click()
{
    exportPoints(GpxKind::WaypointsAndTrack);
}

// No points shown: the buttons do nothing. Otherwise the ticked tracks' points are read again,
// so that the file gets what track.tvd holds and the grid shows what was written.
void frmTrack::exportPoints(GpxKind kind)
{
    if (!pointsRS_ || pointsRS_->State() != Recordset::kStateOpen || pointsRS_->RecordCount() == 0)
        return;
    if (!ShowTrackPoints() || pointsRS_->RecordCount() == 0)
        return; // told, or the tracks are gone and the grid shows no points
    SaveGpxFile(kind);
}

void frmTrack::SaveGpxFile(GpxKind kind)
{
    try {
        if (!pointsRS_)
            return;
        GpxSaveRequest request;
        request.filters = QStringList{kAllFiles, kGpxFiles};
        request.selectedFilter = kGpxFiles;
        request.defaultSuffix = QStringLiteral("gpx");
        request.proposedName = proposedGpxName(*pointsRS_);
        const QString file = askSaveFile(request);
        if (file.isEmpty())
            return; // cancelled: nothing is written
        GpxLeftOut leftOut;
        if (saveGpxFile(file.toStdString(), *pointsRS_, kind, &leftOut) != 0)
            MsgBox(gpxWriteFailedMessage(QDir::toNativeSeparators(file), Language), QString(),
                   MsgButtons::Ok, this);
        else if (leftOut.total() > 0)
            MsgBox(gpxLeftOutMessage(leftOut, Language), QString(), MsgButtons::Ok, this);
    } catch (const std::exception& e) {
        tell(this, pointsFailedMessage(Language), e);
    }
}

QString frmTrack::askSaveFile(const GpxSaveRequest& request)
{
    if (saveDialogHook())
        return saveDialogHook()(request);
    QFileDialog CD(this);
    CD.setAcceptMode(QFileDialog::AcceptSave);
    CD.setNameFilters(request.filters);
    CD.selectNameFilter(request.selectedFilter);
    CD.setDefaultSuffix(request.defaultSuffix);
    CD.selectFile(request.proposedName);
    if (CD.exec() != QDialog::Accepted || CD.selectedFiles().isEmpty())
        return {};
    return CD.selectedFiles().constFirst();
}

} // namespace tv
