#include "core/windows/frmSettings.h"

#include "core/Categories.h"
#include "core/CoreSettings.h"
#include "core/HandlerGuard.h"
#include "core/NameLength.h"
#include "core/SettingsRules.h"
#include "core/Variablen.h"
#include "core/forms/KeyUp.h"
#include "core/forms/MsgBox.h"
#include "core/forms/VbTimer.h"
#include "core/windows/CategoryTableModel.h"
#include "core/windows/QtTranslations.h"
#include "core/windows/WindowLook.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"
#include "platform/SerialPorts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QTableView>

namespace tv {
namespace {

const QColor kRed = fromBgr(0x0000FF);
const QColor kGreen = fromBgr(0x00FF00);

QDate toQDate(Date d)
{
    if (!d.ok())
        return {};
    return QDate(static_cast<int>(d.year()), static_cast<int>(static_cast<unsigned>(d.month())),
                 static_cast<int>(static_cast<unsigned>(d.day())));
}

} // namespace

frmSettings::frmSettings(QWidget* parent) : MdiForm(parent)
{
    buildControls();
    categoryModel_ = new CategoryTableModel(gridKategorie);
    gridKategorie->setModel(categoryModel_);
    connectHandlers();
    SetLanguage();
    gps.setEvents(this);

    timerCheck = new VbTimer(this);
    timerCheck->onTick([this] { guarded([this] { timerCheck_Timer(); }); });

    MSComm1 = new QSerialPort(this);
    connect(MSComm1, &QSerialPort::readyRead, this,
            [this] { guarded([this] { MSComm1_OnComm(kComEvReceive); }); });
    connect(MSComm1, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        guarded([&] { onSerialError(static_cast<int>(e)); });
    });
}

frmSettings::~frmSettings()
{
    // The registry runs Form_Unload before deleting us; this covers a window deleted directly.
    // The controls are deleted after our members: nothing they report may reach us then.
    timerCheck->setInterval(0);
    MSComm1->disconnect(this);
    MSComm1->close();
    gridKategorie->selectionModel()->disconnect(this);
    gps.setEvents(nullptr);
}

void frmSettings::connectHandlers()
{
    connect(cmdCheck, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdCheck_Click(); }); });
    connect(OptGer, &QRadioButton::clicked, this, [this] { guarded([this] { OptGer_Click(); }); });
    connect(OptEng, &QRadioButton::clicked, this, [this] { guarded([this] { OptEng_Click(); }); });
    connect(Option1, &QRadioButton::clicked, this,
            [this] { guarded([this] { Option1_Click(); }); });
    connect(Option2, &QRadioButton::clicked, this,
            [this] { guarded([this] { Option2_Click(); }); });
    // Like the check boxes the program was designed around, a change of state made by code
    // runs the handler as well.
    connect(chkTrack, &QCheckBox::toggled, this, [this] { guarded([this] { chkTrack_Click(); }); });
    connect(chkAutoOn, &QCheckBox::toggled, this,
            [this] { guarded([this] { chkAutoOn_Click(); }); });
    connect(cmdTrack, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdTrack_Click(); }); });
    connect(cmdManager, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdManager_Click(); }); });
    connect(cmdGetWaypoint, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdGetWaypoint_Click(); }); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { guarded([this] { cmdAdd_Click(); }); });
    connect(cmdChange, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdChange_Click(); }); });
    connect(cmdDelete, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdDelete_Click(); }); });
    connect(gridKategorie->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { guarded([&] { gridKategorie_HeadClick(column); }); });
    connect(gridKategorie->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid())
                    return;
                if (CategoryRS && CategoryRS->State() == Recordset::kStateOpen &&
                    !guarded([&] { CategoryRS->SetAbsolutePosition(current.row() + 1); }))
                    return;
                guarded([this] { gridKategorie_RowColChange(); });
            });
    tQNH->installEventFilter(this);
    tKategorie->installEventFilter(this);
    // Enter adds only when its press began in the box: the Enter that closes a message box is
    // pressed there, and its release, which then reaches the box, adds nothing.
    onKeyUp(tKategorie,
            [this](int key) { guarded([&] { tKategorie_KeyUp(isEnterKey(key) ? 13 : key); }); });
}

bool frmSettings::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == tQNH)
            tQNH_DblClick();
        else if (watched == tKategorie)
            tKategorie_DblClick();
    }
    return MdiForm::eventFilter(watched, event);
}

bool frmSettings::english() const
{
    return Language != 0;
}

// ---------------------------------------------------------------------------------------------
// Load, activate, leave

void frmSettings::Form_Load()
{
    CategoryRS = std::make_unique<Recordset>();
    // A failure is told by the activation that follows, which reads again.
    refreshCategories(1, false);
    hideFramesOfMissingFiles();
}

void frmSettings::hideFramesOfMissingFiles()
{
    // Once hidden, a frame stays hidden for the run: the files are only opened at start.
    if (TrackFileMissing) {
        trackFrameShown_ = false;
        Frame4->hide();
    }
    if (AirspaceDataMissing)
        frmLuftraum->hide();
}

void frmSettings::Form_Activate()
{
    hideFramesOfMissingFiles();
    // Coming back reads the categories that could not be read before.
    if (CategoryRS && CategoryRS->State() != Recordset::kStateOpen)
        refreshCategories(1);
    if (QNHDate == today())
        tQNH->setText(QString::number(QNH));
    else
        tQNH->setText(QString::number(kStandardQnhHpa));

    SetLanguage();
    SelectedBaud = QStringLiteral("4800");

    cmbCom->clear();
    const std::vector<std::string> systemPorts = systemSerialPorts();
    for (int16_t n = 1; n <= 20; ++n)
        if (ComPortExists(n, systemPorts) == 1)
            cmbCom->addItem(QString::number(n));

    if (cmbCom->count() == 0) {
        if (english())
            MsgBox(QStringLiteral("No COM was found"), QStringLiteral("No COM Port available"));
        else
            MsgBox(QStringLiteral("Es wurde kein COM Port gefunden"),
                   QStringLiteral("Keine COM Anschlüsse vorhanden"));
    } else {
        loadComSettings();
    }
    const int baud = cmbBaud->findText(SelectedBaud);
    cmbBaud->setCurrentIndex(baud >= 0 ? baud : 0);

    (english() ? OptEng : OptGer)->setChecked(true);
    (PlaneSymbol == 1 ? Option1 : Option2)->setChecked(true);

    frmLuftraum->setTitle(
        QStringLiteral("Luftraumdaten - Stand: ") +
        QLocale::system().toString(toQDate(AirspaceReleaseDate), QLocale::ShortFormat));

    if (trackFrameShown_)
        loadTrackSettings();
}

void frmSettings::loadComSettings()
{
    const std::optional<SavedComTexts> saved = ReadSavedComTexts();
    if (!saved) {
        cmbCom->setCurrentIndex(0);
        cmbBaud->setCurrentIndex(0);
        return;
    }
    // A port that is gone since it was saved cannot be shown; the first port is offered.
    const int port = cmbCom->findText(QString::fromStdString(saved->port));
    cmbCom->setCurrentIndex(port >= 0 ? port : 0);
    SelectedBaud = QString::fromStdString(saved->baud);
}

void frmSettings::loadTrackSettings()
{
    const std::optional<TrackFileBoxes> boxes = ReadTrackFileForSettings();
    if (!boxes)
        return; // the file was written anew with 0, 10, 0; the boxes keep their state
    chkTrack->setChecked(boxes->logger == 1);
    cmbTrack->setCurrentText(QString::fromStdString(boxes->intervalText));
    chkAutoOn->setChecked(boxes->automatic == 1);
}

void frmSettings::Form_Deactivate()
{
    applyQnh();
    if (!SaveQnh())
        reportUnsaved(programFolder() / "LR.crm", this);
    closePort();
    // However the test stood, leaving the window ends it: no timer, no hourglass.
    stopPortTest();
    if (trackFrameShown_)
        saveTrackSettings();
}

void frmSettings::Form_Unload()
{
    closePort();
    stopPortTest();
}

void frmSettings::reportRefusedInterval(const QString& typed, const QString& keptSeconds)
{
    if (english())
        MsgBox(QStringLiteral("The track logger interval \"") + typed +
                   QStringLiteral("\" is not a time above 0 seconds. The logger keeps ") +
                   keptSeconds + QStringLiteral(" s."),
               QStringLiteral("Track Logger"));
    else
        MsgBox(QStringLiteral("Das Intervall \"") + typed +
                   QStringLiteral("\" des Track Loggers ist keine Zeit über 0 Sekunden. Es "
                                  "bleibt bei ") +
                   keptSeconds + QStringLiteral(" s."),
               QStringLiteral("Track Logger"));
}

void frmSettings::reportCategoryUnsaved(const DbError& error)
{
    if (english())
        MsgBox(withDataFault(QStringLiteral("The category change could not be saved. The list "
                                            "shows the categories as they are stored."),
                             error),
               QStringLiteral("Not saved"));
    else
        MsgBox(withDataFault(QStringLiteral("Die Änderung der Kategorien konnte nicht gespeichert "
                                            "werden. Die Liste zeigt die gespeicherten "
                                            "Kategorien."),
                             error),
               QStringLiteral("Nicht gespeichert"));
}

void frmSettings::applyQnh()
{
    if (const std::optional<int16_t> qnh = acceptQnh(tQNH->text().toStdString())) {
        QNH = *qnh;
        QNHDate = today();
    } else {
        tQNH->setText(QString::number(kStandardQnhHpa));
        QNH = kStandardQnhHpa;
    }
}

void frmSettings::saveTrackSettings()
{
    const QString typed = cmbTrack->currentText();
    const TrackIntervalSetting interval =
        trackIntervalSetting(typed.toStdString(), chkTrack->isChecked(), TrackInterval);
    cmbTrack->setCurrentText(QString::fromStdString(interval.text));
    if (interval.refused)
        reportRefusedInterval(typed, QString::fromStdString(interval.text));
    if (!WriteTrackSettings(chkTrack->isChecked(), interval.text, chkAutoOn->isChecked()))
        reportUnsaved(programFolder() / "track.crm", this);
    TrackInterval = interval.intervalMs;
}

// ---------------------------------------------------------------------------------------------
// Language, symbol, track logger, QNH, dialogs

void frmSettings::OptGer_Click()
{
    OptEng->setChecked(false);
    OptGer->setChecked(true);
    Language = 0;
    useQtTranslations(Language);
    SetLanguage();
    forms().languageChanged();
    if (!SaveLanguage())
        reportUnsaved(programFolder() / "lang.crm", this);
}

void frmSettings::OptEng_Click()
{
    OptGer->setChecked(false);
    OptEng->setChecked(true);
    Language = 1;
    useQtTranslations(Language);
    SetLanguage();
    forms().languageChanged();
    if (!SaveLanguage())
        reportUnsaved(programFolder() / "lang.crm", this);
}

void frmSettings::Option1_Click()
{
    Option1->setChecked(true);
    PlaneSymbol = 1;
    if (!SaveSymbol())
        reportUnsaved(programFolder() / "symbol.crm", this);
}

void frmSettings::Option2_Click()
{
    Option2->setChecked(true);
    PlaneSymbol = 2;
    if (!SaveSymbol())
        reportUnsaved(programFolder() / "symbol.crm", this);
}

void frmSettings::chkTrack_Click()
{
    TrackLoggerOn = chkTrack->isChecked();
    cmbTrack->setEnabled(TrackLoggerOn);
    chkAutoOn->setEnabled(TrackLoggerOn);
}

void frmSettings::chkAutoOn_Click()
{
    TrackAutoOn = chkAutoOn->isChecked();
}

void frmSettings::tQNH_DblClick()
{
    tQNH->clear();
}

void frmSettings::cmdManager_Click()
{
    forms().showModal(QStringLiteral("frmManager"));
}

void frmSettings::cmdTrack_Click()
{
    forms().showModal(QStringLiteral("frmTrack"));
}

void frmSettings::cmdGetWaypoint_Click()
{
    if (AptDataAvailable) {
        forms().showModal(QStringLiteral("frmGetWaypoints"));
        return;
    }
    MsgBox(QStringLiteral("Datei tvdata.tvd wurde nicht im Verzeichnis: ") +
           QString::fromStdString(programFolder().string()) +
           QStringLiteral(" gefunden. Bitte Datei aus Tramvik APT in das Tramvik GPS Verzeichnis "
                          "kopieren."));
}

// ---------------------------------------------------------------------------------------------
// Live port test

bool frmSettings::openPort()
{
    const int port = cmbCom->currentText().trimmed().toInt();
    const std::string path = comPortPath(port);
    if (path.empty())
        return false;
    MSComm1->setPortName(QString::fromStdString(path));
    // SelectedBaud followed by ",n,8,1".
    MSComm1->setBaudRate(SelectedBaud.toInt());
    MSComm1->setParity(QSerialPort::NoParity);
    MSComm1->setDataBits(QSerialPort::Data8);
    MSComm1->setStopBits(QSerialPort::OneStop);
    MSComm1->setFlowControl(QSerialPort::NoFlowControl);
    return MSComm1->open(QIODevice::ReadOnly);
}

void frmSettings::closePort()
{
    if (MSComm1->isOpen())
        MSComm1->close();
}

void frmSettings::stopPortTest()
{
    timerCheck->setInterval(0);
    SignalCheckCountdown = 0; // a stopped test gives no verdict
    busy_.release();
}

void frmSettings::cmdCheck_Click()
{
    if (cmbCom->count() == 0)
        return;
    closePort();
    static const char* const kBauds[] = {"4800", "9600", "19200", "38400", "57600"};
    const int index = cmbBaud->currentIndex();
    if (index >= 0 && index <= 4)
        SelectedBaud = QString::fromLatin1(kBauds[index]);

    const QString port = cmbCom->currentText();
    lblStatus->setText(
        QStringLiteral("COM ") + port +
        (english() ? QStringLiteral(" - testing connection ") : QStringLiteral(" wird überprüft")));
    lblStatus->repaint();

    ResetGpsStatus(); // stops a test still running
    busy_.acquire();
    SignalCheckCountdown = 2;
    timerCheck->setInterval(1000);

    if (!openPort()) {
        // The verdict still follows and tries once more.
        lblStatus->setText(
            QStringLiteral("COM ") + port +
            (english() ? QStringLiteral(" does not exist") : QStringLiteral(" existiert nicht")));
    }
}

void frmSettings::ResetGpsStatus()
{
    const bool en = english();
    tGPS->clear();
    paintBackground(lblComVerbindung, kRed);
    DataReceived = false;
    stopPortTest();
    paintBackground(LabelStatus, kRed);
    lblLat->setText(QStringLiteral("---"));
    lblLong->setText(QStringLiteral("---"));
    LabelStatus->setText(en ? QStringLiteral("No GPS Fix") : QStringLiteral("Kein GPS Fix"));
    Label11->setText(en ? QStringLiteral("Number of satellites = -/-")
                        : QStringLiteral("Anzahl Satelliten = -/-"));
    lblComVerbindung->setText(en ? QStringLiteral("No COM Connection")
                                 : QStringLiteral("Keine COM Verbindung"));
}

void frmSettings::MSComm1_OnComm(int CommEvent)
{
    bool gotText = false;
    if (CommEvent == kComEvReceive) {
        const QByteArray text = MSComm1->readAll();
        if (!text.isEmpty()) {
            gotText = true;
            HandleInput(text);
            DataReceived = true;
            paintBackground(lblComVerbindung, kGreen);
            lblComVerbindung->setText(QStringLiteral("COM ") + cmbCom->currentText() +
                                      (english() ? QStringLiteral(" connected")
                                                 : QStringLiteral(" Verbindung hergestellt")));
        }
    }
    // The line changed or failed after data had come (lblComVerbindung shows green): this test
    // gives no verdict.
    if (!gotText && DataReceived)
        ResetGpsStatus();
}

void frmSettings::onSerialError(int error)
{
    const auto e = static_cast<QSerialPort::SerialPortError>(error);
    if (e == QSerialPort::NoError)
        return;
    // The device went away (a USB receiver pulled out): it cannot come back on this handle,
    // and an open handle in error would keep reporting.
    if (e == QSerialPort::ResourceError)
        closePort();
    MSComm1_OnComm(1000 + error);
}

void frmSettings::HandleInput(const QByteArray& Sinput)
{
    const std::vector<std::string> lines = LineBuffer.add(
        std::string_view(Sinput.constData(), static_cast<std::size_t>(Sinput.size())));
    if (LineBuffer.firstPieceTooLong())
        tGPS->setText(english() ? QStringLiteral("No data from GPS received - check baudrate")
                                : QStringLiteral("Kein GPS Datenempfang - Baudrate überprüfen"));
    else
        tGPS->setText(QString::fromLatin1(LineBuffer.firstPiece()));
    // A sentence is wider than the box: show its start ("$GPRMC,..."), where a pilot reads
    // which sentence came, not its checksum.
    tGPS->setCursorPosition(0);
    for (const std::string& line : lines)
        gps.Parse(line);
}

void frmSettings::timerCheck_Timer()
{
    // The verdict comes on the second tick; ticks after it change nothing.
    if (SignalCheckCountdown <= 0)
        return;
    --SignalCheckCountdown;
    if (SignalCheckCountdown != 0)
        return;

    const bool en = english();
    const QString port = cmbCom->currentText();
    if (DataReceived) {
        paintBackground(lblComVerbindung, kGreen);
        stopPortTest();
        if (SaveComSettings(port.toStdString(), SelectedBaud.toStdString()))
            lblStatus->setText(en ? QStringLiteral("OK - Data saved")
                                  : QStringLiteral("OK - Daten gespeichert"));
        else
            lblStatus->setText(en ? QStringLiteral("OK - Data could not be saved")
                                  : QStringLiteral("OK - Daten konnten nicht gespeichert werden"));
        return;
    }

    closePort();
    const bool opened = openPort();
    ResetGpsStatus(); // stops the timer and the hourglass
    if (opened)
        lblStatus->setText(
            (en ? QStringLiteral("No Signal - COM ") : QStringLiteral("Kein Signal an COM ")) +
            port);
    else
        lblStatus->setText(
            QStringLiteral("COM ") + port +
            (en ? QStringLiteral(" does not exist") : QStringLiteral(" existiert nicht")));
}

void frmSettings::PositionReceived(const std::string& latitude, const std::string& longitude,
                                   const std::string& /*latraw*/, const std::string& /*longraw*/)
{
    gps_PositionReceived(QString::fromStdString(latitude), QString::fromStdString(longitude));
}

void frmSettings::gps_FixLost()
{
    LabelStatus->setText(english() ? QStringLiteral("No GPS Fix") : QStringLiteral("Kein GPS Fix"));
    paintBackground(LabelStatus, kRed);
    NoFix = true;
}

void frmSettings::gps_FixObtained()
{
    LabelStatus->setText(QStringLiteral("GPS Fix"));
    paintBackground(LabelStatus, kGreen);
    NoFix = false;
}

void frmSettings::gps_SatellitesInViewReceived(int16_t satellitesInView)
{
    const QString head = english() ? QStringLiteral("Number of satellites = ")
                                   : QStringLiteral("Anzahl Satelliten = ");
    if (NoFix)
        Label11->setText(head + QStringLiteral("-/-"));
    else
        Label11->setText(head + QString::number(SatellitesUsed) + QStringLiteral(" / ") +
                         QString::number(satellitesInView));
}

void frmSettings::gps_PositionReceived(const QString& latitude, const QString& longitude)
{
    lblLat->setText(NoFix ? QStringLiteral("---") : latitude);
    lblLong->setText(NoFix ? QStringLiteral("---") : longitude);
}

void frmSettings::gps_SatellitesUsedReceived(int16_t satellitesUsed)
{
    SatellitesUsed = satellitesUsed;
}

// ---------------------------------------------------------------------------------------------
// Waypoint categories

QString frmSettings::selectedCategory() const
{
    if (!CategoryRS || !CategoryRS->HasCurrentRow())
        return {};
    return QString::fromStdString(CategoryRS->Field("Kategorie").toString());
}

int frmSettings::selectedCategoryPosition() const
{
    if (!CategoryRS || CategoryRS->State() != Recordset::kStateOpen)
        return 0;
    const long pos = CategoryRS->AbsolutePosition();
    return pos >= 1 ? static_cast<int>(pos) : 0;
}

bool frmSettings::refreshCategories(long selectPosition, bool tellFailure)
{
    bool read = false;
    if (MainConnection && CategoryRS) {
        try {
            if (CategoryRS->State() == Recordset::kStateOpen)
                CategoryRS->Requery(); // keeps the rows it had when it fails
            else
                CategoryRS->Open(kCategoryListSql, *MainConnection);
            read = true;
        } catch (const DbError& e) {
            if (tellFailure)
                MsgBox(withDataFault(english() ? QStringLiteral("The categories could not be read.")
                                               : QStringLiteral("Die Kategorien konnten nicht "
                                                                "gelesen werden."),
                                     e),
                       english() ? QStringLiteral("Data error") : QStringLiteral("Datenfehler"));
        }
    }
    categoryModel_->load(CategoryRS.get());
    selectCategoryRow(selectPosition);
    return read;
}

bool frmSettings::categoriesRead()
{
    if (!MainConnection || !CategoryRS)
        return false;
    return CategoryRS->State() == Recordset::kStateOpen || refreshCategories(1);
}

void frmSettings::selectCategoryRow(long position)
{
    const long count = categoryModel_->rowCount();
    if (count == 0)
        return;
    if (position < 1 || position > count)
        position = position < 1 ? 1 : count;
    // Moving the current row by code never copies its name into tKategorie.
    SkipRowCopy = true;
    guarded([&] { CategoryRS->SetAbsolutePosition(position); });
    gridKategorie->setCurrentIndex(categoryModel_->index(static_cast<int>(position - 1), 1));
    SkipRowCopy = false;
}

void frmSettings::gridKategorie_RowColChange()
{
    if (!SkipRowCopy)
        tKategorie->setText(selectedCategory());
    SkipRowCopy = false;
}

void frmSettings::gridKategorie_HeadClick(int column)
{
    const long keep = selectedCategoryPosition();
    if (column == 0 && CategoryRS && CategoryRS->State() == Recordset::kStateOpen)
        guarded([this] { CategoryRS->Sort("Nummer ASC"); });
    categoryModel_->load(CategoryRS.get());
    selectCategoryRow(keep);
}

void frmSettings::tKategorie_DblClick()
{
    tKategorie->clear();
}

void frmSettings::tKategorie_KeyUp(int keyCode)
{
    if (keyCode == 13)
        cmdAdd_Click();
}

namespace {

void categoryMessage(CategoryStatus status, bool en)
{
    const QString title = en ? QStringLiteral("Data error") : QStringLiteral("Datenfehler");
    if (status == CategoryStatus::TooLong)
        MsgBox(QString::fromStdString(nameTooLongMessage(NameKind::Category, en ? 1 : 0)), title);
    else if (status == CategoryStatus::EmptyName)
        MsgBox(en ? QStringLiteral("Please enter a category name")
                  : QStringLiteral("Bitte Name für die Kategorie eingeben"),
               title);
    else if (status == CategoryStatus::Duplicate)
        MsgBox(en ? QStringLiteral("Category already exists. Please choose another name...")
                  : QStringLiteral("Die Kategorie existiert schon. Bitte einen anderen Namen "
                                   "vergeben."),
               title);
}

} // namespace

void frmSettings::cmdAdd_Click()
{
    const std::string name = tKategorie->text().toStdString();
    if (name.empty()) {
        categoryMessage(CategoryStatus::EmptyName, english());
        return;
    }
    if (!categoriesRead())
        return;
    try {
        const CategoryOutcome r = addCategory(*MainConnection, name, selectedCategoryPosition());
        if (r.status != CategoryStatus::Done) {
            categoryMessage(r.status, english());
            return;
        }
        refreshCategories(r.position);
    } catch (const DbError& e) {
        reportCategoryUnsaved(e);
        refreshCategories(selectedCategoryPosition(), false); // shows the list as it stands
    }
}

void frmSettings::cmdChange_Click()
{
    if (!categoriesRead() || categoryModel_->rowCount() == 0)
        return;
    const long position = selectedCategoryPosition();
    try {
        const CategoryOutcome r =
            renameCategory(*MainConnection, position, tKategorie->text().toStdString());
        if (r.status != CategoryStatus::Done) {
            categoryMessage(r.status, english());
            return;
        }
        refreshCategories(r.position);
    } catch (const DbError& e) {
        reportCategoryUnsaved(e);
        refreshCategories(position, false); // shows the list as it stands
    }
}

void frmSettings::cmdDelete_Click()
{
    if (!categoriesRead() || categoryModel_->rowCount() == 0)
        return;
    const long position = selectedCategoryPosition();
    try {
        const CategoryOutcome r = deleteCategory(*MainConnection, position);
        refreshCategories(r.status == CategoryStatus::Done ? r.position : position);
    } catch (const DbError& e) {
        reportCategoryUnsaved(e);
        refreshCategories(position, false); // shows the list as it stands
    }
}

} // namespace tv
